#include "symbols/func/HOXFuncRepeatDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncRepeat.h"

namespace {
bool NotZ(BYTE type) { return type != CHOXSelectVal::kZ; }
} // namespace

CHOXFuncRepeatDlg::CHOXFuncRepeatDlg(CHOXFuncRepeat* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        SetOperand(0, symbol->GetCount());
    }
    m_labels[0] = kRepeatLabel;
    AddKindButton(kRpt, CHOXFuncRepeat::kRpt, QStringLiteral("  RPT"));
    AddKindButton(kRpe, CHOXFuncRepeat::kRpe, QStringLiteral("  RPE"));
}

void CHOXFuncRepeatDlg::EnableForKind()
{
    const bool rpt = m_nKind == CHOXFuncRepeat::kRpt;
    EnableOperand(0, rpt);
    if (!rpt) SetOperand(0, CHOXSelectVal());
}

// The count is a 16-bit value whatever the box says.
void CHOXFuncRepeatDlg::OnSelect1() { SelectWord(0, kCountList, false, NotZ); }

void CHOXFuncRepeatDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    if (m_nKind == CHOXFuncRepeat::kRpt && !ReadWordOperand(0, false, IDS_SOURCE_EMPTY, NotZ, 13316, message)) {
        RefuseOperand(0, IDS_INVALID_DATA, message);
        return;
    }
    EndDialog(IDOK);
}
