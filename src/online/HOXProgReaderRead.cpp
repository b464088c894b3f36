// Read from the controller: its type, file name, program and parameters
// over a link of the reader's own, then the document they belong to. A file
// of the controller's name in the document directory that still gives the
// same program is taken; otherwise the user may choose one, and failing that
// the program is rebuilt into flow charts in a new document.
#include "convert/HOXProgReader.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/HOXWaitCursor.h"
#include "app/MainFrame.h"
#include "chart/ControllerType.h"
#include "online/HOXCommLink.h"
#include "online/HOXProgressMsgDlg.h"
#include "online/HOXSelFileDlg.h"
#include "online/comm/CommMan.h"
#include "params/HOXParam.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <QDir>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {
constexpr UINT kMsgOpenFailed = IDS_PORT_OPEN_FAILED;
constexpr UINT kMsgNotResponding = IDS_CONTROLLER_NOT_RESPONDING;
constexpr UINT kMsgFileNameFailed = 13926;
constexpr UINT kMsgParamsUndefined = 13927;
constexpr UINT kMsgReadFailed = 13928;
constexpr UINT kMsgNoProgram = 13929;
constexpr UINT kMsgCannotOpen = 13930;
constexpr UINT kMsgNotMatching = 13931;
constexpr UINT kMsgCannotProcess = 13932;
constexpr UINT kMsgReconstructed = 13933;

constexpr int kResultParamsUndefined = 0x600;

constexpr UINT kFailure = MB_OK | MB_ICONSTOP;
constexpr UINT kNotice = MB_OK | MB_ICONINFORMATION;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

// The outcomes of the file decision.
enum FileCase { kNoValidName = 0, kNotFound = 1, kNotMatching = 2, kTaken = 3 };

QString Join(const QString& directory, const QString& name) { return directory + u'/' + name; }

// The arrow while the user may be asked something; the wait cursor again
// afterwards when it stood before, for the read goes on.
class ArrowWhile {
public:
    explicit ArrowWhile(CHOXWaitCursor* wait) : m_wait(wait != nullptr && wait->IsShown() ? wait : nullptr)
    {
        if (m_wait != nullptr) m_wait->Restore();
    }
    ~ArrowWhile()
    {
        if (m_wait != nullptr) m_wait->Show();
    }
    ArrowWhile(const ArrowWhile&) = delete;
    ArrowWhile& operator=(const ArrowWhile&) = delete;

private:
    CHOXWaitCursor* m_wait;
};

bool HasHoxExtension(const QString& name)
{
    return name.mid(name.lastIndexOf(u'.') + 1).compare(LoadStr(13005), Qt::CaseInsensitive) == 0;
}
} // namespace

void CHOXProgReader::OnlineDeleter::operator()(CCommMan* comm) const { std::default_delete<CCommMan>()(comm); }

void CHOXProgReader::OnlineDeleter::operator()(CHOXProgressMsgDlg* progress) const
{
    std::default_delete<CHOXProgressMsgDlg>()(progress);
}

bool CHOXProgReader::IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c == u'*' || c == u'?' || c == u'[' || c.unicode() < 0x20 ||
               c.category() == QChar::Other_Control;
    });
}

QString CHOXProgReader::FindInDirectory(const QString& directory, const QString& name)
{
    QStringList entries;
    for (const QString& entry : QDir(directory).entryList(QDir::Files | QDir::Hidden))
        if (entry.toLower() == name) entries << entry;
    if (entries.isEmpty()) return QString();
    std::sort(entries.begin(), entries.end());
    const QString exact = entries.contains(name) ? name : entries.front();
    return Join(directory, exact);
}

// ---------------------------------------------------------------------------
// Messages, the port and the progress window

int CHOXProgReader::Say(const QString& text, UINT style, const QString& detail)
{
    ArrowWhile arrow(m_pWait);
    return AfxMessageBox(text, style, detail);
}

int CHOXProgReader::Say(UINT message, UINT style, const QString& detail)
{
    return Say(LoadStr(message), style, detail);
}

