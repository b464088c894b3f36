// The text file of an export: parameter names and columns, whole files to
// the byte, the questions on the way (Save Select, the file dialog, the
// overwrite and create questions), failures that leave the disk as it was,
// and the Export Text command.
#include "convert/ConvertFixture.h"
#include "convert/ExportGolden.h"

#include "app/HOXRegistry.h"
#include "chart/HOXFlowView.h"
#include "convert/HOXExportDlg.h"
#include "params/HOXParam.h"
#include "platform/SafeFile.h"
#include "res/CommandIds.h"
#include "support/MemoryViewHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using kt::test::ConvertFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

QByteArray Crlf(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ExportTest : public ConvertFixture {
public:
    void SetUp() override
    {
        m_oldDir = QDir::currentPath();
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("docs"));
        CHOXRegistry().WriteString("SerializeFileDir", Path(QStringLiteral("docs")));
    }
    void TearDown() override
    {
        safefile::SetWriteLimitForTesting(-1);
        QDir::setCurrent(m_oldDir);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // START -> END in the first chart.
    void SmallProgram()
    {
        Wire(chart, Place<CHOXFlowStart>(chart), 0, Place<CHOXFlowEnd>(chart));
        doc->SetModifiedFlag(false);
    }

    // Converts in listing mode and writes the file; the file dialog answers
    // with the path, whose creation is confirmed.
    bool Export(CHOXExport& exporter)
    {
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        return exporter.GenerateProgram(message, true, &severity, &symbol, false) && exporter.ExportToTextFile();
    }
    static QString CreateQuestion(const QString& path)
    {
        return path + QStringLiteral("\nThis file does not exist.\nDo you want to create it ?");
    }
    static QString OverwriteQuestion(const QString& path)
    {
        return QStringLiteral("File %1 already exits.\n Do you want to overwrite contents ?").arg(path);
    }

    QTemporaryDir dir;

private:
    QString m_oldDir;
};

constexpr UINT kCreateStyle = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kOverwriteStyle = MB_YESNO | MB_DEFBUTTON2;

} // namespace

// ---------------------------------------------------------------------------
// The format

TEST(ExportFormatTest, ParameterNamesAndKinds)
{
    const struct {
        UINT number;
        const char* name;
        int kind;
    } cases[] = {
        {0, "Units", -1},
        {11, "Pulse output format", -1},
        {12, "Rotation direction", -1},
        {18, "Count start timimg", -1},
        {26, "SW lower limit", -1},
        {27, "Spare", -1},
        {29, "Spare", -1},
        {30, "Program Desig", -1},
        {31, "DSW head i/p No.", 0},
        {32, "DSW head o/p No.", 1},
        {35, "RDY o/p No.", 1},
        {37, "Mcode o/p No.", 1},
        {38, "Mcode OFF command No.", 0},
        {42, "Pulser enable i/p", 0},
        {43, "Spare", -1},
        {49, "Spare", -1},
        {51, "ABS i/p", 0},
        {52, "ABS o/p", 1},
        {54, "Single run start", 0},
        {55, "Spare", -1},
        {56, "FWD/RVS/ZRN i/p", -1},
        {57, "Spare", -1},
        {67, "Spare", -1},
        {68, "", -1},
        {99, "", -1},
        {100, "Memory Size", -1},
        {103, "Battery Status o/p", 1},
        {105, "Start Input", 0},
        {109, "Error Output", 1},
        {111, "Single Step Input", 0},
        {112, "Spare", -1},
        {119, "Spare", -1},
        {120, "", -1},
        {0xFFFFFFFFu, "", -1},
    };
    for (const auto& c : cases) {
        int kind = 99;
        EXPECT_EQ(CHOXExport::GetParamName(c.number, &kind).toStdString(), c.name) << c.number;
        EXPECT_EQ(kind, c.kind) << c.number;
    }
}

