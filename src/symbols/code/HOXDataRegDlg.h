#pragma once
// "Setting by data Register": makes one operand of a positioning code a 16-bit
// (D) or 32-bit (DD) data register with an optional index register, checked
// against the controller and its file registers. A register beyond the file
// registers may raise parameter 101 through the "Set Parameter" prompt.
#include "chart/DeviceRanges.h"
#include "platform/Dialog.h"
#include "res/CommandIds.h"
#include "symbols/operand/HOXDataReg.h"

#include <cstdint>

class CHOXDoc;

class CHOXDataRegDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2035;
    static constexpr int k16Bit = 8156;
    static constexpr int k32Bit = 8161;
    static constexpr int kKzPlc = 8164;
    static constexpr int kNumber = 8166;
    static constexpr int kIndexNumber = 8169;
    static constexpr int kIndexSpin = 8221;
    static constexpr int kIndexType = 8414;
    static constexpr int kPrefix = 8534;
    static constexpr int kNumberSpin = 8627;
    static constexpr int kHelp = ID_HELP;

    // The operand to start from; the document gives the controller type and
    // the file registers.
    CHOXDataRegDlg(const CHOXDataReg& operand, CHOXDoc* doc);

    // After OK: the register chosen.
    CHOXDataReg GetDataReg() const { return m_dataReg; }
    bool IsKz10() const;
    bool Is32Bit() const { return m_nWordSize == 1; }

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The highest register number of the word size.
    std::int32_t HighestNumber() const
    {
        return Is32Bit() ? devices::kLastFileRegisterArea - 1 : devices::kLastFileRegisterArea;
    }
    // Prefix, spin range and "KZ-PLC" for the word size.
    void ShowWordSize();
    void EnableKzPlc(bool numberKnown, std::int32_t number);
    void OnWordSize();
    void OnNumberChange();
    int NumberSpinDelta(int pos, int delta) const;
    void OnIndexType();
    void OnKzPlc();
    std::int32_t FileRegisters() const;
    // Shows why the register is refused and puts the user on the field.
    void Refuse(const QString& message);
    // The number needs more file registers than parameter 101 gives.
    bool BeyondFileRegisters(std::int32_t fileRegisters) const;

    CHOXDataReg m_dataReg;
    CHOXDoc* m_pDoc;
    std::int32_t m_nWordSize = 0;
    std::int32_t m_nNumber = 0;
    std::int32_t m_nIndexType = 0;
    std::int32_t m_nIndexNumber = 0;
    bool m_bShown = false;
};
