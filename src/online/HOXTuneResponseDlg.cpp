#include "online/HOXTuneResponseDlg.h"

CHOXTuneResponseDlg::CHOXTuneResponseDlg(CWnd*) : CDialog(kTemplate) {}

void CHOXTuneResponseDlg::DoDataExchange(CDataExchange* pDX)
{
    // Exchanged as a signed number so that a minus sign meets the range
    // check rather than wrapping round to a huge count.
    std::int32_t value = static_cast<std::int32_t>(m_nValue);
    DDX_Text(pDX, kValueEdit, value);
    DDV_MinMaxInt(pDX, value, 0, kMaxValue);
    m_nValue = static_cast<std::uint32_t>(value);
}
