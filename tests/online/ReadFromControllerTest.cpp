// KZ-QW > Read from DA-ZU against the simulated controller inside the
// program, through the dialog layer with scripted messages, dialogs and file
// dialogs: the empty controller, the matching file, "Select File" in each of
// its cases, the rebuilt document, the controller type, every failure, and
// controller file names that must not lead outside the document directory.
#include "online/ControllerFixture.h"

#include "app/HOXRegistry.h"
#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "online/HOXSelFileDlg.h"
#include "online/comm/CommMan.h"
#include "online/comm/CommProtocol.h"
#include "online/sim/SimFault.h"
#include "online/sim/SimProcess.h"
#include "platform/FileDialog.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Screenshot.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <string>
#include <vector>

using kt::test::ControllerFixture;
using kt::test::Fault;
using kt::test::DialogDriver;
using kt::test::kAskWrite;
using kt::test::kInformation;
using kt::test::kQuestion;
using kt::test::kStop;
using kt::test::kWritten;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;
using kt::test::SimProcess;

namespace {

constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

const char* const kNoProgram = "No program present in Da-ZU.";
const char* const kGeneration = "HOX will now start automatic generation of Flow Chart(s) .";
const char* const kReconstructed =
    "The program read from DA-ZU has been reconstructed to make the flow chart(s).\nSome new instructions are "
    "added.The reconstructed program is logically same as the original program read from DA-ZU.\nIf neccessary, "
    "please write the reconstructed program backto DA-ZU\n";
const char* const kCannotProcess = "The selected file cannot be processed.  HOX will now start automatic generation "
                                   "of flow chart .Do you want to proceed ?.\n";

// A program that runs into a pointer label: the rebuild adds a JMP.
const QByteArray kRunsIntoPointer = "Ox1;\ncod04(TIM) K1;\nP5;\ncod04(TIM) K2;\nm02(END);\n";

class ReadFromControllerTest : public ControllerFixture {
protected:
    void SetUp() override
    {
        ControllerFixture::SetUp();
        QDir(m_dir.path()).mkpath(S("docs"));
        CHOXRegistry().WriteString("SerializeFileDir", Docs());
    }

    QString Docs() const { return Path(S("docs")); }
    QString InDocs(const char* name) const { return Path(S("docs/") + S(name)); }

    // A parameter's value in a new two-axis document.
    static std::int32_t DefaultParam(UINT number)
    {
        CHOXDoc doc;
        doc.SetControllerType(ctype::kTwoAxes);
        doc.GetParam().SetDefaults();
        std::int32_t value = 0;
        doc.GetParam().GetParam(&value, number, 0);
        return value;
    }

    // The program a document converts to.
    static QByteArray ProgramOf(CHOXDoc* doc) { return CHOXProgReader::GenerateDocumentProgram(doc).toLatin1(); }

    // A document of the type with `timers` TIMER symbols saved under the
    // path; its program.
    QByteArray SaveDocument(const QString& path, int type = ctype::kTwoAxes, int timers = 1)
    {
        CloseDocument();
        EXPECT_NE(NewDocumentOfType(type), nullptr);
        if (Doc() == nullptr) return {};
        DrawProgram(timers);
        EXPECT_TRUE(Doc()->OnSaveDocument(path));
        const QByteArray program = ProgramOf(Doc());
        CloseDocument();
        return program;
    }

    void CloseDocument()
    {
        if (Doc() == nullptr) return;
        Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(m_app->CloseOpenDocument());
    }

