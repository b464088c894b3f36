// The KZ-QW menu's four commands against the simulated controller inside
// the program, through the dialog layer with scripted answers: the whole
// run of a user, and every refusal and failure with its exact words, icon
// and what reached the controller.
#include "online/ControllerFixture.h"

#include "app/HOXTimedMessageDlg.h"
#include "convert/HOXExport.h"
#include "online/comm/CommProtocol.h"
#include "online/HOXDiagnosisDlg.h"
#include "convert/HOXSaveSelectDlg.h"
#include "online/sim/SimFault.h"

#include "online/comm/CommPortSettings.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <vector>

using kt::test::ControllerFixture;
using kt::test::Fault;
using kt::test::DialogDriver;
using kt::test::kAskInitialize;
using kt::test::kAskWrite;
using kt::test::kIdentical;
using kt::test::kInformation;
using kt::test::kQuestion;
using kt::test::kStop;
using kt::test::kVerifyFailed;
using kt::test::kWritten;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

const char* const kParametersWritten = "Parameter information is written to DA-ZU successfully";
const char* const kAskParametersOnly =
    "No program !  Current Parameter settings  will be written to DA-ZU. Do You want to continue ?";
const char* const kOpenFailed = "Erron opening in the communication port";
const char* const kNotResponding = "KZQW Device is not responding,Check Connections";
const char* const kCannotInitialize = "ERROR : Can not Initialize the DA-ZU Contents.";
const char* const kRejected = "ERROR :  Controller is rejected.";

CSimFault Refuse(int command, int skip = 0) { return Fault(CSimFault::ForcedResult, command, 779, skip); }

class ControllerCommandsTest : public ControllerFixture {
protected:
    // A fresh document of the type, with nothing left to ask about the one
    // before.
    void Fresh(int type = ctype::kTwoAxes)
    {
        if (Doc() != nullptr) Doc()->SetModifiedFlag(false);
        ASSERT_NE(NewDocumentOfType(type), nullptr);
        Main()->SetComPort(S("COM1"));
        Host().Reset();
        Host().Server().SetPacing(false);
    }

    // The program the document converts to, as the controller keeps it.
    QByteArray DocumentProgram()
    {
        CHOXExport exporter(Doc());
        QString message;
        int severity = 0;
        CHOXSymbol* symbol = nullptr;
        EXPECT_TRUE(exporter.GenerateProgram(message, false, &severity, &symbol, false)) << message.toStdString();
        return exporter.GetProgramText().toLatin1();
    }

    // Writes a document without unsaved changes: the question, then the
    // success.
    void WriteUnmodified()
    {
        Doc()->SetModifiedFlag(false);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(kAskWrite), kQuestion, IDYES).Expect(S(kWritten), kInformation, IDOK);
        Run(ID_CONTROLLER_WRITE);
        Sim().Log().Clear();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The whole run

TEST_F(ControllerCommandsTest, WriteVerifyDiagnoseAndInitialiseTheSimulatedController)
{
    Fresh();
    PrepareRunDocument();
    const QByteArray program = DocumentProgram();
    ASSERT_GT(program.size(), commproto::kProgramBlock);

    const auto written = [&] {
        EXPECT_EQ(program, Sim().ProgramText());
        EXPECT_TRUE(Sim().ChecksumFlag());
        EXPECT_EQ(QByteArray("press line.hox"), Sim().FileName());
        // The controller holds plain I/O numbers; the document keeps its
        // octal-digit notation.
        EXPECT_EQ(15, Sim().Block(CHOXParam::blockAxisB, 0).at(1));
        EXPECT_EQ(15, Sim().Block(CHOXParam::blockAxisB, 1).at(7));
        EXPECT_EQ(123456, Sim().Block(CHOXParam::blockAxisA, 1).at(4));
        QStringList expected{S("GetKZQWType"), S("Status"), S("SetFileName")};
        for (int i = 0; i < 5; ++i) expected << S("WriteParams");
        expected << S("WriteProgramBegin");
        for (int i = 0; i < (program.size() + commproto::kProgramBlock - 1) / commproto::kProgramBlock; ++i)
            expected << S("WriteProgramBlock");
        expected << S("WriteProgramEnd") << S("CreateSum");
        EXPECT_EQ(expected, Operations());
        const auto blocks = Sim().Log().Of(S("WriteParams"));
        const std::vector<std::vector<std::int32_t>> order{
            {112, 0, 12}, {113, 0, 27}, {114, 0, 27}, {113, 1, 27}, {114, 1, 27}};
        ASSERT_EQ(order.size(), blocks.size());
        for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], blocks[i].m_arguments) << i;
        const auto begin = Sim().Log().Of(S("WriteProgramBegin"));
        ASSERT_EQ(1u, begin.size());
        EXPECT_EQ((std::vector<std::int32_t>{7800, 0, static_cast<std::int32_t>(program.size())}),
                  begin[0].m_arguments);
    };
    const auto initialised = [] {
        EXPECT_TRUE(Sim().ProgramText().isEmpty());
        EXPECT_EQ(CHOXParam().GetTransferBlock(CHOXParam::blockAxisB, 0), Sim().Block(CHOXParam::blockAxisB, 0));
    };
    RunAsUser(written, initialised);
}

