#include "online/monitor/HOXMonDevStat.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/DeviceRanges.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "online/HOXMonCommand.h"
#include "online/comm/ControllerDevices.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXWordInputDlg.h"
#include "online/monitor/MonObjIds.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "symbols/operand/HOXSelectVal.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXMonDevStat, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonDevStat, .type = objtype::kMonDevStat, .helpContext = 0x18074)

// Device-status objects take the document's monitor-object ids.
static_assert(CHOXDoc::kFirstMonObjId > monid::kProgInfo, "monitor-object ids meet the fixed ids");

namespace {

using SV = CHOXSelectVal;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Texts stand this far below the top of their row.
constexpr int kTextDrop = 2;
// A value ends this far left of its box's right edge.
constexpr int kValueMargin = 2;

bool IsWordType(std::int32_t type) { return type == SV::kD || type == SV::kDD || type == SV::kV || type == SV::kZ; }

// Whether device n of the type exists on the model. X and Y are judged by
// the plain number, not by its octal digits.
bool DeviceExists(std::int32_t type, std::int64_t n, bool oneAxis, std::int64_t fileRegisters)
{
    if (n < 0) return false;
    switch (type) {
    case SV::kD:
    case SV::kDD: return devices::IsD(n, oneAxis, fileRegisters);
    case SV::kV:
    case SV::kZ: return devices::IsIndexNumber(n);
    case SV::kX: return devices::InXBlocks(n, oneAxis);
    case SV::kY: return n <= devices::LastY(oneAxis);
    case SV::kM: return devices::IsM(n);
    default: return false;
    }
}

} // namespace

CHOXMonDevStat::CHOXMonDevStat() = default;

CHOXMonDevStat::CHOXMonDevStat(const Settings& settings, CHOXWnd* wnd) : CHOXMonObj(wnd), m_settings(settings)
{
    InitRows();
    ResetSize();
}

void CHOXMonDevStat::Serialize(CArchive& ar)
{
    CHOXMonObj::Serialize(ar);
    Settings& s = m_settings;
    if (ar.IsStoring()) {
        ar << s.is32Bit << s.type << s.top << s.indexKind << s.indexNumber << s.points;
    } else {
        ar >> s.is32Bit >> s.type >> s.top >> s.indexKind >> s.indexNumber >> s.points;
    }
}

void CHOXMonDevStat::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(TextFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 0, kBlack));
    const QBrush oldBrush = pDC->GetBrush();
    for (int row = 0; row < GetRowCount(); ++row) {
        if (IsBitType()) {
            DrawBitRow(pDC, row);
        } else {
            DrawWordRow(pDC, row);
        }
    }
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
    pDC->SetBkMode(oldMode);
    pDC->SelectFont(oldFont);
}

CRect CHOXMonDevStat::RowBox(int row, int left, int right) const
{
    const std::int64_t top = std::int64_t(m_position.top) + std::int64_t(kRowHeight) * row;
    return {chart::Sat(std::int64_t(m_position.left) + left), chart::Sat(top), chart::Sat(std::int64_t(m_position.left) + right),
            chart::Sat(top + kRowHeight)};
}

void CHOXMonDevStat::DrawBitRow(CDC* pDC, int row)
{
    const CRect box = RowBox(row, 0, kLampWidth);
    const bool on = IsRowValid(row) && GetValue(row) == 1;
    pDC->SelectBrush(QBrush(ToQColor(on ? kLampOn : kLampOff)));
    pDC->Rectangle(box);
    const QString label = GetRowLabel(row);
    if (label.isEmpty()) return;
    TextOutCentred(pDC, box.left, kLampWidth, std::int64_t(box.top) + kTextDrop, label);
}

void CHOXMonDevStat::DrawWordRow(CDC* pDC, int row)
{
    // The box comes after the label: a long indexed label ends under it.
    const QString label = GetRowLabel(row);
    const CRect line = RowBox(row, 0, 0);
    if (!label.isEmpty()) pDC->TextOut(line.left, line.top, label);
    const CRect box = RowBox(row, kValueLeft, kValueRight);
    pDC->SelectBrush(QBrush(ToQColor(kWhite)));
    pDC->Rectangle(box);
    if (label.isEmpty()) return;
    const QString value = QString::number(GetValue(row));
    TextOutEndingAt(pDC, std::int64_t(box.right) - kValueMargin, std::int64_t(box.top) + kTextDrop, value);
}

