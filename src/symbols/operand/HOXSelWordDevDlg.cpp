#include "symbols/operand/HOXSelWordDevDlg.h"

#include "chart/DeviceRanges.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <algorithm>

namespace {

using SV = CHOXSelectVal;

bool IsGroup(BYTE type) { return type == SV::kKnM || type == SV::kKnX || type == SV::kKnY; }
bool TakesIndex(BYTE type) { return type == SV::kD || type == SV::kDD || IsGroup(type); }

bool IsHexDigit(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

// The digits of an H number's text, without the "0x" it is shown with.
QString HexDigits(const QString& text) { return text.startsWith(QLatin1String("0x")) ? text.mid(2) : text; }

bool IsHexText(const QString& text)
{
    const QString digits = HexDigits(text);
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), IsHexDigit);
}

bool IsDecimalText(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Messages that name the index register or the digit count, so that the
// refusal puts the user there.
bool IsIndexMessage(const QString& m)
{
    return m == LoadStr(IDS_INDEX_NUMBER_FOLLOWS_V_Z) || m == LoadStr(IDS_INVALID_INDEX_NUMBER) ||
           m == LoadStr(IDS_INVALID_INDEX_REGISTERS) || m == LoadStr(IDS_NO_INDEX_FOR_DEVICE);
}
bool IsDigitMessage(const QString& m)
{
    return m == LoadStr(IDS_DIGIT_ONLY_FOR_KN) || m == LoadStr(IDS_INVALID_DIGIT_32_BIT) ||
           m == LoadStr(IDS_INVALID_DIGIT_16_BIT) || m == LoadStr(IDS_NO_DIGIT_FOR_DEVICE) ||
           m == LoadStr(IDS_INVALID_DIGIT_ONE_AXIS);
}

} // namespace

CHOXSelWordDevDlg::CHOXSelWordDevDlg(const CHOXSelectVal& operand, bool is32Bit, bool isOneAxis, int deviceList,
                                     std::int32_t fileRegisters)
    : CDialog(kTemplate), m_value(operand), m_nDeviceList(deviceList), m_b32Bit(is32Bit), m_bOneAxis(isOneAxis),
      m_nFileRegisters(fileRegisters)
{
    OnSelChange(kDevice, [this] { OnDeviceChange(); });
    OnChange(kDigits, [this] { OnDigitsChange(); });
    OnChange(kNumber, [this] { OnNumberChange(); });
    OnClicked(kNoIndex, [this] { OnIndexType(SV::kNoIndex); });
    OnClicked(kIndexV, [this] { OnIndexType(SV::kIndexV); });
    OnClicked(kIndexZ, [this] { OnIndexType(SV::kIndexZ); });
    OnSpinDelta(kNumberSpin, [this](int pos, int delta) { return NumberSpinDelta(pos, delta); });
    OnClicked(kHelp, [this] { OpenHelp(kHelpContext); });
}

std::vector<BYTE> CHOXSelWordDevDlg::ListEntries(int deviceList, bool is32Bit)
{
    const BYTE first = is32Bit ? SV::kDD : SV::kD;
    switch (deviceList) {
    case 0: return {first, SV::kK, SV::kH, SV::kKnX, SV::kKnY, SV::kKnM, SV::kV, SV::kZ};
    case 1:
    case 10:
    case 11: return {SV::kK};
    case 2: return {first, SV::kV, SV::kZ};
    case 3: return {first, SV::kK, SV::kH, SV::kKnX, SV::kKnY, SV::kKnM, SV::kZ};
    case 4: return {first, SV::kK, SV::kH, SV::kKnX, SV::kKnY, SV::kKnM, SV::kV};
    case 5: return {first, SV::kKnX, SV::kKnY, SV::kKnM, SV::kV, SV::kZ};
    case 6: return {first, SV::kKnY, SV::kKnM, SV::kV, SV::kZ};
    case 7: return {first, SV::kKnY, SV::kKnM, SV::kV};
    case 8: return {first, SV::kKnY, SV::kKnM, SV::kZ};
    case 9: return {first, SV::kK, SV::kH, SV::kV, SV::kZ};
    default: return {first};
    }
}

