// "Setting by data Register": what it starts from, the word size and index
// controls, the spin that steps over the one-axis controller's missing
// registers, every refusal, the "Set Parameter" prompt with its two ways out,
// and the index that the way through the prompt used to let pass.
#include "params/HOXParamSystemDlg.h"
#include "params/HOXSetParamPromptDlg.h"
#include "plc/HOXKzPlcDlg.h"
#include "symbols/CodeDialogSupport.h"
#include "symbols/code/HOXDataRegDlg.h"

#include <utility>
#include <vector>

using kt::test::DialogDriver;
using kt::test::ExpectOkRefused;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXDataRegDlg;

namespace {

CHOXDataReg Reg(const char* text)
{
    CHOXDataReg reg;
    EXPECT_TRUE(reg.Parse(QString::fromLatin1(text), true)) << text;
    return reg;
}

class DataRegDlgTest : public kt::test::CodeDialogTest {
protected:
    // Runs the chooser from the operand on the script, with the dialogs it
    // opens on theirs; its result.
    int Choose(const CHOXDataReg& start, ScriptedDialogs::Script script,
               std::vector<std::pair<UINT, ScriptedDialogs::Script>> opened = {})
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, std::move(script));
        for (auto& [id, then] : opened) dialogs.Expect(id, std::move(then));
        Dlg dlg(start, doc.get());
        const int result = dlg.DoModal();
        chosen = dlg.GetDataReg();
        return result;
    }
    // Types a register: word size, number, index type (0 none) and number.
    static void Enter(DialogDriver& d, bool is32, const char* number, int indexType = 0, const char* index = "0")
    {
        d.Click(is32 ? Dlg::k32Bit : Dlg::k16Bit);
        d.Type(Dlg::kNumber, QString::fromLatin1(number));
        d.Select(Dlg::kIndexType, indexType);
        if (indexType != 0) d.Type(Dlg::kIndexNumber, QString::fromLatin1(index));
    }

    CHOXDataReg chosen;
};

} // namespace

