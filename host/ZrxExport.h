#pragma once

// What the host exports to applications. The host is built with hidden
// visibility: only what is marked here can be linked against, and the
// classes marked have their vtables and type information in the host.
#define ZRX_EXPORT __attribute__((visibility("default")))
