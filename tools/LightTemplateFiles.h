#pragma once

#include <cstddef>
#include <string>

// The files made from the light symbols (tools/LightSymbols.h): each
// symbol's template drawing and catalogue icon, and a sheet of them all.
// The same symbols give the same bytes every time.

// The folders under the installation folder (resources/ in the source
// tree) where the files go.
inline constexpr const char* kLightTemplateFolder = "Wzory/Swiatla";
inline constexpr const char* kLightIconFolder = "icons";

// The template drawing's DXF text: the symbol in model space, on layer
// "0". Empty, with error set, on failure.
std::string lightTemplateDxf(size_t index, std::string& error);

// The 32 x 32 icon (.ico) of the symbol, drawn with strokes wide enough to
// read at that size. Empty, with error set, on failure.
std::string lightIconFile(size_t index, std::string& error);

// Every symbol side by side with its name under it, as a picture (.png,
// .svg or .pdf by the path's extension).
bool writeLightSheet(const std::string& path, std::string& error);
