#pragma once
// "Tune System Response": how many polling turns the monitor lets pass
// between two reads of the controller, 0 to 65535.
#include "platform/Dialog.h"

#include <cstdint>

class CWnd;

class CHOXTuneResponseDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 392;
    static constexpr int kValueEdit = 1588;
    static constexpr std::int32_t kMaxValue = 65535;

    explicit CHOXTuneResponseDlg(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;

    std::uint32_t m_nValue = 0;
};
