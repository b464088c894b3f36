// Flow charts into program text: the walk along the wires with its labels
// and jumps, both output modes, the four checks and their questions, the
// step map, and every symbol the palette makes.
#include "convert/ConvertFixture.h"

#include "app/PaletteTools.h"
#include "chart/HOXFlowView.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QProgressBar>
#include <QStringList>

using kt::test::ConvertFixture;
using kt::test::CTestCodeSymbol;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

// Four programs in one window: every flow-control symbol, a conditional
// jump whose side exit leads to a JUMP, free program text with comments,
// two paths joining at node 9, and a POINTER whose wire carries its own
// node.
class GoldenChartTest : public ConvertFixture {
protected:
    void SetUp() override
    {
        start0 = Place<CHOXFlowStart>(chart); // Ox0
        cjump =
            PlaceCode(chart, objtype::kFlowCJump, QStringLiteral("BRET(FNC05);\nLD X0;\nCJ(FNC00) P6;\nBRET(FNC05);"));
        sideJump = PlaceJump(chart, 6);
        call = PlaceCall(chart, 7);
        jump = PlaceJump(chart, 6);
        start1 = Place<CHOXFlowStart>(chart); // Ox1
        text = PlaceCode(chart, objtype::kFlowProgText, QStringLiteral("LD X1;  comment\n\nOUT Y0;;\n"),
                         kt::test::CheckerSteps(*doc, QStringLiteral("LD X1;\nOUT Y0;")));
        end1 = Place<CHOXFlowEnd>(chart);
        subroutine = PlaceSubroutine(chart, 7);
        ret = Place<CHOXFlowRet>(chart);
        pointer = PlacePointer(chart, 6);
        call2 = PlaceCall(chart, 7);

        Wire(chart, start0, 0, cjump);
        Wire(chart, cjump, 1, call);
        Wire(chart, cjump, 2, sideJump);
        Wire(chart, call, 1, jump);
        Wire(chart, start1, 0, text);
        node9 = NodeOn(chart, Wire(chart, text, 1, end1), 9);
        Wire(chart, subroutine, 0, ret);
        NodeOn(chart, Wire(chart, pointer, 0, call2), 6);
        WireToNode(chart, call2, 1, node9);
        for (auto& [key, object] : chart->GetObjectMap()) static_cast<CHOXSymbol*>(object.get())->CalcSteps();
    }

    CHOXFlowStart* start0 = nullptr;
    CTestCodeSymbol* cjump = nullptr;
    CHOXFlowJump* sideJump = nullptr;
    CHOXFlowCall* call = nullptr;
    CHOXFlowJump* jump = nullptr;
    CHOXFlowStart* start1 = nullptr;
    CTestCodeSymbol* text = nullptr;
    CHOXFlowEnd* end1 = nullptr;
    CHOXFlowSubRtn* subroutine = nullptr;
    CHOXFlowRet* ret = nullptr;
    CHOXFlowPointer* pointer = nullptr;
    CHOXFlowCall* call2 = nullptr;
    CHOXNode* node9 = nullptr;
};

} // namespace

QString Lines(std::initializer_list<const char*> lines)
{
    QString text;
    for (const char* line : lines) text += QString::fromLatin1(line) + QStringLiteral("\n");
    return text;
}

TEST_F(GoldenChartTest, PlainModeIsTheBareProgramInMapOrder)
{
    const auto out = Convert(false);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.message, QString());
    // Roots in the object map's order (ids below 16 share a bucket, newest
    // first): the POINTER, the SUBROUTINE, then the two STARTs.
    EXPECT_EQ(out.text, Lines({"P6;",
                               "CALL(FNC02) P7;",
                               "JMP(FNC04) P9;",
                               "m02(END);", //
                               "P7;",
                               "RET(FNC03);", //
                               "Ox1;",
                               "LD X1;",
                               "",
                               "OUT Y0;",
                               "P9;",
                               "m02(END);", //
                               "Ox0;",
                               "BRET(FNC05);",
                               "LD X0;",
                               "CJ(FNC00) P6;",
                               "BRET(FNC05);",
                               "CALL(FNC02) P7;",
                               "JMP(FNC04) P6;",
                               "m02(END);"}));
}

