// The monitor view's commands: inserting each monitor object with its
// enabling, device-status ids and the sheet that grows, the second button
// refused; the drawing tools, widths and colours on the selected shapes only;
// the sheet's colour; Select All and its order.
#include "chart/HOXLine.h"
#include "chart/HOXOval.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/MonViewFixture.h"
#include "platform/ui/QtDialogSite.h"
#include "res/CommandIds.h"

using namespace kt::test;

namespace {

const QString kButtonPresent =
    QStringLiteral("ERROR : This Manual Operation Object is already present in this window.");
const QString kNoMonitorId =
    QStringLiteral("ERROR : Number of Monitor Device Status Indication Objects exceeded the limit.");

class MonViewCommandsTest : public ::testing::Test, protected MonViewFixture {};

struct InsertCase {
    UINT command;
    WORD id;
    int type;
};
const InsertCase kInserts[] = {
    {ID_INSERT_CURRENT_POSITION, 0, objtype::kMonCurPos},
    {ID_INSERT_PLOT, 1, objtype::kMonPlotObj},
    {ID_INSERT_MANUAL_INPUT_STATUS, 16, objtype::kMonManInputStat},
    {ID_INSERT_CONTROLLER_STATUS, 17, objtype::kMonKZQWStat},
    {ID_INSERT_PROGRAM_INFO, 18, objtype::kMonProgInfo},
};

CHOXMonDevStat::Settings Points(std::int32_t points)
{
    CHOXMonDevStat::Settings settings;
    settings.type = 1; // D
    settings.points = points;
    return settings;
}

} // namespace

TEST_F(MonViewCommandsTest, EachSingleObjectIsInsertedOnceUnderItsIdAndItsItemIsDisabledThen)
{
    for (const InsertCase& insert : kInserts) {
        SCOPED_TRACE(insert.command);
        ASSERT_TRUE(Enabled(insert.command));
        doc->SetModifiedFlag(false);
        Command(insert.command);
        CHOXMonObj* object = wnd->LookupMonObj(insert.id);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetObjectType(), insert.type);
        EXPECT_EQ(wnd->GetMonObjOrder().back(), object);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(Enabled(insert.command));
        // Run again, it replaces nothing.
        Command(insert.command);
        EXPECT_EQ(wnd->LookupMonObj(insert.id), object);
        // Undo takes the last one out again.
        EXPECT_TRUE(wnd->GetUndo()->CanUndo());
    }
    EXPECT_EQ(wnd->GetMonObjMap().GetCount(), 5u);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(wnd->LookupMonObj(18), nullptr);
    EXPECT_TRUE(Enabled(ID_INSERT_PROGRAM_INFO));
}

