#pragma once
// TIMER: waits for a time in units of 10 ms.
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXDataReg.h"

class CHOXCodeTime : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeTime)
public:
    // Time 1.
    CHOXCodeTime();
    CHOXCodeTime(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeTime; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    CHOXDataReg GetTime() const { return m_time; }
    QString GetTimeText() const { return m_time.GetText(); }
    void SetTime(const CHOXDataReg& time) { m_time = time; }

    // The rebuilder's setter.
    void SetFromText(BYTE mcode, std::int32_t mcodeMode, const QString& timeText);

private:
    CHOXDataReg m_time;
};
