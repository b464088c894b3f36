#include "symbols/flow/FlowDialogResults.h"

#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "symbols/flow/HOXFlowSymbolDlg.h"

namespace flowsym {

void TakeComment(CHOXSymbol& symbol, const CHOXFlowSymbolDlg& dlg, bool displayContents)
{
    symbol.SetComment(dlg.GetComment());
    symbol.SetDisplayComment(dlg.GetDisplayComment());
    if (displayContents) symbol.SetDisplayContents(dlg.GetDisplayContents());
}

void SetModified(CHOXSymbol& symbol)
{
    CHOXWnd* wnd = symbol.GetWnd();
    if (CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr) doc->SetModifiedFlag(true);
}

void Redraw(CHOXSymbol& symbol)
{
    CHOXWnd* wnd = symbol.GetWnd();
    if (CHOXView* view = wnd != nullptr ? wnd->GetView() : nullptr) view->Invalidate(true);
}

void ClearUndo(CHOXSymbol& symbol)
{
    CHOXWnd* wnd = symbol.GetWnd();
    if (CHOXUndo* undo = wnd != nullptr ? wnd->GetUndo() : nullptr) undo->Clear();
}

} // namespace flowsym
