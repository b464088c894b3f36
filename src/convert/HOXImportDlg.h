#pragma once
// The file dialog of a text import: which exported text file to read. It
// starts in the remembered document folder and shows text files first. The
// file must exist; a name typed without extension that names no file is
// tried with ".txt" and ".TXT" before it is refused.
#include "platform/FileDialog.h"

#include <QString>

class CHOXImportDlg {
public:
    CHOXImportDlg();

    // IDOK with an existing file chosen, IDCANCEL.
    int DoModal();
    // After IDOK: the chosen file's full path, and its name without folder.
    const QString& GetPathName() const { return m_strPathName; }
    QString GetFileName() const;

    // The existing file a chosen name stands for; empty when there is none.
    static QString ResolveName(const QString& chosen);
    // Asked before the dialog closes with a name: false (after the message)
    // keeps it open when the name stands for no file.
    bool OnFileNameOK(const QString& chosen);

    const FileDialogRequest& Request() const { return m_request; }

private:
    QString m_strTitle;
    FileDialogRequest m_request;
    QString m_strPathName;
};
