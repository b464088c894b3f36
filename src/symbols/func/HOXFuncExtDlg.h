#pragma once
// "FUNCTION   -   EXT  ": reads an external digital switch: the first X of
// its inputs, the first Y of its strobe outputs, the word that receives the
// value and the number of digits (a K the controller's unit numbers allow).
#include "symbols/func/HOXFuncBaseDlg.h"

class CHOXFuncExt;

class CHOXFuncExtDlg : public CHOXFuncBaseDlg {
public:
    static constexpr UINT kTemplate = 2045;
    static constexpr int kSourceBits = 1;
    static constexpr int kDestinationBits = 2;
    static constexpr int kWordList = 2;
    static constexpr int kDigitsList = 10;

    explicit CHOXFuncExtDlg(CHOXFuncExt* symbol);

    int GetDialogKind() const override { return 748; }
    void OnSelect1() override;
    void OnSelect2() override;
    void OnSelect3() override;
    void OnSelect4() override;
    void On32Bit() override { Take32Bit(); }
    void OnOK() override;

    static bool IsRegisterType(BYTE type);
    static bool IsConstantType(BYTE type);
};

namespace funcdlg {

// Operand i of the dialog read as a bit device of the type (X or Y): false
// with the reason, the range text of the controller when the number is not
// one of that device's, else the type's own message.
bool ReadBitOfType(CHOXSelectVal& operand, const QString& text, BYTE type, bool oneAxis, UINT emptyMessage,
                   QString& message);
// Digits of EXT and SEGL: a K constant among the unit numbers of the width
// on a two-axis controller; on the one-axis controller K1 to K4 or K5 and K6
// (EXT), or K1, K2 and K17 at any width (SEGL).
bool CheckDigits(const CHOXSelectVal& digits, bool is32Bit, bool oneAxis, bool segl, QString& message);

} // namespace funcdlg
