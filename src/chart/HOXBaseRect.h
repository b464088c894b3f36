#pragma once
// The page of a chart window: a filled rectangle under all objects that
// limits where they may stand and sets the scroll range. The user resizes it
// by its right edge, bottom edge or bottom-right corner.
#include "chart/HOXRect.h"

class CHOXBaseRect : public CHOXRect {
    KT_DECLARE_SERIAL(CHOXBaseRect)
public:
    CHOXBaseRect();
    CHOXBaseRect(const CRect& position, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kBaseRect; }
    void Draw(CDC* pDC) override;
    void MoveHandleTo(int n, CPoint point, CHOXView* view) override;
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnOpen(UINT flags, CPoint point) override {}

    bool IsOnResizeHandle() const { return m_nOnResizeHandle != 0; }
    // The handle under a document point: 5 corner, 4 right edge, 6 bottom
    // edge, 0 none; sets the cursor.
    int HitTestBorder(CHOXView* view, UINT flags, CPoint point);

private:
    // Fits the view's scroll range to the sheet after a resize by a handle.
    void FitScrollRange(CHOXView* view, int handle);

    std::int32_t m_nOnResizeHandle = 0;
};
