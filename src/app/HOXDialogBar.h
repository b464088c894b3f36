#pragma once
// The main frame's dialog bars: they take the palette slider's moves and
// answer context help over the palette.
#include "platform/ControlBar.h"

class CHOXDialogBar : public CDialogBar {
public:
    void OnVScroll(UINT code, int pos, CSliderCtrl* slider) override;
    int OnHelpHitTest(CPoint point) override;
};
