// Printing to PDF files through the PDF target: Print to File and the direct
// print without a printer give files whose pages and title pdfinfo reads;
// runs that print nothing, or cannot write, leave no file or the old one.
#include "app/AppDocsFixture.h"
#include "app/PaletteTools.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXLine.h"
#include "chart/HOXOval.h"
#include "chart/HOXRect.h"
#include "chart/HOXSymbol.h"
#include "platform/SafeFile.h"
#include "print/HOXPrintDlg.h"
#include "res/CommandIds.h"
#include "support/ScriptedPrint.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <unistd.h>

using namespace kt::test;

namespace {

using Dlg = CHOXPrintDlg;

class PrintFileTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
        Doc()->FindWindowByName(QStringLiteral("Flow Chart2"))->GetBaseRect()->m_position = CRect(0, 0, 1000, 300);
        Doc()->SetModifiedFlag(false);
    }

    // What a poppler tool says of the file; empty when it cannot run.
    static QString Poppler(const char* tool, const QStringList& arguments)
    {
        QProcess process;
        process.start(QString::fromLatin1(tool), arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static QString InfoField(const QString& info, const QString& field)
    {
        for (const QString& line : info.split(u'\n'))
            if (line.startsWith(field + u':')) return line.mid(field.size() + 1).trimmed();
        return {};
    }
    static bool HavePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(); }

    void PrintToFile(const QString& path, std::function<void(DialogDriver&)> options = {})
    {
        ForgetOptions();
        PrintAnswer answer;
        answer.toFile = true;
        answer.file = path;
        answer.options = std::move(options);
        printing.Expect(std::move(answer));
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT));
    }
    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScriptedPrinting printing;
};

TEST_F(PrintFileTest, PrintToFileGivesAPdfOfThePagesUnderTheTitle)
{
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (scripts/install-deps.sh) is not installed";
    const QString path = Path(QStringLiteral("charts.pdf"));
    PrintToFile(path);
    const QString info = Poppler("pdfinfo", {path});
    // One page of Flow Chart1, two of Flow Chart2, the monitoring page and
    // three of parameter information.
    EXPECT_EQ(InfoField(info, QStringLiteral("Pages")), QStringLiteral("7"));
    EXPECT_EQ(InfoField(info, QStringLiteral("Title")), QStringLiteral("VEDID Information"));
    const QString text = Poppler("pdftotext", {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"),
                                               QStringLiteral("3"), path, QStringLiteral("-")});
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("Flow Chart2 page 2 of 2"))) << text.toStdString();
}

// A document of several charts, one over six pages, with wires and a node,
// the monitor window's shapes over two pages, and the parameters: the PDF has
// every page with its footer, in order. With KT_SCREENSHOT_DIR set the pages
// are also rendered there to be looked at.
TEST_F(PrintFileTest, ADocumentWithChartsShapesAndParametersPrintsEveryPage)
{
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (scripts/install-deps.sh) is not installed";
    CHOXFlowWnd* wide = Doc()->FindWindowByName(QStringLiteral("Flow Chart2"));
    wide->GetBaseRect()->m_position = CRect(0, 0, 1200, 900);
    auto place = [&](CHOXFlowWnd* wnd, UINT tool, CPoint at) {
        std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, at, wnd);
        if (symbol->GetPinCount() == 0) symbol->CreatePins();
        const DWORD id = DWORD(Doc()->NewSymbolId());
        symbol->SetId(id);
        wnd->AddObject(std::move(symbol));
        return id;
    };
    auto wire = [&](CHOXFlowWnd* wnd, DWORD from, DWORD to) {
        auto w = std::make_unique<CHOXConnect>(CRect(), wnd);
        w->SetId(DWORD(Doc()->NewWireId()));
        w->SetSource(from, 1);
        w->SetTarget(to, CHOXConnect::kTargetSymbol);
        CHOXConnect* raw = w.get();
        wnd->AddConnect(std::move(w));
        raw->RerouteAll();
        raw->SetLineWidth(2);
        return raw;
    };
    // Down and across the tiles of the wide chart.
    const DWORD a = place(wide, ID_TOOL_CODE_DRV, CPoint(480, 120));
    const DWORD b = place(wide, ID_TOOL_CODE_LINE, CPoint(480, 760));
    const DWORD c = place(wide, ID_TOOL_FUNC_MOVE, CPoint(1050, 800));
    wire(wide, a, b);
    ASSERT_TRUE(wire(wide, b, c)->CreateNode());
    CHOXFlowWnd* first = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
    place(first, ID_TOOL_FLOW_CALL, CPoint(200, 120));

    CHOXMonWnd* monitor = Doc()->GetMonWnd();
    monitor->GetBaseRect()->m_position = CRect(0, 0, 900, 400);
    std::unique_ptr<CHOXDrawObj> shapes[] = {
        std::make_unique<CHOXRect>(CRect(40, 40, 300, 200), monitor),
        std::make_unique<CHOXOval>(CRect(450, 100, 650, 300), monitor),
        std::make_unique<CHOXLine>(CRect(100, 350, 850, 60), monitor),
    };
    DWORD shapeId = 0;
    for (auto& shape : shapes) {
        shape->SetId(shapeId++);
        monitor->AddShape(std::move(shape));
    }
    Doc()->SetModifiedFlag(false);

    const QString path = Path(QStringLiteral("document.pdf"));
    PrintToFile(path);
    // One page of Flow Chart1, six of Flow Chart2, two monitoring pages and
    // three of parameter information.
    EXPECT_EQ(InfoField(Poppler("pdfinfo", {path}), QStringLiteral("Pages")), QStringLiteral("12"));
    QStringList footers;
    const QRegularExpression footer(QStringLiteral("^(.*\\S)\\s+page (\\d+) of (\\d+)$"));
    for (const QString& line :
         Poppler("pdftotext", {QStringLiteral("-layout"), path, QStringLiteral("-")}).split(u'\n')) {
        const QRegularExpressionMatch m = footer.match(line.trimmed());
        if (m.hasMatch()) footers << m.captured(1) + u' ' + m.captured(2) + u'/' + m.captured(3);
    }
    QStringList expected = {QStringLiteral("Flow Chart1 1/1")};
    for (int page = 1; page <= 6; ++page) expected << QStringLiteral("Flow Chart2 %1/6").arg(page);
    expected << QStringLiteral("Monitoring pages 1/2") << QStringLiteral("Monitoring pages 2/2");
    for (int page = 1; page <= 3; ++page) expected << QStringLiteral("Parameter Information %1/3").arg(page);
    EXPECT_EQ(footers, expected);
    EXPECT_FALSE(Doc()->IsModified());

    const QString shots = qEnvironmentVariable("KT_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QFile::remove(QDir(shots).filePath(QStringLiteral("printed.pdf")));
        QFile::copy(path, QDir(shots).filePath(QStringLiteral("printed.pdf")));
        Poppler("pdftoppm", {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), path,
                             QDir(shots).filePath(QStringLiteral("printed-page"))});
    }
}

