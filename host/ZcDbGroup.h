#pragma once

#include <string>
#include <vector>

#include "ZcDbObject.h"
#include "ZrxExport.h"

// A named set of entities kept in the drawing's group dictionary.
class ZRX_EXPORT ZcDbGroup : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbGroup)

    explicit ZcDbGroup(const char* description = nullptr, bool selectable = true);

    // The name under which the group dictionary keeps it.
    std::string name() const;
    std::string description() const { return m_description; }
    Zcad::ErrorStatus setDescription(const char* text);
    bool isSelectable() const { return m_selectable; }
    Zcad::ErrorStatus setSelectable(bool on);
    bool isAnonymous() const;

    // Adds an entity of the same drawing; an entity is in a group once.
    Zcad::ErrorStatus append(ZcDbObjectId id);
    Zcad::ErrorStatus remove(ZcDbObjectId id);
    bool has(ZcDbObjectId id) const;
    int numEntities() const { return static_cast<int>(m_members.size()); }
    int allEntityIds(ZcDbObjectIdArray& ids) const;
    const std::vector<ZcDbObjectId>& members() const { return m_members; }

    ZcDbObject* clone() const override;

private:
    std::string m_description;
    std::vector<ZcDbObjectId> m_members;
    bool m_selectable = true;
};
