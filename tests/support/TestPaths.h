#pragma once

// Where the build put what the tests use. The paths are defined in one
// generated file, not on every compile line, so that no test object
// depends on where the checkout lies and other clones share them in ccache.
const char* testSourceDir();     // the source tree
const char* testTmpDir();        // scratch space in the build tree
const char* testPython();        // Debian's python3, which has ezdxf
const char* testTarvoProgram();  // the console
const char* testPlugin();        // tarvo.zrx
const char* testApplication();   // the console tests' small application
