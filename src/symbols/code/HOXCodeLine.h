#pragma once
// LINEAR: linear interpolation (or its interrupt form) to X, Y or both at
// one speed, optionally after addressing and compensation lines and followed
// by a servo end check.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeLine : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeLine)
public:
    // For loading: X alone, speed 1.
    CHOXCodeLine();
    // On the one-axis controller captioned "LINEAR 10QW" and without Y.
    CHOXCodeLine(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeLine; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetXUsed() const { return m_nXUsed; }
    std::int32_t GetYUsed() const { return m_nYUsed; }
    std::int32_t GetSpeedUsed() const { return m_nSpeedUsed; }
    std::int32_t GetInterrupt() const { return m_nInterrupt; }
    std::int32_t GetAddressing() const { return m_nAddressing; }
    std::int32_t GetCompensationOn() const { return m_nCompensation; }
    std::int32_t GetEndCheck() const { return m_nEndCheck; }
    std::int32_t GetIncremental() const { return m_nIncremental; }
    CHOXDataReg GetX() const { return m_x; }
    CHOXDataReg GetY() const { return m_y; }
    CHOXDataReg GetSpeed() const { return m_speed; }
    QString GetXText() const { return m_x.GetText(); }
    QString GetYText() const { return m_y.GetText(); }
    QString GetSpeedText() const { return m_speed.GetText(); }
    CHOXCompSetting GetCompSetting() const { return m_comp; }

    void SetXUsed(std::int32_t used) { m_nXUsed = used; }
    void SetYUsed(std::int32_t used) { m_nYUsed = used; }
    void SetSpeedUsed(std::int32_t used) { m_nSpeedUsed = used; }
    // The caption follows the form and the controller type.
    void SetInterrupt(std::int32_t interrupt);
    void SetCompensationOn(std::int32_t on) { m_nCompensation = on; }
    void SetX(const CHOXDataReg& x) { m_x = x; }
    void SetY(const CHOXDataReg& y) { m_y = y; }
    void SetSpeed(const CHOXDataReg& speed) { m_speed = speed; }
    void SetCompSetting(const CHOXCompSetting& comp) { m_comp = comp; }

    // The rebuilder's setters: addressing, compensation and end check first,
    // then the instruction's own words and operand texts ("INT" for the
    // interrupt form).
    void SetFromText(const QString& word, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                     std::int32_t speedUsed, BYTE mcode, const QString& xText, const QString& yText,
                     const QString& speedText);
    void SetAddressing(std::int32_t addressing, std::int32_t incremental);
    // Takes the setting and turns the compensation on.
    void SetCompensation(CHOXCompSetting comp);
    void SetEndCheck(std::int32_t endCheck) { m_nEndCheck = endCheck; }

private:
    void SetCaptionByForm();

    std::int32_t m_nXUsed = 1;
    std::int32_t m_nYUsed = 0;
    std::int32_t m_nSpeedUsed = 0;
    std::int32_t m_nInterrupt = 0;
    std::int32_t m_nAddressing = 0;
    std::int32_t m_nCompensation = 0;
    std::int32_t m_nEndCheck = 0;
    CHOXDataReg m_x;
    CHOXDataReg m_y;
    CHOXDataReg m_speed;
    std::int32_t m_nIncremental = 0;
    CHOXCompSetting m_comp;
};
