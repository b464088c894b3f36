// The text import's statements: inside a chart each flow instruction
// becomes its flow symbol, a conditional jump only when its lines have the
// form the symbol writes, and every run of other statements one block of
// program text; all in one column, each symbol wired to the next.
#include "convert/HOXTextImporter.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "convert/ChartBuilding.h"
#include "convert/HOXExportProgressDlg.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowRet.h"

#include <initializer_list>

namespace {

bool IsOneOf(const QString& name, std::initializer_list<const char*> names)
{
    const QString upper = name.toUpper();
    for (const char* n : names)
        if (upper == QLatin1String(n)) return true;
    return false;
}

bool IsCompareName(const QString& name) { return IsOneOf(name, {"CMP", "DCMP"}); }
bool IsZoneName(const QString& name) { return IsOneOf(name, {"ZCP", "DZCP"}); }

// The last line of a text whose lines each end with a line break, and where
// it starts.
QString LastLine(const QString& text, qsizetype* start)
{
    const qsizetype end = text.endsWith(u'\n') ? text.size() - 1 : text.size();
    *start = text.lastIndexOf(u'\n', end - 1) + 1;
    return text.mid(*start, end - *start);
}

} // namespace

// ---------------------------------------------------------------------------
// Name sets

bool CHOXTextImporter::IsFlowInstruction(QString name)
{
    return IsOneOf(name, {"CJ", "JMP", "END", "CALL", "RET", "CMP", "ZCP", "DCMP", "DZCP", "CJN", "SEND"});
}

bool CHOXTextImporter::IsSequenceInstruction(QString name)
{
    return IsOneOf(name, {"LD", "OR", "AND", "LDI", "ORI", "ANI", "ORB", "ANB"});
}

bool CHOXTextImporter::IsConditionalJump(QString name)
{
    return IsOneOf(name, {"CMP", "ZCP", "DCMP", "DZCP", "CJN", "CJ"});
}

// ---------------------------------------------------------------------------
// The statement loop

bool CHOXTextImporter::ReadChart(CHOXFlowWnd* wnd, CHOXSymbol* first)
{
    CHOXSymbol* last = first;
    const int firstType = first->GetObjectType();
    m_strHeld.clear();
    m_strCondition.clear();
    while (!m_bStopped) {
        // The target of a conditional jump built by the statement before.
        m_strWiringJumpWord = m_strJumpWord;
        QString line;
        if (!GetNextLine(line)) {
            CloseChartAtEnd(wnd, last, firstType);
            return false;
        }
        StepProgress();
        int labelType = 0;
        int axis = axis::kX;
        std::int32_t number = 0;
        bool subtask = false;
        if (ParseLabel(line, &labelType, &axis, &number, &subtask)) {
            // The label starts the next chart.
            UnreadLine();
            return CloseChartAtLabel(wnd, last, firstType, labelType, number);
        }
        QString error;
        if (!CheckLine(line, &error)) {
            m_bPendingError = true;
            m_strPending += m_strHeld + line + QStringLiteral("\n");
            m_strLog += line + QStringLiteral("\n");
            m_strHeld.clear();
            m_strCondition.clear();
            NoteStatementLine(error);
            continue;
        }
        const QString primary = m_checker.GetPrimaryName();
        const QString alternate = m_checker.GetAlternateName();
        const QString operands = m_checker.GetOperandText();
        if (!IsFlowInstruction(alternate) && !IsFlowInstruction(primary)) {
            m_strLog += line + QStringLiteral("\n");
            const QString canonical = m_checker.GetCanonicalStatement() + QStringLiteral("\n");
            if (IsSequenceInstruction(alternate)) {
                m_strCondition += canonical;
                m_strHeld += canonical;
            } else {
                m_strPending += m_strHeld + canonical;
                m_strHeld.clear();
                m_strCondition.clear();
            }
            continue;
        }
        m_strConsumed.clear();
        if (IsConditionalJump(primary)) {
            if (IsCompareName(primary) || IsZoneName(primary)) {
                m_strPending += m_strHeld;
                m_strHeld.clear();
                m_strCondition.clear();
            }
            // The block the symbol writes opens with BRET.
            qsizetype start = 0;
            const QString opening = m_strPending.isEmpty() ? QString() : LastLine(m_strPending, &start);
            QString ignored;
            const bool opened = opening.trimmed().left(4).toUpper() == QStringLiteral("BRET") &&
                                m_checker.CheckInstruction(opening, ignored) &&
                                m_checker.GetPrimaryName() == QStringLiteral("BRET");
            if (!opened) {
                m_strPending += m_strHeld + line + QStringLiteral("\n");
                m_strLog += line + QStringLiteral("\n");
                m_strHeld.clear();
                m_strCondition.clear();
                continue;
            }
            m_strPending.truncate(start);
            m_strConsumed = QStringLiteral("BRET(FNC05);\n") + m_strHeld + line + QStringLiteral("\n");
            m_strHeld.clear();
        } else {
            m_strLog += line + QStringLiteral("\n");
        }
        bool ended = false;
        if (!TakeFlowStatement(wnd, last, primary, alternate, operands, &ended)) return false;
        if (ended) return true;
    }
    return false;
}