TEST_F(GoldenChartTest, ListingModeNumbersStepsAndLines)
{
    const auto out = Convert(true);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.text, Lines({"",
                               "[Program]",
                               "", //
                               "   0 ----: P6;",
                               "   2 ----: CALL(FNC02) P7;", //
                               "   6 ----: JMP(FNC04) P9;",
                               "  10 ----: m02(END);",
                               "", //
                               "  12 ----: P7;",
                               "  14 ----: RET(FNC03);",
                               "", //
                               "  16 0000: Ox1;",
                               "  19 0000: LD X1;",
                               "  21 0001: ", //
                               "  21 0002: OUT Y0;",
                               "  25 0003: P9;",
                               "  27 0004: m02(END);",
                               "",
                               "  29 0000: Ox0;",
                               "  32 0000: BRET(FNC05);",
                               "  34 0001: LD X0;",
                               "  36 0002: CJ(FNC00) P6;",
                               "  40 0003: BRET(FNC05);",
                               "  42 0004: CALL(FNC02) P7;",
                               "  46 0005: JMP(FNC04) P6;",
                               "  50 0006: m02(END);"}));
}

TEST_F(GoldenChartTest, TheStepMapFollowsTheWalkAndMatchesTheListing)
{
    doc->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(99, 99, QStringLiteral("old")));
    ASSERT_TRUE(Convert(false).ok);
    std::vector<std::pair<int, DWORD>> steps;
    for (const auto& info : doc->GetStepInfoList()) {
        EXPECT_EQ(info->GetWindowName(), QStringLiteral("Flow Chart1"));
        steps.emplace_back(info->GetStep(), static_cast<DWORD>(info->GetSymbolId()));
    }
    // The label P9 (2 steps) and the jump-end marker (6) count between the
    // symbols; the JUMP behind the side exit is no step of its own. Each
    // symbol starts where its first line stands in the listing.
    const std::vector<std::pair<int, DWORD>> expected = {
        {0, pointer->GetId()}, {2, call2->GetId()}, {12, subroutine->GetId()}, {14, ret->GetId()},
        {16, start1->GetId()}, {19, text->GetId()}, {27, end1->GetId()},       {29, start0->GetId()},
        {32, cjump->GetId()},  {42, call->GetId()}, {46, jump->GetId()}};
    EXPECT_EQ(steps, expected);

    // Listing mode leaves the step map alone.
    ASSERT_TRUE(Convert(true).ok);
    EXPECT_EQ(doc->GetStepInfoList().size(), expected.size());
}

TEST_F(GoldenChartTest, ConvertingAgainStartsFromScratch)
{
    CHOXExport exporter(doc.get());
    QString message;
    int severity = -1;
    CHOXSymbol* symbol = nullptr;
    ASSERT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false));
    const QString first = exporter.GetProgramText();
    ASSERT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false));
    EXPECT_EQ(exporter.GetProgramText(), first);
    ASSERT_TRUE(exporter.GenerateProgram(message, false, &severity, &symbol, false));
    EXPECT_TRUE(exporter.GetProgramText().startsWith(QStringLiteral("P6;\n")));
}

TEST_F(ConvertFixture, AfterTheEndLinesAreNumberedNoMore)
{
    // The side branch of a conditional jump is walked after the END of the
    // main path: it belongs to no open program.
    auto* start = Place<CHOXFlowStart>(chart);
    auto* cjump = PlaceCode(chart, objtype::kFlowCJump, QStringLiteral("LD X0;\nCJ(FNC00) P3;"));
    auto* end = Place<CHOXFlowEnd>(chart);
    auto* pointer = PlacePointer(chart, 3);
    auto* branch = PlaceCode(chart, objtype::kCodeTime, QStringLiteral("cod04(TIM) K10;"));
    auto* end2 = Place<CHOXFlowEnd>(chart);
    Wire(chart, start, 0, cjump);
    Wire(chart, cjump, 1, end);
    Wire(chart, cjump, 2, branch);
    Wire(chart, branch, 1, end2);
    Wire(chart, pointer, 0, Place<CHOXFlowEnd>(chart));
    const auto out = Convert(true);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(out.text, Lines({"", "[Program]", "", "   0 ----: P3;", "   2 ----: m02(END);", "", "   4 0000: Ox0;",
                               "   7 0000: LD X0;", "   9 0001: CJ(FNC00) P3;", "  13 0002: m02(END);",
                               "  15 ----: cod04(TIM) K10;", "  19 ----: m02(END);"}));
}

