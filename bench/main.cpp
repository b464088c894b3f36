// One program for every benchmark.
#include "platform/Settings.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // Symbols measure their texts with the program font, which needs a GUI
    // application; the offscreen platform keeps it headless.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir settingsDir;
    SetSettingsFilePath(settingsDir.filePath(QStringLiteral("Kinetrace.ini")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
