// The main road through the real program, offscreen: the main window made as
// main() makes it, with the application's own message boxes, dialogs and
// file dialogs; File New by keyboard, symbols placed and wired with the
// mouse, a symbol's dialog answered through its controls, Export Text of a
// modified document through the menus, Save Select and the file dialogs,
// Write and Verify against the simulated controller, and the end with the
// save question. A pilot answers each window as it comes up, from the event
// loop, as a user would.
//
// Every menu, action, button and dialog that gets a user's event is watched:
// the test fails when one is destroyed before its event has returned.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "app/PaletteTools.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "chart/ObjectTypes.h"
#include "platform/Clipboard.h"
#include "platform/ColorDialog.h"
#include "platform/DragDrop.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtCommands.h"
#include "platform/ui/QtDialogBar.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"
#include "support/Scripted.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace {

// Anything still waiting after this long is a program that hangs; the
// bound only keeps a failing run from waiting for ever.
constexpr int kGuardMs = 120000;

// The platform as main() installs it, for the life of the object; the
// test run's strict doubles come back afterwards.
class ApplicationPlatform {
public:
    ApplicationPlatform()
        : m_messages(GetMessageHandler()), m_dialogs(GetDialogRunner()), m_files(GetFileDialogRunner()),
          m_colors(GetColorDialogRunner()), m_help(GetHelpViewer()), m_clipboard(clipboard::GetService()),
          m_drags(dragdrop::GetService())
    {
        InstallQtPlatform();
        SetWindowFactory(&m_windows);
    }
    ~ApplicationPlatform()
    {
        SetWindowFactory(nullptr);
        SetMessageHandler(m_messages);
        SetDialogRunner(m_dialogs);
        SetFileDialogRunner(m_files);
        SetColorDialogRunner(m_colors);
        SetHelpViewer(m_help);
        clipboard::SetService(m_clipboard);
        dragdrop::SetService(m_drags);
    }

private:
    QtWindowFactory m_windows;
    MessageHandler* m_messages;
    DialogRunner* m_dialogs;
    FileDialogRunner* m_files;
    ColorDialogRunner* m_colors;
    HelpViewer* m_help;
    ClipboardService* m_clipboard;
    DragService* m_drags;
};

// A widget or action that takes a user's event must still be there when
// the event has returned.
template <class T>
class Watched {
public:
    Watched(T* object, std::string what) : m_object(object), m_what(std::move(what)) {}
    void Returned() const { EXPECT_FALSE(m_object.isNull()) << m_what << " was destroyed inside its own event"; }

private:
    QPointer<T> m_object;
    std::string m_what;
};

void Click(QWidget* widget, const std::string& what, QPoint at = QPoint())
{
    ASSERT_NE(widget, nullptr) << what;
    Watched<QWidget> watched(widget, what);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.isNull() ? widget->rect().center() : at);
    watched.Returned();
}

// Answers the windows that come up, one step at a time, each once it is
// there: checked whenever the event loop turns, inside the dialogs' own
// loops too.
class Pilot : public QObject {
public:
    struct Step {
        std::string what;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    Pilot()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] { Turn(); });
        m_timer.start();
    }
    ~Pilot() override { EXPECT_TRUE(m_steps.empty()) << "never came: " << (m_steps.empty() ? "" : m_steps.front().what); }
    void Then(std::string what, std::function<bool()> ready, std::function<void()> act)
    {
        if (m_steps.empty()) m_waiting = QDeadlineTimer(kGuardMs);
        m_steps.push_back({std::move(what), std::move(ready), std::move(act)});
    }
    bool Done() const { return m_steps.empty(); }