TEST_F(ConvertFixture, StepFieldsKeepTheirLastFourDigits)
{
    // 3 + 2 + 3085 * 4 steps before the END: it starts at step 12345.
    QString code = QStringLiteral("LD X0;");
    for (int i = 0; i < 3085; ++i) code += QStringLiteral("\nCALL(FNC02) P7;");
    auto* start = Place<CHOXFlowStart>(chart);
    auto* body = PlaceCode(chart, objtype::kFlowProgText, code, 2 + 3085 * 4);
    auto* end = Place<CHOXFlowEnd>(chart);
    Wire(chart, start, 0, body);
    Wire(chart, body, 1, end);
    const auto out = Convert(true);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_TRUE(out.text.contains(QStringLiteral("\n9997 2499: CALL(FNC02) P7;\n0001 2500: CALL(FNC02) P7;\n")));
    EXPECT_TRUE(out.text.contains(QStringLiteral("\n2345 3086: m02(END);\n"))) << out.text.right(200).toStdString();

    ASSERT_TRUE(Convert(false).ok);
    EXPECT_EQ(doc->GetStepInfoList().back()->GetStep(), 12345);
}

// ---------------------------------------------------------------------------
// The checks

namespace {

class ChecksTest : public ConvertFixture {
public:
    // START -> symbol -> END, the symbol's other outputs left as they are.
    template <class T>
    T* Between(T* symbol)
    {
        Wire(chart, Place<CHOXFlowStart>(chart), 0, symbol);
        if (symbol->GetPinCount() > 1) Wire(chart, symbol, 1, Place<CHOXFlowEnd>(chart));
        return symbol;
    }
    // A whole program: START -> END.
    CHOXFlowEnd* Program(CHOXFlowWnd* wnd)
    {
        auto* end = Place<CHOXFlowEnd>(wnd);
        Wire(wnd, Place<CHOXFlowStart>(wnd), 0, end);
        return end;
    }
    // A ring of two calls, every pin wired, that no root reaches; the older
    // of the two first.
    std::pair<CHOXSymbol*, CHOXSymbol*> Ring(CHOXFlowWnd* wnd)
    {
        auto* a = PlaceCall(wnd, 1);
        auto* b = PlaceCall(wnd, 1);
        Wire(wnd, a, 1, b);
        Wire(wnd, b, 1, a);
        doc->MarkPointerNumberUsed(1);
        return {a, b};
    }
    static QString Ask(UINT id) { return LoadStr(id) + QStringLiteral("\nDo you want to continue ?"); }
};

constexpr UINT kAsk = MB_YESNO | MB_ICONEXCLAMATION;

} // namespace

