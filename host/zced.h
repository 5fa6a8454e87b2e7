#pragma once

#include <cstdint>

#include "ZrxExport.h"
#include "resbuf.h"

// The host's command line. Points are in the current user coordinate
// system. Every input function answers RTNORM with a value, RTNONE for
// Enter, RTCAN for Esc and RTKWORD for one of the keywords set by
// zcedInitGet; RTERROR when it could not ask.

// Asks for a point; base (or null) is where the rubber band starts.
ZRX_EXPORT int zcedGetPoint(const ads_point base, const char* prompt, ads_point result);
// Asks for a distance: a number, or a point whose distance from base is
// taken (without base a second point is asked for).
ZRX_EXPORT int zcedGetDist(const ads_point base, const char* prompt, ads_real* result);
// Asks for an entity by picking: the nearest entity of model space within
// the pick box. RTERROR when nothing is there or on Enter.
ZRX_EXPORT int zcedEntSel(const char* prompt, ads_name ent, ads_point pt);
// The keyword the last input function answered RTKWORD with.
ZRX_EXPORT int zcedGetInput(char* str);

// Limits the next input function's answers: RSG_NONULL refuses Enter,
// RSG_NOZERO and RSG_NONEG refuse zero and negative distances (with the
// host's message, and asks again). Keywords are separated by spaces.
ZRX_EXPORT int zcedInitGet(int flags, const char* keywords);
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004

// Converts a point (or with disp a displacement) between coordinate
// systems given as RTSHORT result buffers: 0 world, 1 user, 2 display
// (the user system in plan view).
ZRX_EXPORT int zcedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result);

// Runs host commands given as typed items (RTSTR, RTREAL, RTSHORT, RTPOINT,
// RT3DPOINT), up to a 0 or RTNONE item: zcedCommand(RTSTR, "REGEN", RTNONE).
ZRX_EXPORT int zcedCommand(int rtype, ...);

// The colour of a palette index 0..255 as red in bits 0-7, green in 8-15,
// blue in 16-23; -1 for an index outside the palette.
ZRX_EXPORT int32_t zcedGetRGB(int colorIndex);
