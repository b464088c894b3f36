// The seeds of the fuzz targets other than the document's (tests/data/fuzz,
// written by `scripts/fuzz.sh --seeds` from the every-symbol document of each
// controller type and from sessions with the simulated controller): each
// must still be what its target reads without a refusal, or the target would
// start its search from nothing. When one of these fails after a change of a
// format, the seeds are written anew.
#include "convert/ImportFixture.h"
#include "convert/RebuildFixture.h"

#include "LinkScript.h"
#include "app/HOXDoc.h"
#include "chart/HOXClipboard.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommPort.h"
#include "platform/Archive.h"
#include "platform/DragDrop.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace kt::test;

namespace {

const QString kSeeds = QStringLiteral(KT_TEST_DATA "/fuzz/");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program lines of an exported file, without blanks, in capitals, one
// under the other.
std::string ProgramLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    lines = lines.mid(lines.indexOf(QStringLiteral("[Program]")) + 1);
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines) line = line.remove(u' ').toUpper();
    return lines.join(u'\n').toStdString();
}

class SeedImportTest : public ImportFixture {};

} // namespace

TEST_F(SeedImportTest, EachTextFileImportsWithoutAnErrorAndExportsItsProgramAgain)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        const QByteArray bytes = ReadAll(kSeeds + QStringLiteral("text-import/type%1.txt").arg(type));
        ASSERT_FALSE(bytes.isEmpty());
        const QString seed = textfile::Decode(bytes).join(u'\n');
        if (Doc() != nullptr) m_app->DestroyDocument();
        CHOXDoc* doc = NewDoc(type);
        ASSERT_NE(doc, nullptr);
        const Run run = [&] {
            ScriptedMessages messages;
            messages.Expect(Completed(), kResultStyle, IDOK);
            return Import(doc, seed, true);
        }();
        EXPECT_FALSE(run.parameterError);
        EXPECT_FALSE(run.errorSymbols) << run.details.toStdString();
        EXPECT_EQ(run.jumpsBuilt, run.jumpsRead);
        CHOXExport exporter(doc);
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        ASSERT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false)) << message.toStdString();
        EXPECT_EQ(ProgramLines(exporter.GetFileText()), ProgramLines(seed));
    }
}

namespace {

class SeedRebuildTest : public RebuildFixture {};

} // namespace

// The type 0 program holds a conditional jump whose condition has a word
// after its ";", which the read takes for the start of the next statement:
// one block of program text comes in the error state, the rest as symbols.
TEST_F(SeedRebuildTest, EachProgramRebuildsIntoChartsThatConvertBackToIt)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        const QString program = QString::fromLatin1(ReadAll(kSeeds + QStringLiteral("rebuild/type%1.txt").arg(type)));
        ASSERT_FALSE(program.isEmpty());
        if (type != 0) {
            CheckRoundTrip(program, NormalLines(program), type);
            continue;
        }
        CHOXProgReader& rebuilt = Rebuild(program, type);
        EXPECT_FALSE(rebuilt.IsStopped());
        QStringList refused;
        for (const QString& line : Dump(rebuilt.GetDocument()))
            if (line.endsWith(QStringLiteral(" s2"))) refused << line;
        ASSERT_EQ(refused.size(), 1) << Lines(Dump(rebuilt.GetDocument()));
        EXPECT_TRUE(refused.front().contains(QStringLiteral("|START|OR X1;"))) << refused.front().toStdString();
        CloseDocument();
    }
}

// Each chart of the every-symbol documents as a block (its symbols, wires and
// nodes) and as a drag stream (its symbols): both read whole into a document
// of their type.
TEST(SeedTransferTest, EachBlockAndStreamReadsWhole)
{
    TempSettings settings;
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        CHOXDoc doc;
        CArchive in(ReadAll(kSeeds + QStringLiteral("archive/everything%1.bin").arg(type)));
        in.m_pDocument = &doc;
        ASSERT_NO_THROW(doc.Serialize(in));
        const QStringList charts = doc.GetWindowNameList();
        ASSERT_GE(charts.size(), 4);
        for (const QString& name : charts) {
            SCOPED_TRACE(name.toStdString());
            const CHOXFlowWnd* wnd = doc.FindWindowByName(name);
            ASSERT_NE(wnd, nullptr);
            const QString base =
                kSeeds + QStringLiteral("clipboard/type%1-%2").arg(type).arg(name.toLower().replace(u' ', u'-'));
            CHOXClipboard transfer(&doc);
            CHOXClipboard::Block block;
            ASSERT_NO_THROW(block = transfer.ReadBlock(ReadAll(base + QStringLiteral(".block"))));
            EXPECT_EQ(block.formatWord, CHOXClipboard::kFormatWord);
            EXPECT_EQ(block.sourceInstance, 1u);
            EXPECT_EQ(block.objects.size(), wnd->GetObjectMap().GetCount() + wnd->GetConnectMap().GetCount() +
                                                wnd->GetNodeMap().GetCount());
            const COleDataObject data({{CHOXClipboard::DragFormat(), ReadAll(base + QStringLiteral(".stream"))}});
            DrawObjList dropped;
            DrawObjList filtered;
            ASSERT_NO_THROW(EXPECT_TRUE(transfer.ReadObjects(dropped, data, CHOXClipboard::DragFormat(), &filtered)));
            EXPECT_EQ(dropped.size(), wnd->GetObjectMap().GetCount());
            EXPECT_TRUE(filtered.empty());
        }
    }
}

namespace {

class SeedLinkTest : public ::testing::Test {
protected:
    void TearDown() override { CCommPort::SetTransportMaker({}); }
    TempSettings m_settings;
};

} // namespace

// The recorded sessions played back: every call succeeds, keeps every
// promise of the library, and each request is answered at its first try.
TEST_F(SeedLinkTest, EachSessionPlaysBackWithoutAFailure)
{
    using namespace kt::fuzz::link;
    const QStringList sessions = QDir(kSeeds + QStringLiteral("link-reply")).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(sessions, (QStringList{QStringLiteral("monitor.bin"), QStringLiteral("read.bin"),
                                     QStringLiteral("write.bin")}));
    for (const QString& name : sessions) {
        SCOPED_TRACE(name.toStdString());
        Script script(ReadAll(kSeeds + QStringLiteral("link-reply/") + name));
        LineRecord record;
        CCommPort::SetTransportMaker([&](const CCommPortSettings& settings) {
            return std::make_unique<PlayedLine>(script, settings, record);
        });
        CCommPortSettings::Write(PortName(), LineSettings(script.U8()));
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(PortName()));
        int calls = 0;
        while (!script.AtEnd()) {
            const Call call = ReadCall(script);
            record.Clear();
            int code = -1;
            EXPECT_EQ(MakeCall(comm, call, &code).toStdString(), "") << "call " << calls;
            EXPECT_EQ(code, 0) << "call " << calls << ", operation " << call.op;
            EXPECT_EQ(CheckAttempts(call, record, script.Size()).toStdString(), "");
            for (std::size_t i = 1; i < record.requests.size(); ++i)
                EXPECT_NE(record.requests[i].seq, record.requests[i - 1].seq) << "call " << calls << " tried again";
            ++calls;
        }
        EXPECT_GE(calls, 5);
        EXPECT_EQ(0, comm.mfi_Close());
        CCommPort::SetTransportMaker({});
    }
}
