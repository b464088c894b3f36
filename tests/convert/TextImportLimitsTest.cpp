// The text import at its limits: the 500th window, symbol and wire ids that
// run out in the middle of a chart, files cut short or made of noise, and a
// chart of thousands of statements. Whatever stops the import, the document
// stays whole: no wire dangles, every number table matches the symbols, and
// it saves and loads.
#include "convert/ImportFixture.h"

#include "symbols/flow/HOXFlowEnd.h"

#include <QRandomGenerator>

#include <atomic>
#include <cstddef>
#include <cstdint>

// The address sanitizer, which runs the tests, tells of every allocation.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, std::size_t),
                                                         void (*)(const volatile void*)) __attribute__((weak));

using kt::test::Completed;
using kt::test::ExpectWiresWhole;
using kt::test::ImportFixture;
using kt::test::kResultStyle;
using kt::test::ScriptedMessages;

namespace {

// Every message is taken with its default button and remembered.
class RecordedMessages : public MessageHandler {
public:
    RecordedMessages() : m_previous(GetMessageHandler()) { SetMessageHandler(this); }
    ~RecordedMessages() override { SetMessageHandler(m_previous); }
    int Show(const QString& text, UINT style, const QString&) override
    {
        texts << text;
        return DefaultMessageResult(style);
    }
    QStringList texts;

private:
    MessageHandler* m_previous;
};

// A program with charts of every kind: flow symbols, text blocks, a
// conditional jump and its JUMP, an inserted JUMP, subroutine and pointer.
const QStringList kProgram{"O0",     "LD X0", "OUT Y0", "BRET",  "LD X1", "CJ P4", "BRET", "MOV D0 D1", "CALL P5",
                           "JMP P4", "m02",   "O1",     "LD X2", "P4",    "m02",   "P5",   "RET"};

// The bytes allocated while counting is on, by any thread.
std::atomic<bool> g_countAllocations{false};
std::atomic<std::uint64_t> g_allocatedBytes{0};
void OnAllocation(const volatile void*, std::size_t size)
{
    if (g_countAllocations) g_allocatedBytes += size;
}
void OnRelease(const volatile void*) {}
bool AllocationsCounted()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks != nullptr &&
                                  __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnRelease) != 0;
    return installed;
}

class TextImportLimitsTest : public ImportFixture {
protected:
    // Saved and loaded again, the document is the same in every number
    // table: nothing holds a number the tables lost, nor the other way.
    void ExpectSavesAndLoads(CHOXDoc* doc)
    {
        // The filler's own wires lead nowhere.
        for (const QString& name : ChartNames())
            if (name != QStringLiteral("Filler")) ExpectWiresWhole(Chart(name));
        const QString path = Path(QStringLiteral("limit.hox"));
        ASSERT_TRUE(doc->OnSaveDocument(path));
        CHOXDoc loaded;
        ASSERT_TRUE(loaded.OnOpenDocument(path));
        EXPECT_EQ(loaded.GetWindowNameList(), doc->GetWindowNameList());
        for (int n = 0; n < 256; ++n) EXPECT_EQ(loaded.IsPointerNumberUsed(n), doc->IsPointerNumberUsed(n)) << "P" << n;
        for (int axis : {0, 1})
            for (int n = 0; n < 100; ++n)
                EXPECT_EQ(loaded.IsProgramNumberUsed(axis, n), doc->IsProgramNumberUsed(axis, n)) << axis << " O" << n;
    }
    void AddWindows(CHOXDoc* doc, int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("W%1").arg(i);
            doc->AddWindow(name, doc->NewFlowWindow(name, QString()));
        }
    }
    // A chart holding objects of the ids from 0 on, so that only `left`
    // ids of the document's 4001 stay free; the counter has run out.
    void UseIdsUpTo(CHOXDoc* doc, int left, bool wires)
    {
        auto filler = doc->NewFlowWindow(QStringLiteral("Filler"), QString());
        for (int id = 0; id < 4001 - left; ++id) {
            std::unique_ptr<CHOXDrawObj> object;
            if (wires)
                object = std::make_unique<CHOXConnect>(CRect(), filler.get());
            else
                object = std::make_unique<CHOXFlowEnd>(CPoint(10, 10), filler.get());
            object->SetId(static_cast<DWORD>(id));
            if (wires)
                filler->AddConnect(std::move(object));
            else
                filler->AddObject(std::move(object));
        }
        doc->AddWindow(QStringLiteral("Filler"), std::move(filler));
        CHOXDoc::IdCounters counters = doc->GetIdCounters();
        (wires ? counters.wire : counters.symbol) = 4000;
        doc->SetIdCounters(counters);
    }
};

} // namespace

TEST_F(TextImportLimitsTest, TheWindowLimitStopsTheImportAndKeepsWhatWasBuilt)
{
    CHOXDoc* doc = NewDoc(2);
    AddWindows(doc, 499);
    {
        ScriptedMessages messages;
        messages.Expect(LoadStr(13486), MB_OK, IDOK);
        const Run run = Import(doc, QStringLiteral("[Program]\n") + kProgram.join(u'\n'));
        EXPECT_TRUE(run.stopped);
    }
    EXPECT_EQ(doc->GetWindowMap().GetCount(), 500u);
    ASSERT_NE(Chart("Flow Chart500"), nullptr);
    EXPECT_EQ(Chart("Flow Chart500")->GetObjectMap().GetCount(), 7u);
    ExpectSavesAndLoads(doc);
}

