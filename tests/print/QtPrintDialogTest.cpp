// The print service of the desktop on the offscreen platform: Qt's print
// dialog with the options as a page of it, Print to File through the PDF
// target, Qt's page setup; and the PDF target on its own.
#include "app/HOXRegistry.h"
#include "platform/ui/QtPrintService.h"
#include "print/HOXPrintDlg.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kt::test;

namespace {

QPrintDialog* ShownPrintDialog() { return qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()); }

QCheckBox* CheckBoxOf(QWidget* root, const QString& text)
{
    for (QCheckBox* box : root->findChildren<QCheckBox*>())
        if (box->text() == text) return box;
    return nullptr;
}

class QtPrintDialogTest : public ::testing::Test {
protected:
    static QString Stored(const char* name)
    {
        QString text;
        return CHOXRegistry().ReadString(name, text, 16) ? text : QStringLiteral("-");
    }
    TempSettings settings;
    QTemporaryDir dir;
    QtPrintService service;
};

TEST_F(QtPrintDialogTest, TheOptionsAreAPageOfTheDialogAndItsPrintRunsTheirOk)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this machine has printers";
    const QString path = dir.filePath(QStringLiteral("run.pdf"));
    QStringList tabs;
    QTimer::singleShot(0, qApp, [&] {
        QPrintDialog* box = ShownPrintDialog();
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(box->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(box->testOption(QAbstractPrintDialog::PrintCurrentPage));
        if (auto* range = box->findChild<QGroupBox*>(QStringLiteral("gbPrintRange"))) {
            EXPECT_FALSE(range->isEnabled());
        }
        auto* tabWidget = box->findChild<QTabWidget*>(QStringLiteral("tabs"));
        ASSERT_NE(tabWidget, nullptr);
        for (int i = 0; i < tabWidget->count(); ++i) tabs << tabWidget->tabText(i);
        QCheckBox* monitoring = CheckBoxOf(box, QStringLiteral("&Monitoring"));
        ASSERT_NE(monitoring, nullptr);
        EXPECT_TRUE(tabWidget->isAncestorOf(monitoring));
        // Opened out on the program's page, for a picture on a display.
        for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
            if (b->text().contains(QStringLiteral("Options")) && b->text().contains(QStringLiteral(">>"))) b->click();
        tabWidget->setCurrentIndex(tabs.indexOf(QStringLiteral("Charts and Pages")));
        SaveScreenshot(box, "print-dialog-options.png");
        monitoring->click();
        // Print to File: the PDF goes through the program's own target.
        auto* file = box->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(file, nullptr);
        file->setText(path);
        box->accept();
    });
    CHOXPrintDlg dialog;
    ASSERT_EQ(service.RunPrintDialog(dialog), IDOK);
    EXPECT_TRUE(tabs.contains(QStringLiteral("Charts and Pages")));
    ASSERT_NE(dialog.GetTarget(), nullptr);
    EXPECT_TRUE(dialog.PrintToFile());
    EXPECT_EQ(dialog.GetTarget()->Name(), path);
    EXPECT_EQ(dialog.m_nPrintMonitoring, 0);
    EXPECT_EQ(Stored("PrintMonitoring"), QStringLiteral("0"));
}

TEST_F(QtPrintDialogTest, EscOnThePageCancelsTheDialogAndKeepsNothing)
{
    QTimer::singleShot(0, qApp, [&] {
        QPrintDialog* box = ShownPrintDialog();
        ASSERT_NE(box, nullptr);
        QCheckBox* monitoring = CheckBoxOf(box, QStringLiteral("&Monitoring"));
        ASSERT_NE(monitoring, nullptr);
        monitoring->click();
        // The key reaches the page, which hands it to the dialog around it.
        QTest::keyClick(monitoring, Qt::Key_Escape);
        EXPECT_FALSE(box->isVisible());
        if (box->isVisible()) box->reject();
    });
    CHOXPrintDlg dialog;
    EXPECT_EQ(service.RunPrintDialog(dialog), IDCANCEL);
    EXPECT_EQ(dialog.GetTarget(), nullptr);
    EXPECT_EQ(Stored("PrintMonitoring"), QStringLiteral("-"));
}

TEST_F(QtPrintDialogTest, PrintToFileOfAFolderLeavesTheFileToBeAskedFor)
{
    auto printer = std::make_unique<QPrinter>();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.path());
    std::unique_ptr<PrintTarget> target = QtPrintService::TargetFor(std::move(printer));
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->IsFile());
    EXPECT_TRUE(target->Name().isEmpty());
}

TEST_F(QtPrintDialogTest, PageSetupKeepsTheChosenPageForLaterRuns)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this machine has printers";
    bool shown = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* box = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
        shown = box != nullptr;
        if (box != nullptr) box->accept();
    });
    service.RunPageSetup();
    EXPECT_TRUE(shown);
    // Without printers the default is a PDF file of the page chosen.
    std::unique_ptr<PrintTarget> target = service.DefaultTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->IsFile());
    EXPECT_GT(target->Metrics().widthMm, 100);
}

TEST(PdfPrintTargetTest, WritesOnlyWhatEndsAndSaysWhyItCannotStart)
{
    QTemporaryDir dir;
    const PageMetrics a4 = MetricsOf(DefaultPageLayout(), 600);
    EXPECT_EQ(a4.widthPx, 4958);
    EXPECT_EQ(a4.heightPx, 7017);
    EXPECT_EQ(a4.widthMm, 210);
    EXPECT_EQ(a4.heightMm, 297);

    PdfPrintTarget unnamed(QString(), DefaultPageLayout());
    EXPECT_LE(unnamed.StartDoc(QStringLiteral("t")), 0);
    EXPECT_FALSE(unnamed.ErrorString().isEmpty());

    const QString path = dir.filePath(QStringLiteral("a.pdf"));
    PdfPrintTarget aborted(path, DefaultPageLayout());
    ASSERT_GT(aborted.StartDoc(QStringLiteral("t")), 0);
    EXPECT_GT(aborted.StartPage(), 0);
    aborted.Painter()->drawLine(0, 0, 100, 100);
    EXPECT_GT(aborted.EndPage(), 0);
    aborted.AbortDoc();
    EXPECT_FALSE(QFile::exists(path));

    PdfPrintTarget written(path, DefaultPageLayout());
    ASSERT_GT(written.StartDoc(QStringLiteral("t")), 0);
    for (int page = 0; page < 2; ++page) {
        EXPECT_GT(written.StartPage(), 0);
        EXPECT_GT(written.EndPage(), 0);
    }
    EXPECT_GT(written.EndDoc(), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

} // namespace
