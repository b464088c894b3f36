#pragma once
// "RA-ZUZ instruction - Manual Input Status": per axis the first of the ten
// M devices into which the companion RA-ZUZ reads the unit's manual inputs
// (DOG to EM-STOP) from its buffer memory 24 (X) or 26 (Y) on every scan,
// with the ladder rows that do it. The foundation sequence gives the unit's
// number and can be edited from here.
#include "plc/HOXFounSeqPageDlg.h"

class CHOXMonManInputStat;

class CHOXManInputPlcDlg : public CHOXFounSeqPageDlg {
public:
    static constexpr UINT kTemplate = 4080;
    static constexpr UINT kHelpContext = 133104;
    static constexpr std::int32_t kHighestDevice = 3062;
    // "ERROR : Invalid Device status value. Valid Range : 0  ~  3062."
    static constexpr UINT kMsgRange = 14093;
    static constexpr int kFoundationSequence = 9140;
    static constexpr int kSequenceState = 9141;

    // The object's document and its two top devices.
    explicit CHOXManInputPlcDlg(const CHOXMonManInputStat& object);

    bool OnInitDialog() override;

    // After OK: the top device of axis 0 (X) or 1 (Y).
    std::int32_t GetTopDevice(int axis) const { return GetDevice(axis); }

protected:
    // The document's unit number, 0 while not set.
    QString UnitOperand() const override;
    void CopyLadder() const override;

private:
    // "It is set already" (disabled) or "Sequence not set" (enabled).
    void UpdateSequenceState();
    // The unit number may change: the rows follow.
    void OnFoundationSequence();
};
