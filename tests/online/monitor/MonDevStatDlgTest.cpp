// "Device Status" on the real widgets: what a new and an existing object
// show, what follows a choice of type, points and index, the spin's steps,
// the hint, the RA-ZUZ buttons and the instruction dialog they open, every
// refusal with its focus and selection, and an object edited through a
// double click on the page.
#include "online/monitor/HOXMonDevStatDlg.h"

#include "chart/HOXBaseRect.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonView.h"
#include "params/HOXParam.h"
#include "params/ParamDialogSupport.h"
#include "platform/Help.h"
#include "plc/HOXKzPlcDlg.h"
#include "plc/LadderTestSupport.h"
#include "support/DocBuilder.h"
#include "symbols/operand/HOXSelectVal.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using kt::test::AllSelected;
using kt::test::DialogDriver;
using kt::test::DocBuilder;
using kt::test::HostedView;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXMonDevStatDlg;

namespace {

using SV = CHOXSelectVal;
using Settings = CHOXMonDevStat::Settings;

constexpr UINT kHand = MB_OK | MB_ICONHAND;
// The list's order.
enum Name { kX, kY, kM, kD, kV, kZ };
constexpr int kPointRadios[] = {Dlg::kPoints1, Dlg::kPoints4, Dlg::kPoints8, Dlg::kPoints16};

class MonDevStatDlgTest : public ::testing::Test, protected DocBuilder {
protected:
    void Model(std::int32_t type, std::int32_t fileRegisters = 0)
    {
        NewDocument(type);
        ASSERT_TRUE(doc->GetParam().SetParam(&fileRegisters, 101, axis::kX));
        doc->SetModifiedFlag(false);
    }
    // Runs the dialog for a new object; the script ends it.
    int RunNew(ScriptedDialogs::Script script)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, std::move(script));
        m_dlg = std::make_unique<Dlg>(doc.get());
        return m_dlg->DoModal();
    }
    CHOXMonDevStat* Object(const Settings& settings, CPoint at = CPoint(10, 10))
    {
        auto object = std::make_unique<CHOXMonDevStat>(settings, Monitor());
        object->SetId(static_cast<DWORD>(doc->NewMonObjId()));
        object->m_position = CHOXDrawObj::Shifted(object->GetRect(), at.x - 10, at.y - 10);
        CHOXMonDevStat* raw = object.get();
        Monitor()->AddMonObj(std::move(object));
        doc->SetModifiedFlag(false);
        return raw;
    }
    static Dlg& Of(DialogDriver& d) { return static_cast<Dlg&>(d.Dialog()); }
    static int Points(DialogDriver& d)
    {
        for (int i = 0; i < 4; ++i)
            if (d.Check(kPointRadios[i]) != 0) return i;
        return -1;
    }

    std::unique_ptr<Dlg> m_dlg;
};

} // namespace

TEST_F(MonDevStatDlgTest, ANewObjectStartsAtX0WithOnePointAndNothingElse)
{
    for (std::int32_t type : {ctype::kOneAxis, ctype::kTwoAxes}) {
        SCOPED_TRACE(type);
        Model(type);
        RunNew([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Device Status"));
            ASSERT_EQ(d.Site().GetCount(Dlg::kName), 6);
            const char* names[] = {"X", "Y", "M", "D", "V", "Z"};
            for (int i = 0; i < 6; ++i) EXPECT_EQ(d.Site().GetItemText(Dlg::kName, i).toStdString(), names[i]);
            ASSERT_EQ(d.Site().GetCount(Dlg::kIndexName), 3);
            EXPECT_EQ(d.Site().GetItemText(Dlg::kIndexName, 0), QStringLiteral("NONE"));
            EXPECT_EQ(d.Site().GetCurSel(Dlg::kName), kX);
            EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
            EXPECT_EQ(d.Limit(Dlg::kNumber), 4);
            EXPECT_EQ(d.Site().GetCurSel(Dlg::kIndexName), 0);
            EXPECT_EQ(d.Text(Dlg::kIndexNumber), QStringLiteral("0"));
            for (int id : {Dlg::kIndexName, Dlg::kIndexNumber, Dlg::kIndexSpin, Dlg::k32Bit, Dlg::kRead, Dlg::kWrite})
                EXPECT_FALSE(d.Enabled(id)) << id;
            EXPECT_EQ(d.Check(Dlg::k32Bit), 0);
            EXPECT_EQ(Points(d), 0);
            EXPECT_TRUE(d.Enabled(Dlg::kPoints16));
            EXPECT_EQ(d.Text(Dlg::kHint), QString());
            d.Click(IDOK);
            EXPECT_TRUE(d.Ended());
        });
        EXPECT_EQ(m_dlg->GetSettings(), (Settings{0, SV::kX, 0, 0, 0, 1}));
    }
}

