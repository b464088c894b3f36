#include "app/HOXNewFlowChartDlg.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

CHOXNewFlowChartDlg::CHOXNewFlowChartDlg(CMainFrame* parent)
    : CDialog(2066), m_strCaption(LoadStr(IDS_ADD_NEW_FLOW_CHART)), m_pParent(parent)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

void CHOXNewFlowChartDlg::SetTitleAndDescription(const QString& title, const QString& description)
{
    m_strTitle = title;
    m_strDescription = description;
}

void CHOXNewFlowChartDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kDescriptionEdit, m_strDescription);
    DDX_Text(pDX, kTitleEdit, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, kMaxTitle);
}

bool CHOXNewFlowChartDlg::IsSubtaskMode() const
{
    return m_strCaption == LoadStr(IDS_UPDATE_SUBTASK) || m_strCaption == LoadStr(IDS_ADD_NEW_SUBTASK);
}

bool CHOXNewFlowChartDlg::IsAddMode() const
{
    return m_strCaption == LoadStr(IDS_ADD_NEW_FLOW_CHART) || m_strCaption == LoadStr(IDS_ADD_NEW_SUBTASK);
}

bool CHOXNewFlowChartDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(kTitleEdit, !IsSubtaskMode());
    SetWindowText(m_strCaption);
    return true;
}

bool CHOXNewFlowChartDlg::IsReservedTitle(const QString& title) const
{
    const QString upper = title.toUpper();
    // The labels of the workspace tree.
    for (UINT id : {20001u, 20002u, 20003u, 20004u, 20005u, 20006u, 20007u, 20008u, 20009u, 20010u, 20011u, 20013u,
                    20012u, 20014u, 20015u})
        if (upper == LoadStr(id).toUpper()) return true;
    if (upper == QStringLiteral("HOX WINDOWS") || upper.isEmpty()) return true;
    // Frames are told apart by their titles: the monitor window's and those
    // of the blank windows of monitoring must stay theirs alone, and a name
    // must not look like a title in monitor mode.
    for (UINT id : {13001u, 13609u, 13610u, 13611u})
        if (upper == LoadStr(id).toUpper()) return true;
    return upper.endsWith(LoadStr(IDS_MONITOR_MODE_SUFFIX).toUpper());
}

void CHOXNewFlowChartDlg::OnOK()
{
    const QString oldTitle = m_strTitle;
    if (!UpdateData(true)) return;
    m_strTitle = m_strTitle.trimmed();
    if (m_strTitle.isEmpty()) {
        AfxMessageBox(13019, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const bool flowChartMode =
        m_strCaption == LoadStr(IDS_ADD_NEW_FLOW_CHART) || m_strCaption == LoadStr(IDS_UPDATE_FLOW_CHART);
    if (flowChartMode && m_strTitle.toUpper() == LoadStr(IDS_SUBTASK_NAME).toUpper()) {
        AfxMessageBox(13252, MB_OK | MB_ICONSTOP);
        return;
    }
    if (IsReservedTitle(m_strTitle)) {
        AfxMessageBox(m_strTitle + LoadStr(13763), MB_OK | MB_ICONSTOP);
        return;
    }
    // A new window always needs a free name, also when the proposal is taken
    // unchanged; an updated one keeps its own name in any letter case.
    const bool changed = IsAddMode() || m_strTitle.toUpper() != oldTitle.toUpper();
    CMainFrame* frame = m_pParent;
    if (frame == nullptr && CHOXApp::Get() != nullptr) frame = CHOXApp::Get()->MainFrame();
    if (changed && frame != nullptr && frame->WindowNameExists(m_strTitle)) {
        AfxMessageBox(IDS_PROGRAM_TITLE_EXISTS, MB_OK | MB_ICONSTOP);
        m_strTitle = oldTitle;
        return;
    }
    EndDialog(IDOK);
}

void CHOXNewFlowChartDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + 2066); }
