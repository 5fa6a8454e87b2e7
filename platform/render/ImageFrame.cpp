#include "platform/render/ImageFrame.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "ZcDbDatabase.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"

namespace platform {

namespace {

double number(const std::string& text)
{
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    return r.ec == std::errc() && std::isfinite(v) ? v : 0.0;
}

}  // namespace

std::optional<ImageFrame> imageFrame(const ZcDbRawEntity& image, const ZcDbDatabase& db)
{
    if (image.kind() != "IMAGE")
        return std::nullopt;
    // Insertion corner (10), one pixel along U (11) and V (12), pixels across and up (13).
    double at[2] = {0.0, 0.0}, u[2] = {0.0, 0.0}, v[2] = {0.0, 0.0}, size[2] = {0.0, 0.0};
    uint64_t definition = 0;
    for (const ZcDbRawTag& t : image.tags()) {
        switch (t.code) {
        case 10:
        case 20: at[t.code / 20] = number(t.value); break;
        case 11:
        case 21: u[t.code / 20] = number(t.value); break;
        case 12:
        case 22: v[t.code / 20] = number(t.value); break;
        case 13:
        case 23: size[t.code / 20] = number(t.value); break;
        case 340: std::from_chars(t.value.data(), t.value.data() + t.value.size(), definition, 16); break;
        default: break;
        }
    }
    const ZcGeVector2d across(u[0] * size[0], u[1] * size[0]), up(v[0] * size[1], v[1] * size[1]);
    const double area = across.x * up.y - across.y * up.x;
    if (!std::isfinite(area) || area == 0.0)
        return std::nullopt;
    ImageFrame f;
    const ZcGePoint2d corner(at[0], at[1]);
    f.corners[0] = corner;
    f.corners[1] = corner + across;
    f.corners[2] = corner + across + up;
    f.corners[3] = corner + up;
    ZcDbObjectId id;
    if (definition != 0 && db.getZcDbObjectId(id, false, ZcDbHandle(definition)) == Zcad::eOk)
        if (const auto* def = ZcDbObjectAccess::peekAs<ZcDbRawObject>(id))
            for (const ZcDbRawTag& t : def->tags())
                if (t.code == 1)
                    f.fileName = t.value;
    return f;
}

}  // namespace platform