TEST_F(DataRegDlgTest, StartsFromTheOperandWithItsWordSizeIndexAndKzPlc)
{
    struct Case {
        const char* start;
        int check;
        const char* prefix;
        const char* number;
        int indexType;
        bool kzPlc;
    };
    const Case cases[] = {
        {"250", Dlg::k16Bit, "D", "250", 0, true}, // a constant is its value in 16 bits
        {"-5", Dlg::k16Bit, "D", "0", 0, false},   // out of range: 0
        {"D99", Dlg::k16Bit, "D", "99", 0, false}, // below the sequence registers
        {"D6999", Dlg::k16Bit, "D", "6999", 0, true},
        {"DD6999", Dlg::k32Bit, "DD", "0", 0, false}, // one past the 32-bit top
        {"DD4000Z3", Dlg::k32Bit, "DD", "4000", 2, true},
        {"D100V7", Dlg::k16Bit, "D", "100", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Choose(Reg(c.start), [&](DialogDriver& d) {
            EXPECT_EQ(d.Check(c.check), 1);
            EXPECT_EQ(d.Text(Dlg::kPrefix), QString::fromLatin1(c.prefix));
            EXPECT_EQ(d.Text(Dlg::kNumber), QString::fromLatin1(c.number));
            EXPECT_EQ(d.Site().GetCurSel(Dlg::kIndexType), c.indexType);
            EXPECT_EQ(d.Enabled(Dlg::kIndexNumber), c.indexType != 0);
            EXPECT_EQ(d.Enabled(Dlg::kIndexSpin), c.indexType != 0);
            EXPECT_EQ(d.Enabled(Dlg::kKzPlc), c.kzPlc);
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(DataRegDlgTest, WordSizeIndexAndNumberSwitchTheirControls)
{
    Choose(Reg("D6999"), [](DialogDriver& d) {
        // 6999 has no 32-bit register: the number goes back to 0.
        d.Click(Dlg::k32Bit);
        EXPECT_EQ(d.Text(Dlg::kPrefix), QStringLiteral("DD"));
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        EXPECT_FALSE(d.Enabled(Dlg::kKzPlc));
        d.Type(Dlg::kNumber, QStringLiteral("100"));
        EXPECT_TRUE(d.Enabled(Dlg::kKzPlc));
        d.Type(Dlg::kNumber, QStringLiteral("x"));
        EXPECT_FALSE(d.Enabled(Dlg::kKzPlc));
        // A number that is no integer keeps the word size the prefix shows.
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("Please enter an integer."), kt::test::kFramework, IDOK);
            d.Click(Dlg::k16Bit);
        }
        EXPECT_EQ(d.Check(Dlg::k32Bit), 1);
        EXPECT_EQ(d.Check(Dlg::k16Bit), 0);
        EXPECT_EQ(d.Text(Dlg::kPrefix), QStringLiteral("DD"));
        d.Select(Dlg::kIndexType, 2);
        EXPECT_TRUE(d.Enabled(Dlg::kIndexNumber));
        // The index spin stops at 7.
        d.Type(Dlg::kIndexNumber, QStringLiteral("7"));
        d.Spin(Dlg::kIndexSpin, 1);
        EXPECT_EQ(d.Text(Dlg::kIndexNumber), QStringLiteral("7"));
        d.Select(Dlg::kIndexType, 0);
        EXPECT_FALSE(d.Enabled(Dlg::kIndexNumber));
        EXPECT_FALSE(d.Enabled(Dlg::kIndexSpin));
        d.Type(Dlg::kNumber, QStringLiteral("1234"));
        d.Click(IDOK);
    });
    EXPECT_EQ(chosen.GetText(), QStringLiteral("DD1234"));
}

// The one-axis controller has no D2000 to D3999 (DD1999 to DD3999): its spin
// steps over them; the others step by one.
TEST_F(DataRegDlgTest, TheNumberSpinStepsOverTheMissingRegistersOfTheOneAxisController)
{
    struct Case {
        int type;
        bool is32;
        const char* from;
        int direction;
        std::vector<const char*> shown;
    };
    const Case cases[] = {
        {0, false, "1998", 1, {"1999", "4000", "4001"}},
        {0, false, "4001", -1, {"4000", "1999", "1998"}},
        {0, false, "2500", 1, {"4000"}},
        {0, false, "3000", -1, {"1999"}},
        {0, true, "1997", 1, {"1998", "4000"}},
        {0, true, "4000", -1, {"1998"}},
        {0, true, "1999", -1, {"1998"}},
        {1, false, "1999", 1, {"2000", "2001"}},
        {1, true, "4000", -1, {"3999", "3998"}},
        {2, false, "4000", -1, {"3999"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << (c.is32 ? " DD" : " D") << c.from);
        MakeDocument(c.type);
        Choose(Reg("D0"), [&](DialogDriver& d) {
            Enter(d, c.is32, c.from);
            for (const char* expected : c.shown) {
                d.Spin(Dlg::kNumberSpin, c.direction);
                EXPECT_EQ(d.Text(Dlg::kNumber), QString::fromLatin1(expected));
            }
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(DataRegDlgTest, RefusesWhatTheControllerLacksOnTheFieldConcerned)
{
    struct Case {
        int type;
        std::int32_t fileRegisters;
        bool is32;
        const char* number;
        int indexType;
        const char* index;
        int field;
        QString message;
    };
    const Case cases[] = {
        {0, 0, false, "2500", 0, "0", Dlg::kNumber, LoadStr(13652)},
        {0, 10, false, "3999", 0, "0", Dlg::kNumber, FormatStr(13653, {QStringLiteral("4009")})},
        {0, 0, true, "3999", 0, "0", Dlg::kNumber, LoadStr(13656)},
        {1, 0, false, "7000", 0, "0", Dlg::kNumber, LoadStr(13583)},
        {2, 3000, true, "6999", 0, "0", Dlg::kNumber, LoadStr(13584)},
        {1, 0, false, "100", 1, "8", Dlg::kIndexNumber, LoadStr(13295)},
        // An index beyond a byte does not wrap round to a valid one.
        {1, 0, false, "100", 2, "264", Dlg::kIndexNumber, LoadStr(13295)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        MakeDocument(c.type);
        SetFileRegisters(c.fileRegisters);
        const int result = Choose(Reg("D0"), [&](DialogDriver& d) {
            Enter(d, c.is32, c.number, c.indexType, c.index);
            ExpectOkRefused(d, c.field, c.message);
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    EXPECT_EQ(LoadStr(13652), QStringLiteral("ERROR : Invalid Device Number for ZE10 RE.\nValid range :  0 ~ 1999"));
}

TEST_F(DataRegDlgTest, TheLastFileRegisterClosesAndTheNextOneAsksForMore)
{
    SetFileRegisters(10);
    const int result = Choose(Reg("D0"),
                              [](DialogDriver& d) {
                                  Enter(d, true, "4009");
                                  d.Click(IDOK); // the prompt, closed: the dialog stays
                                  EXPECT_FALSE(d.Ended());
                                  Enter(d, true, "4008");
                                  d.Click(IDOK);
                              },
                              {{CHOXSetParamPromptDlg::kTemplate, [](DialogDriver& d) { d.Click(IDCANCEL); }}});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(chosen.GetText(), QStringLiteral("DD4008"));
    EXPECT_EQ(FileRegisters(), 10);
    EXPECT_FALSE(doc->IsModified());
}

// The prompt's "Parameter" opens the system parameters; a register within
// the file registers set there is taken. On the one-axis controller a
// register above its gap may wait for more file registers too.
TEST_F(DataRegDlgTest, RaisingTheFileRegistersThroughThePromptTakesTheRegister)
{
    struct Case {
        int type;
        const char* number;
        const char* raisedTo;
        bool closes;
    };
    const Case cases[] = {
        {0, "4500", "501", true},
        {1, "4005", "6", true},
        {1, "4005", "5", false}, // still one short: the dialog stays, silently
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << " with " << c.raisedTo);
        MakeDocument(c.type);
        const int result = Choose(Reg("D0"),
                                  [&](DialogDriver& d) {
                                      Enter(d, false, c.number);
                                      d.Click(IDOK);
                                      if (!d.Ended()) d.Click(IDCANCEL);
                                  },
                                  {{CHOXSetParamPromptDlg::kTemplate,
                                    [](DialogDriver& d) { d.Click(CHOXSetParamPromptDlg::kParameterButton); }},
                                   {CHOXParamSystemDlg::kTemplate, [&](DialogDriver& d) {
                                        d.Type(CHOXParamSystemDlg::kFileRegisters, QString::fromLatin1(c.raisedTo));
                                        d.Click(IDOK);
                                    }}});
        EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
        EXPECT_EQ(FileRegisters(), QString::fromLatin1(c.raisedTo).toInt());
        EXPECT_TRUE(doc->IsModified());
        if (c.closes) {
            EXPECT_EQ(chosen.GetText(), QStringLiteral("D") + QString::fromLatin1(c.number));
        }
    }
}

// The range check stops at the missing file registers and never reaches the
// index: after the prompt the rest of the check runs, and a bad index is
// refused instead of reaching the symbol.
TEST_F(DataRegDlgTest, AnIndexBeyondSevenIsRefusedAfterTheFileRegistersWereRaised)
{
    const int result = Choose(
        Reg("D0"),
        [](DialogDriver& d) {
            Enter(d, false, "4005", 1, "8");
            ExpectOkRefused(d, Dlg::kIndexNumber, LoadStr(13295));
            d.Type(Dlg::kIndexNumber, QStringLiteral("7"));
            d.Click(IDOK);
        },
        {{CHOXSetParamPromptDlg::kTemplate, [](DialogDriver& d) { d.Click(CHOXSetParamPromptDlg::kParameterButton); }},
         {CHOXParamSystemDlg::kTemplate, [](DialogDriver& d) {
              d.Type(CHOXParamSystemDlg::kFileRegisters, QStringLiteral("10"));
              d.Click(IDOK);
          }}});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(chosen.GetText(), QStringLiteral("D4005V7"));
    EXPECT_EQ(FileRegisters(), 10);
}

TEST_F(DataRegDlgTest, KzPlcShowsTheSequenceOfTheRegisterAndHelpItsPage)
{
    RecordingHelp help;
    Choose(Reg("DD150"),
           [](DialogDriver& d) {
               d.Click(Dlg::kKzPlc);
               d.Click(Dlg::kHelp);
               d.Click(IDCANCEL);
           },
           {{CHOXKzPlcDlg::kTemplate, [this](DialogDriver& d) {
                 auto& plc = static_cast<CHOXKzPlcDlg&>(d.Dialog());
                 EXPECT_EQ(plc.GetForm(), 1);
                 EXPECT_EQ(plc.GetRegisterNumber(), 150);
                 EXPECT_EQ(plc.GetDocument(), doc.get());
                 d.Click(IDCANCEL);
             }}});
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/207f3.html"));
}
