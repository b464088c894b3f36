#include "symbols/flow/HOXFlowSubRtn.h"

KT_IMPLEMENT_SERIAL(CHOXFlowSubRtn, CHOXFlowLabel, 0)

CHOXFlowSubRtn::CHOXFlowSubRtn() : CHOXFlowLabel("SUBROUTINE") {}

CHOXFlowSubRtn::CHOXFlowSubRtn(CPoint topLeft, CHOXWnd* wnd) : CHOXFlowLabel("SUBROUTINE", topLeft, wnd)
{
    UpdateText();
}
