// The symbol palette in the running program: its tool table, the group
// commands, scrolling by rows with the buttons and the slider at every
// boundary, tools reaching the view, the connect button, context help, the
// bars in each situation and their place at the left edge.
#include "AppDocsFixture.h"
#include "support/ImageCompare.h"

#include "app/PaletteTools.h"
#include "platform/Help.h"
#include "platform/Resources.h"
#include "platform/ui/QtDialogBar.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QDockWidget>
#include <QLayout>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>

using kt::test::AppDocsFixture;
using kt::test::SamePicture;
using kt::test::ScriptedMessages;

namespace {

// ---------------------------------------------------------------------------
// The tool table

TEST(PaletteToolsTest, TheGroupsHoldTheirToolsInPositionOrder)
{
    const struct {
        int group;
        std::size_t position;
        UINT id;
        const char* caption;
        UINT help;
    } rows[] = {
        {kFlowGroup, 0, 20101, "START", 0x1006A},
        {kFlowGroup, 1, 20102, "END", 0x1006B},
        {kFlowGroup, 2, 20103, "SUBROUTINE", 0x1008D},
        {kFlowGroup, 3, 20104, "RET", 0x1006C},
        {kFlowGroup, 4, 20105, "PROGRAM in TEXT", 0x1006D},
        {kFlowGroup, 5, 20108, "JUMP", 0x1006E},
        {kFlowGroup, 6, 20109, "POINTER", 0x1006F},
        {kFlowGroup, 7, 20107, "CONDITIONAL JUMP", 0x10070},
        {kFlowGroup, 8, 20106, "SUBROUTINE CALL", 0x10071},
        {kCodeGroup, 0, 20201, "DRIVE", 0x10072},
        {kCodeGroup, 1, 20202, "DRIVE TO ZERO", 0x10073},
        {kCodeGroup, 2, 20203, "LINEAR", 0x10074},
        {kCodeGroup, 3, 20204, "CIRCULAR", 0x10075},
        {kCodeGroup, 4, 20205, "INCREMENTAL OR ABSOLUTE", 0x10076},
        {kCodeGroup, 5, 20206, "TIMER", 0x10077},
        {kCodeGroup, 6, 20207, "SET ADDRESS", 0x1008C},
        {kCodeGroup, 7, 20208, "CHK", 0x10079},
        {kCodeGroup, 8, 20209, "DRVR", 0x1007A},
        {kCodeGroup, 9, 20210, "INTERRUPT", 0x1007B},
        {kCodeGroup, 10, 20211, "COMPENSATION", 0x1007C},
        {kCodeGroup, 11, 20212, "MCODE", 0x1007D},
        {kFuncGroup, 0, 20300, "REPEAT", 0x1007E},
        {kFuncGroup, 1, 20301, "MOVE", 0x1007F},
        {kFuncGroup, 2, 20302, "BIN - BCD", 0x10080},
        {kFuncGroup, 3, 20303, "ARITHMETIC", 0x10081},
        {kFuncGroup, 4, 20304, "LOGICAL", 0x10082},
        {kFuncGroup, 5, 20305, "X-ABSOLUTE", 0x10083},
        {kFuncGroup, 6, 20306, "EXTERNAL DIGITAL SWITCH", 0x10084},
        {kFuncGroup, 7, 20307, "SEGMENT DISPLAY", 0x10085},
        {kFuncGroup, 8, 20308, "SET", 0x10086},
    };
    EXPECT_EQ(PaletteTools(kFlowGroup).size(), 9u);
    EXPECT_EQ(PaletteTools(kCodeGroup).size(), 12u);
    EXPECT_EQ(PaletteTools(kFuncGroup).size(), 9u);
    EXPECT_TRUE(PaletteTools(3).empty());
    for (const auto& r : rows) {
        const PaletteTool& tool = PaletteTools(r.group)[r.position];
        EXPECT_EQ(tool.id, r.id) << r.caption;
        EXPECT_STREQ(tool.caption, r.caption);
        EXPECT_EQ(tool.helpContext, r.help) << r.caption;
        EXPECT_EQ(FindPaletteTool(r.id), &tool);
    }
}

TEST(PaletteToolsTest, OnlyTheTableIdsAreTools)
{
    const struct {
        UINT id;
        bool tool;
    } cases[] = {{20100, false}, {20101, true}, {20109, true}, {20110, false}, {20200, false}, {20201, true},
                 {20212, true},  {20213, false}, {20299, false}, {20300, true}, {20308, true}, {20309, false}};
    for (const auto& c : cases) EXPECT_EQ(IsPaletteTool(c.id), c.tool) << c.id;
}

TEST(PaletteToolsTest, TheSliderHasOneStepPerRowBeyondTheFirstFour)
{
    const struct {
        int last;
        int max;
    } cases[] = {{7, 0}, {8, 1}, {9, 1}, {10, 2}, {11, 2}, {12, 3}};
    for (const auto& c : cases) EXPECT_EQ(PaletteSliderMax(c.last), c.max) << c.last;
    EXPECT_EQ(PaletteShownLast(0, 8), 7);
    EXPECT_EQ(PaletteShownLast(2, 8), 8);
    EXPECT_EQ(PaletteShownLast(4, 11), 11);
}

TEST(PaletteToolsTest, TipsComeFromTheStringTable)
{
    EXPECT_EQ(PaletteToolTip(20101), QStringLiteral("Start"));
    EXPECT_EQ(PaletteToolTip(20302), QStringLiteral("Binary to BCD "));
    EXPECT_EQ(PaletteToolTip(20308), QStringLiteral("Set / Reset"));
    EXPECT_EQ(PaletteToolTip(8001), QStringLiteral("Flow Symbols"));
    EXPECT_EQ(PaletteToolTip(8002), QStringLiteral("Function Symbols"));
    EXPECT_EQ(PaletteToolTip(8003), QStringLiteral("Code Symbols"));
    EXPECT_EQ(PaletteToolTip(8449), QStringLiteral("Scroll Bar"));
    EXPECT_EQ(PaletteToolTip(8452), QStringLiteral("Scroll Bar"));
    // The part after the line break.
    EXPECT_EQ(PaletteToolTip(8300), QStringLiteral("Wire"));
    EXPECT_EQ(PaletteToolTip(20110), QString());
}

TEST(PaletteToolsTest, ANewDocumentResetsTheScrollState)
{
    PaletteScrollOf(kCodeGroup).first = 4;
    CHOXDoc doc;
    for (int group = 0; group < kPaletteGroups; ++group) EXPECT_EQ(PaletteScrollOf(group).first, 0);
    EXPECT_EQ(PaletteScrollOf(kFlowGroup).last, 8);
    EXPECT_EQ(PaletteScrollOf(kCodeGroup).last, 11);
    EXPECT_EQ(PaletteScrollOf(kFuncGroup).last, 8);
}

// ---------------------------------------------------------------------------
// The palette in the program

class PaletteTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    CSliderCtrl* Slider() const { return Main()->GetPaletteSlider(); }
    static int First(int group) { return PaletteScrollOf(group).first; }
    bool Pressed(int group) const { return (Main()->GetGroupButton(group).GetState() & BST_PUSHED) != 0; }
    bool Visible(int group) const { return Main()->GetPaletteGroupBar(group).IsWindowVisible(); }

