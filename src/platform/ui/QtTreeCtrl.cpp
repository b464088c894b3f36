#include "platform/ui/QtTreeCtrl.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace {
const int kHandleRole = Qt::UserRole + 1;
}

QtTreeCtrl::QtTreeCtrl(CTreeCtrl& tree, int controlId, QWidget* parent)
    : QTreeWidget(parent), m_tree(&tree), m_controlId(controlId)
{
    setObjectName(QStringLiteral("Control%1").arg(controlId));
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    header()->setStretchLastSection(false);
    // The column is as wide as its widest label, but measured once for all
    // the changes the events in hand make: the header's own fitting measures
    // every row again at each change it sees, which a document's opening
    // makes by the hundred.
    header()->setSectionResizeMode(0, QHeaderView::Interactive);

    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        FitColumnLater();
        if (!m_updating && m_tree != nullptr) m_tree->UserExpanded(ItemOf(item), true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        FitColumnLater();
        if (!m_updating && m_tree != nullptr) m_tree->UserExpanded(ItemOf(item), false);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (!m_updating && m_tree != nullptr) m_tree->UserSelected(ItemOf(current));
    });
    tree.SetHost(this);
}

QtTreeCtrl::~QtTreeCtrl()
{
    if (m_tree != nullptr && m_tree->GetHost() == this) m_tree->SetHost(nullptr);
}

void QtTreeCtrl::FitColumnLater()
{
    if (m_fitWaits) return;
    m_fitWaits = true;
    QMetaObject::invokeMethod(this, &QtTreeCtrl::FitColumn, Qt::QueuedConnection);
}

void QtTreeCtrl::FitColumn()
{
    if (!m_fitWaits) return;
    m_fitWaits = false;
    // As the header fits a column to its contents.
    const QHeaderView* head = header();
    const int width = std::clamp(std::max(sizeHintForColumn(0), head->sectionSizeHint(0)), head->minimumSectionSize(),
                                 head->maximumSectionSize());
    if (width != columnWidth(0)) header()->resizeSection(0, width);
}

QTreeWidgetItem* QtTreeCtrl::WidgetItem(HTREEITEM item) const
{
    auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : it->second;
}

HTREEITEM QtTreeCtrl::ItemOf(const QTreeWidgetItem* widgetItem) const
{
    return widgetItem != nullptr ? widgetItem->data(0, kHandleRole).toUInt() : 0;
}

HTREEITEM QtTreeCtrl::HitTest(const QPoint& viewportPoint) const
{
    QTreeWidgetItem* item = itemAt(viewportPoint);
    if (item == nullptr) return 0;
    // The picture and the label, not the rest of the row.
    const QRect row = visualItemRect(item);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int right = row.left() + iconSize().width() + 3 * margin + fontMetrics().horizontalAdvance(item->text(0));
    if (viewportPoint.x() < row.left() || viewportPoint.x() > right) return 0;
    return ItemOf(item);
}

void QtTreeCtrl::ApplyLook(HTREEITEM item, QTreeWidgetItem* widgetItem)
{
    widgetItem->setText(0, m_tree->GetItemText(item));
    int image = 0;
    int selectedImage = 0;
    m_tree->GetItemImage(item, image, selectedImage);
    widgetItem->setIcon(0, IconFor(image, selectedImage));
}

const QIcon& QtTreeCtrl::IconFor(int image, int selectedImage)
{
    const auto [at, made] = m_icons.try_emplace({image, selectedImage});
    if (!made) return at->second;
    const std::vector<QImage>* images = m_tree->GetImageList();
    auto valid = [images](int index) {
        return images != nullptr && index >= 0 && index < static_cast<int>(images->size());
    };
    QIcon& icon = at->second;
    if (valid(image)) icon.addPixmap(QPixmap::fromImage((*images)[static_cast<std::size_t>(image)]), QIcon::Normal);
    if (valid(selectedImage))
        icon.addPixmap(QPixmap::fromImage((*images)[static_cast<std::size_t>(selectedImage)]), QIcon::Selected);
    return icon;
}

QTreeWidgetItem* QtTreeCtrl::MakeItem(HTREEITEM item)
{
    auto* widgetItem = new QTreeWidgetItem();
    widgetItem->setData(0, kHandleRole, item);
    widgetItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    ApplyLook(item, widgetItem);
    m_items[item] = widgetItem;
    return widgetItem;
}

