#pragma once

namespace platform {

// Whether the rich edit's window class is registered: the framework's
// rich-edit support does it once for the process, and a dialog with a rich
// edit cannot be created without it. Tests set it back.
bool isRichEditClassRegistered();
void setRichEditClassRegistered(bool registered);

}  // namespace platform
