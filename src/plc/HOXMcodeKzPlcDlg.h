#pragma once
// The sequence program the companion RA-ZUZ runs for one M code. Until the
// M-code sequences come, the dialog shows its frame with the M code and axis
// it was opened for, and Close.
#include "platform/Dialog.h"

#include <cstdint>

class CHOXSymbol;

class CHOXMcodeKzPlcDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 2064;

    // The M code symbol that opens it, the M code, the axis (0 X, 1 Y, -1
    // none) and whether the M code was changed since its dialog opened.
    CHOXMcodeKzPlcDlg(CHOXSymbol* symbol, std::int32_t mcode, std::int32_t axis, std::int32_t changed);

    CHOXSymbol* GetSymbol() const { return m_pSymbol; }
    std::int32_t GetMcode() const { return m_nMcode; }
    std::int32_t GetAxis() const { return m_nAxis; }
    std::int32_t GetChanged() const { return m_bChanged; }

private:
    CHOXSymbol* m_pSymbol;
    std::int32_t m_nMcode;
    std::int32_t m_nAxis;
    std::int32_t m_bChanged;
};
