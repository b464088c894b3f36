// From a flow chart to the M-code sequences: a double click on an M Code
// symbol, "&KZ - PLC" in its dialog, the sequence applied; the settings are
// there the next time and gone once the document has been saved and opened
// again, which writes none of them.
#include "app/AppDocsFixture.h"

#include "plc/HOXMcodeKzPlc.h"
#include "plc/HOXMcodeKzPlcDlg.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/code/HOXCodeMcodeDlg.h"

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using Dlg = CHOXMcodeKzPlcDlg;

namespace {

class McodeKzPlcEndToEndTest : public AppDocsFixture {
protected:
    // An M Code symbol of the number in the first chart.
    void PlaceMcode(int number)
    {
        CHOXFlowWnd* chart = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
        ASSERT_NE(chart, nullptr);
        auto symbol = std::make_unique<CHOXCodeMcode>(CPoint(100, 100), chart);
        symbol->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        symbol->SetNumber(static_cast<BYTE>(number));
        chart->AddObject(std::move(symbol));
    }
    // A double click on the symbol in its chart's view, the M Code dialog
    // going on to the sequence dialog and back: what the sequence dialog
    // does is the script.
    void OpenSequence(const ScriptedDialogs::Script& script)
    {
        CHOXFlowWnd* chart = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
        CHOXView* view = chart->GetView();
        ASSERT_NE(view, nullptr);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCodeMcodeDlg::kTemplate, [](DialogDriver& d) {
            d.Click(CHOXCodeMcodeDlg::kKzPlc);
            d.Click(IDCANCEL);
        });
        dialogs.Expect(Dlg::kTemplate, script);
        view->OnLButtonDblClk(MK_LBUTTON, view->DocToClient(CPoint(110, 110)));
        EXPECT_EQ(dialogs.Ran(), 2);
    }
};

} // namespace

TEST_F(McodeKzPlcEndToEndTest, AppliedSettingsLastWhileTheDocumentIsOpen)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(), nullptr);
    PlaceMcode(5);
    Doc()->SetModifiedFlag(false);
    OpenSequence([](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(Dlg::kApply));
        d.Type(Dlg::kSaveDevice, QStringLiteral("100"));
        d.Type(Dlg::kAuxDevice, QStringLiteral("20"));
        d.Type(Dlg::kCompletion, QStringLiteral("X7"));
        d.Click(Dlg::kApply);
        d.Click(IDOK);
    });
    EXPECT_TRUE(Doc()->GetMcodeKzPlc()->IsSequenceSet(5, 0));
    // None of it is saved, so none of it modifies the document.
    EXPECT_FALSE(Doc()->IsModified());

    OpenSequence([](DialogDriver& d) {
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("100"));
        EXPECT_EQ(d.Text(Dlg::kAuxDevice), QStringLiteral("20"));
        EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("X7"));
        EXPECT_FALSE(d.Enabled(Dlg::kApply));
        EXPECT_TRUE(d.Enabled(Dlg::kDelete));
        EXPECT_EQ(static_cast<Dlg&>(d.Dialog()).GetTotalLadder().GetBlockList().size(), 1u);
        d.Click(IDCANCEL);
    });

    const QString path = Path(QStringLiteral("sequence.hox"));
    ASSERT_TRUE(Doc()->OnSaveDocument(path));
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    OpenSequence([](DialogDriver& d) {
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Dlg::kAuxDevice), QStringLiteral("0"));
        EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("X0"));
        EXPECT_TRUE(d.Enabled(Dlg::kApply));
        EXPECT_TRUE(static_cast<Dlg&>(d.Dialog()).GetTotalLadder().GetBlockList().empty());
        d.Click(IDCANCEL);
    });
    EXPECT_FALSE(Doc()->GetMcodeKzPlc()->IsSequenceSet(5, 0));
    EXPECT_EQ(Doc()->GetMcodeKzPlc()->GetListEntry(0, 0), 0u);
    // A new document starts without them too.
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_FALSE(Doc()->GetMcodeKzPlc()->IsSequenceSet(5, 0));
}
