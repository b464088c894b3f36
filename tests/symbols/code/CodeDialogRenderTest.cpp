// The LINE, CIR and COMPENSATION dialogs as the renderer draws them from
// their templates: every control there and shown, a picture that is not
// blank. Under a real display, with KT_SCREENSHOT_DIR set, a picture of each
// for the reviewer.
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeCirDlg.h"
#include "symbols/code/HOXCodeComp.h"
#include "symbols/code/HOXCodeCompDlg.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeLineDlg.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

class CodeDialogRenderTest : public kt::test::CodeDialogTest {};

} // namespace

TEST_F(CodeDialogRenderTest, LineCirAndCompensationRenderFromTheirTemplates)
{
    MakeDocument(2);
    CHOXCodeCir* cir = Place<CHOXCodeCir>(chart);
    cir->SetCentreForm(1);
    cir->SetSpeedUsed(1);
    const std::pair<const char*, std::unique_ptr<CHOXCodeDlg>> dialogs[] = {
        {"code-line.png", std::make_unique<CHOXCodeLineDlg>(Place<CHOXCodeLine>(chart))},
        {"code-cir.png", std::make_unique<CHOXCodeCirDlg>(cir)},
        {"code-compensation.png", std::make_unique<CHOXCodeCompDlg>(Place<CHOXCodeComp>(chart))},
    };
    for (const auto& [file, dlg] : dialogs) {
        SCOPED_TRACE(file);
        QtDialogSite site(*dlg, nullptr);
        site.Window()->show();
        ASSERT_TRUE(site.Initialize());
        site.Window()->adjustSize();
        for (const ControlTemplate* c : dlg->Template()->Controls()) {
            if (c->id != IDC_STATIC) {
                EXPECT_TRUE(site.IsVisible(c->id)) << c->id;
            }
        }
        EXPECT_EQ(site.GetCaption(), dlg->Template()->caption);
        const QImage image = site.Window()->grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 250);
        EXPECT_GE(image.height(), 250);

        const QString dir = qEnvironmentVariable("KT_SCREENSHOT_DIR");
        if (dir.isEmpty() || QGuiApplication::platformName() == u"offscreen") continue;
        QWidget* window = site.Window();
        window->raise();
        QTest::qWait(200);
        const QRect frame = window->frameGeometry();
        const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        EXPECT_TRUE(shot.save(QDir(dir).filePath(QString::fromLatin1(file))));
    }
}
