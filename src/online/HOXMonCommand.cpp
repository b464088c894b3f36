#include "online/HOXMonCommand.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/HOXTimedMessageDlg.h"
#include "chart/ControllerType.h"
#include "online/HOXCommLink.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "platform/View.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <deque>
#include <limits>
#include <thread>

namespace {

using SV = CHOXSelectVal;

// The refusals, in the self-closing message.
constexpr UINT kXBusyPosition = 14041;
constexpr UINT kYBusyPosition = 14042;
constexpr UINT kXBusyManual = 14043;
constexpr UINT kYBusyManual = 14044;
constexpr UINT kManualMode = 14045;
// "Please enter an integer between %1 and %2."
constexpr UINT kIntegerBetween = 61714;

// How long a pulsed relay stays reset.
constexpr int kPulseMs = 100;

// The manual operations that send a code: the code pressed (flag 1) and
// otherwise, and the axis that must be ready (-1 none).
struct ManualRow {
    int operation;
    int pressed;
    int other;
    int readyAxis;
};
constexpr ManualRow kManualRows[] = {
    {2, 68, 84, axis::kX},  {3, 70, 86, axis::kX},  {4, 72, 72, axis::kX}, {5, 74, 74, axis::kX},
    {6, 16, 16, -1},        {9, 69, 85, axis::kY},  {10, 71, 87, axis::kY}, {11, 73, 73, axis::kY},
    {12, 75, 75, axis::kY}, {13, 17, 17, -1},
};
// Releases of a jog: sent without asking whether the axis is ready.
constexpr bool IsRelease(int code) { return code >= 84 && code <= 87; }

// The operations that pulse a special relay; a start first refuses the
// manual mode.
struct PulseRow {
    int operation;
    int relay;
    bool start;
};
constexpr PulseRow kPulseRows[] = {{0, 9001, true}, {1, 9002, false}, {7, 9017, true}, {8, 9018, false}};

const ManualRow* FindManualRow(int operation)
{
    for (const ManualRow& row : kManualRows)
        if (row.operation == operation) return &row;
    return nullptr;
}

const PulseRow* FindPulseRow(int operation)
{
    for (const PulseRow& row : kPulseRows)
        if (row.operation == operation) return &row;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Work held while a sender waits (the user-interface thread's alone)

int g_waiting = 0;
bool g_flushPosted = false;

struct HeldAction {
    const void* owner;
    std::function<void()> action;
};

std::deque<HeldAction>& Held()
{
    static std::deque<HeldAction> held;
    return held;
}

void RunHeld()
{
    // An action may start a sender of its own: the rest then waits for
    // that one's end.
    while (g_waiting == 0 && !Held().empty()) {
        HeldAction next = std::move(Held().front());
        Held().pop_front();
        next.action();
    }
}

void PostRunHeld()
{
    if (g_flushPosted) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        RunHeld();
        return;
    }
    g_flushPosted = true;
    QMetaObject::invokeMethod(
        app,
        [] {
            g_flushPosted = false;
            RunHeld();
        },
        Qt::QueuedConnection);
}

bool IsUserInterfaceThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

// The user-interface thread keeps painting; elsewhere the thread sleeps.
void Pause(int milliseconds)
{
    if (!IsUserInterfaceThread()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

class CHOXMonCommand::WaitScope {
public:
    WaitScope() { ++g_waiting; }
    ~WaitScope()
    {
        if (--g_waiting == 0 && !Held().empty()) PostRunHeld();
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    // The views' timers (a stop of monitoring among them) wait too.
    const ViewTimerHold m_timers;
};

bool CHOXMonCommand::IsWaiting() { return g_waiting > 0; }

void CHOXMonCommand::AfterWaiting(const void* owner, std::function<void()> action)
{
    Held().push_back({owner, std::move(action)});
    if (g_waiting == 0) PostRunHeld();
}

void CHOXMonCommand::ForgetWaiting(const void* owner)
{
    auto& held = Held();
    held.erase(std::remove_if(held.begin(), held.end(), [owner](const HeldAction& h) { return h.owner == owner; }),
               held.end());
}

// ---------------------------------------------------------------------------
// The sender

CHOXMonCommand::CHOXMonCommand() = default;

CHOXMonCommand::CHOXMonCommand(CHOXDoc* doc) : m_pDocument(doc)
{
    if (doc == nullptr || doc->IsEditMode()) return;
    if (m_comm.mfi_Open(doc->GetComPortName()) == 0)
        m_nOpened = 1;
    else
        ReportCommError();
}

CHOXMonCommand::~CHOXMonCommand()
{
    if (m_nOpened != 0) m_comm.mfi_Close();
}

void CHOXMonCommand::ReportCommError()
{
    const int code = m_comm.mfi_GetCommError();
    if (code == 0) return;
    const QString port = m_pDocument != nullptr ? m_pDocument->GetComPortName() : QString();
    CHOXApp::ShowCommError(code, CHOXCommLink::DescribePort(port, m_comm.mfi_GetCommErrorReason()));
    m_comm.mfi_ClearCommError();
}

bool CHOXMonCommand::Succeeded(int result)
{
    if (result == 0) return true;
    ReportCommError();
    return false;
}

bool CHOXMonCommand::CheckAxisReady(int axis, UINT busyText)
{
    CCommStatusInfo status;
    int result = 0;
    {
        WaitScope wait;
        result = m_comm.mfi_Status(&status);
    }
    if (!Succeeded(result)) return false;
    if ((axis == axis::kX ? status.m_xReady : status.m_yReady) != 0) return true;
    ShowTimedMessage(LoadStr(busyText));
    return false;
}

int CHOXMonCommand::WriteCurrentPos(int axis, std::int32_t value, int mode)
{
    if (m_nOpened == 0 || (axis != axis::kX && axis != axis::kY)) return 0;
    if (!CheckAxisReady(axis, axis == axis::kX ? kXBusyPosition : kYBusyPosition)) return 0;
    int result = 0;
    {
        WaitScope wait;
        result = m_comm.mfi_WriteCurrentPos(axis, value, mode);
    }
    return Succeeded(result) ? 1 : 0;
}

int CHOXMonCommand::WriteDevice(int kind, int number, int indexKind, int indexNumber, std::int32_t value)
{
    if (m_nOpened == 0) return 0;
    const int code = GetDeviceType(kind, number);
    int index = ctrldev::kNoIndex;
    if (code < 0 || !GetIndexArgument(indexKind, indexNumber, index)) return 0;
    // A 16-bit register would keep only the value's low half.
    if (ctrldev::RegistersPerValue(code) == 1 &&
        (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())) {
        AfxMessageBox(FormatStr(kIntegerBetween, {QString::number(std::numeric_limits<std::int16_t>::min()),
                                                  QString::number(std::numeric_limits<std::int16_t>::max())}),
                      MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    // Little-endian, as wide as the link takes the device.
    const auto bits = static_cast<std::uint32_t>(value);
    const std::array<BYTE, 4> buffer = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8),
                                        static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 24)};
    int result = 0;
    {
        WaitScope wait;
        result = m_comm.mfi_WriteDevice(code, GetDeviceAddress(code, number), index, 1, buffer.data());
    }
    return Succeeded(result) ? 1 : 0;
}

int CHOXMonCommand::SetDevice(int kind, int number, int reset)
{
    if (m_nOpened == 0) return 0;
    const int code = GetDeviceType(kind, number);
    if (code < 0) return 0;
    const int address = GetDeviceAddress(code, number, true);
    int result = 0;
    {
        WaitScope wait;
        result = reset == 1 ? m_comm.mfi_ResetOperation(code, address) : m_comm.mfi_SetOperation(code, address);
    }
    return Succeeded(result) ? 1 : 0;
}

int CHOXMonCommand::Pulse(int relay)
{
    const int code = GetDeviceType(SV::kM, relay);
    const int address = GetDeviceAddress(code, relay, true);
    int result = 0;
    {
        // The pause belongs to the call: nothing else runs in between.
        WaitScope wait;
        result = m_comm.mfi_ResetOperation(code, address);
        if (result == 0) {
            Pause(kPulseMs);
            result = m_comm.mfi_SetOperation(code, address);
        }
    }
    return Succeeded(result) ? 1 : 0;
}

int CHOXMonCommand::ManualOperation(int operation, int flag, std::int32_t value)
{
    if (m_nOpened == 0) return 0;
    if (const PulseRow* pulse = FindPulseRow(operation)) {
        if (pulse->start) {
            // A start is refused in manual mode, and when the status cannot
            // be read, since nothing then says the mode.
            CCommStatusInfo status;
            int result = 0;
            {
                WaitScope wait;
                result = m_comm.mfi_Status(&status);
            }
            if (!Succeeded(result)) return 0;
            if (status.m_notAuto == 1) {
                ShowTimedMessage(LoadStr(kManualMode));
                return 0;
            }
        }
        return Pulse(pulse->relay);
    }
    const int code = GetManualCode(operation, flag);
    if (code < 0) return 0;
    const ManualRow* row = FindManualRow(operation);
    if (row->readyAxis >= 0 && !IsRelease(code) &&
        !CheckAxisReady(row->readyAxis, row->readyAxis == axis::kX ? kXBusyManual : kYBusyManual))
        return 0;
    int result = 0;
    {
        WaitScope wait;
        result = m_comm.mfi_WriteManualOprn(code, value);
    }
    return Succeeded(result) ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Tables

int CHOXMonCommand::GetDeviceType(int kind, int number)
{
    switch (kind) {
    case SV::kD:
        return number < ctrldev::kFileBase      ? ctrldev::D
               : number < ctrldev::kSpecialBase ? ctrldev::DFile
                                                : ctrldev::DSpecial;
    case SV::kDD:
        return number < ctrldev::kFileBase      ? ctrldev::DD
               : number < ctrldev::kSpecialBase ? ctrldev::DDFile
                                                : ctrldev::DDSpecial;
    case SV::kV: return ctrldev::V;
    case SV::kZ: return ctrldev::Z;
    case SV::kX: return ctrldev::X;
    case SV::kY: return ctrldev::Y;
    case SV::kM: return number < ctrldev::kSpecialBase ? ctrldev::M : ctrldev::MSpecial;
    default: return -1;
    }
}

int CHOXMonCommand::GetDeviceAddress(int code, int number, bool setOrReset)
{
    switch (code) {
    case ctrldev::MSpecial:
    case ctrldev::DSpecial:
    case ctrldev::DDSpecial: return number - ctrldev::kSpecialBase;
    case ctrldev::DFile:
    case ctrldev::DDFile: return number - ctrldev::kFileBase;
    case ctrldev::Y: return setOrReset ? OctalToNumber(number) : number;
    default: return number;
    }
}

int CHOXMonCommand::OctalToNumber(int number) { return ctrldev::OctalDigitsToCount(number); }

bool CHOXMonCommand::GetIndexArgument(int indexKind, int indexNumber, int& index)
{
    if (indexKind == SV::kNoIndex) {
        index = ctrldev::kNoIndex;
        return true;
    }
    if (indexNumber < 0 || indexNumber >= ctrldev::kIndexRegisters) return false;
    switch (indexKind) {
    case SV::kIndexV: index = indexNumber; return true;
    case SV::kIndexZ: index = ctrldev::kZIndexBase + indexNumber; return true;
    default: return false;
    }
}

int CHOXMonCommand::GetManualCode(int operation, int flag)
{
    const ManualRow* row = FindManualRow(operation);
    if (row == nullptr) return -1;
    return flag == 1 ? row->pressed : row->other;
}
