// The conditional jump: what its tool makes, the program text, steps and
// label of every form, the target read through the jump output's wire, the
// result bits of Y outputs in octal, error states and the setters.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"

#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "params/HOXParam.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/SymbolTextCases.h"

#include <functional>

using kt::test::CJumpTextCases;
using kt::test::SymbolTextCase;

namespace {

class FlowCJumpTest : public kt::test::FlowDocTest {
protected:
    CHOXSymbol* Add(std::unique_ptr<CHOXSymbol> symbol)
    {
        symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        CHOXSymbol* raw = symbol.get();
        chart->AddObject(std::move(symbol));
        return raw;
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
        auto node =
            std::make_unique<CHOXNode>(number, CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5), wire->GetId(), chart);
        CHOXNode* raw = node.get();
        chart->AddNode(std::move(node));
        wire->SetNodeId(number);
        doc->MarkPointerNumberUsed(static_cast<int>(number));
        return raw;
    }

    void SetFileRegisters(std::int32_t count) { ASSERT_TRUE(doc->GetParam().SetParam(&count, 101, 0)); }

    static void Parse(bool (CHOXFlowCJump::*set)(const QString&, QString&), CHOXFlowCJump* s, const char* text)
    {
        QString message;
        EXPECT_TRUE((s->*set)(QString::fromLatin1(text), message)) << text;
    }
};

} // namespace

TEST_F(FlowCJumpTest, TheToolMakesABitFormWithThreePins)
{
    std::unique_ptr<CHOXSymbol> made = MakeToolSymbol(ID_TOOL_FLOW_CJUMP, CPoint(100, 50), chart);
    auto* cjump = dynamic_cast<CHOXFlowCJump*>(made.get());
    ASSERT_NE(cjump, nullptr);
    EXPECT_EQ(cjump->GetObjectType(), 307);
    EXPECT_EQ(cjump->GetSymbolName(), QStringLiteral("CONDITIONAL JUMP"));
    EXPECT_EQ(cjump->GetCategory(), 0);
    EXPECT_EQ(cjump->GetRect(), CRect(100, 50, 164, 82));
    EXPECT_EQ(cjump->GetKind(), 0);
    EXPECT_EQ(cjump->GetNegated(), 0);
    EXPECT_EQ(cjump->GetBitCondition(), QString());
    EXPECT_EQ(cjump->GetCompare32Bit(), 0);
    EXPECT_TRUE(cjump->GetCompareOperand1().IsEmpty());
    EXPECT_TRUE(cjump->GetCompareOperand2().IsEmpty());
    EXPECT_EQ(cjump->GetCompareCondition(), 2);
    EXPECT_EQ(cjump->GetCompareOutputType(), 1);
    EXPECT_EQ(cjump->GetCompareOutputNumber(), 0);
    EXPECT_EQ(cjump->GetZone32Bit(), 0);
    EXPECT_TRUE(cjump->GetZoneOperand3().IsEmpty());
    EXPECT_EQ(cjump->GetZoneOutputType(), 1);
    EXPECT_EQ(cjump->GetZoneOutputNumber(), 0);
    // An empty condition: 8 steps of its own, incomplete.
    EXPECT_EQ(cjump->GetSteps(), 8);
    EXPECT_EQ(cjump->GetErrorState(), 1);
    EXPECT_EQ(cjump->GetLabel(), QStringLiteral("\n"));
    EXPECT_EQ(cjump->GetCode(), QStringLiteral("BRET(FNC05);\n;\nBRET(FNC05);"));
    EXPECT_TRUE(cjump->GetHeldNumbers().empty());

    const struct {
        CPoint at;
        int kind;
        bool input;
    } pins[] = {{{132, 50}, 0, true}, {{132, 82}, 1, false}, {{164, 66}, 2, false}};
    ASSERT_EQ(cjump->GetPinCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cjump->GetPin(i)->GetNumber(), i);
        EXPECT_EQ(cjump->GetPinPosition(i), pins[i].at);
        EXPECT_EQ(cjump->GetPin(i)->GetKind(), pins[i].kind);
        EXPECT_EQ(cjump->GetPin(i)->IsInputSide(), pins[i].input);
        EXPECT_TRUE(cjump->GetPin(i)->IsFree());
    }

    // In the monitor window: no pins, no steps.
    std::unique_ptr<CHOXSymbol> watched = MakeToolSymbol(ID_TOOL_FLOW_CJUMP, CPoint(0, 0), monitor);
    EXPECT_EQ(watched->GetPinCount(), 0);
    EXPECT_EQ(watched->GetSteps(), 0);
}

