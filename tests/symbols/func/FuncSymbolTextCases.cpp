// The function instructions, class by class and kind by kind: 16 and 32 bits,
// the mixed widths of MMOV and RMOV, the operand places of INC, DEC and NEG,
// the one blank after BIN and INC, SET and RST.
#include "symbols/SymbolTextCases.h"

#include "symbols/func/HOXFuncAbs.h"
#include "symbols/func/HOXFuncArth.h"
#include "symbols/func/HOXFuncBcdBin.h"
#include "symbols/func/HOXFuncExt.h"
#include "symbols/func/HOXFuncLogical.h"
#include "symbols/func/HOXFuncMove.h"
#include "symbols/func/HOXFuncRepeat.h"
#include "symbols/func/HOXFuncSegl.h"
#include "symbols/func/HOXFuncSetRst.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

using Made = std::unique_ptr<CHOXSymbol>;

template <class T>
std::unique_ptr<T> New(CHOXWnd* wnd)
{
    return std::make_unique<T>(CPoint(100, 50), wnd);
}

CHOXSelectVal V(const char* text)
{
    CHOXSelectVal value;
    QString message;
    EXPECT_TRUE(value.Parse(QString::fromLatin1(text), message)) << text;
    return value;
}

QString T(const char* text) { return QString::fromLatin1(text); }

// A move, code conversion, arithmetic or logical symbol by hand.
template <class T>
Made Two(CHOXWnd* w, int kind, int is32Bit, const char* source, const char* destination)
{
    auto s = New<T>(w);
    s->SetKind(kind);
    s->Set32Bit(is32Bit);
    s->SetSource(V(source));
    s->SetDestination(V(destination));
    s->SetCaptionForKind();
    return s;
}

template <class T>
Made Three(CHOXWnd* w, int kind, int is32Bit, const char* source1, const char* source2, const char* destination)
{
    auto s = New<T>(w);
    s->SetKind(kind);
    s->Set32Bit(is32Bit);
    if (*source1 != '\0') s->SetSource1(V(source1));
    if (*source2 != '\0') s->SetSource2(V(source2));
    if (*destination != '\0') s->SetDestination(V(destination));
    s->SetCaptionForKind();
    return s;
}

template <class T>
Made Four(CHOXWnd* w, int is32Bit, const char* op1, const char* op2, const char* op3, const char* op4)
{
    auto s = New<T>(w);
    s->Set32Bit(is32Bit);
    const char* ops[] = {op1, op2, op3, op4};
    for (int i = 0; i < 4; ++i) s->SetOperand(i, V(ops[i]));
    return s;
}

