// The "Current Position Object" dialog, opened by a double-click on the
// current position: what can be written by mode, model and unit, the unit
// taken at once, the RA-ZUZ instructions of both axes, values that are no
// number, and Help.
#include "online/monitor/HOXCurPosDlg.h"
#include "online/monitor/HOXMonCurPos.h"

#include "plc/HOXFounSeq.h"
#include "plc/HOXKzPlcDlg.h"
#include "plc/LadderTestSupport.h"
#include "support/DocBuilder.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using kt::test::Describe;
using kt::test::DialogDriver;
using kt::test::DocBuilder;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXCurPosDlg;

namespace {

class CurPosDlgTest : public ::testing::Test, protected DocBuilder {
protected:
    // A current position in a new document of the type, in the mode.
    CHOXMonCurPos* NewObject(std::int32_t type, bool monitoring)
    {
        NewDocument(type);
        CHOXMonCurPos* object = MonObj<CHOXMonCurPos>(CRect(10, 10, 138, 62));
        doc->SetEditMode(!monitoring);
        return object;
    }
    void TearDown() override { doc->SetEditMode(true); }
};

// Which of the X edit, X write, Y edit and Y write can be used.
struct Enabling {
    bool xEdit, xWrite, yEdit, yWrite;
    bool operator==(const Enabling&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Enabling& e)
{
    return os << e.xEdit << e.xWrite << e.yEdit << e.yWrite;
}
Enabling EnablingOf(DialogDriver& d)
{
    return {d.Enabled(Dlg::kXValue), d.Enabled(Dlg::kWriteX), d.Enabled(Dlg::kYValue), d.Enabled(Dlg::kWriteY)};
}

} // namespace

TEST_F(CurPosDlgTest, WhatCanBeWrittenFollowsModeModelAndUnit)
{
    const struct {
        std::int32_t type;
        bool monitoring;
        std::int32_t unit;
        Enabling enabled;
    } cases[] = {
        {ctype::kOneAxis, false, 0, {false, false, false, false}},
        {ctype::kTwoAxes, false, 0, {false, false, false, false}},
        {ctype::kTwoAxes, false, 1, {false, false, false, false}},
        {ctype::kOneAxis, true, 0, {true, true, false, false}},
        {ctype::kOneAxis, true, 1, {true, false, false, false}},
        {ctype::kTwoAxes, true, 0, {true, true, true, true}},
        {ctype::kInterpolated, true, 0, {true, true, true, true}},
        {ctype::kInterpolated, true, 1, {true, false, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.monitoring ? " monitoring" : " editing") + " unit " +
                     std::to_string(c.unit));
        CHOXMonCurPos* object = NewObject(c.type, c.monitoring);
        object->SetUnit(c.unit);
        object->SetPositions(-1234, 56789);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&c](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Current Position Object"));
            EXPECT_EQ(d.Text(Dlg::kXValue), QStringLiteral("-1234"));
            EXPECT_EQ(d.Text(Dlg::kYValue), QStringLiteral("56789"));
            EXPECT_EQ(d.Check(Dlg::kSystem), c.unit == 0 ? 1 : 0);
            EXPECT_EQ(d.Check(Dlg::kPulse), c.unit == 1 ? 1 : 0);
            EXPECT_EQ(EnablingOf(d), c.enabled);
            // The unit and the RA-ZUZ buttons work in every mode.
            EXPECT_TRUE(d.Enabled(Dlg::kSystem));
            EXPECT_TRUE(d.Enabled(Dlg::kPulse));
            EXPECT_TRUE(d.Enabled(Dlg::kReadPlc));
            EXPECT_TRUE(d.Enabled(Dlg::kWritePlc));
            d.Click(IDOK);
        });
        object->OnOpen(0, CPoint());
        EXPECT_EQ(object->GetUnit(), c.unit);
    }
}

