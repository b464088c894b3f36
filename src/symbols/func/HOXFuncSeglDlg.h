#pragma once
// "Function  -  SEGL  ": shows a word on seven-segment displays: the source
// register, the first Y of the outputs, the number of digits and the logic
// of the display (K0 to K3 or H0 to H3).
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncSegl;

class CHOXFuncSeglDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2046;
    static constexpr int kSourceList = 2;
    static constexpr int kDestinationBits = 2;
    static constexpr int kDigitsList = 1;
    static constexpr int kLogicList = 11;

    explicit CHOXFuncSeglDlg(CHOXFuncSegl* symbol);

    int GetDialogKind() const override { return 749; }
    void OnSelect1() override;
    void OnSelect2() override;
    void OnSelect3() override;
    void OnSelect4() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;

private:
    bool CheckLogic(QString& message);
};
