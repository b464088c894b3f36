// The workspace bar: the tree's skeleton, its window items as the document's
// windows come, change names and go, the item menu's entries for every kind
// of item, what double-click and Enter open, the folder pictures, and the
// bar's sizes docked and floating.
#include "AppDocsFixture.h"

#include "app/HOXWorkspaceBar.h"
#include "platform/ui/QtDockBar.h"
#include "platform/ui/QtTreeCtrl.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

using Kind = CHOXWorkspaceBar::ItemKind;
using Action = CHOXWorkspaceBar::OpenAction;
using Menu = CHOXWorkspaceBar::MenuState;

const QString kDeleteQuestion = QStringLiteral("Do You Want to Delete  ?");
constexpr UINT kDeleteStyle = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

struct Row {
    int depth;
    QString text;
    Kind kind;
    bool operator==(const Row&) const = default;
};

void Walk(const CTreeCtrl& tree, HTREEITEM parent, int depth, const CHOXWorkspaceBar& bar, std::vector<Row>& rows)
{
    for (HTREEITEM item : tree.GetChildren(parent)) {
        rows.push_back({depth, tree.GetItemText(item), bar.GetItemKind(item)});
        Walk(tree, item, depth + 1, bar, rows);
    }
}

// Every item, depth first, with its depth, text and kind.
std::vector<Row> Rows(const CHOXWorkspaceBar& bar)
{
    std::vector<Row> rows;
    Walk(bar.GetTreeCtrl(), TVI_ROOT, 0, bar, rows);
    return rows;
}

const std::vector<Row> kSkeleton = {
    {0, "HOX Windows", Kind::Root},
    {1, "Monitoring", Kind::Monitoring},
    {1, "Parameter", Kind::Parameter},
    {2, "Positioning", Kind::Positioning},
    {3, "Units", Kind::Units},
    {3, "Machine Zero", Kind::MachineZero},
    {3, "Speed", Kind::Speed},
    {3, "Settings", Kind::Settings},
    {2, "IO Control", Kind::IoControl},
    {3, "Program Number", Kind::ProgramNumber},
    {3, "MCode", Kind::Mcode},
    {3, "Manual Pulse Generator", Kind::Pulser},
    {3, "Absolute Position", Kind::AbsPosition},
    {3, "Others", Kind::Others},
    {2, "System", Kind::SystemGroup},
    {3, "System", Kind::System},
    {3, "Subtask", Kind::Subtask},
    {1, "Flow Chart", Kind::FlowCharts},
};

std::vector<Row> SkeletonWith(const std::vector<const char*>& windows)
{
    std::vector<Row> rows = kSkeleton;
    for (const char* name : windows) rows.push_back({2, QString::fromLatin1(name), Kind::Window});
    return rows;
}

std::pair<int, int> Images(const CHOXWorkspaceBar& bar, HTREEITEM item)
{
    int image = -1;
    int selected = -1;
    bar.GetTreeCtrl().GetItemImage(item, image, selected);
    return {image, selected};
}

// What a popup menu showed while an action ran: its entries with their
// enabled state; the entry of that text is chosen, else the menu is
// dismissed.
struct PopupSeen {
    bool shown = false;
    std::vector<std::pair<QString, bool>> entries;
};

PopupSeen WithPopup(const std::function<void()>& action, const QString& choose = QString())
{
    PopupSeen seen;
    QTimer::singleShot(0, qApp, [&seen, choose] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        seen.shown = true;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            seen.entries.emplace_back(a->text(), a->isEnabled());
            if (!choose.isEmpty() && a->text() == choose) chosen = a;
        }
        if (chosen != nullptr) {
            // As the user picks it: the menu ends with the entry.
            menu->setActiveAction(chosen);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &enter);
        } else {
            menu->close();
        }
    });
    action();
    // Without a menu the check runs here.
    QCoreApplication::processEvents();
    return seen;
}

// The bar alone, without a program around it.
class WorkspaceTreeTest : public ::testing::Test {
protected:
    CHOXWorkspaceBar m_bar;
    CTreeCtrl& Tree() { return m_bar.GetTreeCtrl(); }
};

