#include "app/HOXDialogBar.h"

#include "app/MainFrame.h"
#include "res/CommandIds.h"

void CHOXDialogBar::OnVScroll(UINT code, int pos, CSliderCtrl* slider)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(GetOwner())) frame->OnPaletteVScroll(code, pos, slider);
}

int CHOXDialogBar::OnHelpHitTest(CPoint point)
{
    // A group button answers for itself.
    const int own = CDialogBar::OnHelpHitTest(point);
    for (UINT group : {ID_FLOW_GROUP, ID_CODE_GROUP, ID_FUNC_GROUP})
        if (own == static_cast<int>(HID_BASE_COMMAND + group)) return own;
    auto* frame = dynamic_cast<CMainFrame*>(GetOwner());
    return frame != nullptr ? frame->PaletteHelpHitTest(ClientToScreen(point)) : -1;
}