    // The command ids in slots 0 to 7 (0 for an empty slot).
    std::vector<UINT> Shown(int group) const
    {
        std::vector<UINT> ids;
        for (int slot = 0; slot < kPaletteSlots; ++slot) {
            const CButton& button = Main()->GetSymbolButton(group, slot);
            ids.push_back(button.IsWindow() ? button.GetDlgCtrlID() : 0);
        }
        return ids;
    }
    // The ids the table puts in the slots for a first position.
    static std::vector<UINT> Expected(int group, int first)
    {
        const auto tools = PaletteTools(group);
        std::vector<UINT> ids;
        for (int slot = 0; slot < kPaletteSlots; ++slot) {
            const int position = first + slot;
            ids.push_back(position < static_cast<int>(tools.size()) ? tools[static_cast<std::size_t>(position)].id : 0);
        }
        return ids;
    }
    static bool Run(UINT command) { return GetCommandRouter()->Execute(command); }
    // The middle of a control in the client coordinates of another bar.
    static CPoint CentreIn(const CBarCtrl& control, const CDialogBar& bar)
    {
        const CPoint screen = control.GetWindowRect().CenterPoint();
        const CRect rect = bar.GetWindowRect();
        return CPoint(screen.x - rect.left, screen.y - rect.top);
    }
    void Settle() const
    {
        QCoreApplication::processEvents();
        if (QLayout* layout = Window()->layout()) layout->activate();
    }
    // The names of the bars shown at the left edge, top to bottom.
    QStringList LeftEdge() const
    {
        Settle();
        std::vector<QDockWidget*> docks;
        for (QDockWidget* dock : Window()->findChildren<QDockWidget*>())
            if (!dock->isHidden() && !dock->isFloating() && Window()->dockWidgetArea(dock) == Qt::LeftDockWidgetArea)
                docks.push_back(dock);
        std::sort(docks.begin(), docks.end(),
                  [](const QDockWidget* a, const QDockWidget* b) { return a->y() < b->y(); });
        QStringList names;
        for (const QDockWidget* dock : docks) names << dock->objectName();
        return names;
    }
    QtDialogBar* BarWindow(CDialogBar& bar) const { return static_cast<QtDialogBarHost*>(bar.Host())->Bar(); }
};

TEST_F(PaletteTest, WithoutADocumentTheBarsAreHiddenAndEmpty)
{
    EXPECT_TRUE(Main()->GetGroupBar().IsWindow());
    EXPECT_TRUE(Main()->GetToolsBar().IsWindow());
    EXPECT_FALSE(Main()->GetGroupBar().IsWindowVisible());
    EXPECT_FALSE(Main()->GetToolsBar().IsWindowVisible());
    for (int group = 0; group < kPaletteGroups; ++group) {
        EXPECT_TRUE(Main()->GetPaletteGroupBar(group).IsWindow());
        EXPECT_FALSE(Visible(group));
        EXPECT_EQ(Shown(group), std::vector<UINT>(8, 0));
        EXPECT_EQ(Main()->GetPaletteItems(group).GetCount(), 0u);
    }
    EXPECT_EQ(GetCommandRouter()->QueryState(32006).m_nCheck, 0);
    EXPECT_TRUE(LeftEdge().isEmpty());
}

TEST_F(PaletteTest, TheBarsHaveTheirTemplatesSizesAndControls)
{
    EXPECT_EQ(Main()->GetGroupBar().GetDefaultSize(), CSize(162, 33));
    EXPECT_EQ(Main()->GetToolsBar().GetDefaultSize(), CSize(162, 52));
    for (int group = 0; group < kPaletteGroups; ++group)
        EXPECT_EQ(Main()->GetPaletteGroupBar(group).GetDefaultSize(), CSize(162, 159));
    EXPECT_EQ(Main()->GetGroupBar().GetDlgCtrlID(), 2008u);
    EXPECT_EQ(Main()->GetToolsBar().GetDlgCtrlID(), 2007u);
    EXPECT_EQ(Main()->GetPaletteGroupBar(kFlowGroup).GetDlgCtrlID(), 2004u);
    EXPECT_EQ(Main()->GetPaletteGroupBar(kCodeGroup).GetDlgCtrlID(), 2005u);
    EXPECT_EQ(Main()->GetPaletteGroupBar(kFuncGroup).GetDlgCtrlID(), 2006u);

    // Selector: m = 11, gap = 2, top = 6; each button as large as its picture.
    const CRect groups[] = {{11, 6, 56, 26}, {58, 6, 103, 26}, {105, 6, 150, 26}};
    const UINT ids[] = {8001, 8003, 8002};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Main()->GetGroupButton(i).GetClientRectInBar(), groups[i]) << i;
        EXPECT_EQ(Main()->GetGroupButton(i).GetDlgCtrlID(), ids[i]);
        EXPECT_EQ(Main()->GetGroupBar().GetDlgItem(ids[i]), &Main()->GetGroupButton(i));
    }

    // Tools bar: the template's places; the picture buttons take their
    // pictures' sizes.
    EXPECT_EQ(Main()->GetScrollUpButton().GetClientRectInBar(), CRect(17, 8, 50, 23));
    EXPECT_EQ(Main()->GetScrollUpButton().GetWindowText(), QStringLiteral("ButtonUp"));
    EXPECT_EQ(Main()->GetScrollDownButton().GetClientRectInBar(), CRect(17, 28, 50, 43));
    EXPECT_EQ(Main()->GetScrollDownButton().GetWindowText(), QStringLiteral("ButtonDown"));
    ASSERT_NE(Slider(), nullptr);
    EXPECT_EQ(Slider()->GetClientRectInBar(), CRect(59, 2, 75, 49));
    EXPECT_EQ(Main()->GetConnectButton().GetClientRectInBar(), CRect(87, 8, 144, 44));
    EXPECT_EQ(Main()->GetConnectButton().GetWindowText(), QStringLiteral("BitBtnConnect"));
    EXPECT_EQ(Main()->GetToolsBar().GetDlgItem(8300), &Main()->GetConnectButton());
    EXPECT_EQ(Main()->GetToolsBar().GetDlgItem(8450), &Main()->GetScrollUpButton());
    EXPECT_EQ(Main()->GetToolsBar().GetDlgItem(8449), &Main()->GetScrollDownButton());
}

