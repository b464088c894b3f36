#include "plc/HOXKzPlcDlg.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "platform/Strings.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXLadderClip.h"
#include "plc/PlcLadderRows.h"

namespace {

std::int32_t UnitOf(const CHOXDoc* doc) { return doc == nullptr ? -1 : doc->GetFounSeq()->GetUnitNo(); }

} // namespace

CHOXKzPlcDlg::CHOXKzPlcDlg(std::int32_t b32Bit, std::int32_t nBufferMemory, CHOXDoc* pDoc, std::int32_t bFrom,
                           std::int32_t bBothAxes)
    : CDialog(kTemplate), m_pDoc(pDoc), m_bFrom(bFrom), m_b32Bit(b32Bit != 0 ? kForm32Bit : kForm16Bit),
      m_bBothAxes(bBothAxes), m_nBufferMemory(nBufferMemory), m_nUnitNo(UnitOf(pDoc))
{
    OnClicked(kFoundationSequence, [this] { OnFoundationSequence(); });
    OnClicked(kCopy, [this] { OnCopyToClipboard(); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

bool CHOXKzPlcDlg::IsTwoAxes() const { return m_pDoc != nullptr && !ctype::IsOneAxis(m_pDoc->GetControllerType()); }

bool CHOXKzPlcDlg::IsSequenceSet() const { return m_pDoc != nullptr && m_pDoc->GetFounSeq()->IsSet(); }

bool CHOXKzPlcDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateSequenceState();
    BuildLadder();
    m_ladder.SubclassDlgItem(kLadder, this);
    UpdateData(false);
    return true;
}

void CHOXKzPlcDlg::UpdateSequenceState()
{
    const bool set = IsSequenceSet();
    SetDlgItemText(kSequenceState, LoadStr(set ? kMsgSequenceSet : kMsgSequenceNotSet));
    EnableDlgItem(kSequenceState, !set);
}

void CHOXKzPlcDlg::BuildLadder()
{
    m_ladder.RemoveAllBlocks();
    if (m_bBothAxes == 1) {
        BuildBothAxes();
    } else {
        BuildOneRow();
    }
}

void CHOXKzPlcDlg::AddRows(LadderBlockList rows)
{
    for (auto& row : rows) m_ladder.AddBlock(std::move(row));
}

void CHOXKzPlcDlg::BuildOneRow()
{
    AddRows(plcrows::KzPlcOneRow(plcrows::KzPlcInstruction(m_bFrom != 0, m_b32Bit != 0), m_nUnitNo, m_nBufferMemory));
}

void CHOXKzPlcDlg::BuildBothAxes()
{
    AddRows(plcrows::KzPlcBothAxes(plcrows::KzPlcInstruction(m_bFrom != 0, m_b32Bit != 0), m_nUnitNo, IsTwoAxes()));
}

void CHOXKzPlcDlg::OnFoundationSequence()
{
    if (m_pDoc == nullptr) return;
    m_pDoc->GetFounSeq()->EditFromFirst();
    m_nUnitNo = UnitOf(m_pDoc);
    UpdateSequenceState();
    BuildLadder();
    m_ladder.Invalidate();
}

void CHOXKzPlcDlg::OnCopyToClipboard()
{
    const CHOXLadderClip clip;
    if (m_bBothAxes == 1 && IsTwoAxes()) {
        clip.CopyDFromDToBothAxes(&m_ladder);
    } else if (m_b32Bit == kForm32Bit) {
        clip.CopyDFromDTo(&m_ladder);
    } else {
        clip.CopyFromTo(&m_ladder);
    }
}
