#pragma once
// A tree control as the program's logic sees it: items with a text, a value
// of the owner's, two picture indexes and an expanded state, one selected
// item and the keyboard focus. A window that shows the tree is its host; it
// reports what the user does, and the owner hears of it through the
// notification handlers.
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// An item handle; 0 is no item. Handles are never used twice.
using HTREEITEM = std::uint32_t;
constexpr HTREEITEM TVI_ROOT = 0xFFFF0000u;
constexpr HTREEITEM TVI_FIRST = 0xFFFF0001u;
constexpr HTREEITEM TVI_LAST = 0xFFFF0002u;

// Expand codes, and the actions an expansion notification reports.
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;

// The window that shows a tree.
class TreeCtrlHost {
public:
    virtual ~TreeCtrlHost() = default;
    // The item is in the tree now (at its place among its siblings).
    virtual void ItemInserted(HTREEITEM item) = 0;
    // The item goes, with its children.
    virtual void ItemDeleting(HTREEITEM item) = 0;
    // Text or pictures changed.
    virtual void ItemChanged(HTREEITEM item) = 0;
    virtual void ItemExpandedChanged(HTREEITEM item) = 0;
    virtual void SelectionChanged() = 0;
    // Everything changed (the picture list, or all items went).
    virtual void Reset() = 0;
    virtual void SetFocus() = 0;
};

class CTreeCtrl {
public:
    CTreeCtrl();
    ~CTreeCtrl();
    CTreeCtrl(const CTreeCtrl&) = delete;
    CTreeCtrl& operator=(const CTreeCtrl&) = delete;

    // The window showing the tree (null: none); it is told the whole tree.
    void SetHost(TreeCtrlHost* host);
    TreeCtrlHost* GetHost() const { return m_host; }

    // The pictures the items' indexes refer to; not owned.
    void SetImageList(const std::vector<QImage>* images);
    const std::vector<QImage>* GetImageList() const { return m_images; }

    // A new item under the parent (TVI_ROOT: top level), after the sibling
    // (TVI_FIRST, TVI_LAST or a child of the parent); 0 when the parent or
    // the sibling is not in the tree. New items are collapsed, with pictures
    // 0 and 0 and the value 0.
    HTREEITEM InsertItem(const QString& text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    // Removes the item with its children; false when it is not in the tree.
    // A selection among them is cleared.
    bool DeleteItem(HTREEITEM item);
    void DeleteAllItems();

    bool Contains(HTREEITEM item) const;
    std::size_t GetCount() const { return m_items.size(); }
    HTREEITEM GetRootItem() const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    bool ItemHasChildren(HTREEITEM item) const;
    // The children of an item (TVI_ROOT: the top level), in order.
    const std::vector<HTREEITEM>& GetChildren(HTREEITEM item) const;
    // Items that are shown: top-level items and the children of expanded
    // shown items, in the order they appear from the top.
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const;
    bool IsItemVisible(HTREEITEM item) const;

    QString GetItemText(HTREEITEM item) const;
    bool SetItemText(HTREEITEM item, const QString& text);
    std::uintptr_t GetItemData(HTREEITEM item) const;
    bool SetItemData(HTREEITEM item, std::uintptr_t data);
    bool GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    bool SetItemImage(HTREEITEM item, int image, int selectedImage);
    bool IsExpanded(HTREEITEM item) const;
    // Expands or collapses by the program; no notification follows. Whether
    // by the program or the user, collapsing an item above the selected one
    // selects it.
    bool Expand(HTREEITEM item, UINT code);

    HTREEITEM GetSelectedItem() const { return m_selected; }
    // 0 clears the selection.
    bool SelectItem(HTREEITEM item);

    // The keyboard focus, as the host last reported it.
    bool HasFocus() const { return m_hasFocus; }
    void SetFocus();

    // What the user did, reported by the host.
    void UserExpanded(HTREEITEM item, bool expanded);
    void UserSelected(HTREEITEM item);
    // The item hit (0: the click met no item's picture or label).
    void UserDoubleClicked(HTREEITEM hit);
    // A context menu asked for by the mouse at the screen point, on the item
    // hit (0 none); by the keyboard, with no item and the point (-1, -1).
    void UserContextMenu(HTREEITEM hit, CPoint screen);
    void FocusChanged(bool hasFocus) { m_hasFocus = hasFocus; }

    // The owner's handlers of the notifications.
    std::function<void(HTREEITEM item, UINT action)> onItemExpanded;
    std::function<void(HTREEITEM hit)> onDoubleClick;
    std::function<void(HTREEITEM hit, CPoint screen)> onContextMenu;

private:
    struct Item {
        QString text;
        std::uintptr_t data = 0;
        int image = 0;
        int selectedImage = 0;
        bool expanded = false;
        HTREEITEM parent = 0;
        std::vector<HTREEITEM> children;
    };
    const Item* Find(HTREEITEM item) const;
    Item* Find(HTREEITEM item);
    std::vector<HTREEITEM>& SiblingsOf(HTREEITEM parent);
    void Forget(HTREEITEM item);
    HTREEITEM LastVisibleUnder(HTREEITEM item) const;
    bool IsAncestorOf(HTREEITEM item, HTREEITEM descendant) const;
    void SelectCollapsedOverSelection(HTREEITEM item);

    std::map<HTREEITEM, Item> m_items;
    std::vector<HTREEITEM> m_topLevel;
    HTREEITEM m_next = 1;
    HTREEITEM m_selected = 0;
    bool m_hasFocus = false;
    const std::vector<QImage>* m_images = nullptr;
    TreeCtrlHost* m_host = nullptr;
};
