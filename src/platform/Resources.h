#pragma once
// Pictures of the program by resource id (res/bitmaps/<id>.png) or by name
// (res/bitmaps/<NAME>.png, names in upper case): our own artwork.
#include "platform/Types.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The bitmap, or a null image when the program has none with that id.
QImage LoadBitmapResource(UINT id);
// The bitmap of that name in any letter case, or a null image.
QImage LoadNamedBitmapResource(const QString& name);
// The stored PNG file of that name (any letter case) as it is, for handing
// on to other programs; empty when there is none.
QByteArray NamedBitmapFile(const QString& name);
