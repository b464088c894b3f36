#pragma once
// Monitoring against the simulated controller inside the program: a
// document of its own with a monitor page (one object of each kind, device
// columns as a test wants them), its monitor view hosted in memory, COM1
// leading to the simulator with pacing off and a short time-out, and
// helpers that draw the page (which tells the objects whether they are
// seen) and let the user-interface thread's queue run until a condition
// holds.
#include "support/RunUntil.h"
#include "online/comm/CommPortSettings.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonitorSession.h"
#include "online/monitor/MonObjIds.h"
#include "online/sim/SimFault.h"
#include "online/sim/SimHost.h"
#include "platform/DC.h"
#include "support/DocBuilder.h"
#include "symbols/operand/HOXSelectVal.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kt::test {

using DevSettings = CHOXMonDevStat::Settings;

// A fault of the simulated controller on one operation until cleared.
inline CSimFault SimFault(CSimFault::Kind kind, int command, int value = 0)
{
    CSimFault fault;
    fault.m_kind = kind;
    fault.m_command = command;
    fault.m_value = value;
    fault.m_count = 0;
    return fault;
}

class MonitorFixture : public ::testing::Test, protected DocBuilder {
protected:
    static constexpr int kTimeoutMs = 100;

    void SetUp() override
    {
        Host().Reset();
        Host().Server().SetPacing(false);
        SetTimeout(kTimeoutMs);
    }
    // How long COM1 waits for a reply: a reply made late on purpose must
    // still come in time.
    static void SetTimeout(int milliseconds)
    {
        CCommPortSettings com1;
        com1.m_device = QString::fromLatin1(CCommPortSettings::kSimulator);
        com1.m_timeoutMs = milliseconds;
        CCommPortSettings::Write(QStringLiteral("COM1"), com1);
    }
    static constexpr int kLongTimeoutMs = 10000;
    void TearDown() override
    {
        // The worker ends before the controller is put back.
        view.reset();
        doc.reset();
        CHOXMonitorSession::SetTrackerMaker({});
        Host().Reset();
    }

    static CSimHost& Host() { return CSimHost::Instance(); }
    static CSimController& Sim() { return Host().Controller(); }
    static CSimFaults& Faults() { return Host().Faults(); }

    // The operations the simulated controller carried out, in order.
    static QStringList Operations()
    {
        QStringList names;
        for (const CSimRequest& request : Sim().Log().Entries()) names << request.m_operation;
        return names;
    }
    static QStringList Requests(const QString& operation)
    {
        QStringList texts;
        for (const CSimRequest& request : Sim().Log().Of(operation)) texts << request.ToText().section(QStringLiteral(" axis"), 0, 0);
        return texts;
    }

    template <class T>
    T* Put(std::unique_ptr<T> object, DWORD id, const CRect& bounds)
    {
        object->SetId(id);
        object->m_position = bounds;
        T* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        return raw;
    }
    CHOXMonDevStat* Devices(const DevSettings& settings, const CRect& bounds = CRect(600, 10, 754, 330))
    {
        return Put(std::make_unique<CHOXMonDevStat>(settings, Monitor()), static_cast<DWORD>(doc->NewMonObjId()),
                   bounds);
    }

    // One object of each kind the worker reads, and a button it never reads,
    // all on the first 800 by 600 of the page.
    struct Page {
        CHOXMonCurPos* position;
        CHOXMonPlotObj* plot;
        CHOXMonManOpern* button;
        CHOXMonManInputStat* inputs;
        CHOXMonKZQWStat* status;
        CHOXMonProgInfo* info;
        CHOXMonDevStat* devices;
    };
    Page OneOfEach()
    {
        CHOXMonWnd* wnd = Monitor();
        Page page;
        page.position = Put(std::make_unique<CHOXMonCurPos>(wnd), monid::kCurPos, CRect(10, 10, 138, 62));
        page.plot = Put(std::make_unique<CHOXMonPlotObj>(wnd), monid::kPlot, CRect(150, 10, 382, 242));
        page.button = Put(std::make_unique<CHOXMonManOpern>(4, wnd), monid::ManOpernId(4), CRect(400, 10, 460, 40));
        page.inputs = Put(std::make_unique<CHOXMonManInputStat>(wnd), monid::kManInputStat, CRect(10, 250, 160, 390));
        page.status = Put(std::make_unique<CHOXMonKZQWStat>(wnd), monid::kKZQWStat, CRect(200, 250, 338, 350));
        page.info = Put(std::make_unique<CHOXMonProgInfo>(wnd), monid::kProgInfo, CRect(10, 400, 250, 484));
        page.devices = Devices({0, CHOXSelectVal::kD, 100, 0, 0, 4}, CRect(400, 250, 554, 330));
        return page;
    }

    // The monitor view of the document, hosted in memory.
    void HostView()
    {
        view = std::make_unique<HostedView<CHOXMonView>>(*doc, Monitor(), CRect(0, 0, 1000, 800));
        Monitor()->SetView(&view->view);
    }

    // The page drawn as the screen draws it while monitoring: each monitor
    // object learns whether it can be seen (the first 1000 by 800).
    void DrawPage()
    {
        const bool edit = doc->IsEditMode();
        doc->SetEditMode(false);
        QImage image(1000, 800, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            CDC dc(painter);
            if (view) {
                view->view.OnPrepareDC(&dc);
                view->view.OnDraw(&dc);
            } else {
                Monitor()->Draw(&dc);
            }
        }
        doc->SetEditMode(edit);
    }

    static void RunUntil(const std::function<bool()>& done) { kt::test::RunUntil(done); }

    std::unique_ptr<HostedView<CHOXMonView>> view;
};

} // namespace kt::test