TEST_F(ControllerCommandsTest, AProgramListedByTheControllerVerifiesIdentical)
{
    Fresh();
    DrawProgram(3);
    WriteUnmodified();
    Sim().SetReadBack(CSimController::Listing);
    ScriptedMessages messages;
    messages.Expect(S(kIdentical), kInformation, IDOK);
    Run(ID_CONTROLLER_VERIFY);
}

TEST_F(ControllerCommandsTest, ADocumentWithoutProgramWritesItsParametersUnderNoName)
{
    Fresh(ctype::kOneAxis);
    Sim().SetModel(0);
    EmptyFirstChart();
    SetParam(105, 7);
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    messages.Expect(S(kAskParametersOnly), kQuestion, IDYES).Expect(S(kParametersWritten), kInformation, IDOK);
    Run(ID_CONTROLLER_WRITE);
    ExpectCleanEnd(dialogs, "parameters only");
    // An untitled document names no file; the one-axis type writes no Y
    // blocks; the empty program goes all the same.
    const auto name = Sim().Log().Of(S("SetFileName"));
    ASSERT_EQ(1u, name.size());
    EXPECT_EQ(std::vector<std::int32_t>{0}, name[0].m_arguments);
    EXPECT_EQ(3u, Sim().Log().Of(S("WriteParams")).size());
    EXPECT_EQ(7, Sim().Block(CHOXParam::blockCommon, 0).at(5));
    EXPECT_TRUE(Sim().ProgramText().isEmpty());
    const auto begin = Sim().Log().Of(S("WriteProgramBegin"));
    ASSERT_EQ(1u, begin.size());
    EXPECT_EQ(3800, begin[0].m_arguments.at(0));
    EXPECT_TRUE(Sim().ChecksumFlag());
}

// ---------------------------------------------------------------------------
// The memory check

TEST_F(ControllerCommandsTest, TheMemoryCheckComesBeforeThePortOpens)
{
    const struct {
        const char* what;
        std::int32_t memorySize;    // parameter 100
        int fileRegistersOverSteps; // parameter 101 = memory - steps + this
        std::int32_t fileRegisters; // or this when set
        int shownMemory;            // -1: steps - 1
    } cases[] = {
        {"one step more than the memory", 0, 1, -1, -1},
        {"one step more than the 4K memory", 1, 1, -1, -1},
        {"more file registers than memory", 0, 0, 9000, 0},
        {"parameter 100 other than 0 and 1 is 4K", 2, 1, -1, -1},
        {"a negative parameter 100 too", -1, 1, -1, -1},
    };
    for (const auto& c : cases) {
        Fresh();
        DrawProgram(5);
        const int steps = static_cast<int>(Doc()->GetTotalSteps());
        const int memory = c.memorySize == 0 ? 7800 : 3800;
        SetParam(100, c.memorySize);
        SetParam(101, c.fileRegisters >= 0 ? c.fileRegisters : memory - steps + c.fileRegistersOverSteps);
        const int shown = c.shownMemory >= 0 ? c.shownMemory : steps - 1;
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S("Program size is more than memory size (System parameter)   %1 Steps").arg(shown), MB_OK,
                        IDOK);
        Run(ID_CONTROLLER_WRITE);
        EXPECT_TRUE(Operations().isEmpty()) << c.what;
        EXPECT_TRUE(dialogs.modelessShown.empty()) << c.what;
    }
}

