#include "platform/editor/OpenObjectCheck.h"

#include "platform/db/ObjectAccess.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"

namespace platform {

std::vector<std::string> describeOpenObjects(const ZcDbDatabase* db)
{
    std::vector<std::string> described;
    if (!db)
        return described;
    for (const ZcDbObjectId id : openObjects(db)) {
        const ZcDbObject* object = ZcDbObjectAccess::peek(id);
        char handle[32];
        id.handle().getIntoAsciiBuffer(handle, sizeof handle);
        described.push_back(std::string(object ? object->isA()->name() : "?") + " " + handle);
    }
    return described;
}

bool checkNothingLeftOpen(const ZcDbDatabase* db, std::string_view after, std::string_view subject)
{
    const std::vector<std::string> open = describeOpenObjects(db);
    if (open.empty())
        return true;
    std::string message =
        "Po " + std::string(after) + std::string(subject) + " pozostały otwarte obiekty (klasa, uchwyt):";
    for (const std::string& o : open)
        message += "\n  " + o;
    commandLine().fail(kExitScriptFailure, message);
    return false;
}

}  // namespace platform
