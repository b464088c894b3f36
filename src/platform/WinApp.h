#pragma once
// The application object: start-up and exit, the main window, and the end of
// the command routing chain.
#include "platform/CmdTarget.h"
#include "platform/FrameWnd.h"

#include <QString>
#include <QStringList>

#include <memory>

class CWinApp : public CCmdTarget, public CommandRouter {
public:
    CWinApp();
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance();

    // The main frame; owned by the application.
    CFrameWnd* GetMainWnd() const { return m_pMainWnd.get(); }
    void SetMainWnd(std::unique_ptr<CFrameWnd> frame);
    // Destroys the main window (the application is ending).
    void DestroyMainWnd();

    // The program's arguments after its name.
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }
    const QStringList& CommandLine() const { return m_arguments; }

    // The key the framework's own settings are kept under.
    void SetRegistryKey(const QString& key) { m_registryKey = key; }
    const QString& RegistryKey() const { return m_registryKey; }

    // Main frame first, then the application.
    bool RouteCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) override;

protected:
    std::unique_ptr<CFrameWnd> m_pMainWnd;
    QStringList m_arguments;
    QString m_registryKey;
};

// The one application object.
CWinApp* AfxGetApp();
