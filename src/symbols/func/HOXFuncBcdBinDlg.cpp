#include "symbols/func/HOXFuncBcdBinDlg.h"

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
    if (!ReadWordOperand(0, is32Bit, 13296, IsNoConstant, 13298, message)) return RefuseOperand(0, 13203, message);
    if (!ReadWordOperand(1, is32Bit, 13297, CHOXFuncMoveDlg::IsWritable, 13299, message))
        return RefuseOperand(1, 13204, message);
    EndDialog(IDOK);
}
