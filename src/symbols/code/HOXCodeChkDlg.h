#pragma once
// "CHK - Servo end check": comment, display flags and the M code alone.
#include "symbols/code/HOXCodeDlg.h"

class CHOXCodeChk;

class CHOXCodeChkDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2027;

    explicit CHOXCodeChkDlg(CHOXCodeChk* symbol);
    int GetDialogKind() const override { return 726; }
};
