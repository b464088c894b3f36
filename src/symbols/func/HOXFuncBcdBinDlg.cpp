#include "symbols/func/HOXFuncBcdBinDlg.h"

#include "res/StringIds.h"
#include "symbols/func/HOXFuncBcdBin.h"
#include "symbols/func/HOXFuncMoveDlg.h"

namespace {
// A constant is no code to convert.
bool IsNoConstant(BYTE type) { return type != CHOXSelectVal::kK && type != CHOXSelectVal::kH; }
} // namespace

CHOXFuncBcdBinDlg::CHOXFuncBcdBinDlg(CHOXFuncBcdBin* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        m_b32Bit = symbol->Get32Bit();
        SetOperand(0, symbol->GetSource());
        SetOperand(1, symbol->GetDestination());
    }
    m_labels = {kSourceLabel, kDestinationLabel, "", ""};
    AddKindButton(kBcd, CHOXFuncBcdBin::kBcd, QStringLiteral("  BCD"));
    AddKindButton(kBin, CHOXFuncBcdBin::kBin, QStringLiteral("  BIN"));
}

void CHOXFuncBcdBinDlg::OnSelect1() { SelectWord(0, kSourceList, m_b32Bit != 0, IsNoConstant); }
void CHOXFuncBcdBinDlg::OnSelect2() { SelectWord(1, kDestinationList, m_b32Bit != 0, CHOXFuncMoveDlg::IsWritable); }

void CHOXFuncBcdBinDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    const bool is32Bit = m_b32Bit != 0;
    if (!ReadWordOperand(0, is32Bit, IDS_SOURCE_EMPTY, IsNoConstant, IDS_SOURCE_TYPE_NOT_APPLICABLE, message))
        return RefuseOperand(0, IDS_INVALID_SOURCE_DATA, message);
    if (!ReadWordOperand(1, is32Bit, IDS_DESTINATION_EMPTY, CHOXFuncMoveDlg::IsWritable,
                         IDS_DESTINATION_TYPE_NOT_APPLICABLE, message))
        return RefuseOperand(1, IDS_INVALID_DESTINATION_DATA, message);
    EndDialog(IDOK);
}
