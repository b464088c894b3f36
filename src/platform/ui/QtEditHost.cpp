#include "platform/ui/QtEditHost.h"

#include "platform/Clipboard.h"
#include "platform/View.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {
// The keys that reach the edit's OnKeyDown, as the framework codes them; 0
// for the others.
UINT KeyDownCode(int key)
{
    switch (key) {
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    default: return 0;
    }
}

int QtKeyOf(UINT code)
{
    switch (code) {
    case VK_LEFT: return Qt::Key_Left;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_UP: return Qt::Key_Up;
    case VK_DOWN: return Qt::Key_Down;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    default: return 0;
    }
}

QString ToCrLfText(QString text) { return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")); }
QString FromCrLfText(QString text) { return text.remove(QLatin1Char('\r')); }
} // namespace

QtEditHost::QtEditHost(QWidget* parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setTabChangesFocus(true);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        // The user moved the caret: the next change starts a run of its own.
        if (m_changing == 0) m_lastChange = Change::kNone;
    });
}

QtEditHost::~QtEditHost()
{
    if (m_edit == nullptr) return;
    CEdit* edit = m_edit;
    m_edit = nullptr;
    edit->SetHost(nullptr);
}

void QtEditHost::Attach(CEdit* edit)
{
    if (edit == m_edit) return;
    if (m_edit != nullptr) {
        CEdit* old = m_edit;
        m_edit = nullptr;
        old->SetHost(nullptr);
    }
    m_edit = edit;
    if (edit != nullptr) edit->SetHost(this);
}

void QtEditHost::Release(CEdit* edit)
{
    if (edit == m_edit) m_edit = nullptr;
}

// ---------------------------------------------------------------------------
// Positions

int QtEditHost::ToCrLf(int position) const
{
    const QString plain = toPlainText();
    const qsizetype upTo = std::clamp<qsizetype>(position, 0, plain.size());
    return static_cast<int>(upTo + QStringView(plain).left(upTo).count(u'\n'));
}

int QtEditHost::FromCrLf(int position) const
{
    const QString plain = toPlainText();
    int crlf = 0;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (crlf >= position) return static_cast<int>(i);
        crlf += plain[i] == u'\n' ? 2 : 1;
    }
    return static_cast<int>(plain.size());
}

// ---------------------------------------------------------------------------
// EditHost

QString QtEditHost::GetText() const { return ToCrLfText(toPlainText()); }

void QtEditHost::SetText(const QString& text)
{
    ++m_changing;
    setPlainText(FromCrLfText(text));
    --m_changing;
    m_lastChange = Change::kNone;
    EmptyUndoBuffer();
}

void QtEditHost::GetSel(int& start, int& end) const
{
    const QTextCursor cursor = textCursor();
    start = ToCrLf(cursor.selectionStart());
    end = ToCrLf(cursor.selectionEnd());
}

void QtEditHost::SetSel(int start, int end, bool noScroll)
{
    const int length = static_cast<int>(toPlainText().size());
    const int from = std::clamp(FromCrLf(std::max(0, start)), 0, length);
    const int to = end < 0 ? length : std::clamp(FromCrLf(end), 0, length);
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    if (noScroll) {
        verticalScrollBar()->setValue(vertical);
        horizontalScrollBar()->setValue(horizontal);
    } else {
        ensureCursorVisible();
    }
}

void QtEditHost::ReplaceSel(const QString& text, bool canUndo)
{
    if (canUndo) {
        Insert(FromCrLfText(text), Change::kOther);
        return;
    }
    ++m_changing;
    textCursor().insertText(FromCrLfText(text));
    --m_changing;
    m_lastChange = Change::kNone;
}

int QtEditHost::GetFirstVisibleLine() const { return firstVisibleBlock().blockNumber(); }

void QtEditHost::LineScroll(int lines)
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

bool QtEditHost::Undo()
{
    if (!m_canUndo) return false;
    Snapshot now;
    now.text = GetText();
    GetSel(now.start, now.end);
    ++m_changing;
    setPlainText(FromCrLfText(m_undo.text));
    --m_changing;
    SetSel(m_undo.start, m_undo.end, false);
    // What was taken back is the next Undo.
    m_undo = now;
    m_lastChange = Change::kNone;
    return true;
}

void QtEditHost::EmptyUndoBuffer()
{
    m_undo = Snapshot();
    m_canUndo = false;
}

void QtEditHost::Cut()
{
    if (isReadOnly() || !textCursor().hasSelection()) return;
    Copy();
    DeleteSelection(Change::kOther);
}

void QtEditHost::Copy()
{
    if (!textCursor().hasSelection()) return;
    // Other programs read the desktop's line ends.
    clipboard::Offer(clipboard::TextFormat(), textCursor().selection().toPlainText().toUtf8());
}

void QtEditHost::Paste()
{
    const std::optional<QByteArray> bytes = clipboard::Take(clipboard::TextFormat());
    if (!bytes || bytes->isEmpty()) return;
    Insert(FromCrLfText(QString::fromUtf8(*bytes)), Change::kOther);
}

