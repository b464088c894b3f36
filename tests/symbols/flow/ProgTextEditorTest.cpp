// The "Program in text" dialog and its checking editor, run on scripts:
// Enter checks the caret's line and rewrites it in normal form or refuses
// it in the status line; the editor's own undo goes with Ctrl+Z and Ctrl+Y
// and is dropped by Delete and typing; Clean keeps the good lines; a timer
// keeps the six picture buttons in step; OK checks everything again and
// settles which labels the symbol holds: those of its own text and no
// other holder's, across reopening, deleting lines, deleting the symbol and
// undo.
#include "chart/FlowViewFixture.h"
#include "platform/Clipboard.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowProgText.h"
#include "symbols/flow/HOXFlowProgTextDlg.h"

#include <QClipboard>
#include <QGuiApplication>

#include <functional>

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using Dlg = CHOXFlowProgTextDlg;
using Editor = CHOXProgTextEdit;

namespace {

constexpr int kEditor = Dlg::kEditor;
const QString kCrLf = QStringLiteral("\r\n");

class ProgTextEditorTest : public kt::test::FlowViewFixture {
protected:
    void SetUp() override { doc.SetControllerType(1); }

    CHOXFlowProgText* PlaceText(const QString& text = QString(), CPoint at = CPoint(100, 50))
    {
        auto* symbol = dynamic_cast<CHOXFlowProgText*>(PlaceWithTool(ID_TOOL_FLOW_PROGTEXT, at));
        EXPECT_NE(symbol, nullptr);
        if (symbol != nullptr && !text.isEmpty()) symbol->SetText(text);
        return symbol;
    }
    // Double-clicks the symbol; the script starts with the dialog active and
    // the editor in the focus.
    void Open(CHOXFlowProgText* symbol, const std::function<void(DialogDriver&)>& script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            d.Activate();
            ASSERT_EQ(d.Focus(), kEditor);
            script(d);
        });
        symbol->OnOpen(0, CPoint());
        EXPECT_EQ(dialogs.Ran(), 1);
    }
    // Opens the symbol, puts the text in place of the editor's and clicks
    // OK: true when the dialog closed.
    bool ConfirmText(CHOXFlowProgText* symbol, const QString& text, QString* status = nullptr)
    {
        bool closed = false;
        Open(symbol, [&](DialogDriver& d) {
            d.Dialog().Site()->SetText(kEditor, text);
            d.Click(IDOK);
            closed = d.Ended();
            if (status != nullptr) *status = d.Text(Dlg::kStatus);
            if (!closed) d.Click(IDCANCEL);
        });
        return closed;
    }
    static void Enter(DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_Return); }
    static void CtrlZ(DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_Z, Qt::ControlModifier); }
    static void CtrlY(DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_Y, Qt::ControlModifier); }
    static QString Selected(DialogDriver& d) { return d.SelectedText(kEditor); }
    static QString Boundary() { return LoadStr(13765) + LoadStr(13519); }
    bool Used(int n) const { return doc.IsPointerNumberUsed(n); }
    void Delete(CHOXDrawObj* object)
    {
        view.Select(object);
        view.OnEditDelete();
    }
};

} // namespace

TEST_F(ProgTextEditorTest, OpeningShowsTheLinesTrimmedWithoutBlanksAndTheButtonsTips)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\n\n   AND  X1;\n"));
    Open(text, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Program in text"));
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("LD  X0;\r\nAND  X1;"));
        EXPECT_EQ(d.Caret(kEditor), 0);
        EXPECT_EQ(d.Text(Dlg::kStatus), QString());
        const char* tips[] = {"Cut", "Copy", "Paste", "Clean", "Undo", "Redo"};
        int i = 0;
        for (int id : {Dlg::kCut, Dlg::kCopy, Dlg::kPaste, Dlg::kClean, Dlg::kUndo, Dlg::kRedo})
            EXPECT_EQ(d.ToolTip(id), QString::fromLatin1(tips[i++]));
        EXPECT_EQ(d.ToolTip(IDOK), QString());
        d.Click(IDCANCEL);
    });
    Dlg dlg(text);
    EXPECT_EQ(dlg.GetDialogKind(), 712);
}

