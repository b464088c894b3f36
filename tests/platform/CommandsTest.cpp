// Command routing: the chain order, update handlers, and commands without a
// handler being disabled; and the Qt side built from resources.
#include "platform/CmdTarget.h"
#include "platform/FrameWnd.h"
#include "platform/MenuResource.h"
#include "platform/WinApp.h"
#include "platform/ui/QtCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Log {
    std::string text;
};

class Target : public CCmdTarget {
public:
    Target(Log& log, const char* name) : m_log(log), m_name(name) {}
    void Handle(UINT id) { OnCommand(id, [this, id] { m_log.text += m_name + std::to_string(id) + " "; }); }
    void HandleRange(UINT first, UINT last)
    {
        OnCommandRange(first, last, [this](UINT id) { m_log.text += m_name + std::to_string(id) + " "; });
    }
    void Update(UINT id, bool enable, int check)
    {
        OnUpdate(id, [=](CCmdUI* ui) {
            if (enable) {
                ui->SetCheck(check);
            } else {
                ui->Enable(false);
            }
        });
    }

private:
    Log& m_log;
    std::string m_name;
};

class TestFrame : public CFrameWnd {
public:
    CCmdTarget* view = nullptr;
    CCmdTarget* doc = nullptr;
    CCmdTarget* GetActiveViewTarget() const override { return view; }
    CCmdTarget* GetActiveDocumentTarget() const override { return doc; }
    void Handle(UINT id, Log& log) { OnCommand(id, [&log, id] { log.text += "frame" + std::to_string(id) + " "; }); }
};

class TestApp : public CWinApp {
public:
    void Handle(UINT id, Log& log) { OnCommand(id, [&log, id] { log.text += "app" + std::to_string(id) + " "; }); }
    void Update(UINT id, std::function<void(CCmdUI*)> handler) { OnUpdate(id, std::move(handler)); }
    void OnCommandFor(UINT id, std::function<void()> handler) { OnCommand(id, std::move(handler)); }
};

QAction* CommandAction(const QMenuBar& bar, UINT id)
{
    for (QAction* popup : bar.actions())
        if (QMenu* menu = popup->menu())
            for (QAction* a : menu->actions())
                if (CommandIdOf(a) == id) return a;
    return nullptr;
}

} // namespace

TEST(CommandsTest, RoutesThroughViewDocumentFrameAndApplication)
{
    Log log;
    TestApp app;
    auto frame = std::make_unique<TestFrame>();
    Target view(log, "view");
    Target doc(log, "doc");
    frame->view = &view;
    frame->doc = &doc;
    TestFrame* f = frame.get();
    app.SetMainWnd(std::move(frame));

    view.Handle(1);
    doc.Handle(1);
    doc.Handle(2);
    f->Handle(2, log);
    f->Handle(3, log);
    app.Handle(3, log);
    app.Handle(4, log);
    view.HandleRange(10, 12);

    for (UINT id : {1u, 2u, 3u, 4u, 11u}) EXPECT_TRUE(GetCommandRouter()->Execute(id)) << id;
    EXPECT_FALSE(GetCommandRouter()->Execute(5));
    EXPECT_EQ(log.text, "view1 doc2 frame3 app4 view11 ");

    // Without a view or document the frame and application still answer.
    f->view = nullptr;
    f->doc = nullptr;
    log.text.clear();
    EXPECT_FALSE(GetCommandRouter()->Execute(1));
    EXPECT_TRUE(GetCommandRouter()->Execute(2));
    EXPECT_EQ(log.text, "frame2 ");
}

TEST(CommandsTest, UpdateHandlersDecideStateAndCommandsWithoutHandlersAreDisabled)
{
    Log log;
    TestApp app;
    auto frame = std::make_unique<TestFrame>();
    Target view(log, "view");
    frame->view = &view;
    app.SetMainWnd(std::move(frame));

    view.Handle(1);
    view.Update(1, false, 0); // handled but disabled: does not run
    view.Handle(2);
    view.Update(2, true, 1); // checked, enablement from the handler's presence
    view.Update(3, true, 1); // an update handler but no command: disabled

    EXPECT_FALSE(GetCommandRouter()->QueryState(1).m_bEnabled);
    EXPECT_FALSE(GetCommandRouter()->Execute(1));
    const CCmdUI two = GetCommandRouter()->QueryState(2);
    EXPECT_TRUE(two.m_bEnabled);
    EXPECT_EQ(two.m_nCheck, 1);
    EXPECT_FALSE(GetCommandRouter()->QueryState(3).m_bEnabled);
    EXPECT_FALSE(GetCommandRouter()->QueryState(99).m_bEnabled);
    EXPECT_TRUE(GetCommandRouter()->Execute(2));
    EXPECT_EQ(log.text, "view2 ");
}

