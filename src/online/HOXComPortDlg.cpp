#include "online/HOXComPortDlg.h"

#include "app/HOXWaitCursor.h"
#include "online/HOXCommLink.h"
#include "online/comm/CommDiag.h"
#include "online/comm/CommMan.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

namespace {
constexpr UINT kMsgOpenFailed = 13173;
constexpr UINT kMsgNoResponse = 13194;
constexpr UINT kMsgConnected = 13934;
constexpr int kPortCount = 4;
} // namespace

CHOXComPortDlg::CHOXComPortDlg(CWnd*) : CDialog(kTemplate)
{
    OnClicked(kTestButton, [this] { OnTest(); });
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

void CHOXComPortDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kCom1Radio, m_nPort); }

QString CHOXComPortDlg::PortNameOf(std::int32_t index)
{
    if (index < 0 || index >= kPortCount) return QString();
    return QStringLiteral("COM%1").arg(index + 1);
}

void CHOXComPortDlg::SetPortName(const QString& name)
{
    for (std::int32_t index = 0; index < kPortCount; ++index)
        if (name == PortNameOf(index)) m_nPort = index;
}

bool CHOXComPortDlg::GetPortName(QString& name) const
{
    const QString chosen = PortNameOf(m_nPort);
    if (chosen.isEmpty()) return false;
    name = chosen;
    return true;
}

void CHOXComPortDlg::OnTest()
{
    if (!UpdateData(true)) return;
    // A link of the test's own: whatever it finds, the choice stays the
    // dialog's until OK.
    CCommMan comm;
    int opened = 0;
    int answered = 0;
    {
        CHOXWaitCursor wait;
        opened = comm.mfi_Open(PortNameOf(m_nPort));
        if (opened == 0) {
            CCommDiag diag;
            answered = comm.mfi_Diagnosis(&diag);
        }
    }
    // A failure also says where the tested port leads and why.
    const QString port = PortNameOf(m_nPort);
    if (opened != 0) {
        AfxMessageBox(kMsgOpenFailed, MB_OK | MB_ICONHAND,
                      CHOXCommLink::DescribePort(port, comm.mfi_GetCommErrorReason()));
    } else if (answered == 0) {
        AfxMessageBox(kMsgConnected, MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox(kMsgNoResponse, MB_OK | MB_ICONHAND, CHOXCommLink::DescribePort(port));
    }
    comm.mfi_Close();
}

void CHOXComPortDlg::OnHelp() { OpenHelp(kHelpContext); }