// The bar in the running program.
class WorkspaceBarTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    CHOXWorkspaceBar& Bar() const { return *Main()->GetWorkspaceBar(); }
    CTreeCtrl& Tree() const { return Bar().GetTreeCtrl(); }
    QtDockBar* Dock() const { return Window()->findChild<QtDockBar*>(QStringLiteral("Bar2003")); }
    QtTreeCtrl* TreeWidget() const { return Dock() != nullptr ? Dock()->Tree() : nullptr; }
    HTREEITEM Item(Kind kind) const { return Bar().FindItem(kind); }
    HTREEITEM WindowItem(const char* name) const { return Bar().FindWindowItem(QString::fromLatin1(name)); }
    // A new document with further windows made by the main frame (names
    // the name dialog would refuse included).
    CHOXDoc* DocumentWith(const std::vector<const char*>& windows)
    {
        CHOXDoc* doc = NewDocument();
        for (const char* name : windows) Main()->CreateFlowChartWindow(QString::fromLatin1(name), QString(), 0);
        return doc;
    }
    void DeleteWindow(const char* name)
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        Main()->SetClickedItemText(QString::fromLatin1(name));
        Main()->OnDeleteWindow();
    }
    // The point in the tree widget's viewport on the item's label.
    QPoint LabelPoint(HTREEITEM item) const
    {
        QTreeWidgetItem* widgetItem = TreeWidget()->WidgetItem(item);
        const QRect r = TreeWidget()->visualItemRect(widgetItem);
        return QPoint(r.left() + 24, r.center().y());
    }
    void Layout() const
    {
        Window()->show();
        QCoreApplication::processEvents();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The skeleton

TEST_F(WorkspaceTreeTest, SkeletonTextsOrderAndKinds)
{
    EXPECT_EQ(Tree().GetCount(), 0u);
    m_bar.BuildTree();
    EXPECT_EQ(Rows(m_bar), kSkeleton);
    // The root and "Parameter" are open; every label shows the closed
    // folder, as the bar's own expansions change no picture.
    for (HTREEITEM item = Tree().GetRootItem(); item != 0; item = Tree().GetNextVisibleItem(item)) {
        const Kind kind = m_bar.GetItemKind(item);
        EXPECT_EQ(Tree().IsExpanded(item), kind == Kind::Root || kind == Kind::Parameter) << Tree().GetItemText(item).toStdString();
        EXPECT_EQ(Images(m_bar, item), std::make_pair(0, 0));
    }
    EXPECT_EQ(Tree().GetImageList(), &m_bar.GetImageList());
    ASSERT_EQ(m_bar.GetImageList().size(), 3u);
    for (const QImage& image : m_bar.GetImageList()) {
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_TRUE(image.hasAlphaChannel());
    }
}

TEST_F(WorkspaceTreeTest, BuildingAgainMakesOneSkeleton)
{
    m_bar.BuildTree();
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    m_bar.BuildTree();
    EXPECT_EQ(Rows(m_bar), kSkeleton);
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    EXPECT_EQ(Rows(m_bar), SkeletonWith({"Flow Chart1"}));
}

TEST_F(WorkspaceTreeTest, WindowItemsGoUnderTheirGroupOnly)
{
    // Without a skeleton nothing is added.
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    EXPECT_EQ(Tree().GetCount(), 0u);

    m_bar.BuildTree();
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    m_bar.AddWindowItem(QStringLiteral("Main"), QStringLiteral("Flow Chart"));
    // The monitor's label is never a group; nor is a text no label has.
    m_bar.AddWindowItem(QStringLiteral("Lost"), QStringLiteral("Monitoring"));
    m_bar.AddWindowItem(QStringLiteral("Lost"), QStringLiteral("Charts"));
    EXPECT_EQ(Rows(m_bar), SkeletonWith({"Flow Chart1", "Main"}));
    const HTREEITEM group = m_bar.FindItem(Kind::FlowCharts);
    EXPECT_TRUE(Tree().IsExpanded(group));
    EXPECT_EQ(Images(m_bar, group), std::make_pair(0, 0));
    EXPECT_EQ(Images(m_bar, m_bar.FindWindowItem(QStringLiteral("Main"))), std::make_pair(2, 2));
    EXPECT_EQ(m_bar.GetWindowItemNames(), QStringList({"Flow Chart1", "Main"}));
}

TEST_F(WorkspaceTreeTest, FoldersFollowTheUsersExpansions)
{
    m_bar.BuildTree();
    const HTREEITEM io = m_bar.FindItem(Kind::IoControl);
    const HTREEITEM parameter = m_bar.FindItem(Kind::Parameter);
    Tree().UserExpanded(io, true);
    EXPECT_EQ(Images(m_bar, io), std::make_pair(1, 1));
    Tree().UserExpanded(parameter, false);
    EXPECT_EQ(Images(m_bar, parameter), std::make_pair(0, 0));
    Tree().UserExpanded(parameter, true);
    EXPECT_EQ(Images(m_bar, parameter), std::make_pair(1, 1));
    Tree().UserExpanded(io, false);
    EXPECT_EQ(Images(m_bar, io), std::make_pair(0, 0));
}

TEST_F(WorkspaceTreeTest, OnlyWindowItemsAreRenamedOrDeleted)
{
    m_bar.BuildTree();
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    const HTREEITEM group = m_bar.FindItem(Kind::FlowCharts);
    Tree().UserExpanded(group, false);
    Tree().UserExpanded(group, true);
    ASSERT_EQ(Images(m_bar, group), std::make_pair(1, 1));

    Tree().SelectItem(m_bar.FindItem(Kind::Units));
    m_bar.SetSelectedItemText(QStringLiteral("Renamed"));
    m_bar.DeleteSelectedItem();
    EXPECT_EQ(Rows(m_bar), SkeletonWith({"Flow Chart1"}));

    m_bar.SetClickedItemText(QStringLiteral("Flow Chart1"));
    EXPECT_EQ(Tree().GetSelectedItem(), m_bar.FindWindowItem(QStringLiteral("Flow Chart1")));
    m_bar.SetSelectedItemText(QStringLiteral("Main"));
    EXPECT_EQ(m_bar.GetClickedItemText(), QStringLiteral("Main"));
    m_bar.DeleteSelectedItem();
    EXPECT_EQ(Rows(m_bar), kSkeleton);
    // The deleted item is clicked no more; the emptied group is closed.
    EXPECT_EQ(m_bar.GetClickedItem(), 0u);
    EXPECT_EQ(m_bar.GetClickedItemText(), QString());
    EXPECT_FALSE(Tree().IsExpanded(group));
    EXPECT_EQ(Images(m_bar, group), std::make_pair(0, 0));
}

TEST_F(WorkspaceTreeTest, AClickedTextWithoutAnItemStandsAlone)
{
    m_bar.BuildTree();
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    m_bar.SetClickedItemText(QStringLiteral("Flow Chart1"));
    m_bar.SetClickedItemText(QStringLiteral("Gone"));
    EXPECT_EQ(m_bar.GetClickedItem(), 0u);
    EXPECT_EQ(Tree().GetSelectedItem(), 0u);
    EXPECT_EQ(m_bar.GetClickedItemText(), QStringLiteral("Gone"));
    // Labels are not window items.
    m_bar.SetClickedItemText(QStringLiteral("Monitoring"));
    EXPECT_EQ(m_bar.GetClickedItem(), 0u);
    m_bar.DeleteAllItems();
    EXPECT_EQ(m_bar.GetClickedItemText(), QString());
}

TEST_F(WorkspaceTreeTest, WhatOpeningEachItemDoes)
{
    m_bar.BuildTree();
    m_bar.AddWindowItem(QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart"));
    const struct {
        Kind kind;
        Action doubleClick;
        Action enter;
    } cases[] = {
        {Kind::Root, Action::None, Action::ToggleExpansion},
        {Kind::Monitoring, Action::ActivateMonitor, Action::ActivateMonitor},
        {Kind::Parameter, Action::None, Action::ToggleExpansion},
        {Kind::Positioning, Action::None, Action::ToggleExpansion},
        {Kind::Units, Action::EditParameters, Action::EditParameters},
        {Kind::MachineZero, Action::EditParameters, Action::EditParameters},
        {Kind::Speed, Action::EditParameters, Action::EditParameters},
        {Kind::Settings, Action::EditParameters, Action::EditParameters},
        {Kind::IoControl, Action::None, Action::ToggleExpansion},
        {Kind::ProgramNumber, Action::EditParameters, Action::EditParameters},
        {Kind::Mcode, Action::EditParameters, Action::EditParameters},
        {Kind::Pulser, Action::EditParameters, Action::EditParameters},
        {Kind::AbsPosition, Action::EditParameters, Action::EditParameters},
        {Kind::Others, Action::EditParameters, Action::EditParameters},
        {Kind::SystemGroup, Action::None, Action::ToggleExpansion},
        {Kind::System, Action::EditParameters, Action::EditParameters},
        {Kind::Subtask, Action::EditParameters, Action::EditParameters},
        {Kind::FlowCharts, Action::None, Action::ToggleExpansion},
        {Kind::Window, Action::ShowWindow, Action::ShowWindow},
    };
    for (const auto& c : cases) {
        const HTREEITEM item = m_bar.FindItem(c.kind);
        ASSERT_NE(item, 0u) << static_cast<int>(c.kind);
        EXPECT_EQ(m_bar.GetOpenAction(item, false), c.doubleClick) << static_cast<int>(c.kind);
        EXPECT_EQ(m_bar.GetOpenAction(item, true), c.enter) << static_cast<int>(c.kind);
    }
    EXPECT_EQ(m_bar.GetOpenAction(0, true), Action::None);
}

TEST_F(WorkspaceTreeTest, SizesDockedAndStretched)
{
    // The template's 104 x 106 dialog units.
    EXPECT_EQ(m_bar.GetCurrentSize(), CSize(156, 172));
    EXPECT_EQ(m_bar.GetDockedSize(), CSize());
    EXPECT_EQ(m_bar.CalcDynamicLayout(0, LM_HORZDOCK | LM_VERTDOCK), CSize(156, 172));
    EXPECT_EQ(m_bar.GetDockedSize(), CSize(156, 172));
    EXPECT_EQ(m_bar.GetFloatingSize(), CSize(156, 172));
    // A docked bar keeps its size whatever length is asked for.
    EXPECT_EQ(m_bar.CalcDynamicLayout(400, LM_LENGTHY), CSize(156, 172));
    EXPECT_EQ(m_bar.CalcDynamicLayout(-1, LM_VERTDOCK), CSize(156, 172));
    EXPECT_EQ(m_bar.CalcFixedLayout(true, false), CSize(156, 172));
    // The size computation itself grows the height by the length asked for
    // less the last one.
    EXPECT_EQ(m_bar.CalcSize(200, true), CSize(156, 200));
    EXPECT_EQ(m_bar.CalcSize(-1, true), CSize(156, 200));
    EXPECT_EQ(m_bar.CalcSize(150, false), CSize(156, 200));
    EXPECT_FALSE(m_bar.IsCustomDockingEnabled());
    m_bar.EnableCustomDocking(); // no window, no docking of its own
    EXPECT_FALSE(m_bar.IsCustomDockingEnabled());
}

// ---------------------------------------------------------------------------
// The tree with the document

TEST_F(WorkspaceBarTest, AtStartTheBarIsHiddenAndEmpty)
{
    ASSERT_NE(Dock(), nullptr);
    EXPECT_TRUE(Bar().HasWindow());
    EXPECT_FALSE(Bar().IsWindowVisible());
    EXPECT_EQ(Dock()->windowTitle(), QStringLiteral("Workspace"));
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(TreeWidget()->topLevelItemCount(), 0);
    EXPECT_EQ(TreeWidget()->objectName(), QStringLiteral("Control8004"));
}

TEST_F(WorkspaceBarTest, FileNewShowsTheSkeletonWithTheFirstChart)
{
    NewDocument();
    EXPECT_EQ(Rows(Bar()), SkeletonWith({"Flow Chart1"}));
    EXPECT_TRUE(Bar().IsWindowVisible());
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_TRUE(Bar().IsCustomDockingEnabled());
    CSize docked;
    Main()->GetWorkspaceDockSize(docked);
    EXPECT_EQ(docked, CSize(156, 172));
    // The widget shows the same tree.
    QtTreeCtrl* widget = TreeWidget();
    ASSERT_EQ(widget->topLevelItemCount(), 1);
    QTreeWidgetItem* root = widget->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("HOX Windows"));
    ASSERT_EQ(root->childCount(), 3);
    EXPECT_EQ(root->child(2)->text(0), QStringLiteral("Flow Chart"));
    EXPECT_EQ(root->child(2)->child(0)->text(0), QStringLiteral("Flow Chart1"));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(root->child(1)->isExpanded());
    EXPECT_TRUE(root->child(2)->isExpanded());
    EXPECT_FALSE(root->child(1)->child(0)->isExpanded());
    EXPECT_FALSE(root->child(2)->child(0)->icon(0).isNull());
}

TEST_F(WorkspaceBarTest, WindowItemsFollowTheWorkspaceCommands)
{
    CHOXDoc* doc = NewDocument();
    // New Flow Chart and New Subtask append their items.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2066, [](DialogDriver& d) { d.Click(IDOK); });
        dialogs.Expect(2066, [](DialogDriver& d) { d.Click(IDOK); });
        Main()->OnNewFlowChart();
        Main()->OnNewSubtask();
    }
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Flow Chart2", "Subtask"}));
    // Scratch windows of monitoring get no item.
    Main()->CreateHiddenFlowChartWindow(QStringLiteral("FlowChart 1(Blank)"));
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Flow Chart2", "Subtask"}));
    doc->RemoveWindow(QStringLiteral("FlowChart 1(Blank)"));

    // Update renames the item in its place.
    Main()->SetClickedItemText(QStringLiteral("Flow Chart2"));
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2066, [](DialogDriver& d) {
            d.Type(8087, QStringLiteral("Main"));
            d.Click(IDOK);
        });
        Main()->OnUpdateWindow();
    }
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Main", "Subtask"}));
    EXPECT_EQ(Main()->GetClickedItemText(), QStringLiteral("Main"));
    EXPECT_EQ(Tree().GetSelectedItem(), WindowItem("Main"));

    // Delete takes it away; No keeps it.
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDNO);
        Main()->OnDeleteWindow();
    }
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Main", "Subtask"}));
    DeleteWindow("Main");
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Subtask"}));
    EXPECT_EQ(Bar().GetWindowItemNames(), doc->GetWindowNameList());
    // The widget follows.
    QTreeWidgetItem* group = TreeWidget()->WidgetItem(Item(Kind::FlowCharts));
    ASSERT_EQ(group->childCount(), 2);
    EXPECT_EQ(group->child(1)->text(0), QStringLiteral("Subtask"));
}

