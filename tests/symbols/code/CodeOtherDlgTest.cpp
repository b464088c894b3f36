// The other code dialogs: drive to zero, addressing, electric zero point,
// set address, timer, interrupt and M code; what each enables by controller
// type, its refusals and the order of its checks.
#include "plc/HOXMcodeKzPlcDlg.h"
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXCodeDrvz.h"
#include "symbols/code/HOXCodeDrvzDlg.h"
#include "symbols/code/HOXCodeIncAbs.h"
#include "symbols/code/HOXCodeIncAbsDlg.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCodeIntDlg.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/code/HOXCodeMcodeDlg.h"
#include "symbols/code/HOXCodeSetAddr.h"
#include "symbols/code/HOXCodeSetAddrDlg.h"
#include "symbols/code/HOXCodeSetrDrvr.h"
#include "symbols/code/HOXCodeSetrDrvrDlg.h"
#include "symbols/code/HOXCodeTime.h"
#include "symbols/code/HOXCodeTimeDlg.h"
#include "symbols/code/HOXDataRegDlg.h"

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::ExpectOkRefusedInPlace;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Base = CHOXCodeDlg;
using Reg = CHOXDataRegDlg;

namespace {

const QString kMcode13768 = QStringLiteral("ERROR:  Invalid Mcode Value.\nValid Mcode Range : 0~1 and  3~100.");

class CodeOtherDlgTest : public kt::test::CodeDialogTest {};

} // namespace

TEST_F(CodeOtherDlgTest, DriveToZeroReturnsOneAxisOnlyWhereBothMoveTogether)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        MakeDocument(type);
        CHOXCodeDrvz* drvz = Place<CHOXCodeDrvz>(chart);
        CHOXCodeDrvzDlg dlg(drvz);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeDrvzDlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Check(CHOXCodeDrvzDlg::kReturnOrigin), 1);
            EXPECT_EQ(d.Enabled(CHOXCodeDrvzDlg::kReturnX), type == 2);
            EXPECT_EQ(d.Enabled(CHOXCodeDrvzDlg::kReturnY), type == 2);
            EXPECT_TRUE(d.Enabled(CHOXCodeDrvzDlg::kReturnOrigin));
            if (type == 2) d.Click(CHOXCodeDrvzDlg::kReturnY);
            d.Click(IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetReturnTarget(), type == 2 ? 1 : 2);
    }
}

TEST_F(CodeOtherDlgTest, AddressingAndElectricZeroTakeTheirRadio)
{
    CHOXCodeIncAbsDlg incAbs(Place<CHOXCodeIncAbs>(chart));
    CHOXCodeSetrDrvrDlg setr(Place<CHOXCodeSetrDrvr>(chart));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeIncAbsDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(CHOXCodeIncAbsDlg::kAbsolute), 1);
        d.Click(CHOXCodeIncAbsDlg::kIncrement);
        d.Click(IDOK);
    });
    dialogs.Expect(CHOXCodeSetrDrvrDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(CHOXCodeSetrDrvrDlg::kReturn), 1);
        d.Click(CHOXCodeSetrDrvrDlg::kSave);
        d.Click(IDOK);
    });
    ASSERT_EQ(incAbs.DoModal(), IDOK);
    ASSERT_EQ(setr.DoModal(), IDOK);
    EXPECT_EQ(incAbs.GetIncrementalMode(), 1);
    EXPECT_EQ(setr.GetFunction(), 0);
}

TEST_F(CodeOtherDlgTest, SetAddressMovesOneAxisAtATimeOnIndependentAxes)
{
    MakeDocument(0);
    Run<CHOXCodeSetAddrDlg>(Place<CHOXCodeSetAddr>(chart), [](DialogDriver& d) {
        EXPECT_EQ(d.Check(CHOXCodeSetAddrDlg::kXBox), 1);
        for (int id : {CHOXCodeSetAddrDlg::kYBox, CHOXCodeSetAddrDlg::kY, CHOXCodeSetAddrDlg::kYButton})
            EXPECT_FALSE(d.Enabled(id)) << id;
        d.Click(IDCANCEL);
    });
    MakeDocument(1);
    CHOXCodeSetAddrDlg dlg(Place<CHOXCodeSetAddr>(chart));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeSetAddrDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Check(CHOXCodeSetAddrDlg::kYBox), 0);
        EXPECT_FALSE(d.Enabled(CHOXCodeSetAddrDlg::kY));
        d.Click(CHOXCodeSetAddrDlg::kYBox);
        EXPECT_EQ(d.Check(CHOXCodeSetAddrDlg::kXBox), 0);
        EXPECT_FALSE(d.Enabled(CHOXCodeSetAddrDlg::kX));
        EXPECT_FALSE(d.Enabled(CHOXCodeSetAddrDlg::kXButton));
        EXPECT_TRUE(d.Enabled(CHOXCodeSetAddrDlg::kY));
        d.Type(CHOXCodeSetAddrDlg::kY, QStringLiteral("-999999"));
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetXUsed(), 0);
    EXPECT_EQ(dlg.GetYUsed(), 1);
    EXPECT_EQ(dlg.GetY().GetText(), QStringLiteral("-999999"));
}

