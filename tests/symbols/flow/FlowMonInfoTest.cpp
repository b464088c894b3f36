// The step-map record: values, stored form with its class, damaged input.
#include "symbols/flow/HOXFlowMonInfo.h"

#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

void ExpectValues(const CHOXFlowMonInfo& info, int step, int id, const QString& name)
{
    int gotStep = -99;
    int gotId = -99;
    QString gotName = "unset";
    info.Get(&gotStep, &gotId, &gotName);
    EXPECT_EQ(gotStep, step);
    EXPECT_EQ(gotId, id);
    EXPECT_EQ(gotName, name);
    EXPECT_EQ(info.GetStep(), step);
    EXPECT_EQ(info.GetSymbolId(), id);
    EXPECT_EQ(info.GetWindowName(), name);
}

} // namespace

TEST(FlowMonInfo, ConstructorsGetAndSet)
{
    ExpectValues(CHOXFlowMonInfo(), 0, 0, "");
    CHOXFlowMonInfo info(12, 34, "Flow Chart1");
    ExpectValues(info, 12, 34, "Flow Chart1");
    info.Set(-1, 4000, "Subtask");
    ExpectValues(info, -1, 4000, "Subtask");
    info.SetWindowName("Main");
    ExpectValues(info, -1, 4000, "Main");
}

TEST(FlowMonInfo, IsStoredWithItsClassAsStepIdAndName)
{
    CHOXFlowMonInfo info(12, 34, "Flow Chart1");
    CArchive out;
    out.WriteObject(&info);
    const QByteArray expected = Hex("ffff" "0000" "0f00" "43484f58466c6f774d6f6e496e666f" // new class, schema 0, name
                                    "0c000000"                                           // first step
                                    "22000000"                                           // symbol id
                                    "0b" "466c6f7720436861727431");                      // window name
    EXPECT_EQ(out.Buffer().toHex(), expected.toHex());

    CArchive in(out.Buffer());
    std::unique_ptr<CHOXFlowMonInfo> back = in.ReadOwned<CHOXFlowMonInfo>();
    ASSERT_NE(back, nullptr);
    ExpectValues(*back, 12, 34, "Flow Chart1");
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST(FlowMonInfo, RoundTripsExtremeValuesAndEightBitNames)
{
    const struct {
        int step;
        int id;
        QString name;
    } cases[] = {
        {0, 0, ""},
        {-2147483647 - 1, 2147483647, QString::fromLatin1("Fl\xe9" "che")},
        {7799, 3999, QString(300, QChar('x'))}, // a name longer than one length byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        CHOXFlowMonInfo info(c.step, c.id, c.name);
        CArchive out;
        info.Serialize(out);
        CHOXFlowMonInfo back;
        CArchive in(out.Buffer());
        back.Serialize(in);
        ExpectValues(back, c.step, c.id, c.name);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
}

TEST(FlowMonInfo, CutShortInputThrowsAndLeavesTheRecordAlone)
{
    CHOXFlowMonInfo stored(12, 34, "Flow Chart1");
    CArchive out;
    stored.Serialize(out);
    const QByteArray bytes = out.Buffer();
    // Cut in the step, in the id, before the name and inside it.
    for (int keep : {0, 3, 4, 7, 8, 9, static_cast<int>(bytes.size()) - 1}) {
        SCOPED_TRACE(keep);
        CHOXFlowMonInfo info(1, 2, "Old");
        CArchive in(bytes.left(keep));
        EXPECT_THROW(info.Serialize(in), ArchiveError);
        ExpectValues(info, 1, 2, "Old");
    }
}
