#pragma once
// The program's main window: menus, toolbars, status bar and bars, the port
// name, the remembered document directory, and the frame-level commands that
// make, reopen, rename and delete chart windows.
#include "platform/MDI.h"

#include "app/HOXBitmapButton.h"
#include "app/HOXDialogBar.h"
#include "app/HOXPaletteItem.h"
#include "app/HOXWorkspaceBar.h"
#include "chart/FrameHooks.h"
#include "platform/WordMap.h"

#include <QString>

#include <array>
#include <memory>

class CHOXFlowWnd;
class CHOXView;

class CMainFrame : public CMDIFrameWnd, public FrameHooks {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool OnClose() override;

    // The serial port name, "COM1" to "COM4".
    QString GetComPort() const { return m_szComPort; }
    void SetComPort(const QString& port) { m_szComPort = port; }
    // KZ-QW > Com Port: the port chosen (and tested) in "Select COM Port".
    void OnComPort();
    // KZ-QW > Read from DA-ZU: the open document goes (after its save
    // question), then the read ends in the document it finds or builds.
    void OnReadFromController();

    // Bars for each situation of the program.
    void ShowEditBars() override;
    void HideEditBars() override;
    void HideEditToolBars() override;
    // The symbol palette and the workspace bar.
    void ShowFlowChartBars();
    void ShowPaletteBars() override;
    void HidePaletteBars() override;
    void FillSymbolPalette();
    void SetConnectButtonState(bool pressed) override;
    void RebuildWorkspaceTree();
    void BuildWorkspaceTree();
    void ClearWorkspaceTree();

    // Chart windows.
    void CreateFlowChartWindow(const QString& name, const QString& description, int kind);
    // A hidden window outside the name list and the tree, for monitoring:
    // its record, or null when none was made (a chart of that name exists,
    // or the document holds as many windows as it may).
    CHOXFlowWnd* CreateHiddenFlowChartWindow(const QString& name);
    CHOXView* ReopenFlowChartWindow(const QString& name);
    bool WindowNameExists(const QString& name);

    // The open-file dialog in the remembered document directory; the chosen
    // path, or empty.
    QString PromptForFileName(const QString& initialName);
    void OnFileOpen();
    // File > Import Text without a document: opens the document the text
    // names when it still gives the same program, else builds a new one
    // from the text.
    void OnFileImportText();
    // The text file's readers. The line after "[HOX File Name]" (false when
    // there is none or it is empty).
    static bool ReadHoxFileName(const QString& textPath, QString& name);
    // The program lines after "[Program]" up to "[File Register]", without
    // their step and line numbers, each ending with a line feed (false
    // without "[Program]" or without lines).
    static bool ReadProgramSection(const QString& textPath, QString& text);
    // Whether the program numbers of the text fit the controller type; a
    // program with numbers of no axis on the two-axis type makes it the
    // interpolating type when switching is allowed. *hasProgram tells
    // whether the text holds program lines at all.
    static bool CheckProgramAxes(const QString& textPath, int* type, bool allowSwitching, bool* hasProgram);
    // Opens the document and compares its program with the text, blanks
    // aside: true leaves it open; false closes it again.
    bool MatchesHoxFile(const QString& documentPath, const QString& programText);
    static void RemoveSpaces(const QString& text, QString& out);
    // The line without the step and line number up to its first ":".
    static QString StripLineNumber(const QString& line);
    // The axis mark of a program number line: 'X', 'Y', 'P' (no axis
    // letter), 'S' (the subtask's, no mark), or 0 for another line.
    static char ParseProgramNumber(const QString& line);
    void OnNewFlowChart();
    void OnNewSubtask();
    void OnUpdateWindow();
    void OnDeleteWindow();

    // The zoom box of the standard toolbar.
    int GetZoomBoxSelection() const override;
    void SetZoomBoxSelection(int index) override;
    void SetStatusPaneText(int pane, const QString& text) override;
    // The document fills its panes (the steps in pane 2).
    void UpdateStatusPanes() override;
    // The text of the workspace tree's item last right-clicked.
    QString GetClickedItemText() const;
    // Clicks the tree's window item of that name as a right-click does.
    void SetClickedItemText(const QString& text);

    // Makes the remembered document directory current, or, when there is
    // none or it is gone, the default one.
    static void ChangeToFileDir();
    // Remembers the current directory as the document directory.
    static bool SetFileDir();
    // The directory used when none is remembered: the user's documents
    // folder, or the home folder when there is none.
    static QString DefaultFileDir();
    // Tests name the documents folder.
    static void SetDocumentsDirForTesting(const QString& dir);

    // The menu of the active child frame's kind (IDR_FLOWCHART or
    // IDR_MONITOR); IDR_MONITOR with a document but no active frame,
    // IDR_MAINFRAME without a document. Call when frames come, go or change
    // places.
    void SetMenuForActiveFrame();

protected:
    bool OnCreate() override;

private:
    QString m_szComPort = QStringLiteral("COM1");

