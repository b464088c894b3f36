#include "symbols/code/HOXCodeDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/SymbolSupport.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "symbols/code/HOXDataRegDlg.h"

namespace {
// The integer at the start of a text, as the C library reads it: blanks, a
// sign, digits; 0 when there are none.
std::int64_t LeadingInteger(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace()) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) negative = text[pos++] == u'-';
    std::int64_t value = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9' && value < INT32_MAX; ++pos)
        value = value * 10 + (text[pos].unicode() - u'0');
    return negative ? -value : value;
}

// The 16-bit data register D0.
CHOXDataReg RegisterD0()
{
    CHOXDataReg d0;
    d0.SetValue(true, false, 0, CHOXDataReg::kNoIndex, 0);
    return d0;
}
} // namespace

CHOXCodeDlg::CHOXCodeDlg(CHOXSymbol* symbol, UINT templateId, McodeControls controls)
    : CDialog(templateId), m_pDoc(symbol != nullptr ? chart::DocumentOf(symbol->GetWnd()) : nullptr), m_pSymbol(symbol),
      m_mcodeControls(controls)
{
    if (symbol != nullptr) {
        m_strComment = symbol->GetComment();
        m_bDisplayComment = symbol->GetDisplayComment();
        m_bDisplayContents = symbol->GetDisplayContents();
        m_bMcodeMode = symbol->GetMcodeMode();
        m_byMcode = static_cast<BYTE>(symbol->GetMcode());
    }
    Connect();
}

CHOXCodeDlg::CHOXCodeDlg(UINT templateId, CHOXDoc* doc, McodeControls controls)
    : CDialog(templateId), m_pDoc(doc), m_mcodeControls(controls)
{
    Connect();
}

void CHOXCodeDlg::Connect()
{
    if (m_pDoc != nullptr) {
        m_pParam = &m_pDoc->GetParam();
        m_bOneAxis = ctype::IsOneAxis(m_pDoc->GetControllerType()) ? 1 : 0;
    }
    if (m_mcodeControls.modeBox != 0) {
        OnClicked(m_mcodeControls.modeBox, [this] { OnMcodeMode(); });
        OnChange(kMcode, [this] { OnMcodeChange(); });
        OnSpinDelta(m_mcodeControls.spin, [](int pos, int delta) { return SkipTwo(pos, delta); });
    }
    OnClicked(kParameters, [this] { OnParameters(); });
    OnClicked(kHelp, [this] { OpenHelp(0x20000 + GetTemplateId()); });
}

void CHOXCodeDlg::SetParameterDialog(void (CHOXParam::*edit)()) { m_parameterDialog = edit; }

void CHOXCodeDlg::OnParameters()
{
    if (m_pParam != nullptr && m_parameterDialog != nullptr) (m_pParam->*m_parameterDialog)();
}

std::int32_t CHOXCodeDlg::ControllerType() const { return m_pDoc != nullptr ? m_pDoc->GetControllerType() : -1; }

std::int32_t CHOXCodeDlg::FileRegisters() const
{
    return m_pParam != nullptr ? m_pParam->GetFileRegisters() : 0;
}

int CHOXCodeDlg::SkipTwo(int pos, int delta) { return pos + delta == 2 ? 2 * delta : delta; }

void CHOXCodeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kComment, m_strComment);
    DDV_MaxChars(pDX, m_strComment, kCommentLimit);
    DDX_Check(pDX, kDisplayComment, m_bDisplayComment);
    DDX_Check(pDX, m_mcodeControls.displayContents, m_bDisplayContents);
    if (m_mcodeControls.modeBox != 0) DDX_Check(pDX, m_mcodeControls.modeBox, m_bMcodeMode);
    // An unsigned byte, as the framework exchanges one.
    std::int32_t mcode = m_byMcode;
    DDX_Text(pDX, kMcode, mcode);
    DDV_MinMaxInt(pDX, mcode, 0, 255);
    m_byMcode = static_cast<BYTE>(mcode);
}

bool CHOXCodeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_mcodeControls.modeBox != 0) {
        EnableDlgItem(kMcode, m_bMcodeMode != 0);
        EnableDlgItem(m_mcodeControls.spin, m_bMcodeMode != 0);
        Site()->SetRange(m_mcodeControls.spin, 1, 99);
    }
    m_bShown = true;
    return true;
}