TEST_F(WorkspaceBarTest, ClosingTheDocumentEmptiesTheTree)
{
    NewDocument();
    GetCommandRouter()->Execute(32043);
    ASSERT_EQ(Doc(), nullptr);
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(TreeWidget()->topLevelItemCount(), 0);
    EXPECT_EQ(Main()->GetClickedItemText(), QString());
}

TEST_F(WorkspaceBarTest, AnOpenedFileBringsItsItemsBackInItsOrder)
{
    DocumentWith({"Subtask", "Main"});
    Main()->SetClickedItemText(QStringLiteral("Flow Chart1"));
    {
        ScriptedMessages messages;
        messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
        Main()->OnDeleteWindow();
    }
    Main()->CreateFlowChartWindow(QStringLiteral("Last"), QString(), 0);
    const QStringList names = Doc()->GetWindowNameList();
    ASSERT_EQ(names, QStringList({"Subtask", "Main", "Last"}));
    ASSERT_TRUE(Doc()->OnSaveDocument(Path(QStringLiteral("press.hox"))));
    GetCommandRouter()->Execute(32043);
    ASSERT_EQ(Doc(), nullptr);

    ASSERT_NE(m_app->OpenDocumentFile(Path(QStringLiteral("press.hox"))), nullptr);
    EXPECT_EQ(Rows(Bar()), SkeletonWith({"Subtask", "Main", "Last"}));
    EXPECT_TRUE(Bar().IsWindowVisible());
    // Opening it again (the same document closed first) builds it once.
    ASSERT_NE(m_app->OpenDocumentFile(Path(QStringLiteral("press.hox"))), nullptr);
    EXPECT_EQ(Rows(Bar()), SkeletonWith({"Subtask", "Main", "Last"}));
}

