// The stored forms of the positioning-code symbols, new and filled: golden
// bytes built from fragments, read back with their class, damaged input.
#include "symbols/code/HOXCodeChk.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeComp.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCodeDrvz.h"
#include "symbols/code/HOXCodeIncAbs.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/code/HOXCodeSetAddr.h"
#include "symbols/code/HOXCodeSetrDrvr.h"
#include "symbols/code/HOXCodeTime.h"

#include "app/PaletteTools.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "support/StoredFragments.h"
#include "symbols/SymbolTextCases.h"

using kt::test::CaseMaker;
using kt::test::FlowDocTest;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using namespace kt::test::hex;

namespace {

using Made = std::unique_ptr<CHOXSymbol>;

// The symbol part of a code symbol in a chart: no comment, both display
// flags, category 1, state 0, an input and an output pin (the second
// refers back to the pin class, index 3).
QByteArray SymbolPart(const char* cls, const char* caption, const char* label)
{
    return NewClass(cls) + kIdAndBounds + Str(caption) + "00" + I32(1) + Str(label) + I32(1) + I32(1) + I32(0) +
           "0200" + NewClass("CHOXPin") + kInputPin0 + "0380" + kOutputPin1;
}

// M-code mode and M code.
QByteArray M(int mode, int mcode) { return I32(mode) + Byte(mcode); }

const QByteArray R0 = Reg(0, 0);
const QByteArray R1 = Reg(0, 1);
const QByteArray kNewComp = Comp(0, 1, 1, R0, R0);

CHOXDataReg D(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

template <class T>
std::unique_ptr<T> New(CHOXWnd* wnd)
{
    return std::make_unique<T>(CPoint(100, 50), wnd);
}

template <UINT tool>
Made Tool(CHOXWnd* wnd)
{
    return MakeToolSymbol(tool, CPoint(100, 50), wnd);
}

struct StoredCase {
    const char* what;
    int controllerType;
    CaseMaker make;
    const char* cls;
    const char* caption;
    const char* label;
    QByteArray own; // the class's own part after the symbol part
};

// clang-format off
const StoredCase kCases[] = {
    {"DRIVE new", 2, &Tool<ID_TOOL_CODE_DRV>, "CHOXCodeDrv", "DRIVE", "X = 0\nY = 0",
     M(0, 1) + I32(1) + I32(1) + I32(0) + I32(0) + I32(0) + I32(0) + I32(0) + R0 + R0 + R1 + R1 + kNewComp},
    {"DRIVE filled", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetMcodeMode(1); s->SetMcode(7);
         s->SetX(D("DD200Z3")); s->SetY(D("-250"));
         s->SetXSpeedUsed(1); s->SetXSpeed(D("D5"));
         s->SetAddressing(1, 1);
         CHOXCompSetting comp;
         comp.SetKind(CHOXCompSetting::kCntc);
         comp.SetOperand2Used(0);
         comp.SetOperand1Text("D10V1");
         comp.SetOperand2Text("-3");
         s->SetCompensation(comp);
         return s;
     },
     "CHOXCodeDrv", "DRIVE", "INC\nCNTC iD10V1 \nX = DD200Z3\nY = -250\nfx = D5\nm 7",
     M(1, 7) + I32(1) + I32(1) + I32(1) + I32(0) + I32(1) + I32(1) + I32(1) +  // flags, addressing, incremental
         Reg(2, 200, 2, 3) + Reg(0, -250) + Reg(1, 5) + R1 +                   // X, Y, X speed, Y speed
         Comp(2, 1, 0, Reg(1, 10, 1, 1), Reg(0, -3))},
    {"LINE new on one axis", 0, &Tool<ID_TOOL_CODE_LINE>, "CHOXCodeLine", "LINEAR 10QW", "X = 0",
     M(0, 1) + I32(1) + I32(0) + I32(0) + I32(0) + I32(0) + I32(0) + I32(0) + I32(0) + R0 + R0 + R1 + kNewComp},
    {"LINE filled", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetMcodeMode(1); s->SetMcode(3);
         s->SetInterrupt(1);
         s->SetAddressing(1, 0);
         CHOXCompSetting comp;
         comp.SetKind(CHOXCompSetting::kRadc);
         comp.SetOperand2Used(0);
         comp.SetOperand1Text("D100");
         s->SetCompensation(comp);
         s->SetEndCheck(1);
         s->SetX(D("100")); s->SetYUsed(0);
         s->SetSpeedUsed(1); s->SetSpeed(D("1000"));
         return s;
     },
     "CHOXCodeLine", "LINEAR INT", "ABS\nRADC rD100\nX = 100\nf = 1000\nm 3\nCHK",
     M(1, 3) + I32(1) + I32(0) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(0) +
         Reg(0, 100) + R0 + Reg(0, 1000) + Comp(1, 1, 0, Reg(1, 100), R0)},
    {"CIR new", 2, &Tool<ID_TOOL_CODE_CIR>, "CHOXCodeCir", "CIRCULAR CW", "X = 0\nY = 0\nr = 0",
     M(0, 1) + I32(1) + I32(0) + I32(1) + I32(1) + I32(0) + I32(0) + I32(0) + I32(0) + I32(0) + I32(1) + I32(1) +
         R0 + R0 + R1 + R0 + R0 + kNewComp},
    {"CIR filled", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetMcodeMode(1); s->SetMcode(4);
         s->SetClockwise(0);
         s->SetCentreForm(1);
         s->SetCentreIOrRadius(D("5")); s->SetCentreJ(D("D9"));
         s->SetX(D("10")); s->SetY(D("20"));
         s->SetSpeedUsed(1); s->SetSpeed(D("100"));
         s->SetAddressing(1, 1);
         CHOXCompSetting comp;
         comp.SetKind(CHOXCompSetting::kCanc);
         s->SetCompensation(comp);
         s->SetEndCheck(1);
         return s;
     },
     "CHOXCodeCir", "CIRCULAR CCW", "INC\nCANC\nX = 10\nY = 20\ni = 5\nj = D9\nf = 100\nm 4\nCHK",
     M(1, 4) + I32(0) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) + I32(1) +
         Reg(0, 10) + Reg(0, 20) + Reg(0, 100) + Reg(0, 5) + Reg(1, 9) + Comp(3, 1, 1, R0, R0)},
    {"TIMER new", 1, &Tool<ID_TOOL_CODE_TIME>, "CHOXCodeTime", "TIMER", "T = 1", M(0, 1) + R1},
    {"TIMER filled", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeTime>(w);
         s->SetMcodeMode(1); s->SetMcode(9);
         s->SetTime(D("D100Z7"));
         return s;
     },
     "CHOXCodeTime", "TIMER", "T = D100Z7\nm 9", M(1, 9) + Reg(1, 100, 2, 7)},
    {"CHK new", 1, &Tool<ID_TOOL_CODE_CHK>, "CHOXCodeChk", "CHK", "", M(0, 1)},
    {"CHK filled", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeChk>(w); s->SetMcodeMode(1); s->SetMcode(5); return s; },
     "CHOXCodeChk", "CHK", "m 5", M(1, 5)},
    {"DRVZ new", 1, &Tool<ID_TOOL_CODE_DRVZ>, "CHOXCodeDrvz", "DRIVE TO ZERO", "Return 0\n", M(0, 1) + Byte(2)},
    {"DRVZ filled", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrvz>(w);
         s->SetMcodeMode(1); s->SetMcode(255);
         s->SetReturnOption(1);
         return s;
     },
     "CHOXCodeDrvz", "DRIVE TO ZERO", "Return y\n m255", M(1, 255) + Byte(1)},
    {"DRVR new", 1, &Tool<ID_TOOL_CODE_SETRDRVR>, "CHOXCodeSetrDrvr", "DRVR", "", M(0, 1) + I32(1)},
    {"SETR filled", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetrDrvr>(w);
         s->SetMcodeMode(1); s->SetMcode(2);
         s->SetKind(0);
         return s;
     },
     "CHOXCodeSetrDrvr", "SETR", " m2", M(1, 2) + I32(0)},
    {"INT new", 1, &Tool<ID_TOOL_CODE_INT>, "CHOXCodeInt", "TWO STEP INTERRUPT",
     "X Distance  0\nSpeed1  1\nSpeed2  1", M(0, 1) + I32(1) + I32(0) + I32(0) + R0 + R1 + R1 + kNewComp},
    {"INT filled", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetTwoStep(0);
         s->SetYAxis(1);
         CHOXCompSetting comp;
         comp.SetOperand1Used(0);
         comp.SetOperand2Text("D3");
         s->SetCompensation(comp);
         s->SetDistance(D("-500"));
         s->SetSpeed1(D("DD8"));
         return s;
     },
     "CHOXCodeInt", "ONE STEP INTERRUPT", "MOVC YD3\nY Distance  -500\nSpeed1  DD8",
     M(0, 1) + I32(0) + I32(1) + I32(1) + Reg(0, -500) + Reg(2, 8) + R1 + Comp(0, 0, 1, R0, Reg(1, 3))},
    {"COMPENSATION new", 1, &Tool<ID_TOOL_CODE_COMP>, "CHOXCodeComp", "COMPENSATION", "x = 0",
     M(0, 1) + Comp(0, 1, 0, R0, R0)},
    {"COMPENSATION filled", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetMcodeMode(1); s->SetMcode(6);
         CHOXCompSetting comp;
         comp.SetKind(CHOXCompSetting::kRadc);
         comp.SetOperand1Text("D200V0");
         comp.SetOperand2Text("4");
         s->SetCompSetting(comp);
         return s;
     },
     "CHOXCodeComp", "RADIOUS COMPENSATION", "r = D200V0\nm6", M(1, 6) + Comp(1, 1, 1, Reg(1, 200, 1, 0), Reg(0, 4))},
    {"ABSOLUTE new", 1, &Tool<ID_TOOL_CODE_INCABS>, "CHOXCodeIncAbs", "ABSOLUTE", "", M(0, 1) + I32(0)},
    {"INCREMENTAL filled", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeIncAbs>(w);
         s->SetMcodeMode(1); s->SetMcode(1);
         s->SetIncremental(1);
         return s;
     },
     "CHOXCodeIncAbs", "INCREMENTAL", "m1", M(1, 1) + I32(1)},
    {"SET ADDRESS new", 2, &Tool<ID_TOOL_CODE_SETADDR>, "CHOXCodeSetAddr", "SET ADDRESS", "x = 0\ny = 0",
     M(0, 1) + I32(1) + I32(1) + R0 + R0},
    {"SET ADDRESS new on two independent axes", 1, &Tool<ID_TOOL_CODE_SETADDR>, "CHOXCodeSetAddr", "SET ADDRESS",
     "x = 0", M(0, 1) + I32(1) + I32(0) + R0 + R0},
    {"SET ADDRESS filled", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetMcodeMode(1); s->SetMcode(100);
         s->SetXUsed(0);
         s->SetY(D("DD6998"));
         return s;
     },
     "CHOXCodeSetAddr", "SET ADDRESS", "y = DD6998\nm 100", M(1, 100) + I32(0) + I32(1) + R0 + Reg(2, 6998)},
    // The stand-alone M code has no attached one: only its number.
    {"MCODE new", 1, &Tool<ID_TOOL_CODE_MCODE>, "CHOXCodeMcode", "MCODE", "m01", Byte(1)},
    {"MCODE filled", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(100); return s; },
     "CHOXCodeMcode", "MCODE", "m100", Byte(100)},
};
// clang-format on

