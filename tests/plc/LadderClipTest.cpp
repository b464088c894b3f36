// The "Ladder" clipboard writer: each template's stream byte for byte, the
// grammar of the cells' operands, and every refusal, which leaves the
// clipboard as it was and shows nothing.
#include "plc/HOXLadderClip.h"

#include "LadderTestSupport.h"
#include "platform/Clipboard.h"
#include "plc/HOXLadderCtrl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using kt::test::LadderRow;
using kt::test::MakeLadder;
using kt::test::MakeRow;
using Template = CHOXLadderClip::Template;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray Head(int cells, int rows)
{
    QByteArray head = Hex("010001000000");
    for (int value : {cells, rows}) {
        head.append(static_cast<char>(value & 0xFF));
        head.append(static_cast<char>(value >> 8));
    }
    return head;
}

QByteArray Repeat(const char* hex, int count) { return Hex(hex).repeated(count); }

const char* const kLine = "0C06FFFFFFFFFFFF";

std::string Dump(const std::optional<QByteArray>& bytes)
{
    return bytes ? bytes->toHex(' ').toStdString() : std::string("(refused)");
}

// Expects the stream, and says where it differs.
void ExpectStream(Template shape, const LadderBlockList& blocks, const QByteArray& expected)
{
    const std::optional<QByteArray> stream = CHOXLadderClip::Write(shape, blocks);
    ASSERT_TRUE(stream) << "refused";
    EXPECT_EQ(stream->size(), expected.size());
    EXPECT_EQ(Dump(stream), expected.toHex(' ').toStdString());
}

// The M code dialog's auxiliary drive ladder: M code ON device M103, M code 5
// saved in D100, completion X17, relay M200.
LadderRow AuxDriveRow() { return {{1, ""}, {5, "M103"}, {7, "= D100 K5"}, {9, "X17"}, {8, "M200"}, {2, ""}}; }

// Its "M code OFF" ladder with one M code: M code OFF device M3.
LadderRow McodeOffRow() { return {{1, ""}, {7, "= D100 K5"}, {5, "X17"}, {5, "M103"}, {8, "M3"}, {2, ""}}; }

} // namespace

// ---------------------------------------------------------------------------
// Streams

TEST(LadderClip, OneRowFromAndToForUnit0AndBufferMemory9000)
{
    const QByteArray cells = Hex("0C01FFFF0000FFFF") + Repeat(kLine, 6) + Hex("0C5030FF4E00FFFF") +
                             Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B2823FFFF") + Hex("0CF0FFFF0000FFFF") +
                             Hex("0CF0FF4B0100FFFF");
    ExpectStream(Template::FromTo, MakeLadder({kt::test::OneRowFrom()}), Head(12, 1) + cells);
    EXPECT_EQ((Head(12, 1) + cells).size(), 106);

    // TO differs in the instruction number alone.
    LadderRow to = kt::test::OneRowFrom();
    to[2].second = "TO";
    QByteArray toCells = cells;
    toCells[7 * 8 + 4] = 0x4F;
    ExpectStream(Template::FromTo, MakeLadder({to}), Head(12, 1) + toCells);
}

