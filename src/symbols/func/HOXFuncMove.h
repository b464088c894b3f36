#pragma once
// MOVE: copies a word (MOV, DMOV), widens one to 32 bits (MMOV) or narrows
// one to 16 bits (RMOV).
#include "symbols/func/HOXFuncWordSymbol.h"

class CHOXFuncMove : public CHOXFuncWordSymbol {
    KT_DECLARE_SERIAL(CHOXFuncMove)
public:
    enum Kind : std::int32_t { kMov = 0, kMmov = 1, kRmov = 2 };

    CHOXFuncMove();
    CHOXFuncMove(CPoint topLeft, CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kFuncMove; }
    // The dialog; its OK takes kind, operands and width, and renames the
    // symbol after the kind.
    void OnOpen(UINT flags, CPoint point) override;
    void UpdateText() override;
    // Nothing for a kind beyond RMOV.
    QString GetCode() override;
    int GetErrorState() override;
    // MMOV reads 16 bits and writes 32, RMOV the other way round, whatever
    // the 32-bit flag says; a kind beyond RMOV writes nothing and counts
    // nothing.
    void CalcSteps() override;

    CHOXSelectVal GetSource() const { return Operand(0); }
    void SetSource(const CHOXSelectVal& source) { Operand(0) = source; }
    CHOXSelectVal GetDestination() const { return Operand(1); }
    void SetDestination(const CHOXSelectVal& destination) { Operand(1) = destination; }
    // "MOVE", "MAGNIFICATION MOVE" or "REDUCTION MOVE".
    void SetCaptionForKind() override;

    // The rebuilder's setter: "MOV" or "DMOV", "MMOV", anything else RMOV.
    void SetFromInstruction(QString name, QString source, QString destination);
};