void CHOXMonDevStat::OnOpen(UINT, CPoint point)
{
    if (IsEditing()) {
        EditSettings();
        return;
    }
    // The inputs X are the controller's to switch.
    switch (m_settings.type) {
    case SV::kX: break;
    case SV::kY:
    case SV::kM: ToggleBit(point); break;
    default: WriteWord(point); break;
    }
}

void CHOXMonDevStat::ToggleBit(CPoint point)
{
    const int row = RowAt(point, true);
    if (!IsRowValid(row)) return;
    CHOXMonCommand sender(GetDocument());
    // A bit shown off is set and one shown on reset: the reset flag is 1
    // for a bit shown on. The lamp follows at the next reading.
    sender.SetDevice(m_settings.type, static_cast<int>(GetRowNumber(row)), GetValue(row) == 1 ? 1 : 0);
}

void CHOXMonDevStat::WriteWord(CPoint point)
{
    const int row = RowAt(point, false);
    if (!IsRowValid(row)) return;
    const std::int64_t number = GetRowNumber(row);
    const QString prompt = QStringLiteral("&Enter   %1%2   Value").arg(GetDeviceName(m_settings.type)).arg(number);
    const bool editable = !IsWriteProtected(number, m_settings.is32Bit != 0);
    CHOXWordInputDlg dlg(GetValue(row), prompt, editable ? 1 : 0, 0);
    if (dlg.DoModal() != IDOK || !editable) return;
    // The value shown changes at the next reading.
    CHOXMonCommand sender(GetDocument());
    sender.WriteDevice(m_settings.type, static_cast<int>(number), m_settings.indexKind, m_settings.indexNumber,
                       dlg.GetValue());
}

void CHOXMonDevStat::EditSettings()
{
    CHOXMonDevStatDlg dlg(*this);
    if (dlg.DoModal() == IDOK) {
        const CPoint topLeft = m_position.TopLeft();
        m_settings = dlg.GetSettings();
        m_values.clear();
        InitRows();
        ResetSize();
        m_position =
            Shifted(m_position, std::int64_t(topLeft.x) - m_position.left, std::int64_t(topLeft.y) - m_position.top);
        GrowSheet();
        Invalidate();
        if (CHOXView* view = m_pWnd != nullptr ? m_pWnd->GetView() : nullptr) EnsureVisible(view);
    }
    SetModified();
    UpdateAllViews();
}

void CHOXMonDevStat::GrowSheet()
{
    CHOXBaseRect* sheet = m_pWnd != nullptr ? m_pWnd->GetBaseRect() : nullptr;
    if (sheet == nullptr) return;
    if (std::int64_t(m_position.bottom) < std::int64_t(sheet->m_position.bottom) - 10) return;
    sheet->m_position.bottom = chart::Sat(std::int64_t(m_position.bottom) + 30);
    if (CHOXView* view = m_pWnd->GetView()) view->UpdateScrollSizes();
}

std::int64_t CHOXMonDevStat::FileRegisters() const
{
    const CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    return doc != nullptr ? doc->GetParam().GetFileRegisters() : 0;
}

int CHOXMonDevStat::GetRowCount() const { return std::clamp<std::int32_t>(m_settings.points, 0, kMaxRows); }

bool CHOXMonDevStat::IsBitType() const
{
    return m_settings.type == SV::kX || m_settings.type == SV::kY || m_settings.type == SV::kM;
}

std::int64_t CHOXMonDevStat::ValidityNumber(int row) const
{
    const bool pairs = m_settings.is32Bit != 0 && IsWordType(m_settings.type);
    return std::int64_t(m_settings.top) + (pairs ? 2 : 1) * std::int64_t(row);
}

void CHOXMonDevStat::InitRows()
{
    const std::int64_t fileRegisters = FileRegisters();
    m_rowValid.fill(false);
    int shown = 0;
    for (int row = 0; row < GetRowCount(); ++row) {
        m_rowValid[row] = DeviceExists(m_settings.type, ValidityNumber(row), IsOneAxis(), fileRegisters);
        if (m_rowValid[row]) shown = row + 1;
    }
    if (m_settings.type == SV::kD && m_settings.is32Bit != 0) m_settings.type = SV::kDD;
    m_values.assign(static_cast<std::size_t>(shown), 0);
}

