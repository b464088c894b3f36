#pragma once
// The widget that hosts a multi-line edit whose keys the program sees first
// (see platform/Edit.h) in a rendered dialog. Every key and character goes to
// the attached edit, which lets this widget act on it or not; the widget's
// own undo stack, context menu, drops and input methods are off, so that
// nothing changes the text behind the edit's back. Its undo is the
// framework's: one step, where undoing again restores. Text and positions
// cross with CR LF line ends.
#include "platform/Edit.h"

#include <QPlainTextEdit>

#include <functional>

class QtEditHost : public QPlainTextEdit, public EditHost {
    Q_OBJECT
public:
    explicit QtEditHost(QWidget* parent);
    ~QtEditHost() override;

    void Attach(CEdit* edit);
    CEdit* Edit() const { return m_edit; }
    // Tells which dialog control a widget belongs to (0 for none), for the
    // edit's kill-focus notice.
    void SetFocusResolver(std::function<int(QWidget*)> resolve) { m_resolve = std::move(resolve); }

    // EditHost
    QString GetText() const override;
    void SetText(const QString& text) override;
    void GetSel(int& start, int& end) const override;
    void SetSel(int start, int end, bool noScroll) override;
    void ReplaceSel(const QString& text, bool canUndo) override;
    int GetFirstVisibleLine() const override;
    void LineScroll(int lines) override;
    bool CanUndo() const override { return m_canUndo; }
    bool Undo() override;
    void EmptyUndoBuffer() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void DefaultChar(UINT ch) override;
    void DefaultKeyDown(UINT key) override;
    bool HasFocus() const override { return hasFocus(); }
    void Release(CEdit* edit) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // What a change was, so that a run of typing (or of deleting) at the
    // caret is taken back as one step, as the framework's edit does.
    enum class Change { kNone, kTyping, kDeleting, kOther };
    // The text and selection before the change that Undo takes back.
    struct Snapshot {
        QString text;
        int start = 0;
        int end = 0;
    };

    void KeyDown(UINT key);
    void Char(UINT ch);
    // Before a change: keeps what Undo goes back to, unless the change goes
    // on with the run before it.
    void RecordUndo(Change change);
    // Replaces the selection with text of "\n" line ends.
    void Insert(const QString& text, Change change);
    void DeleteSelection(Change change);
    // The character after the caret (forward) or before it.
    void DeleteChar(bool forward);
    // Positions in the CR LF text and in the widget's own.
    int ToCrLf(int position) const;
    int FromCrLf(int position) const;

    CEdit* m_edit = nullptr;
    std::function<int(QWidget*)> m_resolve;
    Snapshot m_undo;
    bool m_canUndo = false;
    Change m_lastChange = Change::kNone;
    int m_runCaret = -1;
    // Set while this widget changes its text or caret itself.
    int m_changing = 0;
    Qt::KeyboardModifiers m_modifiers;
};
