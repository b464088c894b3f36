// One program for every benchmark. Benchmarks measured at several sizes (the
// last argument of their name, a named one: "windows:500") get a line at the
// end comparing the largest size with the smallest: how much the size grew
// and how much the time did.
#include "platform/Settings.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <map>
#include <string>
#include <utility>

namespace {

class GrowthReporter : public benchmark::ConsoleReporter {
public:
    explicit GrowthReporter(OutputOptions options) : ConsoleReporter(options) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            // With repetitions the median stands for the size; without, the
            // one run does.
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            if (!aggregate && run.repetitions > 1) continue;
            // Sizes are named arguments ("windows:500"); others (a line's
            // speed, say) are not sizes.
            const std::string& args = run.run_name.args;
            const std::size_t cut = args.find_last_of('/');
            const std::string lastArg = cut == std::string::npos ? args : args.substr(cut + 1);
            const std::size_t colon = lastArg.find(':');
            if (colon == std::string::npos) continue;
            const std::string last = lastArg.substr(colon + 1);
            if (last.empty() || last.find_first_not_of("0123456789") != std::string::npos) continue;
            const std::string family =
                run.run_name.function_name + (cut == std::string::npos ? "" : "/" + args.substr(0, cut));
            Sizes& sizes = m_families[family];
            sizes[std::stod(last)] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        bool header = false;
        for (const auto& [family, sizes] : m_families) {
            if (sizes.size() < 2) continue;
            if (!header) {
                std::printf("\nGrowth from the smallest size to the largest (time ratio against size ratio):\n");
                header = true;
            }
            const auto& [small, smallTimes] = *sizes.begin();
            const auto& [large, largeTimes] = *sizes.rbegin();
            std::printf("%-40s size x%.2f  time x%.2f  cpu x%.2f\n", family.c_str(), large / small,
                        largeTimes.first / smallTimes.first, largeTimes.second / smallTimes.second);
        }
    }

private:
    using Sizes = std::map<double, std::pair<double, double>>;
    std::map<std::string, Sizes> m_families;
};

QtMessageHandler g_qtMessages = nullptr;

// The offscreen platform says, for every window, that it cannot pass size
// hints on; nothing else it says is dropped.
void Messages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints"))) return;
    if (g_qtMessages != nullptr) g_qtMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    // Symbols measure their texts with the program font, and the program's
    // windows are measured too: a widgets application on the offscreen
    // platform keeps it headless.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dataDir;
    // The program registers itself with the desktop at start: here with a
    // desktop of its own.
    qputenv("XDG_DATA_HOME", dataDir.path().toLocal8Bit());
    g_qtMessages = qInstallMessageHandler(Messages);
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    SetSettingsFilePath(settingsDir.filePath(QStringLiteral("Kinetrace.ini")));
    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter(isatty(fileno(stdout)) != 0 ? benchmark::ConsoleReporter::OO_Defaults
                                                        : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
