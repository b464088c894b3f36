// What must hold for every statement, not just for the rows of the tables:
// the lines the symbols write are accepted and their steps add up to what the
// symbols count; random lines never crash the checker and fail only with the
// checker's own messages; an accepted statement's canonical text checks again
// to itself.
#include "convert/HOXInstrParser.h"

#include "chart/HOXConnect.h"
#include "chart/HOXPin.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/SymbolTextCases.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowRet.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <QStringList>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// The steps of the lines of a symbol's text; every line must be accepted.
int StepsOfLines(CHOXInstrParser& checker, const QString& code)
{
    int steps = 0;
    for (const QString& line : code.split(QLatin1Char('\n'))) {
        QString error;
        EXPECT_TRUE(checker.CheckInstruction(line, error)) << line.toStdString() << ": " << error.toStdString();
        steps += checker.GetSteps();
    }
    return steps;
}

class CheckerFlowSymbolTest : public kt::test::FlowDocTest {
protected:
    void ExpectLinesCheck(CHOXSymbol* symbol, const char* what)
    {
        SCOPED_TRACE(::testing::Message() << what << " in " << (symbol->GetWnd() == subtask ? "subtask" : "chart")
                                          << " on type " << doc->GetControllerType());
        symbol->CalcSteps();
        ASSERT_EQ(symbol->GetErrorState(), 0);
        CHOXInstrParser checker(&doc->GetParam());
        EXPECT_EQ(StepsOfLines(checker, symbol->GetCode()), symbol->GetSteps()) << symbol->GetCode().toStdString();
    }

    CHOXConnect* Wire(CHOXSymbol* source, int pin, CHOXSymbol* target)
    {
        const CPoint from = source->GetPinPosition(pin);
        auto wire = std::make_unique<CHOXConnect>(CRect(from, from), chart);
        wire->SetId(static_cast<DWORD>(doc->NewWireId()));
        wire->SetSource(source->GetId(), pin);
        wire->SetTarget(target->GetId(), 1);
        CHOXConnect* raw = wire.get();
        chart->AddConnect(std::move(wire));
        raw->Reroute();
        return raw;
    }
};

} // namespace

TEST_F(CheckerFlowSymbolTest, EveryFlowControlSymbolWritesLinesTheCheckerAccepts)
{
    for (int type = 0; type <= 2; ++type) {
        MakeDocument(type);
        const int lastPointer = type == 0 ? 127 : 255;
        for (CHOXFlowWnd* wnd : {chart, subtask}) {
            ExpectLinesCheck(Place<CHOXFlowStart>(wnd), "START");
            for (int kind : {0, 1}) {
                auto* end = Place<CHOXFlowEnd>(wnd);
                end->SetEndKind(kind);
                ExpectLinesCheck(end, "END");
            }
            ExpectLinesCheck(Place<CHOXFlowRet>(wnd), "RET");
            ExpectLinesCheck(Place<CHOXFlowPointer>(wnd), "POINTER");
            ExpectLinesCheck(Place<CHOXFlowSubRtn>(wnd), "SUBROUTINE");
            for (int number : {0, lastPointer}) {
                auto* call = Place<CHOXFlowCall>(wnd);
                call->SetPointerNumber(number);
                ExpectLinesCheck(call, "SUBROUTINE CALL");
            }
            for (int follows : {0, 1}) {
                for (int kind : {0, 1}) {
                    auto* jump = Place<CHOXFlowJump>(wnd);
                    jump->SetPointerNumber(lastPointer);
                    jump->SetEndFollows(follows);
                    jump->SetEndKind(kind);
                    ExpectLinesCheck(jump, "JUMP");
                }
            }
            for (int kind : {0, 1}) {
                CHOXFlowJumpEnd marker(lastPointer, CRect(0, 0, 10, 10), wnd);
                marker.SetEndKind(kind);
                CHOXInstrParser checker(&doc->GetParam());
                EXPECT_EQ(StepsOfLines(checker, marker.GetCode()), marker.GetSteps()) << marker.GetCode().toStdString();
            }
        }
        // A START in the chart of the other axis.
        if (type == 1) {
            UseAllProgramNumbers(0);
            auto* start = Place<CHOXFlowStart>(chart);
            ASSERT_EQ(start->GetLabel(), QStringLiteral("Oy0"));
            ExpectLinesCheck(start, "START of Y");
        }
    }
}

