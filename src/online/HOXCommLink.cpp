#include "online/HOXCommLink.h"

#include "app/HOXDoc.h"
#include "app/HOXTimedMessageDlg.h"
#include "app/HOXWaitCursor.h"
#include "chart/ControllerType.h"
#include "convert/HOXExport.h"
#include "online/comm/CommDiag.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommStatusInfo.h"
#include "online/HOXDiagnosisDlg.h"
#include "online/HOXProgressMsgDlg.h"
#include "convert/HOXSaveSelectDlg.h"
#include "params/HOXParam.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr UINT kMsgOpenFailed = IDS_PORT_OPEN_FAILED;
constexpr UINT kMsgNotResponding = IDS_CONTROLLER_NOT_RESPONDING;
constexpr UINT kMsgOneAxisToTwoAxes = 13902;
constexpr UINT kMsgTwoAxesToOneAxis = 13903;
constexpr UINT kMsgCannotWrite = 13904;
constexpr UINT kMsgOnlyParameters = 13905;
constexpr UINT kMsgParametersAndProgram = 13906;
constexpr UINT kMsgAutoMode = 13907;
constexpr UINT kMsgWritingProhibited = 13908;
constexpr UINT kMsgFileNameFailed = 13909;
constexpr UINT kMsgProgramRefused = 13910;
constexpr UINT kMsgMemoryMismatch = 13911;
constexpr UINT kMsgSumFailed = 13912;
constexpr UINT kMsgDefaultError = 13195;

constexpr int kResultTextRefused = -1;
constexpr int kResultMemoryMismatch = 0x601;
constexpr int kCodeOpenFailed = 256;

// The name the controller keeps: the file's name without its folders, in
// lower case; empty for a document without a file.
QString ControllerFileName(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1).toLower();
}
} // namespace

CHOXCommLink::CHOXCommLink(CHOXDoc* doc) : m_pDoc(doc), m_strPort(doc->GetComPortName())
{
    if (m_comm.mfi_Open(m_strPort) != 0) {
        m_strError = LoadStr(kMsgOpenFailed);
        m_strDetail = DescribePort(m_strPort, m_comm.mfi_GetCommErrorReason());
        return;
    }
    m_nOpened = 1;
}

CHOXCommLink::~CHOXCommLink()
{
    if (m_nOpened == 1) m_comm.mfi_Close();
}

int CHOXCommLink::Fail(UINT message)
{
    m_strError = LoadStr(message);
    return 0;
}

int CHOXCommLink::FailOnLink(UINT message)
{
    m_strError = LoadStr(message);
    m_strDetail = DescribePort(m_strPort);
    return 0;
}

int CHOXCommLink::FailWithCommError()
{
    m_strError = GetCommErrorMessage(m_comm.mfi_GetCommError());
    m_strDetail = DescribePort(m_strPort);
    return 0;
}

QString CHOXCommLink::DescribePort(const QString& port, const QString& reason)
{
    QStringList lines;
    if (!CCommPortSettings::IsPortName(port)) {
        lines << QStringLiteral("\"%1\" is not a port name; the port names are COM1 to COM4.").arg(port);
    } else {
        const CCommPortSettings settings = CCommPortSettings::Read(port);
        if (!settings.IsMapped()) {
            lines << QStringLiteral("Port %1 leads nowhere: no device is set for it.").arg(port);
        } else if (settings.IsSimulator()) {
            lines << QStringLiteral("Port %1 leads to the simulated controller inside the program (%2).")
                         .arg(port, QLatin1String(CCommPortSettings::kSimulator));
        } else {
            lines << QStringLiteral("Port %1 leads to the device %2.").arg(port, settings.m_device);
        }
        if (settings.IsMapped() && !settings.IsLineValid())
            lines << QStringLiteral("Its line settings are out of range: speed %1 bit/s (50 to 4000000), "
                                    "time-out %2 ms (1 to 60000).")
                         .arg(settings.m_speed)
                         .arg(settings.m_timeoutMs);
    }
    if (!reason.isEmpty()) lines << QStringLiteral("The system's reason: %1.").arg(reason);
    const QString key = CCommPortSettings::IsPortName(port) ? port : QStringLiteral("COM1");
    lines << QStringLiteral("Where a port name leads is set in the group [Ports] of the settings file %1: "
                            "key %2\\Device (\"%3\" for the simulated controller, or the path of a serial device), "
                            "with %2\\Speed and %2\\Timeout.")
                 .arg(SettingsFilePath(), key, QLatin1String(CCommPortSettings::kSimulator));
    return lines.join(u'\n');
}

void CHOXCommLink::GetCommErrorText(int code, QString& text)
{
    static const std::pair<int, UINT> kMessages[] = {
        {256, 13173}, {257, 13175}, {258, 13174}, {259, 13191}, {260, 13193}, {261, 13192}, {512, 13176}, {513, 13177},
        {514, 13178}, {515, 13179}, {768, 13194}, {769, 13180}, {770, 13190}, {771, 13181}, {772, 13182}, {774, 13183},
        {775, 13184}, {776, 13185}, {777, 13186}, {778, 13187}, {779, 13188}, {780, 13189},
    };
    for (const auto& [known, message] : kMessages) {
        if (code == known) {
            text = LoadStr(message);
            return;
        }
    }
}

QString CHOXCommLink::GetCommErrorMessage(int code)
{
    QString text;
    GetCommErrorText(code, text);
    return text.isEmpty() ? FormatStr(kMsgDefaultError, {QString::number(code)}) : text;
}

