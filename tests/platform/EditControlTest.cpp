// The multi-line edit whose keys the program sees first: characters and keys
// reach the edit's class before the edit acts on them, text and positions
// cross with CR LF, the edit's undo is one step that a second Undo takes
// back, the clipboard is the program's with its plain-text check, no context
// menu opens, focus changes name the control that takes the focus, and
// dialogs give their controls' tips.
#include "platform/Clipboard.h"
#include "platform/Dialog.h"
#include "platform/Edit.h"
#include "platform/View.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtEditHost.h"
#include "support/Scripted.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using kt::test::DialogDriver;

namespace {

constexpr int kText = 50;
constexpr int kButton = 60;
constexpr int kLine = 70;

const char* const kTemplate = R"({
  "id": 9101, "caption": "Text", "size": [200, 120],
  "rows": [
    [{"id": 60, "kind": "button", "text": "Tip", "group": true}],
    [{"id": 50, "kind": "textedit", "width": 150, "height": 60, "group": true}],
    [{"id": 70, "kind": "edit", "group": true}]
  ],
  "buttons": [
    {"id": 1, "kind": "button", "text": "OK", "default": true, "group": true},
    {"id": 2, "kind": "button", "text": "Cancel"}
  ]
})";

// Records what reaches it and what the text was at that moment; 'x' is
// swallowed, everything else goes on to the edit.
class RecordingEdit : public CEdit {
public:
    void OnChar(UINT ch) override
    {
        chars.push_back(ch);
        textAtChar.push_back(GetWindowText());
        if (ch != 'x') CEdit::OnChar(ch);
    }
    void OnKeyDown(UINT key) override
    {
        keys.push_back(key);
        textAtKey.push_back(GetWindowText());
        CEdit::OnKeyDown(key);
    }
    void OnSetFocus() override { ++focusIn; }
    void OnKillFocus(int newFocusId) override { focusOut.push_back(newFocusId); }
    void OnContextMenu() override { ++menus; }

    std::vector<UINT> chars;
    std::vector<QString> textAtChar;
    std::vector<UINT> keys;
    std::vector<QString> textAtKey;
    int focusIn = 0;
    std::vector<int> focusOut;
    int menus = 0;
};

class TextDlg : public CDialog {
public:
    TextDlg() : CDialog(Parse()) {}
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(kTemplate, &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    bool OnInitDialog() override
    {
        attached = edit.SubclassDlgItem(kText, this);
        lineTaken = other.SubclassDlgItem(kLine, this);
        return CDialog::OnInitDialog();
    }
    bool OnToolTipNeedText(int id, QString& tip) override
    {
        if (id != kButton) return false;
        tip = QStringLiteral("The tip");
        return true;
    }
    RecordingEdit edit;
    RecordingEdit other; // a single-line edit hosts none
    bool attached = false;
    bool lineTaken = true;
};

class EditControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        site = std::make_unique<QtDialogSite>(dlg, nullptr);
        site->Window()->show();
        ASSERT_TRUE(site->Initialize());
        driver = std::make_unique<DialogDriver>(*site);
    }
    void TearDown() override
    {
        driver.reset();
        site.reset();
    }
    QtEditHost* Host() const { return qobject_cast<QtEditHost*>(site->Control(kText)); }
    QString Text() const { return dlg.edit.GetWindowText(); }

    TextDlg dlg;
    std::unique_ptr<QtDialogSite> site;
    std::unique_ptr<DialogDriver> driver;
};

} // namespace

