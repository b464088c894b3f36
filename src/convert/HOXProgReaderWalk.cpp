// The walk of the rebuild: once through the statement list, in order, each
// statement to its branch, each symbol built wired below the one before.
#include "convert/HOXProgReader.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/ControllerType.h"
#include "chart/HOXFlowWnd.h"
#include "convert/ChartBuilding.h"
#include "convert/ProgReaderSupport.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/flow/HOXFlowJump.h"

#include <algorithm>
#include <cstdint>

using namespace progreader;

namespace {

QString Line(const QString& statement) { return statement + QStringLiteral("\n"); }

} // namespace

void CHOXProgReader::GenerateFlowCharts()
{
    StartWalk();
    if (m_pDoc == nullptr) return;
    // Of the charts' windows, the last one made is activated at the end.
    CHOXApp* app = CHOXApp::Get();
    CMDIFrameWnd::ActivationBatch activations(app != nullptr ? app->MainFrame() : nullptr);
    // The type read decides what the checker accepts, from the scan of the
    // call targets on.
    m_pDoc->SetControllerType(m_controllerType);
    ScanCallTargets();
    m_pDoc->ClearStepInfo();
    ComputeStepAddresses();
    const int count = static_cast<int>(m_statements.size());
    for (int i = 0; i < count && !m_stopped; ++i) i = WalkStatement(i);
    if (count > 0 && !m_stopped) FinishText();
    m_pDoc->UpdateAllViews(nullptr, 0, nullptr);
}

void CHOXProgReader::StartWalk()
{
    m_statementIndex = 0;
    m_flowOpen = 0;
    m_flowEnded = 1;
    m_mcodeNumber = 0;
    m_mcodeGiven = 0;
    m_stepCounter = 0;
    m_pendingError = false;
    m_lastSymbol = nullptr;
    m_pendingText.clear();
    m_bitCondition.clear();
    m_consumedText.clear();
    m_cjOperand.clear();
    m_cjTarget.clear();
    m_consumedCount = 0;
    m_window = nullptr;
    m_previous = nullptr;
    m_lastWiredId = 0xFFFFFFFFu;
    m_chainOpen = false;
    m_headKind = 0;
    m_nopText.clear();
    m_sequenceText.clear();
    m_symbolStep = 0;
    m_cjJumpStep = 0;
    m_cjTargetStep = 0;
    m_pendingBretLine.clear();
    m_pendingBretIndex = -1;
    m_stopped = false;
    m_mergePending = 0;
    m_addressingPending = false;
    m_incremental = false;
    m_compPending = false;
    m_pendingComp = CHOXCompSetting();
    m_endCheckTaken = false;
    m_zeroReturnSeq = 0;
    m_zeroReturnAxis = axis::kX;
    m_zeroReturnEnd = -1;
    m_foldStart = -1;
}

void CHOXProgReader::ComputeStepAddresses()
{
    // Each statement counts by its own check, however the walk groups the
    // statements into symbols, so every symbol's steps begin where the
    // controller's do.
    m_stepAddress.assign(static_cast<std::size_t>(m_statements.size()) + 1, 0);
    QString error;
    std::int64_t address = 0;
    for (qsizetype i = 0; i < m_statements.size(); ++i) {
        m_stepAddress[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(address);
        const QString statement = TrimmedLeft(m_statements.at(i));
        int steps = 0;
        if (IsNop(statement))
            steps = 1;
        else if (!statement.isEmpty() && m_checker.CheckInstruction(statement, error, QString()))
            steps = m_checker.GetSteps();
        address = std::min<std::int64_t>(address + steps, INT32_MAX);
    }
    m_stepAddress.back() = static_cast<std::int32_t>(address);
}

std::int32_t CHOXProgReader::StepAddress(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_stepAddress.size()) return 0;
    return m_stepAddress[static_cast<std::size_t>(index)];
}

// ---------------------------------------------------------------------------
// One statement

