#include "symbols/code/HOXCodeDrvzDlg.h"

#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "symbols/code/HOXCodeDrvz.h"

CHOXCodeDrvzDlg::CHOXCodeDrvzDlg(CHOXCodeDrvz* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_nReturn(symbol->GetReturnOption())
{
    SetParameterDialog(&CHOXParam::EditMachineZero);
}

void CHOXCodeDrvzDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kReturnX, m_nReturn);
}

bool CHOXCodeDrvzDlg::OnInitDialog()
{
    CHOXCodeDlg::OnInitDialog();
    const bool oneAxisAtATime = ctype::MovesOneAxisAtATime(ControllerType());
    EnableDlgItem(kReturnX, !oneAxisAtATime);
    EnableDlgItem(kReturnY, !oneAxisAtATime);
    return true;
}
