#include "platform/Help.h"

#include "platform/Messages.h"

#include <QFile>

namespace {
HelpViewer* g_viewer = nullptr;
const QString kContents = QStringLiteral(":/res/help/index.html");
} // namespace

void SetHelpViewer(HelpViewer* viewer) { g_viewer = viewer; }
HelpViewer* GetHelpViewer() { return g_viewer; }

QString HelpPageFor(UINT context)
{
    const QString path = QStringLiteral(":/res/help/%1.html").arg(context, 0, 16);
    return QFile::exists(path) ? path : QString();
}

void AfxWinHelp(UINT context)
{
    const QString page = HelpPageFor(context);
    if (page.isEmpty()) {
        AfxMessageBox(QStringLiteral("There is no help for this item (help context 0x%1).")
                          .arg(QString::number(context, 16).toUpper()),
                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (g_viewer != nullptr) g_viewer->ShowPage(page);
}

void AfxHelpContents()
{
    if (g_viewer != nullptr) g_viewer->ShowPage(kContents);
}
