#include "symbols/code/HOXDataRegDlg.h"

#include "chart/ControllerType.h"
#include "chart/DeviceRanges.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "params/HOXSetParamPromptDlg.h"
#include "platform/Strings.h"
#include "plc/HOXKzPlcDlg.h"
#include "res/StringIds.h"

namespace {
// The registers the one-axis controller lacks lie between these.
constexpr int kGapTop16 = devices::kLastDataOneAxis;
constexpr int kGapTop32 = devices::kLastDataOneAxis - 1;
constexpr int kFirstPlcRegister = 100;
} // namespace

CHOXDataRegDlg::CHOXDataRegDlg(const CHOXDataReg& operand, CHOXDoc* doc)
    : CDialog(kTemplate), m_dataReg(operand), m_pDoc(doc)
{
    OnClicked(k16Bit, [this] { OnWordSize(); });
    OnClicked(k32Bit, [this] { OnWordSize(); });
    OnChange(kNumber, [this] { OnNumberChange(); });
    OnSpinDelta(kNumberSpin, [this](int pos, int delta) { return NumberSpinDelta(pos, delta); });
    OnSelChange(kIndexType, [this] { OnIndexType(); });
    OnClicked(kKzPlc, [this] { OnKzPlc(); });
    OnClicked(kHelp, [this] { OpenHelp(0x20000 + kTemplate); });
}

bool CHOXDataRegDlg::IsKz10() const { return m_pDoc != nullptr && ctype::IsOneAxis(m_pDoc->GetControllerType()); }

std::int32_t CHOXDataRegDlg::FileRegisters() const
{
    return m_pDoc != nullptr ? m_pDoc->GetParam().GetFileRegisters() : 0;
}

void CHOXDataRegDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, k16Bit, m_nWordSize);
    DDX_Text(pDX, kNumber, m_nNumber);
    DDX_CBIndex(pDX, kIndexType, m_nIndexType);
    DDX_Text(pDX, kIndexNumber, m_nIndexNumber);
}

bool CHOXDataRegDlg::OnInitDialog()
{
    if (m_dataReg.IsRegister()) {
        m_nWordSize = m_dataReg.Is32Bit() ? 1 : 0;
        m_nIndexType = m_dataReg.GetIndexType();
        m_nIndexNumber = m_dataReg.GetIndexNumber();
    } else {
        m_nWordSize = 0;
        m_nIndexType = CHOXDataReg::kNoIndex;
        m_nIndexNumber = 0;
    }
    m_nNumber = m_dataReg.GetNumber();
    if (m_nNumber < 0 || m_nNumber > HighestNumber()) m_nNumber = 0;
    Site()->SetRange(kIndexSpin, 0, devices::kLastIndex);
    CDialog::OnInitDialog();
    ShowWordSize();
    EnableKzPlc(true, m_nNumber);
    EnableDlgItem(kIndexNumber, m_nIndexType != CHOXDataReg::kNoIndex);
    EnableDlgItem(kIndexSpin, m_nIndexType != CHOXDataReg::kNoIndex);
    m_bShown = true;
    return true;
}

void CHOXDataRegDlg::ShowWordSize()
{
    SetDlgItemText(kPrefix, Is32Bit() ? QStringLiteral("DD") : QStringLiteral("D"));
    Site()->SetRange(kNumberSpin, 0, HighestNumber());
}

void CHOXDataRegDlg::EnableKzPlc(bool numberKnown, std::int32_t number)
{
    EnableDlgItem(kKzPlc, numberKnown && number >= kFirstPlcRegister && number <= HighestNumber());
}

void CHOXDataRegDlg::OnWordSize()
{
    if (!UpdateData(true)) {
        // The number is no integer: the word size stays what the prefix shows.
        m_nWordSize = GetDlgItemText(kPrefix) == QStringLiteral("DD") ? 1 : 0;
        CheckRadioButton(k16Bit, k32Bit, m_nWordSize == 1 ? k32Bit : k16Bit);
        return;
    }
    ShowWordSize();
    if (m_nNumber < 0 || m_nNumber > HighestNumber()) m_nNumber = 0;
    EnableKzPlc(true, m_nNumber);
    UpdateData(false);
}

