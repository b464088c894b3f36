// The LINE, CIR and DRIVE dialogs: which fields they enable by controller
// type and form, every refusal at OK, the "D" buttons on text that reads and
// text that does not, and what they hand the combination settings.
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeCirDlg.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCodeDrvDlg.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeLineDlg.h"
#include "symbols/code/HOXCombinationDlg.h"
#include "symbols/code/HOXDataRegDlg.h"

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::ExpectOkRefusedInPlace;
using kt::test::kFramework;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Line = CHOXCodeLineDlg;
using Cir = CHOXCodeCirDlg;
using Drv = CHOXCodeDrvDlg;
using Comb = CHOXCombinationDlg;
using Reg = CHOXDataRegDlg;

namespace {

// An operand typed into a field, refused with its message.
struct Refusal {
    int field;
    const char* typed;
    QString message;
};

CHOXDataReg Operand(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

class CodeTravelDlgTest : public kt::test::CodeDialogTest {
protected:
    // Each refusal in a fresh dialog of a fresh symbol.
    template <class Dialog, class Symbol>
    void ExpectRefusals(std::initializer_list<Refusal> refusals, std::function<void(Symbol*)> setUp = {})
    {
        for (const Refusal& r : refusals) {
            SCOPED_TRACE(testing::Message() << r.field << " \"" << r.typed << "\"");
            Symbol* symbol = Place<Symbol>(chart);
            if (setUp) setUp(symbol);
            const int result = Run<Dialog>(symbol, [&](DialogDriver& d) {
                d.Type(r.field, QString::fromLatin1(r.typed));
                ExpectOkRefused(d, r.field, r.message);
                d.Click(IDCANCEL);
            });
            EXPECT_EQ(result, IDCANCEL);
        }
    }
};

} // namespace

// ---------------------------------------------------------------------------
// LINE

TEST_F(CodeTravelDlgTest, LineOnTheOneAxisControllerHasNoYAndNeedsX)
{
    MakeDocument(0);
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    Run<Line>(line, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Line::kYBox));
        EXPECT_EQ(d.Text(Line::kY), QStringLiteral("0"));
        EXPECT_TRUE(d.Enabled(Line::kX));
        EXPECT_FALSE(d.Enabled(Line::kY));
        EXPECT_FALSE(d.Enabled(Line::kSpeed));
        d.Click(Line::kXBox);
        EXPECT_FALSE(d.Enabled(Line::kX));
        EXPECT_FALSE(d.Enabled(Line::kXButton));
        ScriptedMessages messages;
        messages.Expect(LoadStr(13579), kt::test::kStop, IDOK);
        d.Click(IDOK);
        EXPECT_EQ(messages.seen.at(0).text,
                  QStringLiteral("ERROR : Invalid Setting :  X-axis should be selected for ZE-10RE."));
        EXPECT_EQ(d.Focus(), Line::kXBox);
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeTravelDlgTest, LineWithoutAxesHasNoSpeed)
{
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    line->SetSpeedUsed(1);
    Run<Line>(line, [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(Line::kSpeed));
        d.Click(Line::kXBox);
        EXPECT_TRUE(d.Enabled(Line::kSpeedBox));
        d.Click(Line::kYBox);
        EXPECT_EQ(d.Check(Line::kSpeedBox), 0);
        EXPECT_FALSE(d.Enabled(Line::kSpeedBox));
        EXPECT_FALSE(d.Enabled(Line::kSpeed));
        EXPECT_FALSE(d.Enabled(Line::kSpeedButton));
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : Atleast one of the X-axis or Y-axis should be selected."),
                        kt::test::kStop, IDOK);
        d.Click(IDOK);
        EXPECT_EQ(d.Focus(), Line::kXBox);
        // An axis brings the speed box back, not the speed.
        d.Click(Line::kYBox);
        EXPECT_TRUE(d.Enabled(Line::kSpeedBox));
        EXPECT_FALSE(d.Enabled(Line::kSpeed));
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeTravelDlgTest, LineRefusesEachOperandOnItsField)
{
    SetFileRegisters(0);
    ExpectRefusals<Line, CHOXCodeLine>(
        {
            {Line::kX, "1000000", LoadStr(13205)},
            {Line::kX, "X5", LoadStr(13205)},
            {Line::kY, "", LoadStr(13206)},
            {Line::kSpeed, "-5", LoadStr(13207)},
            {Line::kSpeed, "200001", LoadStr(13207)},
            {Line::kX, "D7000", LoadStr(13583)},
            {Line::kY, "D4000",
             QStringLiteral("ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 3999")},
            {Line::kSpeed, "D10V8", LoadStr(13207)},
        },
        [](CHOXCodeLine* line) { line->SetSpeedUsed(1); });
    EXPECT_EQ(LoadStr(13205), QStringLiteral("ERROR : Invalid X-axis value. \nValid Range : -999999 ~ 999999"));
    EXPECT_EQ(LoadStr(13206), QStringLiteral("ERROR : Invalid Y-axis value.\n Valid Range : -999999 ~ 999999"));
    EXPECT_EQ(LoadStr(13207), QStringLiteral("ERROR :  Invalid Speed value.\nValid Range : 0 ~ 200000."));
}