TEST_F(MonDevStatDlgTest, AnObjectOnThePageShowsItsSettings)
{
    struct Case {
        Settings settings;
        int name; // -1: none of the list
        const char* number;
        int index;
        const char* indexNumber;
        int is32Bit;
        int points;
    };
    const Case cases[] = {
        {{1, SV::kD, 100, SV::kIndexV, 3, 4}, kD, "100", 1, "3", 1, 1},
        {{1, SV::kZ, 2, 0, 0, 8}, kZ, "2", 0, "0", 1, 2},
        {{0, SV::kM, 16, 0, 0, 16}, kM, "16", 0, "0", 0, 3},
        // Points only a file holds show as one point.
        {{0, SV::kY, 7, 0, 0, 2}, kY, "7", 0, "0", 0, 0},
        // A DD without 32 bits, or a type of no name, names none.
        {{0, SV::kDD, 5, 0, 0, 1}, -1, "5", 0, "0", 0, 0},
        {{0, 5, 0, 0, 0, 1}, -1, "0", 0, "0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings.type);
        Model(ctype::kTwoAxes);
        CHOXMonDevStat* object = Object(c.settings);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            EXPECT_EQ(d.Site().GetCurSel(Dlg::kName), c.name);
            EXPECT_EQ(d.Text(Dlg::kNumber).toStdString(), c.number);
            EXPECT_EQ(d.Site().GetCurSel(Dlg::kIndexName), c.index);
            EXPECT_EQ(d.Text(Dlg::kIndexNumber).toStdString(), c.indexNumber);
            EXPECT_EQ(d.Check(Dlg::k32Bit), c.is32Bit);
            EXPECT_EQ(Points(d), c.points);
            d.Click(IDCANCEL);
        });
        object->OnOpen(0, CPoint());
    }
}

