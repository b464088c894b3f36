#include "symbols/FlowSymbolTestSupport.h"

#include "chart/HOXPin.h"

KT_IMPLEMENT_SERIAL(CTestSideExit, CHOXSymbol, 0)

CTestSideExit::CTestSideExit(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    const int layout[3][5] = {{0, 32, 0, 0, 1}, {1, 32, 32, 1, 0}, {2, 64, 16, 2, 0}};
    SetPinCount(3);
    for (int i = 0; i < 3; ++i) {
        auto pin = std::make_unique<CHOXPin>();
        pin->Set(layout[i][0], layout[i][1], layout[i][2], layout[i][3], layout[i][4]);
        pin->SetWnd(wnd);
        SetPin(i, std::move(pin));
    }
}
