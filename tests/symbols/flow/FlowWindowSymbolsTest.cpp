// What a flow-chart record does with the flow-control symbols: the first
// symbols of a new chart, the program steps of a chart, pins by symbol id,
// and the numbers, steps and captions restored after loading.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXRect.h"
#include "platform/CompoundFile.h"
#include "symbols/FlowSymbolTestSupport.h"

#include <QTemporaryDir>

#include <vector>

using kt::test::FlowDocTest;
using kt::test::ScriptedMessages;

namespace {

class FlowWindowSymbolsTest : public FlowDocTest {
protected:
    // The symbols of the record by id: type code, top-left corner.
    struct Made {
        DWORD id;
        int type;
        CPoint at;
        bool operator==(const Made&) const = default;
    };
    static std::vector<Made> Contents(const CHOXFlowWnd* wnd)
    {
        std::vector<Made> made;
        for (const auto& [key, object] : wnd->GetObjectMap())
            made.push_back({object->GetId(), object->GetObjectType(), object->GetRect().TopLeft()});
        std::sort(made.begin(), made.end(), [](const Made& a, const Made& b) { return a.id < b.id; });
        return made;
    }

    CHOXConnect* WireTo(CHOXSymbol* source, int pin, DWORD target, int kind)
    {
        const CPoint from = source->GetPinPosition(pin);
        auto wire = std::make_unique<CHOXConnect>(CRect(from, from), chart);
        wire->SetId(static_cast<DWORD>(doc->NewWireId()));
        wire->SetSource(source->GetId(), pin);
        wire->SetTarget(target, kind);
        CHOXConnect* raw = wire.get();
        chart->AddConnect(std::move(wire));
        raw->Reroute();
        return raw;
    }

    // A node with the number on the wire, as the NODE dialog leaves it.
    CHOXNode* NodeOn(CHOXConnect* wire, DWORD number)
    {
        const CPoint at = wire->GetSecondPoint();
        const CRect square(at.x - 5, at.y - 5, at.x + 5, at.y + 5);
        auto node = std::make_unique<CHOXNode>(number, square, wire->GetId(), chart);
        CHOXNode* raw = node.get();
        chart->AddNode(std::move(node));
        wire->SetNodeId(number);
        doc->MarkPointerNumberUsed(static_cast<int>(number));
        return raw;
    }

    // A wire from the source's output to the node, with its marker.
    CHOXConnect* JumpToNode(CHOXSymbol* source, int pin, CHOXNode* node)
    {
        CHOXConnect* wire = WireTo(source, pin, node->GetId(), 0);
        const CPoint end = wire->GetPoints().empty() ? CPoint() : wire->GetPoints().back();
        wire->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(static_cast<int>(node->GetId()),
                                                            CRect(end.x - 5, end.y - 5, end.x + 5, end.y + 5), chart));
        node->AddInWire(wire->GetId());
        wire->RerouteAll();
        return wire;
    }
};

} // namespace

