#pragma once
// File dialogs for documents and text files. The application shows real
// dialogs; the tests answer from a script.
#include <QString>
#include <QStringList>

#include <functional>

struct FileDialogRequest {
    bool save = false;          // a save dialog (else an open dialog)
    QString title;              // empty: the usual "Open" / "Save As"
    QString initialName;        // file name proposed
    QString directory;          // where the dialog starts (the current directory when empty)
    QStringList filters;        // "Hox Files (*.hox)", "All Files (*.*)"
    QString defaultSuffix;      // "hox": added when the user types none
    bool confirmOverwrite = true;
    QString acceptText;         // the accept button's text; empty: the usual
    // Open dialogs refuse a name that names no file themselves, unless the
    // request's name check decides that: it may try other names first and
    // tells the user itself.
    bool existenceByNameCheck = false;
    // Asked with the chosen path once the dialog's own checks took it: false
    // keeps the dialog open (the check has told the user why). Null: every
    // name is taken.
    std::function<bool(const QString& path)> acceptName;
};

class FileDialogRunner {
public:
    virtual ~FileDialogRunner() = default;
    // The chosen full path, or empty when the user cancelled.
    virtual QString Run(const FileDialogRequest& request) = 0;
};

void SetFileDialogRunner(FileDialogRunner* runner);
FileDialogRunner* GetFileDialogRunner();
// Runs the installed dialog; empty (cancelled) when none is installed.
QString RunFileDialog(const FileDialogRequest& request);
