// The function-instruction symbols: what the palette's tools make, the
// program text, steps and label of every kind and the rebuild setters that
// give the same, the captions by kind, the setters' name rules and defaults,
// the error states, the monitor window and loading.
#include "symbols/func/HOXFuncAbs.h"
#include "symbols/func/HOXFuncArth.h"
#include "symbols/func/HOXFuncBcdBin.h"
#include "symbols/func/HOXFuncExt.h"
#include "symbols/func/HOXFuncLogical.h"
#include "symbols/func/HOXFuncMove.h"
#include "symbols/func/HOXFuncRepeat.h"
#include "symbols/func/HOXFuncSegl.h"
#include "symbols/func/HOXFuncSetRst.h"

#include "app/PaletteTools.h"
#include "chart/HOXPin.h"
#include "params/HOXParam.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/SymbolTextCases.h"

#include <functional>

using kt::test::FuncSymbolTextCases;
using kt::test::SymbolTextCase;

namespace {

class FuncSymbolTest : public kt::test::FlowDocTest {
protected:
    CHOXSymbol* Add(std::unique_ptr<CHOXSymbol> symbol, CHOXWnd* wnd = nullptr)
    {
        CHOXWnd* target = wnd != nullptr ? wnd : chart;
        symbol->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        CHOXSymbol* raw = symbol.get();
        target->AddObject(std::move(symbol));
        return raw;
    }

    void SetFileRegisters(std::int32_t count) { ASSERT_TRUE(doc->GetParam().SetParam(&count, 101, 0)); }
};

CHOXSelectVal V(const char* text)
{
    CHOXSelectVal value;
    QString message;
    EXPECT_TRUE(value.Parse(QString::fromLatin1(text), message)) << text;
    return value;
}

QString T(const char* text) { return QString::fromLatin1(text); }

} // namespace

