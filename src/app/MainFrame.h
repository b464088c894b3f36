#pragma once
// The program's main window: menus, status bar and the frame-level commands.
#include "platform/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool OnClose() override;

    // Makes the remembered document directory current (or the "PROG"
    // directory beside the program's, made when missing).
    static void ChangeToFileDir();
    // Remembers the current directory as the document directory.
    static bool SetFileDir();
    // The directory used when none is remembered.
    static QString DefaultFileDir();
    // Tests put the program's directory elsewhere.
    static void SetProgramDirForTesting(const QString& dir);

protected:
    bool OnCreate() override;
};
