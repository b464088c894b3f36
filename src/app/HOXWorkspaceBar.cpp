#include "app/HOXWorkspaceBar.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "platform/CmdTarget.h"
#include "platform/FrameWnd.h"
#include "platform/Help.h"
#include "platform/MenuResource.h"
#include "platform/Resources.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

namespace {
// The template of the bar, in dialog units, and the base units of its font:
// (156 x 172 pixels).
constexpr CSize kTemplateSize(104, 106);
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// a * b / c rounded half away from zero.
LONG MulDiv(LONG a, LONG b, LONG c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / c : (product - half) / c);
}

using Kind = CHOXWorkspaceBar::ItemKind;
} // namespace

CHOXWorkspaceBar::CHOXWorkspaceBar()
{
    for (UINT icon : {1008u, 1009u, 1010u}) m_imageList.push_back(LoadBitmapResource(icon));
    m_sizeDefault = CSize(MulDiv(kTemplateSize.cx, kBaseUnitX, 4), MulDiv(kTemplateSize.cy, kBaseUnitY, 8));
    m_wndTree.onItemExpanded = [this](HTREEITEM item, UINT action) { OnItemExpanded(item, action); };
    m_wndTree.onDoubleClick = [this](HTREEITEM hit) { OnDblClkTree(hit); };
    m_wndTree.onContextMenu = [this](HTREEITEM hit, CPoint screen) { OnContextMenu(hit, screen); };
}

CHOXWorkspaceBar::~CHOXWorkspaceBar()
{
    // The window goes first: it shows the tree.
    m_host.reset();
}

bool CHOXWorkspaceBar::Create(CFrameWnd* owner)
{
    m_pOwner = owner;
    FrameHost* frame = owner != nullptr ? owner->Host() : nullptr;
    if (frame == nullptr) return false;
    m_host = frame->CreateTreeBar(*this, m_wndTree, kBarId, kTreeId, LoadStr(32044));
    return m_host != nullptr;
}

CHOXDoc* CHOXWorkspaceBar::Document() const
{
    CHOXApp* app = CHOXApp::Get();
    return app != nullptr ? app->GetDocument() : nullptr;
}

// ---------------------------------------------------------------------------
// The tree

HTREEITEM CHOXWorkspaceBar::InsertLabel(const QString& text, ItemKind kind, HTREEITEM parent)
{
    const HTREEITEM item = m_wndTree.InsertItem(text, parent, TVI_LAST);
    m_wndTree.SetItemData(item, static_cast<std::uintptr_t>(kind));
    return item;
}

void CHOXWorkspaceBar::BuildTree()
{
    // A second skeleton would leave the first one's groups without windows.
    DeleteAllItems();
    m_wndTree.SetImageList(&m_imageList);
    const HTREEITEM root = InsertLabel(QStringLiteral("HOX Windows"), Kind::Root, TVI_ROOT);
    InsertLabel(LoadStr(20002), Kind::Monitoring, root);
    const HTREEITEM parameter = InsertLabel(LoadStr(20003), Kind::Parameter, root);
    const HTREEITEM positioning = InsertLabel(LoadStr(20004), Kind::Positioning, parameter);
    InsertLabel(LoadStr(20007), Kind::Units, positioning);
    InsertLabel(LoadStr(20008), Kind::MachineZero, positioning);
    InsertLabel(LoadStr(20009), Kind::Speed, positioning);
    InsertLabel(LoadStr(20010), Kind::Settings, positioning);
    const HTREEITEM io = InsertLabel(LoadStr(20005), Kind::IoControl, parameter);
    InsertLabel(LoadStr(20011), Kind::ProgramNumber, io);
    InsertLabel(LoadStr(20012), Kind::Mcode, io);
    InsertLabel(LoadStr(20013), Kind::Pulser, io);
    InsertLabel(LoadStr(20014), Kind::AbsPosition, io);
    InsertLabel(LoadStr(20015), Kind::Others, io);
    const HTREEITEM system = InsertLabel(LoadStr(20006), Kind::SystemGroup, parameter);
    InsertLabel(LoadStr(20006), Kind::System, system);
    InsertLabel(LoadStr(IDS_SUBTASK_NAME), Kind::Subtask, system);
    InsertLabel(LoadStr(IDS_FLOW_CHART_NAME), Kind::FlowCharts, root);
    m_wndTree.Expand(root, TVE_EXPAND);
    m_wndTree.Expand(parameter, TVE_EXPAND);
}

