#include "online/HOXSelFileDlg.h"

#include "app/MainFrame.h"
#include "platform/FileDialog.h"

#include <QDir>
#include <QFileInfo>

CHOXSelFileDlg::CHOXSelFileDlg(CFrameWnd*) : CDialog(kTemplate) {}

bool CHOXSelFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Any other case keeps the template's lines, none of them enabled.
    if (m_nState < 0 || m_nState > 2) return true;
    const QString name = m_strFileName.toUpper();
    if (m_nFromController == 0)
        SetDlgItemText(kNoNameLine, QStringLiteral("No valid hox file name found in the Import text file."));
    SetDlgItemText(kNotFoundLine,
                   QStringLiteral("-") + name + QStringLiteral(" File is not found in the current directory."));
    m_strMessage =
        QStringLiteral("-") +
        (m_nFromController == 1 ? QStringLiteral("The contents of DA-ZU and the file named-")
                                : QStringLiteral("The contents of the Import text file and the file named-")) +
        name + QStringLiteral(" are not matching.\n");
    SetDlgItemText(kMismatchLine, m_strMessage);
    static constexpr int kLineOfCase[] = {kNoNameLine, kNotFoundLine, kMismatchLine};
    EnableDlgItem(kLineOfCase[m_nState]);
    return true;
}

void CHOXSelFileDlg::OnOK()
{
    CMainFrame::ChangeToFileDir();
    FileDialogRequest request;
    request.save = false;
    request.title = QStringLiteral("Select File");
    request.directory = QDir::currentPath();
    request.filters = {QStringLiteral("Hox Files (*.hox)")};
    request.defaultSuffix = QStringLiteral("hox");
    const QString chosen = RunFileDialog(request);
    if (chosen.isEmpty()) {
        m_strSelectedPath.clear();
        return;
    }
    m_strSelectedPath = QFileInfo(chosen).absoluteFilePath();
    EndDialog(IDOK);
}
