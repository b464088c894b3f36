#include "plc/HOXMcodeKzPlcDlg.h"

CHOXMcodeKzPlcDlg::CHOXMcodeKzPlcDlg(CHOXSymbol* symbol, std::int32_t mcode, std::int32_t axis, std::int32_t changed)
    : CDialog(kTemplate), m_pSymbol(symbol), m_nMcode(mcode), m_nAxis(axis), m_bChanged(changed)
{
}
