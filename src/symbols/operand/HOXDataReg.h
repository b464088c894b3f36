#pragma once
// One operand of a positioning code (a coordinate, a speed, a time, a
// compensation amount): a constant, or a 16-bit (D) or 32-bit (DD) data
// register, optionally modified by an index register. Its owners write its
// seven bytes in place, without a class tag.
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>

#include <cstdint>

class CHOXDataReg : public CObject {
    KT_DECLARE_SERIAL(CHOXDataReg)
public:
    enum Mode : BYTE { kConstant = 0, kRegister16 = 1, kRegister32 = 2 };
    enum IndexType : BYTE { kNoIndex = 0, kIndexV = 1, kIndexZ = 2 };

    // The constant 0.
    CHOXDataReg() = default;
    CHOXDataReg(const CHOXDataReg& other);
    CHOXDataReg& operator=(const CHOXDataReg& other);
    ~CHOXDataReg() override = default;

    // Mode (byte), number (32 bits), index type and index number (bytes).
    void Serialize(CArchive& ar) override;

    void Clear();
    bool IsConstant() const { return m_byMode == kConstant; }
    bool IsRegister() const { return m_byMode == kRegister16 || m_byMode == kRegister32; }
    bool Is32Bit() const { return m_byMode == kRegister32; }
    BYTE GetMode() const { return m_byMode; }
    std::int32_t GetNumber() const { return m_nNumber; }
    BYTE GetIndexType() const { return m_byIndexType; }
    BYTE GetIndexNumber() const { return m_byIndexNumber; }

    // "-250", "D100", "DD4000Z0", "D100V3".
    QString GetText() const;
    // Reads the text form: upper case only, nothing trimmed. A constant must
    // lie in 0 to 200000, or in -999999 to 999999 when negative ones are
    // allowed; register numbers are not range-checked here. False, and the
    // operand unchanged, for anything else.
    bool Parse(const QString& text, bool allowNegative);
    // A register (32-bit or not) with its index; without isRegister only the
    // mode becomes constant, and the answer is false.
    bool SetValue(bool isRegister, bool is32Bit, std::int32_t number, BYTE indexType, BYTE indexNumber);

    // Whether the register exists on the controller: the one-axis controller
    // has no D2000 to D3999, and file registers reach only as far as
    // fileRegisters (parameter 101) provides. On false the message says why;
    // it is emptied on entry. A constant always passes.
    bool CheckRange(bool isOneAxis, QString& message, std::int32_t fileRegisters) const;
    bool IsValid(bool isOneAxis, std::int32_t fileRegisters) const;

private:
    BYTE m_byMode = kConstant;
    std::int32_t m_nNumber = 0;
    BYTE m_byIndexType = kNoIndex;
    BYTE m_byIndexNumber = 0;
};
