// A flow record that shows another record's objects without owning them,
// as the placeholder records of monitoring show the running chart: drawing,
// hit tests and lookups as in the source; after the showing ends, or the
// record goes, the source's objects are whole, owned by the source, and the
// document's numbers as they were.
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/RecordingPainter.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/flow/HOXFlowPointer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

using kt::test::HostedView;
using kt::test::RecordingPaintDevice;

namespace {

const QString kBlank = QStringLiteral("FlowChart 1(Blank)");

// What drawing the record put on a device, in order: texts with their
// places, lines with their ends, rectangles with their bounds.
QStringList Drawn(CHOXFlowWnd& wnd)
{
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        wnd.Draw(&dc);
    }
    QStringList drawn;
    for (const auto& t : device.Record().texts)
        drawn << QStringLiteral("text %1 at %2,%3").arg(t.text).arg(t.baseline.x()).arg(t.baseline.y());
    for (const auto& l : device.Record().lines)
        drawn << QStringLiteral("line %1,%2 %3,%4").arg(l.line.x1()).arg(l.line.y1()).arg(l.line.x2()).arg(l.line.y2());
    for (const auto& r : device.Record().rects)
        drawn << QStringLiteral("rect %1,%2 %3x%4")
                     .arg(r.rect.x())
                     .arg(r.rect.y())
                     .arg(r.rect.width())
                     .arg(r.rect.height());
    return drawn;
}

class ShownRecordTest : public kt::test::FlowDocTest {
protected:
    void SetUp() override
    {
        FlowDocTest::SetUp();
        // START and END joined by a wire, a POINTER, and a node.
        chart->CreateInitialSymbols(0);
        ASSERT_EQ(chart->GetObjectMap().GetCount(), 2u);
        std::vector<CHOXSymbol*> symbols;
        for (const auto& [id, object] : chart->GetObjectMap())
            symbols.push_back(dynamic_cast<CHOXSymbol*>(object.get()));
        Wire(symbols[0]->GetObjectType() == objtype::kFlowStart ? symbols[0] : symbols[1], 0,
             symbols[0]->GetObjectType() == objtype::kFlowStart ? symbols[1] : symbols[0]);
        Place<CHOXFlowPointer>(chart, CPoint(300, 50));
        nodeNumber = doc->AllocPointerNumber();
        chart->AddNode(std::make_unique<CHOXNode>(nodeNumber, CRect(400, 200, 410, 210), CHOXConnect::kNone, chart));
        chart->GetBaseRect()->m_position = CRect(0, 0, 700, 900);

        auto blank = doc->NewFlowWindow(kBlank, QString());
        placeholder = blank.get();
        doc->AddWindow(kBlank, std::move(blank), true);

        pointersUsed = UsedPointerNumbers();
        programsUsed = UsedProgramNumbers(axis::kX);
        sourceDrawn = Drawn(*chart);
    }

    // The source as it was built: every object in its maps, owned by it, the
    // numbers the document had.
    void ExpectSourceWhole()
    {
        EXPECT_EQ(chart->GetObjectMap().GetCount(), 3u);
        EXPECT_EQ(chart->GetConnectMap().GetCount(), 1u);
        EXPECT_EQ(chart->GetNodeMap().GetCount(), 1u);
        for (const ObjectMap* map : {&chart->GetObjectMap(), &chart->GetConnectMap(), &chart->GetNodeMap()})
            for (const auto& [id, object] : *map) {
                ASSERT_NE(object, nullptr);
                EXPECT_EQ(object->GetWnd(), chart);
                EXPECT_EQ(object->GetId(), id);
            }
        EXPECT_EQ(UsedPointerNumbers(), pointersUsed);
        EXPECT_EQ(UsedProgramNumbers(axis::kX), programsUsed);
        EXPECT_TRUE(doc->IsPointerNumberUsed(nodeNumber));
        EXPECT_EQ(Drawn(*chart), sourceDrawn);
    }

    void ExpectShowsNothing()
    {
        EXPECT_EQ(&placeholder->GetShownRecord(), placeholder);
        for (const auto& [id, object] : chart->GetObjectMap()) EXPECT_EQ(placeholder->LookupObject(id), nullptr);
        for (const auto& [id, object] : chart->GetConnectMap()) EXPECT_EQ(placeholder->LookupConnect(id), nullptr);
        EXPECT_EQ(placeholder->LookupNode(static_cast<WORD>(nodeNumber)), nullptr);
        EXPECT_EQ(placeholder->ObjectAt(CPoint(405, 205)), nullptr);
    }

    CHOXFlowWnd* placeholder = nullptr;
    int nodeNumber = -1;
    int pointersUsed = 0;
    int programsUsed = 0;
    QStringList sourceDrawn;
};

} // namespace

