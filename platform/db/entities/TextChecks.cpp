#include "platform/db/entities/TextChecks.h"

#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"

bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

Zcad::ErrorStatus checkTextStyle(ZcDbObjectId style, const ZcDbDatabase* db)
{
    if (style.isNull())
        return Zcad::eOk;
    const auto* record = ZcDbObjectAccess::peekAs<ZcDbTextStyleTableRecord>(style);
    if (!record)
        return Zcad::eWrongObjectType;
    if (record->isErased())
        return Zcad::eWasErased;
    if (db && style.database() != db)
        return Zcad::eWrongDatabase;
    return Zcad::eOk;
}
