// The foundation-sequence pages and their runs: tabs and controls per
// controller type, device lists and ladders that follow edits and spin
// steps, every range message, the unit number's refusal, the order of the
// checks, what each run stores, the copy to the clipboard and Help.
#include "plc/HOXFounSeq.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXFounSeq2Dlg.h"

#include "LadderTestSupport.h"
#include "app/HOXDoc.h"
#include "params/ParamDialogSupport.h"
#include "platform/Clipboard.h"
#include "plc/HOXLadderClip.h"
#include "res/CommandIds.h"
#include "support/Scripted.h"

#include <QLayout>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kt::test::Describe;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

using Page1 = CHOXFounSeq1Dlg;
using Page2 = CHOXFounSeq2Dlg;

constexpr UINT kHand = MB_OK | MB_ICONHAND;
constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;
constexpr int kTab = IDC_FOUNSEQ_TAB;
constexpr int kUnit = IDC_FOUNSEQ_UNIT;
constexpr int kDevice[2] = {IDC_FOUNSEQ_DEVICE_X, IDC_FOUNSEQ_DEVICE_Y};
constexpr int kSpin[2] = {IDC_FOUNSEQ_SPIN_X, IDC_FOUNSEQ_SPIN_Y};
constexpr int kList[2] = {IDC_FOUNSEQ_LIST_X, IDC_FOUNSEQ_LIST_Y};
// What each axis shows and hides.
const std::vector<int> kAxisControls[2] = {
    {IDC_FOUNSEQ_TITLE_X, IDC_FOUNSEQ_M_X, IDC_FOUNSEQ_DEVICE_X, IDC_FOUNSEQ_SPIN_X, IDC_FOUNSEQ_GROUP_X},
    {IDC_FOUNSEQ_TITLE_Y, IDC_FOUNSEQ_M_Y, IDC_FOUNSEQ_DEVICE_Y, IDC_FOUNSEQ_SPIN_Y, IDC_FOUNSEQ_GROUP_Y},
};

const QString kRange1 = QStringLiteral("ERROR : Invalid Device status value.\nValid Range : 0 ~ 3063");
const QString kRange2 = QStringLiteral("ERROR : Invalid Device status value. \n Valid Range : 0 ~ 3062.");
const QString kUnitRange = QStringLiteral("Please enter an integer between 0 and 7.");
const QString kNoInteger = QStringLiteral("Please enter an integer.");

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

// A foundation ladder as the page must show it: the X row, and the Y row
// when there is a Y operand.
std::string FounRows(const std::string& instruction, const std::string& unit, const std::string& bufX,
                     const std::string& opX, const std::string& bufY = {}, const std::string& opY = {})
{
    std::string rows =
        "@16,32 1'' 5'M8000' 10'' 6'" + instruction + "' 6'" + unit + "' 6'" + bufX + "' 6'" + opX + "' 6'K1' 2''\n";
    if (!opY.empty())
        rows += "@59,32 3'' 6'" + instruction + "' 6'" + unit + "' 6'" + bufY + "' 6'" + opY + "' 6'K1' 2''\n";
    return rows;
}
std::string Page1Rows(const std::string& unit, const std::string& x, const std::string& y = {})
{
    return FounRows("TO", unit, "K20", x, "K21", y);
}
std::string Page2Rows(const std::string& unit, const std::string& x, const std::string& y = {})
{
    return FounRows("FROM", unit, "K23", x, "K25", y);
}

std::string LadderOf(DialogDriver& d)
{
    return Describe(static_cast<CHOXFounSeqPageDlg&>(d.Dialog()).GetLadder().GetBlockList());
}

QString List(int top, int count)
{
    QString lines;
    for (int i = 0; i < count; ++i) lines += QStringLiteral("M%1\n").arg(top + i);
    return lines;
}

