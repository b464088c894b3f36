#pragma once
// What every positioning-code symbol does with its property dialog's OK: it
// takes comment and display flags, and then shows, counts and marks the edit
// so that nothing older can be undone over it.
class CHOXCodeDlg;
class CHOXSymbol;

namespace codedlg {

// Comment, display-comment and display-contents flags.
void TakeCommonResults(CHOXSymbol& symbol, const CHOXCodeDlg& dlg);
// Steps and label anew, the view redrawn, the document modified and the
// window's undo emptied.
void FinishEdit(CHOXSymbol& symbol);

} // namespace codedlg
