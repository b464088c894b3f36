// The positioning-code symbols in documents of every controller type: what
// the palette's tools make, the program text, steps and labels of every
// option and the rebuild setters that give the same, the error state of
// registers beyond the file registers, the monitor window, and loading.
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
#include "chart/HOXPin.h"
#include "params/HOXParam.h"
#include "platform/CompoundFile.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/SymbolTextCases.h"

#include <QTemporaryDir>

#include <functional>
#include <map>

using kt::test::CodeSymbolTextCases;
using kt::test::SymbolTextCase;

namespace {

class CodeSymbolTest : public kt::test::FlowDocTest {
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

// The setters of these classes leave the count to the next recount.
bool SettersLeaveTheCount(const CHOXSymbol* symbol)
{
    return dynamic_cast<const CHOXCodeChk*>(symbol) != nullptr || dynamic_cast<const CHOXCodeCir*>(symbol) != nullptr ||
           dynamic_cast<const CHOXCodeComp*>(symbol) != nullptr || dynamic_cast<const CHOXCodeDrvz*>(symbol) != nullptr;
}

} // namespace

TEST_F(CodeSymbolTest, ProgramTextStepsAndLabelOfEveryOptionAndTheRebuildSetters)
{
    for (const SymbolTextCase& c : CodeSymbolTextCases()) {
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
        EXPECT_EQ(symbol->GetCategory(), 1);
        if (c.rebuild == nullptr) continue;

        CHOXSymbol* rebuilt = Add(c.rebuild(chart));
        EXPECT_EQ(rebuilt->GetLabel(), symbol->GetLabel());
        if (!SettersLeaveTheCount(rebuilt)) {
            EXPECT_EQ(rebuilt->GetSteps(), c.steps);
        }
        rebuilt->CalcSteps();
        EXPECT_EQ(rebuilt->GetSteps(), c.steps);
        EXPECT_EQ(rebuilt->GetCode(), symbol->GetCode());
        EXPECT_EQ(rebuilt->GetSymbolName(), symbol->GetSymbolName());
        EXPECT_EQ(rebuilt->GetMcodeMode(), symbol->GetMcodeMode());
        EXPECT_EQ(rebuilt->GetMcode(), symbol->GetMcode());
        EXPECT_EQ(rebuilt->GetCategory(), 1);
    }
}

TEST_F(CodeSymbolTest, EachToolMakesItsSymbolWithTheInitialValuesOfTheControllerType)
{
    enum { kType0 = 1, kType1 = 2, kType2 = 4, kAll = 7 };
    const struct {
        UINT tool;
        int types;
        int objectType;
        const char* caption;
        const char* label;
        const char* code;
        int steps;
    } cases[] = {
        {ID_TOOL_CODE_DRV, kType0 | kType1, 321, "DRIVE", "X = 0", "cod00(DRV) x0;", 4},
        {ID_TOOL_CODE_DRV, kType2, 321, "DRIVE", "X = 0\nY = 0", "cod00(DRV) x0 y0;", 6},
        {ID_TOOL_CODE_DRVZ, kAll, 326, "DRIVE TO ZERO", "Return 0\n", "cod28(DRVZ);", 2},
        {ID_TOOL_CODE_LINE, kType0, 322, "LINEAR 10QW", "X = 0", "\ncod01(LIN) x0 ;\n", 4},
        {ID_TOOL_CODE_LINE, kType1 | kType2, 322, "LINEAR", "X = 0\nY = 0", "\ncod01(LIN) x0 y0 ;\n", 6},
        {ID_TOOL_CODE_CIR, kAll, 323, "CIRCULAR CW", "X = 0\nY = 0\nr = 0", "\ncod02(CW) x0  y0 r0 ;\n", 8},
        {ID_TOOL_CODE_INCABS, kAll, 330, "ABSOLUTE", "", "cod90(ABS);\n", 2},
        {ID_TOOL_CODE_TIME, kAll, 324, "TIMER", "T = 1", "cod04(TIM) K1;", 4},
        {ID_TOOL_CODE_SETADDR, kType0 | kType1, 331, "SET ADDRESS", "x = 0", "cod92(SET) x0;\n", 4},
        {ID_TOOL_CODE_SETADDR, kType2, 331, "SET ADDRESS", "x = 0\ny = 0", "cod92(SET) x0 y0;\n", 6},
        {ID_TOOL_CODE_CHK, kAll, 325, "CHK", "", "cod09(CHK);", 2},
        {ID_TOOL_CODE_SETRDRVR, kAll, 327, "DRVR", "", "cod30(DRVR) ;", 2},
        {ID_TOOL_CODE_INT, kAll, 328, "TWO STEP INTERRUPT", "X Distance  0\nSpeed1  1\nSpeed2  1",
         "cod72(DINT)  x0  f1  f1;", 8},
        {ID_TOOL_CODE_COMP, kType0 | kType1, 329, "COMPENSATION", "x = 0", "cod73(MOVC) x0;\n", 4},
        {ID_TOOL_CODE_COMP, kType2, 329, "COMPENSATION", "x = 0\ny = 0", "cod73(MOVC) x0 y0;\n", 6},
        {ID_TOOL_CODE_MCODE, kAll, 332, "MCODE", "m01", "m01;", 2},
    };
    for (int type = 0; type <= 2; ++type) {
        MakeDocument(type);
        std::map<UINT, int> rows;
        for (const auto& c : cases) {
            if ((c.types & (1 << type)) == 0) continue;
            SCOPED_TRACE(::testing::Message() << "tool " << c.tool << " on type " << type);
            ++rows[c.tool];
            std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(c.tool, CPoint(100, 50), chart);
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetObjectType(), c.objectType);
            EXPECT_EQ(symbol->GetSymbolName(), QString::fromLatin1(c.caption));
            EXPECT_EQ(symbol->GetLabel(), QString::fromLatin1(c.label));
            EXPECT_EQ(symbol->GetCode(), QString::fromLatin1(c.code));
            EXPECT_EQ(symbol->GetSteps(), c.steps);
            EXPECT_EQ(symbol->GetCategory(), 1);
            EXPECT_EQ(symbol->GetState(), 0);
            EXPECT_EQ(symbol->GetErrorState(), 0);
            EXPECT_EQ(symbol->GetMcodeMode(), 0);
            EXPECT_EQ(symbol->GetMcode(), 1);
            EXPECT_EQ(symbol->GetRect(), CRect(100, 50, 164, 82));
            EXPECT_EQ(symbol->GetWnd(), chart);
            ASSERT_EQ(symbol->GetPinCount(), 2);
            EXPECT_TRUE(symbol->GetPin(0)->IsInputSide());
            EXPECT_FALSE(symbol->GetPin(1)->IsInputSide());
            // Speeds and times start at the constant 1.
            if (auto* drv = dynamic_cast<CHOXCodeDrv*>(symbol.get())) {
                EXPECT_EQ(drv->GetXSpeedText(), QStringLiteral("1"));
                EXPECT_EQ(drv->GetYSpeedText(), QStringLiteral("1"));
                EXPECT_EQ(drv->GetXSpeedUsed() + drv->GetYSpeedUsed() + drv->GetAddressing(), 0);
            }
            if (auto* line = dynamic_cast<CHOXCodeLine*>(symbol.get())) {
                EXPECT_EQ(line->GetSpeedText(), QStringLiteral("1"));
            }
            if (auto* cir = dynamic_cast<CHOXCodeCir*>(symbol.get())) {
                EXPECT_EQ(cir->GetSpeedText(), QStringLiteral("1"));
            }
            if (auto* time = dynamic_cast<CHOXCodeTime*>(symbol.get())) {
                EXPECT_EQ(time->GetTimeText(), QStringLiteral("1"));
            }
            if (auto* interrupt = dynamic_cast<CHOXCodeInt*>(symbol.get())) {
                EXPECT_EQ(interrupt->GetSpeed1Text(), QStringLiteral("1"));
                EXPECT_EQ(interrupt->GetSpeed2Text(), QStringLiteral("1"));
            }
            if (auto* comp = dynamic_cast<CHOXCodeComp*>(symbol.get())) {
                EXPECT_EQ(comp->GetCompSetting().GetKind(), CHOXCompSetting::kMovc);
                EXPECT_EQ(comp->GetCompSetting().IsOperand2Used(), type == 2 ? 1 : 0);
            }
        }
        EXPECT_EQ(rows.size(), 12u);
    }
    // In the monitor window: no pins.
    EXPECT_EQ(MakeToolSymbol(ID_TOOL_CODE_LINE, CPoint(0, 0), monitor)->GetPinCount(), 0);
}