TEST_F(MonDevStatDlgTest, ChoosingATypeEnablesWhatBelongsToItAndKeepsOnlyAValidNumber)
{
    struct Case {
        int name;
        bool index;
        bool is32Bit;
        bool sixteen;
        std::int32_t spinTop; // the highest the spin reaches
    };
    const Case cases[] = {
        {kX, false, false, true, 377}, {kY, false, false, true, 67}, {kM, false, false, true, 9175},
        {kD, true, true, true, 9599},  {kV, false, false, false, 7}, {kZ, false, true, false, 7},
    };
    Model(ctype::kTwoAxes);
    RunNew([&](DialogDriver& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            d.Select(Dlg::kName, c.name);
            EXPECT_EQ(d.Enabled(Dlg::kIndexName), c.index);
            EXPECT_EQ(d.Enabled(Dlg::kIndexNumber), c.index);
            EXPECT_EQ(d.Enabled(Dlg::kIndexSpin), c.index);
            EXPECT_EQ(d.Enabled(Dlg::k32Bit), c.is32Bit);
            EXPECT_EQ(d.Enabled(Dlg::kPoints16), c.sixteen);
            // The spin reaches the type's highest number and stops there.
            d.Type(Dlg::kNumber, QString::number(c.spinTop - 1));
            d.Spin(Dlg::kNumberSpin, 1);
            EXPECT_EQ(d.Text(Dlg::kNumber).toInt(), c.spinTop);
            d.Spin(Dlg::kNumberSpin, 1);
            EXPECT_EQ(d.Text(Dlg::kNumber).toInt(), c.spinTop);
        }
        // The index: a kind chosen starts at number 0; another type drops
        // the kind, and a type but D the number too.
        d.Select(Dlg::kName, kD);
        d.Select(Dlg::kIndexName, 2);
        d.Type(Dlg::kIndexNumber, QStringLiteral("5"));
        d.Select(Dlg::kIndexName, 1);
        EXPECT_EQ(d.Text(Dlg::kIndexNumber), QStringLiteral("0"));
        d.Type(Dlg::kIndexNumber, QStringLiteral("5"));
        d.Select(Dlg::kName, kZ);
        EXPECT_EQ(d.Site().GetCurSel(Dlg::kIndexName), 0);
        EXPECT_EQ(d.Text(Dlg::kIndexNumber), QStringLiteral("0"));
        // A number the new type has stays; one it lacks becomes 0.
        d.Select(Dlg::kName, kM);
        d.Type(Dlg::kNumber, QStringLiteral("300"));
        d.Select(Dlg::kName, kD);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("300"));
        d.Select(Dlg::kName, kX);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        d.Type(Dlg::kNumber, QStringLiteral("17"));
        d.Select(Dlg::kName, kY);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("17"));
        d.Select(Dlg::kName, kV);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        // 16 points: V and Z fall back to one point; a group top that is
        // none of the new type's becomes 0.
        d.Select(Dlg::kName, kM);
        d.Click(Dlg::kPoints16);
        d.Type(Dlg::kNumber, QStringLiteral("16"));
        d.Select(Dlg::kName, kX);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0"));
        EXPECT_EQ(Points(d), 3);
        d.Select(Dlg::kName, kZ);
        EXPECT_EQ(Points(d), 0);
        d.Click(IDCANCEL);
    });
}

TEST_F(MonDevStatDlgTest, SixteenPointsKeepOnlyAGroupTopAndShowTheHintForM)
{
    Model(ctype::kTwoAxes);
    RunNew([&](DialogDriver& d) {
        d.Select(Dlg::kName, kM);
        EXPECT_EQ(d.Text(Dlg::kHint), QString());
        d.Type(Dlg::kNumber, QStringLiteral("32"));
        d.Click(Dlg::kPoints16);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("32"));
        EXPECT_EQ(d.Text(Dlg::kHint), QStringLiteral("(0,16,32,..)"));
        d.Click(Dlg::kPoints8);
        EXPECT_EQ(d.Text(Dlg::kHint), QString());
        d.Type(Dlg::kNumber, QStringLiteral("17"));
        d.Click(Dlg::kPoints16);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("0")) << "silently";
        d.Select(Dlg::kName, kX);
        EXPECT_EQ(d.Text(Dlg::kHint), QString());
        d.Type(Dlg::kNumber, QStringLiteral("372"));
        d.Click(Dlg::kPoints4);
        d.Click(Dlg::kPoints16);
        EXPECT_EQ(d.Text(Dlg::kNumber), QStringLiteral("372"));
        d.Click(IDOK);
    });
    EXPECT_EQ(m_dlg->GetSettings(), (Settings{0, SV::kX, 372, 0, 0, 16}));
}