TEST_F(ControllerCommandsTest, AProgramAsLargeAsTheMemoryIsWritten)
{
    Fresh();
    DrawProgram(5);
    SetParam(101, 7800 - static_cast<int>(Doc()->GetTotalSteps()));
    WriteUnmodified();
    EXPECT_EQ(DocumentProgram(), Sim().ProgramText());
}

// ---------------------------------------------------------------------------
// Refusals

TEST_F(ControllerCommandsTest, EveryRefusalOfAWriteSaysWhyAndSendsNothingMore)
{
    const struct {
        const char* what;
        int type;
        std::function<void()> arrange;
        bool asks; // the question comes first (answered Yes)
        const char* text;
        QStringList operations;
    } cases[] = {
        {"an open failure", ctype::kTwoAxes, [this] { Main()->SetComPort(S("COM2")); }, false, kOpenFailed, {}},
        {"a one-axis program for a two-axis unit",
         ctype::kOneAxis,
         [] {},
         false,
         "Writing Ze-10 RE program to Ro-20 ZU is not possible",
         {S("GetKZQWType")}},
        {"a two-axis program for a one-axis unit",
         ctype::kTwoAxes,
         [] { Sim().SetModel(0); },
         false,
         "Writing Ro-20 ZU program to Ze-10 RE is not possible",
         {S("GetKZQWType")}},
        {"an interpolating program for a one-axis unit",
         ctype::kInterpolated,
         [] { Sim().SetModel(0); },
         false,
         "Writing Ro-20 ZU program to Ze-10 RE is not possible",
         {S("GetKZQWType")}},
        {"no answer to the type",
         ctype::kTwoAxes,
         [] { Faults().Add(Refuse(commproto::GetKZQWType)); },
         false,
         kNotResponding,
         {}},
        {"a conversion error",
         ctype::kTwoAxes,
         [this] { DrawAlone(); },
         false,
         "ERROR : At least one symbol is not connected.\nCannot Write to DA-ZU",
         {S("GetKZQWType")}},
        {"no answer to the status",
         ctype::kTwoAxes,
         [] { Faults().Add(Refuse(commproto::Status)); },
         true,
         kNotResponding,
         {S("GetKZQWType")}},
        {"auto mode",
         ctype::kTwoAxes,
         [] { Sim().SetSwitch(CSimController::Auto, true); },
         true,
         "DA-ZU is in Auto Mode. Unable to Write.",
         {S("GetKZQWType"), S("Status")}},
        {"the file name refused",
         ctype::kTwoAxes,
         [] { Faults().Add(Refuse(commproto::SetFileName)); },
         true,
         "File Name is not setting properly,Unable To Write",
         {S("GetKZQWType"), S("Status")}},
    };
    for (const auto& c : cases) {
        Fresh(c.type);
        DrawProgram(2);
        Doc()->SetModifiedFlag(false);
        c.arrange();
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        if (c.asks) messages.Expect(S(kAskWrite), kQuestion, IDYES);
        messages.Expect(S(c.text), kStop, IDOK);
        Run(ID_CONTROLLER_WRITE);
        EXPECT_EQ(c.operations, Operations()) << c.what;
        EXPECT_TRUE(dialogs.modelessShown.empty()) << c.what;
        ExpectCleanEnd(dialogs, c.what);
        EXPECT_TRUE(Sim().ProgramText().isEmpty()) << c.what;
    }
}

TEST_F(ControllerCommandsTest, AConversionErrorShowsTheSymbolAtFault)
{
    for (UINT command : {ID_CONTROLLER_WRITE, ID_CONTROLLER_VERIFY}) {
        Fresh();
        DrawProgram(1);
        CHOXSymbol* alone = DrawAlone();
        MonitorFrame()->MDIActivate();
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(command == ID_CONTROLLER_WRITE
                            ? S("ERROR : At least one symbol is not connected.\nCannot Write to DA-ZU")
                            : S("ERROR : At least one symbol is not connected.Verify is failed"),
                        kStop, IDOK);
        Run(command);
        CHOXView* view = FirstChart()->GetView();
        ASSERT_EQ(1u, view->GetSelectionCount()) << command;
        EXPECT_EQ(alone, view->GetSelection().front()) << command;
        EXPECT_EQ(S("Flow Chart1"), ActiveTitle()) << command;
    }
}