TEST_F(FlowWindowSymbolsTest, ANewChartGetsItsFirstSymbols)
{
    const struct {
        int kind;
        int upperType;
        int lowerType;
        int steps;
    } cases[] = {{0, 301, 302, 5}, {1, 304, 302, 4}, {2, 303, 309, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        MakeDocument(1);
        chart->CreateInitialSymbols(c.kind);
        const std::vector<Made> want = {{0, c.upperType, CPoint(137, 32)}, {1, c.lowerType, CPoint(137, 236)}};
        EXPECT_EQ(Contents(chart), want);
        EXPECT_EQ(chart->CountProgramSteps(), c.steps);
        for (const auto& [key, object] : chart->GetObjectMap()) EXPECT_EQ(object->GetWnd(), chart);
    }
    // What they hold and say.
    MakeDocument(1);
    chart->CreateInitialSymbols(0);
    auto* start = dynamic_cast<CHOXFlowStart*>(chart->LookupObject(0));
    auto* end = dynamic_cast<CHOXFlowEnd*>(chart->LookupObject(1));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(start->GetCode(), QStringLiteral("Ox0;"));
    EXPECT_EQ(end->GetCode(), QStringLiteral("m02(END);"));
    EXPECT_TRUE(doc->IsProgramNumberUsed(0, 0));
    chart->CreateInitialSymbols(1);
    auto* pointer = dynamic_cast<CHOXFlowPointer*>(chart->LookupObject(2));
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(pointer->GetCode(), QStringLiteral("P0;"));
    EXPECT_EQ(chart->CountProgramSteps(), 9);
}

TEST_F(FlowWindowSymbolsTest, TheStartIsLeftOutWhenNoProgramNumberIsFree)
{
    const struct {
        int type;
        int fullAxis;
        bool startMade;
    } cases[] = {
        {0, 0, false},
        {1, 0, false}, // a new chart does not fall back to Y
        {1, 1, true},
        {2, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.fullAxis));
        MakeDocument(c.type);
        UseAllProgramNumbers(c.fullAxis);
        chart->CreateInitialSymbols(0);
        std::vector<Made> want;
        if (c.startMade) want.push_back({0, 301, CPoint(137, 32)});
        want.push_back({1, 302, CPoint(137, 236)});
        EXPECT_EQ(Contents(chart), want);
        EXPECT_EQ(chart->CountProgramSteps(), c.startMade ? 5 : 2);
    }
}

TEST_F(FlowWindowSymbolsTest, TheSubtaskChartAlwaysGetsItsStartAndSend)
{
    UseAllProgramNumbers(0);
    subtask->CreateInitialSymbols(0);
    auto* start = dynamic_cast<CHOXFlowStart*>(subtask->LookupObject(0));
    auto* end = dynamic_cast<CHOXFlowEnd*>(subtask->LookupObject(1));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(start->GetCode(), QStringLiteral("O100;"));
    EXPECT_EQ(end->GetCode(), QStringLiteral("m102(SEND);"));
    EXPECT_EQ(subtask->CountProgramSteps(), 5);
}

TEST_F(FlowWindowSymbolsTest, TheSymbolsFollowTheBaseSheet)
{
    chart->GetBaseRect()->m_position = CRect(0, 100, 500, 700);
    chart->CreateInitialSymbols(2);
    const std::vector<Made> want = {{0, 303, CPoint(137, 132)}, {1, 309, CPoint(137, 636)}};
    EXPECT_EQ(Contents(chart), want);
}

TEST_F(FlowWindowSymbolsTest, AnUnknownKindTakesNothing)
{
    for (int kind : {-1, 3}) {
        chart->CreateInitialSymbols(kind);
        EXPECT_TRUE(chart->GetObjectMap().IsEmpty());
        EXPECT_EQ(doc->GetIdCounters().symbol, 0);
    }
}

TEST_F(FlowWindowSymbolsTest, WhenSymbolIdsRunOut)
{
    // Every id from 0 to 4000 but the ones a case leaves free is in use.
    const struct {
        std::vector<int> free;
        bool message;
        std::vector<DWORD> ids; // of the upper and lower symbol
    } cases[] = {
        {{}, true, {}},
        {{17}, true, {}},          // one id is not enough: nothing stays
        {{17, 4000}, false, {17, 4000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.free.size());
        MakeDocument(1);
        CHOXFlowWnd* other = AddChart(QStringLiteral("Full"));
        for (int id = 0; id <= 4000; ++id) {
            if (std::find(c.free.begin(), c.free.end(), id) != c.free.end()) continue;
            auto rect = std::make_unique<CHOXRect>(CRect(0, 0, 1, 1), other);
            rect->SetId(static_cast<DWORD>(id));
            other->AddObject(std::move(rect));
        }
        CHOXDoc::IdCounters counters = doc->GetIdCounters();
        counters.symbol = 4000;
        doc->SetIdCounters(counters);
        ScriptedMessages messages;
        if (c.message) messages.Expect("ERROR : Number of Symbols exceeded the limit.", MB_OK | MB_ICONHAND, IDOK);
        chart->CreateInitialSymbols(1);
        std::vector<DWORD> ids;
        for (const auto& [key, object] : chart->GetObjectMap()) ids.push_back(object->GetId());
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.ids);
        // The POINTER keeps its number only when it stays.
        EXPECT_EQ(UsedPointerNumbers(), c.ids.empty() ? 0 : 1);
    }
}

