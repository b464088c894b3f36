#pragma once
// INTERRUPT: one-step (SINT) or two-step (DINT) interrupt positioning of one
// axis, optionally after a compensation line.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeInt : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeInt)
public:
    // Two-step on X, speeds 1.
    CHOXCodeInt();
    CHOXCodeInt(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeInt; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    std::int32_t GetTwoStep() const { return m_nTwoStep; }
    // 0 X, 1 Y.
    std::int32_t GetYAxis() const { return m_nYAxis; }
    std::int32_t GetCompensationOn() const { return m_nCompensation; }
    CHOXDataReg GetDistance() const { return m_distance; }
    CHOXDataReg GetSpeed1() const { return m_speed1; }
    CHOXDataReg GetSpeed2() const { return m_speed2; }
    QString GetDistanceText() const { return m_distance.GetText(); }
    QString GetSpeed1Text() const { return m_speed1.GetText(); }
    QString GetSpeed2Text() const { return m_speed2.GetText(); }
    CHOXCompSetting GetCompSetting() const { return m_comp; }

    // The caption follows the form.
    void SetTwoStep(std::int32_t twoStep);
    void SetYAxis(std::int32_t yAxis) { m_nYAxis = yAxis; }
    void SetCompensationOn(std::int32_t on) { m_nCompensation = on; }
    void SetDistance(const CHOXDataReg& distance) { m_distance = distance; }
    void SetSpeed1(const CHOXDataReg& speed) { m_speed1 = speed; }
    void SetSpeed2(const CHOXDataReg& speed) { m_speed2 = speed; }
    void SetCompSetting(const CHOXCompSetting& comp) { m_comp = comp; }

    // The rebuilder's setters: the compensation first, then the word ("SINT"
    // or "DINT"), the axis (non-zero for X) and the operand texts.
    void SetFromText(const QString& word, std::int32_t xAxis, const QString& distanceText, const QString& speed1Text,
                     const QString& speed2Text, std::int32_t mcodeMode, BYTE mcode);
    // Takes the setting and turns the compensation on.
    void SetCompensation(CHOXCompSetting comp);

private:
    void Init();

    std::int32_t m_nTwoStep = 1;
    std::int32_t m_nYAxis = 0;
    CHOXDataReg m_distance;
    CHOXDataReg m_speed1;
    CHOXDataReg m_speed2;
    std::int32_t m_nCompensation = 0;
    CHOXCompSetting m_comp;
};