TEST_F(PaletteTest, ANewDocumentShowsTheFlowGroup)
{
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_TRUE(Main()->GetGroupBar().IsWindowVisible());
    EXPECT_TRUE(Main()->GetToolsBar().IsWindowVisible());
    EXPECT_TRUE(Visible(kFlowGroup));
    EXPECT_FALSE(Visible(kCodeGroup));
    EXPECT_FALSE(Visible(kFuncGroup));
    EXPECT_TRUE(Pressed(kFlowGroup));
    EXPECT_FALSE(Pressed(kCodeGroup));
    EXPECT_FALSE(Pressed(kFuncGroup));
    EXPECT_EQ(Main()->m_nPaletteGroup, kFlowGroup);
    EXPECT_EQ(GetCommandRouter()->QueryState(32006).m_nCheck, 1);

    // START, END, SUBROUTINE, RET, PROGRAM in TEXT, JUMP, POINTER and
    // CONDITIONAL JUMP in slots 0 to 7; the other groups from their start.
    EXPECT_EQ(Shown(kFlowGroup), (std::vector<UINT>{20101, 20102, 20103, 20104, 20105, 20108, 20109, 20107}));
    EXPECT_EQ(Shown(kCodeGroup), Expected(kCodeGroup, 0));
    EXPECT_EQ(Shown(kFuncGroup), Expected(kFuncGroup, 0));
    EXPECT_EQ(Main()->GetPaletteItems(kFlowGroup).GetCount(), 9u);
    EXPECT_EQ(Main()->GetPaletteItems(kCodeGroup).GetCount(), 12u);
    EXPECT_EQ(Main()->GetPaletteItems(kFuncGroup).GetCount(), 9u);
    const auto* item = Main()->GetPaletteItems(kFlowGroup).Lookup(8);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ((*item)->m_nID, 20106);
    EXPECT_EQ((*item)->m_strCaption, QStringLiteral("SUBROUTINE CALL"));

    // Two columns of 64 x 32 from 12 and 87, rows 32 apart from 9; each
    // with the symbol's picture and its name as the tip.
    for (int slot = 0; slot < kPaletteSlots; ++slot) {
        const CButton& button = Main()->GetSymbolButton(kFlowGroup, slot);
        const int left = slot % 2 == 0 ? 12 : 87;
        const int top = slot / 2 * 32 + 9;
        EXPECT_EQ(button.GetClientRectInBar(), CRect(left, top, left + 64, top + 32)) << slot;
        EXPECT_FALSE(button.IsOwnerDrawn());
        const PaletteTool& tool = PaletteTools(kFlowGroup)[static_cast<std::size_t>(slot)];
        ASSERT_NE(button.GetBitmap(), nullptr);
        EXPECT_EQ(*button.GetBitmap(), *m_app->GetSymbolIcon(QString::fromLatin1(tool.caption), 0));
        EXPECT_EQ(button.GetToolTip(), PaletteToolTip(tool.id));
    }
    EXPECT_EQ(Slider()->GetRangeMin(), 0);
    EXPECT_EQ(Slider()->GetRangeMax(), 1);
    EXPECT_EQ(Slider()->GetPos(), 0);
}

TEST_F(PaletteTest, FillingAgainReplacesItemsAndButtons)
{
    ASSERT_NE(NewDocument(), nullptr);
    Main()->FillSymbolPalette();
    EXPECT_EQ(Main()->GetPaletteItems(kFlowGroup).GetCount(), 9u);
    EXPECT_EQ(Main()->GetPaletteItems(kCodeGroup).GetCount(), 12u);
    EXPECT_EQ(Shown(kFlowGroup), Expected(kFlowGroup, 0));
    EXPECT_EQ(Main()->GetPaletteGroupBar(kFlowGroup).GetControls().size(), 8u);

    // Slots outside 0 to 7 and empty ranges leave the buttons alone.
    Main()->AddFlowButton(QStringLiteral("START"), 20101, 8);
    Main()->AddCodeButton(QStringLiteral("DRIVE"), 20201, -1);
    Main()->DestroyFuncButtons(3, 2);
    EXPECT_EQ(Main()->GetPaletteGroupBar(kFlowGroup).GetControls().size(), 8u);
    EXPECT_EQ(Shown(kCodeGroup), Expected(kCodeGroup, 0));
    EXPECT_EQ(Shown(kFuncGroup), Expected(kFuncGroup, 0));
    // A caption without a picture leaves its button blank.
    Main()->AddFuncButton(QStringLiteral("NO SUCH SYMBOL"), 20300, 0);
    EXPECT_EQ(Main()->GetSymbolButton(kFuncGroup, 0).GetBitmap(), nullptr);
    EXPECT_EQ(Main()->GetSymbolButton(kFuncGroup, 0).GetDlgCtrlID(), 20300u);
}

TEST_F(PaletteTest, EveryToolHasAPicture)
{
    for (int group = 0; group < kPaletteGroups; ++group)
        for (const PaletteTool& tool : PaletteTools(group))
            EXPECT_NE(m_app->GetSymbolIcon(QString::fromLatin1(tool.caption), 0), nullptr) << tool.caption;
}