// A new chart gets its first symbols before the document holds it, so the
// document's id search cannot see the upper symbol's id.
TEST_F(FlowWindowSymbolsTest, WhenSymbolIdsRunOutForAChartNotYetInTheDocument)
{
    const struct {
        std::vector<int> free;
        int counter;
        bool message;
        std::vector<DWORD> ids;
    } cases[] = {
        {{17, 4000}, 4000, false, {17, 4000}},
        {{3999, 4000}, 3999, false, {3999, 4000}}, // the counter's last id, then the search
        {{17}, 4000, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ids.size());
        MakeDocument(1);
        CHOXFlowWnd* other = AddChart(QStringLiteral("Full"));
        for (int id = 0; id <= 4000; ++id) {
            if (std::find(c.free.begin(), c.free.end(), id) != c.free.end()) continue;
            auto rect = std::make_unique<CHOXRect>(CRect(0, 0, 1, 1), other);
            rect->SetId(static_cast<DWORD>(id));
            other->AddObject(std::move(rect));
        }
        CHOXDoc::IdCounters counters = doc->GetIdCounters();
        counters.symbol = c.counter;
        doc->SetIdCounters(counters);
        std::unique_ptr<CHOXFlowWnd> fresh = doc->NewFlowWindow(QStringLiteral("Flow Chart9"), QString());
        ScriptedMessages messages;
        if (c.message) messages.Expect("ERROR : Number of Symbols exceeded the limit.", MB_OK | MB_ICONHAND, IDOK);
        fresh->CreateInitialSymbols(1);
        std::vector<DWORD> ids;
        std::vector<int> types;
        for (const auto& [key, object] : fresh->GetObjectMap()) {
            ids.push_back(object->GetId());
            types.push_back(object->GetObjectType());
        }
        std::sort(ids.begin(), ids.end());
        std::sort(types.begin(), types.end());
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(types, c.ids.empty() ? std::vector<int>{} : (std::vector<int>{302, 304}));
        EXPECT_EQ(UsedPointerNumbers(), c.ids.empty() ? 0 : 1);
    }
}

TEST_F(FlowWindowSymbolsTest, GetSymbolPinFindsThePinOfASymbolById)
{
    CHOXFlowCall* call = Place<CHOXFlowCall>(chart);
    EXPECT_EQ(chart->GetSymbolPin(call->GetId(), 0), call->GetPin(0));
    EXPECT_EQ(chart->GetSymbolPin(call->GetId(), 1), call->GetPin(1));
    EXPECT_EQ(chart->GetSymbolPin(call->GetId(), 2), nullptr);
    EXPECT_EQ(chart->GetSymbolPin(call->GetId(), -1), nullptr);
    EXPECT_EQ(chart->GetSymbolPin(call->GetId() + 1, 0), nullptr);
    // An id beyond the map's 16-bit keys finds nothing under its low bits.
    EXPECT_EQ(chart->GetSymbolPin(call->GetId() + 0x10000, 0), nullptr);
}

