// zcedCommand: host commands asked for by an application.

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/editor/HostCommands.h"
#include "zced.h"

using namespace platform;

namespace {

std::string realText(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

}  // namespace

int zcedCommand(int rtype, ...)
{
    std::vector<std::string> items;
    va_list args;
    va_start(args, rtype);
    bool known = true;
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(args, int)) {
        switch (type) {
        case RTSTR: {
            const char* s = va_arg(args, const char*);
            items.emplace_back(s ? s : "");
            break;
        }
        case RTREAL:
        case RTANG:
            items.push_back(realText(va_arg(args, double)));
            break;
        case RTSHORT:
        case RTLONG:
            items.push_back(std::to_string(va_arg(args, int)));
            break;
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(args, const double*);
            if (!p) {
                known = false;
                break;
            }
            std::string text = realText(p[0]) + "," + realText(p[1]);
            if (type == RT3DPOINT)
                text += "," + realText(p[2]);
            items.push_back(text);
            break;
        }
        default:
            // The rest of the list cannot be read without knowing this item's type.
            known = false;
            break;
        }
        if (!known)
            break;
    }
    va_end(args);
    if (!known || items.empty() || items.front().empty())
        return RTERROR;

    std::string name = items.front();
    while (!name.empty() && (name.front() == '_' || name.front() == '.'))
        name.erase(0, 1);
    std::string arguments;
    for (size_t i = 1; i < items.size() && !items[i].empty(); ++i)
        arguments += (arguments.empty() ? "" : " ") + items[i];
    if (!isHostCommand(name))
        return RTERROR;
    return runHostCommand(name, arguments, true) ? RTNORM : RTERROR;
}