void CHOXProgReader::ShowCommError(int code)
{
    ArrowWhile arrow(m_pWait);
    const QString detail = CHOXCommLink::DescribePort(m_strPort);
    if (CHOXApp* app = CHOXApp::Get())
        app->ShowCommError(code, detail);
    else
        AfxMessageBox(CHOXCommLink::GetCommErrorMessage(code), MB_OK | MB_ICONHAND, detail);
}

void CHOXProgReader::ClosePort()
{
    if (!m_portOpen) return;
    m_portOpen = false;
    m_pComm->mfi_Close();
}

void CHOXProgReader::CloseProgress()
{
    if (m_pProgress) m_pProgress->DestroyWindow();
    m_pProgress.reset();
}

// ---------------------------------------------------------------------------
// The read

int CHOXProgReader::ReadFromController()
{
    CHOXWaitCursor wait;
    m_pWait = &wait;
    const int result = Read();
    // Whatever way the read ended: the arrow, no port, no progress window.
    m_pWait = nullptr;
    wait.Restore();
    ClosePort();
    CloseProgress();
    return result;
}

int CHOXProgReader::Read()
{
    const auto fail = [this](UINT message) {
        Say(message, kFailure);
        return 0;
    };
    // A failure of the link itself also says where the port leads.
    const auto failOnLink = [this](UINT message, const QString& reason = QString()) {
        Say(message, kFailure, CHOXCommLink::DescribePort(m_strPort, reason));
        return 0;
    };
    ResetJumpCounts();
    m_paramsChanged = false;
    m_pComm.reset(std::make_unique<CCommMan>().release());
    m_strPort = m_pDoc != nullptr ? m_pDoc->GetComPortName() : QString();
    if (m_pComm->mfi_Open(m_strPort) != 0) return failOnLink(kMsgOpenFailed, m_pComm->mfi_GetCommErrorReason());
    m_portOpen = true;
    int type = 0;
    if (m_pComm->mfi_GetKZQWType(type) != 0) return failOnLink(kMsgNotResponding);
    m_controllerType = type;

    m_pProgress.reset(std::make_unique<CHOXProgressMsgDlg>().release());
    m_pProgress->SetMessage(CHOXProgressMsgDlg::ReadingText());
    m_pProgress->Create();

    QString name;
    if (m_pComm->mfi_GetFileName(name) != 0) return failOnLink(kMsgFileNameFailed);
    name = name.toLower();
    QString text;
    const int read = m_pComm->mfi_ReadProgram(text);
    if (read == kResultParamsUndefined) return fail(kMsgParamsUndefined);
    if (read != 0) return failOnLink(kMsgReadFailed);

    CMainFrame::ChangeToFileDir();
    const QString directory = QDir::currentPath();
    if (text.isEmpty()) {
        if (!MakeNewDocument(Join(directory, CHOXDoc::UntitledName())) || FinishParameters() == 0) return 0;
        Say(kMsgNoProgram, kNotice);
        return 1;
    }

    SplitStatements(text);
    PreScanLabels();
    if (m_pDoc != nullptr) m_pDoc->SetControllerType(m_controllerType);
    QString found;
    int state = DecideOnFile(name, text, found);
    if (state != kTaken) {
        const int chosen = ChooseFile(state, name, found, text);
        if (chosen < 0) return 0;
        if (chosen == 1) state = kTaken;
    }
    const bool generate = state != kTaken;
    if (generate) {
        CHOXApp* app = CHOXApp::Get();
        if (app != nullptr && app->GetDocument() != nullptr && !app->CloseOpenDocument()) return 0;
        if (!MakeNewDocument(Join(directory, state == kNotFound ? name : CHOXDoc::UntitledName()))) return 0;
    }
    if (FinishParameters() == 0) return 0;
    // The parameters of a file taken as it stood are the controller's now.
    if (!generate && m_paramsChanged) m_pDoc->SetModifiedFlag(true);

    if (generate) {
        {
            // The rebuild tells of the limits it meets.
            ArrowWhile arrow(m_pWait);
            GenerateFlowCharts();
        }
        if (m_jumpsRead < m_jumpsBuilt) Say(kMsgReconstructed, kNotice);
        if (m_pDoc != nullptr) m_pDoc->SetSaveAsNew();
    }
    return 1;
}

