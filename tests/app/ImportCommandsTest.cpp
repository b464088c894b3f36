// Import Text with a document open (the document's command) and without one
// (the main frame's): the file dialog with its name check, the readers of
// the text file, the program numbers against the controller type, the
// matching document, "Select File" in each case, the unit type, and the new
// document's charts, title and saving.
#include "AppDocsFixture.h"

#include "app/HOXRegistry.h"
#include "chart/HOXBaseRect.h"
#include "convert/ChartBuilding.h"
#include "convert/HOXExport.h"
#include "convert/HOXImportDlg.h"
#include "convert/HOXUnitTypeDlg.h"
#include "online/HOXSelFileDlg.h"
#include "params/HOXParam.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "res/CommandIds.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowStart.h"

#include <QFile>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

constexpr UINT kResultStyle = MB_OK | MB_ICONEXCLAMATION;
QString Completed() { return LoadStr(13529); }

class ImportCommandsTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        for (const char* dir : {"docs", "texts", "elsewhere"}) QDir(m_dir.path()).mkpath(QString::fromLatin1(dir));
        CHOXRegistry().WriteString("SerializeFileDir", Path(QStringLiteral("docs")));
        ASSERT_TRUE(Start());
    }

    QString Write(const QString& name, const QString& text)
    {
        const QString path = Path(name);
        EXPECT_TRUE(textfile::Write(path, text, nullptr));
        return path;
    }
    // A program part alone, after the parameters of a two-axis document.
    static QString TextOf(const QString& hoxName, const QStringList& program, int type = 1)
    {
        CHOXDoc doc;
        doc.SetControllerType(type);
        doc.GetParam().SetDefaults();
        std::int32_t speed = 123456;
        doc.GetParam().SetParam(&speed, 4, 0);
        CHOXExport exporter(&doc);
        exporter.FormatParameters();
        QString text = exporter.GetParameterText() + QStringLiteral("[Program]\n") + program.join(u'\n');
        if (!hoxName.isNull()) text.prepend(QStringLiteral("[HOX File Name]\n") + hoxName + QStringLiteral("\n\n"));
        return text;
    }

    // docs/press.hox: START -> END on a two-axis document, saved; and the
    // text its export writes.
    QString SavePressDocument()
    {
        CHOXDoc* doc = NewDocument();
        CHOXFlowWnd* chart = doc->FindWindowByName(QStringLiteral("Flow Chart1"));
        std::vector<CHOXSymbol*> symbols;
        for (auto& [id, object] : chart->GetObjectMap()) symbols.push_back(static_cast<CHOXSymbol*>(object.get()));
        std::sort(symbols.begin(), symbols.end(),
                  [](const CHOXSymbol* a, const CHOXSymbol* b) { return a->GetRect().top < b->GetRect().top; });
        chartbuild::WireSymbols(chart, symbols.front(), 0, symbols.back());
        const QString path = Path(QStringLiteral("docs/press.hox"));
        EXPECT_TRUE(doc->OnSaveDocument(path));
        doc->SetPathName(path, false);
        CHOXExport exporter(doc);
        QString message;
        int severity = 0;
        CHOXSymbol* symbol = nullptr;
        EXPECT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false));
        exporter.FormatParameters();
        const QString text = exporter.GetFileText();
        m_app->DestroyDocument();
        return text;
    }

    // Runs File > Import Text without a document; the dialogs and messages
    // have been scripted, the file dialog answers with the text's path.
    void ImportWithoutDocument(const QString& textPath)
    {
        ASSERT_EQ(Doc(), nullptr);
        ScriptedFiles files;
        files.Expect(textPath);
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_IMPORT_TEXT));
    }
    static void ChooseUnitType(ScriptedDialogs& dialogs, int button)
    {
        dialogs.Expect(CHOXUnitTypeDlg::kTemplate, [button](DialogDriver& d) {
            d.Click(button);
            d.Click(IDOK);
        });
    }
};

} // namespace

// ---------------------------------------------------------------------------
// The dialogs