int CHOXProgReader::WalkStatement(int i)
{
    m_statementIndex = i;
    const QString statement = TrimmedLeft(m_statements.at(i));
    if (statement.isEmpty()) return i;
    if (IsNop(statement)) {
        m_nopText += Line(statement);
        return i;
    }
    m_cjTarget = m_cjOperand;
    m_cjTargetStep = m_cjJumpStep;
    m_symbolStep = StepAddress(i);
    QString error;
    if (!m_checker.CheckInstruction(statement, error, QString())) {
        RefusedPath(i, statement);
        if (!m_stopped) WireLastSymbol();
        return i;
    }
    // The check of a look-ahead overwrites the checker's results: they are
    // taken now.
    const QString name = m_checker.GetPrimaryName();
    const QString alternate = m_checker.GetAlternateName();
    const QString operands = m_checker.GetOperandText();

    int last = i;
    int number = 0;
    int type = 0;
    int axis = axis::kBoth;
    int subtask = 0;
    if (m_checker.IsOperandOnly()) {
        m_pendingText += m_sequenceText + m_nopText + Line(statement);
        m_sequenceText.clear();
        m_nopText.clear();
    } else if (ParseLabelStatement(name, number, type, axis, subtask)) {
        LabelBranch(i, number, type, axis, subtask);
    } else if (IsFlowInstruction(alternate) || IsFlowInstruction(name)) {
        last = FlowBranch(i, statement, name, alternate, operands);
    } else if (IsSequenceInstruction(alternate)) {
        SequenceBranch(i, statement, name);
    } else if (IsPositioningInstruction(alternate, name)) {
        InstructionBranch(i, statement, name, alternate, operands, true);
    } else if (IsFunctionInstruction(alternate) || IsFunctionInstruction(name)) {
        InstructionBranch(i, statement, name, alternate, operands, false);
    } else if (name.startsWith(u'm')) {
        McodeBranch(i, statement, name);
    } else {
        JoinPendingBlock(statement);
    }
    if (m_stopped) return last;
    m_stepCounter = StepAddress(last + 1);
    WireLastSymbol();
    return last;
}

void CHOXProgReader::WireLastSymbol()
{
    if (m_lastSymbol == nullptr) return;
    if (m_lastSymbol->GetId() != m_lastWiredId) {
        if (!IsEntry(m_lastSymbol)) {
            AddStepRecord(m_symbolStep, m_lastSymbol, m_window);
            ConnectSymbols(m_window, m_previous, m_lastSymbol);
            FitBaseSheet(m_window);
            m_mcodeNumber = 0;
            m_mcodeGiven = 0;
        }
        m_previous = m_lastSymbol;
        m_lastWiredId = m_lastSymbol->GetId();
    }
    m_chainOpen = !EndsChain(m_lastSymbol);
}

void CHOXProgReader::RefusedPath(int i, const QString& statement)
{
    // NOPs still held were read after the held sequence lines.
    m_pendingText += m_sequenceText + m_nopText + Line(statement);
    m_nopText.clear();
    m_sequenceText.clear();
    m_pendingError = true;
    if (i == 0) OpenChartOnDemand();
}

void CHOXProgReader::InstructionBranch(int i, const QString& statement, const QString& name, const QString& alternate,
                                       const QString& operands, bool positioning)
{
    if (positioning ? !IsPositioningRow(name, alternate) : !IsFunctionRow(name, alternate)) {
        // No symbol takes it: it keeps its place as program text.
        JoinPendingBlock(statement);
        return;
    }
    m_pendingText += m_sequenceText;
    m_sequenceText.clear();
    OpenChartOnDemand();
    if (m_stopped) return;
    m_pendingText += m_nopText;
    m_nopText.clear();
    FlushPending();
    if (m_stopped) return;
    CHOXSymbol* built = positioning ? BuildPositioningSymbol(m_window, name, alternate, operands)
                                    : BuildFunctionSymbol(m_window, name, alternate, operands);
    m_statementIndex = i;
    m_lastSymbol = built;
    if (built == nullptr) return;
    // A symbol that writes the statements folded into it begins where the
    // first of them does.
    if (m_foldStart >= 0) m_symbolStep = StepAddress(m_foldStart);
    m_foldStart = -1;
}

