#include "symbols/flow/HOXFlowCJumpWordDlg.h"

#include "chart/ControllerType.h"
#include "chart/DeviceRanges.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/operand/HOXSelWordDevDlg.h"

namespace {
// The comparison sets the output and the two bits after it; the spin keeps
// all three among the devices.
constexpr std::int32_t kBitsAfter = 2;
} // namespace

CHOXFlowCJumpWordDlg::CHOXFlowCJumpWordDlg(CHOXFlowCJump* symbol, UINT templateId, OutputControls output)
    : CHOXFlowSymbolDlg(symbol, templateId), m_output(output)
{
    m_nControllerType = ControllerType();
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_nNegated = symbol->GetNegated();
    }
    OnClicked(k32Bit, [this] { m_n32Bit = IsDlgButtonChecked(k32Bit); });
    OnSelChange(m_output.type, [this] { OnOutputType(); });
    OnChange(m_output.number, [this] { OnOutputNumber(); });
    OnSpinDelta(m_output.spin, [this](int pos, int delta) { return OutputSpinDelta(pos, delta); });
}

std::int32_t CHOXFlowCJumpWordDlg::FileRegisters() const
{
    const CHOXDoc* doc = GetDocument();
    return doc != nullptr ? doc->GetParam().GetFileRegisters() : 0;
}

void CHOXFlowCJumpWordDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Radio(pDX, kSatisfied, m_nNegated);
    DDX_Check(pDX, k32Bit, m_n32Bit);
    DDX_CBIndex(pDX, m_output.type, m_nOutputType);
    DDX_Text(pDX, m_output.number, m_nOutputNumber);
}

bool CHOXFlowCJumpWordDlg::OnInitDialog()
{
    m_bSettingUp = true;
    // Any type but Y is an M.
    if (m_nOutputType != 0) m_nOutputType = 1;
    CHOXFlowSymbolDlg::OnInitDialog();
    ShowNextNumbers();
    Site()->SetRange(m_output.spin, 0, devices::kLastM);
    Site()->SetPos(m_output.spin, m_nOutputNumber);
    m_bSettingUp = false;
    return true;
}

void CHOXFlowCJumpWordDlg::ShowNextNumbers()
{
    // The bits the comparison sets after the first: Y counts in octal (Y7,
    // Y10, Y11), as the program text has them.
    const auto next = [this](int offset) {
        return CHOXFlowCJump::ResultBit(m_nOutputType, m_nOutputNumber, offset).mid(1);
    };
    SetDlgItemText(kNextNumber1, next(1));
    SetDlgItemText(kNextNumber2, next(2));
}

void CHOXFlowCJumpWordDlg::OnOutputType()
{
    m_nOutputType = Site()->GetCurSel(m_output.type) == 0 ? 0 : 1;
    // The spin reads its number within its range before it steps: the range
    // must already be the new type's.
    SetOutputSpinRange();
    bool ok = false;
    const std::int32_t number = GetDlgItemInt(m_output.number, &ok);
    if (ok) m_nOutputNumber = number;
    if (m_nOutputNumber > (m_nOutputType == 0 ? devices::kLastOctalTwoAxes : devices::kLastM) - kBitsAfter) {
        m_nOutputNumber = 0;
        SetDlgItemInt(m_output.number, 0);
        Site()->SetPos(m_output.spin, 0);
    }
    ShowNextNumbers();
}

void CHOXFlowCJumpWordDlg::OnOutputNumber()
{
    if (m_bSettingUp) return;
    bool ok = false;
    const std::int32_t number = GetDlgItemInt(m_output.number, &ok);
    if (!ok) return;
    m_nOutputNumber = number;
    ShowNextNumbers();
}

void CHOXFlowCJumpWordDlg::SetOutputSpinRange()
{
    const bool y = Site()->GetCurSel(m_output.type) == 0;
    const std::int32_t last = y ? devices::LastY(ctype::IsOneAxis(m_nControllerType)) : devices::kLastM;
    Site()->SetRange(m_output.spin, 0, last - kBitsAfter);
}

int CHOXFlowCJumpWordDlg::OutputSpinDelta(int pos, int delta)
{
    SetOutputSpinRange();
    const bool y = Site()->GetCurSel(m_output.type) == 0;
    if (!y || ctype::IsOneAxis(m_nControllerType)) return delta;
    // Y of the two-axis controller is numbered in octal: 7 steps up to 10,
    // 10 down to 7, and a number ending in 8 or 9 down to the 7 of its ten.
    const int r = pos % 10;
    if (delta > 0 && r >= 7) return 10 - r;
    if (delta < 0 && r == 0) return -3;
    if (delta < 0 && r >= 8) return 7 - r;
    return delta;
}

bool CHOXFlowCJumpWordDlg::ReadOperand(const QString& text, CHOXSelectVal& operand, QString& message) const
{
    if (!operand.Parse(text, message) || !operand.CheckRange(m_n32Bit != 0, IsSingleAxis(), message, FileRegisters())) {
        operand.Clear();
        return false;
    }
    return true;
}

void CHOXFlowCJumpWordDlg::SelectOperand(int editId, QString& text, CHOXSelectVal& operand)
{
    text = GetDlgItemText(editId);
    QString ignored;
    if (text.isEmpty() || !ReadOperand(text, operand, ignored)) operand.Clear();
    CHOXSelWordDevDlg chooser(operand, m_n32Bit != 0, IsSingleAxis(), CHOXSelWordDevDlg::kAllDevices, FileRegisters());
    if (chooser.DoModal() != IDOK) return;
    operand = chooser.GetValue();
    text = operand.GetText();
    SetDlgItemText(editId, text);
}

bool CHOXFlowCJumpWordDlg::CheckOutputNumber()
{
    UINT message = 0;
    if (m_nOutputType != 0) {
        if (m_nOutputNumber > devices::kLastM) message = 13223;
    } else if (ctype::IsOneAxis(m_nControllerType)) {
        if (m_nOutputNumber > devices::kLastYOneAxis) message = 13224;
    } else if (m_nOutputNumber % 10 > 7 || m_nOutputNumber > devices::kLastOctalTwoAxes) {
        message = 13225;
    }
    return message == 0 || Refuse(m_output.number, message);
}
