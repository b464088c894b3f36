#pragma once
// INCREMENTAL or ABSOLUTE: how the following positions are meant.
#include "symbols/code/HOXCodeSymbol.h"

class CHOXCodeIncAbs : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeIncAbs)
public:
    // Absolute.
    CHOXCodeIncAbs();
    CHOXCodeIncAbs(CPoint topLeft, CHOXWnd* wnd);

    // The symbol and M-code parts, then the incremental flag (32 bits).
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeIncAbs; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    void CalcSteps() override;

    // 1 incremental, 0 absolute.
    std::int32_t GetIncremental() const { return m_nIncremental; }
    // The caption follows the mode.
    void SetIncremental(std::int32_t incremental);

    // The rebuilder's setter: a word beginning with "I" is incremental.
    void SetFromText(const QString& word, std::int32_t mcodeMode, BYTE mcode);

private:
    std::int32_t m_nIncremental = 0;
};