void CHOXDataRegDlg::OnNumberChange()
{
    if (!m_bShown) return;
    bool ok = false;
    const std::int32_t number = GetDlgItemInt(kNumber, &ok);
    EnableKzPlc(ok, number);
}

int CHOXDataRegDlg::NumberSpinDelta(int pos, int delta) const
{
    if (!IsKz10()) return delta;
    // The one-axis controller has no registers between the gap's top and
    // the first file register: the spin steps over them.
    const int gapTop = Is32Bit() ? kGapTop32 : kGapTop16;
    if (delta > 0 && pos >= gapTop && pos < devices::kFirstFileRegister) return devices::kFirstFileRegister - pos;
    if (delta < 0 && pos > gapTop && pos <= devices::kFirstFileRegister) return gapTop - pos;
    return delta;
}

void CHOXDataRegDlg::OnIndexType()
{
    m_nIndexType = Site()->GetCurSel(kIndexType);
    if (m_nIndexType < 0) m_nIndexType = CHOXDataReg::kNoIndex;
    const bool indexed = m_nIndexType != CHOXDataReg::kNoIndex;
    EnableDlgItem(kIndexNumber, indexed);
    EnableDlgItem(kIndexSpin, indexed);
}

void CHOXDataRegDlg::OnKzPlc()
{
    if (!UpdateData(true)) return;
    CHOXKzPlcDlg dlg(Is32Bit() ? 1 : 0, m_nNumber, m_pDoc, 0, 0);
    dlg.DoModal();
}

void CHOXDataRegDlg::Refuse(const QString& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONHAND);
    const int field = message == LoadStr(IDS_INVALID_INDEX_REGISTER_NUMBER) ? kIndexNumber : kNumber;
    GotoDlgCtrl(field);
    Site()->SetSel(field, 0, -1);
}

bool CHOXDataRegDlg::BeyondFileRegisters(std::int32_t fileRegisters) const
{
    const std::int64_t first = devices::LastFileRegister(fileRegisters) + (Is32Bit() ? 0 : 1);
    return m_nNumber >= first;
}

void CHOXDataRegDlg::OnOK()
{
    if (!UpdateData(true)) return;
    // An index typed beyond a byte must not wrap into a valid one.
    const bool indexFits = m_nIndexNumber >= 0 && m_nIndexNumber <= 255;
    m_dataReg.SetValue(true, Is32Bit(), m_nNumber, static_cast<BYTE>(m_nIndexType),
                       static_cast<BYTE>(indexFits ? m_nIndexNumber : 255));
    QString message;
    std::int32_t fileRegisters = FileRegisters();
    if (!m_dataReg.CheckRange(IsKz10(), message, fileRegisters)) {
        const bool numberMessage =
            message == LoadStr(IDS_INVALID_D_REGISTER) || message == LoadStr(IDS_INVALID_DD_REGISTER);
        const bool indexMessage = message == LoadStr(IDS_INVALID_INDEX_REGISTER_NUMBER);
        // Beyond the file registers the user may still raise them below; on
        // the one-axis controller only above its missing registers.
        const bool raisable =
            !numberMessage && !indexMessage && (!IsKz10() || m_nNumber >= devices::kFirstFileRegister);
        if (!raisable) {
            Refuse(message);
            return;
        }
    }
    if (BeyondFileRegisters(fileRegisters)) {
        CHOXSetParamPromptDlg prompt(m_pDoc);
        if (prompt.DoModal() == IDCANCEL) return;
        fileRegisters = FileRegisters();
        if (BeyondFileRegisters(fileRegisters)) return;
        // The way to the prompt skipped whatever the range check had left to
        // say, the index among it.
        if (!m_dataReg.CheckRange(IsKz10(), message, fileRegisters)) {
            Refuse(message);
            return;
        }
    }
    EndDialog(IDOK);
}