TEST_F(ChecksTest, ErrorsStopWithTheirSymbolAndSeverityOne)
{
    const struct {
        const char* what;
        UINT message;
        std::function<CHOXSymbol*(ChecksTest&)> build;
    } cases[] = {
        {"a symbol in the error state", 13391,
         [](ChecksTest& t) {
             CHOXFlowEnd* end = t.Program(t.chart);
             end->SetState(CHOXSymbol::kError);
             return end;
         }},
        {"the error state goes before a free pin", 13391,
         [](ChecksTest& t) {
             auto* lone = t.Place<CHOXFlowStart>(t.chart);
             lone->SetState(CHOXSymbol::kError);
             return lone;
         }},
        {"an unconnected START", 13401, [](ChecksTest& t) { return t.Place<CHOXFlowStart>(t.chart); }},
        {"a free input", 13401,
         [](ChecksTest& t) {
             t.Program(t.chart);
             return t.Place<CHOXFlowRet>(t.chart);
         }},
        {"a JUMP without target", 13402, [](ChecksTest& t) { return t.Between(t.PlaceJump(t.chart, -1)); }},
        {"a CALL without number", 13403, [](ChecksTest& t) { return t.Between(t.PlaceCall(t.chart, -1)); }},
        {"another symbol without data", 13400,
         [](ChecksTest& t) {
             auto* code = t.Between(t.PlaceCode(t.chart, objtype::kCodeDrv, QStringLiteral("cod00(DRV);")));
             code->m_errorState = 1;
             return code;
         }},
        {"no data goes before an invalid file register", 13400,
         [](ChecksTest& t) {
             t.Between(t.PlaceCode(t.chart, objtype::kFuncMove, QStringLiteral("MOV D4000 D0;")))->m_errorState = 2;
             auto* code = t.Between(t.PlaceCode(t.chart, objtype::kFuncMove, QStringLiteral("MOV D0 D1;")));
             code->m_errorState = 1;
             return code;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(1);
        CHOXSymbol* culprit = c.build(*this);
        for (bool listing : {false, true}) {
            ScriptedDialogs dialogs;
            const auto out = Convert(listing, true);
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.message, LoadStr(c.message));
            EXPECT_EQ(out.severity, 1);
            EXPECT_EQ(out.symbol, culprit);
            EXPECT_EQ(out.text, QString());
            // Stopped before the walk: no progress window.
            EXPECT_TRUE(dialogs.modelessShown.empty());
        }
    }
}

TEST_F(ChecksTest, WarningsAreAskedWithAskAndOnlyRememberedWithout)
{
    const struct {
        const char* what;
        UINT message;
        std::function<CHOXSymbol*(ChecksTest&)> build;
    } cases[] = {
        {"an invalid file register", 13645,
         [](ChecksTest& t) {
             auto* code = t.Between(t.PlaceCode(t.chart, objtype::kFuncMove, QStringLiteral("MOV D4000 D0;")));
             code->m_errorState = 2;
             return code;
         }},
        {"a CALL to a number no one holds", 13394, [](ChecksTest& t) { return t.Between(t.PlaceCall(t.chart, 12)); }},
        {"a CALL beyond the numbers", 13394, [](ChecksTest& t) { return t.Between(t.PlaceCall(t.chart, 256)); }},
        {"a JUMP to a number no one holds", 13393, [](ChecksTest& t) { return t.Between(t.PlaceJump(t.chart, 40)); }},
        {"program text that jumps to a number no one holds", 13398,
         [](ChecksTest& t) {
             auto* text = t.Place<CHOXFlowProgText>(t.chart);
             text->SetText(QStringLiteral("LD X0;\nCJ(FNC00) P40;\nP41;\n"));
             text->AddPointerNumber(41);
             t.doc->MarkPointerNumberUsed(41);
             text->CalcSteps();
             return t.Between(text);
         }},
        {"a symbol no root leads to", 13399,
         [](ChecksTest& t) {
             t.Program(t.chart);
             return t.Ring(t.chart).first;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(1);
        CHOXSymbol* culprit = c.build(*this);
        const bool unreached = c.message == 13399;
        {
            // Without ask the warning stays in the message.
            const auto out = Convert(false, false);
            EXPECT_TRUE(out.ok);
            EXPECT_EQ(out.message, LoadStr(c.message));
            EXPECT_EQ(out.severity, 0);
            if (!unreached) {
                EXPECT_EQ(out.symbol, culprit);
            }
            EXPECT_TRUE(out.text.startsWith(QStringLiteral("Ox0;\n")));
        }
        {
            ScriptedMessages messages;
            messages.Expect(Ask(c.message), kAsk, IDYES);
            const auto out = Convert(true, true);
            EXPECT_TRUE(out.ok);
            EXPECT_EQ(out.message, LoadStr(c.message));
            EXPECT_EQ(out.severity, 0);
            EXPECT_TRUE(out.text.startsWith(QStringLiteral("\n[Program]\n\n   0 0000: Ox0;\n")));
        }
        {
            ScriptedMessages messages;
            messages.Expect(Ask(c.message), kAsk, IDNO);
            const auto out = Convert(false, true);
            EXPECT_FALSE(out.ok);
            EXPECT_EQ(out.message, LoadStr(c.message));
            EXPECT_EQ(out.severity, 0);
            if (!unreached) {
                EXPECT_EQ(out.symbol, culprit);
            }
        }
    }
}

TEST_F(ChecksTest, BothWarningsAreAskedInTurnAndTheLastStays)
{
    auto* code = Between(PlaceCode(chart, objtype::kFuncMove, QStringLiteral("MOV D4000 D0;")));
    code->m_errorState = 2;
    auto* jump = PlaceJump(chart, 40);
    Wire(chart, code, 1, jump);
    chart->RemoveObject(static_cast<WORD>(jump->GetId() - 1)); // the END Between made
    {
        ScriptedMessages messages;
        messages.Expect(Ask(13645), kAsk, IDYES).Expect(Ask(13393), kAsk, IDYES);
        const auto out = Convert(false, true);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.message, LoadStr(13393));
        EXPECT_EQ(out.symbol, jump);
        EXPECT_EQ(out.text, Lines({"Ox0;", "MOV D4000 D0;", "JMP(FNC04) P40;", "m02(END);"}));
    }
    {
        ScriptedMessages messages;
        messages.Expect(Ask(13645), kAsk, IDNO);
        const auto out = Convert(false, true);
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message, LoadStr(13645));
        EXPECT_EQ(out.symbol, code);
    }
}

TEST_F(ChecksTest, TheUnreachedQuestionIsAskedOnceWhileTheProgressWindowShowsTheChart)
{
    Program(chart);
    CHOXFlowWnd* second = AddChart(QStringLiteral("Flow Chart2"));
    Program(second);
    // Met newest first: the question names b2, the message ends with a3.
    CHOXSymbol* first = Ring(second).second;
    CHOXFlowWnd* third = AddChart(QStringLiteral("Flow Chart3"));
    Program(third);
    CHOXSymbol* last = Ring(third).first;
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        QString shown;
        int low = -1;
        int high = -1;
        int pos = -1;
        messages.Expect(Ask(13399), kAsk, answer, [&] {
            DialogDriver* progress = dialogs.Modeless(4081);
            ASSERT_NE(progress, nullptr);
            shown = progress->Text(1562);
            auto* bar = qobject_cast<QProgressBar*>(progress->Widget(1561));
            ASSERT_NE(bar, nullptr);
            low = bar->minimum();
            high = bar->maximum();
            pos = bar->value();
        });
        const auto out = Convert(true, true);
        EXPECT_EQ(shown, QStringLiteral("Generating code for  Flow Chart2"));
        // The bar runs to the document's steps (5 + 13 + 13) and stands
        // after the two programs walked: each symbol's steps and 2 a wire.
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 31);
        EXPECT_EQ(pos, 14);
        EXPECT_EQ(out.ok, answer == IDYES);
        EXPECT_EQ(out.severity, 0);
        EXPECT_EQ(out.message, LoadStr(13399));
        // Later unreached symbols still take the message over.
        EXPECT_EQ(out.symbol, answer == IDYES ? last : first);
        // The progress window came and went.
        EXPECT_EQ(dialogs.modelessShown, std::vector<UINT>{4081});
        EXPECT_EQ(dialogs.ModelessOpen(), 0u);
    }
}

