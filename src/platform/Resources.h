#pragma once
// Pictures of the program by resource id (res/bitmaps/<id>.png): our own
// artwork.
#include "platform/Types.h"

#include <QImage>

// The bitmap, or a null image when the program has none with that id.
QImage LoadBitmapResource(UINT id);
