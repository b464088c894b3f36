// The application's side of two additions to the dialog layer: modeless
// dialogs (shown beside the main window, painting while their owner works,
// gone with DestroyWindow) and file dialogs with their own accept button
// text and a check of the chosen name that can keep them open.
#include "convert/HOXExportProgressDlg.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtPlatform.h"
#include "support/QtDialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using kt::test::InstalledRunner;
using kt::test::ShownTemplateDialog;

QFileDialog* ShownFileDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog != nullptr && dialog->isVisible()) return dialog;
    return nullptr;
}

} // namespace

TEST(ModelessDialogTest, TheApplicationShowsItBesideTheMainWindowUntilItsOwnerEndsIt)
{
    QtDialogRunner runner;
    InstalledRunner installed(&runner);
    bool fired = false;
    QTimer::singleShot(0, qApp, [&] { fired = true; });
    QPointer<TemplateDialog> window;
    {
        CHOXExportProgressDlg progress(0, 10, 1);
        ASSERT_TRUE(progress.Create());
        // Shown and returned at once, without blocking.
        window = ShownTemplateDialog();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        // While the owner works, what is waiting gets done (the windows
        // paint): the timer has fired without an event loop of the test's.
        EXPECT_TRUE(fired);
        progress.Step(4);
        EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 4);
        progress.DestroyWindow();
        EXPECT_TRUE(window.isNull());
        ASSERT_TRUE(progress.Create());
        window = ShownTemplateDialog();
        ASSERT_NE(window, nullptr);
    }
    // The dialog's end closes a window its owner left open.
    EXPECT_TRUE(window.isNull());
}

namespace {
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};
} // namespace

TEST(ModelessDialogTest, OnceOnTheScreenItPaintsAloneWhileItsOwnerWorks)
{
    QtDialogRunner runner;
    InstalledRunner installed(&runner);
    CHOXExportProgressDlg progress(0, 1000, 1);
    ASSERT_TRUE(progress.Create());
    TemplateDialog* window = ShownTemplateDialog();
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QProgressBar*>();
    PaintCounter counter;
    bar->installEventFilter(&counter);
    // The owner fills other windows meanwhile; what they wait for stays
    // waiting until the owner is done.
    bool fired = false;
    QTimer::singleShot(0, qApp, [&] { fired = true; });

    // Steps as fast as they come ask for no paint each: the bar takes its
    // value and paints with the window.
    for (int i = 0; i < 200; ++i) progress.Step(1);
    EXPECT_EQ(bar->value(), 200);
    // The window paints at most every few hundredths of a second: past
    // that, the next step paints it, and it alone.
    const int paintsBefore = counter.paints;
    QThread::msleep(40);
    progress.Step(1);
    EXPECT_EQ(bar->value(), 201);
    EXPECT_GT(counter.paints, paintsBefore);
    EXPECT_FALSE(fired);
    progress.DestroyWindow();
    QApplication::processEvents();
    EXPECT_TRUE(fired);
}

TEST(ModelessDialogTest, AProgressBarGivenWhatItShowsAgainAsksForNoPaint)
{
    constexpr int kBar = 1561;
    QtDialogRunner runner;
    InstalledRunner installed(&runner);
    CHOXExportProgressDlg progress(0, 100, 1);
    ASSERT_TRUE(progress.Create());
    TemplateDialog* window = ShownTemplateDialog();
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    DialogSite* site = progress.Site();
    site->SetPos(kBar, 5);
    QApplication::processEvents();
    PaintCounter counter;
    bar->installEventFilter(&counter);

    site->SetRange(kBar, 0, 100);
    site->SetPos(kBar, 5);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(site->GetPos(kBar), 5);

    // A new range or position is taken and painted.
    const struct {
        int low;
        int high;
        int pos;
    } cases[] = {{0, 200, 5}, {0, 200, 7}, {10, 200, 10}};
    for (const auto& c : cases) {
        const int before = counter.paints;
        site->SetRange(kBar, c.low, c.high);
        site->SetPos(kBar, c.pos);
        QApplication::processEvents();
        EXPECT_EQ(bar->minimum(), c.low);
        EXPECT_EQ(bar->maximum(), c.high);
        EXPECT_EQ(bar->value(), c.pos);
        EXPECT_GT(counter.paints, before) << c.high << " " << c.pos;
    }
    progress.DestroyWindow();
}

TEST(FileDialogTest, TheAcceptButtonTextAndTheNameCheckThatKeepsTheDialogOpen)
{
    QTemporaryDir dir;
    QtFileDialogRunner runner;
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("Export Dialog");
    request.directory = dir.path();
    request.filters = {QStringLiteral("Text files(*.txt)")};
    request.confirmOverwrite = false;
    request.acceptText = QStringLiteral("Export");
    QStringList asked;
    request.acceptName = [&](const QString& path) {
        asked << QFileInfo(path).fileName();
        return !path.endsWith(QStringLiteral("first.txt"));
    };
    QString buttonText;
    bool openAfterRefusal = false;
    QTimer::singleShot(0, qApp, [&] {
        QFileDialog* dialog = ShownFileDialog();
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) buttonText = b->text();
        dialog->selectFile(dir.filePath(QStringLiteral("first.txt")));
        static_cast<QDialog*>(dialog)->accept();
        openAfterRefusal = dialog->isVisible();
        dialog->selectFile(dir.filePath(QStringLiteral("second.txt")));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(runner.Run(request), dir.filePath(QStringLiteral("second.txt")));
    EXPECT_EQ(buttonText, QStringLiteral("Export"));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(asked, (QStringList{QStringLiteral("first.txt"), QStringLiteral("second.txt")}));
}

TEST(FileDialogTest, FiltersMatchNamesInAnyLetterCase)
{
    QTemporaryDir dir;
    for (const char* name : {"UPPER.TXT", "lower.txt", "Mixed.Txt", "other.dat"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QtFileDialogRunner runner;
    FileDialogRequest request;
    request.directory = dir.path();
    request.filters = {QStringLiteral("Text files(*.txt)")};
    request.acceptText = QStringLiteral("Open");
    QStringList listed;
    QTimer::singleShot(0, qApp, [&] {
        QFileDialog* dialog = ShownFileDialog();
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(dir.path());
        // The model reads the folder on a thread of its own.
        static_cast<void>(QTest::qWaitFor([&] { return model->rowCount(folder) >= 3; }, 5000));
        for (int row = 0; row < model->rowCount(folder); ++row)
            listed << model->index(row, 0, folder).data().toString();
        dialog->reject();
    });
    EXPECT_EQ(runner.Run(request), QString());
    listed.sort();
    EXPECT_EQ(listed,
              (QStringList{QStringLiteral("Mixed.Txt"), QStringLiteral("UPPER.TXT"), QStringLiteral("lower.txt")}));
}
