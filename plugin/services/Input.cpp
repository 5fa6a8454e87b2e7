#include "services/Input.h"

#include <cmath>

#include "frame/StringTable.h"
#include "resource.h"
#include "zcdbAdsName.h"
#include "zced.h"
#include "zcut.h"

namespace {

// zcedTrans' names of the coordinate systems.
constexpr short kWorld = 0;
constexpr short kUser = 1;

ZcGePoint3d transformed(const ZcGePoint3d& p, short from, short to)
{
    resbuf source{};
    source.restype = RTSHORT;
    source.resval.rint = from;
    resbuf target{};
    target.restype = RTSHORT;
    target.resval.rint = to;
    const ads_point in = {p.x, p.y, p.z};
    ads_point out = {p.x, p.y, p.z};
    zcedTrans(in, &source, &target, 0, out);
    return {out[0], out[1], out[2]};
}

}  // namespace

int GetPoint(ZcGePoint3d& out, std::optional<ZcGePoint3d> base, const char* prompt)
{
    ads_point answer = {0.0, 0.0, 0.0};
    int status = RTERROR;
    if (base) {
        const ZcGePoint3d b = transformed(*base, kWorld, kUser);
        const ads_point from = {b.x, b.y, b.z};
        status = zcedGetPoint(from, prompt, answer);
    } else {
        status = zcedGetPoint(nullptr, prompt, answer);
    }
    if (status != RTNORM)
        return RTERROR;
    out = transformed({answer[0], answer[1], answer[2]}, kUser, kWorld);
    return RTNORM;
}

int GetPointById(ZcGePoint3d& out, std::optional<ZcGePoint3d> base, unsigned promptId)
{
    return GetPoint(out, base, LoadTarvoString(promptId));
}

int GetPointNoBase(ZcGePoint3d& out, const char* prompt) { return GetPoint(out, std::nullopt, prompt); }

int GetNextPointById(ZcGePoint3d& out, const ZcGePoint3d& base, unsigned promptId)
{
    // The base is copied: out may be the caller's base.
    const ZcGePoint3d from = base;
    int result = RTNORM;
    do {
        result = GetPointById(out, from, promptId);
    } while (result == RTNORM && std::hypot(out.x - from.x, out.y - from.y) <= kRepeatedPick);
    return result;
}

std::optional<ZcGePoint3d> PickPoint(std::optional<ZcGePoint3d> base, const char* prompt, bool toWorld)
{
    ads_point answer = {0.0, 0.0, 0.0};
    int status = RTERROR;
    if (base) {
        const ads_point from = {base->x, base->y, base->z};
        status = zcedGetPoint(from, prompt, answer);
    } else {
        status = zcedGetPoint(nullptr, prompt, answer);
    }
    if (status != RTNORM)
        return std::nullopt;
    const ZcGePoint3d p(answer[0], answer[1], answer[2]);
    return toWorld ? transformed(p, kUser, kWorld) : p;
}

std::optional<double> GetDistance(unsigned promptId)
{
    ads_real distance = 0.0;
    if (zcedGetDist(nullptr, LoadTarvoString(promptId), &distance) != RTNORM)
        return std::nullopt;
    return distance;
}

bool SelectEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode)
{
    entity = nullptr;
    ads_name name = {0, 0};
    ads_point picked = {0.0, 0.0, 0.0};
    if (zcedEntSel(LoadTarvoString(IDS_PROMPT_OBJECT), name, picked) != RTNORM) {
        zcutPrintf("\nError selecting the entity!");
        return false;
    }
    ZcDbObjectId id;
    if (zcdbGetObjectId(id, name) != Zcad::eOk || zcdbOpenZcDbEntity(entity, id, mode) != Zcad::eOk) {
        entity = nullptr;
        zcutPrintf("\nError opening the entity!");
        return false;
    }
    return true;
}