// The range message was the last box, and the edit has the focus with its
// text selected, the page still open.
void ExpectRefused(DialogDriver& d, ScriptedMessages& messages, int id, const QString& message, UINT style = kHand)
{
    ASSERT_FALSE(messages.seen.empty());
    EXPECT_EQ(messages.seen.back().text.toStdString(), message.toStdString());
    EXPECT_EQ(messages.seen.back().style, style);
    EXPECT_EQ(d.Focus(), id);
    if (!d.Text(id).isEmpty()) {
        EXPECT_TRUE(kt::test::AllSelected(d, id)) << id;
    }
    EXPECT_FALSE(d.Ended());
}

class FounSeqPagesTest : public ::testing::Test {
protected:
    void UseType(std::int32_t type)
    {
        doc.SetControllerType(type);
        doc.SetModifiedFlag(false);
    }
    CHOXFounSeq& Seq() { return *doc.GetFounSeq(); }
    void Settings(std::int32_t unit, std::int32_t controlX, std::int32_t controlY, std::int32_t statusX,
                  std::int32_t statusY)
    {
        Seq().SetUnitNo(unit);
        Seq().SetControlDevice(0, controlX);
        Seq().SetControlDevice(1, controlY);
        Seq().SetStatusDevice(0, statusX);
        Seq().SetStatusDevice(1, statusY);
        doc.SetModifiedFlag(false);
    }
    std::array<std::int32_t, 5> Stored()
    {
        return {Seq().GetUnitNo(), Seq().GetControlDevice(0), Seq().GetControlDevice(1), Seq().GetStatusDevice(0),
                Seq().GetStatusDevice(1)};
    }
    // Runs the page alone through its editing run, the script ending it.
    void RunPage(int page, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(page == 1 ? Page1::kTemplate : Page2::kTemplate, std::move(script));
        if (page == 1) {
            Seq().EditFromFirst();
        } else {
            Seq().EditFromSecond();
        }
    }
    // Brings the axis to the front.
    static void ShowAxis(DialogDriver& d, int axis)
    {
        if (d.Site().GetCurSel(kTab) != axis) d.Select(kTab, axis);
        ASSERT_EQ(d.Site().GetCurSel(kTab), axis);
    }

    CHOXDoc doc;
};

} // namespace

// ---------------------------------------------------------------------------
// What the pages show

TEST_F(FounSeqPagesTest, EachPageShowsItsTabsControlsListsAndLadder)
{
    for (std::int32_t type : {0, 1, 2}) {
        for (int page : {1, 2}) {
            SCOPED_TRACE("type " + std::to_string(type) + " page " + std::to_string(page));
            UseType(type);
            Settings(-1, 100, 2000, 5, 3062);
            const bool twoAxes = type != 0;
            RunPage(page, [&](DialogDriver& d) {
                EXPECT_EQ(d.Caption(), page == 1 ? QStringLiteral("RA-ZUZ instruction - Foundation Sequence 1/2-")
                                                 : QStringLiteral("RA-ZUZ instruction - Foundation Sequence 2/2-"));
                ASSERT_EQ(d.Site().GetCount(kTab), twoAxes ? 2 : 1);
                EXPECT_EQ(d.Site().GetItemText(kTab, 0), QStringLiteral(" X"));
                if (twoAxes) {
                    EXPECT_EQ(d.Site().GetItemText(kTab, 1), QStringLiteral(" Y"));
                }
                EXPECT_EQ(d.Site().GetCurSel(kTab), 0);
                for (int id : kAxisControls[0]) EXPECT_TRUE(d.Visible(id)) << id;
                for (int id : kAxisControls[1]) EXPECT_FALSE(d.Visible(id)) << id;
                EXPECT_EQ(d.Limit(kDevice[0]), 4);
                EXPECT_EQ(d.Limit(kDevice[1]), 4);
                EXPECT_EQ(d.Enabled(IDC_FOUNSEQ_BACK), page == 2);
                EXPECT_EQ(d.Enabled(IDC_FOUNSEQ_NEXT), page == 1);
                if (page == 1) {
                    // Not set shows as unit 0.
                    EXPECT_EQ(d.Text(kUnit), QStringLiteral("0"));
                    EXPECT_EQ(d.Limit(kUnit), 1);
                    EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("100"));
                    EXPECT_EQ(d.Text(kList[0]), List(100, 9));
                    EXPECT_EQ(LadderOf(d), twoAxes ? Page1Rows("K0", "K4M100 ", "K4M2000") : Page1Rows("K0", "K4M100"));
                } else {
                    EXPECT_FALSE(d.Site().HasControl(kUnit));
                    EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("5"));
                    EXPECT_EQ(d.Text(kList[0]), List(5, 10));
                    EXPECT_EQ(LadderOf(d), twoAxes ? Page2Rows("K0", "K4M5   ", "K4M3062") : Page2Rows("K0", "K4M5"));
                }
                if (twoAxes) {
                    d.Select(kTab, 1);
                    EXPECT_EQ(d.Site().GetCurSel(kTab), 1);
                    for (int id : kAxisControls[0]) EXPECT_FALSE(d.Visible(id)) << id;
                    for (int id : kAxisControls[1]) EXPECT_TRUE(d.Visible(id)) << id;
                    EXPECT_EQ(d.Text(kList[1]), page == 1 ? List(2000, 9) : List(3062, 10));
                    d.Select(kTab, 0);
                    EXPECT_TRUE(d.Visible(kDevice[0]));
                    EXPECT_FALSE(d.Visible(kDevice[1]));
                }
                d.Click(IDCANCEL);
            });
        }
    }
}