TEST_F(FuncSymbolTest, ProgramTextStepsAndLabelOfEveryKindAndTheRebuildSetters)
{
    for (const SymbolTextCase& c : FuncSymbolTextCases()) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        CHOXSymbol* symbol = Add(c.make(chart));
        // As a dialog's OK leaves it.
        symbol->CalcSteps();
        symbol->UpdateText();
        EXPECT_EQ(symbol->GetCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(symbol->GetSteps(), c.steps);
        EXPECT_EQ(symbol->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(symbol->GetErrorState(), 0);
        EXPECT_EQ(symbol->GetCategory(), 2);
        if (c.rebuild == nullptr) continue;

        // The setters leave label and steps as the dialog would.
        CHOXSymbol* rebuilt = Add(c.rebuild(chart));
        EXPECT_EQ(rebuilt->GetLabel(), symbol->GetLabel());
        EXPECT_EQ(rebuilt->GetSteps(), c.steps);
        EXPECT_EQ(rebuilt->GetCode(), symbol->GetCode());
        EXPECT_EQ(rebuilt->GetSymbolName(), symbol->GetSymbolName());
        EXPECT_EQ(rebuilt->GetCategory(), 2);
    }
}

TEST_F(FuncSymbolTest, EachToolMakesItsSymbolWithItsDefaults)
{
    const struct {
        UINT tool;
        int objectType;
        const char* caption;
        const char* label;
        const char* code;
        int steps;
        int errorState;
    } cases[] = {
        {ID_TOOL_FUNC_REPEAT, 341, "REPEAT", "", "RPT(FNC08)  ;", 2, 1},
        {ID_TOOL_FUNC_MOVE, 342, "MOVE", "\n", "MOV(FNC12)   ;", 2, 1},
        {ID_TOOL_FUNC_BCDBIN, 343, "BIN - BCD", "\n", "BCD(FNC18)   ;", 2, 1},
        {ID_TOOL_FUNC_ARTH, 344, "ARITHMETIC", "", "ADD(FNC20)    ;", 2, 1},
        {ID_TOOL_FUNC_LOGICAL, 345, "LOGICAL", "= WAND ", "WAND(FNC26)    ;", 2, 1},
        {ID_TOOL_FUNC_ABS, 346, "X-ABSOLUTE", "XAB", "XAB(FNC92)  ;", 2, 0},
        {ID_TOOL_FUNC_EXT, 347, "EXTERNAL DIGITAL SWITCH", "\n\n\n", "EXT(FNC72)     ;", 2, 1},
        {ID_TOOL_FUNC_SEGL, 348, "SEGMENT DISPLAY", "\n\n\n", "SEGL(FNC74)     ;", 2, 1},
        {ID_TOOL_FUNC_SETRST, 349, "SET", "", "SET  ;", 2, 1},
    };
    for (int type = 0; type <= 2; ++type) {
        MakeDocument(type);
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "tool " << c.tool << " on type " << type);
            std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(c.tool, CPoint(100, 50), chart);
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetObjectType(), c.objectType);
            EXPECT_EQ(symbol->GetSymbolName(), QString::fromLatin1(c.caption));
            EXPECT_EQ(symbol->GetLabel(), QString::fromLatin1(c.label));
            EXPECT_EQ(symbol->GetCode(), QString::fromLatin1(c.code));
            EXPECT_EQ(symbol->GetSteps(), c.steps);
            EXPECT_EQ(symbol->GetErrorState(), c.errorState);
            EXPECT_EQ(symbol->GetCategory(), 2);
            EXPECT_EQ(symbol->GetState(), 0);
            EXPECT_EQ(symbol->GetRect(), CRect(100, 50, 164, 82));
            EXPECT_EQ(symbol->GetWnd(), chart);
            ASSERT_EQ(symbol->GetPinCount(), 2);
            EXPECT_TRUE(symbol->GetPin(0)->IsInputSide());
            EXPECT_EQ(symbol->GetPinPosition(0), CPoint(132, 50));
            EXPECT_FALSE(symbol->GetPin(1)->IsInputSide());
            EXPECT_EQ(symbol->GetPinPosition(1), CPoint(132, 82));
            EXPECT_TRUE(symbol->GetHeldNumbers().empty());
        }
    }
    // In the monitor window: no pins.
    for (const auto& c : cases) EXPECT_EQ(MakeToolSymbol(c.tool, CPoint(0, 0), monitor)->GetPinCount(), 0);
}

TEST_F(FuncSymbolTest, LoadingDefaultsTakeNoWindow)
{
    const struct {
        std::unique_ptr<CHOXSymbol> symbol;
        const char* caption;
        const char* code;
    } made[] = {
        {std::make_unique<CHOXFuncRepeat>(), "REPEAT", "RPT(FNC08)  ;"},
        {std::make_unique<CHOXFuncMove>(), "MOVE", "MOV(FNC12)   ;"},
        {std::make_unique<CHOXFuncBcdBin>(), "BIN - BCD", "BCD(FNC18)   ;"},
        {std::make_unique<CHOXFuncArth>(), "ARITHMETIC", "ADD(FNC20)    ;"},
        {std::make_unique<CHOXFuncLogical>(), "LOGICAL", "WAND(FNC26)    ;"},
        {std::make_unique<CHOXFuncAbs>(), "X-ABSOLUTE", "XAB(FNC92)  ;"},
        {std::make_unique<CHOXFuncExt>(), "EXTERNAL DIGITAL SWITCH", "EXT(FNC72)     ;"},
        {std::make_unique<CHOXFuncSegl>(), "SEGMENT DISPLAY", "SEGL(FNC74)     ;"},
        {std::make_unique<CHOXFuncSetRst>(), "SET", "SET  ;"},
    };
    for (const auto& m : made) {
        SCOPED_TRACE(m.caption);
        EXPECT_EQ(m.symbol->GetWnd(), nullptr);
        EXPECT_EQ(m.symbol->GetSymbolName(), QString::fromLatin1(m.caption));
        EXPECT_EQ(m.symbol->GetCategory(), 2);
        EXPECT_EQ(m.symbol->GetPinCount(), 0);
        // Everything the after-load pass calls works without a window.
        m.symbol->CalcSteps();
        m.symbol->UpdateText();
        EXPECT_EQ(m.symbol->GetCode(), QString::fromLatin1(m.code));
        EXPECT_EQ(m.symbol->GetSteps(), 2);
    }
}

