#pragma once

namespace platform {

// What a result buffer of a type code holds.
enum class ResbufValue { String, Real, Point, Short, Long, Binary, Name, None };

inline ResbufValue resbufValueKind(int code)
{
    if (code == 1004 || code == 310)
        return ResbufValue::Binary;
    if ((code >= 1000 && code <= 1009) || code == 5005 || (code >= 0 && code <= 9) || (code >= 300 && code <= 309) ||
        code == 1 || code == 2 || (code >= 100 && code <= 102) || code == 105)
        return ResbufValue::String;
    if ((code >= 1010 && code <= 1013) || code == 5002 || code == 5009 || (code >= 10 && code <= 18))
        return ResbufValue::Point;
    if ((code >= 1040 && code <= 1042) || code == 5001 || code == 5004 || (code >= 40 && code <= 59) ||
        (code >= 140 && code <= 149))
        return ResbufValue::Real;
    if (code == 1070 || code == 5003 || (code >= 60 && code <= 79) || (code >= 170 && code <= 179) ||
        (code >= 270 && code <= 289))
        return ResbufValue::Short;
    if (code == 1071 || code == 5010 || (code >= 90 && code <= 99))
        return ResbufValue::Long;
    if (code == 5006 || (code >= 330 && code <= 369))
        return ResbufValue::Name;
    return ResbufValue::None;
}

inline bool resbufHoldsString(int code) { return resbufValueKind(code) == ResbufValue::String; }

}  // namespace platform
