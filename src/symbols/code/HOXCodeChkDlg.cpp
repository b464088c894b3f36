#include "symbols/code/HOXCodeChkDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeChk.h"

CHOXCodeChkDlg::CHOXCodeChkDlg(CHOXCodeChk* symbol) : CHOXCodeDlg(symbol, kTemplate)
{
    SetParameterDialog(&CHOXParam::EditSettings);
}
