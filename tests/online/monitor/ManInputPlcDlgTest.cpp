// "RA-ZUZ instruction - Manual Input Status" on the real widgets: tabs,
// device lists and ladder rows per model with their padding, the unit from
// the foundation sequence and its editing, the range message refusing edits,
// tab changes and OK, the bytes its copy puts on the clipboard, and Help.
#include "online/monitor/HOXManInputPlcDlg.h"

#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/MonObjIds.h"
#include "params/ParamDialogSupport.h"
#include "platform/Clipboard.h"
#include "platform/Help.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXLadderClip.h"
#include "plc/LadderTestSupport.h"
#include "res/CommandIds.h"
#include "support/DocBuilder.h"

#include <gtest/gtest.h>

#include <functional>

using kt::test::AllSelected;
using kt::test::DialogDriver;
using kt::test::DocBuilder;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXManInputPlcDlg;

namespace {

constexpr UINT kHand = MB_OK | MB_ICONHAND;
const QString kRange = QStringLiteral("ERROR : Invalid Device status value. Valid Range : 0  ~  3062.");
constexpr int kDevice[2] = {IDC_FOUNSEQ_DEVICE_X, IDC_FOUNSEQ_DEVICE_Y};
constexpr int kList[2] = {IDC_FOUNSEQ_LIST_X, IDC_FOUNSEQ_LIST_Y};

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

std::string Rows(const std::string& unit, const std::string& x, const std::string& y = {})
{
    std::string rows = "@16,32 1'' 5'M8000' 10'' 6'FROM' 6'" + unit + "' 6'K24' 6'" + x + "' 6'K1' 2''\n";
    if (!y.empty()) rows += "@59,32 3'' 6'FROM' 6'" + unit + "' 6'K26' 6'" + y + "' 6'K1' 2''\n";
    return rows;
}

QString List(int top)
{
    QString lines;
    for (int i = 0; i < 10; ++i) lines += QStringLiteral("M%1\n").arg(top + i);
    return lines;
}

class ManInputPlcDlgTest : public ::testing::Test, protected DocBuilder {
protected:
    CHOXMonManInputStat* Object(std::int32_t type, std::int32_t x, std::int32_t y)
    {
        NewDocument(type);
        auto object = std::make_unique<CHOXMonManInputStat>(Monitor());
        object->SetId(monid::kManInputStat);
        object->SetTopDevice(axis::kX, x);
        object->SetTopDevice(axis::kY, y);
        CHOXMonManInputStat* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        doc->SetModifiedFlag(false);
        return raw;
    }
    // Runs the dialog on the object; the script ends it.
    int Run(const CHOXMonManInputStat& object, ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, std::move(script));
        m_dlg = std::make_unique<Dlg>(object);
        return m_dlg->DoModal();
    }
    static std::string LadderOf(DialogDriver& d)
    {
        return kt::test::Describe(static_cast<Dlg&>(d.Dialog()).GetLadder().GetBlockList());
    }

    std::unique_ptr<Dlg> m_dlg;
};

// The message, then the focus on the edit with its text selected, the
// dialog open.
void ExpectRefused(DialogDriver& d, ScriptedMessages& messages, int id)
{
    ASSERT_FALSE(messages.seen.empty());
    EXPECT_EQ(messages.seen.back().text, kRange);
    EXPECT_EQ(messages.seen.back().style, kHand);
    EXPECT_EQ(d.Focus(), id);
    if (!d.Text(id).isEmpty()) {
        EXPECT_TRUE(AllSelected(d, id));
    }
    EXPECT_FALSE(d.Ended());
}

} // namespace

