#pragma once

#include <string>
#include <vector>

// tarvo render DRAWING.dxf OUT.png|OUT.svg|OUT.pdf... [--size N |
// --resolution R] [--dark]: reads a saved drawing and writes pictures of
// its model space. args are the arguments after "render". Gives the exit
// status: 0 done, 2 wrong usage, 3 a drawing that cannot be read or a
// picture that cannot be written.
int runRenderCommand(const std::vector<std::string>& args);

// The text of tarvo render --help.
const char* renderUsageText();
