#include "app/MainFrame.h"

#include "app/HOXApp.h"
#include "app/HOXRegistry.h"
#include "platform/Help.h"

#include <QCoreApplication>
#include <QDir>

CMainFrame::CMainFrame()
{
    OnCommand(57667, [] { AfxHelpContents(); }); // Help > Contents
    OnCommand(57671, [] { AfxHelpContents(); }); // default help
    OnCommand(57670, [] { AfxHelpContents(); }); // F1 without a chart: the contents
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCreate()
{
    // Both document panes of the status bar start empty.
    Host()->SetStatusText(1, QString());
    Host()->SetStatusText(2, QString());
    return true;
}

bool CMainFrame::OnClose()
{
    // From here on, closing the document really closes it.
    if (CHOXApp* app = CHOXApp::Get()) app->m_nClosingWanted = 1;
    return true;
}

namespace {
QString g_programDir;
}

void CMainFrame::SetProgramDirForTesting(const QString& dir) { g_programDir = dir; }

QString CMainFrame::DefaultFileDir()
{
    const QString programDir = g_programDir.isEmpty() ? QCoreApplication::applicationDirPath() : g_programDir;
    return QDir::cleanPath(programDir + QStringLiteral("/../PROG"));
}

void CMainFrame::ChangeToFileDir()
{
    QString dir = CHOXRegistry().ReadSerializeFileDir();
    const bool remembered = !dir.isEmpty();
    if (!remembered) dir = DefaultFileDir();
    if (QDir::setCurrent(dir)) return;
    // The remembered directory is gone (or the default is missing): the
    // default, made when needed.
    dir = DefaultFileDir();
    if (!remembered) QDir().mkpath(dir);
    if (QDir::setCurrent(dir)) return;
    QDir().mkpath(dir);
    QDir::setCurrent(dir);
}

bool CMainFrame::SetFileDir() { return CHOXRegistry().WriteString("SerializeFileDir", QDir::currentPath()); }

// ---------------------------------------------------------------------------
// Not built yet: the bars, chart windows and workspace commands.

void CMainFrame::ShowEditBars() {}
void CMainFrame::HideEditBars() {}
void CMainFrame::HideEditToolBars() {}
void CMainFrame::ShowFlowChartBars() {}
void CMainFrame::ShowPaletteBars() {}
void CMainFrame::HidePaletteBars() {}
void CMainFrame::FillSymbolPalette() {}
void CMainFrame::SetConnectButtonState(bool) {}
void CMainFrame::RebuildWorkspaceTree() {}
void CMainFrame::BuildWorkspaceTree() {}
void CMainFrame::ClearWorkspaceTree() {}
void CMainFrame::CreateFlowChartWindow(const QString&, const QString&, int) {}
void CMainFrame::CreateHiddenFlowChartWindow(const QString&) {}
CHOXView* CMainFrame::ReopenFlowChartWindow(const QString&) { return nullptr; }
bool CMainFrame::WindowNameExists(const QString&) { return false; }
QString CMainFrame::PromptForFileName(const QString&) { return {}; }
void CMainFrame::OnFileOpen() {}
void CMainFrame::OnNewFlowChart() {}
void CMainFrame::OnNewSubtask() {}
void CMainFrame::OnUpdateWindow() {}
void CMainFrame::OnDeleteWindow() {}
int CMainFrame::GetZoomBoxSelection() const { return Host() ? Host()->GetZoomBoxSelection() : -1; }
void CMainFrame::SetZoomBoxSelection(int index)
{
    if (Host()) Host()->SetZoomBoxSelection(index);
}
void CMainFrame::SetStatusPaneText(int pane, const QString& text)
{
    if (Host()) Host()->SetStatusText(pane, text);
}
