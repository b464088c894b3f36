#pragma once
// The running program with a new document whose monitoring window is
// active, shown at 640 by 440, for tests that use the real page with the
// mouse and the menus.
#include "app/AppDocsFixture.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"

#include <QApplication>
#include <QPoint>

namespace kt::test {

class MonitorPageFixture : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        frame = MonitorFrame();
        ASSERT_NE(frame, nullptr);
        frame->MDIActivate();
        QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
        window->showNormal();
        window->resize(640, 440);
        widget = window->ViewWidget();
        area = widget->viewport();
        wnd = Doc()->GetMonWnd();
        view = static_cast<CHOXMonView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        QApplication::processEvents();
    }

    static void Command(UINT id) { EXPECT_TRUE(GetCommandRouter()->Execute(id)) << id; }
    // The widget's point over a document point.
    QPoint At(CPoint docPoint) const
    {
        const CPoint p = view->DocToClient(docPoint);
        return QPoint(p.x, p.y);
    }

    CMDIChildWnd* frame = nullptr;
    QtViewWidget* widget = nullptr;
    QWidget* area = nullptr;
    CHOXMonWnd* wnd = nullptr;
    CHOXMonView* view = nullptr;
};

} // namespace kt::test
