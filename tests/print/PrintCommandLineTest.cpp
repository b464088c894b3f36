// "/p file" and "/pt file printer driver port": one print run with the job's
// own options, after which the program ends without showing its window, with
// the exit status of the run.
#include "app/AppDocsFixture.h"
#include "app/ProgramState.h"
#include "support/ScriptedPrint.h"

using namespace kt::test;

namespace {

class PrintCommandLineTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        path = Path(QStringLiteral("press.hox"));
        ASSERT_TRUE(Doc()->OnSaveDocument(path));
        m_app.reset();
        office = &printing.AddPrinter(QStringLiteral("Office"));
        lab = &printing.AddPrinter(QStringLiteral("Lab"));
    }

    ScriptedPrinting printing;
    QString path;
    RecordedPrint* office = nullptr;
    RecordedPrint* lab = nullptr;
};

TEST_F(PrintCommandLineTest, PrintsOnTheDefaultOrTheNamedPrinterAndEnds)
{
    const struct {
        QStringList line;
        bool toLab;
    } cases[] = {
        {{QStringLiteral("/p"), path}, false},
        {{QStringLiteral("/pt"), path, QStringLiteral("Lab"), QStringLiteral("driver"), QStringLiteral("port")}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.join(u' ').toStdString());
        office->calls.clear();
        lab->calls.clear();
        EXPECT_FALSE(Start(c.line));
        EXPECT_EQ(m_app->GetStartupExitCode(), 0);
        RecordedPrint& used = c.toLab ? *lab : *office;
        RecordedPrint& other = c.toLab ? *office : *lab;
        EXPECT_EQ(used.calls.first(), QStringLiteral("StartDoc VEDID Information"));
        EXPECT_EQ(used.calls.last(), QStringLiteral("EndDoc"));
        // The job's own options: the chart, the monitoring page and three
        // pages of parameters, at the plain scale.
        EXPECT_EQ(used.calls.count(QStringLiteral("StartPage")), 5);
        EXPECT_TRUE(other.calls.isEmpty());
        EXPECT_FALSE(Window()->isVisible());
        EXPECT_EQ(printing.dialogsShown, 0);
    }
}

TEST_F(PrintCommandLineTest, AnUnknownPrinterOrAFailedRunEndsWithAnError)
{
    {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("The document could not be printed."), MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_FALSE(
            Start({QStringLiteral("/pt"), path, QStringLiteral("Nowhere"), QStringLiteral("d"), QStringLiteral("p")}));
        EXPECT_EQ(m_app->GetStartupExitCode(), 1);
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_EQ(messages.seen[0].detail, QStringLiteral("Nowhere"));
    }
    EXPECT_TRUE(office->calls.isEmpty());
    {
        office->failStartPage = 1;
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("The document could not be printed."), MB_OK | MB_ICONEXCLAMATION, IDOK);
        EXPECT_FALSE(Start({QStringLiteral("/p"), path}));
        EXPECT_EQ(m_app->GetStartupExitCode(), 1);
    }
    // A cancel is the user's choice: status 0.
    office->failStartPage = 0;
    office->afterPage = [](int) { Program().printing.userAbort = 1; };
    EXPECT_FALSE(Start({QStringLiteral("/p"), path}));
    EXPECT_EQ(m_app->GetStartupExitCode(), 0);
    EXPECT_EQ(office->calls.last(), QStringLiteral("AbortDoc"));
}

} // namespace
