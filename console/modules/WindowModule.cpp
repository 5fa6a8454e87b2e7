#include "console/WindowCommand.h"
#include "console/window/WindowSession.h"

extern "C" __attribute__((visibility("default"))) int tarvoRunWindow(const WindowRequest& request)
{
    return runWindowSession(request);
}
