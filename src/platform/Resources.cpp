#include "platform/Resources.h"

#include <QFile>
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

QByteArray NamedBitmapFile(const QString& name)
{
    if (name.isEmpty()) return {};
    QFile file(QStringLiteral(":/res/bitmaps/%1.png").arg(name.toUpper()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
