#pragma once

#include "framework/ui/Picture.h"

// The two icons of the time window, shared by the whole application. Each accessor reads its
// file ("Tick_18.png", "X2_18.png") from the application bundle's resources folder and keeps
// the picture for the rest of the run. While a picture is missing (no folder, no file, not a
// picture) the accessor returns nullptr and looks for the file again on every call.
fw::PicturePtr Tick_18();
fw::PicturePtr X2_18();
