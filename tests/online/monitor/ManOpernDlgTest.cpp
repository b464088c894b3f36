// "Manual Operation " on the real widgets and the double click on a button:
// tabs per model, the button index from tab and radio, "K&Z-PLC", Help; a
// button made another (refused when the window has that one), its new id
// and place in the draw order; the feed amount asked for while monitoring.
#include "online/monitor/HOXManOpernDlg.h"

#include "chart/HOXUndo.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXWordInputDlg.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ui/QtDialogSite.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "support/DocBuilder.h"

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::DocBuilder;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXManOpernDlg;

namespace {

constexpr UINT kHand = MB_OK | MB_ICONHAND;

class ManOpernTest : public ::testing::Test, protected DocBuilder {
protected:
    CHOXMonManOpern* Button(std::int32_t index, const CRect& at = CRect(10, 10, 70, 40))
    {
        auto object = std::make_unique<CHOXMonManOpern>(index, Monitor());
        object->SetId(monid::ManOpernId(index));
        object->m_position = at;
        CHOXMonManOpern* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        doc->SetModifiedFlag(false);
        return raw;
    }
    // The button chosen by the script, from the dialog showing `index`.
    std::int32_t Run(std::int32_t index, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, std::move(script));
        Dlg dlg(doc->GetFounSeq(), index);
        return dlg.DoModal() == IDOK ? dlg.GetButtonIndex() : -2;
    }
    static int Radio(DialogDriver& d)
    {
        for (int i = 0; i < 7; ++i)
            if (d.Check(Dlg::kStart + i) != 0) return i;
        return -1;
    }
};

} // namespace

TEST_F(ManOpernTest, TheDialogShowsTheButtonByTabAndRadio)
{
    const char* labels[] = {"&Start", "Sto&p", "+ &Jog", "-  Jo&g", "&Zero return", "&Feed", "&Error Reset"};
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes, ctype::kInterpolated}) {
        SCOPED_TRACE(type);
        NewDocument(type);
        const bool twoAxes = type != ctype::kOneAxis;
        for (std::int32_t index : {0, 3, 6, 7, 9, 13}) {
            SCOPED_TRACE(index);
            if (!twoAxes && index >= 7) continue;
            const std::int32_t chosen = Run(index, [&](DialogDriver& d) {
                EXPECT_EQ(d.Caption(), QStringLiteral("Manual Operation "));
                ASSERT_EQ(d.Site().GetCount(Dlg::kTab), twoAxes ? 2 : 1);
                EXPECT_EQ(d.Site().GetItemText(Dlg::kTab, 0), QStringLiteral(" X"));
                if (twoAxes) {
                    EXPECT_EQ(d.Site().GetItemText(Dlg::kTab, 1), QStringLiteral(" Y"));
                }
                for (int i = 0; i < 7; ++i) EXPECT_EQ(d.Text(Dlg::kStart + i).toStdString(), labels[i]);
                EXPECT_EQ(d.Site().GetCurSel(Dlg::kTab), index >= 7 ? 1 : 0);
                EXPECT_EQ(Radio(d), index % 7);
                d.Click(IDOK);
            });
            EXPECT_EQ(chosen, index);
        }
    }
}

TEST_F(ManOpernTest, TheTabSaysTheAxisAndTheRadioStays)
{
    NewDocument(ctype::kTwoAxes);
    EXPECT_EQ(Run(2,
                  [](DialogDriver& d) {
                      d.Select(Dlg::kTab, 1);
                      EXPECT_EQ(Radio(d), 2);
                      d.Click(IDOK);
                  }),
              9);
    EXPECT_EQ(Run(12,
                  [](DialogDriver& d) {
                      d.Click(Dlg::kStart + 1);
                      d.Select(Dlg::kTab, 0);
                      EXPECT_EQ(Radio(d), 1);
                      d.Click(IDOK);
                  }),
              1);
    EXPECT_EQ(Run(12, [](DialogDriver& d) { d.Click(IDCANCEL); }), -2);
}

TEST_F(ManOpernTest, KzPlcEditsTheFoundationSequenceAndHelpOpensThePage)
{
    NewDocument(ctype::kTwoAxes);
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Click(Dlg::kKzPlc);
        EXPECT_FALSE(d.Ended());
        d.Click(Dlg::kHelp);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(CHOXFounSeq1Dlg::kTemplate, [](DialogDriver& d) {
        d.Type(IDC_FOUNSEQ_UNIT, QStringLiteral("3"));
        d.Click(IDOK);
    });
    Dlg dlg(doc->GetFounSeq(), 0);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogs.Ran(), 2);
    EXPECT_EQ(doc->GetFounSeq()->GetUnitNo(), 3) << "stored however this dialog ends";
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2081b.html"));
}

