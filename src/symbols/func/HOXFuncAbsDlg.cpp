#include "symbols/func/HOXFuncAbsDlg.h"

#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "params/HOXParamAbsPosDlg.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncAbs.h"

CHOXFuncAbsDlg::CHOXFuncAbsDlg(CHOXFuncAbs* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) m_nKind = symbol->GetAbsAxis();
    // The one-axis controller has no Y to read.
    if (IsOneAxisMode()) m_nKind = CHOXFuncAbs::kXAxis;
    AddKindButton(kXAxis, CHOXFuncAbs::kXAxis, LoadStr(IDS_XAB_WORD));
    AddKindButton(kYAxis, CHOXFuncAbs::kYAxis, QStringLiteral("  YAB"));
    OnClicked(kParameter, [this] { OnParameter(); });
}

void CHOXFuncAbsDlg::EnableForKind() { EnableDlgItem(kYAxis, !IsOneAxisMode()); }

void CHOXFuncAbsDlg::OnParameter()
{
    CHOXDoc* doc = GetDocument();
    if (doc == nullptr) return;
    CHOXParamAbsPosDlg dlg(&doc->GetParam());
    dlg.DoModal();
}

void CHOXFuncAbsDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (IsOneAxisMode()) m_nKind = CHOXFuncAbs::kXAxis;
    EndDialog(IDOK);
}
