#include "convert/HOXSaveSelectDlg.h"

#include "app/HOXDoc.h"

CHOXSaveSelectDlg::CHOXSaveSelectDlg(CHOXDoc* doc, CWnd*) : CDialog(4082), m_pDoc(doc)
{
    OnClicked(kWithoutSaving, [this] { OnWithoutSaving(); });
}

void CHOXSaveSelectDlg::OnOK()
{
    if (m_pDoc != nullptr && !m_pDoc->SaveBeforeWrite()) return;
    EndDialog(IDOK);
}

void CHOXSaveSelectDlg::OnWithoutSaving() { EndDialog(IDOK); }