    // Works on the controller through a link of its own, as another
    // program would; the log starts afresh.
    static void OnController(const std::function<void(CCommMan&)>& job)
    {
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(S("COM1")));
        job(comm);
        comm.mfi_Close();
        Sim().Log().Clear();
    }
    // The controller holds the program under the name, as a write leaves
    // them.
    static void Hold(const QByteArray& program, const QString& name)
    {
        if (!program.isEmpty()) {
            ASSERT_TRUE(Sim().StoreProgram(program));
        }
        OnController([&](CCommMan& comm) { EXPECT_EQ(0, comm.mfi_SetFileName(name)); });
    }
    // One value of a parameter block on the controller (plain I/O numbers).
    static void SetBlockValue(int block, int axis, int index, std::int32_t value)
    {
        std::vector<std::int32_t> values = Sim().Block(block, axis);
        values.at(static_cast<std::size_t>(index)) = value;
        OnController([&](CCommMan& comm) { EXPECT_EQ(0, comm.mfi_WriteParams(block, axis, values.data())); });
    }

    static void Read() { Run(ID_CONTROLLER_READ); }

    // No port stays taken: another port name leads to the simulator's line.
    static bool LineIsFree()
    {
        CCommPortSettings com4;
        com4.m_device = S("sim");
        com4.m_timeoutMs = kTimeoutMs;
        CCommPortSettings::Write(S("COM4"), com4);
        CCommMan comm;
        const bool free = comm.mfi_Open(S("COM4")) == 0;
        if (free) comm.mfi_Close();
        return free;
    }

    // Each read ends with the arrow, without its progress window and its
    // port; the progress window stood while it ran.
    static void ExpectEnd(const ScriptedDialogs& dialogs, const std::string& what, bool progressShown = true)
    {
        ExpectCleanEnd(dialogs, what);
        EXPECT_EQ(progressShown ? std::vector<UINT>{CHOXProgressMsgDlg::kTemplate} : std::vector<UINT>{},
                  dialogs.modelessShown)
            << what;
        EXPECT_TRUE(LineIsFree()) << what;
    }

    // A rebuilt document: its charts convert back into the program read, and
    // its next save writes a new file.
    void ExpectRebuilt(const QByteArray& program, const QString& path, const std::string& what)
    {
        ASSERT_NE(Doc(), nullptr) << what;
        EXPECT_EQ(Doc()->GetPathName(), path) << what;
        EXPECT_EQ(CHOXProgReader::StripBlanks(QString::fromLatin1(ProgramOf(Doc()))),
                  CHOXProgReader::StripBlanks(QString::fromLatin1(program)))
            << what;
        EXPECT_TRUE(Doc()->IsSaveAsNew()) << what;
        EXPECT_FALSE(Doc()->GetWindowNameList().isEmpty()) << what;
    }

