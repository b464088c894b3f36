#pragma once
// ".hox" documents made known to the desktop at each start, so that a file
// manager shows them with our icon and opens them with this program: a
// desktop entry for the program, a shared-mime-info type for the documents
// and the icon, under the user's data folder (freedesktop.org layout). Only
// files that are missing or differ are written, so an ordinary start writes
// nothing; the desktop's databases are then refreshed by their own tools
// where those are installed. Nothing here may stop the program from starting.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace desktopreg {

inline constexpr char kMimeType[] = "application/x-kinetrace-hox";

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
QString UserDataFolder();

struct Setup {
    QString dataFolder;
    // The running program, which the desktop entry starts.
    QString executable;
    // Where the refresh tools are looked for; empty: the PATH.
    QStringList toolFolders;
};

struct Outcome {
    QStringList written;   // files written, new or replaced
    QStringList refreshed; // refresh tools run to their successful end
    QStringList failures;  // each names its file or tool and the reason
};

// The desktop entry that starts `executable` with the file to open.
QByteArray DesktopEntry(const QString& executable);
// The type of the documents: "*.hox", a compound file underneath.
QByteArray MimePackage();

// Brings the files under setup.dataFolder up to date and refreshes what
// depends on them. Each failure is recorded and the rest still done.
Outcome Register(const Setup& setup);

} // namespace desktopreg
