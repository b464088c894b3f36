#include "print/HOXPrintingDlg.h"

#include "app/ProgramState.h"
#include "platform/Strings.h"

CHOXPrintingDlg::CHOXPrintingDlg() : CDialog(kTemplate) {}

bool CHOXPrintingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadStr(2));
    if (Site() != nullptr) Site()->CenterOnScreen();
    return true;
}

void CHOXPrintingDlg::OnCancel()
{
    Program().printing.userAbort = 1;
    CDialog::OnCancel();
}
