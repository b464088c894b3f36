// The M-code sequence settings: initial values, each axis and M code kept
// apart, the set list, refused indexes, and the document's member that the
// file never holds.
#include "plc/HOXMcodeKzPlc.h"

#include "app/HOXDoc.h"
#include "platform/Archive.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Settings = CHOXMcodeKzPlc;

// The set list of an axis up to its end mark.
std::vector<std::uint32_t> List(const Settings& s, int axis)
{
    std::vector<std::uint32_t> list;
    for (int i = 0; i < Settings::kListSize && s.GetListEntry(i, axis) != 0; ++i)
        list.push_back(s.GetListEntry(i, axis));
    return list;
}

bool IsX0(const CHOXSelectVal& v)
{
    return v.GetDeviceType() == CHOXSelectVal::kX && v.GetNumber() == 0 && v.GetDigits() == 0 &&
           v.GetIndexType() == 0 && v.GetIndexNumber() == 0;
}

QByteArray ArchiveOf(CHOXDoc& doc)
{
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.Buffer();
}

} // namespace

TEST(McodeKzPlc, StartsWithRegisterZeroRelayZeroCompletionX0AndNothingApplied)
{
    const Settings s;
    for (int axis : {0, 1}) {
        EXPECT_EQ(s.GetSaveDevice(axis), 0);
        for (std::int32_t mcode : {0, 1, 50, 100}) {
            SCOPED_TRACE(mcode);
            EXPECT_EQ(s.GetAuxDevice(mcode, axis), 0u);
            EXPECT_TRUE(IsX0(s.GetCompletionDevice(mcode, axis)));
            EXPECT_EQ(s.GetCompletionDevice(mcode, axis).GetText(), QStringLiteral("X0"));
            EXPECT_FALSE(s.IsSequenceSet(mcode, axis));
        }
        for (int position = 0; position < Settings::kListSize; ++position)
            EXPECT_EQ(s.GetListEntry(position, axis), 0u);
    }
    // Known by its class name, as the document's members are.
    const CRuntimeClass* cls = CRuntimeClass::FromName("CHOXMcodeKzPlc");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->m_wSchema, 0);
    EXPECT_TRUE(cls->CreateObject()->IsKindOf(RUNTIME_CLASS(CHOXMcodeKzPlc)));
}

TEST(McodeKzPlc, EachAxisAndMcodeKeepsItsOwnSettings)
{
    Settings s;
    // Neighbours in the arrays: the last M code of X and the first of Y.
    EXPECT_TRUE(s.SetSaveDevice(100, 0));
    EXPECT_TRUE(s.SetSaveDevice(7999, 1));
    EXPECT_TRUE(s.SetAuxDevice(11, 100, 0));
    EXPECT_TRUE(s.SetAuxDevice(22, 0, 1));
    EXPECT_TRUE(s.SetAuxDevice(33, 5, 1));
    EXPECT_TRUE(s.SetCompletionDevice(100, CHOXSelectVal::kM, 0, 3071, 0, 0, 0));
    EXPECT_TRUE(s.SetCompletionDevice(0, CHOXSelectVal::kD, 0, 12, 0, 0, 1));
    EXPECT_TRUE(s.SetSequence(100, 0));
    EXPECT_TRUE(s.SetSequence(0, 1));

    EXPECT_EQ(s.GetSaveDevice(0), 100);
    EXPECT_EQ(s.GetSaveDevice(1), 7999);
    const struct {
        std::int32_t mcode;
        int axis;
        std::uint32_t aux;
        const char* completion;
        bool set;
    } rows[] = {
        {100, 0, 11, "M3071", true}, {0, 1, 22, "D12", true},  {5, 1, 33, "X0", false},
        {0, 0, 0, "X0", false},      {100, 1, 0, "X0", false}, {5, 0, 0, "X0", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.mcode) + " axis " + std::to_string(r.axis));
        EXPECT_EQ(s.GetAuxDevice(r.mcode, r.axis), r.aux);
        EXPECT_EQ(s.GetCompletionDevice(r.mcode, r.axis).GetText().toStdString(), r.completion);
        EXPECT_EQ(s.IsSequenceSet(r.mcode, r.axis), r.set);
    }
    EXPECT_TRUE(s.ClearSequence(100, 0));
    EXPECT_FALSE(s.IsSequenceSet(100, 0));
    EXPECT_TRUE(s.IsSequenceSet(0, 1));

    // A copy: changing it leaves the settings alone.
    CHOXSelectVal copy = s.GetCompletionDevice(0, 1);
    QString message;
    ASSERT_TRUE(copy.Parse(QStringLiteral("Y7"), message));
    EXPECT_EQ(s.GetCompletionDevice(0, 1).GetText(), QStringLiteral("D12"));
    // A combination the operand refuses is not stored.
    EXPECT_FALSE(s.SetCompletionDevice(0, CHOXSelectVal::kD, 2, 12, 0, 0, 1));
    EXPECT_EQ(s.GetCompletionDevice(0, 1).GetText(), QStringLiteral("D12"));
}

