#pragma once
// "M Code": a stand-alone M code (0, 1 or 3 to 100) with the axis it is set
// for, and the sequence program the companion RA-ZUZ runs for it.
#include "symbols/code/HOXCodeDlg.h"

#include "chart/ControllerType.h"

class CHOXCodeMcode;

class CHOXCodeMcodeDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2033;
    static constexpr int kDisplayContentsBox = 8415;
    static constexpr int kAxisX = 1567;
    static constexpr int kAxisY = 1568;
    static constexpr int kKzPlc = 8164;
    static constexpr UINT kMsgMcodeRange = 13768;

    explicit CHOXCodeMcodeDlg(CHOXCodeMcode* symbol);

    int GetDialogKind() const override { return 733; }
    // 0 X, 1 Y, -1 none.
    std::int32_t GetAxis() const { return m_nAxis; }
    // 0, 1 or 3 to 100; anything else is refused with its message.
    bool CheckMcodeRange();

    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnKzPlc();

    std::int32_t m_nAxis = axis::kX;
    BYTE m_byOpeningMcode = 1;
};
