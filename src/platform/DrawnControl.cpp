#include "platform/DrawnControl.h"

#include "platform/Dialog.h"

#include <algorithm>

CDrawnControl::~CDrawnControl() { SetHost(nullptr); }

bool CDrawnControl::SubclassDlgItem(int id, CDialog* parent)
{
    return parent != nullptr && parent->Site() != nullptr && parent->Site()->AttachDrawnControl(id, this);
}

void CDrawnControl::SetHost(DrawnControlHost* host)
{
    if (host == m_host) return;
    DrawnControlHost* old = m_host;
    m_host = host;
    if (old != nullptr) old->Release(this);
}

void CDrawnControl::Invalidate()
{
    if (m_host != nullptr) m_host->Invalidate();
}

CRect CDrawnControl::GetClientRect() const { return m_host != nullptr ? m_host->GetClientRect() : CRect(); }

bool CDrawnControl::HasFocus() const { return m_host != nullptr && m_host->HasFocus(); }

void CDrawnControl::SetScrollRange(int minPos, int maxPos)
{
    m_scrollMin = std::min(minPos, maxPos);
    m_scrollMax = std::max(minPos, maxPos);
    m_scrollPos = std::clamp(m_scrollPos, m_scrollMin, m_scrollMax);
    if (m_host != nullptr) m_host->ScrollChanged();
    Invalidate();
}

void CDrawnControl::SetScrollPos(int pos)
{
    const int clamped = std::clamp(pos, m_scrollMin, m_scrollMax);
    if (clamped == m_scrollPos) return;
    m_scrollPos = clamped;
    if (m_host != nullptr) m_host->ScrollChanged();
    Invalidate();
}
