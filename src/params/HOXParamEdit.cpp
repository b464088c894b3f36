// The entry points of the parameter dialogs.
#include "params/HOXParam.h"

#include "app/HOXDoc.h"
#include "params/HOXParamAbsPosDlg.h"
#include "params/HOXParamMachineZeroDlg.h"
#include "params/HOXParamMcodeDlg.h"
#include "params/HOXParamOthersDlg.h"
#include "params/HOXParamProgNoDlg.h"
#include "params/HOXParamPulserDlg.h"
#include "params/HOXParamSettingsDlg.h"
#include "params/HOXParamSpeedDlg.h"
#include "params/HOXParamSubtaskDlg.h"
#include "params/HOXParamSystemDlg.h"
#include "params/HOXParamUnitsDlg.h"

#include <memory>

namespace {
// Runs the dialog; an OK changed the document.
template <class Dialog>
void Edit(CHOXParam* param)
{
    Dialog dlg(param);
    if (dlg.DoModal() == IDOK && param->GetDocument() != nullptr) param->GetDocument()->SetModifiedFlag(true);
}

std::unique_ptr<CHOXParamAxisDlg> MakeAxisDialog(AxisPage page, CHOXParam* param)
{
    switch (page) {
    case AxisPage::Units: return std::make_unique<CHOXParamUnitsDlg>(param);
    case AxisPage::Speed: return std::make_unique<CHOXParamSpeedDlg>(param);
    case AxisPage::MachineZero: return std::make_unique<CHOXParamMachineZeroDlg>(param);
    case AxisPage::Settings: return std::make_unique<CHOXParamSettingsDlg>(param);
    case AxisPage::None: break;
    }
    return nullptr;
}

// Runs the axis dialogs from the first one around the ring for as long as
// the user takes its buttons. Each dialog has returned before its neighbour
// opens, so going round nests nothing; each that ends with OK or a ring
// button changed the document.
void EditAxisRing(CHOXParam* param, AxisPage page)
{
    while (page != AxisPage::None) {
        std::unique_ptr<CHOXParamAxisDlg> dlg = MakeAxisDialog(page, param);
        if (dlg->DoModal() != IDOK) return;
        if (param->GetDocument() != nullptr) param->GetDocument()->SetModifiedFlag(true);
        page = dlg->GetNextPage();
    }
}
} // namespace

void CHOXParam::EditSystem() { Edit<CHOXParamSystemDlg>(this); }
void CHOXParam::EditSubtask() { Edit<CHOXParamSubtaskDlg>(this); }
void CHOXParam::EditProgramNumber() { Edit<CHOXParamProgNoDlg>(this); }
void CHOXParam::EditMcode() { Edit<CHOXParamMcodeDlg>(this); }
void CHOXParam::EditPulser() { Edit<CHOXParamPulserDlg>(this); }
void CHOXParam::EditAbsPosition() { Edit<CHOXParamAbsPosDlg>(this); }
void CHOXParam::EditOthers() { Edit<CHOXParamOthersDlg>(this); }
void CHOXParam::EditUnits() { EditAxisRing(this, AxisPage::Units); }
void CHOXParam::EditSpeed() { EditAxisRing(this, AxisPage::Speed); }
void CHOXParam::EditMachineZero() { EditAxisRing(this, AxisPage::MachineZero); }
void CHOXParam::EditSettings() { EditAxisRing(this, AxisPage::Settings); }
