#include "print/HOXPrintInfo.h"

#include "print/HOXPrintDlg.h"

CHOXPrintInfo::CHOXPrintInfo()
    : CPrintInfo(std::make_unique<CHOXPrintDlg>(false, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES))
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_bPreview = false;
    m_bDirect = false;
    m_bDocObject = false;
    m_lpUserData = nullptr;
    m_nOffsetPage = 0;
    m_dwFlags = 0;
    m_nCurPage = 1;
    m_bContinuePrinting = true;
}

CHOXPrintInfo::~CHOXPrintInfo() = default;

CHOXPrintDlg* CHOXPrintInfo::Dialog() const { return static_cast<CHOXPrintDlg*>(m_pPD.get()); }
