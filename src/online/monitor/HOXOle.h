#pragma once
// The holder of an embedded item on the monitor page: it gives the item a
// place and a size and is selected, moved, resized and deleted like a shape.
// The item itself cannot be shown on this platform: a placeholder stands in
// its bounds.
#include "chart/HOXDrawObj.h"

#include <memory>

class CHOXCntrlItem;

class CHOXOle : public CHOXDrawObj {
    KT_DECLARE_SERIAL(CHOXOle)
public:
    // For loading.
    CHOXOle();
    CHOXOle(const CRect& position, CHOXWnd* wnd);
    // The item goes with its holder, without a save; the document forgets it.
    ~CHOXOle() override;

    // After the base: the extent (width, height), then the item with its
    // class (null for a holder without one). A stored item belongs to one
    // holder only: a second holder naming it refuses the file.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kOle; }
    // The placeholder: outline and diagonal cross, also for a holder without
    // item; a dotted outline while dragged.
    void Draw(CDC* pDC) override;
    // Deletes the item from the document for good, then as the base.
    bool Remove() override;
    // A clipboard block cannot carry the item's data.
    bool IsTransferable() const override { return false; }
    // The monitor view's mouse: a handle of the one selected holder resizes
    // it, any other press moves it. Released inside the sheet, the holder
    // grows the sheet to keep 15 units beyond it; released partly outside,
    // it goes back.
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;

    CHOXCntrlItem* GetItem() const { return m_pItem.get(); }
    // The holder takes the item and is its holder from now on.
    void AttachItem(std::unique_ptr<CHOXCntrlItem> item);
    // The item's extent (0.01 mm) as it was last read; 0, 0 until then.
    CSize GetExtent() const { return m_sizeExtent; }

private:
    // The sheet keeps 15 units beyond the holder's right and bottom.
    void GrowSheet(CHOXView* view);

    std::unique_ptr<CHOXCntrlItem> m_pItem;
    CSize m_sizeExtent;
};
