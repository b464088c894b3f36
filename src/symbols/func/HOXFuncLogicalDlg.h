#pragma once
// "Function  -  Logical  ": WAND, WOR or WXOR of two sources into a
// destination. Unlike the other dialogs, OK reads all three texts before it
// judges any of them.
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncLogical;

class CHOXFuncLogicalDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2043;
    static constexpr int kWand = 8334;
    static constexpr int kWor = 8335;
    static constexpr int kWxor = 8336;
    static constexpr int kSourceList = 0;
    static constexpr int kDestinationList = 6;

    explicit CHOXFuncLogicalDlg(CHOXFuncLogical* symbol);

    int GetDialogKind() const override { return 746; }
    // 0 WAND, 1 WOR, 2 WXOR.
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect3() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;
};