TEST_F(FuncSymbolTest, CaptionsFollowTheKind)
{
    auto* repeat = Place<CHOXFuncRepeat>(chart);
    auto* move = Place<CHOXFuncMove>(chart);
    auto* bcd = Place<CHOXFuncBcdBin>(chart);
    auto* arth = Place<CHOXFuncArth>(chart);
    auto* logical = Place<CHOXFuncLogical>(chart);
    auto* abs = Place<CHOXFuncAbs>(chart);
    auto* setRst = Place<CHOXFuncSetRst>(chart);
    // The kind as the dialog's OK sets it, then the caption.
    auto kind = [](auto* s) {
        return std::function<void(int)>([s](int k) {
            s->SetKind(k);
            s->SetCaptionForKind();
        });
    };
    const std::function<void(int)> axis = [abs](int a) {
        abs->SetAbsAxis(a);
        abs->SetCaptionForKind();
    };
    // clang-format off
    const struct {
        CHOXSymbol* symbol;
        std::function<void(int)> set;
        int kind;
        const char* caption;
    } cases[] = {
        {repeat, kind(repeat), 0, "REPEAT END"}, {repeat, kind(repeat), 1, "REPEAT"},
        {move, kind(move), 1, "MAGNIFICATION MOVE"}, {move, kind(move), 2, "REDUCTION MOVE"},
        {move, kind(move), 0, "MOVE"},
        {bcd, kind(bcd), 0, "BCD - BIN"}, {bcd, kind(bcd), 1, "BIN - BCD"},
        {arth, kind(arth), 1, "SUBTRACT"}, {arth, kind(arth), 2, "MULTIPLY"}, {arth, kind(arth), 3, "DIVISION"},
        {arth, kind(arth), 4, "INCREMENT"}, {arth, kind(arth), 5, "DECREMENT"}, {arth, kind(arth), 6, "COMPLEMENT"},
        {arth, kind(arth), 9, "COMPLEMENT"}, {arth, kind(arth), 0, "ARITHMETIC"},
        {logical, kind(logical), 1, "LOGICAL WOR"}, {logical, kind(logical), 2, "LOGICAL WXOR"},
        // Another kind keeps the caption.
        {logical, kind(logical), 3, "LOGICAL WXOR"}, {logical, kind(logical), 0, "LOGICAL"},
        {abs, axis, 0, "Y-ABSOLUTE"}, {abs, axis, 1, "X-ABSOLUTE"},
        {setRst, kind(setRst), 0, "RESET"}, {setRst, kind(setRst), 2, "RESET"}, {setRst, kind(setRst), 1, "SET"},
    };
    // clang-format on
    for (const auto& c : cases) {
        c.set(c.kind);
        EXPECT_EQ(c.symbol->GetSymbolName(), QString::fromLatin1(c.caption)) << c.kind;
    }
}