TEST_F(PaletteTest, TheGroupCommandsSwitchTheGroupAndSetTheSlider)
{
    ASSERT_NE(NewDocument(), nullptr);
    const struct {
        UINT command;
        int group;
        int sliderMax;
    } steps[] = {{8003, kCodeGroup, 2}, {8002, kFuncGroup, 1}, {8001, kFlowGroup, 1}, {8002, kFuncGroup, 1}};
    for (const auto& s : steps) {
        EXPECT_TRUE(GetCommandRouter()->QueryState(s.command).m_bEnabled);
        EXPECT_TRUE(Run(s.command)) << s.command;
        for (int group = 0; group < kPaletteGroups; ++group) {
            EXPECT_EQ(Visible(group), group == s.group) << s.command << " " << group;
            EXPECT_EQ(Pressed(group), group == s.group) << s.command << " " << group;
        }
        EXPECT_EQ(Main()->m_nPaletteGroup, s.group);
        EXPECT_TRUE(Main()->GetToolsBar().IsWindowVisible());
        EXPECT_TRUE(Main()->GetGroupBar().IsWindowVisible());
        EXPECT_EQ(Slider()->GetRangeMax(), s.sliderMax);
        EXPECT_EQ(Slider()->GetPos(), 0);
        EXPECT_TRUE(Slider()->IsWindowEnabled());
    }
}

TEST_F(PaletteTest, TheGroupOfTheShownBarOnlyRepaintsItsButton)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    const int paints = Main()->GetGroupButton(kCodeGroup).GetInvalidateCount();
    const std::vector<UINT> shown = Shown(kCodeGroup);
    ASSERT_TRUE(Run(8003));
    EXPECT_EQ(Main()->GetGroupButton(kCodeGroup).GetInvalidateCount(), paints + 1);
    EXPECT_TRUE(Pressed(kCodeGroup));
    EXPECT_TRUE(Visible(kCodeGroup));
    EXPECT_FALSE(Visible(kFlowGroup));
    EXPECT_EQ(Shown(kCodeGroup), shown);
    EXPECT_EQ(Main()->m_nPaletteGroup, kCodeGroup);
}

TEST_F(PaletteTest, WithoutADocumentAGroupCommandLeavesTheSliderAlone)
{
    Main()->HidePaletteBars();
    Slider()->SetRange(0, 7);
    Slider()->SetPos(3);
    ASSERT_TRUE(Run(8003));
    EXPECT_TRUE(Visible(kCodeGroup));
    EXPECT_TRUE(Pressed(kCodeGroup));
    EXPECT_EQ(Slider()->GetRangeMax(), 7);
    EXPECT_EQ(Slider()->GetPos(), 3);
}

// Up (8450) and down (8449) at every boundary of each group.
TEST_F(PaletteTest, TheScrollButtonsMoveTheShownRowsByOne)
{
    struct Step {
        UINT command;
        int first;
    };
    const struct {
        UINT group;
        int index;
        std::vector<Step> steps;
    } groups[] = {
        {8001, kFlowGroup, {{8450, 0}, {8449, 2}, {8449, 2}, {8450, 0}, {8450, 0}}},
        {8003, kCodeGroup, {{8450, 0}, {8449, 2}, {8449, 4}, {8449, 4}, {8450, 2}, {8450, 0}, {8450, 0}}},
        {8002, kFuncGroup, {{8450, 0}, {8449, 2}, {8449, 2}, {8450, 0}, {8450, 0}}},
    };
    ASSERT_NE(NewDocument(), nullptr);
    for (const auto& g : groups) {
        ASSERT_TRUE(Run(g.group));
        for (const Step& s : g.steps) {
            EXPECT_TRUE(GetCommandRouter()->QueryState(s.command).m_bEnabled);
            EXPECT_TRUE(Run(s.command));
            EXPECT_EQ(First(g.index), s.first) << g.group << " " << s.command;
            EXPECT_EQ(Shown(g.index), Expected(g.index, s.first)) << g.group << " " << s.command;
            EXPECT_EQ(Slider()->GetPos(), s.first / 2);
            EXPECT_EQ(Slider()->GetRangeMax(), PaletteSliderMax(PaletteScrollOf(g.index).last));
        }
    }
}

TEST_F(PaletteTest, OneRowDownShowsSevenFlowToolsAndAnEmptySlot)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8449));
    EXPECT_EQ(Shown(kFlowGroup), (std::vector<UINT>{20103, 20104, 20105, 20108, 20109, 20107, 20106, 0}));
    EXPECT_EQ(Slider()->GetRangeMax(), 1);
    EXPECT_EQ(Slider()->GetPos(), 1);
}

TEST_F(PaletteTest, TheLastCodeRowShowsIncrementalOrAbsoluteToMcode)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    ASSERT_TRUE(Run(8449));
    EXPECT_EQ(Shown(kCodeGroup),
              (std::vector<UINT>{20205, 20206, 20207, 20208, 20209, 20210, 20211, 20212}));
    EXPECT_EQ(Slider()->GetPos(), 2);
    // The scrolled group keeps its rows while another one is shown.
    ASSERT_TRUE(Run(8001));
    ASSERT_TRUE(Run(8003));
    EXPECT_EQ(First(kCodeGroup), 4);
    EXPECT_EQ(Slider()->GetPos(), 2);
}

TEST_F(PaletteTest, ScrollingWithNoGroupShownDoesNothing)
{
    ASSERT_NE(NewDocument(), nullptr);
    Main()->HidePaletteBars();
    ASSERT_TRUE(Run(8449));
    EXPECT_EQ(First(kFlowGroup), 0);
    Main()->GetToolsBar().OnVScroll(TB_PAGEDOWN, 0, Slider());
    EXPECT_EQ(First(kFlowGroup), 0);
}

