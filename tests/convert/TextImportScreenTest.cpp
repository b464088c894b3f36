// An imported program in the running program's windows: File > Import Text
// without a document builds a chart per program and pointer block, and each
// chart's frame shows its column of symbols. With KT_SHOT set to a file
// name the screen is saved there (run under an X server to get a picture).
#include "app/AppDocsFixture.h"

#include "app/HOXRegistry.h"
#include "convert/HOXExport.h"
#include "platform/FileDialog.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

class TextImportScreenTest : public AppDocsFixture {};

} // namespace

TEST_F(TextImportScreenTest, ImportedChartsShowInTheirFrames)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("docs"));
    CHOXRegistry().WriteString("SerializeFileDir", Path(QStringLiteral("docs")));
    ASSERT_TRUE(Start());
    const QString path = Path(QStringLiteral("docs/press.txt"));
    CHOXDoc parameters;
    CHOXExport exporter(&parameters);
    exporter.FormatParameters();
    ASSERT_TRUE(textfile::Write(path,
                                QStringLiteral("[HOX File Name]\npress.hox\n\n") + exporter.GetParameterText() +
                                    QStringLiteral("[Program]\n"
                                                   "   0 0000: OX0;\n   3 0000: cod00(DRV)  x1000  f2000;\n"
                                                   "   9 0001: BRET(FNC05);\n  11 0002: LD  X0;\n  13 0003: AND  X1;\n"
                                                   "  15 0004: CJ(FNC00) P5;\n  19 0005: BRET(FNC05);\n"
                                                   "  21 0006: CALL(FNC02) P7;\n  25 0007: m02(END);\n\n"
                                                   "  27 0000: OY1;\n  30 0000: BRET(FNC05);\n"
                                                   "  32 0001: CMP(FNC10) D0 K100 M10;\n  41 0002: LD M11;\n"
                                                   "  43 0003: CJN(FNC01) P5;\n  47 0004: BRET(FNC05);\n"
                                                   "  49 0005: MOV(FNC12)  K5  D0;\n  56 0006: JMP(FNC04) P5;\n"
                                                   "  60 0007: m02(END);\n\n"
                                                   "  62 ----: P5;\n  64 ----: m10;\n  66 ----: m02(END);\n\n"
                                                   "  68 ----: P7;\n  70 ----: LD X2;\n  72 ----: OUT(FNC90)  Y3;\n"
                                                   "  76 ----: RET(FNC03);\n"),
                                nullptr));
    {
        ScriptedFiles files;
        files.Expect(path);
        ScriptedDialogs dialogs;
        dialogs.Expect(387, [](DialogDriver& d) { d.Click(IDCANCEL); });
        dialogs.Expect(386, [](DialogDriver& d) {
            d.Click(1570);
            d.Click(IDOK);
        });
        ScriptedMessages messages;
        messages.Expect(LoadStr(13529), MB_OK | MB_ICONEXCLAMATION, IDOK);
        ASSERT_TRUE(GetCommandRouter()->Execute(ID_FILE_IMPORT_TEXT));
    }
    ASSERT_NE(Doc(), nullptr);
    const QStringList names{QStringLiteral("Flow Chart1"), QStringLiteral("Flow Chart2"), QStringLiteral("Flow Chart3"),
                            QStringLiteral("Flow Chart4")};
    ASSERT_EQ(Doc()->GetWindowNameList(), names);
    const CRect places[] = {CRect(0, 0, 470, 700), CRect(475, 0, 945, 700), CRect(950, 0, 1420, 345),
                            CRect(950, 350, 1420, 700)};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(ChartFrame(names[i]), nullptr);
        ChartFrame(names[i])->MoveWindow(places[i]);
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
        for (int i = 0; i < 4; ++i) ChartFrame(names[i])->MoveWindow(places[i]);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot));
    }
}
