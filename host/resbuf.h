#pragma once

#include <cstdint>

#include "ZrxExport.h"

// Result values of the command-line input functions.
#define RTNORM 5100
#define RTNONE 5000
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTKWORD (-5005)

// Type codes of result buffers outside extended data.
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RT3DPOINT 5009
#define RTLONG 5010

typedef double ads_real;
typedef ads_real ads_point[3];
typedef int64_t ads_name[2];

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    char* rstring;
    int32_t rlong;
    int64_t rlname[2];
    struct {
        short clen;
        char* buf;
    } rbinary;
};

// One item of a result-buffer list: extended data uses group codes as
// restype (1001 application name, 1000 text, 1040 real, 1070 short, 1071 long,
// 1010 point, 1005 handle, 1002 "{" / "}", 1004 binary).
struct ZRX_EXPORT resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// A new item of the type, zero-filled; strings are owned by the item.
ZRX_EXPORT resbuf* zcutNewRb(int type);
// Releases a whole list with its strings; returns RTNORM.
ZRX_EXPORT int zcutRelRb(resbuf* rb);
// A copy of the string for rstring, released by zcutRelRb.
ZRX_EXPORT char* zcutNewString(const char* text);
