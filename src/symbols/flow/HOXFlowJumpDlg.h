#pragma once
// "JUMP": the target of a JUMP and the end that may follow it. "&Open
// Program" shows the POINTER of the target (or makes a chart for it) and
// takes the dialog's values.
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowJump;

class CHOXFlowJumpDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2015;
    static constexpr int kNumber = 8124;
    static constexpr int kSpin = 8315;
    static constexpr int kEndFollows = 1577;
    static constexpr int kEnd = 1581;
    static constexpr int kSend = 1582;
    static constexpr int kOpenProgram = 8136;

    explicit CHOXFlowJumpDlg(CHOXFlowJump* symbol);

    int GetDialogKind() const override { return 707; }
    std::int32_t GetPointerNumber() const { return m_nPointerNumber; }
    std::int32_t GetEndFollows() const { return m_bEndFollows; }
    // 0 END, 1 SEND, -1 none chosen.
    std::int32_t GetEndKind() const { return m_nEndKind; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void OnEndFollows();
    void OnOpenProgram();

    std::int32_t m_nNumberAtOpening = -1;
    std::int32_t m_nPointerNumber = -1;
    std::int32_t m_nCaptionMode = 1;
    std::int32_t m_bEndFollows = 1;
    std::int32_t m_nEndKind = 0;
    std::int32_t m_nLastEndKind = 0;
};
