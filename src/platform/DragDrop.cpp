#include "platform/DragDrop.h"

#include "platform/Clipboard.h"

#include <algorithm>

namespace {
DragService* g_service = nullptr;
}

namespace dragdrop {

void SetService(DragService* service) { g_service = service; }
DragService* GetService() { return g_service; }

} // namespace dragdrop

void COleDataSource::CacheData(const QString& format, const QByteArray& bytes)
{
    auto it = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const auto& block) { return block.first == format; });
    if (it != m_blocks.end()) {
        it->second = bytes;
    } else {
        m_blocks.emplace_back(format, bytes);
    }
}

bool COleDataSource::SetClipboard() const { return clipboard::Offer(m_blocks); }

DWORD COleDataSource::DoDragDrop(ViewHost* source, DWORD allowedEffects) const
{
    if (g_service == nullptr) return DROPEFFECT_NONE;
    // A target may only take what the source allows.
    return g_service->DoDragDrop(source, m_blocks, allowedEffects) & allowedEffects;
}

bool COleDataObject::IsDataAvailable(const QString& format) const
{
    if (m_bClipboard) return clipboard::IsAvailable(format);
    return std::any_of(m_blocks.begin(), m_blocks.end(), [&](const auto& block) { return block.first == format; });
}

std::optional<QByteArray> COleDataObject::GetData(const QString& format) const
{
    if (m_bClipboard) return clipboard::Take(format);
    for (const auto& [name, bytes] : m_blocks)
        if (name == format) return bytes;
    return std::nullopt;
}
