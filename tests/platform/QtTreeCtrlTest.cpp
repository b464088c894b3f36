// The tree control's window keeps its one column as wide as the widest label
// it shows, as the toolkit's own fitting to contents would, whatever the
// program changes: items added, renamed, collapsed, expanded, deleted, or
// the whole tree given again. Its items show the pictures of the tree's
// image list.
#include "platform/ui/QtTreeCtrl.h"
#include "platform/TreeCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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
        {"a long label added",
         [&] { wide = tree.InsertItem(QStringLiteral("A chart with a rather long name"), group); }},
        {"its group collapsed", [&] { tree.Expand(group, TVE_COLLAPSE); }},
        {"its group expanded", [&] { tree.Expand(group, TVE_EXPAND); }},
        {"the label made longer",
         [&] { tree.SetItemText(wide, QStringLiteral("A chart with a longer name still, and more")); }},
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

// Each item shows the pictures its item names, normal and selected, from the
// image list the tree has now.
TEST(QtTreeCtrlTest, ItemsShowThePicturesOfTheImageListTheTreeHas)
{
    auto solid = [](Qt::GlobalColor colour) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    };
    const std::vector<QImage> first{solid(Qt::red), solid(Qt::green), solid(Qt::blue)};
    const std::vector<QImage> second{solid(Qt::yellow), solid(Qt::cyan), solid(Qt::magenta)};
    // The pictures as a single item's icon made from the list shows them.
    auto shown = [](const QIcon& icon, QIcon::Mode mode) { return icon.pixmap(QSize(16, 16), mode).toImage(); };
    auto expect = [&](const QtTreeCtrl& widget, HTREEITEM item, const std::vector<QImage>& images, int image,
                      int selected) {
        QIcon made;
        made.addPixmap(QPixmap::fromImage(images[static_cast<std::size_t>(image)]), QIcon::Normal);
        made.addPixmap(QPixmap::fromImage(images[static_cast<std::size_t>(selected)]), QIcon::Selected);
        const QIcon icon = widget.WidgetItem(item)->icon(0);
        EXPECT_EQ(shown(icon, QIcon::Normal), shown(made, QIcon::Normal));
        EXPECT_EQ(shown(icon, QIcon::Selected), shown(made, QIcon::Selected));
    };

    CTreeCtrl tree;
    QtTreeCtrl widget(tree, 2001);
    tree.SetImageList(&first);
    const HTREEITEM one = tree.InsertItem(QStringLiteral("One"));
    const HTREEITEM two = tree.InsertItem(QStringLiteral("Two"));
    const HTREEITEM three = tree.InsertItem(QStringLiteral("Three"));
    tree.SetItemImage(one, 0, 1);
    tree.SetItemImage(two, 0, 1);
    tree.SetItemImage(three, 2, 2);
    expect(widget, one, first, 0, 1);
    expect(widget, two, first, 0, 1);
    expect(widget, three, first, 2, 2);

    tree.SetItemImage(two, 2, 0);
    expect(widget, one, first, 0, 1);
    expect(widget, two, first, 2, 0);

    tree.SetImageList(&second);
    expect(widget, one, second, 0, 1);
    expect(widget, two, second, 2, 0);
    expect(widget, three, second, 2, 2);
}
