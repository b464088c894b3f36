// The stored forms of the function-instruction symbols, new and filled:
// golden bytes built from fragments, read back with their class, damaged
// input.
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
#include "symbols/FlowSymbolTestSupport.h"
#include "support/StoredFragments.h"
#include "symbols/SymbolTextCases.h"

using kt::test::CaseMaker;
using kt::test::LoadStored;
using kt::test::StoredBytes;
using namespace kt::test::hex;

namespace {

using Made = std::unique_ptr<CHOXSymbol>;

// The symbol part of a function symbol in a chart: no comment, both display
// flags, category 2, state 0, an input and an output pin.
QByteArray SymbolPart(const char* cls, const char* caption, const char* label)
{
    return NewClass(cls) + kIdAndBounds + Str(caption) + "00" + I32(1) + Str(label) + I32(1) + I32(2) + I32(0) +
           "0200" + NewClass("CHOXPin") + kInputPin0 + "0380" + kOutputPin1;
}

const QByteArray kEmpty = Device(0, 0, -1);

QString T(const char* text) { return QString::fromLatin1(text); }

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
    CaseMaker make;
    const char* cls;
    const char* caption;
    const char* label;
    QByteArray own; // the class's own part after the symbol part
};

// clang-format off
const StoredCase kCases[] = {
    {"REPEAT new", &Tool<ID_TOOL_FUNC_REPEAT>, "CHOXFuncRepeat", "REPEAT", "", kEmpty + I32(1)},
    {"REPEAT END filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncRepeat>(w);
         s->SetFromInstruction(T("D7V3"));
         s->SetFromInstruction(QString());
         return s;
     },
     "CHOXFuncRepeat", "REPEAT END", " ", Device(1, 0, 7, 1, 3) + I32(0)},
    {"MOVE new", &Tool<ID_TOOL_FUNC_MOVE>, "CHOXFuncMove", "MOVE", "\n", kEmpty + kEmpty + I32(0) + I32(0)},
    {"DMOV filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("DMOV"), T("K-100000"), T("DD20"));
         return s;
     },
     "CHOXFuncMove", "MOVE", "K-100000\nDD20", Device(3, 0, -100000) + Device(2, 0, 20) + I32(0) + I32(1)},
    {"MMOV filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncMove>(w);
         s->SetFromInstruction(T("MMOV"), T("K4X20"), T("DD0Z7"));
         return s;
     },
     "CHOXFuncMove", "MAGNIFICATION MOVE", "K4X20\nDD0Z7", Device(6, 4, 20) + Device(2, 0, 0, 2, 7) + I32(1) + I32(0)},
    {"BIN - BCD new", &Tool<ID_TOOL_FUNC_BCDBIN>, "CHOXFuncBcdBin", "BIN - BCD", "\n",
     kEmpty + kEmpty + I32(1) + I32(0)},
    {"DBIN filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncBcdBin>(w);
         s->SetFromInstruction(T("DBIN"), T("K8M100"), T("DD2"));
         return s;
     },
     "CHOXFuncBcdBin", "BCD - BIN", "K8M100\nDD2", Device(5, 8, 100) + Device(2, 0, 2) + I32(0) + I32(1)},
    {"ARITHMETIC new", &Tool<ID_TOOL_FUNC_ARTH>, "CHOXFuncArth", "ARITHMETIC", "",
     kEmpty + kEmpty + kEmpty + I32(0) + I32(0)},
    {"DDIV filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DDIV"), T("DD0"), T("HFFFF"), T("DD4"));
         return s;
     },
     "CHOXFuncArth", "DIVISION", "DD4=DD0/HFFFF",
     Device(2, 0, 0) + Device(4, 0, 0xFFFF) + Device(2, 0, 4) + I32(3) + I32(1)},
    {"DEC filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncArth>(w);
         s->SetFromInstruction(T("DEC"), T("Z3"), QString(), QString());
         return s;
     },
     "CHOXFuncArth", "DECREMENT", "Z3=  --Z3", Device(9, 0, 3) + kEmpty + kEmpty + I32(5) + I32(0)},
    {"LOGICAL new", &Tool<ID_TOOL_FUNC_LOGICAL>, "CHOXFuncLogical", "LOGICAL", "= WAND ",
     kEmpty + kEmpty + kEmpty + I32(0) + I32(0)},
    {"DXOR filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncLogical>(w);
         s->SetFromInstruction(T("DXOR"), T("DD0"), T("V2"), T("DD8"));
         return s;
     },
     "CHOXFuncLogical", "LOGICAL WXOR", "DD8=DD0 WXOR V2",
     Device(2, 0, 0) + Device(8, 0, 2) + Device(2, 0, 8) + I32(2) + I32(1)},
    {"X-ABSOLUTE new", &Tool<ID_TOOL_FUNC_ABS>, "CHOXFuncAbs", "X-ABSOLUTE", "XAB", I32(1)},
    {"Y-ABSOLUTE filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncAbs>(w);
         s->SetFromInstruction(T("YAB"));
         return s;
     },
     "CHOXFuncAbs", "Y-ABSOLUTE", "YAB", I32(0)},
    {"EXT new", &Tool<ID_TOOL_FUNC_EXT>, "CHOXFuncExt", "EXTERNAL DIGITAL SWITCH", "\n\n\n",
     kEmpty + kEmpty + kEmpty + kEmpty + I32(0)},
    {"DEXT filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncExt>(w);
         s->SetFromInstruction(T("DEXT"), T("X10"), T("Y4"), T("DD100"), T("K8"));
         return s;
     },
     "CHOXFuncExt", "EXTERNAL DIGITAL SWITCH", "X10\nY4\nDD100\nK8",
     Device(10, 0, 10) + Device(11, 0, 4) + Device(2, 0, 100) + Device(3, 0, 8) + I32(1)},
    {"SEGL new", &Tool<ID_TOOL_FUNC_SEGL>, "CHOXFuncSegl", "SEGMENT DISPLAY", "\n\n\n",
     kEmpty + kEmpty + kEmpty + kEmpty + I32(0)},
    {"SEGL filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncSegl>(w);
         s->SetFromInstruction(T("SEGL"), T("D0"), T("Y10"), T("K4"), T("H3"));
         return s;
     },
     "CHOXFuncSegl", "SEGMENT DISPLAY", "D0\nY10\nK4\nH3",
     Device(1, 0, 0) + Device(11, 0, 10) + Device(3, 0, 4) + Device(4, 0, 3) + I32(0)},
    {"SET new", &Tool<ID_TOOL_FUNC_SETRST>, "CHOXFuncSetRst", "SET", "", kEmpty + I32(1)},
    {"RESET filled", [](CHOXWnd* w) -> Made {
         auto s = New<CHOXFuncSetRst>(w);
         s->SetFromInstruction(T("RST"), T("M3071"));
         return s;
     },
     "CHOXFuncSetRst", "RESET", "M3071", Device(12, 0, 3071) + I32(0)},
};
// clang-format on

