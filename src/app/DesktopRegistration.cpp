#include "app/DesktopRegistration.h"

#include "platform/Resources.h"
#include "platform/SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <vector>

namespace {

// A refresh that takes longer is left undone rather than hold up the start;
// the next start finds the database still stale and tries again.
constexpr int kToolTimeoutMs = 3000;

struct Item {
    QString path; // under the data folder
    QByteArray bytes;
    const char* unknown; // why the bytes may be missing
};

// The folders the desktop reads, and the database each one feeds.
struct Database {
    const char* tool;
    const char* folder; // the tool's argument, under the data folder
    const char* input;  // our file in it
    const char* cache;  // what the tool makes of the folder
};

const Database kDatabases[] = {
    {"update-mime-database", "mime", "mime/packages/kinetrace.xml", "mime/mime.cache"},
    {"update-desktop-database", "applications", "applications/kinetrace.desktop", "applications/mimeinfo.cache"},
};

std::vector<Item> Items(const QString& executable)
{
    // An entry without the program's path would start nothing.
    const QByteArray entry = executable.isEmpty() ? QByteArray() : desktopreg::DesktopEntry(executable);
    std::vector<Item> items{
        {QStringLiteral("applications/kinetrace.desktop"), entry, "the program's own path is unknown"},
        {QStringLiteral("mime/packages/kinetrace.xml"), desktopreg::MimePackage(), ""},
    };
    // The program and its documents show the same picture; the document's
    // is found by the type's name.
    const QString mimeIcon = QString::fromLatin1(desktopreg::kMimeType).replace(u'/', u'-');
    for (int size : {48, 256}) {
        const QByteArray png = NamedBitmapFile(QStringLiteral("PROGRAMICON%1").arg(size));
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/").arg(size);
        const char* unknown = "the program holds no picture for it";
        items.push_back({folder + QStringLiteral("apps/kinetrace.png"), png, unknown});
        items.push_back({folder + QStringLiteral("mimetypes/") + mimeIcon + QStringLiteral(".png"), png, unknown});
    }
    return items;
}

// At most one byte more than expected is read: the file is ours and small,
// unless something else has taken its name.
bool IsCurrent(const QString& path, const QByteArray& expected)
{
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(expected.size() + 1) == expected;
}

// Quoted as desktop entries quote an argument ('"', '`', '$' and '\' take a
// backslash), then escaped as their values are ('\' doubled once more, line
// ends written out), with '%' doubled so that it is no field code.
QString ExecArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    QString value = QStringLiteral("\"");
    for (const QChar c : quoted) {
        if (c == u'\\') {
            value += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            value += QStringLiteral("\\n");
        } else if (c == u'\r') {
            value += QStringLiteral("\\r");
        } else if (c == u'\t') {
            value += QStringLiteral("\\t");
        } else if (c == u'%') {
            value += QStringLiteral("%%");
        } else {
            value += c;
        }
    }
    return value + u'"';
}

void WriteItem(const QDir& data, const Item& item, desktopreg::Outcome& outcome)
{
    const QString path = data.filePath(item.path);
    if (item.bytes.isEmpty()) {
        outcome.failures.append(QStringLiteral("%1: %2").arg(path, QString::fromLatin1(item.unknown)));
        return;
    }
    if (IsCurrent(path, item.bytes)) return;
    const QString folder = QFileInfo(path).path();
    QString why;
    if (!QDir().mkpath(folder)) {
        outcome.failures.append(QStringLiteral("%1: cannot make the folder %2").arg(path, folder));
    } else if (!safefile::Write(path, item.bytes, &why)) {
        outcome.failures.append(QStringLiteral("%1: %2").arg(path, why));
    } else {
        outcome.written.append(path);
    }
}

// A database older than our file was made before it, or by a tool that was
// not installed then.
bool IsStale(const QDir& data, const Database& db)
{
    const QFileInfo input(data.filePath(QString::fromLatin1(db.input)));
    const QFileInfo cache(data.filePath(QString::fromLatin1(db.cache)));
    return input.isFile() && (!cache.exists() || cache.lastModified() < input.lastModified());
}

void Refresh(const QDir& data, const Database& db, const QStringList& toolFolders, desktopreg::Outcome& outcome)
{
    const QString name = QString::fromLatin1(db.tool);
    const QString tool = QStandardPaths::findExecutable(name, toolFolders);
    if (tool.isEmpty()) return; // the desktop does without, or another program refreshes it
    QProcess process;
    process.setProgram(tool);
    process.setArguments({data.filePath(QString::fromLatin1(db.folder))});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(kToolTimeoutMs)) {
        const bool started = process.state() != QProcess::NotRunning;
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
        outcome.failures.append(name + (started ? QStringLiteral(": did not finish in time")
                                                : QStringLiteral(": ") + process.errorString()));
        return;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        outcome.failures.append(QStringLiteral("%1: ended with %2").arg(name).arg(process.exitCode()));
        return;
    }
    outcome.refreshed.append(name);
}

} // namespace

namespace desktopreg {

QString UserDataFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QByteArray DesktopEntry(const QString& executable)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kinetrace\n"
                          "Comment=Flow charts for positioning controllers\n"
                          "Exec=%1 %f\n"
                          "Icon=kinetrace\n"
                          "Terminal=false\n"
                          "MimeType=%2;\n"
                          "Categories=Development;\n")
        .arg(ExecArgument(executable), QString::fromLatin1(kMimeType))
        .toUtf8();
}

QByteArray MimePackage()
{
    // Every compound file starts alike, so the name tells a document apart,
    // not its first bytes.
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                      "  <mime-type type=\"") +
           kMimeType +
           "\">\n"
           "    <comment>Hox Document</comment>\n"
           "    <sub-class-of type=\"application/x-ole-storage\"/>\n"
           "    <glob pattern=\"*.hox\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

Outcome Register(const Setup& setup)
{
    Outcome outcome;
    const QDir data(setup.dataFolder);
    for (const Item& item : Items(setup.executable)) WriteItem(data, item, outcome);
    for (const Database& db : kDatabases) {
        const QString input = data.filePath(QString::fromLatin1(db.input));
        if (outcome.written.contains(input) || IsStale(data, db)) Refresh(data, db, setup.toolFolders, outcome);
    }
    return outcome;
}

} // namespace desktopreg