TEST_F(ProgTextEditorTest, EnterRewritesAnAcceptedLineAndOpensANewOne)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\n"));
    Open(text, [](DialogDriver& d) {
        d.Dialog().Site()->SetText(Dlg::kStatus, QStringLiteral("old"));
        d.KeyIn(kEditor, Qt::Key_End);
        Enter(d);
        d.TypeAtCaret(kEditor, QStringLiteral("drv x100 f200"));
        d.KeyIn(kEditor, Qt::Key_Left);
        Enter(d);
        const QString normal = QStringLiteral("LD  X0;\r\ncod00(DRV)  x100  f200;\r\n");
        EXPECT_EQ(d.Text(kEditor), normal);
        EXPECT_EQ(d.Caret(kEditor), normal.size());
        EXPECT_EQ(d.Text(Dlg::kStatus), QString());
        // Enter on the empty last line adds another.
        Enter(d);
        EXPECT_EQ(d.Text(kEditor), normal + kCrLf);
        // Enter in the middle of a line does not split it.
        d.SelectText(kEditor, 2, 2);
        Enter(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("LD  X0;\r\n\r\ncod00(DRV)  x100  f200;\r\n\r\n"));
        EXPECT_EQ(d.Caret(kEditor), 9);
        d.Click(IDCANCEL);
    });
}

TEST_F(ProgTextEditorTest, EnterRefusesABadLineAndProgramStartsAndEnds)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\n"));
    const struct {
        const char* line;
        QString status;
    } cases[] = {
        {"LD X8", LoadStr(13765) + QStringLiteral("Operand 1 , X value should be octal.")},
        {"zap", LoadStr(13765) + LoadStr(13469)},
        {"m02;", Boundary()},
        {"  m102", Boundary()},
        {"Ox1;", Boundary()},
        {"O100", Boundary()},
    };
    for (const auto& c : cases) {
        Open(text, [&](DialogDriver& d) {
            d.KeyIn(kEditor, Qt::Key_End);
            Enter(d);
            d.TypeAtCaret(kEditor, QString::fromLatin1(c.line));
            const QString before = d.Text(kEditor);
            d.KeyIn(kEditor, Qt::Key_Home);
            Enter(d);
            EXPECT_EQ(d.Text(kEditor), before) << c.line;
            EXPECT_EQ(d.Text(Dlg::kStatus).toStdString(), c.status.toStdString()) << c.line;
            EXPECT_EQ(Selected(d), QString::fromLatin1(c.line)) << c.line;
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(ProgTextEditorTest, CtrlZAndCtrlYSwapTheEditorsOwnUndo)
{
    CHOXFlowProgText* text = PlaceText();
    Open(text, [](DialogDriver& d) {
        d.TypeAtCaret(kEditor, QStringLiteral("ld x0"));
        d.KeyIn(kEditor, Qt::Key_Left);
        Enter(d);
        const QString normal = QStringLiteral("LD  X0;\r\n");
        ASSERT_EQ(d.Text(kEditor), normal);
        CtrlZ(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("ld x0"));
        EXPECT_EQ(d.Caret(kEditor), 4);
        // A second Ctrl+Z waits for Ctrl+Y.
        CtrlZ(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("ld x0"));
        CtrlY(d);
        EXPECT_EQ(d.Text(kEditor), normal);
        CtrlY(d);
        EXPECT_EQ(d.Text(kEditor), normal);
        CtrlZ(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("ld x0"));
        CtrlY(d);

        // Delete drops the editor's undo: Ctrl+Z then takes back only what
        // the edit itself did.
        d.SelectText(kEditor, 0, 0);
        d.KeyIn(kEditor, Qt::Key_Delete);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("D  X0;\r\n"));
        CtrlZ(d);
        EXPECT_EQ(d.Text(kEditor), normal);
        CtrlY(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("D  X0;\r\n"));

        // So does typing.
        d.Dialog().Site()->SetText(kEditor, QString());
        d.TypeAtCaret(kEditor, QStringLiteral("and x1"));
        Enter(d);
        d.TypeAtCaret(kEditor, QStringLiteral("o"));
        CtrlZ(d);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("AND  X1;\r\n"));
        d.Click(IDCANCEL);
    });
}

TEST_F(ProgTextEditorTest, CleanKeepsTheGoodLinesAndUndoBringsTheOldTextBack)
{
    CHOXFlowProgText* text = PlaceText();
    Open(text, [](DialogDriver& d) {
        // Only errors: the text stays, and there is nothing to undo.
        const QString errors = QStringLiteral("foo\r\n\r\nLD X8\r\n   ");
        d.Dialog().Site()->SetText(kEditor, errors);
        d.Click(Dlg::kClean);
        EXPECT_EQ(d.Text(kEditor), errors);
        EXPECT_EQ(d.Text(Dlg::kStatus), LoadStr(13526));
        d.FireTimer(Editor::kTimer);
        EXPECT_FALSE(d.Enabled(Dlg::kUndo));

        const QString mixed = QStringLiteral("foo\r\n  ld x0\r\n\r\nbar;\r\nAND X1;");
        d.Dialog().Site()->SetText(kEditor, mixed);
        d.Click(Dlg::kClean);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("ld x0\r\nAND X1;"));
        EXPECT_EQ(d.Text(Dlg::kStatus), LoadStr(13526));
        d.FireTimer(Editor::kTimer);
        ASSERT_TRUE(d.Enabled(Dlg::kUndo));
        EXPECT_FALSE(d.Enabled(Dlg::kRedo));
        d.Click(Dlg::kUndo);
        EXPECT_EQ(d.Text(kEditor), mixed);
        d.FireTimer(Editor::kTimer);
        EXPECT_FALSE(d.Enabled(Dlg::kUndo));
        ASSERT_TRUE(d.Enabled(Dlg::kRedo));
        d.Click(Dlg::kRedo);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("ld x0\r\nAND X1;"));
        d.Click(IDCANCEL);
    });
}