TEST_F(FuncSymbolTest, KindsTheTextDoesNotKnow)
{
    // Any other kind is one of the forms for these...
    auto* repeat = Place<CHOXFuncRepeat>(chart);
    repeat->SetCount(V("K3"));
    repeat->SetKind(7);
    EXPECT_EQ(repeat->GetCode(), QStringLiteral("RPT(FNC08)  K3;"));
    auto* bcd = Place<CHOXFuncBcdBin>(chart);
    bcd->SetKind(-1);
    EXPECT_EQ(bcd->GetCode(), QStringLiteral("BCD(FNC18)   ;"));
    auto* abs = Place<CHOXFuncAbs>(chart);
    abs->SetAbsAxis(2);
    EXPECT_EQ(abs->GetCode(), QStringLiteral("YAB(FNC93)  ;"));
    auto* setRst = Place<CHOXFuncSetRst>(chart);
    setRst->SetKind(2);
    setRst->SetOperand(V("M1"));
    EXPECT_EQ(setRst->GetCode(), QStringLiteral("SET  M1;"));

    // ...while these write nothing and count nothing.
    auto* move = Place<CHOXFuncMove>(chart);
    move->SetKind(3);
    auto* arth = Place<CHOXFuncArth>(chart);
    arth->SetKind(7);
    auto* logical = Place<CHOXFuncLogical>(chart);
    logical->SetKind(-1);
    for (CHOXSymbol* symbol : std::initializer_list<CHOXSymbol*>{move, arth, logical}) {
        symbol->CalcSteps();
        EXPECT_EQ(symbol->GetCode(), QString()) << symbol->GetSymbolName().toStdString();
        EXPECT_EQ(symbol->GetSteps(), 0) << symbol->GetSymbolName().toStdString();
    }
}

TEST_F(FuncSymbolTest, StepWeights)
{
    const struct {
        const char* what;
        std::function<CHOXSymbol*()> make;
        int steps;
    } cases[] = {
        {"INC D0",
         [&] {
             auto* s = Place<CHOXFuncArth>(chart);
             s->SetKind(CHOXFuncArth::kInc);
             s->SetSource1(V("D0"));
             return s;
         },
         4},
        {"INC K5 at 32 bits",
         [&] {
             auto* s = Place<CHOXFuncArth>(chart);
             s->SetKind(CHOXFuncArth::kInc);
             s->Set32Bit(1);
             s->SetSource1(V("K5"));
             s->SetSource2(V("K5")); // not counted
             return s;
         },
         7},
        {"RMOV K1 D0, flag 0",
         [&] {
             auto* s = Place<CHOXFuncMove>(chart);
             s->SetKind(CHOXFuncMove::kRmov);
             s->SetSource(V("K1"));
             s->SetDestination(V("D0"));
             return s;
         },
         9},
        {"MMOV H1 K1, flag 1",
         [&] {
             auto* s = Place<CHOXFuncMove>(chart);
             s->SetKind(CHOXFuncMove::kMmov);
             s->Set32Bit(1);
             s->SetSource(V("H1"));
             s->SetDestination(V("K1"));
             return s;
         },
         10},
        {"RPT H10: a constant count weighs 3",
         [&] {
             auto* s = Place<CHOXFuncRepeat>(chart);
             s->SetCount(V("H10"));
             return s;
         },
         5},
        {"RPE with a count",
         [&] {
             auto* s = Place<CHOXFuncRepeat>(chart);
             s->SetKind(CHOXFuncRepeat::kRpe);
             s->SetCount(V("K10"));
             return s;
         },
         2},
        {"EXT with an H digit count",
         [&] {
             auto* s = Place<CHOXFuncExt>(chart);
             const char* ops[] = {"X0", "Y0", "K2", "H4"};
             for (int i = 0; i < 4; ++i) s->SetOperand(i, V(ops[i]));
             return s;
         },
         2 + 2 + 2 + 3 + 0},
        {"DSEGL with H logic",
         [&] {
             auto* s = Place<CHOXFuncSegl>(chart);
             s->Set32Bit(1);
             const char* ops[] = {"K5", "Y0", "K4", "H1"};
             for (int i = 0; i < 4; ++i) s->SetOperand(i, V(ops[i]));
             return s;
         },
         2 + 5 + 2 + 2 + 0},
        {"SET on a word",
         [&] {
             auto* s = Place<CHOXFuncSetRst>(chart);
             s->SetOperand(V("K5"));
             return s;
         },
         2},
    };
    for (const auto& c : cases) {
        CHOXSymbol* symbol = c.make();
        symbol->CalcSteps();
        EXPECT_EQ(symbol->GetSteps(), c.steps) << c.what;
    }

    // The monitor window keeps whatever count a symbol has.
    auto* moved = Place<CHOXFuncMove>(chart);
    moved->SetSource(V("K1"));
    moved->SetDestination(V("D0"));
    moved->CalcSteps();
    ASSERT_EQ(moved->GetSteps(), 7);
    moved->SetWnd(monitor);
    moved->SetSource(V("D1"));
    moved->CalcSteps();
    EXPECT_EQ(moved->GetSteps(), 7);
    auto* fresh = Place<CHOXFuncMove>(monitor);
    EXPECT_EQ(fresh->GetSteps(), 0);
    EXPECT_EQ(fresh->GetPinCount(), 0);
}