TEST_F(EditControlTest, CharactersAndKeysReachTheEditBeforeTheText)
{
    ASSERT_TRUE(dlg.attached);
    EXPECT_FALSE(dlg.lineTaken);
    EXPECT_FALSE(dlg.other.IsAttached());
    ASSERT_NE(Host(), nullptr);

    driver->TypeAtCaret(kText, QStringLiteral("axb"));
    EXPECT_EQ(Text(), QStringLiteral("ab"));
    ASSERT_EQ(dlg.edit.chars, (std::vector<UINT>{'a', 'x', 'b'}));
    EXPECT_EQ(dlg.edit.textAtChar, (std::vector<QString>{QString(), QStringLiteral("a"), QStringLiteral("a")}));

    // Enter and Backspace are characters; Enter makes a line end, and the
    // dialog's default button does not see it.
    driver->KeyIn(kText, Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("ab\r\n"));
    EXPECT_FALSE(driver->Ended());
    driver->KeyIn(kText, Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("ab"));
    // Ctrl with a letter is its control character.
    driver->KeyIn(kText, Qt::Key_Z, Qt::ControlModifier);
    driver->KeyIn(kText, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dlg.edit.chars, (std::vector<UINT>{'a', 'x', 'b', 13, 8, 26, 25}));

    // Delete and the caret keys are keys, seen before they act.
    dlg.edit.SetSel(0, 0);
    driver->KeyIn(kText, Qt::Key_Delete);
    driver->KeyIn(kText, Qt::Key_End);
    driver->KeyIn(kText, Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(dlg.edit.keys, (std::vector<UINT>{VK_DELETE, VK_END, VK_LEFT}));
    // Ctrl+Z undid the Backspace.
    EXPECT_EQ(dlg.edit.textAtKey.front(), QStringLiteral("ab\r\n"));
    int start = -1;
    int end = -1;
    dlg.edit.GetSel(start, end);
    EXPECT_EQ(Text(), QStringLiteral("b\r\n"));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 1);
    EXPECT_EQ(dlg.edit.chars.size(), 7u);
}

TEST_F(EditControlTest, TextAndPositionsCountCrLf)
{
    dlg.edit.SetWindowText(QStringLiteral("a\r\nbc\r\n\r\nd"));
    EXPECT_EQ(driver->Text(kText), QStringLiteral("a\r\nbc\r\n\r\nd"));
    EXPECT_EQ(dlg.edit.GetLineCount(), 4);
    EXPECT_EQ(dlg.edit.LineIndex(1), 3);
    EXPECT_EQ(dlg.edit.LineIndex(3), 9);
    EXPECT_EQ(dlg.edit.LineIndex(4), -1);
    EXPECT_EQ(dlg.edit.LineLength(1), 2);
    EXPECT_EQ(dlg.edit.GetLine(2), QString());
    EXPECT_EQ(dlg.edit.LineFromChar(4), 1);
    EXPECT_EQ(dlg.edit.LineFromChar(9), 3);

    dlg.edit.SetSel(3, 5);
    EXPECT_EQ(driver->SelectedText(kText), QStringLiteral("bc"));
    EXPECT_EQ(dlg.edit.LineFromChar(-1), 1);
    dlg.edit.SetSel(1, -1);
    EXPECT_EQ(driver->SelectedText(kText), QStringLiteral("\r\nbc\r\n\r\nd"));
    // The program's text and the site's agree.
    site->SetText(kText, QStringLiteral("x\r\ny"));
    EXPECT_EQ(Text(), QStringLiteral("x\r\ny"));
    site->SetSel(kText, 3, 4);
    EXPECT_EQ(driver->SelectedText(kText), QStringLiteral("y"));
    EXPECT_EQ(driver->Caret(kText), 4);

    // Replacing the selection.
    dlg.edit.SetSel(0, 1);
    dlg.edit.ReplaceSel(QStringLiteral("p\r\nq"));
    EXPECT_EQ(Text(), QStringLiteral("p\r\nq\r\ny"));
    EXPECT_FALSE(dlg.edit.CanUndo());
}

TEST_F(EditControlTest, UndoIsOneStepThatUndoingAgainRestores)
{
    EXPECT_FALSE(dlg.edit.CanUndo());
    EXPECT_FALSE(dlg.edit.Undo());

    // A run of typing is one step.
    driver->TypeAtCaret(kText, QStringLiteral("abc"));
    EXPECT_TRUE(dlg.edit.CanUndo());
    EXPECT_TRUE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QString());
    EXPECT_TRUE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QStringLiteral("abc"));
    EXPECT_TRUE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QString());
    EXPECT_TRUE(dlg.edit.Undo());

    // Moving the caret ends the run.
    driver->KeyIn(kText, Qt::Key_Left);
    driver->TypeAtCaret(kText, QStringLiteral("p"));
    driver->TypeAtCaret(kText, QStringLiteral("q"));
    EXPECT_EQ(Text(), QStringLiteral("abpqc"));
    driver->KeyIn(kText, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("abc"));

    // Deleting is a run of its own.
    dlg.edit.SetSel(3, 3);
    driver->KeyIn(kText, Qt::Key_Backspace);
    driver->KeyIn(kText, Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("a"));
    EXPECT_TRUE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QStringLiteral("abc"));

    // The program's text leaves nothing to undo.
    dlg.edit.SetWindowText(QStringLiteral("new"));
    EXPECT_FALSE(dlg.edit.CanUndo());
    driver->TypeAtCaret(kText, QStringLiteral("!"));
    dlg.edit.EmptyUndoBuffer();
    EXPECT_FALSE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QStringLiteral("!new"));
}