TEST_F(ChecksTest, WithoutAnyRootThereIsNoProgram)
{
    AddChart(QStringLiteral("Flow Chart2"));
    for (bool listing : {false, true}) {
        const auto out = Convert(listing, true);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.message,
                  QStringLiteral("WARNING : No Program !\n\nCurrent parameter settings only will be written."));
        EXPECT_EQ(out.severity, 0);
        EXPECT_EQ(out.symbol, nullptr);
        EXPECT_EQ(out.text, QString());
    }
}

TEST_F(ChecksTest, AListedWindowTheMapLacksEndsTheConversionSilently)
{
    Program(chart);
    CHOXFlowWnd* second = AddChart(QStringLiteral("Flow Chart2"));
    Program(second);
    std::unique_ptr<CHOXFlowWnd> taken = doc->RemoveWindow(QStringLiteral("Flow Chart2"));
    ASSERT_TRUE(doc->GetWindowNameList().contains(QStringLiteral("Flow Chart2")));
    for (bool listing : {false, true}) {
        ScriptedDialogs dialogs;
        QString message = QStringLiteral("before");
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        CHOXExport exporter(doc.get());
        EXPECT_FALSE(exporter.GenerateProgram(message, listing, &severity, &symbol, true));
        EXPECT_EQ(severity, 0);
        EXPECT_EQ(message, QString());
        EXPECT_EQ(symbol, nullptr);
        EXPECT_EQ(dialogs.ModelessOpen(), 0u);
    }
}

// ---------------------------------------------------------------------------
// Wires that lead nowhere the walk can write

