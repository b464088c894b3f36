// Documents of few and of many chart windows, opened, imported, rebuilt and
// closed: the activations the window system is asked for do not
// grow with the number of windows (each one visits every other window), and
// the title bars' icons are made once for all the frames.
#include "AppDocsFixture.h"

#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "convert/HOXTextImporter.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

using kt::test::AppDocsFixture;
using kt::test::ScriptedMessages;

namespace {

class WindowCountsTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    // Counts the window system's activations (to a frame or to none) from
    // now on.
    void CountActivations()
    {
        // From the same start each time: the main window the active one.
        Window()->activateWindow();
        QApplication::processEvents();
        m_activations = 0;
        QObject::disconnect(m_counting);
        m_counting = QObject::connect(Window()->MdiArea(), &QMdiArea::subWindowActivated,
                                      [this](QMdiSubWindow*) { ++m_activations; });
    }
    int Activations() const { return m_activations; }

    // A saved document of the given number of charts, closed again.
    QString SaveDocumentOf(int charts)
    {
        CHOXDoc* doc = NewDocument();
        EXPECT_NE(doc, nullptr);
        for (int n = 2; n <= charts; ++n)
            Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart%1").arg(n), QString(), 0);
        const QString path = Path(QStringLiteral("charts%1.hox").arg(charts));
        EXPECT_TRUE(doc->OnSaveDocument(path));
        doc->SetModifiedFlag(false);
        EXPECT_TRUE(m_app->CloseOpenDocument());
        return path;
    }

    // One program a chart.
    static QStringList Programs(int charts)
    {
        QStringList lines;
        for (int n = 0; n < charts; ++n) lines << QStringLiteral("OX%1").arg(n) << QStringLiteral("LD X0") << "m02";
        return lines;
    }

    // The document a read makes, the monitor window alone.
    CHOXDoc* ReadDocument()
    {
        m_app->m_nFrameAtOrigin = 1;
        CHOXDoc* doc = m_app->CreateMonitorDocument();
        if (doc != nullptr) {
            doc->SetControllerType(1);
            doc->OnNewDocument();
        }
        return doc;
    }

    void CloseDocument()
    {
        if (Doc() != nullptr) Doc()->SetModifiedFlag(false);
        ASSERT_TRUE(m_app->CloseOpenDocument());
        QApplication::processEvents();
    }

private:
    int m_activations = 0;
    QMetaObject::Connection m_counting;
};

} // namespace

TEST_F(WindowCountsTest, ActivationsDoNotGrowWithTheWindows)
{
    struct Counts {
        int open = 0;
        int close = 0;
        int import = 0;
        int rebuild = 0;
    };
    const auto countsFor = [this](int charts) {
        Counts counts;
        const QString path = SaveDocumentOf(charts);

        CountActivations();
        EXPECT_NE(m_app->OpenDocumentFile(path), nullptr);
        QApplication::processEvents();
        counts.open = Activations();
        CountActivations();
        CloseDocument();
        counts.close = Activations();

        CHOXDoc* doc = ReadDocument();
        EXPECT_NE(doc, nullptr);
        CountActivations();
        {
            ScriptedMessages messages;
            messages.Expect(LoadStr(13529), MB_OK | MB_ICONEXCLAMATION, IDOK);
            CHOXTextImporter importer(doc, (QStringList{"[Program]"} + Programs(charts)));
            importer.GenerateFlowCharts();
        }
        QApplication::processEvents();
        counts.import = Activations();
        EXPECT_EQ(doc->GetWindowNameList().size(), charts);
        CloseDocument();

        doc = ReadDocument();
        EXPECT_NE(doc, nullptr);
        CountActivations();
        CHOXProgReader reader(doc);
        reader.SetControllerType(1);
        reader.ResetJumpCounts();
        reader.SplitStatements(Programs(charts).join(QStringLiteral(";")) + QStringLiteral(";"));
        reader.GenerateFlowCharts();
        QApplication::processEvents();
        counts.rebuild = Activations();
        EXPECT_EQ(doc->GetWindowNameList().size(), charts);
        CloseDocument();
        return counts;
    };
    const Counts few = countsFor(3);
    const Counts many = countsFor(12);
    EXPECT_EQ(many.open, few.open);
    EXPECT_EQ(many.close, few.close);
    EXPECT_EQ(many.import, few.import);
    EXPECT_EQ(many.rebuild, few.rebuild);
    // Once to leave the window that was active, once to activate the last.
    for (int count : {few.open, few.close, few.import, few.rebuild}) EXPECT_LE(count, 2);
}

TEST_F(WindowCountsTest, TitleBarIconsAreMadeOnceForAllFrames)
{
    NewDocument();
    QStyle* style = QApplication::style();
    for (QStyle::StandardPixmap icon : {QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarMinButton,
                                        QStyle::SP_TitleBarMaxButton, QStyle::SP_TitleBarCloseButton,
                                        QStyle::SP_TitleBarNormalButton}) {
        SCOPED_TRACE(static_cast<int>(icon));
        const QIcon first = style->standardIcon(icon);
        EXPECT_FALSE(first.isNull());
        EXPECT_EQ(style->standardIcon(icon).cacheKey(), first.cacheKey());
    }
    // Other icons are the style's own each time they are asked for.
    EXPECT_FALSE(style->standardIcon(QStyle::SP_DialogOkButton).isNull());
}