    // "Select File" of the case, its lines checked, and what the script does
    // then.
    static void ExpectSelectFile(ScriptedDialogs& dialogs, int state, const QString& name,
                                 std::function<void(DialogDriver&)> then)
    {
        dialogs.Expect(CHOXSelFileDlg::kTemplate, [state, name, then](DialogDriver& d) {
            const QString upper = name.toUpper();
            EXPECT_EQ(S("Select File"), d.Caption());
            EXPECT_EQ(S("-No valid hox file name found in the contents of DA-ZU"), d.Text(CHOXSelFileDlg::kNoNameLine));
            EXPECT_EQ(S("-") + upper + S(" File is not found in the current directory."),
                      d.Text(CHOXSelFileDlg::kNotFoundLine));
            EXPECT_EQ(S("-The contents of DA-ZU and the file named-") + upper + S(" are not matching.\n"),
                      d.Text(CHOXSelFileDlg::kMismatchLine));
            EXPECT_EQ(state == 0, d.Enabled(CHOXSelFileDlg::kNoNameLine));
            EXPECT_EQ(state == 1, d.Enabled(CHOXSelFileDlg::kNotFoundLine));
            EXPECT_EQ(state == 2, d.Enabled(CHOXSelFileDlg::kMismatchLine));
            EXPECT_TRUE(IsArrow());
            then(d);
        });
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The empty controller

TEST_F(ReadFromControllerTest, AnEmptyControllerGivesANewDocumentWithItsParameters)
{
    for (const int model : {0, 1}) {
        SCOPED_TRACE(model);
        CloseDocument();
        Host().Reset();
        Host().Server().SetPacing(false);
        Sim().SetModel(model);
        // X's DSW head input X17 (plain 15), and on two axes Y's M-code
        // output Y17 and a speed of Y.
        SetBlockValue(CHOXParam::blockAxisB, 0, 1, 15);
        if (model == 1) {
            SetBlockValue(CHOXParam::blockAxisB, 1, 7, 15);
            SetBlockValue(CHOXParam::blockAxisA, 1, 4, 123456);
        }
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(kNoProgram), kInformation, IDOK, [&] {
            EXPECT_TRUE(IsArrow());
            ASSERT_NE(dialogs.Modeless(CHOXProgressMsgDlg::kTemplate), nullptr);
            EXPECT_EQ(S("Reading is in progress..."),
                      dialogs.Modeless(CHOXProgressMsgDlg::kTemplate)->Text(CHOXProgressMsgDlg::kMessage));
        });
        Read();
        ExpectEnd(dialogs, "empty");

        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(model, Doc()->GetControllerType());
        EXPECT_EQ(InDocs("Untitled.hox"), Doc()->GetPathName());
        EXPECT_EQ(S("RQT4P-VEDID-E - Untitled.hox"), MainTitle());
        EXPECT_TRUE(Doc()->GetWindowNameList().isEmpty());
        EXPECT_FALSE(Doc()->IsModified());
        // The document keeps I/O numbers in octal digits.
        EXPECT_EQ(17, Param(31, 0));
        QStringList expected{S("GetKZQWType"), S("GetFileName"), S("ReadProgramBegin")};
        for (int i = 0; i < (model == 0 ? 3 : 5); ++i) expected << S("ReadParams");
        EXPECT_EQ(expected, Operations());
        if (model == 1) {
            EXPECT_EQ(17, Param(37, 1));
            EXPECT_EQ(123456, Param(4, 1));
        }
    }
}

TEST_F(ReadFromControllerTest, SavingTheReadDocumentNeverReplacesAFileItDidNotComeFrom)
{
    // A document of the user's already bears the untitled name.
    const QString untitled = InDocs("Untitled.hox");
    SaveDocument(untitled);
    QFile before(untitled);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();

    Host().Reset();
    Host().Server().SetPacing(false);
    {
        ScriptedMessages messages;
        messages.Expect(S(kNoProgram), kInformation, IDOK);
        Read();
    }
    ASSERT_NE(Doc(), nullptr);
    ASSERT_EQ(untitled, Doc()->GetPathName());
    Doc()->SetModifiedFlag(true);
    {
        // File Save asks where to save, proposing the name; cancelled, the
        // user's file keeps its bytes.
        ScriptedFiles files;
        files.Expect(QString(), [&](const FileDialogRequest& request) {
            EXPECT_TRUE(request.save);
            EXPECT_TRUE(request.confirmOverwrite);
            EXPECT_EQ(untitled, request.initialName);
        });
        Run(ID_FILE_SAVE);
    }
    QFile after(untitled);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes, after.readAll());
    EXPECT_TRUE(Doc()->IsModified());
    {
        // Saved under a name of its own, the next Save writes there at once.
        const QString own = InDocs("read.hox");
        ScriptedFiles files;
        files.Expect(own);
        Run(ID_FILE_SAVE);
        ASSERT_EQ(own, Doc()->GetPathName());
        Doc()->SetModifiedFlag(true);
        Run(ID_FILE_SAVE);
        EXPECT_FALSE(Doc()->IsModified());
    }
}

TEST_F(ReadFromControllerTest, AnOpenDocumentIsAskedAboutFirst)
{
    ASSERT_NE(NewDocumentOfType(ctype::kTwoAxes), nullptr);
    CHOXDoc* open = Doc();
    open->SetModifiedFlag(true);
    {
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDCANCEL);
        Read();
        EXPECT_EQ(open, Doc());
        EXPECT_TRUE(open->IsModified());
        EXPECT_TRUE(Operations().isEmpty());
        EXPECT_TRUE(dialogs.modelessShown.empty());
    }
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    messages.Expect(S("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDNO).Expect(S(kNoProgram), kInformation, IDOK);
    Read();
    ExpectEnd(dialogs, "after the question");
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Doc()->GetWindowNameList().isEmpty());
}

