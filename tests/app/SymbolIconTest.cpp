// The application's symbol pictures: the table of names and states, loading
// at start-up, lookup, and drawing a symbol's picture on screen and paper.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/SymbolIconTable.h"
#include "chart/HOXSystemIcon.h"
#include "platform/DC.h"
#include "platform/Resources.h"
#include "platform/ui/QtFrameWindow.h"
#include "support/Scripted.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>
#include <set>

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::TempSettings;

namespace {

struct Expected {
    const char* name;
    UINT normal, error, missing;
};

// Every symbol name with the resource of each state (0: no picture).
const Expected kExpected[] = {
    {"START", 4014, 4082, 4094}, {"END", 4009, 0, 4095}, {"SUBROUTINE", 4007, 4086, 0}, {"RET", 4013, 0, 0},
    {"SUBROUTINE CALL", 4015, 4085, 0}, {"JUMP", 4010, 4084, 0}, {"POINTER", 4011, 4087, 0},
    {"CONDITIONAL JUMP", 4008, 0, 0}, {"PROGRAM in TEXT", 4012, 4083, 0}, {"JUMPWEND", 390, 0, 0},
    {"DRIVE", 4034, 0, 0}, {"DRIVE TO ZERO", 4035, 0, 0}, {"LINEAR", 4038, 0, 0}, {"CIRCULAR", 4032, 0, 0},
    {"INCREMENTAL OR ABSOLUTE", 4036, 0, 0}, {"TIMER", 4030, 0, 0}, {"SET ADDRESS", 4040, 0, 0},
    {"CHK", 4031, 0, 0}, {"DRVR", 4029, 0, 0}, {"INTERRUPT", 4037, 0, 0}, {"COMPENSATION", 4033, 0, 0},
    {"MCODE", 4039, 0, 0}, {"LINEAR INT", 4024, 0, 0}, {"CIRCULAR CW", 4018, 0, 0},
    {"CIRCULAR CCW", 4017, 0, 0}, {"INCREMENTAL", 4023, 0, 0}, {"ABSOLUTE", 4025, 0, 0}, {"SETR", 4028, 0, 0},
    {"ONE STEP INTERRUPT", 4027, 0, 0}, {"TWO STEP INTERRUPT", 4022, 0, 0}, {"MOVE COMPENSATION", 4020, 0, 0},
    {"CENTER COMPENSATION", 4019, 0, 0}, {"RADIOUS COMPENSATION", 4021, 0, 0},
    {"CANCEL COMPENSATION", 4016, 0, 0}, {"REPEAT", 4047, 0, 0}, {"MOVE", 4046, 0, 0}, {"BCD - BIN", 4043, 0, 0},
    {"ARITHMETIC", 4042, 0, 0}, {"LOGICAL", 4045, 0, 0}, {"X-ABSOLUTE", 4049, 0, 0},
    {"EXTERNAL DIGITAL SWITCH", 4044, 0, 0}, {"SEGMENT DISPLAY", 4048, 0, 0}, {"SET", 4041, 0, 0},
    {"REPEAT END", 4057, 0, 0}, {"MAGNIFICATION MOVE", 4054, 0, 0}, {"REDUCTION MOVE", 4056, 0, 0},
    {"BIN - BCD", 4050, 0, 0}, {"SUBTRACT", 4059, 0, 0}, {"MULTIPLY", 4055, 0, 0}, {"DIVISION", 4052, 0, 0},
    {"INCREMENT", 4053, 0, 0}, {"DECREMENT", 4051, 0, 0}, {"COMPLEMENT", 4063, 0, 0}, {"LOGICAL WOR", 4060, 0, 0},
    {"LOGICAL WXOR", 4061, 0, 0}, {"Y-ABSOLUTE", 4062, 0, 0}, {"RESET", 4058, 0, 0}, {"LINEAR 10QW", 4089, 0, 0},
    {"LINEAR INT10QW", 4090, 0, 0},
};

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kWhite = 0xffffffff;

QString Name(const char* name) { return QString::fromLatin1(name); }

QImage Canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kRed);
    return image;
}