TEST_F(MonDevStatDlgTest, TheSpinStepsAcrossEachJumpOnTheWidgets)
{
    struct Case {
        const char* what;
        std::int32_t model;
        std::int32_t fileRegisters;
        int name;
        bool sixteen;
        const char* from;
        int steps;
        std::vector<const char*> shown; // after each step
    };
    const Case cases[] = {
        {"X over 8 and 9", ctype::kTwoAxes, 0, kX, false, "6", 1, {"7", "10"}},
        {"X 67 to 372", ctype::kTwoAxes, 0, kX, false, "372", -1, {"67"}},
        {"one-axis X 3 to 375", ctype::kOneAxis, 0, kX, false, "3", 1, {"375"}},
        {"Y 57 to 60", ctype::kTwoAxes, 0, kY, false, "57", 1, {"60"}},
        {"M 511 to 9000", ctype::kTwoAxes, 0, kM, false, "511", 1, {"9000"}},
        {"D 1999 to 4000 with file registers", ctype::kOneAxis, 1000, kD, false, "1999", 1, {"4000"}},
        {"D 4999 to 9000", ctype::kOneAxis, 1000, kD, false, "4999", 1, {"9000"}},
        {"D 1999 to 9000 without", ctype::kOneAxis, 0, kD, false, "1999", 1, {"9000"}},
        {"16 M groups", ctype::kTwoAxes, 0, kM, true, "480", 1, {"496", "9000", "9016"}},
        {"16 X tens and 372", ctype::kTwoAxes, 0, kX, true, "50", 1, {"60", "372", "372"}},
        {"16 one-axis X", ctype::kOneAxis, 0, kX, true, "375", -1, {"0", "0"}},
        {"16 Y tens", ctype::kTwoAxes, 0, kY, true, "20", -1, {"10", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model(c.model, c.fileRegisters);
        RunNew([&](DialogDriver& d) {
            d.Select(Dlg::kName, c.name);
            if (c.sixteen) d.Click(Dlg::kPoints16);
            d.Type(Dlg::kNumber, QString::fromLatin1(c.from));
            for (const char* shown : c.shown) {
                d.Spin(Dlg::kNumberSpin, c.steps);
                EXPECT_EQ(d.Text(Dlg::kNumber).toStdString(), shown);
            }
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(MonDevStatDlgTest, EachRefusalShowsItsMessageOnTheNumberAndKeepsTheDialogOpen)
{
    const QString kD2 =
        QStringLiteral("ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 3999,  9000 ~ 9599.");
    struct Case {
        const char* what;
        std::int32_t model;
        std::int32_t fileRegisters;
        int name;
        int points;
        int index;
        const char* indexNumber;
        const char* number;
        QString message;
        int button; // OK or one of the RA-ZUZ buttons
    };
    // clang-format off
    const Case cases[] = {
        {"X one axis", ctype::kOneAxis, 0, kX, 0, 0, "0", "4",
         "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 3 and  375 ~ 377.", IDOK},
        {"X", ctype::kTwoAxes, 0, kX, 0, 0, "0", "8",
         "ERROR : Invalid Device Number for Device type X.\nValid range :  0 ~ 7, 372 ~ 377 and 10 ~ 67 (octal).", IDOK},
        {"Y one axis", ctype::kOneAxis, 0, kY, 0, 0, "0", "6",
         "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 5.", IDOK},
        {"Y", ctype::kTwoAxes, 0, kY, 0, 0, "0", "68",
         "ERROR : Invalid Device Number for Device type Y.\nValid range : 0 ~ 67 (Octal).", IDOK},
        {"M", ctype::kTwoAxes, 0, kM, 0, 0, "0", "512",
         "ERROR : Invalid Device Number for Device type M.\nValid range : 0 ~ 511 and 9000 ~ 9175.", IDOK},
        {"D one axis", ctype::kOneAxis, 0, kD, 0, 0, "0", "2000",
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 1999,  9000 ~ 9313.", IDOK},
        {"D", ctype::kTwoAxes, 0, kD, 0, 0, "0", "4000", kD2, IDOK},
        {"D one axis, file registers", ctype::kOneAxis, 500, kD, 0, 0, "0", "4500",
         "ERROR: Invalid Device Number for Device type D.\nValid range :  0 ~ 1999, 4000 ~ 4499,  9000 ~ 9313.", IDOK},
        {"D, file registers", ctype::kTwoAxes, 500, kD, 0, 0, "0", "9600",
         "ERROR : Invalid Device Number for Device type D.\nValid range :  0 ~ 4499,  9000 ~ 9599.", IDOK},
        {"index V", ctype::kTwoAxes, 0, kD, 0, 1, "8", "100",
         "ERROR : Invalid Index number for Index Register V.\nValid range: 0~7", IDOK},
        {"index Z", ctype::kTwoAxes, 0, kD, 0, 2, "9", "100",
         "ERROR : Invalid Index number for Index Register Z.\nValid range : 0~7", IDOK},
        {"V", ctype::kTwoAxes, 0, kV, 0, 0, "0", "8",
         "ERROR : Invalid Device number for Device Typer V.\nValid range : 0~7", IDOK},
        {"Z", ctype::kOneAxis, 0, kZ, 0, 0, "0", "8",
         "ERROR : Invalid Device number for Device Typer Z.\nValid range : 0~7", IDOK},
        {"16 M", ctype::kTwoAxes, 0, kM, 3, 0, "0", "9001",
         "ERROR:   M device number is invalid for 16 points setting. \n Valid Range is M0, 16, 32....", IDOK},
        {"16 X one axis", ctype::kOneAxis, 0, kX, 3, 0, "0", "376",
         "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0 and X375.", IDOK},
        {"16 X", ctype::kTwoAxes, 0, kX, 3, 0, "0", "12",
         "ERROR:   X Device Number is invalid for 16 points setting. \n Valid Range is X0,10,20..60,372.", IDOK},
        {"16 Y one axis", ctype::kOneAxis, 0, kY, 3, 0, "0", "4",
         "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Number is Y0 only.", IDOK},
        {"16 Y", ctype::kTwoAxes, 0, kY, 3, 0, "0", "61",
         "ERROR:   Y Device Number is invalid for 16 points setting. \n Valid Range is Y0,10,20..60.", IDOK},
        {"D through the read button", ctype::kTwoAxes, 0, kD, 0, 0, "0", "9600", kD2, Dlg::kRead},
        {"D through the write button", ctype::kTwoAxes, 0, kD, 0, 0, "0", "9600", kD2, Dlg::kWrite},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model(c.model, c.fileRegisters);
        RunNew([&](DialogDriver& d) {
            d.Select(Dlg::kName, c.name);
            if (c.points != 0) d.Click(kPointRadios[c.points]);
            if (c.index != 0) {
                d.Select(Dlg::kIndexName, c.index);
                d.Type(Dlg::kIndexNumber, QString::fromLatin1(c.indexNumber));
            }
            d.Type(Dlg::kNumber, QString::fromLatin1(c.number));
            ScriptedMessages messages;
            messages.Expect(c.message, kHand, IDOK);
            d.Click(c.button);
            EXPECT_EQ(messages.seen.size(), 1u);
            EXPECT_EQ(d.Focus(), Dlg::kNumber);
            EXPECT_TRUE(AllSelected(d, Dlg::kNumber));
            EXPECT_FALSE(d.Ended());
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(MonDevStatDlgTest, AnObjectOfNoListedTypeIsRefusedForItsType)
{
    Model(ctype::kTwoAxes);
    CHOXMonDevStat* object = Object({0, 5, 0, 0, 0, 1});
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("ERROR :  Invalid Device Type. "), kHand, IDOK);
        d.Click(IDOK);
        EXPECT_EQ(d.Focus(), Dlg::kNumber);
        EXPECT_FALSE(d.Ended());
        // Choosing a type puts it right.
        d.Select(Dlg::kName, kM);
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    object->OnOpen(0, CPoint());
    EXPECT_EQ(object->GetSettings(), (Settings{0, SV::kM, 0, 0, 0, 1}));
}

TEST_F(MonDevStatDlgTest, TheRaZuzButtonsOpenTheInstructionForTheColumnsBufferMemory)
{
    struct Case {
        const char* what;
        std::int32_t model;
        int name;
        bool sixteen;
        bool is32Bit;
        const char* number;
        bool read;
        bool write;
        std::int32_t buffer; // what the instruction is opened with
    };
    // clang-format off
    const Case cases[] = {
        {"D99", ctype::kTwoAxes, kD, false, false, "99", false, false, 0},
        {"D100", ctype::kTwoAxes, kD, false, false, "100", true, true, 100},
        {"32-bit D200", ctype::kTwoAxes, kD, false, true, "200", true, true, 200},
        {"D9000", ctype::kTwoAxes, kD, false, false, "9000", true, true, 9000},
        {"V3", ctype::kTwoAxes, kV, false, false, "3", true, true, 3},
        {"32-bit Z2", ctype::kOneAxis, kZ, false, true, "2", true, true, 2},
        {"M16 of 16", ctype::kTwoAxes, kM, true, false, "16", true, true, 65},
        {"M9016 of 16", ctype::kOneAxis, kM, true, false, "9016", true, true, 21},
        {"M16 of 8", ctype::kTwoAxes, kM, false, false, "16", false, false, 0},
        {"X0 of 16", ctype::kTwoAxes, kX, true, false, "0", true, true, 32},
        {"X372 of 16", ctype::kTwoAxes, kX, true, false, "372", true, true, 47},
        {"X375 of 16, one axis", ctype::kOneAxis, kX, true, false, "375", true, true, 47},
        {"X10 of 16 has none", ctype::kTwoAxes, kX, true, false, "10", false, false, 0},
        {"Y0 of 16", ctype::kTwoAxes, kY, true, false, "0", true, true, 48},
        {"Y20 of 16 has none", ctype::kTwoAxes, kY, true, false, "20", false, false, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (bool read : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (read ? " read" : " write"));
            Model(c.model);
            ScriptedDialogs dialogs;
            dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
                d.Select(Dlg::kName, c.name);
                if (c.sixteen) d.Click(Dlg::kPoints16);
                if (c.is32Bit) d.Click(Dlg::k32Bit);
                d.Type(Dlg::kNumber, QString::fromLatin1(c.number));
                EXPECT_EQ(d.Enabled(Dlg::kRead), c.read);
                EXPECT_EQ(d.Enabled(Dlg::kWrite), c.write);
                if ((read && c.read) || (!read && c.write)) {
                    d.Click(read ? Dlg::kRead : Dlg::kWrite);
                    EXPECT_FALSE(d.Ended()) << "the dialog stays after the instruction";
                }
                d.Click(IDCANCEL);
            });
            if ((read && c.read) || (!read && c.write)) {
                dialogs.Expect(CHOXKzPlcDlg::kTemplate, [&](DialogDriver& d) {
                    auto& kz = static_cast<CHOXKzPlcDlg&>(d.Dialog());
                    EXPECT_EQ(kz.GetForm(), c.is32Bit ? 1 : 0);
                    EXPECT_EQ(kz.GetRegisterNumber(), c.buffer);
                    EXPECT_EQ(kz.GetDocument(), doc.get());
                    const std::string instruction = std::string(c.is32Bit ? "D" : "") + (read ? "FROM" : "TO");
                    EXPECT_EQ(kt::test::Describe(kz.GetLadder().GetBlockList()),
                              "@16,32 1'' 5'Blank' 6'" + instruction + "' 6'K0' 6'K" + std::to_string(c.buffer) +
                                  "' 6'Blank' 6'K1' 2''\n");
                    d.Click(IDOK);
                });
            }
            Dlg dlg(doc.get());
            dlg.DoModal();
            EXPECT_EQ(dialogs.Ran(), (read && c.read) || (!read && c.write) ? 2 : 1);
        }
    }
    // A file register reads from no buffer memory.
    Model(ctype::kTwoAxes, 1000);
    RunNew([](DialogDriver& d) {
        d.Select(Dlg::kName, kD);
        d.Type(Dlg::kNumber, QStringLiteral("4000"));
        EXPECT_FALSE(d.Enabled(Dlg::kRead));
        EXPECT_TRUE(d.Enabled(Dlg::kWrite));
        d.Type(Dlg::kNumber, QStringLiteral("7000"));
        EXPECT_TRUE(d.Enabled(Dlg::kRead));
        d.Type(Dlg::kNumber, QString());
        EXPECT_FALSE(d.Enabled(Dlg::kRead));
        EXPECT_FALSE(d.Enabled(Dlg::kWrite));
        d.Click(IDCANCEL);
    });
}

TEST_F(MonDevStatDlgTest, HelpOpensTheDialogsPage)
{
    Model(ctype::kTwoAxes);
    RecordingHelp help;
    RunNew([](DialogDriver& d) {
        d.Click(Dlg::kHelp);
        d.Click(IDCANCEL);
    });
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], HelpPageFor(Dlg::kHelpContext));
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2081a.html"));
}

TEST_F(MonDevStatDlgTest, EditingAnObjectKeepsItsCornerGrowsTheSheetAndMarksTheDocument)
{
    Model(ctype::kTwoAxes);
    HostedView<CHOXMonView> view(*doc, Monitor());
    CHOXMonDevStat* object = Object({0, SV::kD, 100, 0, 0, 4}, CPoint(100, 200));
    ASSERT_EQ(object->GetRect(), CRect(100, 200, 244, 280));
    const CRect sheet = Monitor()->GetBaseRect()->GetRect();
    ASSERT_EQ(sheet, CRect(0, 0, 500, 300));
    object->SetValues(std::vector<BYTE>(8, 1), true);

    // Cancel changes nothing but the modified mark.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
            d.Select(Dlg::kName, kM);
            d.Click(IDCANCEL);
        });
        object->OnOpen(0, CPoint(110, 210));
    }
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(object->GetSettings(), (Settings{0, SV::kD, 100, 0, 0, 4}));
    EXPECT_EQ(object->GetValue(0), 257);

    // M0 of 16: a lamp column 320 high from the same corner, reaching past
    // the sheet, which grows to 30 below it.
    doc->SetModifiedFlag(false);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
            d.Select(Dlg::kName, kM);
            d.Click(Dlg::kPoints16);
            d.Click(IDOK);
        });
        object->OnOpen(0, CPoint(110, 210));
    }
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(object->GetSettings(), (Settings{0, SV::kM, 0, 0, 0, 16}));
    EXPECT_EQ(object->GetRect(), CRect(100, 200, 140, 520));
    EXPECT_EQ(object->GetShownCount(), 16);
    EXPECT_EQ(object->GetValue(0), 0) << "values start afresh";
    EXPECT_EQ(Monitor()->GetBaseRect()->GetRect(), CRect(0, 0, 500, 550));
    EXPECT_EQ(view.view.GetTotalSize(), CSize(515, 565));

    // Back to one point: the sheet stays as it is.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
            d.Click(Dlg::kPoints1);
            d.Click(IDOK);
        });
        object->OnOpen(0, CPoint(110, 210));
    }
    EXPECT_EQ(object->GetRect(), CRect(100, 200, 140, 220));
    EXPECT_EQ(Monitor()->GetBaseRect()->GetRect(), CRect(0, 0, 500, 550));

    // An object ending 10 above the sheet's bottom grows it too; 11 above not.
    for (int bottom : {539, 540}) {
        SCOPED_TRACE(bottom);
        Monitor()->GetBaseRect()->m_position = CRect(0, 0, 500, 550);
        object->m_position = CRect(100, bottom - 20, 140, bottom);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) { d.Click(IDOK); });
        object->OnOpen(0, CPoint());
        EXPECT_EQ(Monitor()->GetBaseRect()->GetRect().bottom, bottom == 540 ? 570 : 550);
    }
}
