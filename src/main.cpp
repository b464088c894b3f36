// The program: the Qt application, the platform's Qt side, and the
// application object's start-up.
#include "app/HOXApp.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationName(QStringLiteral("Kinetrace"));
    InstallQtPlatform();
    QtWindowFactory windows;
    SetWindowFactory(&windows);

    int result = 0;
    {
        CHOXApp app;
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        app.SetCommandLine(arguments);
        if (!app.InitInstance()) {
            app.ExitInstance();
            return 1;
        }
        result = QApplication::exec();
        result = std::max(result, app.ExitInstance());
    }
    SetWindowFactory(nullptr);
    return result;
}
