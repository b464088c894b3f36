#pragma once
// The pictures of one kind of flow-chart symbol, one per symbol state
// (0 normal, 2 error, 3 missing). The screen takes the loaded picture;
// printing draws the resource again, scaled with the device's mapping.
#include "platform/Object.h"
#include "platform/Types.h"
#include "platform/WordMap.h"

#include <QImage>

#include <memory>

class CDC;

class CHOXSystemIcon : public CObject {
    KT_DECLARE_DYNAMIC(CHOXSystemIcon)
public:
    CHOXSystemIcon();
    ~CHOXSystemIcon() override;

    // Loads the picture of the resource as the state's picture (a missing
    // resource leaves an empty picture) and remembers the resource id.
    bool LoadBitmap(UINT resourceId, UINT state);
    // The state's picture, or null when the state has none.
    const QImage* GetBitmap(UINT state) const;
    // The resource the state's picture came from; 0 when the state has none.
    UINT GetResourceId(UINT state) const;
    // Draws the state's picture at x, y on a white ground, in logical units;
    // false when the state has no picture.
    bool Draw(CDC* pDC, int x, int y, UINT state) const;

private:
    HashOrderMap<UINT, std::unique_ptr<QImage>> m_bitmaps;
    HashOrderMap<UINT, UINT> m_resourceIds;
};
