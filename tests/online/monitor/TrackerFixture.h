#pragma once
// The application started on windows in memory, a document of a controller
// type made by File New, charts of timers and programs in text with a step
// map of the test's own, and monitoring started from the menu command with
// a running-program tracker the test calls itself: the run's results never
// reach it, so each Update is the test's. COM1 leads to the simulated
// controller; the frames keep their states in memory and the program-text
// windows are rendered offscreen by the scripted runner.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "online/comm/CommPortSettings.h"
#include "online/monitor/HOXMonProgTextDlg.h"
#include "online/monitor/HOXMonTracker.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXMonitorSession.h"
#include "online/sim/SimHost.h"
#include "platform/CmdTarget.h"
#include "res/CommandIds.h"
#include "support/MemoryWindows.h"
#include "support/Scripted.h"
#include "symbols/code/HOXCodeTime.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kt::test {

class TrackerFixture : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("documents"));
        CMainFrame::SetDocumentsDirForTesting(m_dir.filePath(QStringLiteral("documents")));
        SetWindowFactory(&windows);
        CSimHost::Instance().Reset();
        CSimHost::Instance().Server().SetPacing(false);
        CCommPortSettings com1;
        com1.m_device = QStringLiteral("sim");
        com1.m_timeoutMs = 100;
        CCommPortSettings::Write(QStringLiteral("COM1"), com1);
        CHOXMonitorSession::SetTrackerMaker([](CHOXDoc&) { return std::unique_ptr<CHOXMonitorTracking>(); });
        app = std::make_unique<CHOXApp>();
        ScriptedDialogs logo;
        logo.Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); });
        ASSERT_TRUE(app->InitInstance());
    }
    void TearDown() override
    {
        // The tracker goes while the run still stands, as it does at a stop.
        tracker.reset();
        if (Doc() != nullptr) Doc()->StopMonitoringIfActive();
        app.reset();
        SetWindowFactory(nullptr);
        CMainFrame::SetDocumentsDirForTesting(QString());
        CHOXMonitorSession::SetTrackerMaker({});
        CSimHost::Instance().Reset();
    }

    // File New of the controller type (0, 1 or 2).
    CHOXDoc* NewDocument(int type)
    {
        static constexpr int kTypeRadios[] = {8044, 8049, 8047};
        ScriptedDialogs dialogs;
        dialogs.Expect(2060, [type](DialogDriver& d) {
            d.Click(kTypeRadios[type]);
            d.Click(IDOK);
        });
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_NEW));
        return Doc();
    }

    // Stops monitoring and closes the document without saving it.
    void CloseDocument()
    {
        tracker.reset();
        ASSERT_TRUE(GetCommandRouter()->Execute(ID_MONITOR_STOP));
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE));
        ASSERT_EQ(nullptr, Doc());
    }

    CHOXDoc* Doc() const { return app ? app->GetDocument() : nullptr; }
    CMainFrame* Main() const { return app->MainFrame(); }
    MemoryFrameHost& MainHost() const { return *windows.main; }

    // A chart of the name (its initial symbols stay out of the step map).
    CHOXFlowWnd* Chart(const QString& name)
    {
        if (CHOXFlowWnd* wnd = Doc()->FindWindowByName(name)) return wnd;
        Main()->CreateFlowChartWindow(name, QString(), 1);
        return Doc()->FindWindowByName(name);
    }
    template <class T>
    T* Add(CHOXFlowWnd* chart, std::unique_ptr<T> symbol)
    {
        symbol->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        symbol->CalcSteps();
        T* raw = symbol.get();
        chart->AddObject(std::move(symbol));
        return raw;
    }
    // A TIMER of four steps.
    CHOXCodeTime* Timer(CHOXFlowWnd* chart, CPoint at) { return Add(chart, std::make_unique<CHOXCodeTime>(at, chart)); }
    CHOXFlowProgText* Text(CHOXFlowWnd* chart, CPoint at, const QString& text)
    {
        auto symbol = std::make_unique<CHOXFlowProgText>(at, chart);
        symbol->SetText(text);
        return Add(chart, std::move(symbol));
    }
    // The symbol's code starts at the step, as the conversion records it.
    void Record(const CHOXSymbol* symbol, int firstStep, const QString& window = QString())
    {
        const auto* wnd = dynamic_cast<const CHOXFlowWnd*>(symbol->GetWnd());
        Doc()->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(firstStep, static_cast<int>(symbol->GetId()),
                                                             window.isEmpty() ? wnd->GetName() : window));
    }

    // Monitor > Start, and the tracker the test drives.
    void StartMonitoring()
    {
        ASSERT_TRUE(GetCommandRouter()->Execute(ID_MONITOR_START));
        ASSERT_FALSE(Doc()->IsEditMode());
        tracker = std::make_unique<CHOXMonTracker>(Doc(), Main());
    }

    CMDIChildWnd* FrameOf(const CHOXWnd* wnd) const
    {
        return wnd != nullptr ? app->FrameOfView(wnd->GetView()) : nullptr;
    }
    CHOXFlowWnd* Monitored(int axis) const { return tracker->GetMonitoredWindow(axis); }
    MemoryChildFrameHost* AxisFrame(int axis) const { return MemoryFrameHost::Of(FrameOf(Monitored(axis))); }
    MemoryChildFrameHost* MonitorFrame() const { return MemoryFrameHost::Of(FrameOf(Doc()->GetMonWnd())); }
    MemoryViewHost& AxisView(int axis) const { return AxisFrame(axis)->viewHost; }
    // The window shown over the axis's frame, rendered offscreen.
    DialogDriver* ProgText(int axis)
    {
        const CHOXMonProgTextDlg* dialog = tracker->GetProgTextDlg(axis);
        return dialog != nullptr ? dialogs.ModelessOf(*dialog) : nullptr;
    }

    static QString S(const char* text) { return QString::fromLatin1(text); }

    QTemporaryDir m_dir;
    TempSettings m_settings;
    MemoryWindowFactory windows;
    // The runner of the program-text windows, for the whole test.
    ScriptedDialogs dialogs;
    std::unique_ptr<CHOXApp> app;
    std::unique_ptr<CHOXMonTracker> tracker;
};

} // namespace kt::test
