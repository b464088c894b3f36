#include "symbols/code/CodeDialogResults.h"

#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "symbols/code/HOXCodeDlg.h"

namespace codedlg {

void TakeCommonResults(CHOXSymbol& symbol, const CHOXCodeDlg& dlg)
{
    symbol.SetComment(dlg.GetComment());
    symbol.SetDisplayComment(dlg.GetDisplayComment());
    symbol.SetDisplayContents(dlg.GetDisplayContents());
}

void FinishEdit(CHOXSymbol& symbol)
{
    symbol.CalcSteps();
    symbol.UpdateText();
    CHOXWnd* wnd = symbol.GetWnd();
    if (wnd == nullptr) return;
    if (CHOXView* view = wnd->GetView()) view->Invalidate(true);
    if (CHOXDoc* doc = wnd->GetDocument()) doc->SetModifiedFlag(true);
    if (CHOXUndo* undo = wnd->GetUndo()) undo->Clear();
}

} // namespace codedlg
