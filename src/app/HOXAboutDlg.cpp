#include "app/HOXAboutDlg.h"

#ifndef KINETRACE_VERSION
#define KINETRACE_VERSION "0"
#endif

CHOXAboutDlg::CHOXAboutDlg(CWnd*) : CDialog(kTemplate) {}

bool CHOXAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(kVersionText, VersionText());
    return true;
}

QString CHOXAboutDlg::VersionText() { return QStringLiteral("Version ") + QString::fromLatin1(KINETRACE_VERSION); }
