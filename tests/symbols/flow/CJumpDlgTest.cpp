// The conditional jump's dialogs: the form chooser, the bit condition with
// its normal form and refused lines, the compare and zone dialogs with their
// operand and output refusals, relation pictures, output spins and Select
// buttons, and the symbol's double click from chooser to stored values.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowCJumpBitDlg.h"
#include "symbols/flow/HOXFlowCJumpCmpDlg.h"
#include "symbols/flow/HOXFlowCJumpDlg.h"
#include "symbols/flow/HOXFlowCJumpZoneDlg.h"

#include "chart/HOXUndo.h"
#include "platform/Resources.h"
#include "platform/ui/QtDialogSite.h"
#include "support/ImageCompare.h"
#include "support/Screenshot.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/operand/HOXSelWordDevDlg.h"

#include <QLabel>
#include <QPushButton>

#include <functional>

using kt::test::DialogDriver;
using kt::test::SamePicture;
using kt::test::FlowDocTest;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using kt::test::StoredBytes;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;
using Cmp = CHOXFlowCJumpCmpDlg;
using Zone = CHOXFlowCJumpZoneDlg;
using Bit = CHOXFlowCJumpBitDlg;

class CJumpDlgTest : public FlowDocTest {
protected:
    CHOXFlowCJump* Jump() { return Place<CHOXFlowCJump>(chart); }

    template <class D>
    int Run(D& dlg, std::function<void(DialogDriver&)> script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(D::kTemplate, std::move(script));
        return dlg.DoModal();
    }
};

QImage Picture(DialogDriver& d, int id)
{
    auto* label = qobject_cast<QLabel*>(d.Widget(id));
    return label != nullptr ? label->pixmap().toImage() : QImage();
}

} // namespace

TEST_F(CJumpDlgTest, BitConditionIsStoredInNormalForm)
{
    const struct {
        const char* what;
        const char* typed;
        const char* stored;
    } cases[] = {
        {"lower case and blanks", "ld    x0;\r\n   and x1;", "LD  X0;\nAND  X1;"},
        {"block instructions without blanks", "LD X0;\r\nLD X1;\r\nORB;\r\nANB ;", "LD  X0;\nLD  X1;\nORB;\nANB;"},
        {"empty lines skipped, comment kept", "\r\nLDI M3; start\r\n\r\n", "LDI  M3; start"},
        {"nothing", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bit dlg(Jump());
        EXPECT_EQ(dlg.GetDialogKind(), 709);
        EXPECT_EQ(Run(dlg,
                      [&](DialogDriver& d) {
                          d.Dialog().SetDlgItemText(Bit::kCondition, QString::fromLatin1(c.typed));
                          d.Click(IDOK);
                      }),
                  IDOK);
        EXPECT_EQ(dlg.GetCondition().toStdString(), c.stored);
    }
}

TEST_F(CJumpDlgTest, BitConditionRefusesOtherInstructionsSelectingTheLine)
{
    const struct {
        const char* what;
        const char* typed;
        QString message;
        const char* selected;
    } cases[] = {
        {"OUT is no condition", "LD X0;\r\nOUT Y0;", QStringLiteral("ERROR :  Undefined Instruction."), "OUT Y0;"},
        {"a jump is no condition", "CJ(FNC00) P1;\r\nLD X0;", QStringLiteral("ERROR :  Undefined Instruction."),
         "CJ(FNC00) P1;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        Bit dlg(Jump());
        Run(dlg, [&](DialogDriver& d) {
            d.Dialog().SetDlgItemText(Bit::kCondition, QString::fromLatin1(c.typed));
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), Bit::kCondition);
            EXPECT_EQ(d.SelectedText(Bit::kCondition).toStdString(), c.selected);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(messages.seen.size(), 1u);
    }
    // A line the checker refuses shows the checker's own words.
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Wrong combination of operands."), kStop, IDOK);
    Bit dlg(Jump());
    Run(dlg, [&](DialogDriver& d) {
        d.Dialog().SetDlgItemText(Bit::kCondition, QStringLiteral("LD X0;\r\nLD Q9;"));
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.SelectedText(Bit::kCondition), QStringLiteral("LD Q9;"));
        d.Click(IDCANCEL);
    });
}

TEST_F(CJumpDlgTest, BitConditionOpensOneStatementALine)
{
    CHOXFlowCJump* jump = Jump();
    jump->SetBitCondition(QStringLiteral("LD  X0;\n  AND  X1;"));
    jump->SetNegated(1);
    Bit dlg(jump);
    Run(dlg, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(Bit::kCondition), QStringLiteral("LD  X0;\r\nAND  X1;"));
        EXPECT_EQ(d.Check(Bit::kOff), 1);
        d.Click(IDCANCEL);
    });
}

