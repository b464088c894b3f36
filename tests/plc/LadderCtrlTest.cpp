// The ladder display: drawing what the layout gives on white, and the control
// in a rendered dialog, where clicks, drags and the context menu change
// nothing, focus changes repaint it and its scroll position follows the
// owner's range.
#include "plc/HOXLadderCtrl.h"

#include "LadderTestSupport.h"
#include "chart/RecordingPainter.h"
#include "platform/DC.h"
#include "platform/Dialog.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtDrawnControl.h"
#include "plc/LadderLayout.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using kt::test::RecordingPaintDevice;
using kt::test::RecordingPaintEngine;
using Shape = ladder::Primitive::Shape;

namespace {

constexpr int kOneRow = 8209;
constexpr int kTwoRows = 8210;
constexpr int kEmpty = 8211;
constexpr int kEdit = 100;

// A ladder that counts its paints.
class CountingLadder : public CHOXLadderCtrl {
public:
    void OnPaint(CDC& dc, const CRect& client) override
    {
        ++paints;
        CHOXLadderCtrl::OnPaint(dc, client);
    }
    int paints = 0;
};

class LadderDlg : public CDialog {
public:
    LadderDlg() : CDialog(Parse()) {}
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(R"({
          "id": 9101, "caption": "Ladders", "size": [190, 170],
          "rows": [
            [{"id": 100, "kind": "edit"}],
            [{"id": 8209, "kind": "ladder", "tabstop": true, "width": 176, "height": 44}],
            [{"id": 8210, "kind": "ladder", "tabstop": true, "width": 176, "height": 58}],
            [{"id": 8211, "kind": "ladder", "width": 176, "height": 20}]
          ],
          "buttons": [{"id": 1, "kind": "button", "text": "OK", "default": true},
                      {"id": 2, "kind": "button", "text": "Cancel"}]
        })",
                                       &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        kt::test::Fill(one, kt::test::MakeLadder({kt::test::OneRowFrom()}));
        kt::test::Fill(two, kt::test::FounSeqPage1());
        attached = one.SubclassDlgItem(kOneRow, this) && two.SubclassDlgItem(kTwoRows, this) &&
                   empty.SubclassDlgItem(kEmpty, this);
        editTaken = edit.SubclassDlgItem(kEdit, this);
        GotoDlgCtrl(kEdit);
        return false;
    }
    void OnMouseButtonDown(int) override { ++dialogClicks; }

    CountingLadder one;
    CountingLadder two;
    CountingLadder empty;
    CountingLadder edit; // never hosted: an edit is no host
    bool attached = false;
    bool editTaken = true;
    int dialogClicks = 0;
};

// The dialog shown on the test platform, with its ladder hosts.
class RenderedLadders : public ::testing::Test {
protected:
    void SetUp() override
    {
        site = std::make_unique<QtDialogSite>(dlg, nullptr);
        ASSERT_TRUE(site->Initialize());
        site->Window()->show();
        site->Window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(site->Window()));
        QCoreApplication::processEvents();
    }
    void TearDown() override { site.reset(); }
    QtDrawnControl* Host(int id) const { return dynamic_cast<QtDrawnControl*>(site->Control(id)); }

    LadderDlg dlg;
    std::unique_ptr<QtDialogSite> site;
};

bool AllWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return false;
    return true;
}

CRect Unpadded(const QRectF& r)
{
    // CDC outlines keep the one-pixel pen inside the rectangle.
    return CRect(static_cast<LONG>(std::lround(r.left() - 0.5)), static_cast<LONG>(std::lround(r.top() - 0.5)),
                 static_cast<LONG>(std::lround(r.right() + 0.5)), static_cast<LONG>(std::lround(r.bottom() + 0.5)));
}

} // namespace