TEST_F(CodeTravelDlgTest, LineTakesEightCapitalsAndTheLimitsOfEachOperand)
{
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    line->SetSpeedUsed(1);
    Line dlg(line);
    ScriptedDialogs dialogs;
    dialogs.Expect(Line::kTemplate, [](DialogDriver& d) {
        for (int id : {Line::kX, Line::kY, Line::kSpeed}) EXPECT_EQ(d.Limit(id), Line::kOperandLimit);
        d.Type(Line::kX, QStringLiteral("-999999"));
        d.Type(Line::kY, QStringLiteral("dd100z7x"));
        EXPECT_EQ(d.Text(Line::kY), QStringLiteral("DD100Z7X"));
        d.Type(Line::kY, QStringLiteral("dd100z7"));
        d.Type(Line::kSpeed, QStringLiteral("200000"));
        d.Click(Line::kInterruptStop);
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetX().GetText(), QStringLiteral("-999999"));
    EXPECT_EQ(dlg.GetY().GetText(), QStringLiteral("DD100Z7"));
    EXPECT_EQ(dlg.GetSpeed().GetText(), QStringLiteral("200000"));
    EXPECT_EQ(dlg.GetInterruptStop(), 1);
}

// The "D" button starts the chooser at what the field reads, or at D0; the
// chooser's Cancel leaves the field as it was.
TEST_F(CodeTravelDlgTest, TheDButtonsStartAtTheFieldOrAtD0)
{
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    Line dlg(line);
    ScriptedDialogs dialogs;
    dialogs.Expect(Line::kTemplate, [](DialogDriver& d) {
        d.Type(Line::kX, QStringLiteral("12"));
        d.Click(Line::kXButton);
        EXPECT_EQ(d.Text(Line::kX), QStringLiteral("D150"));
        d.Type(Line::kX, QStringLiteral("XYZ"));
        d.Click(Line::kXButton);
        EXPECT_EQ(d.Text(Line::kX), QStringLiteral("XYZ"));
        d.Type(Line::kX, QStringLiteral("dd20v1"));
        d.Click(Line::kXButton);
        EXPECT_EQ(d.Text(Line::kX), QStringLiteral("DD20Z2"));
        d.Click(IDOK);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Reg::k16Bit), 1);
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("12"));
        d.Type(Reg::kNumber, QStringLiteral("150"));
        d.Click(IDOK);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Reg::k16Bit), 1);
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("0"));
        EXPECT_EQ(d.Site().GetCurSel(Reg::kIndexType), 0);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Reg::k32Bit), 1);
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("20"));
        EXPECT_EQ(d.Site().GetCurSel(Reg::kIndexType), 1);
        EXPECT_EQ(d.Text(Reg::kIndexNumber), QStringLiteral("1"));
        d.Select(Reg::kIndexType, 2);
        d.Type(Reg::kIndexNumber, QStringLiteral("2"));
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetX().GetText(), QStringLiteral("DD20Z2"));
}

