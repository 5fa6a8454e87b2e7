#include "ZcDbSymbolTable.h"

#include <cmath>

#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "platform/core/Utf8.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbSymbolTableRecord, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbSymbolTable, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbLayerTableRecord, ZcDbSymbolTableRecord)
ZCRX_DEFINE_MEMBERS(ZcDbLayerTable, ZcDbSymbolTable)
ZCRX_DEFINE_MEMBERS(ZcDbLinetypeTableRecord, ZcDbSymbolTableRecord)
ZCRX_DEFINE_MEMBERS(ZcDbLinetypeTable, ZcDbSymbolTable)
ZCRX_DEFINE_MEMBERS(ZcDbTextStyleTableRecord, ZcDbSymbolTableRecord)
ZCRX_DEFINE_MEMBERS(ZcDbTextStyleTable, ZcDbSymbolTable)
ZCRX_DEFINE_MEMBERS(ZcDbRegAppTableRecord, ZcDbSymbolTableRecord)
ZCRX_DEFINE_MEMBERS(ZcDbRegAppTable, ZcDbSymbolTable)
template class ZcDbSymbolTableOf<ZcDbLayerTableRecord>;
template class ZcDbSymbolTableOf<ZcDbLinetypeTableRecord>;
template class ZcDbSymbolTableOf<ZcDbTextStyleTableRecord>;
template class ZcDbSymbolTableOf<ZcDbRegAppTableRecord>;

// ---- iterator --------------------------------------------------------------

Zcad::ErrorStatus ZcDbSymbolTableIterator::getRecordId(ZcDbObjectId& id) const
{
    if (done())
        return Zcad::eInvalidIndex;
    id = m_cursor.current();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableIterator::getRecord(ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                                                     bool openErased) const
{
    record = nullptr;
    if (done())
        return Zcad::eInvalidIndex;
    return zcdbOpenObject(record, m_cursor.current(), mode, openErased);
}

// ---- records ---------------------------------------------------------------

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(std::string& name) const
{
    name = m_name;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(const char*& name) const
{
    name = m_name.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::setName(const char* name)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (name && !isWellFormedUtf8(name))
        return Zcad::eInvalidInput;
    if (!name || !isValidSymbolName(name))
        return Zcad::eInvalidSymbolTableName;
    // A record already in a table must not take a name another record has.
    if (auto* table = ZcDbObjectAccess::peekAs<ZcDbSymbolTable>(ownerId())) {
        ZcDbObjectId other;
        if (table->getAt(name, other) == Zcad::eOk && other != objectId())
            return Zcad::eDuplicateKey;
    }
    m_name = name;
    return Zcad::eOk;
}

// ---- tables ----------------------------------------------------------------

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const char* name, ZcDbObjectId& id, bool getErased) const
{
    id.setNull();
    if (!name)
        return Zcad::eInvalidInput;
    for (const ZcDbObjectId& rid : m_records) {
        const auto* rec = ZcDbObjectAccess::peekAs<ZcDbSymbolTableRecord>(rid);
        if (rec && (getErased || !rec->isErased()) && sameSymbolName(rec->name(), name)) {
            id = rid;
            if (!rec->isErased())
                return Zcad::eOk;  // a live record wins over an erased one of the same name
        }
    }
    return id.isNull() ? Zcad::eKeyNotFound : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const char* name, ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                                         bool openErased) const
{
    record = nullptr;
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = getAt(name, id, openErased); es != Zcad::eOk)
        return es;
    return zcdbOpenObject(record, id, mode, openErased);
}

bool ZcDbSymbolTable::has(const char* name) const
{
    ZcDbObjectId id;
    return getAt(name, id) == Zcad::eOk;
}

