#include "convert/HOXImportDlg.h"

#include "app/MainFrame.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

CHOXImportDlg::CHOXImportDlg() : m_strTitle(LoadStr(13489))
{
    CMainFrame::ChangeToFileDir();
    m_request.save = false;
    m_request.title = m_strTitle;
    m_request.directory = QDir::currentPath();
    m_request.filters = {QStringLiteral("Text files(*.txt)"), QStringLiteral("All Files(*.*)")};
    m_request.acceptText = LoadStr(13592);
    // The dialog itself would refuse "prog" before "prog.TXT" is tried.
    m_request.existenceByNameCheck = true;
    m_request.acceptName = [this](const QString& chosen) { return OnFileNameOK(chosen); };
}

int CHOXImportDlg::DoModal()
{
    const QString chosen = RunFileDialog(m_request);
    if (chosen.isEmpty()) return IDCANCEL;
    const QString resolved = ResolveName(chosen);
    if (resolved.isEmpty()) return IDCANCEL;
    m_strPathName = QFileInfo(resolved).absoluteFilePath();
    return IDOK;
}

QString CHOXImportDlg::GetFileName() const { return QFileInfo(m_strPathName).fileName(); }

QString CHOXImportDlg::ResolveName(const QString& chosen)
{
    if (chosen.isEmpty()) return {};
    if (QFileInfo(chosen).isFile()) return chosen;
    const qsizetype cut = std::max(chosen.lastIndexOf(u'/'), chosen.lastIndexOf(u'\\'));
    const QString name = chosen.mid(cut + 1);
    if (name.isEmpty() || name.contains(u'.')) return {};
    for (const QString& suffix : {QStringLiteral(".txt"), QStringLiteral(".TXT")})
        if (QFileInfo(chosen + suffix).isFile()) return chosen + suffix;
    return {};
}

bool CHOXImportDlg::OnFileNameOK(const QString& chosen)
{
    if (!ResolveName(chosen).isEmpty()) return true;
    AfxMessageBox(FormatStr(14002, {QFileInfo(chosen).fileName()}), MB_OK | MB_ICONEXCLAMATION);
    return false;
}