    // -----------------------------------------------------------------------
    // The symbol palette: a group selector, one bar per group with eight
    // symbol buttons, and a tools bar with the scroll buttons, the slider and
    // the connect button.
public:
    using PaletteItemMap = WordMap<std::unique_ptr<CHOXPaletteItem>>;

    // The palette group shown last: 0 Flow, 1 Code, 2 Func.
    int m_nPaletteGroup = 0;

    // The buttons of the tools in slots 0 to 7 (caption, command id, slot).
    void AddFlowButton(const QString& caption, UINT id, int slot);
    void AddCodeButton(const QString& caption, UINT id, int slot);
    void AddFuncButton(const QString& caption, UINT id, int slot);
    void AddPaletteButton(int group, const QString& caption, UINT id, int slot);
    // Destroys the buttons of positions first to last, which sit in slots 0
    // upward.
    void DestroyFlowButtons(int first, int last);
    void DestroyCodeButtons(int first, int last);
    void DestroyFuncButtons(int first, int last);
    void DestroyPaletteButtons(int group, int first, int last);
    // Deletes every item of the three groups.
    void DeletePaletteItems();

    void ShowFlowGroup();
    void ShowCodeGroup();
    void ShowFuncGroup();
    // The group buttons ID_FLOW_GROUP, ID_CODE_GROUP and ID_FUNC_GROUP.
    void OnFlowGroup();
    void OnCodeGroup();
    void OnFuncGroup();
    // The palette's share of showing a new document's bars: the Flow group
    // with the selector and the tools bar.
    void ShowFlowChartPaletteBars();
    void DockPaletteBars();
    void DockPaletteBarsFloating();

    // The slider set for a group with its last position and first shown one.
    void SetPaletteSlider(int last, int first, bool redraw = true);
    // The slider of the tools bar moved.
    void OnPaletteVScroll(UINT code, int pos, CSliderCtrl* slider);
    // The help context at a screen point of the palette.
    int PaletteHelpHitTest(CPoint screen);
    int FlowHelpHitTest(int first, CPoint screen);
    int CodeHelpHitTest(int first, CPoint screen);
    int FuncHelpHitTest(int first, CPoint screen);

    // The first of the Flow, Code and Func groups whose bar is visible; -1
    // for none.
    int GetVisiblePaletteGroup() const;
    CHOXDialogBar& GetGroupBar() { return m_wndGroupBar; }
    CHOXDialogBar& GetToolsBar() { return m_wndToolsBar; }
    CHOXDialogBar& GetPaletteGroupBar(int group);
    const CHOXDialogBar& GetPaletteGroupBar(int group) const;
    CButton& GetSymbolButton(int group, int slot);
    CBitmapButton& GetGroupButton(int index) { return m_btnGroup[static_cast<std::size_t>(index)]; }
    CBitmapButton& GetScrollUpButton() { return m_btnUp; }
    CBitmapButton& GetScrollDownButton() { return m_btnDown; }
    CHOXBitmapButton& GetConnectButton() { return m_btnConnect; }
    // The slider of the tools bar, or null before the bar exists.
    CSliderCtrl* GetPaletteSlider() const;
    PaletteItemMap& GetPaletteItems(int group);

private:
    void RegisterPaletteCommands();
    bool CreatePaletteBars();
    bool CreateGroupBar();
    bool CreateToolsBar();
    void ShowPaletteGroup(int group);
    void OnPaletteGroup(int group);
    void SetGroupButtonStates(int pressed);
    void DockPaletteColumn(bool withWorkspace);

    // The bars go after their buttons (members go in reverse order).
    CHOXDialogBar m_wndGroupBar;
    CHOXDialogBar m_wndFlowBar;
    CHOXDialogBar m_wndFuncBar;
    CHOXDialogBar m_wndCodeBar;
    CHOXDialogBar m_wndToolsBar;
    PaletteItemMap m_mapFlowItems;
    PaletteItemMap m_mapCodeItems;
    PaletteItemMap m_mapFuncItems;
    CBitmapButton m_btnUp;
    CBitmapButton m_btnDown;
    CHOXBitmapButton m_btnConnect;
    std::array<CBitmapButton, 3> m_btnGroup;
    std::array<CButton, 8> m_btnFlow;
    std::array<CButton, 8> m_btnFunc;
    std::array<CButton, 8> m_btnCode;

    // -----------------------------------------------------------------------
    // The workspace bar with the tree of the document's windows.
public:
    CHOXWorkspaceBar* GetWorkspaceBar() const { return m_pWorkspaceBar.get(); }
    void GetWorkspaceFloatSize(CSize& size) const;
    void GetWorkspaceDockSize(CSize& size) const;
    // Command ID_ENTER_KEY: opens the tree's selected item while the
    // tree has the keyboard focus.
    void OnEnterKey();

private:
    std::unique_ptr<CHOXWorkspaceBar> m_pWorkspaceBar = std::make_unique<CHOXWorkspaceBar>();
};