TEST_F(FounSeqPagesTest, TheYControlsTakeThePlaceOfTheXControls)
{
    UseType(1);
    Settings(3, 100, 2000, 0, 0);
    RunPage(1, [](DialogDriver& d) {
        QWidget* window = d.Site().Window();
        window->layout()->activate();
        const QRect edit = d.Widget(kDevice[0])->geometry();
        const QRect group = d.Widget(IDC_FOUNSEQ_GROUP_X)->geometry();
        const QRect ladder = d.Widget(IDC_FOUNSEQ_LADDER)->geometry();
        d.Select(kTab, 1);
        window->layout()->activate();
        // On the same line; the titles' widths differ by their letter.
        EXPECT_EQ(d.Widget(kDevice[1])->geometry().top(), edit.top());
        EXPECT_EQ(d.Widget(IDC_FOUNSEQ_GROUP_Y)->geometry(), group);
        EXPECT_EQ(d.Widget(IDC_FOUNSEQ_LADDER)->geometry(), ladder);
        kt::test::SaveScreenshot(window, "founseq-page1-y.png");
        d.Click(IDCANCEL);
    });
}

TEST_F(FounSeqPagesTest, SignalNamesAndTitles)
{
    UseType(1);
    RunPage(1, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_TITLE_X), QStringLiteral("X-axis - Top device to control the position unit"));
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_TITLE_Y), QStringLiteral("Y-axis - Top device to control the position unit"));
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_NAMES_X),
                  QStringLiteral("Step run\nStart\nStop\nM code off\nZero return\nFWD Jog\nRVS  Jog\nError "
                                 "reset\nZero return axis"));
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_COPY), QStringLiteral("&Copy To Clipboard"));
        EXPECT_EQ(d.Text(IDCANCEL), QStringLiteral("C&ancel"));
        EXPECT_EQ(d.Text(IDOK), QStringLiteral("&OK"));
        d.Click(IDCANCEL);
    });
    RunPage(2, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_TITLE_X),
                  QStringLiteral("X-axis...Top device to read\nthe status from positioning unit "));
        EXPECT_EQ(d.Text(IDC_FOUNSEQ_NAMES_Y),
                  QStringLiteral(" Ready / Busy\n Completed\n Error detection\n M code ON\n M code waiting\n m00 "
                                 "waiting\n m02 waiting\n Stop waiting\n Auto running\n Zero completed"));
        EXPECT_EQ(d.Text(IDCANCEL), QStringLiteral("Cancel"));
        EXPECT_EQ(d.Text(IDOK), QStringLiteral("OK"));
        d.Click(IDCANCEL);
    });
}

