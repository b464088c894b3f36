#include "symbols/flow/HOXFlowProgTextDlg.h"

#include "app/HOXDoc.h"
#include "app/HOXWaitCursor.h"
#include "chart/SymbolSupport.h"
#include "platform/Help.h"
#include "platform/Resources.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QStringList>

namespace {
const QString kLineEnd = QStringLiteral("\r\n");

// The buttons in the order of their pictures and tips (13520 on).
constexpr std::array<int, 6> kEditButtons{CHOXFlowProgTextDlg::kCut,   CHOXFlowProgTextDlg::kCopy,
                                          CHOXFlowProgTextDlg::kPaste, CHOXFlowProgTextDlg::kClean,
                                          CHOXFlowProgTextDlg::kUndo,  CHOXFlowProgTextDlg::kRedo};

CHOXParam* ParamOf(CHOXFlowProgText* symbol)
{
    CHOXDoc* doc = symbol != nullptr ? chart::DocumentOf(symbol->GetWnd()) : nullptr;
    return doc != nullptr ? &doc->GetParam() : nullptr;
}

// The number of a pointer label ("P" and digits), -1 for any other
// statement.
int LabelNumber(const CHOXInstrParser& checker)
{
    if (checker.IsInstruction() || checker.IsOperandOnly()) return -1;
    const QString name = checker.GetPrimaryName();
    if (name.size() < 2 || name[0] != u'P') return -1;
    bool ok = false;
    const int number = name.mid(1).toInt(&ok, 10);
    return ok ? number : -1;
}
} // namespace

CHOXFlowProgTextDlg::CHOXFlowProgTextDlg(CHOXFlowProgText* symbol)
    : CHOXFlowSymbolDlg(symbol, kTemplate), m_edit(ParamOf(symbol), this), m_pProgText(symbol)
{
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_strText = symbol->GetCode();
    }
    OnClicked(kCut, [this] { OnCut(); });
    OnClicked(kCopy, [this] { m_edit.Copy(); });
    OnClicked(kPaste, [this] { OnPaste(); });
    OnClicked(kClean, [this] { OnClean(); });
    OnClicked(kUndo, [this] { OnUndoButton(false); });
    OnClicked(kRedo, [this] { OnUndoButton(true); });
    OnClicked(kHelpButton, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

void CHOXFlowProgTextDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
}

QString CHOXFlowProgTextDlg::EditorText(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        const QString statement = CHOXProgTextEdit::LeftTrimmed(line);
        if (!statement.isEmpty()) lines << statement;
    }
    return lines.join(kLineEnd);
}

bool CHOXFlowProgTextDlg::OnInitDialog()
{
    m_strInitialText = m_strText;
    CHOXFlowSymbolDlg::OnInitDialog();
    m_edit.SubclassDlgItem(kEditor, this);

    // Labels that another holder has may not be written here; the symbol's
    // own may, unless it is a copy in the error state, which holds none.
    const CHOXDoc* doc = GetDocument();
    for (int n = 0; n < 256; ++n) {
        m_labelTable[std::size_t(n)] = doc != nullptr && doc->IsPointerNumberUsed(n) ? 1 : 0;
        if (m_pProgText != nullptr && m_pProgText->GetState() != CHOXSymbol::kError && m_pProgText->HasPointerNumber(n))
            m_labelTable[std::size_t(n)] = 0;
    }

    m_strEditText = EditorText(m_strText);
    m_edit.SetWindowText(m_strEditText);
    EnableToolTips(true);
    for (std::size_t i = 0; i < kEditButtons.size(); ++i)
        Site()->SetImage(kEditButtons[i], LoadBitmapResource(kPictures[i]));
    m_edit.SetCaret(0);
    GotoDlgCtrl(kEditor);
    return false;
}

void CHOXFlowProgTextDlg::SetStatus(const QString& text) { SetDlgItemText(kStatus, text); }

bool CHOXFlowProgTextDlg::IsEditButton(int id)
{
    for (int button : kEditButtons)
        if (button == id) return true;
    return false;
}