// Operands first, the M code next, and only then the missing axis.
TEST_F(CodeOtherDlgTest, SetAddressChecksOperandsThenMcodeThenAnAxis)
{
    MakeDocument(2);
    CHOXCodeSetAddr* set = Place<CHOXCodeSetAddr>(chart);
    set->SetMcodeMode(1);
    Run<CHOXCodeSetAddrDlg>(set, [](DialogDriver& d) {
        d.Type(CHOXCodeSetAddrDlg::kX, QStringLiteral("1000000"));
        d.Type(Base::kMcode, QStringLiteral("2"));
        ExpectOkRefused(d, CHOXCodeSetAddrDlg::kX, LoadStr(13205));
        d.Type(CHOXCodeSetAddrDlg::kX, QStringLiteral("5"));
        d.Type(CHOXCodeSetAddrDlg::kY, QStringLiteral("D2000V9"));
        ExpectOkRefused(d, CHOXCodeSetAddrDlg::kY, LoadStr(13206));
        d.Type(CHOXCodeSetAddrDlg::kY, QStringLiteral("D2000"));
        ExpectOkRefused(d, Base::kMcode, LoadStr(13134));
        d.Type(Base::kMcode, QStringLiteral("3"));
        d.Click(CHOXCodeSetAddrDlg::kXBox);
        d.Click(CHOXCodeSetAddrDlg::kYBox);
        ExpectOkRefusedInPlace(d, LoadStr(3212));
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeOtherDlgTest, TimerTakesSixteenBitsOfTimeOrARegister)
{
    struct Case {
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {{"65535", true},  {"0", true},   {"D10", true}, {"DD4000", false},
                          {"65536", false}, {"-1", false}, {"T5", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CHOXCodeTimeDlg dlg(Place<CHOXCodeTime>(chart));
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeTimeDlg::kTemplate, [&](DialogDriver& d) {
            d.Type(CHOXCodeTimeDlg::kTime, QString::fromLatin1(c.typed));
            if (c.accepted) {
                d.Click(IDOK);
                return;
            }
            // Beyond the file registers the range check speaks.
            const QString message =
                c.typed[0] == 'D'
                    ? QStringLiteral("ERROR : Invalid Device Number for Device type DD.\nValid range :  0 ~ 3998\n")
                    : QStringLiteral("ERROR : Invalid Value.Valid range:0 ~ 65535");
            ExpectOkRefused(d, CHOXCodeTimeDlg::kTime, message);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL);
        if (c.accepted) {
            EXPECT_EQ(dlg.GetTime().GetText(), QString::fromLatin1(c.typed));
        }
    }
}

// The M code is checked before the time; the "D" button shows the operand in
// an empty field and starts at D0 from a negative value.
TEST_F(CodeOtherDlgTest, TimerChecksTheMcodeFirstAndItsDButtonStartsAtTheOperand)
{
    CHOXCodeTime* time = Place<CHOXCodeTime>(chart);
    time->SetMcodeMode(1);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeTimeDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXCodeTimeDlg::kTime, QStringLiteral("65536"));
        d.Type(Base::kMcode, QStringLiteral("0"));
        ExpectOkRefused(d, Base::kMcode, LoadStr(13134));
        d.Type(CHOXCodeTimeDlg::kTime, QString());
        d.Click(CHOXCodeTimeDlg::kTimeButton);
        EXPECT_EQ(d.Text(CHOXCodeTimeDlg::kTime), QStringLiteral("1"));
        d.Type(CHOXCodeTimeDlg::kTime, QStringLiteral("-5"));
        d.Click(CHOXCodeTimeDlg::kTimeButton);
        EXPECT_EQ(d.Text(CHOXCodeTimeDlg::kTime), QStringLiteral("D7"));
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("1"));
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("0"));
        d.Type(Reg::kNumber, QStringLiteral("7"));
        d.Click(IDOK);
    });
    CHOXCodeTimeDlg dlg(time);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(LoadStr(13747), QStringLiteral("ERROR : Invalid Value.Valid range:0 ~ 65535"));
}

