// The archive reader: the input is a document's "Contents" stream, read into
// a new document as opening a file does. Refusals are fine; a crash, leak or
// undefined behaviour is not. A document that loads must store, load and
// store again to the same bytes, or a save would change what it reopens.
#include "FuzzSupport.h"

#include "app/HOXDoc.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    kt::fuzz::Initialise((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString why;
    CHOXDoc doc;
    if (!kt::fuzz::Load(doc, input, &why)) return 0;

    const QByteArray first = kt::fuzz::Store(doc);
    CHOXDoc again;
    if (!kt::fuzz::Load(again, first, &why)) kt::fuzz::Fail("a stored document does not load", why);
    const QByteArray second = kt::fuzz::Store(again);
    if (second != first)
        kt::fuzz::Fail("store, load and store give other bytes", kt::fuzz::FirstDifference(first, second));
    return 0;
}
