#pragma once
// SET ADDRESS: changes the current position of X, Y or both.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeSetAddr : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeSetAddr)
public:
    // For loading: no axis until the stored ones come.
    CHOXCodeSetAddr();
    // X, and Y on the interpolating controller.
    CHOXCodeSetAddr(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeSetAddr; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetXUsed() const { return m_nXUsed; }
    std::int32_t GetYUsed() const { return m_nYUsed; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    QString GetXText() const { return m_x.GetText(); }
    QString GetYText() const { return m_y.GetText(); }
    void SetXUsed(std::int32_t used) { m_nXUsed = used; }
    void SetYUsed(std::int32_t used) { m_nYUsed = used; }
    void SetX(const CHOXDataReg& x) { m_x = x; }
    void SetY(const CHOXDataReg& y) { m_y = y; }

    // The rebuilder's setter; an empty text leaves its axis's value.
    void SetFromText(std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode, const QString& xText,
                     const QString& yText, BYTE mcode);

private:
    std::int32_t m_nXUsed = 0;
    std::int32_t m_nYUsed = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
};
