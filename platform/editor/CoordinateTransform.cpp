// zcedTrans between the world and the command line's user system.

#include "platform/editor/CommandLine.h"
#include "zced.h"

using namespace platform;

namespace {

enum class System { World, User };

// The system a result buffer names: RTSHORT 0 world, 1 user, 2 display
// (this console shows the user system in plan view).
std::optional<System> systemOf(const resbuf* rb)
{
    if (!rb || rb->restype != RTSHORT)
        return std::nullopt;
    switch (rb->resval.rint) {
    case 0:
        return System::World;
    case 1:
    case 2:
        return System::User;
    default:
        return std::nullopt;
    }
}

}  // namespace

int zcedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result)
{
    const auto source = systemOf(from);
    const auto target = systemOf(to);
    if (!pt || !result || !source || !target)
        return RTERROR;
    const UserCoordinateSystem& ucs = commandLine().ucs();
    ZcGePoint3d p(pt[0], pt[1], pt[2]);
    if (*source != *target) {
        const bool toWorld = *source == System::User;
        if (disp) {
            const ZcGeVector3d v = toWorld ? ucs.vectorToWorld(p.asVector()) : ucs.vectorFromWorld(p.asVector());
            p = {v.x, v.y, v.z};
        } else {
            p = toWorld ? ucs.toWorld(p) : ucs.fromWorld(p);
        }
    }
    result[0] = p.x;
    result[1] = p.y;
    result[2] = p.z;
    return RTNORM;
}