void QtEditHost::RecordUndo(Change change)
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const bool goesOn = change != Change::kOther && change == m_lastChange && start == end && start == m_runCaret;
    if (goesOn && m_canUndo) return;
    m_undo.text = GetText();
    m_undo.start = start;
    m_undo.end = end;
    m_canUndo = true;
}

void QtEditHost::Insert(const QString& text, Change change)
{
    if (isReadOnly()) return;
    RecordUndo(change);
    ++m_changing;
    textCursor().insertText(text);
    --m_changing;
    m_lastChange = change;
    int end = 0;
    GetSel(m_runCaret, end);
}

void QtEditHost::DeleteSelection(Change change)
{
    if (isReadOnly() || !textCursor().hasSelection()) return;
    RecordUndo(change);
    ++m_changing;
    textCursor().removeSelectedText();
    --m_changing;
    m_lastChange = change;
    int end = 0;
    GetSel(m_runCaret, end);
}

void QtEditHost::DeleteChar(bool forward)
{
    QTextCursor cursor = textCursor();
    if (isReadOnly() || (forward ? cursor.atEnd() : cursor.atStart())) return;
    RecordUndo(Change::kDeleting);
    ++m_changing;
    if (forward)
        cursor.deleteChar();
    else
        cursor.deletePreviousChar();
    setTextCursor(cursor);
    --m_changing;
    m_lastChange = Change::kDeleting;
    int end = 0;
    GetSel(m_runCaret, end);
}

void QtEditHost::DefaultChar(UINT ch)
{
    switch (ch) {
    case 3: Copy(); return;
    case 22: Paste(); return;
    case 24: Cut(); return;
    case 26: Undo(); return;
    case 8:
        if (textCursor().hasSelection())
            DeleteSelection(Change::kDeleting);
        else
            DeleteChar(false);
        return;
    case 13: Insert(QStringLiteral("\n"), Change::kTyping); return;
    default:
        // Other control characters do nothing.
        if (ch >= 32 && ch != 127) Insert(QString(QChar(static_cast<char16_t>(ch))), Change::kTyping);
        return;
    }
}

void QtEditHost::DefaultKeyDown(UINT key)
{
    const bool shift = m_modifiers.testFlag(Qt::ShiftModifier);
    const bool control = m_modifiers.testFlag(Qt::ControlModifier);
    if (key == VK_DELETE) {
        if (shift) {
            Cut();
            return;
        }
        if (textCursor().hasSelection())
            DeleteSelection(Change::kDeleting);
        else
            DeleteChar(true);
        return;
    }
    if (key == VK_INSERT) {
        if (control) Copy();
        if (shift) Paste();
        return;
    }
    const int qtKey = QtKeyOf(key);
    if (qtKey == 0) return;
    QKeyEvent move(QEvent::KeyPress, qtKey, m_modifiers);
    QPlainTextEdit::keyPressEvent(&move);
}

// ---------------------------------------------------------------------------
// Events

void QtEditHost::KeyDown(UINT key)
{
    if (m_edit != nullptr)
        m_edit->OnKeyDown(key);
    else
        DefaultKeyDown(key);
}

void QtEditHost::Char(UINT ch)
{
    if (m_edit != nullptr)
        m_edit->OnChar(ch);
    else
        DefaultChar(ch);
}

void QtEditHost::keyPressEvent(QKeyEvent* event)
{
    m_modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool control = m_modifiers.testFlag(Qt::ControlModifier);
    const bool alt = m_modifiers.testFlag(Qt::AltModifier);
    if (const UINT code = KeyDownCode(key); code != 0) {
        KeyDown(code);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (control || alt) {
            event->ignore();
            return;
        }
        Char(13);
    } else if (key == Qt::Key_Backspace) {
        Char(8);
    } else if (control && !alt) {
        if (key < Qt::Key_A || key > Qt::Key_Z) {
            event->ignore();
            return;
        }
        Char(static_cast<UINT>(key - Qt::Key_A + 1));
    } else if (alt) {
        // Mnemonics and menus: never text.
        event->ignore();
        return;
    } else {
        const QString text = event->text();
        bool typed = false;
        for (const QChar c : text) {
            if (c.unicode() < 32 || c.unicode() == 127) continue;
            Char(c.unicode());
            typed = true;
        }
        // Escape, function keys and the like belong to the dialog.
        if (!typed) {
            event->ignore();
            return;
        }
    }
    m_modifiers = Qt::NoModifier;
    event->accept();
}

void QtEditHost::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    if (m_edit != nullptr) m_edit->OnSetFocus();
}

void QtEditHost::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (m_edit == nullptr) return;
    QWidget* now = QApplication::focusWidget();
    const int id = (now == nullptr || now == this || !m_resolve) ? 0 : m_resolve(now);
    m_edit->OnKillFocus(id);
}

void QtEditHost::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (m_edit != nullptr) m_edit->OnContextMenu();
}

bool QtEditHost::canInsertFromMimeData(const QMimeData* source) const { return source != nullptr && source->hasText(); }

void QtEditHost::insertFromMimeData(const QMimeData* source)
{
    // The selection clipboard's middle click: a change the edit's undo keeps.
    if (source != nullptr && source->hasText()) Insert(FromCrLfText(source->text()), Change::kOther);
}
