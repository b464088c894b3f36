#pragma once
// What the compare and zone forms of the conditional jump share: the jump
// sense, the width, word operands typed or built with "Select Word Device",
// and the output whose three result bits the comparison sets (Y or M, a
// number whose spin counts Y in octal, the next two bits shown beside it).
#include "symbols/flow/HOXFlowSymbolDlg.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QString>

#include <cstdint>

class CHOXFlowCJump;

class CHOXFlowCJumpWordDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr int kSatisfied = 8266;
    static constexpr int kNotSatisfied = 8269;
    static constexpr int k32Bit = 8272;
    static constexpr int kNextNumber1 = 8305;
    static constexpr int kNextNumber2 = 8306;

    std::int32_t GetNegated() const { return m_nNegated; }
    std::int32_t Get32Bit() const { return m_n32Bit; }
    // 0 Y, 1 M.
    std::int32_t GetOutputType() const { return m_nOutputType; }
    std::int32_t GetOutputNumber() const { return m_nOutputNumber; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    // The controls of the output: its type combo box, number edit and spin.
    struct OutputControls {
        int type;
        int number;
        int spin;
    };
    CHOXFlowCJumpWordDlg(CHOXFlowCJump* symbol, UINT templateId, OutputControls output);

    // Lets the user build the operand of the edit in "Select Word Device":
    // the chooser starts from what the text gives when the controller has it.
    void SelectOperand(int editId, QString& text, CHOXSelectVal& operand);
    // Reads the text into the operand and judges it against the controller:
    // false with the reason (the operand then empty).
    bool ReadOperand(const QString& text, CHOXSelectVal& operand, QString& message) const;
    // The first result bit must exist: false after its message.
    bool CheckOutputNumber();
    std::int32_t FileRegisters() const;

    std::int32_t m_nNegated = 0;
    std::int32_t m_n32Bit = 0;
    std::int32_t m_nOutputType = 1;
    std::int32_t m_nOutputNumber = 0;
    std::int32_t m_nControllerType = 0;
    // While the dialog opens the output edit's changes are its own.
    bool m_bSettingUp = true;

private:
    void ShowNextNumbers();
    void OnOutputType();
    void OnOutputNumber();
    void SetOutputSpinRange();
    int OutputSpinDelta(int pos, int delta);

    const OutputControls m_output;
};