TEST(LadderCtrl, PaintsWhatTheLayoutGivesOnWhite)
{
    CHOXLadderCtrl ctrl;
    kt::test::Fill(ctrl, kt::test::FounSeqPage1());
    ctrl.AddBlock(kt::test::MakeRow({{1, ""}, {7, "= D100 K5"}, {9, "X17"}, {8, "M200"}, {11, ""}, {2, ""}}, 16, 120));
    ctrl.SetScrollRange(0, 5);
    ctrl.SetScrollPos(2);
    const CRect client(0, 0, 400, 200);

    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        ctrl.OnPaint(dc, client);
    }
    // The same walk with the font's own widths, character by character.
    RecordingPaintDevice measureDevice;
    QPainter measurePainter(&measureDevice);
    CDC measure(measurePainter);
    measure.SelectFont(CHOXLadderCtrl::LadderFont());
    const auto byCharacter = [&measure](const QString& text) {
        int sum = 0;
        for (const QChar c : text) sum += static_cast<int>(measure.GetTextExtent(QString(c)).cx);
        return sum;
    };
    const ladder::Layout layout = ladder::LayOut(ctrl.GetBlockList(), byCharacter, 2);

    const RecordingPaintEngine& rec = device.Record();
    // First the client area in white.
    ASSERT_FALSE(rec.rects.empty());
    EXPECT_EQ(rec.rects.front().rect, QRectF(0, 0, 400, 200));
    EXPECT_EQ(rec.rects.front().brush.color(), QColor(Qt::white));
    EXPECT_EQ(rec.rects.front().pen.style(), Qt::NoPen);

    std::vector<ladder::Primitive> lines, outlines, ellipses, texts;
    for (const ladder::Primitive& p : layout.primitives) {
        auto& list = p.shape == Shape::Line        ? lines
                     : p.shape == Shape::Rectangle ? outlines
                     : p.shape == Shape::Ellipse   ? ellipses
                                                   : texts;
        list.push_back(p);
    }
    ASSERT_EQ(rec.lines.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(rec.lines[i].line, QLineF(lines[i].a.x, lines[i].a.y, lines[i].b.x, lines[i].b.y)) << i;
        EXPECT_EQ(rec.lines[i].pen.color(), QColor(Qt::black));
    }
    // Outlined rectangles; the others are the white behind texts.
    std::vector<CRect> drawnOutlines;
    for (const auto& r : rec.rects)
        if (r.pen.style() != Qt::NoPen) {
            drawnOutlines.push_back(Unpadded(r.rect));
            EXPECT_EQ(r.brush.color(), QColor(Qt::white));
        }
    ASSERT_EQ(drawnOutlines.size(), outlines.size());
    for (std::size_t i = 0; i < outlines.size(); ++i) EXPECT_EQ(drawnOutlines[i], CRect(outlines[i].a, outlines[i].b));
    ASSERT_EQ(rec.ellipses.size(), ellipses.size());
    for (std::size_t i = 0; i < ellipses.size(); ++i)
        EXPECT_EQ(Unpadded(rec.ellipses[i].rect), CRect(ellipses[i].a, ellipses[i].b));
    ASSERT_EQ(rec.texts.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(rec.texts[i].text, texts[i].text);
        EXPECT_EQ(device.TextOrigin(rec.texts[i]), QPoint(texts[i].a.x, texts[i].a.y)) << i;
        EXPECT_EQ(rec.texts[i].font.pixelSize(), 12);
        EXPECT_EQ(rec.texts[i].font.weight(), QFont::Normal);
    }
    // The rows stand 12 pixels higher at scroll position 2.
    EXPECT_EQ(lines.front(), (ladder::Primitive{Shape::Line, {16, 4}, {16, 36}, {}}));
}

TEST(LadderCtrl, WithoutBlocksItPaintsWhiteOnly)
{
    CHOXLadderCtrl ctrl;
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        CDC dc(painter);
        ctrl.OnPaint(dc, CRect(0, 0, 50, 20));
    }
    const RecordingPaintEngine& rec = device.Record();
    ASSERT_EQ(rec.rects.size(), 1u);
    EXPECT_EQ(rec.rects.front().brush.color(), QColor(Qt::white));
    EXPECT_TRUE(rec.lines.empty());
    EXPECT_TRUE(rec.texts.empty());

    // Rebuilding starts from nothing.
    kt::test::Fill(ctrl, kt::test::FounSeqPage1());
    EXPECT_EQ(ctrl.GetBlockList().size(), 2u);
    ctrl.RemoveAllBlocks();
    EXPECT_TRUE(ctrl.GetBlockList().empty());
}

TEST_F(RenderedLadders, LaddersAreHostedAndDrawn)
{
    EXPECT_TRUE(dlg.attached);
    EXPECT_FALSE(dlg.editTaken);
    EXPECT_FALSE(dlg.one.SubclassDlgItem(4711, &dlg));
    ASSERT_NE(Host(kOneRow), nullptr);
    EXPECT_EQ(Host(kOneRow)->Control(), &dlg.one);
    EXPECT_TRUE(dlg.one.IsAttached());

    // An empty ladder is white inside its border; the others are drawn.
    EXPECT_TRUE(AllWhite(Host(kEmpty)->viewport()->grab().toImage()));
    EXPECT_FALSE(AllWhite(Host(kOneRow)->viewport()->grab().toImage()));
    EXPECT_FALSE(AllWhite(Host(kTwoRows)->viewport()->grab().toImage()));
    EXPECT_GT(dlg.one.paints, 0);

    // A ladder that outlives its dialog's window is let go.
    site.reset();
    EXPECT_FALSE(dlg.one.IsAttached());
    EXPECT_EQ(dlg.one.GetClientRect(), CRect());
}

