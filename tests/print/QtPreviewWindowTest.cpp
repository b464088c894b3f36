// The print preview's window on the desktop, through its real widgets: it
// covers the client area, its buttons turn, double and zoom the pages, Esc
// and Close end it, and the frames come back.
#include "platform/Help.h"
#include "platform/ui/QtPreviewWindow.h"
#include "app/AppDocsFixture.h"
#include "chart/HOXBaseRect.h"
#include "res/CommandIds.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrint.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <QToolBar>

using namespace kt::test;

namespace {

class QtPreviewWindowTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
        Doc()->FindWindowByName(QStringLiteral("Flow Chart2"))->GetBaseRect()->m_position = CRect(0, 0, 1000, 300);
        Doc()->SetModifiedFlag(false);
        printing.AddPrinter(QStringLiteral("Office"));
        m_previous = GetPreviewService();
        SetPreviewService(&service);
        Window()->resize(1000, 760);
        Window()->show();
        QApplication::setActiveWindow(Window());
    }
    void TearDown() override
    {
        CPrintPreview::EndActive();
        SetPreviewService(m_previous);
        AppDocsFixture::TearDown();
    }

    QtPreviewWindow* Open()
    {
        GetCommandRouter()->Execute(ID_FILE_PRINT_PREVIEW);
        QApplication::processEvents();
        return QtPreviewService::ActiveWindow();
    }

    ScriptedPrinting printing;
    QtPreviewService service;
    PreviewService* m_previous = nullptr;
};

TEST_F(QtPreviewWindowTest, TheWindowCoversTheClientAreaAndItsButtonsWork)
{
    QtPreviewWindow* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), Window()->MdiArea()->geometry());
    // Flow Chart1, Flow Chart2 on two pages, the monitoring page and eight
    // of parameters.
    EXPECT_EQ(window->DescriptionText(), QStringLiteral("Page 1 of 12"));
    ASSERT_EQ(window->PageImages().size(), 1u);
    EXPECT_FALSE(window->PrevAction()->isEnabled());
    EXPECT_FALSE(window->ZoomOutAction()->isEnabled());
    const int fitted = window->PageImages()[0].height();

    window->NextAction()->trigger();
    EXPECT_EQ(window->DescriptionText(), QStringLiteral("Page 2 of 12"));
    window->PagesAction()->trigger();
    EXPECT_EQ(window->DescriptionText(), QStringLiteral("Pages 2-3 of 12"));
    EXPECT_EQ(window->PageImages().size(), 2u);
    EXPECT_EQ(window->PagesAction()->text(), QStringLiteral("&One Page"));
    SaveScreenshot(Window(), "print-preview-two-pages.png");

    window->ZoomInAction()->trigger();
    ASSERT_FALSE(window->PageImages().empty());
    EXPECT_GT(window->PageImages()[0].height(), fitted);
    EXPECT_TRUE(window->ZoomOutAction()->isEnabled());

    // F1 shows the preview's page.
    window->setFocus();
    {
        RecordingHelp help;
        QTest::keyClick(window, Qt::Key_F1);
        QApplication::processEvents();
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_EQ(help.pages[0], HelpPageFor(HID_BASE_RESOURCE + IDR_PREVIEW_BAR));
    }
    // Page Down turns the page; the main window's shortcuts do not take
    // the preview's keys.
    QTest::keyClick(window, Qt::Key_PageDown);
    EXPECT_EQ(window->DescriptionText(), QStringLiteral("Pages 3-4 of 12"));
    QTest::keyClick(window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(CPrintPreview::Active(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(VisibleTitles().size(), 3);
}

TEST_F(QtPreviewWindowTest, CloseEndsThePreview)
{
    QtPreviewWindow* window = Open();
    ASSERT_NE(window, nullptr);
    QPointer<QtPreviewWindow> alive(window);
    window->CloseAction()->trigger();
    EXPECT_EQ(CPrintPreview::Active(), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_TRUE(Window()->IsToolBarVisible(IDR_MAINFRAME));
}

// The bar's Print button ends the preview, then shows the print dialog.
TEST_F(QtPreviewWindowTest, PrintEndsThePreviewAndShowsThePrintDialog)
{
    QtPreviewWindow* window = Open();
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QWidget* button = bar->widgetForAction(window->PrintAction());
    ASSERT_NE(button, nullptr);
    PrintAnswer answer;
    answer.accept = false;
    printing.Expect(answer);
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(printing.dialogsShown, 1);
    EXPECT_EQ(CPrintPreview::Active(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(VisibleTitles().size(), 3);
}

} // namespace