TEST_F(ExportTest, TheParameterSectionsOfATwoAxisDocument)
{
    CHOXParam& param = doc->GetParam();
    const struct {
        UINT number;
        int axis;
        std::int32_t value;
    } values[] = {{4, 0, 150000}, {4, 1, 90000}, {16, 0, -5000}, {31, 0, 1234},
                  {37, 1, 17},    {101, 0, 500}, {105, 0, 7}};
    for (const auto& v : values) ASSERT_TRUE(param.SetParam(&v.value, v.number, v.axis));
    CHOXExport exporter(doc.get());
    exporter.FormatParameters();
    EXPECT_EQ(exporter.GetParameterText().toStdString(), kt::test::kTwoAxisParameters);
    // The lines the format's description names.
    const QStringList lines = exporter.GetParameterText().split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("100  Memory Size           [0]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("31  DSW head i/p No.              [X234]         [X000]")));
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(u'[')) continue;
        EXPECT_TRUE(line.size() == 30 || line.size() == 55) << line.toStdString();
    }
}

TEST_F(ExportTest, TheParameterSectionsOfAOneAxisDocument)
{
    MakeDocument(0);
    CHOXExport exporter(doc.get());
    exporter.FormatParameters();
    EXPECT_EQ(exporter.GetParameterText().toStdString(), kt::test::kOneAxisParameters);
    for (const QString& line : exporter.GetParameterText().split(u'\n'))
        EXPECT_LE(line.size(), 40) << line.toStdString();
}

TEST_F(ExportTest, ValueTextsLoseTheirLeadingCharactersWhenTheColumnIsFull)
{
    CHOXParam& param = doc->GetParam();
    const std::int32_t big = -2000000000;
    ASSERT_TRUE(param.SetParam(&big, 101, 0)); // "101  File Registers" leaves 11 columns
    ASSERT_TRUE(param.SetParam(&big, 16, 1));  // the Y column's 15 hold any number
    const std::int32_t device = 7777777;
    ASSERT_TRUE(param.SetParam(&device, 103, 0)); // three digits of an I/O number
    CHOXExport exporter(doc.get());
    exporter.FormatParameters();
    const QStringList lines = exporter.GetParameterText().split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("101  File Registers2000000000]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("103  Battery Status o/p [Y777]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("16  Machine zero point addr          [0]  [-2000000000]")));
}

// ---------------------------------------------------------------------------
// Whole files

TEST_F(ExportTest, WholeFilesToTheByte)
{
    const struct {
        const char* what;
        int type;
        bool saved;
        bool program;
    } cases[] = {
        {"two axes, saved, with a program", 1, true, true},
        {"two axes, never saved, without a program", 1, false, false},
        {"one axis, never saved, with a program", 0, false, true},
        {"one axis, saved, without a program", 0, true, false},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.type);
        if (c.type == 1) {
            CHOXParam& param = doc->GetParam();
            const struct {
                UINT number;
                int axis;
                std::int32_t value;
            } values[] = {{4, 0, 150000}, {4, 1, 90000}, {16, 0, -5000}, {31, 0, 1234},
                          {37, 1, 17},    {101, 0, 500}, {105, 0, 7}};
            for (const auto& v : values) ASSERT_TRUE(param.SetParam(&v.value, v.number, v.axis));
        }
        if (c.program) SmallProgram();
        if (c.saved) doc->SetPathName(Path(QStringLiteral("docs/press.hox")), false);
        const QString target = Path(QStringLiteral("out%1.txt").arg(++round));

        ScriptedFiles files;
        files.Expect(target);
        ScriptedMessages messages;
        messages.Expect(CreateQuestion(target), kCreateStyle, IDYES);
        CHOXExport exporter(doc.get());
        if (c.program) {
            ASSERT_TRUE(Export(exporter));
        } else {
            // Without a program only the parameters go (the command asks
            // first, see below).
            QString message;
            int severity = -1;
            CHOXSymbol* symbol = nullptr;
            ASSERT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, true));
            ASSERT_TRUE(exporter.ExportToTextFile());
        }
        QString expected =
            QStringLiteral("[HOX File Name]\n") + (c.saved ? QStringLiteral("press.hox") : QString()) +
            QStringLiteral("\n\n") +
            QString::fromLatin1(c.type == 1 ? kt::test::kTwoAxisParameters : kt::test::kOneAxisParameters);
        if (c.program) expected += QStringLiteral("\n[Program]\n\n   0 0000: Ox0;\n   3 0000: m02(END);\n");
        EXPECT_EQ(ReadAll(target), Crlf(expected));
    }
}

// ---------------------------------------------------------------------------
// The questions on the way

