#pragma once
// Decides whether the first statement of a line of program text is correct
// for the document's controller type, and if not, which message tells why.
// Besides the verdict it leaves the parts of the statement for the caller:
// primary and alternate name, the operands in normal form, the step count and
// the text after the statement. It never shows a message; it returns it.
//
// Each user (conversion, importer, program reader, text editor, monitoring
// worker) holds its own checker on the document's parameter set; the table
// of instruction names is shared and never changes.
//
// The statement is 8-bit text: the checker works on its Latin-1 bytes, which
// keeps a check free of allocations once the buffers have grown.
#include "chart/DeviceRanges.h"
#include "convert/InstrRules.h"
#include "platform/Object.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class CHOXParam;

class CHOXInstrParser : public CObject {
public:
    // The checker reads the controller type and parameters 4 (both axes) and
    // 101 through the set's document; null is allowed (the limits of a
    // two-axis controller stay).
    explicit CHOXInstrParser(CHOXParam* param);
    ~CHOXInstrParser() override;

    void SetParam(CHOXParam* param);
    // The importer and the program reader accept every data register the
    // controller can address, file registers or not.
    void SetFullRegisterRange(bool full) { m_bFullRegister = full; }
    // Re-reads the controller type and the parameters; every check does.
    void SetLimits();
    // For a checker without a parameter set (the simulated controller): the
    // controller type its limits follow.
    void SetControllerType(std::int32_t type);

    // True when the first statement of the line (up to and including its
    // first ";") is correct. An empty or blank line is correct and leaves
    // `error` alone, as do an accepted program number and accepted bare
    // operand words; every other answer writes the message (empty on
    // success) to `error`.
    bool CheckInstruction(const QString& line, QString& error, const QString& preceding = QString());

    // The statement as the importer and the editor store it: primary name,
    // "(" alternate ")" when both exist (else the alternate alone), two
    // blanks before operands, the operand text, the rest of the line.
    QString GetCanonicalStatement() const;

    // ---- Results of the last check ----
    QString GetPrimaryName() const { return QString::fromLatin1(m_strPrimary); }
    QString GetAlternateName() const { return QString::fromLatin1(m_strAlternate); }
    // Operand words joined by two blanks, ending in ";" (not after NOP).
    QString GetOperandText() const { return QString::fromLatin1(m_strOperandText); }
    QString GetRestOfLine() const { return QString::fromLatin1(m_strRest); }
    QString GetErrorText() const { return QString::fromLatin1(m_strError); }
    QString GetPrecedingText() const { return m_strPreceding; }
    // Lets go of the preceding text of the last check. A caller that goes
    // on adding lines to the text it passed does so after this: while the
    // checker shares the text, each line added would copy all of it.
    void ReleasePrecedingText() { m_strPreceding = QString(); }
    std::int32_t GetSteps() const { return m_nSteps; }
    // 1-based position of the operand that failed; 0 for none, or when the
    // fault was the combination of operands.
    std::int32_t GetFailingOperand() const { return m_nFailingOperand; }
    bool Is32Bit() const { return m_b32Bit; }
    // A known instruction other than an M code began the statement.
    bool IsInstruction() const { return m_bInstruction; }
    // The statement was operand words without an instruction word.
    bool IsOperandOnly() const { return m_bOperandOnly; }
    bool IsFullRegisterRange() const { return m_bFullRegister; }

    // ---- Limits read by SetLimits ----
    std::int32_t GetControllerType() const { return m_nControllerType; }
    std::int32_t GetMaxSpeedX() const { return m_nMaxSpeedX; }
    std::int32_t GetMaxSpeedY() const { return m_nMaxSpeedY; }
    std::int32_t GetDataRegisterLimit() const { return m_nDataRegLimit; }
    std::int32_t GetSpecialRegisterLimit() const { return m_nSpecialRegLimit; }
    std::int32_t GetOctalXLimit() const { return m_nOctalXLimit; }
    std::int32_t GetOctalBound2() const { return m_nOctalBound2; }
    std::int32_t GetOctalYLimit() const { return m_nOctalYLimit; }
    std::int32_t GetFileRegisters() const { return m_nFileRegisters; }
    std::int32_t GetPointerLimit() const { return m_nPointerLimit; }

    // ---- Word scanning, for the importers too ----
    // Cuts the first word off the text: leading white space goes, then
    // everything up to a blank, ";" or tab (CR and LF are dropped). A ";" is
    // never taken. Sets the end-of-line flag when nothing is left, the
    // end-of-statement flag when the text now begins with ";".
    void ExtractWord(QString& text, QString& word);
    void ExtractWord(std::string_view& text, std::string& word);
    bool IsEndOfLine() const { return m_bEndOfLine; }
    bool IsEndOfStatement() const { return m_bEndOfStatement; }
    // Words before the end of the text or the first ";".
    int CountWords(const QString& text);
    int CountWords(std::string_view text);

    // ---- Building blocks of the check (bytes are Latin-1) ----
    // Every character a decimal digit; true for the empty string.
    static bool IsNumber(std::string_view text);
    // NAME or NAME(ALT), without blanks.
    static bool SplitName(std::string_view word, std::string& name, std::string& alternate);
    // The first characters of the first n words.
    std::string GetInitials(std::string_view text, int n);
    // Table row of a name in its typed forms (m3, COD1, fnc4, fncd12, TIME
    // aside), or -1.
    int LookupInstruction(std::string_view name);
    // The operand source must be empty.
    bool CheckNoOperands();
    static QString TablePrimaryName(int row);
    static QString TableAlternateName(int row);

