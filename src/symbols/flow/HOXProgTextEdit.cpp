#include "symbols/flow/HOXProgTextEdit.h"

#include "app/HOXWaitCursor.h"
#include "platform/Clipboard.h"
#include "platform/Strings.h"
#include "platform/View.h"
#include "symbols/flow/HOXFlowProgTextDlg.h"

#include <QStringList>

namespace {
constexpr UINT kBackspace = 8;
constexpr UINT kTab = 9;
constexpr UINT kEnter = 13;
constexpr UINT kCtrlV = 22;
constexpr UINT kCtrlX = 24;
constexpr UINT kCtrlY = 25;
constexpr UINT kCtrlZ = 26;

const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

CHOXProgTextEdit::CHOXProgTextEdit(CHOXParam* param, CHOXFlowProgTextDlg* dlg) : m_checker(param), m_pDlg(dlg) {}

QString CHOXProgTextEdit::LeftTrimmed(const QString& line)
{
    qsizetype first = 0;
    while (first < line.size() && line[first].isSpace()) ++first;
    return line.mid(first);
}

QString CHOXProgTextEdit::RefusalText(const CHOXInstrParser& checker, const QString& error)
{
    QString text = LoadStr(13765);
    if (checker.GetFailingOperand() > 0)
        text += QStringLiteral("Operand ") + QString::number(checker.GetFailingOperand()) + QStringLiteral(" , ");
    return text + error;
}

bool CHOXProgTextEdit::IsProgramBoundary(CHOXInstrParser& checker)
{
    QString word = checker.GetPrimaryName();
    if (word == QStringLiteral("m02") || word == QStringLiteral("m102")) return true;
    QString ignored;
    return checker.CheckProgramNumber(word, ignored);
}

QString CHOXProgTextEdit::BoundaryText() { return LoadStr(13765) + LoadStr(13519); }

// ---------------------------------------------------------------------------
// Typing

bool CHOXProgTextEdit::ChangesText(UINT ch) const
{
    switch (ch) {
    case kBackspace: return m_cLastChar != kCtrlZ;
    case kCtrlX: {
        int start = 0;
        int end = 0;
        GetSel(start, end);
        return start != end;
    }
    case kCtrlV: return clipboard::IsAvailable(clipboard::TextFormat());
    case kEnter:
    case kTab: return true;
    default: return ch >= 32;
    }
}

void CHOXProgTextEdit::OnChar(UINT ch)
{
    if (ch == kCtrlZ) {
        if (!m_bUndone) {
            m_cLastChar = ch;
            SetUndone(true);
            UndoEither();
        }
        return;
    }
    if (ch == kCtrlY) {
        if (m_bUndone) {
            SetUndone(false);
            UndoEither();
        }
        return;
    }
    if (ChangesText(ch)) SetUndone(false);
    m_cLastChar = ch;
    // Only an accepted Enter makes an undo of the editor's own.
    if (ch != kEnter && ch != kTab) ClearUndo();
    if (ch == kEnter) {
        OnEnter();
        return;
    }
    CEdit::OnChar(ch);
}

void CHOXProgTextEdit::OnEnter()
{
    const int line = GetCaretLine();
    QString preceding;
    GetPrecedingText(preceding, line);
    QString error;
    if (!m_checker.CheckInstruction(LeftTrimmed(GetLine(line)), error, preceding)) {
        m_pDlg->SetStatus(RefusalText(m_checker, error));
        SelectLine(line);
        return;
    }
    if (IsProgramBoundary(m_checker)) {
        m_pDlg->SetStatus(BoundaryText());
        SelectLine(line);
        return;
    }
    m_pDlg->SetStatus(QString());
    m_nUndoCaret = GetCaret();
    m_strUndoText = GetWindowText();
    m_bUndoAvailable = true;
    NormalizeCurrentLine();
}

void CHOXProgTextEdit::OnKeyDown(UINT key)
{
    if (key == VK_DELETE) {
        ClearUndo();
        SetUndone(false);
    }
    CEdit::OnKeyDown(key);
}

void CHOXProgTextEdit::SetUndone(bool undone)
{
    m_bUndone = undone;
    m_pDlg->SetUndoState(undone);
}

// ---------------------------------------------------------------------------
// Focus and the buttons' timer

void CHOXProgTextEdit::OnSetFocus()
{
    SetSel(m_nKeptCaret, m_nKeptCaret);
    m_pDlg->SetTimer(kTimer, kTimerInterval);
    m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kClean, true);
}

