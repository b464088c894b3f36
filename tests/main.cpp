// The test program: a Qt application on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise), with handlers that fail any message box or
// dialog a test did not expect.
#include "app/ProgramState.h"
#include "support/Scripted.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
QtMessageHandler g_qtDefault = nullptr;

// The offscreen platform cannot pass size hints on, raise windows or grab
// the keyboard for a popup menu, and says so every time; nothing else is
// dropped.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    for (const char* known : {"propagateSizeHints", "This plugin does not support raise()",
                              "This plugin does not support grabbing the keyboard"})
        if (message.contains(QLatin1String(known))) return;
    if (g_qtDefault != nullptr) g_qtDefault(type, context, message);
}
// Every test starts with the program-wide state of a program just started,
// whatever ran before it.
class FreshProgramState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { Program().Reset(); }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtDefault = qInstallMessageHandler(FilterQtMessages);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new kt::test::StrictPlatformEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramState);
    return RUN_ALL_TESTS();
}
