#include "chart/HOXSystemIcon.h"

#include "platform/DC.h"
#include "platform/Resources.h"

KT_IMPLEMENT_DYNAMIC(CHOXSystemIcon, CObject)

CHOXSystemIcon::CHOXSystemIcon() = default;

CHOXSystemIcon::~CHOXSystemIcon()
{
    m_bitmaps.RemoveAll();
    m_resourceIds.RemoveAll();
}

bool CHOXSystemIcon::LoadBitmap(UINT resourceId, UINT state)
{
    m_bitmaps.SetAt(state, std::make_unique<QImage>(LoadBitmapResource(resourceId)));
    m_resourceIds.SetAt(state, resourceId);
    return true;
}

const QImage* CHOXSystemIcon::GetBitmap(UINT state) const
{
    const std::unique_ptr<QImage>* bitmap = m_bitmaps.Lookup(state);
    return bitmap != nullptr ? bitmap->get() : nullptr;
}

UINT CHOXSystemIcon::GetResourceId(UINT state) const
{
    const UINT* id = m_resourceIds.Lookup(state);
    return id != nullptr ? *id : 0;
}

bool CHOXSystemIcon::Draw(CDC* pDC, int x, int y, UINT state) const
{
    if (GetBitmap(state) == nullptr) return false;
    // Printing takes the picture from the resource again, at the resolution
    // of the device.
    const QImage picture = LoadBitmapResource(GetResourceId(state));
    const CRect target(CPoint(x, y), CSize(picture.width(), picture.height()));
    pDC->FillSolidRect(target, RGB(255, 255, 255));
    pDC->DrawImage(target, picture);
    return true;
}
