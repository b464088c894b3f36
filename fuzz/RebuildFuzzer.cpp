// The rebuild of flow charts from the program a controller sends back: the
// input is that program's text (Latin-1, as the read gives it), cut into
// statements as the read cuts it and rebuilt into a new document of each
// controller type. The charts must store and load the same; and where they
// convert, their program must rebuild into charts that convert to the same
// program again.
#include "FuzzSupport.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "convert/HOXProgReader.h"

#include <cstddef>
#include <cstdint>

namespace {

// Rebuilds the text into a new document of the type, as a read does, and
// answers the document's program (empty when its charts do not convert).
QString Rebuild(std::int32_t type, const QString& text)
{
    CHOXApp& app = kt::fuzz::StartProgram();
    app.DestroyDocument();
    kt::fuzz::Settle();
    CHOXDoc* doc = app.CreateMonitorDocument();
    if (doc == nullptr) kt::fuzz::Fail("no document for the rebuild");
    doc->SetControllerType(type);
    {
        CHOXProgReader reader(doc);
        reader.SetControllerType(type);
        reader.ResetJumpCounts();
        reader.SplitStatements(text);
        reader.GenerateFlowCharts();
    }
    {
        const QByteArray first = kt::fuzz::Store(*doc);
        CHOXDoc again;
        QString why;
        if (!kt::fuzz::Load(again, first, &why)) kt::fuzz::Fail("rebuilt charts do not load", why);
        const QByteArray second = kt::fuzz::Store(again);
        if (second != first)
            kt::fuzz::Fail("rebuilt charts store, load and store to other bytes",
                           QStringLiteral("type %1: ").arg(type) + kt::fuzz::FirstDifference(first, second));
    }
    return CHOXProgReader::GenerateDocumentProgram(doc);
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
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (std::int32_t type : {0, 1, 2}) {
        const QString program = Rebuild(type, text);
        if (program.isEmpty()) continue;
        const QString again = Rebuild(type, program);
        if (again != program)
            kt::fuzz::Fail("a rebuilt program rebuilds into another program",
                           QStringLiteral("type %1: ").arg(type) + kt::fuzz::FirstLineDifference(program, again));
    }
    kt::fuzz::StartProgram().DestroyDocument();
    kt::fuzz::Settle();
    return 0;
}
