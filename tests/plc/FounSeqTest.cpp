// The foundation-sequence settings: defaults, devices, stored form.
#include "plc/HOXFounSeq.h"

#include "app/HOXDoc.h"
#include "platform/Archive.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray Store(CHOXFounSeq& seq)
{
    CArchive ar;
    seq.Serialize(ar);
    return ar.Buffer();
}

} // namespace

TEST(FounSeq, NewSettingsAreNotSet)
{
    CHOXFounSeq seq;
    EXPECT_FALSE(seq.IsSet());
    EXPECT_EQ(seq.GetUnitNo(), -1);
    for (int axis : {0, 1}) {
        EXPECT_EQ(seq.GetControlDevice(axis), 0);
        EXPECT_EQ(seq.GetStatusDevice(axis), 0);
        EXPECT_EQ(seq.GetMcodeOffDevice(axis), 3);
        EXPECT_EQ(seq.GetMcodeOnDevice(axis), 3);
    }
    EXPECT_EQ(seq.GetDocument(), nullptr);

    // Unit -1, then control X, status X, control Y, status Y.
    EXPECT_EQ(Store(seq).toHex(), Hex("ffffffff" "00000000" "00000000" "00000000" "00000000").toHex());
}

TEST(FounSeq, DevicesPerAxisAndTheirMcodeSignals)
{
    CHOXFounSeq seq;
    seq.SetUnitNo(0);
    EXPECT_TRUE(seq.IsSet());
    seq.SetControlDevice(0, 100);
    seq.SetStatusDevice(0, 200);
    seq.SetControlDevice(1, 3063);
    seq.SetStatusDevice(1, 3062);
    const struct {
        int axis;
        std::int32_t control, status, mcodeOff, mcodeOn;
    } cases[] = {
        {0, 100, 200, 103, 203},
        {1, 3063, 3062, 3066, 3065},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.axis);
        EXPECT_EQ(seq.GetControlDevice(c.axis), c.control);
        EXPECT_EQ(seq.GetStatusDevice(c.axis), c.status);
        EXPECT_EQ(seq.GetMcodeOffDevice(c.axis), c.mcodeOff);
        EXPECT_EQ(seq.GetMcodeOnDevice(c.axis), c.mcodeOn);
    }
}

TEST(FounSeq, StoredFormAndRoundTrip)
{
    kt::test::TempSettings settings;
    CHOXDoc doc;
    EXPECT_EQ(doc.GetFounSeq()->GetDocument(), &doc);
    CHOXFounSeq seq(&doc);
    EXPECT_EQ(seq.GetDocument(), &doc);
    EXPECT_FALSE(seq.IsSet());
    seq.SetUnitNo(3);
    seq.SetControlDevice(0, 100);
    seq.SetStatusDevice(0, 200);
    seq.SetControlDevice(1, 300);
    seq.SetStatusDevice(1, 3062);
    const QByteArray bytes = Store(seq);
    EXPECT_EQ(bytes.toHex(), Hex("03000000" "64000000" "c8000000" "2c010000" "f60b0000").toHex());

    CHOXFounSeq back;
    CArchive in(bytes);
    back.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_EQ(back.GetUnitNo(), 3);
    EXPECT_EQ(back.GetControlDevice(0), 100);
    EXPECT_EQ(back.GetStatusDevice(0), 200);
    EXPECT_EQ(back.GetControlDevice(1), 300);
    EXPECT_EQ(back.GetStatusDevice(1), 3062);
    EXPECT_EQ(back.GetDocument(), nullptr) << "the document is not stored";
    EXPECT_EQ(Store(back), bytes);
}

TEST(FounSeq, CutShortInputThrowsWithoutChangingTheSettings)
{
    const QByteArray bytes = Hex("03000000" "64000000" "c8000000" "2c010000" "f60b0000");
    for (int keep = 0; keep < bytes.size(); ++keep) {
        SCOPED_TRACE(keep);
        CHOXFounSeq seq;
        seq.SetUnitNo(5);
        seq.SetControlDevice(0, 11);
        seq.SetStatusDevice(0, 12);
        seq.SetControlDevice(1, 13);
        seq.SetStatusDevice(1, 14);
        const QByteArray before = Store(seq);
        CArchive in(bytes.left(keep));
        EXPECT_THROW(seq.Serialize(in), ArchiveError);
        EXPECT_EQ(Store(seq), before);
    }
}

TEST(FounSeq, DevicesReadFromADamagedFileDoNotOverflow)
{
    // The largest stored value: its M code device wraps instead of being
    // undefined.
    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    CHOXFounSeq seq;
    seq.SetControlDevice(0, top);
    seq.SetStatusDevice(1, top);
    EXPECT_EQ(seq.GetMcodeOffDevice(0), std::numeric_limits<std::int32_t>::min() + 2);
    EXPECT_EQ(seq.GetMcodeOnDevice(1), std::numeric_limits<std::int32_t>::min() + 2);
}
