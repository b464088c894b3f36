// The entry points of the parameter dialogs.
#include "params/HOXParam.h"

#include "app/HOXDoc.h"
#include "params/HOXParamAbsPosDlg.h"
#include "params/HOXParamMcodeDlg.h"
#include "params/HOXParamOthersDlg.h"
#include "params/HOXParamProgNoDlg.h"
#include "params/HOXParamPulserDlg.h"
#include "params/HOXParamSubtaskDlg.h"
#include "params/HOXParamSystemDlg.h"

namespace {
// Runs the dialog; an OK changed the document.
template <class Dialog>
void Edit(CHOXParam* param)
{
    Dialog dlg(param);
    if (dlg.DoModal() == IDOK && param->GetDocument() != nullptr) param->GetDocument()->SetModifiedFlag(true);
}
} // namespace

void CHOXParam::EditSystem() { Edit<CHOXParamSystemDlg>(this); }
void CHOXParam::EditSubtask() { Edit<CHOXParamSubtaskDlg>(this); }
void CHOXParam::EditProgramNumber() { Edit<CHOXParamProgNoDlg>(this); }
void CHOXParam::EditMcode() { Edit<CHOXParamMcodeDlg>(this); }
void CHOXParam::EditPulser() { Edit<CHOXParamPulserDlg>(this); }
void CHOXParam::EditAbsPosition() { Edit<CHOXParamAbsPosDlg>(this); }
void CHOXParam::EditOthers() { Edit<CHOXParamOthersDlg>(this); }