TEST(LadderClip, MCodeSaveDeviceRowReadsItsContactAndRegister)
{
    const LadderRow row = {{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K3"}, {6, "K13"}, {6, "D7999"}, {6, "K1"}, {2, ""}};
    ExpectStream(Template::FromTo, MakeLadder({row}),
                 Head(12, 1) + Hex("0C01FF4D401FFFFF") + Repeat(kLine, 6) + Hex("0C5030FF4E00FFFF") +
                     Hex("0CF0FF4B0300FFFF") + Hex("0CF0FF4B0D00FFFF") + Hex("0CF0FF443F1FFFFF") +
                     Hex("0CF0FF4B0100FFFF"));
}

TEST(LadderClip, ThirtyTwoBitRowWritesEachOperandAsACellPair)
{
    // The current-position read on a one-axis controller: unit 3, buffer
    // memory 4 written "K4 " as in the both-axes form.
    const LadderRow row = {{1, ""}, {5, "Blank"}, {6, "DFROM"}, {6, "K3"}, {6, "K4 "}, {6, "D12"}, {6, "K1"}, {2, ""}};
    ExpectStream(Template::DFromDTo, MakeLadder({row}),
                 Head(12, 1) + Hex("0C01FFFF0000FFFF") + Repeat(kLine, 2) + Hex("0C9131FF4E00FFFF") +
                     Hex("0CF0FF4B0300FFFF") + Hex("0CF0FF4B0000FFFF") + // unit, constant high half
                     Hex("0CF0FF4B0400FFFF") + Hex("0CF0FF4B0000FFFF") + // buffer memory
                     Hex("0CF0FF440C00FFFF") + Hex("0CF0FFFF0000FFFF") + // register, register high half
                     Hex("0CF0FF4B0100FFFF") + Hex("0CF0FF4B0000FFFF"));
}

TEST(LadderClip, BothAxesRowsHaveFixedBufferMemoriesAndCounts)
{
    LadderBlockList blocks;
    blocks.push_back(MakeRow(
        {{1, ""}, {5, "Blank"}, {10, ""}, {6, "DTO"}, {6, "K7"}, {6, "K4 "}, {6, "Blank"}, {6, "K1"}, {2, ""}}));
    // The operands after the unit are only checked to be constants.
    blocks.push_back(MakeRow({{3, ""}, {6, "DTO"}, {6, "K7"}, {6, "K99"}, {6, "D3"}, {6, "K8"}, {2, ""}}, 59, 32));
    const QByteArray row1 = Hex("0D01FFFF0000FFFF") + Hex("0D06FFFFFFFFFFFF") + Hex(kLine) + Hex("0C9131FF4F00FFFF") +
                            Hex("0C0FFF4B0700FFFF") + Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B0400FFFF") +
                            Hex("0C0FFF4B0000FFFF") + Repeat("0CF0FFFF0000FFFF", 2) + Hex("0CF0FF4B0100FFFF") +
                            Hex("0CF0FF4B0000FFFF");
    const QByteArray row2 = Hex("06FFFFFFFFFFFFFF") + Hex("0E06FFFFFFFFFFFF") + Hex(kLine) + Hex("0C9131FF4F00FFFF") +
                            Hex("0CF0FF4B0700FFFF") + Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B0E00FFFF") +
                            Hex("0CF0FF4B0000FFFF") + Repeat("0CF0FFFF0000FFFF", 2) + Hex("0CF0FF4B0100FFFF") +
                            Hex("0CF0FF4B0000FFFF");
    ExpectStream(Template::DFromDToBothAxes, blocks, Head(12, 2) + row1 + row2);
}

TEST(LadderClip, FoundationRowsJoinWhenThereAreTwo)
{
    const QByteArray box1 = Hex("0C5030FF4F00FFFF") + Hex("0CF0FF4B0200FFFF") + Hex("0CF0FF4B1400FFFF") +
                            Hex("0CF0FF4D640004FF") + Hex("0CF0FF4B0100FFFF");
    const QByteArray box2 = Hex("0C5030FF4F00FFFF") + Hex("0CF0FF4B0200FFFF") + Hex("0CF0FF4B1500FFFF") +
                            Hex("0CF0FF4D050004FF") + Hex("0CF0FF4B0100FFFF");
    const QByteArray row1 = Hex("0D01FF4D401FFFFF") + Hex("0D06FFFFFFFFFFFF") + Repeat(kLine, 5) + box1;
    const QByteArray row2 = Hex("06FFFFFFFFFFFFFF") + Hex("0E06FFFFFFFFFFFF") + Repeat(kLine, 5) + box2;
    ExpectStream(Template::FounSeq, kt::test::FounSeqPage1(), Head(12, 2) + row1 + row2);

    // One axis: one row, plain joints.
    LadderBlockList one = kt::test::FounSeqPage1();
    one.pop_back();
    const QByteArray single = Hex("0C01FF4D401FFFFF") + Hex(kLine) + Repeat(kLine, 5) + box1;
    ExpectStream(Template::FounSeq, one, Head(12, 1) + single);
}

TEST(LadderClip, AuxiliaryDriveReadsTheComparisonAndTheCompletionInOctal)
{
    ExpectStream(Template::AuxDrive, MakeLadder({AuxDriveRow()}),
                 Head(12, 1) + Hex("0C01FF4D6700FFFF") + Hex("0C3830FFE800FFFF") + Hex("0CF0FF446400FFFF") +
                     Hex("0CF0FF4B0500FFFF") + Hex("0C02FF580F00FFFF") + Repeat(kLine, 6) + Hex("0C08094DC800FFFF"));
}

TEST(LadderClip, MCodeOffRowAndItsComparisonAlone)
{
    const QByteArray compare =
        Hex("0C3830FFE000FFFF") + Hex("0CF0FF446400FFFF") + Hex("0CF0FF4B0500FFFF") + Hex("0C01FF580F00FFFF");
    ExpectStream(Template::McodeOff, MakeLadder({McodeOffRow()}),
                 Head(12, 1) + compare + Hex("0C01FF4D6700FFFF") + Repeat(kLine, 6) + Hex("0C08094D0300FFFF"));

    // With several M codes the dialog leaves a gap where the contact and
    // coil were, and only the comparison is written: 42 bytes.
    const LadderRow gap = {{1, ""}, {7, "= D100 K5"}, {5, "X17"}, {11, ""}, {2, ""}};
    ExpectStream(Template::McodeOffCompare, MakeLadder({gap}), Head(4, 1) + compare);
    EXPECT_EQ((Head(4, 1) + compare).size(), 42);
}

TEST(LadderClip, TotalMCodeOffRowsJoinTheFirst)
{
    const LadderRow first = {{1, ""}, {7, "= D100 K5"}, {5, "X17"}, {10, ""}, {5, "M103"}, {8, "M3"}, {2, ""}};
    const auto further = [](const char* compare, const char* completion) {
        return LadderRow{{3, ""}, {7, compare}, {5, completion}, {4, ""}};
    };
    const auto firstRow = [](const char* joint) {
        return Hex(joint) + Hex("3830FFE000FFFF") + Hex("0CF0FF446400FFFF") + Hex("0CF0FF4B0500FFFF") +
               Hex("0C01FF580F00FFFF") + Hex(joint) + Hex("01FF4D6700FFFF") + Repeat(kLine, 6) +
               Hex("0C08094D0300FFFF");
    };
    const auto furtherRow = [](const char* joint, const char* operands, const char* after) {
        return Hex(joint) + Hex("3830FFE000FFFF") + Hex(operands) + Hex(after) + Hex("FFFFFFFFFFFFFF") +
               Repeat("00FFFFFFFFFFFFFF", 7);
    };

    ExpectStream(Template::McodeOffTotal, MakeLadder({first}), Head(12, 1) + firstRow("0C"));

    // Three M codes: joints 0x0D on the first row, 0x0F and 0x03 while rows
    // follow, 0x0E and 0x02 on the last.
    const QByteArray three = Head(12, 3) + firstRow("0D") +
                             furtherRow("0F",
                                        "0CF0FF446400FFFF"
                                        "0CF0FF4B0700FFFF"
                                        "0C01FF4D0800FFFF",
                                        "03") +
                             furtherRow("0E",
                                        "0CF0FF446400FFFF"
                                        "0CF0FF4B0900FFFF"
                                        "0C01FF591000FFFF",
                                        "02");
    ExpectStream(Template::McodeOffTotal, MakeLadder({first, further("= D100 K7", "M8"), further("= D100 K9", "Y20")}),
                 three);
    EXPECT_EQ(three.size(), 298);
}

TEST(LadderClip, TotalOf255RowsIsWrittenAndMoreAreRefused)
{
    const LadderRow first = {{1, ""}, {7, "= D1 K1"}, {5, "X1"}, {10, ""}, {5, "M1"}, {8, "M2"}, {2, ""}};
    const LadderRow further = {{3, ""}, {7, "= D1 K2"}, {5, "X2"}, {4, ""}};
    LadderBlockList blocks;
    blocks.push_back(MakeRow(first));
    while (blocks.size() < 255) blocks.push_back(MakeRow(further));
    const std::optional<QByteArray> stream = CHOXLadderClip::Write(Template::McodeOffTotal, blocks);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->size(), 10 + 96 * 255);
    EXPECT_EQ(stream->mid(8, 2), Hex("FF00"));

    // The head has one byte for the rows: a 256th would make it say 0.
    blocks.push_back(MakeRow(further));
    EXPECT_FALSE(CHOXLadderClip::Write(Template::McodeOffTotal, blocks));
}

// ---------------------------------------------------------------------------
// Operands

namespace {

// Where an operand text goes, and the cell that shows it.
struct Place {
    Template shape;
    LadderRow row;
    std::size_t item; // index in the row of the text under test
    int cell;         // 0-based cell of the stream
};

Place ContactPlace() { return {Template::FromTo, kt::test::OneRowFrom(), 1, 0}; }
Place OctalPlace() { return {Template::McodeOff, McodeOffRow(), 2, 3}; }
Place PlainAfterOctalPlace() { return {Template::McodeOff, McodeOffRow(), 3, 4}; }
Place ConstantPlace() { return {Template::FromTo, kt::test::OneRowFrom(), 4, 9}; }
Place RegisterPlace() { return {Template::FromTo, kt::test::OneRowFrom(), 5, 10}; }
Place CompareDPlace() { return {Template::AuxDrive, AuxDriveRow(), 2, 2}; }
Place CompareKPlace() { return {Template::AuxDrive, AuxDriveRow(), 2, 3}; }
Place KnMPlace()
{
    return {Template::FounSeq,
            {{1, ""}, {5, "M8000"}, {10, ""}, {6, "TO"}, {6, "K2"}, {6, "K20"}, {6, "K4M100"}, {6, "K1"}, {2, ""}},
            6,
            10};
}

std::optional<QByteArray> CellWith(const Place& place, const char* text)
{
    LadderRow row = place.row;
    row[place.item].second = text;
    const std::optional<QByteArray> stream = CHOXLadderClip::Write(place.shape, MakeLadder({row}));
    if (!stream) return std::nullopt;
    return stream->mid(10 + 8 * place.cell, 8);
}

} // namespace

TEST(LadderClip, OperandGrammar)
{
    struct Case {
        const char* what;
        Place place;
        const char* text;
        const char* cell;
    };
    const Case cases[] = {
        {"device", ContactPlace(), "M8000", "0C01FF4D401FFFFF"},
        {"X as it stands outside octal cells", ContactPlace(), "X17", "0C01FF581100FFFF"},
        {"Blank", ContactPlace(), "Blank", "0C01FFFF0000FFFF"},
        {"other spelling of blank", ContactPlace(), "blank", "0C01FF620000FFFF"},
        {"empty text", ContactPlace(), "", "0C01FF000000FFFF"},
        {"letter alone", ContactPlace(), "M", "0C01FF4D0000FFFF"},
        {"blanks before the number", ContactPlace(), "M  12", "0C01FF4D0C00FFFF"},
        {"digits end the number", ContactPlace(), "M12A3", "0C01FF4D0C00FFFF"},
        {"plus sign", ContactPlace(), "M+7", "0C01FF4D0700FFFF"},
        {"minus sign", ContactPlace(), "M-1", "0C01FF4DFFFFFFFF"},
        {"long digit run keeps its low 16 bits", ContactPlace(), "M123456789012345678901", "0C01FF4D356CFFFF"},
        {"octal X", OctalPlace(), "X17", "0C01FF580F00FFFF"},
        {"octal Y0", OctalPlace(), "Y0", "0C01FF590000FFFF"},
        {"8 counts at its value", OctalPlace(), "X18", "0C01FF581000FFFF"},
        {"octal keeps its low 16 bits", OctalPlace(), "Y70000", "0C01FF590070FFFF"},
        {"octal cell leaves M alone", OctalPlace(), "M8000", "0C01FF4D401FFFFF"},
        {"octal cell leaves small x alone", OctalPlace(), "x17", "0C01FF781100FFFF"},
        {"octal cell Blank", OctalPlace(), "Blank", "0C01FFFF0000FFFF"},
        {"contact after the octal one is decimal", PlainAfterOctalPlace(), "X17", "0C01FF581100FFFF"},
        {"constant", ConstantPlace(), "K9000", "0CF0FF4B2823FFFF"},
        {"constant above 65535", ConstantPlace(), "K70000", "0CF0FF4B7011FFFF"},
        {"constant without digits", ConstantPlace(), "K", "0CF0FF4B0000FFFF"},
        {"negative constant", ConstantPlace(), "K-2", "0CF0FF4BFEFFFFFF"},
        {"register", RegisterPlace(), "D100", "0CF0FF446400FFFF"},
        {"no register", RegisterPlace(), "Blank", "0CF0FFFF0000FFFF"},
        {"comparison register", CompareDPlace(), "= D7999 K100", "0CF0FF443F1FFFFF"},
        {"comparison value", CompareKPlace(), "= D7999 K100", "0CF0FF4B6400FFFF"},
        {"comparison without blanks", CompareKPlace(), "D1K2", "0CF0FF4B0200FFFF"},
        {"K before the D is passed over", CompareKPlace(), "K5 D100 K7", "0CF0FF4B0700FFFF"},
        {"D after the first D is the value's text", CompareDPlace(), "=D3D4 K1", "0CF0FF440300FFFF"},
        {"KnM", KnMPlace(), "K4M100", "0CF0FF4D640004FF"},
        {"KnM padded with blanks", KnMPlace(), "K4M5   ", "0CF0FF4D050004FF"},
        {"KnM always four digits", KnMPlace(), "K2M16", "0CF0FF4D100004FF"},
    };
    for (const Case& c : cases) {
        const std::optional<QByteArray> cell = CellWith(c.place, c.text);
        EXPECT_EQ(Dump(cell), Hex(c.cell).toHex(' ').toStdString()) << c.what << ": \"" << c.text << "\"";
    }
}

TEST(LadderClip, DigitsReadAsOctal)
{
    const std::pair<std::int32_t, std::int32_t> cases[] = {{17, 15},   {0, 0},         {18, 16},  {8, 8},
                                                           {377, 255}, {70000, 28672}, {-17, -15}};
    for (const auto& [digits, value] : cases) EXPECT_EQ(CHOXLadderClip::ReadDigitsAsOctal(digits), value) << digits;
}

// ---------------------------------------------------------------------------
// Refusals and the clipboard

namespace {

using CopyFn = void (CHOXLadderClip::*)(const CHOXLadderCtrl*) const;

class LadderClipboard : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->setText(QStringLiteral("kept")); }

    // Copies the ladder and says whether the clipboard changed.
    void ExpectKept(CopyFn copy, LadderBlockList blocks, const char* what)
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        CHOXLadderCtrl ctrl;
        kt::test::Fill(ctrl, std::move(blocks));
        (CHOXLadderClip().*copy)(&ctrl);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept")) << what;
        EXPECT_FALSE(clipboard::IsAvailable(CHOXLadderClip::FormatName())) << what;
    }
    // The test environment fails any message box: refusals show none.
};

