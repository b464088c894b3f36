#include "symbols/func/HOXFuncBaseDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXSymbol.h"
#include "chart/SymbolSupport.h"
#include "params/HOXParam.h"
#include "platform/Help.h"
#include "platform/Strings.h"
#include "symbols/operand/HOXSelWordDevDlg.h"
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

const char* const CHOXFuncBaseDlg::kSourceLabel = " Source Data";
const char* const CHOXFuncBaseDlg::kDestinationLabel = " Destination Data";
const char* const CHOXFuncBaseDlg::kDigitsLabel = " Digits";
const char* const CHOXFuncBaseDlg::kLogicLabel = " Logic";
const char* const CHOXFuncBaseDlg::kRepeatLabel = " Repeat times";

CHOXFuncBaseDlg::CHOXFuncBaseDlg(CHOXSymbol* symbol, UINT templateId)
    : CDialog(templateId), m_pSymbol(symbol), m_pDoc(symbol != nullptr ? chart::DocumentOf(symbol->GetWnd()) : nullptr)
{
    if (m_pDoc != nullptr) {
        m_nControllerMode = ctype::IsOneAxis(m_pDoc->GetControllerType()) ? 1 : 0;
        m_nFileRegisters = m_pDoc->GetParam().GetFileRegisters();
    }
    if (symbol != nullptr) {
        m_strComment = symbol->GetComment();
        m_bDisplayComment = symbol->GetDisplayComment();
        m_bDisplayContents = symbol->GetDisplayContents();
    }
    OnClicked(kSelects[0], [this] { OnSelect1(); });
    OnClicked(kSelects[1], [this] { OnSelect2(); });
    OnClicked(kSelects[2], [this] { OnSelect3(); });
    OnClicked(kSelects[3], [this] { OnSelect4(); });
    OnClicked(k32Bit, [this] { On32Bit(); });
    OnClicked(kHelp, [this] { OpenHelp(HID_BASE_RESOURCE + GetTemplateId()); });
}

void CHOXFuncBaseDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kComment, m_strComment);
    DDV_MaxChars(pDX, m_strComment, kCommentLimit);
    DDX_Check(pDX, kDisplayComment, m_bDisplayComment);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Check(pDX, k32Bit, m_b32Bit);
    for (std::size_t i = 0; i < kOperands.size(); ++i) DDX_Text(pDX, kOperands[i], m_texts[i]);
}

bool CHOXFuncBaseDlg::OnInitDialog()
{
    for (std::size_t i = 0; i < m_labels.size(); ++i) SetLabel(static_cast<int>(i), m_labels[i]);
    // The kind may clear what it does not use before the fields are shown.
    ShowKind();
    CDialog::OnInitDialog();
    return true;
}

void CHOXFuncBaseDlg::AddKindButton(int id, std::int32_t kind, const QString& mnemonic)
{
    m_kindButtons.push_back({id, kind, mnemonic});
    OnClicked(id, [this, kind] { OnKindButton(kind); });
}

void CHOXFuncBaseDlg::ShowKind()
{
    for (const KindButton& button : m_kindButtons) {
        CheckDlgButton(button.id, button.kind == m_nKind ? 1 : 0);
        if (button.kind == m_nKind) m_strMnemonic = button.mnemonic;
    }
    SetMnemonic(m_strMnemonic);
    EnableForKind();
}

void CHOXFuncBaseDlg::OnKindButton(std::int32_t kind)
{
    if (!UpdateData(true)) return;
    m_nKind = kind;
    ShowKind();
    UpdateData(false);
}

void CHOXFuncBaseDlg::OnSelect1() { SelectWord(0, 0, m_b32Bit != 0); }
void CHOXFuncBaseDlg::OnSelect2() { SelectWord(1, 0, m_b32Bit != 0); }
void CHOXFuncBaseDlg::OnSelect3() { SelectWord(2, 0, m_b32Bit != 0); }
void CHOXFuncBaseDlg::OnSelect4() { SelectWord(3, 0, m_b32Bit != 0); }

