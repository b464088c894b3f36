// The application's documents and their frames (being built).
#include "app/HOXApp.h"

#include "app/HOXDoc.h"
#include "platform/MDI.h"

CHOXDoc* CHOXApp::OpenDocumentFile(const QString&) { return nullptr; }
bool CHOXApp::CloseOpenDocument() { return true; }
void CHOXApp::OnFileClose() {}
void CHOXApp::OnCloseAll() {}
int CHOXApp::CountVisibleWindows() const { return 0; }
int CHOXApp::GetFlowChartCount() const { return 0; }
void CHOXApp::ShowWindowByTitle(const QString&) {}
void CHOXApp::DestroyWindowByTitle(const QString&) {}
void CHOXApp::ActivateMonitorFrame() {}
CMDIChildWnd* CHOXApp::FrameOfView(const CView*) const { return nullptr; }
void CHOXApp::ShowCommError(int) {}
void CHOXApp::AddToRecentFileList(const QString&) {}
QStringList CHOXApp::GetRecentFiles() const { return {}; }
