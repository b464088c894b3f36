// Nodes: stored form, drawing, renumbering, removal, sliding along their wire,
// and the NODE dialog.
#include "chart/ChartFixture.h"
#include "chart/HOXNodeDlg.h"
#include "chart/RecordingPainter.h"
#include "platform/Archive.h"
#include "platform/ui/QtDialogSite.h"
#include "symbols/flow/HOXFlowJumpEnd.h"
#include "symbols/flow/HOXFlowPointer.h"

#include <QPainter>
#include <QToolButton>

using kt::test::ChartFixture;
using kt::test::DialogDriver;
using kt::test::MemoryViewHost;
using kt::test::RecordingHelp;
using kt::test::RecordingPaintDevice;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

class NodeTest : public ChartFixture {
protected:
    // A START-like symbol at (68, 50) wired down to one at (68, 250), with a
    // node on the wire: (100,82) (100,166) (100,166) (100,250), node at y 208.
    CHOXNode* Chain()
    {
        Place(1, {68, 50});
        Place(2, {68, 250});
        main = Wire(3, 1, 1, 2);
        return NodeOn(main);
    }

    CHOXConnect* main = nullptr;
};

constexpr int kEdit = CHOXNodeDlg::kNumberEdit;

} // namespace

TEST_F(NodeTest, StoredForm)
{
    CHOXNode node(7, CRect(95, 145, 105, 155), 3, wnd);
    node.AddInWire(4);
    node.AddInWire(6);
    CArchive out;
    out.WriteObject(&node);
    const QByteArray expected = QByteArray::fromHex("ffff00000800") + "CHOXNode" +
                                QByteArray::fromHex("07000000" "5f000000" "91000000" "69000000" "9b000000"
                                                    "03000000"              // the wire it sits on
                                                    "0200" "04000000" "06000000"); // the jumps to it
    EXPECT_EQ(out.Buffer().toHex(), expected.toHex());
    CArchive in(out.Buffer());
    auto back = in.ReadOwned<CHOXNode>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetId(), 7u);
    EXPECT_EQ(back->GetRect(), CRect(95, 145, 105, 155));
    EXPECT_EQ(back->GetOutWireId(), 3u);
    EXPECT_EQ(back->GetInWires(), (std::vector<DWORD>{4, 6}));
    EXPECT_EQ(back->GetObjectType(), 502);
    for (int cut = 0; cut < out.Buffer().size(); ++cut) {
        CArchive damaged(out.Buffer().left(cut));
        EXPECT_THROW(damaged.ReadOwned<CHOXNode>(), ArchiveError) << cut;
    }
}

TEST_F(NodeTest, IncomingWireList)
{
    CHOXNode node(7, CRect(), 3, wnd);
    for (DWORD id : {4u, 6u, 4u}) node.AddInWire(id);
    EXPECT_EQ(node.RemoveInWire(4), 0);
    EXPECT_EQ(node.GetInWires(), (std::vector<DWORD>{6, 4}));
    EXPECT_EQ(node.RemoveInWire(9), 2);
    node.ClearInWires();
    EXPECT_TRUE(node.GetInWires().empty());
}

TEST_F(NodeTest, DrawsADotItsNumberAndOneArrowPairPerSide)
{
    Place(1, {268, 50});
    Place(2, {400, 50});
    wnd->AddNode(std::make_unique<CHOXNode>(7, CRect(95, 145, 105, 155), 99, wnd));
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(7));
    // Two jumps arriving from the right.
    Wire(3, 1, 1, 7, CHOXConnect::kTargetNode);
    Wire(4, 2, 1, 7, CHOXConnect::kTargetNode);
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        node->Draw(&dc);
    }
    const auto& record = device.Record();
    ASSERT_EQ(record.ellipses.size(), 1u);
    EXPECT_EQ(record.ellipses[0].brush.color(), QColor(Qt::black));
    ASSERT_EQ(record.lines.size(), 2u);
    EXPECT_EQ(record.lines[0].line, QLineF(105, 150, 110, 145));
    EXPECT_EQ(record.lines[1].line, QLineF(105, 150, 110, 155));
    ASSERT_EQ(record.texts.size(), 2u);
    EXPECT_EQ(record.texts[0].text, QStringLiteral("P "));
    EXPECT_EQ(device.TextOrigin(record.texts[0]), QPoint(63, 131));
    EXPECT_EQ(record.texts[1].text, QStringLiteral("7"));
    EXPECT_EQ(device.TextOrigin(record.texts[1]), QPoint(73, 131));

    // One more from the left: both sides.
    Place(5, {-100, 50});
    Wire(6, 5, 1, 7, CHOXConnect::kTargetNode);
    RecordingPaintDevice again;
    {
        QPainter painter(&again);
        CDC dc(painter);
        node->Draw(&dc);
    }
    ASSERT_EQ(again.Record().lines.size(), 4u);
    EXPECT_EQ(again.Record().lines[2].line, QLineF(95, 150, 90, 145));
}