TEST_F(MonViewCommandsTest, WhileMonitoringAnInsertDoesNothing)
{
    StartMonitoring();
    for (const InsertCase& insert : kInserts) Command(insert.command);
    EXPECT_TRUE(wnd->GetMonObjMap().IsEmpty());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(MonViewCommandsTest, DeviceStatusAndManualOperationAreInsertedThroughTheirDialogs)
{
    // Always enabled: the dialogs say what may be inserted.
    EXPECT_TRUE(Enabled(ID_INSERT_DEVICE_STATUS));
    EXPECT_TRUE(Enabled(ID_INSERT_MANUAL_OPERATION));
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXMonDevStatDlg::kTemplate, [](DialogDriver& d) { d.Click(IDCANCEL); });
        dialogs.Expect(CHOXMonDevStatDlg::kTemplate, [](DialogDriver& d) {
            d.Select(CHOXMonDevStatDlg::kName, 2);
            d.Click(CHOXMonDevStatDlg::kPoints16);
            d.Click(IDOK);
        });
        Command(ID_INSERT_DEVICE_STATUS);
        EXPECT_TRUE(wnd->GetMonObjMap().IsEmpty());
        EXPECT_FALSE(doc->IsModified());
        Command(ID_INSERT_DEVICE_STATUS);
    }
    auto* column = dynamic_cast<CHOXMonDevStat*>(wnd->LookupMonObj(CHOXDoc::kFirstMonObjId));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetSettings(), (CHOXMonDevStat::Settings{0, 12, 0, 0, 0, 16}));
    EXPECT_EQ(sheet->GetRect().bottom, column->GetRect().bottom + 30);
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(false);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXManOpernDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Site().GetCurSel(CHOXManOpernDlg::kTab), 0);
            EXPECT_EQ(d.Check(CHOXManOpernDlg::kStart), 1) << "X START for a new one";
            d.Select(CHOXManOpernDlg::kTab, 1);
            d.Click(CHOXManOpernDlg::kStart + 5);
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXManOpernDlg::kTemplate, [](DialogDriver& d) {
            d.Select(CHOXManOpernDlg::kTab, 1);
            d.Click(CHOXManOpernDlg::kStart + 5);
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXManOpernDlg::kTemplate, [](DialogDriver& d) { d.Click(IDCANCEL); });
        Command(ID_INSERT_MANUAL_OPERATION);
        ASSERT_NE(dynamic_cast<CHOXMonManOpern*>(wnd->LookupMonObj(14)), nullptr);
        EXPECT_TRUE(doc->IsModified());
        ScriptedMessages messages;
        messages.Expect(kButtonPresent, kStop, IDOK);
        Command(ID_INSERT_MANUAL_OPERATION);
        Command(ID_INSERT_MANUAL_OPERATION);
    }
    EXPECT_EQ(wnd->GetMonObjMap().GetCount(), 2u);

    // While monitoring neither dialog opens.
    StartMonitoring();
    EXPECT_TRUE(Enabled(ID_INSERT_DEVICE_STATUS));
    Command(ID_INSERT_DEVICE_STATUS);
    Command(ID_INSERT_MANUAL_OPERATION);
    EXPECT_EQ(wnd->GetMonObjMap().GetCount(), 2u);
}

TEST_F(MonViewCommandsTest, DeviceStatusObjectsTakeTheDocumentsMonitorIdsAndTheSheetGrowsUnderThem)
{
    const CRect small = CHOXMonDevStat(Points(1), wnd).GetRect();
    const CRect tall = CHOXMonDevStat(Points(16), wnd).GetRect();
    ASSERT_LT(small.bottom, tall.bottom);

    struct Case {
        CHOXMonDevStat::Settings settings;
        LONG sheetBottom;
        LONG grownTo;
    };
    const Case cases[] = {
        {Points(1), 300, 300},
        // Its bottom 10 above the sheet's: the sheet grows.
        {Points(1), small.bottom + 10, small.bottom + 30},
        {Points(1), small.bottom + 11, small.bottom + 11},
        {Points(16), 300, tall.bottom + 30},
    };
    WORD id = CHOXDoc::kFirstMonObjId;
    for (const Case& c : cases) {
        sheet->m_position.bottom = c.sheetBottom;
        ASSERT_TRUE(view.AddDeviceStatus(c.settings));
        const auto* object = dynamic_cast<const CHOXMonDevStat*>(wnd->LookupMonObj(id));
        ASSERT_NE(object, nullptr) << id;
        EXPECT_EQ(object->GetSettings(), c.settings);
        EXPECT_EQ(sheet->GetRect().bottom, c.grownTo) << id;
        ++id;
    }
    // The sheet's new size reached the scroll sizes.
    EXPECT_EQ(host.totalSize.cy, tall.bottom + 30 + 15);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(wnd->LookupMonObj(static_cast<WORD>(id - 1)), nullptr);
}

TEST_F(MonViewCommandsTest, WithNoMonitorIdLeftNoDeviceStatusIsInserted)
{
    doc->SetIdCounters({0, 0, 0, 0, 4000});
    for (int id = CHOXDoc::kFirstMonObjId; id <= CHOXDoc::kFirstMonObjId + 4000; ++id) {
        auto object = std::make_unique<CHOXMonObj>(wnd);
        object->SetId(static_cast<DWORD>(id));
        wnd->AddMonObj(std::move(object));
    }
    const std::size_t count = wnd->GetMonObjMap().GetCount();
    ScriptedMessages messages;
    messages.Expect(kNoMonitorId, kStop, IDOK);
    EXPECT_FALSE(view.AddDeviceStatus(Points(4)));
    EXPECT_EQ(wnd->GetMonObjMap().GetCount(), count);
}

