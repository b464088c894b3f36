#include "params/HOXSetParamPromptDlg.h"

#include "app/HOXDoc.h"
#include "params/HOXParam.h"

CHOXSetParamPromptDlg::CHOXSetParamPromptDlg(CHOXDoc* doc) : CDialog(kTemplate), m_pDoc(doc)
{
    OnClicked(kParameterButton, [this] { OnParameter(); });
}

void CHOXSetParamPromptDlg::OnParameter()
{
    if (m_pDoc != nullptr) m_pDoc->GetParam().EditSystem();
    EndDialog(IDOK);
}
