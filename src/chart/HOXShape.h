#pragma once
// Plain drawing shapes with a pen and a fill; also the base of the base
// sheet, the jump-end marker and the node.
#include "chart/HOXDrawObj.h"

#include <QBrush>
#include <QPen>

class CHOXShape : public CHOXDrawObj {
    KT_DECLARE_SERIAL(CHOXShape)
public:
    // Pen and brush as stored: the pen always draws inside the bounds, the
    // brush is always solid.
    struct LogBrush {
        DWORD style = 0; // BS_SOLID
        COLORREF color = RGB(255, 255, 255);
        std::int32_t hatch = 0;
    };
    struct LogPen {
        DWORD style = 6; // PS_INSIDEFRAME
        CPoint width{1, 1};
        COLORREF color = RGB(0, 0, 0);
    };

    CHOXShape();
    // Pen 1 wide and black, white fill; sized by its bottom-right handle.
    CHOXShape(const CRect& position, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kShape; }
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;

    // Each marks the document modified.
    void SetLineWidth(int width);
    void SetLineColor(COLORREF color);
    void SetFillColor(COLORREF color);
    int GetLineWidth() const { return m_logpen.width.x; }
    COLORREF GetLineColor() const { return m_logpen.color; }
    COLORREF GetFillColor() const { return m_logbrush.color; }

protected:
    // Brings the bounds in order after a mouse action (rectangles and
    // ellipses are normalised; lines keep their slope).
    virtual void NormalizeBounds();
    QPen MakeShapePen() const;
    QBrush MakeShapeBrush() const;

    LogBrush m_logbrush;
    LogPen m_logpen;
};
