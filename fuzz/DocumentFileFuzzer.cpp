// The whole file path: the input is written as a ".hox" file and opened as a
// document, compound file and all. Refusals are fine; a crash, leak or
// undefined behaviour is not. A document that opens must save, and what it
// saved must open and save again to the same file.
#include "FuzzSupport.h"

#include "app/HOXDoc.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

void WriteInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        kt::fuzz::Fail("cannot write the input file", file.errorString());
}

QByteArray ReadBack(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) kt::fuzz::Fail("a saved file is not there", file.errorString());
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    kt::fuzz::Initialise((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString input = kt::fuzz::ScratchPath("input.hox");
    static const QString first = kt::fuzz::ScratchPath("first.hox");
    static const QString second = kt::fuzz::ScratchPath("second.hox");
    WriteInput(input, data, size);

    CHOXDoc doc;
    if (!doc.OnOpenDocument(input)) return 0;
    if (!doc.OnSaveDocument(first)) kt::fuzz::Fail("an opened document does not save", doc.GetFileError());

    CHOXDoc again;
    if (!again.OnOpenDocument(first)) kt::fuzz::Fail("a saved document does not open", again.GetFileError());
    if (!again.OnSaveDocument(second)) kt::fuzz::Fail("a reopened document does not save", again.GetFileError());
    const QByteArray firstBytes = ReadBack(first);
    const QByteArray secondBytes = ReadBack(second);
    if (secondBytes != firstBytes)
        kt::fuzz::Fail("open, save, open and save give another file",
                       kt::fuzz::FirstDifference(firstBytes, secondBytes));
    return 0;
}
