#include "plc/HOXKzPlcDlg.h"

CHOXKzPlcDlg::CHOXKzPlcDlg(std::int32_t form, std::int32_t registerNumber, CHOXDoc* doc, std::int32_t, std::int32_t)
    : CDialog(kTemplate), m_nForm(form), m_nRegister(registerNumber), m_pDoc(doc)
{
}