LadderRow With(LadderRow row, std::size_t item, const char* text)
{
    row[item].second = text;
    return row;
}

LadderRow Without(LadderRow row, std::size_t from)
{
    row.resize(from);
    return row;
}

LadderBlockList Blocks(std::initializer_list<LadderRow> rows) { return MakeLadder(rows); }

LadderBlockList FounSeqWithSecond(const LadderRow& second)
{
    LadderBlockList blocks = kt::test::FounSeqPage1();
    blocks[1] = MakeRow(second);
    return blocks;
}

} // namespace

TEST_F(LadderClipboard, TheLadderGoesOnTheClipboardUnderItsOwnTypeAlone)
{
    EXPECT_EQ(CHOXLadderClip::FormatName(), QStringLiteral("application/x-kinetrace-ladder"));
    CHOXLadderCtrl ctrl;
    kt::test::Fill(ctrl, MakeLadder({kt::test::OneRowFrom()}));
    CHOXLadderClip().CopyFromTo(&ctrl);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const std::optional<QByteArray> stream = CHOXLadderClip::Write(Template::FromTo, ctrl.GetBlockList());
    ASSERT_TRUE(stream);
    // Exactly the stream: nothing after it, and the text it replaced is gone.
    EXPECT_EQ(data->data(QStringLiteral("application/x-kinetrace-ladder")), *stream);
    EXPECT_EQ(clipboard::Take(CHOXLadderClip::FormatName()), stream);
    EXPECT_EQ(data->formats(), QStringList{QStringLiteral("application/x-kinetrace-ladder")});
    EXPECT_FALSE(data->hasText());
}

