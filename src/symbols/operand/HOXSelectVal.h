#pragma once
// One operand of a function instruction, of a conditional jump's comparison
// or of a sequence instruction: a word device (data register, constant, digit
// group of bit devices, index register) or a bit device, optionally modified
// by an index register. Its owners write its eight bytes in place, without a
// class tag.
//
// X and Y numbers (and the start numbers of KnX and KnY) are kept as written:
// their octal digits read as a decimal number, X17 is 17.
#include "platform/Object.h"
#include "platform/Types.h"

#include <QString>

#include <cstdint>

class CHOXSelectVal : public CObject {
    KT_DECLARE_SERIAL(CHOXSelectVal)
public:
    enum DeviceType : BYTE {
        kEmpty = 0,
        kD = 1,   // 16-bit data register
        kDD = 2,  // 32-bit data register (n and n+1)
        kK = 3,   // decimal constant
        kH = 4,   // hexadecimal constant
        kKnM = 5, // n digits of M devices
        kKnX = 6,
        kKnY = 7,
        kV = 8, // index registers
        kZ = 9,
        kX = 10, // bit devices
        kY = 11,
        kM = 12,
    };
    enum IndexType : BYTE { kNoIndex = 0, kIndexV = 1, kIndexZ = 2 };

    // Where a digit group of X or Y devices may start, in octal form: from 0
    // to lowerLast (none when it is negative), and for X also from upperFirst
    // to upperLast (none when upperLast is below upperFirst; upperFirst is -1
    // for Y, which has no upper block).
    struct KnRange {
        std::int32_t lowerLast = -1;
        std::int32_t upperFirst = -1;
        std::int32_t upperLast = -1;
        bool Contains(std::int32_t n) const;
    };

    // An empty operand: type 0, number -1.
    CHOXSelectVal() = default;
    CHOXSelectVal(const CHOXSelectVal& other);
    CHOXSelectVal& operator=(const CHOXSelectVal& other);
    ~CHOXSelectVal() override = default;

    // Device type, digits (bytes), number (32 bits), index type and index
    // number (bytes).
    void Serialize(CArchive& ar) override;

    void Clear();
    BYTE GetDeviceType() const { return m_byDeviceType; }
    BYTE GetDigits() const { return m_byDigits; }
    std::int32_t GetNumber() const { return m_nNumber; }
    BYTE GetIndexType() const { return m_byIndexType; }
    BYTE GetIndexNumber() const { return m_byIndexNumber; }
    bool IsEmpty() const { return m_byDeviceType == kEmpty; }
    bool IsDeviceType(BYTE type) const { return !IsEmpty() && m_byDeviceType == type; }
    bool IsBitDevice() const { return m_byDeviceType >= kX && m_byDeviceType <= kM; }

    // "D100", "DD200Z3", "K-5", "HFFFF", "K2M10", "K1X0V2", "X17"; empty for
    // an empty operand.
    QString GetText() const;
    // Stores all five fields when they go together; otherwise false with the
    // reason, and nothing stored. The device type itself is not judged.
    bool SetValue(QString& message, BYTE deviceType, BYTE digits, std::int32_t number, BYTE indexType,
                  BYTE indexNumber);
    // Reads the text (trimmed; letters in upper case only). Checks only the
    // form and that the numbers fit their fields; on false the message says
    // why and the operand is unchanged.
    bool Parse(QString text, QString& message);

    // Whether a word operand exists on the controller and suits an
    // instruction on 16-bit or 32-bit data; fileRegisters is parameter 101.
    bool CheckRange(bool is32Bit, bool isOneAxis, QString& message, std::int32_t fileRegisters) const;
    // Whether an X, Y or M operand exists on the controller.
    bool IsValidBitDevice(bool isOneAxis) const;
    // False for a D or DD operand among 4000 to 6999 that lies beyond the file
    // registers; every other operand passes.
    static bool CheckFileRegister(CHOXSelectVal value, std::int32_t fileRegisters);

    // The starts a group of `digits` X (kKnX) or Y (kKnY) devices may take.
    static KnRange GetKnRange(BYTE deviceType, int digits, bool isOneAxis);
    // The message that names a KnX or KnY range.
    static QString FormatKnRangeMessage(const KnRange& range, bool isOneAxis);

private:
    bool FailWith(QString& message, UINT id) const;
    bool ParseConstant(const QString& text, QString& message);
    bool ParseK(const QString& text, QString& message);
    bool ParseH(const QString& text, QString& message);
    bool ParseRegister(const QString& text, QString& message);
    bool ParseGroup(const QString& text, qsizetype pos, BYTE type, BYTE digits, QString& message);
    bool ParsePlainDevice(const QString& text, BYTE type, QString& message);
    bool CheckNumber(bool is32Bit, bool isOneAxis, QString& message, std::int32_t fileRegisters) const;

    BYTE m_byDeviceType = kEmpty;
    BYTE m_byDigits = 0;
    std::int32_t m_nNumber = -1;
    BYTE m_byIndexType = kNoIndex;
    BYTE m_byIndexNumber = 0;
};
