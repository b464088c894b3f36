#include "convert/HOXExportProgressDlg.h"

#include <algorithm>

CHOXExportProgressDlg::CHOXExportProgressDlg(int lower, int upper, int step, CWnd*)
    : CDialog(4081), m_nLower(lower), m_nUpper(upper), m_nStep(step), m_nPos(lower),
      m_strMessage(QStringLiteral("Message"))
{
}

bool CHOXExportProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowBar();
    return true;
}

void CHOXExportProgressDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, kMessage, m_strMessage); }

void CHOXExportProgressDlg::ShowBar()
{
    if (Site() == nullptr) return;
    Site()->SetRange(kProgressBar, m_nLower, m_nUpper);
    Site()->SetPos(kProgressBar, m_nPos);
    UpdateWindow();
}

void CHOXExportProgressDlg::SetPos(int pos)
{
    m_nPos = std::clamp(pos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    ShowBar();
}

void CHOXExportProgressDlg::Step(UINT n)
{
    const int low = std::min(m_nLower, m_nUpper);
    const int high = std::max(m_nLower, m_nUpper);
    for (UINT i = 0; i < n; ++i) {
        if (m_nLastPos >= m_nUpper - 1) break;
        const int before = m_nPos;
        const std::int64_t next = std::int64_t{m_nPos} + m_nStep;
        m_nPos = static_cast<int>(std::clamp<std::int64_t>(next, low, high));
        m_nLastPos = before;
        // A bar held at a bound by its step goes no further.
        if (m_nPos == before) break;
    }
    ShowBar();
}

void CHOXExportProgressDlg::SetStep(int step)
{
    m_nStep = step;
    ShowBar();
}

void CHOXExportProgressDlg::SetRange(int upper)
{
    m_nLower = 0;
    m_nUpper = upper;
    m_nLastPos = 0;
    m_nPos = std::clamp(m_nPos, std::min(0, upper), std::max(0, upper));
    ShowBar();
}
