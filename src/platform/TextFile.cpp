#include "platform/TextFile.h"

#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kReadChunk = qint64(64) << 10;

void SetError(QString* error, const QString& text)
{
    if (error) *error = text;
}

// As the effective user sees it: a read-only file system counts as
// read-only too.
bool Writable(const QString& path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

// What stands in the way of writing the file, in the user's terms; empty
// when nothing is seen beforehand.
QString Obstacle(const QString& path)
{
    if (path.isEmpty()) return QStringLiteral("no file name is given");
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) return QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    if (!folder.isDir()) return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    if (target.isDir()) return QStringLiteral("it is a folder");
    if (target.exists() && !target.isFile()) return QStringLiteral("it is not a regular file");
    if (target.exists() && !Writable(path)) return QStringLiteral("the file is read-only");
    // The new bytes go to a file beside the target first.
    if (!Writable(folder.filePath())) return QStringLiteral("the folder %1 is read-only").arg(folder.filePath());
    return {};
}

// safefile's reason is the system's word for the last step that failed;
// the usual causes are named here in the user's terms instead.
QString WriteFailure(const QString& path, const QString& reason)
{
    const QString obstacle = Obstacle(path);
    return QStringLiteral("cannot write %1: %2").arg(path, obstacle.isEmpty() ? reason : obstacle);
}

QString TooLarge() { return QStringLiteral("it is larger than %1 MiB, too large for a text file").arg(textfile::kMaxReadBytes >> 20); }

} // namespace

namespace textfile {

QByteArray Encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + text.count(u'\n'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n') {
            if (i == 0 || text.at(i - 1) != u'\r') out.append('\r');
            out.append('\n');
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?'); // one character, though two code units
            ++i;
        } else if (c.unicode() > 0xFF) {
            out.append('?');
        } else {
            out.append(char(c.unicode()));
        }
    }
    return out;
}

QStringList Decode(const QByteArray& bytes)
{
    QStringList lines;
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', start);
        const qsizetype end = lf < 0 ? bytes.size() : lf;
        QByteArray line = bytes.mid(start, end - start);
        line.removeIf([](char c) { return c == '\r'; });
        lines.append(QString::fromLatin1(line));
        start = end + 1;
    }
    return lines;
}

bool CanWrite(const QString& path, QString* error)
{
    const QString obstacle = Obstacle(path);
    if (obstacle.isEmpty()) return true;
    SetError(error, QStringLiteral("cannot write %1: %2").arg(path, obstacle));
    return false;
}

bool Write(const QString& path, const QString& text, QString* error)
{
    QString reason;
    if (safefile::Write(path, Encode(text), &reason)) return true;
    SetError(error, WriteFailure(path, reason));
    return false;
}

std::optional<QStringList> Read(const QString& path, QString* error)
{
    const auto fail = [&](const QString& why) {
        SetError(error, QStringLiteral("cannot read %1: %2").arg(path, why));
        return std::nullopt;
    };
    // Told apart before opening: opening a pipe would wait for a writer.
    const QFileInfo info(path);
    if (!info.exists()) return fail(QStringLiteral("the file does not exist"));
    if (info.isDir()) return fail(QStringLiteral("it is a folder"));
    if (!info.isFile()) return fail(QStringLiteral("it is not a regular file"));
    if (info.size() > kMaxReadBytes) return fail(TooLarge());

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return fail(file.errorString());
    if (file.isSequential()) return fail(QStringLiteral("it is not a regular file"));
    // The size seen above may have grown since; the limit holds for what is
    // actually read.
    QByteArray bytes;
    QByteArray chunk(kReadChunk, '\0');
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) return fail(file.errorString());
        if (n == 0) break;
        if (bytes.size() + n > kMaxReadBytes) return fail(TooLarge());
        bytes.append(chunk.constData(), n);
    }
    return Decode(bytes);
}

} // namespace textfile
