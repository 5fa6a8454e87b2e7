#include "resbuf.h"

#include <cstdlib>
#include <cstring>

#include "platform/core/ResbufTypes.h"

using namespace platform;

resbuf* zcutNewRb(int type)
{
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb)
        rb->restype = short(type);
    return rb;
}

char* zcutNewString(const char* text)
{
    if (!text)
        text = "";
    const size_t n = std::strlen(text) + 1;
    char* s = static_cast<char*>(std::malloc(n));
    if (s)
        std::memcpy(s, text, n);
    return s;
}

int zcutRelRb(resbuf* rb)
{
    while (rb) {
        resbuf* next = rb->rbnext;
        if (resbufHoldsString(rb->restype))
            std::free(rb->resval.rstring);
        else if (rb->restype == 1004 || rb->restype == 310)
            std::free(rb->resval.rbinary.buf);
        std::free(rb);
        rb = next;
    }
    return RTNORM;
}