TEST_F(CheckerFlowSymbolTest, JumpBehindAConditionalJumpsSideExitCountsNothingItself)
{
    // Deliberately counted otherwise: the conditional jump carries this
    // jump's line, so the JUMP counts 0 although its lines are 6 steps.
    MakeDocument(2);
    CHOXFlowCJump* source = Place<CHOXFlowCJump>(chart);
    auto* jump = Place<CHOXFlowJump>(chart, CPoint(250, 150));
    jump->SetPointerNumber(3);
    Wire(source, 2, jump);
    jump->CalcSteps();
    EXPECT_EQ(jump->GetSteps(), 0);
    CHOXInstrParser checker(&doc->GetParam());
    EXPECT_EQ(StepsOfLines(checker, jump->GetCode()), 6);
}

TEST(CheckerPositioningLinesTest, LinesOfThePositioningCodesCheckWithTheirStepCounts)
{
    // The texts the positioning-code symbols write, option by option, and
    // the steps they count. Where a symbol deliberately counts otherwise
    // than its lines, `symbolSteps` says so and `named` says why. Each text
    // is one that a symbol case writes, counting `symbolSteps`.
    const struct {
        int type;
        const char* text;
        int steps;
        int symbolSteps;
        const char* named;
    } rows[] = {
        // LINE: addressing, compensation, the move, the end check.
        {2, "cod91(INC);\ncod73(MOVC) x100 y200;\ncod01(LIN) x100 y200 f1000 m5;\ncod09(CHK);", 20, 20, ""},
        {0, "\ncod01(LIN) x100 ;\n", 4, 4, ""},
        {2, "\ncod74(CNTC) i10 ;\ncod01(LIN) x100 y200 f1000 ;\n", 12, 12, ""},
        {2, "cod90(ABS);\ncod75(RADC) r-50;\ncod01(LIN) y200 ;\n", 10, 10, ""},
        {0, "\ncod76(CANC);\ncod31(INT) x100 f1000 m5;\n", 10, 10, ""},
        {0, "\ncod73(MOVC) x100 ;\ncod01(LIN) xD100 fDD10 ;\ncod09(CHK);", 12, 12, ""},
        // DRIVE.
        {2, "cod00(DRV) x100 f2000 y50 f1000;", 10, 10, ""},
        {0, "cod00(DRV) x100 f2000 m5;", 8, 8, ""},
        {1, "cod76(CANC) ;\ncod00(DRV) y50 f1000;", 8, 8, ""},
        {2, "cod90(ABS);\ncod73(MOVC) x1 ;\ncod00(DRV) xD100 yDD200;", 12, 12, ""},
        // CIR.
        {2, "cod91(INC);\ncod02(CW) x10  y20 i5 j5 f100 m5;\ncod09(CHK);", 18, 18, ""},
        {2, "\ncod03(CCW) r10 f100 ;\n", 6, 6, ""},
        {2, "\ncod75(RADC) r5;\ncod02(CW) x10  r20 ;\n", 10, 10, ""},
        {2, "\ncod74(CNTC) j5;\ncod03(CCW) y20 i5 j5 ;\n", 12, 12, ""},
        {2, "\ncod02(CW) x10  y20 r5 ;\n", 8, 14, "CIR with MOVC compensation counts it but writes nothing"},
        // TIME.
        {1, "cod04(TIM) K100;", 4, 4, ""},
        {1, "cod04(TIM) K100 m5 ;", 6, 6, ""},
        {1, "cod04(TIM) KD100;", 4, 4, ""},
        // CHK, DRVZ, SETR and DRVR.
        {1, "cod09(CHK);", 2, 2, ""},
        {1, "cod09(CHK) m5;", 4, 4, ""},
        {1, "SET M9024;\ncod28(DRVZ);\nRST M9024;", 6, 6, ""},
        {0, "SET M9008;\ncod28(DRVZ) m5;\nRST M9008;", 8, 8, ""},
        {1, "cod28(DRVZ);", 2, 2, ""},
        {1, "cod30(DRVR) m5 ;", 4, 4, ""},
        {1, "cod29(SETR) ;", 2, 2, ""},
        // INT (SINT, DINT).
        {0, "cod73(MOVC) x100 ;\ncod72(DINT)  x100  f1000  f2000 m5;", 14, 14, ""},
        {1, "cod71(SINT)  y100  f1000;", 6, 6, ""},
        {2, "cod76(CANC);\ncod71(SINT)  x100  f1000 m7;", 10, 10, ""},
        {2, "cod71(SINT)  x100  f1000;", 6, 8, "INT with RADC or CNTC compensation counts 2 but writes nothing"},
        // COMPENSATION.
        {2, "cod73(MOVC) x10 y20 m5;\n", 8, 8, ""},
        {2, "cod75(RADC) r5;\n", 4, 4, ""},
        {2, "cod74(CNTC) i5 j5;\n", 6, 6, ""},
        {1, "cod76(CANC) m5;\n", 4, 4, ""},
        // INC/ABS, SET ADDRESS, M code.
        {1, "cod91(INC) m5;\n", 4, 4, ""},
        {1, "cod90(ABS);\n", 2, 2, ""},
        {2, "cod92(SET) x100 y200 m5;\n", 8, 8, ""},
        {0, "cod92(SET) x100;\n", 4, 4, ""},
        {1, "m00(WAIT);", 2, 2, ""},
        {1, "m05;", 2, 2, ""},
        {1, "m99;", 2, 2, ""},
        {1, "m100(SWAIT);", 2, 2, ""},
    };
    kt::test::TempSettings settings;
    CHOXDoc doc;
    CHOXInstrParser checker(&doc.GetParam());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        doc.SetControllerType(row.type);
        EXPECT_EQ(StepsOfLines(checker, QString::fromLatin1(row.text)), row.steps);
        EXPECT_EQ(row.symbolSteps != row.steps, row.named[0] != '\0');
        int written = 0;
        for (const kt::test::SymbolTextCase& c : kt::test::CodeSymbolTextCases()) {
            if (c.controllerType != row.type || qstrcmp(c.code, row.text) != 0) continue;
            ++written;
            EXPECT_EQ(c.steps, row.symbolSteps) << c.what;
        }
        EXPECT_GE(written, 1) << "no symbol case writes this text";
    }

    // Deliberately counted otherwise, and refused as written: SET ADDRESS
    // with no axis and COMPENSATION MOVC or CNTC with no operand count 0.
    doc.SetControllerType(2);
    for (const char* line : {"cod92(SET);", "cod73(MOVC);", "cod74(CNTC);"}) {
        QString error;
        EXPECT_FALSE(checker.CheckInstruction(QString::fromLatin1(line), error)) << line;
        EXPECT_EQ(error, QStringLiteral("Minimum number of operands is 1")) << line;
    }
}

