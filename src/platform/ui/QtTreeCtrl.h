#pragma once
// The window of a tree control: shows the items of a CTreeCtrl with their
// pictures, and reports expansion, selection, double-clicks, context menus
// and focus to it. It decides nothing.
#include "platform/TreeCtrl.h"

#include <QIcon>
#include <QTreeWidget>

#include <map>
#include <unordered_map>
#include <utility>

class QtTreeCtrl : public QTreeWidget, public TreeCtrlHost {
    Q_OBJECT
public:
    QtTreeCtrl(CTreeCtrl& tree, int controlId, QWidget* parent = nullptr);
    ~QtTreeCtrl() override;

    int ControlId() const { return m_controlId; }
    // The widget item of a tree item, and back.
    QTreeWidgetItem* WidgetItem(HTREEITEM item) const;
    HTREEITEM ItemOf(const QTreeWidgetItem* widgetItem) const;
    // The item whose picture or label lies under the point (viewport
    // coordinates); 0 elsewhere, also on the empty part of a row.
    HTREEITEM HitTest(const QPoint& viewportPoint) const;

    void ItemInserted(HTREEITEM item) override;
    void ItemDeleting(HTREEITEM item) override;
    void ItemChanged(HTREEITEM item) override;
    void ItemExpandedChanged(HTREEITEM item) override;
    void SelectionChanged() override;
    void Reset() override;
    void SetFocus() override;

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QTreeWidgetItem* MakeItem(HTREEITEM item);
    void Insert(HTREEITEM item);
    void Forget(QTreeWidgetItem* widgetItem);
    void ApplyLook(HTREEITEM item, QTreeWidgetItem* widgetItem);
    // The icon of a picture and its selected picture, made once for all the
    // items that show them.
    const QIcon& IconFor(int image, int selectedImage);
    // The column takes its labels' width once the events in hand are
    // handled; at once when something waits.
    void FitColumnLater();
    void FitColumn();

    CTreeCtrl* m_tree;
    int m_controlId;
    std::unordered_map<HTREEITEM, QTreeWidgetItem*> m_items;
    // Set while the program changes the widget: its signals are not the
    // user's.
    bool m_updating = false;
    bool m_fitWaits = false;
    // Made from the image list the tree had at its last reset.
    std::map<std::pair<int, int>, QIcon> m_icons;
};
