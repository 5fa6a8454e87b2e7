// A small application for the console's end-to-end tests: commands that
// ask for each kind of input and print what they got, and a few that
// misbehave on purpose.

#include <stdexcept>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbLine.h"
#include "ZcEdCommandStack.h"
#include "ZcRx.h"
#include "ZcRxDynamicLinker.h"
#include "zcdbAdsName.h"
#include "zced.h"
#include "zcut.h"

namespace {

const char* const kGroup = "TarvoTest";

const char* statusName(int rc)
{
    switch (rc) {
    case RTNORM:
        return "RTNORM";
    case RTNONE:
        return "RTNONE";
    case RTCAN:
        return "RTCAN";
    case RTERROR:
        return "RTERROR";
    case RTKWORD:
        return "RTKWORD";
    default:
        return "?";
    }
}

// The point in world coordinates, as the system converts what it is given.
void toWorld(const ads_point user, ads_point world)
{
    resbuf from{}, to{};
    from.restype = to.restype = RTSHORT;
    from.resval.rint = 1;
    to.resval.rint = 0;
    zcedTrans(user, &from, &to, 0, world);
}

void printPoint(const char* label, int rc, const ads_point p)
{
    ads_point w;
    toWorld(p, w);
    zcutPrintf("\n%s %s %.3f,%.3f,%.3f", label, statusName(rc), w[0], w[1], w[2]);
}

// Appends a line to model space; leaves it open when asked to.
ZcDbObjectId addLine(const ads_point a, const ads_point b, bool leaveOpen)
{
    ads_point wa, wb;
    toWorld(a, wa);
    toWorld(b, wb);
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbBlockTable* table = nullptr;
    ZcDbBlockTableRecord* ms = nullptr;
    db->getBlockTable(table, ZcDb::kForRead);
    table->getAt(ZCDB_MODEL_SPACE, ms, ZcDb::kForWrite);
    table->close();
    auto* line = new ZcDbLine({wa[0], wa[1], wa[2]}, {wb[0], wb[1], wb[2]});
    line->setDatabaseDefaults(db);
    ZcDbObjectId id;
    ms->appendZcDbEntity(id, line);
    ms->close();
    if (!leaveOpen)
        line->close();
    return id;
}

void point()
{
    ads_point p = {0, 0, 0};
    const int rc = zcedGetPoint(nullptr, "\nWskaż punkt", p);
    printPoint("T_PUNKT", rc, p);
}

// Points until something else than a point: a sequence ended by Enter.
void points()
{
    ads_point p = {0, 0, 0};
    int count = 0, rc;
    while ((rc = zcedGetPoint(count ? p : nullptr, "\nWskaż kolejny punkt", p)) == RTNORM)
        ++count;
    zcutPrintf("\nT_PUNKTY %d %s", count, statusName(rc));
}

void distance()
{
    ads_real d = 0.0;
    zcedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    const int rc = zcedGetDist(nullptr, "\nPodaj długość", &d);
    zcutPrintf("\nT_DLUGOSC %s %.3f", statusName(rc), d);
}

void line()
{
    ads_point a, b;
    if (zcedGetPoint(nullptr, "\nPierwszy punkt", a) != RTNORM || zcedGetPoint(a, "\nDrugi punkt", b) != RTNORM)
        return;
    char handle[32];
    addLine(a, b, false).handle().getIntoAsciiBuffer(handle, sizeof handle);
    zcutPrintf("\nT_LINIA %s", handle);
}

void pick()
{
    ads_name ent;
    ads_point p;
    const int rc = zcedEntSel("\nWskaż obiekt", ent, p);
    ZcDbObjectId id;
    if (rc != RTNORM || zcdbGetObjectId(id, ent) != Zcad::eOk) {
        zcutPrintf("\nT_WSKAZ %s", statusName(rc));
        return;
    }
    char handle[32];
    id.handle().getIntoAsciiBuffer(handle, sizeof handle);
    zcutPrintf("\nT_WSKAZ %s %s", statusName(rc), handle);
}

void leaveOpen()
{
    const ads_point a = {0, 0, 0}, b = {1, 0, 0};
    addLine(a, b, true);
}

void regen() { zcutPrintf("\nT_REGEN %s", statusName(zcedCommand(RTSTR, "REGEN", RTNONE))); }

void fail() { throw std::runtime_error("Registry read failed"); }

void global() { zcutPrintf("\nT_GLOBALNA"); }
void duplicate() { zcutPrintf("\nT_DUP pierwsze"); }
void duplicateAgain() { zcutPrintf("\nT_DUP drugie"); }
void after() { zcutPrintf("\nT_PO"); }
void stray() { zcutPrintf("\nT_OBCA"); }

void add(const char* name, ZcRxFunctionPtr handler, const char* group = kGroup)
{
    ZcEdCommandStack* stack = ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
    const Zcad::ErrorStatus es = stack->addCommand(group, name, name, ZCRX_CMD_TRANSPARENT, handler);
    if (es != Zcad::eOk)
        zcutPrintf("\nodmowa %s: %s", name, Zcad::errorStatusName(es));
}

}  // namespace

extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId)
{
    ZcEdCommandStack* stack = ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
    switch (msg) {
    case ZcRx::kInitAppMsg:
        ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER))->unlockApplication(appId);
        add("T_Punkt", point);
        add("T_Punkty", points);
        add("T_Dlugosc", distance);
        add("T_Linia", line);
        add("T_Wskaz", pick);
        add("T_Otwarty", leaveOpen);
        add("T_Regen", regen);
        add("T_Wyjatek", fail);
        add("T_Dup", duplicate);
        add("t_dup", duplicateAgain);
        add("T_Po", after);
        stack->addCommand(kGroup, "T_GLOBAL", "T_Lokalna", ZCRX_CMD_TRANSPARENT, global);
        // Left behind at unload on purpose: the host must not keep it.
        add("T_Obca", stray, "TarvoObce");
        break;
    case ZcRx::kUnloadAppMsg:
        stack->removeGroup(kGroup);
        break;
    default:
        break;
    }
    return ZcRx::kRetOK;
}