TEST_F(ManInputPlcDlgTest, EachModelShowsItsTabsListsAndRows)
{
    struct Case {
        std::int32_t type;
        std::int32_t unit;
        std::int32_t x, y;
        std::string rows;
    };
    const Case cases[] = {
        {ctype::kOneAxis, -1, 100, 2000, Rows("K0", "K4M100")},
        {ctype::kTwoAxes, -1, 100, 2000, Rows("K0", "K4M100 ", "K4M2000")},
        {ctype::kInterpolated, 7, 3062, 5, Rows("K7", "K4M3062", "K4M5   ")},
        {ctype::kTwoAxes, 0, 10, 10, Rows("K0", "K4M10", "K4M10")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        CHOXMonManInputStat* object = Object(c.type, c.x, c.y);
        doc->GetFounSeq()->SetUnitNo(c.unit);
        const bool twoAxes = c.type != ctype::kOneAxis;
        Run(*object, [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("RA-ZUZ instruction - Manual Input Status"));
            ASSERT_EQ(d.Site().GetCount(IDC_FOUNSEQ_TAB), twoAxes ? 2 : 1);
            EXPECT_EQ(d.Site().GetItemText(IDC_FOUNSEQ_TAB, 0), QStringLiteral(" X"));
            EXPECT_EQ(d.Text(IDC_FOUNSEQ_TITLE_X),
                      QStringLiteral("X-axis...Top device to read\nthe status from positioning unit "));
            EXPECT_EQ(d.Text(IDC_FOUNSEQ_NAMES_X),
                      QStringLiteral("DOG\nSTART\nSTOP\nZRN\nFWD\nRVS\nSVRDY\nSVEND\nMANU\nEM-STOP"));
            EXPECT_EQ(d.Text(IDC_FOUNSEQ_GROUP_X), QStringLiteral("X-axis"));
            EXPECT_EQ(d.Text(kDevice[0]), QString::number(c.x));
            EXPECT_EQ(d.Limit(kDevice[0]), 4);
            EXPECT_EQ(d.Text(kList[0]), List(c.x));
            EXPECT_FALSE(d.Visible(kDevice[1]));
            EXPECT_EQ(LadderOf(d), c.rows);
            EXPECT_EQ(d.Text(Dlg::kSequenceState),
                      c.unit == -1 ? QStringLiteral("Sequence not set") : QStringLiteral("It is set already"));
            EXPECT_EQ(d.Enabled(Dlg::kSequenceState), c.unit == -1);
            EXPECT_EQ(d.Text(IDC_FOUNSEQ_COPY), QStringLiteral("&Copy to clipboard"));
            if (twoAxes) {
                d.Select(IDC_FOUNSEQ_TAB, 1);
                EXPECT_TRUE(d.Visible(kDevice[1]));
                EXPECT_FALSE(d.Visible(kDevice[0]));
                EXPECT_EQ(d.Text(kList[1]), List(c.y));
            }
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(ManInputPlcDlgTest, EditsAndSpinsMoveTheListsAndRows)
{
    CHOXMonManInputStat* object = Object(ctype::kTwoAxes, 100, 2000);
    EXPECT_EQ(Run(*object,
                  [&](DialogDriver& d) {
                      d.Type(kDevice[0], QStringLiteral("12"));
                      EXPECT_EQ(d.Text(kList[0]), List(12));
                      EXPECT_EQ(LadderOf(d), Rows("K0", "K4M12  ", "K4M2000"));
                      d.Spin(IDC_FOUNSEQ_SPIN_X, 1);
                      EXPECT_EQ(d.Text(kDevice[0]), QStringLiteral("13"));
                      EXPECT_EQ(LadderOf(d), Rows("K0", "K4M13  ", "K4M2000"));
                      d.Select(IDC_FOUNSEQ_TAB, 1);
                      d.Type(kDevice[1], QStringLiteral("3062"));
                      d.Spin(IDC_FOUNSEQ_SPIN_Y, 1);
                      EXPECT_EQ(d.Text(kDevice[1]), QStringLiteral("3062")) << "the range ends there";
                      d.Click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_dlg->GetTopDevice(axis::kX), 13);
    EXPECT_EQ(m_dlg->GetTopDevice(axis::kY), 3062);
}

TEST_F(ManInputPlcDlgTest, ADeviceOutOfRangeRefusesTheTabChangeAndOk)
{
    CHOXMonManInputStat* object = Object(ctype::kTwoAxes, 100, 2000);
    EXPECT_EQ(Run(*object,
                  [&](DialogDriver& d) {
                      ScriptedMessages messages;
                      messages.Expect(kRange, kHand, IDOK);
                      d.Type(kDevice[0], QStringLiteral("3063"));
                      ExpectRefused(d, messages, kDevice[0]);
                      EXPECT_EQ(LadderOf(d), Rows("K0", "K4M306 ", "K4M2000")) << "typed one by one: the last valid";
                      messages.Expect(kRange, kHand, IDOK);
                      d.Select(IDC_FOUNSEQ_TAB, 1);
                      EXPECT_EQ(d.Site().GetCurSel(IDC_FOUNSEQ_TAB), 0);
                      ExpectRefused(d, messages, kDevice[0]);
                      messages.Expect(kRange, kHand, IDOK);
                      d.Click(IDOK);
                      ExpectRefused(d, messages, kDevice[0]);
                      // Text that is no number counts as out of range; an
                      // emptied edit is judged when the dialog is left.
                      d.Type(kDevice[0], QString());
                      EXPECT_EQ(messages.seen.size(), 3u);
                      messages.Expect(kRange, kHand, IDOK);
                      d.Click(IDOK);
                      ExpectRefused(d, messages, kDevice[0]);
                      d.Type(kDevice[0], QStringLiteral("3062"));
                      d.Click(IDOK);
                      EXPECT_TRUE(d.Ended());
                  }),
              IDOK);
    EXPECT_EQ(m_dlg->GetTopDevice(axis::kX), 3062);
}

TEST_F(ManInputPlcDlgTest, FoundationSequenceUpdatesTheStateLineAndTheUnit)
{
    CHOXMonManInputStat* object = Object(ctype::kOneAxis, 0, 0);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
        EXPECT_EQ(LadderOf(d), Rows("K0", "K4M0"));
        d.Click(Dlg::kFoundationSequence);
        EXPECT_EQ(d.Text(Dlg::kSequenceState), QStringLiteral("It is set already"));
        EXPECT_FALSE(d.Enabled(Dlg::kSequenceState));
        EXPECT_EQ(LadderOf(d), Rows("K5", "K4M0"));
        d.Click(IDCANCEL);
    });
    dialogs.Expect(CHOXFounSeq1Dlg::kTemplate, [](DialogDriver& d) {
        d.Type(IDC_FOUNSEQ_UNIT, QStringLiteral("5"));
        d.Click(IDOK);
    });
    Dlg dlg(*object);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(doc->GetFounSeq()->GetUnitNo(), 5);
}

TEST_F(ManInputPlcDlgTest, CopyPutsTheLadderOnTheClipboard)
{
    const QByteArray line = Hex("0C06FFFFFFFFFFFF");
    const struct {
        std::int32_t type;
        std::int32_t unit;
        QByteArray bytes;
    } cases[] = {
        // FROM K2 K24 K4M100 K1, and on the branch FROM K2 K26 K4M2000 K1.
        {ctype::kTwoAxes, 2,
         Hex("0100010000000C000200") + Hex("0D01FF4D401FFFFF") + Hex("0D06FFFFFFFFFFFF") + line.repeated(5) +
             Hex("0C5030FF4E00FFFF") + Hex("0CF0FF4B0200FFFF") + Hex("0CF0FF4B1800FFFF") + Hex("0CF0FF4D640004FF") +
             Hex("0CF0FF4B0100FFFF") + Hex("06FFFFFFFFFFFFFF") + Hex("0E06FFFFFFFFFFFF") + line.repeated(5) +
             Hex("0C5030FF4E00FFFF") + Hex("0CF0FF4B0200FFFF") + Hex("0CF0FF4B1A00FFFF") + Hex("0CF0FF4DD00704FF") +
             Hex("0CF0FF4B0100FFFF")},
        // One row, not set: unit 0.
        {ctype::kOneAxis, -1,
         Hex("0100010000000C000100") + Hex("0C01FF4D401FFFFF") + Hex("0C06FFFFFFFFFFFF") + line.repeated(5) +
             Hex("0C5030FF4E00FFFF") + Hex("0CF0FF4B0000FFFF") + Hex("0CF0FF4B1800FFFF") + Hex("0CF0FF4D640004FF") +
             Hex("0CF0FF4B0100FFFF")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CHOXMonManInputStat* object = Object(c.type, 100, 2000);
        doc->GetFounSeq()->SetUnitNo(c.unit);
        clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
        Run(*object, [](DialogDriver& d) {
            d.Click(IDC_FOUNSEQ_COPY);
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
        const std::optional<QByteArray> copied = clipboard::Take(CHOXLadderClip::FormatName());
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->toHex(' ').toStdString(), c.bytes.toHex(' ').toStdString());
    }
}

TEST_F(ManInputPlcDlgTest, HelpOpensItsContext)
{
    CHOXMonManInputStat* object = Object(ctype::kTwoAxes, 0, 0);
    RecordingHelp help;
    Run(*object, [](DialogDriver& d) {
        d.Click(IDC_FOUNSEQ_HELP);
        d.Click(IDCANCEL);
    });
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], HelpPageFor(133104));
}

// A double click on the object while editing: "Manual Input", and through
// "KZ - &PLC" this dialog, whose OK replaces the top devices. Only a change
// marks the document modified; while monitoring nothing opens.
TEST_F(ManInputPlcDlgTest, ADoubleClickWhileEditingSetsTheTopDevicesThroughBothDialogs)
{
    using Step = std::function<void(DialogDriver&)>;
    struct Case {
        const char* name;
        Step manualInput;
        Step plc; // empty: the PLC dialog does not open
        std::int32_t x, y;
        bool modified;
    };
    const Step kzPlc = [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Manual Input"));
        d.Click(CHOXManInputDlg::kPlcButton);
    };
    const Case cases[] = {
        {"changed and OK", kzPlc,
         [](DialogDriver& d) {
             d.Type(kDevice[0], QStringLiteral("12"));
             d.Click(IDOK);
         },
         12, 2000, true},
        {"unchanged and OK", kzPlc, [](DialogDriver& d) { d.Click(IDOK); }, 100, 2000, false},
        {"changed and Cancel", kzPlc,
         [](DialogDriver& d) {
             d.Type(kDevice[0], QStringLiteral("12"));
             d.Click(IDCANCEL);
         },
         100, 2000, false},
        {"Close", [](DialogDriver& d) { d.Click(IDCANCEL); }, {}, 100, 2000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHOXMonManInputStat* object = Object(ctype::kTwoAxes, 100, 2000);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXManInputDlg::kTemplate, c.manualInput);
        if (c.plc) dialogs.Expect(Dlg::kTemplate, c.plc);
        object->OnOpen(0, object->m_position.CenterPoint());
        EXPECT_EQ(object->GetTopDevice(axis::kX), c.x);
        EXPECT_EQ(object->GetTopDevice(axis::kY), c.y);
        EXPECT_EQ(doc->IsModified(), c.modified);
    }

    CHOXMonManInputStat* object = Object(ctype::kTwoAxes, 100, 2000);
    doc->SetEditMode(false);
    ScriptedDialogs none;
    object->OnOpen(0, object->m_position.CenterPoint());
    doc->SetEditMode(true);
    EXPECT_FALSE(doc->IsModified());
}
