#pragma once
// "Select Positioning Unit Type": the controller type of a new document.
#include "chart/ControllerType.h"
#include "platform/Dialog.h"

#include <cstdint>

class CHOXNewUnitTypeDlg : public CDialog {
public:
    CHOXNewUnitTypeDlg();

    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    // The controller type (ctype), the index of its radio button.
    std::int32_t m_nUnitType = ctype::kTwoAxes;

    // Controls of the template.
    static constexpr int kFirstTypeRadio = 8044;
    static constexpr int kHelpButton = 8372;
};