TEST_F(LadderClipboard, EveryCopyWritesItsTemplate)
{
    const std::pair<CopyFn, Template> copies[] = {
        {&CHOXLadderClip::CopyFromTo, Template::FromTo},
        {&CHOXLadderClip::CopyDFromDTo, Template::DFromDTo},
        {&CHOXLadderClip::CopyDFromDToBothAxes, Template::DFromDToBothAxes},
        {&CHOXLadderClip::CopyFounSeq1, Template::FounSeq},
        {&CHOXLadderClip::CopyFounSeq2, Template::FounSeq},
        {&CHOXLadderClip::CopyAuxDrive, Template::AuxDrive},
        {&CHOXLadderClip::CopyMcodeOff, Template::McodeOff},
        {&CHOXLadderClip::CopyMcodeOffCompare, Template::McodeOffCompare},
        {&CHOXLadderClip::CopyMcodeOffTotal, Template::McodeOffTotal},
    };
    const auto ladderFor = [](Template shape) {
        switch (shape) {
        case Template::FromTo: return MakeLadder({kt::test::OneRowFrom()});
        case Template::DFromDTo: return MakeLadder({With(kt::test::OneRowFrom(), 2, "DFROM")});
        case Template::DFromDToBothAxes:
            return MakeLadder({{{1, ""}, {5, "Blank"}, {6, "DFROM"}, {6, "K0"}, {6, "K4 "}, {6, "Blank"}, {6, "K1"}},
                               {{3, ""}, {6, "DFROM"}, {6, "K0"}, {6, "K14"}, {6, "Blank"}, {6, "K1"}}});
        case Template::FounSeq: return kt::test::FounSeqPage1();
        case Template::AuxDrive: return MakeLadder({AuxDriveRow()});
        case Template::McodeOff:
        case Template::McodeOffCompare:
        case Template::McodeOffTotal: return MakeLadder({McodeOffRow()});
        }
        return LadderBlockList();
    };
    for (const auto& [copy, shape] : copies) {
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        CHOXLadderCtrl ctrl;
        kt::test::Fill(ctrl, ladderFor(shape));
        (CHOXLadderClip().*copy)(&ctrl);
        const std::optional<QByteArray> stream = CHOXLadderClip::Write(shape, ctrl.GetBlockList());
        ASSERT_TRUE(stream) << static_cast<int>(shape);
        EXPECT_EQ(clipboard::Take(CHOXLadderClip::FormatName()), stream) << static_cast<int>(shape);
    }
}

