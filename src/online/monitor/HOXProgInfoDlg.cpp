#include "online/monitor/HOXProgInfoDlg.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "plc/HOXKzPlcDlg.h"

CHOXProgInfoDlg::CHOXProgInfoDlg(CHOXDoc* doc, CWnd*) : CDialog(kTemplate), m_pDoc(doc)
{
    OnClicked(kPlcButton, [this] { OnKzPlc(); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

bool CHOXProgInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Site()->AddString(kAxisTab, QStringLiteral(" X"));
    if (m_pDoc != nullptr && !ctype::IsOneAxis(m_pDoc->GetControllerType()))
        Site()->AddString(kAxisTab, QStringLiteral(" Y"));
    return true;
}

void CHOXProgInfoDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kProgramNumber, m_nValue); }

std::int32_t CHOXProgInfoDlg::DataNumber(int axis, std::int32_t value)
{
    static constexpr std::int32_t kNumbers[2][3] = {{9001, 9003, 9061}, {9011, 9013, 9081}};
    if (value < 0 || value > 2) return -1;
    return kNumbers[axis == axis::kX ? 0 : 1][value];
}

void CHOXProgInfoDlg::OnKzPlc()
{
    if (!UpdateData(true)) return;
    const int axis = Site()->GetCurSel(kAxisTab) == 0 ? axis::kX : axis::kY;
    const std::int32_t number = DataNumber(axis, m_nValue);
    if (number < 0) return;
    CHOXKzPlcDlg dlg(CHOXKzPlcDlg::kForm16Bit, number, m_pDoc, 1, 0);
    dlg.DoModal();
}
