#include "symbols/code/HOXCodeIncAbsDlg.h"

#include "params/HOXParam.h"
#include "symbols/code/HOXCodeIncAbs.h"

CHOXCodeIncAbsDlg::CHOXCodeIncAbsDlg(CHOXCodeIncAbs* symbol)
    : CHOXCodeDlg(symbol, kTemplate), m_nIncremental(symbol->GetIncremental())
{
    SetParameterDialog(&CHOXParam::EditUnits);
}

void CHOXCodeIncAbsDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXCodeDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kAbsolute, m_nIncremental);
}