// ---------------------------------------------------------------------------
// The file the controller names

TEST_F(ReadFromControllerTest, TheMatchingFileOpensWhateverTheCaseOfItsName)
{
    const QByteArray program = SaveDocument(InDocs("Press.HOX"), ctype::kTwoAxes, 2);
    Hold(program, S("press.hox"));
    for (const bool changed : {false, true}) {
        SCOPED_TRACE(changed);
        CloseDocument();
        if (changed) SetBlockValue(CHOXParam::blockAxisA, 0, 4, 4321);
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        Read();
        ExpectEnd(dialogs, "matching");
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(InDocs("Press.HOX"), Doc()->GetPathName());
        EXPECT_NE(Doc()->FindWindowByName(S("Flow Chart1")), nullptr);
        EXPECT_FALSE(Doc()->IsSaveAsNew());
        // The controller's parameters are the document's now: a change is
        // one to save.
        EXPECT_EQ(changed, Doc()->IsModified());
        EXPECT_EQ(changed ? 4321 : DefaultParam(4), Param(4, 0));
        EXPECT_EQ(S("RQT4P-VEDID-E - Press.HOX"), MainTitle());
    }
}

TEST_F(ReadFromControllerTest, OfNamesDifferingInCaseTheExactOneWinsElseTheFirstSorted)
{
    const QByteArray p = SaveDocument(InDocs("press.hox"), ctype::kTwoAxes, 1);
    const QByteArray q = SaveDocument(InDocs("PRESS.HOX"), ctype::kTwoAxes, 2);
    ASSERT_NE(p, q);
    const struct {
        bool exactThere;
        const QByteArray& program;
        const char* taken; // null: "Select File", found and not matching
    } rows[] = {
        {true, p, "press.hox"},
        {true, q, nullptr},
        {false, q, "PRESS.HOX"},
        {false, p, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.exactThere ? "exact " : "") + (row.taken ? row.taken : "none"));
        CloseDocument();
        if (!row.exactThere && QFile::exists(InDocs("press.hox"))) {
            ASSERT_TRUE(QFile::rename(InDocs("press.hox"), InDocs("Press.hox")));
        }
        Host().Reset();
        Host().Server().SetPacing(false);
        Hold(row.program, S("press.hox"));
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        if (row.taken == nullptr)
            ExpectSelectFile(dialogs, 2, S("press.hox"), [](DialogDriver& d) { d.Click(IDCANCEL); });
        Read();
        ExpectEnd(dialogs, "case");
        ASSERT_NE(Doc(), nullptr);
        if (row.taken != nullptr) {
            EXPECT_EQ(InDocs(row.taken), Doc()->GetPathName());
        } else {
            ExpectRebuilt(row.program, InDocs("Untitled.hox"), "rebuilt");
        }
    }
}

