// The program: the Qt application, the platform's Qt side, and the
// application object's start-up.
#include "app/HOXApp.h"
#include "params/HOXSpeedGraph.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtDrawnControl.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"
#include "plc/HOXLadderCtrl.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationName(QStringLiteral("Kinetrace"));
    InstallQtPlatform();
    // Controls the program draws itself, by the kind their templates give.
    QtDialogSite::RegisterKind(CHOXLadderCtrl::TemplateKind(), QtDrawnControl::Create);
    QtDialogSite::RegisterKind(CHOXSpeedGraph::TemplateKind(), QtDrawnControl::Create);
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
            return app.GetStartupExitCode();
        }
        result = QApplication::exec();
        result = std::max(result, app.ExitInstance());
    }
    SetWindowFactory(nullptr);
    return result;
}