void CHOXWorkspaceBar::AddWindowItem(const QString& name, const QString& group)
{
    const HTREEITEM root = m_wndTree.GetRootItem();
    if (root == 0) return;
    // The search starts at the second label: the monitor's is never a group.
    HTREEITEM label = m_wndTree.GetNextSiblingItem(m_wndTree.GetChildItem(root));
    for (; label != 0; label = m_wndTree.GetNextSiblingItem(label)) {
        if (GetItemKind(label) == Kind::Window || m_wndTree.GetItemText(label) != group) continue;
        const HTREEITEM item = m_wndTree.InsertItem(name, label, TVI_LAST);
        m_wndTree.SetItemData(item, static_cast<std::uintptr_t>(Kind::Window));
        m_wndTree.Expand(label, TVE_EXPAND);
        m_wndTree.SetItemImage(item, kImageWindow, kImageWindow);
    }
}

void CHOXWorkspaceBar::DeleteAllItems()
{
    m_wndTree.DeleteAllItems();
    m_hClickedItem = 0;
    m_strClickedText.clear();
}

QString CHOXWorkspaceBar::GetClickedItemText() const
{
    if (m_wndTree.Contains(m_hClickedItem)) return m_wndTree.GetItemText(m_hClickedItem);
    return m_strClickedText;
}

void CHOXWorkspaceBar::SetClickedItemText(const QString& text)
{
    const HTREEITEM item = FindWindowItem(text);
    m_hClickedItem = item;
    m_strClickedText = item != 0 ? QString() : text;
    m_wndTree.SelectItem(item);
}

void CHOXWorkspaceBar::SetSelectedItemText(const QString& text)
{
    const HTREEITEM item = m_wndTree.GetSelectedItem();
    if (GetItemKind(item) == Kind::Window) m_wndTree.SetItemText(item, text);
}

void CHOXWorkspaceBar::DeleteSelectedItem()
{
    const HTREEITEM item = m_wndTree.GetSelectedItem();
    if (GetItemKind(item) != Kind::Window) return;
    const HTREEITEM group = m_wndTree.GetParentItem(item);
    m_wndTree.DeleteItem(item);
    if (m_hClickedItem == item) m_hClickedItem = 0;
    // A group without windows cannot be open.
    if (group != 0 && !m_wndTree.ItemHasChildren(group)) {
        m_wndTree.Expand(group, TVE_COLLAPSE);
        m_wndTree.SetItemImage(group, kImageClosed, kImageClosed);
    }
}

void CHOXWorkspaceBar::OpenSelectedItem() { Open(m_wndTree.GetSelectedItem(), true); }

