#pragma once
// The main window of the program: hosts a frame's title, menu bar, toolbars
// and status bar, and forwards closing to the frame's logic.
#include "platform/MDI.h"

#include <QMainWindow>
#include <QStringList>

#include <map>
#include <set>
#include <vector>

class QComboBox;
class QLabel;
class QMdiArea;
class QTimer;
class QToolBar;

class QtFrameWindow : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    explicit QtFrameWindow(CFrameWnd& frame);
    ~QtFrameWindow() override;

    void SetTitle(const QString& title) override;
    QString Title() const override;
    void Show(int showCommand) override;
    bool IsVisible() const override;
    bool IsMaximized() const override;
    bool IsMinimized() const override;
    CRect GetClientAreaRect() const override;
    void SetMenu(UINT menuId) override;
    void EnableMenuItem(int position, bool enable) override;
    bool IsMenuItemEnabled(int position) const override;
    void SetAcceptDrops(bool accept) override;
    void SetStatusText(int pane, const QString& text) override;
    QString StatusText(int pane) const override;
    void UpdateCommandStates() override;
    void Close() override;
    void EnableWindow(bool enable) override;
    bool IsWindowEnabled() const override { return m_enabled; }
    std::unique_ptr<ChildFrameHost> CreateChildHost(CMDIChildWnd& child) override;
    void DeactivateChildren() override;
    void BeginChildBatch() override;
    void EndChildBatch() override;
    void CascadeChildren() override;
    void TileChildren() override;

    void AddToolBar(const ToolbarResource& bar, bool visible) override;
    void ShowToolBar(UINT id, bool show) override;
    bool IsToolBarVisible(UINT id) const override;
    void ShowStatusBar(bool show) override;
    bool IsStatusBarVisible() const override;
    void SetZoomBoxSelection(int index) override;
    int GetZoomBoxSelection() const override;
    void EnableZoomBox(bool enable) override;
    bool IsZoomBoxEnabled() const override;
    void SetRecentFiles(const QStringList& paths) override;
    void SetWaitCursor(bool wait) override;
    void EnterContextHelp() override;
    std::unique_ptr<DockBarHost> CreateTreeBar(DockBarClient& client, CTreeCtrl& tree, UINT barId, int treeId,
                                               const QString& title) override;
    std::unique_ptr<BarHost> CreateBarHost(CDialogBar& bar) override;

    QMdiArea* MdiArea() const { return m_mdiArea; }
    UINT MenuId() const { return m_menuId; }
    QToolBar* ToolBar(UINT id) const;
    QComboBox* ZoomBox() const { return m_zoomBox; }

    struct ToolBarPlace {
        UINT id;
        int width;
        bool visible;
    };
    // Where the toolbars go, in the order they were added: the first one
    // starts the top row; each later visible one stays in that row while the
    // toolbars up to and including it are narrower together than the frame's
    // right edge, else it gets a row of its own below, the later-added bars'
    // rows above the earlier ones'. Rows of ids, top to bottom; hidden
    // toolbars stay in the top row.
    static std::vector<std::vector<UINT>> ToolBarRows(const std::vector<ToolBarPlace>& bars, int frameRight);
    // Lays the toolbars out by that rule for the present widths.
    void ArrangeToolBars();

protected:
    // The zoom box's tip comes from the frame when it is shown.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The toolbars are the program's to show and hide, not a menu's.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    QComboBox* MakeZoomBox(QToolBar* bar, UINT command, int width);
    // The grayed top-level items onto a menu bar just filled.
    void ApplyGrayedMenuItems();

    CFrameWnd& m_frame;
    std::vector<QLabel*> m_panes;
    QTimer* m_idle = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    UINT m_menuId = 0;
    QStringList m_recentFiles;
    // Toolbars by resource id, in the order they were added.
    std::vector<std::pair<UINT, QToolBar*>> m_toolBars;
    QComboBox* m_zoomBox = nullptr;
    UINT m_zoomCommand = 0;
    std::vector<std::vector<UINT>> m_rows;
    bool m_waitCursor = false;
    bool m_arranging = false;
    bool m_enabled = true;
    std::set<int> m_grayedMenuItems;
};

class QtWindowFactory : public WindowFactory {
public:
    std::unique_ptr<FrameHost> CreateMainFrameHost(CFrameWnd& frame) override;
};