private:
    void Turn()
    {
        // With KT_PILOT_DEBUG set, what the pilot waits for and what is up.
        if (qEnvironmentVariableIsSet("KT_PILOT_DEBUG") && ++m_ticks % 2000 == 0) {
            QWidget* m = QApplication::activeModalWidget();
            fprintf(stderr, "pilot: waiting for %s; modal %s '%s'\n", m_steps.empty() ? "-" : m_steps.front().what.c_str(),
                    m ? m->metaObject()->className() : "none", m ? qPrintable(m->windowTitle()) : "");
        }
        if (m_acting || m_steps.empty()) return;
        if (!m_steps.front().ready()) {
            if (m_waiting.hasExpired()) GiveUp();
            return;
        }
        m_waiting = QDeadlineTimer(kGuardMs);
        Step step = m_steps.front();
        m_steps.pop_front();
        // The action runs outside this timer's own event, so that the timer
        // turns again inside the window the action opens: the next step is
        // answered in there.
        m_acting = true;
        QMetaObject::invokeMethod(
            this,
            [this, step = std::move(step)] {
                m_acting = false;
                SCOPED_TRACE(step.what);
                step.act();
            },
            Qt::QueuedConnection);
    }

    // A window that never comes, or one nobody expected that stays up:
    // the test fails, and every modal window is closed so the run unwinds.
    void GiveUp()
    {
        QWidget* modal = QApplication::activeModalWidget();
        ADD_FAILURE() << "still waiting for " << m_steps.front().what << "; up: "
                      << (modal != nullptr ? modal->windowTitle().toStdString() : std::string("nothing"));
        m_steps.clear();
        while (QWidget* w = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(w)) {
                dialog->reject();
            } else {
                w->close();
            }
            if (QApplication::activeModalWidget() == w) break;
        }
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QDeadlineTimer m_waiting;
    long m_ticks = 0;
    bool m_acting = false;
};

// Turns the event loop until the condition holds (or the guard runs out).
bool RunUntil(const std::function<bool()>& done)
{
    QDeadlineTimer guard(kGuardMs);
    while (!done() && !guard.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TemplateDialog* ModalDialog(UINT templateId)
{
    auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->Site().Dialog().GetTemplateId() == templateId && dialog->isVisible() ? dialog
                                                                                                             : nullptr;
}

QMessageBox* ModalMessage(const QString& text)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box != nullptr && box->isVisible() && box->text() == text ? box : nullptr;
}

QFileDialog* ModalFileDialog(const QString& title)
{
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->isVisible() && dialog->windowTitle() == title ? dialog : nullptr;
}

void ClickDialogButton(TemplateDialog* dialog, int id, const std::string& what)
{
    ASSERT_NE(dialog, nullptr) << what;
    Watched<QWidget> window(dialog, what + " (its dialog)");
    Click(dialog->Site().Control(id), what);
    window.Returned();
}

void AnswerMessage(QMessageBox* box, QMessageBox::StandardButton answer, const std::string& what)
{
    ASSERT_NE(box, nullptr) << what;
    Watched<QWidget> window(box, what + " (its box)");
    Click(box->button(answer), what);
    window.Returned();
}

// Types the name into a file dialog's name field and presses Enter there.
void ChooseFile(QFileDialog* dialog, const QString& name, const std::string& what)
{
    ASSERT_NE(dialog, nullptr) << what;
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr) << what;
    Watched<QWidget> window(dialog, what + " (its dialog)");
    field->selectAll();
    QTest::keyClicks(field, name);
    QTest::keyClick(field, Qt::Key_Return);
    window.Returned();
}

class SmokeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_documents = QDir(m_home.path()).filePath(QStringLiteral("Documents"));
        ASSERT_TRUE(QDir().mkpath(m_documents));
        CMainFrame::SetDocumentsDirForTesting(m_documents);
        m_oldDir = QDir::currentPath();
    }
    void TearDown() override
    {
        CMainFrame::SetDocumentsDirForTesting(QString());
        QDir::setCurrent(m_oldDir);
    }

    // The program started as main() starts it: the logo clicked away, its
    // main window the active one.
    void StartProgram(Pilot& pilot)
    {
        pilot.Then("the logo", [] { return ModalDialog(2002) != nullptr; },
                   [] { Click(ModalDialog(2002), "the logo"); });
        m_app = std::make_unique<CHOXApp>();
        ASSERT_TRUE(m_app->InitInstance());
        ASSERT_TRUE(pilot.Done());
        QApplication::setActiveWindow(Window());
    }
    // The program's end once its window has closed, the windows it leaves
    // for deletion deleted.
    void EndProgram()
    {
        m_app->ExitInstance();
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QtFrameWindow* Window() const { return static_cast<QtFrameWindow*>(m_app->MainFrame()->Host()); }
    CHOXDoc* Doc() const { return m_app->GetDocument(); }
    QAction* MenuAction(const QString& title) const
    {
        for (QAction* a : Window()->menuBar()->actions())
            if (a->text() == title) return a;
        return nullptr;
    }
    // Opens a menu of the bar with the mouse and clicks its item.
    void ChooseFromMenu(const QString& title, UINT id)
    {
        QMenuBar* bar = Window()->menuBar();
        QAction* popup = MenuAction(title);
        ASSERT_NE(popup, nullptr) << title.toStdString();
        QMenu* menu = popup->menu();
        Watched<QMenu> watchedMenu(menu, "the menu " + title.toStdString());
        Click(bar, "the menu bar", bar->actionGeometry(popup).center());
        ASSERT_TRUE(RunUntil([menu] { return menu->isVisible(); })) << title.toStdString();
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (CommandIdOf(a) == id) item = a;
        ASSERT_NE(item, nullptr) << id;
        ASSERT_TRUE(item->isEnabled()) << id;
        Watched<QAction> watchedItem(item, "the item " + item->text().toStdString());
        Click(menu, "the menu " + title.toStdString(), menu->actionGeometry(item).center());
        watchedItem.Returned();
        watchedMenu.Returned();
    }
    QWidget* ChartArea() const
    {
        const CView* view = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))->GetView();
        CMDIChildWnd* frame = m_app->FrameOfView(view);
        return static_cast<QtChildFrameHost*>(frame->Host())->Window()->ViewWidget()->viewport();
    }
    QWidget* PaletteButton(CDialogBar& bar, UINT id) const
    {
        return static_cast<QtDialogBarHost*>(bar.Host())->Bar()->ControlWidget(id);
    }
    void Drag(QWidget* area, QPoint from, QPoint to)
    {
        Watched<QWidget> watched(area, "the chart");
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, to);
        watched.Returned();
    }
    CHOXSymbol* SymbolAt(CPoint topLeft) const
    {
        for (auto& [id, object] : Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))->GetObjectMap())
            if (object->GetRect().TopLeft() == topLeft) return dynamic_cast<CHOXSymbol*>(object.get());
        return nullptr;
    }
    CHOXConnect* WireFrom(const CHOXSymbol* symbol) const
    {
        const CHOXPin* out = symbol->GetPin(symbol->GetObjectType() == objtype::kFlowStart ? 0 : 1);
        return out != nullptr ? chart::FindWire(Doc()->FindWindowByName(QStringLiteral("Flow Chart1")),
                                                out->GetLinkId())
                              : nullptr;
    }

    kt::test::TempSettings m_settings;
    QTemporaryDir m_home;
    QString m_documents;
    QString m_oldDir;
    std::unique_ptr<CHOXApp> m_app;
};

} // namespace