TEST_F(TextImportLimitsTest, AProgramThatEndsWithTheLastWindowIsComplete)
{
    CHOXDoc* doc = NewDoc(2);
    AddWindows(doc, 499);
    ImportProgram(doc, {"O0", "m02", "NOP"});
    EXPECT_NE(Chart("Flow Chart500"), nullptr);

    // A document that has 500 windows already stops at its first chart.
    m_app->DestroyDocument();
    doc = NewDoc(2);
    AddWindows(doc, 500);
    ScriptedMessages messages;
    messages.Expect(LoadStr(13486), MB_OK, IDOK);
    Import(doc, QStringLiteral("[Program]\nO0\nm02"));
    EXPECT_EQ(doc->GetWindowMap().GetCount(), 500u);
}

TEST_F(TextImportLimitsTest, SymbolOrWireIdsRunningOutStopTheImportWithTheDocumentWhole)
{
    const QString symbols = LoadStr(13646);
    const QString wires = LoadStr(13647);
    for (const bool wireIds : {false, true}) {
        for (int left = 1; left <= (wireIds ? 12 : 16); ++left) {
            SCOPED_TRACE(QStringLiteral("%1 %2 left").arg(wireIds ? "wire" : "symbol").arg(left).toStdString());
            CHOXDoc* doc = NewDoc(2);
            UseIdsUpTo(doc, left, wireIds);
            RecordedMessages messages;
            const Run run = Import(doc, QStringLiteral("[Program]\n") + kProgram.join(u'\n'));
            // One id is too few for anything, the most enough for all.
            EXPECT_TRUE(left != 1 || run.stopped);
            EXPECT_TRUE(left != (wireIds ? 12 : 16) || !run.stopped);
            if (run.stopped) {
                // The allocator has told why; nothing reports success.
                EXPECT_TRUE(messages.texts.contains(wireIds ? wires : symbols))
                    << messages.texts.join(u'|').toStdString();
                EXPECT_FALSE(messages.texts.contains(Completed()));
            } else {
                EXPECT_EQ(messages.texts.back(), Completed()) << messages.texts.join(u'|').toStdString();
            }
            ExpectSavesAndLoads(doc);
            m_app->DestroyDocument();
        }
    }
}

TEST_F(TextImportLimitsTest, CutAndNoisyFilesNeverBreakTheDocument)
{
    CHOXDoc source;
    source.SetControllerType(2);
    CHOXExport exporter(&source);
    exporter.FormatParameters();
    const QStringList whole = (QStringLiteral("[HOX File Name]\nx.hox\n") + exporter.GetParameterText() +
                               QStringLiteral("[Program]\n") + kProgram.join(u'\n'))
                                  .split(u'\n');
    QRandomGenerator random(2025);
    std::vector<QStringList> files;
    for (qsizetype keep = 0; keep <= whole.size(); keep += 3) files.push_back(whole.mid(0, keep));
    for (int f = 0; f < 12; ++f) {
        QStringList noise;
        const int count = random.bounded(1, 60);
        for (int i = 0; i < count; ++i) {
            QString line;
            const int length = random.bounded(0, 30);
            for (int c = 0; c < length; ++c) {
                // Bytes of any value, and the letters the program reads.
                const char* alphabet = "OPXYMDKLC;:[] -0123456789\t";
                line += random.bounded(3) == 0 ? QChar(random.bounded(1, 256))
                                               : QChar::fromLatin1(alphabet[random.bounded(26)]);
            }
            noise << (random.bounded(4) == 0 ? kProgram[random.bounded(static_cast<int>(kProgram.size()))] : line);
        }
        if (f % 2 == 0) noise.prepend(QStringLiteral("[Program]"));
        files.push_back(noise);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        CHOXDoc* doc = NewDoc(2);
        {
            RecordedMessages messages;
            CHOXTextImporter importer(doc, files[i]);
            importer.SetParameters();
            importer.GenerateFlowCharts();
            // One closing message, whatever the file held, after the notice
            // of jumps put in.
            ASSERT_FALSE(messages.texts.isEmpty());
            const QString& last = messages.texts.back();
            EXPECT_TRUE(last.startsWith(Completed()) || last.endsWith(LoadStr(13487))) << last.toStdString();
            EXPECT_LE(messages.texts.size(), 2);
            EXPECT_TRUE(messages.texts.size() < 2 || messages.texts.front() == LoadStr(13623));
        }
        ExpectSavesAndLoads(doc);
        m_app->DestroyDocument();
    }
}

TEST_F(TextImportLimitsTest, AChartOfManyStatementsCostsInProportionToThem)
{
    if (!AllocationsCounted()) GTEST_SKIP() << "allocations are counted by the address sanitizer";
    // One label and then nothing but statements: the whole chart one block
    // of program text. What the import does for it is measured by the
    // bytes it allocates, which grow as the work does: four times the
    // statements must cost about four times as much, not sixteen.
    static const char* const kStatements[] = {"LD X0", "OUT Y1", "m05", "cod04 x10", "SET M9", "AND M100"};
    const auto bytesFor = [&](int statements) {
        QStringList lines{QStringLiteral("OX1")};
        for (int i = 0; i < statements; ++i) lines << QString::fromLatin1(kStatements[i % 6]);
        lines << QStringLiteral("m02");
        CHOXDoc* doc = NewDoc(1);
        g_allocatedBytes = 0;
        g_countAllocations = true;
        RecordedMessages messages;
        Import(doc, QStringLiteral("[Program]\n") + lines.join(u'\n'));
        g_countAllocations = false;
        EXPECT_EQ(ChartNames().size(), 1);
        m_app->DestroyDocument();
        return static_cast<double>(g_allocatedBytes.load());
    };
    const double small = bytesFor(1500);
    const double large = bytesFor(6000);
    EXPECT_LT(large / small, 6.0) << small << " bytes for 1500 statements, " << large << " for 6000";
}
