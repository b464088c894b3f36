// The tree control's items: places, navigation among shown items, deletion
// with children, selection, and what the user's actions report.
#include "platform/TreeCtrl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// HOX
//   A
//     A1
//     A2
//   B
//     B1
//   C
struct Sample {
    CTreeCtrl tree;
    HTREEITEM root = tree.InsertItem(QStringLiteral("HOX"));
    HTREEITEM a = tree.InsertItem(QStringLiteral("A"), root);
    HTREEITEM a1 = tree.InsertItem(QStringLiteral("A1"), a);
    HTREEITEM a2 = tree.InsertItem(QStringLiteral("A2"), a);
    HTREEITEM b = tree.InsertItem(QStringLiteral("B"), root);
    HTREEITEM b1 = tree.InsertItem(QStringLiteral("B1"), b);
    HTREEITEM c = tree.InsertItem(QStringLiteral("C"), root);
};

std::vector<QString> Shown(const CTreeCtrl& tree)
{
    std::vector<QString> texts;
    for (HTREEITEM item = tree.GetFirstVisibleItem(); item != 0; item = tree.GetNextVisibleItem(item))
        texts.push_back(tree.GetItemText(item));
    return texts;
}

} // namespace

TEST(TreeCtrlTest, ItemsGoWhereTheyAreInserted)
{
    Sample s;
    EXPECT_EQ(s.tree.GetRootItem(), s.root);
    EXPECT_EQ(s.tree.GetChildItem(s.root), s.a);
    EXPECT_EQ(s.tree.GetNextSiblingItem(s.a), s.b);
    EXPECT_EQ(s.tree.GetPrevSiblingItem(s.b), s.a);
    EXPECT_EQ(s.tree.GetNextSiblingItem(s.c), 0u);
    EXPECT_EQ(s.tree.GetParentItem(s.a2), s.a);
    EXPECT_EQ(s.tree.GetParentItem(s.root), 0u);

    const HTREEITEM first = s.tree.InsertItem(QStringLiteral("A0"), s.a, TVI_FIRST);
    const HTREEITEM middle = s.tree.InsertItem(QStringLiteral("A1b"), s.a, s.a1);
    EXPECT_EQ(s.tree.GetChildren(s.a), (std::vector<HTREEITEM>{first, s.a1, middle, s.a2}));
    // After an item that is not a child of the parent, or under no item:
    // nothing.
    EXPECT_EQ(s.tree.InsertItem(QStringLiteral("x"), s.a, s.b1), 0u);
    EXPECT_EQ(s.tree.InsertItem(QStringLiteral("x"), 9999), 0u);
    EXPECT_EQ(s.tree.GetCount(), 9u);

    int image = -1;
    int selected = -1;
    EXPECT_TRUE(s.tree.GetItemImage(s.a1, image, selected));
    EXPECT_EQ(image, 0);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(s.tree.GetItemData(s.a1), 0u);
    EXPECT_FALSE(s.tree.IsExpanded(s.a));
}

TEST(TreeCtrlTest, ShownItemsFollowTheExpandedGroups)
{
    Sample s;
    EXPECT_EQ(Shown(s.tree), (std::vector<QString>{"HOX"}));
    s.tree.Expand(s.root, TVE_EXPAND);
    EXPECT_EQ(Shown(s.tree), (std::vector<QString>{"HOX", "A", "B", "C"}));
    s.tree.Expand(s.a, TVE_EXPAND);
    s.tree.Expand(s.b, TVE_TOGGLE);
    EXPECT_EQ(Shown(s.tree), (std::vector<QString>{"HOX", "A", "A1", "A2", "B", "B1", "C"}));
    EXPECT_EQ(s.tree.GetPrevVisibleItem(s.b), s.a2);
    EXPECT_EQ(s.tree.GetPrevVisibleItem(s.a1), s.a);
    EXPECT_EQ(s.tree.GetNextVisibleItem(s.b1), s.c);
    EXPECT_EQ(s.tree.GetNextVisibleItem(s.c), 0u);
    EXPECT_EQ(s.tree.GetPrevVisibleItem(s.root), 0u);
    s.tree.Expand(s.a, TVE_COLLAPSE);
    EXPECT_EQ(s.tree.GetPrevVisibleItem(s.b), s.a);
    // A hidden item has no shown neighbours.
    EXPECT_FALSE(s.tree.IsItemVisible(s.a1));
    EXPECT_EQ(s.tree.GetNextVisibleItem(s.a1), 0u);
    EXPECT_EQ(s.tree.GetPrevVisibleItem(s.a1), 0u);
}

