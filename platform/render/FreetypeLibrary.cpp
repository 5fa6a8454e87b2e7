#include "platform/render/FreetypeLibrary.h"

namespace platform {

FT_Library processFreetype()
{
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            lib = nullptr;
        return lib;
    }();
    return library;
}

}  // namespace platform
