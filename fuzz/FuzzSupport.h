#pragma once
// What the fuzz targets share: a Qt application on the offscreen platform,
// settings in a scratch folder, message boxes answered with their default
// button at once, and failures that end the run so libFuzzer keeps the input.
#include <QByteArray>
#include <QString>

class CHOXDoc;

namespace kt::fuzz {

// Once per process, from LLVMFuzzerInitialize (or a tool's main).
void Initialise(const char* program);

// A folder of this process for the files a target writes (on a RAM disk when
// there is one, since every input is written and read several times).
QString ScratchPath(const char* name);

// Prints what broke and aborts: libFuzzer reports it and saves the input.
[[noreturn]] void Fail(const char* what, const QString& detail = QString());

// The document's archive, as a save writes it.
QByteArray Store(CHOXDoc& doc);
// Reads the archive into the document; false with *why set when the archive
// is refused.
bool Load(CHOXDoc& doc, const QByteArray& bytes, QString* why);

// Where two byte strings part, with some bytes of each from there, in hex.
QString FirstDifference(const QByteArray& a, const QByteArray& b);

} // namespace kt::fuzz
