#pragma once
// "Align": which edge the Align Objects command lines the selected objects
// up on.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXAlignDlg : public CDialog {
public:
    // The radio group, in the order of the choices 0 to 3.
    static constexpr int kLeftRadio = 8453;
    static constexpr int kRightRadio = 8454;
    static constexpr int kTopRadio = 8455;
    static constexpr int kBottomRadio = 8456;
    static constexpr int kHelpButton = 8366;

    // The choices.
    static constexpr std::int32_t kLeft = 0;
    static constexpr std::int32_t kRight = 1;
    static constexpr std::int32_t kTop = 2;
    static constexpr std::int32_t kBottom = 3;

    CHOXAlignDlg();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    // 0 left, 1 right, 2 top, 3 bottom.
    std::int32_t GetAlignment() const { return m_nAlignment; }

    std::int32_t m_nAlignment = kLeft;
};
