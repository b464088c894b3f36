// The rebuild's symbols: chart windows and their heads, flow symbols and
// program ends, program-in-text blocks, and the wiring of the column.
#include "convert/HOXProgReader.h"

#include "chart/ControllerType.h"
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/SymbolSupport.h"
#include "convert/ChartBuilding.h"
#include "convert/ProgReaderSupport.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <vector>

using namespace progreader;

namespace {
// A conditional jump's JUMP stands this far right of the next symbol.
constexpr LONG kJumpOffset = 100;
} // namespace

CPoint CHOXProgReader::StartPosition(const CHOXWnd* wnd)
{
    const CRect& sheet = wnd->GetBaseRect()->GetRect();
    const std::int64_t x = sheet.left + (std::int64_t(sheet.right) - sheet.left) / 2;
    return CPoint(static_cast<LONG>(x), sheet.top + 10);
}

bool CHOXProgReader::TakeSymbolId(std::int32_t& id)
{
    id = m_pDoc->NewSymbolId();
    if (id != -1) return true;
    Stop();
    return false;
}

CHOXSymbol* CHOXProgReader::PlaceSymbol(std::unique_ptr<CHOXSymbol> symbol, CHOXWnd* wnd)
{
    std::int32_t id = -1;
    if (!TakeSymbolId(id)) {
        // It goes with the numbers it took.
        symbol->Remove();
        return nullptr;
    }
    symbol->SetId(static_cast<DWORD>(id));
    CHOXSymbol* raw = symbol.get();
    wnd->AddObject(std::move(symbol));
    m_position.y += kRowHeight;
    return raw;
}

// ---------------------------------------------------------------------------
// Flow symbols and program ends

CHOXSymbol* CHOXProgReader::BuildFlowSymbol(CHOXWnd* wnd, const QString& name, const QString& alternate,
                                            const QString& operands)
{
    const QString code = name.toUpper();
    const QString alt = alternate.toUpper();
    const int limit = ctype::HighestPointerNumber(m_pDoc->GetControllerType());

    if (alt == u"END" || alt == u"SEND") {
        auto end = std::make_unique<CHOXFlowEnd>(m_position, wnd);
        end->SetEndKind(alt == u"END" ? 0 : 1);
        end->CalcSteps();
        CHOXSymbol* placed = PlaceSymbol(std::move(end), wnd);
        if (placed == nullptr) return nullptr;
        m_flowEnded = 1;
        m_flowOpen = 0;
        return placed;
    }
    if (code == u"JMP" || code == u"CALL") {
        // An operand that does not read, or a number beyond the pointers,
        // still gives the symbol, in the error state.
        std::int32_t n = -1;
        const bool read = ReadPointerOperand(operands, n);
        const bool valid = read && n >= 0 && n <= limit;
        std::unique_ptr<CHOXSymbol> symbol;
        if (code == u"JMP") {
            auto jump = std::make_unique<CHOXFlowJump>(m_position, wnd);
            jump->SetPointerNumber(read ? n : -1);
            jump->SetEndFollows(0);
            jump->SetCaptionMode(1);
            jump->SetEndKind(-1);
            // Counted without the end that no longer follows.
            jump->CalcSteps();
            symbol = std::move(jump);
        } else {
            auto call = std::make_unique<CHOXFlowCall>(m_position, wnd);
            call->SetPointerNumber(read ? n : -1);
            call->CalcSteps();
            symbol = std::move(call);
        }
        if (!valid) symbol->SetState(CHOXSymbol::kError);
        CHOXSymbol* placed = PlaceSymbol(std::move(symbol), wnd);
        if (placed == nullptr || code != u"JMP") return placed;
        ++m_jumpsRead;
        ++m_jumpsBuilt;
        m_flowEnded = 1;
        m_flowOpen = 0;
        return placed;
    }
    if (code == u"RET") {
        auto ret = std::make_unique<CHOXFlowRet>(m_position, wnd);
        ret->CalcSteps();
        CHOXSymbol* placed = PlaceSymbol(std::move(ret), wnd);
        if (placed == nullptr) return nullptr;
        m_flowEnded = 1;
        m_flowOpen = 0;
        return placed;
    }

    const bool compare = code == u"CMP" || code == u"DCMP";
    const bool zone = code == u"ZCP" || code == u"DZCP";
    const bool bit = code == u"CJ" || code == u"CJN";
    if (!compare && !zone && !bit) return nullptr;
    auto cjump = std::make_unique<CHOXFlowCJump>(m_position, wnd);
    int result = 2;
    if (bit) {
        cjump->SetKind(CHOXFlowCJump::kBitForm);
        m_cjOperand = FirstWord(operands);
        result = CompleteConditionalJump(cjump.get(), wnd, m_bitCondition, CHOXFlowCJump::kBitForm);
        cjump->SetNegated(code == u"CJN" ? 1 : 0);
    } else {
        const int kind = compare ? CHOXFlowCJump::kCompareForm : CHOXFlowCJump::kZoneForm;
        const std::int32_t wide = code.startsWith(u'D') ? 1 : 0;
        cjump->SetKind(kind);
        if (compare)
            cjump->SetCompare32Bit(wide);
        else
            cjump->SetZone32Bit(wide);
        result = CompleteConditionalJump(cjump.get(), wnd, operands, kind);
    }
    // Not completed: no symbol, no flags changed.
    if (result != 1) return nullptr;
    cjump->UpdateText();
    cjump->CalcSteps();
    CHOXSymbol* placed = PlaceSymbol(std::move(cjump), wnd);
    if (placed == nullptr) return nullptr;
    m_consumedText.clear();
    if (bit) m_bitCondition.clear();
    return placed;
}

