#pragma once
// How symbols draw the text beside themselves.
#include "chart/HOXSymbol.h"
#include "chart/HOXWnd.h"
#include "platform/DC.h"

#include <QFont>

namespace chart {

// While it lives, the device draws the text beside symbols: the program's
// monospaced font, no background behind the letters (whose background
// colour would be the sheet's); everything is put back afterwards.
class SideTextScope {
public:
    SideTextScope(CDC* pDC, const CHOXWnd* wnd) : m_pDC(pDC)
    {
        m_oldFont = pDC->SelectFont(CHOXSymbol::LabelFont());
        m_oldMode = pDC->SetBkMode(TRANSPARENT);
        m_oldColor = pDC->SetBkColor(wnd != nullptr ? wnd->GetBaseColor() : RGB(255, 255, 255));
    }
    ~SideTextScope()
    {
        m_pDC->SetBkColor(m_oldColor);
        m_pDC->SetBkMode(m_oldMode);
        m_pDC->SelectFont(m_oldFont);
    }
    SideTextScope(const SideTextScope&) = delete;
    SideTextScope& operator=(const SideTextScope&) = delete;

private:
    CDC* m_pDC;
    QFont m_oldFont;
    int m_oldMode;
    COLORREF m_oldColor;
};

} // namespace chart
