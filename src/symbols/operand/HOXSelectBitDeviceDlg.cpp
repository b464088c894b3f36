#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include "chart/DeviceRanges.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <algorithm>

namespace {

// Range texts of the positioning controller's devices.
constexpr UINT kMsgXOneAxis = 13769;
constexpr UINT kMsgXTwoAxes = 13770;
constexpr UINT kMsgYOneAxis = 13771;
constexpr UINT kMsgYTwoAxes = 13772;
constexpr UINT kMsgM = 13773;
// ... and of the companion PLC's.
constexpr UINT kMsgPlcX = 13568;
constexpr UINT kMsgPlcY = 13569;
constexpr UINT kMsgPlcM = 13570;
constexpr UINT kMsgPlcD = 13571;

bool Fail(QString* message, UINT id)
{
    if (message != nullptr) *message = LoadStr(id);
    return false;
}

// Both ends of a gap between two blocks of devices, each the last or first
// number that exists.
struct Gap {
    std::int64_t below;
    std::int64_t above;
};

// Octal steps: up from ...7 to the next ten, down from ...0 to the 7 below,
// and from ...8 or ...9 down to the 7 below.
std::int64_t OctalStep(std::int64_t n, int delta)
{
    const std::int64_t last = ((n % 10) + 10) % 10;
    if (delta > 0) return last >= 7 ? n - last + 10 : n + 1;
    if (last == 0) return n - 3;
    if (last >= 8) return n - (last - 7);
    return n - 1;
}

} // namespace

