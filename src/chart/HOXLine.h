#pragma once
// A straight line: its bounds are its two end points, (left, top) the first
// and (right, bottom) the second.
#include "chart/HOXShape.h"

class CHOXLine : public CHOXShape {
    KT_DECLARE_SERIAL(CHOXLine)
public:
    CHOXLine();
    CHOXLine(const CRect& position, CHOXWnd* wnd);
    int GetObjectType() const override { return objtype::kLine; }
    int GetHandleCount() const override { return 2; }
    CPoint GetHandle(int n) const override;
    void Draw(CDC* pDC) override;
    bool Intersects(const CRect& rect) const override;
    void MoveHandleTo(int n, CPoint point, CHOXView* view) override;
    Cursor GetHandleCursor(int n) const override;

    // Alignment: side 0 smaller x, 1 larger x, 2 smaller y, 3 larger y;
    // any other side the first end's x.
    int GetEdge(int side) const;
    // The line moved, length and slope kept, so that the side's edge lies at
    // the value; any other side leaves it where it is.
    CRect GetAlignedRect(int side, int value) const;
    // 0 when the line joins the top-left and bottom-right corners of its
    // normalised bounds, 1 when it joins the other two (for the bounds as
    // they are now; drawing stores it).
    std::int32_t GetDirection() const;

protected:
    void NormalizeBounds() override;

private:
    std::int32_t m_nDirection = 0;
};
