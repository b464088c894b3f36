#pragma once
// "Addressing - Incremental/Absolute": how later targets are read.
#include "symbols/code/HOXCodeDlg.h"

class CHOXCodeIncAbs;

class CHOXCodeIncAbsDlg : public CHOXCodeDlg {
public:
    static constexpr UINT kTemplate = 2031;
    static constexpr int kAbsolute = 8241;
    static constexpr int kIncrement = 8245;

    explicit CHOXCodeIncAbsDlg(CHOXCodeIncAbs* symbol);
    int GetDialogKind() const override { return 731; }
    // 1 incremental, 0 absolute.
    std::int32_t GetIncrementalMode() const { return m_nIncremental; }

    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::int32_t m_nIncremental = 0;
};
