#pragma once
// A multi-line edit control of a dialog that sees every key and character
// before the edit acts on it, as the framework's edit class does: a class
// derived from CEdit overrides OnChar and OnKeyDown and calls the base for
// the edit's own handling (insertion, deletion, caret moves, clipboard keys),
// or leaves it out. The edit keeps the framework's one-level undo, where a
// second Undo restores what the first took back; it shows no context menu
// unless OnContextMenu makes one.
//
// The dialog keeps the control as a member and attaches it to the template's
// control id (kind "textedit"); a host widget of the renderer then shows the
// text. Text crosses as the framework has it: lines end with CR LF, and
// character positions count both.
#include "platform/Types.h"

#include <QString>

class CDialog;
class CEdit;

// What a host gives the edit it shows.
class EditHost {
public:
    virtual ~EditHost() = default;
    virtual QString GetText() const = 0;
    // Replaces the whole text; the caret goes to the start and the edit's
    // undo is emptied.
    virtual void SetText(const QString& text) = 0;
    virtual void GetSel(int& start, int& end) const = 0;
    // Selects from start to end (end -1: to the end of the text); the caret
    // stands at end. Unless told not to, the view scrolls to the caret.
    virtual void SetSel(int start, int end, bool noScroll) = 0;
    // Puts the text in place of the selection.
    virtual void ReplaceSel(const QString& text, bool canUndo) = 0;
    // The line shown at the top, and scrolling by lines.
    virtual int GetFirstVisibleLine() const = 0;
    virtual void LineScroll(int lines) = 0;
    virtual bool CanUndo() const = 0;
    virtual bool Undo() = 0;
    virtual void EmptyUndoBuffer() = 0;
    // The clipboard with the selection.
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    // The edit's own handling of a character and of a key.
    virtual void DefaultChar(UINT ch) = 0;
    virtual void DefaultKeyDown(UINT key) = 0;
    virtual bool HasFocus() const = 0;
    // The edit goes away or is attached elsewhere.
    virtual void Release(CEdit* edit) = 0;
};

class CEdit {
public:
    CEdit() = default;
    virtual ~CEdit();
    CEdit(const CEdit&) = delete;
    CEdit& operator=(const CEdit&) = delete;

    // Attaches the edit to the dialog's control id, whose template kind is
    // "textedit"; false when the running dialog has no such control.
    bool SubclassDlgItem(int id, CDialog* parent);
    bool IsAttached() const { return m_host != nullptr; }
    int GetDlgCtrlID() const { return m_id; }
    CDialog* GetParent() const { return m_pParent; }

    // A character the user typed: printable ones, and Backspace (8), Enter
    // (13) and the control characters of Ctrl with a letter (Ctrl+Z is 26).
    // The base inserts or acts on it.
    virtual void OnChar(UINT ch);
    // A key that moves the caret or deletes (Delete, Insert, arrows, Home,
    // End, Page Up and Down). The base acts on it.
    virtual void OnKeyDown(UINT key);
    virtual void OnSetFocus() {}
    // newFocusId: the dialog's control that takes the focus, 0 for anything
    // else.
    virtual void OnKillFocus(int newFocusId) {}
    virtual void OnContextMenu() {}

    QString GetWindowText() const;
    void SetWindowText(const QString& text);
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, bool noScroll = false);
    void ReplaceSel(const QString& text, bool canUndo = false);
    // Lines of the text: counted from 0, split at CR LF.
    int GetLineCount() const;
    int LineFromChar(int index) const;
    int LineIndex(int line) const;
    int LineLength(int line) const;
    QString GetLine(int line) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int lines);
    bool CanUndo() const;
    bool Undo();
    void EmptyUndoBuffer();
    void Cut();
    void Copy();
    void Paste();
    bool HasFocus() const;
    void SetFocus();

    // Called by hosts.
    void SetHost(EditHost* host);
    EditHost* Host() const { return m_host; }

private:
    EditHost* m_host = nullptr;
    int m_id = 0;
    CDialog* m_pParent = nullptr;
};