TEST_F(CodeSymbolTest, LoadingDefaultsTakeNoWindow)
{
    const struct {
        std::unique_ptr<CHOXSymbol> symbol;
        const char* caption;
        const char* code;
    } made[] = {
        {std::make_unique<CHOXCodeDrv>(), "DRIVE", "cod00(DRV) x0;"},
        {std::make_unique<CHOXCodeLine>(), "LINEAR", "\ncod01(LIN) x0 ;\n"},
        {std::make_unique<CHOXCodeCir>(), "CIRCULAR CW", "\ncod02(CW) x0  y0 r0 ;\n"},
        {std::make_unique<CHOXCodeTime>(), "TIMER", "cod04(TIM) K1;"},
        {std::make_unique<CHOXCodeChk>(), "CHK", "cod09(CHK);"},
        {std::make_unique<CHOXCodeDrvz>(), "DRIVE TO ZERO", "cod28(DRVZ);"},
        {std::make_unique<CHOXCodeSetrDrvr>(), "DRVR", "cod30(DRVR) ;"},
        {std::make_unique<CHOXCodeInt>(), "TWO STEP INTERRUPT", "cod72(DINT)  x0  f1  f1;"},
        {std::make_unique<CHOXCodeComp>(), "COMPENSATION", "cod73(MOVC) x0 y0;\n"},
        {std::make_unique<CHOXCodeIncAbs>(), "ABSOLUTE", "cod90(ABS);\n"},
        {std::make_unique<CHOXCodeSetAddr>(), "SET ADDRESS", "cod92(SET);\n"},
        {std::make_unique<CHOXCodeMcode>(), "MCODE", "m01;"},
    };
    for (const auto& m : made) {
        SCOPED_TRACE(m.caption);
        EXPECT_EQ(m.symbol->GetWnd(), nullptr);
        EXPECT_EQ(m.symbol->GetSymbolName(), QString::fromLatin1(m.caption));
        EXPECT_EQ(m.symbol->GetCategory(), 1);
        EXPECT_EQ(m.symbol->GetPinCount(), 0);
        // Everything the after-load pass will call works without a window.
        m.symbol->CalcSteps();
        m.symbol->UpdateText();
        EXPECT_EQ(m.symbol->GetCode(), QString::fromLatin1(m.code));
        EXPECT_EQ(m.symbol->GetErrorState(), 0);
    }
}

