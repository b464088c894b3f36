// The seeds made from the tests' every-symbol document (Seeds.h).
#include "FuzzSupport.h"
#include "Seeds.h"

#include "app/HOXDoc.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXFlowWnd.h"
#include "convert/EverythingChart.h"
#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "platform/CompoundFile.h"
#include "platform/DragDrop.h"
#include "platform/TextFile.h"

#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace kt::fuzz {

namespace {

// The running copy the clipboard blocks name; the clipboard target takes it
// for its own, so that they can be cut pastes.
constexpr std::uint32_t kInstance = 1;

QString ChartFileName(std::int32_t type, const QString& chart)
{
    return QStringLiteral("clipboard/type%1-%2").arg(type).arg(chart.toLower().replace(u' ', u'-'));
}

void WriteChartTransfers(const QDir& corpus, CHOXDoc& doc, std::int32_t type)
{
    for (const QString& name : doc.GetWindowNameList()) {
        CHOXFlowWnd* wnd = doc.FindWindowByName(name);
        if (wnd == nullptr) continue;
        // A Select All: the symbols, then the wires and nodes among them.
        std::vector<CHOXDrawObj*> symbols;
        for (const auto& [id, object] : wnd->GetObjectMap()) symbols.push_back(object.get());
        std::vector<CHOXDrawObj*> all = symbols;
        for (const auto& [id, wire] : wnd->GetConnectMap()) all.push_back(wire.get());
        for (const auto& [id, node] : wnd->GetNodeMap()) all.push_back(node.get());
        const QString base = corpus.filePath(ChartFileName(type, name));
        WriteSeedFile(base + QStringLiteral(".block"), CHOXClipboard(nullptr).WriteBlock(kInstance, all));
        COleDataSource source;
        if (!CHOXClipboard(&doc).WriteObjects(symbols, source, CHOXClipboard::DragFormat()) || source.IsEmpty())
            Fail("a chart's drag stream cannot be written", name);
        WriteSeedFile(base + QStringLiteral(".stream"), source.GetBlocks().front().second);
    }
}

} // namespace

void WriteSeedFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Fail("cannot write", path + QStringLiteral(": ") + file.errorString());
}

void WriteEverySymbolSeeds(const QDir& corpus)
{
    for (const char* sub : {"text-import", "rebuild", "clipboard"})
        if (!corpus.mkpath(QString::fromLatin1(sub))) Fail("cannot make", corpus.filePath(QString::fromLatin1(sub)));
    for (std::int32_t type : {0, 1, 2}) {
        // The program's own save of the document it made, so that opening
        // and saving the seed gives the seed.
        QTemporaryDir scratch;
        const QString made = scratch.filePath(QStringLiteral("made.hox"));
        {
            CHOXDoc doc;
            kt::test::BuildEverything(doc, type);
            if (!doc.OnSaveDocument(made)) Fail("cannot save", doc.GetFileError());
        }
        CHOXDoc doc;
        if (!doc.OnOpenDocument(made)) Fail("cannot open", doc.GetFileError());
        const QString hox = corpus.filePath(QStringLiteral("document/everything%1.hox").arg(type));
        if (!doc.OnSaveDocument(hox)) Fail("cannot save", doc.GetFileError());
        const auto file = CompoundFile::Open(hox, nullptr);
        if (!file) Fail("cannot reopen", hox);
        WriteSeedFile(corpus.filePath(QStringLiteral("archive/everything%1.bin").arg(type)), file->Contents());

        CHOXExport exporter(&doc);
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        if (!exporter.GenerateProgram(message, true, &severity, &symbol, false))
            Fail("the every-symbol document does not convert", message);
        exporter.FormatParameters();
        WriteSeedFile(corpus.filePath(QStringLiteral("text-import/type%1.txt").arg(type)),
                      textfile::Encode(exporter.GetFileText()));
        const QString program = CHOXProgReader::GenerateDocumentProgram(&doc);
        if (program.isEmpty()) Fail("the every-symbol document has no program");
        WriteSeedFile(corpus.filePath(QStringLiteral("rebuild/type%1.txt").arg(type)), program.toLatin1());

        WriteChartTransfers(corpus, doc, type);
        std::printf("every symbol, type %d: %s, its export, program and %lld charts\n", type, qPrintable(hox),
                    static_cast<long long>(doc.GetWindowNameList().size()));
    }
}

} // namespace kt::fuzz
