#pragma once
// "Function  -   Arithmetic  ": ADD, SUB, MUL or DIV of two sources into a
// destination, or INC, DEC or NEG of one operand in place.
#include "symbols/func/HOXFuncBaseDlg.h"

#include <array>

class CHOXFuncArth;

class CHOXFuncArthDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2039;
    // The buttons of the kinds 0 ADD to 6 NEG.
    static constexpr std::array<int, 7> kKindButtons{8326, 8327, 8328, 8329, 8171, 8172, 8173};
    static constexpr int kSourceList = 9;
    static constexpr int kDestinationList = 2;
    static constexpr int kInPlaceList = 6;

    explicit CHOXFuncArthDlg(CHOXFuncArth* symbol);

    int GetDialogKind() const override { return 745; }
    std::int32_t GetKind() const { return m_nKind; }
    void OnSelect1() override;
    void OnSelect2() override;
    void OnSelect3() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;

    static bool IsSourceType(BYTE type);
    static bool IsDestinationType(BYTE type);
    static bool IsInPlaceType(BYTE type);

protected:
    void EnableForKind() override;

private:
    // INC, DEC and NEG work on their one operand in place.
    bool IsInPlace() const { return m_nKind >= 4; }
};
