#include "symbols/func/HOXFuncMoveDlg.h"

#include "res/StringIds.h"
#include "symbols/func/HOXFuncMove.h"

CHOXFuncMoveDlg::CHOXFuncMoveDlg(CHOXFuncMove* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        m_b32Bit = symbol->Get32Bit();
        SetOperand(0, symbol->GetSource());
        SetOperand(1, symbol->GetDestination());
    }
    m_labels = {kSourceLabel, kDestinationLabel, "", ""};
    AddKindButton(kMov, CHOXFuncMove::kMov, QStringLiteral("  MOV"));
    AddKindButton(kMmov, CHOXFuncMove::kMmov, QStringLiteral("  MMOV"));
    AddKindButton(kRmov, CHOXFuncMove::kRmov, QStringLiteral("  RMOV"));
}

bool CHOXFuncMoveDlg::IsWritable(BYTE type)
{
    return type != CHOXSelectVal::kK && type != CHOXSelectVal::kH && type != CHOXSelectVal::kKnX;
}

bool CHOXFuncMoveDlg::SourceIs32Bit() const
{
    return m_nKind == CHOXFuncMove::kMov ? m_b32Bit != 0 : m_nKind == CHOXFuncMove::kRmov;
}

bool CHOXFuncMoveDlg::DestinationIs32Bit() const
{
    return m_nKind == CHOXFuncMove::kMov ? m_b32Bit != 0 : m_nKind == CHOXFuncMove::kMmov;
}

void CHOXFuncMoveDlg::EnableForKind()
{
    // The widths of MMOV and RMOV are their own.
    const bool mov = m_nKind == CHOXFuncMove::kMov;
    EnableDlgItem(k32Bit, mov);
    if (!mov) {
        m_b32Bit = 0;
        CheckDlgButton(k32Bit, 0);
    }
}

void CHOXFuncMoveDlg::OnSelect1() { SelectWord(0, kSourceList, SourceIs32Bit()); }
void CHOXFuncMoveDlg::OnSelect2() { SelectWord(1, kDestinationList, DestinationIs32Bit(), IsWritable); }

void CHOXFuncMoveDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    if (!ReadWordOperand(0, SourceIs32Bit(), IDS_SOURCE_EMPTY, AnyType, 0, message))
        return RefuseOperand(0, IDS_INVALID_SOURCE_DATA, message);
    if (!ReadWordOperand(1, DestinationIs32Bit(), IDS_DESTINATION_EMPTY, IsWritable,
                         IDS_DESTINATION_TYPE_NOT_APPLICABLE, message))
        return RefuseOperand(1, IDS_INVALID_DESTINATION_DATA, message);
    EndDialog(IDOK);
}