TEST_F(CodeSymbolTest, ARegisterBeyondTheFileRegistersGivesErrorState2)
{
    auto reg = [](const char* text) {
        CHOXDataReg r;
        EXPECT_TRUE(r.Parse(QString::fromLatin1(text), true)) << text;
        return r;
    };
    CHOXCompSetting far;
    far.SetOperand1Text(QStringLiteral("D1"));
    far.SetOperand2Text(QStringLiteral("D4000"));

    auto* drv = Place<CHOXCodeDrv>(chart);
    auto* line = Place<CHOXCodeLine>(chart);
    auto* cir = Place<CHOXCodeCir>(chart);
    auto* time = Place<CHOXCodeTime>(chart);
    auto* interrupt = Place<CHOXCodeInt>(chart);
    auto* comp = Place<CHOXCodeComp>(chart);
    auto* setAddr = Place<CHOXCodeSetAddr>(chart);
    const struct {
        const char* what;
        CHOXSymbol* symbol;
        std::function<void()> set;
        int state; // with no file registers
    } cases[] = {
        {"DRIVE X", drv, [&] { drv->SetX(reg("D4000")); }, 2},
        {"DRIVE Y unused", drv,
         [&] {
             drv->SetX(reg("0"));
             drv->SetYUsed(0);
             drv->SetY(reg("D4000"));
         },
         0},
        {"DRIVE X speed unused", drv, [&] { drv->SetXSpeed(reg("DD3999")); }, 0},
        {"DRIVE X speed used", drv, [&] { drv->SetXSpeedUsed(1); }, 2},
        {"DRIVE compensation off", drv,
         [&] {
             drv->SetXSpeedUsed(0);
             drv->SetCompSetting(far);
         },
         0},
        {"DRIVE compensation on", drv, [&] { drv->SetCompensationOn(1); }, 2},
        {"LINE speed", line,
         [&] {
             line->SetSpeedUsed(1);
             line->SetSpeed(reg("D4000"));
         },
         2},
        {"LINE speed unused", line, [&] { line->SetSpeedUsed(0); }, 0},
        {"CIR centre j in the radius form", cir, [&] { cir->SetCentreJ(reg("D4000")); }, 0},
        {"CIR centre j in the centre form", cir, [&] { cir->SetCentreForm(1); }, 2},
        {"CIR centre j unused", cir, [&] { cir->SetJUsed(0); }, 0},
        {"CIR radius", cir,
         [&] {
             cir->SetCentreForm(0);
             cir->SetCentreIOrRadius(reg("DD5000"));
         },
         2},
        {"TIMER", time, [&] { time->SetTime(reg("D4000")); }, 2},
        {"INT second speed", interrupt, [&] { interrupt->SetSpeed2(reg("D4000")); }, 2},
        {"INT second speed one-step", interrupt, [&] { interrupt->SetTwoStep(0); }, 0},
        {"INT distance", interrupt, [&] { interrupt->SetDistance(reg("D4000V1")); }, 2},
        {"COMPENSATION second operand used", comp, [&] { comp->SetCompSetting(far); }, 2},
        {"COMPENSATION second operand unused", comp,
         [&] {
             CHOXCompSetting first = far;
             first.SetOperand2Used(0);
             comp->SetCompSetting(first);
         },
         0},
        {"SET ADDRESS Y", setAddr,
         [&] {
             setAddr->SetYUsed(1);
             setAddr->SetY(reg("D4000"));
         },
         2},
        {"SET ADDRESS Y unused", setAddr, [&] { setAddr->SetYUsed(0); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.set();
        SetFileRegisters(0);
        EXPECT_EQ(c.symbol->GetErrorState(), c.state);
        // Parameter 101 brings the register into existence.
        SetFileRegisters(2000);
        EXPECT_EQ(c.symbol->GetErrorState(), 0);
    }
    // The one-axis controller has no D2000 to D3999 even with file registers.
    MakeDocument(0);
    SetFileRegisters(3000);
    auto* oneAxis = Place<CHOXCodeTime>(chart);
    oneAxis->SetTime(reg("D2000"));
    EXPECT_EQ(oneAxis->GetErrorState(), 2);
    oneAxis->SetTime(reg("D6999"));
    EXPECT_EQ(oneAxis->GetErrorState(), 0);
    // Classes without operands never report one.
    for (CHOXSymbol* none : std::initializer_list<CHOXSymbol*>{
             Place<CHOXCodeChk>(chart), Place<CHOXCodeDrvz>(chart), Place<CHOXCodeSetrDrvr>(chart),
             Place<CHOXCodeIncAbs>(chart), Place<CHOXCodeMcode>(chart)})
        EXPECT_EQ(none->GetErrorState(), 0);
}

TEST_F(CodeSymbolTest, InTheMonitorWindowOnlyDriveLineAndCircleCount)
{
    auto attach = [](CHOXCodeSymbol* symbol) {
        symbol->SetMcodeMode(1);
        symbol->SetMcode(5);
    };
    const struct {
        CHOXSymbol* symbol;
        int steps; // after an M code is attached in the monitor window
    } cases[] = {
        {Place<CHOXCodeDrv>(chart), 6},      // counted as anywhere
        {Place<CHOXCodeLine>(chart), 8},     // counted as anywhere
        {Place<CHOXCodeCir>(chart), 10},     // counted as anywhere
        {Place<CHOXCodeTime>(chart), 4},     // left as it was
        {Place<CHOXCodeChk>(chart), 2},      // left
        {Place<CHOXCodeDrvz>(chart), 2},     // left
        {Place<CHOXCodeInt>(chart), 8},      // left
        {Place<CHOXCodeSetAddr>(chart), 4},  // left
        {Place<CHOXCodeSetrDrvr>(chart), 0}, // set to 0
        {Place<CHOXCodeComp>(chart), 0},     // set to 0
        {Place<CHOXCodeIncAbs>(chart), 0},   // set to 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol->GetSymbolName().toStdString());
        c.symbol->SetWnd(monitor);
        attach(dynamic_cast<CHOXCodeSymbol*>(c.symbol));
        c.symbol->CalcSteps();
        EXPECT_EQ(c.symbol->GetSteps(), c.steps);
    }
    auto* mcode = Place<CHOXCodeMcode>(monitor);
    EXPECT_EQ(mcode->GetPinCount(), 0);
    EXPECT_EQ(mcode->GetSteps(), 0);
    EXPECT_EQ(mcode->GetCode(), QStringLiteral("m01;"));
    // The kind still names a SETR there.
    auto* setr = Place<CHOXCodeSetrDrvr>(monitor);
    setr->SetKind(CHOXCodeSetrDrvr::kSetr);
    setr->CalcSteps();
    EXPECT_EQ(setr->GetSymbolName(), QStringLiteral("SETR"));
    EXPECT_EQ(setr->GetSteps(), 0);
}

TEST_F(CodeSymbolTest, SettersKeepOperandsWhoseTextDoesNotRead)
{
    MakeDocument(2);
    auto reg = [](const char* text) {
        CHOXDataReg r;
        r.Parse(QString::fromLatin1(text), true);
        return r;
    };
    auto* drv = Place<CHOXCodeDrv>(chart);
    drv->SetX(reg("5"));
    drv->SetFromText("DRV", 1, 0, 0, 1, 0, 1, "x5", "", "D", "");
    EXPECT_EQ(drv->GetXText(), QStringLiteral("5"));
    EXPECT_EQ(drv->GetXSpeedText(), QStringLiteral("1"));
    EXPECT_EQ(drv->GetYUsed(), 0);

    auto* line = Place<CHOXCodeLine>(chart);
    line->SetFromText("LIN", 1, 1, 0, 1, 1, "1000000", "", "d5");
    EXPECT_EQ(line->GetXText(), QStringLiteral("0"));
    EXPECT_EQ(line->GetYText(), QStringLiteral("0"));
    EXPECT_EQ(line->GetSpeedText(), QStringLiteral("1"));

    auto* cir = Place<CHOXCodeCir>(chart);
    cir->SetCentreIOrRadius(reg("7"));
    cir->SetFromText("ARC", 1, 1, 0, 0, 0, 1, 0, 1, "", "", "", "", "", "r7");
    EXPECT_EQ(cir->GetCentreIOrRadiusText(), QStringLiteral("7"));
    EXPECT_EQ(cir->GetClockwise(), 1);
    EXPECT_EQ(cir->GetSymbolName(), QStringLiteral("CIRCULAR CW"));

    auto* time = Place<CHOXCodeTime>(chart);
    time->SetFromText(1, 0, QString());
    EXPECT_EQ(time->GetTimeText(), QStringLiteral("1"));

    auto* interrupt = Place<CHOXCodeInt>(chart);
    interrupt->SetDistance(reg("D9"));
    interrupt->SetFromText("DINT", 0, "", "-", "1e3", 0, 1);
    EXPECT_EQ(interrupt->GetDistanceText(), QStringLiteral("D9"));
    EXPECT_EQ(interrupt->GetSpeed1Text(), QStringLiteral("1"));
    EXPECT_EQ(interrupt->GetSpeed2Text(), QStringLiteral("1"));
    EXPECT_EQ(interrupt->GetYAxis(), 1);

    auto* comp = Place<CHOXCodeComp>(chart);
    comp->SetFromText("MOVE", 'x', 1, 1, 0, "", "", 1);
    EXPECT_EQ(comp->GetCompSetting().GetKind(), CHOXCompSetting::kMovc);
    EXPECT_EQ(comp->GetSymbolName(), QStringLiteral("MOVE COMPENSATION"));
    comp->SetFromText("RADC", 'r', 1, 0, 0, "D", "5", 1);
    EXPECT_EQ(comp->GetCompSetting().GetOperand1Text(), QStringLiteral("0"));
    EXPECT_EQ(comp->GetCompSetting().GetOperand2Text(), QStringLiteral("0"));

    auto* setAddr = Place<CHOXCodeSetAddr>(chart);
    setAddr->SetX(reg("12"));
    setAddr->SetFromText(1, 1, 0, "", "DD", 1);
    EXPECT_EQ(setAddr->GetXText(), QStringLiteral("12"));
    EXPECT_EQ(setAddr->GetYText(), QStringLiteral("0"));
    EXPECT_EQ(setAddr->GetYUsed(), 1);
}

TEST_F(CodeSymbolTest, ADocumentWithEveryCodeSymbolSavesLoadsAndSavesTheSame)
{
    for (int type = 0; type <= 2; ++type) {
        SCOPED_TRACE(::testing::Message() << "type " << type);
        MakeDocument(type);
        SetFileRegisters(10);
        std::map<DWORD, CHOXSymbol*> placed;
        for (UINT tool = ID_TOOL_CODE_DRV; tool <= ID_TOOL_CODE_MCODE; ++tool) {
            CHOXSymbol* symbol = Add(MakeToolSymbol(tool, CPoint(40, 40), chart));
            placed[symbol->GetId()] = symbol;
        }
        for (const SymbolTextCase& c : CodeSymbolTextCases()) {
            CHOXSymbol* symbol = Add(c.make(chart));
            symbol->CalcSteps();
            symbol->UpdateText();
            symbol->SetComment(QString::fromLatin1(c.what).left(20));
            placed[symbol->GetId()] = symbol;
        }
        Add(MakeToolSymbol(ID_TOOL_CODE_CIR, CPoint(300, 40), monitor), monitor);
        const int steps = chart->CountProgramSteps();

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("codes.hox"));
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

        CHOXFlowWnd* back = loaded.FindWindowByName(QStringLiteral("Flow Chart1"));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->CountProgramSteps(), steps);
        for (const auto& [id, original] : placed) {
            auto* symbol = dynamic_cast<CHOXSymbol*>(back->LookupObject(static_cast<WORD>(id)));
            ASSERT_NE(symbol, nullptr) << id;
            SCOPED_TRACE(original->GetComment().toStdString());
            EXPECT_EQ(symbol->GetRuntimeClass(), original->GetRuntimeClass());
            EXPECT_EQ(symbol->GetWnd(), back);
            EXPECT_EQ(symbol->GetCode(), original->GetCode());
            EXPECT_EQ(symbol->GetLabel(), original->GetLabel());
            EXPECT_EQ(symbol->GetSteps(), original->GetSteps());
            EXPECT_EQ(symbol->GetSymbolName(), original->GetSymbolName());
            EXPECT_EQ(symbol->GetErrorState(), original->GetErrorState());
        }
    }
}