TEST_F(NodeTest, RenumberMovesTheNodeAndEveryJumpToIt)
{
    CHOXNode* node = Chain();
    const DWORD old = node->GetId();
    Place(4, {300, 50});
    Place(6, {400, 50});
    CHOXConnect* a = Wire(5, 4, 1, old, CHOXConnect::kTargetNode);
    CHOXConnect* b = Wire(7, 6, 1, old, CHOXConnect::kTargetNode);
    a->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(static_cast<int>(old), CRect(), wnd));
    b->SetJumpEnd(std::make_unique<CHOXFlowJumpEnd>(static_cast<int>(old), CRect(), wnd));
    node->Renumber(30);
    EXPECT_EQ(node->GetId(), 30u);
    EXPECT_EQ(wnd->LookupNode(30), node);
    EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(old)), nullptr);
    EXPECT_EQ(main->GetNodeId(), 30u);
    for (CHOXConnect* w : {a, b}) {
        EXPECT_EQ(w->GetTargetId(), 30u);
        EXPECT_EQ(w->GetJumpEnd()->GetPointerNumber(), 30);
    }
    // The pointer table is the callers' business.
    EXPECT_TRUE(doc.IsPointerNumberUsed(static_cast<int>(old)));
    EXPECT_FALSE(doc.IsPointerNumberUsed(30));

    // Another node already holds the number: nothing changes.
    wnd->AddNode(std::make_unique<CHOXNode>(31, CRect(), 99, wnd));
    node->Renumber(31);
    EXPECT_EQ(node->GetId(), 30u);
    EXPECT_NE(wnd->LookupNode(31), node);
    // Without its wire a node keeps its number.
    CHOXNode orphan(40, CRect(), 98, wnd);
    orphan.Renumber(41);
    EXPECT_EQ(orphan.GetId(), 40u);
}

TEST_F(NodeTest, RemoveHandsTheJumpsToUndoAndGivesTheNumberBack)
{
    CHOXNode* node = Chain();
    const DWORD number = node->GetId();
    Place(4, {300, 50});
    Wire(5, 4, 1, number, CHOXConnect::kTargetNode);
    wnd->GetUndo()->Clear();
    auto owned = wnd->RemoveNode(static_cast<WORD>(number));
    EXPECT_FALSE(node->Remove());
    EXPECT_EQ(main->GetNodeId(), CHOXConnect::kNone);
    EXPECT_EQ(wnd->LookupConnect(5), nullptr);
    EXPECT_TRUE(node->GetInWires().empty());
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(number)));
    EXPECT_EQ(wnd->GetUndo()->GetAction(), 2);
}

TEST_F(NodeTest, APointersNodeKeepsThePointersNumber)
{
    auto* pointer = Place<CHOXFlowPointer>(1, {68, 50});
    Place(2, {68, 250});
    CHOXConnect* wire = Wire(3, 1, 0, 2);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) { d.Click(IDOK); });
    wire->OnOpen(0, CPoint(100, 200));
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(static_cast<WORD>(pointer->GetPointerNumber())));
    ASSERT_NE(node, nullptr);
    auto owned = wnd->RemoveNode(static_cast<WORD>(node->GetId()));
    node->Remove();
    EXPECT_TRUE(doc.IsPointerNumberUsed(pointer->GetPointerNumber()));
    // Nor does releasing it give the number back.
    wire->SetNodeId(node->GetId());
    node->Release();
    EXPECT_TRUE(doc.IsPointerNumberUsed(pointer->GetPointerNumber()));

    // A node whose wire is missing changes nothing on removal.
    CHOXNode orphan(50, CRect(), 98, wnd);
    doc.MarkPointerNumberUsed(50);
    orphan.Remove();
    EXPECT_TRUE(doc.IsPointerNumberUsed(50));
}

