#pragma once
// "Parameter Subtask": when the subtask starts (104, 105) and stops (106,
// 107), single-step operation (110, 111) and the error output (108, 109).
// Each input field counts only while the choice beside it is made.
#include "params/HOXParamDlg.h"

class CHOXParamSubtaskDlg : public CHOXParamDlg {
public:
    static constexpr UINT kTemplate = 2054;
    static constexpr int kStartManual = 8720; // first of the start buttons
    static constexpr int kStartInput = 8721;
    static constexpr int kStartInputField = 8722;
    static constexpr int kStartInputSpin = 8723;
    static constexpr int kStartEither = 8724;
    static constexpr int kStartEitherField = 8725;
    static constexpr int kStartEitherSpin = 8726;
    static constexpr int kStopManual = 8730; // first of the stop buttons
    static constexpr int kStopInput = 8731;
    static constexpr int kStopField = 8732;
    static constexpr int kStopSpin = 8733;
    static constexpr int kStepRelay = 8740; // first of the single-step buttons
    static constexpr int kStepInput = 8741;
    static constexpr int kStepField = 8742;
    static constexpr int kStepSpin = 8743;
    static constexpr int kErrorCheck = 8750;
    static constexpr int kErrorField = 8752;
    static constexpr int kErrorSpin = 8753;

    explicit CHOXParamSubtaskDlg(CHOXParam* param);

    void DoDataExchange(CDataExchange* pDX) override;

    std::int32_t m_nStart = 0;
    std::int32_t m_nStartInput = 0;  // shown with "When Input specified"
    std::int32_t m_nStartEither = 0; // shown with "MANU to AUTO or Input specified"
    std::int32_t m_nStop = 0;
    std::int32_t m_nStopInput = 0;
    std::int32_t m_nError = 0;
    std::int32_t m_nErrorOutput = 0;
    std::int32_t m_nStep = 0;
    std::int32_t m_nStepInput = 0;

protected:
    void SetupControls() override;
    void ShowAxis(int) override {}
    void StoreAxis(int) override {}
    void UpdateEnabling() override;
    bool CheckFields() override;
    void WriteValues() override;

private:
    bool CheckInput(int id, std::int32_t value);
};