QString CHOXSelWordDevDlg::DeviceName(BYTE type)
{
    switch (type) {
    case SV::kD: return QStringLiteral("D");
    case SV::kDD: return QStringLiteral("DD");
    case SV::kK: return QStringLiteral("K");
    case SV::kH: return QStringLiteral("H");
    case SV::kKnM: return QStringLiteral("KnM");
    case SV::kKnX: return QStringLiteral("KnX");
    case SV::kKnY: return QStringLiteral("KnY");
    case SV::kV: return QStringLiteral("V");
    case SV::kZ: return QStringLiteral("Z");
    default: return QString();
    }
}

bool CHOXSelWordDevDlg::IsUnitList() const
{
    return m_nDeviceList == kUnitOneAxis || m_nDeviceList == kUnitNumber || m_nDeviceList == kUnitLogic;
}

BYTE CHOXSelWordDevDlg::SelectedType() const
{
    const int sel = Site() != nullptr ? Site()->GetCurSel(kDevice) : -1;
    if (sel < 0 || sel >= static_cast<int>(m_entries.size())) return SV::kEmpty;
    return m_entries[static_cast<std::size_t>(sel)];
}

bool CHOXSelWordDevDlg::NumberExists(BYTE type, std::int64_t number) const
{
    if (number < INT32_MIN || number > INT32_MAX) return false;
    if (type == SV::kK && IsUnitList()) {
        if (m_nDeviceList == kUnitLogic) return number >= 0 && number <= 3;
        if (m_nDeviceList == kUnitOneAxis && m_bOneAxis) return number == 1 || number == 2 || number == 17;
        if (m_bOneAxis) return m_b32Bit ? number >= 5 && number <= 6 : number >= 1 && number <= 4;
        const std::int64_t base = m_b32Bit ? 5 : 1;
        return (number >= base && number <= base + 3) || (number >= base + 16 && number <= base + 19);
    }
    SV operand;
    QString message;
    const BYTE digits = IsGroup(type) ? static_cast<BYTE>(std::clamp(m_nDigits, 1, 255)) : 0;
    if (!operand.SetValue(message, type, digits, static_cast<std::int32_t>(number), SV::kNoIndex, 0)) return false;
    return operand.CheckRange(m_b32Bit, m_bOneAxis, message, m_nFileRegisters);
}

std::int32_t CHOXSelWordDevDlg::FallbackNumber() const
{
    if (m_nDeviceList == kUnitNumber || (m_nDeviceList == kUnitOneAxis && !m_bOneAxis)) return m_b32Bit ? 5 : 1;
    if (m_nDeviceList == kUnitOneAxis) return 1;
    return 0;
}

void CHOXSelWordDevDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kDigits, m_nDigits);
    // An H number and a 32-bit K are read from the text by OK itself.
    if (!(m_byType == SV::kH || (m_byType == SV::kK && m_b32Bit))) DDX_Text(pDX, kNumber, m_nNumber);
    DDX_Radio(pDX, kNoIndex, m_nIndexType);
    DDX_Text(pDX, kIndexNumber, m_nIndexNumber);
}

bool CHOXSelWordDevDlg::OnInitDialog()
{
    m_entries = ListEntries(m_nDeviceList, m_b32Bit);
    for (BYTE type : m_entries) Site()->AddString(kDevice, DeviceName(type));
    if (m_nDeviceList < kAllDevices || m_nDeviceList > kUnitLogic) AfxMessageBox(LoadStr(13264), MB_OK | MB_ICONHAND);

    QString message;
    int sel = 0;
    if (m_value.CheckRange(m_b32Bit, m_bOneAxis, message, m_nFileRegisters)) {
        const auto it = std::find(m_entries.begin(), m_entries.end(), m_value.GetDeviceType());
        sel = it == m_entries.end() ? 0 : static_cast<int>(it - m_entries.begin());
        m_nDigits = m_value.GetDigits();
        m_nNumber = m_value.GetNumber();
        m_nIndexType = m_value.GetIndexType();
        m_nIndexNumber = m_value.GetIndexNumber();
    }
    Site()->SetCurSel(kDevice, sel);
    m_byType = m_entries[static_cast<std::size_t>(sel)];

    Site()->SetRange(kDigitsSpin, 1, m_b32Bit ? 8 : 4);
    Site()->SetRange(kIndexSpin, 0, devices::kLastIndex);
    const bool unitByNumber = m_nDeviceList == kUnitNumber || (m_nDeviceList == kUnitOneAxis && !m_bOneAxis);
    if (unitByNumber && m_byType == SV::kK && !NumberExists(SV::kK, m_nNumber)) m_nNumber = m_b32Bit ? 5 : 1;

    SetDlgItemInt(kDigits, m_nDigits);
    Site()->SetPos(kDigitsSpin, m_nDigits);
    CheckDlgButton(kNoIndex, m_nIndexType == SV::kNoIndex ? 1 : 0);
    CheckDlgButton(kIndexV, m_nIndexType == SV::kIndexV ? 1 : 0);
    CheckDlgButton(kIndexZ, m_nIndexType == SV::kIndexZ ? 1 : 0);
    SetDlgItemInt(kIndexNumber, m_nIndexNumber);
    Site()->SetPos(kIndexSpin, m_nIndexNumber);
    SetNumberLimits();
    ShowNumber(m_nNumber);
    EnableForDevice();
    m_bRewrite = true;
    m_bShown = true;
    return true;
}