bool CHOXTextImporter::TakeFlowStatement(CHOXFlowWnd* wnd, CHOXSymbol*& last, const QString& primary,
                                         const QString& alternate, const QString& operands, bool* chartEnded)
{
    CHOXSymbol* symbol = CreateFlowSymbol(wnd, primary, alternate, operands);
    if (symbol == nullptr) {
        if (m_bStopped) return false;
        // A conditional jump without its form stays program text.
        m_strPending += m_strHeld + m_strConsumed;
        m_strCondition.clear();
        m_strHeld.clear();
        return true;
    }
    // Sequence statements before a flow instruction other than a
    // conditional jump are plain program text.
    if (!m_strCondition.isEmpty()) m_strPending += m_strHeld;
    if (!m_strPending.isEmpty()) {
        CHOXSymbol* text = CreateProgTextSymbol(wnd, m_strPending);
        if (text == nullptr) return false;
        text->m_position = symbol->m_position;
        ConnectSymbols(wnd, last, text);
        if (m_bStopped) return false;
        last = text;
        symbol->m_position = CHOXDrawObj::Shifted(text->m_position, 0, kRow);
        m_cursor.y = symbol->m_position.top + kRow;
        m_bPendingError = false;
    }
    m_strPending.clear();
    m_strCondition.clear();
    m_strHeld.clear();
    const int type = symbol->GetObjectType();
    if (type == objtype::kFlowJump) TakeEndAfterJump(symbol);
    ConnectSymbols(wnd, last, symbol);
    if (m_bStopped) return false;
    if (type == objtype::kFlowEnd || type == objtype::kFlowRet || type == objtype::kFlowJump) {
        *chartEnded = true;
        return true;
    }
    last = symbol;
    return true;
}

void CHOXTextImporter::TakeEndAfterJump(CHOXSymbol* symbol)
{
    auto* jump = static_cast<CHOXFlowJump*>(symbol);
    QString next;
    if (!GetNextLine(next)) return;
    const bool end = CheckLine(next) && IsOneOf(m_checker.GetPrimaryName(), {"M02", "M102"});
    if (!end) {
        UnreadLine();
        return;
    }
    StepProgress();
    m_strLog += next + QStringLiteral("\n");
    jump->SetEndFollows(1);
    jump->SetEndKind(IsOneOf(m_checker.GetPrimaryName(), {"M102"}) ? 1 : 0);
    jump->SetCaptionMode(1);
    jump->CalcSteps();
}

bool CHOXTextImporter::PlacePending(CHOXFlowWnd* wnd, CHOXSymbol*& last)
{
    if (m_strPending.isEmpty()) return true;
    CHOXSymbol* text = CreateProgTextSymbol(wnd, m_strPending);
    if (text == nullptr) return false;
    m_strPending.clear();
    m_bPendingError = false;
    ConnectSymbols(wnd, last, text);
    last = text;
    return !m_bStopped;
}

bool CHOXTextImporter::CloseChartAtLabel(CHOXFlowWnd* wnd, CHOXSymbol*& last, int firstType, int labelType,
                                         std::int32_t number)
{
    // Held sequence lines are program text like any other.
    m_strPending += m_strHeld;
    m_strHeld.clear();
    m_strCondition.clear();
    if (!PlacePending(wnd, last)) return false;
    if (labelType == objtype::kFlowPointer) {
        // The program runs on into the pointer's chart: a JUMP says so.
        CHOXSymbol* jump = CreateFlowSymbol(wnd, QStringLiteral("JMP"), QString(), QStringLiteral("P%1").arg(number));
        if (jump == nullptr) return false;
        ConnectSymbols(wnd, last, jump);
        ++m_nJumpsBuilt;
    } else {
        CHOXSymbol* end = AddChartEnd(wnd, firstType);
        if (end == nullptr) return false;
        ConnectSymbols(wnd, last, end);
    }
    return !m_bStopped;
}

