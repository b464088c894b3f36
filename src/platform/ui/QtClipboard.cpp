#include "platform/ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {
QClipboard* SystemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}
} // namespace

void QtClipboard::Offer(const std::vector<std::pair<QString, QByteArray>>& blocks)
{
    QClipboard* board = SystemClipboard();
    if (board == nullptr) return;
    auto data = std::make_unique<QMimeData>();
    for (const auto& [format, bytes] : blocks) data->setData(format, bytes);
    // The clipboard owns the data from here on.
    board->setMimeData(data.release());
}

bool QtClipboard::IsAvailable(const QString& format) const
{
    QClipboard* board = SystemClipboard();
    const QMimeData* data = board != nullptr ? board->mimeData() : nullptr;
    return data != nullptr && data->hasFormat(format);
}

std::optional<QByteArray> QtClipboard::Take(const QString& format) const
{
    QClipboard* board = SystemClipboard();
    const QMimeData* data = board != nullptr ? board->mimeData() : nullptr;
    if (data == nullptr || !data->hasFormat(format)) return std::nullopt;
    return data->data(format);
}