TEST_F(ImportCommandsTest, TheImportDialogShowsTextFilesAndTakesOnlyFilesThatExist)
{
    Write(QStringLiteral("docs/prog.TXT"), QStringLiteral("x"));
    Write(QStringLiteral("docs/other.txt"), QStringLiteral("x"));
    ScriptedFiles files;
    files.ExpectTries(
        {Path(QStringLiteral("docs/missing")), Path(QStringLiteral("docs/prog.dat")),
         Path(QStringLiteral("docs/prog"))},
        [&](const FileDialogRequest& r) {
            EXPECT_FALSE(r.save);
            EXPECT_EQ(r.title, QStringLiteral("Import Dialog"));
            EXPECT_EQ(r.acceptText, QStringLiteral("Import"));
            EXPECT_EQ(r.filters, (QStringList{QStringLiteral("Text files(*.txt)"), QStringLiteral("All Files(*.*)")}));
            EXPECT_EQ(r.directory, Path(QStringLiteral("docs")));
            EXPECT_TRUE(r.existenceByNameCheck);
        });
    files.Expect(Path(QStringLiteral("docs/other")));
    ScriptedMessages messages;
    const UINT style = MB_OK | MB_ICONEXCLAMATION;
    messages
        .Expect(QStringLiteral("missing\nFile not found.\nPlease verify the correct file name was given."), style, IDOK)
        .Expect(QStringLiteral("prog.dat\nFile not found.\nPlease verify the correct file name was given."), style,
                IDOK);
    CHOXImportDlg first;
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetPathName(), Path(QStringLiteral("docs/prog.TXT")));
    EXPECT_EQ(first.GetFileName(), QStringLiteral("prog.TXT"));
    CHOXImportDlg second;
    ASSERT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.GetPathName(), Path(QStringLiteral("docs/other.txt")));
}

TEST_F(ImportCommandsTest, TheUnitTypeDialogAndItsHelp)
{
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(386, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Select Positioning Unit Type"));
        EXPECT_EQ(d.Text(1569), QStringLiteral("KZ - &10 QW"));
        EXPECT_EQ(d.Text(1570), QStringLiteral("&KZ (E) - 20 QW"));
        EXPECT_EQ(d.Check(1569), 1);
        d.Click(1571);
        EXPECT_FALSE(d.Ended());
        d.Click(1570);
        d.Click(IDOK);
    });
    CHOXUnitTypeDlg dialog;
    EXPECT_EQ(dialog.m_nUnitType, 0);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_nUnitType, 1);
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/20182.html"));
    EXPECT_EQ(HelpPageFor(0x20182), help.pages[0]);
}

TEST_F(ImportCommandsTest, SelectFileNamesItsCaseAndAppliesAChosenDocument)
{
    const struct {
        int state;
        bool fromController;
        int enabled;
        const char* first;
        const char* third;
    } cases[] = {
        {0, false, 1574, "No valid hox file name found in the Import text file.",
         "-The contents of the Import text file and the file named-PRESS.HOX are not matching.\n"},
        {1, false, 1575, "No valid hox file name found in the Import text file.",
         "-The contents of the Import text file and the file named-PRESS.HOX are not matching.\n"},
        {2, true, 1576, "-No valid hox file name found in the contents of DA-ZU",
         "-The contents of DA-ZU and the file named-PRESS.HOX are not matching.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        ScriptedFiles files;
        files.Expect(QString()).Expect(Path(QStringLiteral("docs/chosen.hox")), [&](const FileDialogRequest& r) {
            EXPECT_EQ(r.title, QStringLiteral("Select File"));
            EXPECT_EQ(r.defaultSuffix, QStringLiteral("hox"));
            EXPECT_EQ(r.filters, QStringList{QStringLiteral("Hox Files (*.hox)")});
            EXPECT_FALSE(r.save);
        });
        ScriptedDialogs dialogs;
        dialogs.Expect(387, [&](DialogDriver& d) {
            EXPECT_EQ(d.Text(1574), QString::fromLatin1(c.first));
            EXPECT_EQ(d.Text(1575), QStringLiteral("-PRESS.HOX File is not found in the current directory."));
            EXPECT_EQ(d.Text(1576), QString::fromLatin1(c.third));
            for (int line : {1574, 1575, 1576}) EXPECT_EQ(d.Enabled(line), line == c.enabled) << line;
            EXPECT_EQ(d.Text(IDOK), QStringLiteral("&Apply the file"));
            EXPECT_EQ(d.Text(IDCANCEL), QStringLiteral("&Not apply the file"));
            // A choice cancelled keeps the dialog open.
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            d.Click(IDOK);
        });
        CHOXSelFileDlg dialog;
        dialog.SetState(c.state);
        dialog.SetFileName(QStringLiteral("press.hox"));
        dialog.SetFromController(c.fromController);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetSelectedPath(), Path(QStringLiteral("docs/chosen.hox")));
    }
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [](DialogDriver& d) {
        // Another case: the template's lines, none enabled.
        EXPECT_EQ(d.Text(1574), QStringLiteral("-No valid hox file name found in the contents of DA-ZU"));
        EXPECT_EQ(d.Text(1575), QString());
        for (int line : {1574, 1575, 1576}) EXPECT_FALSE(d.Enabled(line));
        d.Click(IDCANCEL);
    });
    CHOXSelFileDlg other;
    other.SetState(3);
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(other.GetSelectedPath(), QString());
}

