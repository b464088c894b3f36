// The tree control's window keeps its one column as wide as the widest label
// it shows, as the toolkit's own fitting to contents would, whatever the
// program changes: items added, renamed, collapsed, expanded, deleted, or
// the whole tree given again.
#include "platform/TreeCtrl.h"
#include "platform/ui/QtTreeCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A plain tree widget that fits its column to its contents, holding what
// the control holds.
class FittedCopy : public QTreeWidget {
public:
    explicit FittedCopy(const QtTreeCtrl& model)
    {
        setColumnCount(1);
        setHeaderHidden(true);
        setRootIsDecorated(true);
        setIconSize(model.iconSize());
        header()->setStretchLastSection(false);
        header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        resize(model.size());
        for (int i = 0; i < model.topLevelItemCount(); ++i) addTopLevelItem(Copy(*model.topLevelItem(i)));
        Expand(model.invisibleRootItem(), invisibleRootItem());
        show();
    }

private:
    static QTreeWidgetItem* Copy(const QTreeWidgetItem& from)
    {
        auto* item = new QTreeWidgetItem(QStringList{from.text(0)});
        item->setIcon(0, from.icon(0));
        for (int i = 0; i < from.childCount(); ++i) item->addChild(Copy(*from.child(i)));
        return item;
    }
    static void Expand(const QTreeWidgetItem* from, QTreeWidgetItem* to)
    {
        for (int i = 0; i < from->childCount(); ++i) {
            to->child(i)->setExpanded(from->child(i)->isExpanded());
            Expand(from->child(i), to->child(i));
        }
    }
};

int FittedWidth(const QtTreeCtrl& widget)
{
    FittedCopy copy(widget);
    QApplication::processEvents();
    return copy.columnWidth(0);
}

} // namespace

TEST(QtTreeCtrlTest, TheColumnIsAsWideAsTheWidestShownLabelAfterEveryChange)
{
    CTreeCtrl tree;
    QtTreeCtrl widget(tree, 2001);
    widget.resize(150, 200);
    widget.show();
    const HTREEITEM root = tree.InsertItem(QStringLiteral("HOX Windows"));
    const HTREEITEM group = tree.InsertItem(QStringLiteral("Flow Chart"), root);
    tree.Expand(root, TVE_EXPAND);
    tree.Expand(group, TVE_EXPAND);
    HTREEITEM wide = 0;

    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"a short tree", [] {}},
        {"a long label added", [&] { wide = tree.InsertItem(QStringLiteral("A chart with a rather long name"), group); }},
        {"its group collapsed", [&] { tree.Expand(group, TVE_COLLAPSE); }},
        {"its group expanded", [&] { tree.Expand(group, TVE_EXPAND); }},
        {"the label made longer", [&] { tree.SetItemText(wide, QStringLiteral("A chart with a longer name still, and more")); }},
        {"the label made short", [&] { tree.SetItemText(wide, QStringLiteral("Short")); }},
        {"many labels added at once",
         [&] {
             for (int i = 0; i < 300; ++i) tree.InsertItem(QStringLiteral("Flow Chart%1").arg(i * 1000), group);
         }},
        {"the long one added again and selected",
         [&] {
             wide = tree.InsertItem(QStringLiteral("The widest label of all the charts in the tree"), group);
             tree.SelectItem(wide);
         }},
        {"the long one deleted", [&] { tree.DeleteItem(wide); }},
        {"everything deleted", [&] { tree.DeleteAllItems(); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        QApplication::processEvents();
        EXPECT_EQ(widget.columnWidth(0), FittedWidth(widget));
    }
}

// A selected item is scrolled to with the width its column will have.
TEST(QtTreeCtrlTest, ASelectionMadeWithTheChangeSeesTheColumnsNewWidth)
{
    CTreeCtrl tree;
    QtTreeCtrl widget(tree, 2001);
    widget.resize(150, 200);
    widget.show();
    QApplication::processEvents();
    const HTREEITEM root = tree.InsertItem(QStringLiteral("HOX Windows"));
    tree.Expand(root, TVE_EXPAND);
    const HTREEITEM wide = tree.InsertItem(QStringLiteral("A chart whose name is wider than the pane"), root);
    tree.SelectItem(wide);
    const int width = widget.columnWidth(0);
    EXPECT_EQ(width, FittedWidth(widget));
}
