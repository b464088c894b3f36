// The positioning codes, option by option: addressing, every compensation
// kind with its used flags, the end check, attached M codes, DRVZ options, the
// radius and centre forms of the circle.
#include "symbols/SymbolTextCases.h"

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

#include <gtest/gtest.h>

namespace kt::test {
namespace {

using Made = std::unique_ptr<CHOXSymbol>;
constexpr BYTE kMovc = CHOXCompSetting::kMovc;
constexpr BYTE kRadc = CHOXCompSetting::kRadc;
constexpr BYTE kCntc = CHOXCompSetting::kCntc;
constexpr BYTE kCanc = CHOXCompSetting::kCanc;

template <class T>
std::unique_ptr<T> New(CHOXWnd* wnd)
{
    return std::make_unique<T>(CPoint(100, 50), wnd);
}

CHOXDataReg R(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

CHOXCompSetting C(BYTE kind, int used1, int used2, const char* op1 = "0", const char* op2 = "0")
{
    CHOXCompSetting comp;
    comp.SetKind(kind);
    comp.SetOperand1Used(used1);
    comp.SetOperand2Used(used2);
    comp.SetOperand1Text(QString::fromLatin1(op1));
    comp.SetOperand2Text(QString::fromLatin1(op2));
    return comp;
}

template <class T>
void Attach(T& symbol, BYTE mcode)
{
    symbol.SetMcodeMode(1);
    symbol.SetMcode(mcode);
}

// clang-format off
const SymbolTextCase kCases[] = {
    // LINE.
    {"LINE: addressing, MOVC, both axes, speed, M code, end check", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetAddressing(1, 1);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kMovc, 1, 1, "100", "200"));
         s->SetX(R("100")); s->SetY(R("200"));
         s->SetSpeedUsed(1); s->SetSpeed(R("1000"));
         Attach(*s, 5);
         s->SetEndCheck(1);
         return s;
     },
     "cod91(INC);\ncod73(MOVC) x100 y200;\ncod01(LIN) x100 y200 f1000 m5;\ncod09(CHK);", 20,
     "INC\nMOVC X100 Y200\nX = 100\nY = 200\nf = 1000\nm 5\nCHK",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetAddressing(1, 1);
         s->SetCompensation(C(kMovc, 1, 1, "100", "200"));
         s->SetEndCheck(1);
         s->SetFromText("LIN", 1, 1, 1, 1, 5, "100", "200", "1000");
         return s;
     }},
    {"LINE: one axis, X alone", 0,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeLine>(w); s->SetX(R("100")); return s; },
     "\ncod01(LIN) x100 ;\n", 4, "X = 100",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetFromText("LIN", 1, 0, 0, 0, 1, "100", "", "");
         return s;
     }},
    {"LINE: CNTC with its first operand", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCntc, 1, 0, "10"));
         s->SetX(R("100")); s->SetY(R("200"));
         s->SetSpeedUsed(1); s->SetSpeed(R("1000"));
         return s;
     },
     "\ncod74(CNTC) i10 ;\ncod01(LIN) x100 y200 f1000 ;\n", 12, "CNTC i10 \nX = 100\nY = 200\nf = 1000",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetCompensation(C(kCntc, 1, 0, "10"));
         s->SetFromText("LIN", 1, 1, 0, 1, 1, "100", "200", "1000");
         return s;
     }},
    {"LINE: absolute, RADC, Y alone", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetAddressing(1, 0);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kRadc, 1, 0, "-50"));
         s->SetXUsed(0);
         s->SetY(R("200"));
         return s;
     },
     "cod90(ABS);\ncod75(RADC) r-50;\ncod01(LIN) y200 ;\n", 10, "ABS\nRADC r-50\nY = 200",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetAddressing(1, 0);
         s->SetCompensation(C(kRadc, 1, 0, "-50"));
         s->SetFromText("LIN", 0, 1, 0, 0, 1, "", "200", "");
         return s;
     }},
    {"LINE: interrupt form on one axis, CANC", 0,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetInterrupt(1);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCanc, 1, 1));
         s->SetX(R("100"));
         s->SetSpeedUsed(1); s->SetSpeed(R("1000"));
         Attach(*s, 5);
         return s;
     },
     "\ncod76(CANC);\ncod31(INT) x100 f1000 m5;\n", 10, "CANC\nX = 100\nf = 1000\nm 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetCompensation(C(kCanc, 1, 1));
         s->SetFromText("INT", 1, 0, 1, 1, 5, "100", "", "1000");
         return s;
     }},
    {"LINE: registers, MOVC of X, end check", 0,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kMovc, 1, 0, "100"));
         s->SetX(R("D100"));
         s->SetSpeedUsed(1); s->SetSpeed(R("DD10"));
         s->SetEndCheck(1);
         return s;
     },
     "\ncod73(MOVC) x100 ;\ncod01(LIN) xD100 fDD10 ;\ncod09(CHK);", 12, "MOVC X100 \nX = D100\nf = DD10\nCHK",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetCompensation(C(kMovc, 1, 0, "100"));
         s->SetEndCheck(1);
         s->SetFromText("LIN", 1, 0, 0, 1, 1, "D100", "", "DD10");
         return s;
     }},
    {"LINE: incremental, Y with an index and an M code", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetAddressing(1, 1);
         s->SetXUsed(0);
         s->SetY(R("D7Z2"));
         Attach(*s, 9);
         return s;
     },
     "cod91(INC);\ncod01(LIN) yD7Z2 m9;\n", 8, "INC\nY = D7Z2\nm 9"},
    {"LINE: a speed without an axis is not written", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeLine>(w);
         s->SetXUsed(0); s->SetYUsed(0);
         s->SetSpeedUsed(1); s->SetSpeed(R("500"));
         return s;
     },
     "\ncod01(LIN) ;\n", 2, "f = 500", nullptr, "LINE with no axis: refused as written"},

    // DRIVE.
    {"DRIVE: both axes with their speeds", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetX(R("100")); s->SetY(R("50"));
         s->SetXSpeedUsed(1); s->SetXSpeed(R("2000"));
         s->SetYSpeedUsed(1); s->SetYSpeed(R("1000"));
         return s;
     },
     "cod00(DRV) x100 f2000 y50 f1000;", 10, "X = 100\nY = 50\nfx = 2000\nfy = 1000",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetFromText("DRV", 1, 1, 0, 1, 1, 1, "100", "50", "2000", "1000");
         return s;
     }},
    {"DRIVE: one axis with speed and M code", 0,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetX(R("100"));
         s->SetXSpeedUsed(1); s->SetXSpeed(R("2000"));
         Attach(*s, 5);
         return s;
     },
     "cod00(DRV) x100 f2000 m5;", 8, "X = 100\nfx = 2000\nm 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetFromText("DRV", 1, 0, 1, 1, 0, 5, "100", "", "2000", "");
         return s;
     }},
    {"DRIVE: CANC, Y alone with its speed", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCanc, 1, 0));
         s->SetXUsed(0);
         s->SetYUsed(1); s->SetY(R("50"));
         s->SetYSpeedUsed(1); s->SetYSpeed(R("1000"));
         return s;
     },
     "cod76(CANC) ;\ncod00(DRV) y50 f1000;", 8, "CANC\nY = 50\nfy = 1000",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetCompensation(C(kCanc, 1, 0));
         s->SetFromText("DRV", 0, 1, 0, 0, 1, 1, "", "50", "", "1000");
         return s;
     }},
    {"DRIVE: absolute, MOVC of X, registers", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetAddressing(1, 0);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kMovc, 1, 0, "1"));
         s->SetX(R("D100")); s->SetY(R("DD200"));
         return s;
     },
     "cod90(ABS);\ncod73(MOVC) x1 ;\ncod00(DRV) xD100 yDD200;", 12, "ABS\nMOVC X1 \nX = D100\nY = DD200",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetAddressing(1, 0);
         s->SetCompensation(C(kMovc, 1, 0, "1"));
         s->SetFromText("DRV", 1, 1, 0, 0, 0, 1, "D100", "DD200", "", "");
         return s;
     }},
    {"DRIVE: incremental, RADC", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetAddressing(1, 1);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kRadc, 1, 1, "5", "7"));
         s->SetX(R("10"));
         s->SetYUsed(0);
         return s;
     },
     "cod91(INC);\ncod75(RADC) r5;\ncod00(DRV) x10;", 10, "INC\nRADC r5\nX = 10",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetAddressing(1, 1);
         s->SetCompensation(C(kRadc, 1, 1, "5", "7"));
         s->SetFromText("DRV", 1, 0, 0, 0, 0, 1, "10", "", "", "");
         return s;
     }},
    {"DRIVE: CNTC with both operands", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCntc, 1, 1, "1", "2"));
         s->SetX(R("10")); s->SetY(R("20"));
         return s;
     },
     "cod74(CNTC) i1 j2;\ncod00(DRV) x10 y20;", 12, "CNTC i1 j2\nX = 10\nY = 20"},
    {"DRIVE: a speed stands only behind its own axis", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeDrv>(w);
         s->SetXUsed(0);
         s->SetXSpeedUsed(1); s->SetXSpeed(R("300"));
         s->SetY(R("20"));
         return s;
     },
     "cod00(DRV) y20;", 4, "Y = 20\nfx = 300"},

    // CIRCULAR.
    {"CIR: incremental, centre form, speed, M code, end check", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetAddressing(1, 1);
         s->SetX(R("10")); s->SetY(R("20"));
         s->SetCentreForm(1);
         s->SetCentreIOrRadius(R("5")); s->SetCentreJ(R("5"));
         s->SetSpeedUsed(1); s->SetSpeed(R("100"));
         Attach(*s, 5);
         s->SetEndCheck(1);
         return s;
     },
     "cod91(INC);\ncod02(CW) x10  y20 i5 j5 f100 m5;\ncod09(CHK);", 18,
     "INC\nX = 10\nY = 20\ni = 5\nj = 5\nf = 100\nm 5\nCHK",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetAddressing(1, 1);
         s->SetEndCheck(1);
         s->SetFromText("CW", 1, 1, 1, 1, 1, 0, 1, 5, "10", "20", "100", "5", "5", "");
         return s;
     }},
    {"CIR: counter-clockwise by radius, a speed without an axis", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetClockwise(0);
         s->SetXUsed(0); s->SetYUsed(0);
         s->SetCentreIOrRadius(R("10"));
         s->SetSpeedUsed(1); s->SetSpeed(R("100"));
         return s;
     },
     "\ncod03(CCW) r10 f100 ;\n", 6, "r = 10\nf = 100",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetFromText("CCW", 0, 0, 0, 0, 0, 1, 1, 1, "", "", "100", "", "", "10");
         return s;
     }},
    {"CIR: RADC, X and the radius", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kRadc, 1, 0, "5"));
         s->SetX(R("10"));
         s->SetYUsed(0);
         s->SetCentreIOrRadius(R("20"));
         return s;
     },
     "\ncod75(RADC) r5;\ncod02(CW) x10  r20 ;\n", 10, "RADC r5\nX = 10\nr = 20",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetCompensation(C(kRadc, 1, 0, "5"));
         s->SetFromText("CW", 1, 0, 0, 0, 0, 1, 0, 1, "10", "", "", "", "", "20");
         return s;
     }},
    {"CIR: CNTC of j, counter-clockwise by centre", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetClockwise(0);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCntc, 0, 1, "0", "5"));
         s->SetXUsed(0);
         s->SetY(R("20"));
         s->SetCentreForm(1);
         s->SetCentreIOrRadius(R("5")); s->SetCentreJ(R("5"));
         return s;
     },
     "\ncod74(CNTC) j5;\ncod03(CCW) y20 i5 j5 ;\n", 12, "CNTC j5\nY = 20\ni = 5\nj = 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetCompensation(C(kCntc, 0, 1, "0", "5"));
         s->SetFromText("CCW", 0, 1, 0, 1, 1, 0, 0, 1, "", "20", "", "5", "5", "");
         return s;
     }},
    {"CIR: MOVC is counted but not written", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kMovc, 1, 1, "1", "2"));
         s->SetX(R("10")); s->SetY(R("20"));
         s->SetCentreIOrRadius(R("5"));
         return s;
     },
     "\ncod02(CW) x10  y20 r5 ;\n", 14, "X = 10\nY = 20\nr = 5", nullptr,
     "CIR with MOVC compensation counts it but writes nothing"},
    {"CIR: CANC, centre j alone", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeCir>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCanc, 1, 1));
         s->SetX(R("10")); s->SetY(R("20"));
         s->SetCentreForm(1);
         s->SetIUsed(0);
         s->SetCentreJ(R("-3"));
         return s;
     },
     "\ncod76(CANC) ;\ncod02(CW) x10  y20 j-3 ;\n", 10, "CANC\nX = 10\nY = 20\nj = -3"},

    // TIMER.
    {"TIMER: a constant", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetTime(R("100")); return s; },
     "cod04(TIM) K100;", 4, "T = 100",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetFromText(1, 0, "100"); return s; }},
    {"TIMER: with an M code", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetTime(R("100")); Attach(*s, 5); return s; },
     "cod04(TIM) K100 m5 ;", 6, "T = 100\nm 5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetFromText(5, 1, "100"); return s; }},
    {"TIMER: a register, still behind K", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetTime(R("D100")); return s; },
     "cod04(TIM) KD100;", 4, "T = D100",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeTime>(w); s->SetFromText(1, 0, "D100"); return s; }},

    // CHK.
    {"CHK", 1, [](CHOXWnd* w) -> Made { return New<CHOXCodeChk>(w); }, "cod09(CHK);", 2, "",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeChk>(w); s->SetFromText(1, 0); return s; }},
    {"CHK: with an M code", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeChk>(w); Attach(*s, 5); return s; },
     "cod09(CHK) m5;", 4, "m 5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeChk>(w); s->SetFromText(5, 1); return s; }},

    // DRIVE TO ZERO.
    {"DRVZ: X alone", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetReturnOption(0); return s; },
     "SET M9024;\ncod28(DRVZ);\nRST M9024;", 6, "Return x\n",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetFromText(1, 0, 0); return s; }},
    {"DRVZ: Y alone with an M code", 0,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetReturnOption(1); Attach(*s, 5); return s; },
     "SET M9008;\ncod28(DRVZ) m5;\nRST M9008;", 8, "Return y\n m5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetFromText(5, 1, 1); return s; }},
    {"DRVZ: plain", 1, [](CHOXWnd* w) -> Made { return New<CHOXCodeDrvz>(w); },
     "cod28(DRVZ);", 2, "Return 0\n",
     // Any other option is plain; without an M code its number is not taken.
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetFromText(9, 5, 0); return s; }},
    {"DRVZ: plain with an M code", 2,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); Attach(*s, 12); return s; },
     "cod28(DRVZ) m12;", 4, "Return 0\n m12",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeDrvz>(w); s->SetFromText(12, 2, 1); return s; }},

    // SETR and DRVR.
    {"DRVR with an M code", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetrDrvr>(w); Attach(*s, 5); return s; },
     "cod30(DRVR) m5 ;", 4, " m5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetrDrvr>(w); s->SetFromText("DRVR", 1, 5); return s; }},
    {"SETR", 1, [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetrDrvr>(w); s->SetKind(0); return s; },
     "cod29(SETR) ;", 2, "",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetrDrvr>(w); s->SetFromText("SETR", 0, 1); return s; }},

    // INTERRUPT.
    {"INT: two-step with MOVC of X and an M code", 0,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kMovc, 1, 0, "100"));
         s->SetDistance(R("100")); s->SetSpeed1(R("1000")); s->SetSpeed2(R("2000"));
         Attach(*s, 5);
         return s;
     },
     "cod73(MOVC) x100 ;\ncod72(DINT)  x100  f1000  f2000 m5;", 14,
     "MOVC X100 \nX Distance  100\nSpeed1  1000\nSpeed2  2000\nm 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetCompensation(C(kMovc, 1, 0, "100"));
         s->SetFromText("DINT", 1, "100", "1000", "2000", 1, 5);
         return s;
     }},
    {"INT: one-step on Y", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetTwoStep(0);
         s->SetYAxis(1);
         s->SetDistance(R("100")); s->SetSpeed1(R("1000"));
         return s;
     },
     "cod71(SINT)  y100  f1000;", 6, "Y Distance  100\nSpeed1  1000",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetFromText("SINT", 0, "100", "1000", "", 0, 1);
         return s;
     }},
    {"INT: one-step with CANC and an M code", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetTwoStep(0);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCanc, 1, 1));
         s->SetDistance(R("100")); s->SetSpeed1(R("1000"));
         Attach(*s, 7);
         return s;
     },
     "cod76(CANC);\ncod71(SINT)  x100  f1000 m7;", 10, "CANC\nX Distance  100\nSpeed1  1000\nm 7",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetCompensation(C(kCanc, 1, 1));
         s->SetFromText("SINT", 1, "100", "1000", "", 1, 7);
         return s;
     }},
    {"INT: RADC is counted but not written", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetTwoStep(0);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kRadc, 1, 0, "5"));
         s->SetDistance(R("100")); s->SetSpeed1(R("1000"));
         return s;
     },
     "cod71(SINT)  x100  f1000;", 8, "RADC r5\nX Distance  100\nSpeed1  1000", nullptr,
     "INT with RADC or CNTC compensation counts 2 but writes nothing"},
    {"INT: CNTC is counted but not written", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeInt>(w);
         s->SetCompensationOn(1);
         s->SetCompSetting(C(kCntc, 1, 1, "1", "2"));
         s->SetDistance(R("D100")); s->SetSpeed1(R("10")); s->SetSpeed2(R("20"));
         return s;
     },
     "cod72(DINT)  xD100  f10  f20;", 10, "CNTC i1 j2\nX Distance  D100\nSpeed1  10\nSpeed2  20", nullptr,
     "INT with RADC or CNTC compensation counts 2 but writes nothing"},

    // COMPENSATION.
    {"COMPENSATION: MOVC of both with an M code", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetCompSetting(C(kMovc, 1, 1, "10", "20"));
         Attach(*s, 5);
         return s;
     },
     "cod73(MOVC) x10 y20 m5;\n", 8, "x = 10\ny = 20\nm5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetFromText("MOVC", 'x', 1, 1, 1, "10", "20", 5);
         return s;
     }},
    {"COMPENSATION: MOVC of X", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeComp>(w); s->SetCompSetting(C(kMovc, 1, 0, "-7")); return s; },
     "cod73(MOVC) x-7;\n", 4, "x = -7",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetFromText("MOVC", 'x', 1, 0, 0, "-7", "", 1);
         return s;
     }},
    {"COMPENSATION: RADC", 2,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeComp>(w); s->SetCompSetting(C(kRadc, 1, 0, "5")); return s; },
     "cod75(RADC) r5;\n", 4, "r = 5",
     // The radius reads no second text.
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetFromText("RADC", 'r', 1, 0, 0, "5", "99", 1);
         return s;
     }},
    {"COMPENSATION: CNTC of both", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetCompSetting(C(kCntc, 1, 1, "5", "5"));
         return s;
     },
     "cod74(CNTC) i5 j5;\n", 6, "i = 5\nj = 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetFromText("CNTC", 'i', 1, 1, 0, "5", "5", 1);
         return s;
     }},
    {"COMPENSATION: CNTC of j", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetCompSetting(C(kCntc, 0, 1, "0", "D5"));
         return s;
     },
     "cod74(CNTC) jD5;\n", 4, "j = D5"},
    {"COMPENSATION: CANC with an M code", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetCompSetting(C(kCanc, 1, 0));
         Attach(*s, 5);
         return s;
     },
     "cod76(CANC) m5;\n", 4, "m5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeComp>(w);
         s->SetFromText("CANC", 'x', 1, 0, 1, "", "", 5);
         return s;
     }},
    {"COMPENSATION: MOVC without an operand", 2,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeComp>(w); s->SetCompSetting(C(kMovc, 0, 0)); return s; },
     "cod73(MOVC);\n", 0, "", nullptr, "COMPENSATION without an operand counts 0, refused as written"},
    {"COMPENSATION: CNTC without an operand", 2,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeComp>(w); s->SetCompSetting(C(kCntc, 0, 0)); return s; },
     "cod74(CNTC);\n", 0, "", nullptr, "COMPENSATION without an operand counts 0, refused as written"},

    // INCREMENTAL or ABSOLUTE.
    {"INC with an M code", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeIncAbs>(w); s->SetIncremental(1); Attach(*s, 5); return s; },
     "cod91(INC) m5;\n", 4, "m5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeIncAbs>(w); s->SetFromText("INC", 1, 5); return s; }},
    {"ABS", 1, [](CHOXWnd* w) -> Made { return New<CHOXCodeIncAbs>(w); }, "cod90(ABS);\n", 2, "",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeIncAbs>(w); s->SetFromText("ABS", 0, 1); return s; }},

    // SET ADDRESS.
    {"SET ADDRESS: both axes with an M code", 2,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetX(R("100")); s->SetY(R("200"));
         Attach(*s, 5);
         return s;
     },
     "cod92(SET) x100 y200 m5;\n", 8, "x = 100\ny = 200\nm 5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetFromText(1, 1, 1, "100", "200", 5);
         return s;
     }},
    {"SET ADDRESS: one axis drops Y", 0,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetAddr>(w); s->SetX(R("100")); return s; },
     "cod92(SET) x100;\n", 4, "x = 100",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetFromText(1, 1, 0, "100", "200", 1);
         return s;
     }},
    {"SET ADDRESS: Y alone", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetXUsed(0); s->SetYUsed(1); s->SetY(R("-1"));
         return s;
     },
     "cod92(SET) y-1;\n", 4, "y = -1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXCodeSetAddr>(w);
         s->SetFromText(0, 1, 0, "", "-1", 1);
         return s;
     }},
    {"SET ADDRESS: no axis", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeSetAddr>(w); s->SetXUsed(0); return s; },
     "cod92(SET);\n", 0, "", nullptr, "SET ADDRESS without an axis counts 0, refused as written"},

    // MCODE.
    {"MCODE 0 waits", 1, [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(0); return s; },
     "m00(WAIT);", 2, "m00",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetFromText(0); return s; }},
    {"MCODE 5", 1, [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(5); return s; },
     "m05;", 2, "m05",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetFromText(5); return s; }},
    {"MCODE 10", 1, [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(10); return s; },
     "m10;", 2, "m10"},
    {"MCODE 99", 1, [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(99); return s; },
     "m99;", 2, "m99",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetFromText(99); return s; }},
    {"MCODE 100 waits for the subtask", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetNumber(100); return s; },
     "m100(SWAIT);", 2, "m100",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXCodeMcode>(w); s->SetFromText(100); return s; }},
};
// clang-format on

} // namespace

std::span<const SymbolTextCase> CodeSymbolTextCases() { return kCases; }

} // namespace kt::test