void CHOXCodeDlg::OnMcodeMode()
{
    m_bMcodeMode = m_bMcodeMode != 0 ? 0 : 1;
    EnableDlgItem(kMcode, m_bMcodeMode != 0);
    EnableDlgItem(m_mcodeControls.spin, m_bMcodeMode != 0);
    if (m_bMcodeMode == 0 && GetDlgItemText(kMcode).isEmpty()) {
        // Only the M code is shown anew: what the user typed elsewhere and
        // has not been read yet stays.
        m_byMcode = 1;
        SetDlgItemInt(kMcode, m_byMcode);
    }
}

void CHOXCodeDlg::OnMcodeChange()
{
    if (!m_bShown) return;
    const QString text = GetDlgItemText(kMcode);
    if (text.size() == 1 || text.size() == 2) return;
    if (text.size() > 2) SetDlgItemText(kMcode, text.left(2));
    AfxMessageBox(kMsgMcode, MB_OK | MB_ICONHAND);
    GotoDlgCtrl(kMcode);
    const int end = static_cast<int>(GetDlgItemText(kMcode).size());
    Site()->SetSel(kMcode, end, end);
}

bool CHOXCodeDlg::CheckMcode()
{
    if (m_byMcode == 1 || (m_byMcode >= 3 && m_byMcode <= 99)) return true;
    AfxMessageBox(kMsgMcode, MB_OK | MB_ICONHAND);
    return false;
}

void CHOXCodeDlg::OnOK()
{
    if (m_bMcodeMode != 0 && GetDlgItemText(kMcode).isEmpty()) {
        Refuse(kMcode, kMsgMcode);
        return;
    }
    if (!UpdateData(true)) return;
    if (!CheckBeforeMcode()) return;
    if (m_bMcodeMode != 0 && !CheckMcode()) {
        FocusAndSelect(kMcode);
        return;
    }
    if (!CheckAfterMcode()) return;
    EndDialog(IDOK);
}

void CHOXCodeDlg::FocusAndSelect(int id)
{
    GotoDlgCtrl(id);
    if (Site() != nullptr) Site()->SetSel(id, 0, -1);
}

bool CHOXCodeDlg::Refuse(int id, const QString& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    FocusAndSelect(id);
    return false;
}

bool CHOXCodeDlg::Refuse(int id, UINT messageId) { return Refuse(id, LoadStr(messageId)); }

bool CHOXCodeDlg::CheckOperand(int id, const QString& text, CHOXDataReg& operand, UINT parseMessage, bool allowNegative)
{
    if (!operand.Parse(text, allowNegative)) return Refuse(id, parseMessage);
    return CheckOperandRange(id, operand);
}

bool CHOXCodeDlg::CheckOperandRange(int id, const CHOXDataReg& operand)
{
    QString message;
    if (operand.CheckRange(m_bOneAxis != 0, message, FileRegisters())) return true;
    return Refuse(id, message);
}

void CHOXCodeDlg::EnableAll(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids) EnableDlgItem(id, enable);
}

void CHOXCodeDlg::ExchangeOperand(CDataExchange* pDX, int id, QString& text, int limit)
{
    DDX_Text(pDX, id, text);
    if (limit > 0) DDV_MaxChars(pDX, text, limit);
}

void CHOXCodeDlg::ChooseRegister(QString& text, CHOXDataReg& operand, RegisterButton form)
{
    if (!UpdateData(true) && form == RegisterButton::kStopOnFail) return;
    if (form == RegisterButton::kNotNegative && text.isEmpty()) text = operand.GetText();
    bool startAtOperand = operand.Parse(text, true);
    if (form == RegisterButton::kNotNegative) startAtOperand = startAtOperand && LeadingInteger(text) >= 0;
    CHOXDataRegDlg chooser(startAtOperand ? operand : RegisterD0(), m_pDoc);
    if (chooser.DoModal() == IDOK) {
        operand = chooser.GetDataReg();
        text = operand.GetText();
    }
    UpdateData(false);
}
