// The link's frames, payloads and device rules, byte by byte.
#include "online/comm/CommProtocol.h"
#include "online/comm/CommFrameReader.h"
#include "online/comm/CommPayload.h"
#include "online/comm/ControllerDevices.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <vector>

using namespace commproto;

namespace {

TEST(CommProtocolTest, CrcAndFrameLayout)
{
    EXPECT_EQ(0x29B1, Crc16(QByteArray("123456789")));
    const QByteArray frame = EncodeFrame(0x17, Status, QByteArray::fromHex("0300"));
    // STX, seq, cmd, len (LE), payload, crc (BE) over seq..payload
    const quint16 crc = Crc16(QByteArray::fromHex("1711020003"
                                                  "00"));
    EXPECT_EQ(QByteArray::fromHex("0217110200"
                                  "0300") +
                  QByteArray(1, static_cast<char>(crc >> 8)) + QByteArray(1, static_cast<char>(crc & 0xFF)),
              frame);
    EXPECT_EQ(QStringLiteral("ReadMonitoringInfo"), CommandName(ReadMonitoringInfo));
    EXPECT_EQ(WriteProgramBlock, CommandOfName(QStringLiteral("writeprogramblock")));
    EXPECT_EQ(-1, CommandOfName(QStringLiteral("Nothing")));
    EXPECT_EQ(10 * 1000000 / 9600, WireTimeUs(1, 9600));
}

struct Read {
    std::vector<CCommFrameReader::Event> events;
    std::vector<int> seqs;
    bool partial = false;
    bool noise = false;
};

Read ReadAll(const std::vector<QByteArray>& pieces)
{
    CCommFrameReader reader;
    Read read;
    for (const QByteArray& piece : pieces) {
        reader.Feed(piece);
        Frame frame;
        for (CCommFrameReader::Event e; (e = reader.Next(frame)) != CCommFrameReader::Event::None;) {
            read.events.push_back(e);
            if (e == CCommFrameReader::Event::Frame) read.seqs.push_back(frame.seq);
        }
    }
    read.partial = reader.HasPartial();
    read.noise = reader.SawNoise();
    return read;
}

TEST(CommProtocolTest, TheReaderFindsFramesAndResyncsOnTheStartMark)
{
    using E = CCommFrameReader::Event;
    const QByteArray one = EncodeFrame(1, Status, QByteArray("\x02\x02\x02", 3)); // start marks inside
    const QByteArray two = EncodeFrame(2, Status, QByteArray(600, '\x02'));
    QByteArray damaged = EncodeFrame(3, Status, QByteArray("abc"));
    damaged[6] = 'X';
    const QByteArray tooLong = QByteArray::fromHex("020911ffff"); // a length no frame has
    const struct {
        const char* name;
        std::vector<QByteArray> pieces;
        std::vector<E> events;
        std::vector<int> seqs;
        bool partial;
        bool noise;
    } cases[] = {
        {"whole", {one}, {E::Frame}, {1}, false, false},
        {"byte by byte", {one.left(1), one.mid(1, 4), one.mid(5, 1), one.mid(6)}, {E::Frame}, {1}, false, false},
        {"noise first", {QByteArray("zz\x03") + one}, {E::Frame}, {1}, false, true},
        {"two at once, one full size", {one + two}, {E::Frame, E::Frame}, {1, 2}, false, false},
        {"damaged, then good", {damaged + one}, {E::BadChecksum, E::Frame}, {1}, false, true},
        {"impossible length, then good", {tooLong + one}, {E::Frame}, {1}, false, true},
        {"cut short", {one.left(one.size() - 1)}, {}, {}, true, false},
        {"empty", {QByteArray()}, {}, {}, false, false},
    };
    for (const auto& c : cases) {
        const Read read = ReadAll(c.pieces);
        EXPECT_EQ(c.events, read.events) << c.name;
        EXPECT_EQ(c.seqs, read.seqs) << c.name;
        EXPECT_EQ(c.partial, read.partial) << c.name;
        EXPECT_EQ(c.noise, read.noise) << c.name;
    }
}

TEST(CommProtocolTest, PayloadFieldsRoundTripAndShortReadsTakeNothing)
{
    CCommPayload out;
    out.U8(0xAB).U16(0xBEEF).I16(-2).I32(-2147483647 - 1).U32(0xFFFFFFFFu).Text("name").Raw("rest");
    CCommPayload in(out.Bytes());
    int u8 = 0, u16 = 0, i16 = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    QByteArray text;
    ASSERT_TRUE(in.ReadU8(u8) && in.ReadU16(u16) && in.ReadI16(i16) && in.ReadI32(i32) && in.ReadU32(u32) &&
                in.ReadText(text));
    EXPECT_EQ(0xAB, u8);
    EXPECT_EQ(0xBEEF, u16);
    EXPECT_EQ(-2, i16);
    EXPECT_EQ(-2147483647 - 1, i32);
    EXPECT_EQ(0xFFFFFFFFu, u32);
    EXPECT_EQ(QByteArray("name"), text);
    EXPECT_EQ(QByteArray("rest"), in.Rest());
    EXPECT_TRUE(in.AtEnd());

    CCommPayload shortText(CCommPayload().U16(10).Raw("abc").Bytes());
    EXPECT_FALSE(shortText.ReadText(text));
    EXPECT_EQ(5, shortText.Left()) << "a failed read takes nothing";
    EXPECT_FALSE(shortText.ReadI32(i32) && shortText.ReadI32(i32));
}

TEST(CommProtocolTest, DeviceRules)
{
    const struct {
        int number;
        int count;
    } octal[] = {{0, 0}, {7, 7}, {10, 8}, {17, 15}, {67, 55}, {377, 255}, {18, -1}, {9, -1}, {-1, -1}};
    for (const auto& o : octal) EXPECT_EQ(o.count, ctrldev::OctalDigitsToCount(o.number)) << o.number;

    const struct {
        int number;
        bool wide;
        bool protectedOne;
    } special[] = {
        {8999, false, false}, {9000, false, false}, {9001, false, true}, {9004, false, false}, {9005, false, false},
        {9023, false, false}, {9024, false, true},  {9119, false, true}, {9120, false, false}, {9129, false, false},
        {9130, false, true},  {9163, false, false}, {9164, false, true}, {9003, true, true},   {9004, true, false},
        {9129, true, true},   {9162, true, false},  {9163, true, true},  {8999, true, false},
        // From files: the pair's second register lies past the 32-bit range.
        {2147483647, true, true}, {-2147483647 - 1, true, false},
    };
    for (const auto& s : special)
        EXPECT_EQ(s.protectedOne, ctrldev::IsWriteProtected(s.number, s.wide)) << s.number << " " << s.wide;

    const struct {
        int code;
        int index;
        int width;
        int registers;
    } widths[] = {{ctrldev::M, -1, 2, 1},     {ctrldev::X, -1, 2, 1},         {ctrldev::D, -1, 2, 1},
                  {ctrldev::DFile, -1, 2, 1}, {ctrldev::V, -1, 2, 1},         {ctrldev::DD, -1, 4, 2},
                  {ctrldev::Z, -1, 4, 2},     {ctrldev::DDSpecial, -1, 4, 2}, {ctrldev::D, 0, 4, 1},
                  {ctrldev::M, 15, 4, 1},     {ctrldev::V, 8, 4, 1}};
    for (const auto& w : widths) {
        EXPECT_EQ(w.width, ctrldev::ValueWidth(w.code, w.index)) << w.code << " " << w.index;
        EXPECT_EQ(w.registers, ctrldev::RegistersPerValue(w.code)) << w.code;
    }

    // Each model's X: octal 0-3 and 375-377 on one axis; 0-67 and 372-377 on two.
    const struct {
        int number; // octal digits
        bool one;
        bool two;
    } xs[] = {{3, true, true},    {4, false, true},   {67, false, true}, {70, false, false}, {371, false, false},
              {372, false, true}, {374, false, true}, {375, true, true}, {377, true, true}};
    for (const auto& x : xs) {
        const int count = ctrldev::OctalDigitsToCount(x.number);
        EXPECT_EQ(x.one, ctrldev::IsValidDevice(ctrldev::X, count, true, 0)) << x.number;
        EXPECT_EQ(x.two, ctrldev::IsValidDevice(ctrldev::X, count, false, 0)) << x.number;
    }
    EXPECT_TRUE(ctrldev::IsValidDevice(ctrldev::DFile, 9, false, 10));
    EXPECT_FALSE(ctrldev::IsValidDevice(ctrldev::DFile, 10, false, 10));
}

} // namespace