// Whether the canvas shows the picture at the device rectangle, each picture
// pixel covering scale x scale device pixels, and red everywhere else.
::testing::AssertionResult ShowsPictureAt(const QImage& canvas, const QImage& picture, QPoint at, int scale)
{
    const QRect area(at, picture.size() * scale);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb expected =
                area.contains(x, y) ? picture.pixel((x - at.x()) / scale, (y - at.y()) / scale) : kRed;
            if (canvas.pixel(x, y) != expected)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                     << canvas.pixel(x, y) << " not " << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

class SymbolIconTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.LoadSymbolIcons(); }

    // Draws through the document onto a red canvas with the mapping
    // num / 100 and the scroll origin.
    QImage Draw(const QString& name, int state, CPoint at, int num = 100, CPoint origin = CPoint(0, 0),
                bool printing = false, bool* drawn = nullptr)
    {
        QImage canvas = Canvas(200, 100);
        QPainter painter(&canvas);
        {
            CDC dc(painter, printing);
            dc.SetMapping(num, num, 100, 100, origin);
            const bool result = CHOXDoc::DrawSymbolIcon(&dc, name, state, at);
            if (drawn != nullptr) *drawn = result;
        }
        painter.end();
        return canvas;
    }

    TempSettings m_settings;
    CHOXApp m_app;
};

} // namespace

TEST(SymbolIconTableTest, ListsEveryNameWithTheResourceOfEachState)
{
    const auto table = SymbolIconTable();
    ASSERT_EQ(table.size(), std::size(kExpected));
    std::set<QString> names;
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(kExpected[i].name);
        EXPECT_STREQ(table[i].name, kExpected[i].name);
        EXPECT_EQ(table[i].normal, kExpected[i].normal);
        EXPECT_EQ(table[i].error, kExpected[i].error);
        EXPECT_EQ(table[i].missing, kExpected[i].missing);
        names.insert(Name(table[i].name));
    }
    EXPECT_EQ(names.size(), 59u);
}

TEST(SymbolIconTableTest, EveryPictureIsOurOwnAndDistinct)
{
    std::map<UINT, QImage> pictures;
    for (const Expected& e : kExpected) {
        for (UINT id : {e.normal, e.error, e.missing}) {
            if (id == 0) continue;
            SCOPED_TRACE(id);
            const QImage picture = LoadBitmapResource(id);
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.size(), QSize(64, 32));
            EXPECT_FALSE(picture.hasAlphaChannel()) << "symbol pictures cover their whole rectangle";
            pictures.emplace(id, picture);
        }
    }
    EXPECT_EQ(pictures.size(), 67u);
    for (auto a = pictures.begin(); a != pictures.end(); ++a)
        for (auto b = std::next(a); b != pictures.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first << " and " << b->first << " look the same";
}

TEST(SymbolIconTableTest, PinPicturesHaveTheirSizes)
{
    const struct {
        UINT id;
        QSize size;
    } cases[] = {{4073, QSize(8, 5)}, {4072, QSize(5, 8)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QImage pin = LoadBitmapResource(c.id);
        ASSERT_FALSE(pin.isNull());
        EXPECT_EQ(pin.size(), c.size);
    }
    // Both point along the flow: the top and bottom pin down, the side pin
    // to the right, widest at the symbol's side.
    const QImage down = LoadBitmapResource(4073);
    EXPECT_EQ(qAlpha(down.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(down.pixel(7, 0)), 255);
    EXPECT_EQ(qAlpha(down.pixel(0, 4)), 0);
    EXPECT_EQ(qAlpha(down.pixel(3, 4)), 255);
    const QImage right = LoadBitmapResource(4072);
    EXPECT_EQ(qAlpha(right.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(right.pixel(0, 7)), 255);
    EXPECT_EQ(qAlpha(right.pixel(4, 0)), 0);
    EXPECT_EQ(qAlpha(right.pixel(4, 3)), 255);
}

TEST_F(SymbolIconTest, LoadsEveryNameAndStateOfTheTable)
{
    EXPECT_EQ(m_app.GetIconCount(), 59u);
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.name);
        const CHOXSystemIcon* icon = m_app.LookupIcon(Name(e.name));
        ASSERT_NE(icon, nullptr);
        const struct {
            int state;
            UINT id;
        } states[] = {{0, e.normal}, {2, e.error}, {3, e.missing}, {1, 0}, {4, 0}, {-1, 0}};
        for (const auto& s : states) {
            SCOPED_TRACE(s.state);
            const QImage* picture = m_app.GetSymbolIcon(Name(e.name), s.state);
            if (s.id == 0) {
                EXPECT_EQ(picture, nullptr);
                continue;
            }
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->size(), QSize(64, 32));
            EXPECT_EQ(icon->GetResourceId(static_cast<UINT>(s.state)), s.id);
            EXPECT_EQ(*picture, LoadBitmapResource(s.id));
        }
    }
}

