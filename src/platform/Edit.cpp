#include "platform/Edit.h"

#include "platform/Dialog.h"

#include <algorithm>

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
}

CEdit::~CEdit() { SetHost(nullptr); }

bool CEdit::SubclassDlgItem(int id, CDialog* parent)
{
    if (parent == nullptr || parent->Site() == nullptr || !parent->Site()->AttachEdit(id, this)) return false;
    m_id = id;
    m_pParent = parent;
    return true;
}

void CEdit::SetHost(EditHost* host)
{
    if (host == m_host) return;
    EditHost* old = m_host;
    m_host = host;
    if (old != nullptr) old->Release(this);
}

void CEdit::OnChar(UINT ch)
{
    if (m_host != nullptr) m_host->DefaultChar(ch);
}

void CEdit::OnKeyDown(UINT key)
{
    if (m_host != nullptr) m_host->DefaultKeyDown(key);
}

QString CEdit::GetWindowText() const { return m_host != nullptr ? m_host->GetText() : QString(); }

void CEdit::SetWindowText(const QString& text)
{
    if (m_host != nullptr) m_host->SetText(text);
}

void CEdit::GetSel(int& start, int& end) const
{
    start = 0;
    end = 0;
    if (m_host != nullptr) m_host->GetSel(start, end);
}

void CEdit::SetSel(int start, int end, bool noScroll)
{
    if (m_host != nullptr) m_host->SetSel(start, end, noScroll);
}

void CEdit::ReplaceSel(const QString& text, bool canUndo)
{
    if (m_host != nullptr) m_host->ReplaceSel(text, canUndo);
}

int CEdit::GetLineCount() const { return static_cast<int>(GetWindowText().count(kLineEnd)) + 1; }

int CEdit::LineFromChar(int index) const
{
    const QString text = GetWindowText();
    if (index < 0) {
        int end = 0;
        GetSel(index, end);
    }
    const qsizetype upTo = std::clamp<qsizetype>(index, 0, text.size());
    return static_cast<int>(QStringView(text).left(upTo).count(kLineEnd));
}

int CEdit::LineIndex(int line) const
{
    const QString text = GetWindowText();
    if (line < 0) line = LineFromChar(-1);
    qsizetype pos = 0;
    for (int i = 0; i < line; ++i) {
        const qsizetype end = text.indexOf(kLineEnd, pos);
        if (end < 0) return -1;
        pos = end + kLineEnd.size();
    }
    return static_cast<int>(pos);
}

int CEdit::LineLength(int line) const { return static_cast<int>(GetLine(line).size()); }

QString CEdit::GetLine(int line) const
{
    const int start = LineIndex(line);
    if (start < 0) return QString();
    const QString text = GetWindowText();
    const qsizetype end = text.indexOf(kLineEnd, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

int CEdit::GetFirstVisibleLine() const { return m_host != nullptr ? m_host->GetFirstVisibleLine() : 0; }

void CEdit::LineScroll(int lines)
{
    if (m_host != nullptr) m_host->LineScroll(lines);
}

bool CEdit::CanUndo() const { return m_host != nullptr && m_host->CanUndo(); }

bool CEdit::Undo() { return m_host != nullptr && m_host->Undo(); }

void CEdit::EmptyUndoBuffer()
{
    if (m_host != nullptr) m_host->EmptyUndoBuffer();
}

void CEdit::Cut()
{
    if (m_host != nullptr) m_host->Cut();
}

void CEdit::Copy()
{
    if (m_host != nullptr) m_host->Copy();
}

void CEdit::Paste()
{
    if (m_host != nullptr) m_host->Paste();
}

bool CEdit::HasFocus() const { return m_host != nullptr && m_host->HasFocus(); }

void CEdit::SetFocus()
{
    if (m_pParent != nullptr && m_id != 0) m_pParent->GotoDlgCtrl(m_id);
}
