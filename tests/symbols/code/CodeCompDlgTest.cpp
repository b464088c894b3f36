// "COMPENSATION" for the compensation symbol and for the combination of a
// travel instruction, and "Combination settings": what each offers by
// controller type and owner, the refusals, and a compensation ticked without
// being chosen.
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeCirDlg.h"
#include "symbols/code/HOXCodeComp.h"
#include "symbols/code/HOXCodeCompDlg.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCodeDrvDlg.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCodeIntDlg.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeLineDlg.h"
#include "symbols/code/HOXCombinationDlg.h"

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::ExpectOkRefusedInPlace;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Comp = CHOXCodeCompDlg;
using Comb = CHOXCombinationDlg;

namespace {

CHOXDataReg Operand(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

CHOXCompSetting Setting(BYTE kind, int used1, int used2, const char* op1 = "0", const char* op2 = "0")
{
    CHOXCompSetting s;
    s.SetKind(kind);
    s.SetOperand1Used(used1);
    s.SetOperand2Used(used2);
    s.SetOperand1(Operand(op1));
    s.SetOperand2(Operand(op2));
    return s;
}

// The kind, used flags and operands, as one text.
std::string Describe(const CHOXCompSetting& s)
{
    return QStringLiteral("%1 %2%3 %4 %5")
        .arg(s.GetKind())
        .arg(s.IsOperand1Used())
        .arg(s.IsOperand2Used())
        .arg(s.GetOperand1Text(), s.GetOperand2Text())
        .toStdString();
}

const int kRadios[] = {Comp::kMovement, Comp::kRadius, Comp::kCentre, Comp::kCancel};

class CodeCompDlgTest : public kt::test::CodeDialogTest {
protected:
    CHOXCodeComp* PlaceComp(const CHOXCompSetting& setting)
    {
        CHOXCodeComp* comp = Place<CHOXCodeComp>(chart);
        comp->SetCompSetting(setting);
        return comp;
    }
    // Runs the symbol's dialog; the setting after OK.
    CHOXCompSetting RunComp(CHOXCodeComp* comp, ScriptedDialogs::Script script, int expected = IDOK)
    {
        Comp dlg(comp);
        ScriptedDialogs dialogs;
        dialogs.Expect(Comp::kTemplate, std::move(script));
        EXPECT_EQ(dlg.DoModal(), expected);
        return dlg.GetCompSetting();
    }
    // Which of the four radios are enabled, as "1101".
    static std::string RadiosEnabled(DialogDriver& d)
    {
        std::string s;
        for (int id : kRadios) s += d.Enabled(id) ? '1' : '0';
        return s;
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The compensation symbol's own dialog

TEST_F(CodeCompDlgTest, RadiusAndCentreOnlyWhereBothAxesMoveTogether)
{
    struct Case {
        int type;
        const char* radios;
        bool yBox;
    };
    const Case cases[] = {{0, "1001", false}, {1, "1001", true}, {2, "1111", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        MakeDocument(c.type);
        const CHOXCompSetting after =
            RunComp(PlaceComp(Setting(CHOXCompSetting::kMovc, 1, 1, "5", "6")), [&](DialogDriver& d) {
                EXPECT_EQ(RadiosEnabled(d), c.radios);
                EXPECT_EQ(d.Check(Comp::kMovement), 1);
                EXPECT_EQ(d.Text(Comp::kX), QStringLiteral("5"));
                EXPECT_EQ(d.Text(Comp::kY), QStringLiteral("6"));
                EXPECT_EQ(d.Check(Comp::kXBox), 1);
                EXPECT_EQ(d.Check(Comp::kYBox), c.type == 0 ? 0 : 1);
                EXPECT_EQ(d.Enabled(Comp::kYBox), c.yBox);
                EXPECT_EQ(d.Enabled(Comp::kY), c.type != 0);
                EXPECT_EQ(d.Enabled(Comp::kYButton), c.type != 0);
                for (int id : {Comp::kR, Comp::kRButton, Comp::kIBox, Comp::kI, Comp::kJBox, Comp::kJ})
                    EXPECT_FALSE(d.Enabled(id)) << id;
                // The symbol's own dialog keeps its comment and M code.
                EXPECT_TRUE(d.Enabled(CHOXCodeDlg::kComment));
                EXPECT_TRUE(d.Enabled(CHOXCodeDlg::kMcodeMode));
                d.Click(IDOK);
            });
        // The one-axis controller has no Y to correct.
        EXPECT_EQ(after.IsOperand2Used(), c.type == 0 ? 0 : 1);
    }
}

TEST_F(CodeCompDlgTest, OnIndependentAxesOneAxisIsCorrectedAtATime)
{
    const CHOXCompSetting after = RunComp(PlaceComp(Setting(CHOXCompSetting::kMovc, 1, 0, "5")), [](DialogDriver& d) {
        EXPECT_EQ(d.Check(Comp::kYBox), 0);
        EXPECT_FALSE(d.Enabled(Comp::kY));
        d.Click(Comp::kYBox);
        EXPECT_EQ(d.Check(Comp::kXBox), 0);
        EXPECT_FALSE(d.Enabled(Comp::kX));
        EXPECT_FALSE(d.Enabled(Comp::kXButton));
        EXPECT_TRUE(d.Enabled(Comp::kY));
        d.Type(Comp::kY, QStringLiteral("-7"));
        d.Click(Comp::kXBox);
        EXPECT_EQ(d.Check(Comp::kYBox), 0);
        EXPECT_FALSE(d.Enabled(Comp::kY));
        // What was typed stays in the field.
        EXPECT_EQ(d.Text(Comp::kY), QStringLiteral("-7"));
        d.Click(Comp::kYBox);
        d.Click(IDOK);
    });
    EXPECT_EQ(Describe(after), "0 01 5 -7");
}

// Switching the correction shows the new group at "0"; a group not in use
// is not read at OK.
TEST_F(CodeCompDlgTest, SwitchingTheCorrectionStartsItsFieldsAtZero)
{
    MakeDocument(2);
    CHOXCompSetting after = RunComp(PlaceComp(Setting(CHOXCompSetting::kMovc, 1, 1, "5", "6")), [](DialogDriver& d) {
        d.Click(Comp::kRadius);
        EXPECT_EQ(d.Text(Comp::kR), QStringLiteral("0"));
        EXPECT_TRUE(d.Enabled(Comp::kR));
        EXPECT_FALSE(d.Enabled(Comp::kXBox));
        EXPECT_FALSE(d.Enabled(Comp::kX));
        d.Click(Comp::kCentre);
        EXPECT_EQ(d.Text(Comp::kI), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Comp::kJ), QStringLiteral("0"));
        EXPECT_FALSE(d.Enabled(Comp::kR));
        EXPECT_TRUE(d.Enabled(Comp::kIBox));
        // The centre's boxes start clear: their fields are off.
        EXPECT_FALSE(d.Enabled(Comp::kI));
        d.Click(Comp::kJBox);
        EXPECT_TRUE(d.Enabled(Comp::kJ));
        d.Type(Comp::kJ, QStringLiteral("D12"));
        d.Click(Comp::kCancel);
        for (int id : {Comp::kXBox, Comp::kR, Comp::kIBox, Comp::kJBox, Comp::kJ}) EXPECT_FALSE(d.Enabled(id)) << id;
        // The boxes kept their state.
        d.Click(Comp::kCentre);
        EXPECT_TRUE(d.Enabled(Comp::kJ));
        d.Type(Comp::kJ, QStringLiteral("D12"));
        d.Click(IDOK);
    });
    // I is not in use: its operand keeps its value.
    EXPECT_EQ(Describe(after), "2 01 5 D12");

    after = RunComp(PlaceComp(Setting(CHOXCompSetting::kCntc, 1, 1, "5", "6")), [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Comp::kI), QStringLiteral("5"));
        d.Click(Comp::kMovement);
        EXPECT_EQ(d.Text(Comp::kX), QStringLiteral("0"));
        d.Click(Comp::kXBox);
        d.Type(Comp::kX, QStringLiteral("-999999"));
        d.Click(IDOK);
    });
    EXPECT_EQ(Describe(after), "0 10 -999999 6");
}

TEST_F(CodeCompDlgTest, RefusesEachFieldAndACorrectionWithoutOperands)
{
    MakeDocument(2);
    struct Case {
        BYTE kind;
        int field;
        const char* typed;
        QString message;
    };
    const Case cases[] = {
        {CHOXCompSetting::kMovc, Comp::kX, "1000000", LoadStr(13205)},
        {CHOXCompSetting::kMovc, Comp::kY, "Y1", LoadStr(13206)},
        {CHOXCompSetting::kRadc, Comp::kR, "", LoadStr(13210)},
        {CHOXCompSetting::kCntc, Comp::kI, "-1000000", LoadStr(13208)},
        {CHOXCompSetting::kCntc, Comp::kJ, "J", LoadStr(13209)},
        {CHOXCompSetting::kCntc, Comp::kJ, "D7000", LoadStr(13583)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        RunComp(
            PlaceComp(Setting(c.kind, 1, 1)),
            [&](DialogDriver& d) {
                d.Type(c.field, QString::fromLatin1(c.typed));
                ExpectOkRefused(d, c.field, c.message);
                d.Click(IDCANCEL);
            },
            IDCANCEL);
    }
    for (BYTE kind : {CHOXCompSetting::kMovc, CHOXCompSetting::kCntc}) {
        RunComp(
            PlaceComp(Setting(kind, 0, 0)),
            [](DialogDriver& d) {
                ExpectOkRefusedInPlace(d, QStringLiteral("ERROR:   Select At Least One Operand."));
                d.Click(IDCANCEL);
            },
            IDCANCEL);
    }
    // Radius correction needs no box.
    EXPECT_EQ(Describe(RunComp(PlaceComp(Setting(CHOXCompSetting::kRadc, 0, 0, "D3")),
                               [](DialogDriver& d) { d.Click(IDOK); })),
              "1 00 D3 0");
}

TEST_F(CodeCompDlgTest, TheSymbolsMcodeIsCheckedAfterTheRadioIsRead)
{
    CHOXCodeComp* comp = PlaceComp(Setting(CHOXCompSetting::kMovc, 0, 0));
    comp->SetMcodeMode(1);
    comp->SetMcode(5);
    RunComp(
        comp,
        [](DialogDriver& d) {
            d.Type(CHOXCodeDlg::kMcode, QStringLiteral("2"));
            ExpectOkRefused(d, CHOXCodeDlg::kMcode, LoadStr(13134));
            d.Type(CHOXCodeDlg::kMcode, QStringLiteral("3"));
            ExpectOkRefusedInPlace(d, LoadStr(3212));
            d.Click(IDCANCEL);
        },
        IDCANCEL);
}

// ---------------------------------------------------------------------------
// In combination

TEST_F(CodeCompDlgTest, InCombinationOnlyWhatSuitsTheOwnerIsOffered)
{
    MakeDocument(2);
    struct Case {
        const char* owner;
        CHOXCompSetting setting;
        bool centre;
        bool radius;
        bool fromCir;
        const char* radios;
        int checked;
    };
    const Case cases[] = {
        {"CIR by radius", Setting(CHOXCompSetting::kMovc, 1, 1), false, true, true, "0101", Comp::kRadius},
        {"CIR by centre", Setting(CHOXCompSetting::kRadc, 1, 1), true, false, true, "0011", Comp::kCentre},
        {"CIR cancelled", Setting(CHOXCompSetting::kCanc, 1, 1), false, true, true, "0101", Comp::kCancel},
        {"CIR by centre cancelled", Setting(CHOXCompSetting::kCanc, 1, 1), true, false, true, "0011", Comp::kCancel},
        {"LINE", Setting(CHOXCompSetting::kMovc, 1, 1), false, false, false, "1001", Comp::kMovement},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner);
        Comp dlg(c.setting, c.centre, c.radius, doc.get(), c.fromCir);
        ScriptedDialogs dialogs;
        dialogs.Expect(Comp::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(RadiosEnabled(d), c.radios);
            EXPECT_EQ(d.Check(c.checked), 1);
            for (int id :
                 {CHOXCodeDlg::kComment, CHOXCodeDlg::kDisplayComment, CHOXCodeDlg::kDisplayContents,
                  CHOXCodeDlg::kParameters, CHOXCodeDlg::kMcodeMode, CHOXCodeDlg::kMcode, CHOXCodeDlg::kMcodeSpin})
                EXPECT_FALSE(d.Enabled(id)) << id;
            EXPECT_EQ(d.Enabled(Comp::kR), c.checked == Comp::kRadius);
            EXPECT_EQ(d.Enabled(Comp::kIBox), c.checked == Comp::kCentre);
            EXPECT_FALSE(d.Enabled(Comp::kXBox) && c.fromCir);
            d.Click(IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetCompSetting().GetKind(), c.checked == Comp::kRadius   ? CHOXCompSetting::kRadc
                                                  : c.checked == Comp::kCentre ? CHOXCompSetting::kCntc
                                                  : c.checked == Comp::kCancel ? CHOXCompSetting::kCanc
                                                                               : CHOXCompSetting::kMovc);
    }
}

TEST_F(CodeCompDlgTest, TheCombinationOfEachOwnerOpensCompensationForIt)
{
    MakeDocument(2);
    struct Case {
        const char* owner;
        UINT ownerTemplate;
        int combination;
        std::function<CHOXSymbol*()> place;
        const char* radios;
        const char* offered; // addressing, compensation, end check
    };
    const Case cases[] = {
        {"LINE", CHOXCodeLineDlg::kTemplate, CHOXCodeLineDlg::kCombination,
         [this] { return Place<CHOXCodeLine>(chart); }, "1001", "111"},
        {"DRIVE", CHOXCodeDrvDlg::kTemplate, CHOXCodeDrvDlg::kCombination, [this] { return Place<CHOXCodeDrv>(chart); },
         "1001", "110"},
        {"INTERRUPT", CHOXCodeIntDlg::kTemplate, CHOXCodeIntDlg::kCombination,
         [this] { return Place<CHOXCodeInt>(chart); }, "1001", "010"},
        {"CIR", CHOXCodeCirDlg::kTemplate, CHOXCodeCirDlg::kCombination, [this] { return Place<CHOXCodeCir>(chart); },
         "0101", "111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner);
        CHOXSymbol* symbol = c.place();
        ScriptedDialogs dialogs;
        dialogs.Expect(c.ownerTemplate, [&](DialogDriver& d) {
            d.Click(c.combination);
            d.Click(IDCANCEL);
        });
        dialogs.Expect(Comb::kTemplate, [&](DialogDriver& d) {
            std::string offered;
            for (int id : {Comb::kAddressing, Comb::kCompensation, Comb::kEndCheck})
                offered += d.Enabled(id) ? '1' : '0';
            EXPECT_EQ(offered, c.offered);
            if (c.offered[2] == '0') {
                EXPECT_EQ(d.Check(Comb::kEndCheck), 0);
            }
            d.Click(Comb::kCompensation);
            EXPECT_TRUE(d.Enabled(Comb::kSelect));
            d.Click(Comb::kSelect);
            d.Click(IDCANCEL);
        });
        dialogs.Expect(Comp::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(RadiosEnabled(d), c.radios);
            d.Click(IDCANCEL);
        });
        symbol->OnOpen(0, CPoint());
        EXPECT_EQ(dialogs.Ran(), 3);
    }
    EXPECT_FALSE(doc->IsModified());
}

// Ticking "Compensation" without choosing one used to hand the owner the
// bare default, movement correction of both axes: a CIR would count a
// compensation it cannot write, and where the axes move one at a time the
// controller refuses two operands. It now takes the form "COMPENSATION"
// would have opened with.
TEST_F(CodeCompDlgTest, ACompensationTickedWithoutSelectTakesTheOwnersForm)
{
    struct Case {
        const char* owner;
        int type;
        std::function<CHOXSymbol*()> place;
        UINT ownerTemplate;
        int combination;
        std::string setting;
        const char* codeLine;
    };
    const Case cases[] = {
        {"CIR by radius", 2, [this] { return Place<CHOXCodeCir>(chart); }, CHOXCodeCirDlg::kTemplate,
         CHOXCodeCirDlg::kCombination, "1 11 0 0", "cod75(RADC) r0;"},
        {"CIR by centre", 2,
         [this] {
             CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
             cir->SetCentreForm(1);
             return cir;
         },
         CHOXCodeCirDlg::kTemplate, CHOXCodeCirDlg::kCombination, "2 11 0 0", "cod74(CNTC) i0 j0;"},
        {"LINE on two independent axes", 1, [this] { return Place<CHOXCodeLine>(chart); }, CHOXCodeLineDlg::kTemplate,
         CHOXCodeLineDlg::kCombination, "0 10 0 0", "cod73(MOVC) x0 ;"},
        {"LINE on one axis", 0, [this] { return Place<CHOXCodeLine>(chart); }, CHOXCodeLineDlg::kTemplate,
         CHOXCodeLineDlg::kCombination, "0 10 0 0", "cod73(MOVC) x0 ;"},
        {"DRIVE on two independent axes", 1, [this] { return Place<CHOXCodeDrv>(chart); }, CHOXCodeDrvDlg::kTemplate,
         CHOXCodeDrvDlg::kCombination, "0 10 0 0", "cod73(MOVC) x0 ;"},
        {"INTERRUPT on one axis", 0, [this] { return Place<CHOXCodeInt>(chart); }, CHOXCodeIntDlg::kTemplate,
         CHOXCodeIntDlg::kCombination, "0 10 0 0", "cod73(MOVC) x0 ;"},
        {"LINE moving both together", 2, [this] { return Place<CHOXCodeLine>(chart); }, CHOXCodeLineDlg::kTemplate,
         CHOXCodeLineDlg::kCombination, "0 11 0 0", "cod73(MOVC) x0 y0;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.owner);
        MakeDocument(c.type);
        CHOXSymbol* symbol = c.place();
        ScriptedDialogs dialogs;
        dialogs.Expect(c.ownerTemplate, [&](DialogDriver& d) {
            d.Click(c.combination);
            d.Click(IDOK);
        });
        dialogs.Expect(Comb::kTemplate, [](DialogDriver& d) {
            d.Click(Comb::kCompensation);
            d.Click(IDOK);
        });
        symbol->OnOpen(0, CPoint());
        CHOXCompSetting setting;
        if (auto* cir = dynamic_cast<CHOXCodeCir*>(symbol)) setting = cir->GetCompSetting();
        if (auto* line = dynamic_cast<CHOXCodeLine*>(symbol)) setting = line->GetCompSetting();
        if (auto* drv = dynamic_cast<CHOXCodeDrv*>(symbol)) setting = drv->GetCompSetting();
        if (auto* intr = dynamic_cast<CHOXCodeInt*>(symbol)) setting = intr->GetCompSetting();
        EXPECT_EQ(Describe(setting), c.setting);
        EXPECT_TRUE(symbol->GetCode().contains(QString::fromLatin1(c.codeLine))) << symbol->GetCode().toStdString();
        EXPECT_EQ(symbol->GetErrorState(), 0);
    }
}

// A setting chosen in "COMPENSATION" is the user's: OK in the combination
// keeps it as chosen.
TEST_F(CodeCompDlgTest, ACompensationChosenIsKeptAsChosen)
{
    MakeDocument(2);
    CHOXCodeLine* line = Place<CHOXCodeLine>(chart);
    ScriptedDialogs dialogs;
    RecordingHelp help;
    dialogs.Expect(CHOXCodeLineDlg::kTemplate, [](DialogDriver& d) {
        d.Click(CHOXCodeLineDlg::kCombination);
        d.Click(IDOK);
    });
    dialogs.Expect(Comb::kTemplate, [](DialogDriver& d) {
        d.Click(Comb::kCompensation);
        d.Click(Comb::kSelect);
        d.Click(Comb::kHelp);
        d.Click(IDOK);
    });
    dialogs.Expect(Comp::kTemplate, [](DialogDriver& d) {
        d.Click(Comp::kYBox);
        d.Type(Comp::kX, QStringLiteral("d10"));
        d.Click(IDOK);
    });
    line->OnOpen(0, CPoint());
    EXPECT_EQ(Describe(line->GetCompSetting()), "0 10 D10 0");
    EXPECT_TRUE(line->GetCode().startsWith(QStringLiteral("\ncod73(MOVC) xD10 ;\n")));
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/207f2.html"));
}
