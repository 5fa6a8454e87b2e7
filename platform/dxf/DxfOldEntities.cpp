// Entities of R12 files kept as read: the newer form a drawing is written
// in wants each code under its subclass marker, which old files lack.

#include <cstdlib>
#include <string>

#include "platform/db/RawTag.h"
#include "platform/dxf/DxfEntityBuilders.h"

namespace platform {

namespace {

// One subclass of a kind: its marker and the codes that go under it (the
// first subclass takes every code no later one claims).
struct Part {
    const char* marker;
    bool (*claims)(int code);
};

bool none(int) { return false; }
bool arcAngles(int c) { return c == 50 || c == 51; }
bool textVertical(int c) { return c == 73; }
bool attdefOwn(int c) { return c == 3 || c == 2 || c == 70 || c == 73 || c == 74; }
bool attribOwn(int c) { return c == 2 || c == 70 || c == 73 || c == 74; }
bool every(int) { return true; }
bool alignedPoints(int c) { return c == 13 || c == 23 || c == 33 || c == 14 || c == 24 || c == 34; }
bool rotatedAngles(int c) { return c == 50 || c == 52; }
bool alignedOwn(int c) { return alignedPoints(c) || c == 50; }
bool angularOwn(int c) { return (c >= 13 && c <= 16) || (c >= 23 && c <= 26) || (c >= 33 && c <= 36); }
bool angular3Own(int c) { return (c >= 13 && c <= 15) || (c >= 23 && c <= 25) || (c >= 33 && c <= 35); }
bool radialOwn(int c) { return c == 15 || c == 25 || c == 35 || c == 40; }

int flagsOf(const std::vector<ZcDbRawTag>& tags, int code)
{
    for (const ZcDbRawTag& t : tags)
        if (t.code == code)
            return std::atoi(t.value.c_str());
    return 0;
}

std::vector<Part> partsOf(std::string_view kind, const std::vector<ZcDbRawTag>& tags)
{
    if (kind == "LINE")
        return {{"AcDbLine", none}};
    if (kind == "POINT")
        return {{"AcDbPoint", none}};
    if (kind == "CIRCLE")
        return {{"AcDbCircle", none}};
    if (kind == "ARC")
        return {{"AcDbCircle", none}, {"AcDbArc", arcAngles}};
    if (kind == "TRACE" || kind == "SOLID")
        return {{"AcDbTrace", none}};
    if (kind == "3DFACE")
        return {{"AcDbFace", none}};
    if (kind == "SHAPE")
        return {{"AcDbShape", none}};
    if (kind == "VIEWPORT")
        return {{"AcDbViewport", none}};
    // Kinds newer than R12, in a file that says it is one.
    if (kind == "LWPOLYLINE")
        return {{"AcDbPolyline", none}};
    if (kind == "HATCH")
        return {{"AcDbHatch", none}};
    if (kind == "MTEXT")
        return {{"AcDbMText", none}};
    if (kind == "LEADER")
        return {{"AcDbLeader", none}};
    if (kind == "ELLIPSE")
        return {{"AcDbEllipse", none}};
    if (kind == "SPLINE")
        return {{"AcDbSpline", none}};
    if (kind == "XLINE")
        return {{"AcDbXline", none}};
    if (kind == "RAY")
        return {{"AcDbRay", none}};
    if (kind == "TEXT")
        return {{"AcDbText", none}, {"AcDbText", textVertical}};
    if (kind == "ATTDEF")
        return {{"AcDbText", none}, {"AcDbAttributeDefinition", attdefOwn}};
    if (kind == "ATTRIB")
        return {{"AcDbText", none}, {"AcDbAttribute", attribOwn}};
    if (kind == "INSERT")
        return {{flagsOf(tags, 70) > 1 || flagsOf(tags, 71) > 1 ? "AcDbMInsertBlock" : "AcDbBlockReference", none}};
    if (kind == "POLYLINE") {
        const int flags = flagsOf(tags, 70);
        if (flags & 8)
            return {{"AcDb3dPolyline", none}};
        if (flags & 16)
            return {{"AcDbPolygonMesh", none}};
        if (flags & 64)
            return {{"AcDbPolyFaceMesh", none}};
        return {{"AcDb2dPolyline", none}};
    }
    if (kind == "VERTEX") {
        const int flags = flagsOf(tags, 70);
        if ((flags & 128) && !(flags & 64))
            return {{"AcDbFaceRecord", none}};
        const char* own = (flags & 128)  ? "AcDbPolyFaceMeshVertex"
                          : (flags & 64) ? "AcDbPolygonMeshVertex"
                          : (flags & 32) ? "AcDb3dPolylineVertex"
                                         : "AcDb2dVertex";
        return {{"AcDbVertex", none}, {own, every}};
    }
    if (kind == "DIMENSION") {
        switch (flagsOf(tags, 70) & 7) {
        case 0:
            return {{"AcDbDimension", none}, {"AcDbAlignedDimension", alignedPoints},
                    {"AcDbRotatedDimension", rotatedAngles}};
        case 1:
            return {{"AcDbDimension", none}, {"AcDbAlignedDimension", alignedOwn}};
        case 2:
            return {{"AcDbDimension", none}, {"AcDb2LineAngularDimension", angularOwn}};
        case 3:
            return {{"AcDbDimension", none}, {"AcDbDiametricDimension", radialOwn}};
        case 4:
            return {{"AcDbDimension", none}, {"AcDbRadialDimension", radialOwn}};
        case 5:
            return {{"AcDbDimension", none}, {"AcDb3PointAngularDimension", angular3Own}};
        default:
            return {{"AcDbDimension", none}, {"AcDbOrdinateDimension", alignedPoints}};
        }
    }
    return {};
}

}  // namespace

std::vector<ZcDbRawTag> withSubclassMarkers(std::string_view kind, std::vector<ZcDbRawTag> tags)
{
    const std::vector<Part> parts = partsOf(kind, tags);
    if (parts.empty())
        return tags;
    std::vector<std::vector<ZcDbRawTag>> sorted(parts.size());
    for (ZcDbRawTag& t : tags) {
        size_t part = 0;
        for (size_t p = parts.size(); p-- > 1;)
            if (parts[p].claims(t.code)) {
                part = p;
                break;
            }
        sorted[part].push_back(std::move(t));
    }
    std::vector<ZcDbRawTag> out;
    for (size_t p = 0; p < parts.size(); ++p) {
        out.push_back({100, parts[p].marker});
        for (ZcDbRawTag& t : sorted[p])
            out.push_back(std::move(t));
    }
    return out;
}

}  // namespace platform