// ---------------------------------------------------------------------------
// The readers of the text file

TEST_F(ImportCommandsTest, ProgramNumberLines)
{
    const struct {
        const char* line;
        char mark;
    } cases[] = {
        {"OX00", 'X'},  {"ox00;x", 'X'},     {"OY01", 'Y'}, {"O100", 'S'}, {"O101", 0}, {"O99", 'P'}, {"O00", 'P'},
        {"O0, 5", 'P'}, {"OX", 0},           {"O", 0},      {"OXA", 0},    {"O1A", 0},  {"LD X0", 0}, {"O0  ", 'P'},
        {"OX7 ;", 'X'}, {"O99999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMainFrame::ParseProgramNumber(QString::fromLatin1(c.line)), c.mark) << c.line;
    EXPECT_EQ(CMainFrame::StripLineNumber(QStringLiteral("   0 0001: OX00 ")), QStringLiteral("OX00"));
    QString out;
    CMainFrame::RemoveSpaces(QStringLiteral(" LD  X0;\n OUT\tY0;"), out);
    EXPECT_EQ(out, QStringLiteral("LDX0;\nOUT\tY0;"));
}

TEST_F(ImportCommandsTest, TheNameAndTheProgramOfTheText)
{
    const QString path = Write(QStringLiteral("texts/a.txt"),
                               QStringLiteral("  [HOX File Name]\n ..\\dir\\press.hox\n[Program]\n\n   0 ----: Ox0;\n"
                                              "   3 0000: LD  X0;\n[File Register]\nLD X1"));
    QString name;
    EXPECT_TRUE(CMainFrame::ReadHoxFileName(path, name));
    EXPECT_EQ(name, QStringLiteral(" ..\\dir\\press.hox"));
    QString program;
    EXPECT_TRUE(CMainFrame::ReadProgramSection(path, program));
    EXPECT_EQ(program, QStringLiteral("Ox0;\nLD  X0;\n"));

    const QString bare = Write(QStringLiteral("texts/b.txt"), QStringLiteral("[HOX File Name]"));
    EXPECT_FALSE(CMainFrame::ReadHoxFileName(bare, name));
    EXPECT_EQ(name, QString());
    EXPECT_FALSE(CMainFrame::ReadProgramSection(bare, program));
}

TEST_F(ImportCommandsTest, ProgramNumbersAgainstTheControllerType)
{
    const struct {
        QStringList program;
        int type;
        bool allow;
        bool result;
        int typeAfter;
        bool hasProgram;
    } cases[] = {
        {{"OX00", "m02", "OY01", "m02"}, 0, true, false, 0, true},
        {{"OX00", "m02", "OY01", "m02"}, 1, true, true, 1, true},
        {{"OX00", "m02", "OY01", "m02"}, 2, true, false, 2, true},
        {{"0001: OX00", "m02"}, 0, true, true, 0, true},
        {{"O00", "m02", "O01", "m02"}, 1, true, true, 2, true},
        {{"O00", "m02", "O01", "m02"}, 1, false, false, 2, true},
        {{"O00", "m02", "OX01", "m02"}, 1, true, false, 1, true},
        {{"O00", "m02"}, 2, true, true, 2, true},
        {{"O100", "m102"}, 0, true, true, 0, true},
        {{"O101", "m02"}, 0, true, true, 0, true},
        {{"NOP", "  nop "}, 1, true, true, 1, false},
        {{}, 1, true, true, 1, false},
        {{"[File Register]", "O00"}, 1, true, true, 1, true},
        {{"O00"}, 7, true, false, 7, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const QString path = Write(QStringLiteral("texts/%1.txt").arg(i), TextOf(QString(), c.program));
        int type = c.type;
        bool hasProgram = !c.hasProgram;
        EXPECT_EQ(CMainFrame::CheckProgramAxes(path, &type, c.allow, &hasProgram), c.result) << i;
        EXPECT_EQ(type, c.typeAfter) << i;
        EXPECT_EQ(hasProgram, c.hasProgram) << i;
    }
    // No program section at all.
    const QString none = Write(QStringLiteral("texts/none.txt"), QStringLiteral("[HOX File Name]\nx.hox"));
    int type = 1;
    bool hasProgram = true;
    EXPECT_TRUE(CMainFrame::CheckProgramAxes(none, &type, true, &hasProgram));
    EXPECT_FALSE(hasProgram);
}

// ---------------------------------------------------------------------------
// With a document open

TEST_F(ImportCommandsTest, IntoAnOpenDocumentAfterTheQuestionWhenItHoldsSymbols)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    const QString path = Write(QStringLiteral("texts/p.txt"), TextOf(QStringLiteral("p.hox"), {"OX1", "LD X0", "m02"}));
    const UINT question = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    {
        ScriptedFiles files;
        files.Expect(path);
        ScriptedMessages messages;
        messages.Expect(LoadStr(14000), question, IDNO);
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    }
    EXPECT_EQ(doc->GetWindowNameList().size(), 1);
    doc->SetModifiedFlag(false);
    {
        ScriptedFiles files;
        files.Expect(path);
        ScriptedMessages messages;
        messages.Expect(LoadStr(14000), question, IDYES).Expect(Completed(), kResultStyle, IDOK);
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    }
    EXPECT_EQ(doc->GetWindowNameList(), (QStringList{"Flow Chart1", "Flow Chart2"}));
    std::int32_t speed = 0;
    doc->GetParam().GetParam(&speed, 4, 0);
    EXPECT_EQ(speed, 123456);
    EXPECT_TRUE(doc->IsModified());

    // Cancel in the file dialog changes nothing.
    ScriptedFiles files;
    files.Expect(QString());
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    EXPECT_EQ(doc->GetWindowNameList().size(), 2);
}

TEST_F(ImportCommandsTest, IntoAnOpenDocumentRefusalsChangeNothing)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    // Programs without axis letter do not fit the independent axes.
    const QString wrongType = Write(QStringLiteral("texts/w.txt"), TextOf(QString(), {"O0", "m02"}));
    {
        ScriptedFiles files;
        files.Expect(wrongType);
        ScriptedMessages messages;
        messages.Expect(LoadStr(13619), MB_OK | MB_ICONSTOP, IDOK);
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    }
    // A file that cannot be read.
    const QString huge = Path(QStringLiteral("texts/huge.txt"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(textfile::kMaxReadBytes + 1));
    }
    {
        ScriptedFiles files;
        files.Expect(huge);
        ScriptedMessages messages;
        messages.Expect(LoadStr(13397), MB_OK | MB_ICONSTOP, IDOK);
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
        EXPECT_FALSE(messages.seen.front().detail.isEmpty());
    }
    EXPECT_EQ(doc->GetWindowNameList().size(), 1);
    std::int32_t speed = 0;
    doc->GetParam().GetParam(&speed, 4, 0);
    EXPECT_NE(speed, 123456);

    // While monitoring the command waits.
    doc->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_IMPORT_TEXT));
    doc->SetEditMode(true);
    EXPECT_TRUE(Enabled(ID_IMPORT_TEXT));
}