class CodeStoredFormTest : public FlowDocTest {};

} // namespace

TEST_F(CodeStoredFormTest, EveryClassNewAndFilled)
{
    for (const StoredCase& c : kCases) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        std::unique_ptr<CHOXSymbol> symbol = c.make(chart);
        symbol->SetId(5);
        symbol->CalcSteps();
        symbol->UpdateText();
        const QByteArray expected = SymbolPart(c.cls, c.caption, c.label) + c.own;
        const QByteArray bytes = StoredBytes(symbol.get());
        EXPECT_EQ(bytes.toHex(), expected);

        // Read back without a window; the after-load pass gives it one.
        auto back = LoadStored<CHOXSymbol>(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetRuntimeClass(), symbol->GetRuntimeClass());
        EXPECT_EQ(back->GetWnd(), nullptr);
        EXPECT_EQ(back->GetSymbolName(), QString::fromLatin1(c.caption));
        EXPECT_EQ(back->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(back->GetCode(), symbol->GetCode());
        EXPECT_EQ(back->GetMcodeMode(), symbol->GetMcodeMode());
        EXPECT_EQ(back->GetMcode(), symbol->GetMcode());
        EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
        back->SetWnd(chart);
        back->CalcSteps();
        back->UpdateText();
        EXPECT_EQ(back->GetSteps(), symbol->GetSteps());
        EXPECT_EQ(back->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(back->GetErrorState(), symbol->GetErrorState());
    }
}

TEST_F(CodeStoredFormTest, CutShortInputIsRefused)
{
    for (UINT tool = ID_TOOL_CODE_DRV; tool <= ID_TOOL_CODE_MCODE; ++tool) {
        std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, CPoint(100, 50), chart);
        const QByteArray bytes = StoredBytes(symbol.get());
        for (int cut : {1, 4, 7, 23}) {
            CArchive in(bytes.left(bytes.size() - cut));
            EXPECT_THROW(in.ReadOwned<CObject>(), ArchiveError) << tool << " cut " << cut;
        }
    }
}