// A failed exchange (the M-code edit left empty) stops CIR's "D" buttons;
// LINE's go on to the chooser.
TEST_F(CodeTravelDlgTest, OnlyCirStopsItsDButtonsWhenTheExchangeFails)
{
    auto emptyMcode = [](DialogDriver& d) {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13134), kt::test::kStop, IDOK);
        d.Type(CHOXCodeDlg::kMcode, QString());
    };
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    line->SetMcodeMode(1);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Line::kTemplate, [&](DialogDriver& d) {
            emptyMcode(d);
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("Please enter an integer."), kFramework, IDOK);
            d.Click(Line::kXButton);
            d.Click(IDCANCEL);
        });
        dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) { d.Click(IDCANCEL); });
        Line dlg(line);
        dlg.DoModal();
    }
    CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
    cir->SetMcodeMode(1);
    Run<Cir>(cir, [&](DialogDriver& d) {
        emptyMcode(d);
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Please enter an integer."), kFramework, IDOK);
        d.Click(Cir::kXButton);
        d.Click(IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// CIR

TEST_F(CodeTravelDlgTest, CirShowsTheFieldsOfItsForm)
{
    MakeDocument(2);
    CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
    cir->SetCentreIOrRadius(Operand("250"));
    cir->SetCentreJ(Operand("40"));
    Run<Cir>(cir, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Cir::kRadius), 1);
        EXPECT_EQ(d.Check(Cir::kClockwise), 1);
        EXPECT_EQ(d.Text(Cir::kR), QStringLiteral("250"));
        EXPECT_EQ(d.Text(Cir::kI), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Cir::kJ), QStringLiteral("0"));
        EXPECT_TRUE(d.Enabled(Cir::kR));
        EXPECT_TRUE(d.Enabled(Cir::kRButton));
        for (int id : {Cir::kIBox, Cir::kJBox, Cir::kI, Cir::kJ, Cir::kIButton, Cir::kJButton})
            EXPECT_FALSE(d.Enabled(id)) << id;
        d.Click(Cir::kCentre);
        EXPECT_FALSE(d.Enabled(Cir::kR));
        EXPECT_FALSE(d.Enabled(Cir::kRButton));
        for (int id : {Cir::kIBox, Cir::kJBox, Cir::kI, Cir::kJ, Cir::kIButton, Cir::kJButton})
            EXPECT_TRUE(d.Enabled(id)) << id;
        d.Click(Cir::kIBox);
        EXPECT_FALSE(d.Enabled(Cir::kI));
        EXPECT_FALSE(d.Enabled(Cir::kIButton));
        d.Click(Cir::kSpeedBox);
        EXPECT_TRUE(d.Enabled(Cir::kSpeed));
        d.Click(IDCANCEL);
    });

    // By centre: only the offsets in use come over.
    CHOXCodeCir* centre = Place<CHOXCodeCir>(chart);
    centre->SetCentreForm(1);
    centre->SetIUsed(0);
    centre->SetCentreIOrRadius(Operand("250"));
    centre->SetCentreJ(Operand("-40"));
    Cir dlg(centre);
    ScriptedDialogs dialogs;
    dialogs.Expect(Cir::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Cir::kR), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Cir::kI), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Cir::kJ), QStringLiteral("-40"));
        EXPECT_TRUE(d.Enabled(Cir::kIBox));
        EXPECT_FALSE(d.Enabled(Cir::kI));
        EXPECT_TRUE(d.Enabled(Cir::kJ));
        d.Click(Cir::kCounterClockwise);
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetDirection(), 0);
    EXPECT_EQ(dlg.GetCentreMode(), 1);
    EXPECT_EQ(dlg.GetCentreIOrRadius().GetText(), QStringLiteral("0"));
    EXPECT_EQ(dlg.GetCentreJ().GetText(), QStringLiteral("-40"));
}

