#include "online/monitor/HOXManInputPlcDlg.h"

#include "app/HOXDoc.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "platform/Strings.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXKzPlcDlg.h"
#include "plc/HOXLadderClip.h"

namespace {

CHOXFounSeqPageDlg::PageKind ManualInputs()
{
    return {
        CHOXManInputPlcDlg::kHighestDevice, CHOXManInputPlcDlg::kMsgRange, 10, {QStringLiteral("FROM"), 24, 26}, false,
        CHOXManInputPlcDlg::kHelpContext};
}

} // namespace

CHOXManInputPlcDlg::CHOXManInputPlcDlg(const CHOXMonManInputStat& object)
    : CHOXFounSeqPageDlg(kTemplate, object.GetDocument(), ManualInputs(),
                         {object.GetTopDevice(axis::kX), object.GetTopDevice(axis::kY)})
{
    OnClicked(kFoundationSequence, [this] { OnFoundationSequence(); });
}

bool CHOXManInputPlcDlg::OnInitDialog()
{
    const bool shown = CHOXFounSeqPageDlg::OnInitDialog();
    UpdateSequenceState();
    return shown;
}

void CHOXManInputPlcDlg::UpdateSequenceState()
{
    const bool set = GetDocument() != nullptr && GetDocument()->GetFounSeq()->IsSet();
    SetDlgItemText(kSequenceState, LoadStr(set ? CHOXKzPlcDlg::kMsgSequenceSet : CHOXKzPlcDlg::kMsgSequenceNotSet));
    EnableDlgItem(kSequenceState, !set);
}

void CHOXManInputPlcDlg::OnFoundationSequence()
{
    if (GetDocument() == nullptr) return;
    GetDocument()->GetFounSeq()->EditFromFirst();
    UpdateSequenceState();
    RebuildLadder();
}

QString CHOXManInputPlcDlg::UnitOperand() const
{
    return plcrows::UnitOperand(GetDocument() == nullptr ? -1 : GetDocument()->GetFounSeq()->GetUnitNo());
}

void CHOXManInputPlcDlg::CopyLadder() const { CHOXLadderClip().CopyFounSeq2(&GetLadder()); }