TEST_F(MonViewCommandsTest, AManualOperationButtonTakesTheIdOfItsIndexAndASecondOneIsRefused)
{
    ASSERT_TRUE(view.AddManualOperation(5));
    auto* button = dynamic_cast<CHOXMonManOpern*>(wnd->LookupMonObj(7));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetButtonIndex(), 5);
    EXPECT_TRUE(view.AddManualOperation(12));
    EXPECT_NE(wnd->LookupMonObj(14), nullptr);

    doc->SetModifiedFlag(false);
    ScriptedMessages messages;
    messages.Expect(kButtonPresent, kStop, IDOK);
    EXPECT_FALSE(view.AddManualOperation(5));
    EXPECT_EQ(wnd->LookupMonObj(7), button);
    EXPECT_EQ(wnd->GetMonObjMap().GetCount(), 2u);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(MonViewCommandsTest, TheDrawingToolsAreCheckedAndWorkOnlyWhileThePageIsEditedAndShown)
{
    const UINT tools[] = {ID_DRAW_RECT, ID_DRAW_OVAL, ID_DRAW_LINE};
    const std::int32_t modes[] = {toolmode::kRect, toolmode::kOval, toolmode::kLine};
    CHOXRect* shape = Shape(CRect(10, 10, 50, 50));
    for (std::size_t i = 0; i < 3; ++i) {
        view.Select(shape);
        Command(tools[i]);
        EXPECT_EQ(Mode(), modes[i]);
        EXPECT_EQ(view.GetSelectionCount(), 0u);
        for (UINT other : tools) EXPECT_EQ(Checked(other), other == tools[i]);
    }
    const UINT drawing[] = {ID_DRAW_RECT,   ID_DRAW_OVAL,  ID_DRAW_LINE,  ID_LINE_THIN,
                            ID_LINE_MEDIUM, ID_LINE_THICK, ID_LINE_COLOR, ID_BRUSH_COLOR};
    for (UINT id : drawing) EXPECT_TRUE(Enabled(id)) << id;
    host.visible = false;
    for (UINT id : drawing) EXPECT_FALSE(Enabled(id)) << id;
    host.visible = true;
    StartMonitoring();
    for (UINT id : drawing) EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(MonViewCommandsTest, AWidthGoesToTheSelectedShapesOnlyAndIsCheckedForAtMostOneSelected)
{
    CHOXRect* rect = Shape(CRect(10, 10, 50, 50));
    CHOXLine* line = Shape<CHOXLine>(CRect(60, 60, 20, 100));
    CHOXOval* aside = Shape<CHOXOval>(CRect(100, 10, 150, 50));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(200, 10, 328, 72));
    EXPECT_TRUE(Checked(ID_LINE_THIN));

    SelectOnly({rect, line, position});
    Command(ID_LINE_THICK);
    EXPECT_EQ(view.m_nLineWidth, 3);
    EXPECT_EQ(rect->GetLineWidth(), 3);
    EXPECT_EQ(line->GetLineWidth(), 3);
    EXPECT_EQ(aside->GetLineWidth(), 1);
    EXPECT_EQ(position->GetRect(), CRect(200, 10, 328, 72));
    // Several selected: no width is checked.
    EXPECT_FALSE(Checked(ID_LINE_THICK));
    SelectOnly({rect});
    EXPECT_TRUE(Checked(ID_LINE_THICK));
    EXPECT_FALSE(Checked(ID_LINE_THIN));
    Command(ID_LINE_MEDIUM);
    EXPECT_EQ(rect->GetLineWidth(), 2);
    EXPECT_EQ(line->GetLineWidth(), 3);
}

