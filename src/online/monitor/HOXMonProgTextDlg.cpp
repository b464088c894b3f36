#include "online/monitor/HOXMonProgTextDlg.h"

#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "convert/HOXInstrParser.h"
#include "online/monitor/HOXMonitorSession.h"
#include "platform/MDI.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <cstdint>

namespace {

// A line as the window shows it: the first as it is, each later one without
// its leading blanks.
QString ShownLine(const QString& line, bool first)
{
    if (first) return line;
    qsizetype blanks = 0;
    while (blanks < line.size() && line.at(blanks).isSpace()) ++blanks;
    return line.mid(blanks);
}

} // namespace

CHOXMonProgTextDlg::CHOXMonProgTextDlg(CHOXFlowProgText* symbol, int firstStep, CHOXFlowWnd* wnd, int savedX,
                                       int savedY)
    : CDialog(kTemplate), m_strText(symbol != nullptr ? symbol->GetCode() : QString()), m_nFirstStep(firstStep),
      m_pWnd(wnd), m_pSymbol(symbol), m_nSavedX(savedX), m_nSavedY(savedY)
{
}

bool CHOXMonProgTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_edit.SubclassDlgItem(kText, this);
    ShowDlgItem(kText, true);
    ShowText();
    return true;
}

bool CHOXMonProgTextDlg::OnCtlColor(int id, COLORREF& background)
{
    // The text is read, never edited: it stands on white, not on the grey
    // of a read-only edit.
    if (id != kText) return false;
    background = RGB(255, 255, 255);
    return true;
}

QString CHOXMonProgTextDlg::FormatText(const QString& text)
{
    const QStringList lines = text.split(u'\n');
    QStringList shown;
    shown.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) shown << ShownLine(lines.at(i), i == 0);
    return shown.join(QStringLiteral("\r\n"));
}

void CHOXMonProgTextDlg::ShowText() { m_edit.SetWindowText(FormatText(m_strText)); }

void CHOXMonProgTextDlg::SetSymbol(CHOXFlowProgText* symbol, int firstStep)
{
    if (symbol == nullptr) {
        m_edit.SetWindowText(QString());
        m_strText.clear();
        m_pSymbol = nullptr;
        return;
    }
    if (symbol == m_pSymbol) return;
    m_edit.SetWindowText(QString());
    m_pSymbol = symbol;
    m_strText = symbol->GetCode();
    m_nFirstStep = firstStep;
    ShowText();
}

CHOXInstrParser* CHOXMonProgTextDlg::Checker() const
{
    const CHOXDoc* doc = m_pWnd != nullptr ? m_pWnd->GetDocument() : nullptr;
    const CHOXMonitorSession* run = doc != nullptr ? doc->GetMonitorThread() : nullptr;
    return run != nullptr ? run->GetInstrParser() : nullptr;
}

void CHOXMonProgTextDlg::SelectStep(int step)
{
    if (m_pSymbol == nullptr) return;
    // Compared without sign, as the controller counts.
    const auto offset = static_cast<std::uint32_t>(static_cast<std::int64_t>(step) - m_nFirstStep);
    const QString text = m_pSymbol->GetCode();
    CHOXInstrParser* checker = Checker();
    // The lines are read as the symbol's step count reads them; the
    // positions are those of the shown text, whose lines have lost their
    // leading blanks. A step past every line before the last one (when the
    // text does not end with a line end) lies in the last one.
    const qsizetype lastLine = !text.isEmpty() && !text.endsWith(u'\n') ? text.count(u'\n') : -1;
    std::uint32_t steps = 0;
    int position = 0;
    qsizetype index = 0;
    bool selected = false;
    CHOXFlowProgText::WalkLines(text, checker, [&](const QString& line, bool accepted) {
        const int length = static_cast<int>(ShownLine(line, index == 0).size());
        // A refused line counts no steps; the walk goes on past it.
        if (accepted) steps += static_cast<std::uint32_t>(checker->GetSteps());
        if (index == lastLine || (accepted && steps > offset)) {
            m_edit.SetSel(position, position + length);
            selected = true;
            return false;
        }
        position += length + 2;
        ++index;
        return true;
    });
    if (!selected) m_edit.SetSel(0, 0);
}

void CHOXMonProgTextDlg::PlaceWindow(bool forceDefault)
{
    if ((m_nSavedX != 0 || m_nSavedY != 0) && !forceDefault) {
        SetWindowPos(CPoint(m_nSavedX, m_nSavedY));
        return;
    }
    const CMDIChildWnd* frame = GetParentFrame();
    if (frame == nullptr) return;
    const CRect over = frame->GetScreenRect();
    const CRect own = GetWindowRect();
    SetWindowPos(CPoint(over.left + (over.Width() - own.Width()) / 2, over.top + (over.Height() - own.Height()) / 2));
}
