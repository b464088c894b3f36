#include "symbols/flow/HOXFlowCJump.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/FlowSymbolHelpers.h"
#include "symbols/flow/HOXFlowCJumpBitDlg.h"
#include "symbols/flow/HOXFlowCJumpCmpDlg.h"
#include "symbols/flow/HOXFlowCJumpDlg.h"
#include "symbols/flow/HOXFlowCJumpZoneDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowCJump, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowCJumpIcons[] = {{"CONDITIONAL JUMP", 4008}};
} // namespace
KT_REGISTER_KIND(CHOXFlowCJump, .type = objtype::kFlowCJump, .tool = ID_TOOL_FLOW_CJUMP,
                 .paletteName = "CONDITIONAL JUMP", .helpContext = 0x10070, .icons = kFlowCJumpIcons,
                 .maker = &MakeObjectOf<CHOXFlowCJump>)

using namespace chart;

namespace {

// The block the condition is evaluated in starts and ends with this.
QString Bret() { return QStringLiteral("BRET(FNC05)"); }
QString Blank() { return LoadStr(IDS_OPERAND_GAP); }
QString End() { return LoadStr(IDS_STATEMENT_END); }

// Program words of a compare or zone operand: constants take the width of
// the instruction.
int OperandSize(const CHOXSelectVal& operand, std::int32_t is32Bit)
{
    switch (operand.GetDeviceType()) {
    case CHOXSelectVal::kK:
    case CHOXSelectVal::kH: return is32Bit == 1 ? 5 : 3;
    case CHOXSelectVal::kD:
    case CHOXSelectVal::kDD:
    case CHOXSelectVal::kKnM:
    case CHOXSelectVal::kKnX:
    case CHOXSelectVal::kKnY:
    case CHOXSelectVal::kV:
    case CHOXSelectVal::kZ:
    case CHOXSelectVal::kX:
    case CHOXSelectVal::kY:
    case CHOXSelectVal::kM: return 2;
    default: return 0;
    }
}

// An octal-form number (its decimal digits read as octal ones) as a count.
std::int64_t FromOctalForm(std::int32_t number)
{
    std::int64_t value = 0;
    std::int64_t place = 1;
    for (std::int64_t rest = number; rest > 0; rest /= 10, place *= 8) value += (rest % 10) * place;
    return value;
}

std::int64_t ToOctalForm(std::int64_t value)
{
    std::int64_t number = 0;
    std::int64_t place = 1;
    for (; value > 0; value /= 8, place *= 10) number += (value % 8) * place;
    return number;
}

} // namespace

CHOXFlowCJump::CHOXFlowCJump() { m_strSymbolName = QStringLiteral("CONDITIONAL JUMP"); }

CHOXFlowCJump::CHOXFlowCJump(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("CONDITIONAL JUMP");
    // The label a loaded symbol gets, so that a chart saved again after
    // loading is stored as it was.
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFlowCJump::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nForm << m_nNegated << m_strBitCondition << m_nCompare32Bit;
        m_compare1.Serialize(ar);
        m_compare2.Serialize(ar);
        ar << m_nRelation << m_nCompareOutputType << m_nCompareOutputNumber << m_nZone32Bit;
        m_zone1.Serialize(ar);
        m_zone2.Serialize(ar);
        m_zone3.Serialize(ar);
        ar << m_nZoneOutputType << m_nZoneOutputNumber;
        return;
    }
    ar >> m_nForm >> m_nNegated >> m_strBitCondition >> m_nCompare32Bit;
    m_compare1.Serialize(ar);
    m_compare2.Serialize(ar);
    ar >> m_nRelation >> m_nCompareOutputType >> m_nCompareOutputNumber >> m_nZone32Bit;
    m_zone1.Serialize(ar);
    m_zone2.Serialize(ar);
    m_zone3.Serialize(ar);
    ar >> m_nZoneOutputType >> m_nZoneOutputNumber;
}

void CHOXFlowCJump::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(3);
    SetPin(0, MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
    SetPin(1, MakePin(1, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, m_pWnd));
    SetPin(kJumpPin, MakePin(kJumpPin, 64, 16, CHOXPin::kSideExit, CHOXPin::kOutput, m_pWnd));
}

