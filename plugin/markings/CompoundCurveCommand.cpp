#include "markings/CompoundCurveCommand.h"

#include "markings/CompoundCurve.h"
#include "resource.h"
#include "services/DatabaseServices.h"
#include "services/Input.h"
#include "zced.h"
#include "zcut.h"

void DrawCompoundCurve()
{
    // The host refuses a zero or negative radius itself and asks again.
    zcedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    const std::optional<double> radius = GetDistance(IDS_PROMPT_MIDDLE_RADIUS);
    if (!radius)
        return;
    ZcGePoint3d firstEdge, corner, secondEdge;
    if (GetPointById(firstEdge, std::nullopt, IDS_PROMPT_FIRST_EDGE) != RTNORM ||
        GetPointById(corner, firstEdge, IDS_PROMPT_EDGE_CROSSING) != RTNORM ||
        GetPointById(secondEdge, corner, IDS_PROMPT_SECOND_EDGE) != RTNORM)
        return;

    const CompoundCurveResult built = BuildCompoundCurve(firstEdge, corner, secondEdge, *radius);
    if (built.fault != CompoundCurveFault::None) {
        zcutPrintf("%s", CompoundCurveFaultMessage(built.fault));
        return;
    }
    ZcDbPolyline* polyline = MakeCompoundCurvePolyline(built.curve);
    if (!polyline) {
        zcutPrintf("%s", CompoundCurveFaultMessage(CompoundCurveFault::OutOfRange));
        return;
    }
    AppendToModelSpace(polyline);
    polyline->close();
}
