#pragma once
// The compensation part of a positioning code: which compensation
// instruction (MOVC, RADC, CNTC, CANC) and its one or two operands. Written in
// place by its owner (23 bytes, no class tag).
#include "symbols/operand/HOXDataReg.h"

#include <cstdint>

class CHOXCompSetting : public CObject {
    KT_DECLARE_SERIAL(CHOXCompSetting)
public:
    enum Kind : BYTE { kMovc = 0, kRadc = 1, kCntc = 2, kCanc = 3 };

    // MOVC with both operands used, both the constant 0.
    CHOXCompSetting() = default;
    CHOXCompSetting(const CHOXCompSetting& other);
    CHOXCompSetting& operator=(const CHOXCompSetting& other);
    ~CHOXCompSetting() override = default;

    // Kind (byte), the two used flags (32 bits each), the two operands.
    void Serialize(CArchive& ar) override;

    BYTE GetKind() const { return m_byKind; }
    void SetKind(BYTE kind) { m_byKind = kind; }
    std::int32_t IsOperand1Used() const { return m_nOperand1Used; }
    std::int32_t IsOperand2Used() const { return m_nOperand2Used; }
    void SetOperand1Used(std::int32_t used) { m_nOperand1Used = used; }
    void SetOperand2Used(std::int32_t used) { m_nOperand2Used = used; }
    const CHOXDataReg& GetOperand1() const { return m_operand1; }
    const CHOXDataReg& GetOperand2() const { return m_operand2; }
    QString GetOperand1Text() const { return m_operand1.GetText(); }
    QString GetOperand2Text() const { return m_operand2.GetText(); }
    // Negative constants allowed; a text that does not read leaves the
    // operand as it was.
    void SetOperand1Text(const QString& text) { m_operand1.Parse(text, true); }
    void SetOperand2Text(const QString& text) { m_operand2.Parse(text, true); }
    void SetOperand1(const CHOXDataReg& operand) { m_operand1 = operand; }
    void SetOperand2(const CHOXDataReg& operand) { m_operand2 = operand; }

    // Every used operand exists on the controller; unused ones are not
    // looked at.
    bool IsValid(bool isOneAxis, std::int32_t fileRegisters) const;

private:
    BYTE m_byKind = kMovc;
    std::int32_t m_nOperand1Used = 1;
    std::int32_t m_nOperand2Used = 1;
    CHOXDataReg m_operand1;
    CHOXDataReg m_operand2;
};
