// The plot, the current position, the controller status and the program
// information while a document monitors the simulated controller, on a
// one-axis and a two-axis model: a position preset from the current
// position's dialog comes back in the panel and the plot, a ready axis and an
// error light their lamps, the error code shows, and the page draws what was
// read.
#include "online/monitor/HOXCurPosDlg.h"

#include "chart/RecordingPainter.h"
#include "online/monitor/MonitorSupport.h"

#include <QPainter>

using namespace kt::test;
using Dlg = CHOXCurPosDlg;

namespace {

class MonObjMonitoredTest : public MonitorFixture, public ::testing::WithParamInterface<std::int32_t> {
protected:
    void TearDown() override
    {
        if (doc) doc->StopMonitoringIfActive();
        MonitorFixture::TearDown();
    }

    // The texts the page draws now.
    QStringList PageTexts()
    {
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter);
            Monitor()->Draw(&dc);
        }
        QStringList texts;
        for (const auto& t : device.Record().texts) texts << t.text;
        return texts;
    }
};

} // namespace

TEST_P(MonObjMonitoredTest, PositionsLampsValuesAndThePlotFollowTheController)
{
    const std::int32_t type = GetParam();
    const bool oneAxis = ctype::IsOneAxis(type);
    NewDocument(type);
    Sim().SetModel(oneAxis ? 0 : 1);
    Sim().SetSwitch(CSimController::ReadyX, true);
    Sim().SetSwitch(CSimController::ReadyY, true);
    HostView();
    const Page page = OneOfEach();
    doc->OnMonitorStart();
    ASSERT_FALSE(doc->IsEditMode());
    DrawPage();
    QString text;
    RunUntil([&] { return page.status->GetLamp(0, 0, text) == 1; });
    EXPECT_EQ(page.info->GetInfo(0).errorCode, 0);

    // Preset through the dialog: the next cycles read the positions back.
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [oneAxis](DialogDriver& d) {
        d.Type(Dlg::kXValue, QStringLiteral("500"));
        d.Click(Dlg::kWriteX);
        if (!oneAxis) {
            d.Type(Dlg::kYValue, QStringLiteral("-250"));
            d.Click(Dlg::kWriteY);
        }
        d.Click(IDOK);
    });
    page.position->OnOpen(0, CPoint());
    const std::int32_t y = oneAxis ? 0 : -250;
    RunUntil([&] {
        return page.position->GetXPosition() == 500 && page.position->GetYPosition() == y &&
               page.plot->GetLastSample() == (PlotSample{500, y});
    });
    if (oneAxis) {
        EXPECT_EQ(page.plot->GetSamples().size(), 1u);
    } else {
        EXPECT_GT(page.plot->GetSamples().size(), 1u) << "the path since the start";
        EXPECT_EQ(page.plot->GetSamples().back(), (PlotSample{500, -250}));
    }

    // An error on X lights its lamp and shows its code.
    Sim().SetAxisError(0, 7);
    RunUntil([&] { return page.info->GetInfo(0).errorCode == 7 && page.status->GetLamp(0, 2, text) == 1; });

    const QStringList texts = PageTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("500")));
    EXPECT_EQ(texts.contains(QStringLiteral("-250")), !oneAxis);
    EXPECT_TRUE(texts.contains(QStringLiteral(" E:")));
    EXPECT_TRUE(texts.contains(QStringLiteral("7")));
    EXPECT_EQ(texts.contains(QStringLiteral("Y-axis")), !oneAxis);
    doc->StopMonitoringIfActive();
    EXPECT_TRUE(doc->IsEditMode());
}

INSTANTIATE_TEST_SUITE_P(Models, MonObjMonitoredTest, ::testing::Values(ctype::kOneAxis, ctype::kTwoAxes),
                         [](const auto& info) { return info.param == ctype::kOneAxis ? "OneAxis" : "TwoAxes"; });