TEST_F(SymbolIconTest, NamesAreFoundOnlyByTheirExactText)
{
    const struct {
        const char* name;
        bool found;
    } cases[] = {
        {"RADIOUS COMPENSATION", true}, {"Radious Compensation", false}, {"RADIUS COMPENSATION", false},
        {"PROGRAM in TEXT", true},      {"PROGRAM IN TEXT", false},      {"start", false},
        {"START ", false},              {"", false},                     {"BCD - BIN", true},
        {"BCD-BIN", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_app.LookupIcon(Name(c.name)) != nullptr, c.found);
        EXPECT_EQ(m_app.GetSymbolIcon(Name(c.name), 0) != nullptr, c.found);
    }
}

TEST_F(SymbolIconTest, AddIconReplacesTheIconOfAName)
{
    auto icon = std::make_unique<CHOXSystemIcon>();
    icon->LoadBitmap(4009, 0);
    CHOXSystemIcon* added = icon.get();
    m_app.AddIcon(QStringLiteral("START"), std::move(icon));
    EXPECT_EQ(m_app.GetIconCount(), 59u);
    EXPECT_EQ(m_app.LookupIcon(QStringLiteral("START")), added);
    EXPECT_EQ(m_app.GetSymbolIcon(QStringLiteral("START"), 2), nullptr);
}

TEST_F(SymbolIconTest, DrawsThePictureAtTheSymbolsTopLeft)
{
    const struct {
        const char* name;
        int state;
        UINT id;
        CPoint at;
        CPoint origin;
        QPoint device;
    } cases[] = {
        {"START", 0, 4014, {0, 0}, {0, 0}, {0, 0}},
        {"START", 2, 4082, {17, 9}, {0, 0}, {17, 9}},
        {"START", 3, 4094, {100, 50}, {0, 0}, {100, 50}},
        {"END", 3, 4095, {130, 60}, {0, 0}, {130, 60}},
        {"CONDITIONAL JUMP", 0, 4008, {340, 140}, {300, 120}, {40, 20}},
        {"JUMPWEND", 0, 390, {5, 66}, {0, 0}, {5, 66}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool drawn = false;
        const QImage canvas = Draw(Name(c.name), c.state, c.at, 100, c.origin, false, &drawn);
        EXPECT_TRUE(drawn);
        EXPECT_TRUE(ShowsPictureAt(canvas, LoadBitmapResource(c.id), c.device, 1));
    }
}

TEST_F(SymbolIconTest, APictureScalesWithTheZoom)
{
    // Twice the size, pixel for pixel.
    bool drawn = false;
    QImage canvas = Draw(QStringLiteral("DRIVE"), 0, CPoint(10, 5), 200, CPoint(0, 0), false, &drawn);
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(ShowsPictureAt(canvas, LoadBitmapResource(4034), QPoint(20, 10), 2));

    // Half the size: the picture stays inside its 32 by 16 pixels and is
    // filtered, not emptied.
    canvas = Draw(QStringLiteral("DRIVE"), 0, CPoint(40, 20), 50, CPoint(0, 0), false, &drawn);
    EXPECT_TRUE(drawn);
    const QRect area(20, 10, 32, 16);
    int coloured = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (!area.contains(x, y)) {
                ASSERT_EQ(canvas.pixel(x, y), kRed) << x << "," << y;
            } else {
                ASSERT_NE(canvas.pixel(x, y), kRed) << x << "," << y;
                if (canvas.pixel(x, y) != kWhite) ++coloured;
            }
        }
    }
    EXPECT_GT(coloured, 100);
}

