#include "console/RenderCommand.h"

#include <cstdio>
#include <optional>

#include "ZcDbDatabase.h"
#include "console/ConsolePaths.h"
#include "console/PictureOptions.h"
#include "console/SameFile.h"
#include "console/Session.h"
#include "platform/dxf/DxfReader.h"
#include "platform/editor/Transcript.h"
#include "platform/render/Picture.h"
#include "platform/text/FontFiles.h"

using platform::pictureFormatOf;
using platform::readDxfFile;
using platform::setFontInstallationFolder;
using platform::transcript;

namespace {

struct RenderRequest {
    std::string drawing;
    PictureOptions pictures;
    bool help = false;
};

std::optional<RenderRequest> parseRender(const std::vector<std::string>& args, std::string& error)
{
    RenderRequest r;
    bool drawingGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            r.help = true;
            return r;
        }
        if (isPictureFileOption(arg)) {
            error = "render takes its pictures' names without " + arg.substr(0, arg.find('='));
            return std::nullopt;
        }
        if (isPictureOption(arg)) {
            if (!takePictureOption(args, i, r.pictures, error))
                return std::nullopt;
            continue;
        }
        if (arg.empty() || arg[0] == '-') {
            error = "unexpected argument '" + arg + "' for render";
            return std::nullopt;
        }
        if (!drawingGiven) {
            r.drawing = arg;
            drawingGiven = true;
            continue;
        }
        if (!pictureFormatOf(arg)) {
            error = "'" + arg + "' is not a picture: its name must end in .png, .svg or .pdf";
            return std::nullopt;
        }
        r.pictures.files.push_back(arg);
    }
    if (!drawingGiven || r.pictures.files.empty()) {
        error = "render needs a drawing and at least one picture";
        return std::nullopt;
    }
    return r;
}

// The drawing read is the working one while its pictures are made.
class WorkingForPictures {
public:
    explicit WorkingForPictures(ZcDbDatabase* db) { zcdbHostApplicationServices()->setWorkingDatabase(db); }
    ~WorkingForPictures() { zcdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    WorkingForPictures(const WorkingForPictures&) = delete;
    WorkingForPictures& operator=(const WorkingForPictures&) = delete;
};

}  // namespace

int runRenderCommand(const std::vector<std::string>& args)
{
    std::string error;
    const std::optional<RenderRequest> request = parseRender(args, error);
    if (!request) {
        std::fprintf(stderr, "tarvo: %s\nTry 'tarvo render --help'.\n", error.c_str());
        return kExitUsage;
    }
    if (request->help) {
        std::fputs(renderUsageText(), stdout);
        return kExitSuccess;
    }
    // Texts are drawn in the fonts of the installation, as the plug-in finds them.
    setFontInstallationFolder(findConsolePaths().dataDir);

    if (!outputsSpareDrawing("tarvo render", request->drawing, request->pictures.files))
        return kExitUsage;
    ZcDbDatabase db(false);
    if (!readDxfFile(request->drawing, db, error)) {
        transcript().error("tarvo: " + error);
        return kExitDrawing;
    }
    WorkingForPictures working(&db);
    return writePictures(db, request->pictures) ? kExitSuccess : kExitDrawing;
}

const char* renderUsageText()
{
    static const std::string text = std::string(R"(Usage:
  tarvo render DRAWING.dxf OUT.png|OUT.svg|OUT.pdf... [--size N | --resolution R]
               [--dark]

Reads a drawing and writes pictures of its model space, framed to what is
drawn with a margin; the format follows each picture's extension.

Options:
)") + pictureSettingsUsage() +
                                     R"(
Exit status: 0 success, 2 wrong usage, 3 a drawing that cannot be read or a
picture that cannot be written.
)";
    return text.c_str();
}
