#pragma once
// SETR and DRVR: sets the electric zero point, or drives back to it.
#include "symbols/code/HOXCodeSymbol.h"

class CHOXCodeSetrDrvr : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeSetrDrvr)
public:
    enum Kind : std::int32_t { kSetr = 0, kDrvr = 1 };

    // DRVR.
    CHOXCodeSetrDrvr();
    CHOXCodeSetrDrvr(CPoint topLeft, CHOXWnd* wnd);

    // The symbol and M-code parts, then the kind (32 bits).
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeSetrDrvr; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    // Also captions the symbol by its kind.
    void CalcSteps() override;

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }

    // The rebuilder's setter: a word beginning with "S" is SETR.
    void SetFromText(const QString& word, std::int32_t mcodeMode, BYTE mcode);

private:
    std::int32_t m_nKind = kDrvr;
};
