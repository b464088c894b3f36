#pragma once
// A button drawn with four pictures that keeps an up or down look of its own,
// set by the program rather than by clicks: up, down, and each of them with
// the keyboard focus. The pictures are named by the button's window text
// with the endings "U", "D", "B" and "X".
#include "platform/ControlBar.h"

#include <QImage>

class CHOXBitmapButton : public CButton {
public:
    CHOXBitmapButton() = default;

    bool IsOwnerDrawn() const override { return true; }
    // Takes over the bar's control and loads its four pictures; false when
    // one of them is missing.
    bool AutoLoad(UINT id, CDialogBar* bar);
    // The button takes the size of its up picture.
    void SizeToContent();
    // The down look (true) or the up look; repaints only on a change.
    void SetState(bool down);
    bool IsUp() const { return m_bUp; }
    // Neither a click's pressed state nor the disabled state chooses a
    // picture; null when there is nothing to draw.
    const QImage* DrawItem(UINT itemState) const override;

private:
    bool m_bUp = true;
    QImage m_bitmapUp;
    QImage m_bitmapDown;
    QImage m_bitmapUpFocus;
    QImage m_bitmapDownFocus;
};
