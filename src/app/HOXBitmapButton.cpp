#include "app/HOXBitmapButton.h"

#include "platform/Resources.h"

bool CHOXBitmapButton::AutoLoad(UINT id, CDialogBar* bar)
{
    if (!IsWindow() && !SubclassDlgItem(id, bar)) return false;
    m_bitmapUp = QImage();
    m_bitmapDown = QImage();
    m_bitmapUpFocus = QImage();
    m_bitmapDownFocus = QImage();
    const QString name = GetWindowText();
    QImage* const targets[] = {&m_bitmapUp, &m_bitmapDown, &m_bitmapUpFocus, &m_bitmapDownFocus};
    const char* const endings[] = {"U", "D", "B", "X"};
    for (int i = 0; i < 4; ++i) {
        *targets[i] = LoadNamedBitmapResource(name + QLatin1String(endings[i]));
        if (targets[i]->isNull()) return false;
    }
    SizeToContent();
    return true;
}

void CHOXBitmapButton::SizeToContent()
{
    CRect rect = GetClientRectInBar();
    rect.right = rect.left + m_bitmapUp.width();
    rect.bottom = rect.top + m_bitmapUp.height();
    MoveWindow(rect);
}

void CHOXBitmapButton::SetState(bool down)
{
    if (m_bUp != down) return;
    m_bUp = !down;
    Invalidate();
}

const QImage* CHOXBitmapButton::DrawItem(UINT itemState) const
{
    const bool focus = (itemState & ODS_FOCUS) != 0;
    const QImage* bitmap = m_bUp ? &m_bitmapUp : &m_bitmapDown;
    if (focus && !m_bitmapUpFocus.isNull()) bitmap = &m_bitmapUpFocus;
    if (focus && !m_bitmapDownFocus.isNull() && !m_bUp) bitmap = &m_bitmapDownFocus;
    return bitmap->isNull() ? nullptr : bitmap;
}
