#pragma once
// "START": the axis and program number of a START. The subtask's START keeps
// 100; on the interpolating controller the program belongs to both axes.
#include "symbols/flow/HOXFlowSymbolDlg.h"

class CHOXFlowStart;

class CHOXFlowStartDlg : public CHOXFlowSymbolDlg {
public:
    static constexpr UINT kTemplate = 2010;
    static constexpr int kXAxis = 8126;
    static constexpr int kYAxis = 8128;
    static constexpr int kNumber = 8124;
    static constexpr int kPrefix = 8301;
    static constexpr int kSpin = 8310;
    static constexpr int kParameters = 8129;

    explicit CHOXFlowStartDlg(CHOXFlowStart* symbol);

    int GetDialogKind() const override { return 702; }
    // 0 X, 1 Y, 2 both axes (the subtask's and the interpolating
    // controller's programs).
    std::int32_t GetAxis() const { return m_nAxis; }
    std::int32_t GetProgramNumber() const { return m_nProgramNumber; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void OnAxis(std::int32_t axis);
    void OnParameters();

    std::int32_t m_nAxis = -1;
    std::int32_t m_nProgramNumber = 0;
    std::int32_t m_nControllerType = 0;
    bool m_bSubtask = false;
    std::int32_t m_nNumberAtOpening = -1;
    std::int32_t m_nAxisAtOpening = -1;
    std::int32_t m_nState = 0;
};