TEST_F(CheckerFlowSymbolTest, EveryPositioningCodeWritesLinesTheCheckerAcceptsAndCountsThemAsItDoes)
{
    // Every class and option: each line checks, and the checker's steps add
    // up to the symbol's own count, except where the case names why not.
    int named = 0;
    for (const kt::test::SymbolTextCase& c : kt::test::CodeSymbolTextCases()) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        auto symbol = c.make(chart);
        symbol->CalcSteps();
        ASSERT_EQ(symbol->GetErrorState(), 0);
        CHOXInstrParser checker(&doc->GetParam());
        bool refused = false;
        int steps = 0;
        for (const QString& line : symbol->GetCode().split(QLatin1Char('\n'))) {
            QString error;
            const bool ok = checker.CheckInstruction(line, error);
            if (c.countsOtherwise[0] == '\0') {
                EXPECT_TRUE(ok) << line.toStdString() << ": " << error.toStdString();
            }
            refused = refused || !ok;
            steps += checker.GetSteps();
        }
        if (c.countsOtherwise[0] == '\0') {
            EXPECT_EQ(steps, symbol->GetSteps()) << symbol->GetCode().toStdString();
        } else {
            ++named;
            EXPECT_TRUE(refused || steps != symbol->GetSteps()) << "named but agrees: " << c.countsOtherwise;
        }
    }
    EXPECT_EQ(named, 7);
}

