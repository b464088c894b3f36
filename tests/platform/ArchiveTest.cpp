// The archive's bytes at every size boundary, class tags and back-references,
// and every kind of damaged input failing cleanly.
#include "platform/Archive.h"
#include "platform/WordMap.h"

#include <gtest/gtest.h>

#include <cstring>

#include <memory>
#include <random>
#include <vector>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

// A small stored class: an int and an owned child.
class TestNode : public CObject {
    KT_DECLARE_SERIAL(TestNode)
public:
    static int alive;
    TestNode() { ++alive; }
    explicit TestNode(std::int32_t v) : value(v) { ++alive; }
    ~TestNode() override { --alive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << value;
            ar.WriteObject(child.get());
        } else {
            ar >> value;
            child = ar.ReadOwned<TestNode>();
        }
    }
    std::int32_t value = 0;
    std::unique_ptr<TestNode> child;
};
int TestNode::alive = 0;
KT_IMPLEMENT_SERIAL(TestNode, CObject, 0)

class TestLeaf : public CObject {
    KT_DECLARE_SERIAL(TestLeaf)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << tag;
        } else {
            ar >> tag;
        }
    }
    BYTE tag = 0;
};
KT_IMPLEMENT_SERIAL(TestLeaf, CObject, 0)

// Holds a non-owning reference, written as an object reference.
class TestRef : public CObject {
    KT_DECLARE_SERIAL(TestRef)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteObject(target);
        } else {
            target = ar.ReadObject(RUNTIME_CLASS(TestLeaf));
        }
    }
    CObject* target = nullptr;
};
KT_IMPLEMENT_SERIAL(TestRef, CObject, 0)

// Known by kind only: it cannot be made by name, so it cannot be stored.
class TestAbstract : public CObject {
    KT_DECLARE_DYNAMIC(TestAbstract)
};
KT_IMPLEMENT_DYNAMIC(TestAbstract, CObject)

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { TestNode::alive = 0; }
    void TearDown() override { EXPECT_EQ(TestNode::alive, 0) << "objects leaked or deleted twice"; }
};

TEST_F(ArchiveTest, CountsAtTheirSizeBoundaries)
{
    const struct {
        DWORD count;
        const char* bytes;
    } cases[] = {
        {0, "0000"}, {1, "0100"}, {0xFFFE, "feff"}, {0xFFFF, "ffffffff0000"}, {0x10000, "ffff00000100"},
        {0x12345678, "ffff78563412"},
    };
    for (const auto& c : cases) {
        CArchive out;
        out.WriteCount(c.count);
        EXPECT_EQ(out.Buffer().toHex(), QByteArray(c.bytes)) << c.count;
        CArchive in(out.Buffer());
        EXPECT_EQ(in.ReadCount(0), c.count);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
}

TEST_F(ArchiveTest, StringsAtTheirSizeBoundaries)
{
    const struct {
        int length;
        const char* prefix;
    } cases[] = {
        {0, "00"}, {1, "01"}, {254, "fe"}, {255, "ffff00"}, {256, "ff0001"}, {0xFFFD, "fffdff"},
        {0xFFFE, "ffffff feff0000"}, {0xFFFF, "ffffff ffff0000"}, {0x10000, "ffffff00000100"},
    };
    for (const auto& c : cases) {
        QString s(c.length, QLatin1Char('a'));
        CArchive out;
        out << s;
        const QByteArray prefix = QByteArray::fromHex(QByteArray(c.prefix).replace(' ', ""));
        EXPECT_EQ(out.Buffer().left(prefix.size()).toHex(), prefix.toHex()) << c.length;
        EXPECT_EQ(out.Buffer().size(), prefix.size() + c.length);
        CArchive in(out.Buffer());
        QString back;
        in >> back;
        EXPECT_EQ(back, s);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
}

TEST_F(ArchiveTest, StringBytesAreKeptAsTheyAre)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));
    QByteArray stored = Hex("ff0001") + all;
    CArchive in(stored);
    QString s;
    in >> s;
    CArchive out;
    out << s;
    EXPECT_EQ(out.Buffer(), stored);
}

