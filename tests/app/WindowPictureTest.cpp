// What the user sees of a document's windows once it is opened, started on,
// imported, rebuilt, closed: every frame with its caption, place and state,
// the stacking of the shown ones, the active one (as the program and as the
// window system know it), the Window menu, the main window's caption and
// menu, the workspace tree and the status panes. However the windows are
// made, the picture after each operation is the one written here.
#include "AppDocsFixture.h"

#include "app/HOXWorkspaceBar.h"
#include "convert/ChartBuilding.h"
#include "convert/HOXExport.h"
#include "convert/HOXProgReader.h"
#include "convert/HOXUnitTypeDlg.h"
#include "params/HOXParam.h"
#include "platform/MenuResource.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/TreeCtrl.h"
#include "platform/ui/QtChildFrame.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

using kt::test::AppDocsFixture;
using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedFiles;
using kt::test::ScriptedMessages;

namespace {

QString RectText(const CRect& r)
{
    return QStringLiteral("(%1,%2,%3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

class WindowPictureTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        QDir(m_dir.path()).mkpath(QStringLiteral("texts"));
    }

    // One line a fact, in an order that reads from the main window inwards;
    // taken when the program idles, once the toolbars and panes have asked
    // for their state again.
    QStringList Picture() const
    {
        QApplication::processEvents();
        Window()->UpdateCommandStates();
        QStringList lines;
        lines << QStringLiteral("main \"%1\" menu %2").arg(MainTitle()).arg(Window()->MenuId());
        // A maximized frame's place is the client area's, whatever the
        // screen's size.
        const QRect client = Window()->MdiArea()->viewport()->rect();
        const CRect clientRect(client.left(), client.top(), client.left() + client.width(),
                               client.top() + client.height());
        for (CMDIChildWnd* frame : Frames()) {
            const CRect place = frame->GetWindowRect();
            const bool fills = frame->IsZoomed() && place == clientRect;
            QString line = QStringLiteral("frame \"%1\" %2 %3")
                               .arg(frame->GetWindowText(), frame->IsWindowVisible() ? "shown" : "hidden",
                                    fills ? QStringLiteral("(client area)") : RectText(place));
            if (frame->IsZoomed()) line += QStringLiteral(" maximized");
            if (frame->IsIconic()) line += QStringLiteral(" minimized");
            lines << line;
        }
        QStringList stack;
        for (QMdiSubWindow* window : Window()->MdiArea()->subWindowList(QMdiArea::StackingOrder))
            if (!window->isHidden()) stack << window->windowTitle();
        lines << QStringLiteral("stacked ") + stack.join(QStringLiteral(" < "));
        const QMdiSubWindow* shownActive = Window()->MdiArea()->activeSubWindow();
        lines << QStringLiteral("active \"%1\" shown active \"%2\"")
                     .arg(ActiveTitle(), shownActive != nullptr ? shownActive->windowTitle() : QString());
        for (int i = 0; i < kMaxWindowListEntries; ++i) {
            const CCmdUI entry = GetCommandRouter()->QueryState(kFirstWindowListCommand + static_cast<UINT>(i));
            if (entry.m_strText.isEmpty()) continue;
            lines << QStringLiteral("window menu %1%2").arg(entry.m_strText, entry.m_nCheck != 0 ? " checked" : "");
        }
        const CTreeCtrl& tree = Main()->GetWorkspaceBar()->GetTreeCtrl();
        TreeLines(tree, TVI_ROOT, 0, lines);
        lines << QStringLiteral("status \"%1\" \"%2\"").arg(Window()->StatusText(1), Window()->StatusText(2));
        return lines;
    }

    static void TreeLines(const CTreeCtrl& tree, HTREEITEM parent, int depth, QStringList& lines)
    {
        for (HTREEITEM item : tree.GetChildren(parent)) {
            QString line = QStringLiteral("tree ") + QString(depth * 2, u' ') + tree.GetItemText(item);
            if (tree.IsExpanded(item)) line += QStringLiteral(" +");
            if (tree.GetSelectedItem() == item) line += QStringLiteral(" selected");
            lines << line;
            TreeLines(tree, item, depth + 1, lines);
        }
    }

    static std::string Text(const QStringList& lines)
    {
        return (QStringLiteral("\n") + lines.join(u'\n')).toStdString();
    }

    // press.hox: four charts with symbols, the frames moved apart, the
    // third one maximized last.
    QString SaveDocumentOfSeveralCharts()
    {
        CHOXDoc* doc = NewDocument();
        EXPECT_NE(doc, nullptr);
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QStringLiteral("second"), 1);
        Main()->CreateFlowChartWindow(QStringLiteral("Subtask"), QString(), 0);
        Main()->CreateFlowChartWindow(QStringLiteral("Main"), QString(), 2);
        MonitorFrame()->MoveWindow(CRect(5, 6, 405, 306));
        ChartFrame(QStringLiteral("Flow Chart1"))->MoveWindow(CRect(30, 40, 530, 340));
        ChartFrame(QStringLiteral("Flow Chart2"))->MoveWindow(CRect(60, 70, 460, 270));
        ChartFrame(QStringLiteral("Subtask"))->MoveWindow(CRect(90, 100, 590, 400));
        ChartFrame(QStringLiteral("Main"))->MoveWindow(CRect(120, 130, 620, 430));
        const QString path = Path(QStringLiteral("press.hox"));
        EXPECT_TRUE(doc->OnSaveDocument(path));
        doc->SetModifiedFlag(false);
        EXPECT_TRUE(m_app->CloseOpenDocument());
        return path;
    }

