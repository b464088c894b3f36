#include "platform/Resources.h"

#include <QString>

QImage LoadBitmapResource(UINT id)
{
    return QImage(QStringLiteral(":/res/bitmaps/%1.png").arg(id));
}

QImage LoadNamedBitmapResource(const QString& name)
{
    if (name.isEmpty()) return {};
    return QImage(QStringLiteral(":/res/bitmaps/%1.png").arg(name.toUpper()));
}
