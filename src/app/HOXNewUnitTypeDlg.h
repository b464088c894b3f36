#pragma once
// "Select Positioning Unit Type": the controller type of a new document.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXNewUnitTypeDlg : public CDialog {
public:
    CHOXNewUnitTypeDlg();

    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    // 0 one axis, 1 two independent axes, 2 two simultaneous axes.
    std::int32_t m_nUnitType = 1;
};