TEST_F(LadderClipboard, RefusalsLeaveTheClipboardAsItWas)
{
    const LadderRow fromTo = kt::test::OneRowFrom();
    const LadderRow bothX = {{1, ""},    {5, "Blank"}, {10, ""},  {6, "DFROM"}, {6, "K0"},
                             {6, "K4 "}, {6, "Blank"}, {6, "K1"}, {2, ""}};
    const LadderRow bothY = {{3, ""}, {6, "DFROM"}, {6, "K0"}, {6, "K14"}, {6, "Blank"}, {6, "K1"}, {2, ""}};
    const LadderRow total = {{1, ""}, {7, "= D1 K1"}, {5, "X1"}, {10, ""}, {5, "M1"}, {8, "M2"}, {2, ""}};
    const LadderRow totalFurther = {{3, ""}, {7, "= D1 K2"}, {5, "X2"}, {4, ""}};
    LadderRow nine = fromTo;
    nine.insert(nine.begin() + 7, {6, "K1"});

    struct Case {
        const char* what;
        CopyFn copy;
        LadderBlockList blocks;
    };
    std::vector<Case> cases;
    const auto add = [&cases](const char* what, CopyFn copy, LadderBlockList blocks) {
        cases.push_back({what, copy, std::move(blocks)});
    };
    // Shapes.
    add("no block", &CHOXLadderClip::CopyFromTo, {});
    add("7 items", &CHOXLadderClip::CopyFromTo, Blocks({Without(fromTo, 7)}));
    add("9 items", &CHOXLadderClip::CopyFromTo, Blocks({nine}));
    add("two blocks", &CHOXLadderClip::CopyFromTo, Blocks({fromTo, fromTo}));
    add("32-bit with 7 items", &CHOXLadderClip::CopyDFromDTo, Blocks({Without(With(fromTo, 2, "DTO"), 7)}));
    add("both axes, one block", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({bothX}));
    add("both axes, three blocks", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({bothX, bothY, bothY}));
    add("both axes, empty first block", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({{}, bothY}));
    add("both axes, empty second block", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({bothX, {}}));
    add("foundation, three blocks", &CHOXLadderClip::CopyFounSeq1, Blocks({bothX, bothY, bothY}));
    add("foundation, empty first block", &CHOXLadderClip::CopyFounSeq2, Blocks({{}}));
    add("foundation, second block of the branch alone", &CHOXLadderClip::CopyFounSeq2, FounSeqWithSecond({{3, ""}}));
    add("aux drive, two blocks", &CHOXLadderClip::CopyAuxDrive, Blocks({AuxDriveRow(), AuxDriveRow()}));
    add("M code OFF, empty block", &CHOXLadderClip::CopyMcodeOff, Blocks({{}}));
    add("comparison alone, two blocks", &CHOXLadderClip::CopyMcodeOffCompare, Blocks({McodeOffRow(), McodeOffRow()}));
    add("total, no block", &CHOXLadderClip::CopyMcodeOffTotal, {});
    add("total, empty further block", &CHOXLadderClip::CopyMcodeOffTotal, Blocks({total, {}}));
    // Operand texts.
    add("constant without K", &CHOXLadderClip::CopyFromTo, Blocks({With(fromTo, 3, "D0")}));
    add("Blank as a constant", &CHOXLadderClip::CopyFromTo, Blocks({With(fromTo, 6, "Blank")}));
    add("register neither Blank nor D", &CHOXLadderClip::CopyFromTo, Blocks({With(fromTo, 5, "K5")}));
    add("32-bit register neither Blank nor D", &CHOXLadderClip::CopyDFromDTo,
        Blocks({With(With(fromTo, 2, "DFROM"), 5, "M5")}));
    add("32-bit instruction in a 16-bit row", &CHOXLadderClip::CopyFromTo, Blocks({With(fromTo, 2, "DFROM")}));
    add("16-bit instruction in a 32-bit row", &CHOXLadderClip::CopyDFromDTo, Blocks({fromTo}));
    add("no instruction", &CHOXLadderClip::CopyFromTo, Blocks({With(fromTo, 2, "")}));
    add("both axes, checked operand not K", &CHOXLadderClip::CopyDFromDToBothAxes,
        Blocks({With(bothX, 5, "Blank"), bothY}));
    add("both axes, count not K", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({bothX, With(bothY, 5, "D1")}));
    add("both axes, second row TO", &CHOXLadderClip::CopyDFromDToBothAxes, Blocks({bothX, With(bothY, 1, "TO")}));
    add("KnM without M", &CHOXLadderClip::CopyFounSeq1,
        FounSeqWithSecond({{3, ""}, {6, "TO"}, {6, "K2"}, {6, "K21"}, {6, "K4X5"}, {6, "K1"}, {2, ""}}));
    add("comparison without D", &CHOXLadderClip::CopyAuxDrive, Blocks({With(AuxDriveRow(), 2, "= 100 K5")}));
    add("comparison without K after D", &CHOXLadderClip::CopyAuxDrive, Blocks({With(AuxDriveRow(), 2, "K5 = D100")}));
    add("total, further comparison without D", &CHOXLadderClip::CopyMcodeOffTotal,
        Blocks({total, With(totalFurther, 1, "= 1 K2")}));
    // Rows that end too soon.
    add("aux drive without its coil", &CHOXLadderClip::CopyAuxDrive, Blocks({Without(AuxDriveRow(), 4)}));
    add("aux drive, bus alone", &CHOXLadderClip::CopyAuxDrive, Blocks({Without(AuxDriveRow(), 1)}));
    add("M code OFF without its coil", &CHOXLadderClip::CopyMcodeOff, Blocks({Without(McodeOffRow(), 4)}));
    add("comparison alone without its contact", &CHOXLadderClip::CopyMcodeOffCompare,
        Blocks({Without(McodeOffRow(), 2)}));
    add("total, further row without its contact", &CHOXLadderClip::CopyMcodeOffTotal,
        Blocks({total, Without(totalFurther, 2)}));
    add("both axes, row 1 ends after the unit", &CHOXLadderClip::CopyDFromDToBothAxes,
        Blocks({Without(bothX, 5), bothY}));

    for (Case& c : cases) ExpectKept(c.copy, std::move(c.blocks), c.what);
}

TEST_F(LadderClipboard, NothingHappensWithoutAControlOrAClipboard)
{
    CHOXLadderClip().CopyFromTo(nullptr);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));

    ClipboardService* service = clipboard::GetService();
    clipboard::SetService(nullptr);
    CHOXLadderCtrl ctrl;
    kt::test::Fill(ctrl, MakeLadder({kt::test::OneRowFrom()}));
    CHOXLadderClip().CopyFromTo(&ctrl);
    EXPECT_FALSE(clipboard::IsAvailable(CHOXLadderClip::FormatName()));
    EXPECT_FALSE(clipboard::Take(CHOXLadderClip::FormatName()));
    clipboard::SetService(service);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}
