#pragma once
// The started application with its real main window on the offscreen
// platform, a folder for files, and helpers to make documents and look at
// their frames.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/MDI.h"
#include "platform/ui/QtFrameWindow.h"
#include "support/Scripted.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kt::test {

class AppDocsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldDir = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("documents"));
        CMainFrame::SetDocumentsDirForTesting(m_dir.filePath(QStringLiteral("documents")));
        SetWindowFactory(&m_windows);
    }
    void TearDown() override
    {
        m_app.reset();
        SetWindowFactory(nullptr);
        CMainFrame::SetDocumentsDirForTesting(QString());
        QDir::setCurrent(m_oldDir);
    }

    // Starts the program with the arguments; the logo is clicked away.
    bool Start(const QStringList& arguments = {})
    {
        m_app.reset();
        m_app = std::make_unique<CHOXApp>();
        m_app->SetCommandLine(arguments);
        ScriptedDialogs dialogs;
        dialogs.Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); });
        return m_app->InitInstance();
    }

    // File New, answering the type dialog with OK after clicking the button
    // (0: the preset); the document made.
    CHOXDoc* NewDocument(int click = 0)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2060, [click](DialogDriver& d) {
            if (click != 0) d.Click(click);
            d.Click(IDOK);
        });
        EXPECT_TRUE(GetCommandRouter()->Execute(57600));
        return m_app->GetDocument();
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    CMainFrame* Main() const { return m_app->MainFrame(); }
    QtFrameWindow* Window() const { return static_cast<QtFrameWindow*>(Main()->Host()); }
    CHOXDoc* Doc() const { return m_app->GetDocument(); }

    std::vector<CMDIChildWnd*> Frames() const
    {
        std::vector<CMDIChildWnd*> frames;
        for (const auto& child : Main()->GetChildren()) frames.push_back(child.get());
        return frames;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (CMDIChildWnd* frame : Frames()) titles << frame->GetWindowText();
        return titles;
    }
    QStringList VisibleTitles() const
    {
        QStringList titles;
        for (CMDIChildWnd* frame : Frames())
            if (frame->IsWindowVisible()) titles << frame->GetWindowText();
        return titles;
    }
    CMDIChildWnd* FrameOf(const CHOXWnd* wnd) const
    {
        return wnd != nullptr ? m_app->FrameOfView(wnd->GetView()) : nullptr;
    }
    CMDIChildWnd* ChartFrame(const QString& name) const
    {
        return Doc() != nullptr ? FrameOf(Doc()->FindWindowByName(name)) : nullptr;
    }
    CMDIChildWnd* MonitorFrame() const { return Doc() != nullptr ? FrameOf(Doc()->GetMonWnd()) : nullptr; }
    QString ActiveTitle() const { return Main()->MDIGetActive() ? Main()->MDIGetActive()->GetWindowText() : QString(); }
    QString MainTitle() const { return Main()->GetWindowText(); }
    static bool Enabled(UINT id) { return GetCommandRouter()->QueryState(id).m_bEnabled; }

    TempSettings m_settings;
    QTemporaryDir m_dir;
    QtWindowFactory m_windows;
    std::unique_ptr<CHOXApp> m_app;
    QString m_oldDir;
};

} // namespace kt::test