TEST_F(ShownRecordTest, ShowsTheOthersObjectsOnASheetOfItsSizeWithoutOwningThem)
{
    HostedView<CHOXFlowView> shown(*doc, placeholder);
    shown.host.ClearRecord();
    placeholder->CopyMapsFrom(*chart);

    EXPECT_EQ(&placeholder->GetShownRecord(), chart);
    EXPECT_EQ(placeholder->GetBaseRect()->GetRect(), CRect(0, 0, 700, 900));
    EXPECT_EQ(shown.host.totalSize, CSize(715, 915));
    // Drawn, hit and found as in the source.
    EXPECT_EQ(Drawn(*placeholder), sourceDrawn);
    for (const auto& [id, object] : chart->GetObjectMap()) {
        EXPECT_EQ(placeholder->LookupObject(id), object.get());
        const CRect& r = object->GetRect();
        EXPECT_EQ(placeholder->ObjectAt(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)),
                  chart->ObjectAt(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)));
    }
    for (const auto& [id, wire] : chart->GetConnectMap()) EXPECT_EQ(placeholder->LookupConnect(id), wire.get());
    EXPECT_EQ(placeholder->LookupNode(static_cast<WORD>(nodeNumber)), chart->LookupNode(static_cast<WORD>(nodeNumber)));
    EXPECT_EQ(placeholder->ObjectAt(CPoint(405, 205)), chart->LookupNode(static_cast<WORD>(nodeNumber)));
    // Owned by the source: the record's own maps hold nothing.
    EXPECT_TRUE(placeholder->GetObjectMap().IsEmpty());
    EXPECT_TRUE(placeholder->GetConnectMap().IsEmpty());
    EXPECT_TRUE(placeholder->GetNodeMap().IsEmpty());
    ExpectSourceWhole();
}

TEST_F(ShownRecordTest, WhileMonitoringItsOwnFlagsChooseTheMarkThatFramesTheSymbols)
{
    CHOXSymbol* start = nullptr;
    for (const auto& [id, object] : chart->GetObjectMap())
        if (object->GetObjectType() == objtype::kFlowStart) start = dynamic_cast<CHOXSymbol*>(object.get());
    ASSERT_NE(start, nullptr);
    start->SetMonitorMark2(1);
    placeholder->CopyMapsFrom(*chart);
    placeholder->m_nDisplaySecond = 1;
    doc->SetEditMode(false);
    // The red frame's four sides, of the START only, and only where the
    // second mark is chosen.
    const auto redSides = [](CHOXFlowWnd& wnd) {
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter);
            wnd.Draw(&dc);
        }
        int red = 0;
        for (const auto& r : device.Record().rects) red += r.brush.color() == QColor(255, 0, 0) ? 1 : 0;
        return red;
    };
    EXPECT_EQ(redSides(*placeholder), 4);
    EXPECT_EQ(redSides(*chart), 0);
    doc->SetEditMode(true);
    start->SetMonitorMark2(0);
}

TEST_F(ShownRecordTest, RemoveAllMapsEndsTheShowingAndLeavesTheSourceWhole)
{
    placeholder->CopyMapsFrom(*chart);
    placeholder->RemoveAllMaps();
    ExpectShowsNothing();
    ExpectSourceWhole();
    // Twice, or without showing anything, changes nothing.
    placeholder->RemoveAllMaps();
    ExpectShowsNothing();
}

TEST_F(ShownRecordTest, DeletingTheShowingRecordLeavesTheSourceWhole)
{
    placeholder->CopyMapsFrom(*chart);
    std::unique_ptr<CHOXFlowWnd> gone = doc->RemoveWindow(kBlank);
    ASSERT_EQ(gone.get(), placeholder);
    gone.reset();
    placeholder = nullptr;
    ExpectSourceWhole();
}

TEST_F(ShownRecordTest, DeletingTheSourceFirstLeavesTheShowingRecordWithItsOwn)
{
    placeholder->CopyMapsFrom(*chart);
    std::unique_ptr<CHOXFlowWnd> source = doc->RemoveWindow(QStringLiteral("Flow Chart1"));
    ASSERT_EQ(source.get(), chart);
    source.reset();
    EXPECT_EQ(&placeholder->GetShownRecord(), placeholder);
    EXPECT_EQ(placeholder->LookupObject(0), nullptr);
    EXPECT_EQ(placeholder->ObjectAt(CPoint(405, 205)), nullptr);
    // Only its sheet is drawn.
    CHOXFlowWnd empty(doc.get());
    empty.GetBaseRect()->m_position = placeholder->GetBaseRect()->GetRect();
    EXPECT_EQ(Drawn(*placeholder), Drawn(empty));
}

TEST_F(ShownRecordTest, ShowingIsNeverTakenTwiceOrInACircle)
{
    // A record that shows another's hands on the source.
    CHOXFlowWnd* second = AddChart(QStringLiteral("Second blank"));
    placeholder->CopyMapsFrom(*chart);
    second->CopyMapsFrom(*placeholder);
    EXPECT_EQ(&second->GetShownRecord(), chart);
    // Showing what shows it, or itself, shows its own.
    chart->CopyMapsFrom(*placeholder);
    EXPECT_EQ(&chart->GetShownRecord(), chart);
    placeholder->CopyMapsFrom(*placeholder);
    EXPECT_EQ(&placeholder->GetShownRecord(), placeholder);
    // Showing another record drops the first.
    second->CopyMapsFrom(*subtask);
    EXPECT_EQ(&second->GetShownRecord(), subtask);
    EXPECT_EQ(second->GetBaseRect()->GetRect(), subtask->GetBaseRect()->GetRect());
    ExpectSourceWhole();
}