void CHOXProgReader::JoinPendingBlock(const QString& statement)
{
    m_pendingText += m_sequenceText + m_nopText + Line(statement);
    m_sequenceText.clear();
    m_nopText.clear();
}

// ---------------------------------------------------------------------------
// Labels

void CHOXProgReader::LabelBranch(int i, int number, int type, int axis, int subtask)
{
    if (m_window != nullptr && m_chainOpen) {
        if (type == objtype::kFlowPointer) {
            // The lines held back belong before the JMP that now ends the
            // chart: after it they would hang from a symbol without output.
            m_pendingText += m_sequenceText;
            if (m_flowEnded == 0) m_pendingText += m_nopText;
            m_sequenceText.clear();
            m_nopText.clear();
            FlushPending();
            if (m_stopped) return;
            CHOXSymbol* jump =
                BuildFlowSymbol(m_window, QStringLiteral("JMP"), QString(), QStringLiteral("P%1;").arg(number));
            if (jump == nullptr) return;
            ConnectSymbols(m_window, m_previous, jump);
            if (m_stopped) return;
            m_previous = jump;
            m_lastWiredId = jump->GetId();
            m_flowEnded = 1;
            ++m_jumpsBuilt;
        }
        FitBaseSheet(m_window);
    }
    m_pendingText += m_sequenceText;
    if (m_flowEnded == 0) m_pendingText += m_nopText;
    m_sequenceText.clear();
    m_nopText.clear();
    FlushPending();
    if (m_stopped) return;
    if (m_flowEnded == 0) {
        CHOXSymbol* end = BuildProgramEnd(m_window, m_headKind, 1);
        if (end == nullptr) return;
        ConnectSymbols(m_window, m_previous, end);
        if (m_stopped) return;
        m_previous = end;
        m_lastWiredId = end->GetId();
        m_flowEnded = 1;
        FitBaseSheet(m_window);
    }

    CHOXFlowWnd* wnd = OpenNewChartWindow(subtask);
    if (wnd == nullptr) {
        Stop();
        return;
    }
    m_window = wnd;
    m_position = StartPosition(wnd);
    std::unique_ptr<CHOXSymbol> head = BuildEntrySymbol(wnd, number, type, axis);
    if (!head) return;
    CHOXSymbol* raw = head.get();
    wnd->AddObject(std::move(head));
    m_flowOpen = 1;
    m_chainOpen = true;
    m_headKind = type;
    m_previous = raw;
    m_lastSymbol = raw;
    // The head's steps begin at its label.
    AddStepRecord(StepAddress(i), raw, wnd);
}

// ---------------------------------------------------------------------------
// Sequence lines and M codes

void CHOXProgReader::SequenceBranch(int i, const QString& statement, const QString& name)
{
    if (name != u"BRET") {
        m_bitCondition += Line(statement);
        // NOPs read after the lines held go into the block behind them, not
        // ahead of them.
        if (!m_nopText.isEmpty()) {
            m_pendingText += m_sequenceText + m_nopText;
            m_sequenceText.clear();
            m_nopText.clear();
        }
        m_sequenceText += Line(statement);
        return;
    }
    // NOPs read since the last sequence line stand before the BRET: after
    // it they would swap places with it and part it from its conditional
    // jump.
    m_pendingText += m_sequenceText + m_nopText + Line(statement);
    m_sequenceText.clear();
    m_nopText.clear();
    m_bitCondition.clear();
    m_pendingBretLine = Line(statement);
    m_pendingBretIndex = i;
}

void CHOXProgReader::ReadMcode(const QString& word)
{
    m_mcodeGiven = 0;
    m_mcodeNumber = 0;
    std::int32_t number = 0;
    if (word.startsWith(u'm') && ReadDecimal(word.mid(1), number)) {
        m_mcodeGiven = 1;
        m_mcodeNumber = number;
    }
}

