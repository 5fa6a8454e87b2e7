#include "console/PictureOptions.h"
#include "platform/render/Picture.h"

extern "C" __attribute__((visibility("default"))) bool
tarvoWritePicture(const ZcDbDatabase& db, const std::string& path, const platform::PictureSettings& settings,
                  std::string& error, std::vector<std::string>* notices)
{
    return platform::writePicture(db, path, settings, error, notices);
}