bool CHOXCommLink::GenerateProgramText(QString& text, QString& message, int& status)
{
    CHOXExport exporter(m_pDoc);
    CHOXSymbol* symbol = nullptr;
    status = 0;
    const bool done = exporter.GenerateProgram(message, false, &status, &symbol, true);
    text = exporter.GetProgramText();
    if (!done && symbol != nullptr) exporter.ShowSymbol(symbol);
    return done;
}

// ---------------------------------------------------------------------------
// Write

int CHOXCommLink::Write()
{
    CHOXWaitCursor wait;
    if (m_nOpened == 0) return 0;
    int type = 0;
    if (m_comm.mfi_GetKZQWType(type) != 0) return FailOnLink(kMsgNotResponding);
    const CHOXParam& param = m_pDoc->GetParam();
    if (param.IsOneAxisModel() && type != 0) return Fail(kMsgOneAxisToTwoAxes);
    if (!param.IsOneAxisModel() && type == 0) return Fail(kMsgTwoAxesToOneAxis);

    QString text;
    QString message;
    int status = 0;
    // The conversion and the confirmation ask the user.
    wait.Restore();
    if (!GenerateProgramText(text, message, status)) {
        if (status != 1) return 2;
        m_strError = message + LoadStr(kMsgCannotWrite);
        return 0;
    }
    if (!ConfirmWrite(text)) return 2;
    wait.Show();

    CCommStatusInfo info;
    if (m_comm.mfi_Status(&info) != 0) return FailOnLink(kMsgNotResponding);
    if (info.m_notAuto == 0) return Fail(kMsgAutoMode);
    if (info.m_writePermitted == 0) {
        wait.Restore();
        ShowTimedMessage(LoadStr(kMsgWritingProhibited));
        m_nMessageShown = 1;
        return 0;
    }
    if (m_comm.mfi_SetFileName(ControllerFileName(m_pDoc->GetPathName())) != 0) return FailOnLink(kMsgFileNameFailed);

    m_pDoc->ShowProgressMessage(CHOXProgressMsgDlg::WritingText());
    // A program goes only after every parameter block it relies on.
    if (!WriteParameterBlocks()) return 0;

    std::int32_t memorySize = 0;
    param.GetParam(&memorySize, 100, 0);
    const std::int32_t fileRegisters = param.GetFileRegisters();
    const int result = m_comm.mfi_WriteProgram(text, memorySize != 0 ? 3800 : 7800, fileRegisters);
    m_strProgram = text;
    if (result == kResultTextRefused) return Fail(kMsgProgramRefused);
    if (result == kResultMemoryMismatch) return Fail(kMsgMemoryMismatch);
    if (result != 0) return FailWithCommError();

    wait.Restore();
    int sum = 0;
    if (m_comm.mfi_CreateSum(sum) != 0) return FailOnLink(kMsgSumFailed);
    return 1;
}

bool CHOXCommLink::ConfirmWrite(const QString& text)
{
    if (text.isEmpty()) return AfxMessageBox(kMsgOnlyParameters, MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (m_pDoc->IsModified()) {
        CHOXSaveSelectDlg dlg(m_pDoc);
        return dlg.DoModal() == IDOK;
    }
    return AfxMessageBox(kMsgParametersAndProgram, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CHOXCommLink::WriteParameterBlocks()
{
    const CHOXParam& param = m_pDoc->GetParam();
    const std::pair<UINT, int> blocks[] = {
        {CHOXParam::blockCommon, axis::kX}, {CHOXParam::blockAxisA, axis::kX}, {CHOXParam::blockAxisB, axis::kX},
        {CHOXParam::blockAxisA, axis::kY},  {CHOXParam::blockAxisB, axis::kY},
    };
    for (const auto& [block, axis] : blocks) {
        if (axis == axis::kY && param.IsOneAxisModel()) break;
        // The copy carries plain I/O numbers; the document keeps its octal
        // digits whatever happens on the line.
        const std::vector<std::int32_t> values = param.GetTransferBlock(block, axis);
        if (m_comm.mfi_WriteParams(static_cast<int>(block), axis, values.data()) != 0) {
            FailWithCommError();
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Diagnosis and initialisation

int CHOXCommLink::Diagnose()
{
    if (m_nOpened == 0) {
        // The constructor left the port's detail.
        GetCommErrorText(kCodeOpenFailed, m_strError);
        return 0;
    }
    CCommDiag diag;
    {
        CHOXWaitCursor wait;
        if (m_comm.mfi_Diagnosis(&diag) != 0) return FailWithCommError();
    }
    CHOXDiagnosisDlg dlg(diag);
    dlg.DoModal();
    return 1;
}

int CHOXCommLink::Initialize()
{
    CHOXWaitCursor wait;
    if (m_nOpened == 0) return 0;
    int type = 0;
    if (m_comm.mfi_GetKZQWType(type) != 0) return FailOnLink(kMsgNotResponding);
    CCommStatusInfo info;
    if (m_comm.mfi_Status(&info) != 0) {
        m_strDetail = DescribePort(m_strPort);
        return 0;
    }
    if (info.m_notAuto == 0) return 0;
    if (info.m_writePermitted == 0) {
        wait.Restore();
        ShowTimedMessage(LoadStr(kMsgWritingProhibited));
        m_nMessageShown = 1;
        return 0;
    }
    return m_comm.mfi_InitiateKZQW() == 0 ? 1 : 0;
}