TEST_F(CJumpDlgTest, RelationButtonsShowTheirPictures)
{
    Cmp dlg(Jump());
    EXPECT_EQ(dlg.GetDialogKind(), 710);
    Run(dlg, [&](DialogDriver& d) {
        for (std::size_t i = 0; i < Cmp::kRelationButtons.size(); ++i) {
            SCOPED_TRACE(i);
            const QImage picture = LoadBitmapResource(Cmp::kRelationBitmaps[i]);
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.size(), QSize(24, 24));
            auto* button = qobject_cast<QPushButton*>(d.Widget(Cmp::kRelationButtons[i]));
            ASSERT_NE(button, nullptr);
            EXPECT_FALSE(button->icon().isNull());
            d.Click(Cmp::kRelationButtons[i]);
            EXPECT_TRUE(SamePicture(Picture(d, Cmp::kRelationPicture), picture));
        }
        d.Type(Cmp::kSource1, QStringLiteral("D0"));
        d.Type(Cmp::kSource2, QStringLiteral("K1"));
        d.Click(Cmp::kRelationButtons[3]);
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.GetRelation(), 3);
    // The six pictures differ from each other.
    for (std::size_t i = 0; i < Cmp::kRelationBitmaps.size(); ++i)
        for (std::size_t j = i + 1; j < Cmp::kRelationBitmaps.size(); ++j)
            EXPECT_NE(LoadBitmapResource(Cmp::kRelationBitmaps[i]), LoadBitmapResource(Cmp::kRelationBitmaps[j]));
}

TEST_F(CJumpDlgTest, CompareAndZoneRefuseEmptyAndBadOperands)
{
    QString lacks;
    CHOXSelectVal operand;
    ASSERT_TRUE(operand.Parse(QStringLiteral("D5000"), lacks));
    ASSERT_FALSE(operand.CheckRange(false, false, lacks, 0));
    QString unreadable;
    ASSERT_FALSE(operand.Parse(QStringLiteral("Q1"), unreadable));
    const struct {
        const char* what;
        bool zone;
        std::array<const char*, 3> texts;
        QString message;
        int selected;
    } cases[] = {
        {"compare: first empty", false, {"", "K1"}, QStringLiteral("ERROR : Invalid Destination Data."), Cmp::kSource2},
        {"compare: second lacks",
         false,
         {"K1", "D5000"},
         QStringLiteral("ERROR : Invalid Destination Data.") + lacks,
         Cmp::kSource2},
        {"compare: first no operand",
         false,
         {"Q1", "K1"},
         QStringLiteral("ERROR : Invalid Destination Data.") + unreadable,
         Cmp::kSource1},
        {"zone: middle empty", true, {"K1", "", "K3"}, QStringLiteral("ERROR :  Invalid Data."), Zone::kOperands[1]},
        {"zone: last lacks",
         true,
         {"K1", "D0", "D5000"},
         QStringLiteral("ERROR :  Invalid Data.") + lacks,
         Zone::kOperands[2]},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        const auto script = [&](DialogDriver& d) {
            const int count = c.zone ? 3 : 2;
            for (int i = 0; i < count; ++i) {
                const int edit =
                    c.zone ? Zone::kOperands[static_cast<std::size_t>(i)] : (i == 0 ? Cmp::kSource1 : Cmp::kSource2);
                d.Type(edit, QString::fromLatin1(c.texts[static_cast<std::size_t>(i)]));
            }
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), c.selected);
            d.Click(IDCANCEL);
        };
        if (c.zone) {
            Zone dlg(Jump());
            Run(dlg, script);
        } else {
            Cmp dlg(Jump());
            Run(dlg, script);
        }
        ASSERT_EQ(messages.seen.size(), 1u);
    }
}

