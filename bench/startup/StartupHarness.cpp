// The program as main() starts it, for timing its start with a document
// from outside: "kinetrace_startup_bench FILE" starts on the file and ends
// as soon as the main window is idle (the event loop has nothing left to do
// and would wait for the user), printing the time that took;
// "kinetrace_startup_bench --write WINDOWS FILE" saves the benchmarks'
// drawing of that many windows there first. The start-up logo, which waits
// for the user or its timer, is passed over; settings and the desktop
// registration go to a temporary folder.
#include "../LargeDocument.h"

#include "app/HOXApp.h"
#include "params/HOXSpeedGraph.h"
#include "platform/Dialog.h"
#include "platform/Settings.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtDrawnControl.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"
#include "plc/HOXLadderCtrl.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// The program's own dialogs, but for the logo.
class WithoutLogo : public DialogRunner {
public:
    explicit WithoutLogo(DialogRunner* program) : m_program(program) {}
    int RunModal(CDialog& dialog) override
    {
        return dialog.GetTemplateId() == kLogo ? IDOK : m_program->RunModal(dialog);
    }
    bool CreateModeless(CDialog& dialog) override { return m_program->CreateModeless(dialog); }
    void DestroyModeless(CDialog& dialog) override { m_program->DestroyModeless(dialog); }

private:
    static constexpr UINT kLogo = 2002;
    DialogRunner* m_program;
};

int Usage()
{
    std::fprintf(stderr, "usage: kinetrace_startup_bench FILE | --write WINDOWS FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QTemporaryDir scratch;
    qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
    // Writing the document needs no screen.
    if (argc > 1 && std::strcmp(argv[1], "--write") == 0) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationName(QStringLiteral("Kinetrace"));
    SetSettingsFilePath(scratch.filePath(QStringLiteral("Kinetrace.ini")));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (arguments.size() == 3 && arguments[0] == QStringLiteral("--write")) {
        bool ok = false;
        const int windows = arguments[1].toInt(&ok);
        if (!ok || windows < 1) return Usage();
        return largedoc::SaveDrawing(arguments[2], windows) ? 0 : 1;
    }
    if (arguments.size() != 1) return Usage();

    InstallQtPlatform();
    QtDialogSite::RegisterKind(CHOXLadderCtrl::TemplateKind(), QtDrawnControl::Create);
    QtDialogSite::RegisterKind(CHOXSpeedGraph::TemplateKind(), QtDrawnControl::Create);
    WithoutLogo dialogs(GetDialogRunner());
    SetDialogRunner(&dialogs);
    QtWindowFactory windows;
    SetWindowFactory(&windows);

    int result = 0;
    {
        CHOXApp app;
        app.SetCommandLine(arguments);
        if (!app.InitInstance()) {
            app.ExitInstance();
            return 1;
        }
        // Idle: the loop is about to wait for something to happen.
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &qtApp,
                         [] { QCoreApplication::quit(); });
        result = QApplication::exec();
        std::printf("idle after %lld ms\n", static_cast<long long>(clock.elapsed()));
        result = std::max(result, app.ExitInstance());
    }
    SetWindowFactory(nullptr);
    return result;
}