    // ---- Lettered operands of the positioning codes ----
    bool CheckOperandValue(std::string& word, char letter, std::string& error, int position);
    bool CheckSpeedValue(std::string& word, char axis, std::string& error, int position);

    // ---- Value checks ----
    // "O..." program number; the word becomes its normal form.
    bool CheckProgramNumber(QString& word, QString& error);
    bool CheckProgramNumber(std::string& word, std::string& error);
    bool CheckMCode(std::string_view word, std::string& error, int position);
    bool CheckMDevice(std::string_view word, std::string& error, int position, int groupDigits);
    bool CheckOctalDevice(std::string_view word, char letter, std::string& error, int position, int groupDigits);
    bool CheckPointer(std::string_view word, std::string& error);
    bool CheckDataRegister(std::string_view word, std::string& error, bool allow16Bit);
    bool CheckDoubleDataRegister(std::string_view word, std::string& error, int position, bool allow32Bit);
    bool CheckIndexRegister(std::string_view word, std::string& error, int position);
    // The device letter (M, X or Y) of a digit group "Kn...", or a blank.
    static char GetKDeviceLetter(std::string_view word);
    bool CheckKValue(std::string_view word, std::string& error, int position, char deviceLetter);
    bool CheckHexValue(std::string_view word, std::string& error, int position);
    // Hexadecimal digits (either case) to their value; the low 32 bits are
    // kept, and reading stops at the first other character.
    static std::uint32_t HexToValue(std::string_view digits);
    // Rebuilds the operand text word by word up to the end of the statement,
    // each word followed by two blanks, with the leading zeros of its numbers
    // removed.
    void RemoveLeadingZeros(std::string& text);
    void RemoveLeadingZeros(QString& text);

private:
    // The limits that follow the controller type alone.
    void ApplyTypeLimits();
    // Which of the checker's answers go out to the caller's error text.
    enum class ErrorOut { kLeave, kWrite };

    // Makes sure the shared table of names exists, then reads the limits.
    void InitTables();
    bool CheckStatement(std::string_view line, ErrorOut& out);
    bool CheckKnownStatement(int index);
    bool CheckLabelOrOperands(std::string_view statement, ErrorOut& out);
    bool CheckOperandStatement(std::string_view statement, ErrorOut& out);
    int DecideInc(int index);
    bool RunOperandCheck(const instr::InstrRow& row);
    bool CheckCodeOperands(const instr::CodeRule& rule);
    bool CheckCodeWord(std::string& word, char letter, char speedAxis, int position);
    bool CheckDeviceOperands(const instr::DeviceRule& rule);
    bool CheckDeviceWord(std::string_view word, const instr::DevicePosition& at, int bitSteps, int position);
    bool CheckLetteredValue(std::string& word, char letter, std::int64_t maximum, std::string& error, int position);
    bool CheckRegisterDigits(std::string_view word, std::size_t from, std::string& error, bool isDouble);
    template <bool kCollect>
    bool ScanWord(std::string_view& text, std::string* word);
    bool Fail(std::string& error, std::string_view text);
    bool Fail(std::string& error, std::string_view first, std::string_view second);
    bool Fail(std::string& error, UINT id);
    bool FailWithLabel(std::string& error, std::string_view label, UINT suffixId);
    bool FailEnterValue(std::string& error, std::string_view label);
    bool FailWrongCombination();
    // Appends the word with the leading zeros of its numbers removed.
    static void NormaliseWord(std::string_view word, std::string& out);

    CHOXParam* m_pParam = nullptr;
    std::int32_t m_nControllerType = 1;
    std::int32_t m_nMaxSpeedX = 200000;
    std::int32_t m_nMaxSpeedY = 200000;
    std::int32_t m_nDataRegLimit = devices::kLastDataTwoAxes;
    std::int32_t m_nSpecialRegLimit = devices::kLastSpecialDTwoAxes;
    std::int32_t m_nOctalXLimit = devices::kLastOctalTwoAxes;
    std::int32_t m_nOctalBound2 = devices::kFirstHighXTwoAxes;
    std::int32_t m_nOctalYLimit = devices::kLastOctalTwoAxes;
    std::int32_t m_nFileRegisters = 0;
    std::int32_t m_nPointerLimit = 256;
    std::int32_t m_nSteps = 0;
    bool m_b32Bit = false;
    bool m_bInstruction = false;
    // Kept as the caller passed it; nothing reads it yet.
    QString m_strPreceding;
    bool m_bSeglFirst = false;
    bool m_bSeglSecond = false;
    bool m_bExtSelector = false;
    std::string m_strOperandSource;
    std::string m_strError;
    bool m_bEndOfLine = false;
    bool m_bEndOfStatement = false;
    bool m_bFoundPrimary = false;
    bool m_bAlternateSearch = false;
    bool m_bFullRegister = false;
    bool m_bOperandOnly = false;
    std::string m_strPrimary;
    std::string m_strOperandText;
    std::string m_strAlternate;
    std::int32_t m_nFailingOperand = 0;
    std::string m_strRest;

    // Buffers reused from check to check.
    std::string m_line;
    std::string m_word;
    std::string m_name;
    std::string m_alternate;
    std::string m_scratch;
    std::string m_zeroWord;
    std::string m_rebuilt;
    std::string m_words[6];
};