TEST_F(CJumpDlgTest, OutputNumbersAreCheckedByTypeAndController)
{
    const struct {
        int controllerType;
        bool zone;
        int outputType;
        const char* number;
        UINT message;
    } cases[] = {
        {0, false, 0, "5", 0},      {0, false, 0, "6", 13224},  {1, false, 0, "17", 0},      {1, false, 0, "18", 13225},
        {1, false, 0, "70", 13225}, {1, false, 1, "511", 0},    {2, false, 1, "512", 13223}, {0, true, 0, "6", 13224},
        {1, true, 0, "18", 13225},  {1, true, 1, "512", 13223}, {1, true, 1, "300", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.controllerType << (c.zone ? " zone " : " compare ") << c.outputType << " " << c.number);
        MakeDocument(c.controllerType);
        ScriptedMessages messages;
        if (c.message != 0) messages.Expect(LoadStr(c.message), kStop, IDOK);
        const int numberEdit = c.zone ? Zone::kOutputNumber : Cmp::kOutputNumber;
        const auto script = [&](DialogDriver& d) {
            if (c.zone) {
                for (int edit : Zone::kOperands) d.Type(edit, QStringLiteral("K1"));
            } else {
                d.Type(Cmp::kSource1, QStringLiteral("K1"));
                d.Type(Cmp::kSource2, QStringLiteral("D1"));
            }
            d.Select(c.zone ? Zone::kOutputType : Cmp::kOutputType, c.outputType);
            d.Type(numberEdit, QString::fromLatin1(c.number));
            d.Click(IDOK);
            EXPECT_EQ(d.Ended(), c.message == 0);
            if (c.message != 0) {
                EXPECT_EQ(d.Focus(), numberEdit);
                d.Click(IDCANCEL);
            }
        };
        if (c.zone) {
            Zone dlg(Jump());
            Run(dlg, script);
        } else {
            Cmp dlg(Jump());
            Run(dlg, script);
        }
        EXPECT_EQ(messages.seen.size(), c.message != 0 ? 1u : 0u);
    }
}

TEST_F(CJumpDlgTest, OutputTypeAndSpinFollowTheController)
{
    // Y on a two-axis controller steps in octal, and the next two bits are
    // named as the program text names them.
    Cmp dlg(Jump());
    Run(dlg, [](DialogDriver& d) {
        d.Select(Cmp::kOutputType, 1);
        d.Type(Cmp::kOutputNumber, QStringLiteral("70"));
        EXPECT_EQ(d.Text(Cmp::kNextNumber1), QStringLiteral("71"));
        // Choosing Y with 70: Y lacks it, back to 0.
        d.Select(Cmp::kOutputType, 0);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("0"));
        d.Type(Cmp::kOutputNumber, QStringLiteral("7"));
        d.Spin(Cmp::kOutputSpin, 1);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("10"));
        d.Spin(Cmp::kOutputSpin, -1);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("7"));
        EXPECT_EQ(d.Text(Cmp::kNextNumber1), QStringLiteral("10"));
        EXPECT_EQ(d.Text(Cmp::kNextNumber2), QStringLiteral("11"));
        d.Type(Cmp::kOutputNumber, QStringLiteral("18"));
        d.Spin(Cmp::kOutputSpin, -1);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("17"));
        d.Type(Cmp::kOutputNumber, QStringLiteral("65"));
        d.Spin(Cmp::kOutputSpin, 3);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("65"));
        // M counts in decimal up to 509.
        d.Select(Cmp::kOutputType, 1);
        d.Type(Cmp::kOutputNumber, QStringLiteral("509"));
        d.Spin(Cmp::kOutputSpin, 1);
        EXPECT_EQ(d.Text(Cmp::kOutputNumber), QStringLiteral("509"));
        d.Click(IDCANCEL);
    });
    // The one-axis controller has Y0 to Y3 for the spin.
    MakeDocument(0);
    Zone zone(Jump());
    EXPECT_EQ(zone.GetDialogKind(), 711);
    Run(zone, [](DialogDriver& d) {
        d.Select(Zone::kOutputType, 0);
        d.Type(Zone::kOutputNumber, QStringLiteral("2"));
        d.Spin(Zone::kOutputSpin, 5);
        EXPECT_EQ(d.Text(Zone::kOutputNumber), QStringLiteral("3"));
        d.Click(IDCANCEL);
    });
}