TEST_F(CodeOtherDlgTest, InterruptEnablesTheSecondSpeedWithTwoStepsAndYWithTwoAxes)
{
    MakeDocument(0);
    CHOXCodeIntDlg dlg(Place<CHOXCodeInt>(chart));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeIntDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(CHOXCodeIntDlg::kAxisY));
        EXPECT_EQ(d.Check(CHOXCodeIntDlg::kAxisX), 1);
        EXPECT_EQ(d.Check(CHOXCodeIntDlg::kTwoStep), 1);
        EXPECT_TRUE(d.Enabled(CHOXCodeIntDlg::kSpeed2));
        d.Click(CHOXCodeIntDlg::kOneStep);
        EXPECT_FALSE(d.Enabled(CHOXCodeIntDlg::kSpeed2));
        EXPECT_FALSE(d.Enabled(CHOXCodeIntDlg::kSpeed2Button));
        d.Click(CHOXCodeIntDlg::kTwoStep);
        EXPECT_TRUE(d.Enabled(CHOXCodeIntDlg::kSpeed2Button));
        d.Type(CHOXCodeIntDlg::kSpeed2, QStringLiteral("200000"));
        d.Click(CHOXCodeIntDlg::kOneStep);
        d.Click(IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetDriveMethod(), 0);
    EXPECT_EQ(dlg.GetAxis(), 0);
    EXPECT_EQ(dlg.GetSpeed2().GetText(), QStringLiteral("200000"));
    MakeDocument(1);
    Run<CHOXCodeIntDlg>(Place<CHOXCodeInt>(chart), [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(CHOXCodeIntDlg::kAxisY));
        d.Click(IDCANCEL);
    });
}

TEST_F(CodeOtherDlgTest, InterruptRefusesEachValueAndReadsTheSecondSpeedInOneStep)
{
    const QString speed = QStringLiteral("ERROR : Invalid Value.Valid range: 0 ~ 200000");
    struct Case {
        int field;
        const char* typed;
        QString message;
    };
    const Case cases[] = {
        {CHOXCodeIntDlg::kDistance, "1000000", LoadStr(13245)},
        {CHOXCodeIntDlg::kDistance, "D4000",
         QStringLiteral("ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 3999")},
        {CHOXCodeIntDlg::kSpeed1, "-1", speed},
        {CHOXCodeIntDlg::kSpeed1, "200001", speed},
        {CHOXCodeIntDlg::kSpeed1, "S", speed},
        {CHOXCodeIntDlg::kSpeed2, "F1", speed},
        {CHOXCodeIntDlg::kSpeed2, "DD7000", LoadStr(13584)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Run<CHOXCodeIntDlg>(Place<CHOXCodeInt>(chart), [&](DialogDriver& d) {
            d.Type(c.field, QString::fromLatin1(c.typed));
            // The second speed is read in one step as well.
            d.Click(CHOXCodeIntDlg::kOneStep);
            ExpectOkRefused(d, c.field, c.message);
            d.Click(IDCANCEL);
        });
    }
    EXPECT_EQ(LoadStr(13245), QStringLiteral("ERROR : Invalid Distance value.\n Valid Range : -999999 ~ +999999."));
}

TEST_F(CodeOtherDlgTest, InterruptDButtonsStartAtD0FromANegativeValue)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeIntDlg::kTemplate, [](DialogDriver& d) {
        d.Type(CHOXCodeIntDlg::kDistance, QStringLiteral("-5"));
        d.Click(CHOXCodeIntDlg::kDistanceButton);
        EXPECT_EQ(d.Text(CHOXCodeIntDlg::kDistance), QStringLiteral("-5"));
        d.Type(CHOXCodeIntDlg::kSpeed1, QStringLiteral("300"));
        d.Click(CHOXCodeIntDlg::kSpeed1Button);
        d.Click(IDOK);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("0"));
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Reg::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Reg::kNumber), QStringLiteral("300"));
        d.Click(Reg::k32Bit);
        d.Click(IDOK);
    });
    CHOXCodeIntDlg dlg(Place<CHOXCodeInt>(chart));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetDistance().GetText(), QStringLiteral("-5"));
    EXPECT_EQ(dlg.GetSpeed1().GetText(), QStringLiteral("DD300"));
}

// ---------------------------------------------------------------------------
// M Code

