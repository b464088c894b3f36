#pragma once
// MOVE: copies a word (MOV, DMOV), widens one to 32 bits (MMOV) or narrows
// one to 16 bits (RMOV).
#include "symbols/func/HOXFuncSymbol.h"
#include "symbols/operand/HOXSelectVal.h"

class CHOXFuncMove : public CHOXFuncSymbol {
    KT_DECLARE_SERIAL(CHOXFuncMove)
public:
    enum Kind : std::int32_t { kMov = 0, kMmov = 1, kRmov = 2 };

    CHOXFuncMove();
    CHOXFuncMove(CPoint topLeft, CHOXWnd* wnd);

    // The symbol part, source, destination, kind, 32-bit flag.
    void Serialize(CArchive& ar) override;
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

    std::int32_t GetKind() const { return m_nKind; }
    void SetKind(std::int32_t kind) { m_nKind = kind; }
    std::int32_t Get32Bit() const { return m_n32Bit; }
    void Set32Bit(std::int32_t is32Bit) { m_n32Bit = is32Bit; }
    CHOXSelectVal GetSource() const { return m_source; }
    void SetSource(const CHOXSelectVal& source) { m_source = source; }
    CHOXSelectVal GetDestination() const { return m_destination; }
    void SetDestination(const CHOXSelectVal& destination) { m_destination = destination; }
    // "MOVE", "MAGNIFICATION MOVE" or "REDUCTION MOVE".
    void SetCaptionForKind();

    // The rebuilder's setter: "MOV" or "DMOV", "MMOV", anything else RMOV.
    void SetFromInstruction(QString name, QString source, QString destination);

private:
    std::int32_t m_nKind = kMov;
    CHOXSelectVal m_source;
    CHOXSelectVal m_destination;
    std::int32_t m_n32Bit = 0;
};