void CHOXProgTextEdit::OnKillFocus(int newFocusId)
{
    m_nKeptCaret = GetCaret();
    // A click on a button acts on this edit: the buttons stay.
    if (CHOXFlowProgTextDlg::IsEditButton(newFocusId)) return;
    m_pDlg->EnableEditButtons(false);
    m_pDlg->KillTimer(kTimer);
}

void CHOXProgTextEdit::OnTimer(UINT timerId)
{
    if (timerId != kTimer) return;
    m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kPaste, clipboard::IsAvailable(clipboard::TextFormat()));
    if (!CEdit::CanUndo() && !m_bUndoAvailable) {
        m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kUndo, false);
        m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kRedo, false);
    } else {
        const bool undone = m_pDlg->GetUndoState();
        m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kRedo, undone);
        m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kUndo, !undone);
    }
    int start = 0;
    int end = 0;
    GetSel(start, end);
    m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kCut, start != end);
    m_pDlg->EnableDlgItem(CHOXFlowProgTextDlg::kCopy, start != end);
}

// ---------------------------------------------------------------------------
// Undo

bool CHOXProgTextEdit::Undo()
{
    if (!m_bUndoAvailable) return false;
    const QString current = GetWindowText();
    SetWindowText(m_strUndoText);
    m_strUndoText = current;
    SetCaret(m_nUndoCaret);
    return true;
}

void CHOXProgTextEdit::UndoEither()
{
    if (!Undo()) CEdit::Undo();
}

void CHOXProgTextEdit::ClearUndo()
{
    m_strUndoText.clear();
    m_bUndoAvailable = false;
}

// ---------------------------------------------------------------------------
// Lines

void CHOXProgTextEdit::Clean()
{
    CHOXWaitCursor wait;
    m_pDlg->SetStatus(LoadStr(13527));
    const QString old = GetWindowText();
    QStringList kept;
    QString preceding;
    for (const QString& line : old.split(kLineEnd)) {
        const QString statement = LeftTrimmed(line);
        if (statement.isEmpty()) continue;
        QString error;
        if (m_checker.CheckInstruction(statement, error, preceding)) kept << statement;
        preceding += statement + QStringLiteral("\n");
    }
    if (!kept.isEmpty()) {
        m_nUndoCaret = GetCaret();
        m_strUndoText = old;
        m_bUndoAvailable = true;
        SetWindowText(kept.join(kLineEnd));
    }
    m_pDlg->SetStatus(LoadStr(13526));
}

void CHOXProgTextEdit::SelectLine(int line)
{
    const int start = LineIndex(line);
    if (start < 0) return;
    SetSel(start, start + LineLength(line));
}

void CHOXProgTextEdit::SetCaret(int position)
{
    m_nKeptCaret = position;
    SetSel(position, position);
}

int CHOXProgTextEdit::GetCaret() const
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    return start;
}

int CHOXProgTextEdit::GetCaretLine() const { return LineFromChar(GetCaret()); }

void CHOXProgTextEdit::GetPrecedingText(QString& out, int line) const
{
    out.clear();
    for (int i = 0; i < line; ++i) {
        const QString statement = LeftTrimmed(GetLine(i));
        if (!statement.isEmpty()) out += statement + QStringLiteral("\n");
    }
}

void CHOXProgTextEdit::NormalizeCurrentLine()
{
    const int firstVisible = GetFirstVisibleLine();
    const int line = GetCaretLine();
    QStringList lines = GetWindowText().split(kLineEnd);
    if (line < 0 || line >= lines.size()) return;
    const QString statement = LeftTrimmed(lines[line]);
    lines[line] = statement.isEmpty() ? statement : m_checker.GetCanonicalStatement();
    lines.insert(line + 1, QString());
    SetWindowText(lines.join(kLineEnd));
    LineScroll(firstVisible - GetFirstVisibleLine());
    // The view moves only when the new line would be out of sight.
    const int start = LineIndex(line + 1);
    SetSel(start, start);
}