TEST_F(FlowCJumpTest, ProgramTextStepsAndLabelOfEveryForm)
{
    for (const SymbolTextCase& c : CJumpTextCases()) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        CHOXSymbol* symbol = Add(c.make(chart));
        kt::test::JumpToNode5(chart, symbol);
        // As a dialog's OK leaves it.
        symbol->UpdateText();
        symbol->CalcSteps();
        EXPECT_EQ(symbol->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(symbol->GetSteps(), c.steps);
        EXPECT_EQ(symbol->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(symbol->GetErrorState(), 0);
    }
}

TEST_F(FlowCJumpTest, TheTargetIsWhatTheJumpOutputsWireLeadsTo)
{
    auto* jumpWithTarget = Place<CHOXFlowJump>(chart, CPoint(300, 20));
    jumpWithTarget->SetPointerNumber(7);
    auto* jumpWithout = Place<CHOXFlowJump>(chart, CPoint(300, 100));
    auto* endWithNode = Place<CHOXFlowEnd>(chart, CPoint(300, 180));
    auto* endPlain = Place<CHOXFlowEnd>(chart, CPoint(300, 260));

    const struct {
        const char* what;
        std::function<void(CHOXSymbol*)> wire;
        const char* jumpLine; // null: none
    } cases[] = {
        {"left free", [](CHOXSymbol*) {}, nullptr},
        {"a JUMP with a target",
         [&](CHOXSymbol* s) { WireTo(s, 2, jumpWithTarget->GetId(), CHOXConnect::kTargetSymbol); }, "CJ(FNC00) P7"},
        {"a JUMP without a target",
         [&](CHOXSymbol* s) { WireTo(s, 2, jumpWithout->GetId(), CHOXConnect::kTargetSymbol); }, "CJ(FNC00) "},
        {"a symbol whose wire carries a node",
         [&](CHOXSymbol* s) { NodeOn(WireTo(s, 2, endWithNode->GetId(), CHOXConnect::kTargetSymbol), 12); },
         "CJ(FNC00) P12"},
        {"a symbol on a wire without a node",
         [&](CHOXSymbol* s) { WireTo(s, 2, endPlain->GetId(), CHOXConnect::kTargetSymbol); }, "CJ(FNC00) P-1"},
        {"a node", [&](CHOXSymbol* s) { WireTo(s, 2, 200, CHOXConnect::kTargetNode); }, "CJ(FNC00) P200"},
        {"a wire the chart does not know", [&](CHOXSymbol* s) { s->GetPin(CHOXFlowCJump::kJumpPin)->SetLinkId(777); },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto* bit = Place<CHOXFlowCJump>(chart, CPoint(100, 20));
        bit->SetBitCondition(QStringLiteral("LD X0;"));
        c.wire(bit);
        const QString jump = c.jumpLine != nullptr ? QString::fromLatin1(c.jumpLine) : QString();
        EXPECT_EQ(bit->GetCode(), QStringLiteral("BRET(FNC05);\nLD X0;\n") + jump + QStringLiteral(";\nBRET(FNC05);"));

        // Compare and zone put the jump on a line of its own.
        auto* compare = Place<CHOXFlowCJump>(chart, CPoint(100, 120));
        compare->SetKind(CHOXFlowCJump::kCompareForm);
        Parse(&CHOXFlowCJump::SetCompareOperand1, compare, "D0");
        Parse(&CHOXFlowCJump::SetCompareOperand2, compare, "D1");
        c.wire(compare);
        const QString tail = c.jumpLine != nullptr ? QStringLiteral("\n") + jump : QString();
        EXPECT_EQ(compare->GetCode(), QStringLiteral("BRET(FNC05);\nCMP(FNC10) D0 D1 M0;\nLD M1;") + tail +
                                          QStringLiteral(";\nBRET(FNC05);"));
    }

    // The target is read each time: a renumbered node changes the text.
    auto* cjump = Place<CHOXFlowCJump>(chart, CPoint(100, 300));
    cjump->SetBitCondition(QStringLiteral("LD X0;\n"));
    cjump->SetNegated(1);
    CHOXConnect* wire = WireTo(cjump, 2, endPlain->GetId(), CHOXConnect::kTargetSymbol);
    wire->SetNodeId(40);
    EXPECT_EQ(cjump->GetCode(), QStringLiteral("BRET(FNC05);\nLD X0;\nCJN(FNC01) P40;\nBRET(FNC05);"));
    wire->SetNodeId(41);
    EXPECT_EQ(cjump->GetCode(), QStringLiteral("BRET(FNC05);\nLD X0;\nCJN(FNC01) P41;\nBRET(FNC05);"));
}

TEST_F(FlowCJumpTest, ResultBitsOfYCountInOctalAndOfMInDecimal)
{
    // The output itself (offset 0) is written as given, even with a digit
    // octal lacks.
    const struct {
        int type;
        int number;
        int offset;
        const char* bit;
    } cases[] = {
        {0, 0, 1, "Y1"},   {0, 5, 2, "Y7"},   {0, 6, 2, "Y10"},  {0, 7, 1, "Y10"},   {0, 7, 2, "Y11"},
        {0, 16, 2, "Y20"}, {0, 17, 1, "Y20"}, {0, 67, 1, "Y70"}, {0, 77, 1, "Y100"}, {0, 377, 2, "Y401"},
        {1, 7, 1, "M8"},   {1, 9, 1, "M10"},  {1, 19, 2, "M21"}, {2, 98, 2, "M100"}, {0, 20, 0, "Y20"},
        {0, 8, 0, "Y8"},   {0, 19, 0, "Y19"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CHOXFlowCJump::ResultBit(c.type, c.number, c.offset), QString::fromLatin1(c.bit))
            << c.type << " " << c.number << "+" << c.offset;
}

TEST_F(FlowCJumpTest, Steps)
{
    const struct {
        const char* what;
        std::function<void(CHOXFlowCJump*)> set;
        int steps;
    } cases[] = {
        {"bit, empty", [](CHOXFlowCJump*) {}, 8},
        {"bit, two lines", [](CHOXFlowCJump* s) { s->SetBitCondition(QStringLiteral("LD X0;\nAND X1;")); }, 12},
        {"bit, blank and empty lines count nothing",
         [](CHOXFlowCJump* s) { s->SetBitCondition(QStringLiteral(" LD X0;\n\n  ;\nOR X1;\n")); }, 12},
        {"DCMP of two constants",
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             s->SetCompare32Bit(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "K1");
             Parse(&CHOXFlowCJump::SetCompareOperand2, s, "H2");
         },
         24},
        {"CMP of two constants", [](CHOXFlowCJump* s) { s->SetCompare32Bit(0); }, 20},
        {">= adds the OR line", [](CHOXFlowCJump* s) { s->SetCompareCondition(1); }, 22},
        {"<= adds the OR line", [](CHOXFlowCJump* s) { s->SetCompareCondition(4); }, 22},
        {"zone of three registers",
         [](CHOXFlowCJump* s) {
             s->SetKind(2);
             Parse(&CHOXFlowCJump::SetZoneOperand1, s, "D0");
             Parse(&CHOXFlowCJump::SetZoneOperand2, s, "K4M0");
             Parse(&CHOXFlowCJump::SetZoneOperand3, s, "Z1");
         },
         20},
        {"zone at 32 bits, whatever the compare's width",
         [](CHOXFlowCJump* s) {
             s->SetZone32Bit(1);
             s->SetCompare32Bit(0);
             Parse(&CHOXFlowCJump::SetZoneOperand1, s, "K1");
             Parse(&CHOXFlowCJump::SetZoneOperand3, s, "H10");
         },
         3 + 5 + 2 + 5 + 11},
        {"a width flag other than 1 counts constants as 16 bits", [](CHOXFlowCJump* s) { s->SetZone32Bit(2); },
         3 + 3 + 2 + 3 + 11},
        {"another form", [](CHOXFlowCJump* s) { s->SetKind(3); }, 0},
    };
    auto* cjump = Place<CHOXFlowCJump>(chart);
    for (const auto& c : cases) {
        c.set(cjump);
        cjump->CalcSteps();
        EXPECT_EQ(cjump->GetSteps(), c.steps) << c.what;
    }
    // An empty operand counts nothing.
    auto* half = Place<CHOXFlowCJump>(chart);
    half->SetKind(1);
    Parse(&CHOXFlowCJump::SetCompareOperand2, half, "K1");
    half->CalcSteps();
    EXPECT_EQ(half->GetSteps(), 3 + 0 + 3 + 3 + 2 + 6);

    // The monitor window keeps the count.
    cjump->SetKind(0);
    cjump->SetWnd(monitor);
    cjump->CalcSteps();
    EXPECT_EQ(cjump->GetSteps(), 0);
}

TEST_F(FlowCJumpTest, ErrorStates)
{
    const struct {
        const char* what;
        int type;
        std::function<void(CHOXFlowCJump*)> set;
        int state;        // without file registers
        int withFileRegs; // with parameter 101 = 1
    } cases[] = {
        {"bit, empty", 1, [](CHOXFlowCJump*) {}, 1, 1},
        {"bit, a condition", 1, [](CHOXFlowCJump* s) { s->SetBitCondition(QStringLiteral("LD X0;")); }, 0, 0},
        {"compare without sources", 1, [](CHOXFlowCJump* s) { s->SetKind(1); }, 1, 1},
        {"compare without a second source", 1,
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "D4000");
         },
         1, 1},
        {"compare of a file register", 1,
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "D4000");
             Parse(&CHOXFlowCJump::SetCompareOperand2, s, "K5");
         },
         2, 0},
        {"compare of a 32-bit register pair at 32 bits", 1,
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             s->SetCompare32Bit(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "DD4000");
             Parse(&CHOXFlowCJump::SetCompareOperand2, s, "DD0");
         },
         2, 2},
        {"compare on one axis: no D2000", 0,
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "D2000");
             Parse(&CHOXFlowCJump::SetCompareOperand2, s, "D0");
         },
         2, 2},
        {"compare: only data registers are range checked", 0,
         [](CHOXFlowCJump* s) {
             s->SetKind(1);
             Parse(&CHOXFlowCJump::SetCompareOperand1, s, "K99999");
             Parse(&CHOXFlowCJump::SetCompareOperand2, s, "K8M3000");
         },
         0, 0},
        {"zone without its third operand", 1,
         [](CHOXFlowCJump* s) {
             s->SetKind(2);
             Parse(&CHOXFlowCJump::SetZoneOperand1, s, "D0");
             Parse(&CHOXFlowCJump::SetZoneOperand2, s, "D1");
         },
         1, 1},
        {"zone with a file register last", 1,
         [](CHOXFlowCJump* s) {
             s->SetKind(2);
             Parse(&CHOXFlowCJump::SetZoneOperand1, s, "D0");
             Parse(&CHOXFlowCJump::SetZoneOperand2, s, "D1");
             Parse(&CHOXFlowCJump::SetZoneOperand3, s, "D4000");
         },
         2, 0},
        {"another form", 1, [](CHOXFlowCJump* s) { s->SetKind(7); }, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.type);
        auto* cjump = Place<CHOXFlowCJump>(chart);
        c.set(cjump);
        SetFileRegisters(0);
        EXPECT_EQ(cjump->GetErrorState(), c.state);
        SetFileRegisters(1);
        EXPECT_EQ(cjump->GetErrorState(), c.withFileRegs);
    }
}

