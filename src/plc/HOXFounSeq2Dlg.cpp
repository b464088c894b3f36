#include "plc/HOXFounSeq2Dlg.h"

#include "app/HOXDoc.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXLadderClip.h"
#include "res/CommandIds.h"

namespace {

CHOXFounSeqPageDlg::PageKind Page2()
{
    return {CHOXFounSeq2Dlg::kHighestDevice, CHOXFounSeq2Dlg::kMsgRange, 10, {QStringLiteral("FROM"), 23, 25}, true,
            CHOXFounSeq2Dlg::kHelpContext};
}

std::array<std::int32_t, 2> StatusDevices(const CHOXDoc* doc)
{
    if (doc == nullptr) return {0, 0};
    const CHOXFounSeq* seq = doc->GetFounSeq();
    return {seq->GetStatusDevice(0), seq->GetStatusDevice(1)};
}

} // namespace

CHOXFounSeq2Dlg::CHOXFounSeq2Dlg(CHOXDoc* doc, bool noBack)
    : CHOXFounSeqPageDlg(kTemplate, doc, Page2(), StatusDevices(doc)), m_bNoBack(noBack)
{
    OnClicked(IDC_FOUNSEQ_BACK, [this] { ClosePage(true); });
}

bool CHOXFounSeq2Dlg::OnInitDialog()
{
    // The page after this one does not exist.
    EnableDlgItem(IDC_FOUNSEQ_NEXT, false);
    EnableDlgItem(IDC_FOUNSEQ_BACK, !m_bNoBack);
    return CHOXFounSeqPageDlg::OnInitDialog();
}

QString CHOXFounSeq2Dlg::UnitOperand() const
{
    return plcrows::UnitOperand(GetDocument() == nullptr ? -1 : GetDocument()->GetFounSeq()->GetUnitNo());
}

void CHOXFounSeq2Dlg::CopyLadder() const { CHOXLadderClip().CopyFounSeq2(&GetLadder()); }
