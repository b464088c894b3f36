#pragma once
// A main window of the real widgets, offscreen, made through the window
// factory for each test and owned by the application; shown as the test
// asks.
#include "platform/MDI.h"
#include "platform/WinApp.h"
#include "platform/ui/QtFrameWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace kt::test {

class QtMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowFactory(&m_windows);
        auto frame = std::make_unique<CMDIFrameWnd>();
        ASSERT_TRUE(frame->LoadFrame(2));
        m_main = frame.get();
        m_app.SetMainWnd(std::move(frame));
    }
    void TearDown() override
    {
        m_app.DestroyMainWnd();
        SetWindowFactory(nullptr);
    }
    QtFrameWindow* Window() const { return static_cast<QtFrameWindow*>(m_main->Host()); }

    QtWindowFactory m_windows;
    CWinApp m_app;
    CMDIFrameWnd* m_main = nullptr;
};

} // namespace kt::test
