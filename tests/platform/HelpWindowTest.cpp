// Help through the real widgets: the Help button and F1 of a dialog running
// modally in the application's own runner, F1 on a highlighted menu item,
// the help mode of Shift+F1 on a toolbar button; and the help window, which
// the user can read and follow links in while the dialog stands.
#include "app/HOXNewUnitTypeDlg.h"
#include "platform/Help.h"
#include "platform/MenuResource.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtPlatform.h"
#include "res/CommandIds.h"
#include "support/Scripted.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWhatsThis>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class Installed {
public:
    Installed(DialogRunner* runner, HelpViewer* viewer) : m_runner(GetDialogRunner()), m_viewer(GetHelpViewer())
    {
        SetDialogRunner(runner);
        SetHelpViewer(viewer);
    }
    ~Installed()
    {
        SetDialogRunner(m_runner);
        SetHelpViewer(m_viewer);
    }

private:
    DialogRunner* m_runner;
    HelpViewer* m_viewer;
};

QTextBrowser* HelpBrowser()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* browser = w->findChild<QTextBrowser*>(QStringLiteral("help")); browser != nullptr && w->isVisible())
            return browser;
    return nullptr;
}

QPushButton* ButtonWithText(QWidget* window, const QString& text)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

// A click on the page's "Contents" link, delivered as the window system
// delivers it: a window a modal dialog blocks never gets it.
void ClickContentsLink(QTextBrowser* browser)
{
    const QTextCursor at = browser->document()->find(QStringLiteral("Contents"));
    ASSERT_FALSE(at.isNull());
    QTextCursor middle(browser->document());
    middle.setPosition((at.selectionStart() + at.selectionEnd()) / 2);
    const QPoint inViewport = browser->cursorRect(middle).center();
    QWidget* top = browser->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    const QPoint inWindow = browser->viewport()->mapTo(top, inViewport);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, inWindow);
}

} // namespace

// The Help button and F1 of a dialog the application runs modally show its
// page in a window the user can use while the dialog stands.
TEST(HelpWindowTest, TheHelpButtonAndF1OfAModalDialogShowAUsablePage)
{
    QtDialogRunner runner;
    QtHelpViewer viewer;
    Installed installed(&runner, &viewer);
    const QString page = QStringLiteral("qrc:/res/help/2080c.html");
    std::vector<QString> shown;
    bool followed = false;
    QPointer<QWidget> helpWindow;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QPushButton* help = ButtonWithText(dialog, QStringLiteral("&Help"));
        ASSERT_NE(help, nullptr);
        QTest::mouseClick(help, Qt::LeftButton);
        QTextBrowser* browser = HelpBrowser();
        ASSERT_NE(browser, nullptr);
        helpWindow = browser->window();
        shown.push_back(browser->source().toString());
        // The window belongs to the dialog, and a link on it works.
        EXPECT_EQ(helpWindow->windowHandle()->transientParent(), dialog->windowHandle());
        ClickContentsLink(browser);
        followed = browser->source().toString().endsWith(QStringLiteral("index.html"));
        // F1 in the dialog shows its page again.
        QTest::keyClick(dialog, Qt::Key_F1);
        shown.push_back(browser->source().toString());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    CHOXNewUnitTypeDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], page);
    EXPECT_TRUE(followed) << "the help window did not take the click";
    EXPECT_EQ(shown[1], page);
    // With the dialog gone the window stands on its own.
    ASSERT_FALSE(helpWindow.isNull());
    EXPECT_EQ(helpWindow->windowHandle()->transientParent(), nullptr);
    helpWindow->close();
}

// F1 in a dialog without a Help button of its own: the dialog's page.
TEST(HelpWindowTest, F1InADialogWithoutAHelpButtonShowsItsPage)
{
    kt::test::RecordingHelp help;
    kt::test::ScriptedDialogs dialogs;
    class NoHelpButton : public CDialog {
    public:
        NoHelpButton() : CDialog(4082) {}
    } dlg;
    dialogs.Expect(4082, [](kt::test::DialogDriver& d) {
        d.PressKey(Qt::Key_F1);
        d.Click(IDCANCEL);
    });
    dlg.DoModal();
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/20ff2.html"));
}

// F1 on a highlighted menu item closes the menus and shows the item's
// command; Shift+F1 and a click on a toolbar button show the button's.
TEST(HelpWindowTest, F1OnAMenuItemAndTheHelpModeOnAToolbarButtonShowTheirCommands)
{
    kt::test::RecordingHelp help;
    QWidget window;
    auto* bar = new QMenuBar(&window);
    FillMenuBar(bar, *FindMenuResource(IDR_MAINFRAME));
    auto* tools = new QToolBar(&window);
    tools->move(0, 40);
    FillToolBar(tools, *FindToolbarResource(IDR_MAINFRAME));
    window.resize(400, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QMenu* file = bar->actions().front()->menu();
    QAction* open = nullptr;
    for (QAction* a : file->actions())
        if (CommandIdOf(a) == ID_FILE_OPEN) open = a;
    ASSERT_NE(open, nullptr);
    file->popup(window.mapToGlobal(QPoint(0, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    file->setActiveAction(open);
    QTest::keyClick(file, Qt::Key_F1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(file->isVisible());
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], HelpPageFor(HID_BASE_COMMAND + ID_FILE_OPEN));

    QToolButton* save = nullptr;
    for (QAction* a : tools->actions())
        if (CommandIdOf(a) == ID_FILE_SAVE) save = qobject_cast<QToolButton*>(tools->widgetForAction(a));
    ASSERT_NE(save, nullptr);
    QWhatsThis::enterWhatsThisMode();
    QTest::mouseClick(save, Qt::LeftButton);
    QCoreApplication::processEvents();
    QWhatsThis::leaveWhatsThisMode();
    ASSERT_EQ(help.pages.size(), 2u);
    EXPECT_EQ(help.pages[1], HelpPageFor(HID_BASE_COMMAND + ID_FILE_SAVE));
    EXPECT_FALSE(help.pages[1].isEmpty());
}
