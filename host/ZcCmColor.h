#pragma once

#include <cstdint>

#include "ZrxExport.h"

// An entity's colour: by layer, by block, a palette index 1..255 or a true colour.
class ZRX_EXPORT ZcCmColor {
public:
    enum ColorMethod : uint8_t { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3, kNone = 0xC8 };

    ZcCmColor() = default;

    ColorMethod colorMethod() const { return m_method; }
    bool isByLayer() const { return m_method == kByLayer; }
    bool isByBlock() const { return m_method == kByBlock; }
    bool isByACI() const { return m_method == kByACI; }
    bool isByColor() const { return m_method == kByColor; }

    void setByLayer() { m_method = kByLayer; }
    void setByBlock() { m_method = kByBlock; }
    // 0 is by block, 256 by layer, 1..255 the palette; anything else is refused.
    bool setColorIndex(int index);
    // The palette index; 0 by block, 256 by layer, and for a true colour the
    // index the host shows for it (the nearest palette entry).
    int colorIndex() const;
    void setRGB(uint8_t red, uint8_t green, uint8_t blue);
    uint8_t red() const;
    uint8_t green() const;
    uint8_t blue() const;
    // 0x00RRGGBB of a true colour or of the palette entry.
    uint32_t rgb() const;

    bool operator==(const ZcCmColor&) const = default;

private:
    ColorMethod m_method = kByLayer;
    uint8_t m_index = 0;
    uint32_t m_rgb = 0;
};
