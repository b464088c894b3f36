#include "platform/TreeCtrl.h"

#include <algorithm>

CTreeCtrl::CTreeCtrl() = default;

CTreeCtrl::~CTreeCtrl() = default;

void CTreeCtrl::SetHost(TreeCtrlHost* host)
{
    m_host = host;
    if (m_host != nullptr) m_host->Reset();
}

void CTreeCtrl::SetImageList(const std::vector<QImage>* images)
{
    m_images = images;
    if (m_host != nullptr) m_host->Reset();
}

const CTreeCtrl::Item* CTreeCtrl::Find(HTREEITEM item) const
{
    auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : &it->second;
}

CTreeCtrl::Item* CTreeCtrl::Find(HTREEITEM item)
{
    auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : &it->second;
}

std::vector<HTREEITEM>& CTreeCtrl::SiblingsOf(HTREEITEM parent)
{
    return parent == 0 ? m_topLevel : m_items.at(parent).children;
}

bool CTreeCtrl::Contains(HTREEITEM item) const { return Find(item) != nullptr; }

HTREEITEM CTreeCtrl::InsertItem(const QString& text, HTREEITEM parent, HTREEITEM after)
{
    const HTREEITEM parentId = parent == TVI_ROOT ? 0 : parent;
    if (parentId != 0 && Find(parentId) == nullptr) return 0;
    std::vector<HTREEITEM>& siblings = SiblingsOf(parentId);
    auto place = siblings.end();
    if (after == TVI_FIRST) {
        place = siblings.begin();
    } else if (after != TVI_LAST) {
        auto it = std::find(siblings.begin(), siblings.end(), after);
        if (it == siblings.end()) return 0;
        place = it + 1;
    }
    const HTREEITEM id = m_next++;
    Item item;
    item.text = text;
    item.parent = parentId;
    siblings.insert(place, id);
    m_items.emplace(id, std::move(item));
    if (m_host != nullptr) m_host->ItemInserted(id);
    return id;
}

void CTreeCtrl::Forget(HTREEITEM item)
{
    const std::vector<HTREEITEM> children = m_items.at(item).children;
    for (HTREEITEM child : children) Forget(child);
    if (m_selected == item) m_selected = 0;
    m_items.erase(item);
}

bool CTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (item == TVI_ROOT) {
        DeleteAllItems();
        return true;
    }
    const Item* found = Find(item);
    if (found == nullptr) return false;
    if (m_host != nullptr) m_host->ItemDeleting(item);
    std::vector<HTREEITEM>& siblings = SiblingsOf(found->parent);
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    const HTREEITEM selected = m_selected;
    Forget(item);
    // The window would otherwise show a neighbour of its own choosing as
    // selected, one that clicks on it would not select here.
    if (m_selected != selected && m_host != nullptr) m_host->SelectionChanged();
    return true;
}

void CTreeCtrl::DeleteAllItems()
{
    m_items.clear();
    m_topLevel.clear();
    m_selected = 0;
    if (m_host != nullptr) m_host->Reset();
}

HTREEITEM CTreeCtrl::GetRootItem() const { return m_topLevel.empty() ? 0 : m_topLevel.front(); }

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    const Item* found = Find(item);
    return found != nullptr ? found->parent : 0;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    const std::vector<HTREEITEM>& children = GetChildren(item);
    return children.empty() ? 0 : children.front();
}

const std::vector<HTREEITEM>& CTreeCtrl::GetChildren(HTREEITEM item) const
{
    static const std::vector<HTREEITEM> kNone;
    if (item == TVI_ROOT) return m_topLevel;
    const Item* found = Find(item);
    return found != nullptr ? found->children : kNone;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    const Item* found = Find(item);
    if (found == nullptr) return 0;
    const std::vector<HTREEITEM>& siblings = found->parent == 0 ? m_topLevel : Find(found->parent)->children;
    auto it = std::find(siblings.begin(), siblings.end(), item);
    return it + 1 == siblings.end() ? 0 : *(it + 1);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const
{
    const Item* found = Find(item);
    if (found == nullptr) return 0;
    const std::vector<HTREEITEM>& siblings = found->parent == 0 ? m_topLevel : Find(found->parent)->children;
    auto it = std::find(siblings.begin(), siblings.end(), item);
    return it == siblings.begin() ? 0 : *(it - 1);
}

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    const Item* found = Find(item);
    return found != nullptr && !found->children.empty();
}

