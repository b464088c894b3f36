#pragma once
// "RA-ZUZ instruction - Foundation Sequence 1/2-": the special-unit number of
// the positioning unit and, per axis, the first M device of the control
// block that the PLC sends to the unit's buffer memory 20 (X) or 21 (Y).
#include "plc/HOXFounSeqPageDlg.h"

class CHOXFounSeq1Dlg : public CHOXFounSeqPageDlg {
public:
    static constexpr UINT kTemplate = 2037;
    static constexpr UINT kHelpContext = 133109;
    static constexpr std::int32_t kHighestDevice = 3063;
    // "ERROR : Invalid Device status value.\nValid Range : 0 ~ 3063"
    static constexpr UINT kMsgRange = 13980;

    // Takes the unit number (not set shows as 0) and both control top
    // devices from the document's settings.
    explicit CHOXFounSeq1Dlg(CHOXDoc* doc);

    bool OnInitDialog() override;

    // 0 to 7 once the page ended with OK or Next.
    std::int32_t GetUnitNo() const { return m_nUnitNo; }
    std::int32_t GetControlDevice(int axis) const { return GetDevice(axis); }
    // Ended through "&Next" rather than "&OK".
    bool IsNext() const { return EndedTheOtherWay(); }

protected:
    QString UnitOperand() const override;
    void CopyLadder() const override;
    bool TakesDataBeforeStep() const override { return true; }
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The unit number as the user changes it: the ladder follows a valid
    // one, an invalid one gives way to the previous number.
    void OnUnitChange();
    int OnUnitSpin(int pos, int delta);

    std::int32_t m_nUnitNo;
    // Set while the page puts the previous unit number back.
    bool m_bRestoringUnit = false;
};