TEST_F(NodeTest, SnapsToTheVerticalSegmentUnderThePoint)
{
    CHOXNode* node = Chain();
    EXPECT_EQ(node->SnapToWire(CPoint(103, 120)), CPoint(100, 120));
    EXPECT_EQ(node->SnapToWire(CPoint(150, 120)), CPoint(0, 0));
    // The first segment that meets the point is the zero-length one here.
    EXPECT_EQ(node->SnapToWire(CPoint(100, 168)), CPoint(100, 168));
}

TEST_F(NodeTest, SlidesAlongItsWireBetweenTheEnds)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    CHOXNode* node = Chain(); // (95,203,105,213) on a straight wire from y 82 to 250
    node->OnLButtonDown(&view, MK_LBUTTON, CPoint(100, 208));
    EXPECT_TRUE(host.capture);
    node->OnMouseMove(&view, MK_LBUTTON, CPoint(140, 150)); // sideways is ignored
    EXPECT_EQ(node->GetRect(), CRect(95, 145, 105, 155));
    node->OnMouseMove(&view, MK_LBUTTON, CPoint(100, 245)); // near the end: stops 10 before it
    EXPECT_EQ(node->GetRect(), CRect(95, 240, 105, 250));
    node->OnMouseMove(&view, MK_LBUTTON, CPoint(100, 20));
    EXPECT_EQ(node->GetRect(), CRect(95, 82, 105, 92));
    EXPECT_TRUE(doc.IsModified());
    node->OnLButtonUp(&view, 0, CPoint(100, 20));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(node->m_ptPrevDrag, CPoint(100, 87));

    // On a Z route the node slides within its vertical segment.
    Place(4, {268, 50});
    Place(5, {368, 250});
    CHOXConnect* z = Wire(6, 4, 1, 5); // (300,82) (300,166) (400,166) (400,250)
    CHOXNode* onZ = NodeOn(z);
    ASSERT_EQ(onZ->GetRect(), CRect(395, 203, 405, 213));
    onZ->OnLButtonDown(&view, MK_LBUTTON, CPoint(400, 208));
    onZ->OnMouseMove(&view, MK_LBUTTON, CPoint(400, 100));
    EXPECT_EQ(onZ->GetRect(), CRect(395, 166, 405, 176));
    onZ->OnLButtonUp(&view, 0, CPoint(400, 100));
}

TEST_F(NodeTest, MovingANodeTakesItsJumpsAlong)
{
    CHOXNode* node = Chain();
    Place(4, {300, 50});
    CHOXConnect* jump = Wire(5, 4, 1, node->GetId(), CHOXConnect::kTargetNode);
    ASSERT_EQ(jump->GetPoints().back(), CPoint(100, 208));
    node->MoveTo(CRect(95, 115, 105, 125), nullptr);
    EXPECT_EQ(main->GetNodeSegment(), 0);
    EXPECT_EQ(jump->GetPoints().back(), CPoint(100, 120));
    EXPECT_EQ(jump->GetPoints()[jump->GetPoints().size() - 2].y, 120);
}

// ---------------------------------------------------------------------------
// Double click and the NODE dialog

