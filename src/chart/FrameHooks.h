#pragma once
// What the chart views ask of the program's main window, which implements
// it: the zoom box, the connect button of the palette, the status bar's
// panes and the bars the print preview hides. The views reach the window
// through this alone; without a main window (in most tests) there are no
// hooks and the views ask nothing.
#include <QString>

class FrameHooks {
public:
    virtual ~FrameHooks() = default;
    // The zoom step the zoom box shows, -1 for none.
    virtual int GetZoomBoxSelection() const = 0;
    virtual void SetZoomBoxSelection(int index) = 0;
    // The connect button looks pressed while the wire tool is on.
    virtual void SetConnectButtonState(bool pressed) = 0;
    virtual void SetStatusPaneText(int pane, const QString& text) = 0;
    // The print preview puts the bars away while it shows its pages (the
    // edit toolbars, the palette with the workspace) and brings them back.
    virtual void HideEditBars() = 0;
    virtual void HideEditToolBars() = 0;
    virtual void HidePaletteBars() = 0;
    virtual void ShowEditBars() = 0;
    virtual void ShowPaletteBars() = 0;
};

// The main window's hooks, or null.
FrameHooks* GetFrameHooks();
// The application names its main window once it has one; the window takes
// itself back when it goes.
void SetFrameHooks(FrameHooks* hooks);
