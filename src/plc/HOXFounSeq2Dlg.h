#pragma once
// "RA-ZUZ instruction - Foundation Sequence 2/2-": per axis the first M
// device of the status block that the PLC reads from the unit's buffer
// memory 23 (X) or 25 (Y).
#include "plc/HOXFounSeqPageDlg.h"

class CHOXFounSeq2Dlg : public CHOXFounSeqPageDlg {
public:
    static constexpr UINT kTemplate = 2038;
    static constexpr UINT kHelpContext = 133110;
    static constexpr std::int32_t kHighestDevice = 3062;
    // "ERROR : Invalid Device status value. \n Valid Range : 0 ~ 3062."
    static constexpr UINT kMsgRange = 13981;

    // Takes both status top devices from the document's settings; noBack
    // disables "&Back".
    CHOXFounSeq2Dlg(CHOXDoc* doc, bool noBack);

    bool OnInitDialog() override;

    std::int32_t GetStatusDevice(int axis) const { return GetDevice(axis); }
    // Ended through "&Back" rather than "OK".
    bool IsBack() const { return EndedTheOtherWay(); }

protected:
    // The document's unit number: page 1 stored it before this page shows.
    QString UnitOperand() const override;
    void CopyLadder() const override;

private:
    bool m_bNoBack;
};
