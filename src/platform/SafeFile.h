#pragma once
// Every file the program writes is written here: the bytes go to a temporary
// file beside the target, are forced to the disk, and only then does the
// temporary file take the target's name; the folder is synced so the rename
// survives a power cut. Whatever fails (a full disk, a read-only folder, a
// permission), the target keeps its old bytes and no temporary file is left.
#include <QByteArray>
#include <QString>

namespace safefile {

// False with *error set (if given) to the reason, e.g. "No space left on
// device".
bool Write(const QString& path, const QByteArray& bytes, QString* error);

// Tests only: every write after this many bytes of one file fails as a full
// disk does; a negative limit ends it.
void SetWriteLimitForTesting(qint64 bytes);

} // namespace safefile