// ---------------------------------------------------------------------------
// The item menu

TEST_F(WorkspaceBarTest, NoMenuForTheLabels)
{
    DocumentWith({"Subtask"});
    for (const Row& row : kSkeleton) {
        if (row.kind == Kind::FlowCharts) continue;
        EXPECT_EQ(Bar().GetMenuState(Item(row.kind)), Menu()) << row.text.toStdString();
    }
    EXPECT_EQ(Bar().GetMenuState(0), Menu());
}

TEST_F(WorkspaceBarTest, TheFlowChartGroupOffersNewSubtaskOnlyWithoutOne)
{
    NewDocument();
    EXPECT_EQ(Bar().GetMenuState(Item(Kind::FlowCharts)), (Menu{true, true, true, false, false}));
    Main()->CreateFlowChartWindow(QStringLiteral("Subtask"), QString(), 0);
    EXPECT_EQ(Bar().GetMenuState(Item(Kind::FlowCharts)), (Menu{true, true, false, false, false}));
}

TEST_F(WorkspaceBarTest, DeleteIsOfferedWhereAWindowMayGo)
{
    const struct {
        std::vector<const char*> windows; // besides Flow Chart1
        bool withoutFirst;
        const char* item;
        bool remove;
    } cases[] = {
        {{}, false, "Flow Chart1", false},                     // the last window
        {{"Subtask"}, false, "Flow Chart1", false},            // the subtask after it
        {{"Subtask", "Flow Chart2"}, true, "Flow Chart2", false}, // the subtask before it
        {{"Flow Chart2"}, false, "Flow Chart1", true},
        {{"Flow Chart2"}, false, "Flow Chart2", true},
        {{"Flow Chart2", "Subtask"}, false, "Flow Chart1", true},
        {{"Subtask"}, false, "Subtask", true},
        {{"Monitoring"}, false, "Monitoring", true},           // a chart named like a label
    };
    for (const auto& c : cases) {
        CHOXDoc* doc = DocumentWith(c.windows);
        if (c.withoutFirst) DeleteWindow("Flow Chart1");
        const HTREEITEM item = WindowItem(c.item);
        ASSERT_NE(item, 0u) << c.item;
        EXPECT_EQ(Bar().GetMenuState(item), (Menu{true, false, false, true, c.remove}))
            << c.item << " of " << doc->GetWindowNameList().join(',').toStdString();
        doc->SetModifiedFlag(false);
    }
}

