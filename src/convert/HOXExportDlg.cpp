#include "convert/HOXExportDlg.h"

#include "app/MainFrame.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <QDir>
#include <QFileInfo>

CHOXExportDlg::CHOXExportDlg() : m_strTitle(LoadStr(13488))
{
    CMainFrame::ChangeToFileDir();
    m_request.save = true;
    m_request.title = m_strTitle;
    m_request.directory = QDir::currentPath();
    m_request.filters = {QStringLiteral("Text files(*.txt)"), QStringLiteral(" All Files(*.*)")};
    // The dialog's own question would come before the name gets its
    // extension; OnFileNameOK asks instead.
    m_request.confirmOverwrite = false;
    m_request.acceptText = LoadStr(13593);
    m_request.acceptName = [this](const QString& chosen) { return OnFileNameOK(chosen); };
}

int CHOXExportDlg::DoModal()
{
    const QString chosen = RunFileDialog(m_request);
    if (chosen.isEmpty()) return IDCANCEL;
    m_strPathName = FullName(chosen);
    return IDOK;
}

QString CHOXExportDlg::FullName(const QString& chosen)
{
    const qsizetype cut = std::max(chosen.lastIndexOf(u'/'), chosen.lastIndexOf(u'\\'));
    const QString name = chosen.mid(cut + 1);
    if (name.endsWith(u'.')) return chosen + QStringLiteral("txt");
    return name.contains(u'.') ? chosen : chosen + QStringLiteral(".txt");
}

bool CHOXExportDlg::OnFileNameOK(const QString& chosen)
{
    const QString full = FullName(chosen);
    if (QFileInfo::exists(full)) return AfxMessageBox(FormatStr(13538, {full}), MB_YESNO | MB_DEFBUTTON2) == IDYES;
    return AfxMessageBox(FormatStr(13873, {full}), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
