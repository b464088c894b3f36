#pragma once
// The running application with a document, talking to the simulated
// controller inside the program through COM1 (pacing off, a short time-out
// so that faults end quickly), and helpers that draw programs into the
// document's first chart and run the KZ-QW commands.
#include "app/AppDocsFixture.h"
#include "support/RunUntil.h"

#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/ObjectTypes.h"
#include "online/comm/CommPortSettings.h"
#include "online/HOXDiagnosisDlg.h"
#include "online/HOXProgressMsgDlg.h"
#include "online/sim/SimFault.h"
#include "online/sim/SimHost.h"
#include "params/HOXParam.h"
#include "res/CommandIds.h"
#include "symbols/code/HOXCodeTime.h"
#include "symbols/operand/HOXDataReg.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kt::test {

// A fault of the simulated controller on one operation: `skip` requests
// pass, then it hits every one until cleared.
inline CSimFault Fault(CSimFault::Kind kind, int command, int value = 0, int skip = 0)
{
    CSimFault fault;
    fault.m_kind = kind;
    fault.m_command = command;
    fault.m_value = value;
    fault.m_skip = skip;
    fault.m_count = 0; // until cleared
    return fault;
}

inline constexpr UINT kStop = MB_OK | MB_ICONSTOP;
inline constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION;
inline constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

inline const char* const kWritten = "Parameter and Program data is written to DA-ZU Successfully.";
inline const char* const kAskWrite =
    "Current Parameter settings and Program will be written to DA-ZU.Do You want to continue?";
inline const char* const kIdentical = "HOX Program data and DA-ZU contents are identical.";
inline const char* const kVerifyFailed = "Verify is failed";
inline const char* const kAskInitialize = "This command will initialize the KZQW.\nDo you want to continue?";
inline const char* const kInitialized = "DA-ZU Contents are initialized successfully.";

class ControllerFixture : public AppDocsFixture {
protected:
    static constexpr int kTimeoutMs = 100;

    void SetUp() override
    {
        AppDocsFixture::SetUp();
        Host().Reset();
        Host().Server().SetPacing(false);
        CCommPortSettings com1;
        com1.m_device = QStringLiteral("sim");
        com1.m_timeoutMs = kTimeoutMs;
        CCommPortSettings::Write(QStringLiteral("COM1"), com1);
        ASSERT_TRUE(Start());
    }
    void TearDown() override
    {
        AppDocsFixture::TearDown();
        Host().Reset();
        Host().Server().SetPacing(false);
    }

    static CSimHost& Host() { return CSimHost::Instance(); }
    static CSimController& Sim() { return Host().Controller(); }
    static CSimFaults& Faults() { return Host().Faults(); }

    // A document of the controller type (0, 1 or 2) made by File New.
    CHOXDoc* NewDocumentOfType(int type)
    {
        // The type dialog's radio buttons, in the order of the types.
        constexpr int kTypeRadios[] = {8044, 8049, 8047};
        return NewDocument(kTypeRadios[type]);
    }

    CHOXFlowWnd* FirstChart() const { return Doc()->FindWindowByName(QStringLiteral("Flow Chart1")); }

    static CHOXSymbol* FindSymbolOfType(CHOXFlowWnd* chart, int type)
    {
        for (auto& [id, object] : chart->GetObjectMap())
            if (object->GetObjectType() == type) return static_cast<CHOXSymbol*>(object.get());
        return nullptr;
    }

