#pragma once
// COMPENSATION: a compensation instruction of its own (MOVC, RADC, CNTC,
// CANC).
#include "symbols/code/HOXCodeSymbol.h"
#include "symbols/operand/HOXCompSetting.h"

class CHOXCodeComp : public CHOXCodeSymbol {
    KT_DECLARE_SERIAL(CHOXCodeComp)
public:
    // MOVC with both operands.
    CHOXCodeComp();
    // Only the first operand where the axes are driven one at a time.
    CHOXCodeComp(CPoint topLeft, CHOXWnd* wnd);

    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kCodeComp; }
    // Opens the property dialog; its OK changes the symbol.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    QString GetCode() override;
    int GetErrorState() override;
    void CalcSteps() override;

    CHOXCompSetting GetCompSetting() const { return m_comp; }
    // The caption follows the kind.
    void SetCompSetting(const CHOXCompSetting& comp);

    // The rebuilder's setter: the kind word, the letter of the first operand
    // ('r' for RADC, whose second text is not read), the used flags and the
    // operand texts.
    void SetFromText(const QString& kindWord, char firstLetter, std::int32_t operand1Used, std::int32_t operand2Used,
                     std::int32_t mcodeMode, const QString& operand1Text, const QString& operand2Text, BYTE mcode);

private:
    void SetCaptionByKind();

    CHOXCompSetting m_comp;
};
