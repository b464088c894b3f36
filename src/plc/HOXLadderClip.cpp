#include "plc/HOXLadderClip.h"

#include "platform/Clipboard.h"
#include "platform/Types.h"
#include "plc/HOXLadderCtrl.h"
#include "plc/LadderKinds.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

// A stream is a 10-byte head (01 00 01 00 00 00, cells per row, rows) and
// rows of 8-byte cells: joint byte, element code, a third byte, an operand
// (letter and 16-bit number) and two closing bytes, little-endian.

namespace {

// Thrown while a template reads the rows; the writer answers nothing.
struct Refused {};

struct Operand {
    BYTE letter;
    WORD number;
};
constexpr Operand kNoOperand{0xFF, 0xFFFF}; // lines and empty cells
constexpr Operand kBlank{0xFF, 0};          // an operand written empty
constexpr BYTE kLetterD = 0x44;
constexpr BYTE kLetterK = 0x4B;
constexpr BYTE kLetterM = 0x4D;

// Element codes.
constexpr BYTE kContact = 0x01;
constexpr BYTE kSecondContact = 0x02;
constexpr BYTE kLine = 0x06;
constexpr BYTE kCoil = 0x08;
constexpr BYTE kTwoAxisOperand = 0x0F;
constexpr BYTE kCompareStart = 0x38;
constexpr BYTE kBox16Start = 0x50;
constexpr BYTE kBox32Start = 0x91;
constexpr BYTE kOperand = 0xF0;
constexpr BYTE kEmpty = 0xFF;

// Joint bytes.
constexpr BYTE kJoint = 0x0C;
constexpr BYTE kJointDown = 0x0D; // a row below joins here
constexpr BYTE kJointUp = 0x0E;   // the last lower row
constexpr BYTE kJointOn = 0x0F;   // a lower row with more below it

// The value of a run of digits in a base, kept to 32 bits: the low 16 bits
// come out right however long the run.
std::uint32_t DigitsValue(const char* p, const char* end, std::uint32_t base)
{
    std::uint32_t value = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) value = value * base + static_cast<std::uint32_t>(*p - '0');
    return value;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The number at the start of text read as atoi reads it (blanks, a sign,
// digits; 0 without digits), cut to its low 16 bits. X and Y devices read
// their digits as octal digits.
WORD ReadNumber(const QByteArray& text, qsizetype from, std::uint32_t base = 10)
{
    const char* p = text.constData() + std::min(from, text.size());
    const char* end = text.constData() + text.size();
    while (p != end && IsCSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const std::uint32_t value = DigitsValue(p, end, base);
    return static_cast<WORD>(negative ? 0U - value : value);
}

bool IsBlank(const QByteArray& text) { return text == "Blank"; }

BYTE FirstLetter(const QByteArray& text) { return text.isEmpty() ? 0 : static_cast<BYTE>(text.front()); }

// A contact's or coil's device as it stands: its first character and number.
Operand Device(const QByteArray& text)
{
    if (IsBlank(text)) return kBlank;
    return {FirstLetter(text), ReadNumber(text, 1)};
}

// The same, X and Y numbered in octal.
Operand OctalDevice(const QByteArray& text)
{
    if (IsBlank(text) || !(text.startsWith('X') || text.startsWith('Y'))) return Device(text);
    return {FirstLetter(text), ReadNumber(text, 1, 8)};
}

Operand Constant(const QByteArray& text)
{
    if (!text.startsWith('K')) throw Refused{};
    return {kLetterK, ReadNumber(text, 1)};
}

// The register of a FROM/TO row: a data register or none.
Operand Register(const QByteArray& text)
{
    if (IsBlank(text)) return kBlank;
    if (!text.startsWith('D')) throw Refused{};
    return {kLetterD, ReadNumber(text, 1)};
}

// "= D<register> K<value>": the register after the first D, the constant
// after the first K that follows it.
std::pair<Operand, Operand> Comparison(const QByteArray& text)
{
    const qsizetype d = text.indexOf('D');
    if (d < 0) throw Refused{};
    const qsizetype k = text.indexOf('K', d + 1);
    if (k < 0) throw Refused{};
    return {{kLetterD, ReadNumber(text, d + 1)}, {kLetterK, ReadNumber(text, k + 1)}};
}

// "K4M<device>": the device after the first M; four digits always.
Operand KnM(const QByteArray& text)
{
    const qsizetype m = text.indexOf('M');
    if (m < 0) throw Refused{};
    return {kLetterM, ReadNumber(text, m + 1)};
}

// The instruction number of a box: 78 for the reading instruction, 79 for
// the writing one. Any other text is refused: leaving the byte out would
// shift every later cell.
WORD Instruction(const QByteArray& text, const char* from, const char* to)
{
    if (text == from) return 78;
    if (text == to) return 79;
    throw Refused{};
}
WORD Instruction16(const QByteArray& text) { return Instruction(text, "FROM", "TO"); }
WORD Instruction32(const QByteArray& text) { return Instruction(text, "DFROM", "DTO"); }

// The items of one row after its first (the bus or branch start), in order.
class Items {
public:
    explicit Items(const CHOXLadderBlock& block) : m_items(block.GetItemList()) {}
    // The next item's text; a row that ends too soon is refused.
    QByteArray Next()
    {
        if (m_next >= m_items.size()) throw Refused{};
        return m_items[m_next++]->GetText().toLatin1();
    }
    // Passes over a short line where a two-row ladder has one.
    void SkipShortLine()
    {
        if (m_next < m_items.size() && m_items[m_next]->GetKind() == ladderkind::kShortLine) ++m_next;
    }

private:
    const LadderItemList& m_items;
    std::size_t m_next = 1;
};

class Stream {
public:
    Stream(int cellsPerRow, int rows)
    {
        m_bytes.append("\x01\x00\x01\x00\x00\x00", 6);
        Word(static_cast<WORD>(cellsPerRow));
        Word(static_cast<WORD>(rows));
    }
    void Cell(BYTE joint, BYTE code, BYTE third, Operand op, BYTE digits = 0xFF)
    {
        for (BYTE b : {joint, code, third, op.letter}) m_bytes.append(static_cast<char>(b));
        Word(op.number);
        m_bytes.append(static_cast<char>(digits));
        m_bytes.append(static_cast<char>(0xFF));
    }
    void Lines(int count, BYTE joint = kJoint)
    {
        for (int i = 0; i < count; ++i) Cell(joint, kLine, 0xFF, kNoOperand);
    }
    void Empty(BYTE joint, int count = 1)
    {
        for (int i = 0; i < count; ++i) Cell(joint, kEmpty, 0xFF, kNoOperand);
    }
    void Box16(WORD instruction) { Cell(kJoint, kBox16Start, 0x30, {0xFF, instruction}); }
    void Box32(WORD instruction) { Cell(kJoint, kBox32Start, 0x31, {0xFF, instruction}); }
    void CompareStart(BYTE joint, WORD instruction) { Cell(joint, kCompareStart, 0x30, {0xFF, instruction}); }
    void BoxOperand(Operand op, BYTE code = kOperand) { Cell(kJoint, code, 0xFF, op); }
    // A 32-bit operand: the operand, then its high half as a constant or a
    // register of its own.
    void BoxPair(Operand low, BYTE highLetter)
    {
        BoxOperand(low);
        BoxOperand({highLetter, 0});
    }
    void Contact(BYTE joint, Operand op, BYTE code = kContact) { Cell(joint, code, 0xFF, op); }
    void Coil(Operand op) { Cell(kJoint, kCoil, 0x09, op); }

    QByteArray Take() { return std::move(m_bytes); }

private:
    void Word(WORD w)
    {
        m_bytes.append(static_cast<char>(w & 0xFF));
        m_bytes.append(static_cast<char>(w >> 8));
    }
    QByteArray m_bytes;
};

bool FirstHasItems(const LadderBlockList& blocks) { return !blocks.empty() && !blocks.front()->GetItemList().empty(); }

// One 16-bit row: contact, lines, FROM or TO with unit, buffer memory,
// register and count.
QByteArray FromTo(const LadderBlockList& blocks)
{
    if (blocks.size() != 1 || blocks[0]->GetItemList().size() != 8) throw Refused{};
    Items items(*blocks[0]);
    Stream s(12, 1);
    s.Contact(kJoint, Device(items.Next()));
    s.Lines(6);
    s.Box16(Instruction16(items.Next()));
    s.BoxOperand(Constant(items.Next()));
    s.BoxOperand(Constant(items.Next()));
    s.BoxOperand(Register(items.Next()));
    s.BoxOperand(Constant(items.Next()));
    return s.Take();
}

// The same row of 32-bit operands in cell pairs.
QByteArray DFromDTo(const LadderBlockList& blocks)
{
    if (blocks.size() != 1 || blocks[0]->GetItemList().size() != 8) throw Refused{};
    Items items(*blocks[0]);
    Stream s(12, 1);
    s.Contact(kJoint, Device(items.Next()));
    s.Lines(2);
    s.Box32(Instruction32(items.Next()));
    s.BoxPair(Constant(items.Next()), kLetterK);
    s.BoxPair(Constant(items.Next()), kLetterK);
    s.BoxPair(Register(items.Next()), 0xFF);
    s.BoxPair(Constant(items.Next()), kLetterK);
    return s.Take();
}

// The box of a both-axes row after its instruction: the unit, the buffer
// memory, no register, one word pair. The buffer memory and the count are
// fixed by the row; their items are only checked to be constants.
void BothAxesBox(Stream& s, Items& items, BYTE unitCode, WORD bufferMemory, BYTE bufferHighCode)
{
    s.Box32(Instruction32(items.Next()));
    s.BoxOperand(Constant(items.Next()), unitCode);
    s.BoxOperand({kLetterK, 0});
    Constant(items.Next());
    s.BoxOperand({kLetterK, bufferMemory});
    s.BoxOperand({kLetterK, 0}, bufferHighCode);
    items.Next();
    s.BoxOperand(kBlank);
    s.BoxOperand(kBlank);
    Constant(items.Next());
    s.BoxOperand({kLetterK, 1});
    s.BoxOperand({kLetterK, 0});
}

// Two DFROM/DTO rows joined by a branch: X's buffer memory 4, Y's 14. The
// head says two rows, so a ladder without the second row is refused rather
// than written short of it.
QByteArray DFromDToBothAxes(const LadderBlockList& blocks)
{
    if (blocks.size() != 2 || !FirstHasItems(blocks)) throw Refused{};
    Stream s(12, 2);
    Items first(*blocks[0]);
    first.Next();
    first.SkipShortLine();
    s.Contact(kJointDown, kBlank);
    s.Lines(1, kJointDown);
    s.Lines(1);
    BothAxesBox(s, first, kTwoAxisOperand, 4, kTwoAxisOperand);
    Items second(*blocks[1]);
    s.Empty(0x06);
    s.Lines(1, kJointUp);
    s.Lines(1);
    BothAxesBox(s, second, kOperand, 14, kOperand);
    return s.Take();
}

// The FROM/TO box of a foundation row: unit, buffer memory, the block of M
// devices as K4M, count.
void FounSeqBox(Stream& s, Items& items)
{
    s.Box16(Instruction16(items.Next()));
    s.BoxOperand(Constant(items.Next()));
    s.BoxOperand(Constant(items.Next()));
    s.Cell(kJoint, kOperand, 0xFF, KnM(items.Next()), 0x04);
    s.BoxOperand(Constant(items.Next()));
}

// One row per axis under the contact, the second on a branch.
QByteArray FounSeq(const LadderBlockList& blocks)
{
    if (blocks.size() > 2 || !FirstHasItems(blocks)) throw Refused{};
    const bool twoRows = blocks.size() == 2;
    const BYTE joint = twoRows ? kJointDown : kJoint;
    Stream s(12, twoRows ? 2 : 1);
    Items first(*blocks[0]);
    s.Contact(joint, Device(first.Next()));
    first.SkipShortLine();
    s.Lines(1, joint);
    s.Lines(5);
    FounSeqBox(s, first);
    if (twoRows) {
        Items second(*blocks[1]);
        s.Empty(0x06);
        s.Lines(1, kJointUp);
        s.Lines(5);
        FounSeqBox(s, second);
    }
    return s.Take();
}

// Drive contact, comparison of the saved M code, completion contact, coil of
// the auxiliary relay.
QByteArray AuxDrive(const LadderBlockList& blocks)
{
    if (blocks.size() != 1 || !FirstHasItems(blocks)) throw Refused{};
    Items items(*blocks[0]);
    Stream s(12, 1);
    s.Contact(kJoint, Device(items.Next()));
    const auto [reg, value] = Comparison(items.Next());
    s.CompareStart(kJoint, 232);
    s.BoxOperand(reg);
    s.BoxOperand(value);
    s.Contact(kJoint, OctalDevice(items.Next()), kSecondContact);
    s.Lines(6);
    s.Coil(Device(items.Next()));
    return s.Take();
}

// The comparison of the saved M code and the completion contact.
void McodeCompare(Stream& s, Items& items, BYTE joint)
{
    const auto [reg, value] = Comparison(items.Next());
    s.CompareStart(joint, 224);
    s.BoxOperand(reg);
    s.BoxOperand(value);
    s.Contact(kJoint, OctalDevice(items.Next()));
}

// The comparison row ending in the M code ON contact and the M code OFF coil.
void McodeOffRow(Stream& s, Items& items, BYTE joint)
{
    McodeCompare(s, items, joint);
    items.SkipShortLine();
    s.Contact(joint, Device(items.Next()));
    s.Lines(6);
    s.Coil(Device(items.Next()));
}

QByteArray McodeOff(const LadderBlockList& blocks)
{
    if (blocks.size() != 1 || !FirstHasItems(blocks)) throw Refused{};
    Items items(*blocks[0]);
    Stream s(12, 1);
    McodeOffRow(s, items, kJoint);
    return s.Take();
}

QByteArray McodeOffCompare(const LadderBlockList& blocks)
{
    if (blocks.size() != 1 || !FirstHasItems(blocks)) throw Refused{};
    Items items(*blocks[0]);
    Stream s(4, 1);
    McodeCompare(s, items, kJoint);
    return s.Take();
}

// The first row as the single M code OFF row; every further M code a
// comparison row on a branch that joins the one above. The head counts rows
// in one byte, so more than 255 are refused rather than miscounted.
QByteArray McodeOffTotal(const LadderBlockList& blocks)
{
    if (blocks.size() > 255 || !FirstHasItems(blocks)) throw Refused{};
    const int rows = static_cast<int>(blocks.size());
    Stream s(12, rows);
    Items first(*blocks[0]);
    McodeOffRow(s, first, rows > 1 ? kJointDown : kJoint);
    for (int row = 1; row < rows; ++row) {
        const bool last = row == rows - 1;
        Items items(*blocks[static_cast<std::size_t>(row)]);
        McodeCompare(s, items, last ? kJointUp : kJointOn);
        s.Empty(last ? 0x02 : 0x03);
        s.Empty(0x00, 7);
    }
    return s.Take();
}

} // namespace

QString CHOXLadderClip::FormatName() { return clipboard::FormatName("Ladder"); }

std::optional<QByteArray> CHOXLadderClip::Write(Template shape, const LadderBlockList& blocks)
{
    try {
        switch (shape) {
        case Template::FromTo: return FromTo(blocks);
        case Template::DFromDTo: return DFromDTo(blocks);
        case Template::DFromDToBothAxes: return DFromDToBothAxes(blocks);
        case Template::FounSeq: return FounSeq(blocks);
        case Template::AuxDrive: return AuxDrive(blocks);
        case Template::McodeOff: return McodeOff(blocks);
        case Template::McodeOffCompare: return McodeOffCompare(blocks);
        case Template::McodeOffTotal: return McodeOffTotal(blocks);
        }
    } catch (const Refused&) {
    }
    return std::nullopt;
}

std::int32_t CHOXLadderClip::ReadDigitsAsOctal(std::int32_t number)
{
    const long long magnitude = std::llabs(static_cast<long long>(number));
    const QByteArray digits = QByteArray::number(magnitude);
    const auto value = static_cast<std::int32_t>(DigitsValue(digits.cbegin(), digits.cend(), 8));
    return number < 0 ? -value : value;
}

void CHOXLadderClip::Copy(Template shape, const CHOXLadderCtrl* pCtrl)
{
    if (pCtrl == nullptr) return;
    // The clipboard is touched only once the whole stream stands.
    if (const std::optional<QByteArray> stream = Write(shape, pCtrl->GetBlockList()))
        clipboard::Offer(FormatName(), *stream);
}

void CHOXLadderClip::CopyFromTo(const CHOXLadderCtrl* pCtrl) const { Copy(Template::FromTo, pCtrl); }
void CHOXLadderClip::CopyDFromDTo(const CHOXLadderCtrl* pCtrl) const { Copy(Template::DFromDTo, pCtrl); }
void CHOXLadderClip::CopyDFromDToBothAxes(const CHOXLadderCtrl* pCtrl) const
{
    Copy(Template::DFromDToBothAxes, pCtrl);
}
// Both foundation pages write one stream from one layout.
void CHOXLadderClip::CopyFounSeq1(const CHOXLadderCtrl* pCtrl) const { Copy(Template::FounSeq, pCtrl); }
void CHOXLadderClip::CopyFounSeq2(const CHOXLadderCtrl* pCtrl) const { Copy(Template::FounSeq, pCtrl); }
void CHOXLadderClip::CopyAuxDrive(const CHOXLadderCtrl* pCtrl) const { Copy(Template::AuxDrive, pCtrl); }
void CHOXLadderClip::CopyMcodeOff(const CHOXLadderCtrl* pCtrl) const { Copy(Template::McodeOff, pCtrl); }
void CHOXLadderClip::CopyMcodeOffCompare(const CHOXLadderCtrl* pCtrl) const { Copy(Template::McodeOffCompare, pCtrl); }
void CHOXLadderClip::CopyMcodeOffTotal(const CHOXLadderCtrl* pCtrl) const { Copy(Template::McodeOffTotal, pCtrl); }