void CHOXTextImporter::CloseChartAtEnd(CHOXFlowWnd* wnd, CHOXSymbol*& last, int firstType)
{
    m_strPending += m_strHeld;
    m_strHeld.clear();
    m_strCondition.clear();
    if (!PlacePending(wnd, last)) return;
    CHOXSymbol* end = AddChartEnd(wnd, firstType);
    if (end == nullptr) return;
    ConnectSymbols(wnd, last, end);
    if (m_bStopped) return;
    FitBaseToSymbols(wnd);
    CloseProgress();
    ShowResult();
}

// ---------------------------------------------------------------------------
// Symbols

std::int32_t CHOXTextImporter::PointerNumberOf(const QString& operands)
{
    QString rest = operands;
    QString word;
    m_checker.ExtractWord(rest, word);
    const std::optional<std::int32_t> n = LeadingNumber(word.mid(1));
    return n ? *n : -1;
}

bool CHOXTextImporter::IsValidPointer(std::int32_t number) const
{
    const bool oneAxis = m_pDoc != nullptr && ctype::IsOneAxis(m_pDoc->GetControllerType());
    return number >= 0 && number < (oneAxis ? 128 : 256);
}

CHOXSymbol* CHOXTextImporter::CreateFlowSymbol(CHOXFlowWnd* wnd, QString primary, QString alternate, QString operands)
{
    primary = primary.toUpper();
    alternate = alternate.toUpper();
    std::unique_ptr<CHOXSymbol> symbol;
    if (alternate == QStringLiteral("END") || alternate == QStringLiteral("SEND")) {
        auto end = std::make_unique<CHOXFlowEnd>(m_cursor, wnd);
        end->SetEndKind(alternate == QStringLiteral("SEND") ? 1 : 0);
        symbol = std::move(end);
    } else if (primary == QStringLiteral("JMP")) {
        auto jump = std::make_unique<CHOXFlowJump>(m_cursor, wnd);
        const std::int32_t n = PointerNumberOf(operands);
        jump->SetPointerNumber(n);
        if (!IsValidPointer(n)) {
            jump->SetState(CHOXSymbol::kError);
            m_bErrorSymbols = true;
        }
        jump->SetEndFollows(0);
        jump->SetCaptionMode(1);
        jump->SetEndKind(-1);
        ++m_nJumpsRead;
        ++m_nJumpsBuilt;
        symbol = std::move(jump);
    } else if (primary == QStringLiteral("CALL")) {
        auto call = std::make_unique<CHOXFlowCall>(m_cursor, wnd);
        const std::int32_t n = PointerNumberOf(operands);
        call->SetPointerNumber(n);
        if (!IsValidPointer(n)) {
            call->SetState(CHOXSymbol::kError);
            m_bErrorSymbols = true;
        }
        symbol = std::move(call);
    } else if (primary == QStringLiteral("RET")) {
        symbol = std::make_unique<CHOXFlowRet>(m_cursor, wnd);
    } else if (IsConditionalJump(primary)) {
        auto cjump = std::make_unique<CHOXFlowCJump>(m_cursor, wnd);
        // A conditional jump that is not built keeps the target of the one
        // before, which the next wire still needs.
        const QString jumpWord = m_strJumpWord;
        int form = CHOXFlowCJump::kBitForm;
        if (IsCompareName(primary)) {
            form = CHOXFlowCJump::kCompareForm;
            cjump->SetCompare32Bit(primary == QStringLiteral("DCMP") ? 1 : 0);
        } else if (IsZoneName(primary)) {
            form = CHOXFlowCJump::kZoneForm;
            cjump->SetZone32Bit(primary == QStringLiteral("DZCP") ? 1 : 0);
        } else {
            QString rest = operands;
            QString word;
            m_checker.ExtractWord(rest, word);
            m_strJumpWord = word;
            cjump->SetNegated(primary == QStringLiteral("CJN") ? 1 : 0);
        }
        cjump->SetKind(form);
        const int result = ReadConditionalJump(cjump.get(), operands, m_strCondition, form);
        m_strLog += m_strConsumed + QStringLiteral("\n");
        if (result != kCJumpRead) {
            if (result == kCJumpRefused) m_bPendingError = true;
            m_strJumpWord = jumpWord;
            return nullptr;
        }
        symbol = std::move(cjump);
    } else {
        return nullptr;
    }
    CHOXSymbol* raw = symbol.get();
    if (!PlaceSymbol(wnd, std::move(symbol))) return nullptr;
    raw->UpdateText();
    raw->CalcSteps();
    m_cursor.y += kRow;
    return raw;
}

