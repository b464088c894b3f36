#include "platform/Clipboard.h"

namespace {
ClipboardService* g_service = nullptr;
}

namespace clipboard {

void SetService(ClipboardService* service) { g_service = service; }
ClipboardService* GetService() { return g_service; }

QString FormatName(std::string_view name)
{
    QString type = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toLower();
    type.replace(u'_', u'-');
    return QStringLiteral("application/x-kinetrace-") + type;
}

QString TextFormat() { return QStringLiteral("text/plain"); }

bool Offer(const QString& format, const QByteArray& bytes) { return Offer({{format, bytes}}); }

bool Offer(const std::vector<std::pair<QString, QByteArray>>& blocks)
{
    if (g_service == nullptr) return false;
    g_service->Offer(blocks);
    return true;
}

bool IsAvailable(const QString& format) { return g_service != nullptr && g_service->IsAvailable(format); }

std::optional<QByteArray> Take(const QString& format)
{
    if (g_service == nullptr) return std::nullopt;
    return g_service->Take(format);
}

} // namespace clipboard
