// Rebuilt charts in the running program's windows: each chart's frame shows
// its column of symbols. With KT_SHOT set to a file name the screen is saved
// there (run under an X server to get a picture).
#include "convert/RebuildFixture.h"

#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

using kt::test::RebuildFixture;

namespace {

class RebuildScreenTest : public RebuildFixture {};

QString L(const char* text) { return QString::fromLatin1(text); }

} // namespace

TEST_F(RebuildScreenTest, RebuiltChartsShowInTheirFrames)
{
    CHOXProgReader& r = Rebuild(L("OX1; m10; BRET; CMP D0 K100 M10; LD M11; OR M12; CJN P5; BRET; cod00 x100 f1000;"
                                  "CALL P7; m02; P5; m11; BRET; LD X0; AND X1; CJ P5; BRET; m12; P7; m13; RET;"),
                                1);
    CHOXDoc* doc = r.GetDocument();
    ASSERT_NE(doc, nullptr);
    const QStringList names{L("Flow Chart2"), L("Flow Chart3"), L("Flow Chart4")};
    ASSERT_EQ(doc->GetWindowNameList(), names);
    const CRect places[] = {CRect(0, 0, 470, 690), CRect(475, 0, 945, 460), CRect(475, 465, 945, 690)};
    for (int i = 0; i < 3; ++i) {
        CMDIChildWnd* frame = ChartFrame(names[i]);
        ASSERT_NE(frame, nullptr);
        frame->MoveWindow(places[i]);
    }
    QApplication::processEvents();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QtChildFrame* window = static_cast<QtChildFrameHost*>(ChartFrame(name)->Host())->Window();
        const QImage image = window->ViewWidget()->viewport()->grab().toImage();
        ASSERT_FALSE(image.isNull());
        // The sheet and the symbols on it: more than one colour.
        const QRgb first = image.pixel(image.width() / 2, 5);
        bool varied = false;
        for (int y = 0; y < image.height() && !varied; y += 3)
            for (int x = 0; x < image.width() && !varied; x += 3) varied = image.pixel(x, y) != first;
        EXPECT_TRUE(varied);
    }

    if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
        Window()->showMaximized();
        for (int i = 0; i < 3; ++i) ChartFrame(names[i])->MoveWindow(places[i]);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot));
    }
}