TEST_F(ControllerCommandsTest, ProhibitedWritingIsATimedNoticeAndNothingMore)
{
    const struct {
        const char* what;
        UINT command;
        const char* question;
    } cases[] = {
        {"write", ID_CONTROLLER_WRITE, kAskWrite},
        {"initialise", ID_CONTROLLER_INITIALIZE, kAskInitialize},
    };
    for (const auto& c : cases) {
        Fresh();
        DrawProgram(2);
        Doc()->SetModifiedFlag(false);
        Sim().SetSwitch(CSimController::WritePermitted, false);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(c.question), kQuestion, IDYES);
        dialogs.Expect(2083, [](DialogDriver& d) {
            EXPECT_EQ(S("Program Writing is Prohibited"), d.Text(8273));
            EXPECT_TRUE(IsArrow());
            d.FireTimer(CHOXTimedMessageDlg::kTimerId);
        });
        Run(c.command);
        EXPECT_EQ(QStringList({S("GetKZQWType"), S("Status")}), Operations()) << c.what;
        ExpectCleanEnd(dialogs, c.what);
    }
}

TEST_F(ControllerCommandsTest, DecliningEndsAWriteOrVerifySilently)
{
    const struct {
        const char* what;
        UINT command;
        std::function<void()> arrange;
        const char* question; // answered No
        UINT style;
    } cases[] = {
        {"the write question", ID_CONTROLLER_WRITE, [this] { DrawProgram(2); }, kAskWrite, kQuestion},
        {"the question without program", ID_CONTROLLER_WRITE, [this] { EmptyFirstChart(); }, kAskParametersOnly,
         kQuestion},
        {"a conversion warning of a write", ID_CONTROLLER_WRITE, [this] { DrawProgram(2, S("D4000")); }, nullptr, 0},
        {"a conversion warning of a verify", ID_CONTROLLER_VERIFY, [this] { DrawProgram(2, S("D4000")); }, nullptr, 0},
    };
    const QString warning = S("WARNING : At least one symbol uses an invalid file register value .\nPlease set the "
                              "number of file registers in the system parameters.\nDo you want to continue ?");
    for (const auto& c : cases) {
        Fresh();
        c.arrange();
        Doc()->SetModifiedFlag(false);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        if (c.question != nullptr)
            messages.Expect(S(c.question), c.style, IDNO);
        else
            messages.Expect(warning, MB_YESNO | MB_ICONEXCLAMATION, IDNO);
        Run(c.command);
        EXPECT_EQ(QStringList{S("GetKZQWType")}, Operations()) << c.what;
        ExpectCleanEnd(dialogs, c.what);
    }
}

TEST_F(ControllerCommandsTest, SaveSelectGoesOnOnlyAfterASaveOrWithoutOne)
{
    const struct {
        const char* what;
        int next; // the button after the failed save
        bool written;
    } cases[] = {
        {"write without saving", CHOXSaveSelectDlg::kWithoutSaving, true},
        {"cancel", IDCANCEL, false},
    };
    for (const auto& c : cases) {
        Fresh();
        DrawProgram(2);
        ScriptedDialogs dialogs;
        ScriptedFiles files;
        ScriptedMessages messages;
        files.Expect(QString()); // the save is cancelled: it fails
        dialogs.Expect(4082, [&](DialogDriver& d) {
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended()) << c.what;
            EXPECT_TRUE(IsArrow());
            d.Click(c.next);
        });
        if (c.written) messages.Expect(S(kWritten), kInformation, IDOK);
        Run(ID_CONTROLLER_WRITE);
        EXPECT_TRUE(Doc()->IsModified()) << c.what;
        EXPECT_EQ(c.written, !Sim().ProgramText().isEmpty()) << c.what;
        if (c.written) {
            EXPECT_TRUE(Sim().FileName().isEmpty()) << c.what;
        } else {
            EXPECT_EQ(QStringList{S("GetKZQWType")}, Operations()) << c.what;
        }
        ExpectCleanEnd(dialogs, c.what);
    }
}

