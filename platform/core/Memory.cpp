#include <cstdlib>
#include <new>

#include "ZcArray.h"

void* zcrxAlloc(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void* zcrxRealloc(void* p, size_t size)
{
    void* q = std::realloc(p, size ? size : 1);
    if (!q)
        throw std::bad_alloc();
    return q;
}

void zcrxFree(void* p) { std::free(p); }
