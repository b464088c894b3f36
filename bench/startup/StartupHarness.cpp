// The program as main() starts it, for timing its start with a document
// from outside: "kinetrace_startup_bench FILE" starts on the file and ends
// as soon as the main window is idle (the event loop has nothing left to do
// and would wait for the user), printing the time that took;
// "kinetrace_startup_bench --write WINDOWS FILE" saves the benchmarks'
// drawing of that many windows there first; "kinetrace_startup_bench
// --growth [RUNS]" starts the program RUNS times (3 unless told) on the
// drawing of each size the other benchmarks measure, each start a process of
// its own, and prints the median of each size and how the time grew from the
// smallest to the largest. The start-up logo, which waits for the user or
// its timer, is passed over; settings and the desktop registration go to a
// temporary folder.
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
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

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
    std::fprintf(stderr, "usage: kinetrace_startup_bench FILE | --write WINDOWS FILE | --growth [RUNS]\n");
    return 2;
}

constexpr char kIdleLine[] = "idle after %lld ms\n";

// One start of the program on `file`, in a process of its own with the
// window system `environment` names: the milliseconds it printed.
std::optional<double> TimedStart(const QString& file, const QProcessEnvironment& environment)
{
    QProcess start;
    start.setProcessEnvironment(environment);
    start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    start.start(QCoreApplication::applicationFilePath(), {file});
    if (!start.waitForFinished(120000) || start.exitStatus() != QProcess::NormalExit || start.exitCode() != 0)
        return std::nullopt;
    long long ms = 0;
    if (std::sscanf(start.readAllStandardOutput().constData(), kIdleLine, &ms) != 1) return std::nullopt;
    return static_cast<double>(ms);
}

int Growth(int runs, const QProcessEnvironment& environment)
{
    QTemporaryDir dir;
    std::vector<std::pair<int, double>> medians;
    for (const int windows : largedoc::kScales) {
        const QString file = dir.filePath(QStringLiteral("start-%1.hox").arg(windows));
        if (!largedoc::SaveDrawing(file, windows)) return 1;
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const std::optional<double> ms = TimedStart(file, environment);
            if (!ms) {
                std::fprintf(stderr, "the start on %d windows failed\n", windows);
                return 1;
            }
            times.push_back(*ms);
        }
        std::sort(times.begin(), times.end());
        medians.emplace_back(windows, times[times.size() / 2]);
        std::printf("windows:%-4d %6.0f ms (median of %d)\n", windows, medians.back().second, runs);
    }
    const auto& [fewest, fast] = medians.front();
    const auto& [most, slow] = medians.back();
    std::printf("growth: size x%.2f  time x%.2f\n", static_cast<double>(most) / fewest, slow / std::max(fast, 1.0));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QTemporaryDir scratch;
    // The starts timed by --growth use the window system this one was given.
    const QProcessEnvironment startEnvironment = QProcessEnvironment::systemEnvironment();
    qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
    // Writing the document needs no screen.
    const bool writing = argc > 1 && (std::strcmp(argv[1], "--write") == 0 || std::strcmp(argv[1], "--growth") == 0);
    if (writing) qputenv("QT_QPA_PLATFORM", "offscreen");

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
    if (!arguments.isEmpty() && arguments[0] == QStringLiteral("--growth")) {
        bool ok = arguments.size() == 1;
        const int runs = ok ? 3 : arguments.value(1).toInt(&ok);
        if (!ok || runs < 1 || arguments.size() > 2) return Usage();
        return Growth(runs, startEnvironment);
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
        std::printf(kIdleLine, static_cast<long long>(clock.elapsed()));
        result = std::max(result, app.ExitInstance());
    }
    SetWindowFactory(nullptr);
    return result;
}
