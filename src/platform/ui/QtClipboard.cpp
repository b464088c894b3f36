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
    for (const auto& [format, bytes] : blocks) {
        if (format == clipboard::TextFormat())
            data->setText(QString::fromUtf8(bytes));
        else
            data->setData(format, bytes);
    }
    // The clipboard owns the data from here on.
    board->setMimeData(data.release());
}

bool QtClipboard::IsAvailable(const QString& format) const
{
    QClipboard* board = SystemClipboard();
    const QMimeData* data = board != nullptr ? board->mimeData() : nullptr;
    if (data == nullptr) return false;
    // Text comes in more forms than one MIME type (a charset, the desktop's
    // own names); the clipboard knows them all.
    if (format == clipboard::TextFormat()) return data->hasText();
    return data->hasFormat(format);
}

std::optional<QByteArray> QtClipboard::Take(const QString& format) const
{
    QClipboard* board = SystemClipboard();
    const QMimeData* data = board != nullptr ? board->mimeData() : nullptr;
    if (data != nullptr && format == clipboard::TextFormat() && data->hasText()) return data->text().toUtf8();
    if (data == nullptr || !data->hasFormat(format)) return std::nullopt;
    return data->data(format);
}
