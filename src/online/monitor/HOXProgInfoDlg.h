#pragma once
// "Program Information": which value of which axis a PLC instruction should
// read from the positioning unit (the executing program number, the M code
// or the error code), and "KZ - &PLC" to show that instruction.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXDoc;
class CWnd;

class CHOXProgInfoDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2079;
    static constexpr UINT kHelpContext = 0x2081F;
    static constexpr int kAxisTab = 8608;
    static constexpr int kProgramNumber = 8586;
    static constexpr int kMcode = 8587;
    static constexpr int kErrorCode = 8589;
    static constexpr int kPlcButton = 8164;
    static constexpr int kHelpButton = 8579;

    explicit CHOXProgInfoDlg(CHOXDoc* doc, CWnd* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The unit's data number of a value (0 program number, 1 M code, 2 error
    // code) of an axis (0 X, else Y); -1 for any other value.
    static std::int32_t DataNumber(int axis, std::int32_t value);

    // 0 executing program number, 1 M code, 2 error code.
    std::int32_t m_nValue = 0;

private:
    void OnKzPlc();

    CHOXDoc* m_pDoc;
};
