#include "chart/HOXFindNumberDlg.h"

#include "app/HOXDoc.h"
#include "platform/Help.h"
#include "platform/Strings.h"

namespace {
constexpr UINT kMsgNotFound = 13887;
} // namespace

CHOXFindNumberDlg::CHOXFindNumberDlg(CHOXDoc* doc) : CDialog(kTemplate), m_pDoc(doc)
{
    OnClicked(kFindButton, [this] { OnFind(); });
    OnClicked(kCloseButton, [this] { EndDialog(IDOK); });
    OnClicked(kHelpButton, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

int CHOXFindNumberDlg::HighestNumber() const
{
    return ctype::HighestPointerNumber(m_pDoc != nullptr ? m_pDoc->GetControllerType() : ctype::kTwoAxes);
}

bool CHOXFindNumberDlg::OnInitDialog()
{
    Site()->SetRange(kNumberSpin, 0, HighestNumber());
    return CDialog::OnInitDialog();
}

void CHOXFindNumberDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kNumberEdit, m_nNumber);
    const QString text = QString::number(m_nNumber);
    DDV_MaxChars(pDX, text, 3);
    DDV_MinMaxInt(pDX, m_nNumber, 0, HighestNumber());
}

void CHOXFindNumberDlg::OnFind()
{
    if (!UpdateData(true)) return;
    if (m_pDoc != nullptr && m_pDoc->FindSymbolByPointerNumber(m_nNumber)) {
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox(kMsgNotFound, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(kNumberEdit);
    Site()->SetSel(kNumberEdit, 0, -1);
}