TEST(TreeCtrlTest, DeletingTakesTheChildrenAndTheSelection)
{
    Sample s;
    s.tree.SelectItem(s.a2);
    // A selected item is shown.
    EXPECT_TRUE(s.tree.IsItemVisible(s.a2));
    EXPECT_TRUE(s.tree.DeleteItem(s.a));
    EXPECT_FALSE(s.tree.Contains(s.a));
    EXPECT_FALSE(s.tree.Contains(s.a1));
    EXPECT_FALSE(s.tree.Contains(s.a2));
    EXPECT_EQ(s.tree.GetSelectedItem(), 0u);
    EXPECT_EQ(s.tree.GetChildItem(s.root), s.b);
    EXPECT_FALSE(s.tree.DeleteItem(s.a));
    EXPECT_EQ(s.tree.GetItemText(s.a), QString());
    s.tree.DeleteAllItems();
    EXPECT_EQ(s.tree.GetCount(), 0u);
    EXPECT_EQ(s.tree.GetRootItem(), 0u);
    // Handles are not given out again.
    EXPECT_GT(s.tree.InsertItem(QStringLiteral("new")), s.c);
}

TEST(TreeCtrlTest, OnlyTheUsersExpansionsAreReported)
{
    Sample s;
    std::vector<std::pair<HTREEITEM, UINT>> reports;
    s.tree.onItemExpanded = [&](HTREEITEM item, UINT action) { reports.emplace_back(item, action); };
    s.tree.Expand(s.a, TVE_EXPAND);
    EXPECT_TRUE(reports.empty());
    s.tree.UserExpanded(s.a, false);
    s.tree.UserExpanded(s.a, false); // no change, no report
    s.tree.UserExpanded(s.b, true);
    EXPECT_EQ(reports, (std::vector<std::pair<HTREEITEM, UINT>>{{s.a, TVE_COLLAPSE}, {s.b, TVE_EXPAND}}));
    EXPECT_TRUE(s.tree.IsExpanded(s.b));

    std::vector<HTREEITEM> hits;
    s.tree.onDoubleClick = [&](HTREEITEM hit) { hits.push_back(hit); };
    s.tree.onContextMenu = [&](HTREEITEM hit, CPoint) { hits.push_back(hit); };
    s.tree.UserDoubleClicked(s.c);
    s.tree.UserDoubleClicked(4711);
    s.tree.UserContextMenu(s.b1, CPoint(3, 4));
    EXPECT_EQ(hits, (std::vector<HTREEITEM>{s.c, 0, s.b1}));
}

namespace {
// Counts what the tree tells its window about the selection.
struct SelectionHost : TreeCtrlHost {
    int selectionChanges = 0;
    void ItemInserted(HTREEITEM) override {}
    void ItemDeleting(HTREEITEM) override {}
    void ItemChanged(HTREEITEM) override {}
    void ItemExpandedChanged(HTREEITEM) override {}
    void SelectionChanged() override { ++selectionChanges; }
    void Reset() override {}
    void SetFocus() override {}
};
} // namespace

// The selected item stays a shown one, and the window hears of every change
// of the selection that it did not make itself.
TEST(TreeCtrlTest, TheSelectionFollowsCollapsesAndDeletions)
{
    const struct {
        const char* what;
        bool byUser;
        HTREEITEM Sample::*collapsed;
        HTREEITEM Sample::*selected;
        HTREEITEM Sample::*after; // nullptr: the collapsed item
        int told;
    } cases[] = {
        {"user folds the parent", true, &Sample::a, &Sample::a2, nullptr, 1},
        {"program folds the parent", false, &Sample::a, &Sample::a2, nullptr, 1},
        {"user folds the root", true, &Sample::root, &Sample::b1, nullptr, 1},
        {"user folds another group", true, &Sample::b, &Sample::a2, &Sample::a2, 0},
        {"user folds the selected item", true, &Sample::a, &Sample::a, &Sample::a, 0},
    };
    for (const auto& c : cases) {
        Sample s;
        SelectionHost host;
        s.tree.SetHost(&host);
        s.tree.SelectItem(s.*c.selected);
        s.tree.Expand(s.a, TVE_EXPAND);
        s.tree.Expand(s.b, TVE_EXPAND);
        host.selectionChanges = 0;
        if (c.byUser) {
            s.tree.UserExpanded(s.*c.collapsed, false);
        } else {
            s.tree.Expand(s.*c.collapsed, TVE_COLLAPSE);
        }
        EXPECT_EQ(s.tree.GetSelectedItem(), c.after != nullptr ? s.*c.after : s.*c.collapsed) << c.what;
        EXPECT_EQ(host.selectionChanges, c.told) << c.what;
        EXPECT_TRUE(s.tree.IsItemVisible(s.tree.GetSelectedItem())) << c.what;
        s.tree.SetHost(nullptr);
    }

    // Deleting the selected item (or its parent) clears the selection, and
    // the window is told; deleting another item leaves both alone.
    Sample s;
    SelectionHost host;
    s.tree.SetHost(&host);
    s.tree.SelectItem(s.b1);
    host.selectionChanges = 0;
    s.tree.DeleteItem(s.a1);
    EXPECT_EQ(s.tree.GetSelectedItem(), s.b1);
    EXPECT_EQ(host.selectionChanges, 0);
    s.tree.DeleteItem(s.b);
    EXPECT_EQ(s.tree.GetSelectedItem(), 0u);
    EXPECT_EQ(host.selectionChanges, 1);
    s.tree.SetHost(nullptr);
}
