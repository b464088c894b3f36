#pragma once
// MCODE: an M code standing alone ("m05;"); 0 waits ("m00(WAIT);"), 100
// waits for the subtask ("m100(SWAIT);"). It carries no attached M code.
#include "chart/HOXSymbol.h"
#include "platform/Types.h"

#include <cstdint>

class CHOXCodeMcode : public CHOXSymbol {
    KT_DECLARE_SERIAL(CHOXCodeMcode)
public:
    // Number 1.
    CHOXCodeMcode();
    CHOXCodeMcode(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, then the number (a byte).
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeMcode; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    void CalcSteps() override;
    int GetMcodeMode() override { return 0; }
    int GetMcode() override { return m_byNumber; }

    BYTE GetNumber() const { return m_byNumber; }
    void SetNumber(BYTE number) { m_byNumber = number; }
    // Kept for the M Code dialog only; not stored.
    std::int32_t GetDialogValue() const { return m_nDialogValue; }
    void SetDialogValue(std::int32_t value) { m_nDialogValue = value; }

    // The rebuilder's setter.
    void SetFromText(BYTE number);

private:
    // "m05", "m10".
    QString NumberText() const;

    BYTE m_byNumber = 1;
    std::int32_t m_nDialogValue = 0;
};
