#pragma once
// The checking editor of the "Program in text" dialog: a multi-line edit
// that checks the caret's line with the instruction checker when the user
// presses Enter, rewrites an accepted line in its normal form, refuses
// program starts and ends, and keeps one step of undo of its own besides the
// edit's (Ctrl+Z takes back, Ctrl+Y puts back). While it has the focus a
// timer keeps the dialog's six edit buttons in step with what can be done.
#include "convert/HOXInstrParser.h"
#include "platform/Edit.h"

#include <QString>

class CHOXFlowProgTextDlg;
class CHOXParam;

class CHOXProgTextEdit : public CEdit {
public:
    static constexpr int kControlId = 8139;
    static constexpr UINT kTimer = 100;
    static constexpr UINT kTimerInterval = 200;

    // The checker works on the parameter set (null: two-axis limits); the
    // dialog shows the statuses and owns the buttons.
    CHOXProgTextEdit(CHOXParam* param, CHOXFlowProgTextDlg* dlg);

    void OnChar(UINT ch) override;
    void OnKeyDown(UINT key) override;
    void OnSetFocus() override;
    void OnKillFocus(int newFocusId) override;
    // No menu of cut, copy and paste: the dialog's buttons are the ones.
    void OnContextMenu() override {}
    void OnTimer(UINT timerId);

    // The editor's own undo: swaps the kept text with the edit's and puts
    // the caret back where it was; false when there is none.
    bool Undo();
    void ClearUndo();
    bool HasOwnUndo() const { return m_bUndoAvailable; }
    // Keeps the lines that are not blank and that the checker accepts; the
    // old text becomes the undo. A text with no such line stays as it is.
    void Clean();
    // Selects the whole line (counted from 0) and shows it.
    void SelectLine(int line);
    // The caret, also where it comes back when the edit has the focus again.
    void SetCaret(int position);
    int GetCaret() const;
    int GetCaretLine() const;
    // The lines above the line that are not blank, without their leading
    // white space, each followed by "\n": what the checker reads as the
    // program so far.
    void GetPrecedingText(QString& out, int line) const;
    // The caret's line in the normal form of its last check, then a new
    // empty line with the caret at its start; the first line shown stays.
    void NormalizeCurrentLine();

    // Set after Ctrl+Z (or the Undo button), cleared by Ctrl+Y, the Redo
    // button and edits: which of Undo and Redo the buttons offer.
    bool IsUndone() const { return m_bUndone; }
    void SetUndone(bool undone);

    CHOXInstrParser& Checker() { return m_checker; }

    // The status-line text of a refused line: "ERROR : ", the failing
    // operand when the checker names one, the checker's message.
    static QString RefusalText(const CHOXInstrParser& checker, const QString& error);
    // An accepted line that starts or ends a program (m02, m102, a program
    // number), which the text may not hold.
    static bool IsProgramBoundary(CHOXInstrParser& checker);
    // "ERROR : " and the message of such a line.
    static QString BoundaryText();
    static QString LeftTrimmed(const QString& line);

private:
    void OnEnter();
    // The editor's own undo when it has one, else the edit's.
    void UndoEither();
    // Whether the character changes the text, which ends an undone state.
    bool ChangesText(UINT ch) const;

    int m_nKeptCaret = 0;
    int m_nUndoCaret = 0;
    QString m_strUndoText;
    bool m_bUndoAvailable = false;
    CHOXInstrParser m_checker;
    UINT m_cLastChar = 0;
    bool m_bUndone = false;
    CHOXFlowProgTextDlg* m_pDlg;
};