TEST_F(PrintFileTest, ADirectPrintWithoutAPrinterAsksForTheFile)
{
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (scripts/install-deps.sh) is not installed";
    printing.noDefault = true;
    const QString path = Path(QStringLiteral("direct.pdf"));
    ScriptedFiles files;
    files.Expect(path, [](const FileDialogRequest& request) {
        EXPECT_TRUE(request.save);
        EXPECT_EQ(request.title, QStringLiteral("Print to File"));
        EXPECT_EQ(request.initialName, QStringLiteral("Output.pdf"));
        EXPECT_EQ(request.filters, QStringList{QStringLiteral("PDF Files (*.pdf)")});
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("pdf"));
        EXPECT_TRUE(request.confirmOverwrite);
    });
    // The options of the dialog do not apply: the run prints the job's own,
    // all windows at the plain scale.
    ChartFrame(QStringLiteral("Flow Chart1"))->ShowWindow(SW_HIDE);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT_DIRECT));
    EXPECT_EQ(printing.dialogsShown, 0);
    EXPECT_EQ(InfoField(Poppler("pdfinfo", {path}), QStringLiteral("Pages")), QStringLiteral("7"));
}

TEST_F(PrintFileTest, RunsThatPrintNothingLeaveNoFile)
{
    const QString path = Path(QStringLiteral("nothing.pdf"));
    {
        SCOPED_TRACE("no kind of page");
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR : No Pages are present for printing."), MB_OK | MB_ICONHAND, IDOK);
        PrintToFile(path, [](DialogDriver& d) {
            d.Click(Dlg::kMonitoring);
            d.Click(Dlg::kFlowCharts);
            d.Click(Dlg::kParamInfo);
        });
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        SCOPED_TRACE("zero pages");
        ChartFrame(QStringLiteral("Flow Chart1"))->ShowWindow(SW_HIDE);
        ChartFrame(QStringLiteral("Flow Chart2"))->ShowWindow(SW_HIDE);
        PrintToFile(path, [](DialogDriver& d) {
            d.Click(Dlg::kMonitoring);
            d.Click(Dlg::kParamInfo);
        });
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        SCOPED_TRACE("the file dialog cancelled");
        printing.noDefault = true;
        ScriptedFiles files;
        files.Expect(QString());
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT_DIRECT));
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(Main()->IsWindowEnabled());
}

TEST_F(PrintFileTest, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept)
{
    const struct {
        const char* name;
        QString path;
        bool readOnlyFolder;
        qint64 writeLimit;
        const char* reason;
    } cases[] = {
        {"missing folder", Path(QStringLiteral("missing/out.pdf")), false, -1, "No such file or directory"},
        {"read-only folder", Path(QStringLiteral("locked/out.pdf")), true, -1, "Permission denied"},
        {"full disk", Path(QStringLiteral("out.pdf")), false, 100, "No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnlyFolder && geteuid() == 0) continue; // root writes into read-only folders
        const QString folder = QFileInfo(c.path).absolutePath();
        if (c.readOnlyFolder || c.writeLimit >= 0) {
            QDir().mkpath(folder);
            QFile old(c.path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        if (c.readOnlyFolder) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        safefile::SetWriteLimitForTesting(c.writeLimit);
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("The document could not be printed."), MB_OK | MB_ICONEXCLAMATION, IDOK);
        PrintToFile(c.path);
        safefile::SetWriteLimitForTesting(-1);
        if (c.readOnlyFolder) QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_TRUE(messages.seen[0].detail.contains(QString::fromLatin1(c.reason)))
            << messages.seen[0].detail.toStdString();
        if (QFile::exists(c.path)) {
            EXPECT_EQ(Bytes(c.path), QByteArray("old"));
        }
        EXPECT_TRUE(Main()->IsWindowEnabled());
    }
}

} // namespace
