// The M codes of the OFF ladders: the applied ones of the axis, the M Code
// symbols of the charts (in the order the conversion walks them), the edited
// one; each once, and only those that have settings.
#include "plc/McodeOffList.h"

#include "plc/HOXMcodeKzPlc.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/code/HOXCodeTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Codes = std::vector<std::int32_t>;

class McodeOffListTest : public kt::test::FlowDocTest {
protected:
    // An M Code symbol of the number under the id in the window.
    CHOXCodeMcode* Mcode(CHOXFlowWnd* wnd, DWORD id, BYTE number)
    {
        auto symbol = std::make_unique<CHOXCodeMcode>(CPoint(100, 50), wnd);
        symbol->SetId(id);
        symbol->SetNumber(number);
        CHOXCodeMcode* raw = symbol.get();
        wnd->AddObject(std::move(symbol));
        return raw;
    }
    void Apply(std::int32_t mcode, int axis)
    {
        settings.SetSequence(mcode, axis);
        settings.UpdateList(mcode, false, axis);
    }
    CHOXMcodeKzPlc settings;
};

} // namespace

TEST_F(McodeOffListTest, AppliedThenChartsThenTheEditedMcodeEachOnce)
{
    Apply(9, 0);
    Apply(4, 0);
    Apply(6, 1);
    // Listed but no longer set: left out.
    settings.UpdateList(8, false, 0);
    EXPECT_EQ(mcodeoff::Merge(settings, 0, {}, 5), (Codes{9, 4, 5}));
    EXPECT_EQ(mcodeoff::Merge(settings, 1, {}, 5), (Codes{6, 5}));
    EXPECT_EQ(mcodeoff::Merge(settings, 0, {3, 4, 3, 0, 5}, 5), (Codes{9, 4, 3, 0, 5}));
    EXPECT_EQ(mcodeoff::Merge(settings, 0, {}, 9), (Codes{9, 4}));
    // M codes without settings stay out: from symbols (a rebuilt m101, a
    // damaged byte) and as the edited one.
    EXPECT_EQ(mcodeoff::Merge(settings, 0, {101, 255, 100}, 102), (Codes{9, 4, 100}));
    EXPECT_EQ(mcodeoff::Merge(settings, 0, {}, -1), (Codes{9, 4}));
    // An axis without settings lists nothing applied.
    EXPECT_EQ(mcodeoff::Merge(settings, 5, {7}, 200), (Codes{7}));
}

TEST_F(McodeOffListTest, ChartsGoInTheOrderOfTheNameListAndSymbolsInTheirMapsOrder)
{
    CHOXFlowWnd* second = AddChart(QStringLiteral("Flow Chart2"));
    // One bucket holds ids 0 and 1, newest first; id 16 is the next bucket.
    Mcode(chart, 16, 7);
    Mcode(chart, 0, 8);
    Mcode(chart, 1, 9);
    Mcode(subtask, 2, 100);
    Mcode(second, 3, 3);
    Mcode(second, 4, 101);
    auto time = std::make_unique<CHOXCodeTime>(CPoint(100, 50), second);
    time->SetId(5);
    second->AddObject(std::move(time));
    EXPECT_EQ(mcodeoff::ChartMcodes(*doc, nullptr), (Codes{9, 8, 7, 100, 101, 3}));

    // A name of the list that has no chart is passed over.
    doc->RemoveWindow(QStringLiteral("Flow Chart2"));
    EXPECT_EQ(mcodeoff::ChartMcodes(*doc, nullptr), (Codes{9, 8, 7, 100}));
}

TEST_F(McodeOffListTest, TheOpenerIsLeftOutOnlyWhenItsMcodeWasChanged)
{
    CHOXCodeMcode* opener = Mcode(chart, 0, 5);
    Mcode(chart, 1, 6);
    Apply(2, 0);
    // Unchanged: it holds the edited M code anyway.
    EXPECT_EQ(mcodeoff::Gather(settings, 0, *doc, opener, false, 5), (Codes{2, 6, 5}));
    // Changed from 5 to 7 in its dialog: its 5 is going.
    EXPECT_EQ(mcodeoff::Gather(settings, 0, *doc, opener, true, 7), (Codes{2, 6, 7}));
    // Another symbol holding 5 keeps it (it comes first in the map).
    Mcode(chart, 2, 5);
    EXPECT_EQ(mcodeoff::Gather(settings, 0, *doc, opener, true, 7), (Codes{2, 5, 6, 7}));
}

TEST_F(McodeOffListTest, TotalRowsAreTheSetMcodesWithTheEditedOnesOwnDevice)
{
    Apply(9, 0);
    settings.SetCompletionDevice(9, CHOXSelectVal::kM, 0, 12, 0, 0, 0);
    Apply(5, 0);
    const Codes offList{9, 3, 5};
    const auto describe = [](const std::vector<plcrows::McodeOffEntry>& entries) {
        std::string out;
        for (const auto& e : entries) out += std::to_string(e.mcode) + ":" + e.completion.toStdString() + " ";
        return out;
    };
    // The edited M code's state and device are the dialog's, whatever is
    // stored.
    EXPECT_EQ(describe(mcodeoff::TotalEntries(settings, 0, offList, {5, true, QStringLiteral("Y7")})), "9:M12 5:Y7 ");
    EXPECT_EQ(describe(mcodeoff::TotalEntries(settings, 0, offList, {5, false, QStringLiteral("Y7")})), "9:M12 ");
    EXPECT_EQ(describe(mcodeoff::TotalEntries(settings, 0, offList, {3, true, QStringLiteral("D1")})),
              "9:M12 3:D1 5:X0 ");
    EXPECT_EQ(describe(mcodeoff::TotalEntries(settings, 1, offList, {3, false, QStringLiteral("D1")})), "");
}