CHOXSymbol* CHOXProgReader::BuildProgramEnd(CHOXWnd* wnd, int headKind, int added)
{
    if (headKind == objtype::kFlowSubRtn)
        return BuildFlowSymbol(wnd, QStringLiteral("RET"), QStringLiteral("FNC03"), {});
    const bool subtask = chart::IsSubtaskWindow(wnd);
    CHOXSymbol* end = BuildFlowSymbol(wnd, subtask ? QStringLiteral("m102") : QStringLiteral("m02"),
                                      subtask ? QStringLiteral("SEND") : QStringLiteral("END"), {});
    if (end == nullptr) return nullptr;
    if (added == 1) {
        end->SetState(CHOXSymbol::kMissing);
        static_cast<CHOXFlowEnd*>(end)->SetEndKind(-1);
        end->CalcSteps();
    }
    m_flowEnded = 1;
    return end;
}

// ---------------------------------------------------------------------------
// Chart windows and heads

CHOXFlowWnd* CHOXProgReader::OpenNewChartWindow(int subtask)
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    // The frame makes its windows in the program's one document.
    if (main == nullptr || app->GetDocument() != m_pDoc) return nullptr;
    // The monitor window counts as one of the document's windows. Names are
    // compared as the document looks them up, in any case: a chart of the
    // user's whose name differs only in case must not be taken for the new
    // one.
    std::int64_t n = static_cast<std::int64_t>(m_pDoc->GetWindowMap().GetCount()) + 2;
    QString name = LoadStr(IDS_SUBTASK_NAME);
    // A second subtask program gets a chart of its own: the subtask's name
    // is taken.
    if (subtask == 0 || m_pDoc->FindWindowByName(name) != nullptr) {
        do {
            name = LoadStr(IDS_FLOW_CHART_NAME) + QString::number(n++);
        } while (m_pDoc->FindWindowByName(name) != nullptr);
    }
    main->CreateFlowChartWindow(name, QString(), 1);
    CHOXFlowWnd* wnd = m_pDoc->FindWindowByName(name);
    if (wnd == nullptr) return nullptr;

    // The chart's first symbols go again, with the numbers they took.
    std::vector<WORD> ids;
    for (const auto& [key, object] : wnd->GetObjectMap()) ids.push_back(key);
    for (WORD id : ids) {
        std::unique_ptr<CHOXDrawObj> object = wnd->RemoveObject(id);
        if (object) object->Remove();
    }
    return wnd;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::CreateUnnumberedStart(CHOXWnd* wnd)
{
    std::int32_t id = -1;
    if (!TakeSymbolId(id)) return nullptr;
    auto start = std::make_unique<CHOXFlowStart>(m_position, wnd);
    start->SetId(static_cast<DWORD>(id));
    m_position.y += kRowHeight;
    start->SetState(CHOXSymbol::kMissing);
    // Gives back the number the constructor took.
    start->SetProgramNumber(-1);
    start->SetAxis(ctype::IsInterpolated(m_pDoc->GetControllerType()) ? axis::kBoth : axis::kX);
    start->UpdateText();
    start->CalcSteps();
    m_flowEnded = 0;
    m_flowOpen = 1;
    return start;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildEntrySymbol(CHOXWnd* wnd, int number, int type, int axis)
{
    if (type != objtype::kFlowStart && type != objtype::kFlowPointer && type != objtype::kFlowSubRtn) return nullptr;
    std::int32_t id = -1;
    if (!TakeSymbolId(id)) return nullptr;

    std::unique_ptr<CHOXSymbol> entry;
    if (type == objtype::kFlowStart) {
        const bool used = m_pDoc->IsProgramNumberUsed(axis, number);
        auto start = std::make_unique<CHOXFlowStart>(m_position, wnd);
        start->SetId(static_cast<DWORD>(id));
        m_position.y += kRowHeight;
        // The constructor's number goes back in its own axis, and the symbol
        // holds none until its own is set: setting the axis first would give
        // that number back again in the new axis's table.
        start->SetProgramNumber(-1);
        // A second subtask program stands in a chart of its own and cannot
        // hold the subtask's number.
        const bool secondSubtask = number == kSubtaskProgramNumber && !chart::IsSubtaskWindow(wnd);
        if (used || secondSubtask) start->SetState(CHOXSymbol::kError);
        start->SetAxis(number == kSubtaskProgramNumber ? axis::kBoth : axis);
        start->SetProgramNumber(number);
        start->UpdateText();
        start->CalcSteps();
        entry = std::move(start);
    } else {
        const bool used = m_pDoc->IsPointerNumberUsed(number);
        std::unique_ptr<CHOXSymbol> label;
        if (type == objtype::kFlowPointer)
            label = std::make_unique<CHOXFlowPointer>(m_position, wnd);
        else
            label = std::make_unique<CHOXFlowSubRtn>(m_position, wnd);
        label->SetId(static_cast<DWORD>(id));
        if (used) label->SetState(CHOXSymbol::kError);
        label->SetPointerNumber(number);
        label->UpdateText();
        label->CalcSteps();
        m_position.y += kRowHeight;
        entry = std::move(label);
    }
    m_flowEnded = 0;
    return entry;
}

// ---------------------------------------------------------------------------
// Program-in-text blocks and the sheet

CHOXSymbol* CHOXProgReader::FlushProgramText(CHOXWnd* wnd)
{
    auto block = std::make_unique<CHOXFlowProgText>(m_position, wnd);
    block->SetText(m_pendingText);
    if (m_pendingError) block->SetState(CHOXSymbol::kError);
    block->CalcSteps();
    CHOXSymbol* placed = PlaceSymbol(std::move(block), wnd);
    if (placed == nullptr) return nullptr;
    m_lastSymbol = placed;
    m_bitCondition.clear();
    m_pendingText.clear();
    m_consumedText.clear();
    m_pendingError = false;
    m_pendingBretIndex = -1;
    return placed;
}

void CHOXProgReader::FitBaseSheet(CHOXWnd* wnd) { chartbuild::GrowSheetTo(wnd, m_position.y); }

// ---------------------------------------------------------------------------
// Wiring

void CHOXProgReader::ConnectSymbols(CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to)
{
    if (wnd == nullptr || from == nullptr || to == nullptr) return;
    CHOXConnect* wire = nullptr;
    if (chartbuild::WireSymbols(wnd, from, chartbuild::ColumnOutputPin(from), to, &wire) ==
        chartbuild::WireResult::kNoId) {
        Stop();
        return;
    }
    if (from->GetObjectType() != objtype::kFlowCJump) return;

    // The side exit jumps through a JUMP that stands right of the next
    // symbol; the next symbol moves down into the JUMP's place.
    CHOXSymbol* jump = BuildFlowSymbol(wnd, QStringLiteral("JMP"), QString(), m_cjTarget);
    if (jump == nullptr) return;
    AddStepRecord(m_cjTargetStep, jump, wnd);
    auto* flowJump = static_cast<CHOXFlowJump*>(jump);
    flowJump->SetEndFollows(0);
    flowJump->SetCaptionMode(0);
    flowJump->SetEndKind(-1);
    const CRect jumpRect = jump->GetRect();
    jump->m_position = CHOXDrawObj::Shifted(to->GetRect(), kJumpOffset, 0);
    to->m_position = jumpRect;
    if (!EndsChain(to)) {
        m_flowEnded = 0;
        m_flowOpen = 1;
    }
    if (wire != nullptr) wire->Reroute();
    if (chartbuild::WireSymbols(wnd, from, CHOXFlowCJump::kJumpPin, jump) == chartbuild::WireResult::kNoId) {
        Stop();
        return;
    }
    // Reached from the side exit, the JUMP's line is the conditional
    // jump's own.
    jump->CalcSteps();
}

void CHOXProgReader::AddStepRecord(std::int32_t step, const CHOXSymbol* symbol, const CHOXFlowWnd* wnd)
{
    m_pDoc->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(step, static_cast<int>(symbol->GetId()), wnd->GetName()));
}
