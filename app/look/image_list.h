// ImageList2 as a Win32 image list at a monitor's dots per inch.
#pragma once

#include "app/window/win_handles.h"

namespace merulan {

// The four palette pictures, scaled to the dpi, with alpha and a transparency mask.
UniqueImageList createPaletteImageList(unsigned dpi);

} // namespace merulan
