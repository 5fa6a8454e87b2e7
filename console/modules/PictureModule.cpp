#include <cstdlib>

#include "ZcDbDatabase.h"
#include "console/PictureOptions.h"
#include "console/ReportPictures.h"
#include "platform/render/Picture.h"
#include "platform/render/ReferencePictures.h"

extern "C" __attribute__((visibility("default"))) bool
tarvoWritePicture(const ZcDbDatabase& db, const std::string& path, const platform::PictureSettings& settings,
                  std::string& error, std::vector<std::string>* notices)
{
    return platform::writePicture(db, path, settings, error, notices);
}

extern "C" __attribute__((visibility("default"))) void
tarvoReferencePictures(const ZcDbDatabase& db, const std::vector<std::string>& handles, int size,
                       std::vector<std::string>& pictures, std::vector<std::string>& notices)
{
    std::vector<ZcDbObjectId> references;
    for (const std::string& handle : handles) {
        ZcDbObjectId id;
        const uint64_t value = std::strtoull(handle.c_str(), nullptr, 16);
        if (value == 0 || db.getZcDbObjectId(id, false, ZcDbHandle(value)) != Zcad::eOk)
            id = ZcDbObjectId();
        references.push_back(id);
    }
    pictures = platform::referencePictures(db, references, size, notices);
}