TEST_F(CodeTravelDlgTest, CirSwitchesTheCombinedCompensationWithItsForm)
{
    MakeDocument(2);
    struct Case {
        BYTE kind;
        int click;
        BYTE after;
    };
    const Case cases[] = {
        {CHOXCompSetting::kRadc, Cir::kCentre, CHOXCompSetting::kCntc},
        {CHOXCompSetting::kCntc, Cir::kRadius, CHOXCompSetting::kRadc},
        {CHOXCompSetting::kCanc, Cir::kCentre, CHOXCompSetting::kCanc},
        {CHOXCompSetting::kCanc, Cir::kRadius, CHOXCompSetting::kCanc},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " by " << c.click);
        CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
        cir->SetCentreForm(c.click == Cir::kRadius ? 1 : 0);
        CHOXCompSetting comp;
        comp.SetKind(c.kind);
        comp.SetOperand1(Operand("D5"));
        comp.SetOperand2(Operand("7"));
        cir->SetCompensation(comp);
        Cir dlg(cir);
        ScriptedDialogs dialogs;
        dialogs.Expect(Cir::kTemplate, [&](DialogDriver& d) {
            d.Click(c.click);
            d.Click(IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        const CHOXCompSetting after = dlg.GetCompSetting();
        EXPECT_EQ(after.GetKind(), c.after);
        const bool zeroed = c.kind != CHOXCompSetting::kCanc;
        EXPECT_EQ(after.GetOperand1Text(), zeroed ? QStringLiteral("0") : QStringLiteral("D5"));
        EXPECT_EQ(after.GetOperand2Text(), zeroed ? QStringLiteral("0") : QStringLiteral("7"));
        EXPECT_TRUE(dlg.GetCompensation());
    }
}

TEST_F(CodeTravelDlgTest, CirByCentreNeedsAnOffsetForOkAndForTheCombination)
{
    MakeDocument(2);
    CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
    cir->SetCentreForm(1);
    Run<Cir>(cir, [](DialogDriver& d) {
        d.Click(Cir::kIBox);
        d.Click(Cir::kJBox);
        ExpectOkRefusedInPlace(d, LoadStr(3212));
        // No combination dialog opens.
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR:   Select At Least One Operand."), kt::test::kStop, IDOK);
        d.Click(Cir::kCombination);
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeTravelDlgTest, CirRefusesEachOperandOnItsField)
{
    MakeDocument(2);
    ExpectRefusals<Cir, CHOXCodeCir>(
        {
            {Cir::kX, "1000000", LoadStr(13205)},
            {Cir::kY, "D", LoadStr(13206)},
            {Cir::kSpeed, "-1", LoadStr(13207)},
            {Cir::kR, "R5", LoadStr(13210)},
            {Cir::kX, "DD6999", LoadStr(13584)},
        },
        [](CHOXCodeCir* cir) { cir->SetSpeedUsed(1); });
    ExpectRefusals<Cir, CHOXCodeCir>(
        {
            {Cir::kI, "I", LoadStr(13208)},
            {Cir::kJ, "-1000000", LoadStr(13209)},
        },
        [](CHOXCodeCir* cir) { cir->SetCentreForm(1); });
    EXPECT_EQ(LoadStr(13208), QStringLiteral("ERROR :  Invalid Value.  Valid Range for i  : -999999 ~ 999999."));
    EXPECT_EQ(LoadStr(13209), QStringLiteral("ERROR :  Invalid Value.  Valid Range for J :  -999999 ~ 999999."));
    EXPECT_EQ(LoadStr(13210),
              QStringLiteral("ERROR :  Invalid incremental value.\nValid Range for r : -999999 ~ 999999."));
}

// ---------------------------------------------------------------------------
// DRIVE

TEST_F(CodeTravelDlgTest, DriveOnIndependentAxesMovesOneAxis)
{
    CHOXCodeDrv* drv = Place<CHOXCodeDrv>(chart);
    drv->SetXUsed(0);
    drv->SetYUsed(1);
    drv->SetYSpeedUsed(1);
    Drv dlg(drv);
    ScriptedDialogs dialogs;
    dialogs.Expect(Drv::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Drv::kXSpeedBox));
        EXPECT_TRUE(d.Enabled(Drv::kYSpeedBox));
        EXPECT_TRUE(d.Enabled(Drv::kYSpeed));
        d.Click(Drv::kXBox);
        EXPECT_EQ(d.Check(Drv::kYBox), 0);
        EXPECT_EQ(d.Check(Drv::kYSpeedBox), 0);
        for (int id : {Drv::kY, Drv::kYSpeed, Drv::kYButton, Drv::kYSpeedButton, Drv::kYSpeedBox})
            EXPECT_FALSE(d.Enabled(id)) << id;
        EXPECT_TRUE(d.Enabled(Drv::kXSpeedBox));
        EXPECT_TRUE(d.Enabled(Drv::kX));
        d.Click(Drv::kXSpeedBox);
        EXPECT_TRUE(d.Enabled(Drv::kXSpeed));
        // And back: Y takes X and its speed away.
        d.Click(Drv::kYBox);
        EXPECT_EQ(d.Check(Drv::kXBox), 0);
        EXPECT_EQ(d.Check(Drv::kXSpeedBox), 0);
        EXPECT_FALSE(d.Enabled(Drv::kXSpeedBox));
        EXPECT_FALSE(d.Enabled(Drv::kX));
        d.Click(Drv::kXBox);
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetXUsed(), 1);
    EXPECT_EQ(dlg.GetYUsed(), 0);
    EXPECT_EQ(dlg.GetXSpeedUsed(), 0);
}

TEST_F(CodeTravelDlgTest, DriveBothAxesOnTheInterpolatingControllerAndOneOnTheOneAxis)
{
    MakeDocument(2);
    CHOXCodeDrv* both = Place<CHOXCodeDrv>(chart);
    Run<Drv>(both, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Drv::kXBox), 1);
        EXPECT_EQ(d.Check(Drv::kYBox), 1);
        d.Click(Drv::kXBox);
        EXPECT_EQ(d.Check(Drv::kYBox), 1);
        EXPECT_FALSE(d.Enabled(Drv::kXSpeedBox));
        d.Click(IDCANCEL);
    });
    MakeDocument(0);
    Run<Drv>(Place<CHOXCodeDrv>(chart), [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Drv::kYBox));
        d.Click(IDCANCEL);
    });
    CHOXCodeDrv* stray = Place<CHOXCodeDrv>(chart);
    stray->SetYUsed(1);
    Run<Drv>(stray, [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(Drv::kYBox));
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeTravelDlgTest, DriveRefusesSpeedsWithoutAxesNoAxisAndEachOperand)
{
    CHOXCodeDrv* drv = Place<CHOXCodeDrv>(chart);
    drv->SetYSpeedUsed(1);
    Run<Drv>(drv, [](DialogDriver& d) {
        ExpectOkRefusedInPlace(
            d, QStringLiteral("ERROR :  Invalid setting.  For setting axis speed, axis target position must set."));
        d.Click(IDCANCEL);
    });
    Run<Drv>(Place<CHOXCodeDrv>(chart), [](DialogDriver& d) {
        d.Click(Drv::kXBox);
        ExpectOkRefusedInPlace(
            d, QStringLiteral("ERROR : Invalid setting : For Drive instruction axis (X or Y or both) must set."));
        d.Click(IDCANCEL);
    });
    MakeDocument(2);
    ExpectRefusals<Drv, CHOXCodeDrv>(
        {
            {Drv::kX, "1000000", LoadStr(13205)},
            {Drv::kXSpeed, "-5", LoadStr(13207)},
            {Drv::kY, "Y", LoadStr(13206)},
            {Drv::kYSpeed, "D4000",
             QStringLiteral("ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 3999")},
        },
        [](CHOXCodeDrv* drv) {
            drv->SetXSpeedUsed(1);
            drv->SetYSpeedUsed(1);
        });
}