TEST_F(CheckerFlowSymbolTest, EveryFunctionSymbolWritesALineTheCheckerAcceptsAndCountsItAsItDoes)
{
    for (const kt::test::SymbolTextCase& c : kt::test::FuncSymbolTextCases()) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.countsOtherwise[0], '\0');
        MakeDocument(c.controllerType);
        auto symbol = c.make(chart);
        symbol->CalcSteps();
        ASSERT_EQ(symbol->GetErrorState(), 0);
        CHOXInstrParser checker(&doc->GetParam());
        EXPECT_EQ(StepsOfLines(checker, symbol->GetCode()), symbol->GetSteps()) << symbol->GetCode().toStdString();
    }
}

TEST_F(CheckerFlowSymbolTest, EveryConditionalJumpWritesLinesTheCheckerAcceptsAndCountsThemAsItDoes)
{
    for (const kt::test::SymbolTextCase& c : kt::test::CJumpTextCases()) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.countsOtherwise[0], '\0');
        MakeDocument(c.controllerType);
        std::unique_ptr<CHOXSymbol> made = c.make(chart);
        made->SetId(static_cast<DWORD>(doc->NewSymbolId()));
        CHOXSymbol* symbol = made.get();
        chart->AddObject(std::move(made));
        kt::test::JumpToNode5(chart, symbol);
        symbol->CalcSteps();
        ASSERT_EQ(symbol->GetErrorState(), 0);
        CHOXInstrParser checker(&doc->GetParam());
        EXPECT_EQ(StepsOfLines(checker, symbol->GetCode()), symbol->GetSteps()) << symbol->GetCode().toStdString();
    }
}

TEST_F(CheckerFlowSymbolTest, AConditionalJumpCountsItsJumpLineEvenWhenItCannotWriteIt)
{
    // Deliberately counted otherwise: the jump line and its steps belong to
    // the symbol whatever its jump output leads to. Without a wire the line
    // is missing; towards a JUMP without a target it has no operand. The
    // conversion refuses both charts before it asks for the text (a free
    // pin, a JUMP without target).
    MakeDocument(1);
    auto* free = Place<CHOXFlowCJump>(chart);
    free->SetBitCondition(QStringLiteral("LD X0;"));
    free->CalcSteps();
    EXPECT_EQ(free->GetCode(), QStringLiteral("BRET(FNC05);\nLD X0;\n;\nBRET(FNC05);"));
    EXPECT_EQ(free->GetSteps(), 10);

    auto* cjump = Place<CHOXFlowCJump>(chart, CPoint(100, 150));
    cjump->SetBitCondition(QStringLiteral("LD X0;"));
    auto* jump = Place<CHOXFlowJump>(chart, CPoint(250, 150));
    Wire(cjump, 2, jump);
    cjump->CalcSteps();
    EXPECT_EQ(cjump->GetCode(), QStringLiteral("BRET(FNC05);\nLD X0;\nCJ(FNC00) ;\nBRET(FNC05);"));
    EXPECT_EQ(cjump->GetSteps(), 10);
    CHOXInstrParser checker(&doc->GetParam());
    QString error;
    EXPECT_FALSE(checker.CheckInstruction(QStringLiteral("CJ(FNC00) ;"), error));
    EXPECT_FALSE(checker.CheckInstruction(QStringLiteral(";"), error));
}

namespace {

// Every message the checker can give, built from its pieces.
std::set<QString> CheckerMessages()
{
    std::set<QString> messages;
    for (UINT id : {13468u, 13469u, 13470u, 13477u, 13478u, 13479u, 13480u}) messages.insert(LoadStr(id));
    for (int digit = 0; digit <= 9; ++digit) {
        messages.insert(LoadStr(13474) + QString::number(digit));
        messages.insert(LoadStr(13475) + QString::number(digit));
    }
    const char* labels[] = {"Program Number", "M code", "M", "P", "Data Register", "Index Register", "K", "H", "X",
                            "Y", "m", "x", "y", "f", "i", "j", "r"};
    for (const char* label : labels) {
        const QString l = QString::fromLatin1(label);
        messages.insert(LoadStr(13472) + l);
        for (UINT suffix : {13471u, 13473u, 13476u, 13546u}) messages.insert(l + LoadStr(suffix));
    }
    return messages;
}

} // namespace

