#include "plc/HOXFounSeq1Dlg.h"

#include "app/HOXDoc.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXLadderClip.h"
#include "res/CommandIds.h"

#include <algorithm>

namespace {

constexpr std::int32_t kHighestUnit = 7;

CHOXFounSeqPageDlg::PageKind Page1()
{
    return {CHOXFounSeq1Dlg::kHighestDevice, CHOXFounSeq1Dlg::kMsgRange, 9, {QStringLiteral("TO"), 20, 21}, false,
            CHOXFounSeq1Dlg::kHelpContext};
}

std::array<std::int32_t, 2> ControlDevices(const CHOXDoc* doc)
{
    if (doc == nullptr) return {0, 0};
    const CHOXFounSeq* seq = doc->GetFounSeq();
    return {seq->GetControlDevice(0), seq->GetControlDevice(1)};
}

std::int32_t UnitShown(const CHOXDoc* doc)
{
    const std::int32_t unit = doc == nullptr ? -1 : doc->GetFounSeq()->GetUnitNo();
    return unit == -1 ? 0 : unit;
}

} // namespace

CHOXFounSeq1Dlg::CHOXFounSeq1Dlg(CHOXDoc* doc)
    : CHOXFounSeqPageDlg(kTemplate, doc, Page1(), ControlDevices(doc)), m_nUnitNo(UnitShown(doc))
{
    OnClicked(IDC_FOUNSEQ_NEXT, [this] { ClosePage(true); });
    OnChange(IDC_FOUNSEQ_UNIT, [this] { OnUnitChange(); });
    OnSpinDelta(IDC_FOUNSEQ_UNIT_SPIN, [this](int pos, int delta) { return OnUnitSpin(pos, delta); });
}

bool CHOXFounSeq1Dlg::OnInitDialog()
{
    m_bRestoringUnit = false;
    // The page before this one does not exist.
    EnableDlgItem(IDC_FOUNSEQ_BACK, false);
    Site()->SetRange(IDC_FOUNSEQ_UNIT_SPIN, 0, kHighestUnit);
    LimitText(IDC_FOUNSEQ_UNIT, 1);
    return CHOXFounSeqPageDlg::OnInitDialog();
}

void CHOXFounSeq1Dlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FOUNSEQ_UNIT, m_nUnitNo);
    DDV_MinMaxInt(pDX, m_nUnitNo, 0, kHighestUnit);
    CHOXFounSeqPageDlg::DoDataExchange(pDX);
}

void CHOXFounSeq1Dlg::OnUnitChange()
{
    if (!IsShown() || m_bRestoringUnit) return;
    // An edit emptied while typing is judged when the page is left.
    if (GetDlgItemText(IDC_FOUNSEQ_UNIT).isEmpty()) return;
    std::int32_t unit = m_nUnitNo;
    CDataExchange dx(this, true);
    try {
        DDX_Text(&dx, IDC_FOUNSEQ_UNIT, unit);
        DDV_MinMaxInt(&dx, unit, 0, kHighestUnit);
    } catch (const DataExchangeFailed&) {
        // The number before stands again, even one a damaged file gave:
        // putting it back is no entry of the user's.
        m_bRestoringUnit = true;
        SetDlgItemInt(IDC_FOUNSEQ_UNIT, m_nUnitNo);
        m_bRestoringUnit = false;
        Site()->SetSel(IDC_FOUNSEQ_UNIT, 0, -1);
        return;
    }
    m_nUnitNo = unit;
    RebuildLadder();
}

int CHOXFounSeq1Dlg::OnUnitSpin(int pos, int delta)
{
    m_nUnitNo = std::clamp(pos + delta, 0, static_cast<int>(kHighestUnit));
    return delta;
}

QString CHOXFounSeq1Dlg::UnitOperand() const { return plcrows::UnitOperand(m_nUnitNo); }

void CHOXFounSeq1Dlg::CopyLadder() const { CHOXLadderClip().CopyFounSeq1(&GetLadder()); }
