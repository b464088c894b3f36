// The clipboard and drops in the running program: Copy and Paste go to the
// active chart through the command chain, Paste is enabled only while the
// clipboard holds a chart block and the document is shown, and a drag of a
// symbol let go over another chart window reaches that window's view.
#include "app/AppDocsFixture.h"
#include "chart/ChartLookup.h"
#include "chart/HOXClipboard.h"
#include "chart/HOXFlowView.h"
#include "platform/Clipboard.h"
#include "platform/DragDrop.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

using namespace kt::test;

namespace {

class ClipboardUiTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        wnd = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
        ASSERT_NE(wnd, nullptr);
        view = static_cast<CHOXFlowView*>(wnd->GetView());
        ASSERT_NE(view, nullptr);
        QApplication::processEvents();
    }
    static bool Enabled(UINT id) { return GetCommandRouter()->QueryState(id).m_bEnabled; }
    static CHOXSymbol* OfType(const CHOXWnd* record, int type, CPoint topLeft)
    {
        for (const auto& [id, object] : record->GetObjectMap())
            if (object->GetObjectType() == type && object->GetRect().TopLeft() == topLeft)
                return dynamic_cast<CHOXSymbol*>(object.get());
        return nullptr;
    }
    static QWidget* ViewArea(CMDIChildWnd* frame)
    {
        return static_cast<QtChildFrameHost*>(frame->Host())->Window()->ViewWidget()->viewport();
    }

    CHOXFlowWnd* wnd = nullptr;
    CHOXFlowView* view = nullptr;
};

TEST_F(ClipboardUiTest, CopyAndPasteGoToTheActiveChart)
{
    // A new chart holds START at (137, 32) and END at (137, 236).
    CHOXSymbol* start = OfType(wnd, objtype::kFlowStart, CPoint(137, 32));
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(clipboard::Offer(QStringLiteral("text/plain"), "nothing of ours"));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));

    view->Select(start);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_EDIT_PASTE));
    CHOXSymbol* copy = OfType(wnd, objtype::kFlowStart, CPoint(147, 42));
    ASSERT_NE(copy, nullptr);
    std::int32_t axis = 0;
    std::int32_t number = 0;
    std::int32_t copyNumber = 0;
    start->GetHeldProgramNumber(&axis, &number);
    copy->GetHeldProgramNumber(&axis, &copyNumber);
    EXPECT_NE(copyNumber, number);
    EXPECT_EQ(view->CopySelection(), std::vector<CHOXDrawObj*>{copy});

    // While monitoring nothing may be pasted.
    Doc()->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    Doc()->SetEditMode(true);
    // With every chart frame and the monitor frame hidden the document is
    // not shown.
    for (CMDIChildWnd* frame : Frames()) frame->ShowWindow(SW_HIDE);
    CCmdUI ui(ID_EDIT_PASTE);
    view->OnCmdMsg(ID_EDIT_PASTE, CmdMode::Update, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}

TEST_F(ClipboardUiTest, ADragLetGoOverAnotherChartWindowReachesItsView)
{
    Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
    CHOXFlowWnd* second = Doc()->FindWindowByName(QStringLiteral("Flow Chart2"));
    ASSERT_NE(second, nullptr);
    CMDIChildWnd* frame = ChartFrame(QStringLiteral("Flow Chart2"));
    ASSERT_NE(frame, nullptr);
    static_cast<QtChildFrameHost*>(frame->Host())->Window()->resize(720, 520);
    QApplication::processEvents();
    const std::size_t before = second->GetObjectMap().GetCount();

    // The drag the mouse would start from the first chart's END.
    CHOXSymbol* end = OfType(wnd, objtype::kFlowEnd, CPoint(137, 236));
    ASSERT_NE(end, nullptr);
    Doc()->SetDragSource(wnd);
    Doc()->SetDragPending(true);
    COleDataSource source;
    ASSERT_TRUE(CHOXClipboard(Doc()).WriteObjects({end}, source, CHOXClipboard::DragFormat()));
    QMimeData data;
    for (const auto& [format, bytes] : source.GetBlocks()) data.setData(format, bytes);

    QWidget* area = ViewArea(frame);
    ASSERT_TRUE(area->acceptDrops());
    QDragEnterEvent enter(QPoint(300, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::ControlModifier);
    QCoreApplication::sendEvent(area, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDragMoveEvent move(QPoint(300, 120), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(area, &move);
    ASSERT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(300, 120), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    drop.setDropAction(Qt::CopyAction);
    QCoreApplication::sendEvent(area, &drop);
    EXPECT_TRUE(drop.isAccepted());
    Doc()->SetDragSource(nullptr);

    EXPECT_EQ(second->GetObjectMap().GetCount(), before + 1);
    auto* dropped = static_cast<CHOXFlowView*>(second->GetView());
    EXPECT_NE(OfType(second, objtype::kFlowEnd, dropped->ClientToDoc(CPoint(300, 120))), nullptr);
    EXPECT_FALSE(Doc()->IsDragPending());
    EXPECT_NE(OfType(wnd, objtype::kFlowEnd, CPoint(137, 236)), nullptr);
}

} // namespace
