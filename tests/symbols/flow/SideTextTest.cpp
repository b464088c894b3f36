// The text the conditional jump and the program in text draw beside
// themselves: where each line and each branch letter goes, checked by what
// is asked of the device, and drawn offscreen into a picture where the
// letters are found beside the outputs they name.
#include "symbols/flow/HOXFlowCJump.h"
#include "symbols/flow/HOXFlowProgText.h"

#include "app/HOXApp.h"
#include "chart/RecordingPainter.h"
#include "symbols/FlowSymbolTestSupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>

using kt::test::RecordingPaintDevice;

namespace {

class SideTextTest : public kt::test::FlowDocTest {
protected:
    // The texts the symbol's PrintText draws, with their top-left corners.
    static std::vector<std::pair<QString, QPoint>> Printed(CHOXSymbol* symbol)
    {
        RecordingPaintDevice device;
        {
            QPainter painter(&device);
            CDC dc(painter);
            symbol->PrintText(&dc);
        }
        std::vector<std::pair<QString, QPoint>> texts;
        for (const auto& t : device.Record().texts) {
            EXPECT_EQ(t.font, CHOXSymbol::LabelFont());
            texts.emplace_back(t.text, device.TextOrigin(t));
        }
        return texts;
    }

    // The width of a line as the symbols measure it: character by character.
    static int Width(const QString& line)
    {
        RecordingPaintDevice device;
        QPainter painter(&device);
        CDC dc(painter);
        dc.SelectFont(CHOXSymbol::LabelFont());
        int width = 0;
        for (const QChar c : line) width += dc.GetTextExtent(QString(c)).cx;
        return width;
    }

    CHOXFlowCJump* Compare(CPoint at, int negated)
    {
        auto* cjump = Place<CHOXFlowCJump>(chart, at);
        QString message;
        cjump->SetKind(CHOXFlowCJump::kCompareForm);
        cjump->SetNegated(negated);
        cjump->SetCompareOperand1(QStringLiteral("D0"), message);
        cjump->SetCompareOperand2(QStringLiteral("K100"), message);
        cjump->SetCompareCondition(CHOXFlowCJump::kGreaterEqual);
        cjump->UpdateText();
        return cjump;
    }
};

using Texts = std::vector<std::pair<QString, QPoint>>;

} // namespace

TEST_F(SideTextTest, TheConditionalJumpNamesItsBranches)
{
    // Symbol (100, 50, 164, 82): the label ends 2 units before it, its first
    // line 14 above the middle; "Y" beside the output taken when the
    // condition holds, "N" beside the other.
    const int w = Width(QStringLiteral("D0 >= K100"));
    EXPECT_EQ(Printed(Compare(CPoint(100, 50), 0)), (Texts{{QStringLiteral("D0 >= K100"), QPoint(98 - w, 52)},
                                                           {QStringLiteral("Y"), QPoint(166, 68)},
                                                           {QStringLiteral("N"), QPoint(136, 84)}}));
    // CJN jumps when it does not hold.
    EXPECT_EQ(Printed(Compare(CPoint(100, 50), 1)), (Texts{{QStringLiteral("D0 >= K100"), QPoint(98 - w, 52)},
                                                           {QStringLiteral("N"), QPoint(166, 68)},
                                                           {QStringLiteral("Y"), QPoint(136, 84)}}));

    // The bit form: a line per statement; the widest one decides where all
    // begin.
    auto* bit = Place<CHOXFlowCJump>(chart, CPoint(200, 100));
    bit->SetBitCondition(QStringLiteral("LD X0;\nANI X10;"));
    bit->UpdateText();
    const int wb = Width(QStringLiteral("ANI X10;"));
    EXPECT_EQ(Printed(bit), (Texts{{QStringLiteral("LD X0;"), QPoint(198 - wb, 102)},
                                   {QStringLiteral("ANI X10;"), QPoint(198 - wb, 116)},
                                   {QStringLiteral("Y"), QPoint(266, 118)},
                                   {QStringLiteral("N"), QPoint(236, 134)}}));
}

TEST_F(SideTextTest, TheProgramInTextShowsEachFirstStatementWithSingleBlanks)
{
    auto* text = Place<CHOXFlowProgText>(chart, CPoint(300, 50));
    EXPECT_TRUE(Printed(text).empty());
    text->SetText(QStringLiteral("LD   X0; the start\nMOV(FNC12)  K100\tD10;\n  P5;\n"));
    const int w = Width(QStringLiteral("MOV(FNC12) K100 D10;"));
    EXPECT_EQ(Printed(text), (Texts{{QStringLiteral("LD X0;"), QPoint(298 - w, 52)},
                                    {QStringLiteral("MOV(FNC12) K100 D10;"), QPoint(298 - w, 66)},
                                    {QStringLiteral("P5;"), QPoint(298 - w, 80)}}));
}

TEST_F(SideTextTest, DrawnOffscreenTheLettersStandBesideTheirOutputs)
{
    // With the program's symbol pictures, as a chart shows them.
    CHOXApp app;
    app.LoadSymbolIcons();
    auto* cj = Compare(CPoint(180, 30), 0);
    auto* cjn = Compare(CPoint(180, 130), 1);
    auto* text = Place<CHOXFlowProgText>(chart, CPoint(480, 80));
    text->SetText(QStringLiteral("LD X0;\nCJ(FNC00) P5;\nOUT Y0;\n"));
    QImage image(600, 220, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CDC dc(painter);
        for (CHOXSymbol* symbol : std::initializer_list<CHOXSymbol*>{cj, cjn, text}) symbol->Draw(&dc);
    }
    const QString shots = qEnvironmentVariable("KT_SHOTS_DIR");
    if (!shots.isEmpty()) image.save(QDir(shots).filePath(QStringLiteral("side-texts.png")));

    // The letter boxes: right of the jump output, below the other output.
    auto box = [&](const CRect& r, bool side) {
        const QPoint at = side ? QPoint(r.right + 2, r.bottom - 14) : QPoint(r.left + 32 + 4, r.bottom + 2);
        return image.copy(at.x(), at.y(), 10, 16);
    };
    auto inked = [](const QImage& part) {
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                if (QColor(part.pixel(x, y)) != QColor(Qt::white)) return true;
        return false;
    };
    const QImage cjSide = box(cj->GetRect(), true);
    const QImage cjBelow = box(cj->GetRect(), false);
    const QImage cjnSide = box(cjn->GetRect(), true);
    const QImage cjnBelow = box(cjn->GetRect(), false);
    for (const QImage* letter : {&cjSide, &cjBelow, &cjnSide, &cjnBelow}) EXPECT_TRUE(inked(*letter));
    // Two different letters on each symbol, swapped between CJ and CJN.
    EXPECT_NE(cjSide, cjBelow);
    EXPECT_EQ(cjSide, cjnBelow);
    EXPECT_EQ(cjBelow, cjnSide);
    // The labels stand left of the symbols, with nothing drawn to their right
    // but the letters.
    EXPECT_TRUE(inked(image.copy(100, 32, 78, 14)));
    EXPECT_TRUE(inked(image.copy(300, 82, 178, 42)));
    EXPECT_FALSE(inked(image.copy(256, 30, 40, 16)));
}
