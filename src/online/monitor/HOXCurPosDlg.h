#pragma once
// "Current Position Object": the unit the current positions are read in
// (system units or pulses, taken by the object at once), presetting the
// controller's current position of an axis while monitoring, and the RA-ZUZ
// instructions that read or write both axes' current positions.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXDoc;
class CHOXMonCurPos;
class CWnd;

class CHOXCurPosDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2073;
    static constexpr UINT kHelpContext = 0x20819;
    static constexpr int kSystem = 8553;
    static constexpr int kPulse = 8554;
    static constexpr int kReadPlc = 8558;
    static constexpr int kWritePlc = 8476;
    static constexpr int kXValue = 8555;
    static constexpr int kWriteX = 8583;
    static constexpr int kYValue = 8556;
    static constexpr int kWriteY = 8478;
    static constexpr int kHelpButton = 8560;

    // The unit and both values from the object (the last positions read).
    explicit CHOXCurPosDlg(CHOXMonCurPos* object, CWnd* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // 0 system units, 1 pulses.
    std::int32_t m_nUnit;
    std::int32_t m_nXValue;
    std::int32_t m_nYValue;

private:
    bool IsMonitoring() const;
    bool IsOneAxis() const;
    // Edits and write buttons as the mode, the model and the unit allow.
    void UpdateEnabling();
    void OnUnit(std::int32_t unit);
    // Presets the current position of the axis with its value.
    void OnWrite(int axis);
    // The RA-ZUZ instruction for both axes' positions, read or written.
    void OnPlc(bool read);

    CHOXMonCurPos* m_pObject;
    CHOXDoc* m_pDoc;
};