TEST_F(ProgTextEditorTest, TheTimerEnablesTheButtonsWhileTheEditorHasTheFocus)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\n"));
    clipboard::Offer(clipboard::FormatName("TRNWK_HOX"), QByteArray("objects"));
    Open(text, [](DialogDriver& d) {
        const auto enabled = [&d] {
            std::vector<bool> on;
            for (int id : {Dlg::kCut, Dlg::kCopy, Dlg::kPaste, Dlg::kClean, Dlg::kUndo, Dlg::kRedo})
                on.push_back(d.Enabled(id));
            return on;
        };
        ASSERT_TRUE(d.Dialog().Site()->IsTimerActive(Editor::kTimer));
        EXPECT_EQ(d.Dialog().Site()->TimerInterval(Editor::kTimer), 200u);
        EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, true, false, false}));
        d.FireTimer(Editor::kTimer);
        EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, true, false, false}));

        // A selection can be cut and copied; copied text can be pasted.
        d.SelectText(kEditor, 0, 2);
        d.FireTimer(Editor::kTimer);
        EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true, false, false}));
        d.Click(Dlg::kCopy);
        EXPECT_EQ(Selected(d), QStringLiteral("LD"));
        d.FireTimer(Editor::kTimer);
        EXPECT_TRUE(d.Enabled(Dlg::kPaste));

        // Cut leaves the caret where the selection began; Paste puts it back.
        d.Click(Dlg::kCut);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("  X0;"));
        EXPECT_EQ(d.Caret(kEditor), 0);
        d.FireTimer(Editor::kTimer);
        EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, true, true, false}));
        d.Click(Dlg::kPaste);
        EXPECT_EQ(d.Text(kEditor), QStringLiteral("LD  X0;"));

        // Ctrl+Z offers Redo in place of Undo.
        CtrlZ(d);
        d.FireTimer(Editor::kTimer);
        EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, true, false, true}));

        // The focus on a picture button keeps them; anywhere else they go
        // and the timer stops until the editor has the focus again.
        d.Dialog().Site()->SetFocus(Dlg::kUndo);
        EXPECT_TRUE(d.Dialog().Site()->IsTimerActive(Editor::kTimer));
        EXPECT_TRUE(d.Enabled(Dlg::kClean));
        d.Dialog().Site()->SetFocus(kEditor);
        d.Dialog().Site()->SetFocus(Dlg::kComment);
        EXPECT_FALSE(d.Dialog().Site()->IsTimerActive(Editor::kTimer));
        EXPECT_EQ(enabled(), (std::vector<bool>(6, false)));
        d.Dialog().Site()->SetFocus(kEditor);
        EXPECT_TRUE(d.Dialog().Site()->IsTimerActive(Editor::kTimer));
        EXPECT_TRUE(d.Enabled(Dlg::kClean));
        d.Click(IDCANCEL);
    });
}

