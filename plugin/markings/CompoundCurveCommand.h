#pragma once

// "D_Koszowa": asks for the middle radius and three points (on the first
// road's edge, where the edges cross, on the second road's edge) and adds
// the compound kerb curve to model space. Esc or Enter at any question ends
// it without drawing; picks that admit no curve are named in one line.
void DrawCompoundCurve();
