#pragma once
// "Select Positioning Unit Type" of a text import: which controller the
// imported program is for, one axis or two.
#include "platform/Dialog.h"

#include <cstdint>

class CFrameWnd;

class CHOXUnitTypeDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 386;
    static constexpr int kFirstTypeRadio = 1569;
    static constexpr int kSecondTypeRadio = 1570;
    static constexpr int kHelpButton = 1571;

    explicit CHOXUnitTypeDlg(CFrameWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    // 0 one axis (the first button), 1 two axes.
    std::int32_t m_nUnitType = 0;
};
