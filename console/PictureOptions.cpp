#include "console/PictureOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "console/ConsoleModule.h"
#include "platform/editor/Transcript.h"
#include "platform/render/Picture.h"

using platform::kMaxPictureSide;
using platform::PictureFormat;
using platform::pictureFormatOf;
using platform::PictureSettings;
using platform::transcript;

namespace {

struct Named {
    const char* name;
    bool takesValue;
};

constexpr Named kOptions[] = {
    {"--png", true}, {"--svg", true}, {"--pdf", true}, {"--size", true}, {"--resolution", true}, {"--dark", false},
};

const Named* optionOf(const std::string& arg)
{
    for (const Named& o : kOptions) {
        const std::string name = o.name;
        if (arg == name || (o.takesValue && arg.rfind(name + "=", 0) == 0))
            return &o;
    }
    return nullptr;
}

bool parseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end && *end == '\0' && std::isfinite(value);
}

}  // namespace

bool isPictureOption(const std::string& arg) { return optionOf(arg) != nullptr; }

bool isPictureFileOption(const std::string& arg)
{
    const Named* o = optionOf(arg);
    const std::string name = o ? o->name : "";
    return name == "--png" || name == "--svg" || name == "--pdf";
}

bool takePictureOption(const std::vector<std::string>& args, size_t& i, PictureOptions& options, std::string& error)
{
    const Named* o = optionOf(args[i]);
    if (!o) {
        error = "unknown option '" + args[i] + "'";
        return false;
    }
    const std::string name = o->name;
    if (!o->takesValue) {
        options.settings.background = PictureSettings::Background::Dark;
        return true;
    }
    std::string value;
    if (args[i] == name) {
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        value = args[++i];
    } else {
        value = args[i].substr(name.size() + 1);
    }
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    if (name == "--size") {
        double size = 0.0;
        if (!parseNumber(value, size) || size != std::floor(size) || size < 1 || size > kMaxPictureSide) {
            error = "--size takes a whole number of pixels from 1 to " + std::to_string(kMaxPictureSide) + ", not '" +
                    value + "'";
            return false;
        }
        if (options.sizeGiven || options.resolutionGiven) {
            error = "give one of --size and --resolution, once";
            return false;
        }
        options.settings.size = int(size);
        options.sizeGiven = true;
        return true;
    }
    if (name == "--resolution") {
        double resolution = 0.0;
        if (!parseNumber(value, resolution) || !(resolution > 0.0)) {
            error = "--resolution takes a positive number of pixels per drawing unit, not '" + value + "'";
            return false;
        }
        if (options.sizeGiven || options.resolutionGiven) {
            error = "give one of --size and --resolution, once";
            return false;
        }
        options.settings.resolution = resolution;
        options.resolutionGiven = true;
        return true;
    }
    const std::optional<PictureFormat> format = pictureFormatOf(value);
    const PictureFormat wanted = name == "--png" ? PictureFormat::Png
                                 : name == "--svg" ? PictureFormat::Svg
                                                   : PictureFormat::Pdf;
    if (format != wanted) {
        error = name + " needs a file name ending in ." + name.substr(2) + ", not '" + value + "'";
        return false;
    }
    options.files.push_back(value);
    return true;
}

bool writePictures(const ZcDbDatabase& db, const PictureOptions& options)
{
    if (options.files.empty())
        return true;
    std::string loadError;
    void* entry = consoleModuleEntry(kPictureModule, "tarvoWritePicture", loadError);
    if (!entry) {
        transcript().error("tarvo: cannot write pictures: " + loadError);
        return false;
    }
    const auto writePicture = reinterpret_cast<decltype(&tarvoWritePicture)>(entry);
    bool ok = true;
    for (const std::string& file : options.files) {
        std::string error;
        std::vector<std::string> notices;
        const bool written = writePicture(db, file, options.settings, error, &notices);
        for (const std::string& notice : notices)
            transcript().print("\n" + file + ": " + notice);
        if (!written) {
            transcript().error("tarvo: " + error);
            ok = false;
        }
    }
    transcript().finishLine();
    return ok;
}

const char* pictureSettingsUsage()
{
    return R"(  --size N             the picture's longer side: N pixels (PNG) or points
                       (SVG, PDF); 1600 unless given
  --resolution R       R pixels (or points) per drawing unit instead
  --dark               a dark background (the drawing editor's) instead of
                       the light one of a plot on paper
)";
}