TEST_F(ChecksTest, APinCountsAsConnectedOnlyWhenItsWireLeadsSomewhere)
{
    const struct {
        const char* what;
        bool connected;
        std::function<CHOXSymbol*(ChecksTest&)> build;
    } cases[] = {
        {"a stale link", false,
         [](ChecksTest& t) {
             auto* start = t.Place<CHOXFlowStart>(t.chart);
             start->GetPin(0)->SetLinkId(77);
             return start;
         }},
        {"a wire to a symbol the window lacks", false,
         [](ChecksTest& t) {
             auto* start = t.Place<CHOXFlowStart>(t.chart);
             auto* end = t.Place<CHOXFlowEnd>(t.chart);
             t.Wire(t.chart, start, 0, end);
             t.chart->RemoveObject(static_cast<WORD>(end->GetId())).reset();
             return start;
         }},
        {"a wire to a node without its jump-end marker", false,
         [](ChecksTest& t) {
             auto* pointer = t.PlacePointer(t.chart, 4);
             CHOXNode* node = t.NodeOn(t.chart, t.Wire(t.chart, pointer, 0, t.Place<CHOXFlowEnd>(t.chart)), 4);
             auto* start = t.Place<CHOXFlowStart>(t.chart);
             t.WireToNode(t.chart, start, 0, node, false);
             return start;
         }},
        {"a wire to a node the window lacks", false,
         [](ChecksTest& t) {
             auto* pointer = t.PlacePointer(t.chart, 4);
             CHOXConnect* carrier = t.Wire(t.chart, pointer, 0, t.Place<CHOXFlowEnd>(t.chart));
             CHOXNode* node = t.NodeOn(t.chart, carrier, 4);
             auto* start = t.Place<CHOXFlowStart>(t.chart);
             t.WireToNode(t.chart, start, 0, node);
             t.chart->RemoveNode(4).reset();
             carrier->SetNodeId(CHOXConnect::kNone);
             return start;
         }},
        {"a wire carrying a node beyond 255", false,
         [](ChecksTest& t) {
             // Both ends hold the wire; the newer END is met first.
             auto* start = t.Place<CHOXFlowStart>(t.chart);
             auto* end = t.Place<CHOXFlowEnd>(t.chart);
             t.NodeOn(t.chart, t.Wire(t.chart, start, 0, end), 300);
             return end;
         }},
        {"the side exit of a conditional jump to a bare node", true,
         [](ChecksTest& t) {
             auto* pointer = t.PlacePointer(t.chart, 4);
             CHOXNode* node = t.NodeOn(t.chart, t.Wire(t.chart, pointer, 0, t.Place<CHOXFlowEnd>(t.chart)), 4);
             auto* cjump =
                 t.Between(t.PlaceCode(t.chart, objtype::kFlowCJump, QStringLiteral("LD X0;\nCJ(FNC00) P4;")));
             t.WireToNode(t.chart, cjump, 2, node, false);
             return nullptr;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(1);
        CHOXSymbol* culprit = c.build(*this);
        for (bool listing : {false, true}) {
            const auto out = Convert(listing);
            EXPECT_EQ(out.ok, c.connected) << out.message.toStdString();
            if (c.connected) continue;
            EXPECT_EQ(out.message, LoadStr(13401));
            EXPECT_EQ(out.severity, 1);
            EXPECT_EQ(out.symbol, culprit);
        }
    }
}

TEST_F(ChecksTest, ADamagedChartWalksEachSymbolOnce)
{
    // The second CALL's wire claims the first CALL's input too (taken by the
    // START's wire): a ring behind the START, every pin wired.
    auto* start = Place<CHOXFlowStart>(chart);
    auto* first = PlaceCall(chart, 1);
    auto* second = PlaceCall(chart, 2);
    Wire(chart, first, 1, second);
    CHOXConnect* intoStart = Wire(chart, start, 0, first);
    Wire(chart, second, 1, first);
    // Routing the wire back took the input's link: it goes back to the
    // START's wire, as a damaged file would hold it.
    first->GetPin(0)->SetLinkId(intoStart->GetId());
    doc->MarkPointerNumberUsed(1);
    doc->MarkPointerNumberUsed(2);
    const auto out = Convert(false);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(out.text, Lines({"Ox0;", "CALL(FNC02) P1;", "CALL(FNC02) P2;"}));
}

// ---------------------------------------------------------------------------
// Every symbol the palette makes

namespace {

// What free program text keeps of its lines.
QString Statements(const QString& code)
{
    QString out;
    for (const QString& line : code.split(u'\n')) {
        const qsizetype semicolon = line.indexOf(u';');
        out += (semicolon < 0 ? line : line.left(semicolon + 1)) + QStringLiteral("\n");
    }
    return out;
}

} // namespace

TEST_F(ChecksTest, EverySymbolOfThePaletteConvertsBetweenStartAndEnd)
{
    int made = 0;
    for (int group = 0; group < kPaletteGroups; ++group) {
        for (const PaletteTool& tool : PaletteTools(group)) {
            SCOPED_TRACE(tool.caption);
            MakeDocument(1);
            CHOXFlowView view;
            view.SetWnd(chart);
            CHOXView::s_nCurrentTool = tool.id;
            std::unique_ptr<CHOXDrawObj> object = view.CreateSymbol(CPoint(100, 100));
            if (!object) continue; // no symbol class for the tool yet
            ++made;
            auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
            ASSERT_NE(symbol, nullptr);
            symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
            chart->AddObject(std::move(object));

            // START -> symbol (unless it is a root itself); each output to an
            // END, a side exit to a JUMP to a number in use.
            const CHOXPin* input = symbol->GetPin(0);
            const bool root = input == nullptr || !input->IsInputSide();
            if (!root) Wire(chart, Place<CHOXFlowStart>(chart), 0, symbol);
            int ends = 0;
            for (int i = 0; i < symbol->GetPinCount(); ++i) {
                const CHOXPin* pin = symbol->GetPin(i);
                if (pin == nullptr || pin->IsInputSide()) continue;
                if (pin->GetKind() == CHOXPin::kSideExit) {
                    doc->MarkPointerNumberUsed(200);
                    Wire(chart, symbol, i, PlaceJump(chart, 200));
                } else {
                    Wire(chart, symbol, i, Place<CHOXFlowEnd>(chart));
                    ++ends;
                }
            }
            for (auto& [key, o] : chart->GetObjectMap()) static_cast<CHOXSymbol*>(o.get())->CalcSteps();

            const auto out = Convert(false);
            const int type = symbol->GetObjectType();
            if (symbol->GetState() == CHOXSymbol::kError) {
                EXPECT_FALSE(out.ok);
                EXPECT_EQ(out.message, LoadStr(13391));
                EXPECT_EQ(out.symbol, symbol);
                continue;
            }
            if (symbol->GetErrorState() == 1) {
                EXPECT_FALSE(out.ok);
                EXPECT_EQ(out.message, LoadStr(type == objtype::kFlowJump   ? 13402
                                               : type == objtype::kFlowCall ? 13403
                                                                            : 13400));
                EXPECT_EQ(out.severity, 1);
                EXPECT_EQ(out.symbol, symbol);
                continue;
            }
            ASSERT_TRUE(out.ok) << out.message.toStdString();
            QString code = symbol->GetCode();
            if (type == objtype::kFlowProgText) code = Statements(code);
            code = code.trimmed();
            QString expected = root ? QString() : QStringLiteral("Ox0;\n");
            if (!code.isEmpty()) expected += code + QStringLiteral("\n");
            for (int i = 0; i < ends; ++i) expected += QStringLiteral("m02(END);\n");
            EXPECT_EQ(out.text.toStdString(), expected.toStdString());

            // The step map: the symbol after the START's 3 steps, the END
            // after the symbol's own.
            std::vector<std::pair<int, DWORD>> steps;
            for (const auto& info : doc->GetStepInfoList()) steps.emplace_back(info->GetStep(), info->GetSymbolId());
            const int at = root ? 0 : 3;
            ASSERT_GE(steps.size(), root ? 1u : 2u);
            EXPECT_EQ(steps[root ? 0 : 1], std::make_pair(at, symbol->GetId()));
            if (ends > 0) {
                EXPECT_EQ(steps.back().first, at + symbol->GetSteps());
            }
        }
    }
    // START, END, SUBROUTINE, RET, JUMP, POINTER and SUBROUTINE CALL at
    // least; more as their classes come.
    EXPECT_GE(made, 7);
}
