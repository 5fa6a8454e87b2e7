#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ZrxExport.h"

namespace platform {

// Every file the platform writes (drawings, pictures) goes through here, so
// that one set of rules says where a write may land and how it is made:
//   - a symbolic link is followed: its target gets the new content and the
//     link stays a link;
//   - a folder, a device, a FIFO or a socket is never written;
//   - a read-only file is not replaced, as a CAD program will not save over
//     one, and neither is a file with other names (hard links), which a
//     replacement would part from this one;
//   - a file the run is reading (its script, its registry) is not replaced;
//   - the content goes to a temporary file beside the target, flushed to
//     disk, then renamed over it: the target is the old file or the whole new
//     one. SIGINT, SIGTERM, SIGHUP and SIGQUIT during the write remove the
//     temporary file.

// The file a write to path would replace or create (links followed), or
// nothing with error ("cannot write PATH: why") when the rules above refuse it.
ZRX_EXPORT std::optional<std::string> outputTarget(const std::string& path, std::string& error);

// Marks a file the run reads, so that no output replaces it; what names it
// in the refusal ("the script being run").
ZRX_EXPORT void protectFromOutput(const std::string& path, std::string what);
// Forgets the files marked (a new run).
ZRX_EXPORT void clearOutputProtection();

using OutputSink = std::function<bool(std::string_view)>;
// Writes the content of a file: false with problem when it cannot be made or
// the sink refused a chunk.
using OutputProducer = std::function<bool(const OutputSink& sink, std::string& problem)>;

// Writes path whole by the rules above. On failure nothing but what was
// there before is left, and error names the path and the reason.
ZRX_EXPORT bool writeOutputFile(const std::string& path, const OutputProducer& produce, std::string& error);

}  // namespace platform