TEST_F(NodeTest, DoubleClickRenumbersThroughTheDialog)
{
    CHOXNode* node = Chain();
    const DWORD old = node->GetId();
    wnd->GetUndo()->RecordAdd(node);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("NODE"));
        d.Type(kEdit, QStringLiteral("33"));
        d.Click(IDOK);
    });
    node->OnOpen(0, CPoint());
    EXPECT_EQ(node->GetId(), 33u);
    EXPECT_EQ(main->GetNodeId(), 33u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(33));
    EXPECT_FALSE(doc.IsPointerNumberUsed(static_cast<int>(old)));
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());

    // Cancel changes nothing.
    dialogs.Expect(2063, [](DialogDriver& d) {
        d.Type(kEdit, QStringLiteral("34"));
        d.Click(IDCANCEL);
    });
    node->OnOpen(0, CPoint());
    EXPECT_EQ(node->GetId(), 33u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(33));
    EXPECT_FALSE(doc.IsPointerNumberUsed(34));
}

TEST_F(NodeTest, TheTableAndTheNodeAgreeAfterTheDialogWhateverItsWire)
{
    // A wire whose source names nothing still carries its node: the node
    // takes the number the dialog moved in the table.
    Place(2, {68, 250});
    CHOXConnect* sourceless = Wire(3, 99, 1, 2);
    doc.MarkPointerNumberUsed(4);
    wnd->AddNode(std::make_unique<CHOXNode>(4, CRect(95, 203, 105, 213), 3, wnd));
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(4));
    sourceless->SetNodeId(4);
    // A node whose wire is gone cannot take a number: the table stays.
    doc.MarkPointerNumberUsed(8);
    wnd->AddNode(std::make_unique<CHOXNode>(8, CRect(0, 0, 10, 10), 77, wnd));
    auto* orphan = dynamic_cast<CHOXNode*>(wnd->LookupNode(8));
    const struct {
        const char* what;
        CHOXNode* node;
        int typed;
        DWORD idAfter;
    } cases[] = {
        {"wire without a source", node, 33, 33},
        {"no wire", orphan, 34, 8},
    };
    ScriptedDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int old = static_cast<int>(c.node->GetId());
        const QString typed = QString::number(c.typed);
        dialogs.Expect(2063, [typed](DialogDriver& d) {
            d.Type(kEdit, typed);
            d.Click(IDOK);
        });
        c.node->OnOpen(0, CPoint());
        EXPECT_EQ(c.node->GetId(), c.idAfter);
        EXPECT_EQ(wnd->LookupNode(static_cast<WORD>(c.idAfter)), c.node);
        const bool renumbered = c.idAfter != static_cast<DWORD>(old);
        EXPECT_EQ(doc.IsPointerNumberUsed(c.typed), renumbered);
        EXPECT_EQ(doc.IsPointerNumberUsed(old), !renumbered);
    }
    EXPECT_EQ(sourceless->GetNodeId(), 33u);
}

TEST_F(NodeTest, RenumberingAPointersNodeRenumbersThePointer)
{
    auto* pointer = Place<CHOXFlowPointer>(1, {68, 50});
    Place(2, {68, 250});
    CHOXConnect* wire = Wire(3, 1, 0, 2);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) { d.Click(IDOK); });
    wire->OnOpen(0, CPoint(100, 200));
    auto* node = dynamic_cast<CHOXNode*>(wnd->LookupNode(0));
    ASSERT_NE(node, nullptr);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Caution :Pointer Number of FlowPointer symbol is also updated"),
                    MB_OK | MB_ICONINFORMATION, IDOK);
    dialogs.Expect(2063, [](DialogDriver& d) {
        d.Type(kEdit, QStringLiteral("9"));
        d.Click(IDOK);
    });
    node->OnOpen(0, CPoint());
    EXPECT_EQ(pointer->GetPointerNumber(), 9);
    EXPECT_EQ(node->GetId(), 9u);
    EXPECT_TRUE(doc.IsPointerNumberUsed(9));
    EXPECT_FALSE(doc.IsPointerNumberUsed(0));
}