    // The first chart's START and END with `timers` TIMER symbols between
    // them (each "cod04(TIM) K1;"), the last one's time given when set.
    void DrawProgram(int timers, const QString& lastTime = QString())
    {
        CHOXFlowWnd* chart = FirstChart();
        ASSERT_NE(chart, nullptr);
        CHOXSymbol* start = FindSymbolOfType(chart, objtype::kFlowStart);
        CHOXSymbol* end = FindSymbolOfType(chart, objtype::kFlowEnd);
        ASSERT_NE(start, nullptr);
        ASSERT_NE(end, nullptr);
        CHOXSymbol* previous = start;
        int pin = 0;
        for (int i = 0; i < timers; ++i) {
            auto timer = std::make_unique<CHOXCodeTime>(CPoint(100, 60 + 40 * i), chart);
            timer->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
            if (i == timers - 1 && !lastTime.isEmpty()) {
                CHOXDataReg time;
                ASSERT_TRUE(time.Parse(lastTime, true));
                timer->SetTime(time);
            }
            timer->CalcSteps();
            CHOXCodeTime* raw = timer.get();
            chart->AddObject(std::move(timer));
            Wire(chart, previous, pin, raw);
            previous = raw;
            pin = 1;
        }
        Wire(chart, previous, pin, end);
        Doc()->SetModifiedFlag(true);
    }

    // A TIMER wired to nothing in the first chart: the conversion refuses.
    CHOXSymbol* DrawAlone()
    {
        CHOXFlowWnd* chart = FirstChart();
        EXPECT_NE(chart, nullptr);
        if (chart == nullptr) return nullptr;
        auto timer = std::make_unique<CHOXCodeTime>(CPoint(300, 60), chart);
        timer->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        CHOXSymbol* alone = timer.get();
        chart->AddObject(std::move(timer));
        return alone;
    }

    // The first chart without any symbol: a document without a program.
    void EmptyFirstChart()
    {
        CHOXFlowWnd* chart = FirstChart();
        ASSERT_NE(chart, nullptr);
        for (WORD key : chart->GetObjectMap().Keys()) chart->RemoveObject(key);
    }

    void Wire(CHOXFlowWnd* chart, CHOXSymbol* from, int pin, CHOXSymbol* to)
    {
        auto wire = std::make_unique<CHOXConnect>(CRect(), chart);
        wire->SetId(static_cast<DWORD>(Doc()->NewWireId()));
        wire->SetSource(from->GetId(), pin);
        CHOXConnect* raw = wire.get();
        chart->AddConnect(std::move(wire));
        raw->SetTarget(to->GetId(), CHOXConnect::kTargetSymbol);
        raw->RerouteAll();
    }

    // Runs a KZ-QW command as the menu does.
    static void Run(UINT command) { EXPECT_TRUE(GetCommandRouter()->Execute(command)); }

    std::int32_t Param(UINT number, int axis = 0) const
    {
        std::int32_t value = 0;
        EXPECT_TRUE(Doc()->GetParam().GetParam(&value, number, axis));
        return value;
    }
    void SetParam(UINT number, std::int32_t value, int axis = 0)
    {
        ASSERT_TRUE(Doc()->GetParam().SetParam(&value, number, axis));
    }

    // The operations the simulated controller carried out, in order.
    static QStringList Operations()
    {
        QStringList names;
        for (const CSimRequest& request : Sim().Log().Entries()) names << request.m_operation;
        return names;
    }

    // The arrow is back: no wait cursor stands over the program.
    static bool IsArrow() { return QGuiApplication::overrideCursor() == nullptr; }

    static QString S(const char* text) { return QString::fromLatin1(text); }

    // Every command ends with the arrow and without its progress window.
    static void ExpectCleanEnd(const ScriptedDialogs& dialogs, const std::string& what)
    {
        EXPECT_TRUE(IsArrow()) << what;
        EXPECT_EQ(0u, dialogs.ModelessOpen()) << what;
    }

    // The document of the user's run: sixty timers (more than one program
    // block), X's DSW head input X17, Y's M-code output Y17 and a speed of
    // Y; not yet saved.
    void PrepareRunDocument()
    {
        DrawProgram(60);
        SetParam(31, 17, 0);
        SetParam(37, 17, 1);
        SetParam(4, 123456, 1);
    }

