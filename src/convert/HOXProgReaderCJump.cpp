// The completion of a conditional jump from the statements that follow its
// compare (or its CJ): the bits of the result device that are tested, the
// jump, and the BRET that closes the block.
#include "convert/HOXProgReader.h"

#include "convert/ProgReaderSupport.h"
#include "symbols/flow/HOXFlowCJump.h"

namespace {

bool IsJumpName(const QString& name) { return name == u"CJ" || name == u"CJN"; }

// CJ jumps when the condition holds, CJN when it does not.
std::int32_t NegatedOf(const QString& name, const QString& alternate)
{
    return (name == u"CJN" || alternate == u"FNC01") ? 1 : 0;
}

} // namespace

int CHOXProgReader::TakeStatement(Taken& taken)
{
    QString statement;
    if (!NextStatement(statement)) return 2;
    taken.text = progreader::TrimmedLeft(statement);
    taken.index = m_statementIndex;
    m_consumedText += taken.text + QStringLiteral("\n");
    ++m_consumedCount;
    QString error;
    if (!m_checker.CheckInstruction(taken.text, error, QString())) return 0;
    taken.name = m_checker.GetPrimaryName();
    taken.alternate = m_checker.GetAlternateName();
    taken.operands = m_checker.GetOperandText();
    return 1;
}

int CHOXProgReader::GiveBack(const Taken& taken)
{
    --m_statementIndex;
    const QString line = taken.text + QStringLiteral("\n");
    if (m_consumedText.endsWith(line)) m_consumedText.chop(line.size());
    return 2;
}

int CHOXProgReader::ResultBitOffset(const QString& device, std::int32_t outputType, std::int32_t number)
{
    // The bits the conversion writes for the result: Y devices count in
    // octal, so Y7 is followed by Y10.
    for (int offset = 0; offset <= 2; ++offset)
        if (device == CHOXFlowCJump::ResultBit(outputType, number, offset)) return offset;
    return -1;
}

int CHOXProgReader::CompleteConditionalJump(CHOXFlowCJump* cjump, CHOXWnd*, const QString& text, int kind)
{
    switch (kind) {
    case CHOXFlowCJump::kBitForm: return CompleteBitCondition(cjump, text);
    case CHOXFlowCJump::kCompareForm: return CompleteCompare(cjump, text);
    case CHOXFlowCJump::kZoneForm: return CompleteZone(cjump, text);
    default: return 2;
    }
}

namespace {

// The result device of a compare: M (type 1) or Y (type 0) and a number.
bool ReadResultDevice(const QString& word, std::int32_t& type, std::int32_t& number)
{
    if (word.startsWith(u'M'))
        type = 1;
    else if (word.startsWith(u'Y'))
        type = 0;
    else
        return false;
    return CHOXProgReader::ReadDecimal(word.mid(1), number);
}

} // namespace

int CHOXProgReader::CompleteCompare(CHOXFlowCJump* cjump, const QString& text)
{
    QString rest = text.toUpper();
    QString source1;
    QString source2;
    QString device;
    m_checker.ExtractWord(rest, source1);
    m_checker.ExtractWord(rest, source2);
    m_checker.ExtractWord(rest, device);
    std::int32_t type = 1;
    std::int32_t n = 0;
    if (!ReadResultDevice(device, type, n)) return 2;
    // Operands the symbol cannot hold would come out of it differently.
    QString message;
    if (!cjump->SetCompareOperand1(source1, message) || !cjump->SetCompareOperand2(source2, message)) return 2;
    cjump->SetCompareOutputType(type);
    cjump->SetCompareOutputNumber(n);

    Taken first;
    if (int r = TakeStatement(first); r != 1) return r;
    int relation = 0;
    Taken jump;
    if (first.alternate == u"LDI") {
        if (ResultBitOffset(FirstWord(first.operands), type, n) != 1) return GiveBack(first);
        relation = CHOXFlowCJump::kNotEqual;
        if (int r = TakeStatement(jump); r != 1) return r;
        if (!IsJumpName(jump.name)) return GiveBack(jump);
    } else if (first.alternate == u"LD") {
        const int m = ResultBitOffset(FirstWord(first.operands), type, n);
        if (m < 0) return GiveBack(first);
        Taken second;
        if (int r = TakeStatement(second); r != 1) return r;
        if (second.alternate == u"FNC00" || second.alternate == u"FNC01") {
            static constexpr int kAlone[] = {CHOXFlowCJump::kGreater, CHOXFlowCJump::kEqual, CHOXFlowCJump::kLess};
            relation = kAlone[m];
            jump = second;
        } else if (second.alternate == u"OR") {
            // OR's instruction word is its mnemonic: the checker has no
            // other name for it.
            const int p = ResultBitOffset(FirstWord(second.operands), type, n);
            if ((m == 0 && p == 1) || (m == 1 && p == 0))
                relation = CHOXFlowCJump::kGreaterEqual;
            else if ((m == 1 && p == 2) || (m == 2 && p == 1))
                relation = CHOXFlowCJump::kLessEqual;
            else
                return GiveBack(second);
            if (int r = TakeStatement(jump); r != 1) return r;
            if (!IsJumpName(jump.name)) return GiveBack(jump);
        } else {
            return GiveBack(second);
        }
    } else {
        return GiveBack(first);
    }
    m_cjOperand = jump.operands;

    Taken last;
    if (int r = TakeStatement(last); r != 1) return r;
    if (last.name != u"BRET") return GiveBack(last);
    cjump->SetCompareCondition(relation);
    cjump->SetNegated(NegatedOf(jump.name, jump.alternate));
    m_cjJumpStep = StepAddress(jump.index);
    return 1;
}

int CHOXProgReader::CompleteZone(CHOXFlowCJump* cjump, const QString& text)
{
    QString rest = text.toUpper();
    QString operands[3];
    for (QString& operand : operands) m_checker.ExtractWord(rest, operand);
    QString device;
    m_checker.ExtractWord(rest, device);
    std::int32_t type = 1;
    std::int32_t n = 0;
    if (!ReadResultDevice(device, type, n)) return 2;
    QString message;
    if (!cjump->SetZoneOperand1(operands[0], message) || !cjump->SetZoneOperand2(operands[1], message) ||
        !cjump->SetZoneOperand3(operands[2], message))
        return 2;
    cjump->SetZoneOutputType(type);
    cjump->SetZoneOutputNumber(n);

    Taken first;
    if (int r = TakeStatement(first); r != 1) return r;
    if (first.alternate != u"LD" || ResultBitOffset(FirstWord(first.operands), type, n) != 1) return GiveBack(first);
    Taken jump;
    if (int r = TakeStatement(jump); r != 1) return r;
    if (!IsJumpName(jump.name)) return GiveBack(jump);
    m_cjOperand = jump.operands;
    Taken last;
    if (int r = TakeStatement(last); r != 1) return r;
    if (last.name != u"BRET") return GiveBack(last);
    cjump->SetNegated(NegatedOf(jump.name, jump.alternate));
    m_cjJumpStep = StepAddress(jump.index);
    return 1;
}

int CHOXProgReader::CompleteBitCondition(CHOXFlowCJump* cjump, const QString& text)
{
    // Without a condition the symbol would be incomplete and the program
    // could not be made from it again.
    if (text.isEmpty()) return 2;
    cjump->SetBitCondition(text);
    Taken last;
    if (int r = TakeStatement(last); r != 1) return r;
    if (last.name != u"BRET") return GiveBack(last);
    // The jump line is the statement that led here.
    m_cjJumpStep = StepAddress(m_statementIndex - 1);
    return 1;
}