void CHOXSelWordDevDlg::ShowNumber(std::int32_t number)
{
    m_nNumber = number;
    if (m_byType == SV::kH) {
        SetDlgItemText(kNumber, QStringLiteral("0x") +
                                    QString::number(static_cast<std::uint32_t>(number), 16).toUpper());
    } else {
        SetDlgItemInt(kNumber, number);
    }
    Site()->SetPos(kNumberSpin, number);
}

std::int32_t CHOXSelWordDevDlg::DigitsShown() const
{
    bool ok = false;
    const std::int32_t digits = GetDlgItemInt(kDigits, &ok);
    return ok ? digits : 0;
}

void CHOXSelWordDevDlg::SetNumberLimits()
{
    int limit = 4;
    int low = 0;
    int high = 0;
    switch (m_byType) {
    case SV::kD: high = devices::LastSpecialD(m_bOneAxis); break;
    case SV::kDD: high = devices::LastSpecialD(m_bOneAxis) - 1; break;
    case SV::kK:
        limit = m_b32Bit ? 11 : 6;
        low = -32768;
        high = 32767;
        if (m_nDeviceList == kUnitLogic) {
            low = 0;
            high = 3;
        } else if (m_nDeviceList == kUnitNumber && m_bOneAxis) {
            low = m_b32Bit ? 5 : 1;
            high = m_b32Bit ? 6 : 4;
        } else if (m_nDeviceList == kUnitNumber || m_nDeviceList == kUnitOneAxis) {
            low = m_bOneAxis ? 1 : m_b32Bit ? 5 : 1;
            high = m_bOneAxis ? 17 : m_b32Bit ? 24 : 20;
        }
        break;
    case SV::kH:
        limit = m_b32Bit ? 10 : 6;
        high = 0xFFFF;
        break;
    case SV::kKnM: high = devices::kLastSpecialM + 1 - 4 * std::clamp(m_nDigits, 1, 8); break;
    case SV::kKnX:
    case SV::kKnY: {
        limit = m_byType == SV::kKnX ? 3 : 2;
        const SV::KnRange range = SV::GetKnRange(m_byType, std::clamp(m_nDigits, 1, 8), m_bOneAxis);
        high = std::max(0, range.lowerLast);
        if (range.upperFirst >= 0 && range.upperLast >= range.upperFirst) high = range.upperLast;
        break;
    }
    default:
        limit = 1;
        high = devices::kLastIndex;
        break;
    }
    LimitText(kNumber, limit);
    Site()->SetBase(kNumberSpin, m_byType == SV::kH ? 16 : 10);
    Site()->SetRange(kNumberSpin, low, high);
    m_nSpinLow = low;
    m_nSpinHigh = high;
}

void CHOXSelWordDevDlg::EnableForDevice()
{
    const bool group = IsGroup(m_byType);
    const bool oneDigitGroup = m_bOneAxis && (m_byType == SV::kKnX || m_byType == SV::kKnY);
    EnableDlgItem(kDigits, group);
    EnableDlgItem(kDigitsSpin, group && !oneDigitGroup);
    EnableDlgItem(kNumberSpin, !(m_byType == SV::kK && m_b32Bit) && !(m_bOneAxis && m_byType == SV::kKnX));
    for (int id : {kNoIndex, kIndexV, kIndexZ}) EnableDlgItem(id, TakesIndex(m_byType));
    EnableIndex();
}