// ---------------------------------------------------------------------------
// The combination each travel dialog offers and takes back

TEST_F(CodeTravelDlgTest, TheCombinationOffersWhatTheOwnerCarriesAndHandsItBack)
{
    MakeDocument(2);
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    line->SetEndCheck(1);
    Line lineDlg(line);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Line::kTemplate, [](DialogDriver& d) {
            d.Click(Line::kCombination);
            d.Click(IDOK);
        });
        dialogs.Expect(Comb::kTemplate, [](DialogDriver& d) {
            for (int id : {Comb::kAddressing, Comb::kCompensation, Comb::kEndCheck}) EXPECT_TRUE(d.Enabled(id)) << id;
            EXPECT_EQ(d.Check(Comb::kEndCheck), 1);
            EXPECT_FALSE(d.Enabled(Comb::kAbsolute));
            EXPECT_FALSE(d.Enabled(Comb::kSelect));
            d.Click(Comb::kAddressing);
            EXPECT_TRUE(d.Enabled(Comb::kAbsolute));
            EXPECT_TRUE(d.Enabled(Comb::kIncrement));
            d.Click(Comb::kIncrement);
            d.Click(Comb::kEndCheck);
            d.Click(IDOK);
        });
        ASSERT_EQ(lineDlg.DoModal(), IDOK);
    }
    EXPECT_TRUE(lineDlg.GetAddressing());
    EXPECT_TRUE(lineDlg.GetIncremental());
    EXPECT_FALSE(lineDlg.GetCompensation());
    EXPECT_EQ(lineDlg.GetEndCheck(), 0);

    // DRIVE carries no end check; Cancel in the combination keeps the owner's.
    CHOXCodeDrv* drv = Place<CHOXCodeDrv>(chart);
    drv->SetAddressing(1, 1);
    Drv drvDlg(drv);
    ScriptedDialogs dialogs;
    dialogs.Expect(Drv::kTemplate, [](DialogDriver& d) {
        d.Click(Drv::kCombination);
        d.Click(Drv::kCombination);
        d.Click(IDOK);
    });
    dialogs.Expect(Comb::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(Comb::kEndCheck));
        EXPECT_EQ(d.Check(Comb::kEndCheck), 0);
        EXPECT_EQ(d.Check(Comb::kAddressing), 1);
        EXPECT_EQ(d.Check(Comb::kIncrement), 1);
        d.Click(Comb::kAddressing);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Comb::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Comb::kAddressing), 1);
        d.Click(Comb::kAbsolute);
        d.Click(IDOK);
    });
    ASSERT_EQ(drvDlg.DoModal(), IDOK);
    EXPECT_TRUE(drvDlg.GetAddressing());
    EXPECT_FALSE(drvDlg.GetIncremental());
}