TEST_F(MonViewCommandsTest, TheLineAndBrushColoursStartFromTheViewsAndGoToTheSelectedShapes)
{
    CHOXRect* rect = Shape(CRect(10, 10, 50, 50));
    CHOXOval* aside = Shape<CHOXOval>(CRect(100, 10, 150, 50));
    const COLORREF asideLine = aside->GetLineColor();
    const COLORREF asideFill = aside->GetFillColor();
    view.Select(rect);
    ScriptedColors colors;
    colors.Expect(RGB(200, 0, 0), [](const ColorDialogRequest& r) { EXPECT_EQ(r.initial, RGB(0, 0, 0)); })
        .Expect(RGB(0, 0, 200), [](const ColorDialogRequest& r) { EXPECT_EQ(r.initial, RGB(192, 192, 192)); })
        .Expect(std::nullopt)
        .Expect(std::nullopt);
    wnd->GetUndo()->RecordAdd(rect);
    Command(ID_LINE_COLOR);
    EXPECT_FALSE(wnd->GetUndo()->CanUndo());
    Command(ID_BRUSH_COLOR);
    EXPECT_EQ(view.m_crLine, RGB(200, 0, 0));
    EXPECT_EQ(view.m_crFill, RGB(0, 0, 200));
    EXPECT_EQ(rect->GetLineColor(), RGB(200, 0, 0));
    EXPECT_EQ(rect->GetFillColor(), RGB(0, 0, 200));
    EXPECT_EQ(aside->GetLineColor(), asideLine);
    EXPECT_EQ(aside->GetFillColor(), asideFill);
    // Cancelled, nothing changes.
    Command(ID_LINE_COLOR);
    Command(ID_BRUSH_COLOR);
    EXPECT_EQ(rect->GetLineColor(), RGB(200, 0, 0));
    EXPECT_EQ(view.m_crFill, RGB(0, 0, 200));
    // A shape drawn now takes them.
    Command(ID_DRAW_RECT);
    Drag(CPoint(200, 200), CPoint(240, 240));
    const auto* drawn = dynamic_cast<const CHOXShape*>(wnd->LookupShape(ShapeIds().back()));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->GetLineColor(), RGB(200, 0, 0));
    EXPECT_EQ(drawn->GetFillColor(), RGB(0, 0, 200));
}

TEST_F(MonViewCommandsTest, TheSheetsColourIsChosenFromItsOwnAtAnyTime)
{
    wnd->SetBaseColor(RGB(1, 2, 3));
    StartMonitoring();
    EXPECT_TRUE(view.OnCmdMsg(ID_CHANGE_BASE_COLOR, CmdMode::Probe, nullptr));
    ScriptedColors colors;
    colors.Expect(RGB(250, 240, 230), [](const ColorDialogRequest& r) { EXPECT_EQ(r.initial, RGB(1, 2, 3)); })
        .Expect(std::nullopt);
    Command(ID_CHANGE_BASE_COLOR);
    EXPECT_EQ(wnd->GetBaseColor(), RGB(250, 240, 230));
    Command(ID_CHANGE_BASE_COLOR);
    EXPECT_EQ(wnd->GetBaseColor(), RGB(250, 240, 230));
}

TEST_F(MonViewCommandsTest, SelectAllTakesMonitorObjectsThenShapesThenTheOtherObjectsAndSelectsTheSelectTool)
{
    EXPECT_FALSE(Enabled(ID_EDIT_SELECT_ALL));
    CHOXRect* rect = Shape(CRect(10, 10, 50, 50));
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    CHOXMonCurPos* position = MonObj<CHOXMonCurPos>(CRect(200, 10, 328, 72));
    auto loose = std::make_unique<CHOXDrawObj>(CRect(300, 200, 320, 220), wnd);
    loose->SetId(3);
    CHOXDrawObj* other = loose.get();
    wnd->AddObject(std::move(loose));
    CHOXView::s_nToolMode = toolmode::kLine;
    StartMonitoring();
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(view.GetSelection(), (std::vector<CHOXDrawObj*>{position, rect, other}));
    EXPECT_EQ(Mode(), toolmode::kSelect);
}
