#include "platform/Help.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <map>

namespace {
HelpViewer* g_viewer = nullptr;
const QString kFolder = QStringLiteral(":/res/help");
const QString kContents = QStringLiteral(":/res/help/index.html");

// Contexts that have no page of their own but an anchor on a page that
// gathers several, found once in the pages themselves.
const std::map<UINT, QString>& AnchoredContexts()
{
    static const std::map<UINT, QString> anchors = [] {
        std::map<UINT, QString> found;
        const QRegularExpression name(QStringLiteral("<a\\s+name=\"([0-9a-f]+)\""));
        QDirIterator pages(kFolder, {QStringLiteral("*.html")}, QDir::Files);
        while (pages.hasNext()) {
            const QString path = pages.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch& m : name.globalMatch(text)) {
                bool ok = false;
                const UINT context = m.captured(1).toUInt(&ok, 16);
                if (ok) found.emplace(context, path + u'#' + m.captured(1));
            }
        }
        return found;
    }();
    return anchors;
}
} // namespace

void SetHelpViewer(HelpViewer* viewer) { g_viewer = viewer; }
HelpViewer* GetHelpViewer() { return g_viewer; }

QString HelpPageFor(UINT context)
{
    const QString path = QStringLiteral("%1/%2.html").arg(kFolder).arg(context, 0, 16);
    if (QFile::exists(path)) return path;
    const auto& anchors = AnchoredContexts();
    const auto it = anchors.find(context);
    return it != anchors.end() ? it->second : QString();
}

QString HelpContentsPage() { return kContents; }

QString HelpPageOrFallback(UINT context, UINT windowContext)
{
    QString page = HelpPageFor(context);
    if (page.isEmpty() && windowContext != 0) page = HelpPageFor(windowContext);
    return page.isEmpty() ? kContents : page;
}

void AfxWinHelp(UINT context, UINT windowContext)
{
    if (g_viewer != nullptr) g_viewer->ShowPage(HelpPageOrFallback(context, windowContext));
}

void AfxHelpContents()
{
    if (g_viewer != nullptr) g_viewer->ShowPage(kContents);
}
