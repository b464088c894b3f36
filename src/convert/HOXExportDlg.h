#pragma once
// The file dialog of an export: where the text file goes. It starts in the
// remembered document folder, shows text files, and asks before it
// overwrites a file or makes a new one; a name without extension gets
// ".txt".
#include "platform/FileDialog.h"

#include <QString>

class CHOXExportDlg {
public:
    CHOXExportDlg();

    // IDOK with a name chosen, IDCANCEL.
    int DoModal();
    // The file to write, after IDOK.
    const QString& GetPathName() const { return m_strPathName; }

    // The file a chosen path names: ".txt" added when its name has no
    // extension.
    static QString FullName(const QString& chosen);
    // Asked before the dialog closes with a name: whether to overwrite the
    // file, or to make it when there is none. False keeps the dialog open.
    bool OnFileNameOK(const QString& chosen);

    const FileDialogRequest& Request() const { return m_request; }

private:
    QString m_strTitle;
    FileDialogRequest m_request;
    QString m_strPathName;
};