void CHOXFlowProgTextDlg::EnableEditButtons(bool enable)
{
    for (int button : kEditButtons) EnableDlgItem(button, enable);
}

void CHOXFlowProgTextDlg::OnTimer(UINT timerId) { m_edit.OnTimer(timerId); }

bool CHOXFlowProgTextDlg::OnToolTipNeedText(int id, QString& tip)
{
    for (std::size_t i = 0; i < kEditButtons.size(); ++i) {
        if (kEditButtons[i] != id) continue;
        m_strToolTip = LoadStr(static_cast<UINT>(13520 + i));
        tip = m_strToolTip;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Buttons

void CHOXFlowProgTextDlg::OnCut()
{
    int start = 0;
    int end = 0;
    m_edit.GetSel(start, end);
    m_edit.Cut();
    m_edit.SetCaret(start);
    m_edit.ClearUndo();
    m_edit.SetUndone(false);
}

void CHOXFlowProgTextDlg::OnPaste()
{
    m_edit.Paste();
    m_edit.ClearUndo();
    m_edit.SetUndone(false);
}

void CHOXFlowProgTextDlg::OnUndoButton(bool redo)
{
    if (!m_edit.Undo()) m_edit.CEdit::Undo();
    m_edit.SetUndone(!redo);
}

void CHOXFlowProgTextDlg::OnClean()
{
    m_edit.Clean();
    m_edit.SetUndone(false);
}

// ---------------------------------------------------------------------------
// OK

void CHOXFlowProgTextDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (!CheckText()) return;
    EndDialog(IDOK);
}

bool CHOXFlowProgTextDlg::CheckText()
{
    CHOXWaitCursor wait;
    std::array<std::int32_t, 256> labels = m_labelTable;
    std::array<bool, 256> own{};
    m_nStepCount = 0;
    m_strText.clear();
    CHOXInstrParser& checker = m_edit.Checker();
    const QStringList lines = m_edit.GetWindowText().split(kLineEnd);
    const auto refuse = [&](int line, const QString& status) {
        SetStatus(status);
        GotoDlgCtrl(kEditor);
        m_edit.SelectLine(line);
        return false;
    };
    for (int i = 0; i < lines.size(); ++i) {
        SetStatus(LoadStr(13518) + QStringLiteral(" ") + QString::number(i));
        const QString statement = CHOXProgTextEdit::LeftTrimmed(lines[i]);
        QString preceding;
        m_edit.GetPrecedingText(preceding, i);
        QString error;
        if (!checker.CheckInstruction(statement, error, preceding))
            return refuse(i, CHOXProgTextEdit::RefusalText(checker, error));
        if (CHOXProgTextEdit::IsProgramBoundary(checker)) return refuse(i, CHOXProgTextEdit::BoundaryText());
        const int label = LabelNumber(checker);
        if (label >= 0 && label < 256) {
            if (labels[std::size_t(label)] != 0) return refuse(i, LoadStr(IDS_POINTER_NUMBER_EXISTS));
            labels[std::size_t(label)] = 1;
            own[std::size_t(label)] = true;
        }
        // A blank line adds nothing to the program; reopening would drop it.
        if (statement.isEmpty()) continue;
        m_nStepCount += checker.GetSteps();
        m_strText += checker.GetCanonicalStatement() + QStringLiteral("\n");
    }
    SettleLabels(own);
    return true;
}

void CHOXFlowProgTextDlg::SettleLabels(const std::array<bool, 256>& own)
{
    CHOXDoc* doc = GetDocument();
    for (int n = 0; n < 256; ++n) {
        const std::size_t i = std::size_t(n);
        if (own[i]) {
            if (m_pProgText != nullptr && !m_pProgText->HasPointerNumber(n)) m_pProgText->AddPointerNumber(n);
            if (doc != nullptr) doc->MarkPointerNumberUsed(n);
            continue;
        }
        // A number the text no longer defines goes; one that another holder
        // has stays that holder's.
        if (m_pProgText != nullptr && m_pProgText->HasPointerNumber(n)) m_pProgText->RemovePointerNumber(n);
        if (doc != nullptr && m_labelTable[i] == 0) doc->FreePointerNumber(n);
    }
}