// clang-format off
const SymbolTextCase kCases[] = {
    // REPEAT: a constant count is always 16 bits.
    {"RPT K10", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncRepeat>(w); s->SetCount(V("K10")); return s; },
     "RPT(FNC08)  K10;", 5, "K10",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncRepeat>(w); s->SetFromInstruction(T("K10")); return s; }},
    {"RPT D5", 0,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncRepeat>(w); s->SetCount(V("D5")); return s; },
     "RPT(FNC08)  D5;", 4, "D5",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncRepeat>(w); s->SetFromInstruction(T("D5")); return s; }},
    {"RPE", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncRepeat>(w);
         s->SetKind(CHOXFuncRepeat::kRpe);
         s->SetCaptionForKind();
         return s;
     },
     "RPE(FNC09) ;", 2, " ",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncRepeat>(w); s->SetFromInstruction(QString()); return s; }},

    // MOVE.
    {"MOV K100 D10", 1, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 0, 0, "K100", "D10"); },
     "MOV(FNC12)  K100 D10;", 7, "K100\nD10",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("MOV"), T("K100"), T("D10"));
         return s;
     }},
    {"DMOV DD0 DD2", 1, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 0, 1, "DD0", "DD2"); },
     "DMOV(FNC12)  DD0 DD2;", 6, "DD0\nDD2",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("DMOV"), T("DD0"), T("DD2"));
         return s;
     }},
    {"DMOV K100000 DD10", 2, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 0, 1, "K100000", "DD10"); },
     "DMOV(FNC12)  K100000 DD10;", 9, "K100000\nDD10"},
    {"MMOV widens a 16-bit source", 1, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 1, 0, "K1", "DD0"); },
     "MMOV(FNC13)  K1 DD0;", 7, "K1\nDD0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("MMOV"), T("K1"), T("DD0"));
         return s;
     }},
    {"RMOV narrows a 32-bit source, the flag 0", 1, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 2, 0, "K1", "D0"); },
     "RMOV(FNC14)  K1 D0;", 9, "K1\nD0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("RMOV"), T("K1"), T("D0"));
         return s;
     }},
    {"RMOV DD0 K4M0", 0, [](CHOXWnd* w) { return Two<CHOXFuncMove>(w, 2, 0, "DD0", "K4M0"); },
     "RMOV(FNC14)  DD0 K4M0;", 6, "DD0\nK4M0"},

    // BIN - BCD: BIN takes one blank.
    {"BCD D0 D1", 1, [](CHOXWnd* w) { return Two<CHOXFuncBcdBin>(w, 1, 0, "D0", "D1"); },
     "BCD(FNC18)  D0 D1;", 6, "D0\nD1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncBcdBin>(w);
         s->SetFromInstruction(T("BCD"), T("D0"), T("D1"));
         return s;
     }},
    {"BIN D0 D1", 1, [](CHOXWnd* w) { return Two<CHOXFuncBcdBin>(w, 0, 0, "D0", "D1"); },
     "BIN(FNC19) D0 D1;", 6, "D0\nD1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncBcdBin>(w);
         s->SetFromInstruction(T("BIN"), T("D0"), T("D1"));
         return s;
     }},
    {"DBIN DD0 DD2", 1, [](CHOXWnd* w) { return Two<CHOXFuncBcdBin>(w, 0, 1, "DD0", "DD2"); },
     "DBIN(FNC19)  DD0 DD2;", 6, "DD0\nDD2",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncBcdBin>(w);
         s->SetFromInstruction(T("DBIN"), T("DD0"), T("DD2"));
         return s;
     }},
    {"DBCD DD0 K8Y0", 2, [](CHOXWnd* w) { return Two<CHOXFuncBcdBin>(w, 1, 1, "DD0", "K8Y0"); },
     "DBCD(FNC18)  DD0 K8Y0;", 6, "DD0\nK8Y0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncBcdBin>(w);
         s->SetFromInstruction(T("DBCD"), T("DD0"), T("K8Y0"));
         return s;
     }},

    // ARITHMETIC: INC, DEC and NEG keep three operand places; INC takes one
    // blank after its name.
    {"ADD D0 K5 D2", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 0, 0, "D0", "K5", "D2"); },
     "ADD(FNC20)  D0 K5 D2;", 9, "D2=D0+K5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("ADD"), T("D0"), T("K5"), T("D2"));
         return s;
     }},
    {"DADD DD0 K100000 DD4", 2, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 0, 1, "DD0", "K100000", "DD4"); },
     "DADD(FNC20)  DD0 K100000 DD4;", 11, "DD4=DD0+K100000",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DADD"), T("DD0"), T("K100000"), T("DD4"));
         return s;
     }},
    {"SUB D0 D1 D2", 0, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 1, 0, "D0", "D1", "D2"); },
     "SUB(FNC21)  D0 D1 D2;", 8, "D2=D0-D1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("SUB"), T("D0"), T("D1"), T("D2"));
         return s;
     }},
    {"DSUB DD0 DD2 DD4", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 1, 1, "DD0", "DD2", "DD4"); },
     "DSUB(FNC21)  DD0 DD2 DD4;", 8, "DD4=DD0-DD2",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DSUB"), T("DD0"), T("DD2"), T("DD4"));
         return s;
     }},
    {"DMUL DD0 K3 DD4", 2, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 2, 1, "DD0", "K3", "DD4"); },
     "DMUL(FNC22)  DD0 K3 DD4;", 11, "DD4=DD0xK3",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DMUL"), T("DD0"), T("K3"), T("DD4"));
         return s;
     }},
    {"MUL D0 K3 D2", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 2, 0, "D0", "K3", "D2"); },
     "MUL(FNC22)  D0 K3 D2;", 9, "D2=D0xK3",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("MUL"), T("D0"), T("K3"), T("D2"));
         return s;
     }},
    {"DIV is 16 bits although it begins with D", 1,
     [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 3, 0, "D0", "D1", "D2"); },
     "DIV(FNC23)  D0 D1 D2;", 8, "D2=D0/D1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DIV"), T("D0"), T("D1"), T("D2"));
         return s;
     }},
    {"DDIV DD0 DD2 DD4", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 3, 1, "DD0", "DD2", "DD4"); },
     "DDIV(FNC23)  DD0 DD2 DD4;", 8, "DD4=DD0/DD2",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DDIV"), T("DD0"), T("DD2"), T("DD4"));
         return s;
     }},
    {"INC D5", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 4, 0, "D5", "", ""); },
     "INC(FNC24) D5  ;", 4, "D5= ++D5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("INC"), T("D5"), QString(), QString());
         return s;
     }},
    {"DINC DD5", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 4, 1, "DD5", "", ""); },
     "DINC(FNC24)  DD5  ;", 4, "DD5= ++DD5",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DINC"), T("DD5"), QString(), QString());
         return s;
     }},
    {"DEC is 16 bits although it begins with D", 0, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 5, 0, "D0", "", ""); },
     "DEC(FNC25)  D0  ;", 4, "D0=  --D0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DEC"), T("D0"), QString(), QString());
         return s;
     }},
    {"DDEC DD0", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 5, 1, "DD0", "", ""); },
     "DDEC(FNC25)  DD0  ;", 4, "DD0=  --DD0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DDEC"), T("DD0"), QString(), QString());
         return s;
     }},
    {"NEG D0", 1, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 6, 0, "D0", "", ""); },
     "NEG(FNC29)  D0  ;", 4, "D0=-D0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("NEG"), T("D0"), QString(), QString());
         return s;
     }},
    {"DNEG DD0", 2, [](CHOXWnd* w) { return Three<CHOXFuncArth>(w, 6, 1, "DD0", "", ""); },
     "DNEG(FNC29)  DD0  ;", 4, "DD0=-DD0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DNEG"), T("DD0"), QString(), QString());
         return s;
     }},

    // LOGICAL.
    {"WAND D0 H0 D1", 1, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 0, 0, "D0", "H0", "D1"); },
     "WAND(FNC26)  D0 H0 D1;", 9, "D1=D0 WAND H0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("WAND"), T("D0"), T("H0"), T("D1"));
         return s;
     }},
    {"WOR D0 D1 D2", 1, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 1, 0, "D0", "D1", "D2"); },
     "WOR(FNC27)  D0 D1 D2;", 8, "D2=D0 WOR D1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("WOR"), T("D0"), T("D1"), T("D2"));
         return s;
     }},
    {"WXOR K4M0 HFF D2", 0, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 2, 0, "K4M0", "HFF", "D2"); },
     "WXOR(FNC28)  K4M0 HFF D2;", 9, "D2=K4M0 WXOR HFF",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("WXOR"), T("K4M0"), T("HFF"), T("D2"));
         return s;
     }},
    {"DAND DD0 HFF DD2", 1, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 0, 1, "DD0", "HFF", "DD2"); },
     "DAND(FNC26)  DD0 HFF DD2;", 11, "DD2=DD0 WAND HFF",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("DAND"), T("DD0"), T("HFF"), T("DD2"));
         return s;
     }},
    {"DOR DD0 DD2 DD4", 2, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 1, 1, "DD0", "DD2", "DD4"); },
     "DOR(FNC27)  DD0 DD2 DD4;", 8, "DD4=DD0 WOR DD2",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("DOR"), T("DD0"), T("DD2"), T("DD4"));
         return s;
     }},
    {"DXOR DD0 K1 DD4", 1, [](CHOXWnd* w) { return Three<CHOXFuncLogical>(w, 2, 1, "DD0", "K1", "DD4"); },
     "DXOR(FNC28)  DD0 K1 DD4;", 11, "DD4=DD0 WXOR K1",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("DXOR"), T("DD0"), T("K1"), T("DD4"));
         return s;
     }},

    // ABSOLUTE: no operand.
    {"XAB", 1, [](CHOXWnd* w) -> Made { return New<CHOXFuncAbs>(w); },
     "XAB(FNC92)  ;", 2, "XAB",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncAbs>(w); s->SetFromInstruction(T("XAB")); return s; }},
    {"YAB", 1,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncAbs>(w);
         s->SetAbsAxis(CHOXFuncAbs::kYAxis);
         s->SetCaptionForKind();
         return s;
     },
     "YAB(FNC93)  ;", 2, "YAB",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncAbs>(w); s->SetFromInstruction(T("YAB")); return s; }},

    // EXTERNAL DIGITAL SWITCH and SEGMENT DISPLAY: digits and logic count
    // only as constants.
    {"EXT X0 Y0 D0 K4", 1, [](CHOXWnd* w) { return Four<CHOXFuncExt>(w, 0, "X0", "Y0", "D0", "K4"); },
     "EXT(FNC72)  X0 Y0 D0 K4;", 10, "X0\nY0\nD0\nK4",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncExt>(w);
         s->SetFromInstruction(T("EXT"), T("X0"), T("Y0"), T("D0"), T("K4"));
         return s;
     }},
    {"DEXT X0 Y0 DD0 K8", 1, [](CHOXWnd* w) { return Four<CHOXFuncExt>(w, 1, "X0", "Y0", "DD0", "K8"); },
     "DEXT(FNC72)  X0 Y0 DD0 K8;", 10, "X0\nY0\nDD0\nK8",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncExt>(w);
         s->SetFromInstruction(T("DEXT"), T("X0"), T("Y0"), T("DD0"), T("K8"));
         return s;
     }},
    {"SEGL D0 Y0 K1 K0", 1, [](CHOXWnd* w) { return Four<CHOXFuncSegl>(w, 0, "D0", "Y0", "K1", "K0"); },
     "SEGL(FNC74)  D0 Y0 K1 K0;", 10, "D0\nY0\nK1\nK0",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncSegl>(w);
         s->SetFromInstruction(T("SEGL"), T("D0"), T("Y0"), T("K1"), T("K0"));
         return s;
     }},
    {"DSEGL DD0 Y10 K8 K3", 2, [](CHOXWnd* w) { return Four<CHOXFuncSegl>(w, 1, "DD0", "Y10", "K8", "K3"); },
     "DSEGL(FNC74)  DD0 Y10 K8 K3;", 10, "DD0\nY10\nK8\nK3",
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncSegl>(w);
         s->SetFromInstruction(T("DSEGL"), T("DD0"), T("Y10"), T("K8"), T("K3"));
         return s;
     }},

    // SET and RESET.
    {"SET M10", 1,
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncSetRst>(w); s->SetOperand(V("M10")); return s; },
     "SET  M10;", 2, "M10",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncSetRst>(w); s->SetFromInstruction(T("SET"), T("M10")); return s; }},
    {"RST Y2", 0,
     [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncSetRst>(w);
         s->SetKind(CHOXFuncSetRst::kRst);
         s->SetOperand(V("Y2"));
         s->SetCaptionForKind();
         return s;
     },
     "RST  Y2;", 2, "Y2",
     [](CHOXWnd* w) -> Made { auto s = New<CHOXFuncSetRst>(w); s->SetFromInstruction(T("RST"), T("Y2")); return s; }},
};
// clang-format on

} // namespace

std::span<const SymbolTextCase> FuncSymbolTextCases() { return kCases; }

} // namespace kt::test
