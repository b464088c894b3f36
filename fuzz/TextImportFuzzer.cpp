// The text import: the input is a text file, imported (parameters and
// program) into a new document of each controller type as File > Import Text
// does. Whatever the file holds, the document must save and reopen to the
// same archive; and where its charts convert, export, import and export must
// give the same text, or an import would not read back what the export
// writes.
#include "FuzzSupport.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "convert/HOXExport.h"
#include "convert/HOXTextImporter.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// The import into a new document of the type, on the program's monitor
// template as the command makes it.
CHOXDoc& Import(std::int32_t type, const QStringList& lines)
{
    CHOXApp& app = kt::fuzz::StartProgram();
    app.DestroyDocument();
    kt::fuzz::Settle();
    CHOXDoc* doc = app.CreateMonitorDocument();
    if (doc == nullptr) kt::fuzz::Fail("no document for the import");
    doc->SetControllerType(type);
    doc->OnNewDocument();
    CHOXTextImporter importer(doc, lines);
    importer.SetParameters();
    importer.GenerateFlowCharts();
    return *doc;
}

// The file text an export writes; none when the charts do not convert.
std::optional<QString> Export(CHOXDoc& doc)
{
    CHOXExport exporter(&doc);
    QString message;
    int severity = -1;
    CHOXSymbol* symbol = nullptr;
    if (!exporter.GenerateProgram(message, true, &severity, &symbol, false)) return std::nullopt;
    exporter.FormatParameters();
    return exporter.GetFileText();
}

void ExpectSavedAsLoaded(CHOXDoc& doc, std::int32_t type)
{
    const QByteArray first = kt::fuzz::Store(doc);
    CHOXDoc again;
    QString why;
    if (!kt::fuzz::Load(again, first, &why)) kt::fuzz::Fail("an imported document does not load", why);
    const QByteArray second = kt::fuzz::Store(again);
    if (second != first)
        kt::fuzz::Fail("an imported document saves and reopens to another archive",
                       QStringLiteral("type %1: ").arg(type) + kt::fuzz::FirstDifference(first, second));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    kt::fuzz::Initialise((*argv)[0]);
    kt::fuzz::StartProgram();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines =
        textfile::Decode(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (std::int32_t type : {0, 1, 2}) {
        CHOXDoc& imported = Import(type, lines);
        ExpectSavedAsLoaded(imported, type);
        const std::optional<QString> text = Export(imported);
        if (!text) continue;
        // The text goes through the file as the export writes it.
        CHOXDoc& again = Import(type, textfile::Decode(textfile::Encode(*text)));
        const std::optional<QString> second = Export(again);
        if (!second)
            kt::fuzz::Fail("the import of an export does not convert", QStringLiteral("type %1").arg(type));
        if (*second != *text)
            kt::fuzz::Fail("export, import and export give another text",
                           QStringLiteral("type %1: ").arg(type) + kt::fuzz::FirstLineDifference(*text, *second));
    }
    kt::fuzz::StartProgram().DestroyDocument();
    kt::fuzz::Settle();
    return 0;
}