TEST_F(ReadFromControllerTest, SelectFileInEachCase)
{
    const QByteArray program = SaveDocument(InDocs("other.hox"), ctype::kTwoAxes, 3);
    const QByteArray different = SaveDocument(InDocs("press.hox"), ctype::kTwoAxes, 1);
    QFile notes(InDocs("notes.hox"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("plain text, not a document");
    notes.close();

    const auto choose = [](const QString& path) {
        return [path](DialogDriver& d) {
            ScriptedFiles files;
            // A cancelled file dialog leaves "Select File" open.
            files.Expect(QString()).Expect(path);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Click(IDOK);
        };
    };
    const auto notApply = [](DialogDriver& d) { d.Click(IDCANCEL); };
    const struct {
        const char* what;
        const char* name; // on the controller
        int state;
        std::function<void(DialogDriver&)> script;
        // What follows "Select File": messages (text, style, answer).
        std::vector<std::tuple<QString, UINT, int>> messages;
        const char* taken; // the file taken, else rebuilt under `path`
        const char* path;  // null: no document
    } rows[] = {
        {"no name, not applied", "", 0, notApply, {}, nullptr, "Untitled.hox"},
        {"not found, not applied", "line.hox", 1, notApply, {}, nullptr, "line.hox"},
        {"the rejected file again",
         "press.hox",
         2,
         choose(InDocs("press.hox")),
         {{S("Cannot Open - press.hox. ") + S(kGeneration), kWarning, IDOK}},
         nullptr,
         "Untitled.hox"},
        {"another matching file", "press.hox", 2, choose(InDocs("other.hox")), {}, "other.hox", nullptr},
        {"a matching file for a name not found", "line.hox", 1, choose(InDocs("other.hox")), {}, "other.hox", nullptr},
        {"a file that does not match",
         "line.hox",
         1,
         choose(InDocs("press.hox")),
         {{S("The contents of DA-ZU and the file named-PRESS.HOX are not matching.\n") + S(kGeneration), kWarning,
           IDOK}},
         nullptr,
         "line.hox"},
        {"a file that cannot be opened, go on",
         "",
         0,
         choose(InDocs("notes.hox")),
         {{S("Unexpected file format."), kWarning, IDOK}, {S(kCannotProcess), kQuestion, IDYES}},
         nullptr,
         "Untitled.hox"},
        {"a file that cannot be opened, stop",
         "",
         0,
         choose(InDocs("notes.hox")),
         {{S("Unexpected file format."), kWarning, IDOK}, {S(kCannotProcess), kQuestion, IDNO}},
         nullptr,
         nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CloseDocument();
        Host().Reset();
        Host().Server().SetPacing(false);
        Hold(program, S(row.name));
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        ExpectSelectFile(dialogs, row.state, S(row.name), row.script);
        for (const auto& [text, style, answer] : row.messages)
            messages.Expect(text, style, answer, [] { EXPECT_TRUE(IsArrow()); });
        Read();
        ExpectEnd(dialogs, row.what);
        if (row.taken != nullptr) {
            ASSERT_NE(Doc(), nullptr);
            EXPECT_EQ(InDocs(row.taken), Doc()->GetPathName());
            EXPECT_FALSE(Doc()->IsSaveAsNew());
        } else if (row.path != nullptr) {
            ExpectRebuilt(program, InDocs(row.path), row.what);
        } else {
            EXPECT_EQ(Doc(), nullptr);
            // The parameters were never asked for.
            EXPECT_TRUE(Sim().Log().Of(S("ReadParams")).empty());
        }
    }
}

TEST_F(ReadFromControllerTest, AddedJumpsAreToldAndTheRebuiltDocumentIsSavedAsNew)
{
    Hold(kRunsIntoPointer, S("line.hox"));
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    ExpectSelectFile(dialogs, 1, S("line.hox"), [](DialogDriver& d) {
        kt::test::SaveScreenshot(d.Site().Window(), "select-file.png");
        d.Click(IDCANCEL);
    });
    messages.Expect(S(kReconstructed), kInformation, IDOK);
    Read();
    ExpectEnd(dialogs, "added jump");
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(InDocs("line.hox"), Doc()->GetPathName());
    EXPECT_EQ(S("RQT4P-VEDID-E - line.hox"), MainTitle());
    EXPECT_TRUE(Doc()->IsSaveAsNew());
    EXPECT_EQ(S("Ox1;cod04(TIM)K1;JMP(FNC04)P5;P5;cod04(TIM)K2;m02(END);"),
              CHOXProgReader::StripBlanks(QString::fromLatin1(ProgramOf(Doc()))).remove(u'\n'));
}

TEST_F(ReadFromControllerTest, AProgramTheControllerListsIsRebuiltWithoutItsFillers)
{
    const QByteArray program = "Ox1;\ncod04(TIM) K1;\nm02(END);\nOy2;\ncod04(TIM) K2;\nm02(END);\n";
    Hold(program, S("line.hox"));
    // Upper case, blanks, NOPs after each end and a closing END.
    Sim().SetReadBack(CSimController::Listing);
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    ExpectSelectFile(dialogs, 1, S("line.hox"), [](DialogDriver& d) { d.Click(IDCANCEL); });
    Read();
    ExpectEnd(dialogs, "listing");
    ExpectRebuilt(program, InDocs("line.hox"), "listing");
    EXPECT_EQ(2, Doc()->GetWindowNameList().size());
}

// ---------------------------------------------------------------------------
// The controller type

TEST_F(ReadFromControllerTest, LabelsWithoutAxisLetterMakeTheInterpolatingTypeAndTypesMustAgree)
{
    const QByteArray oneAxis = SaveDocument(InDocs("one.hox"), ctype::kOneAxis, 1);
    const QByteArray twoAxes = SaveDocument(InDocs("two.hox"), ctype::kTwoAxes, 1);
    const QByteArray together = SaveDocument(InDocs("together.hox"), ctype::kInterpolated, 1);
    // The one-axis and the two-axis document write the same text; the
    // interpolating one names no axis.
    ASSERT_EQ(oneAxis, twoAxes);
    ASSERT_TRUE(together.startsWith("O0;")) << together.constData();
    const struct {
        int model;
        const QByteArray& program;
        const char* name;
        int type;          // the document's at the end
        const char* taken; // null: rebuilt
    } rows[] = {
        {1, together, "together.hox", ctype::kInterpolated, "together.hox"},
        {1, twoAxes, "two.hox", ctype::kTwoAxes, "two.hox"},
        {0, oneAxis, "one.hox", ctype::kOneAxis, "one.hox"},
        // The same text in a document of another type: not this
        // controller's.
        {1, oneAxis, "one.hox", ctype::kTwoAxes, nullptr},
        {0, twoAxes, "two.hox", ctype::kOneAxis, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " on model " + std::to_string(row.model));
        CloseDocument();
        Host().Reset();
        Host().Server().SetPacing(false);
        Sim().SetModel(row.model);
        Hold(row.program, S(row.name));
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        if (row.taken == nullptr) ExpectSelectFile(dialogs, 2, S(row.name), [](DialogDriver& d) { d.Click(IDCANCEL); });
        Read();
        ExpectEnd(dialogs, row.name);
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(row.type, Doc()->GetControllerType());
        if (row.taken != nullptr) {
            EXPECT_EQ(InDocs(row.taken), Doc()->GetPathName());
        } else {
            ExpectRebuilt(row.program, InDocs("Untitled.hox"), row.name);
        }
    }
}

// ---------------------------------------------------------------------------
// Failures

TEST_F(ReadFromControllerTest, EachFailureSaysWhyAndLeavesNoDocumentBeforeTheParameters)
{
    const char* const kRejected = "ERROR :  Controller is rejected.";
    const char* const kNoResponse =
        "ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU.";
    const char* const kReadFailed = "Failed to read the contents from DA-ZU";
    static constexpr const char* kToTheSimulator = "Port COM1 leads to the simulated controller";
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* text;
        bool progress; // shown before the failure
        // The parameter blocks read before it: -1 no document at all.
        int blocksRead;
        // What the detail says of the port; null: no detail (the controller
        // answered, and what it said is the fault).
        const char* port = kToTheSimulator;
    } rows[] = {
        {"the port leads nowhere", [this] { Main()->SetComPort(S("COM2")); }, "Erron opening in the communication port",
         false, -1, "Port COM2 leads nowhere"},
        {"no answer to the type", [] { Sim().SetSwitch(CSimController::Responding, false); },
         "KZQW Device is not responding,Check Connections", false, -1},
        {"the type refused", [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::GetKZQWType, 779)); },
         "KZQW Device is not responding,Check Connections", false, -1},
        {"the file name refused", [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::GetFileName, 779)); },
         "Error in getting file name", true, -1},
        {"the file name damaged", [] { Faults().Add(Fault(CSimFault::LostByte, commproto::GetFileName)); },
         "Error in getting file name", true, -1},
        {"undefined parameters", [] { Sim().SetSwitch(CSimController::ParamsDefined, false); },
         "Undefined system parameter settings were read from DA-ZU.\nRead after initialising DA-ZU.", true, -1, nullptr},
        {"the program without reply", [] { Faults().Add(Fault(CSimFault::NoReply, commproto::ReadProgramBegin)); },
         kReadFailed, true, -1},
        {"the program cut",
         [] {
             ASSERT_TRUE(Sim().StoreProgram("Ox1;\ncod04(TIM) K1;\nm02(END);\n"));
             Faults().Add(Fault(CSimFault::Cut, commproto::ReadProgramBlock, 3));
         },
         kReadFailed, true, -1},
        {"X's first block refused", [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::ReadParams, 779, 0)); },
         kRejected, true, 0},
        {"X's second block refused",
         [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::ReadParams, 779, 1)); }, kRejected, true, 1},
        {"the common block refused",
         [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::ReadParams, 779, 2)); }, kRejected, true, 2},
        {"Y's first block without reply", [] { Faults().Add(Fault(CSimFault::NoReply, commproto::ReadParams, 0, 3)); },
         kNoResponse, true, 3},
        {"Y's second block refused",
         [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::ReadParams, 779, 4)); }, kRejected, true, 4},
        {"a line error in a block", [] { Faults().Add(Fault(CSimFault::ForcedResult, commproto::ReadParams, 771, 1)); },
         "ERROR :  Over run error .", true, 1},
        // An I/O number of X's second block whose octal digits do not fit.
        {"a block the document cannot hold", [] { SetBlockValue(CHOXParam::blockAxisB, 0, 1, INT32_MAX); }, kReadFailed,
         true, 1, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CloseDocument();
        Main()->SetComPort(S("COM1"));
        Host().Reset();
        Host().Server().SetPacing(false);
        // X's first block and the common block differ from the defaults.
        SetBlockValue(CHOXParam::blockAxisA, 0, 4, 4321);
        SetBlockValue(CHOXParam::blockCommon, 0, 1, 700);
        row.arrange();
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(row.text), kStop, IDOK, [&] {
            EXPECT_TRUE(IsArrow());
            EXPECT_EQ(row.progress ? 1u : 0u, dialogs.ModelessOpen());
        });
        Read();
        ExpectEnd(dialogs, row.what, row.progress);
        ASSERT_EQ(1u, messages.seen.size());
        if (row.port == nullptr) {
            EXPECT_TRUE(messages.seen[0].detail.isEmpty()) << messages.seen[0].detail.toStdString();
        } else {
            EXPECT_TRUE(messages.seen[0].detail.contains(S(row.port))) << messages.seen[0].detail.toStdString();
        }
        Faults().Clear();
        Sim().SetSwitch(CSimController::Responding, true);
        if (row.blocksRead < 0) {
            EXPECT_EQ(Doc(), nullptr);
            EXPECT_TRUE(Frames().empty());
            EXPECT_EQ(S("RQT4P-VEDID-E"), MainTitle());
            continue;
        }
        // The parameters read so far stay in the document; the failed block
        // left nothing, and no block after it was asked for.
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(row.blocksRead >= 1 ? 4321 : DefaultParam(4), Param(4, 0));
        EXPECT_EQ(row.blocksRead >= 3 ? 700 : DefaultParam(101), Param(101, 0));
        if (std::string(row.what) == "a block the document cannot hold") {
            EXPECT_EQ(2u, Sim().Log().Of(S("ReadParams")).size());
        }
    }
}

