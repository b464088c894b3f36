#include "platform/Resources.h"

#include <QString>

QImage LoadBitmapResource(UINT id)
{
    return QImage(QStringLiteral(":/res/bitmaps/%1.png").arg(id));
}