TEST_F(FuncSymbolTest, ErrorStates)
{
    const struct {
        const char* what;
        std::function<CHOXSymbol*()> make;
        int state;        // with no file registers
        int withFileRegs; // with parameter 101 = 10
    } cases[] = {
        {"RPT without a count", [&] { return Place<CHOXFuncRepeat>(chart); }, 1, 1},
        {"RPE without a count",
         [&] {
             auto* s = Place<CHOXFuncRepeat>(chart);
             s->SetKind(CHOXFuncRepeat::kRpe);
             return s;
         },
         0, 0},
        {"RPT D4000",
         [&] {
             auto* s = Place<CHOXFuncRepeat>(chart);
             s->SetCount(V("D4000"));
             return s;
         },
         2, 0},
        {"RPE D4000",
         [&] {
             auto* s = Place<CHOXFuncRepeat>(chart);
             s->SetKind(CHOXFuncRepeat::kRpe);
             s->SetCount(V("D4000"));
             return s;
         },
         0, 0},
        {"MOV without a source",
         [&] {
             auto* s = Place<CHOXFuncMove>(chart);
             s->SetDestination(V("D0"));
             return s;
         },
         1, 1},
        {"MOV into D4009",
         [&] {
             auto* s = Place<CHOXFuncMove>(chart);
             s->SetSource(V("K1"));
             s->SetDestination(V("D4009"));
             return s;
         },
         2, 0},
        {"MOV into D4010",
         [&] {
             auto* s = Place<CHOXFuncMove>(chart);
             s->SetSource(V("K1"));
             s->SetDestination(V("D4010"));
             return s;
         },
         2, 2},
        {"BIN from DD4000",
         [&] {
             auto* s = Place<CHOXFuncBcdBin>(chart);
             s->SetSource(V("DD4000"));
             s->SetDestination(V("D1"));
             return s;
         },
         2, 0},
        {"ADD with D4000 second",
         [&] {
             auto* s = Place<CHOXFuncArth>(chart);
             s->SetSource1(V("D0"));
             s->SetSource2(V("D4000"));
             s->SetDestination(V("D1"));
             return s;
         },
         2, 0},
        {"INC without its source",
         [&] {
             auto* s = Place<CHOXFuncArth>(chart);
             s->SetKind(CHOXFuncArth::kInc);
             s->SetDestination(V("D1"));
             return s;
         },
         1, 1},
        {"WOR into D6999",
         [&] {
             auto* s = Place<CHOXFuncLogical>(chart);
             s->SetSource1(V("D0"));
             s->SetDestination(V("D6999"));
             return s;
         },
         2, 2},
        {"ABS", [&] { return Place<CHOXFuncAbs>(chart); }, 0, 0},
        {"EXT into D4000",
         [&] {
             auto* s = Place<CHOXFuncExt>(chart);
             s->SetOperand(0, V("X0"));
             s->SetOperand(2, V("D4000"));
             return s;
         },
         2, 0},
        {"EXT, the others never checked",
         [&] {
             auto* s = Place<CHOXFuncExt>(chart);
             s->SetOperand(0, V("D4000"));
             s->SetOperand(1, V("D5000"));
             s->SetOperand(3, V("D6000"));
             return s;
         },
         0, 0},
        {"EXT without its source",
         [&] {
             auto* s = Place<CHOXFuncExt>(chart);
             s->SetOperand(2, V("D0"));
             return s;
         },
         1, 1},
        {"SEGL from D4000",
         [&] {
             auto* s = Place<CHOXFuncSegl>(chart);
             s->SetOperand(0, V("D4000"));
             return s;
         },
         2, 0},
        {"SEGL, the others never checked",
         [&] {
             auto* s = Place<CHOXFuncSegl>(chart);
             s->SetOperand(0, V("D0"));
             s->SetOperand(1, V("D4000"));
             s->SetOperand(2, V("D5000"));
             s->SetOperand(3, V("D6000"));
             return s;
         },
         0, 0},
        {"SET without a device", [&] { return Place<CHOXFuncSetRst>(chart); }, 1, 1},
        {"SET never reports a register",
         [&] {
             auto* s = Place<CHOXFuncSetRst>(chart);
             s->SetOperand(V("D4000"));
             return s;
         },
         0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXSymbol* symbol = c.make();
        SetFileRegisters(0);
        EXPECT_EQ(symbol->GetErrorState(), c.state);
        SetFileRegisters(10);
        EXPECT_EQ(symbol->GetErrorState(), c.withFileRegs);
    }
}

TEST_F(FuncSymbolTest, SettersFollowTheNameRules)
{
    struct Result {
        int kind;
        int is32Bit;
        const char* caption;
    };
    const struct {
        const char* name;
        Result result;
    } arth[] = {
        {"ADD", {0, 0, "ARITHMETIC"}}, {"DADD", {0, 1, "ARITHMETIC"}}, {"SUB", {1, 0, "SUBTRACT"}},
        {"DSUB", {1, 1, "SUBTRACT"}},  {"MUL", {2, 0, "MULTIPLY"}},    {"DMUL", {2, 1, "MULTIPLY"}},
        {"DIV", {3, 0, "DIVISION"}},   {"DDIV", {3, 1, "DIVISION"}},   {"INC", {4, 0, "INCREMENT"}},
        {"DINC", {4, 1, "INCREMENT"}}, {"DEC", {5, 0, "DECREMENT"}},   {"DDEC", {5, 1, "DECREMENT"}},
        {"NEG", {6, 0, "COMPLEMENT"}}, {"DNEG", {6, 1, "COMPLEMENT"}}, {"XYZ", {6, 0, "COMPLEMENT"}},
        {"D", {6, 1, "COMPLEMENT"}},   {"", {6, 0, "COMPLEMENT"}},     {"add", {6, 0, "COMPLEMENT"}},
    };
    for (const auto& c : arth) {
        auto* s = Place<CHOXFuncArth>(chart);
        s->SetFromInstruction(T(c.name), T("D0"), T("D1"), T("D2"));
        EXPECT_EQ(s->GetKind(), c.result.kind) << c.name;
        EXPECT_EQ(s->Get32Bit(), c.result.is32Bit) << c.name;
        EXPECT_EQ(s->GetSymbolName(), QString::fromLatin1(c.result.caption)) << c.name;
    }

    // Logical: the first letter sets the width, the rest the kind; an
    // unknown rest keeps the kind and caption.
    const struct {
        const char* name;
        Result result;
    } logical[] = {
        {"WAND", {0, 0, "LOGICAL"}},       {"DAND", {0, 1, "LOGICAL"}},      {"WOR", {1, 0, "LOGICAL WOR"}},
        {"DOR", {1, 1, "LOGICAL WOR"}},    {"WXOR", {2, 0, "LOGICAL WXOR"}}, {"DXOR", {2, 1, "LOGICAL WXOR"}},
        {"DNAND", {2, 1, "LOGICAL WXOR"}}, {"W", {2, 0, "LOGICAL WXOR"}},    {"", {2, 0, "LOGICAL WXOR"}},
        {"AND", {2, 0, "LOGICAL WXOR"}},
    };
    auto* log = Place<CHOXFuncLogical>(chart);
    for (const auto& c : logical) {
        log->Set32Bit(1 - c.result.is32Bit);
        log->SetFromInstruction(T(c.name), T("D0"), T("D1"), T("D2"));
        EXPECT_EQ(log->GetKind(), c.result.kind) << c.name;
        EXPECT_EQ(log->Get32Bit(), c.result.is32Bit) << c.name;
        EXPECT_EQ(log->GetSymbolName(), QString::fromLatin1(c.result.caption)) << c.name;
    }

    // BcdBin: an unknown name keeps kind and caption but still sets the width.
    auto* bcd = Place<CHOXFuncBcdBin>(chart);
    const struct {
        const char* name;
        Result result;
    } bcdBin[] = {
        {"BIN", {0, 0, "BCD - BIN"}},  {"DBCD", {1, 1, "BIN - BCD"}}, {"DXYZ", {1, 1, "BIN - BCD"}},
        {"DBIN", {0, 1, "BCD - BIN"}}, {"", {0, 0, "BCD - BIN"}},     {"D", {0, 1, "BCD - BIN"}},
        {"BCD", {1, 0, "BIN - BCD"}},
    };
    for (const auto& c : bcdBin) {
        bcd->SetFromInstruction(T(c.name), T("D0"), T("D1"));
        EXPECT_EQ(bcd->GetKind(), c.result.kind) << c.name;
        EXPECT_EQ(bcd->Get32Bit(), c.result.is32Bit) << c.name;
        EXPECT_EQ(bcd->GetSymbolName(), QString::fromLatin1(c.result.caption)) << c.name;
    }

    // Move: any other name is RMOV; MMOV and RMOV keep the flag they had.
    auto* move = Place<CHOXFuncMove>(chart);
    const struct {
        const char* name;
        int flagBefore;
        Result result;
    } moves[] = {
        {"DMOV", 0, {0, 1, "MOVE"}},
        {"MOV", 1, {0, 0, "MOVE"}},
        {"MMOV", 1, {1, 1, "MAGNIFICATION MOVE"}},
        {"RMOV", 1, {2, 1, "REDUCTION MOVE"}},
        {"MMOV", 0, {1, 0, "MAGNIFICATION MOVE"}},
        {"", 0, {2, 0, "REDUCTION MOVE"}},
        {"mov", 1, {2, 1, "REDUCTION MOVE"}},
    };
    for (const auto& c : moves) {
        move->Set32Bit(c.flagBefore);
        move->SetFromInstruction(T(c.name), T("K1"), T("D1"));
        EXPECT_EQ(move->GetKind(), c.result.kind) << c.name;
        EXPECT_EQ(move->Get32Bit(), c.result.is32Bit) << c.name;
        EXPECT_EQ(move->GetSymbolName(), QString::fromLatin1(c.result.caption)) << c.name;
    }

    // Abs, Ext, Segl, SetRst compare whole names, case and blanks included.
    auto* abs = Place<CHOXFuncAbs>(chart);
    for (const auto& [name, axis] : {std::pair{"XAB", 1}, {"YAB", 0}, {"  XAB", 0}, {"xab", 0}, {"", 0}}) {
        abs->SetFromInstruction(T(name));
        EXPECT_EQ(abs->GetAbsAxis(), axis) << name;
        EXPECT_EQ(abs->GetSymbolName(), axis == 1 ? QStringLiteral("X-ABSOLUTE") : QStringLiteral("Y-ABSOLUTE"));
        EXPECT_EQ(abs->GetLabel(), axis == 1 ? QStringLiteral("XAB") : QStringLiteral("YAB"));
        EXPECT_EQ(abs->GetSteps(), 2);
    }
    auto* ext = Place<CHOXFuncExt>(chart);
    auto* segl = Place<CHOXFuncSegl>(chart);
    for (const auto& [name, is32Bit] : {std::pair{"DEXT", 1}, {"EXT", 0}, {"dext", 0}, {"", 0}}) {
        ext->Set32Bit(1 - is32Bit);
        ext->SetFromInstruction(T(name), T("X0"), T("Y0"), T("D0"), T("K4"));
        EXPECT_EQ(ext->Get32Bit(), is32Bit) << name;
        EXPECT_EQ(ext->GetSymbolName(), QStringLiteral("EXTERNAL DIGITAL SWITCH"));
    }
    for (const auto& [name, is32Bit] : {std::pair{"DSEGL", 1}, {"SEGL", 0}, {"DSEG", 0}, {"", 0}}) {
        segl->Set32Bit(1 - is32Bit);
        segl->SetFromInstruction(T(name), T("D0"), T("Y0"), T("K1"), T("K0"));
        EXPECT_EQ(segl->Get32Bit(), is32Bit) << name;
        EXPECT_EQ(segl->GetSymbolName(), QStringLiteral("SEGMENT DISPLAY"));
    }
    auto* setRst = Place<CHOXFuncSetRst>(chart);
    for (const auto& [name, kind] : {std::pair{"RST", 0}, {"SET", 1}, {"set", 0}, {"SET ", 0}, {"", 0}}) {
        setRst->SetKind(1 - kind);
        setRst->SetFromInstruction(T(name), T("M1"));
        EXPECT_EQ(setRst->GetKind(), kind) << name;
        EXPECT_EQ(setRst->GetSymbolName(), kind == 1 ? QStringLiteral("SET") : QStringLiteral("RESET")) << name;
    }
}

TEST_F(FuncSymbolTest, SettersKeepOperandsWhoseTextDoesNotReadAndRepeatEndKeepsItsCount)
{
    auto* repeat = Place<CHOXFuncRepeat>(chart);
    repeat->SetFromInstruction(T("K7"));
    repeat->SetFromInstruction(QString());
    EXPECT_EQ(repeat->GetKind(), CHOXFuncRepeat::kRpe);
    EXPECT_EQ(repeat->GetCount().GetText(), QStringLiteral("K7"));
    EXPECT_EQ(repeat->GetSymbolName(), QStringLiteral("REPEAT END"));
    EXPECT_EQ(repeat->GetCode(), QStringLiteral("RPE(FNC09) ;"));
    EXPECT_EQ(repeat->GetLabel(), QStringLiteral(" "));
    // Any text is a count; one that does not read keeps the count.
    repeat->SetFromInstruction(T("K1X"));
    EXPECT_EQ(repeat->GetKind(), CHOXFuncRepeat::kRpt);
    EXPECT_EQ(repeat->GetCount().GetText(), QStringLiteral("K7"));

    auto* arth = Place<CHOXFuncArth>(chart);
    arth->SetFromInstruction(T("ADD"), T("D0"), T("D1"), T("D2"));
    arth->SetFromInstruction(T("SUB"), T("D"), T("x5"), QString());
    EXPECT_EQ(arth->GetCode(), QStringLiteral("SUB(FNC21)  D0 D1 D2;"));
    // A plain number is a K constant.
    arth->SetFromInstruction(T("ADD"), T("5"), T("-7"), T("D9"));
    EXPECT_EQ(arth->GetCode(), QStringLiteral("ADD(FNC20)  K5 K-7 D9;"));
    EXPECT_EQ(arth->GetLabel(), QStringLiteral("D9=K5+K-7"));
}
