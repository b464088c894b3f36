#include "symbols/FlowSymbolTestSupport.h"

#include "chart/HOXPin.h"
#include "chart/SymbolSupport.h"

KT_IMPLEMENT_SERIAL(CTestSideExit, CHOXSymbol, 0)

CTestSideExit::CTestSideExit(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    SetPinCount(3);
    SetPin(0, chart::MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, wnd));
    SetPin(1, chart::MakePin(1, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, wnd));
    SetPin(2, chart::MakePin(2, 64, 16, CHOXPin::kSideExit, CHOXPin::kOutput, wnd));
}