TEST_F(EditControlTest, ClipboardKeysUseTheProgramsClipboardAndItsTextCheck)
{
    clipboard::Offer(clipboard::FormatName("TRNWK_HOX"), QByteArray("objects"));
    EXPECT_FALSE(clipboard::IsAvailable(clipboard::TextFormat()));
    dlg.edit.SetWindowText(QStringLiteral("one\r\ntwo"));
    // Nothing to paste, nothing selected to cut.
    driver->KeyIn(kText, Qt::Key_V, Qt::ControlModifier);
    driver->KeyIn(kText, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("one\r\ntwo"));
    EXPECT_FALSE(dlg.edit.CanUndo());

    dlg.edit.SetSel(1, 6);
    driver->KeyIn(kText, Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(clipboard::IsAvailable(clipboard::TextFormat()));
    // Other programs get the desktop's line ends.
    EXPECT_EQ(clipboard::Take(clipboard::TextFormat()), QByteArray("ne\nt"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ne\nt"));
    driver->KeyIn(kText, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("owo"));
    dlg.edit.SetSel(3, 3);
    driver->KeyIn(kText, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("owone\r\nt"));
    EXPECT_TRUE(dlg.edit.Undo());
    EXPECT_EQ(Text(), QStringLiteral("owo"));

    // Text another program put there counts, in whatever form.
    QGuiApplication::clipboard()->setText(QStringLiteral("elsewhere"));
    EXPECT_TRUE(clipboard::IsAvailable(clipboard::TextFormat()));
    dlg.edit.Paste();
    EXPECT_EQ(Text(), QStringLiteral("owoelsewhere"));
}

TEST_F(EditControlTest, NoContextMenuAndNoDrops)
{
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), Host()->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Host()->viewport(), &menu);
    EXPECT_EQ(dlg.edit.menus, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(Host()->acceptDrops());
}

TEST_F(EditControlTest, FocusChangesNameTheControlThatTakesTheFocus)
{
    driver->Activate();
    site->SetFocus(kText);
    EXPECT_TRUE(dlg.edit.HasFocus());
    EXPECT_EQ(dlg.edit.focusIn, 1);
    site->SetFocus(kButton);
    site->SetFocus(kText);
    site->SetFocus(kLine);
    EXPECT_EQ(dlg.edit.focusOut, (std::vector<int>{kButton, kLine}));
    dlg.edit.SetFocus();
    EXPECT_EQ(driver->Focus(), kText);
    EXPECT_EQ(dlg.edit.focusIn, 3);
}

TEST_F(EditControlTest, TipsComeFromTheDialogWhileEnabled)
{
    EXPECT_EQ(driver->ToolTip(kButton), QString());
    dlg.EnableToolTips(true);
    EXPECT_EQ(driver->ToolTip(kButton), QStringLiteral("The tip"));
    EXPECT_EQ(driver->ToolTip(kLine), QString());
    dlg.EnableToolTips(false);
    EXPECT_EQ(driver->ToolTip(kButton), QString());
}

TEST_F(EditControlTest, TheEditLetsGoOfAHostThatGoes)
{
    site.reset();
    EXPECT_FALSE(dlg.edit.IsAttached());
    EXPECT_EQ(dlg.edit.GetWindowText(), QString());
    dlg.edit.SetWindowText(QStringLiteral("nowhere"));
    EXPECT_FALSE(dlg.edit.Undo());
}