bool CTreeCtrl::IsItemVisible(HTREEITEM item) const
{
    const Item* found = Find(item);
    if (found == nullptr) return false;
    for (HTREEITEM up = found->parent; up != 0; up = Find(up)->parent)
        if (!Find(up)->expanded) return false;
    return true;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetRootItem(); }

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const
{
    if (!IsItemVisible(item)) return 0;
    const Item* found = Find(item);
    if (found->expanded && !found->children.empty()) return found->children.front();
    for (HTREEITEM up = item; up != 0; up = Find(up)->parent)
        if (HTREEITEM next = GetNextSiblingItem(up)) return next;
    return 0;
}

// The last shown item of the item's subtree (the item itself when collapsed).
HTREEITEM CTreeCtrl::LastVisibleUnder(HTREEITEM item) const
{
    const Item* found = Find(item);
    while (found->expanded && !found->children.empty()) {
        item = found->children.back();
        found = Find(item);
    }
    return item;
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM item) const
{
    if (!IsItemVisible(item)) return 0;
    if (HTREEITEM prev = GetPrevSiblingItem(item)) return LastVisibleUnder(prev);
    return Find(item)->parent;
}

QString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    const Item* found = Find(item);
    return found != nullptr ? found->text : QString();
}

bool CTreeCtrl::SetItemText(HTREEITEM item, const QString& text)
{
    Item* found = Find(item);
    if (found == nullptr) return false;
    found->text = text;
    if (m_host != nullptr) m_host->ItemChanged(item);
    return true;
}

std::uintptr_t CTreeCtrl::GetItemData(HTREEITEM item) const
{
    const Item* found = Find(item);
    return found != nullptr ? found->data : 0;
}

bool CTreeCtrl::SetItemData(HTREEITEM item, std::uintptr_t data)
{
    Item* found = Find(item);
    if (found == nullptr) return false;
    found->data = data;
    return true;
}

bool CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    const Item* found = Find(item);
    if (found == nullptr) return false;
    image = found->image;
    selectedImage = found->selectedImage;
    return true;
}

bool CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    Item* found = Find(item);
    if (found == nullptr) return false;
    found->image = image;
    found->selectedImage = selectedImage;
    if (m_host != nullptr) m_host->ItemChanged(item);
    return true;
}

bool CTreeCtrl::IsExpanded(HTREEITEM item) const
{
    const Item* found = Find(item);
    return found != nullptr && found->expanded;
}

bool CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    Item* found = Find(item);
    if (found == nullptr) return false;
    bool expanded = found->expanded;
    switch (code) {
    case TVE_COLLAPSE: expanded = false; break;
    case TVE_EXPAND: expanded = true; break;
    case TVE_TOGGLE: expanded = !expanded; break;
    default: return false;
    }
    if (expanded == found->expanded) return true;
    found->expanded = expanded;
    if (m_host != nullptr) m_host->ItemExpandedChanged(item);
    if (!expanded) SelectCollapsedOverSelection(item);
    return true;
}

bool CTreeCtrl::IsAncestorOf(HTREEITEM item, HTREEITEM descendant) const
{
    for (HTREEITEM up = GetParentItem(descendant); up != 0; up = GetParentItem(up))
        if (up == item) return true;
    return false;
}

// A selected item is shown: folded away, the selection goes to the item that
// folded it.
void CTreeCtrl::SelectCollapsedOverSelection(HTREEITEM item)
{
    if (!IsAncestorOf(item, m_selected)) return;
    m_selected = item;
    if (m_host != nullptr) m_host->SelectionChanged();
}

bool CTreeCtrl::SelectItem(HTREEITEM item)
{
    if (item != 0 && Find(item) == nullptr) return false;
    m_selected = item;
    // A selected item is shown: its parents open.
    for (HTREEITEM up = GetParentItem(item); up != 0; up = GetParentItem(up)) Expand(up, TVE_EXPAND);
    if (m_host != nullptr) m_host->SelectionChanged();
    return true;
}

void CTreeCtrl::SetFocus()
{
    m_hasFocus = true;
    if (m_host != nullptr) m_host->SetFocus();
}

void CTreeCtrl::UserExpanded(HTREEITEM item, bool expanded)
{
    Item* found = Find(item);
    if (found == nullptr || found->expanded == expanded) return;
    found->expanded = expanded;
    if (!expanded) SelectCollapsedOverSelection(item);
    if (onItemExpanded) onItemExpanded(item, expanded ? TVE_EXPAND : TVE_COLLAPSE);
}

void CTreeCtrl::UserSelected(HTREEITEM item)
{
    if (item == 0 || Find(item) != nullptr) m_selected = item;
}

void CTreeCtrl::UserDoubleClicked(HTREEITEM hit)
{
    if (onDoubleClick) onDoubleClick(Find(hit) != nullptr ? hit : 0);
}

void CTreeCtrl::UserContextMenu(HTREEITEM hit, CPoint screen)
{
    if (onContextMenu) onContextMenu(Find(hit) != nullptr ? hit : 0, screen);
}