void CHOXSelWordDevDlg::EnableIndex()
{
    const bool indexed = TakesIndex(m_byType) && GetCheckedRadioButton(kIndexV, kIndexZ) != 0;
    EnableDlgItem(kIndexNumber, indexed);
    EnableDlgItem(kIndexSpin, indexed);
}

void CHOXSelWordDevDlg::OnIndexType(int indexType)
{
    if (indexType == SV::kNoIndex) {
        m_nIndexNumber = 0;
        SetDlgItemInt(kIndexNumber, 0);
        Site()->SetPos(kIndexSpin, 0);
    }
    EnableIndex();
}

void CHOXSelWordDevDlg::OnDeviceChange()
{
    const BYTE type = SelectedType();
    if (type == SV::kEmpty) {
        AfxMessageBox(LoadStr(13212), MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kDevice);
        return;
    }
    m_byType = type;
    QString text = GetDlgItemText(kNumber);
    // A number written for the old device that the new one cannot read (a
    // minus sign counts) starts again from 0.
    if (!(type == SV::kH ? IsHexText(text) : IsDecimalText(text))) text = QStringLiteral("0");
    m_nDigits = DigitsShown();
    if (m_nDigits == 0) m_nDigits = 1;
    if (m_bOneAxis && (type == SV::kKnX || type == SV::kKnY)) m_nDigits = 1;
    SetDlgItemInt(kDigits, m_nDigits);
    Site()->SetPos(kDigitsSpin, m_nDigits);
    EnableForDevice();

    bool ok = false;
    const std::int64_t number = type == SV::kH ? static_cast<std::int64_t>(HexDigits(text).toULongLong(&ok, 16))
                                               : text.toLongLong(&ok, 10);
    SetNumberLimits();
    if (!ok || !NumberExists(type, number)) {
        ShowNumber(FallbackNumber());
    } else {
        m_nNumber = static_cast<std::int32_t>(number);
        SetDlgItemText(kNumber, text);
        Site()->SetPos(kNumberSpin, m_nNumber);
    }
}

void CHOXSelWordDevDlg::OnDigitsChange()
{
    if (!m_bShown) return;
    const std::int32_t digits = DigitsShown();
    if (digits != 0) m_nDigits = digits;
    SetNumberLimits();
}

void CHOXSelWordDevDlg::OnNumberChange()
{
    if (!m_bShown || m_bRewriting) return;
    const QString text = GetDlgItemText(kNumber);
    if (m_byType == SV::kH) {
        if (m_b32Bit) return;
        // A 16-bit H keeps four digits: a longer text keeps its last four.
        const bool prefixed = text.startsWith(QLatin1String("0x"));
        const QString result = text.size() > (prefixed ? 6 : 4) ? QStringLiteral("0x") + text.right(4) : text;
        if (m_bRewrite || text.size() >= 7) {
            m_bRewriting = true;
            SetDlgItemText(kNumber, result);
            Site()->SetSel(kNumber, static_cast<int>(result.size()), static_cast<int>(result.size()));
            m_bRewriting = false;
            m_bRewrite = false;
        }
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if ((c >= u'0' && c <= u'9') || (c == u'-' && i == 0)) continue;
        AfxMessageBox(LoadStr(13677), MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kNumber);
        return;
    }
}

int CHOXSelWordDevDlg::NumberSpinDelta(int pos, int delta)
{
    m_bRewrite = true;
    if (delta == 0) return 0;
    // Each step goes to the next number the device has: over the registers
    // and relays the controller lacks, and in octal for X and Y groups.
    // The spin's own range bounds the search.
    const int step = delta > 0 ? 1 : -1;
    for (std::int64_t n = std::int64_t(pos) + step; n >= m_nSpinLow && n <= m_nSpinHigh; n += step)
        if (NumberExists(m_byType, n)) return static_cast<int>(n - pos);
    return delta;
}

void CHOXSelWordDevDlg::Refuse(int id, const QString& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    GotoDlgCtrl(id);
    Site()->SetSel(id, 0, -1);
}

