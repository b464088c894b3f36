#pragma once
// The seed inputs of the targets besides the document files (MakeSeeds.cpp):
// each written under the corpus folder, in the target's own folder.
#include <QByteArray>
#include <QDir>
#include <QString>

namespace kt::fuzz {

// From the tests' every-symbol document of each controller type: the
// document itself (document/everything<N>.hox, archive/everything<N>.bin),
// its export
// (text-import/type<N>.txt), its program text (rebuild/type<N>.txt) and
// each chart as a clipboard block and a drag stream
// (clipboard/type<N>-<chart>.block and .stream).
void WriteEverySymbolSeeds(const QDir& corpus);

// Sessions with the simulated controller, recorded as link scripts
// (link-reply/<session>.bin): a write, a read and a monitoring session.
void WriteLinkSeeds(const QDir& corpus);

// Writes the bytes in place of the file; the run fails when it cannot.
void WriteSeedFile(const QString& path, const QByteArray& bytes);

} // namespace kt::fuzz
