#pragma once
// DRIVE: high-speed positioning of X, Y or both, each with its own speed,
// optionally after an addressing and a compensation line.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeDrv : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeDrv)
public:
    // For loading: X alone, speeds 1.
    CHOXCodeDrv();
    // Both axes only on the interpolating controller.
    CHOXCodeDrv(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeDrv; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetXUsed() const { return m_nXUsed; }
    std::int32_t GetYUsed() const { return m_nYUsed; }
    std::int32_t GetXSpeedUsed() const { return m_nXSpeedUsed; }
    std::int32_t GetYSpeedUsed() const { return m_nYSpeedUsed; }
    std::int32_t GetAddressing() const { return m_nAddressing; }
    std::int32_t GetCompensationOn() const { return m_nCompensation; }
    std::int32_t GetIncremental() const { return m_nIncremental; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    CHOXDataReg GetXSpeed() const { return m_xSpeed; }
    CHOXDataReg GetYSpeed() const { return m_ySpeed; }
    QString GetXText() const { return m_x.GetText(); }
    QString GetYText() const { return m_y.GetText(); }
    QString GetXSpeedText() const { return m_xSpeed.GetText(); }
    QString GetYSpeedText() const { return m_ySpeed.GetText(); }
    CHOXCompSetting GetCompSetting() const { return m_comp; }

    void SetXUsed(std::int32_t used) { m_nXUsed = used; }
    void SetYUsed(std::int32_t used) { m_nYUsed = used; }
    void SetXSpeedUsed(std::int32_t used) { m_nXSpeedUsed = used; }
    void SetYSpeedUsed(std::int32_t used) { m_nYSpeedUsed = used; }
    void SetCompensationOn(std::int32_t on) { m_nCompensation = on; }
    void SetX(const CHOXDataReg& x) { m_x = x; }
    void SetY(const CHOXDataReg& y) { m_y = y; }
    void SetXSpeed(const CHOXDataReg& speed) { m_xSpeed = speed; }
    void SetYSpeed(const CHOXDataReg& speed) { m_ySpeed = speed; }
    void SetCompSetting(const CHOXCompSetting& comp) { m_comp = comp; }

    // The rebuilder's setters: addressing and compensation first, then the
    // instruction's own words and operand texts.
    void SetFromText(const QString& word, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                     std::int32_t xSpeedUsed, std::int32_t ySpeedUsed, BYTE mcode, const QString& xText,
                     const QString& yText, const QString& xSpeedText, const QString& ySpeedText);
    void SetAddressing(std::int32_t addressing, std::int32_t incremental);
    // Takes the setting and turns the compensation on.
    void SetCompensation(CHOXCompSetting comp);

private:
    void StartSpeedsAtOne();

    std::int32_t m_nXUsed = 1;
    std::int32_t m_nYUsed = 0;
    std::int32_t m_nXSpeedUsed = 0;
    std::int32_t m_nYSpeedUsed = 0;
    std::int32_t m_nAddressing = 0;
    std::int32_t m_nCompensation = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_xSpeed;
    CHOXDataReg m_ySpeed;
    std::int32_t m_nIncremental = 0;
    CHOXCompSetting m_comp;
};