bool CHOXTextImporter::ReadOutput(const QString& word, std::int32_t* type, std::int32_t* number) const
{
    if (word.isEmpty()) return false;
    const QChar letter = word[0].toUpper();
    if (letter != u'M' && letter != u'Y') return false;
    const QString digits = word.mid(1);
    const std::optional<std::int32_t> n = IsAllDigits(digits) ? LeadingNumber(digits) : std::nullopt;
    if (!n) return false;
    *type = letter == u'M' ? 1 : 0;
    *number = *n;
    return true;
}

int CHOXTextImporter::ResultBitOffset(const QString& operands, QChar letter, std::int32_t outputType,
                                      std::int32_t outputNumber)
{
    QString rest = operands;
    QString word;
    m_checker.ExtractWord(rest, word);
    word = word.toUpper();
    if (word.isEmpty() || word[0] != letter) return -1;
    for (int offset = 0; offset <= 2; ++offset)
        if (word == CHOXFlowCJump::ResultBit(outputType, outputNumber, offset)) return offset;
    return -1;
}

bool CHOXTextImporter::TakeFormLine(QString& line, bool* passed)
{
    if (!GetNextLine(line)) return false;
    StepProgress();
    QString error;
    *passed = CheckLine(line, &error);
    if (!*passed) {
        // A line that fails inside the form is kept, as written, with the
        // block it belongs to.
        m_strConsumed += line + QStringLiteral("\n");
        NoteStatementLine(error);
    }
    return true;
}

int CHOXTextImporter::ReadConditionalJump(CHOXFlowCJump* cjump, QString operands, QString condition, int form)
{
    QStringList words;
    for (QString rest = operands; words.size() < 8;) {
        QString word;
        m_checker.ExtractWord(rest, word);
        if (word.isEmpty()) break;
        words << word;
    }
    QString line;
    bool passed = false;
    // The line in hand is not what the form needs there: it is read again
    // as a statement of its own.
    const auto notForm = [this] {
        UnreadLine();
        return kCJumpNotForm;
    };
    const auto take = [this, &line] { m_strConsumed += line + QStringLiteral("\n"); };
    const auto next = [&]() -> int {
        if (!TakeFormLine(line, &passed)) return kCJumpNotForm;
        return passed ? kCJumpRead : kCJumpRefused;
    };

    bool jumpLineInHand = false;
    QString message;
    std::int32_t outputType = 1;
    std::int32_t outputNumber = 0;
    switch (form) {
    case CHOXFlowCJump::kBitForm: cjump->SetBitCondition(condition); break;
    case CHOXFlowCJump::kCompareForm: {
        if (words.size() < 3 || !cjump->SetCompareOperand1(words[0], message) ||
            !cjump->SetCompareOperand2(words[1], message) || !ReadOutput(words[2], &outputType, &outputNumber))
            return kCJumpNotForm;
        cjump->SetCompareOutputType(outputType);
        cjump->SetCompareOutputNumber(outputNumber);
        const QChar letter = outputType == 1 ? u'M' : u'Y';
        if (int r = next(); r != kCJumpRead) return r;
        const QString name = m_checker.GetAlternateName().toUpper();
        const int first = ResultBitOffset(m_checker.GetOperandText(), letter, outputType, outputNumber);
        int relation = -1;
        if (name == QStringLiteral("LDI")) {
            if (first != 1) return notForm();
            relation = CHOXFlowCJump::kNotEqual;
            take();
        } else if (name == QStringLiteral("LD")) {
            if (first < 0) return notForm();
            take();
            if (int r = next(); r != kCJumpRead) return r;
            if (m_checker.GetAlternateName().toUpper() == QStringLiteral("OR")) {
                const int second = ResultBitOffset(m_checker.GetOperandText(), letter, outputType, outputNumber);
                if (first + second == 1 && first != second && second >= 0)
                    relation = CHOXFlowCJump::kGreaterEqual;
                else if (first + second == 3 && first != second && second >= 1)
                    relation = CHOXFlowCJump::kLessEqual;
                else
                    return notForm();
                take();
            } else {
                relation = first == 0   ? CHOXFlowCJump::kGreater
                           : first == 1 ? CHOXFlowCJump::kEqual
                                        : CHOXFlowCJump::kLess;
                jumpLineInHand = true;
            }
        } else {
            return notForm();
        }
        cjump->SetCompareCondition(relation);
        break;
    }
    case CHOXFlowCJump::kZoneForm: {
        if (words.size() < 4 || !cjump->SetZoneOperand1(words[0], message) ||
            !cjump->SetZoneOperand2(words[1], message) || !cjump->SetZoneOperand3(words[2], message) ||
            !ReadOutput(words[3], &outputType, &outputNumber))
            return kCJumpNotForm;
        cjump->SetZoneOutputType(outputType);
        cjump->SetZoneOutputNumber(outputNumber);
        if (int r = next(); r != kCJumpRead) return r;
        if (m_checker.GetAlternateName().toUpper() != QStringLiteral("LD") ||
            ResultBitOffset(m_checker.GetOperandText(), outputType == 1 ? u'M' : u'Y', outputType, outputNumber) != 1)
            return notForm();
        take();
        break;
    }
    default: return kCJumpNotForm;
    }

    if (form != CHOXFlowCJump::kBitForm) {
        if (!jumpLineInHand) {
            if (int r = next(); r != kCJumpRead) return r;
        }
        const QString name = m_checker.GetPrimaryName().toUpper();
        if (name != QStringLiteral("CJ") && name != QStringLiteral("CJN")) return notForm();
        m_strJumpWord = m_checker.GetOperandText();
        cjump->SetNegated(name == QStringLiteral("CJN") ? 1 : 0);
        take();
    }
    if (int r = next(); r != kCJumpRead) return r;
    if (m_checker.GetPrimaryName().toUpper() != QStringLiteral("BRET")) return notForm();
    take();
    return kCJumpRead;
}