TEST_F(WorkspaceBarTest, ChartsNamedLikeLabelsAreWindowsAllTheSame)
{
    DocumentWith({"Monitoring", "System", "Parameter", "HOX Windows", "Units"});
    for (const char* name : {"Monitoring", "System", "Parameter", "HOX Windows", "Units"}) {
        const HTREEITEM item = WindowItem(name);
        ASSERT_NE(item, 0u) << name;
        EXPECT_EQ(Bar().GetItemKind(item), Kind::Window);
        EXPECT_EQ(Bar().GetMenuState(item), (Menu{true, false, false, true, true})) << name;
        EXPECT_EQ(Bar().GetOpenAction(item, true), Action::ShowWindow) << name;
    }
    // The labels stay labels.
    EXPECT_EQ(Bar().GetOpenAction(Item(Kind::Monitoring), false), Action::ActivateMonitor);
    EXPECT_EQ(Bar().GetMenuState(Item(Kind::Monitoring)), Menu());
}

TEST_F(WorkspaceBarTest, TheMenuShowsItsEntriesAndRunsTheChosenOne)
{
    CHOXDoc* doc = DocumentWith({"Flow Chart2"});
    Layout();
    const HTREEITEM item = WindowItem("Flow Chart2");
    const std::vector<std::pair<QString, bool>> expected = {
        {"&New Flow Chart", false}, {"&New Subtask", false}, {"&Update", true}, {"&Delete", true}};
    ScriptedMessages messages;
    messages.Expect(kDeleteQuestion, kDeleteStyle, IDYES);
    const PopupSeen seen = WithPopup([&] { Tree().UserContextMenu(item, CPoint(20, 20)); }, QStringLiteral("&Delete"));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.entries, expected);
    EXPECT_EQ(doc->FindWindowByName(QStringLiteral("Flow Chart2")), nullptr);
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1"}));

    // The group: New Flow Chart runs the name dialog.
    ScriptedDialogs dialogs;
    dialogs.Expect(2066, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Add New Flow Chart"));
        d.Click(IDOK);
    });
    const PopupSeen group =
        WithPopup([&] { Tree().UserContextMenu(Item(Kind::FlowCharts), CPoint(20, 20)); }, QStringLiteral("&New Flow Chart"));
    EXPECT_EQ(group.entries, (std::vector<std::pair<QString, bool>>{
                                 {"&New Flow Chart", true}, {"&New Subtask", true}, {"&Update", false}, {"&Delete", false}}));
    EXPECT_EQ(Bar().GetWindowItemNames(), QStringList({"Flow Chart1", "Flow Chart2"}));
}