TEST_F(FlowCJumpTest, LabelsByForm)
{
    const struct {
        const char* condition;
        const char* label;
    } bits[] = {
        {"", "\n"},
        {"LD X0", "LD X0\n"},
        {"LD X0;", "LD X0;\n"},
        {"LD X0;\n", "LD X0;\n"},
        {"LD X0; OUT Y0;\nAND X1; comment\n", "LD X0;\nAND X1;\n"},
        {"LD X0;\nAND X1", "LD X0;\nAND X1\n"},
    };
    auto* cjump = Place<CHOXFlowCJump>(chart);
    for (const auto& b : bits) {
        cjump->SetBitCondition(QString::fromLatin1(b.condition));
        cjump->UpdateText();
        EXPECT_EQ(cjump->GetLabel(), QString::fromLatin1(b.label)) << b.condition;
    }

    cjump->SetKind(1);
    Parse(&CHOXFlowCJump::SetCompareOperand1, cjump, "DD10Z2");
    Parse(&CHOXFlowCJump::SetCompareOperand2, cjump, "HFF");
    const char* signs[] = {">", ">=", "=", "!=", "<=", "<"};
    for (int relation = 0; relation <= 5; ++relation) {
        cjump->SetCompareCondition(relation);
        cjump->UpdateText();
        EXPECT_EQ(cjump->GetLabel(), QStringLiteral("DD10Z2 %1 HFF").arg(QString::fromLatin1(signs[relation])));
    }

    cjump->SetKind(2);
    cjump->UpdateText();
    EXPECT_EQ(cjump->GetLabel(), QStringLiteral(" <=  <= "));
    Parse(&CHOXFlowCJump::SetZoneOperand2, cjump, "D5");
    cjump->UpdateText();
    EXPECT_EQ(cjump->GetLabel(), QStringLiteral(" <= D5 <= "));
}