// ---------------------------------------------------------------------------
// Label

QString CHOXFlowCJump::BitLabel() const
{
    // Each statement up to its ";" on a line of its own: what follows a
    // statement on its line is a comment.
    QString label;
    QString rest = m_strBitCondition;
    while (true) {
        const qsizetype semicolon = rest.indexOf(u';');
        if (semicolon < 0) {
            label += rest + QStringLiteral("\n");
            break;
        }
        label += rest.left(semicolon + 1) + QStringLiteral("\n");
        const qsizetype newline = rest.indexOf(u'\n');
        if (newline < 0) break;
        rest = rest.mid(newline + 1);
        if (rest.isEmpty()) break;
    }
    return label;
}

void CHOXFlowCJump::UpdateText()
{
    switch (m_nForm) {
    case kBitForm: m_strLabel = BitLabel(); break;
    case kCompareForm: {
        const QString sign = m_nRelation >= kGreater && m_nRelation <= kLess
                                 ? LoadStr(13104 + static_cast<UINT>(m_nRelation))
                                 : QString();
        m_strLabel = m_compare1.GetText() + Blank() + sign + Blank() + m_compare2.GetText();
        break;
    }
    case kZoneForm:
        m_strLabel =
            m_zone1.GetText() + QStringLiteral(" <= ") + m_zone2.GetText() + QStringLiteral(" <= ") + m_zone3.GetText();
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Program text

QString CHOXFlowCJump::ResultBit(std::int32_t outputType, std::int32_t number, int offset)
{
    if (outputType != 0) return QStringLiteral("M") + QString::number(std::int64_t(number) + offset);
    // The output itself is written as given; the bits after it count, Y
    // devices in octal: Y7 is followed by Y10.
    if (number < 0 || offset == 0) return QStringLiteral("Y") + QString::number(std::int64_t(number) + offset);
    return QStringLiteral("Y") + QString::number(ToOctalForm(FromOctalForm(number) + offset));
}

QString CHOXFlowCJump::CompareLines() const
{
    const auto bit = [this](int offset) {
        return ResultBit(m_nCompareOutputType, m_nCompareOutputNumber, offset) + End();
    };
    const QString ld = QStringLiteral("LD") + Blank();
    const QString orLine = QStringLiteral("\nOR") + Blank();
    QString lines = (m_nCompare32Bit != 0 ? QStringLiteral("DCMP(FNC10)") : QStringLiteral("CMP(FNC10)")) + Blank() +
                    m_compare1.GetText() + Blank() + m_compare2.GetText() + Blank() + bit(0) + QStringLiteral("\n");
    switch (m_nRelation) {
    case kGreater: lines += ld + bit(0); break;
    case kGreaterEqual: lines += ld + bit(0) + orLine + bit(1); break;
    case kEqual: lines += ld + bit(1); break;
    case kNotEqual: lines += QStringLiteral("LDI") + Blank() + bit(1); break;
    case kLessEqual: lines += ld + bit(1) + orLine + bit(2); break;
    case kLess: lines += ld + bit(2); break;
    default: break;
    }
    return lines;
}

QString CHOXFlowCJump::ZoneLines() const
{
    const auto bit = [this](int offset) { return ResultBit(m_nZoneOutputType, m_nZoneOutputNumber, offset) + End(); };
    return (m_nZone32Bit != 0 ? QStringLiteral("DZCP(FNC11)") : QStringLiteral("ZCP(FNC11)")) + Blank() +
           m_zone1.GetText() + Blank() + m_zone2.GetText() + Blank() + m_zone3.GetText() + Blank() + bit(0) +
           QStringLiteral("\nLD") + Blank() + bit(1);
}

bool CHOXFlowCJump::JumpTarget(QString& target) const
{
    const CHOXPin* pin = GetPin(kJumpPin);
    if (pin == nullptr || pin->IsFree()) return false;
    // A wire the chart does not know is no wire.
    const CHOXConnect* wire = FindWire(m_pWnd, pin->GetLinkId());
    if (wire == nullptr) return false;
    if (wire->GetTargetKind() == CHOXConnect::kTargetSymbol) {
        const CHOXSymbol* symbol = FindSymbol(m_pWnd, wire->GetTargetId());
        if (symbol != nullptr && symbol->GetObjectType() == objtype::kFlowJump) {
            target = symbol->GetLabel();
        } else {
            // The node made on the wire carries the label.
            target = QStringLiteral("P") + QString::number(static_cast<std::int32_t>(wire->GetNodeId()));
        }
        return true;
    }
    // A node's id is its pointer number.
    target = QStringLiteral("P") + QString::number(wire->GetTargetId());
    return true;
}

QString CHOXFlowCJump::GetCode()
{
    QString code = Bret() + End() + QStringLiteral("\n");
    switch (m_nForm) {
    case kBitForm:
        code += m_strBitCondition;
        if (!m_strBitCondition.isEmpty() && !m_strBitCondition.endsWith(u'\n')) code += QStringLiteral("\n");
        break;
    case kCompareForm: code += CompareLines(); break;
    case kZoneForm: code += ZoneLines(); break;
    default: break;
    }
    QString target;
    if (JumpTarget(target)) {
        if (m_nForm == kCompareForm || m_nForm == kZoneForm) code += QStringLiteral("\n");
        code += (m_nNegated != 0 ? QStringLiteral("CJN(FNC01)") : QStringLiteral("CJ(FNC00)")) + Blank() + target;
    }
    return code + End() + QStringLiteral("\n") + Bret() + End();
}

// ---------------------------------------------------------------------------
// Steps and checks

int CHOXFlowCJump::BitSteps() const
{
    const auto stripped = [](const QString& line) {
        qsizetype blanks = 0;
        while (blanks < line.size() && (line[blanks] == u' ' || line[blanks] == u'\t')) ++blanks;
        return line.mid(blanks);
    };
    // The contacts the dialog takes weigh 2 each. A condition rebuilt from
    // the controller's program may also hold OUT, whose device is a program
    // word of its own: counted as 2, the document's total and the step map
    // of monitoring would fall behind the controller's.
    const auto weight = [](const QString& line) {
        qsizetype end = 0;
        while (end < line.size() && line[end] != u' ' && line[end] != u'(' && line[end] != u';') ++end;
        const QString name = line.left(end).toUpper();
        return name == u"OUT" || name == u"FNC90" ? 4 : 2;
    };
    int steps = 0;
    QString rest = m_strBitCondition;
    for (qsizetype newline = rest.indexOf(u'\n'); newline >= 0; newline = rest.indexOf(u'\n')) {
        // A line without its last character (its ";").
        const QString line = stripped(rest.left(newline).chopped(newline > 0 ? 1 : 0));
        if (!line.isEmpty()) steps += weight(line);
        rest = rest.mid(newline + 1);
    }
    if (!rest.isEmpty()) steps += weight(stripped(rest));
    return steps;
}

void CHOXFlowCJump::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    switch (m_nForm) {
    case kBitForm: m_nSteps = 8 + BitSteps(); break;
    case kCompareForm:
        m_nSteps = 3 + OperandSize(m_compare1, m_nCompare32Bit) + OperandSize(m_compare2, m_nCompare32Bit) + 3 +
                   ((m_nRelation == kGreaterEqual || m_nRelation == kLessEqual) ? 4 : 2) + 6;
        break;
    case kZoneForm:
        m_nSteps = 3 + OperandSize(m_zone1, m_nZone32Bit) + OperandSize(m_zone2, m_nZone32Bit) +
                   OperandSize(m_zone3, m_nZone32Bit) + 11;
        break;
    default: m_nSteps = 0; break;
    }
}

int CHOXFlowCJump::OperandErrorState(std::initializer_list<const CHOXSelectVal*> operands, std::int32_t is32Bit) const
{
    for (const CHOXSelectVal* operand : operands)
        if (operand->IsEmpty()) return 1;
    bool oneAxis = false;
    std::int32_t fileRegisters = 0;
    if (CHOXDoc* doc = DocumentOf(m_pWnd)) {
        oneAxis = ctype::IsOneAxis(doc->GetControllerType());
        fileRegisters = doc->GetParam().GetFileRegisters();
    }
    QString message;
    for (const CHOXSelectVal* operand : operands) {
        const bool reg = operand->IsDeviceType(CHOXSelectVal::kD) || operand->IsDeviceType(CHOXSelectVal::kDD);
        if (reg && !operand->CheckRange(is32Bit != 0, oneAxis, message, fileRegisters)) return 2;
    }
    return 0;
}

int CHOXFlowCJump::GetErrorState()
{
    switch (m_nForm) {
    case kBitForm: return m_strBitCondition.isEmpty() ? 1 : 0;
    case kCompareForm: return OperandErrorState({&m_compare1, &m_compare2}, m_nCompare32Bit);
    case kZoneForm: return OperandErrorState({&m_zone1, &m_zone2, &m_zone3}, m_nZone32Bit);
    default: return 1;
    }
}

// ---------------------------------------------------------------------------
// Drawing

void CHOXFlowCJump::PrintText(CDC* pDC)
{
    flowsym::SideTextScope scope(pDC, m_pWnd);
    const CPoint origin = GetLabelOrigin(pDC);
    std::int64_t y = origin.y;
    for (const QString& line : m_strLabel.split(QLatin1Char('\n'))) {
        pDC->TextOut(origin.x, Sat(y), line);
        y += 14;
    }
    // CJ jumps when the condition holds: "Y" beside the jump output, "N"
    // below the other; CJN the other way round.
    const bool jumpOnYes = m_nNegated == 0;
    const CRect& r = m_position;
    const std::int64_t centre = std::int64_t(r.left) + (std::int64_t(r.right) - r.left) / 2;
    pDC->TextOut(Sat(std::int64_t(r.right) + 2), Sat(std::int64_t(r.bottom) - 14),
                 jumpOnYes ? QStringLiteral("Y") : QStringLiteral("N"));
    pDC->TextOut(Sat(centre + 4), Sat(std::int64_t(r.bottom) + 2),
                 jumpOnYes ? QStringLiteral("N") : QStringLiteral("Y"));
}

void CHOXFlowCJump::OnOpen(UINT, CPoint)
{
    if (!IsFlowRecord(m_pWnd)) return;
    CHOXFlowCJumpDlg chooser(this);
    if (chooser.DoModal() != IDOK) return;
    const std::int32_t chosen = chooser.GetKind();
    if (chosen < kBitForm || chosen > kZoneForm) return;
    const std::int32_t saved = m_nForm;
    m_nForm = chosen;
    if (!EditForm()) m_nForm = saved;
    CalcSteps();
    flowsym::SetModified(*this);
    flowsym::Redraw(*this);
    flowsym::ClearUndo(*this);
}

bool CHOXFlowCJump::EditForm()
{
    switch (m_nForm) {
    case kBitForm: {
        CHOXFlowCJumpBitDlg dlg(this);
        if (dlg.DoModal() != IDOK) return false;
        flowsym::TakeComment(*this, dlg);
        m_nNegated = dlg.GetNegated();
        m_strBitCondition = dlg.GetCondition();
        break;
    }
    case kCompareForm: {
        CHOXFlowCJumpCmpDlg dlg(this);
        if (dlg.DoModal() != IDOK) return false;
        flowsym::TakeComment(*this, dlg);
        m_nNegated = dlg.GetNegated();
        m_compare1 = dlg.GetSource1();
        m_compare2 = dlg.GetSource2();
        m_nRelation = dlg.GetRelation();
        m_nCompare32Bit = dlg.Get32Bit();
        m_nCompareOutputNumber = dlg.GetOutputNumber();
        m_nCompareOutputType = dlg.GetOutputType();
        break;
    }
    default: {
        CHOXFlowCJumpZoneDlg dlg(this);
        if (dlg.DoModal() != IDOK) return false;
        flowsym::TakeComment(*this, dlg);
        m_nNegated = dlg.GetNegated();
        m_nZone32Bit = dlg.Get32Bit();
        m_zone1 = dlg.GetOperand(0);
        m_zone2 = dlg.GetOperand(1);
        m_zone3 = dlg.GetOperand(2);
        m_nZoneOutputNumber = dlg.GetOutputNumber();
        m_nZoneOutputType = dlg.GetOutputType();
        break;
    }
    }
    UpdateText();
    return true;
}