void CHOXProgReader::McodeBranch(int, const QString& statement, const QString& name)
{
    ReadMcode(name);
    // The program's ends are flow statements; an M code the symbol cannot
    // hold stays text rather than be lost.
    if (m_mcodeGiven == 0 || m_mcodeNumber == 2 || m_mcodeNumber == 102 || m_mcodeNumber > 255) {
        JoinPendingBlock(statement);
        return;
    }
    m_pendingText += m_sequenceText;
    m_sequenceText.clear();
    OpenChartOnDemand();
    if (m_stopped) return;
    m_pendingText += m_nopText;
    m_nopText.clear();
    FlushPending();
    if (m_stopped) return;
    auto mcode = std::make_unique<CHOXCodeMcode>(m_position, m_window);
    CHOXCodeMcode* raw = mcode.get();
    if (PlaceSymbol(std::move(mcode), m_window) == nullptr) return;
    raw->SetFromText(static_cast<BYTE>(m_mcodeNumber));
    m_lastSymbol = raw;
}

// ---------------------------------------------------------------------------
// Flow statements

bool CHOXProgReader::PendingEndsWithBret() const
{
    return m_pendingBretIndex >= 0 && !m_pendingBretLine.isEmpty() && m_pendingText.endsWith(m_pendingBretLine);
}

int CHOXProgReader::FlowBranch(int i, const QString& statement, const QString& name, const QString& alternate,
                               const QString& operands)
{
    OpenChartOnDemand();
    if (m_stopped) return i;

    const bool conditional = IsCompareOrCondJump(name);
    QString bretLine;
    QString heldSequence;
    if (conditional) {
        // No BRET before it, or NOPs between the BRET's block and it, which
        // the symbol could not write in their place: the statement is
        // program text, after the NOPs.
        if (!PendingEndsWithBret() || !m_nopText.isEmpty()) {
            m_pendingText += m_sequenceText + m_nopText + Line(statement);
            m_sequenceText.clear();
            m_nopText.clear();
            m_bitCondition.clear();
            return i;
        }
        bretLine = m_pendingBretLine;
        m_pendingText.chop(bretLine.size());
        // The conditional jump's steps begin at that BRET.
        m_symbolStep = StepAddress(m_pendingBretIndex);
        m_pendingBretIndex = -1;
        heldSequence = m_sequenceText;
        m_consumedText = QStringLiteral("BRET(FNC05);\n") + m_sequenceText + Line(statement);
        m_sequenceText.clear();
    } else {
        m_pendingText += m_sequenceText;
        m_sequenceText.clear();
        m_bitCondition.clear();
    }

    m_consumedCount = 0;
    const QString operandBefore = m_cjOperand;
    CHOXSymbol* symbol = BuildFlowSymbol(m_window, name, alternate, operands);
    if (m_stopped) return i;
    if (symbol == nullptr) {
        // Nothing taken counts: the BRET, the lines held and the statement
        // go into the block as read, and the walk goes on right after the
        // statement. The target of the last conditional jump built stays.
        m_statementIndex = i;
        m_cjOperand = operandBefore;
        m_pendingText += bretLine + heldSequence + Line(statement);
        m_consumedText.clear();
        m_bitCondition.clear();
        return i;
    }
    int last = i + m_consumedCount;
    m_statementIndex = last;

    m_pendingText += m_nopText;
    if (!m_pendingText.isEmpty()) PlaceBlockBefore(symbol);
    if (m_stopped) return last;
    m_lastSymbol = symbol;
    m_pendingText.clear();
    m_bitCondition.clear();
    m_sequenceText.clear();
    m_nopText.clear();
    m_consumedText.clear();

    if (symbol->GetObjectType() == objtype::kFlowJump) last = TakeEndAfterJump(last, symbol);
    if (EndsChain(symbol)) {
        FitBaseSheet(m_window);
        m_chainOpen = false;
    }
    return last;
}

