#pragma once
// A real, small file system for tests of what happens when the disk fills up:
// a tmpfs of a few dozen KiB mounted on a temporary folder. Mounting needs
// root; where it is refused, Ok() is false and the test skips.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kt::test {

class TinyDisk {
public:
    explicit TinyDisk(int kib)
    {
        if (!m_dir.isValid() || geteuid() != 0) return;
        const QByteArray options = "size=" + QByteArray::number(kib) + "k";
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~TinyDisk()
    {
        if (m_mounted) ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Ok() const { return m_mounted; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return m_dir.path(); }

    // Fills the disk with a file of its own until about `leave` bytes are
    // free.
    bool FillLeaving(qint64 leave)
    {
        QFile filler(Path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        const QByteArray block(1024, 'f');
        while (Free() > leave)
            if (filler.write(block) != block.size()) break;
        return true;
    }

    qint64 Free() const
    {
        struct statvfs s {};
        if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &s) != 0) return -1;
        return qint64(s.f_bavail) * qint64(s.f_frsize);
    }

    // The folder's files, the filler left out.
    QStringList Files() const
    {
        QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace kt::test