    // The user's run on the document: Write (Save Select saves it first,
    // as "Press Line.HOX"), Verify, Diagnosis with its Help, Initialize
    // and Verify again. `written` and `initialised` look at the controller
    // after the write and the initialisation.
    void RunAsUser(const std::function<void()>& written, const std::function<void()>& initialised)
    {
        {
            ScriptedDialogs dialogs;
            ScriptedFiles files;
            ScriptedMessages messages;
            dialogs.Expect(4082, [](DialogDriver& d) { d.Click(IDOK); });
            files.Expect(Path(QStringLiteral("Press Line.HOX")));
            messages.Expect(S(kWritten), kInformation, IDOK, [&] { ExpectCleanEnd(dialogs, "write"); });
            Run(ID_CONTROLLER_WRITE);
            EXPECT_EQ(std::vector<UINT>{CHOXProgressMsgDlg::kTemplate}, dialogs.modelessShown);
            EXPECT_EQ(S("Writing is in progress..."), Doc()->GetProgressDlg().GetMessage());
        }
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_EQ(17, Param(31, 0));
        EXPECT_EQ(17, Param(37, 1));
        written();

        // Verify: identical, and the notation is the same afterwards.
        {
            ScriptedDialogs dialogs;
            ScriptedMessages messages;
            messages.Expect(S(kIdentical), kInformation, IDOK, [&] { ExpectCleanEnd(dialogs, "verify"); });
            Run(ID_CONTROLLER_VERIFY);
            EXPECT_EQ(std::vector<UINT>{CHOXProgressMsgDlg::kTemplate}, dialogs.modelessShown);
            EXPECT_EQ(S("Verify is in progress ..."), Doc()->GetProgressDlg().GetMessage());
        }
        EXPECT_EQ(17, Param(31, 0));
        EXPECT_EQ(17, Param(37, 1));

        // Diagnosis: the controller's identity in the dialog, with its Help.
        {
            ScriptedDialogs dialogs;
            RecordingHelp help;
            dialogs.Expect(CHOXDiagnosisDlg::kTemplate, [](DialogDriver& d) {
                EXPECT_EQ(S("Diagnosis Dialog"), d.Caption());
                EXPECT_EQ(S("8000"), d.Text(CHOXDiagnosisDlg::kCapacityEdit));
                EXPECT_EQ(S("ZU(Z)-20OD"), d.Text(CHOXDiagnosisDlg::kModelEdit));
                EXPECT_EQ(S("1.10"), d.Text(CHOXDiagnosisDlg::kVersionEdit));
                EXPECT_EQ(S("Non Protected"), d.Text(CHOXDiagnosisDlg::kCassetteEdit));
                EXPECT_TRUE(IsArrow());
                d.Click(CHOXDiagnosisDlg::kHelpButton);
                d.Click(IDOK);
            });
            Run(ID_CONTROLLER_DIAGNOSIS);
            EXPECT_EQ(std::vector<QString>{S(":/res/help/20811.html")}, help.pages);
        }

        // Initialise, after which the controller no longer matches.
        {
            ScriptedMessages messages;
            messages.Expect(S(kAskInitialize), kQuestion, IDYES).Expect(S(kInitialized), kInformation, IDOK);
            Run(ID_CONTROLLER_INITIALIZE);
        }
        initialised();
        {
            ScriptedDialogs dialogs;
            ScriptedMessages messages;
            messages.Expect(S(kVerifyFailed), kStop, IDOK);
            Run(ID_CONTROLLER_VERIFY);
            ExpectCleanEnd(dialogs, "verify after initialise");
        }
    }
};

// The same, for tests that start monitoring: it is stopped before the
// program goes, whatever the test left running.
class MonitoringFixture : public ControllerFixture {
protected:
    void TearDown() override
    {
        if (Doc() != nullptr) Doc()->StopMonitoringIfActive();
        ControllerFixture::TearDown();
    }
};

} // namespace kt::test