    QString WriteText(const QString& name, const QStringList& program)
    {
        CHOXDoc doc;
        doc.SetControllerType(1);
        doc.GetParam().SetDefaults();
        CHOXExport exporter(&doc);
        exporter.FormatParameters();
        const QString text = exporter.GetParameterText() + QStringLiteral("[Program]\n") + program.join(u'\n');
        const QString path = Path(QStringLiteral("texts/") + name);
        EXPECT_TRUE(textfile::Write(path, text, nullptr));
        return path;
    }

    static QStringList ThreePrograms()
    {
        return {"OX1", "LD X0", "m02", "OY2", "cod00 y100 f1000", "m02", "P5", "m11", "RET", "OX3", "CALL P5", "m02"};
    }

    static QString Completed() { return LoadStr(13529); }
};

// The workspace tree down to the charts' group, which a document opens.
const QStringList kTreeToCharts = {
    "tree HOX Windows +",
    "tree   Monitoring",
    "tree   Parameter +",
    "tree     Positioning",
    "tree       Units",
    "tree       Machine Zero",
    "tree       Speed",
    "tree       Settings",
    "tree     IO Control",
    "tree       Program Number",
    "tree       MCode",
    "tree       Manual Pulse Generator",
    "tree       Absolute Position",
    "tree       Others",
    "tree     System",
    "tree       System",
    "tree       Subtask",
    "tree   Flow Chart +",
};

// The windows' lines, the tree with the charts' items and the status panes.
QStringList Expected(QStringList windows, const QStringList& charts, const char* steps)
{
    windows << kTreeToCharts;
    for (const QString& chart : charts) windows << QStringLiteral("tree     ") + chart;
    windows << QStringLiteral("status \"ZA-20VI ZOZ\" \"%1\"").arg(QString::fromLatin1(steps));
    return windows;
}

const QStringList kPressCharts = {"Flow Chart1", "Flow Chart2", "Subtask", "Main"};

} // namespace

TEST_F(WindowPictureTest, OpeningADocumentOfSeveralCharts)
{
    ASSERT_TRUE(Start());
    const QString path = SaveDocumentOfSeveralCharts();
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_EQ(Text(Picture()), Text(Expected({"main \"RQT4P-VEDID-E - press.hox\" menu 1003",
                                              "frame \"Monitoring Window\" shown (5,6,405,306)",
                                              "frame \"Flow Chart1\" shown (30,40,530,340)",
                                              "frame \"Flow Chart2\" shown (60,70,460,270)",
                                              "frame \"Subtask\" shown (90,100,590,400)",
                                              "frame \"Main\" shown (120,130,620,430)",
                                              "stacked Flow Chart1 < Flow Chart2 < Subtask < Main < Monitoring Window",
                                              "active \"Monitoring Window\" shown active \"\"",
                                              "window menu &1 Monitoring Window checked",
                                              "window menu &2 Flow Chart1",
                                              "window menu &3 Flow Chart2",
                                              "window menu &4 Subtask",
                                              "window menu &5 Main"},
                                             kPressCharts, "Steps 18")));

    // Closing one chart frame hands on to its neighbour.
    ChartFrame(QStringLiteral("Flow Chart2"))->MDIActivate();
    ChartFrame(QStringLiteral("Flow Chart2"))->Host()->Show(SW_SHOWMAXIMIZED);
    static_cast<QtChildFrameHost*>(ChartFrame(QStringLiteral("Flow Chart2"))->Host())->Window()->close();
    EXPECT_EQ(Text(Picture()), Text(Expected({"main \"RQT4P-VEDID-E - press.hox - [Flow Chart1]\" menu 1002",
                                              "frame \"Monitoring Window\" shown (5,6,405,306)",
                                              "frame \"Flow Chart1\" shown (client area) maximized",
                                              "frame \"Flow Chart2\" hidden (60,70,460,270)",
                                              "frame \"Subtask\" shown (90,100,590,400)",
                                              "frame \"Main\" shown (120,130,620,430)",
                                              "stacked Subtask < Main < Monitoring Window < Flow Chart1",
                                              "active \"Flow Chart1\" shown active \"Flow Chart1\"",
                                              "window menu &1 Monitoring Window",
                                              "window menu &2 Flow Chart1 checked",
                                              "window menu &3 Subtask",
                                              "window menu &4 Main"},
                                             kPressCharts, "Steps 18")));

    // Opening it again closes the one open first.
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_EQ(Text(Picture()), Text(Expected({"main \"RQT4P-VEDID-E - press.hox\" menu 1003",
                                              "frame \"Monitoring Window\" shown (5,6,405,306)",
                                              "frame \"Flow Chart1\" shown (30,40,530,340)",
                                              "frame \"Flow Chart2\" shown (60,70,460,270)",
                                              "frame \"Subtask\" shown (90,100,590,400)",
                                              "frame \"Main\" shown (120,130,620,430)",
                                              "stacked Flow Chart1 < Flow Chart2 < Subtask < Main < Monitoring Window",
                                              "active \"Monitoring Window\" shown active \"Monitoring Window\"",
                                              "window menu &1 Monitoring Window checked",
                                              "window menu &2 Flow Chart1",
                                              "window menu &3 Flow Chart2",
                                              "window menu &4 Subtask",
                                              "window menu &5 Main"},
                                             kPressCharts, "Steps 18")));
}