// ---------------------------------------------------------------------------
// The controller's file name

TEST_F(ReadFromControllerTest, ANameThatIsNoPlainFileNameIsNoValidName)
{
    const struct {
        const char* name;
        bool plain;
    } rows[] = {
        {"press.hox", true},
        {".hox", true},
        {"press line.hox", true},
        {"", false},
        {".", false},
        {"..", false},
        {"../press.hox", false},
        {"sub/press.hox", false},
        {"sub\\press.hox", false},
        {"*.hox", false},
        {"pr?ss.hox", false},
        {"[p]ress.hox", false},
        {"pre\tss.hox", false},
        {"press.hox\n", false},
        {"pre\x7Fss.hox", false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.plain, CHOXProgReader::IsPlainFileName(S(row.name))) << row.name;
}

TEST_F(ReadFromControllerTest, UnsafeNamesLeadNowhereOutsideTheDocumentDirectory)
{
    // Matching documents wherever an unsafe name could lead.
    QDir(Docs()).mkpath(S("sub"));
    const QByteArray program = SaveDocument(Path(S("outside.hox")), ctype::kTwoAxes, 2);
    SaveDocument(InDocs("sub/inner.hox"), ctype::kTwoAxes, 2);
    SaveDocument(InDocs("press.hox"), ctype::kTwoAxes, 2);
    ASSERT_TRUE(QFile::copy(InDocs("press.hox"), InDocs("press")));
    const QStringList recent = m_app->GetRecentFiles();
    for (const char* name : {"../outside.hox", "sub/inner.hox", "sub\\inner.hox", "..\\outside.hox", "*.hox",
                             "pr?ss.hox", "[p]ress.hox", "..", "press", "press.txt", "press.hox\t"}) {
        SCOPED_TRACE(name);
        CloseDocument();
        Host().Reset();
        Host().Server().SetPacing(false);
        Hold(program, S(name));
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        ExpectSelectFile(dialogs, 0, S(name), [](DialogDriver& d) { d.Click(IDCANCEL); });
        Read();
        ExpectEnd(dialogs, name);
        ExpectRebuilt(program, InDocs("Untitled.hox"), name);
        EXPECT_EQ(recent, m_app->GetRecentFiles());
    }
}

// ---------------------------------------------------------------------------
// What a write leaves reads back the same, over a pseudo-terminal

TEST_F(ReadFromControllerTest, AWrittenDocumentReadsBackFromTheSimulatorProgram)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({S("--no-pacing")}));
    CCommPortSettings com2;
    com2.m_device = sim.Link();
    CCommPortSettings::Write(S("COM2"), com2);
    Main()->SetComPort(S("COM2"));
    ASSERT_NE(NewDocumentOfType(ctype::kTwoAxes), nullptr);
    PrepareRunDocument();
    ASSERT_TRUE(Doc()->OnSaveDocument(InDocs("Run.hox")));
    const QByteArray program = ProgramOf(Doc());
    {
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        messages.Expect(S(kAskWrite), kQuestion, IDYES).Expect(S(kWritten), kInformation, IDOK);
        Run(ID_CONTROLLER_WRITE);
    }
    CloseDocument();

    // The file is there: it is taken as it stands.
    {
        ScriptedDialogs dialogs;
        ScriptedMessages messages;
        Read();
        ExpectEnd(dialogs, "taken");
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(InDocs("Run.hox"), Doc()->GetPathName());
        EXPECT_FALSE(Doc()->IsModified());
    }
    CloseDocument();
    // Without it, the program and the parameters rebuild the document.
    ASSERT_TRUE(QFile::rename(InDocs("Run.hox"), Path(S("Run.hox"))));
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    ExpectSelectFile(dialogs, 1, S("run.hox"), [](DialogDriver& d) { d.Click(IDCANCEL); });
    Read();
    ExpectEnd(dialogs, "rebuilt");
    ExpectRebuilt(program, InDocs("run.hox"), "rebuilt");
    EXPECT_EQ(17, Param(31, 0));
    EXPECT_EQ(17, Param(37, 1));
    EXPECT_EQ(123456, Param(4, 1));
    // The in-process simulator was never asked.
    EXPECT_TRUE(Operations().isEmpty());
    CloseDocument();
    EXPECT_EQ(0, sim.Quit());
}