TEST(McodeKzPlc, AppliedMcodesAreListedInTheirOrderAndMoveUpWhenOneGoes)
{
    Settings s;
    using Step = std::pair<std::int32_t, bool>; // M code, remove
    const struct {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::uint32_t> x;
        std::vector<std::uint32_t> y;
    } cases[] = {
        {"appended in order", {{5, false}, {3, false}, {100, false}}, {5, 3, 100}, {}},
        {"the middle one goes", {{5, false}, {3, false}, {100, false}, {3, true}}, {5, 100}, {}},
        {"the first one goes", {{5, false}, {3, false}, {5, true}}, {3}, {}},
        {"the last one goes", {{5, false}, {3, false}, {3, true}}, {5}, {}},
        {"removing an absent one changes nothing", {{5, false}, {7, true}}, {5}, {}},
        {"a second entry stays when the first goes", {{5, false}, {5, false}, {5, true}}, {5}, {}},
        // 0 ends the list: it is never appended, never found.
        {"M code 0", {{5, false}, {0, false}, {6, false}, {0, true}}, {5, 6}, {}},
        {"out of range", {{101, false}, {-1, false}, {255, false}}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int axis : {0, 1}) {
            Settings fresh;
            for (const auto& [mcode, remove] : c.steps) fresh.UpdateList(mcode, remove, axis);
            EXPECT_EQ(List(fresh, axis), c.x) << "axis " << axis;
            EXPECT_TRUE(List(fresh, 1 - axis).empty()) << "the other axis";
        }
    }
    EXPECT_TRUE(s.UpdateList(9, false, 1));
    EXPECT_FALSE(s.UpdateList(9, true, 0));
    EXPECT_EQ(List(s, 1), std::vector<std::uint32_t>{9});
    EXPECT_TRUE(s.UpdateList(9, true, 1));
    EXPECT_FALSE(s.UpdateList(9, true, 1));
    EXPECT_FALSE(s.UpdateList(0, false, 1));
}

TEST(McodeKzPlc, AFullListTakesNoMoreAndAnEntryGoneMakesRoom)
{
    Settings s;
    for (std::int32_t mcode = 1; mcode <= 100; ++mcode) ASSERT_TRUE(s.UpdateList(mcode, false, 0));
    EXPECT_FALSE(s.UpdateList(77, false, 0));
    ASSERT_EQ(List(s, 0).size(), 100u);
    EXPECT_EQ(s.GetListEntry(99, 0), 100u);
    // The end mark stays after a full list.
    EXPECT_EQ(s.GetListEntry(100, 0), 0u);

    EXPECT_TRUE(s.UpdateList(1, true, 0));
    EXPECT_EQ(s.GetListEntry(0, 0), 2u);
    EXPECT_EQ(s.GetListEntry(98, 0), 100u);
    EXPECT_EQ(s.GetListEntry(99, 0), 0u);
    EXPECT_TRUE(s.UpdateList(1, false, 0));
    EXPECT_EQ(s.GetListEntry(99, 0), 1u);
    EXPECT_FALSE(s.UpdateList(50, false, 0));
    // The last one found at the hundredth place.
    EXPECT_TRUE(s.UpdateList(1, true, 0));
    EXPECT_EQ(s.GetListEntry(99, 0), 0u);
    EXPECT_TRUE(List(s, 1).empty());
}