TEST_F(ManOpernTest, ADoubleClickMakesTheButtonAnotherUnlessTheWindowHasThatOne)
{
    NewDocument(ctype::kTwoAxes);
    CHOXMonManOpern* start = Button(0);
    CHOXMonManOpern* stop = Button(8, CRect(100, 10, 160, 40));
    CHOXMonManOpern* zrn = Button(4, CRect(200, 10, 260, 40));
    auto choose = [&](CHOXMonManOpern* button, int tab, int radio, bool ok = true) {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [=](DialogDriver& d) {
            d.Select(Dlg::kTab, tab);
            d.Click(Dlg::kStart + radio);
            d.Click(ok ? IDOK : IDCANCEL);
        });
        button->OnOpen(0, CPoint());
    };

    // "X START" into "Y STOP", which is there.
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : This Manual Operation Object is already present in this window."),
                        kHand, IDOK);
        choose(start, 1, 1);
    }
    EXPECT_EQ(start->GetButtonIndex(), 0);
    EXPECT_EQ(Monitor()->LookupMonObj(2), start);
    EXPECT_EQ(Monitor()->LookupMonObj(10), stop);
    EXPECT_FALSE(doc->IsModified());

    // The same button, or Cancel: nothing.
    choose(start, 0, 0);
    choose(start, 1, 3, false);
    EXPECT_EQ(Monitor()->LookupMonObj(2), start);
    EXPECT_FALSE(doc->IsModified());

    // Into "Y ZRN": id 13, drawn last now.
    Monitor()->GetUndo()->RecordAdd(start);
    ASSERT_TRUE(Monitor()->GetUndo()->CanUndo());
    choose(start, 1, 4);
    EXPECT_EQ(start->GetButtonIndex(), 11);
    EXPECT_EQ(start->GetId(), 13u);
    EXPECT_EQ(Monitor()->LookupMonObj(2), nullptr);
    EXPECT_EQ(Monitor()->LookupMonObj(13), start);
    EXPECT_EQ(Monitor()->GetMonObjOrder(), (std::vector<CHOXMonObj*>{stop, zrn, start}));
    EXPECT_EQ(Monitor()->GetMonObjMap().GetCount(), 3u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(Monitor()->GetUndo()->CanUndo()) << "no record names the old id";
    QString label;
    CHOXMonManOpern::GetButtonName(start->GetButtonIndex(), label);
    EXPECT_EQ(label, QStringLiteral("Y ZRN"));

    // The id it left is free for another.
    choose(zrn, 0, 0);
    EXPECT_EQ(Monitor()->LookupMonObj(2), zrn);
    EXPECT_EQ(Monitor()->LookupMonObj(6), nullptr);
}

TEST_F(ManOpernTest, WhileMonitoringAFeedButtonAsksForItsAmountAndOthersNothing)
{
    NewDocument(ctype::kTwoAxes);
    CHOXMonManOpern* xFeed = Button(5);
    CHOXMonManOpern* yFeed = Button(12);
    CHOXMonManOpern* jog = Button(2);
    doc->SetEditMode(false);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Feed Input"));
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kPrompt), QStringLiteral("&Enter X-axis Feed Value"));
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kValue), QStringLiteral("0"));
            EXPECT_TRUE(d.Enabled(CHOXWordInputDlg::kValue));
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("-2500"));
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kPrompt), QStringLiteral("&Enter Y-axis Feed Value"));
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("40"));
            d.Click(IDCANCEL);
        });
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kValue), QStringLiteral("-2500"));
            d.Click(IDCANCEL);
        });
        xFeed->OnOpen(0, CPoint());
        yFeed->OnOpen(0, CPoint());
        jog->OnOpen(0, CPoint());
        xFeed->OnOpen(0, CPoint());
        EXPECT_EQ(dialogs.Ran(), 3);
    }
    EXPECT_EQ(xFeed->GetFeedValue(), -2500);
    EXPECT_EQ(yFeed->GetFeedValue(), 0);
    EXPECT_FALSE(doc->IsModified()) << "the amount is not kept in the file";
    doc->SetEditMode(true);
}
