#pragma once
// Help by context number: 0x10000 + topic for symbols and palette tools,
// 0x10000 + command id for a command, 0x20000 + resource id for dialogs and
// views. Pages are the program's own: res/help/<context in hex>.html, or an
// anchor named by the context in hex on a page that gathers several
// (commands, objects); index.html is the contents.
#include "platform/Types.h"

#include <QString>

// The help context of a command or control: this base plus its id.
constexpr UINT HID_BASE_COMMAND = 0x10000;
// The help context of a dialog or view: this base plus its resource id.
constexpr UINT HID_BASE_RESOURCE = 0x20000;

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows a help page (a resource path, perhaps with "#anchor").
    virtual void ShowPage(const QString& resourcePath) = 0;
};

// The viewer pages go to; null: none (pages are then not shown).
void SetHelpViewer(HelpViewer* viewer);
HelpViewer* GetHelpViewer();

// The resource path of a context's own page, empty when it has none.
QString HelpPageFor(UINT context);
// The contents page.
QString HelpContentsPage();
// The page help shows for a context: its own; else that of the window it
// belongs to (windowContext, 0 for none); else the contents. Never nothing.
QString HelpPageOrFallback(UINT context, UINT windowContext = 0);
// Shows that page.
void AfxWinHelp(UINT context, UINT windowContext = 0);
// Shows the contents page.
void AfxHelpContents();