void CHOXMonDevStat::ResetSize()
{
    m_position = CRect(10, 10, IsBitType() ? 50 : 154, 10 + kRowHeight * GetRowCount());
}

int CHOXMonDevStat::SetValues(std::span<const BYTE> buffer, bool sixteenBit)
{
    const std::size_t width = sixteenBit ? 2 : 4;
    const std::size_t count = std::min(m_values.size(), buffer.size() / width);
    for (std::size_t i = 0; i < count; ++i) {
        const BYTE* v = buffer.data() + i * width;
        if (sixteenBit) {
            m_values[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(v[0] | (v[1] << 8)));
        } else {
            m_values[i] = static_cast<std::int32_t>(std::uint32_t(v[0]) | std::uint32_t(v[1]) << 8 |
                                                    std::uint32_t(v[2]) << 16 | std::uint32_t(v[3]) << 24);
        }
    }
    return static_cast<int>(count);
}

QString CHOXMonDevStat::GetDeviceName(std::int32_t type)
{
    switch (type) {
    case SV::kD: return QStringLiteral("D");
    case SV::kDD: return QStringLiteral("DD");
    case SV::kV: return QStringLiteral("V");
    case SV::kZ: return QStringLiteral("Z");
    case SV::kX: return QStringLiteral("X");
    case SV::kY: return QStringLiteral("Y");
    case SV::kM: return QStringLiteral("M");
    default: return {};
    }
}

QString CHOXMonDevStat::GetIndexName(std::int32_t kind)
{
    switch (kind) {
    case SV::kIndexV: return QStringLiteral("V");
    case SV::kIndexZ: return QStringLiteral("Z");
    default: return {};
    }
}

int CHOXMonDevStat::RowAt(CPoint point, bool bitBox) const
{
    const std::int64_t left = std::int64_t(m_position.left) + (bitBox ? 0 : kValueLeft);
    const std::int64_t right = std::int64_t(m_position.left) + (bitBox ? kLampWidth : kValueRight);
    if (point.x < left || point.x >= right) return -1;
    for (int row = 0; row < GetRowCount(); ++row) {
        const std::int64_t top = std::int64_t(m_position.top) + std::int64_t(kRowHeight) * row;
        if (point.y >= top && point.y < top + kRowHeight) return row;
    }
    return -1;
}

bool CHOXMonDevStat::IsWriteProtected(std::int64_t number, bool is32Bit)
{
    return ctrldev::IsWriteProtected(number, is32Bit);
}

bool CHOXMonDevStat::IsRowValid(int row) const { return row >= 0 && row < GetRowCount() && m_rowValid[row]; }

std::int64_t CHOXMonDevStat::GetRowNumber(int row) const
{
    const std::int64_t top = m_settings.top;
    switch (m_settings.type) {
    case SV::kX:
    case SV::kY: {
        // At the first number that ends in 8 or 9 the column jumps to the
        // next ten, and stays shifted: X7 is followed by X10.
        for (int i = 0; i <= row; ++i) {
            const std::int64_t n = top + i;
            const std::int64_t digit = n % 10;
            if (n >= 0 && digit >= 8) return top + row + (10 - digit);
        }
        return top + row;
    }
    case SV::kDD: return top + 2 * std::int64_t(row);
    case SV::kZ: return top + (m_settings.is32Bit != 0 ? 2 : 1) * std::int64_t(row);
    default: return top + row;
    }
}

QString CHOXMonDevStat::GetRowLabel(int row) const
{
    if (!IsRowValid(row)) return {};
    const std::int64_t n = GetRowNumber(row);
    const QString name = GetDeviceName(m_settings.type);
    if (IsBitType()) {
        const QString pad = n < 10 ? QStringLiteral("00") : n < 100 ? QStringLiteral("0") : QString();
        return name + pad + QString::number(n);
    }
    QString label = name + QString::number(n) + u' ';
    const QString index = GetIndexName(m_settings.indexKind);
    if (!index.isEmpty()) label += index + QString::number(m_settings.indexNumber) + u' ';
    return label;
}

std::int32_t CHOXMonDevStat::GetValue(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < m_values.size() ? m_values[static_cast<std::size_t>(row)] : 0;
}