TEST_F(ControllerCommandsTest, AnOpenFailureIsReportedByEachCommand)
{
    const struct {
        UINT command;
        const char* question; // answered Yes
        const char* text;
    } cases[] = {
        {ID_CONTROLLER_WRITE, nullptr, kOpenFailed},
        {ID_CONTROLLER_VERIFY, nullptr, "Erron opening in the communication portVerify is failed"},
        {ID_CONTROLLER_DIAGNOSIS, nullptr, "ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."},
        {ID_CONTROLLER_INITIALIZE, kAskInitialize,
         "Erron opening in the communication portERROR : Can not Initialize the DA-ZU Contents."},
    };
    Fresh();
    DrawProgram(2);
    Doc()->SetModifiedFlag(false);
    // COM2 leads nowhere until the settings map it.
    Main()->SetComPort(S("COM2"));
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        if (c.question != nullptr) messages.Expect(S(c.question), kQuestion, IDYES);
        messages.Expect(S(c.text), kStop, IDOK);
        Run(c.command);
        EXPECT_TRUE(Operations().isEmpty()) << c.command;
        ExpectCleanEnd(dialogs, std::to_string(c.command));
    }
}

// A port leading nowhere, a device that is not there, one that will not
// open as a serial line and line settings out of range: each command keeps
// its own words and the detail says where the port leads, the system's
// reason, and which settings decide it.
TEST_F(ControllerCommandsTest, AnOpenFailureNamesThePortWhereItLeadsAndWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(S("ttyMissing"));
    const QString plainFile = dir.filePath(S("not-a-line"));
    {
        QFile file(plainFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    CCommPortSettings slow;
    slow.m_device = plainFile;
    slow.m_speed = 10;
    const struct {
        const char* what;
        const char* port;
        QString device; // empty: no entry
        CCommPortSettings line;
        QString leads;
        bool reason; // the system gives its own words
    } cases[] = {
        {"nowhere", "COM2", QString(), {}, S("Port COM2 leads nowhere"), false},
        {"a missing device", "COM3", missing, {}, S("Port COM3 leads to the device ") + missing, true},
        {"a file that is no serial line", "COM4", plainFile, {}, S("Port COM4 leads to the device ") + plainFile, true},
        {"line settings out of range", "COM4", plainFile, slow, S("speed 10 bit/s (50 to 4000000)"), false},
    };
    Fresh();
    DrawProgram(2);
    Doc()->SetModifiedFlag(false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CCommPortSettings settings = c.line;
        settings.m_device = c.device;
        CCommPortSettings::Write(S(c.port), settings);
        Main()->SetComPort(S(c.port));
        for (const auto& [command, text] : {std::pair{ID_CONTROLLER_WRITE, S(kOpenFailed)},
                                            std::pair{ID_CONTROLLER_DIAGNOSIS,
                                                      S("ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel.")}}) {
            ScriptedDialogs dialogs;
            ScriptedMessages messages;
            messages.Expect(text, kStop, IDOK);
            Run(command);
            ExpectCleanEnd(dialogs, c.what);
            ASSERT_EQ(messages.seen.size(), 1u);
            const QString detail = messages.seen[0].detail;
            EXPECT_TRUE(detail.contains(c.leads)) << detail.toStdString();
            EXPECT_EQ(detail.contains(S("The system's reason: ")), c.reason) << detail.toStdString();
            EXPECT_TRUE(detail.contains(S("[Ports]"))) << detail.toStdString();
            EXPECT_TRUE(detail.contains(S(c.port) + S("\\Device"))) << detail.toStdString();
            // The detail is the program's own: no text of the messages in it.
            EXPECT_FALSE(detail.contains(text)) << detail.toStdString();
        }
    }
    EXPECT_TRUE(Operations().isEmpty());
}

// ---------------------------------------------------------------------------
// Faults during a write

TEST_F(ControllerCommandsTest, EachFaultDuringAWriteShowsItsTextAndLeavesNoHalfProgram)
{
    const struct {
        const char* what;
        CSimFault fault;
        const char* text;
        // The controller holds the new program whole (it took the last block
        // and only the reply went wrong, or only the sum failed); else the
        // old one.
        bool programWritten;
    } cases[] = {
        {"X's common block", Refuse(commproto::WriteParams, 0), kRejected, false},
        {"X's first axis block", Refuse(commproto::WriteParams, 1), kRejected, false},
        {"X's second axis block", Refuse(commproto::WriteParams, 2), kRejected, false},
        {"Y's first axis block", Refuse(commproto::WriteParams, 3), kRejected, false},
        {"Y's second axis block", Refuse(commproto::WriteParams, 4), kRejected, false},
        {"a parameter block without reply", Fault(CSimFault::NoReply, commproto::WriteParams, 0, 2),
         "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU.", false},
        {"the program text refused", Fault(CSimFault::ForcedResult, commproto::WriteProgramBegin, -1),
         "Writing program is not successful, Unable to Write", false},
        {"another memory size", Fault(CSimFault::ForcedResult, commproto::WriteProgramBegin, 0x601),
         "Memory size Mismatch", false},
        {"the line cut in the second block", Fault(CSimFault::Cut, commproto::WriteProgramBlock, 3, 1),
         "ERROR :  Receiving operation is failed.", false},
        {"a damaged reply to the last block", Fault(CSimFault::BadChecksum, commproto::WriteProgramEnd),
         "ERROR :  Receiving operation is failed (Sum error).", true},
        {"a line error", Fault(CSimFault::ForcedResult, commproto::WriteProgramBlock, 770), "ERROR :  Parity Error.",
         false},
        {"the sum refused", Refuse(commproto::CreateSum), "Unable to write", true},
    };
    const QByteArray old = "OX0;\ncod04(TIM) K5;\nm02(END);\n";
    for (const auto& c : cases) {
        Fresh();
        DrawProgram(60);
        SetParam(31, 17);
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(Sim().StoreProgram(old));
        Faults().Add(c.fault);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(kAskWrite), kQuestion, IDYES).Expect(S(c.text), kStop, IDOK);
        Run(ID_CONTROLLER_WRITE);
        ExpectCleanEnd(dialogs, c.what);
        EXPECT_EQ(std::vector<UINT>{CHOXProgressMsgDlg::kTemplate}, dialogs.modelessShown) << c.what;
        EXPECT_FALSE(Sim().ChecksumFlag()) << c.what;
        EXPECT_EQ(c.programWritten ? DocumentProgram() : old, Sim().ProgramText()) << c.what;
        EXPECT_EQ(17, Param(31)) << c.what << ": the document keeps its notation";
        // A parameter block that failed stops the write before the program.
        if (c.fault.m_command == commproto::WriteParams) {
            EXPECT_TRUE(Sim().Log().Of(S("WriteProgramBegin")).empty()) << c.what;
        }
        Faults().Clear();
    }
}

// ---------------------------------------------------------------------------
// Verify

TEST_F(ControllerCommandsTest, EveryWayAVerifyFailsSaysWhy)
{
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* text;   // before "Verify is failed"
        const char* detail; // what the message's detail names ("": none)
    } cases[] = {
        {"no answer to the type", [] { Faults().Add(Refuse(commproto::GetKZQWType)); }, kNotResponding,
         "Port COM1 leads to the simulated controller"},
        {"a conversion error", [this] { DrawAlone(); }, "ERROR : At least one symbol is not connected.", ""},
        {"the program unread", [] { Faults().Add(Refuse(commproto::ReadProgramBegin)); }, "", "Port COM1"},
        {"another program", [] { Sim().SetReadBack(CSimController::SetText, "OX0;\nm02(END);\n"); }, "",
         "controller, line 2: M02(END);"},
        {"X's first axis block unread", [] { Faults().Add(Refuse(commproto::ReadParams, 0)); }, kRejected,
         "Port COM1"},
        {"X's second axis block unread", [] { Faults().Add(Refuse(commproto::ReadParams, 1)); }, kRejected,
         "Port COM1"},
        {"the common block unread", [] { Faults().Add(Refuse(commproto::ReadParams, 2)); }, kRejected, "Port COM1"},
        {"Y's first axis block unread", [] { Faults().Add(Refuse(commproto::ReadParams, 3)); }, kRejected,
         "Port COM1"},
        {"Y's second axis block unread", [] { Faults().Add(Refuse(commproto::ReadParams, 4)); }, kRejected,
         "Port COM1"},
        {"a value of X", [this] { SetParam(25, 1, 0); }, "", "Parameter 25 of the X axis differs: controller "},
        {"an I/O number of Y", [this] { SetParam(54, 1, 1); }, "", "Parameter 54 of the Y axis differs"},
        {"a common value", [this] { SetParam(110, 1); }, "", "Parameter 110 differs"},
    };
    for (const auto& c : cases) {
        Fresh();
        DrawProgram(3);
        SetParam(105, 17);
        WriteUnmodified();
        c.arrange();
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(c.text) + S(kVerifyFailed), kStop, IDOK);
        Run(ID_CONTROLLER_VERIFY);
        ExpectCleanEnd(dialogs, c.what);
        ASSERT_EQ(messages.seen.size(), 1u) << c.what;
        const QString detail = messages.seen[0].detail;
        if (*c.detail == 0) {
            EXPECT_TRUE(detail.isEmpty()) << c.what << ": " << detail.toStdString();
        } else {
            EXPECT_TRUE(detail.contains(S(c.detail))) << c.what << ": " << detail.toStdString();
        }
        EXPECT_EQ(17, Param(105)) << c.what << ": the document keeps its notation";
        Faults().Clear();
    }
}