TEST_F(CodeOtherDlgTest, McodeOffersTheAxesByControllerType)
{
    struct Case {
        int type;
        bool x;
        bool y;
        int axis;
    };
    const Case cases[] = {{0, true, false, 0}, {1, true, true, 1}, {2, false, false, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        MakeDocument(c.type);
        CHOXCodeMcode* mcode = Place<CHOXCodeMcode>(chart);
        mcode->SetDialogValue(c.type == 1 ? 1 : 0);
        CHOXCodeMcodeDlg dlg(mcode);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeMcodeDlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Enabled(CHOXCodeMcodeDlg::kAxisX), c.x);
            EXPECT_EQ(d.Enabled(CHOXCodeMcodeDlg::kAxisY), c.y);
            EXPECT_EQ(d.Check(CHOXCodeMcodeDlg::kAxisX), c.axis == 0 ? 1 : 0);
            EXPECT_EQ(d.Check(CHOXCodeMcodeDlg::kAxisY), c.axis == 1 ? 1 : 0);
            EXPECT_FALSE(d.Site().HasControl(Base::kMcodeMode));
            EXPECT_TRUE(d.Site().HasControl(CHOXCodeMcodeDlg::kDisplayContentsBox));
            d.Click(IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetAxis(), c.axis);
    }
}

TEST_F(CodeOtherDlgTest, McodeTakesZeroToOneHundredButTwo)
{
    struct Case {
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {{"0", true},  {"1", true},    {"3", true}, {"100", true},
                          {"2", false}, {"101", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CHOXCodeMcodeDlg dlg(Place<CHOXCodeMcode>(chart));
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeMcodeDlg::kTemplate, [&](DialogDriver& d) {
            // No two-digit limit here.
            d.Type(Base::kMcode, QString::fromLatin1(c.typed));
            if (c.accepted) {
                d.Click(IDOK);
                return;
            }
            ExpectOkRefused(d, Base::kMcode, kMcode13768);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL);
        if (c.accepted) {
            EXPECT_EQ(dlg.GetMcode(), QString::fromLatin1(c.typed).toInt());
        }
    }
}

TEST_F(CodeOtherDlgTest, McodeUpDownRunsFromZeroToOneHundredPastTwo)
{
    CHOXCodeMcode* mcode = Place<CHOXCodeMcode>(chart);
    mcode->SetNumber(0);
    Run<CHOXCodeMcodeDlg>(mcode, [](DialogDriver& d) {
        const char* const shown[][2] = {{"-", "100"}, {"+", "0"}, {"+", "1"}, {"+", "3"}, {"-", "1"}};
        for (const auto& [direction, text] : shown) {
            d.Spin(Base::kMcodeSpin, direction[0] == '+' ? 1 : -1);
            EXPECT_EQ(d.Text(Base::kMcode), QString::fromLatin1(text)) << direction << " to " << text;
        }
        d.Click(IDCANCEL);
    });
}

// "&KZ - PLC" opens the M code's sequence with the M code, the axis and
// whether the M code was changed here; an M code that fails stays here.
TEST_F(CodeOtherDlgTest, McodeKzPlcOpensTheSequenceOfAValidMcode)
{
    CHOXCodeMcode* mcode = Place<CHOXCodeMcode>(chart);
    mcode->SetNumber(5);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXCodeMcodeDlg::kTemplate, [](DialogDriver& d) {
        d.Click(CHOXCodeMcodeDlg::kKzPlc);
        d.Click(CHOXCodeMcodeDlg::kAxisY);
        d.Type(Base::kMcode, QStringLiteral("7"));
        d.Click(CHOXCodeMcodeDlg::kKzPlc);
        d.Type(Base::kMcode, QStringLiteral("2"));
        {
            ScriptedMessages messages;
            messages.Expect(kMcode13768, kt::test::kStop, IDOK);
            d.Click(CHOXCodeMcodeDlg::kKzPlc);
            kt::test::ExpectRefused(d, messages, Base::kMcode, kMcode13768);
        }
        d.Click(IDCANCEL);
    });
    dialogs.Expect(CHOXMcodeKzPlcDlg::kTemplate, [mcode](DialogDriver& d) {
        auto& plc = static_cast<CHOXMcodeKzPlcDlg&>(d.Dialog());
        EXPECT_EQ(plc.GetSymbol(), mcode);
        EXPECT_EQ(plc.GetMcode(), 5);
        EXPECT_EQ(plc.GetAxis(), 0);
        EXPECT_EQ(plc.GetChanged(), 0);
        EXPECT_EQ(d.Caption(), QStringLiteral("M code KZ -- PLC  instruction"));
        d.Click(IDCANCEL);
    });
    dialogs.Expect(CHOXMcodeKzPlcDlg::kTemplate, [](DialogDriver& d) {
        auto& plc = static_cast<CHOXMcodeKzPlcDlg&>(d.Dialog());
        EXPECT_EQ(plc.GetMcode(), 7);
        EXPECT_EQ(plc.GetAxis(), 1);
        EXPECT_EQ(plc.GetChanged(), 1);
        d.Click(IDCANCEL);
    });
    CHOXCodeMcodeDlg dlg(mcode);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogs.Ran(), 3);
}
