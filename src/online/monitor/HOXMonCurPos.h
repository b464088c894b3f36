#pragma once
// The current positions of the X axis and, on a two-axis controller, of the
// Y axis, as last read while monitoring, with the unit they are read in.
#include "online/monitor/HOXMonObj.h"

class CHOXMonCurPos : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonCurPos)
public:
    // Units of the positions.
    static constexpr std::int32_t kUnitSystem = 0;
    static constexpr std::int32_t kUnitPulse = 1;
    // The panel's background.
    static constexpr COLORREF kFillColor = RGB(255, 255, 255);
    // Where the values end, from the panel's left edge.
    static constexpr int kValueEnd = 115;

    // For loading: positions 0 in system units.
    CHOXMonCurPos();
    // The same in the window record, at the model's default bounds: one row
    // on a one-axis controller, two otherwise.
    explicit CHOXMonCurPos(CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonCurPos; }
    // A framed panel with a row "X:" and, on a two-axis controller, a row
    // "Y:", each value right-aligned.
    void Draw(CDC* pDC) override;
    // In either mode: the "Current Position Object" dialog; closed with
    // "&Close" its unit choice becomes the object's.
    void OnOpen(UINT flags, CPoint point) override;

    void SetPositions(std::int32_t x, std::int32_t y);
    std::int32_t GetXPosition() const { return m_nXPos; }
    std::int32_t GetYPosition() const { return m_nYPos; }
    // The unit the positions are read in; not stored, so a loaded object
    // starts in system units.
    std::int32_t GetUnit() const { return m_nUnit; }
    void SetUnit(std::int32_t unit) { m_nUnit = unit; }

private:
    std::int32_t m_nXPos = 0;
    std::int32_t m_nYPos = 0;
    std::int32_t m_nUnit = kUnitSystem;
};
