#pragma once
// What the flow-control symbols do around their property dialogs: take the
// comment and display flags, mark the document modified, redraw the view and
// empty the window's undo, each symbol in its own order.
class CHOXFlowSymbolDlg;
class CHOXSymbol;

namespace flowsym {

// Comment, display-comment flag and, where the dialog shows it, the
// display-contents flag.
void TakeComment(CHOXSymbol& symbol, const CHOXFlowSymbolDlg& dlg, bool displayContents = true);
void SetModified(CHOXSymbol& symbol);
// The whole view, background too.
void Redraw(CHOXSymbol& symbol);
// Nothing older than the edit can be undone over it.
void ClearUndo(CHOXSymbol& symbol);

} // namespace flowsym
