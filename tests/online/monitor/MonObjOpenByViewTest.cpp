// The plot, the current position, the controller status and the program
// information inserted through the monitor view's commands and opened by a
// double click on the page, at every zoom and scroll, while editing and while
// monitoring.
#include "online/monitor/HOXCurPosDlg.h"
#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXPlotXYDlg.h"
#include "online/monitor/HOXProgInfoDlg.h"
#include "online/monitor/MonObjIds.h"
#include "online/monitor/MonViewFixture.h"
#include "res/CommandIds.h"

using namespace kt::test;

namespace {

class MonObjOpenByViewTest : public ::testing::TestWithParam<MonPlace>, protected MonViewFixture {};

} // namespace

TEST_P(MonObjOpenByViewTest, ADoubleClickOpensTheObjectsDialogInTheModesItOpensIn)
{
    ShowAt(GetParam());
    const struct {
        UINT command;
        WORD id;
        CRect at;
        UINT editing;
        UINT monitoring; // 0: nothing opens
    } cases[] = {
        {ID_INSERT_PLOT, monid::kPlot, CRect(20, 20, 252, 252), CHOXPlotXYDlg::kTemplate, CHOXPlotXYDlg::kTemplate},
        {ID_INSERT_CURRENT_POSITION, monid::kCurPos, CRect(300, 20, 428, 72), CHOXCurPosDlg::kTemplate,
         CHOXCurPosDlg::kTemplate},
        {ID_INSERT_CONTROLLER_STATUS, monid::kKZQWStat, CRect(300, 100, 576, 200), CHOXManInputDlg::kTemplate, 0},
        {ID_INSERT_PROGRAM_INFO, monid::kProgInfo, CRect(20, 300, 270, 374), CHOXProgInfoDlg::kTemplate,
         CHOXProgInfoDlg::kTemplate},
    };
    for (const auto& c : cases) {
        Command(c.command);
        CHOXMonObj* object = wnd->LookupMonObj(c.id);
        ASSERT_NE(object, nullptr) << c.command;
        object->m_position = c.at;
    }
    for (bool monitoring : {false, true}) {
        if (monitoring) StartMonitoring();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.command) + (monitoring ? " monitoring" : " editing"));
            const UINT expected = monitoring ? c.monitoring : c.editing;
            ScriptedDialogs dialogs;
            if (expected != 0) dialogs.Expect(expected, [](DialogDriver& d) { d.PressKey(Qt::Key_Escape); });
            DoubleClick(c.at.CenterPoint());
            EXPECT_EQ(dialogs.Ran(), expected != 0 ? 1 : 0);
        }
    }
    doc->SetEditMode(true);
}

INSTANTIATE_TEST_SUITE_P(Places, MonObjOpenByViewTest, ::testing::ValuesIn(kMonPlaces),
                         [](const auto& info) { return std::string(info.param.name); });