TEST_F(CJumpDlgTest, SelectOpensTheWordChooserWithTheFullList)
{
    for (bool is32Bit : {false, true}) {
        SCOPED_TRACE(is32Bit);
        Cmp dlg(Jump());
        ScriptedDialogs dialogs;
        dialogs.Expect(Cmp::kTemplate, [&](DialogDriver& d) {
            if (is32Bit) d.Click(Cmp::k32Bit);
            d.Type(Cmp::kSource1, QStringLiteral("D5000"));
            d.Type(Cmp::kSource2, QStringLiteral("K2Y10"));
            d.Click(Cmp::kSelect1);
            EXPECT_EQ(d.Text(Cmp::kSource1), is32Bit ? QStringLiteral("DD100") : QStringLiteral("D100"));
            d.Click(Cmp::kSelect2);
            EXPECT_EQ(d.Text(Cmp::kSource2), QStringLiteral("K2Y10"));
            d.Click(IDCANCEL);
        });
        // The first text is a register the controller lacks: an empty start.
        dialogs.Expect(CHOXSelWordDevDlg::kTemplate, [&](DialogDriver& w) {
            EXPECT_EQ(w.Site().GetCount(CHOXSelWordDevDlg::kDevice), 8);
            EXPECT_EQ(w.Site().GetItemText(CHOXSelWordDevDlg::kDevice, 0),
                      is32Bit ? QStringLiteral("DD") : QStringLiteral("D"));
            EXPECT_EQ(w.Site().GetCurSel(CHOXSelWordDevDlg::kDevice), 0);
            EXPECT_EQ(w.Text(CHOXSelWordDevDlg::kNumber), QStringLiteral("0"));
            w.Type(CHOXSelWordDevDlg::kNumber, QStringLiteral("100"));
            w.Click(IDOK);
        });
        // The second is a group it has: the chooser starts there.
        dialogs.Expect(CHOXSelWordDevDlg::kTemplate, [&](DialogDriver& w) {
            EXPECT_EQ(w.Text(CHOXSelWordDevDlg::kDigits), QStringLiteral("2"));
            EXPECT_EQ(w.Text(CHOXSelWordDevDlg::kNumber), QStringLiteral("10"));
            w.Click(IDCANCEL);
        });
        dlg.DoModal();
    }
}