TEST_F(WindowPictureTest, StartingOnADocumentOfSeveralCharts)
{
    ASSERT_TRUE(Start());
    const QString path = SaveDocumentOfSeveralCharts();
    m_app.reset();
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(Text(Picture()), Text(Expected({"main \"RQT4P-VEDID-E - press.hox\" menu 1003",
                                              "frame \"Monitoring Window\" shown (5,6,405,306)",
                                              "frame \"Flow Chart1\" shown (30,40,530,340)",
                                              "frame \"Flow Chart2\" shown (60,70,460,270)",
                                              "frame \"Subtask\" shown (90,100,590,400)",
                                              "frame \"Main\" shown (120,130,620,430)",
                                              "stacked Flow Chart1 < Flow Chart2 < Subtask < Main < Monitoring Window",
                                              "active \"Monitoring Window\" shown active \"Monitoring Window\"",
                                              "window menu &1 Monitoring Window checked",
                                              "window menu &2 Flow Chart1",
                                              "window menu &3 Flow Chart2",
                                              "window menu &4 Subtask",
                                              "window menu &5 Main"},
                                             kPressCharts, "Steps 18")));
}

TEST_F(WindowPictureTest, ClosingTheDocument)
{
    ASSERT_TRUE(Start());
    const QString path = SaveDocumentOfSeveralCharts();
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE));
    EXPECT_EQ(Text(Picture()), Text({"main \"RQT4P-VEDID-E\" menu 2", "stacked ", "active \"\" shown active \"\"",
                                     "status \"\" \"\""}));
}

TEST_F(WindowPictureTest, ImportingIntoANewDocument)
{
    ASSERT_TRUE(Start());
    const QString text = WriteText(QStringLiteral("three.txt"), ThreePrograms());
    ScriptedDialogs dialogs;
    dialogs.Expect(387, [](DialogDriver& d) { d.Click(IDCANCEL); });
    dialogs.Expect(CHOXUnitTypeDlg::kTemplate, [](DialogDriver& d) {
        d.Click(1570);
        d.Click(IDOK);
    });
    ScriptedMessages messages;
    messages.Expect(Completed(), MB_OK | MB_ICONEXCLAMATION, IDOK);
    ScriptedFiles files;
    files.Expect(text);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_IMPORT_TEXT));
    EXPECT_EQ(Text(Picture()),
              Text(Expected({"main \"RQT4P-VEDID-E - Untitled.hox\" menu 1002",
                             "frame \"Monitoring Window\" shown (0,0,550,350)",
                             "frame \"Flow Chart1\" shown (20,20,570,370)",
                             "frame \"Flow Chart2\" shown (40,40,590,390)",
                             "frame \"Flow Chart3\" shown (60,60,610,410)",
                             "frame \"Flow Chart4\" shown (80,80,630,430)",
                             "stacked Monitoring Window < Flow Chart1 < Flow Chart2 < Flow Chart3 < Flow Chart4",
                             "active \"Flow Chart4\" shown active \"\"",
                             "window menu &1 Monitoring Window",
                             "window menu &2 Flow Chart1",
                             "window menu &3 Flow Chart2",
                             "window menu &4 Flow Chart3",
                             "window menu &5 Flow Chart4 checked"},
                            {"Flow Chart1", "Flow Chart2", "Flow Chart3", "Flow Chart4"}, "Steps 33")));
}

