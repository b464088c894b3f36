#pragma once
// Bars beside the main window's client area that dock at its left edge or
// float in a frame of their own. The bar's logic decides its size for each
// state; the window shows it, docks and floats it as the user drags it, and
// asks the logic again whenever the state or the floating height changes.
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <QString>

#include <vector>

// Modes of a bar's size computation.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

// One entry of a popup menu; id 0 is a separator.
struct PopupMenuItem {
    QString text;
    UINT id = 0;
    bool enabled = false;
};

// What the window of a bar asks of the bar's logic.
class DockBarClient {
public:
    virtual ~DockBarClient() = default;
    // The bar's size: length -1 for the present state (docked: LM_VERTDOCK,
    // floating: LM_MRUWIDTH), or the height the user stretched the floating
    // bar to (LM_LENGTHY).
    virtual CSize CalcDynamicLayout(int length, DWORD mode) = 0;
    // Context help was asked for over the bar.
    virtual void OnHelpHitTest() = 0;
};

// The window of a bar.
class DockBarHost {
public:
    virtual ~DockBarHost() = default;
    virtual void Show(bool show) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsFloating() const = 0;
    // Docks the bar at the left edge, above the bars docked there.
    virtual void DockLeft() = 0;
    // Shows the menu at the screen point until the user chooses an entry or
    // dismisses it: the chosen id, 0 for none.
    virtual UINT TrackPopupMenu(const std::vector<PopupMenuItem>& items, CPoint screen) = 0;
};
