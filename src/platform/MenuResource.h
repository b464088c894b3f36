#pragma once
// Menus, accelerator tables and toolbars as resources: command ids with their
// texts. The user interface builds menu bars, shortcuts and tool buttons from
// them; every item sends its command id through the routing chain.
#include "platform/Types.h"

#include <QString>

#include <vector>

struct MenuItem {
    QString text;  // "&New\tCtrl+N": mnemonic, then the shortcut shown
    UINT id = 0;   // 0 with no items: a separator
    std::vector<MenuItem> items; // a popup when not empty
    bool IsSeparator() const { return id == 0 && items.empty(); }
    bool IsPopup() const { return !items.empty(); }
};

// The first command of the recent-file list; its item in a menu stands for
// the list.
constexpr UINT kFirstRecentFileCommand = 57616;

// The Window menu's list of open windows: its item in a menu stands for a
// separator and up to nine entries, one for each visible child frame.
constexpr UINT kFirstWindowListCommand = 0xFF00;
constexpr int kMaxWindowListEntries = 9;

struct MenuResource {
    UINT id = 0;
    std::vector<MenuItem> popups;
};

struct Accelerator {
    QString key; // portable key text: "Ctrl+N", "F1", "Shift+F1"
    UINT id = 0;
};

struct ToolbarButton {
    UINT id = 0; // 0: a separator
    QString tip;
    int width = 0; // a slot that holds the zoom box, whose choices run the id: its width
};

struct ToolbarResource {
    UINT id = 0;
    UINT bitmap = 0; // res/bitmaps/<bitmap>.png, one 16 x 15 image per button
    std::vector<ToolbarButton> buttons;
};

const MenuResource* FindMenuResource(UINT id);
const std::vector<Accelerator>* FindAcceleratorTable(UINT id);
const ToolbarResource* FindToolbarResource(UINT id);