TEST_F(ImportCommandsTest, ADocumentWhoseChartsAreEmptyIsNotAsked)
{
    CHOXDoc* doc = NewDocument();
    ASSERT_NE(doc, nullptr);
    CHOXFlowWnd* chart = doc->FindWindowByName(QStringLiteral("Flow Chart1"));
    std::vector<WORD> ids;
    for (auto& [id, object] : chart->GetObjectMap()) ids.push_back(id);
    for (WORD id : ids) chart->RemoveObject(id)->Remove();
    const QString path = Write(QStringLiteral("texts/p.txt"), TextOf(QString(), {"OX0", "m02"}));
    ScriptedFiles files;
    files.Expect(path);
    ScriptedMessages messages;
    messages.Expect(Completed(), kResultStyle, IDOK);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    EXPECT_EQ(doc->GetWindowNameList().size(), 2);
}

// ---------------------------------------------------------------------------
// Without a document

TEST_F(ImportCommandsTest, TheCommandIsThereOnlyWithoutADocument)
{
    EXPECT_TRUE(Enabled(ID_FILE_IMPORT_TEXT));
    ASSERT_NE(NewDocument(), nullptr);
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT_TEXT));
}

TEST_F(ImportCommandsTest, TheNamedDocumentOpensWhenItStillGivesTheSameProgram)
{
    const QString text = SavePressDocument();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[HOX File Name]\npress.hox\n")));
    const QString path = Write(QStringLiteral("texts/press.txt"), text);
    ImportWithoutDocument(path);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("docs/press.hox")));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
}

