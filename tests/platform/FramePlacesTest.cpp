// The frame access the running-program tracker needs, on the real windows
// offscreen: the main window's minimized state and the rectangle of the area
// that holds the frames, a frame put at a normal rectangle and shown, a
// frame's place on the screen; and modeless dialogs owned by a frame: made
// hidden, shown without taking the activation, hidden, moved to a corner of
// the screen and read back, with the background colour the dialog chooses
// for a control.
#include "platform/Document.h"
#include "platform/MDI.h"
#include "platform/View.h"
#include "platform/WinApp.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"
#include "support/QtDialogs.h"
#include "support/QtMainWindowTest.h"

#include <QApplication>
#include <QMdiArea>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

using kt::test::InstalledRunner;

class PlainView : public CView {};

// A dialog of one multi-line edit that chooses the edit's background.
class ColouredDialog : public CDialog {
public:
    static constexpr int kText = 100;
    ColouredDialog()
        : CDialog(DialogTemplate::Parse(
              R"({"id": 9001, "caption": "Lines", "size": [120, 60],
                  "rows": [[{"id": 100, "kind": "edit", "multiline": true, "readonly": true}]]})",
              nullptr))
    {
    }
    bool OnCtlColor(int id, COLORREF& background) override
    {
        if (id != kText) return false;
        background = RGB(255, 255, 255);
        return true;
    }
};

class FramePlacesTest : public kt::test::QtMainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(QtMainWindowTest::SetUp());
        m_main->ShowWindow(SW_SHOWNORMAL);
        Window()->resize(900, 700);
        m_frame = m_template.CreateNewFrame(&m_doc, m_main);
        ASSERT_NE(m_frame, nullptr);
        m_template.InitialUpdateFrame(m_frame, &m_doc, true);
    }

    CDocument m_doc;
    CMDIChildWnd* m_frame = nullptr;
    CMultiDocTemplate m_template{1002, [] { return std::make_unique<CMDIChildWnd>(); },
                                 [] { return std::make_unique<PlainView>(); }};
};

} // namespace

TEST_F(FramePlacesTest, TheMainWindowTellsItsMinimizedStateAndTheAreaOfItsFrames)
{
    EXPECT_FALSE(m_main->IsIconic());
    const QWidget* area = Window()->MdiArea()->viewport();
    EXPECT_EQ(CRect(0, 0, area->width(), area->height()), m_main->GetMDIClientRect());
    EXPECT_GT(area->width(), 0);
    m_main->ShowWindow(SW_SHOWMINIMIZED);
    EXPECT_TRUE(m_main->IsIconic());
    m_main->ShowWindow(SW_RESTORE);
    EXPECT_FALSE(m_main->IsIconic());
}

TEST_F(FramePlacesTest, APlacementPutsAFrameRestoredAtItsRectangleAndShowsIt)
{
    const CRect place(30, 40, 330, 240);
    for (int before : {SW_HIDE, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWNORMAL}) {
        SCOPED_TRACE(before);
        m_frame->MoveWindow(CRect(0, 0, 100, 100));
        m_frame->ShowWindow(before);
        m_frame->SetWindowPlacement(place, SW_SHOWNORMAL);
        EXPECT_TRUE(m_frame->IsWindowVisible());
        EXPECT_FALSE(m_frame->IsIconic());
        EXPECT_FALSE(m_frame->IsZoomed());
        EXPECT_EQ(place, m_frame->GetRestoredRect());
        EXPECT_EQ(place, m_frame->GetWindowRect());
    }
    // On the screen, where the area that holds it puts it.
    const QPoint corner = QtChildFrameHost::WindowOf(m_frame)->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(CRect(corner.x(), corner.y(), corner.x() + 300, corner.y() + 200), m_frame->GetScreenRect());
    EXPECT_EQ(corner, Window()->MdiArea()->viewport()->mapToGlobal(QPoint(30, 40)));
}

TEST_F(FramePlacesTest, AModelessDialogOfAFrameIsMadeHiddenAndShownWithoutTakingTheActivation)
{
    QtDialogRunner runner;
    InstalledRunner installed(&runner);
    ColouredDialog dialog;
    ASSERT_TRUE(dialog.Create(m_frame, false));
    EXPECT_EQ(m_frame, dialog.GetParentFrame());
    EXPECT_FALSE(dialog.IsWindowVisible());
    TemplateDialog* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* shown = qobject_cast<TemplateDialog*>(w); shown != nullptr && &shown->Site().Dialog() == &dialog)
            window = shown;
    ASSERT_NE(window, nullptr);
    // Owned by the main window that holds the frame.
    EXPECT_EQ(static_cast<QWidget*>(Window()), window->parentWidget());
    EXPECT_TRUE(window->isWindow());

    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
    dialog.ShowWindow(SW_HIDE);
    EXPECT_FALSE(dialog.IsWindowVisible());
    dialog.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dialog.IsWindowVisible());
    EXPECT_FALSE(window->testAttribute(Qt::WA_ShowWithoutActivating));

    // Moved by its corner on the screen, its size kept.
    const CRect before = dialog.GetWindowRect();
    dialog.SetWindowPos(CPoint(123, 45));
    const CRect after = dialog.GetWindowRect();
    EXPECT_EQ(CPoint(123, 45), after.TopLeft());
    EXPECT_EQ(before.Size(), after.Size());
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(123, 45));

    // The colour the dialog chose for its edit, whatever the edit's state.
    auto* edit = qobject_cast<QPlainTextEdit*>(window->Site().Control(ColouredDialog::kText));
    ASSERT_NE(edit, nullptr);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        EXPECT_EQ(QColor(Qt::white), edit->palette().color(group, QPalette::Base));
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.IsModeless());
}
