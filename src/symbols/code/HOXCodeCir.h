#pragma once
// CIRCULAR: circular interpolation clockwise or counter-clockwise to X and
// Y, the arc given by its centre (i, j) or its radius (r), optionally after
// addressing and compensation lines and followed by a servo end check.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeCir : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeCir)
public:
    // Clockwise, by radius, X and Y used, speed 1.
    CHOXCodeCir();
    CHOXCodeCir(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeCir; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetClockwise() const { return m_nClockwise; }
    // 1 by centre (i, j), 0 by radius (r).
    std::int32_t GetCentreForm() const { return m_nCentreForm; }
    std::int32_t GetXUsed() const { return m_nXUsed; }
    std::int32_t GetYUsed() const { return m_nYUsed; }
    std::int32_t GetSpeedUsed() const { return m_nSpeedUsed; }
    std::int32_t GetAddressing() const { return m_nAddressing; }
    std::int32_t GetCompensationOn() const { return m_nCompensation; }
    std::int32_t GetEndCheck() const { return m_nEndCheck; }
    std::int32_t GetIncremental() const { return m_nIncremental; }
    std::int32_t GetIUsed() const { return m_nIUsed; }
    std::int32_t GetJUsed() const { return m_nJUsed; }
    // i in the centre form, r in the radius form.
    CHOXDataReg GetCentreIOrRadius() const { return m_centreIOrRadius; }
    CHOXDataReg GetCentreJ() const { return m_centreJ; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    CHOXDataReg GetSpeed() const { return m_speed; }
    QString GetCentreIOrRadiusText() const { return m_centreIOrRadius.GetText(); }
    QString GetCentreJText() const { return m_centreJ.GetText(); }
    QString GetXText() const { return m_x.GetText(); }
    QString GetYText() const { return m_y.GetText(); }
    QString GetSpeedText() const { return m_speed.GetText(); }
    CHOXCompSetting GetCompSetting() const { return m_comp; }

    // The caption follows the direction.
    void SetClockwise(std::int32_t clockwise);
    void SetCentreForm(std::int32_t centre) { m_nCentreForm = centre; }
    void SetXUsed(std::int32_t used) { m_nXUsed = used; }
    void SetYUsed(std::int32_t used) { m_nYUsed = used; }
    void SetSpeedUsed(std::int32_t used) { m_nSpeedUsed = used; }
    void SetCompensationOn(std::int32_t on) { m_nCompensation = on; }
    void SetIUsed(std::int32_t used) { m_nIUsed = used; }
    void SetJUsed(std::int32_t used) { m_nJUsed = used; }
    void SetCentreIOrRadius(const CHOXDataReg& value) { m_centreIOrRadius = value; }
    void SetCentreJ(const CHOXDataReg& j) { m_centreJ = j; }
    void SetX(const CHOXDataReg& x) { m_x = x; }
    void SetY(const CHOXDataReg& y) { m_y = y; }
    void SetSpeed(const CHOXDataReg& speed) { m_speed = speed; }
    void SetCompSetting(const CHOXCompSetting& comp) { m_comp = comp; }

    // The rebuilder's setters: addressing, compensation and end check first,
    // then the direction word ("CW", "CCW") and the operands.
    void SetFromText(const QString& direction, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                     std::int32_t iUsed, std::int32_t jUsed, std::int32_t rUsed, std::int32_t speedUsed, BYTE mcode,
                     const QString& xText, const QString& yText, const QString& speedText, const QString& iText,
                     const QString& jText, const QString& rText);
    void SetAddressing(std::int32_t addressing, std::int32_t incremental);
    // Takes the setting and turns the compensation on.
    void SetCompensation(CHOXCompSetting comp);
    void SetEndCheck(std::int32_t endCheck) { m_nEndCheck = endCheck; }

private:
    void Init();
    bool IsCentreForm() const { return m_nCentreForm != 0; }

    std::int32_t m_nClockwise = 1;
    std::int32_t m_nCentreForm = 0;
    CHOXDataReg m_centreIOrRadius;
    CHOXDataReg m_centreJ;
    std::int32_t m_nXUsed = 1;
    std::int32_t m_nYUsed = 1;
    std::int32_t m_nSpeedUsed = 0;
    std::int32_t m_nAddressing = 0;
    std::int32_t m_nCompensation = 0;
    std::int32_t m_nEndCheck = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_speed;
    std::int32_t m_nIncremental = 0;
    CHOXCompSetting m_comp;
    std::int32_t m_nIUsed = 1;
    std::int32_t m_nJUsed = 1;
};