TEST_F(ArchiveTest, CharactersLatin1CannotHoldAreWrittenAsQuestionMarks)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QString(), Hex("00")},
        {QStringLiteral("Y1 \u00e9\u00ff"), Hex("05") + QByteArray("Y1 \xe9\xff", 5)},
        {QStringLiteral("\u0100a\u20ac"), Hex("03") + QByteArray("?a?")},
        // Each half of a pair is one character of the string.
        {QStringLiteral("x\U0001F600"), Hex("03") + QByteArray("x??")},
    };
    for (const auto& c : cases) {
        CArchive out;
        out << c.text << QStringLiteral("z");
        EXPECT_EQ(out.Buffer().toHex(), (c.bytes + Hex("017a")).toHex()) << c.text.toStdString();
    }
}

TEST_F(ArchiveTest, WideStringsAreRead)
{
    CArchive in(Hex("fffeff03") + Hex("4b0054003a00"));
    QString s;
    in >> s;
    EXPECT_EQ(s, QStringLiteral("KT:"));
}

TEST_F(ArchiveTest, IntegersRectanglesAndPointsAreLittleEndian)
{
    CArchive out;
    out << BYTE(0x12) << WORD(0x3456) << std::int32_t(-2) << DWORD(0x89ABCDEF) << CRect(1, -1, 0x100, 2)
        << CPoint(-3, 4);
    EXPECT_EQ(out.Buffer().toHex(),
              QByteArray("12" "5634" "feffffff" "efcdab89" "01000000ffffffff0001000002000000" "fdffffff04000000"));
    CArchive in(out.Buffer());
    BYTE b;
    WORD w;
    std::int32_t i;
    DWORD d;
    CRect r;
    CPoint p;
    in >> b >> w >> i >> d >> r >> p;
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(d, 0x89ABCDEFu);
    EXPECT_EQ(r, CRect(1, -1, 0x100, 2));
    EXPECT_EQ(p, CPoint(-3, 4));
}

