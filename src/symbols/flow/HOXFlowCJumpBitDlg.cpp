#include "symbols/flow/HOXFlowCJumpBitDlg.h"

#include "app/HOXDoc.h"
#include "convert/HOXInstrParser.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowCJump.h"

#include <QStringList>

namespace {

// The sequence instructions a condition is made of.
bool IsConditionInstruction(const QString& name)
{
    static const char* const kNames[] = {"LD", "OR", "AND", "LDI", "ORI", "ANI", "ORB", "ANB"};
    for (const char* accepted : kNames)
        if (name == QLatin1String(accepted)) return true;
    return false;
}

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && (text[blanks] == u' ' || text[blanks] == u'\t')) ++blanks;
    return text.mid(blanks);
}

} // namespace

CHOXFlowCJumpBitDlg::CHOXFlowCJumpBitDlg(CHOXFlowCJump* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_nNegated = symbol->GetNegated();
        m_strCondition = symbol->GetBitCondition();
    }
}

QString CHOXFlowCJumpBitDlg::ConditionLines(const QString& condition)
{
    QStringList pieces = condition.split(u'\n');
    for (qsizetype i = 1; i < pieces.size(); ++i) pieces[i] = WithoutLeadingBlanks(pieces[i]);
    return pieces.join(QStringLiteral("\r\n"));
}

void CHOXFlowCJumpBitDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Radio(pDX, kOn, m_nNegated);
}

bool CHOXFlowCJumpBitDlg::OnInitDialog()
{
    CHOXFlowSymbolDlg::OnInitDialog();
    m_edit.SubclassDlgItem(kCondition, this);
    const QString lines = ConditionLines(m_strCondition);
    m_edit.SetWindowText(lines);
    m_edit.SetSel(static_cast<int>(lines.size()), static_cast<int>(lines.size()));
    return true;
}

void CHOXFlowCJumpBitDlg::SelectLine(int line)
{
    GotoDlgCtrl(kCondition);
    const int start = m_edit.LineIndex(line);
    m_edit.SetSel(start, start + m_edit.LineLength(line));
}

void CHOXFlowCJumpBitDlg::OnOK()
{
    if (!UpdateData(true)) return;
    CHOXInstrParser checker(GetDocument() != nullptr ? &GetDocument()->GetParam() : nullptr);
    QStringList statements;
    const int lines = m_edit.GetLineCount();
    for (int line = 0; line < lines; ++line) {
        const QString text = WithoutLeadingBlanks(m_edit.GetLine(line));
        if (text.isEmpty()) continue;
        QString error;
        if (!checker.CheckInstruction(text, error)) {
            AfxMessageBox(error, MB_OK | MB_ICONHAND);
            SelectLine(line);
            return;
        }
        const QString name = checker.GetAlternateName();
        if (!IsConditionInstruction(name)) {
            AfxMessageBox(LoadStr(13226), MB_OK | MB_ICONHAND);
            SelectLine(line);
            return;
        }
        const QString operands = checker.GetOperandText();
        const bool spaced = !operands.isEmpty() && operands != QStringLiteral(";");
        const qsizetype end = text.indexOf(u';');
        const QString rest = end < 0 ? QString() : text.mid(end + 1);
        statements << name + (spaced ? QStringLiteral("  ") : QString()) + operands + rest;
    }
    m_strCondition = statements.join(u'\n');
    EndDialog(IDOK);
}
