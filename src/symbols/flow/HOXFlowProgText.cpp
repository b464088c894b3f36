#include "symbols/flow/HOXFlowProgText.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "convert/HOXInstrParser.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/FlowSymbolHelpers.h"
#include "symbols/flow/HOXFlowProgTextDlg.h"
#include "symbols/operand/OperandText.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXFlowProgText, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowProgTextIcons[] = {{"PROGRAM in TEXT", 4012, 4083}};
} // namespace
KT_REGISTER_KIND(CHOXFlowProgText, .type = objtype::kFlowProgText, .tool = ID_TOOL_FLOW_PROGTEXT,
                 .paletteName = "PROGRAM in TEXT", .helpContext = 0x1006D, .icons = kFlowProgTextIcons,
                 .maker = &MakeObjectOf<CHOXFlowProgText>)

using namespace chart;

namespace {

// The text line by line: the part before each "\n"; a last part without one
// is a line too.
QStringList Lines(const QString& text)
{
    // Read in place: cutting each line off the rest would copy the rest.
    QStringList lines;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype newline = text.indexOf(u'\n', start);
        if (newline < 0) {
            lines << text.mid(start);
            break;
        }
        lines << text.mid(start, newline - start);
        start = newline + 1;
    }
    return lines;
}

} // namespace

CHOXFlowProgText::CHOXFlowProgText() { m_strSymbolName = QStringLiteral("PROGRAM in TEXT"); }

CHOXFlowProgText::CHOXFlowProgText(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("PROGRAM in TEXT");
    CreatePins();
    CalcSteps();
}

void CHOXFlowProgText::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_pointers.GetCount()));
        for (const auto& [key, value] : m_pointers) ar << key << value;
        ar << std::int32_t(0);
        return;
    }
    m_pointers.RemoveAll();
    const DWORD count = ar.ReadCount(8);
    for (DWORD i = 0; i < count; ++i) {
        std::int32_t key = 0;
        std::int32_t value = 0;
        ar >> key >> value;
        // Each entry read becomes the newest of its bucket, so two numbers
        // of one bucket come back in the other order.
        m_pointers.SetAt(key, value);
    }
    std::int32_t reserved = 0;
    ar >> reserved;
}

QString CHOXFlowProgText::GetCode()
{
    // The text ends with a line end, which the conversion puts back; any
    // other last character is part of the program.
    return m_strLabel.endsWith(u'\n') ? m_strLabel.chopped(1) : m_strLabel;
}

void CHOXFlowProgText::OnOpen(UINT, CPoint)
{
    CHOXFlowProgTextDlg dlg(this);
    if (dlg.DoModal() == IDOK) {
        flowsym::TakeComment(*this, dlg);
        if (dlg.GetText() != m_strLabel) m_nSteps = dlg.GetStepCount();
        m_strLabel = dlg.GetText();
        m_nState = kNormal;
        flowsym::SetModified(*this);
        flowsym::ClearUndo(*this);
    }
    flowsym::Redraw(*this);
}

template <class Accepted>
void CHOXFlowProgText::CheckLines(Accepted accepted)
{
    CHOXDoc* doc = DocumentOf(m_pWnd);
    CHOXInstrParser checker(doc != nullptr ? &doc->GetParam() : nullptr);
    WalkLines(m_strLabel, &checker, [&](const QString&, bool ok) { return !ok || accepted(checker); });
}

void CHOXFlowProgText::WalkLines(const QString& text, CHOXInstrParser* checker, const LineVisit& visit)
{
    QString preceding;
    for (const QString& line : Lines(text)) {
        bool accepted = false;
        if (checker != nullptr) {
            QString error;
            accepted = checker->CheckInstruction(line, error, preceding);
            checker->ReleasePrecedingText();
        }
        if (!visit(line, accepted)) return;
        preceding += line + u'\n';
    }
}

void CHOXFlowProgText::CalcSteps()
{
    int steps = 0;
    CheckLines([&steps](const CHOXInstrParser& checker) {
        steps += checker.GetSteps();
        return true;
    });
    m_nSteps = steps;
}

bool CHOXFlowProgText::CheckJumpTargets()
{
    CHOXDoc* doc = DocumentOf(m_pWnd);
    bool ok = true;
    CheckLines([&](const CHOXInstrParser& checker) {
        const QString name = checker.GetPrimaryName();
        if (name != QStringLiteral("JMP") && name != QStringLiteral("CALL") && name != QStringLiteral("CJ") &&
            name != QStringLiteral("CJN"))
            return true;
        // The operand is the target "P" and its number.
        const QString operand = checker.GetOperandText();
        qsizetype pos = 1;
        const std::optional<std::int64_t> number = operand::ReadDigits(operand, pos);
        ok = number && doc != nullptr && doc->IsPointerNumberUsed(static_cast<int>(*number));
        return ok;
    });
    return ok;
}

void CHOXFlowProgText::AssignNewNumber()
{
    CHOXSymbol::AssignNewNumber();
    CHOXDoc* doc = DocumentOf(m_pWnd);
    if (doc == nullptr || !IsFlowRecord(m_pWnd)) return;
    for (const auto& [number, value] : m_pointers) {
        if (doc->IsPointerNumberUsed(number)) {
            m_nState = kError;
            return;
        }
    }
}

std::vector<CHOXSymbol::HeldNumber> CHOXFlowProgText::GetHeldNumbers() const
{
    std::vector<HeldNumber> held;
    for (std::int32_t number : m_pointers.Keys()) {
        if (number < 0 || number > 255) continue;
        HeldNumber h;
        h.kind = HeldNumber::kPointer;
        h.number = number;
        h.givesBack = m_nState != kError;
        // Its labels are its text's.
        h.renumbers = false;
        held.push_back(h);
    }
    std::sort(held.begin(), held.end(), [](const HeldNumber& a, const HeldNumber& b) { return a.number < b.number; });
    return held;
}

void CHOXFlowProgText::PrintText(CDC* pDC)
{
    if (m_strLabel.isEmpty()) return;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList shown;
    for (const QString& line : Lines(m_strLabel)) {
        // What follows the first statement is a comment.
        const qsizetype semicolon = line.indexOf(u';');
        const QString statement = semicolon < 0 ? line : line.left(semicolon + 1);
        shown << statement.split(blanks, Qt::SkipEmptyParts).join(QLatin1Char(' '));
    }
    flowsym::SideTextScope scope(pDC, m_pWnd);
    std::int64_t widest = 0;
    for (const QString& line : shown) {
        std::int64_t width = 0;
        for (const QChar c : line) width += pDC->GetTextExtent(QString(c)).cx;
        widest = std::max(widest, width);
    }
    const std::int64_t x = std::int64_t(m_position.left) - 2 - widest;
    std::int64_t y = std::int64_t(m_position.top) + (std::int64_t(m_position.bottom) - m_position.top) / 2 - 14;
    for (const QString& line : shown) {
        pDC->TextOut(Sat(x), Sat(y), line);
        y += 14;
    }
}
