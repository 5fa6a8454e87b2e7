#pragma once

#include <string>
#include <vector>

#include "platform/render/PictureSettings.h"

class ZcDbDatabase;

// The pictures the console makes of a drawing, and how.
struct PictureOptions {
    std::vector<std::string> files;  // .png, .svg or .pdf, in the order given
    platform::PictureSettings settings;
    bool sizeGiven = false;
    bool resolutionGiven = false;
};

// Whether an argument is one of the picture options: --png, --svg, --pdf
// (files) and --size, --resolution, --dark (settings), also as --name=value.
bool isPictureOption(const std::string& arg);
bool isPictureFileOption(const std::string& arg);

// Takes the picture option at args[i], advancing i past its value; false
// with a message for a missing or wrong value, or a file whose extension
// does not match its option.
bool takePictureOption(const std::vector<std::string>& args, size_t& i, PictureOptions& options, std::string& error);

// Writes each picture of the drawing; the picture's notices are printed on
// the command line and failures on standard error. False when one failed.
bool writePictures(const ZcDbDatabase& db, const PictureOptions& options);

// The lines of the usage text about the picture settings.
const char* pictureSettingsUsage();

// The picture module's entry, which writePictures loads and calls: writes
// one picture as platform::writePicture does.
extern "C" bool tarvoWritePicture(const ZcDbDatabase& db, const std::string& path,
                                  const platform::PictureSettings& settings, std::string& error,
                                  std::vector<std::string>* notices);
inline constexpr char kPictureModule[] = "tarvo_picture";
