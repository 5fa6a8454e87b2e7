#include "islands/IslandParameters.h"

void applyKindValues(IslandParameters& parameters, IslandKind kind)
{
    IslandParameters& p = parameters;
    if (kind == IslandKind::kTriangular) {
        p.S = 4.0;
        p.Sw = 3.75;
        p.Su = 4.5;
        p.Rw = 12.0;
        p.Ru = 15.0;
        // The break radii stay as they are.
        p.L1 = 0.0;
        p.L2 = 0.0;
        return;
    }
    p.S = 2.5;
    p.Sw = 3.5;
    p.Su = 4.0;
    p.Rw = 8.0;
    p.Ru = 10.0;
    p.Rw1 = 50.0;
    p.Ru1 = 50.0;
    p.L1 = 2.5;
    p.L2 = 4.0;
}
