// The document's controller commands of the KZ-QW menu: write, verify,
// diagnosis and initialisation. Each is thin: the document's own checks,
// one operation of a connection that lives for the command, and the
// outcome in words.
#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/HOXRegistry.h"
#include "app/MainFrame.h"
#include "online/HOXCommLink.h"
#include "online/HOXProgressMsgDlg.h"
#include "online/HOXTuneResponseDlg.h"
#include "params/HOXParam.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"

namespace {
constexpr UINT kMsgProgramTooLarge = 13566;
constexpr UINT kMsgSteps = 32892;
constexpr UINT kMsgNotSaved = 13595;
constexpr UINT kMsgParametersWritten = 13913;
constexpr UINT kMsgProgramWritten = 13914;
constexpr UINT kMsgVerifyFailed = 13915;
constexpr UINT kMsgIdentical = 13916;
constexpr UINT kMsgInitializeQuestion = 13917;
constexpr UINT kMsgInitializeFailed = 13918;
constexpr UINT kMsgInitialized = 13919;
} // namespace

void CHOXDoc::InitControllerCommands()
{
    OnCommand(ID_CONTROLLER_WRITE, [this] { OnWriteController(); });
    OnCommand(ID_CONTROLLER_VERIFY, [this] { OnVerifyController(); });
    OnCommand(ID_CONTROLLER_DIAGNOSIS, [this] { OnDiagnoseController(); });
    OnCommand(ID_CONTROLLER_INITIALIZE, [this] { OnInitializeController(); });
    OnCommand(ID_TUNE_RESPONSE, [this] { OnTuneSystemResponse(); });
}

QString CHOXDoc::GetComPortName() const
{
    const CHOXApp* app = CHOXApp::Get();
    const CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    return main != nullptr ? main->GetComPort() : CHOXRegistry().ReadCommPort();
}

void CHOXDoc::ShowProgressMessage(const QString& text)
{
    m_pProgressDlg->SetMessage(text);
    m_pProgressDlg->Create();
}

void CHOXDoc::CloseProgressMessage() { m_pProgressDlg->DestroyWindow(); }

void CHOXDoc::OnWriteController()
{
    // The memory the program may use never goes below 0, so more file
    // registers than memory refuse every program rather than none.
    const std::int32_t memory = m_pParam->GetProgramMemorySize();
    if (GetTotalSteps() > static_cast<std::uint32_t>(memory)) {
        AfxMessageBox(LoadStr(kMsgProgramTooLarge) + QStringLiteral(" %1 ").arg(memory) + LoadStr(kMsgSteps), MB_OK);
        return;
    }
    CHOXCommLink link(this);
    const int result = link.Write();
    CloseProgressMessage();
    if (result == 1) {
        AfxMessageBox(link.GetProgramText().isEmpty() ? kMsgParametersWritten : kMsgProgramWritten,
                      MB_OK | MB_ICONINFORMATION);
    } else if (result == 0 && !link.IsMessageShown() && link.GetErrorText() != LoadStr(kMsgNotSaved)) {
        AfxMessageBox(link.GetErrorText(), MB_OK | MB_ICONSTOP, link.GetErrorDetail());
    }
}

void CHOXDoc::OnVerifyController()
{
    CHOXCommLink link(this);
    ShowProgressMessage(CHOXProgressMsgDlg::VerifyingText());
    const int result = link.Verify();
    CloseProgressMessage();
    if (result == 2) return;
    if (result == 1)
        AfxMessageBox(kMsgIdentical, MB_OK | MB_ICONINFORMATION);
    else
        AfxMessageBox(link.GetErrorText() + LoadStr(kMsgVerifyFailed), MB_OK | MB_ICONSTOP, link.GetErrorDetail());
}

void CHOXDoc::OnDiagnoseController()
{
    CHOXCommLink link(this);
    if (link.Diagnose() == 0) AfxMessageBox(link.GetErrorText(), MB_OK | MB_ICONSTOP, link.GetErrorDetail());
}

void CHOXDoc::OnInitializeController()
{
    if (AfxMessageBox(kMsgInitializeQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    CHOXCommLink link(this);
    if (link.Initialize() != 0) {
        AfxMessageBox(kMsgInitialized, MB_OK | MB_ICONINFORMATION);
    } else if (!link.IsMessageShown()) {
        AfxMessageBox(link.GetErrorText() + LoadStr(kMsgInitializeFailed), MB_OK | MB_ICONSTOP, link.GetErrorDetail());
    }
}

void CHOXDoc::OnTuneSystemResponse()
{
    CHOXTuneResponseDlg dlg;
    dlg.m_nValue = static_cast<std::uint32_t>(m_nSystemResponse);
    if (dlg.DoModal() != IDOK) return;
    m_nSystemResponse = static_cast<std::int32_t>(dlg.m_nValue);
    CHOXRegistry().WriteDword("SystemResponse", dlg.m_nValue);
}