TEST_F(RenderedLadders, ClicksDragsAndTheContextMenuChangeNothing)
{
    QWidget* viewport = Host(kTwoRows)->viewport();
    const QImage before = viewport->grab().toImage();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(site->GetFocus(), kEdit);

    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(dlg.two.IsTracking());
    QTest::mouseMove(viewport, QPoint(120, 40));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_FALSE(dlg.two.IsTracking());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(60, 32));
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(60, 32));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(60, 32), viewport->mapToGlobal(QPoint(60, 32)));
    QApplication::sendEvent(viewport, &menu);
    QCoreApplication::processEvents();

    EXPECT_TRUE(menu.isAccepted());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(dlg.two.IsTracking());
    // The focus stayed, the dialog saw no click, and the picture is the same.
    EXPECT_EQ(site->GetFocus(), kEdit);
    EXPECT_EQ(QApplication::focusWidget(), focused);
    EXPECT_EQ(dlg.dialogClicks, 0);
    EXPECT_EQ(dlg.two.GetBlockList().size(), 2u);
    EXPECT_EQ(dlg.two.GetScrollPos(), 0);
    EXPECT_EQ(viewport->grab().toImage(), before);
}

TEST_F(RenderedLadders, FocusChangesRepaint)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(site->Window()));
    const int before = dlg.one.paints;
    site->SetFocus(kOneRow);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg.one.HasFocus());
    EXPECT_GT(dlg.one.paints, before);

    const int focused = dlg.one.paints;
    site->SetFocus(kEdit);
    QCoreApplication::processEvents();
    EXPECT_FALSE(dlg.one.HasFocus());
    EXPECT_GT(dlg.one.paints, focused);
}

TEST_F(RenderedLadders, ScrollPositionStaysInTheOwnersRange)
{
    QtDrawnControl* host = Host(kTwoRows);
    QScrollBar* bar = host->verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 0);

    dlg.two.SetScrollRange(0, 4);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 4);
    // The user scrolls; the drawing follows.
    bar->setValue(3);
    EXPECT_EQ(dlg.two.GetScrollPos(), 3);
    const int painted = dlg.two.paints;
    QCoreApplication::processEvents();
    EXPECT_GT(dlg.two.paints, painted);

    dlg.two.SetScrollPos(9);
    EXPECT_EQ(dlg.two.GetScrollPos(), 4);
    EXPECT_EQ(bar->value(), 4);
    dlg.two.SetScrollRange(0, 2);
    EXPECT_EQ(dlg.two.GetScrollPos(), 2);
    EXPECT_EQ(bar->value(), 2);
}

TEST(DrawnControlHost, AControlHasOneHostAtATime)
{
    QtDrawnControl first(nullptr);
    QtDrawnControl second(nullptr);
    auto ctrl = std::make_unique<CHOXLadderCtrl>();
    ctrl->SetScrollRange(0, 7);
    ctrl->SetScrollPos(5);
    first.Attach(ctrl.get());
    EXPECT_EQ(first.verticalScrollBar()->value(), 5);
    second.Attach(ctrl.get());
    EXPECT_EQ(first.Control(), nullptr);
    EXPECT_EQ(second.Control(), ctrl.get());
    EXPECT_EQ(ctrl->Host(), &second);
    EXPECT_EQ(second.verticalScrollBar()->maximum(), 7);
    // A control that goes first leaves no dangling host behind.
    ctrl.reset();
    EXPECT_EQ(second.Control(), nullptr);
    EXPECT_EQ(second.verticalScrollBar()->maximum(), 0);
}

TEST_F(RenderedLadders, ShowsAOneRowAndATwoRowLadder)
{
    // Both ladders take ink in their own rows: the two-row one down to its
    // branch row, 64 pixels from its top.
    const QImage two = Host(kTwoRows)->viewport()->grab().toImage();
    EXPECT_FALSE(AllWhite(two.copy(0, 60, two.width(), 10)));
    const QImage one = Host(kOneRow)->viewport()->grab().toImage();
    EXPECT_FALSE(AllWhite(one.copy(0, 28, one.width(), 8)));

    // Under a real display, a picture of the screen for the reviewer.
    const QString dir = qEnvironmentVariable("KT_SCREENSHOT_DIR");
    if (dir.isEmpty() || QGuiApplication::platformName() == u"offscreen") return;
    QWidget* window = site->Window();
    window->raise();
    QTest::qWait(200);
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    EXPECT_TRUE(shot.save(QDir(dir).filePath(QStringLiteral("ladder-dialog.png"))));
}