TEST_F(ControllerCommandsTest, TheLastValueOfEachBlockIsNotCompared)
{
    for (const auto& [number, axis] : {std::pair{26u, 0}, {56u, 0}, {26u, 1}, {56u, 1}, {111u, 0}}) {
        Fresh();
        DrawProgram(1);
        WriteUnmodified();
        SetParam(number, 5, axis);
        ScriptedMessages messages;
        messages.Expect(S(kIdentical), kInformation, IDOK);
        Run(ID_CONTROLLER_VERIFY);
        // Every block was read.
        EXPECT_EQ(5u, Sim().Log().Of(S("ReadParams")).size()) << number;
    }
}

// ---------------------------------------------------------------------------
// Diagnosis and initialisation

TEST_F(ControllerCommandsTest, ADiagnosisThatFailsShowsTheCodesWords)
{
    Fresh();
    Faults().Add(Fault(CSimFault::NoReply, commproto::Diagnosis));
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    messages.Expect(S("ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU."), kStop,
                    IDOK);
    Run(ID_CONTROLLER_DIAGNOSIS);
    ExpectCleanEnd(dialogs, "diagnosis");
}

TEST_F(ControllerCommandsTest, EveryWayAnInitialisationFailsSaysWhy)
{
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* text; // before the closing line
        QStringList operations;
    } cases[] = {
        {"no answer to the type", [] { Faults().Add(Refuse(commproto::GetKZQWType)); }, kNotResponding, {}},
        {"no answer to the status", [] { Faults().Add(Refuse(commproto::Status)); }, "", {S("GetKZQWType")}},
        {"auto mode", [] { Sim().SetSwitch(CSimController::Auto, true); }, "", {S("GetKZQWType"), S("Status")}},
        {"the controller refuses",
         [] { Faults().Add(Refuse(commproto::InitiateKZQW)); },
         "",
         {S("GetKZQWType"), S("Status")}},
    };
    for (const auto& c : cases) {
        Fresh();
        c.arrange();
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(kAskInitialize), kQuestion, IDYES).Expect(S(c.text) + S(kCannotInitialize), kStop, IDOK);
        Run(ID_CONTROLLER_INITIALIZE);
        EXPECT_EQ(c.operations, Operations()) << c.what;
        ExpectCleanEnd(dialogs, c.what);
        Faults().Clear();
    }
    // Declined: not even the port is opened.
    Fresh();
    ScriptedMessages messages;
    messages.Expect(S(kAskInitialize), kQuestion, IDNO);
    Run(ID_CONTROLLER_INITIALIZE);
    EXPECT_TRUE(Operations().isEmpty());
}