TEST_F(WindowPictureTest, ImportingIntoTheOpenDocument)
{
    ASSERT_TRUE(Start());
    const QString path = SaveDocumentOfSeveralCharts();
    ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    const QString text = WriteText(QStringLiteral("three.txt"), ThreePrograms());
    ScriptedMessages messages;
    messages.Expect(LoadStr(14000), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, IDYES)
        .Expect(Completed(), MB_OK | MB_ICONEXCLAMATION, IDOK);
    ScriptedFiles files;
    files.Expect(text);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_IMPORT_TEXT));
    EXPECT_EQ(Text(Picture()),
              Text(Expected({"main \"RQT4P-VEDID-E - press.hox\" menu 1002",
                             "frame \"Monitoring Window\" shown (5,6,405,306)",
                             "frame \"Flow Chart1\" shown (30,40,530,340)",
                             "frame \"Flow Chart2\" shown (60,70,460,270)",
                             "frame \"Subtask\" shown (90,100,590,400)",
                             "frame \"Main\" shown (120,130,620,430)",
                             "frame \"Flow Chart5\" shown (100,100,650,450)",
                             "frame \"Flow Chart6\" shown (120,120,670,470)",
                             "frame \"Flow Chart7\" shown (140,140,690,490)",
                             "frame \"Flow Chart8\" shown (160,160,710,510)",
                             "stacked Flow Chart1 < Flow Chart2 < Subtask < Main < Monitoring Window < Flow Chart5 < "
                             "Flow Chart6 < Flow Chart7 < Flow Chart8",
                             "active \"Flow Chart8\" shown active \"\"",
                             "window menu &1 Monitoring Window",
                             "window menu &2 Flow Chart1",
                             "window menu &3 Flow Chart2",
                             "window menu &4 Subtask",
                             "window menu &5 Main",
                             "window menu &6 Flow Chart5",
                             "window menu &7 Flow Chart6",
                             "window menu &8 Flow Chart7",
                             "window menu &9 Flow Chart8 checked"},
                            {"Flow Chart1", "Flow Chart2", "Subtask", "Main", "Flow Chart5", "Flow Chart6",
                             "Flow Chart7", "Flow Chart8"},
                            "Steps 51")));
}

TEST_F(WindowPictureTest, RebuildingAProgramRead)
{
    ASSERT_TRUE(Start());
    // As the read makes its document: the bars, the tree, the monitor
    // window alone.
    Main()->FillSymbolPalette();
    Main()->RebuildWorkspaceTree();
    Main()->ShowFlowChartBars();
    Main()->ShowEditBars();
    m_app->m_nFrameAtOrigin = 1;
    CHOXDoc* doc = m_app->CreateMonitorDocument();
    ASSERT_NE(doc, nullptr);
    doc->SetControllerType(1);
    doc->OnNewDocument();
    CHOXProgReader reader(doc);
    reader.SetControllerType(1);
    reader.ResetJumpCounts();
    reader.SplitStatements(ThreePrograms().join(QStringLiteral(";")) + QStringLiteral(";"));
    reader.GenerateFlowCharts();
    EXPECT_EQ(Text(Picture()),
              Text(Expected({"main \"RQT4P-VEDID-E - Untitled.hox\" menu 1002",
                             "frame \"Monitoring Window\" shown (0,0,550,350)",
                             "frame \"Flow Chart2\" shown (20,20,570,370)",
                             "frame \"Flow Chart3\" shown (40,40,590,390)",
                             "frame \"Flow Chart4\" shown (60,60,610,410)",
                             "frame \"Flow Chart5\" shown (80,80,630,430)",
                             "stacked Monitoring Window < Flow Chart2 < Flow Chart3 < Flow Chart4 < Flow Chart5",
                             "active \"Flow Chart5\" shown active \"Flow Chart5\"",
                             "window menu &1 Monitoring Window",
                             "window menu &2 Flow Chart2",
                             "window menu &3 Flow Chart3",
                             "window menu &4 Flow Chart4",
                             "window menu &5 Flow Chart5 checked"},
                            {"Flow Chart2", "Flow Chart3", "Flow Chart4", "Flow Chart5"}, "Steps 33")));
}

TEST_F(WindowPictureTest, ANewDocument)
{
    ASSERT_TRUE(Start());
    NewDocument();
    EXPECT_EQ(Text(Picture()), Text(Expected({"main \"RQT4P-VEDID-E - Untitled.hox\" menu 1002",
                                              "frame \"Monitoring Window\" shown (0,0,550,350)",
                                              "frame \"Flow Chart1\" shown (20,20,570,370)",
                                              "stacked Monitoring Window < Flow Chart1",
                                              "active \"Flow Chart1\" shown active \"\"",
                                              "window menu &1 Monitoring Window",
                                              "window menu &2 Flow Chart1 checked"},
                                             {"Flow Chart1"}, "Steps 5")));
}