TEST_F(ArchiveTest, ClassTagsAndBackReferences)
{
    // Index 1 is the class TestLeaf, 2 the first leaf, 3 the second leaf
    // (known class), 4 the class TestRef and 5 the reference object.
    TestLeaf a;
    a.tag = 0xA1;
    TestLeaf b;
    b.tag = 0xB2;
    TestRef ref;
    ref.target = &a;
    CArchive out;
    out.WriteObject(nullptr);
    out.WriteObject(&a);
    out.WriteObject(&b);
    out.WriteObject(&ref);
    out.WriteObject(&b);
    EXPECT_EQ(out.Buffer().toHex(), QByteArray("0000"
                                               "ffff" "0000" "0800" "546573744c656166" "a1"
                                               "0180" "b2"
                                               "ffff" "0000" "0700" "54657374526566" "0200"
                                               "0300"));

    CArchive in(out.Buffer());
    EXPECT_EQ(in.ReadObject(nullptr), nullptr);
    auto leafA = in.ReadOwned<TestLeaf>();
    auto leafB = in.ReadOwned<TestLeaf>();
    auto refBack = in.ReadOwned<TestRef>();
    ASSERT_TRUE(leafA && leafB && refBack);
    EXPECT_EQ(leafA->tag, 0xA1);
    EXPECT_EQ(leafB->tag, 0xB2);
    EXPECT_EQ(refBack->target, leafA.get());
    EXPECT_EQ(in.ReadObject(RUNTIME_CLASS(TestLeaf)), leafB.get());
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST_F(ArchiveTest, LargeIndicesUseTheEscape)
{
    // 0x7FFF objects fill the indices below the escape; the next object and
    // references to it go through the 0x7FFF word and a double word.
    std::vector<std::unique_ptr<TestLeaf>> leaves;
    for (int i = 0; i < 0x8000; ++i) leaves.push_back(std::make_unique<TestLeaf>());
    CArchive out;
    for (auto& leaf : leaves) out.WriteObject(leaf.get());
    const int before = out.Buffer().size();
    out.WriteObject(leaves[0x7FFC].get()); // index 0x7FFE: a plain word
    out.WriteObject(leaves[0x7FFD].get()); // index 0x7FFF: escaped
    EXPECT_EQ(out.Buffer().mid(before).toHex(), QByteArray("fe7f" "ff7fff7f0000"));

    // Classes past the escape: a new class announced after index 0x7FFF is
    // referred to with the escape and the top bit set.
    TestNode n1(1);
    TestNode n2(2);
    out.WriteObject(&n1); // class TestNode gets index 0x8002, the object 0x8003
    const int second = out.Buffer().size();
    out.WriteObject(&n2);
    EXPECT_EQ(out.Buffer().mid(second, 6).toHex(), QByteArray("ff7f02800080"));

    CArchive in(out.Buffer());
    std::vector<std::unique_ptr<TestLeaf>> read;
    for (int i = 0; i < 0x8000; ++i) read.push_back(in.ReadOwned<TestLeaf>());
    EXPECT_EQ(in.ReadObject(nullptr), read[0x7FFC].get());
    EXPECT_EQ(in.ReadObject(nullptr), read[0x7FFD].get());
    auto m1 = in.ReadOwned<TestNode>();
    auto m2 = in.ReadOwned<TestNode>();
    ASSERT_TRUE(m1 && m2);
    EXPECT_EQ(m1->value, 1);
    EXPECT_EQ(m2->value, 2);
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST_F(ArchiveTest, NestedObjectsRoundTrip)
{
    TestNode root(1);
    root.child = std::make_unique<TestNode>(2);
    root.child->child = std::make_unique<TestNode>(3);
    CArchive out;
    out.WriteObject(&root);
    CArchive in(out.Buffer());
    auto back = in.ReadOwned<TestNode>();
    ASSERT_TRUE(back && back->child && back->child->child);
    EXPECT_EQ(back->child->child->value, 3);
    EXPECT_EQ(back->child->child->child, nullptr);
}

// Each damaged input fails with its cause and leaves nothing behind: the
// fixture checks that every object made while reading is gone.
TEST_F(ArchiveTest, DamagedInputFailsCleanly)
{
    const QByteArray node = Hex("ffff00000800") + QByteArray("TestNode");
    const struct {
        const char* what;
        QByteArray bytes;
        ArchiveError::Cause cause;
    } cases[] = {
        {"empty", {}, ArchiveError::endOfFile},
        {"half a tag", Hex("ff"), ArchiveError::endOfFile},
        {"unknown class", Hex("ffff00000500") + QByteArray("CNone"), ArchiveError::badClass},
        {"non-zero schema", Hex("ffff01000800") + QByteArray("TestNode"), ArchiveError::badSchema},
        {"class name too long", Hex("ffff00004000") + QByteArray(64, 'A'), ArchiveError::badClass},
        {"class name cut short", Hex("ffff00000800") + QByteArray("Test"), ArchiveError::endOfFile},
        {"fields cut short", node + Hex("0100"), ArchiveError::endOfFile},
        {"child cut short", node + Hex("01000000") + Hex("0180") + Hex("02000000"), ArchiveError::endOfFile},
        {"reference to nothing", Hex("0500"), ArchiveError::badIndex},
        {"escaped reference to nothing", Hex("ff7f00000100"), ArchiveError::badIndex},
        {"class index to nothing", Hex("0980"), ArchiveError::badIndex},
        {"class index naming an object", node + Hex("01000000") + Hex("0280"), ArchiveError::badIndex},
        {"object reference naming a class", node + Hex("01000000") + Hex("0100"), ArchiveError::badIndex},
        {"object stored twice under one owner", node + Hex("01000000") + Hex("0200"), ArchiveError::sharedObject},
        {"wrong class where one is required",
         node + Hex("01000000") + Hex("ffff00000800") + QByteArray("TestLeaf") + Hex("07"), ArchiveError::badClass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(c.bytes);
        try {
            auto object = in.ReadOwned<TestNode>();
            ADD_FAILURE() << "read without error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << e.what();
            EXPECT_GT(std::strlen(e.what()), 10u);
        }
    }
}

TEST_F(ArchiveTest, CountsAndLengthsAreNotTrusted)
{
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"string longer than the data", Hex("ff0010") + QByteArray(10, 'x')},
        {"huge string", Hex("ffffffffffffff")},
        {"huge wide string", Hex("fffeffffffffffffff7f")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(c.bytes);
        QString s;
        EXPECT_THROW(in >> s, ArchiveError);
    }
    CArchive huge(Hex("ffffffffff7f") + QByteArray(8, '\0'));
    EXPECT_THROW(huge.ReadCount(4), ArchiveError);
    CArchive fits(Hex("0200") + QByteArray(8, '\0'));
    EXPECT_EQ(fits.ReadCount(4), 2u);
}

TEST_F(ArchiveTest, DeepNestingIsRefused)
{
    // A chain of nodes each owning the next, far deeper than any document.
    QByteArray bytes = Hex("ffff00000800") + QByteArray("TestNode") + Hex("00000000");
    for (int i = 0; i < 1000; ++i) bytes += Hex("0180") + Hex("00000000");
    CArchive in(bytes);
    try {
        in.ReadOwned<TestNode>();
        ADD_FAILURE() << "read without error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::tooDeep);
    }
}

TEST_F(ArchiveTest, AnObjectThatCouldNotBeReadBackIsNotWritten)
{
    TestAbstract object;
    CArchive out;
    try {
        out.WriteObject(&object);
        ADD_FAILURE() << "written without error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::writeError) << e.what();
    }
}

TEST_F(ArchiveTest, AnObjectThatHasAnOwnerIsNotHandedToAnother)
{
    // The node's first owner lets it go before a later reference in the file
    // names it again: the reference must fail without the node being looked at.
    const QByteArray bytes = Hex("ffff00000800") + QByteArray("TestNode") + Hex("01000000" "0000") + Hex("0200");
    CArchive in(bytes);
    in.ReadOwned<TestNode>().reset();
    try {
        in.ReadOwned<TestNode>();
        ADD_FAILURE() << "read without error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::sharedObject) << e.what();
    }
}

// ---------------------------------------------------------------------------
// Word-keyed maps

TEST(WordMapTest, IteratesByBucketNewestFirst)
{
    WordMap<int> map;
    // Buckets: (key >> 4) % 17. 0 and 1 share bucket 0; 272 (= 17 * 16) too;
    // 16 is bucket 1, 300 is bucket 1 ((300 >> 4) % 17 = 18 % 17).
    for (WORD key : {1, 16, 0, 272, 300, 5000}) map.SetAt(key, key);
    EXPECT_EQ(map.Keys(), (std::vector<WORD>{272, 0, 1, 300, 16, 5000}));
    map.SetAt(0, 99); // a new value keeps the key's place
    EXPECT_EQ(map.Keys(), (std::vector<WORD>{272, 0, 1, 300, 16, 5000}));
    EXPECT_EQ(*map.Lookup(0), 99);
    EXPECT_TRUE(map.RemoveKey(272));
    EXPECT_FALSE(map.RemoveKey(272));
    EXPECT_EQ(map.Keys(), (std::vector<WORD>{0, 1, 300, 16, 5000}));
    std::vector<WORD> reversed;
    for (auto it = map.rbegin(); it != map.rend(); ++it) reversed.push_back(it->first);
    EXPECT_EQ(reversed, (std::vector<WORD>{5000, 16, 300, 1, 0}));
    EXPECT_EQ(map.GetCount(), 5u);
}

TEST(WordMapTest, EveryEntryThatLeavesAMapIsCounted)
{
    using Map = WordMap<long>;
    const auto since = [start = Map::Removals()] { return Map::Removals() - start; };
    Map map;
    for (WORD key : {1, 2, 3}) map.SetAt(key, key);
    map.SetAt(2, 20); // the key stays
    map.Take(9);
    map.RemoveKey(9);
    EXPECT_EQ(since(), 0u);
    map.Take(1);
    map.RemoveKey(2);
    EXPECT_EQ(since(), 2u);
    {
        Map moved(std::move(map));
        EXPECT_EQ(map.GetCount(), 0u); // NOLINT(bugprone-use-after-move): left empty on purpose
        EXPECT_EQ(since(), 2u);
        Map other;
        other.SetAt(7, 7);
        other.SetAt(8, 8);
        other = std::move(moved); // 7 and 8 go
        EXPECT_EQ(since(), 4u);
        EXPECT_EQ(other.Keys(), std::vector<WORD>{3});
    } // 3 goes with its map
    EXPECT_EQ(since(), 5u);
    map.SetAt(4, 4);
    map.RemoveAll();
    EXPECT_EQ(since(), 6u);
}

TEST(WordMapTest, SaveAndLoadKeepTheOrder)
{
    WordMap<std::unique_ptr<TestNode>> map;
    for (WORD key : {3, 0, 19, 272, 16, 40000}) map.SetAt(key, std::make_unique<TestNode>(key));
    const std::vector<WORD> order = map.Keys();
    CArchive out;
    SerializeObjectMap(out, map);
    // Count, then key and object per entry in map order: bucket 0 holds 272,
    // 0 and 3, newest first.
    ASSERT_EQ(order.front(), 272);
    EXPECT_EQ(out.Buffer().left(4).toHex(), QByteArray("0600" "1001"));

    WordMap<std::unique_ptr<TestNode>> loaded;
    CArchive in(out.Buffer());
    SerializeObjectMap(in, loaded);
    EXPECT_EQ(loaded.Keys(), order);
    for (auto& [key, node] : loaded) EXPECT_EQ(node->value, key);

    CArchive again;
    SerializeObjectMap(again, loaded);
    EXPECT_EQ(again.Buffer(), out.Buffer());
    map.RemoveAll();
    loaded.RemoveAll();
    EXPECT_EQ(TestNode::alive, 0);
}

TEST(WordMapTest, AFailedLoadLeavesTheMapAsItWas)
{
    WordMap<std::unique_ptr<TestNode>> map;
    map.SetAt(7, std::make_unique<TestNode>(7));
    CArchive out;
    SerializeObjectMap(out, map);
    QByteArray cut = out.Buffer();
    cut.chop(2);
    CArchive in(cut);
    EXPECT_THROW(SerializeObjectMap(in, map), ArchiveError);
    ASSERT_EQ(map.GetCount(), 1u);
    EXPECT_EQ((*map.Lookup(7))->value, 7);
}

TEST(WordMapTest, DamagedMapsFailCleanly)
{
    TestNode::alive = 0;
    const QByteArray node = Hex("ffff00000800") + QByteArray("TestNode");
    const struct {
        const char* what;
        QByteArray bytes;
        ArchiveError::Cause cause;
    } cases[] = {
        // The second entry under key 1 would delete the first, which the
        // third entry then names.
        {"key stored twice", Hex("0300") + Hex("0100") + node + Hex("01000000" "0000") + Hex("0100") + Hex("0180") +
                                 Hex("02000000" "0000") + Hex("0200") + Hex("0200"),
         ArchiveError::duplicateKey},
        {"one object under two keys", Hex("0200") + Hex("0100") + node + Hex("01000000" "0000") + Hex("0200") + Hex("0200"),
         ArchiveError::sharedObject},
        {"more entries than data", Hex("0900") + Hex("0100") + node + Hex("01000000" "0000"), ArchiveError::badCount},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WordMap<std::unique_ptr<TestNode>> map;
        map.SetAt(7, std::make_unique<TestNode>(7));
        CArchive in(c.bytes);
        try {
            SerializeObjectMap(in, map);
            ADD_FAILURE() << "read without error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << e.what();
        }
        ASSERT_EQ(map.Keys(), std::vector<WORD>{7});
        EXPECT_EQ((*map.Lookup(7))->value, 7);
    }
    EXPECT_EQ(TestNode::alive, 0);
}

// ---------------------------------------------------------------------------
// Damage anywhere: a sample archive with every kind of item, cut at every
// length and with bytes changed at random (fixed seed). Reading either
// succeeds or throws ArchiveError, and leaves no object behind.

namespace {

QByteArray SampleArchive()
{
    TestLeaf leaf;
    leaf.tag = 0x5A;
    TestRef ref;
    ref.target = &leaf;
    WordMap<std::unique_ptr<TestNode>> map;
    for (WORD key : {3, 19, 272, 40000}) {
        auto node = std::make_unique<TestNode>(key);
        node->child = std::make_unique<TestNode>(-key);
        map.SetAt(key, std::move(node));
    }
    CArchive out;
    out << QString(300, QLatin1Char('s')) << QStringLiteral("short");
    out.WriteCount(2);
    out << std::int32_t(1) << std::int32_t(2);
    SerializeObjectMap(out, map);
    out.WriteObject(&leaf);
    out.WriteObject(&ref);
    out << CRect(1, 2, 3, 4) << CPoint(5, 6);
    out.WriteObject(&leaf);
    out.WriteObject(nullptr);
    return out.Buffer();
}

// Reads SampleArchive's items back; throws ArchiveError on damage.
void ReadSample(CArchive& in)
{
    QString longText;
    QString shortText;
    in >> longText >> shortText;
    const DWORD n = in.ReadCount(4);
    for (DWORD i = 0; i < n; ++i) {
        std::int32_t v = 0;
        in >> v;
    }
    WordMap<std::unique_ptr<TestNode>> map;
    SerializeObjectMap(in, map);
    auto leaf = in.ReadOwned<TestLeaf>();
    auto ref = in.ReadOwned<TestRef>();
    CRect r;
    CPoint p;
    in >> r >> p;
    in.ReadObject(RUNTIME_CLASS(TestLeaf));
    in.ReadObject(nullptr);
}

} // namespace

TEST(ArchiveFuzzTest, EveryTruncationFails)
{
    TestNode::alive = 0;
    const QByteArray whole = SampleArchive();
    {
        CArchive in(whole);
        ReadSample(in);
        EXPECT_EQ(in.BytesLeft(), 0u);
    }
    for (qsizetype len = 0; len < whole.size(); ++len) {
        SCOPED_TRACE(len);
        try {
            CArchive in(whole.left(len));
            ReadSample(in);
            ADD_FAILURE() << "a cut archive read without error";
        } catch (const ArchiveError& e) {
            EXPECT_TRUE(e.cause() == ArchiveError::endOfFile || e.cause() == ArchiveError::badCount) << e.what();
        }
        ASSERT_EQ(TestNode::alive, 0);
    }
}

TEST(ArchiveFuzzTest, ChangedBytesFailCleanly)
{
    TestNode::alive = 0;
    const QByteArray whole = SampleArchive();
    std::mt19937 random(20261210);
    int failed = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = whole;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < changes; ++i) {
            const auto at = static_cast<qsizetype>(random() % static_cast<std::uint32_t>(bytes.size()));
            bytes[at] = static_cast<char>(random() % 4 == 0 ? 0xFF : random() & 0xFF);
        }
        SCOPED_TRACE(bytes.toHex().toStdString());
        try {
            CArchive in(bytes);
            ReadSample(in);
        } catch (const ArchiveError&) {
            ++failed;
        }
        ASSERT_EQ(TestNode::alive, 0) << "round " << round;
    }
    // Most damage is caught; if none were, the changes missed the data.
    EXPECT_GT(failed, 500);
}

} // namespace