// Puts the item (with its children) at its place among its siblings.
void QtTreeCtrl::Insert(HTREEITEM item)
{
    const HTREEITEM parent = m_tree->GetParentItem(item);
    const auto& siblings = m_tree->GetChildren(parent == 0 ? TVI_ROOT : parent);
    const int index = static_cast<int>(std::find(siblings.begin(), siblings.end(), item) - siblings.begin());
    QTreeWidgetItem* widgetItem = MakeItem(item);
    if (parent == 0) {
        insertTopLevelItem(index, widgetItem);
    } else if (QTreeWidgetItem* parentItem = WidgetItem(parent)) {
        parentItem->insertChild(index, widgetItem);
    }
    for (HTREEITEM child : m_tree->GetChildren(item)) Insert(child);
    widgetItem->setExpanded(m_tree->IsExpanded(item));
}

void QtTreeCtrl::Forget(QTreeWidgetItem* widgetItem)
{
    for (int i = 0; i < widgetItem->childCount(); ++i) Forget(widgetItem->child(i));
    m_items.erase(ItemOf(widgetItem));
}

void QtTreeCtrl::ItemInserted(HTREEITEM item)
{
    const bool updating = std::exchange(m_updating, true);
    Insert(item);
    // A new first child opens no group by itself.
    if (QTreeWidgetItem* parent = WidgetItem(m_tree->GetParentItem(item)))
        parent->setExpanded(m_tree->IsExpanded(m_tree->GetParentItem(item)));
    m_updating = updating;
    FitColumnLater();
}

void QtTreeCtrl::ItemDeleting(HTREEITEM item)
{
    QTreeWidgetItem* widgetItem = WidgetItem(item);
    if (widgetItem == nullptr) return;
    const bool updating = std::exchange(m_updating, true);
    Forget(widgetItem);
    delete widgetItem;
    m_updating = updating;
    FitColumnLater();
}

void QtTreeCtrl::ItemChanged(HTREEITEM item)
{
    if (QTreeWidgetItem* widgetItem = WidgetItem(item)) ApplyLook(item, widgetItem);
    FitColumnLater();
}

void QtTreeCtrl::ItemExpandedChanged(HTREEITEM item)
{
    QTreeWidgetItem* widgetItem = WidgetItem(item);
    if (widgetItem == nullptr) return;
    const bool updating = std::exchange(m_updating, true);
    // A change asks for a fit through the widget's expansion signals.
    widgetItem->setExpanded(m_tree->IsExpanded(item));
    m_updating = updating;
}

void QtTreeCtrl::SelectionChanged()
{
    const bool updating = std::exchange(m_updating, true);
    QTreeWidgetItem* widgetItem = WidgetItem(m_tree->GetSelectedItem());
    if (widgetItem != nullptr) {
        // Scrolled to with the width it will have.
        FitColumn();
        setCurrentItem(widgetItem);
        scrollToItem(widgetItem);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
    m_updating = updating;
}

void QtTreeCtrl::Reset()
{
    const bool updating = std::exchange(m_updating, true);
    clear();
    m_items.clear();
    // A new image list comes with a reset.
    m_icons.clear();
    if (m_tree != nullptr) {
        for (HTREEITEM item : m_tree->GetChildren(TVI_ROOT)) Insert(item);
    }
    m_updating = updating;
    FitColumnLater();
    SelectionChanged();
}

void QtTreeCtrl::SetFocus() { setFocus(Qt::OtherFocusReason); }

void QtTreeCtrl::changeEvent(QEvent* event)
{
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitColumnLater();
}

void QtTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (m_tree == nullptr) return;
    // A menu asked for by the keyboard has no point, so it meets no item.
    if (event->reason() != QContextMenuEvent::Mouse) {
        m_tree->UserContextMenu(0, CPoint(-1, -1));
        return;
    }
    const QPoint screen = event->globalPos();
    m_tree->UserContextMenu(HitTest(event->pos()), CPoint(screen.x(), screen.y()));
}

void QtTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The tree's own part first: the item is selected, a group opens or
    // closes.
    const HTREEITEM hit = HitTest(event->position().toPoint());
    QTreeWidget::mouseDoubleClickEvent(event);
    if (m_tree != nullptr && event->button() == Qt::LeftButton) m_tree->UserDoubleClicked(hit);
}

void QtTreeCtrl::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    if (m_tree != nullptr) m_tree->FocusChanged(true);
}

void QtTreeCtrl::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    if (m_tree != nullptr) m_tree->FocusChanged(false);
}