// The slider's notifications at every boundary.
TEST_F(PaletteTest, TheSliderScrollsByPagesAndThumbPositions)
{
    const struct {
        UINT groupCommand;
        int group;
        int start;
        UINT code;
        int pos;
        int first;
    } cases[] = {
        {8001, kFlowGroup, 0, TB_PAGEDOWN, 0, 2},   {8001, kFlowGroup, 2, TB_PAGEDOWN, 0, 2},
        {8001, kFlowGroup, 2, TB_PAGEUP, 0, 0},     {8001, kFlowGroup, 0, TB_PAGEUP, 0, 0},
        {8001, kFlowGroup, 0, TB_THUMBPOSITION, 1, 2}, {8001, kFlowGroup, 2, TB_THUMBPOSITION, 0, 0},
        {8001, kFlowGroup, 0, TB_THUMBPOSITION, 7, 2}, {8001, kFlowGroup, 2, TB_THUMBPOSITION, -1, 0},
        {8003, kCodeGroup, 0, TB_PAGEDOWN, 0, 2},   {8003, kCodeGroup, 2, TB_PAGEDOWN, 0, 4},
        {8003, kCodeGroup, 4, TB_PAGEDOWN, 0, 4},   {8003, kCodeGroup, 4, TB_PAGEUP, 0, 2},
        {8003, kCodeGroup, 0, TB_THUMBPOSITION, 2, 4}, {8003, kCodeGroup, 4, TB_THUMBPOSITION, 1, 2},
        {8003, kCodeGroup, 0, TB_THUMBPOSITION, 3, 4}, {8002, kFuncGroup, 0, TB_PAGEDOWN, 0, 2},
        {8002, kFuncGroup, 2, TB_PAGEUP, 0, 0},     {8002, kFuncGroup, 0, TB_THUMBPOSITION, 1, 2},
        // Line steps, dragging, the ends and the end of tracking move nothing.
        {8001, kFlowGroup, 0, TB_LINEDOWN, 0, 0},   {8001, kFlowGroup, 2, TB_LINEUP, 0, 2},
        {8003, kCodeGroup, 0, TB_THUMBTRACK, 2, 0}, {8003, kCodeGroup, 0, TB_BOTTOM, 0, 0},
        {8003, kCodeGroup, 4, TB_TOP, 0, 4},        {8003, kCodeGroup, 2, TB_ENDTRACK, 0, 2},
    };
    ASSERT_NE(NewDocument(), nullptr);
    for (const auto& c : cases) {
        ASSERT_TRUE(Run(c.groupCommand));
        Main()->GetToolsBar().OnVScroll(TB_THUMBPOSITION, c.start / 2, Slider());
        ASSERT_EQ(First(c.group), c.start);
        Main()->GetToolsBar().OnVScroll(c.code, c.pos, Slider());
        EXPECT_EQ(First(c.group), c.first) << c.groupCommand << " code " << c.code << " from " << c.start;
        EXPECT_EQ(Shown(c.group), Expected(c.group, c.first)) << c.groupCommand << " code " << c.code;
        EXPECT_EQ(Slider()->GetPos(), c.first / 2) << c.groupCommand << " code " << c.code;
    }
}

// A request that leaves the first shown row where it is must not make the
// buttons again: the widgets the user works with stay.
TEST_F(PaletteTest, TheSliderKeepsTheButtonsWhenTheRowsStay)
{
    const struct {
        UINT groupCommand;
        int group;
        int start;
        UINT code;
        int pos;
    } cases[] = {
        {8001, kFlowGroup, 0, TB_PAGEUP, 0},        {8001, kFlowGroup, 2, TB_PAGEDOWN, 0},
        {8001, kFlowGroup, 2, TB_THUMBPOSITION, 1}, {8001, kFlowGroup, 2, TB_THUMBPOSITION, 5},
        {8003, kCodeGroup, 4, TB_PAGEDOWN, 0},      {8003, kCodeGroup, 0, TB_THUMBPOSITION, -2},
        {8003, kCodeGroup, 2, TB_THUMBPOSITION, 1}, {8002, kFuncGroup, 0, TB_THUMBPOSITION, 0},
    };
    ASSERT_NE(NewDocument(), nullptr);
    for (const auto& c : cases) {
        ASSERT_TRUE(Run(c.groupCommand));
        Main()->GetToolsBar().OnVScroll(TB_THUMBPOSITION, c.start / 2, Slider());
        ASSERT_EQ(First(c.group), c.start);
        QtDialogBar* bar = BarWindow(Main()->GetPaletteGroupBar(c.group));
        std::vector<QWidget*> before;
        for (UINT id : Shown(c.group)) before.push_back(id != 0 ? bar->ControlWidget(id) : nullptr);
        Main()->GetToolsBar().OnVScroll(c.code, c.pos, Slider());
        EXPECT_EQ(First(c.group), c.start) << c.groupCommand << " code " << c.code << " pos " << c.pos;
        EXPECT_EQ(Shown(c.group), Expected(c.group, c.start));
        std::vector<QWidget*> after;
        for (UINT id : Shown(c.group)) after.push_back(id != 0 ? bar->ControlWidget(id) : nullptr);
        EXPECT_EQ(after, before) << c.groupCommand << " code " << c.code << " pos " << c.pos;
        EXPECT_EQ(Slider()->GetPos(), c.start / 2);
        EXPECT_EQ(Slider()->GetRangeMax(), PaletteSliderMax(PaletteScrollOf(c.group).last));
    }
}

TEST_F(PaletteTest, TheSliderDoesNothingWithoutADocumentOrForAnotherControl)
{
    Main()->ShowFlowChartPaletteBars();
    Main()->GetToolsBar().OnVScroll(TB_PAGEDOWN, 0, Slider());
    EXPECT_EQ(First(kFlowGroup), 0);

    ASSERT_NE(NewDocument(), nullptr);
    CSliderCtrl other;
    Main()->GetToolsBar().OnVScroll(TB_PAGEDOWN, 0, &other);
    Main()->GetToolsBar().OnVScroll(TB_PAGEDOWN, 0, nullptr);
    EXPECT_EQ(First(kFlowGroup), 0);
    EXPECT_EQ(Shown(kFlowGroup), Expected(kFlowGroup, 0));
}

