#pragma once

// The platform's inner parts that the plug-in's tests reach, and why. The
// plug-in itself sees only host/; its tests also stand where a user or the
// host stands, around the command, so they set up and read back what the
// host API does not show. Plug-in tests include platform headers only here.

// Opening objects with the platform's closer, to read what a command made.
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
// The palette a picture or an icon is checked against.
#include "platform/core/AciPalette.h"
// Writing the drawing a command made, to read it back or hand it to ezdxf.
#include "platform/dxf/DxfWriter.h"
// Pictures of boards, to look at and compare.
#include "platform/render/Picture.h"
// Fonts and laid-out text: board sizes follow measured text.
#include "platform/text/FontFiles.h"
#include "platform/text/TextContents.h"
#include "platform/text/TextLayout.h"
// Catalogue icons as the dialog runtime reads them.
#include "platform/ui/ImageFiles.h"
// The registry the plug-in reads its installation from, and the message
// boxes it shows, recorded so a test can read them.
#include "platform/win/MessageBoxes.h"
#include "platform/win/Registry.h"
#include "platform/win/RegistryData.h"