TEST_F(WorkspaceBarTest, ARightClickSelectsTheItemAndMakesItTheClickedOne)
{
    DocumentWith({"Flow Chart2"});
    Layout();
    const HTREEITEM item = WindowItem("Flow Chart2");
    WithPopup([&] { Tree().UserContextMenu(item, CPoint(5, 5)); });
    EXPECT_EQ(Tree().GetSelectedItem(), item);
    EXPECT_EQ(Main()->GetClickedItemText(), QStringLiteral("Flow Chart2"));
    EXPECT_EQ(TreeWidget()->currentItem(), TreeWidget()->WidgetItem(item));
    // A label is clicked and selected too, but shows no menu.
    const PopupSeen seen = WithPopup([&] { Tree().UserContextMenu(Item(Kind::Speed), CPoint(5, 5)); });
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(Main()->GetClickedItemText(), QStringLiteral("Speed"));
    EXPECT_EQ(Tree().GetSelectedItem(), Item(Kind::Speed));
}

TEST_F(WorkspaceBarTest, NoMenuOffAnItemOrFromTheKeyboard)
{
    DocumentWith({"A"});
    Layout();
    QtTreeCtrl* widget = TreeWidget();
    const HTREEITEM item = WindowItem("A");
    Main()->SetClickedItemText(QStringLiteral("A"));
    const QPoint label = LabelPoint(item);
    const struct {
        QContextMenuEvent::Reason reason;
        QPoint point;
        bool shown;
    } cases[] = {
        {QContextMenuEvent::Keyboard, label, false},
        {QContextMenuEvent::Mouse, QPoint(label.x(), widget->viewport()->height() - 2), false}, // below the items
        {QContextMenuEvent::Mouse, QPoint(widget->viewport()->width() - 2, label.y()), false},  // right of the label
        {QContextMenuEvent::Mouse, label, true},
    };
    for (const auto& c : cases) {
        const PopupSeen seen = WithPopup([&] {
            QContextMenuEvent event(c.reason, c.point, widget->viewport()->mapToGlobal(c.point));
            QCoreApplication::sendEvent(widget->viewport(), &event);
        });
        EXPECT_EQ(seen.shown, c.shown) << c.point.x() << "," << c.point.y();
    }
}

// ---------------------------------------------------------------------------
// Opening items

TEST_F(WorkspaceBarTest, DoubleClickingAClosedChartShowsItAgain)
{
    DocumentWith({"Flow Chart2"});
    Layout();
    CMDIChildWnd* frame = ChartFrame(QStringLiteral("Flow Chart1"));
    frame->ShowWindow(SW_HIDE);
    ASSERT_FALSE(frame->IsWindowVisible());
    const HTREEITEM item = WindowItem("Flow Chart1");
    QTest::mouseDClick(TreeWidget()->viewport(), Qt::LeftButton, {}, LabelPoint(item));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), frame);
    EXPECT_EQ(Bar().GetClickedItem(), item);
}

TEST_F(WorkspaceBarTest, DoubleClickingMonitoringActivatesTheMonitorWindow)
{
    DocumentWith({"Monitoring"});
    Layout();
    // The label: the monitor window.
    Tree().SelectItem(Item(Kind::Monitoring));
    Tree().UserDoubleClicked(Item(Kind::Monitoring));
    EXPECT_EQ(Main()->MDIGetActive(), MonitorFrame());
    // The chart named so: the chart.
    Tree().SelectItem(WindowItem("Monitoring"));
    Tree().UserDoubleClicked(WindowItem("Monitoring"));
    EXPECT_EQ(Main()->MDIGetActive(), ChartFrame(QStringLiteral("Monitoring")));
}

