#pragma once
// One push button of manual operation: start, stop, jog forward, jog
// backward, zero return, feed or error reset of the X or the Y axis. Its
// button index (0 to 13) is stored and gives its id (index + 2), its label
// and what a press and a release send; the feed amount and the pressed look
// live in memory only.
//
// A button index from a file may lie outside 0 to 13: such a button has an
// empty label, is neither a jog nor a feed button and sends nothing; its
// index is written back as read.
#include "online/monitor/HOXMonObj.h"

#include <QString>

class CHOXMonManOpern : public CHOXMonObj {
    KT_DECLARE_SERIAL(CHOXMonManOpern)
public:
    // What the fourteen buttons are, by button index.
    struct Button {
        const char* label;
        // A release sends a second request.
        bool jog;
        // A press sends the feed amount; a double click asks for it.
        bool feed;
    };
    // The button of the index, or null outside 0 to 13.
    static const Button* FindButton(std::int32_t index);

    // For loading: the index comes from the archive.
    CHOXMonManOpern();
    // The button of the index in the window record, at its default bounds,
    // feed amount 0, not pressed. The creator gives it its id.
    CHOXMonManOpern(std::int32_t buttonIndex, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonManOpern; }
    // The object part, then the button index.
    void Serialize(CArchive& ar) override;
    void Draw(CDC* pDC) override;
    // Editing: which button the object is, in "Manual Operation ".
    // Monitoring: a feed button asks for its amount.
    void OnOpen(UINT flags, CPoint point) override;
    // While monitoring a press sends the button's manual operation (a feed
    // button with its amount) and the button stays pressed while the
    // controller took it, but a feed button never; releasing a pressed jog
    // button sends its release. While editing the object is moved.
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;

    // Sets the button's label and answers its id; for an unknown index an
    // empty label and -1.
    static int GetButtonName(std::int32_t index, QString& name);
    // The feed buttons "X FEED" and "Y FEED".
    bool IsFeedButton() const;
    // The jog buttons, whose release is sent too.
    bool IsJogButton() const;
    // Every button is held while pressed; the feed buttons wait for a
    // double click.
    bool IsHeldButton() const override { return true; }
    bool WaitsForDoubleClick() const override { return IsFeedButton(); }

    std::int32_t GetButtonIndex() const { return m_nButtonIndex; }
    void SetButtonIndex(std::int32_t index) { m_nButtonIndex = index; }
    std::int32_t GetFeedValue() const { return m_nFeedValue; }
    void SetFeedValue(std::int32_t value) { m_nFeedValue = value; }
    bool IsPressed() const { return m_nPressed != 0; }
    void SetPressed(bool pressed) { m_nPressed = pressed ? 1 : 0; }

private:
    // Makes the object the button chosen in the dialog, under that button's
    // id, unless the window holds that button already.
    void ChooseButton();
    void AskFeedValue();
    // The jog's second request.
    void SendRelease();

    std::int32_t m_nButtonIndex = 0;
    std::int32_t m_nFeedValue = 0;
    std::int32_t m_nPressed = 0;
    // A press is on its way to the controller; a release that comes
    // meanwhile (a refusal's message takes the focus) is kept for it.
    bool m_bPressing = false;
    bool m_bLetGo = false;
};
