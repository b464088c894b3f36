#include "symbols/code/HOXCombinationDlg.h"

#include "app/HOXDoc.h"
#include "symbols/code/HOXCodeCirDlg.h"
#include "symbols/code/HOXCodeCompDlg.h"
#include "symbols/code/HOXCodeLineDlg.h"

CHOXCombinationDlg::CHOXCombinationDlg(CHOXCodeDlg* owner, bool offerAddressing, bool offerCompensation,
                                       bool offerEndCheck)
    : CDialog(kTemplate), m_pOwner(owner), m_bOfferAddressing(offerAddressing ? 1 : 0),
      m_bOfferCompensation(offerCompensation ? 1 : 0), m_bOfferEndCheck(offerEndCheck ? 1 : 0),
      m_bAddressing(owner->GetAddressing() ? 1 : 0), m_nIncremental(owner->GetIncremental() ? 1 : 0),
      m_bCompensation(owner->GetCompensation() ? 1 : 0), m_setting(owner->GetCompSetting())
{
    if (owner->GetDialogKind() == kLineKind) m_bEndCheck = static_cast<CHOXCodeLineDlg*>(owner)->GetEndCheck();
    if (owner->GetDialogKind() == kCirKind) m_bEndCheck = static_cast<CHOXCodeCirDlg*>(owner)->GetEndCheck();
    OnClicked(kAddressing, [this] { OnAddressing(); });
    OnClicked(kCompensation, [this] { OnCompensation(); });
    OnClicked(kSelect, [this] { OnSelect(); });
    OnClicked(kHelp, [this] { OpenHelp(0x20000 + kTemplate); });
}

void CHOXCombinationDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kAddressing, m_bAddressing);
    DDX_Radio(pDX, kAbsolute, m_nIncremental);
    DDX_Check(pDX, kCompensation, m_bCompensation);
    DDX_Check(pDX, kEndCheck, m_bEndCheck);
}

bool CHOXCombinationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(kAbsolute, m_bAddressing != 0);
    EnableDlgItem(kIncrement, m_bAddressing != 0);
    EnableDlgItem(kSelect, m_bCompensation != 0);
    EnableDlgItem(kAddressing, m_bOfferAddressing != 0);
    EnableDlgItem(kCompensation, m_bOfferCompensation != 0);
    EnableDlgItem(kEndCheck, m_bOfferEndCheck != 0);
    return true;
}

void CHOXCombinationDlg::OnAddressing()
{
    m_bAddressing = m_bAddressing != 0 ? 0 : 1;
    EnableDlgItem(kAbsolute, m_bAddressing != 0);
    EnableDlgItem(kIncrement, m_bAddressing != 0);
}

void CHOXCombinationDlg::OnCompensation()
{
    m_bCompensation = m_bCompensation != 0 ? 0 : 1;
    EnableDlgItem(kSelect, m_bCompensation != 0);
}

CHOXCombinationDlg::Allowed CHOXCombinationDlg::AllowedForOwner() const
{
    if (m_pOwner->GetDialogKind() != kCirKind) return {};
    const bool centre = static_cast<const CHOXCodeCirDlg*>(m_pOwner)->GetCentreMode() != 0;
    return {.radius = !centre, .centre = centre, .fromCir = true};
}

void CHOXCombinationDlg::OnSelect()
{
    UpdateData(true);
    const Allowed allowed = AllowedForOwner();
    CHOXCodeCompDlg dlg(m_setting, allowed.centre, allowed.radius, m_pOwner->GetDocument(), allowed.fromCir);
    if (dlg.DoModal() == IDOK) {
        m_setting = dlg.GetCompSetting();
        m_bChosen = true;
    }
    UpdateData(false);
}

void CHOXCombinationDlg::OnOK()
{
    if (!UpdateData(true)) return;
    // A compensation ticked but never chosen would hand the owner a
    // correction it cannot write (a CIR) or that its controller refuses (two
    // operands where the axes move one at a time): it takes the form that
    // "COMPENSATION" would have opened with.
    if (m_bCompensation != 0 && !m_bChosen) {
        const Allowed allowed = AllowedForOwner();
        const CHOXDoc* doc = m_pOwner->GetDocument();
        CHOXCodeCompDlg::AdjustForCombination(m_setting, allowed.radius, allowed.centre,
                                              doc != nullptr ? doc->GetControllerType() : -1);
    }
    EndDialog(IDOK);
}