TEST_F(NodeTest, TheDialogRefusesNumbersOutsideTheRangeOrInUse)
{
    doc.SetControllerType(0);
    doc.MarkPointerNumberUsed(5);
    doc.MarkPointerNumberUsed(6);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(kEdit), QStringLiteral("5"));
        // The arrows stop at 127 on this controller type.
        d.Type(kEdit, QStringLiteral("127"));
        auto arrows = d.Widget(CHOXNodeDlg::kNumberSpin)->findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 2);
        arrows[0]->click();
        EXPECT_EQ(d.Text(kEdit), QStringLiteral("127"));
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("ERROR : Invalid Node Pointer number."), MB_OK | MB_ICONHAND, IDOK)
                .Expect(QStringLiteral("ERROR :  Pointer number is already exists."), MB_OK | MB_ICONHAND, IDOK)
                .Expect(QStringLiteral("Please enter an integer."), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Type(kEdit, QStringLiteral("200"));
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Type(kEdit, QStringLiteral("6"));
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Type(kEdit, QStringLiteral("P7"));
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
        }
        d.Type(kEdit, QStringLiteral("7"));
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    CHOXNodeDlg dlg(wnd, 5, true);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetNumber(), 7);
    EXPECT_FALSE(doc.IsPointerNumberUsed(5));
    EXPECT_TRUE(doc.IsPointerNumberUsed(6));
    EXPECT_TRUE(doc.IsPointerNumberUsed(7));
}

TEST_F(NodeTest, TheDialogKeepsTheTableForAnUnchangedNumber)
{
    doc.MarkPointerNumberUsed(5);
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) {
        // Up to 255 on the two-axis types.
        d.Type(kEdit, QStringLiteral("255"));
        d.Widget(CHOXNodeDlg::kNumberSpin)->findChildren<QToolButton*>()[0]->click();
        EXPECT_EQ(d.Text(kEdit), QStringLiteral("255"));
        d.Type(kEdit, QStringLiteral("5"));
        d.Click(IDOK);
    });
    CHOXNodeDlg dlg(wnd, 5, true);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(doc.IsPointerNumberUsed(5));
    for (int n = 0; n <= 255; ++n) EXPECT_EQ(doc.IsPointerNumberUsed(n), n == 5) << n;
}

TEST_F(NodeTest, CancelGivesBackOnlyANumberTakenForANewNode)
{
    const struct {
        bool newNode;
        bool taken;
        bool usedAfter;
    } cases[] = {
        {true, true, false},
        {true, false, true},  // the number of the wire's POINTER
        {false, false, true}, // an existing node
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.newNode * 10 + c.taken);
        doc.MarkPointerNumberUsed(5);
        ScriptedDialogs dialogs;
        dialogs.Expect(2063, [](DialogDriver& d) { d.PressKey(Qt::Key_Escape); });
        CHOXNode existing(5, CRect(), 3, wnd);
        std::unique_ptr<CHOXNodeDlg> dlg =
            c.newNode ? std::make_unique<CHOXNodeDlg>(wnd, 5, c.taken) : std::make_unique<CHOXNodeDlg>(&existing);
        EXPECT_EQ(dlg->DoModal(), IDCANCEL);
        EXPECT_EQ(doc.IsPointerNumberUsed(5), c.usedAfter);
    }
}

TEST_F(NodeTest, HelpOpensTheNodePage)
{
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(2063, [](DialogDriver& d) {
        d.Click(CHOXNodeDlg::kHelpButton);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    });
    CHOXNodeDlg dlg(wnd, 5, false);
    dlg.DoModal();
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2080f.html"));
}

TEST_F(NodeTest, UndoPutsADraggedNodeBackExactly)
{
    CHOXView view;
    MemoryViewHost host;
    view.SetHost(&host);
    view.SetWnd(wnd);
    CHOXNode* node = Chain(); // (95,203,105,213)
    view.Select(node);
    // Pressed off its centre, dragged up.
    node->OnLButtonDown(&view, MK_LBUTTON, CPoint(102, 211));
    node->OnMouseMove(&view, MK_LBUTTON, CPoint(102, 150));
    node->OnLButtonUp(&view, 0, CPoint(102, 150));
    const CRect moved = node->GetRect();
    ASSERT_NE(moved, CRect(95, 203, 105, 213));
    wnd->GetUndo()->RecordMove(node);
    wnd->GetUndo()->Undo();
    EXPECT_EQ(node->GetRect(), CRect(95, 203, 105, 213));
    wnd->GetUndo()->Redo();
    EXPECT_EQ(node->GetRect(), moved);
}