bool CHOXSelWordDevDlg::CheckHexNumber(const QString& text, std::int32_t& number)
{
    if (!IsHexText(text)) {
        Refuse(kNumber, LoadStr(IDS_INVALID_DEVICE_NUMBER));
        return false;
    }
    // Printed back, the value must give the digits: no leading zeros, no
    // more digits than 32 bits hold.
    const QString digits = HexDigits(text).toUpper();
    bool ok = false;
    const std::uint32_t value = digits.size() <= 8 ? digits.toUInt(&ok, 16) : 0;
    if (!ok || QString::number(value, 16).toUpper() != digits) {
        Refuse(kNumber, LoadStr(m_b32Bit ? 13675 : 13263));
        return false;
    }
    if (!m_b32Bit && value > 0xFFFF) {
        Refuse(kNumber, LoadStr(13263));
        return false;
    }
    number = static_cast<std::int32_t>(value);
    return true;
}

bool CHOXSelWordDevDlg::CheckUnitNumber()
{
    if (m_byType != SV::kK || !IsUnitList() || NumberExists(SV::kK, m_nNumber)) return true;
    UINT message = 13261;
    if (m_nDeviceList == kUnitOneAxis && m_bOneAxis) {
        message = IDS_K_NUMBER_1_2_17;
    } else if (m_nDeviceList != kUnitLogic) {
        message = m_bOneAxis ? (m_b32Bit ? IDS_K_RANGE_ONE_AXIS_32_BIT : IDS_K_RANGE_ONE_AXIS_16_BIT)
                             : (m_b32Bit ? IDS_K_RANGE_TWO_AXES_32_BIT : IDS_K_RANGE_TWO_AXES_16_BIT);
    }
    Refuse(kNumber, LoadStr(message));
    return false;
}

void CHOXSelWordDevDlg::OnOK()
{
    const BYTE type = SelectedType();
    if (type == SV::kEmpty) {
        AfxMessageBox(LoadStr(13212), MB_OK | MB_ICONHAND);
        GotoDlgCtrl(kDevice);
        return;
    }
    m_byType = type;
    const QString text = GetDlgItemText(kNumber);
    if (type == SV::kH) {
        std::int32_t number = 0;
        if (!CheckHexNumber(text, number)) return;
        m_nNumber = number;
        m_nDigits = 0;
        m_nIndexType = SV::kNoIndex;
        m_nIndexNumber = 0;
        if (Build(type)) EndDialog(IDOK);
        return;
    }
    if (GetDlgItemText(kDigits).isEmpty()) return Refuse(kDigits, LoadStr(IDS_INVALID_DIGITS));
    if (text.isEmpty()) return Refuse(kNumber, LoadStr(IDS_INVALID_DEVICE_NUMBER));
    if (type == SV::kK && m_b32Bit) {
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        if (!ok || QString::number(value) != text) return Refuse(kNumber, LoadStr(13637));
        m_nNumber = value;
    }
    if (GetDlgItemText(kIndexNumber).isEmpty()) return Refuse(kIndexNumber, LoadStr(IDS_INVALID_INDEX_REGISTER_NUMBER));
    if (!UpdateData(true)) return;
    if (!TakesIndex(type) || m_nIndexType < 0) m_nIndexType = SV::kNoIndex;
    if (m_nIndexType == SV::kNoIndex) m_nIndexNumber = 0;
    if (!IsGroup(type)) m_nDigits = 0;
    if (!CheckUnitNumber()) return;
    if (Build(type)) EndDialog(IDOK);
}

bool CHOXSelWordDevDlg::Build(BYTE type)
{
    // Typed values beyond a byte must not wrap round into valid ones.
    const auto toByte = [](std::int32_t v) { return static_cast<BYTE>(std::clamp(v, 0, 255)); };
    QString message;
    if (m_value.SetValue(message, type, toByte(m_nDigits), m_nNumber, toByte(m_nIndexType), toByte(m_nIndexNumber)) &&
        m_value.CheckRange(m_b32Bit, m_bOneAxis, message, m_nFileRegisters))
        return true;
    if (message.isEmpty()) message = LoadStr(IDS_INVALID_SOURCE_DATA);
    m_value.Clear();
    Refuse(IsIndexMessage(message) ? kIndexNumber : IsDigitMessage(message) ? kDigits : kNumber, message);
    return false;
}
