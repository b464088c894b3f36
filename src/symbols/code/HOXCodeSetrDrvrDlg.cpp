#include "symbols/code/HOXCodeSetrDrvrDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeSetrDrvr.h"

CHOXCodeSetrDrvrDlg::CHOXCodeSetrDrvrDlg(CHOXCodeSetrDrvr* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_nFunction(symbol->GetKind())
{
    SetParameterDialog(&CHOXParam::EditSettings);
}

void CHOXCodeSetrDrvrDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kSave, m_nFunction);
}