TEST_F(FounSeqPagesTest, ListsAndLaddersFollowEditsAndSpinSteps)
{
    UseType(2);
    RunPage(1, [](DialogDriver& d) {
        ScriptedMessages none;
        d.Type(kDevice[0], QStringLiteral("100"));
        EXPECT_EQ(d.Text(kList[0]), List(100, 9));
        EXPECT_EQ(LadderOf(d), Page1Rows("K0", "K4M100", "K4M0  "));
        d.Spin(kSpin[0], 2);
        EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("102"));
        EXPECT_EQ(d.Text(kList[0]), List(102, 9));
        EXPECT_EQ(LadderOf(d), Page1Rows("K0", "K4M102", "K4M0  "));
        ShowAxis(d, 1);
        d.Type(kDevice[1], QStringLiteral("2000"));
        EXPECT_EQ(d.Text(kList[1]), List(2000, 9));
        EXPECT_EQ(LadderOf(d), Page1Rows("K0", "K4M102 ", "K4M2000"));
        d.Spin(kSpin[1], -1);
        EXPECT_EQ(d.Text(kList[1]), List(1999, 9));
        EXPECT_EQ(LadderOf(d), Page1Rows("K0", "K4M102 ", "K4M1999"));
        // The top of the range stops the spin.
        d.Type(kDevice[1], QStringLiteral("3063"));
        d.Spin(kSpin[1], 1);
        EXPECT_EQ(d.Text(kDevice[1]), QStringLiteral("3063"));
        d.Type(kUnit, QStringLiteral("6"));
        EXPECT_EQ(LadderOf(d), Page1Rows("K6", "K4M102 ", "K4M3063"));
        d.Spin(IDC_FOUNSEQ_UNIT_SPIN, 1);
        EXPECT_EQ(d.Text(kUnit), QStringLiteral("7"));
        EXPECT_EQ(LadderOf(d), Page1Rows("K7", "K4M102 ", "K4M3063"));
        d.Spin(IDC_FOUNSEQ_UNIT_SPIN, 1);
        EXPECT_EQ(d.Text(kUnit), QStringLiteral("7"));
        d.Click(IDCANCEL);
    });

    UseType(0);
    Settings(4, 0, 0, 0, 0);
    RunPage(2, [](DialogDriver& d) {
        ScriptedMessages none;
        d.Type(kDevice[0], QStringLiteral("3062"));
        EXPECT_EQ(d.Text(kList[0]), List(3062, 10));
        EXPECT_EQ(LadderOf(d), Page2Rows("K4", "K4M3062"));
        d.Spin(kSpin[0], -3);
        EXPECT_EQ(d.Text(kList[0]), List(3059, 10));
        EXPECT_EQ(LadderOf(d), Page2Rows("K4", "K4M3059"));
        d.Click(IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// Checks

namespace {

// Where a failing device is judged once more after it was typed.
enum class Point { Ok, OtherWay, TabChange };

struct RangeCase {
    int page;
    std::int32_t type;
    int axis;
    const char* typed;
    Point point;
};

} // namespace

TEST_F(FounSeqPagesTest, EveryRangeMessageKeepsThePageOpen)
{
    const RangeCase cases[] = {
        {1, 0, 0, "3064", Point::Ok},       {1, 0, 0, "x", Point::OtherWay},    {1, 1, 0, "9999", Point::TabChange},
        {1, 1, 1, "3064", Point::OtherWay}, {1, 2, 1, "-", Point::TabChange},   {1, 2, 0, "", Point::OtherWay},
        {1, 1, 1, "", Point::TabChange},    {2, 0, 0, "3063", Point::Ok},       {2, 0, 0, "", Point::Ok},
        {2, 1, 0, "x", Point::TabChange},   {2, 2, 1, "3063", Point::OtherWay}, {2, 1, 1, "5000", Point::TabChange},
        {2, 2, 1, "", Point::Ok},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page) + " type " + std::to_string(c.type) + " axis " +
                     std::to_string(c.axis) + " '" + c.typed + "' point " + std::to_string(static_cast<int>(c.point)));
        UseType(c.type);
        Settings(2, 10, 20, 30, 40);
        const QString message = c.page == 1 ? kRange1 : kRange2;
        const int edit = kDevice[c.axis];
        RunPage(c.page, [&](DialogDriver& d) {
            ShowAxis(d, c.axis);
            const QString typed = QString::fromLatin1(c.typed);
            // The digits before the last one are a valid device the page
            // takes; the last one makes it fail.
            if (typed.size() > 1) d.Type(edit, typed.chopped(1));
            const std::string ladder = LadderOf(d);
            ScriptedMessages messages;
            // An edit emptied while typing is not judged yet.
            if (!typed.isEmpty()) messages.Expect(message, kHand, IDOK);
            d.Type(edit, typed);
            if (!typed.isEmpty()) ExpectRefused(d, messages, edit, message);
            EXPECT_EQ(LadderOf(d), ladder) << "a failing device changes nothing";

            messages.Expect(message, kHand, IDOK);
            switch (c.point) {
            case Point::Ok: d.Click(IDOK); break;
            case Point::OtherWay: d.Click(c.page == 1 ? IDC_FOUNSEQ_NEXT : IDC_FOUNSEQ_BACK); break;
            case Point::TabChange:
                d.Select(kTab, 1 - c.axis);
                EXPECT_EQ(d.Site().GetCurSel(kTab), c.axis) << "the tab stays";
                EXPECT_TRUE(d.Visible(edit));
                break;
            }
            ExpectRefused(d, messages, edit, message);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(Stored(), (std::array<std::int32_t, 5>{2, 10, 20, 30, 40}));
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(FounSeqPagesTest, DevicesAreCheckedInEachPagesOrder)
{
    // Only a damaged file gives two failing devices at once: page 1 names X
    // first, page 2 Y.
    UseType(1);
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        Settings(0, 5000, 6000, 5000, 6000);
        RunPage(page, [&](DialogDriver& d) {
            const QString message = page == 1 ? kRange1 : kRange2;
            const int first = page == 1 ? kDevice[0] : kDevice[1];
            ScriptedMessages messages;
            messages.Expect(message, kHand, IDOK);
            d.Click(IDOK);
            ExpectRefused(d, messages, first, message);
            messages.Expect(message, kHand, IDOK);
            d.Select(kTab, 1);
            EXPECT_EQ(d.Site().GetCurSel(kTab), 0);
            EXPECT_EQ(d.Focus(), first);
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(FounSeqPagesTest, UnitNumberRefusalPutsThePreviousValueBack)
{
    for (std::int32_t type : {0, 2}) {
        SCOPED_TRACE(type);
        UseType(type);
        Settings(5, 0, 0, 0, 0);
        RunPage(1, [&](DialogDriver& d) {
            const std::string rows5 = type == 0 ? Page1Rows("K5", "K4M0") : Page1Rows("K5", "K4M0", "K4M0");
            ScriptedMessages messages;
            for (const auto& [typed, message] :
                 {std::pair{"8", kUnitRange}, std::pair{"x", kNoInteger}, std::pair{"-", kNoInteger}}) {
                messages.Expect(message, kWarn, IDOK);
                d.Type(kUnit, QString::fromLatin1(typed));
                EXPECT_EQ(d.Text(kUnit), QStringLiteral("5")) << typed;
                ExpectRefused(d, messages, kUnit, message, kWarn);
                EXPECT_EQ(LadderOf(d), rows5);
            }
            d.Type(kUnit, QStringLiteral("2"));
            EXPECT_EQ(LadderOf(d), type == 0 ? Page1Rows("K2", "K4M0") : Page1Rows("K2", "K4M0", "K4M0"));
            // Emptied, the unit is judged when the page is left.
            d.Type(kUnit, QString());
            messages.Expect(kNoInteger, kWarn, IDOK);
            d.Click(IDC_FOUNSEQ_NEXT);
            ExpectRefused(d, messages, kUnit, kNoInteger, kWarn);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(Seq().GetUnitNo(), 5);
    }

    // A number a damaged file gave is put back as it was, once.
    UseType(1);
    Settings(12, 0, 0, 0, 0);
    RunPage(1, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(kUnit), QStringLiteral("12"));
        ScriptedMessages messages;
        messages.Expect(kUnitRange, kWarn, IDOK);
        d.Type(kUnit, QStringLiteral("9"));
        EXPECT_EQ(d.Text(kUnit), QStringLiteral("12"));
        EXPECT_EQ(messages.seen.size(), 1u);
        d.Click(IDCANCEL);
    });
}

TEST_F(FounSeqPagesTest, Page1RefusesASpinStepWhileItsDataFail)
{
    UseType(1);
    Settings(3, 100, 0, 100, 0);
    RunPage(1, [](DialogDriver& d) {
        ScriptedMessages messages;
        d.Type(kDevice[0], QString());
        messages.Expect(kRange1, kHand, IDOK);
        d.Spin(kSpin[0], 1);
        EXPECT_EQ(d.Text(kDevice[0]), QString()) << "the step is refused";
        EXPECT_EQ(d.Focus(), kDevice[0]);
        d.Type(kDevice[0], QStringLiteral("100"));
        d.Type(kUnit, QString());
        messages.Expect(kNoInteger, kWarn, IDOK);
        d.Spin(kSpin[0], 1);
        EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("100"));
        EXPECT_EQ(d.Text(kList[0]), List(100, 9));
        d.Type(kUnit, QStringLiteral("3"));
        d.Spin(kSpin[0], 1);
        EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("101"));
        EXPECT_EQ(LadderOf(d), Page1Rows("K3", "K4M101", "K4M0  "));
        d.Click(IDCANCEL);
    });
    // Page 2 steps from where the spin stands.
    RunPage(2, [](DialogDriver& d) {
        ScriptedMessages none;
        d.Type(kDevice[0], QString());
        d.Spin(kSpin[0], 1);
        EXPECT_FALSE(d.Text(kDevice[0]).isEmpty());
        d.Click(IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// Runs

TEST_F(FounSeqPagesTest, RunFromTheFirstPageStoresEachPageAsItEnds)
{
    UseType(1);
    ScriptedDialogs dialogs;
    dialogs.Expect(Page1::kTemplate, [](DialogDriver& d) {
        d.Type(kUnit, QStringLiteral("2"));
        d.Type(kDevice[0], QStringLiteral("100"));
        d.Click(IDC_FOUNSEQ_NEXT);
    });
    dialogs.Expect(Page2::kTemplate, [](DialogDriver& d) {
        // Page 1 has stored its unit number.
        EXPECT_EQ(LadderOf(d), Page2Rows("K2", "K4M0", "K4M0"));
        d.Type(kDevice[0], QStringLiteral("200"));
        d.Click(IDC_FOUNSEQ_BACK);
    });
    dialogs.Expect(Page1::kTemplate, [](DialogDriver& d) {
        // As it was left, on its X tab.
        EXPECT_EQ(d.Text(kUnit), QStringLiteral("2"));
        EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("100"));
        EXPECT_EQ(d.Site().GetCurSel(kTab), 0);
        ShowAxis(d, 1);
        d.Type(kDevice[1], QStringLiteral("150"));
        d.Click(IDC_FOUNSEQ_NEXT);
    });
    dialogs.Expect(Page2::kTemplate, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("200"));
        d.Type(kDevice[0], QStringLiteral("300"));
        d.Click(IDCANCEL);
    });
    Seq().EditFromFirst();
    // Cancel keeps what the earlier pages stored.
    EXPECT_EQ(Stored(), (std::array<std::int32_t, 5>{2, 100, 150, 200, 0}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(dialogs.Ran(), 4);
}

TEST_F(FounSeqPagesTest, RunFromTheSecondPageAndCancelOnEither)
{
    UseType(2);
    Settings(1, 10, 20, 30, 40);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Page2::kTemplate, [](DialogDriver& d) {
            d.Type(kDevice[0], QStringLiteral("31"));
            d.Click(IDC_FOUNSEQ_BACK);
        });
        dialogs.Expect(Page1::kTemplate, [](DialogDriver& d) {
            d.Type(kDevice[0], QStringLiteral("11"));
            d.Click(IDC_FOUNSEQ_NEXT);
        });
        dialogs.Expect(Page2::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("31"));
            ShowAxis(d, 1);
            d.Type(kDevice[1], QStringLiteral("41"));
            d.Click(IDOK);
        });
        Seq().EditFromSecond();
    }
    EXPECT_EQ(Stored(), (std::array<std::int32_t, 5>{1, 11, 20, 31, 41}));
    EXPECT_TRUE(doc.IsModified());

    // Cancel on the first page shown stores nothing.
    doc.SetModifiedFlag(false);
    for (int page : {1, 2}) {
        RunPage(page, [](DialogDriver& d) {
            d.Type(kDevice[0], QStringLiteral("7"));
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(Stored(), (std::array<std::int32_t, 5>{1, 11, 20, 31, 41}));
    }
    // Pages that end unchanged leave the document unmodified.
    RunPage(1, [](DialogDriver& d) { d.Click(IDOK); });
    RunPage(2, [](DialogDriver& d) { d.Click(IDOK); });
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FounSeqPagesTest, OkOnTheFirstPageSetsTheSequence)
{
    UseType(0);
    EXPECT_FALSE(Seq().IsSet());
    RunPage(1, [](DialogDriver& d) { d.Click(IDOK); });
    EXPECT_TRUE(Seq().IsSet());
    EXPECT_EQ(Seq().GetUnitNo(), 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FounSeqPagesTest, StoredSettingsAreThereAfterSavingAndReopening)
{
    QTemporaryDir dir;
    UseType(1);
    ScriptedDialogs dialogs;
    dialogs.Expect(Page1::kTemplate, [](DialogDriver& d) {
        d.Type(kUnit, QStringLiteral("7"));
        d.Type(kDevice[0], QStringLiteral("3063"));
        ShowAxis(d, 1);
        d.Type(kDevice[1], QStringLiteral("12"));
        d.Click(IDC_FOUNSEQ_NEXT);
    });
    dialogs.Expect(Page2::kTemplate, [](DialogDriver& d) {
        d.Type(kDevice[0], QStringLiteral("3062"));
        ShowAxis(d, 1);
        d.Type(kDevice[1], QStringLiteral("1"));
        d.Click(IDOK);
    });
    Seq().EditFromFirst();
    const QString path = dir.filePath(QStringLiteral("founseq.hox"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    CHOXDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    const CHOXFounSeq* seq = loaded.GetFounSeq();
    EXPECT_EQ(seq->GetUnitNo(), 7);
    EXPECT_EQ(seq->GetControlDevice(0), 3063);
    EXPECT_EQ(seq->GetControlDevice(1), 12);
    EXPECT_EQ(seq->GetStatusDevice(0), 3062);
    EXPECT_EQ(seq->GetStatusDevice(1), 1);
}

TEST_F(FounSeqPagesTest, SecondPageBackFollowsItsConstructor)
{
    UseType(1);
    for (bool noBack : {true, false}) {
        ScriptedDialogs dialogs;
        dialogs.Expect(Page2::kTemplate, [noBack](DialogDriver& d) {
            EXPECT_EQ(d.Enabled(IDC_FOUNSEQ_BACK), !noBack);
            EXPECT_FALSE(d.Enabled(IDC_FOUNSEQ_NEXT));
            d.Click(IDOK);
        });
        CHOXFounSeq2Dlg page(&doc, noBack);
        EXPECT_EQ(page.DoModal(), IDOK);
        EXPECT_FALSE(page.IsBack());
    }
}

// ---------------------------------------------------------------------------
// Copy and Help

TEST_F(FounSeqPagesTest, EachPageCopiesItsLadder)
{
    const char* const line = "0C06FFFFFFFFFFFF";
    auto lines = [&](int count) { return Hex(line).repeated(count); };
    const QByteArray oneRow = Hex("0100010000000C000100");
    const QByteArray twoRows = Hex("0100010000000C000200");
    const QByteArray branch = Hex("06FFFFFFFFFFFFFF") + Hex("0E06FFFFFFFFFFFF") + lines(5);
    const struct {
        int page;
        std::int32_t type, unit;
        QByteArray bytes;
    } cases[] = {
        // One axis, not set: TO K0 K20 K4M100 K1.
        {1, 0, -1,
         oneRow + Hex("0C01FF4D401FFFFF") + Hex("0C06FFFFFFFFFFFF") + lines(5) + Hex("0C5030FF4F00FFFF") +
             Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B1400FFFF") + Hex("0CF0FF4D640004FF") + Hex("0CF0FF4B0100FFFF")},
        // Two axes, unit 3: the X row on the joint, the Y row on the branch.
        {1, 1, 3,
         twoRows + Hex("0D01FF4D401FFFFF") + Hex("0D06FFFFFFFFFFFF") + lines(5) + Hex("0C5030FF4F00FFFF") +
             Hex("0CF0FF4B0300FFFF") + Hex("0CF0FF4B1400FFFF") + Hex("0CF0FF4D640004FF") + Hex("0CF0FF4B0100FFFF") +
             branch + Hex("0C5030FF4F00FFFF") + Hex("0CF0FF4B0300FFFF") + Hex("0CF0FF4B1500FFFF") +
             Hex("0CF0FF4DD00704FF") + Hex("0CF0FF4B0100FFFF")},
        // FROM K5 K23 K4M5 K1 and K25 K4M3062.
        {2, 2, 5,
         twoRows + Hex("0D01FF4D401FFFFF") + Hex("0D06FFFFFFFFFFFF") + lines(5) + Hex("0C5030FF4E00FFFF") +
             Hex("0CF0FF4B0500FFFF") + Hex("0CF0FF4B1700FFFF") + Hex("0CF0FF4D050004FF") + Hex("0CF0FF4B0100FFFF") +
             branch + Hex("0C5030FF4E00FFFF") + Hex("0CF0FF4B0500FFFF") + Hex("0CF0FF4B1900FFFF") +
             Hex("0CF0FF4DF60B04FF") + Hex("0CF0FF4B0100FFFF")},
        {2, 0, -1,
         oneRow + Hex("0C01FF4D401FFFFF") + Hex("0C06FFFFFFFFFFFF") + lines(5) + Hex("0C5030FF4E00FFFF") +
             Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B1700FFFF") + Hex("0CF0FF4D050004FF") + Hex("0CF0FF4B0100FFFF")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page) + " type " + std::to_string(c.type));
        UseType(c.type);
        Settings(c.unit, 100, 2000, 5, 3062);
        clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
        RunPage(c.page, [](DialogDriver& d) {
            d.Click(IDC_FOUNSEQ_COPY);
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
        const std::optional<QByteArray> copied = clipboard::Take(CHOXLadderClip::FormatName());
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->toHex(' ').toStdString(), c.bytes.toHex(' ').toStdString());
        EXPECT_EQ(copied->size(), c.type == 0 ? 106 : 202);
    }
}

TEST_F(FounSeqPagesTest, HelpOpensEachPagesContext)
{
    UseType(1);
    for (int page : {1, 2}) {
        RecordingHelp help;
        RunPage(page, [](DialogDriver& d) {
            d.Click(IDC_FOUNSEQ_HELP);
            d.Click(IDCANCEL);
        });
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_EQ(help.pages[0],
                  page == 1 ? QStringLiteral(":/res/help/207f5.html") : QStringLiteral(":/res/help/207f6.html"));
        EXPECT_EQ(HelpPageFor(page == 1 ? Page1::kHelpContext : Page2::kHelpContext), help.pages[0]);
    }
}