int CHOXProgReader::DecideOnFile(const QString& name, const QString& program, QString& found)
{
    found.clear();
    // A name with folders, wildcards or control characters would lead the
    // search to files the document directory does not hold.
    if (!IsPlainFileName(name) || !HasHoxExtension(name)) return kNoValidName;
    const QString path = FindInDirectory(QDir::currentPath(), name);
    if (path.isEmpty()) return kNotFound;
    // Opening the file may tell why it cannot be read.
    ArrowWhile arrow(m_pWait);
    if (CompareWithDocument(path, program)) return kTaken;
    found = path;
    return kNotMatching;
}

int CHOXProgReader::ChooseFile(int state, const QString& name, const QString& found, const QString& program)
{
    CHOXApp* app = CHOXApp::Get();
    CHOXSelFileDlg select(app != nullptr ? app->MainFrame() : nullptr);
    select.SetState(state);
    select.SetFileName(name);
    select.SetFromController(true);
    ArrowWhile arrow(m_pWait);
    const int answer = select.DoModal();
    const QString chosen = select.GetSelectedPath();
    if (answer != IDOK || chosen.isEmpty()) return 0;

    const QString chosenName = FileNameOfPath(chosen);
    if (!found.isEmpty() && chosen.toLower() == found.toLower()) {
        Say(FormatStr(kMsgCannotOpen, {chosenName}), kWarning);
        return 0;
    }
    bool opened = false;
    if (CompareWithDocument(chosen, program, &opened)) return 1;
    if (opened) {
        Say(FormatStr(kMsgNotMatching, {chosenName.toUpper()}), kWarning);
        return 0;
    }
    return Say(kMsgCannotProcess, MB_YESNO | MB_ICONQUESTION) == IDYES ? 0 : -1;
}

bool CHOXProgReader::MakeNewDocument(const QString& path)
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    if (main == nullptr) return false;
    main->FillSymbolPalette();
    main->RebuildWorkspaceTree();
    main->ShowFlowChartBars();
    main->ShowEditBars();
    app->m_nFrameAtOrigin = 1;
    CHOXDoc* doc = app->CreateMonitorDocument();
    if (doc == nullptr) return false;
    doc->SetControllerType(m_controllerType);
    doc->OnNewDocument();
    // The document the read began with gives way to this one.
    m_pDoc = doc;
    m_checker.SetParam(&doc->GetParam());
    // Not a file yet: it stays out of the recent files.
    doc->SetPathName(path, false);
    app->SetMainTitle(path);
    return true;
}

int CHOXProgReader::FinishParameters()
{
    if (ReadParams() == 0) return 0;
    m_portOpen = false;
    if (m_pComm->mfi_Close() != 0) return 0;
    if (m_pDoc != nullptr) m_checker.SetParam(&m_pDoc->GetParam());
    return 1;
}

int CHOXProgReader::ReadParams()
{
    if (!m_pComm || m_pDoc == nullptr) return 0;
    CHOXParam& param = m_pDoc->GetParam();
    const std::pair<UINT, int> blocks[] = {
        {CHOXParam::blockAxisA, axis::kX}, {CHOXParam::blockAxisB, axis::kX}, {CHOXParam::blockCommon, axis::kX},
        {CHOXParam::blockAxisA, axis::kY}, {CHOXParam::blockAxisB, axis::kY},
    };
    for (const auto& [block, axis] : blocks) {
        if (axis == axis::kY && param.IsOneAxisModel()) break;
        std::vector<std::int32_t> values(CHOXParam::GetTransferBlockSize(block));
        // The library answers -1 for every failure and records the cause;
        // any other result but 0 is no block either.
        if (m_pComm->mfi_ReadParams(static_cast<int>(block), axis, values.data()) != 0) {
            ShowCommError(m_pComm->mfi_GetCommError());
            ClosePort();
            return 0;
        }
        const std::vector<std::int32_t> before = param.GetTransferBlock(block, axis);
        // A block the document cannot hold (an I/O number without octal
        // digits) is stored no more than a block that did not come.
        if (!param.SetTransferBlock(block, axis, values)) {
            Say(kMsgReadFailed, kFailure);
            ClosePort();
            return 0;
        }
        if (before != values) m_paramsChanged = true;
    }
    return 1;
}