TEST_F(ImportCommandsTest, AChangedDocumentIsOfferedAndNotApplyingBuildsANewOne)
{
    QString text = SavePressDocument();
    // The program of the text is no longer the document's.
    text.replace(QStringLiteral("m02(END);"), QStringLiteral("MOV(FNC12)  D0  D1;\n   5 0001: m02(END);"));
    const QString path = Write(QStringLiteral("texts/press.txt"), text);
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(1576));
        d.Click(IDCANCEL);
    });
    ChooseUnitType(dialogs, 1570);
    ScriptedMessages messages;
    messages.Expect(Completed(), kResultStyle, IDOK);
    ImportWithoutDocument(path);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetPathName(), QString());
    EXPECT_EQ(Doc()->GetControllerType(), 1);
    EXPECT_EQ(Doc()->GetWindowNameList(), QStringList{"Flow Chart1"});
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("Untitled.hox"));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
    EXPECT_TRUE(Doc()->IsSaveAsNew());
    EXPECT_TRUE(Doc()->IsModified());
    // The document is made on the monitor template.
    EXPECT_NE(MonitorFrame(), nullptr);
    EXPECT_TRUE(Titles().contains(LoadStr(13001)));
}

TEST_F(ImportCommandsTest, ATextWithoutANameLetsTheUserApplyADocumentThatDoesNotMatch)
{
    SavePressDocument();
    const QString path = Write(QStringLiteral("texts/noname.txt"), TextOf(QString(), {"OX3", "m02"}));
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [&](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(1574));
        d.Click(IDOK);
    });
    ChooseUnitType(dialogs, 1570);
    ScriptedMessages messages;
    messages
        .Expect(FormatStr(13618, {QStringLiteral("NONAME.TXT"), Path(QStringLiteral("docs/press.hox"))}), MB_OK, IDOK)
        .Expect(Completed(), kResultStyle, IDOK);
    {
        // The text, then the document chosen in "Select File".
        ScriptedFiles files;
        files.Expect(path).Expect(Path(QStringLiteral("docs/press.hox")));
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_IMPORT_TEXT));
    }
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetPathName(), QString());
    EXPECT_EQ(Doc()->GetWindowNameList(), QStringList{"Flow Chart1"});
}

TEST_F(ImportCommandsTest, AMissingNamedFileTitlesTheNewDocument)
{
    const QString path = Write(QStringLiteral("texts/m.txt"), TextOf(QStringLiteral("missing.hox"), {"OX0", "m02"}));
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(1575));
        EXPECT_EQ(d.Text(1575), QStringLiteral("-MISSING.HOX File is not found in the current directory."));
        d.Click(IDCANCEL);
    });
    ChooseUnitType(dialogs, 1570);
    ScriptedMessages messages;
    messages.Expect(Completed(), kResultStyle, IDOK);
    ImportWithoutDocument(path);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("missing.hox"));
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - missing.hox"));
}

TEST_F(ImportCommandsTest, OnlyTheFilePartOfTheNamedFileIsLookedUp)
{
    // The text names a document in another folder; only its name counts,
    // and the document folder holds no such file.
    const QString text = SavePressDocument();
    QFile::rename(Path(QStringLiteral("docs/press.hox")), Path(QStringLiteral("elsewhere/press.hox")));
    QString named = text;
    named.replace(QStringLiteral("\npress.hox\n"), QStringLiteral("\n../elsewhere/press.hox\n"));
    const QString path = Write(QStringLiteral("texts/named.txt"), named);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(387, [](DialogDriver& d) {
            EXPECT_TRUE(d.Enabled(1575));
            EXPECT_EQ(d.Text(1575), QStringLiteral("-PRESS.HOX File is not found in the current directory."));
            d.Click(IDCANCEL);
        });
        dialogs.Expect(386, [](DialogDriver& d) { d.Click(IDCANCEL); });
        ImportWithoutDocument(path);
        EXPECT_EQ(Doc(), nullptr);
    }
    // The same name with folders finds the document of the folder.
    QFile::rename(Path(QStringLiteral("elsewhere/press.hox")), Path(QStringLiteral("docs/press.hox")));
    named.replace(QStringLiteral("../elsewhere/press.hox"), QStringLiteral("C:\\old\\press.hox"));
    Write(QStringLiteral("texts/named.txt"), named);
    ImportWithoutDocument(path);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetPathName(), Path(QStringLiteral("docs/press.hox")));
}