CHOXSelectBitDeviceDlg::CHOXSelectBitDeviceDlg(bool oneAxis, int listKind, CWnd* /*parent*/)
    : CDialog(kTemplate), m_nListKind(listKind), m_bOneAxis(oneAxis)
{
    OnSelChange(kDevice, [this] { OnDeviceChange(); });
    OnSpinDelta(kSpin, [this](int pos, int delta) { return OnNumberSpin(pos, delta); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

void CHOXSelectBitDeviceDlg::SetDevice(int deviceType, std::uint32_t number)
{
    m_nDeviceType = deviceType;
    m_nDeviceNumber = number;
}

QString CHOXSelectBitDeviceDlg::GetDeviceText() const
{
    const QString letter = LetterOfType(m_nDeviceType);
    return letter.isEmpty() ? QString() : letter + QString::number(m_nDeviceNumber);
}

QStringList CHOXSelectBitDeviceDlg::ListEntries(int listKind)
{
    const QString x = QStringLiteral("X");
    const QString y = QStringLiteral("Y");
    const QString m = QStringLiteral("M");
    switch (listKind) {
    case kListPlc: return {x, y, m, QStringLiteral("D")};
    case 1: return {x};
    case 2: return {y};
    case 3: return {m};
    case 4: return {y, m};
    default: return {x, y, m};
    }
}

int CHOXSelectBitDeviceDlg::TypeOfLetter(const QString& letter)
{
    if (letter == u"X") return kTypeX;
    if (letter == u"Y") return kTypeY;
    if (letter == u"M") return kTypeM;
    if (letter == u"D") return kTypeD;
    return kTypeNone;
}

QString CHOXSelectBitDeviceDlg::LetterOfType(int deviceType)
{
    switch (deviceType) {
    case kTypeX: return QStringLiteral("X");
    case kTypeY: return QStringLiteral("Y");
    case kTypeM: return QStringLiteral("M");
    case kTypeD: return QStringLiteral("D");
    default: return QString();
    }
}

CHOXSelectBitDeviceDlg::Range CHOXSelectBitDeviceDlg::SpinRange(int deviceType, int listKind, bool oneAxis)
{
    const bool plc = listKind == kListPlc;
    switch (deviceType) {
    case kTypeX: return {0, devices::kLastXY};
    case kTypeY: return {0, plc ? devices::kLastPlcXY : devices::LastY(oneAxis)};
    case kTypeM: return {0, plc ? devices::kLastPlcM : devices::kLastSpecialM};
    case kTypeD: return {0, devices::kLastPlcD};
    default: return {0, 0};
    }
}

bool CHOXSelectBitDeviceDlg::CheckDevice(int deviceType, std::uint32_t number, int listKind, bool oneAxis,
                                         QString* message)
{
    if (listKind == kListPlc) {
        switch (deviceType) {
        case kTypeX: return number <= devices::kLastPlcXY || Fail(message, kMsgPlcX);
        case kTypeY: return number <= devices::kLastPlcXY || Fail(message, kMsgPlcY);
        case kTypeM: return number <= devices::kLastPlcM || Fail(message, kMsgPlcM);
        case kTypeD: return number <= devices::kLastPlcD || Fail(message, kMsgPlcD);
        default: return Fail(message, kMsgOtherType);
        }
    }
    switch (deviceType) {
    case kTypeX: return devices::IsX(number, oneAxis) || Fail(message, oneAxis ? kMsgXOneAxis : kMsgXTwoAxes);
    case kTypeY: return devices::IsY(number, oneAxis) || Fail(message, oneAxis ? kMsgYOneAxis : kMsgYTwoAxes);
    case kTypeM: return devices::IsM(number) || Fail(message, kMsgM);
    default: return Fail(message, kMsgOtherType);
    }
}

std::int64_t CHOXSelectBitDeviceDlg::StepNumber(int deviceType, std::int64_t number, int delta, int listKind,
                                                bool oneAxis)
{
    if (listKind == kListPlc || delta == 0) return number + delta;
    const bool octal = !oneAxis && (deviceType == kTypeX || deviceType == kTypeY);
    std::int64_t next = octal ? OctalStep(number, delta) : number + delta;
    Gap gap{-1, -1};
    if (deviceType == kTypeX) gap = Gap{devices::LastLowX(oneAxis), devices::FirstHighX(oneAxis)};
    if (deviceType == kTypeM) gap = Gap{devices::kLastM, devices::kFirstSpecial};
    if (gap.below >= 0 && next > gap.below && next < gap.above) next = delta > 0 ? gap.above : gap.below;
    return next;
}

bool CHOXSelectBitDeviceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const QStringList entries = ListEntries(m_nListKind);
    for (const QString& entry : entries) Site()->AddString(kDevice, entry);
    if (m_nListKind == kListPlc) SetWindowText(LoadStr(kMsgPlcTitle));
    LimitText(kNumber, 4);
    int index = 0;
    if (CheckDevice(m_nDeviceType, m_nDeviceNumber, m_nListKind, m_bOneAxis, nullptr)) {
        index = static_cast<int>(entries.indexOf(LetterOfType(m_nDeviceType)));
        if (index < 0) {
            AfxMessageBox(kMsgInvalidType, MB_OK | MB_ICONHAND);
            index = 0;
        }
    } else {
        m_nDeviceNumber = 0;
    }
    Site()->SetCurSel(kDevice, index);
    SetSpinRange(SelectedType());
    Site()->SetPos(kSpin, static_cast<int>(m_nDeviceNumber));
    SetDlgItemText(kNumber, QString::number(m_nDeviceNumber));
    return true;
}

int CHOXSelectBitDeviceDlg::SelectedType() const
{
    const int index = Site()->GetCurSel(kDevice);
    return index < 0 ? kTypeNone : TypeOfLetter(Site()->GetItemText(kDevice, index));
}

void CHOXSelectBitDeviceDlg::SetSpinRange(int deviceType)
{
    const Range range = SpinRange(deviceType, m_nListKind, m_bOneAxis);
    Site()->SetRange(kSpin, range.low, range.high);
}

void CHOXSelectBitDeviceDlg::OnDeviceChange()
{
    const int type = SelectedType();
    if (type == kTypeNone) {
        AfxMessageBox(kMsgInvalidType, MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kDevice);
        return;
    }
    SetSpinRange(type);
    bool ok = false;
    const std::uint32_t number = static_cast<std::uint32_t>(GetDlgItemInt(kNumber, &ok, false));
    if (ok && CheckDevice(type, number, m_nListKind, m_bOneAxis, nullptr)) return;
    m_nDeviceNumber = 0;
    Site()->SetPos(kSpin, 0);
    SetDlgItemText(kNumber, QStringLiteral("0"));
}

int CHOXSelectBitDeviceDlg::OnNumberSpin(int pos, int delta)
{
    const Range range = SpinRange(SelectedType(), m_nListKind, m_bOneAxis);
    const std::int64_t next = std::clamp<std::int64_t>(StepNumber(SelectedType(), pos, delta, m_nListKind, m_bOneAxis),
                                                       range.low, range.high);
    // A step that goes nowhere is no step.
    return static_cast<int>(next - pos);
}

void CHOXSelectBitDeviceDlg::FocusNumber()
{
    GotoDlgCtrl(kNumber);
    Site()->SetSel(kNumber, 0, -1);
}

void CHOXSelectBitDeviceDlg::OnOK()
{
    bool ok = false;
    const std::uint32_t number = static_cast<std::uint32_t>(GetDlgItemInt(kNumber, &ok, false));
    if (GetDlgItemText(kNumber).trimmed().isEmpty() || !ok) {
        AfxMessageBox(kMsgInvalidNumber, MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kNumber);
        return;
    }
    const int type = SelectedType();
    if (type == kTypeNone) {
        AfxMessageBox(kMsgInvalidType, MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kDevice);
        return;
    }
    QString message;
    if (!CheckDevice(type, number, m_nListKind, m_bOneAxis, &message)) {
        AfxMessageBox(message, MB_OK | MB_ICONHAND);
        FocusNumber();
        return;
    }
    m_nDeviceType = type;
    m_nDeviceNumber = number;
    EndDialog(IDOK);
}