TEST_F(FlowCJumpTest, OperandSettersAnswerAsTheOperandReadsTheText)
{
    auto* cjump = Place<CHOXFlowCJump>(chart);
    const QString label = cjump->GetLabel();
    const int steps = cjump->GetSteps();
    using Setter = bool (CHOXFlowCJump::*)(const QString&, QString&);
    using Getter = CHOXSelectVal (CHOXFlowCJump::*)() const;
    const std::pair<Setter, Getter> operands[] = {
        {&CHOXFlowCJump::SetCompareOperand1, &CHOXFlowCJump::GetCompareOperand1},
        {&CHOXFlowCJump::SetCompareOperand2, &CHOXFlowCJump::GetCompareOperand2},
        {&CHOXFlowCJump::SetZoneOperand1, &CHOXFlowCJump::GetZoneOperand1},
        {&CHOXFlowCJump::SetZoneOperand2, &CHOXFlowCJump::GetZoneOperand2},
        {&CHOXFlowCJump::SetZoneOperand3, &CHOXFlowCJump::GetZoneOperand3},
    };
    for (const auto& [set, get] : operands) {
        QString message = QStringLiteral("(before)");
        EXPECT_TRUE((cjump->*set)(QStringLiteral("D100"), message));
        EXPECT_TRUE(message.isEmpty());
        EXPECT_EQ((cjump->*get)().GetText(), QStringLiteral("D100"));
        // A text that is no operand leaves it, and says why.
        EXPECT_FALSE((cjump->*set)(QStringLiteral("D1V"), message));
        EXPECT_FALSE(message.isEmpty());
        CHOXSelectVal reference;
        QString expected;
        EXPECT_FALSE(reference.Parse(QStringLiteral("D1V"), expected));
        EXPECT_EQ(message, expected);
        EXPECT_EQ((cjump->*get)().GetText(), QStringLiteral("D100"));
    }
    // The setters store only.
    cjump->SetKind(1);
    cjump->SetCompareCondition(0);
    EXPECT_EQ(cjump->GetLabel(), label);
    EXPECT_EQ(cjump->GetSteps(), steps);
}
