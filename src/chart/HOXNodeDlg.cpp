#include "chart/HOXNodeDlg.h"

#include "app/HOXDoc.h"
#include "chart/HOXNode.h"
#include "chart/HOXWnd.h"
#include "platform/Help.h"
#include "platform/Messages.h"

CHOXNodeDlg::CHOXNodeDlg(CHOXWnd* wnd, int number, bool numberTaken)
    : CDialog(2063), m_pWnd(wnd), m_nNewNode(1), m_nInitialNumber(number), m_nNumber(number),
      m_bNumberTaken(numberTaken)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

CHOXNodeDlg::CHOXNodeDlg(CHOXNode* node)
    : CDialog(2063), m_pWnd(node->GetWnd()), m_nNewNode(0),
      m_nInitialNumber(static_cast<std::int32_t>(node->GetId())), m_nNumber(static_cast<std::int32_t>(node->GetId())),
      m_bNumberTaken(false)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

bool CHOXNodeDlg::OnInitDialog()
{
    m_nInitialNumber = m_nNumber;
    const CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    const int highest = ctype::HighestPointerNumber(doc != nullptr ? doc->GetControllerType() : ctype::kTwoAxes);
    if (Site() != nullptr) {
        Site()->SetRange(kNumberSpin, 0, highest);
        Site()->SetPos(kNumberSpin, m_nNumber);
    }
    return CDialog::OnInitDialog();
}

void CHOXNodeDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, kNumberEdit, m_nNumber); }

void CHOXNodeDlg::OnOK()
{
    if (!UpdateData(true)) return;
    CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    if (m_nNumber != m_nInitialNumber && doc != nullptr) {
        if (!doc->IsValidPointerNumber(m_nNumber)) {
            AfxMessageBox(QStringLiteral("ERROR : Invalid Node Pointer number."), MB_OK | MB_ICONHAND);
            return;
        }
        if (doc->IsPointerNumberUsed(m_nNumber)) {
            AfxMessageBox(QStringLiteral("ERROR :  Pointer number is already exists."), MB_OK | MB_ICONHAND);
            return;
        }
        doc->FreePointerNumber(m_nInitialNumber);
        doc->MarkPointerNumberUsed(m_nNumber);
    }
    EndDialog(IDOK);
}

void CHOXNodeDlg::OnCancel()
{
    // Only a number taken for this node goes back: the POINTER's own number
    // stays with the POINTER.
    CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    if (m_nNewNode == 1 && m_bNumberTaken && doc != nullptr) doc->FreePointerNumber(m_nInitialNumber);
    EndDialog(IDCANCEL);
}

void CHOXNodeDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + 2063); }
