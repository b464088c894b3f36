#pragma once
// Help by context number: 0x10000 + topic for symbols and palette tools,
// 0x20000 + resource id for dialogs and views. Pages are the program's own
// (res/help/<context in hex>.html, index.html for the contents).
#include "platform/Types.h"

#include <QString>

// The help context of a dialog or view: this base plus its resource id.
constexpr UINT HID_BASE_RESOURCE = 0x20000;

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows a help page (a resource path).
    virtual void ShowPage(const QString& resourcePath) = 0;
};

// The viewer pages go to; null: none (pages are then not shown).
void SetHelpViewer(HelpViewer* viewer);
HelpViewer* GetHelpViewer();

// The resource path of a context's page, empty when the program has none.
QString HelpPageFor(UINT context);
// Shows the context's page, or tells the user that there is none.
void AfxWinHelp(UINT context);
// Shows the contents page.
void AfxHelpContents();
