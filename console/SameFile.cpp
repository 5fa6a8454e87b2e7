#include "console/SameFile.h"

#include <sys/stat.h>

#include <cstdio>

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool outputsSpareDrawing(const std::string& who, const std::string& drawing, const std::vector<std::string>& outputs)
{
    for (const std::string& output : outputs)
        if (sameFile(output, drawing)) {
            std::fprintf(stderr, "%s: cannot write %s: it is the drawing being read\n", who.c_str(), output.c_str());
            return false;
        }
    return true;
}