TEST_F(CurPosDlgTest, TheUnitIsTakenAtOnceAndTheWriteButtonsFollowIt)
{
    const struct {
        std::int32_t type;
        bool monitoring;
        Enabling afterPulse, afterSystem;
    } cases[] = {
        {ctype::kTwoAxes, true, {true, false, true, false}, {true, true, true, true}},
        {ctype::kOneAxis, true, {true, false, false, false}, {true, true, false, false}},
        // While editing nothing can be written in either unit.
        {ctype::kTwoAxes, false, {false, false, false, false}, {false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.monitoring ? " monitoring" : " editing"));
        for (int end : {IDOK, IDCANCEL}) {
            CHOXMonCurPos* object = NewObject(c.type, c.monitoring);
            ScriptedDialogs dialogs;
            dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
                d.Click(Dlg::kPulse);
                EXPECT_EQ(object->GetUnit(), CHOXMonCurPos::kUnitPulse) << "at once";
                EXPECT_EQ(EnablingOf(d), c.afterPulse);
                d.Click(Dlg::kSystem);
                EXPECT_EQ(object->GetUnit(), CHOXMonCurPos::kUnitSystem);
                EXPECT_EQ(EnablingOf(d), c.afterSystem);
                d.Click(Dlg::kPulse);
                if (end == IDOK) {
                    d.Click(IDOK);
                } else {
                    d.PressKey(Qt::Key_Escape);
                }
            });
            object->OnOpen(0, CPoint());
            // Escape does not undo it: the next cycle reads pulses.
            EXPECT_EQ(object->GetUnit(), CHOXMonCurPos::kUnitPulse);
        }
    }
}

TEST_F(CurPosDlgTest, ClosingWithAValueThatIsNoNumberIsRefused)
{
    CHOXMonCurPos* object = NewObject(ctype::kTwoAxes, true);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Type(Dlg::kYValue, QStringLiteral("1.5"));
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("Please enter an integer."), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Click(IDOK);
        }
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), Dlg::kYValue);
        d.Click(Dlg::kPulse);
        d.Type(Dlg::kYValue, QStringLiteral("15"));
        d.Click(IDOK);
    });
    object->OnOpen(0, CPoint());
    EXPECT_EQ(object->GetUnit(), CHOXMonCurPos::kUnitPulse);
    EXPECT_EQ(object->GetYPosition(), 0) << "the dialog's values are not positions read";
}

TEST_F(CurPosDlgTest, TheRaZuzButtonsShowBothAxesPositionsReadOrWritten)
{
    const struct {
        std::int32_t type;
        bool monitoring;
        int button;
        std::string rows;
    } cases[] = {
        {ctype::kTwoAxes, false, Dlg::kReadPlc,
         "@16,32 1'' 5'Blank' 10'' 6'DFROM' 6'K2' 6'K4 ' 6'Blank' 6'K1' 2''\n"
         "@59,32 3'' 6'DFROM' 6'K2' 6'K14' 6'Blank' 6'K1' 2''\n"},
        {ctype::kInterpolated, true, Dlg::kWritePlc,
         "@16,32 1'' 5'Blank' 10'' 6'DTO' 6'K2' 6'K4 ' 6'Blank' 6'K1' 2''\n"
         "@59,32 3'' 6'DTO' 6'K2' 6'K14' 6'Blank' 6'K1' 2''\n"},
        {ctype::kOneAxis, true, Dlg::kReadPlc, "@16,32 1'' 5'Blank' 6'DFROM' 6'K2' 6'K4 ' 6'Blank' 6'K1' 2''\n"},
        {ctype::kOneAxis, false, Dlg::kWritePlc, "@16,32 1'' 5'Blank' 6'DTO' 6'K2' 6'K4 ' 6'Blank' 6'K1' 2''\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.button));
        CHOXMonCurPos* object = NewObject(c.type, c.monitoring);
        doc->GetFounSeq()->SetUnitNo(2);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&c](DialogDriver& d) {
            d.Click(c.button);
            EXPECT_FALSE(d.Ended());
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXKzPlcDlg::kTemplate, [&](DialogDriver& d) {
            auto& plc = static_cast<CHOXKzPlcDlg&>(d.Dialog());
            EXPECT_EQ(plc.GetForm(), CHOXKzPlcDlg::kForm32Bit);
            EXPECT_EQ(plc.GetRegisterNumber(), -1);
            EXPECT_EQ(plc.GetDocument(), doc.get());
            EXPECT_EQ(Describe(plc.GetLadder().GetBlockList()), c.rows);
            d.Click(IDOK);
        });
        object->OnOpen(0, CPoint());
        EXPECT_EQ(dialogs.Ran(), 2);
    }
}

TEST_F(CurPosDlgTest, HelpShowsItsPage)
{
    CHOXMonCurPos* object = NewObject(ctype::kOneAxis, false);
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Click(Dlg::kHelpButton);
        d.PressKey(Qt::Key_F1);
        d.Click(IDOK);
    });
    object->OnOpen(0, CPoint());
    EXPECT_EQ(help.pages,
              (std::vector<QString>{QStringLiteral(":/res/help/20819.html"), QStringLiteral(":/res/help/20819.html")}));
}