TEST_F(ImportCommandsTest, TheUnitTypeDecidesAndProgramsWithoutAxisSwitchToInterpolation)
{
    const struct {
        QStringList program;
        int button;
        int type; // -1: refused
    } cases[] = {
        {{"OX00", "m02", "OY01", "m02"}, 1569, -1},
        {{"OX00", "m02", "OY01", "m02"}, 1570, 1},
        {{"O00", "m02", "O01", "m02"}, 1570, 2},
        {{"O00", "m02"}, 1569, -1},
        {{"OX00", "m02"}, 1569, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.join(u' ').toStdString() + " " + std::to_string(c.button));
        const QString path = Write(QStringLiteral("texts/t.txt"), TextOf(QString(), c.program, 1));
        ScriptedDialogs dialogs;
        dialogs.Expect(387, [](DialogDriver& d) { d.Click(IDCANCEL); });
        ChooseUnitType(dialogs, c.button);
        ScriptedMessages messages;
        if (c.type < 0)
            messages.Expect(LoadStr(13619), MB_OK | MB_ICONSTOP, IDOK);
        else
            messages.Expect(Completed(), kResultStyle, IDOK);
        ImportWithoutDocument(path);
        if (c.type < 0) {
            EXPECT_EQ(Doc(), nullptr);
            continue;
        }
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(Doc()->GetControllerType(), c.type);
        EXPECT_EQ(Doc()->GetWindowNameList().size(), c.program.size() / 2);
        m_app->DestroyDocument();
    }
}

TEST_F(ImportCommandsTest, WithoutAProgramTheNewDocumentHasOneEmptyChart)
{
    for (const auto& [program, windows] : {std::pair{QStringList{"NOP", "NOP"}, QStringList{"Flow Chart 1"}},
                                           {QStringList{"  7 0000: [File Register]"}, QStringList{}}}) {
        const QString path = Write(QStringLiteral("texts/e.txt"), TextOf(QString(), program));
        ScriptedDialogs dialogs;
        dialogs.Expect(387, [](DialogDriver& d) { d.Click(IDCANCEL); });
        ChooseUnitType(dialogs, 1570);
        ScriptedMessages messages;
        messages.Expect(Completed(), kResultStyle, IDOK);
        ImportWithoutDocument(path);
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(Doc()->GetWindowNameList(), windows);
        if (!windows.isEmpty()) {
            EXPECT_EQ(Doc()->FindWindowByName(windows.front())->GetObjectMap().GetCount(), 0u);
            // Its first symbols went with their numbers.
            EXPECT_FALSE(Doc()->IsProgramNumberUsed(0, 0));
        }
        m_app->DestroyDocument();
    }
}

TEST_F(ImportCommandsTest, AFileThatCannotBeReadEndsTheCommandAtOnce)
{
    const QString huge = Path(QStringLiteral("texts/huge.txt"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(textfile::kMaxReadBytes + 1));
    }
    ScriptedMessages messages;
    messages.Expect(LoadStr(13397), MB_OK | MB_ICONSTOP, IDOK);
    ImportWithoutDocument(huge);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_FALSE(messages.seen.front().detail.isEmpty());
}

TEST_F(ImportCommandsTest, CancelInEitherDialogEndsWithoutADocument)
{
    const QString path = Write(QStringLiteral("texts/c.txt"), TextOf(QString(), {"OX0", "m02"}));
    {
        ScriptedFiles files;
        files.Expect(QString());
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_IMPORT_TEXT));
    }
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [](DialogDriver& d) { d.Click(IDCANCEL); });
    dialogs.Expect(386, [](DialogDriver& d) { d.Click(IDCANCEL); });
    ImportWithoutDocument(path);
    EXPECT_EQ(Doc(), nullptr);
}