TEST_F(FlowWindowSymbolsTest, ChartStepsCountJumpsMarkersAndNodes)
{
    // START -> CALL -> END, a node on the first wire, the CALL's output
    // jumping back to it; a side exit into a JUMP.
    auto* start = Place<CHOXFlowStart>(chart, CPoint(100, 20));   // 3
    auto* call = Place<CHOXFlowCall>(chart, CPoint(100, 100));    // 4 with P5
    call->SetPointerNumber(5);
    call->CalcSteps();
    auto* end = Place<CHOXFlowEnd>(chart, CPoint(100, 300));      // 2, not wired
    auto* cjump = Place<CHOXFlowCJump>(chart, CPoint(300, 20));   // 8: no condition yet
    auto* jump = Place<CHOXFlowJump>(chart, CPoint(400, 100));    // 6 alone, 0 behind the side exit
    jump->SetPointerNumber(7);
    EXPECT_EQ(chart->CountProgramSteps(), 3 + 4 + 2 + 8 + 6);

    CHOXConnect* first = WireTo(start, 0, call->GetId(), 1);
    CHOXNode* node = NodeOn(first, 40);                            // 2
    JumpToNode(call, 1, node);                                     // marker: 6
    WireTo(cjump, 2, jump->GetId(), 1);
    // The JUMP is recounted by the window itself.
    EXPECT_EQ(chart->CountProgramSteps(), 3 + 4 + 2 + 8 + 0 + 2 + 6);
    EXPECT_EQ(jump->GetSteps(), 0);
    (void)end;

    // A second node with nothing on it: 2 more.
    CHOXConnect* toEnd = WireTo(cjump, 1, end->GetId(), 1);
    NodeOn(toEnd, 41);
    EXPECT_EQ(chart->CountProgramSteps(), 3 + 4 + 2 + 8 + 0 + 4 + 6);
}

TEST_F(FlowWindowSymbolsTest, ADocumentWithEveryFlowSymbolSavesLoadsAndSavesTheSame)
{
    MakeDocument(1);
    auto* start = Place<CHOXFlowStart>(chart, CPoint(100, 20));
    start->SetProgramNumber(12);
    start->SetComment(QStringLiteral("main"));
    auto* call = Place<CHOXFlowCall>(chart, CPoint(100, 100));
    call->SetPointerNumber(60);
    call->CalcSteps();
    auto* end = Place<CHOXFlowEnd>(chart, CPoint(100, 300));
    auto* pointer = Place<CHOXFlowPointer>(chart, CPoint(250, 20)); // P0
    auto* cjump = Place<CHOXFlowCJump>(chart, CPoint(250, 100));
    auto* jump = Place<CHOXFlowJump>(chart, CPoint(400, 200));
    jump->SetPointerNumber(0);
    auto* plainJump = Place<CHOXFlowJump>(chart, CPoint(250, 250));
    plainJump->SetPointerNumber(0);
    CHOXConnect* first = WireTo(start, 0, call->GetId(), 1);
    WireTo(pointer, 0, cjump->GetId(), 1);
    WireTo(cjump, 1, plainJump->GetId(), 1);
    CHOXConnect* side = WireTo(cjump, 2, jump->GetId(), 1);
    jump->SetCaptionMode(0);
    CHOXNode* node = NodeOn(first, 30);
    JumpToNode(call, 1, node);
    (void)end;
    (void)side;

    CHOXFlowWnd* sub = AddChart(QStringLiteral("Sub1"));
    auto* subroutine = Place<CHOXFlowSubRtn>(sub, CPoint(137, 32)); // P1
    subroutine->SetPointerNumber(60);
    Place<CHOXFlowRet>(sub, CPoint(137, 236));
    Place<CHOXFlowStart>(subtask, CPoint(137, 32));
    Place<CHOXFlowEnd>(subtask, CPoint(137, 236));
    auto* yStart = Place<CHOXFlowStart>(AddChart(QStringLiteral("Y axis")), CPoint(137, 32));
    yStart->SetAxis(1);
    yStart->SetProgramNumber(3);
    // START 3, CALL 4, END 2, POINTER 2, the conditional jump without a
    // condition 8, the JUMP behind the side exit 0, the other JUMP 6, the node
    // 2, the marker 6.
    const int steps = chart->CountProgramSteps();
    EXPECT_EQ(steps, 33);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("flow.hox"));
    const QString again = dir.filePath(QStringLiteral("again.hox"));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    CHOXDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    ASSERT_TRUE(loaded.OnSaveDocument(again));
    const auto saved = CompoundFile::Open(path, nullptr);
    const auto savedAgain = CompoundFile::Open(again, nullptr);
    ASSERT_TRUE(saved.has_value());
    ASSERT_TRUE(savedAgain.has_value());
    EXPECT_EQ(savedAgain->Contents().toHex(), saved->Contents().toHex());

    // The tables hold exactly what the symbols and nodes hold.
    for (int n = 0; n <= 255; ++n)
        EXPECT_EQ(loaded.IsPointerNumberUsed(n), n == 0 || n == 30 || n == 60) << n;
    for (int n = 0; n <= 99; ++n) {
        EXPECT_EQ(loaded.IsProgramNumberUsed(0, n), n == 12) << n;
        EXPECT_EQ(loaded.IsProgramNumberUsed(1, n), n == 3) << n;
    }
    EXPECT_TRUE(loaded.IsSubroutineDefined(60));
    EXPECT_FALSE(loaded.IsSubroutineDefined(0));

    CHOXFlowWnd* back = loaded.FindWindowByName(QStringLiteral("Flow Chart1"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->CountProgramSteps(), steps);
    auto* backJump = dynamic_cast<CHOXFlowJump*>(back->LookupObject(static_cast<WORD>(jump->GetId())));
    auto* backPlain = dynamic_cast<CHOXFlowJump*>(back->LookupObject(static_cast<WORD>(plainJump->GetId())));
    auto* backCall = dynamic_cast<CHOXFlowCall*>(back->LookupObject(static_cast<WORD>(call->GetId())));
    ASSERT_NE(backJump, nullptr);
    ASSERT_NE(backPlain, nullptr);
    ASSERT_NE(backCall, nullptr);
    EXPECT_EQ(backJump->GetCaptionMode(), 0);
    EXPECT_EQ(backJump->GetSymbolName(), QStringLiteral("JUMPWEND"));
    EXPECT_EQ(backJump->GetSteps(), 0);
    EXPECT_EQ(backPlain->GetCaptionMode(), 1);
    EXPECT_EQ(backPlain->GetSteps(), 6);
    EXPECT_EQ(backCall->GetSteps(), 4);
    EXPECT_EQ(backCall->GetLabel(), QStringLiteral("P60"));
    auto* marker = dynamic_cast<CHOXConnect*>(back->LookupConnect(static_cast<WORD>(backCall->GetPin(1)->GetLinkId())));
    ASSERT_NE(marker, nullptr);
    ASSERT_NE(marker->GetJumpEnd(), nullptr);
    EXPECT_EQ(marker->GetJumpEnd()->GetWnd(), back);
    EXPECT_EQ(marker->GetJumpEnd()->GetCode(), QStringLiteral("JMP(FNC04) P30;\nm02(END);"));
    CHOXFlowStart* subtaskStart = nullptr;
    for (const auto& [key, object] : loaded.FindWindowByName(LoadStr(20000))->GetObjectMap())
        if (auto* found = dynamic_cast<CHOXFlowStart*>(object.get())) subtaskStart = found;
    ASSERT_NE(subtaskStart, nullptr);
    EXPECT_EQ(subtaskStart->GetCode(), QStringLiteral("O100;"));
}

