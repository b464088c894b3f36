#pragma once
// "Conditional Jump - by ON/OFF of bit signal": the condition as sequence
// lines on bit devices, one statement per line, and whether the jump is taken
// when the logic is on or off. OK checks each line with the instruction
// checker, takes only the load, and and or instructions, and keeps the
// checker's normal form.
#include "platform/Edit.h"
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowCJump;

class CHOXFlowCJumpBitDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2016;
    static constexpr int kOn = 8145;
    static constexpr int kOff = 8148;
    static constexpr int kCondition = 8155;

    explicit CHOXFlowCJumpBitDlg(CHOXFlowCJump* symbol);

    int GetDialogKind() const override { return 709; }
    // Statements separated by "\n".
    QString GetCondition() const { return m_strCondition; }
    std::int32_t GetNegated() const { return m_nNegated; }

    // The stored condition as the edit shows it: one statement a line.
    static QString ConditionLines(const QString& condition);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    // Selects the line of the edit, which the user must mend.
    void SelectLine(int line);

    std::int32_t m_nNegated = 0;
    QString m_strCondition;
    CEdit m_edit;
};