TEST_F(ExportTest, TheFileDialogAsksForATextFileInTheRememberedFolder)
{
    SmallProgram();
    QDir::setCurrent(dir.path());
    ScriptedFiles files;
    files.Expect(QString(), [&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, QStringLiteral("Export Dialog"));
        EXPECT_EQ(r.acceptText, QStringLiteral("Export"));
        EXPECT_EQ(r.directory, Path(QStringLiteral("docs")));
        EXPECT_EQ(r.filters, (QStringList{QStringLiteral("Text files(*.txt)"), QStringLiteral(" All Files(*.*)")}));
        // The dialog's own question is off: the export asks once the name
        // has its extension.
        EXPECT_FALSE(r.confirmOverwrite);
        EXPECT_TRUE(static_cast<bool>(r.acceptName));
    });
    CHOXExport exporter(doc.get());
    EXPECT_FALSE(Export(exporter));
    EXPECT_EQ(QDir(Path(QStringLiteral("docs"))).entryList(QDir::Files), QStringList());
}

TEST_F(ExportTest, ANameWithoutExtensionIsAskedAboutAsTxtAndNoReturnsToTheDialog)
{
    SmallProgram();
    const QString existing = Path(QStringLiteral("docs/name.txt"));
    WriteFile(existing, "old");
    ScriptedFiles files;
    // "name" means name.txt, which exists: No keeps the dialog open; the
    // next name does not exist: No again, then Yes.
    files.ExpectTries(
        {Path(QStringLiteral("docs/name")), Path(QStringLiteral("docs/other")), Path(QStringLiteral("docs/third."))});
    ScriptedMessages messages;
    messages.Expect(OverwriteQuestion(existing), kOverwriteStyle, IDNO)
        .Expect(CreateQuestion(Path(QStringLiteral("docs/other.txt"))), kCreateStyle, IDNO)
        .Expect(CreateQuestion(Path(QStringLiteral("docs/third.txt"))), kCreateStyle, IDYES);
    CHOXExport exporter(doc.get());
    EXPECT_TRUE(Export(exporter));
    EXPECT_EQ(files.refused, (QStringList{Path(QStringLiteral("docs/name")), Path(QStringLiteral("docs/other"))}));
    EXPECT_EQ(ReadAll(existing), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("docs/other.txt"))));
    EXPECT_TRUE(ReadAll(Path(QStringLiteral("docs/third.txt"))).startsWith("[HOX File Name]\r\n"));
}

TEST_F(ExportTest, YesOverwritesAndAnyExtensionIsKept)
{
    SmallProgram();
    const QString existing = Path(QStringLiteral("docs/prog.TXT"));
    WriteFile(existing, "old");
    ScriptedFiles files;
    files.Expect(existing);
    ScriptedMessages messages;
    messages.Expect(OverwriteQuestion(existing), kOverwriteStyle, IDYES);
    CHOXExport exporter(doc.get());
    EXPECT_TRUE(Export(exporter));
    EXPECT_TRUE(ReadAll(existing).endsWith("   3 0000: m02(END);\r\n"));
    EXPECT_EQ(QDir(Path(QStringLiteral("docs"))).entryList(QDir::Files), QStringList{QStringLiteral("prog.TXT")});
}