TEST_F(PaletteTest, PressingASymbolButtonMakesItsToolTheViewsTool)
{
    ASSERT_NE(NewDocument(), nullptr);
    const CButton& subroutine = Main()->GetSymbolButton(kFlowGroup, 2);
    EXPECT_TRUE(GetCommandRouter()->QueryState(subroutine.GetDlgCtrlID()).m_bEnabled);
    ASSERT_TRUE(Run(subroutine.GetDlgCtrlID()));
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20103u);

    // The scrolled Code group: slot 0 holds LINEAR.
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    ASSERT_TRUE(Run(Main()->GetSymbolButton(kCodeGroup, 0).GetDlgCtrlID()));
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20203u);

    ASSERT_TRUE(Run(8002));
    ASSERT_TRUE(Run(Main()->GetSymbolButton(kFuncGroup, 7).GetDlgCtrlID()));
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20307u);
}

TEST_F(PaletteTest, CommandsOutsideTheToolTableAreNotTools)
{
    ASSERT_NE(NewDocument(), nullptr);
    CHOXView::s_nCurrentTool = 20101;
    for (UINT id : {20100u, 20110u, 20200u, 20213u, 20299u, 20309u}) {
        EXPECT_FALSE(GetCommandRouter()->QueryState(id).m_bEnabled) << id;
        EXPECT_FALSE(Run(id));
    }
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20101u);
}

TEST_F(PaletteTest, TheButtonsFollowTheirCommands)
{
    ASSERT_NE(NewDocument(), nullptr);
    CommandRouter* router = GetCommandRouter();
    Main()->GetToolsBar().OnUpdateCmdUI(router, true);
    Main()->GetPaletteGroupBar(kFlowGroup).OnUpdateCmdUI(router, true);
    Main()->GetGroupBar().OnUpdateCmdUI(router, true);
    EXPECT_TRUE(Main()->GetSymbolButton(kFlowGroup, 0).IsWindowEnabled());
    EXPECT_TRUE(Main()->GetScrollUpButton().IsWindowEnabled());
    EXPECT_TRUE(Main()->GetScrollDownButton().IsWindowEnabled());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Main()->GetGroupButton(i).IsWindowEnabled());
    // The slider is the program's to enable, not a command's.
    Slider()->EnableWindow(false);
    Main()->GetToolsBar().OnUpdateCmdUI(router, true);
    EXPECT_FALSE(Slider()->IsWindowEnabled());
    EXPECT_EQ(Main()->GetConnectButton().IsWindowEnabled(),
              router->RouteCmdMsg(8300, CmdMode::Probe, nullptr));
}

TEST_F(PaletteTest, TheConnectButtonShowsTheWireToolsState)
{
    CHOXBitmapButton& connect = Main()->GetConnectButton();
    const QImage up = LoadNamedBitmapResource(QStringLiteral("BITBTNCONNECTU"));
    const QImage down = LoadNamedBitmapResource(QStringLiteral("BITBTNCONNECTD"));
    ASSERT_FALSE(up.isNull());
    ASSERT_FALSE(down.isNull());
    EXPECT_TRUE(connect.IsUp());
    EXPECT_EQ(*connect.DrawItem(0), up);
    const int paints = connect.GetInvalidateCount();
    Main()->SetConnectButtonState(true);
    EXPECT_FALSE(connect.IsUp());
    EXPECT_EQ(*connect.DrawItem(0), down);
    Main()->SetConnectButtonState(true);
    EXPECT_EQ(connect.GetInvalidateCount(), paints + 1);
    Main()->SetConnectButtonState(false);
    EXPECT_TRUE(connect.IsUp());
    EXPECT_EQ(connect.GetInvalidateCount(), paints + 2);
}

TEST_F(PaletteTest, TheConnectButtonAndTheWireCommandToggleTheWireTool)
{
    ASSERT_NE(NewDocument(), nullptr);
    CHOXBitmapButton& connect = Main()->GetConnectButton();
    const auto wireShown = [&connect] {
        // The bar asks the view for the button's state, as it does when idle.
        GetCommandRouter()->QueryState(8300);
        return !connect.IsUp();
    };
    EXPECT_FALSE(wireShown());

    ASSERT_TRUE(Run(8300));
    EXPECT_EQ(CHOXView::s_nToolMode, 2);
    EXPECT_TRUE(wireShown());
    EXPECT_EQ(GetCommandRouter()->QueryState(32078).m_nCheck, 1);

    ASSERT_TRUE(Run(32078));
    EXPECT_EQ(CHOXView::s_nToolMode, 0);
    EXPECT_FALSE(wireShown());
    EXPECT_EQ(GetCommandRouter()->QueryState(32078).m_nCheck, 0);

    // A symbol chosen in the palette ends the wire tool.
    ASSERT_TRUE(Run(32078));
    ASSERT_TRUE(Run(Main()->GetSymbolButton(kFlowGroup, 0).GetDlgCtrlID()));
    EXPECT_EQ(CHOXView::s_nToolMode, 1);
    EXPECT_FALSE(wireShown());
    CHOXView::s_nToolMode = 0;

    // Only a chart's view takes the button; it comes back with the chart.
    CommandRouter* router = GetCommandRouter();
    MonitorFrame()->MDIActivate();
    Main()->GetToolsBar().OnUpdateCmdUI(router, true);
    EXPECT_FALSE(connect.IsWindowEnabled());
    ChartFrame(QStringLiteral("Flow Chart1"))->MDIActivate();
    Main()->GetToolsBar().OnUpdateCmdUI(router, true);
    EXPECT_TRUE(connect.IsWindowEnabled());
}

