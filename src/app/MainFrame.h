#pragma once
// The program's main window: menus, toolbars, status bar and bars, the port
// name, the remembered document directory, and the frame-level commands that
// make, reopen, rename and delete chart windows.
#include "platform/MDI.h"

#include <QString>

class CHOXView;

class CMainFrame : public CMDIFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool OnClose() override;

    // The serial port name, "COM1" to "COM4".
    QString GetComPort() const { return m_szComPort; }
    void SetComPort(const QString& port) { m_szComPort = port; }

    // Bars for each situation of the program.
    void ShowEditBars();
    void HideEditBars();
    void HideEditToolBars();
    // The symbol palette and the workspace bar.
    void ShowFlowChartBars();
    void ShowPaletteBars();
    void HidePaletteBars();
    void FillSymbolPalette();
    void SetConnectButtonState(bool pressed);
    void RebuildWorkspaceTree();
    void BuildWorkspaceTree();
    void ClearWorkspaceTree();

    // Chart windows.
    void CreateFlowChartWindow(const QString& name, const QString& description, int kind);
    void CreateHiddenFlowChartWindow(const QString& name);
    CHOXView* ReopenFlowChartWindow(const QString& name);
    bool WindowNameExists(const QString& name);

    // The open-file dialog in the remembered document directory; the chosen
    // path, or empty.
    QString PromptForFileName(const QString& initialName);
    void OnFileOpen();
    void OnNewFlowChart();
    void OnNewSubtask();
    void OnUpdateWindow();
    void OnDeleteWindow();

    // The zoom box of the standard toolbar.
    int GetZoomBoxSelection() const;
    void SetZoomBoxSelection(int index);
    void SetStatusPaneText(int pane, const QString& text);
    // The text of the workspace tree's item last right-clicked.
    QString GetClickedItemText() const { return m_clickedItemText; }
    void SetClickedItemText(const QString& text) { m_clickedItemText = text; }

    // Makes the remembered document directory current (or the "PROG"
    // directory beside the program's, made when missing).
    static void ChangeToFileDir();
    // Remembers the current directory as the document directory.
    static bool SetFileDir();
    // The directory used when none is remembered.
    static QString DefaultFileDir();
    // Tests put the program's directory elsewhere.
    static void SetProgramDirForTesting(const QString& dir);

    // The menu of the active child frame's kind (1002 a flow chart, 1003 the
    // monitor window); 1003 with a document but no active frame, menu 2
    // without a document. Call when frames come, go or change places.
    void SetMenuForActiveFrame();

protected:
    bool OnCreate() override;

private:
    QString m_szComPort = QStringLiteral("COM1");
    QString m_clickedItemText;
};