TEST_F(WorkspaceBarTest, ADoubleClickOffTheLabelOpensNothing)
{
    DocumentWith({"Flow Chart2"});
    CMDIChildWnd* frame = ChartFrame(QStringLiteral("Flow Chart1"));
    frame->ShowWindow(SW_HIDE);
    Tree().SelectItem(WindowItem("Flow Chart1"));
    Tree().UserDoubleClicked(0);
    EXPECT_FALSE(frame->IsWindowVisible());
    // The selected item is the clicked one all the same.
    EXPECT_EQ(Main()->GetClickedItemText(), QStringLiteral("Flow Chart1"));
}

TEST_F(WorkspaceBarTest, ParameterPagesOpenTheirDialogsAndGroupsOpenNothing)
{
    NewDocument();
    const CMDIChildWnd* active = Main()->MDIGetActive();
    // The dialog each page opens. Any other message or dialog would fail the
    // test.
    const std::map<Kind, UINT> dialogs = {
        {Kind::ProgramNumber, 2051}, {Kind::Mcode, 2049},       {Kind::Pulser, 2050},   {Kind::AbsPosition, 2048},
        {Kind::Others, 2052},        {Kind::System, 2055},      {Kind::Subtask, 2054},  {Kind::Units, 2057},
        {Kind::Speed, 2058},         {Kind::MachineZero, 2053}, {Kind::Settings, 2056},
    };
    for (const Row& row : kSkeleton) {
        const HTREEITEM item = Item(row.kind);
        const bool expanded = Tree().IsExpanded(item);
        if (row.kind == Kind::Monitoring) continue;
        ScriptedDialogs scripted;
        if (auto it = dialogs.find(row.kind); it != dialogs.end())
            scripted.Expect(it->second, [](DialogDriver& d) { d.Click(IDCANCEL); });
        Tree().SelectItem(item);
        Tree().UserDoubleClicked(item);
        EXPECT_EQ(Tree().IsExpanded(item), expanded) << row.text.toStdString();
        EXPECT_EQ(Main()->MDIGetActive(), active);
    }
    // Cancelled, each left the document as it was.
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(WorkspaceBarTest, EnterOpensTheSelectedItemWhileTheTreeHasTheFocus)
{
    DocumentWith({"Flow Chart2"});
    Layout();
    CMDIChildWnd* frame = ChartFrame(QStringLiteral("Flow Chart1"));
    frame->ShowWindow(SW_HIDE);
    Tree().SelectItem(WindowItem("Flow Chart1"));
    // Elsewhere Enter is not the tree's.
    Tree().FocusChanged(false);
    EXPECT_TRUE(GetCommandRouter()->Execute(32891));
    EXPECT_FALSE(frame->IsWindowVisible());

    Tree().SetFocus();
    EXPECT_TRUE(GetCommandRouter()->Execute(32891));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), frame);
}

// The key itself, typed in the tree, runs the accelerator's command.
TEST_F(WorkspaceBarTest, TheEnterKeyInTheTreeOpensTheSelectedChart)
{
    DocumentWith({"Flow Chart2"});
    Layout();
    CMDIChildWnd* frame = ChartFrame(QStringLiteral("Flow Chart1"));
    frame->ShowWindow(SW_HIDE);
    Tree().SelectItem(WindowItem("Flow Chart1"));
    QApplication::setActiveWindow(Window());
    TreeWidget()->setFocus();
    ASSERT_TRUE(Tree().HasFocus());
    QTest::keyClick(TreeWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), frame);

    // The keypad's Enter does the same.
    frame->ShowWindow(SW_HIDE);
    TreeWidget()->setFocus();
    QTest::keyClick(TreeWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->IsWindowVisible());
}

TEST_F(WorkspaceBarTest, EnterOnAGroupOpensAndClosesIt)
{
    NewDocument();
    const HTREEITEM parameter = Item(Kind::Parameter);
    const HTREEITEM io = Item(Kind::IoControl);
    Tree().SetFocus();
    const struct {
        HTREEITEM item;
        bool expanded;
        int image;
    } cases[] = {
        {parameter, false, 0},
        {parameter, true, 1},
        {io, true, 1},
        {io, false, 0},
    };
    for (const auto& c : cases) {
        Tree().SelectItem(c.item);
        Main()->OnEnterKey();
        EXPECT_EQ(Tree().IsExpanded(c.item), c.expanded);
        EXPECT_EQ(Images(Bar(), c.item), std::make_pair(c.image, c.image));
        EXPECT_EQ(TreeWidget()->WidgetItem(c.item)->isExpanded(), c.expanded);
    }
}

