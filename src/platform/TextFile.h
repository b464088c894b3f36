#pragma once
// The program's text files (exported programs, listings, parameter text):
// 8-bit Latin-1 text whose lines end with CR LF, as the controller's tools
// and editors on the engineer's desk expect. Written through safefile, so a
// failed write keeps the old file and leaves nothing half-written; read whole
// into lines, since the readers hand lines out again and again.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace textfile {

// No text file of the program comes near this; anything larger is some other
// file, and reading it whole would only exhaust the memory.
constexpr qint64 kMaxReadBytes = qint64(16) << 20;

// The program builds its texts with "\n" at each line end; each becomes CR LF
// (a CR already standing before the "\n" is not doubled). A character outside
// Latin-1 cannot be held by the file and is written as one "?", so a name or
// comment typed with such characters still exports, only that character lost.
QByteArray Encode(const QString& text);

// The lines of the bytes: split at each LF, every CR dropped (a CR inside a
// line too, as text mode does), each byte one Latin-1 character. A last line
// without its LF still counts; an empty input has no lines.
QStringList Decode(const QByteArray& bytes);

// Whether the file can be written at all, asked before the text is made:
// false with *error set (if given) as Write sets it when the folder is
// missing or read-only, the file read-only, a folder or no regular file.
// Nothing is created.
bool CanWrite(const QString& path, QString* error);

// Writes Encode(text) in place of the file at `path`. False with *error set
// (if given) to a sentence naming the file and the reason: a missing folder,
// a read-only file or folder, a full disk, ...
bool Write(const QString& path, const QString& text, QString* error);

// The file's lines (Decode). Null with *error set (if given) when the file is
// missing, is a folder or no regular file, cannot be read, or is larger than
// kMaxReadBytes.
std::optional<QStringList> Read(const QString& path, QString* error);

} // namespace textfile