TEST_F(CJumpDlgTest, DoubleClickRunsTheChooserThenTheFormsDialog)
{
    CHOXFlowCJump* jump = Jump();
    jump->SetBitCondition(QStringLiteral("LD  X0;"));
    jump->CalcSteps();
    CHOXUndo* undo = chart->GetUndo();
    undo->RecordAdd(jump);
    doc->SetModifiedFlag(false);
    const QByteArray before = StoredBytes(jump);

    // Cancel in the chooser: nothing happens.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXFlowCJumpDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Check(CHOXFlowCJumpDlg::kBitForm), 1);
            d.Click(CHOXFlowCJumpDlg::kZoneForm);
            d.Click(IDCANCEL);
        });
        jump->OnOpen(MK_LBUTTON, CPoint(110, 60));
    }
    EXPECT_EQ(StoredBytes(jump), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(undo->CanUndo());

    // Cancel in the form's dialog: the old form stays, but the steps are
    // counted again, the document is modified and nothing is left to undo.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXFlowCJumpDlg::kTemplate, [](DialogDriver& d) {
            d.Click(CHOXFlowCJumpDlg::kZoneForm);
            d.Click(IDOK);
        });
        dialogs.Expect(Zone::kTemplate, [](DialogDriver& d) {
            d.Type(Zone::kOperands[0], QStringLiteral("K1"));
            d.Click(IDCANCEL);
        });
        jump->OnOpen(MK_LBUTTON, CPoint(110, 60));
    }
    EXPECT_EQ(jump->GetKind(), CHOXFlowCJump::kBitForm);
    EXPECT_EQ(StoredBytes(jump), before);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(undo->CanUndo());

    // OK in both: the compare form as typed.
    undo->RecordAdd(jump);
    doc->SetModifiedFlag(false);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXFlowCJumpDlg::kTemplate, [](DialogDriver& d) {
            d.Click(CHOXFlowCJumpDlg::kCompareForm);
            d.Click(IDOK);
        });
        dialogs.Expect(Cmp::kTemplate, [](DialogDriver& d) {
            d.Type(Cmp::kSource1, QStringLiteral("DD0"));
            d.Type(Cmp::kSource2, QStringLiteral("K100"));
            d.Click(Cmp::kRelationButtons[0]);
            d.Click(Cmp::k32Bit);
            d.Select(Cmp::kOutputType, 1);
            d.Type(Cmp::kOutputNumber, QStringLiteral("10"));
            d.Click(Cmp::kNotSatisfied);
            d.Type(Cmp::kComment, QStringLiteral("go"));
            d.Click(IDOK);
        });
        jump->OnOpen(MK_LBUTTON, CPoint(110, 60));
    }
    EXPECT_EQ(jump->GetKind(), CHOXFlowCJump::kCompareForm);
    EXPECT_EQ(jump->GetLabel(), QStringLiteral("DD0 > K100"));
    EXPECT_EQ(jump->GetComment(), QStringLiteral("go"));
    EXPECT_EQ(jump->GetNegated(), 1);
    CHOXFlowCJump twin(CPoint(300, 50), chart);
    QString message;
    twin.SetKind(CHOXFlowCJump::kCompareForm);
    twin.SetCompare32Bit(1);
    ASSERT_TRUE(twin.SetCompareOperand1(QStringLiteral("DD0"), message));
    ASSERT_TRUE(twin.SetCompareOperand2(QStringLiteral("K100"), message));
    twin.SetCompareCondition(0);
    twin.SetCompareOutputType(1);
    twin.SetCompareOutputNumber(10);
    twin.SetNegated(1);
    twin.CalcSteps();
    EXPECT_EQ(jump->GetSteps(), twin.GetSteps());
    EXPECT_EQ(jump->GetCode(), twin.GetCode());
    EXPECT_TRUE(jump->GetCode().contains(QStringLiteral("DCMP(FNC10) DD0 K100 M10;")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(undo->CanUndo());
}

TEST_F(CJumpDlgTest, DoubleClickOutsideAFlowChartOpensNothing)
{
    CHOXFlowCJump* jump = Place<CHOXFlowCJump>(monitor);
    const QByteArray before = StoredBytes(jump);
    jump->OnOpen(MK_LBUTTON, CPoint(110, 60));
    EXPECT_EQ(StoredBytes(jump), before);
}

TEST_F(CJumpDlgTest, ComparePicturesOnScreen)
{
    CHOXFlowCJump* jump = Jump();
    QString message;
    ASSERT_TRUE(jump->SetCompareOperand1(QStringLiteral("D100"), message));
    ASSERT_TRUE(jump->SetCompareOperand2(QStringLiteral("K2Y10"), message));
    jump->SetCompareCondition(1);
    jump->SetCompareOutputType(0);
    jump->SetCompareOutputNumber(7);
    Cmp dlg(jump);
    Run(dlg, [](DialogDriver& d) {
        QWidget* window = d.Site().Window();
        window->show();
        EXPECT_EQ(d.Text(Cmp::kNextNumber1), QStringLiteral("10"));
        kt::test::SaveScreenshot(window, "cjump-compare.png");
        d.Click(IDCANCEL);
    });
}

TEST_F(CJumpDlgTest, HelpOpensEachDialogsPage)
{
    const auto check = [](UINT templateId, std::function<int(std::function<void(DialogDriver&)>)> run) {
        SCOPED_TRACE(templateId);
        kt::test::RecordingHelp help;
        run([](DialogDriver& d) {
            d.Click(ID_HELP);
            d.Click(IDCANCEL);
        });
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_TRUE(help.pages[0].endsWith(QString::number(0x20000 + templateId, 16) + QStringLiteral(".html")))
            << help.pages[0].toStdString();
    };
    check(CHOXFlowCJumpDlg::kTemplate, [&](auto script) {
        CHOXFlowCJumpDlg dlg(Jump());
        return Run(dlg, script);
    });
    check(Bit::kTemplate, [&](auto script) {
        Bit dlg(Jump());
        return Run(dlg, script);
    });
    check(Cmp::kTemplate, [&](auto script) {
        Cmp dlg(Jump());
        return Run(dlg, script);
    });
    check(Zone::kTemplate, [&](auto script) {
        Zone dlg(Jump());
        return Run(dlg, script);
    });
}

// Each form through the double click ends as the same form set directly.
TEST_F(CJumpDlgTest, DoubleClickStoresEachFormAsItsSetters)
{
    const struct {
        const char* what;
        int formButton;
        UINT templateId;
        std::function<void(DialogDriver&)> edit;
        std::function<void(CHOXFlowCJump&)> twin;
    } cases[] = {
        {"bit", CHOXFlowCJumpDlg::kBitForm, Bit::kTemplate,
         [](DialogDriver& d) {
             d.Dialog().SetDlgItemText(Bit::kCondition, QStringLiteral("ld x0;\r\nani m5;"));
             d.Click(Bit::kOff);
         },
         [](CHOXFlowCJump& t) {
             t.SetKind(CHOXFlowCJump::kBitForm);
             t.SetBitCondition(QStringLiteral("LD  X0;\nANI  M5;"));
             t.SetNegated(1);
         }},
        {"zone", CHOXFlowCJumpDlg::kZoneForm, Zone::kTemplate,
         [](DialogDriver& d) {
             d.Type(Zone::kOperands[0], QStringLiteral("K1"));
             d.Type(Zone::kOperands[1], QStringLiteral("D5"));
             d.Type(Zone::kOperands[2], QStringLiteral("K9"));
             d.Select(Zone::kOutputType, 0);
             d.Type(Zone::kOutputNumber, QStringLiteral("7"));
         },
         [](CHOXFlowCJump& t) {
             QString message;
             t.SetKind(CHOXFlowCJump::kZoneForm);
             EXPECT_TRUE(t.SetZoneOperand1(QStringLiteral("K1"), message));
             EXPECT_TRUE(t.SetZoneOperand2(QStringLiteral("D5"), message));
             EXPECT_TRUE(t.SetZoneOperand3(QStringLiteral("K9"), message));
             t.SetZoneOutputType(0);
             t.SetZoneOutputNumber(7);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXFlowCJump* jump = Jump();
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXFlowCJumpDlg::kTemplate, [&](DialogDriver& d) {
            d.Click(c.formButton);
            d.Click(IDOK);
        });
        dialogs.Expect(c.templateId, [&](DialogDriver& d) {
            c.edit(d);
            d.Click(IDOK);
            EXPECT_TRUE(d.Ended());
        });
        jump->OnOpen(MK_LBUTTON, CPoint(110, 60));
        CHOXFlowCJump twin(CPoint(300, 50), chart);
        c.twin(twin);
        twin.UpdateText();
        twin.CalcSteps();
        EXPECT_EQ(jump->GetKind(), twin.GetKind());
        EXPECT_EQ(jump->GetLabel().toStdString(), twin.GetLabel().toStdString());
        EXPECT_EQ(jump->GetSteps(), twin.GetSteps());
        EXPECT_EQ(jump->GetCode().toStdString(), twin.GetCode().toStdString());
        EXPECT_EQ(jump->GetErrorState(), 0);
    }
}