TEST_F(ExportTest, SaveSelectComesFirstForAModifiedDocument)
{
    const auto prepare = [&] {
        MakeDocument(1);
        SmallProgram();
        doc->SetModifiedFlag(true);
    };
    {
        SCOPED_TRACE("cancel to write");
        prepare();
        ScriptedDialogs dialogs;
        dialogs.Expect(4082, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Save Select"));
            EXPECT_EQ(d.Text(IDOK), QStringLiteral("&Write after saving file"));
            EXPECT_EQ(d.Text(7), QStringLiteral("Write without &saving file"));
            EXPECT_EQ(d.Text(IDCANCEL), QStringLiteral("&Cancel to write"));
            d.Click(IDCANCEL);
        });
        CHOXExport exporter(doc.get());
        EXPECT_FALSE(Export(exporter));
        EXPECT_TRUE(doc->IsModified());
    }
    {
        SCOPED_TRACE("write without saving");
        prepare();
        ScriptedDialogs dialogs;
        dialogs.Expect(4082, [](DialogDriver& d) { d.Click(7); });
        ScriptedFiles files;
        files.Expect(Path(QStringLiteral("nosave.txt")));
        ScriptedMessages messages;
        messages.Expect(CreateQuestion(Path(QStringLiteral("nosave.txt"))), kCreateStyle, IDYES);
        CHOXExport exporter(doc.get());
        EXPECT_TRUE(Export(exporter));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(ReadAll(Path(QStringLiteral("nosave.txt"))).startsWith("[HOX File Name]\r\n\r\n\r\n"));
    }
    {
        SCOPED_TRACE("write after saving a document with a path");
        prepare();
        doc->SetPathName(Path(QStringLiteral("docs/press.hox")), false);
        ScriptedDialogs dialogs;
        dialogs.Expect(4082, [](DialogDriver& d) { d.Click(IDOK); });
        ScriptedFiles files;
        files.Expect(Path(QStringLiteral("saved.txt")));
        ScriptedMessages messages;
        messages.Expect(CreateQuestion(Path(QStringLiteral("saved.txt"))), kCreateStyle, IDYES);
        CHOXExport exporter(doc.get());
        EXPECT_TRUE(Export(exporter));
        EXPECT_FALSE(doc->IsModified());
        EXPECT_TRUE(QFile::exists(Path(QStringLiteral("docs/press.hox"))));
        EXPECT_TRUE(ReadAll(Path(QStringLiteral("saved.txt"))).startsWith("[HOX File Name]\r\npress.hox\r\n\r\n"));
    }
    {
        SCOPED_TRACE("a save that fails keeps Save Select open");
        prepare();
        ScriptedDialogs dialogs;
        dialogs.Expect(4082, [](DialogDriver& d) {
            d.Click(IDOK); // the Save As dialog is cancelled
            EXPECT_FALSE(d.Ended());
            d.Click(7);
        });
        ScriptedFiles files;
        files.Expect(QString(),
                     [](const FileDialogRequest& r) { EXPECT_EQ(r.initialName, QStringLiteral("Untitled.hox")); });
        files.Expect(Path(QStringLiteral("after.txt")));
        ScriptedMessages messages;
        messages.Expect(CreateQuestion(Path(QStringLiteral("after.txt"))), kCreateStyle, IDYES);
        CHOXExport exporter(doc.get());
        EXPECT_TRUE(Export(exporter));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->GetTitle(), QStringLiteral("Untitled"));
        EXPECT_TRUE(QFile::exists(Path(QStringLiteral("after.txt"))));
    }
}

// ---------------------------------------------------------------------------
// Failures