class FuncStoredFormTest : public kt::test::FlowDocTest {};

} // namespace

TEST_F(FuncStoredFormTest, EveryClassNewAndFilled)
{
    MakeDocument(2);
    for (const StoredCase& c : kCases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CHOXSymbol> symbol = c.make(chart);
        symbol->SetId(5);
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
        EXPECT_EQ(back->GetCategory(), 2);
        EXPECT_EQ(back->GetCode(), symbol->GetCode());
        EXPECT_EQ(StoredBytes(back.get()).toHex(), expected);
        back->SetWnd(chart);
        back->CalcSteps();
        back->UpdateText();
        EXPECT_EQ(back->GetSteps(), symbol->GetSteps());
        EXPECT_EQ(back->GetLabel(), QString::fromLatin1(c.label));
        EXPECT_EQ(back->GetErrorState(), symbol->GetErrorState());
    }
}

TEST_F(FuncStoredFormTest, CutShortInputIsRefused)
{
    for (UINT tool = ID_TOOL_FUNC_REPEAT; tool <= ID_TOOL_FUNC_SETRST; ++tool) {
        std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, CPoint(100, 50), chart);
        const QByteArray bytes = StoredBytes(symbol.get());
        for (int cut : {1, 4, 7, 23}) {
            CArchive in(bytes.left(bytes.size() - cut));
            EXPECT_THROW(in.ReadOwned<CObject>(), ArchiveError) << tool << " cut " << cut;
        }
    }
}
