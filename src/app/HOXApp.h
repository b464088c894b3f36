#pragma once
// The application object: start-up, the main window's title and the flags
// the document and the frames consult.
#include "platform/WinApp.h"
#include "platform/WordMap.h"

#include <QStringList>

#include <cstdint>
#include <memory>

class CCmdUI;
class CDC;
class CHOXSystemIcon;
class CMainFrame;
class CHOXDoc;
class CMDIChildWnd;
class CMultiDocTemplate;
class CView;
class QImage;

class CHOXApp : public CWinApp {
public:
    CHOXApp();
    ~CHOXApp() override;

    static CHOXApp* Get();

    bool InitInstance() override;
    int ExitInstance() override;

    CMainFrame* MainFrame() const;
    // "RQT4P-VEDID-E - Untitled.hox"
    void SetMainTitleUntitled();
    // The product code, " - " and the file name of the path.
    void SetMainTitle(const QString& path);
    // The title for the open document: its file name, or the untitled form.
    void UpdateMainTitle();

    void OnFileNew();
    void OnAppExit();
    // Help > About: the program's name, version and controller link.
    void OnAppAbout();

    // Documents: one at a time, made on the monitor template; flow charts are
    // further frames of it, made with the flow-chart template.
    CMultiDocTemplate* GetMonitorTemplate() const { return m_pMonitorTemplate.get(); }
    CMultiDocTemplate* GetFlowTemplate() const { return m_pFlowTemplate.get(); }
    CHOXDoc* GetDocument() const { return m_pDocument.get(); }
    // Opens a file (closing the open document first); the document, or null.
    CHOXDoc* OpenDocumentFile(const QString& path);
    // The closing steps before another document or none: asks to save,
    // stops monitoring, closes. False when the user cancelled.
    bool CloseOpenDocument();
    // The document (there must be none yet) with its monitor frame, shown,
    // active and titled "Monitoring Window"; null when no frame could be
    // made.
    CHOXDoc* CreateMonitorDocument();
    // Destroys the document's frames and views, then the document (called
    // by the document when it really closes).
    void DestroyDocument();
    void OnFileClose();
    void OnCloseAll();
    void OnUpdateCloseAll(CCmdUI* ui);
    void OnUpdateWindowCascade(CCmdUI* ui);
    void OnUpdateWindowTile(CCmdUI* ui);
    int CountVisibleWindows() const;
    int GetFlowChartCount() const;
    // Chart frames are found through their window records, never by their
    // text alone: a chart may bear any name.
    void ShowWindowByTitle(const QString& title);
    void DestroyWindowByTitle(const QString& title);
    void ActivateMonitorFrame();
    // The frame that shows the view, or null.
    CMDIChildWnd* FrameOfView(const CView* view) const;
    // The text of the code; the detail, when given, says where the link
    // leads and why it failed. Needs no application object.
    static void ShowCommError(int code, const QString& detail = QString());
    // The eight most recent files, newest first, kept in the settings.
    static constexpr int kRecentFileCount = 8;
    void AddToRecentFileList(const QString& path);
    QStringList GetRecentFiles() const;
    // The commands of the recent-file list (kFirstRecentFileCommand and on):
    // the recent file of that place.
    void OnOpenRecentFile(UINT id);

    // Symbol pictures, by the exact symbol name.
    void LoadSymbolIcons();
    void AddIcon(const QString& name, std::unique_ptr<CHOXSystemIcon> icon);
    CHOXSystemIcon* LookupIcon(const QString& name) const;
    // The state's picture, or null when the name or the state has none.
    virtual const QImage* GetSymbolIcon(const QString& name, int state) const;
    // Draws the state's picture at x, y scaled with the device's mapping
    // (printing); false when the name has no pictures.
    bool DrawIcon(const QString& name, int state, CDC* pDC, int x, int y) const;
    std::size_t GetIconCount() const { return m_mapIcons.GetCount(); }

    // 1: File New asks for the controller type.
    std::int32_t m_nAskType = 1;
    // 1 until start-up has ended; File New does nothing meanwhile.
    std::int32_t m_nStarting = 1;
    // 1 while the document is really being closed.
    std::int32_t m_nClosingWanted = 0;
    // 1: the next chart frame opens at the top left of the client area.
    std::int32_t m_nFrameAtOrigin = 1;
    // Set by the last File Save.
    std::int32_t m_nLastSaveSucceeded = 1;

    // "/pt": the printer the command line prints to (driver and port are
    // not needed here); empty for any other start.
    const QString& GetCommandLinePrinter() const { return m_strPrinterName; }
    // The program's exit status when start-up ends it on purpose: a print
    // from the command line is one run, 0 when it printed or was cancelled.
    int GetStartupExitCode() const { return m_nStartupExitCode; }

private:
    // Opens the file as the new document on the monitor template; null
    // (after the document's own message) when it cannot be read.
    CHOXDoc* OpenDocumentOnTemplate(const QString& path);
    // A new document with its monitor frame, hidden until its initial
    // update; null (after the message) when the frame cannot be made.
    CMDIChildWnd* NewDocumentWithFrame();
    // The command line: opens a file named on it, or prints it ("/p file",
    // "/pt file printer driver port") and then ends the program (false).
    bool ProcessCommandLine();
    // The document's first flow view runs the direct print.
    void PrintFromCommandLine(const QString& file);
    void SetRecentFiles(const QStringList& paths);
    void ShowRecentFiles() const;

    StringMap<std::unique_ptr<CHOXSystemIcon>> m_mapIcons;
    std::unique_ptr<CMultiDocTemplate> m_pMonitorTemplate;
    std::unique_ptr<CMultiDocTemplate> m_pFlowTemplate;
    std::unique_ptr<CHOXDoc> m_pDocument;
    QString m_strPrinterName;
    int m_nStartupExitCode = 1;
};

// The part of a path after its last "/" or "\" (the whole path without one).
QString FileNameOfPath(const QString& path);
