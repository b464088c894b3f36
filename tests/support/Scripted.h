#pragma once
// Test doubles of the platform: message boxes answered from a script, dialogs
// driven by a script, help pages recorded, settings in a temporary file.
#include "platform/Dialog.h"
#include "platform/Help.h"
#include "platform/Messages.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class QtDialogSite;

namespace kt::test {

// While it lives, every message box is checked against the expected ones in
// order and answered as told. A message nobody expected fails the test.
class ScriptedMessages : public MessageHandler {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages& Expect(const QString& text, UINT style, int answer);
    // The same; `whileShown` runs while the box stands, in the middle of the
    // operation that asks (to look at a progress window, say).
    ScriptedMessages& Expect(const QString& text, UINT style, int answer, std::function<void()> whileShown);
    int Show(const QString& text, UINT style, const QString& detail) override;

    // Every box shown, with its detail (empty for most).
    struct Seen {
        QString text;
        UINT style;
        QString detail;
    };
    std::vector<Seen> seen;

private:
    struct Expected {
        QString text;
        UINT style;
        int answer;
        std::function<void()> whileShown;
    };
    std::deque<Expected> m_expected;
    MessageHandler* m_previous;
};

// What a script can do with a running dialog: act as the user on its
// controls by id, and look at them.
class DialogDriver {
public:
    explicit DialogDriver(QtDialogSite& site);
    CDialog& Dialog() const;
    QtDialogSite& Site() const { return m_site; }
    QWidget* Widget(int id) const;

    // Replaces the text of an edit as typed (limits and filters apply).
    void Type(int id, const QString& text);
    void Click(int id);
    // Chooses an item of a list or combo box, or a tab of a tab control
    // (which the dialog may refuse).
    void Select(int id, int index);
    // Clicks the up (steps > 0) or down arrow of a spin button, once per
    // step; PressArrow sends the arrow key to the focused control instead.
    void Spin(int id, int steps);
    void PressArrow(int id, bool up);
    // A timer of the dialog fires (it must be running).
    void FireTimer(UINT timerId);
    void PressKey(int key);
    void ClickDialog(int button);
    // Makes the dialog the active window, as the user's screen has it: focus
    // changes then reach the controls (a "textedit" hears of them).
    void Activate();
    // A key typed into the control (a Qt key code, Qt modifiers), and text
    // typed at its caret without selecting anything first.
    void KeyIn(int id, int key, int modifiers = 0);
    void TypeAtCaret(int id, const QString& text);
    // Selects characters from..to (-1 to the end) of an edit, or puts the
    // caret there (from == to), as a drag of the mouse does. Positions of a
    // multi-line edit count CR LF as two.
    void SelectText(int id, int from, int to);

    bool Ended() const;
    int Result() const;
    QString Text(int id) const;
    int Check(int id) const;
    bool Enabled(int id) const;
    bool Visible(int id) const;
    int Focus() const;
    int DefaultButton() const;
    int Limit(int id) const;
    // An edit's selected text and the position of its caret (0 before the
    // first character).
    QString SelectedText(int id) const;
    int Caret(int id) const;
    QString Caption() const;
    // A cell of a grid.
    QString Cell(int id, int row, int col) const;
    // The tip the dialog gives the control (empty: none).
    QString ToolTip(int id) const;
    // The line a multi-line edit shows at its top.
    int FirstVisibleLine(int id) const;

private:
    QtDialogSite& m_site;
};

// While it lives, DoModal renders the dialog offscreen and plays the next
// expected script against it. A dialog nobody expected fails the test; so
// does a script that leaves its dialog open.
class ScriptedDialogs : public DialogRunner {
public:
    using Script = std::function<void(DialogDriver&)>;
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs& Expect(UINT templateId, Script script);
    int RunModal(CDialog& dialog) override;
    int Ran() const { return m_ran; }
    // Modal dialogs running now (one runs inside another's script), and the
    // most that ran at once.
    int Open() const { return m_open; }
    int MostOpen() const { return m_mostOpen; }

    // Modeless dialogs need no answer: each is rendered offscreen and kept
    // while it lives, so a test can read it in the middle of the operation
    // that shows it. One still open when the runner goes fails the test.
    bool CreateModeless(CDialog& dialog) override;
    void DestroyModeless(CDialog& dialog) override;
    // The open modeless dialog of the template (the latest), null when none.
    DialogDriver* Modeless(UINT templateId);
    // The dialog's own, null when its window is not open.
    DialogDriver* ModelessOf(const CDialog& dialog);
    std::size_t ModelessOpen() const { return m_modeless.size(); }
    // The templates of every modeless dialog shown, in order.
    std::vector<UINT> modelessShown;

private:
    struct Expected {
        UINT templateId;
        Script script;
    };
    struct Live {
        CDialog* dialog;
        std::unique_ptr<QtDialogSite> site;
        std::unique_ptr<DialogDriver> driver;
    };
    std::deque<Expected> m_expected;
    DialogRunner* m_previous;
    int m_ran = 0;
    int m_open = 0;
    int m_mostOpen = 0;
    std::vector<Live> m_modeless;
};

// Records the help pages asked for.
class RecordingHelp : public HelpViewer {
public:
    RecordingHelp();
    ~RecordingHelp() override;
    void ShowPage(const QString& resourcePath) override { pages.push_back(resourcePath); }
    std::vector<QString> pages;

private:
    HelpViewer* m_previous;
};

// Settings in a file of their own for the life of the object.
class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    QString Path() const;

private:
    QTemporaryDir m_dir;
};

// Installed for the whole test run: message boxes and dialogs that no test
// expects fail it, settings go to a temporary file, the desktop's data
// folder ($XDG_DATA_HOME) to a temporary folder; the clipboard is the
// offscreen platform's and dialogs host the program's drawn controls.
class StrictPlatformEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

} // namespace kt::test

#include "platform/FileDialog.h"

namespace kt::test {

// While it lives, file dialogs answer from a script: each expected dialog
// gives a path (empty: cancel) and can check the request. A request with a
// name check is asked about each answer; a refused one leaves the dialog
// open, and ExpectTries types the next answer of its list.
class ScriptedFiles : public FileDialogRunner {
public:
    using Check = std::function<void(const FileDialogRequest&)>;
    ScriptedFiles();
    ~ScriptedFiles() override;
    ScriptedFiles& Expect(QString answer, Check check = {});
    ScriptedFiles& ExpectTries(QStringList answers, Check check = {});
    QString Run(const FileDialogRequest& request) override;
    std::vector<FileDialogRequest> seen;
    // Answers the name check refused, in order.
    QStringList refused;

private:
    std::deque<std::pair<QStringList, Check>> m_expected;
    FileDialogRunner* m_previous;
};

} // namespace kt::test

#include "platform/ColorDialog.h"

#include <optional>

namespace kt::test {

// While it lives, colour dialogs answer from a script: each expected dialog
// gives a colour (nothing: Cancel) and can check the request.
class ScriptedColors : public ColorDialogRunner {
public:
    using Check = std::function<void(const ColorDialogRequest&)>;
    ScriptedColors();
    ~ScriptedColors() override;
    ScriptedColors& Expect(std::optional<COLORREF> answer, Check check = {});
    std::optional<COLORREF> Run(const ColorDialogRequest& request) override;
    std::vector<ColorDialogRequest> seen;

private:
    std::deque<std::pair<std::optional<COLORREF>, Check>> m_expected;
    ColorDialogRunner* m_previous;
};

} // namespace kt::test