TEST_F(SmokeTest, TheMainRoadThroughTheRealWindows)
{
    ApplicationPlatform platform;
    Pilot pilot;
    ASSERT_NO_FATAL_FAILURE(StartProgram(pilot));

    // File > New by its key; the controller type as offered.
    pilot.Then("the controller type", [] { return ModalDialog(2060) != nullptr; },
               [] { ClickDialogButton(ModalDialog(2060), IDOK, "OK of the controller type"); });
    QTest::keyClick(Window(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(RunUntil([this, &pilot] { return Doc() != nullptr && pilot.Done(); }));
    QCoreApplication::processEvents();

    // A TIMER between START and END, placed from the palette and wired with
    // the mouse. A new chart holds START at (137, 32) and END at (137, 236).
    QWidget* area = ChartArea();
    area->window()->activateWindow();
    Click(PaletteButton(m_app->MainFrame()->GetGroupBar(), ID_CODE_GROUP), "the Code group button");
    QCoreApplication::processEvents();
    Click(PaletteButton(m_app->MainFrame()->GetPaletteGroupBar(kCodeGroup), ID_TOOL_CODE_TIME), "the TIMER button");
    QCoreApplication::processEvents();
    Click(area, "the chart", QPoint(137, 130));
    CHOXSymbol* start = SymbolAt(CPoint(137, 32));
    CHOXSymbol* timer = SymbolAt(CPoint(137, 130));
    CHOXSymbol* end = SymbolAt(CPoint(137, 236));
    ASSERT_TRUE(start && timer && end);
    EXPECT_EQ(timer->GetObjectType(), objtype::kCodeTime);
    QWidget* connect = PaletteButton(m_app->MainFrame()->GetToolsBar(), ID_CONNECT_BUTTON);
    Click(connect, "the wire button");
    QCoreApplication::processEvents();
    Drag(area, QPoint(169, 64), QPoint(169, 130));
    Drag(area, QPoint(169, 162), QPoint(169, 236));
    Click(connect, "the wire button");
    QCoreApplication::processEvents();
    ASSERT_NE(WireFrom(start), nullptr);
    ASSERT_NE(WireFrom(timer), nullptr);
    EXPECT_EQ(WireFrom(start)->GetTargetId(), timer->GetId());
    EXPECT_EQ(WireFrom(timer)->GetTargetId(), end->GetId());

    // The TIMER's dialog, opened with a double click, answered through its
    // own edit and OK button.
    pilot.Then("the TIMER's dialog", [] { return ModalDialog(2026) != nullptr; }, [] {
        TemplateDialog* dialog = ModalDialog(2026);
        auto* time = qobject_cast<QLineEdit*>(dialog->Site().Control(8130));
        ASSERT_NE(time, nullptr);
        time->selectAll();
        QTest::keyClicks(time, QStringLiteral("25"));
        ClickDialogButton(dialog, IDOK, "OK of the TIMER");
    });
    {
        Watched<QWidget> watched(area, "the chart");
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(169, 146));
        watched.Returned();
    }
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done(); }));
    EXPECT_TRUE(timer->GetCode().contains(QStringLiteral("25"))) << timer->GetCode().toStdString();
    ASSERT_TRUE(Doc()->IsModified());

    // Export Text of the modified document from the File menu: Save Select
    // saves it first through the file dialog, then the text file is named
    // and made.
    const QString hox = QDir(m_documents).filePath(QStringLiteral("press.hox"));
    const QString txt = QDir(m_documents).filePath(QStringLiteral("press.txt"));
    pilot.Then("Save Select", [] { return ModalDialog(4082) != nullptr; },
               [] { ClickDialogButton(ModalDialog(4082), IDOK, "Write after saving file"); });
    pilot.Then("the save dialog", [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
               [hox] { ChooseFile(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()), hox, "the .hox"); });
    pilot.Then("the export dialog", [] { return ModalFileDialog(QStringLiteral("Export Dialog")) != nullptr; },
               [] { ChooseFile(ModalFileDialog(QStringLiteral("Export Dialog")), QStringLiteral("press.txt"), "the .txt"); });
    const QString create = txt + QStringLiteral("\nThis file does not exist.\nDo you want to create it ?");
    pilot.Then("the question to create it", [create] { return ModalMessage(create) != nullptr; },
               [create] { AnswerMessage(ModalMessage(create), QMessageBox::Yes, "Yes to create it"); });
    ChooseFromMenu(QStringLiteral("&File"), ID_EXPORT_TEXT);
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFile::exists(hox));
    ASSERT_TRUE(QFile::exists(txt));
    EXPECT_FALSE(Doc()->IsModified());
    QFile text(txt);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("[Program]"));

    // Write with the controller toolbar's button, Verify from the KZ-QW
    // menu, both against the simulated controller behind COM1.
    const QString ask =
        QStringLiteral("Current Parameter settings and Program will be written to DA-ZU.Do You want to continue?");
    const QString written = QStringLiteral("Parameter and Program data is written to DA-ZU Successfully.");
    pilot.Then("the question before writing", [ask] { return ModalMessage(ask) != nullptr; },
               [ask] { AnswerMessage(ModalMessage(ask), QMessageBox::Yes, "Yes to write"); });
    pilot.Then("the write's success", [written] { return ModalMessage(written) != nullptr; },
               [written] { AnswerMessage(ModalMessage(written), QMessageBox::Ok, "OK of the write"); });
    QToolBar* controller = Window()->ToolBar(IDR_CONTROLLER_BAR);
    ASSERT_NE(controller, nullptr);
    QWidget* writeButton = nullptr;
    for (QAction* a : controller->actions())
        if (CommandIdOf(a) == ID_CONTROLLER_WRITE) writeButton = controller->widgetForAction(a);
    ASSERT_TRUE(RunUntil([writeButton] { return writeButton != nullptr && writeButton->isEnabled(); }));
    Click(writeButton, "the Write button");
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));

    const QString identical = QStringLiteral("HOX Program data and DA-ZU contents are identical.");
    pilot.Then("the verify's answer", [identical] { return ModalMessage(identical) != nullptr; },
               [identical] { AnswerMessage(ModalMessage(identical), QMessageBox::Ok, "OK of the verify"); });
    ChooseFromMenu(QStringLiteral("KZ-&QW"), ID_CONTROLLER_VERIFY);
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));

    // A change, then File > New from the menu with the mouse: the save
    // question, answered No, and a new document in place of the old one
    // (the menu bar is rebuilt while the File menu's item is still running).
    Drag(area, QPoint(150, 140), QPoint(250, 140));
    ASSERT_TRUE(Doc()->IsModified());
    const QByteArray saved = [&hox] {
        QFile f(hox);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QString question = QStringLiteral("Save changes to %1?").arg(hox);
    pilot.Then("the save question", [question] { return ModalMessage(question) != nullptr; },
               [question] { AnswerMessage(ModalMessage(question), QMessageBox::No, "No to saving"); });
    pilot.Then("the controller type again", [] { return ModalDialog(2060) != nullptr; },
               [] { ClickDialogButton(ModalDialog(2060), IDOK, "OK of the controller type"); });
    const CHOXDoc* pressed = Doc();
    ChooseFromMenu(QStringLiteral("&File"), ID_FILE_NEW);
    ASSERT_TRUE(RunUntil([this, &pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_NE(Doc(), pressed);
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    QCoreApplication::processEvents();

    // A change in the new document, then the main window's close: its save
    // question, answered No, and the program ends without writing a file.
    area = ChartArea();
    area->window()->activateWindow();
    Drag(area, QPoint(150, 40), QPoint(250, 60));
    ASSERT_TRUE(Doc()->IsModified());
    const QString untitled = QStringLiteral("Save changes to %1?").arg(Doc()->UntitledName());
    pilot.Then("the new document's save question", [untitled] { return ModalMessage(untitled) != nullptr; },
               [untitled] { AnswerMessage(ModalMessage(untitled), QMessageBox::No, "No to saving it"); });
    Window()->close();
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done(); }));
    EXPECT_EQ(m_app->GetDocument(), nullptr);
    QFile again(hox);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), saved);
    EXPECT_EQ(QDir(m_documents).entryList(QDir::Files).size(), 2);
    EndProgram();
}

// The controller's port and the About box from their menus with the mouse,
// without a document: each dialog opens over the real window and closes.
TEST_F(SmokeTest, ThePortAndTheAboutBoxOpenFromTheirMenus)
{
    ApplicationPlatform platform;
    Pilot pilot;
    ASSERT_NO_FATAL_FAILURE(StartProgram(pilot));

    pilot.Then("the port dialog", [] { return ModalDialog(2059) != nullptr; },
               [] { ClickDialogButton(ModalDialog(2059), IDCANCEL, "Cancel of the port dialog"); });
    ChooseFromMenu(QStringLiteral("KZ-&QW"), ID_COM_PORT);
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));

    pilot.Then("the About box", [] { return ModalDialog(100) != nullptr; },
               [] { ClickDialogButton(ModalDialog(100), IDOK, "OK of the About box"); });
    ChooseFromMenu(QStringLiteral("&Help"), ID_APP_ABOUT);
    ASSERT_TRUE(RunUntil([&pilot] { return pilot.Done() && QApplication::activeModalWidget() == nullptr; }));

    EXPECT_EQ(m_app->GetDocument(), nullptr);
    Window()->close();
    EndProgram();
}