// M codes above 100 are possible in symbols; read from an array indexed by
// axis x 101 + M code they would land on the other axis or past the end.
TEST(McodeKzPlc, IndexesOutsideTheArraysAreRefused)
{
    Settings s;
    ASSERT_TRUE(s.SetAuxDevice(44, 0, 1));
    ASSERT_TRUE(s.SetSequence(0, 1));
    ASSERT_TRUE(s.SetCompletionDevice(0, CHOXSelectVal::kM, 0, 9, 0, 0, 1));
    const std::int32_t badCodes[] = {
        101, 102, 255, -1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    for (std::int32_t mcode : badCodes) {
        SCOPED_TRACE(mcode);
        EXPECT_EQ(s.GetAuxDevice(mcode, 0), 0u);
        EXPECT_TRUE(IsX0(s.GetCompletionDevice(mcode, 0)));
        EXPECT_FALSE(s.IsSequenceSet(mcode, 0));
        EXPECT_FALSE(s.SetAuxDevice(1, mcode, 0));
        EXPECT_FALSE(s.SetCompletionDevice(mcode, CHOXSelectVal::kY, 0, 1, 0, 0, 0));
        EXPECT_FALSE(s.SetSequence(mcode, 0));
        EXPECT_FALSE(s.ClearSequence(mcode, 0));
    }
    for (int axis : {-1, 2, 1000}) {
        SCOPED_TRACE(axis);
        EXPECT_EQ(s.GetSaveDevice(axis), 0);
        EXPECT_FALSE(s.SetSaveDevice(5, axis));
        EXPECT_EQ(s.GetAuxDevice(0, axis), 0u);
        EXPECT_FALSE(s.SetAuxDevice(5, 0, axis));
        EXPECT_TRUE(IsX0(s.GetCompletionDevice(0, axis)));
        EXPECT_FALSE(s.IsSequenceSet(0, axis));
        EXPECT_FALSE(s.SetSequence(0, axis));
        EXPECT_EQ(s.GetListEntry(0, axis), 0u);
        EXPECT_FALSE(s.UpdateList(5, false, axis));
    }
    for (int position : {-1, 101, 5000}) EXPECT_EQ(s.GetListEntry(position, 0), 0u);
    // Nothing else was touched: Y's M code 0 is where axis 0's M code 101
    // would have been.
    EXPECT_EQ(s.GetAuxDevice(0, 1), 44u);
    EXPECT_TRUE(s.IsSequenceSet(0, 1));
    EXPECT_EQ(s.GetCompletionDevice(0, 1).GetText(), QStringLiteral("M9"));
    EXPECT_EQ(s.GetSaveDevice(0), 0);
    EXPECT_EQ(s.GetSaveDevice(1), 0);
}

TEST(McodeKzPlc, TheDocumentHoldsSettingsThatItsFileNeverHolds)
{
    kt::test::TempSettings settings;
    CHOXDoc doc;
    ASSERT_NE(doc.GetMcodeKzPlc(), nullptr);
    const QByteArray before = ArchiveOf(doc);
    CHOXMcodeKzPlc* plc = doc.GetMcodeKzPlc();
    plc->SetSaveDevice(100, 0);
    plc->SetAuxDevice(20, 5, 0);
    plc->SetCompletionDevice(5, CHOXSelectVal::kX, 0, 7, 0, 0, 0);
    plc->SetSequence(5, 0);
    plc->UpdateList(5, false, 0);
    EXPECT_EQ(ArchiveOf(doc), before);
    EXPECT_FALSE(doc.IsModified());

    // Read back, a document has none of them; nor has a new one.
    CHOXDoc loaded;
    loaded.GetMcodeKzPlc()->SetSequence(9, 1);
    CArchive in(before);
    in.m_pDocument = &loaded;
    loaded.Serialize(in);
    ASSERT_NE(loaded.GetMcodeKzPlc(), nullptr);
    EXPECT_FALSE(loaded.GetMcodeKzPlc()->IsSequenceSet(9, 1));
    EXPECT_EQ(loaded.GetMcodeKzPlc()->GetListEntry(0, 0), 0u);
    EXPECT_EQ(CHOXDoc().GetMcodeKzPlc()->GetSaveDevice(0), 0);
}