TEST_F(FlowWindowSymbolsTest, InTheMonitorWindowNoSymbolHasPinsNumbersOrSteps)
{
    const struct {
        CHOXSymbol* symbol;
        const char* code;
    } cases[] = {
        {Place<CHOXFlowStart>(monitor), ";"},
        {Place<CHOXFlowEnd>(monitor), "m02(END);"},
        {Place<CHOXFlowRet>(monitor), "RET(FNC03);"},
        {Place<CHOXFlowPointer>(monitor), ";"},
        {Place<CHOXFlowSubRtn>(monitor), ";"},
        {Place<CHOXFlowCall>(monitor), "CALL(FNC02) ;"},
        {Place<CHOXFlowJump>(monitor), "JMP(FNC04) ;\nm02(END);"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol->GetSymbolName().toStdString());
        c.symbol->CalcSteps();
        EXPECT_EQ(c.symbol->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(c.symbol->GetSteps(), 0);
        EXPECT_EQ(c.symbol->GetPinCount(), 0);
        EXPECT_EQ(c.symbol->GetLabel(), QString());
        EXPECT_EQ(c.symbol->GetCategory(), 0);
    }
    EXPECT_EQ(UsedPointerNumbers() + UsedProgramNumbers(0) + UsedProgramNumbers(1), 0);
}