void CHOXProgReader::PlaceBlockBefore(CHOXSymbol* symbol)
{
    // The block takes the symbol's place and is wired in; the symbol then
    // stands below whatever that wiring put into the column.
    const CRect place = symbol->GetRect();
    m_position = place.TopLeft();
    CHOXSymbol* block = FlushProgramText(m_window);
    if (block == nullptr) return;
    // The symbol already built says whether the chart goes on: wiring the
    // block below a conditional jump must not open it again after an END.
    const std::int32_t ended = m_flowEnded;
    const std::int32_t open = m_flowOpen;
    ConnectSymbols(m_window, m_previous, block);
    m_flowEnded = ended;
    m_flowOpen = open;
    if (m_stopped) return;
    m_previous = block;
    m_lastWiredId = block->GetId();
    symbol->m_position = CHOXDrawObj::Shifted(place, 0, std::int64_t(m_position.y) - place.top);
    m_position.y = symbol->GetRect().top + kRowHeight;
}

int CHOXProgReader::TakeEndAfterJump(int i, CHOXSymbol* jump)
{
    m_statementIndex = i;
    QString next;
    if (!NextStatement(next)) return i;
    next = TrimmedLeft(next);
    QString error;
    const bool ok = !next.isEmpty() && m_checker.CheckInstruction(next, error, QString());
    const QString name = ok ? m_checker.GetPrimaryName() : QString();
    if (name != u"m02" && name != u"m102") {
        m_statementIndex = i;
        return i;
    }
    auto* flowJump = static_cast<CHOXFlowJump*>(jump);
    flowJump->SetEndFollows(1);
    flowJump->SetCaptionMode(1);
    flowJump->SetEndKind(name == u"m02" ? 0 : 1);
    flowJump->CalcSteps();
    m_flowEnded = 1;
    m_flowOpen = 0;
    return i + 1;
}

// ---------------------------------------------------------------------------
// Charts and blocks on demand, and the end of the text

void CHOXProgReader::OpenChartOnDemand()
{
    if (m_flowOpen != 0) return;
    m_flowOpen = 1;
    CHOXFlowWnd* wnd = OpenNewChartWindow(0);
    if (wnd == nullptr) {
        Stop();
        return;
    }
    m_window = wnd;
    m_position = StartPosition(wnd);
    std::unique_ptr<CHOXSymbol> start = CreateUnnumberedStart(wnd);
    if (!start) return;
    CHOXSymbol* raw = start.get();
    wnd->AddObject(std::move(start));
    m_previous = raw;
    m_lastSymbol = raw;
    m_lastWiredId = raw->GetId();
    m_chainOpen = true;
}

void CHOXProgReader::FlushPending()
{
    if (m_pendingText.isEmpty()) return;
    // A block needs an open chart to hang from: after an END, RET or JUMP
    // the lines begin a chart of their own.
    OpenChartOnDemand();
    if (m_stopped) return;
    CHOXSymbol* block = FlushProgramText(m_window);
    if (block == nullptr) return;
    ConnectSymbols(m_window, m_previous, block);
    if (m_stopped) return;
    m_previous = block;
    m_lastWiredId = block->GetId();
    m_chainOpen = true;
}

void CHOXProgReader::FinishText()
{
    // The side exit of a conditional jump at the very end still jumps where
    // its own CJ says.
    m_cjTarget = m_cjOperand;
    m_cjTargetStep = m_cjJumpStep;
    m_pendingText += m_sequenceText;
    m_sequenceText.clear();
    if (!m_pendingText.isEmpty()) {
        FlushPending();
        if (m_stopped) return;
    }
    if (m_flowEnded == 0) {
        CHOXSymbol* end = BuildProgramEnd(m_window, m_headKind, 1);
        if (end == nullptr) return;
        ConnectSymbols(m_window, m_previous, end);
        if (m_stopped) return;
        m_previous = end;
        m_flowEnded = 1;
    }
    if (m_window != nullptr) FitBaseSheet(m_window);
}
