#pragma once
// The print information of the program's print runs: its dialog is the
// print options dialog, without a page range or a selection.
#include "platform/PrintDialog.h"

class CHOXPrintDlg;

class CHOXPrintInfo : public CPrintInfo {
public:
    CHOXPrintInfo();
    ~CHOXPrintInfo() override;

    CHOXPrintDlg* Dialog() const;
};