TEST(CheckerRandomLinesTest, RandomLinesFailOnlyWithTheCheckersMessages)
{
    const char* words[] = {
        "cod00", "COD1", "cod(DRV)", "DRV", "LIN", "cod02", "CW", "CCW", "TIM", "TIME", "cod09", "cod28",
        "cod71", "cod72", "cod73", "cod74", "cod75", "cod92(SET)", "SET", "RST", "LD", "ld", "ANB", "OUT",
        "JMP", "CALL", "CJ", "CJN(FNC01)", "RPT", "RPE", "BRET", "CMP", "DCMP", "ZCP", "MOV", "DMOV", "MMOV",
        "RMOV", "BCD", "DBIN", "ADD", "DADD", "INC", "inc", "INC(FNC24)", "DEC", "NEG", "WAND", "DXOR", "EXT",
        "DEXT", "SEGL", "DSEGL", "NOP", "m02", "m5", "m003", "m102(SEND)", "END", "fncd12", "fnc4", "FNC12",
        "DMOV(FNC12)", "MOV(FNC13)", "P10", "P999", "Ox5", "Oy5", "O100", "O5", "O100abc", "x100", "x-5", "y0",
        "f100", "f-1", "f200001", "i5", "j-5", "r10", "m", "m2", "m101", "K100", "K-5", "K1X0", "K4Y0", "K8M0",
        "K1M509", "K007", "K-", "K", "H0F00", "Hff", "HFFFFFFFF", "H", "D0", "DD0", "D3999", "DD3998", "D4000",
        "D10V3", "D10V", "xD100", "fDD10", "Z7", "V8", "X0", "X18", "X377", "Y67", "M9175", "P255", "P300",
        "K99999999999999999999", "x99999999999999999999", "O99999999999999999999", "(", ")", "()", ",", "-",
        "", "a", "Q", "zz(y)",
    };
    const char* separators[] = {" ", "  ", "\t", ";", "; ", "\r\n", "", " ; "};
    const std::set<QString> messages = CheckerMessages();

    std::mt19937 random(20240614u);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    kt::test::TempSettings settings;
    CHOXDoc doc;
    CHOXInstrParser checker(&doc.GetParam());
    int accepted = 0;
    for (int i = 0; i < 30000; ++i) {
        doc.SetControllerType(static_cast<int>(pick(4)) - (i % 7 == 0 ? 1 : 0));
        checker.SetFullRegisterRange(pick(5) == 0);
        QString line;
        const std::size_t count = pick(7);
        for (std::size_t w = 0; w < count; ++w) {
            line += QString::fromLatin1(words[pick(std::size(words))]);
            line += QString::fromLatin1(separators[pick(std::size(separators))]);
        }
        // Now and then a character of any kind in any place.
        for (std::size_t n = pick(3); n > 0; --n) {
            const QChar c(static_cast<char16_t>(pick(4) == 0 ? 0x100 + pick(0x300) : 1 + pick(255)));
            line.insert(static_cast<qsizetype>(pick(static_cast<std::size_t>(line.size()) + 1)), c);
        }
        const QString before = QStringLiteral("(before)");
        QString error = before;
        if (checker.CheckInstruction(line, error)) {
            ++accepted;
            const QString canonical = checker.GetCanonicalStatement();
            const int steps = checker.GetSteps();
            QString again;
            EXPECT_TRUE(checker.CheckInstruction(canonical, again)) << canonical.toStdString();
            EXPECT_EQ(checker.GetSteps(), steps) << canonical.toStdString();
            EXPECT_EQ(checker.GetCanonicalStatement(), canonical);
        } else {
            EXPECT_EQ(messages.count(error), 1u) << "\"" << line.toStdString() << "\" gave \"" << error.toStdString()
                                                 << "\"";
        }
    }
    // The mix reaches both answers often.
    EXPECT_GT(accepted, 3000);
    EXPECT_LT(accepted, 27000);
}