TEST_F(ExportTest, APathThatCannotBeOpenedIsReportedAndNothingIsCreated)
{
    SmallProgram();
    QDir(dir.path()).mkpath(QStringLiteral("folder.txt"));
    const struct {
        const char* what;
        QString path;
        QString question;
        UINT style;
    } cases[] = {
        {"a missing folder", Path(QStringLiteral("missing/x.txt")),
         CreateQuestion(Path(QStringLiteral("missing/x.txt"))), kCreateStyle},
        {"a folder in the way", Path(QStringLiteral("folder.txt")),
         OverwriteQuestion(Path(QStringLiteral("folder.txt"))), kOverwriteStyle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedFiles files;
        files.Expect(c.path);
        ScriptedMessages messages;
        messages.Expect(c.question, c.style, IDYES)
            .Expect(QStringLiteral("ERROR : Unable to open file."), MB_OK | MB_ICONHAND, IDOK);
        CHOXExport exporter(doc.get());
        EXPECT_FALSE(Export(exporter));
        ASSERT_EQ(messages.seen.size(), 2u);
        EXPECT_TRUE(messages.seen[1].detail.contains(c.path)) << messages.seen[1].detail.toStdString();
    }
    EXPECT_FALSE(QDir(Path(QStringLiteral("missing"))).exists());
    EXPECT_EQ(QDir(Path(QStringLiteral("folder.txt"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(ExportTest, AFailedWriteKeepsTheOldFile)
{
    SmallProgram();
    const QString target = Path(QStringLiteral("docs/keep.txt"));
    WriteFile(target, "old contents");
    safefile::SetWriteLimitForTesting(100);
    ScriptedFiles files;
    files.Expect(target);
    ScriptedMessages messages;
    messages.Expect(OverwriteQuestion(target), kOverwriteStyle, IDYES)
        .Expect(QStringLiteral("An unexpected error occurred while writing %1.").arg(target),
                MB_OK | MB_ICONEXCLAMATION, IDOK);
    CHOXExport exporter(doc.get());
    EXPECT_FALSE(Export(exporter));
    EXPECT_FALSE(messages.seen.back().detail.isEmpty());
    EXPECT_EQ(ReadAll(target), QByteArray("old contents"));
    EXPECT_EQ(QDir(Path(QStringLiteral("docs"))).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
}

// ---------------------------------------------------------------------------
// The Export Text command

namespace {

class ExportCommandTest : public ExportTest {
public:
    void SetUp() override
    {
        ExportTest::SetUp();
        view.SetHost(&host);
        doc->AddView(&view);
        view.SetWnd(chart);
        chart->SetView(&view);
    }
    void TearDown() override
    {
        doc->RemoveView(&view);
        ExportTest::TearDown();
    }
    bool Run(UINT id) { return doc->OnCmdMsg(id, CmdMode::Execute, nullptr); }
    bool Enabled(UINT id)
    {
        CCmdUI ui(id);
        doc->OnCmdMsg(id, CmdMode::Update, &ui);
        return ui.m_bEnabled;
    }

    kt::test::MemoryViewHost host;
    CHOXFlowView view;
};

} // namespace

TEST_F(ExportCommandTest, AFailedCheckCannotExportAndShowsTheSymbol)
{
    auto* lone = Place<CHOXFlowStart>(chart, CPoint(2000, 1500));
    host.totalSize = CSize(3000, 2000);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : At least one symbol is not connected.\nCannot Export file."),
                    MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_TRUE(Run(ID_EXPORT_TEXT));
    EXPECT_EQ(view.GetSelection(), std::vector<CHOXDrawObj*>{lone});
    // The symbol's corner comes to the middle of the 800 by 600 client area.
    EXPECT_EQ(host.scroll, CPoint(2000 - 400, 1500 - 300));
}

TEST_F(ExportCommandTest, ADeclinedWarningEndsTheCommandWithoutAFurtherMessage)
{
    auto* start = Place<CHOXFlowStart>(chart);
    auto* call = PlaceCall(chart, 9);
    Wire(chart, start, 0, call);
    Wire(chart, call, 1, Place<CHOXFlowEnd>(chart));
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("WARNING : Pointer in Call symbol not present. \nDo you want to continue ?"),
                    MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    EXPECT_TRUE(Run(ID_EXPORT_TEXT));
    EXPECT_EQ(view.GetSelection(), std::vector<CHOXDrawObj*>{call});
}

TEST_F(ExportCommandTest, AListedWindowTheMapLacksWritesNothingAndSaysNothing)
{
    SmallProgram();
    AddChart(QStringLiteral("Flow Chart2"));
    std::unique_ptr<CHOXFlowWnd> taken = doc->RemoveWindow(QStringLiteral("Flow Chart2"));
    // No file dialog, no message: the strict platform fails any.
    EXPECT_TRUE(Run(ID_EXPORT_TEXT));
}

TEST_F(ExportCommandTest, AnEmptyProgramIsAskedAboutFirst)
{
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("WARNING : No Program !\n\nCurrent parameter settings only will be written.\nDo "
                                       "you want to continue ?"),
                        MB_YESNO | MB_ICONEXCLAMATION, answer);
        ScriptedFiles files;
        if (answer == IDYES) {
            files.Expect(Path(QStringLiteral("params.txt")));
            messages.Expect(CreateQuestion(Path(QStringLiteral("params.txt"))), kCreateStyle, IDYES);
        }
        EXPECT_TRUE(Run(ID_EXPORT_TEXT));
    }
    const QByteArray written = ReadAll(Path(QStringLiteral("params.txt")));
    EXPECT_TRUE(written.startsWith("[HOX File Name]\r\n\r\n\r\n[System Setup Parameter]\r\n"));
    EXPECT_FALSE(written.contains("[Program]"));
}

TEST_F(ExportCommandTest, ExportTextWantsEditModeAndAWindow)
{
    EXPECT_TRUE(Enabled(ID_EXPORT_TEXT));
    doc->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_EXPORT_TEXT));
    doc->SetEditMode(true);
    std::unique_ptr<CHOXFlowWnd> taken = doc->RemoveWindow(QStringLiteral("Flow Chart1"));
    chart->SetView(nullptr);
    EXPECT_FALSE(Enabled(ID_EXPORT_TEXT));
    doc->AddWindow(QStringLiteral("Flow Chart1"), std::move(taken), true);
    EXPECT_TRUE(Enabled(ID_EXPORT_TEXT));
}