// The caret comes back where it was when the editor gets the focus again.
TEST_F(ProgTextEditorTest, TheCaretIsKeptWhileTheFocusIsElsewhere)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\nAND  X1;\n"));
    Open(text, [](DialogDriver& d) {
        d.SelectText(kEditor, 11, 11);
        d.Dialog().Site()->SetFocus(Dlg::kComment);
        d.SelectText(kEditor, 0, 0);
        d.Dialog().Site()->SetFocus(kEditor);
        EXPECT_EQ(d.Caret(kEditor), 11);
        d.Click(IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// OK

TEST_F(ProgTextEditorTest, OkRebuildsTheTextInNormalFormWithItsSteps)
{
    CHOXFlowProgText* text = PlaceText();
    doc.SetModifiedFlag(false);
    wnd->GetUndo()->RecordAdd(text);
    Open(text, [](DialogDriver& d) {
        d.Dialog().Site()->SetText(kEditor, QStringLiteral("  ld x0\r\n\r\nP7 x5;\r\nand x1 ; end"));
        d.Type(Dlg::kComment, QStringLiteral("lines"));
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_EQ(text->GetText(), QStringLiteral("LD  X0;\nP7;\nAND  X1; end\n"));
    EXPECT_EQ(text->GetCode(), QStringLiteral("LD  X0;\nP7;\nAND  X1; end"));
    text->CalcSteps();
    const int steps = text->GetSteps();
    EXPECT_GT(steps, 0);
    EXPECT_EQ(text->GetComment(), QStringLiteral("lines"));
    EXPECT_EQ(text->GetState(), 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
    EXPECT_TRUE(text->HasPointerNumber(7));
    EXPECT_TRUE(Used(7));

    // The dialog's count is the symbol's.
    CHOXFlowProgText* again = PlaceText(QString(), CPoint(100, 150));
    Open(again, [](DialogDriver& d) {
        d.Dialog().Site()->SetText(kEditor, QStringLiteral("ld x0\r\nP8\r\nAND X1; end"));
        d.Click(IDOK);
    });
    EXPECT_EQ(again->GetSteps(), steps);
}

TEST_F(ProgTextEditorTest, OkRefusesBadLinesInTheStatusLine)
{
    CHOXFlowProgText* text = PlaceText(QStringLiteral("LD  X0;\n"));
    const struct {
        const char* text;
        int line;
        QString status;
    } cases[] = {
        {"LD X0\r\nzap\r\nAND X1", 1, LoadStr(13765) + LoadStr(13469)},
        {"LD X0\r\nm02;", 1, Boundary()},
        {"Oy3;\r\nLD X0", 0, Boundary()},
        {"P3;\r\nLD X0\r\nP3;", 2, LoadStr(13230)},
    };
    for (const auto& c : cases) {
        Open(text, [&](DialogDriver& d) {
            const QString lines = QString::fromLatin1(c.text);
            d.Dialog().Site()->SetText(kEditor, lines);
            d.Dialog().Site()->SetFocus(Dlg::kComment);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended()) << c.text;
            EXPECT_EQ(d.Text(Dlg::kStatus).toStdString(), c.status.toStdString()) << c.text;
            EXPECT_EQ(d.Focus(), kEditor);
            EXPECT_EQ(Selected(d), lines.split(kCrLf).at(c.line)) << c.text;
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(text->GetText(), QStringLiteral("LD  X0;\n"));
        EXPECT_FALSE(Used(3));
    }
}

// Labels another holder has are refused; the symbol's own are its to keep,
// and the ones it loses go back.
TEST_F(ProgTextEditorTest, LabelsAreSettledAcrossReopeningDeletingLinesAndTheSymbol)
{
    auto* pointer = Place<CHOXFlowPointer>(90, CPoint(300, 50));
    const int held = pointer->GetPointerNumber();
    CHOXFlowProgText* text = PlaceText();
    QString status;
    EXPECT_FALSE(ConfirmText(text, QStringLiteral("P%1;").arg(held), &status));
    EXPECT_EQ(status, LoadStr(13230));

    ASSERT_TRUE(ConfirmText(text, QStringLiteral("P3;\r\nLD X0\r\nP4;")));
    EXPECT_EQ(text->GetPointerNumbers().size(), 2u);
    EXPECT_TRUE(Used(3));
    EXPECT_TRUE(Used(4));
    // Reopened, its own labels are accepted; one deleted line gives its
    // number back.
    ASSERT_TRUE(ConfirmText(text, QStringLiteral("P3;\r\nLD X0")));
    EXPECT_TRUE(text->HasPointerNumber(3));
    EXPECT_FALSE(text->HasPointerNumber(4));
    EXPECT_TRUE(Used(3));
    EXPECT_FALSE(Used(4));
    EXPECT_TRUE(Used(held));

    // Deleting the symbol gives its labels back; undo takes them again.
    Delete(text);
    EXPECT_FALSE(Used(3));
    view.OnEditUndo();
    EXPECT_TRUE(Used(3));
    EXPECT_TRUE(text->HasPointerNumber(3));
    // Cancel changes nothing.
    Open(text, [](DialogDriver& d) {
        d.Dialog().Site()->SetText(kEditor, QStringLiteral("P9;"));
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(Used(3));
    EXPECT_FALSE(Used(9));
}

// A copy pasted while its original holds the labels is in the error state
// and holds none of them. Whatever its OK settles, it must not keep the
// original's numbers: deleting it later would free the original's labels.
TEST_F(ProgTextEditorTest, ACopyNeverKeepsOrFreesTheOriginalsLabels)
{
    CHOXFlowProgText* original = PlaceText();
    ASSERT_TRUE(ConfirmText(original, QStringLiteral("P3;\r\nP5;")));
    view.Select(original);
    view.OnEditCopy();
    view.OnEditPaste();
    ASSERT_EQ(view.GetSelectionCount(), 1u);
    auto* copy = dynamic_cast<CHOXFlowProgText*>(view.GetSelection().front());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, original);
    ASSERT_EQ(copy->GetState(), CHOXSymbol::kError);
    ASSERT_TRUE(copy->HasPointerNumber(3));

    QString status;
    EXPECT_FALSE(ConfirmText(copy, QStringLiteral("P3;\r\nLD X0"), &status));
    EXPECT_EQ(status, LoadStr(13230));
    ASSERT_TRUE(ConfirmText(copy, QStringLiteral("LD X0\r\nP6;")));
    EXPECT_EQ(copy->GetState(), 0);
    EXPECT_EQ(copy->GetPointerNumbers(), std::vector<std::int32_t>{6});
    EXPECT_TRUE(Used(3));
    EXPECT_TRUE(Used(5));

    Delete(copy);
    EXPECT_TRUE(Used(3));
    EXPECT_TRUE(Used(5));
    EXPECT_FALSE(Used(6));
    // The original's labels are still its own to give back.
    Delete(original);
    EXPECT_FALSE(Used(3));
    EXPECT_FALSE(Used(5));
}

// The steps of a text count only the lines the checker accepts, whoever
// wrote the text.
TEST_F(ProgTextEditorTest, StepsCountOnlyAcceptedLines)
{
    CHOXFlowProgText* good = PlaceText();
    ASSERT_TRUE(ConfirmText(good, QStringLiteral("LD X0\r\nAND X1")));
    const int steps = good->GetSteps();
    CHOXFlowProgText* imported = PlaceText(QStringLiteral("LD  X0;\nfoo;\nAND  X1;\n"), CPoint(100, 150));
    imported->CalcSteps();
    EXPECT_EQ(imported->GetSteps(), steps);
    EXPECT_GT(steps, 0);
}

// What ends the undone state: a Backspace right after Ctrl+Z does not, any
// other typing does, and so do Ctrl+X with a selection and Ctrl+V with text
// on the clipboard; Ctrl+X with nothing selected and Ctrl+V with no text
// do not.
TEST_F(ProgTextEditorTest, OnlyTypingThatChangesTheTextEndsTheUndoneState)
{
    CHOXFlowProgText* text = PlaceText();
    const struct {
        const char* name;
        std::function<void(DialogDriver&)> after;
        bool stillUndone;
    } cases[] = {
        {"backspace", [](DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_Backspace); }, true},
        {"letter", [](DialogDriver& d) { d.TypeAtCaret(kEditor, QStringLiteral("q")); }, false},
        {"ctrl+x selection",
         [](DialogDriver& d) {
             d.SelectText(kEditor, 0, 2);
             d.KeyIn(kEditor, Qt::Key_X, Qt::ControlModifier);
         },
         false},
        {"ctrl+x nothing selected", [](DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_X, Qt::ControlModifier); }, true},
        {"ctrl+v text",
         [](DialogDriver& d) {
             clipboard::Offer(clipboard::TextFormat(), QByteArray("LD X1"));
             d.KeyIn(kEditor, Qt::Key_V, Qt::ControlModifier);
         },
         false},
        {"ctrl+v nothing", [](DialogDriver& d) { d.KeyIn(kEditor, Qt::Key_V, Qt::ControlModifier); }, true},
    };
    for (const auto& c : cases) {
        clipboard::Offer(clipboard::FormatName("TRNWK_HOX"), QByteArray("objects"));
        Open(text, [&](DialogDriver& d) {
            d.TypeAtCaret(kEditor, QStringLiteral("ld x0"));
            d.KeyIn(kEditor, Qt::Key_Left);
            Enter(d);
            CtrlZ(d);
            ASSERT_EQ(d.Text(kEditor), QStringLiteral("ld x0")) << c.name;
            c.after(d);
            EXPECT_EQ(static_cast<Dlg&>(d.Dialog()).GetUndoState(), c.stillUndone) << c.name;
            d.Click(IDCANCEL);
        });
    }
}