TEST_F(WorkspaceBarTest, TheWidgetReportsTheUsersExpansions)
{
    NewDocument();
    const HTREEITEM positioning = Item(Kind::Positioning);
    TreeWidget()->WidgetItem(positioning)->setExpanded(true);
    EXPECT_TRUE(Tree().IsExpanded(positioning));
    EXPECT_EQ(Images(Bar(), positioning), std::make_pair(1, 1));
    TreeWidget()->WidgetItem(positioning)->setExpanded(false);
    EXPECT_EQ(Images(Bar(), positioning), std::make_pair(0, 0));
}

TEST_F(WorkspaceBarTest, ContextHelpShowsTheBarsPage)
{
    RecordingHelp help;
    Bar().OnHelpHitTest();
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages.front(), HelpPageFor(0x207D3));
}

// ---------------------------------------------------------------------------
// Docking and sizes

TEST_F(WorkspaceBarTest, DockedAtTheLeftOnTopAtItsTemplateSize)
{
    NewDocument();
    Layout();
    QtDockBar* dock = Dock();
    EXPECT_EQ(Window()->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(dock->Client()->size(), QSize(156, 172));
    EXPECT_FALSE(dock->features() & QDockWidget::DockWidgetClosable);
    EXPECT_EQ(dock->allowedAreas(), Qt::LeftDockWidgetArea);
    // Bars of the palette, if any, sit below it.
    for (QDockWidget* other : Window()->findChildren<QDockWidget*>()) {
        if (other == dock || other->isHidden() || other->isFloating()) continue;
        if (Window()->dockWidgetArea(other) != Qt::LeftDockWidgetArea) continue;
        EXPECT_GT(other->y(), dock->y()) << other->objectName().toStdString();
    }
}

TEST_F(WorkspaceBarTest, FloatingItKeepsItsWidthAndFollowsTheStretchedHeight)
{
    NewDocument();
    Layout();
    QtDockBar* dock = Dock();
    dock->setFloating(true);
    QCoreApplication::processEvents();
    ASSERT_TRUE(Bar().IsFloating());
    EXPECT_EQ(dock->Client()->size(), QSize(156, 172));

    // Stretching the lower edge changes the height; the width stays.
    dock->resize(dock->width(), dock->height() + 90);
    QCoreApplication::processEvents();
    EXPECT_EQ(dock->Client()->height(), 262);
    EXPECT_EQ(dock->Client()->width(), 156);
    CSize floating;
    Main()->GetWorkspaceFloatSize(floating);
    EXPECT_EQ(floating, CSize(156, 262));
    dock->resize(dock->width() + 50, dock->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(dock->Client()->width(), 156);

    // Docked again: the template size; floating again: its floating size.
    Bar().DockLeft();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(dock->Client()->size(), QSize(156, 172));
    CSize docked;
    Main()->GetWorkspaceDockSize(docked);
    EXPECT_EQ(docked, CSize(156, 172));
    dock->setFloating(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(dock->Client()->size(), QSize(156, 262));
    // A user's dock brings it back to the top of the left edge.
    dock->setFloating(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(Window()->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(dock->Client()->size(), QSize(156, 172));
}

TEST_F(WorkspaceBarTest, TheFloatingBarCannotBeClosed)
{
    NewDocument();
    Layout();
    QtDockBar* dock = Dock();
    dock->setFloating(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(dock->close());
    EXPECT_TRUE(Bar().IsWindowVisible());
}

// The item the widget shows selected is the one Enter and a double-click
// act on, also after the selected item went or was folded away.
TEST_F(WorkspaceBarTest, TheWidgetsSelectionIsTheTreesAfterDeleteAndCollapse)
{
    DocumentWith({"Flow Chart2", "Flow Chart3"});
    Layout();
    QtTreeCtrl* widget = TreeWidget();
    CMDIChildWnd* third = ChartFrame(QStringLiteral("Flow Chart3"));
    third->ShowWindow(SW_HIDE);

    // Deleting the selected chart leaves nothing selected in the widget
    // either; a double-click on the next chart then opens it.
    DeleteWindow("Flow Chart2");
    EXPECT_EQ(Tree().GetSelectedItem(), 0u);
    EXPECT_EQ(widget->currentItem(), nullptr);
    EXPECT_TRUE(widget->selectedItems().isEmpty());
    const HTREEITEM item = WindowItem("Flow Chart3");
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, LabelPoint(item));
    EXPECT_EQ(Tree().GetSelectedItem(), item);
    EXPECT_EQ(Bar().GetClickedItem(), item);
    EXPECT_TRUE(third->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), third);

    // Folding the group of the selected chart selects the group: Enter then
    // opens the group again rather than the chart no longer shown.
    third->ShowWindow(SW_HIDE);
    const HTREEITEM group = Item(Kind::FlowCharts);
    widget->WidgetItem(group)->setExpanded(false);
    EXPECT_EQ(Tree().GetSelectedItem(), group);
    EXPECT_EQ(widget->currentItem(), widget->WidgetItem(group));
    Tree().SetFocus();
    Main()->OnEnterKey();
    EXPECT_TRUE(Tree().IsExpanded(group));
    EXPECT_FALSE(third->IsWindowVisible());
}