TEST_F(PaletteTest, ContextHelpAnswersTheToolUnderThePoint)
{
    ASSERT_NE(NewDocument(), nullptr);
    Settle();
    CHOXDialogBar& flow = Main()->GetPaletteGroupBar(kFlowGroup);
    CHOXDialogBar& tools = Main()->GetToolsBar();
    CHOXDialogBar& selector = Main()->GetGroupBar();
    // Every slot, the eighth included, from the group bar itself.
    for (int slot = 0; slot < kPaletteSlots; ++slot) {
        const CButton& button = Main()->GetSymbolButton(kFlowGroup, slot);
        EXPECT_EQ(flow.OnHelpHitTest(CentreIn(button, flow)),
                  static_cast<int>(PaletteTools(kFlowGroup)[static_cast<std::size_t>(slot)].helpContext))
            << slot;
    }
    EXPECT_EQ(flow.OnHelpHitTest(CentreIn(Main()->GetSymbolButton(kFlowGroup, 7), flow)), 0x10070);
    // The group buttons answer for themselves; other places of the bars the
    // shown group's default.
    EXPECT_EQ(selector.OnHelpHitTest(CentreIn(Main()->GetGroupButton(0), selector)), 0x11F41);
    EXPECT_EQ(selector.OnHelpHitTest(CentreIn(Main()->GetGroupButton(1), selector)), 0x11F43);
    EXPECT_EQ(selector.OnHelpHitTest(CentreIn(Main()->GetGroupButton(2), selector)), 0x11F42);
    EXPECT_EQ(tools.OnHelpHitTest(CentreIn(Main()->GetScrollUpButton(), tools)), 0x11F41);
    EXPECT_EQ(flow.OnHelpHitTest(CPoint(2, 150)), 0x11F41);

    // Scrolled Code: slot 0 is LINEAR, slot 7 MCODE.
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    ASSERT_TRUE(Run(8449));
    Settle();
    CHOXDialogBar& code = Main()->GetPaletteGroupBar(kCodeGroup);
    EXPECT_EQ(code.OnHelpHitTest(CentreIn(Main()->GetSymbolButton(kCodeGroup, 0), code)), 0x10076);
    EXPECT_EQ(code.OnHelpHitTest(CentreIn(Main()->GetSymbolButton(kCodeGroup, 7), code)), 0x1007D);
    EXPECT_EQ(tools.OnHelpHitTest(CentreIn(Main()->GetConnectButton(), tools)), 0x11F43);

    // No group shown: no answer.
    Main()->HidePaletteBars();
    EXPECT_EQ(Main()->PaletteHelpHitTest(CPoint(0, 0)), -1);
}

TEST_F(PaletteTest, ContextHelpOnASymbolButtonShowsTheSymbolsPage)
{
    ASSERT_NE(NewDocument(), nullptr);
    Settle();
    CHOXDialogBar& flow = Main()->GetPaletteGroupBar(kFlowGroup);
    kt::test::RecordingHelp help;
    flow.OnContextHelp(CentreIn(Main()->GetSymbolButton(kFlowGroup, 0), flow));
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages.front(), HelpPageFor(0x1006A));
    EXPECT_FALSE(help.pages.front().isEmpty());
}

TEST_F(PaletteTest, TheViewCommandHidesAndBringsBackTheGroupShownLast)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(32006));
    EXPECT_FALSE(Main()->GetGroupBar().IsWindowVisible());
    EXPECT_FALSE(Main()->GetToolsBar().IsWindowVisible());
    for (int group = 0; group < kPaletteGroups; ++group) {
        EXPECT_FALSE(Visible(group));
        EXPECT_FALSE(Pressed(group));
    }
    EXPECT_FALSE(Main()->GetWorkspaceBar()->IsWindowVisible());
    EXPECT_EQ(GetCommandRouter()->QueryState(32006).m_nCheck, 0);

    ASSERT_TRUE(Run(32006));
    EXPECT_TRUE(Visible(kCodeGroup));
    EXPECT_FALSE(Visible(kFlowGroup));
    EXPECT_TRUE(Pressed(kCodeGroup));
    EXPECT_FALSE(Pressed(kFlowGroup));
    EXPECT_TRUE(Main()->GetToolsBar().IsWindowVisible());
    EXPECT_TRUE(Main()->GetGroupBar().IsWindowVisible());
    EXPECT_TRUE(Main()->GetWorkspaceBar()->IsWindowVisible());
    EXPECT_EQ(GetCommandRouter()->QueryState(32006).m_nCheck, 1);
    // Showing what is shown changes nothing.
    Main()->ShowPaletteBars();
    EXPECT_TRUE(Visible(kCodeGroup));
}

TEST_F(PaletteTest, AnUnknownGroupShowsFlow)
{
    ASSERT_NE(NewDocument(), nullptr);
    Main()->HidePaletteBars();
    Main()->m_nPaletteGroup = 7;
    Main()->ShowPaletteBars();
    EXPECT_TRUE(Visible(kFlowGroup));
    EXPECT_TRUE(Pressed(kFlowGroup));
}

TEST_F(PaletteTest, ClosingTheDocumentTakesTheButtonsAndItemsAway)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    Doc()->SetModifiedFlag(false);
    ASSERT_TRUE(m_app->CloseOpenDocument());
    ASSERT_EQ(Doc(), nullptr);
    for (int group = 0; group < kPaletteGroups; ++group) {
        EXPECT_EQ(Shown(group), std::vector<UINT>(8, 0)) << group;
        EXPECT_EQ(Main()->GetPaletteItems(group).GetCount(), 0u);
        EXPECT_FALSE(Visible(group));
    }
    EXPECT_FALSE(Main()->GetGroupBar().IsWindowVisible());

    // The next document starts every group at its top, with Flow.
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_EQ(First(kCodeGroup), 0);
    EXPECT_EQ(Shown(kCodeGroup), Expected(kCodeGroup, 0));
    EXPECT_TRUE(Visible(kFlowGroup));
    EXPECT_EQ(Main()->m_nPaletteGroup, kFlowGroup);
}

TEST_F(PaletteTest, FileCloseHidesThePalette)
{
    ASSERT_NE(NewDocument(), nullptr);
    Doc()->SetModifiedFlag(false);
    ASSERT_TRUE(Run(32043));
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_FALSE(Main()->GetGroupBar().IsWindowVisible());
    EXPECT_FALSE(Main()->GetToolsBar().IsWindowVisible());
    for (int group = 0; group < kPaletteGroups; ++group) {
        EXPECT_FALSE(Visible(group));
        EXPECT_EQ(Shown(group), std::vector<UINT>(8, 0));
    }
}

TEST_F(PaletteTest, AnotherDocumentLeavesTheOpenOnesPaletteAlone)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    {
        CHOXDoc aside;
    }
    EXPECT_EQ(First(kCodeGroup), 2);
    EXPECT_EQ(Shown(kCodeGroup), Expected(kCodeGroup, 2));
    EXPECT_EQ(Main()->GetPaletteItems(kCodeGroup).GetCount(), 12u);
}