CHOXSymbol* CHOXTextImporter::CreateProgTextSymbol(CHOXFlowWnd* wnd, const QString& text)
{
    auto owned = std::make_unique<CHOXFlowProgText>(m_cursor, wnd);
    CHOXFlowProgText* block = owned.get();
    block->SetText(text);
    block->CalcSteps();
    if (!PlaceSymbol(wnd, std::move(owned))) return nullptr;
    if (m_bPendingError) {
        block->SetState(CHOXSymbol::kError);
        m_bErrorSymbols = true;
    }
    m_cursor.y += kRow;
    return block;
}

void CHOXTextImporter::ConnectSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to)
{
    CHOXConnect* wire = nullptr;
    const chartbuild::WireResult result =
        chartbuild::WireSymbols(wnd, from, chartbuild::ColumnOutputPin(from), to, &wire);
    if (result == chartbuild::WireResult::kNoId) {
        // The allocator has said so.
        StopAtIdLimit();
        return;
    }
    if (wire == nullptr || from->GetObjectType() != objtype::kFlowCJump) return;
    CHOXSymbol* jump = CreateFlowSymbol(wnd, QStringLiteral("JMP"), QString(), m_strWiringJumpWord);
    if (jump == nullptr) return;
    if (!AttachJumpBranch(wnd, from, wire, to, static_cast<CHOXFlowJump*>(jump))) {
        // A JUMP nothing leads to would be left over: it goes again.
        if (std::unique_ptr<CHOXDrawObj> gone = wnd->RemoveObject(static_cast<WORD>(jump->GetId()))) gone->Remove();
        m_pDoc->ReleaseSymbolId();
        StopAtIdLimit();
    }
}

bool CHOXTextImporter::AttachJumpBranch(CHOXFlowWnd* wnd, CHOXSymbol* cjump, CHOXConnect* wire, CHOXSymbol* next,
                                        CHOXFlowJump* jump)
{
    // The JUMP stands beside the next symbol, which moves into the JUMP's
    // row; the wire follows it.
    const CRect jumpPlace = jump->m_position;
    jump->m_position = CHOXDrawObj::Shifted(next->m_position, kBranchOffset, 0);
    next->m_position = jumpPlace;
    jump->SetEndFollows(0);
    jump->SetCaptionMode(0);
    jump->SetEndKind(-1);
    wire->Reroute();
    if (chartbuild::WireSymbols(wnd, cjump, CHOXFlowCJump::kJumpPin, jump) != chartbuild::WireResult::kWired)
        return false;
    // Reached from a side exit the JUMP writes nothing of its own.
    jump->CalcSteps();
    return true;
}