TEST_F(SymbolIconTest, LeavesThePaintersFilteringAsItWas)
{
    QImage canvas = Canvas(100, 50);
    QPainter painter(&canvas);
    CDC dc(painter);
    dc.SetMapping(50, 50, 100, 100, CPoint(0, 0));
    EXPECT_TRUE(CHOXDoc::DrawSymbolIcon(&dc, QStringLiteral("TIMER"), 0, CPoint(0, 0)));
    EXPECT_FALSE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
}

TEST_F(SymbolIconTest, AStateWithoutPictureShowsTheNormalOne)
{
    const struct {
        const char* name;
        int state;
        UINT id;
    } cases[] = {{"RET", 2, 4013}, {"RET", 3, 4013}, {"END", 2, 4009}, {"SUBROUTINE", 3, 4007},
                 {"CONDITIONAL JUMP", 1, 4008}, {"DRIVE", 2, 4034}};
    for (bool printing : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.name).arg(c.state).arg(printing).toStdString());
            bool drawn = false;
            const QImage canvas = Draw(Name(c.name), c.state, CPoint(30, 20), 100, CPoint(0, 0), printing, &drawn);
            EXPECT_TRUE(drawn);
            EXPECT_TRUE(ShowsPictureAt(canvas, LoadBitmapResource(c.id), QPoint(30, 20), 1));
        }
    }
}

TEST_F(SymbolIconTest, AnUnknownNameDrawsNothing)
{
    for (bool printing : {false, true}) {
        for (const char* name : {"NO SUCH SYMBOL", "start", ""}) {
            SCOPED_TRACE(name);
            bool drawn = true;
            const QImage canvas = Draw(Name(name), 0, CPoint(10, 10), 100, CPoint(0, 0), printing, &drawn);
            EXPECT_FALSE(drawn);
            EXPECT_EQ(canvas, Canvas(200, 100));
        }
    }
}

TEST_F(SymbolIconTest, PrintingDrawsTheResourceScaledWithTheMapping)
{
    bool drawn = false;
    const QImage canvas = Draw(QStringLiteral("SUBROUTINE CALL"), 2, CPoint(3, 4), 300, CPoint(0, 0), true, &drawn);
    EXPECT_TRUE(drawn);
    const QImage picture = LoadBitmapResource(4085);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ASSERT_EQ(canvas.pixel(x, y), x >= 9 && y >= 12 ? picture.pixel((x - 9) / 3, (y - 12) / 3) : kRed)
                << x << "," << y;
}

TEST(SymbolIconDrawTest, WithoutTheApplicationOrADeviceNothingIsDrawn)
{
    EXPECT_FALSE(CHOXDoc::DrawSymbolIcon(nullptr, QStringLiteral("START"), 0, CPoint(0, 0)));
    if (CHOXApp::Get() != nullptr) return;
    QImage canvas = Canvas(80, 40);
    {
        QPainter painter(&canvas);
        CDC dc(painter);
        EXPECT_FALSE(CHOXDoc::DrawSymbolIcon(&dc, QStringLiteral("START"), 0, CPoint(0, 0)));
    }
    EXPECT_EQ(canvas, Canvas(80, 40));
}

TEST(SymbolIconStartupTest, StartUpLoadsThePicturesAndExitDeletesThem)
{
    TempSettings settings;
    QtWindowFactory windows;
    SetWindowFactory(&windows);
    {
        CHOXApp app;
        EXPECT_EQ(app.GetIconCount(), 0u);
        {
            ScriptedDialogs dialogs;
            dialogs.Expect(2002, [](DialogDriver& d) { d.ClickDialog(Qt::LeftButton); });
            ASSERT_TRUE(app.InitInstance());
        }
        EXPECT_EQ(app.GetIconCount(), 59u);
        ASSERT_NE(app.GetSymbolIcon(QStringLiteral("CONDITIONAL JUMP"), 0), nullptr);
        EXPECT_EQ(app.GetSymbolIcon(QStringLiteral("CONDITIONAL JUMP"), 0)->size(), QSize(64, 32));

        app.ExitInstance();
        EXPECT_EQ(app.GetIconCount(), 0u);
        EXPECT_EQ(app.LookupIcon(QStringLiteral("START")), nullptr);
        EXPECT_EQ(app.GetSymbolIcon(QStringLiteral("START"), 0), nullptr);
    }
    SetWindowFactory(nullptr);
}