TEST(CommandsTest, MenusFromResourcesRunTheirCommands)
{
    Log log;
    TestApp app;
    app.Handle(57601, log);
    QMenuBar bar;
    const MenuResource* menu = FindMenuResource(2);
    ASSERT_NE(menu, nullptr);
    FillMenuBar(&bar, *menu);
    ASSERT_FALSE(bar.actions().isEmpty());
    EXPECT_EQ(bar.actions().front()->text(), QStringLiteral("&File"));
    QMenu* file = bar.actions().front()->menu();
    ASSERT_NE(file, nullptr);
    QAction* open = nullptr;
    QAction* fresh = nullptr;
    for (QAction* a : file->actions()) {
        if (CommandIdOf(a) == 57601) open = a;
        if (CommandIdOf(a) == 57600) fresh = a;
    }
    ASSERT_TRUE(open && fresh);
    EXPECT_EQ(open->text(), QStringLiteral("&Open...\tCtrl+O"));
    UpdateCommandActions(&bar);
    EXPECT_TRUE(open->isEnabled());
    EXPECT_FALSE(fresh->isEnabled()); // nobody handles it here
    // The command runs once the menu's event has returned.
    open->trigger();
    EXPECT_EQ(log.text, "");
    QCoreApplication::processEvents();
    EXPECT_EQ(log.text, "app57601 ");
}

// A command is asked whether it is enabled when it runs, not when it was
// chosen: one disabled in between does nothing.
TEST(CommandsTest, AChosenCommandDisabledBeforeItRunsDoesNothing)
{
    Log log;
    TestApp app;
    bool enabled = true;
    app.Handle(57601, log);
    app.Update(57601, [&enabled](CCmdUI* ui) { ui->Enable(enabled); });
    QMenuBar bar;
    FillMenuBar(&bar, *FindMenuResource(2));
    QAction* open = CommandAction(bar, 57601);
    ASSERT_NE(open, nullptr);
    open->trigger();
    enabled = false;
    QCoreApplication::processEvents();
    EXPECT_EQ(log.text, "");
    enabled = true;
    open->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(log.text, "app57601 ");
}

// Clicking an item of an open menu whose command rebuilds the menu bar and
// runs a modal loop (as a command's dialog does) leaves the menu alive until
// its click has returned; the rebuilt bar's old menus go afterwards.
TEST(CommandsTest, AMenuRebuiltByItsOwnItemIsNotFreedUnderIt)
{
    Log log;
    TestApp app;
    QWidget window;
    auto* bar = new QMenuBar(&window);
    FillMenuBar(bar, *FindMenuResource(2));
    window.show();
    auto rebuildInsideAModalLoop = [bar] {
        FillMenuBar(bar, *FindMenuResource(2));
        QEventLoop modal;
        QTimer::singleShot(0, &modal, &QEventLoop::quit);
        modal.exec();
    };
    app.OnCommandFor(57601, [&log, rebuildInsideAModalLoop] {
        log.text += "open ";
        rebuildInsideAModalLoop();
    });
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "the bar rebuilt from the item's own signal" : "the bar rebuilt by the command");
        QPointer<QMenu> file = bar->actions().front()->menu();
        ASSERT_FALSE(file.isNull());
        QPointer<QAction> open = CommandAction(*bar, 57601);
        ASSERT_FALSE(open.isNull());
        // A rebuild straight from the item, as code that does not go through
        // the command layer would: the menu must still outlive its event.
        if (direct) QObject::connect(open, &QAction::triggered, bar, rebuildInsideAModalLoop);
        file->popup(window.mapToGlobal(QPoint(0, 20)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(open).center());
        EXPECT_FALSE(file.isNull()) << "the menu went while its click was handled";
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(file.isNull()) << "the replaced menu stays";
    }
    EXPECT_EQ(log.text, "open open ");
}