// ---------------------------------------------------------------------------
// The bars' windows

TEST_F(PaletteTest, TheBarsStandAtTheLeftEdgeUnderTheWorkspace)
{
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2004", "Bar2007"}));
    ASSERT_TRUE(Run(8003));
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2005", "Bar2007"}));
    ASSERT_TRUE(Run(8002));
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2006", "Bar2007"}));
    ASSERT_TRUE(Run(32006));
    EXPECT_TRUE(LeftEdge().isEmpty());
    ASSERT_TRUE(Run(32006));
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2006", "Bar2007"}));
    Main()->DockPaletteBars();
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2006", "Bar2007"}));
    Main()->DockPaletteBarsFloating();
    EXPECT_EQ(LeftEdge(), QStringList({"Bar2003", "Bar2008", "Bar2006", "Bar2007"}));

    // Each bar as large as its template; none can be moved or closed.
    const std::vector<CDialogBar*> bars = {&Main()->GetGroupBar(), &Main()->GetToolsBar(),
                                           &Main()->GetPaletteGroupBar(kFuncGroup)};
    for (CDialogBar* bar : bars) {
        QtDialogBar* window = BarWindow(*bar);
        EXPECT_EQ(window->Client()->size(), QSize(bar->GetDefaultSize().cx, bar->GetDefaultSize().cy));
        EXPECT_EQ(window->features(), QDockWidget::NoDockWidgetFeatures);
    }
}

TEST_F(PaletteTest, ClickingTheButtonsWorksThroughTheWidgets)
{
    ASSERT_NE(NewDocument(), nullptr);
    QtDialogBar* flow = BarWindow(Main()->GetPaletteGroupBar(kFlowGroup));
    auto* pointer = qobject_cast<QAbstractButton*>(flow->ControlWidget(20109));
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(pointer->toolTip(), QStringLiteral("Pointer"));
    // A button's command runs once its click has returned.
    pointer->click();
    EXPECT_NE(CHOXView::s_nCurrentTool, 20109u);
    QCoreApplication::processEvents();
    EXPECT_EQ(CHOXView::s_nCurrentTool, 20109u);

    QtDialogBar* selector = BarWindow(Main()->GetGroupBar());
    auto* code = qobject_cast<QAbstractButton*>(selector->ControlWidget(8003));
    ASSERT_NE(code, nullptr);
    code->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Visible(kCodeGroup));

    QtDialogBar* tools = BarWindow(Main()->GetToolsBar());
    auto* down = qobject_cast<QAbstractButton*>(tools->ControlWidget(8449));
    ASSERT_NE(down, nullptr);
    down->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(First(kCodeGroup), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QtDialogBar* codeBar = BarWindow(Main()->GetPaletteGroupBar(kCodeGroup));
    EXPECT_EQ(codeBar->ControlWidget(20201), nullptr);
    auto* linear = qobject_cast<QAbstractButton*>(codeBar->ControlWidget(20203));
    ASSERT_NE(linear, nullptr);
    EXPECT_EQ(linear->geometry(), QRect(12, 9, 64, 32));
}

TEST_F(PaletteTest, TheSliderWidgetShowsTheShownRows)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    QtDialogBar* tools = BarWindow(Main()->GetToolsBar());
    auto* slider = qobject_cast<QSlider*>(tools->ControlWidget(8452));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->maximum(), 2);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);

    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(First(kCodeGroup), 2);
    EXPECT_EQ(slider->value(), 1);
    // A line step moves no rows, and the thumb stays with the rows.
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(First(kCodeGroup), 2);
    EXPECT_EQ(slider->value(), 1);
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(First(kCodeGroup), 2);
    EXPECT_EQ(slider->value(), 1);
    // A thumb let go at a place scrolls there.
    slider->setSliderDown(true);
    slider->setSliderPosition(2);
    slider->setSliderDown(false);
    EXPECT_EQ(First(kCodeGroup), 4);
    EXPECT_EQ(slider->value(), 2);
    EXPECT_EQ(Slider()->GetPos(), 2);
}

TEST_F(PaletteTest, TheWheelOverTheSliderMovesNeitherRowsNorThumb)
{
    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(Run(8003));
    ASSERT_TRUE(Run(8449));
    QtDialogBar* tools = BarWindow(Main()->GetToolsBar());
    auto* slider = qobject_cast<QSlider*>(tools->ControlWidget(8452));
    ASSERT_NE(slider, nullptr);
    ASSERT_EQ(slider->value(), 1);
    // Down and up, in both wheel directions a whole notch.
    for (int delta : {-120, 120, -240, 240}) {
        const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
        QWheelEvent wheel(at, slider->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &wheel);
        EXPECT_EQ(First(kCodeGroup), 2) << delta;
        EXPECT_EQ(slider->value(), 1) << delta;
        EXPECT_EQ(slider->sliderPosition(), 1) << delta;
        EXPECT_EQ(Slider()->GetPos(), 1) << delta;
    }
}

TEST_F(PaletteTest, OwnerDrawnButtonsShowTheirPictures)
{
    ASSERT_NE(NewDocument(), nullptr);
    Settle();
    QtDialogBar* tools = BarWindow(Main()->GetToolsBar());
    QWidget* connect = tools->ControlWidget(8300);
    ASSERT_NE(connect, nullptr);
    EXPECT_EQ(connect->size(), QSize(57, 36));
    const QImage up = LoadNamedBitmapResource(QStringLiteral("BITBTNCONNECTU")).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(SamePicture(connect->grab().toImage(), up));
    Main()->SetConnectButtonState(true);
    const QImage down = LoadNamedBitmapResource(QStringLiteral("BITBTNCONNECTD")).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(SamePicture(connect->grab().toImage(), down));

    QtDialogBar* selector = BarWindow(Main()->GetGroupBar());
    QWidget* flow = selector->ControlWidget(8001);
    ASSERT_NE(flow, nullptr);
    const QImage selected = LoadBitmapResource(4001).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(SamePicture(flow->grab().toImage(), selected));
    QWidget* code = selector->ControlWidget(8003);
    const QImage normal = LoadBitmapResource(4005).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(SamePicture(code->grab().toImage(), normal));
}

} // namespace
