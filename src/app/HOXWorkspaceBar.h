#pragma once
// The workspace bar: the tree of the document's windows at the main window's
// left edge. A fixed skeleton of labels (the monitor window, the parameter
// pages, the flow-chart group) and one item per chart window under
// "Flow Chart". Double-click and Enter open what an item names; its menu
// offers the window commands, which the main frame carries out.
//
// Every item keeps what it stands for beside its text: a chart may bear the
// text of a label ("Monitoring", "System", "Subtask"), so the rules ask what
// an item is, never only what it reads.
#include "platform/DockBar.h"
#include "platform/Help.h"
#include "platform/TreeCtrl.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class CFrameWnd;
class CHOXDoc;

class CHOXWorkspaceBar : public DockBarClient {
public:
    // What an item stands for.
    enum class ItemKind : std::uintptr_t {
        None = 0, // not an item of the tree
        Root,
        Monitoring,
        Parameter,
        Positioning,
        Units,
        MachineZero,
        Speed,
        Settings,
        IoControl,
        ProgramNumber,
        Mcode,
        Pulser,
        AbsPosition,
        Others,
        SystemGroup, // "System" under "Parameter"
        System,      // "System" under that group: the system parameters
        Subtask,     // the subtask parameters, under the system group
        FlowCharts,
        Window, // a chart window, under "Flow Chart"
    };

    // What opening an item (double-click or Enter) does.
    enum class OpenAction {
        None,
        ActivateMonitor,
        ShowWindow,
        EditParameters, // the item's parameter page
        ToggleExpansion,
    };

    // The entries the item's menu enables; no menu without show.
    struct MenuState {
        bool show = false;
        bool newFlowChart = false;
        bool newSubtask = false;
        bool update = false;
        bool remove = false;
        bool operator==(const MenuState&) const = default;
    };

    static constexpr UINT kBarId = 2003;
    static constexpr int kTreeId = 8004;
    static constexpr UINT kHelpContext = HID_BASE_RESOURCE + kBarId;
    // Pictures of the items: folders closed and open, and a chart window.
    static constexpr int kImageClosed = 0;
    static constexpr int kImageOpen = 1;
    static constexpr int kImageWindow = 2;

    CHOXWorkspaceBar();
    ~CHOXWorkspaceBar() override;
    CHOXWorkspaceBar(const CHOXWorkspaceBar&) = delete;
    CHOXWorkspaceBar& operator=(const CHOXWorkspaceBar&) = delete;

    // Makes the bar's window at the owner's left edge, hidden, titled
    // "Workspace"; false when the owner's window cannot hold one.
    bool Create(CFrameWnd* owner);
    bool HasWindow() const { return m_host != nullptr; }
    DockBarHost* GetHost() const { return m_host.get(); }

    // The tree.
    // The skeleton, in place of whatever the tree held.
    void BuildTree();
    // A chart window's item, last under the top-level label group.
    void AddWindowItem(const QString& name, const QString& group);
    void DeleteAllItems();
    QString GetClickedItemText() const;
    // Makes the window item of that name the clicked and selected item, as a
    // right-click on it does; with no such item nothing is clicked, and the
    // text stands in for the clicked item's.
    void SetClickedItemText(const QString& text);
    // The selected item's text, when it is a window item.
    void SetSelectedItemText(const QString& text);
    // Deletes the selected item, when it is a window item.
    void DeleteSelectedItem();
    // Enter.
    void OpenSelectedItem();

    // What the user does in the tree.
    void OnContextMenu(HTREEITEM hit, CPoint screen);
    void OnDblClkTree(HTREEITEM hit);
    void OnItemExpanded(HTREEITEM item, UINT action);
    void OnHelpHitTest() override;

    // The rules.
    ItemKind GetItemKind(HTREEITEM item) const;
    bool IsSubtaskWindowItem(HTREEITEM item) const;
    MenuState GetMenuState(HTREEITEM item) const;
    OpenAction GetOpenAction(HTREEITEM item, bool enterKey) const;
    // The item of a kind, for the labels of the skeleton (the first one for
    // windows); 0 when the tree has none.
    HTREEITEM FindItem(ItemKind kind) const;
    // The window item of that name (exact); 0 when there is none.
    HTREEITEM FindWindowItem(const QString& name) const;
    // The names of the window items, in order.
    QStringList GetWindowItemNames() const;

    CTreeCtrl& GetTreeCtrl() { return m_wndTree; }
    const CTreeCtrl& GetTreeCtrl() const { return m_wndTree; }
    HTREEITEM GetClickedItem() const { return m_hClickedItem; }
    const std::vector<QImage>& GetImageList() const { return m_imageList; }

    // Showing and docking.
    void ShowWindow(int showCommand);
    bool IsWindowVisible() const;
    bool IsFloating() const;
    // Docks the bar at the left edge above the palette bars.
    void DockLeft();
    void EnableCustomDocking();
    bool IsCustomDockingEnabled() const { return m_bCustomDocking; }

    // Sizes, in pixels.
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    CSize CalcFixedLayout(bool stretch, bool horizontal);
    CSize CalcLayout(DWORD mode, int length);
    CSize CalcSize(int length, bool lengthIsHeight);
    CSize GetDockedSize() const { return m_sizeDocked; }
    CSize GetFloatingSize() const { return m_sizeFloating; }
    // The size the bar has now.
    CSize GetCurrentSize() const { return m_sizeDefault; }

private:
    HTREEITEM InsertLabel(const QString& text, ItemKind kind, HTREEITEM parent);
    CHOXDoc* Document() const;
    void Open(HTREEITEM item, bool enterKey);
    // Runs the parameter dialog of a parameter item on the document's set.
    void EditParameters(ItemKind kind);
    void SetExpandedImage(HTREEITEM item, bool expanded);

    // The tree goes after its window (members go in reverse order).
    HTREEITEM m_hClickedItem = 0;
    QString m_strClickedText; // stands in while no item is clicked
    CTreeCtrl m_wndTree;
    std::vector<QImage> m_imageList;
    CFrameWnd* m_pOwner = nullptr;
    std::unique_ptr<DockBarHost> m_host;

    int m_nLastLength = 0;
    bool m_bDocked = false;
    CSize m_sizeDocked;
    CSize m_sizeFloating;
    bool m_bCustomDocking = false;
    // The sizes are seeded at the bar's first size computation.
    bool m_bFirstSize = true;
    // The current size: the template's to begin with.
    CSize m_sizeDefault;
    int m_nMRUWidth = 0;
};