bool ZcDbSymbolTable::has(ZcDbObjectId id) const
{
    for (const ZcDbObjectId& rid : m_records)
        if (rid == id)
            return !id.isErased();
    return false;
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbSymbolTableRecord* record)
{
    ZcDbObjectId id;
    return add(id, record);
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbObjectId& id, ZcDbSymbolTableRecord* record)
{
    id.setNull();
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!record)
        return Zcad::eNullObjectPointer;
    if (!database())
        return Zcad::eNotInDatabase;
    if (!record->isNewObject())
        return Zcad::eAlreadyInDb;
    if (!accepts(record))
        return Zcad::eWrongObjectType;
    if (record->name().empty())
        return Zcad::eInvalidSymbolTableName;
    const std::string name = uniqueName(record->name());
    if (has(name.c_str()))
        return Zcad::eDuplicateKey;
    ZcDbObjectAccess::setName(record, name);
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::addToDatabase(database(), record, objectId(), id); es != Zcad::eOk)
        return es;
    m_records.push_back(id);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTable::newIterator(ZcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const
{
    iterator = new ZcDbSymbolTableIterator(m_records, skipDeleted);
    iterator->start(atBeginning, skipDeleted);
    return Zcad::eOk;
}

// ---- layer, linetype, text style records -------------------------------------

namespace {
bool isFiniteValue(double v) { return isDrawingNumber(v); }
}  // namespace

Zcad::ErrorStatus ZcDbLayerTableRecord::setColor(const ZcCmColor& c)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (c.isByLayer() || c.isByBlock())
        return Zcad::eInvalidInput;  // a layer's colour is a real colour
    m_color = c;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLayerTableRecord::setLinetypeObjectId(ZcDbObjectId id)
{
    return setField(m_linetype, id, !id.isNull() && ZcDbObjectAccess::peekAs<ZcDbLinetypeTableRecord>(id));
}

Zcad::ErrorStatus ZcDbLayerTableRecord::setLineWeight(ZcDb::LineWeight w) { return setField(m_lineWeight, w); }
Zcad::ErrorStatus ZcDbLayerTableRecord::setIsOff(bool on) { return setField(m_off, on); }
Zcad::ErrorStatus ZcDbLayerTableRecord::setIsFrozen(bool on) { return setField(m_frozen, on); }
Zcad::ErrorStatus ZcDbLayerTableRecord::setIsLocked(bool on) { return setField(m_locked, on); }
Zcad::ErrorStatus ZcDbLayerTableRecord::setIsPlottable(bool on) { return setField(m_plottable, on); }

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setComments(const char* text)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (text && !isWellFormedUtf8(text))
        return Zcad::eInvalidInput;
    m_comments = text ? text : "";
    return Zcad::eOk;
}

double ZcDbLinetypeTableRecord::patternLength() const
{
    double sum = 0.0;
    for (double d : m_dashes)
        sum += std::fabs(d);
    return sum;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    // The host's linetypes hold at most twelve dashes.
    if (count < 0 || count > 12)
        return Zcad::eInvalidInput;
    m_dashes.resize(size_t(count), 0.0);
    m_elements.resize(size_t(count));
    return Zcad::eOk;
}

double ZcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    return index >= 0 && index < numDashes() ? m_dashes[size_t(index)] : 0.0;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setDashLengthAt(int index, double length)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index < 0 || index >= numDashes())
        return Zcad::eInvalidIndex;
    if (!isFiniteValue(length))
        return Zcad::eInvalidInput;
    m_dashes[size_t(index)] = length;
    return Zcad::eOk;
}

ZcDbLinetypeTableRecord::DashElement ZcDbLinetypeTableRecord::elementAt(int index) const
{
    return index >= 0 && index < numDashes() ? m_elements[size_t(index)] : DashElement{};
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setElementAt(int index, const DashElement& element)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index < 0 || index >= numDashes())
        return Zcad::eInvalidIndex;
    if (!isFiniteValue(element.scale) || !isFiniteValue(element.rotation) || !isFiniteValue(element.offsetX) ||
        !isFiniteValue(element.offsetY) || !isWellFormedUtf8(element.text))
        return Zcad::eInvalidInput;
    m_elements[size_t(index)] = element;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setIsScaledToFit(bool on) { return setField(m_scaledToFit, on); }

Zcad::ErrorStatus ZcDbTextStyleTableRecord::fileName(const char*& name) const
{
    name = m_fileName.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setFileName(const char* name)
{
    return setField(m_fileName, name, name != nullptr && isWellFormedUtf8(name));
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setBigFontFileName(const char* name)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (name && !isWellFormedUtf8(name))
        return Zcad::eInvalidInput;
    m_bigFont = name ? name : "";
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setTextSize(double size)
{
    return setField(m_textSize, size, isFiniteValue(size) && size >= 0.0);
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setXScale(double scale)
{
    return setField(m_xScale, scale, isFiniteValue(scale) && scale > 0.0);
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setObliquingAngle(double angle)
{
    return setField(m_oblique, angle, isFiniteValue(angle));
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setPriorSize(double size)
{
    return setField(m_priorSize, size, isFiniteValue(size) && size > 0.0);
}
