#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<qint64> g_writeLimit{-1};
constexpr qint64 kChunk = qint64(1) << 20;

void SetError(QString* error, const QString& text)
{
    if (error) *error = text;
}

QString Reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// fsync answers EINVAL or ENOTSUP on files and folders that cannot be synced
// (some virtual file systems); there is nothing to wait for then.
bool SyncFailed(int result)
{
    return result != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS;
}

// The rename is an entry of the folder: until the folder is on the disk, a
// power cut may bring back the old name.
void SyncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

namespace safefile {

void SetWriteLimitForTesting(qint64 bytes) { g_writeLimit = bytes; }

bool Write(const QString& path, const QByteArray& bytes, QString* error)
{
    // Unbuffered: with Qt's buffer a failed write reports success, and a
    // failed final flush does not stop the commit, so a full disk would put a
    // short file in place of the old one.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        SetError(error, out.errorString());
        return false;
    }
    const qint64 limit = g_writeLimit;
    for (qint64 done = 0; done < bytes.size();) {
        qint64 n = std::min(kChunk, bytes.size() - done);
        if (limit >= 0 && done + n > limit) n = std::max<qint64>(0, limit - done);
        const qint64 written = n > 0 ? out.write(bytes.constData() + done, n) : -1;
        if (written <= 0) {
            const QString reason = n > 0 ? out.errorString() : Reason(ENOSPC);
            out.cancelWriting();
            SetError(error, reason);
            return false;
        }
        done += written;
    }
    // Some file systems report a full disk only when the data reach it.
    if (SyncFailed(::fsync(out.handle()))) {
        const QString reason = Reason(errno);
        out.cancelWriting();
        SetError(error, reason);
        return false;
    }
    if (!out.commit()) {
        SetError(error, out.errorString());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

} // namespace safefile