HTREEITEM CHOXWorkspaceBar::FindItem(ItemKind kind) const
{
    std::vector<HTREEITEM> pending(m_wndTree.GetChildren(TVI_ROOT).rbegin(), m_wndTree.GetChildren(TVI_ROOT).rend());
    while (!pending.empty()) {
        const HTREEITEM item = pending.back();
        pending.pop_back();
        if (GetItemKind(item) == kind) return item;
        const auto& children = m_wndTree.GetChildren(item);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return 0;
}

HTREEITEM CHOXWorkspaceBar::FindWindowItem(const QString& name) const
{
    const HTREEITEM group = FindItem(Kind::FlowCharts);
    for (HTREEITEM item : m_wndTree.GetChildren(group))
        if (GetItemKind(item) == Kind::Window && m_wndTree.GetItemText(item) == name) return item;
    return 0;
}

QStringList CHOXWorkspaceBar::GetWindowItemNames() const
{
    QStringList names;
    for (HTREEITEM item : m_wndTree.GetChildren(FindItem(Kind::FlowCharts)))
        if (GetItemKind(item) == Kind::Window) names << m_wndTree.GetItemText(item);
    return names;
}

// ---------------------------------------------------------------------------
// The rules

CHOXWorkspaceBar::ItemKind CHOXWorkspaceBar::GetItemKind(HTREEITEM item) const
{
    if (!m_wndTree.Contains(item)) return Kind::None;
    return static_cast<ItemKind>(m_wndTree.GetItemData(item));
}

bool CHOXWorkspaceBar::IsSubtaskWindowItem(HTREEITEM item) const
{
    // The subtask window is the window named "Subtask" exactly.
    return GetItemKind(item) == Kind::Window && m_wndTree.GetItemText(item) == LoadStr(IDS_SUBTASK_NAME);
}

CHOXWorkspaceBar::MenuState CHOXWorkspaceBar::GetMenuState(HTREEITEM item) const
{
    MenuState state;
    const CHOXDoc* doc = Document();
    switch (GetItemKind(item)) {
    case Kind::FlowCharts:
        state.show = true;
        state.newFlowChart = true;
        state.newSubtask = doc == nullptr || doc->FindWindowByName(LoadStr(IDS_SUBTASK_NAME)) == nullptr;
        break;
    case Kind::Window: {
        state.show = true;
        state.update = true;
        const HTREEITEM next = m_wndTree.GetNextVisibleItem(item);
        const HTREEITEM prev = m_wndTree.GetPrevVisibleItem(item);
        if (IsSubtaskWindowItem(item)) {
            state.remove = next != 0 || prev != 0;
            break;
        }
        const std::size_t windows = doc != nullptr ? doc->GetWindowMap().GetCount() : 0;
        if (windows <= 1) {
            state.remove = false;
        } else if (windows == 2) {
            // Deleting would leave the subtask alone.
            state.remove = !IsSubtaskWindowItem(next) && !IsSubtaskWindowItem(prev);
        } else {
            state.remove = true;
        }
        break;
    }
    default: break;
    }
    return state;
}

CHOXWorkspaceBar::OpenAction CHOXWorkspaceBar::GetOpenAction(HTREEITEM item, bool enterKey) const
{
    switch (GetItemKind(item)) {
    case Kind::Monitoring: return OpenAction::ActivateMonitor;
    case Kind::Window: return OpenAction::ShowWindow;
    case Kind::Units:
    case Kind::MachineZero:
    case Kind::Speed:
    case Kind::Settings:
    case Kind::ProgramNumber:
    case Kind::Mcode:
    case Kind::Pulser:
    case Kind::AbsPosition:
    case Kind::Others:
    case Kind::System:
    case Kind::Subtask: return OpenAction::EditParameters;
    case Kind::Root:
    case Kind::Parameter:
    case Kind::Positioning:
    case Kind::IoControl:
    case Kind::SystemGroup:
    case Kind::FlowCharts: return enterKey ? OpenAction::ToggleExpansion : OpenAction::None;
    case Kind::None: break;
    }
    return OpenAction::None;
}

void CHOXWorkspaceBar::EditParameters(ItemKind kind)
{
    CHOXDoc* doc = Document();
    if (doc == nullptr) return;
    CHOXParam& param = doc->GetParam();
    switch (kind) {
    case Kind::System: param.EditSystem(); break;
    case Kind::Subtask: param.EditSubtask(); break;
    case Kind::ProgramNumber: param.EditProgramNumber(); break;
    case Kind::Mcode: param.EditMcode(); break;
    case Kind::Pulser: param.EditPulser(); break;
    case Kind::AbsPosition: param.EditAbsPosition(); break;
    case Kind::Others: param.EditOthers(); break;
    case Kind::Units: param.EditUnits(); break;
    case Kind::Speed: param.EditSpeed(); break;
    case Kind::MachineZero: param.EditMachineZero(); break;
    case Kind::Settings: param.EditSettings(); break;
    default: break;
    }
}

void CHOXWorkspaceBar::Open(HTREEITEM item, bool enterKey)
{
    CHOXApp* app = CHOXApp::Get();
    switch (GetOpenAction(item, enterKey)) {
    case OpenAction::ActivateMonitor:
        if (app != nullptr) app->ActivateMonitorFrame();
        break;
    case OpenAction::ShowWindow:
        if (app != nullptr) app->ShowWindowByTitle(m_wndTree.GetItemText(item));
        break;
    case OpenAction::EditParameters: EditParameters(GetItemKind(item)); break;
    case OpenAction::ToggleExpansion:
        m_wndTree.Expand(item, TVE_TOGGLE);
        // The folder follows, as it does for a click on the button.
        SetExpandedImage(item, m_wndTree.IsExpanded(item));
        break;
    case OpenAction::None: break;
    }
}

// ---------------------------------------------------------------------------
// What the user does

void CHOXWorkspaceBar::OnContextMenu(HTREEITEM hit, CPoint screen)
{
    if (!m_wndTree.Contains(hit)) return;
    m_hClickedItem = hit;
    m_strClickedText.clear();
    m_wndTree.SelectItem(hit);
    const MenuState state = GetMenuState(hit);
    if (!state.show) return;
    const MenuResource* menu = FindMenuResource(IDR_WORKSPACE_MENU);
    if (menu == nullptr || menu->popups.empty() || m_host == nullptr) return;
    std::vector<PopupMenuItem> items;
    for (const MenuItem& entry : menu->popups.front().items) {
        PopupMenuItem item{entry.text, entry.id, false};
        switch (entry.id) {
        case ID_NEW_FLOW_CHART: item.enabled = state.newFlowChart; break;
        case ID_NEW_SUBTASK: item.enabled = state.newSubtask; break;
        case ID_WINDOW_UPDATE: item.enabled = state.update; break;
        case ID_WINDOW_DELETE: item.enabled = state.remove; break;
        default: break;
        }
        items.push_back(item);
    }
    const UINT chosen = m_host->TrackPopupMenu(items, screen);
    // The entry's command runs once the tree's own event has returned, as
    // every command the user chooses does: it rebuilds the tree's items.
    if (chosen != 0 && m_pOwner != nullptr) PostCommand(chosen);
}

void CHOXWorkspaceBar::OnDblClkTree(HTREEITEM hit)
{
    const HTREEITEM selected = m_wndTree.GetSelectedItem();
    m_hClickedItem = selected;
    m_strClickedText.clear();
    m_wndTree.SelectItem(selected);
    if (!m_wndTree.Contains(hit)) return;
    Open(selected, false);
}

void CHOXWorkspaceBar::SetExpandedImage(HTREEITEM item, bool expanded)
{
    const int image = expanded ? kImageOpen : kImageClosed;
    m_wndTree.SetItemImage(item, image, image);
}

void CHOXWorkspaceBar::OnItemExpanded(HTREEITEM item, UINT action)
{
    if (action == TVE_COLLAPSE) SetExpandedImage(item, false);
    if (action == TVE_EXPAND) SetExpandedImage(item, true);
}

void CHOXWorkspaceBar::OnHelpHitTest() { AfxWinHelp(kHelpContext); }

// ---------------------------------------------------------------------------
// Showing and docking

void CHOXWorkspaceBar::ShowWindow(int showCommand)
{
    if (m_host != nullptr) m_host->Show(showCommand != SW_HIDE);
}

bool CHOXWorkspaceBar::IsWindowVisible() const { return m_host != nullptr && m_host->IsVisible(); }

bool CHOXWorkspaceBar::IsFloating() const { return m_host != nullptr && m_host->IsFloating(); }

void CHOXWorkspaceBar::DockLeft()
{
    if (m_host != nullptr) m_host->DockLeft();
}

void CHOXWorkspaceBar::EnableCustomDocking()
{
    if (m_host != nullptr && !m_bCustomDocking) m_bCustomDocking = true;
}

// ---------------------------------------------------------------------------
// Sizes

CSize CHOXWorkspaceBar::CalcDynamicLayout(int length, DWORD mode)
{
    if (length == -1 && (mode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (mode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZDOCK) != 0);
    return CalcLayout(mode, length);
}

CSize CHOXWorkspaceBar::CalcFixedLayout(bool stretch, bool horizontal)
{
    return CalcLayout((stretch ? LM_STRETCH : 0) | (horizontal ? LM_HORZ : 0), -1);
}

CSize CHOXWorkspaceBar::CalcLayout(DWORD mode, int length)
{
    // Only a length asked for can change the size: the user stretching the
    // floating bar.
    int sizeLength = -1;
    bool lengthIsHeight = false;
    if ((mode & LM_MRUWIDTH) != 0) {
    } else if ((mode & LM_HORZDOCK) != 0) {
        sizeLength = -2;
    } else if ((mode & LM_VERTDOCK) != 0) {
        sizeLength = -3;
    } else if (length != -1) {
        sizeLength = length;
        lengthIsHeight = (mode & LM_LENGTHY) != 0;
    }
    CalcSize(sizeLength, lengthIsHeight);

    if (!IsFloating()) {
        m_sizeDefault = m_sizeDocked;
        m_bDocked = true;
        return m_sizeDefault;
    }
    if (m_bDocked) {
        m_sizeDefault = m_sizeFloating;
        m_bDocked = false;
        // The next stretch starts from the floating height.
        m_nLastLength = m_sizeDefault.cy;
    }
    m_sizeFloating = m_sizeDefault;
    m_nMRUWidth = m_sizeDefault.cx;
    return m_sizeDefault;
}

CSize CHOXWorkspaceBar::CalcSize(int length, bool lengthIsHeight)
{
    if (m_bFirstSize) {
        m_sizeDocked = m_sizeDefault;
        m_sizeFloating = m_sizeDefault;
        m_nLastLength = m_sizeDefault.cy;
        m_bFirstSize = false;
    }
    const int delta = length == -1 ? 0 : length - m_nLastLength;
    if (lengthIsHeight) m_sizeDefault.cy += delta;
    m_nLastLength = m_sizeDefault.cy;
    return m_sizeDefault;
}
