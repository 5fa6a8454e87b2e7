// libFuzzer target of the DXF reader: whatever bytes it is given, the
// reader gives a drawing or says why not, and never crashes or hangs. A
// drawing it gives is one the writer writes, and what the writer wrote
// reads back to the same file, its multi-line texts showing the same
// lines. With TARVO_FUZZ_SAFETY_ONLY set (as CI
// runs it), that last check is left out: CI's run stops for crashes,
// sanitizer reports and written files that cannot be read, while runs that
// explore also look for drawings that change on a second pass.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ZcDbDatabase.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/text/ShownTexts.h"

using platform::dxfToString;
using platform::readDxf;
using platform::shownMultilineTexts;

namespace {

[[noreturn]] void broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ZcDbDatabase db(false);
    std::string error;
    if (!readDxf(input, db, error, "fuzz")) {
        if (error.empty())
            broken("a failure without a reason", "");
        return 0;
    }
    const std::string written = dxfToString(db, &error);
    if (written.empty())
        broken("a drawing read that cannot be written", error);
    ZcDbDatabase again(false);
    if (!readDxf(written, again, error, "written"))
        broken("a written drawing that cannot be read", error);
    static const bool checkSecondPass = std::getenv("TARVO_FUZZ_SAFETY_ONLY") == nullptr;
    if (checkSecondPass && dxfToString(again) != written)
        broken("a written drawing that changes when read and written again", "");
    if (checkSecondPass && shownMultilineTexts(again) != shownMultilineTexts(db))
        broken("a multi-line text that shows other lines when read back", "");
    return 0;
}