void CHOXFuncBaseDlg::SetOperand(int i, const CHOXSelectVal& operand)
{
    const auto at = static_cast<std::size_t>(i);
    m_operands[at] = operand;
    m_texts[at] = operand.GetText();
}

void CHOXFuncBaseDlg::SetLabel(int i, const char* label)
{
    SetDlgItemText(kLabels.at(static_cast<std::size_t>(i)), QString::fromLatin1(label));
}

void CHOXFuncBaseDlg::EnableOperand(int i, bool enable)
{
    EnableDlgItem(kOperands.at(static_cast<std::size_t>(i)), enable);
    EnableDlgItem(kSelects.at(static_cast<std::size_t>(i)), enable);
}

void CHOXFuncBaseDlg::SelectWord(int i, int deviceList, bool is32Bit, const TypeRule& rule)
{
    if (!UpdateData(true)) return;
    const auto at = static_cast<std::size_t>(i);
    CHOXSelectVal& operand = m_operands[at];
    QString ignored;
    const bool usable = !m_texts[at].isEmpty() && operand.Parse(m_texts[at], ignored) &&
                        operand.CheckRange(is32Bit, IsOneAxisMode(), ignored, m_nFileRegisters) &&
                        rule(operand.GetDeviceType());
    if (!usable) operand.Clear();
    CHOXSelWordDevDlg chooser(operand, is32Bit, IsOneAxisMode(), deviceList, m_nFileRegisters);
    if (chooser.DoModal() != IDOK) return;
    SetOperand(i, chooser.GetValue());
    UpdateData(false);
}

void CHOXFuncBaseDlg::SelectBit(int i, int listKind)
{
    if (!UpdateData(true)) return;
    const auto at = static_cast<std::size_t>(i);
    CHOXSelectVal& operand = m_operands[at];
    QString message;
    if (m_texts[at].isEmpty() || !operand.Parse(m_texts[at], message)) operand.Clear();
    CHOXSelectBitDeviceDlg chooser(IsOneAxisMode(), listKind);
    chooser.SetDevice(operand.GetDeviceType(), static_cast<std::uint32_t>(operand.GetNumber()));
    if (chooser.DoModal() != IDOK) return;
    CHOXSelectVal chosen;
    chosen.SetValue(message, static_cast<BYTE>(chooser.GetDeviceType()), 0,
                    static_cast<std::int32_t>(chooser.GetDeviceNumber()), CHOXSelectVal::kNoIndex, 0);
    SetOperand(i, chosen);
    UpdateData(false);
}

bool CHOXFuncBaseDlg::ReadWordOperand(int i, bool is32Bit, UINT emptyMessage, const TypeRule& rule,
                                      UINT ruleMessage, QString& message)
{
    const auto at = static_cast<std::size_t>(i);
    CHOXSelectVal& operand = m_operands[at];
    message.clear();
    if (m_texts[at].isEmpty()) {
        message = LoadStr(emptyMessage);
    } else if (operand.Parse(m_texts[at], message) &&
               operand.CheckRange(is32Bit, IsOneAxisMode(), message, m_nFileRegisters) &&
               !rule(operand.GetDeviceType())) {
        message = LoadStr(ruleMessage);
    }
    if (message.isEmpty()) return true;
    operand.Clear();
    return false;
}

bool CHOXFuncBaseDlg::ReadBitOperand(int i, UINT emptyMessage, QString& message)
{
    const auto at = static_cast<std::size_t>(i);
    message.clear();
    if (m_texts[at].isEmpty()) {
        message = LoadStr(emptyMessage);
    } else if (m_operands[at].Parse(m_texts[at], message)) {
        return true;
    }
    m_operands[at].Clear();
    return false;
}

void CHOXFuncBaseDlg::RefuseOperand(int i, const QString& heading, const QString& reason)
{
    AfxMessageBox(heading + reason, MB_OK | MB_ICONHAND);
    const int edit = kOperands.at(static_cast<std::size_t>(i));
    GotoDlgCtrl(edit);
    Site()->SetSel(edit, 0, -1);
}

void CHOXFuncBaseDlg::RefuseOperand(int i, UINT heading, const QString& reason)
{
    RefuseOperand(i, LoadStr(heading), reason);
}
