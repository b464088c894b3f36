// "M code KZ -- PLC  instruction": what it opens with, the checks of each
// edit as it changes and of the whole input, Select, Foundation Sequence,
// Apply and Delete, OK and Cancel, the axis change, Help, and the bytes that
// each copy button puts on the clipboard.
#include "plc/HOXMcodeKzPlcDlg.h"

#include "LadderTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/ui/QtDialogSite.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXFounSeq2Dlg.h"
#include "plc/HOXLadderClip.h"
#include "plc/HOXMcodeKzPlc.h"
#include "res/CommandIds.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/code/HOXCodeMcode.h"
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using kt::test::Describe;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using Dlg = CHOXMcodeKzPlcDlg;
using Chooser = CHOXSelectBitDeviceDlg;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;
const QString kSaveRange = QStringLiteral("ERROR : Invalid Mcode Save Device value.\n Valid Range : D0 ~ D7999.");
const QString kAuxRange = QStringLiteral("ERROR : Invalid Auxiliary Device value.\n Valid Range :  D0 ~ D3071.");
const QString kDeviceType = QStringLiteral("ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y.");

QString CompletionRange(int highest)
{
    return QStringLiteral("Invalid Completion signal device : Valid range is 0 to %1").arg(highest);
}

// ---------------------------------------------------------------------------
// Golden bytes, written from the cell tables of the clipboard format.

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray Word(int value)
{
    QByteArray b;
    b.append(static_cast<char>(value & 0xFF));
    b.append(static_cast<char>((value >> 8) & 0xFF));
    return b;
}

QByteArray Op(int letter, int number) { return QByteArray(1, static_cast<char>(letter)) + Word(number); }

QByteArray Cell(int joint, int code, int third, const QByteArray& operand)
{
    QByteArray b;
    for (int v : {joint, code, third}) b.append(static_cast<char>(v));
    return b + operand + Hex("FFFF");
}

QByteArray Head(int cells, int rows) { return Hex("010001000000") + Word(cells) + Word(rows); }
QByteArray Lines(int n) { return Hex("0C06FFFFFFFFFFFF").repeated(n); }
QByteArray BoxOperand(const QByteArray& operand) { return Cell(0x0C, 0xF0, 0xFF, operand); }

// M code save device: FROM the unit's buffer memory into the register.
QByteArray SaveBytes(int unit, int buffer, int save)
{
    return Head(12, 1) + Cell(0x0C, 0x01, 0xFF, Op('M', 8000)) + Lines(6) + Cell(0x0C, 0x50, 0x30, Op(0xFF, 78)) +
           BoxOperand(Op('K', unit)) + BoxOperand(Op('K', buffer)) + BoxOperand(Op('D', save)) + BoxOperand(Op('K', 1));
}

QByteArray Compare(int joint, int instruction, int save, int mcode)
{
    return Cell(joint, 0x38, 0x30, Op(0xFF, instruction)) + BoxOperand(Op('D', save)) + BoxOperand(Op('K', mcode));
}

// The completion device as the cells write it: X and Y read as octal.
struct Completion {
    char letter;
    int written;
};

QByteArray AuxBytes(int on, int save, int mcode, Completion c, int aux)
{
    return Head(12, 1) + Cell(0x0C, 0x01, 0xFF, Op('M', on)) + Compare(0x0C, 232, save, mcode) +
           Cell(0x0C, 0x02, 0xFF, Op(c.letter, c.written)) + Lines(6) + Cell(0x0C, 0x08, 0x09, Op('M', aux));
}

QByteArray OffBytes(int save, int mcode, Completion c, int on, int off)
{
    return Head(12, 1) + Compare(0x0C, 224, save, mcode) + Cell(0x0C, 0x01, 0xFF, Op(c.letter, c.written)) +
           Cell(0x0C, 0x01, 0xFF, Op('M', on)) + Lines(6) + Cell(0x0C, 0x08, 0x09, Op('M', off));
}

QByteArray CompareBytes(int save, int mcode, Completion c)
{
    return Head(4, 1) + Compare(0x0C, 224, save, mcode) + Cell(0x0C, 0x01, 0xFF, Op(c.letter, c.written));
}

struct TotalRow {
    int mcode;
    Completion completion;
};

QByteArray TotalBytes(const std::vector<TotalRow>& rows, int save, int on, int off)
{
    const int n = static_cast<int>(rows.size());
    const int joint = n > 1 ? 0x0D : 0x0C;
    QByteArray b = Head(12, n) + Compare(joint, 224, save, rows[0].mcode) +
                   Cell(0x0C, 0x01, 0xFF, Op(rows[0].completion.letter, rows[0].completion.written)) +
                   Cell(joint, 0x01, 0xFF, Op('M', on)) + Lines(6) + Cell(0x0C, 0x08, 0x09, Op('M', off));
    for (int i = 1; i < n; ++i) {
        const bool last = i == n - 1;
        const auto& r = rows[static_cast<std::size_t>(i)];
        b += Compare(last ? 0x0E : 0x0F, 224, save, r.mcode) +
             Cell(0x0C, 0x01, 0xFF, Op(r.completion.letter, r.completion.written)) +
             Cell(last ? 0x02 : 0x03, 0xFF, 0xFF, Op(0xFF, 0xFFFF)) +
             Cell(0x00, 0xFF, 0xFF, Op(0xFF, 0xFFFF)).repeated(7);
    }
    return b;
}

std::string HexOf(const std::optional<QByteArray>& bytes)
{
    return bytes ? bytes->toHex(' ').toStdString() : std::string("(nothing copied)");
}

// What one copy button puts on the clipboard; nothing when it copies
// nothing or cannot be clicked.
std::optional<QByteArray> Copy(DialogDriver& d, int button)
{
    clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
    if (d.Enabled(button)) d.Click(button);
    return clipboard::Take(CHOXLadderClip::FormatName());
}

std::string Rows(const CHOXLadderCtrl& ladder) { return Describe(ladder.GetBlockList()); }

// The edit's whole text replaced at once, as a paste does: one change.
void Paste(DialogDriver& d, int id, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(d.Widget(id));
    ASSERT_NE(edit, nullptr);
    d.Site().SetFocus(id);
    edit->selectAll();
    edit->insert(text);
}

// ---------------------------------------------------------------------------

class McodeKzPlcDlgTest : public kt::test::FlowDocTest {
protected:
    void SetUp() override
    {
        FlowDocTest::SetUp();
        UseType(1);
    }
    void UseType(int type)
    {
        MakeDocument(type);
        opener = PlaceMcode(5);
        doc->SetModifiedFlag(false);
    }
    CHOXCodeMcode* PlaceMcode(int number, CHOXFlowWnd* wnd = nullptr)
    {
        CHOXCodeMcode* symbol = Place<CHOXCodeMcode>(wnd != nullptr ? wnd : chart);
        symbol->SetNumber(static_cast<BYTE>(number));
        return symbol;
    }
    CHOXMcodeKzPlc& Settings() { return *doc->GetMcodeKzPlc(); }
    CHOXFounSeq& FounSeq() { return *doc->GetFounSeq(); }
    // The foundation sequence: unit, control and status top devices of X
    // and of Y.
    void Foundation(int unit, int controlX, int statusX, int controlY, int statusY)
    {
        FounSeq().SetUnitNo(unit);
        FounSeq().SetControlDevice(0, controlX);
        FounSeq().SetStatusDevice(0, statusX);
        FounSeq().SetControlDevice(1, controlY);
        FounSeq().SetStatusDevice(1, statusY);
    }
    void SetCompletion(int mcode, int axis, const char* text)
    {
        CHOXSelectVal v;
        QString message;
        ASSERT_TRUE(v.Parse(QString::fromLatin1(text), message)) << text;
        ASSERT_TRUE(Settings().SetCompletionDevice(mcode, v.GetDeviceType(), v.GetDigits(), v.GetNumber(),
                                                   v.GetIndexType(), v.GetIndexNumber(), axis));
    }
    void Applied(int mcode, int axis, const char* completion = nullptr)
    {
        Settings().SetSequence(mcode, axis);
        Settings().UpdateList(mcode, false, axis);
        if (completion != nullptr) SetCompletion(mcode, axis, completion);
    }
    // Runs the dialog of the M code on the axis; its result.
    int Run(int mcode, int axis, std::function<void(DialogDriver&)> script, int changed = 0,
            std::function<void(ScriptedDialogs&)> more = {})
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, std::move(script));
        if (more) more(dialogs);
        Dlg dlg(opener, mcode, axis, changed);
        return dlg.DoModal();
    }
    static Dlg& Of(DialogDriver& d) { return static_cast<Dlg&>(d.Dialog()); }

    // A refusal: the message with the hand icon, the field focused with its
    // text selected, the dialog open.
    static void ExpectRefused(DialogDriver& d, const std::function<void()>& act, int field, const QString& message)
    {
        ScriptedMessages messages;
        messages.Expect(message, kStop, IDOK);
        act();
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_EQ(d.Focus(), field);
        EXPECT_EQ(d.SelectedText(field), d.Text(field));
        EXPECT_FALSE(d.Ended());
    }

    CHOXCodeMcode* opener = nullptr;
};

} // namespace

TEST_F(McodeKzPlcDlgTest, OpensOnTheAxisOfTheSymbolsDialogWithItsSettings)
{
    Settings().SetSaveDevice(100, 0);
    Settings().SetSaveDevice(300, 1);
    Settings().SetAuxDevice(20, 5, 0);
    Settings().SetAuxDevice(40, 5, 1);
    SetCompletion(5, 0, "X17");
    SetCompletion(5, 1, "M7");
    Applied(5, 1);
    const struct {
        int axis;
        bool xEnabled, yEnabled;
        int checked;
        const char* save;
        const char* aux;
        const char* completion;
        bool set;
    } cases[] = {
        {0, true, false, Dlg::kAxisX, "100", "20", "X17", false},
        {1, false, true, Dlg::kAxisY, "300", "40", "M7", true},
        // None given: X's settings, neither button.
        {-1, false, false, Dlg::kAxisX, "100", "20", "X17", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.axis);
        Run(5, c.axis, [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("M code KZ -- PLC  instruction"));
            EXPECT_EQ(d.Enabled(Dlg::kAxisX), c.xEnabled);
            EXPECT_EQ(d.Enabled(Dlg::kAxisY), c.yEnabled);
            EXPECT_EQ(d.Check(c.checked), 1);
            EXPECT_EQ(Of(d).GetShownAxis(), c.checked == Dlg::kAxisX ? 0 : 1);
            EXPECT_EQ(d.Text(Dlg::kSaveDevice).toStdString(), c.save);
            EXPECT_EQ(d.Text(Dlg::kAuxDevice).toStdString(), c.aux);
            EXPECT_EQ(d.Text(Dlg::kCompletion).toStdString(), c.completion);
            EXPECT_EQ(d.Enabled(Dlg::kApply), !c.set);
            EXPECT_EQ(d.Enabled(Dlg::kDelete), c.set);
            EXPECT_EQ(d.Limit(Dlg::kSaveDevice), 4);
            EXPECT_EQ(d.Limit(Dlg::kAuxDevice), 4);
            EXPECT_EQ(d.Limit(Dlg::kCompletion), 5);
            EXPECT_EQ(d.Text(Dlg::kApply), QStringLiteral(">> &Apply >>"));
            EXPECT_EQ(d.Text(Dlg::kDelete), QStringLiteral("<< &Delete <<"));
            EXPECT_EQ(d.Text(Dlg::kSelect), QStringLiteral("Se&lect"));
            EXPECT_EQ(d.Text(Dlg::kFoundationSequence), QStringLiteral("&Foundation Sequence"));
            for (const auto& [id, text] :
                 {std::pair{Dlg::kCopySave, "&Copy to clipboard"}, std::pair{Dlg::kCopyAux, "C&opy to clipboard"},
                  std::pair{Dlg::kCopyOff, "Co&py to clipboard"}, std::pair{Dlg::kCopyTotal, "Copy &to clipboard"}})
                EXPECT_EQ(d.Text(id), QString::fromLatin1(text));
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(McodeKzPlcDlgTest, TheStateLineSaysWhetherTheFoundationSequenceIsSet)
{
    for (int unit : {-1, 0, 7}) {
        SCOPED_TRACE(unit);
        FounSeq().SetUnitNo(unit);
        Run(5, 0, [unit](DialogDriver& d) {
            EXPECT_EQ(d.Text(Dlg::kSequenceState),
                      unit == -1 ? QStringLiteral("Sequence not set") : QStringLiteral("It is set already"));
            EXPECT_EQ(d.Enabled(Dlg::kSequenceState), unit == -1);
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(McodeKzPlcDlgTest, TheFourLaddersFollowTheSettings)
{
    Foundation(2, 100, 200, 300, 400);
    Settings().SetSaveDevice(10, 1);
    Settings().SetAuxDevice(30, 5, 1);
    SetCompletion(5, 1, "Y7");
    Applied(3, 1, "M12");
    Run(5, 1, [](DialogDriver& d) {
        auto& dlg = Of(d);
        // Y of independent axes: buffer memory 13.
        EXPECT_EQ(
            Rows(dlg.GetSaveLadder()),
            Describe({{{{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K2"}, {6, "K13"}, {6, "D10"}, {6, "K1"}, {2, ""}},
                       {16, 32}}}));
        EXPECT_EQ(Rows(dlg.GetAuxLadder()),
                  Describe({{{{1, ""}, {5, "M403"}, {7, "= D10 K5"}, {9, "Y7"}, {8, "M30"}, {2, ""}}, {16, 32}}}));
        // Another M code is in use: this one's OFF row ends in a gap.
        EXPECT_EQ(dlg.GetOffList(), (std::vector<std::int32_t>{3, 5}));
        EXPECT_EQ(Rows(dlg.GetOffLadder()),
                  Describe({{{{1, ""}, {7, "= D10 K5"}, {5, "Y7"}, {11, ""}, {2, ""}}, {16, 32}}}));
        EXPECT_EQ(Rows(dlg.GetTotalLadder()),
                  Describe({{{{1, ""}, {7, "= D10 K3"}, {5, "M12"}, {10, ""}, {5, "M403"}, {8, "M303"}, {2, ""}},
                             {16, 32}}}));
        EXPECT_TRUE(d.Enabled(Dlg::kCopyTotal));
        d.Click(IDCANCEL);
    });
    // On X, alone and not applied: the full OFF row and no total.
    Run(5, 0, [](DialogDriver& d) {
        auto& dlg = Of(d);
        EXPECT_EQ(Rows(dlg.GetSaveLadder()),
                  Describe({{{{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K2"}, {6, "K3"}, {6, "D0"}, {6, "K1"}, {2, ""}},
                             {16, 32}}}));
        EXPECT_EQ(Rows(dlg.GetOffLadder()),
                  Describe({{{{1, ""}, {7, "= D0 K5"}, {5, "X0"}, {5, "M203"}, {8, "M103"}, {2, ""}}, {16, 32}}}));
        EXPECT_TRUE(dlg.GetTotalLadder().GetBlockList().empty());
        EXPECT_FALSE(d.Enabled(Dlg::kCopyTotal));
        d.Click(IDCANCEL);
    });
}

// Each edit is checked as it changes, once the dialog stands: a refusal
// shows its message and leaves the ladders as they were; a value that
// passes rebuilds them.
TEST_F(McodeKzPlcDlgTest, EachEditIsCheckedAsItChanges)
{
    const struct {
        int field;
        const char* pasted;
        const char* message; // null: accepted
    } cases[] = {
        {Dlg::kSaveDevice, "8000", "ERROR : Invalid Mcode Save Device value.\n Valid Range : D0 ~ D7999."},
        {Dlg::kSaveDevice, "7999", nullptr},
        {Dlg::kAuxDevice, "3072", "ERROR : Invalid Auxiliary Device value.\n Valid Range :  D0 ~ D3071."},
        {Dlg::kAuxDevice, "3071", nullptr},
        {Dlg::kCompletion, "X400", "Invalid Completion signal device : Valid range is 0 to 377"},
        {Dlg::kCompletion, "X377", nullptr},
        {Dlg::kCompletion, "Y378", "Invalid Completion signal device : Valid range is 0 to 377"},
        {Dlg::kCompletion, "Y0", nullptr},
        {Dlg::kCompletion, "M3072", "Invalid Completion signal device : Valid range is 0 to 3071"},
        {Dlg::kCompletion, "M3071", nullptr},
        {Dlg::kCompletion, "D8000", "Invalid Completion signal device : Valid range is 0 to 7999"},
        {Dlg::kCompletion, "D7999", nullptr},
        {Dlg::kCompletion, "K5", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        {Dlg::kCompletion, "H1F", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        {Dlg::kCompletion, "K4M0", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        {Dlg::kCompletion, "V1", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        // Copied, these would be D100 and D1 without their index: refused as
        // the device types the copy cannot write.
        {Dlg::kCompletion, "DD100", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        {Dlg::kCompletion, "D1V2", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        {Dlg::kCompletion, "D1Z7", "ERROR : Invalid Device type.\n Valid Devices are D,M,X,Y."},
        // The parser's own messages, for a text longer than one character.
        {Dlg::kCompletion, "X1V", " Digits must follow Device type."},
        {Dlg::kCompletion, "xy", " Integers follows Device K."},
        {Dlg::kCompletion, "DX", " Digits must follow Device type."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        Run(5, 0, [&](DialogDriver& d) {
            auto& dlg = Of(d);
            const std::string aux = Rows(dlg.GetAuxLadder());
            const std::string save = Rows(dlg.GetSaveLadder());
            const QString text = QString::fromLatin1(c.pasted);
            if (c.message != nullptr) {
                ExpectRefused(
                    d, [&] { Paste(d, c.field, text); }, c.field, QString::fromLatin1(c.message));
                EXPECT_EQ(Rows(dlg.GetAuxLadder()), aux);
                EXPECT_EQ(Rows(dlg.GetSaveLadder()), save);
            } else {
                Paste(d, c.field, text);
                EXPECT_NE(Rows(dlg.GetAuxLadder()).find(c.pasted), std::string::npos) << Rows(dlg.GetAuxLadder());
            }
            d.Click(IDCANCEL);
        });
    }
}

// Typed key by key, a device is judged at each key; its first letter alone
// says nothing.
TEST_F(McodeKzPlcDlgTest, TypingADeviceComplainsOnlyAtTheKeyThatSpoilsIt)
{
    Run(5, 0, [](DialogDriver& d) {
        auto& dlg = Of(d);
        d.Type(Dlg::kCompletion, QStringLiteral("D7999"));
        EXPECT_EQ(dlg.GetCompletion().GetText(), QStringLiteral("D7999"));
        ExpectRefused(
            d, [&] { d.Type(Dlg::kCompletion, QStringLiteral("X400")); }, Dlg::kCompletion, CompletionRange(377));
        // X40 was taken on the way.
        EXPECT_EQ(dlg.GetCompletion().GetText(), QStringLiteral("X40"));
        ExpectRefused(
            d, [&] { d.Type(Dlg::kSaveDevice, QStringLiteral("8000")); }, Dlg::kSaveDevice, kSaveRange);
        EXPECT_EQ(dlg.GetSaveDevice(), 800);
        d.Click(IDCANCEL);
    });
}

TEST_F(McodeKzPlcDlgTest, AChangeRebuildsTheLaddersThatShowIt)
{
    Applied(5, 0);
    Run(5, 0, [](DialogDriver& d) {
        auto& dlg = Of(d);
        d.Type(Dlg::kSaveDevice, QStringLiteral("55"));
        EXPECT_EQ(dlg.GetSaveDevice(), 55);
        for (const CHOXLadderCtrl* ladder :
             {&dlg.GetSaveLadder(), &dlg.GetAuxLadder(), &dlg.GetOffLadder(), &dlg.GetTotalLadder()})
            EXPECT_NE(Rows(*ladder).find("D55"), std::string::npos) << Rows(*ladder);
        d.Type(Dlg::kAuxDevice, QStringLiteral("66"));
        EXPECT_NE(Rows(dlg.GetAuxLadder()).find("8'M66'"), std::string::npos);
        d.Type(Dlg::kCompletion, QStringLiteral("M12"));
        for (const CHOXLadderCtrl* ladder : {&dlg.GetAuxLadder(), &dlg.GetOffLadder(), &dlg.GetTotalLadder()})
            EXPECT_NE(Rows(*ladder).find("'M12'"), std::string::npos) << Rows(*ladder);
        // The spins step by one.
        d.Spin(Dlg::kSaveSpin, 2);
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("57"));
        EXPECT_EQ(dlg.GetSaveDevice(), 57);
        d.Spin(Dlg::kAuxSpin, -1);
        EXPECT_EQ(d.Text(Dlg::kAuxDevice), QStringLiteral("65"));
        d.Type(Dlg::kSaveDevice, QStringLiteral("7999"));
        d.Spin(Dlg::kSaveSpin, 1);
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("7999"));
        d.Type(Dlg::kAuxDevice, QStringLiteral("3071"));
        d.Spin(Dlg::kAuxSpin, 1);
        EXPECT_EQ(d.Text(Dlg::kAuxDevice), QStringLiteral("3071"));
        d.Click(IDCANCEL);
    });
}

TEST_F(McodeKzPlcDlgTest, WhatIsTypedHalfwaySaysNothing)
{
    Run(5, 0, [](DialogDriver& d) {
        auto& dlg = Of(d);
        const std::string aux = Rows(dlg.GetAuxLadder());
        // A device letter alone, an emptied edit: no message, no selection
        // that the next key would replace, no new ladder.
        for (int field : {Dlg::kCompletion, Dlg::kSaveDevice, Dlg::kAuxDevice}) d.Type(field, QString());
        d.Type(Dlg::kCompletion, QStringLiteral("X"));
        EXPECT_EQ(d.SelectedText(Dlg::kCompletion), QString());
        EXPECT_EQ(Rows(dlg.GetAuxLadder()), aux);
        d.Type(Dlg::kCompletion, QStringLiteral("X5"));
        EXPECT_EQ(dlg.GetCompletion().GetText(), QStringLiteral("X5"));
        d.Click(IDCANCEL);
    });
}

// Values stored out of range come up without a word; only the user's
// changes and the checks of the whole input judge them.
TEST_F(McodeKzPlcDlgTest, TheOpeningValuesAreNotCheckedUntilTheInputIs)
{
    Settings().SetSaveDevice(9000, 0);
    Settings().SetAuxDevice(5000, 5, 0);
    SetCompletion(5, 0, "X400");
    Run(5, 0, [this](DialogDriver& d) {
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("9000"));
        ExpectRefused(
            d, [&] { d.Click(IDOK); }, Dlg::kCompletion, CompletionRange(377));
        d.Type(Dlg::kCompletion, QStringLiteral("X1"));
        ExpectRefused(
            d, [&] { d.Click(IDOK); }, Dlg::kSaveDevice, kSaveRange);
        d.Type(Dlg::kSaveDevice, QStringLiteral("1"));
        ExpectRefused(
            d, [&] { d.Click(IDOK); }, Dlg::kAuxDevice, kAuxRange);
        d.Type(Dlg::kAuxDevice, QStringLiteral("2"));
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_EQ(Settings().GetSaveDevice(0), 1);
    EXPECT_EQ(Settings().GetAuxDevice(5, 0), 2u);
    EXPECT_EQ(Settings().GetCompletionDevice(5, 0).GetText(), QStringLiteral("X1"));
}

TEST_F(McodeKzPlcDlgTest, TheWholeInputIsCheckedCompletionThenSaveThenAuxiliary)
{
    using Prepare = std::function<void(DialogDriver&)>;
    const auto typed = [](int field, const char* text, QString changeMessage = QString()) -> Prepare {
        return [=](DialogDriver& d) {
            ScriptedMessages messages;
            if (!changeMessage.isEmpty()) messages.Expect(changeMessage, kStop, IDOK);
            Paste(d, field, QString::fromLatin1(text));
        };
    };
    const Prepare nothing = [](DialogDriver&) {};
    const struct {
        const char* what;
        std::int32_t save, aux; // stored before the dialog opens
        Prepare prepare;
        int field;
        QString message;
    } cases[] = {
        // The completion as its text reads now, even when the edit's own
        // check kept quiet, and before anything else.
        {"a letter alone", 9999, 9999, typed(Dlg::kCompletion, "X"), Dlg::kCompletion,
         QStringLiteral(" Digits must follow Device type.")},
        {"no completion", 9999, 9999, typed(Dlg::kCompletion, ""), Dlg::kCompletion, QStringLiteral(" Data Required.")},
        {"a 32-bit register", 0, 0, typed(Dlg::kCompletion, "DD5", kDeviceType), Dlg::kCompletion, kDeviceType},
        {"Y400", 0, 0, typed(Dlg::kCompletion, "Y400", CompletionRange(377)), Dlg::kCompletion, CompletionRange(377)},
        {"save device too high", 9999, 9999, nothing, Dlg::kSaveDevice, kSaveRange},
        {"save device emptied", 0, 9999, typed(Dlg::kSaveDevice, ""), Dlg::kSaveDevice, kSaveRange},
        {"auxiliary device too high", 7999, 9999, nothing, Dlg::kAuxDevice, kAuxRange},
        {"auxiliary device emptied", 7999, 0, typed(Dlg::kAuxDevice, ""), Dlg::kAuxDevice, kAuxRange},
    };
    // Each check stops OK, Apply and the axis change alike.
    for (int action : {IDOK, Dlg::kApply, Dlg::kAxisY}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " by " + std::to_string(action));
            UseType(1);
            Settings().SetSaveDevice(c.save, 0);
            Settings().SetAuxDevice(static_cast<std::uint32_t>(c.aux), 5, 0);
            const int result = Run(5, 0, [&](DialogDriver& d) {
                c.prepare(d);
                Of(d).EnableDlgItem(Dlg::kAxisY, true);
                ExpectRefused(
                    d, [&] { d.Click(action); }, c.field, c.message);
                EXPECT_EQ(Of(d).GetShownAxis(), 0);
                EXPECT_EQ(d.Check(Dlg::kAxisX), 1);
                EXPECT_EQ(d.Check(Dlg::kAxisY), 0);
                EXPECT_TRUE(d.Enabled(Dlg::kApply));
                d.Click(IDCANCEL);
            });
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_FALSE(Settings().IsSequenceSet(5, 0));
            EXPECT_EQ(Settings().GetListEntry(0, 0), 0u);
            EXPECT_EQ(Settings().GetSaveDevice(0), c.save);
        }
    }
}

TEST_F(McodeKzPlcDlgTest, SelectTakesTheChosenPlcDeviceAndCancelLeavesIt)
{
    SetCompletion(5, 0, "M12");
    for (int type : {0, 1}) {
        SCOPED_TRACE(type);
        UseType(type);
        SetCompletion(5, 0, "M12");
        Run(
            5, 0,
            [](DialogDriver& d) {
                auto& dlg = Of(d);
                d.Click(Dlg::kSelect); // cancelled
                EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("M12"));
                d.Click(Dlg::kSelect);
                EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("D100"));
                EXPECT_EQ(dlg.GetCompletion().GetText(), QStringLiteral("D100"));
                for (const CHOXLadderCtrl* ladder : {&dlg.GetAuxLadder(), &dlg.GetOffLadder()})
                    EXPECT_NE(Rows(*ladder).find("'D100'"), std::string::npos) << Rows(*ladder);
                d.Click(IDCANCEL);
            },
            0,
            [](ScriptedDialogs& dialogs) {
                // The companion PLC's list, starting at the device shown.
                const auto opens = [](DialogDriver& d) {
                    EXPECT_EQ(d.Caption(), QStringLiteral("Select Device for KZ-2N"));
                    EXPECT_EQ(d.Site().GetCount(Chooser::kDevice), 4);
                    EXPECT_EQ(d.Site().GetCurSel(Chooser::kDevice), 2);
                    EXPECT_EQ(d.Text(Chooser::kNumber), QStringLiteral("12"));
                };
                dialogs.Expect(Chooser::kTemplate, [opens](DialogDriver& d) {
                    opens(d);
                    d.Click(IDCANCEL);
                });
                dialogs.Expect(Chooser::kTemplate, [opens](DialogDriver& d) {
                    opens(d);
                    d.Select(Chooser::kDevice, 3);
                    d.Type(Chooser::kNumber, QStringLiteral("100"));
                    d.Click(IDOK);
                });
            });
        // Nothing is stored before OK or Apply.
        EXPECT_EQ(Settings().GetCompletionDevice(5, 0).GetText(), QStringLiteral("M12"));
    }
}

TEST_F(McodeKzPlcDlgTest, FoundationSequenceChangesTheUnitAndDevicesOfEveryLadder)
{
    Applied(5, 0, "X1");
    Run(
        5, 0,
        [](DialogDriver& d) {
            auto& dlg = Of(d);
            EXPECT_NE(Rows(dlg.GetSaveLadder()).find("'K0'"), std::string::npos);
            EXPECT_NE(Rows(dlg.GetAuxLadder()).find("'M3'"), std::string::npos);
            d.Click(Dlg::kFoundationSequence);
            EXPECT_EQ(d.Text(Dlg::kSequenceState), QStringLiteral("It is set already"));
            EXPECT_FALSE(d.Enabled(Dlg::kSequenceState));
            EXPECT_EQ(
                Rows(dlg.GetSaveLadder()),
                Describe({{{{1, ""}, {5, "M8000"}, {6, "FROM"}, {6, "K4"}, {6, "K3"}, {6, "D0"}, {6, "K1"}, {2, ""}},
                           {16, 32}}}));
            EXPECT_EQ(Rows(dlg.GetAuxLadder()),
                      Describe({{{{1, ""}, {5, "M203"}, {7, "= D0 K5"}, {9, "X1"}, {8, "M0"}, {2, ""}}, {16, 32}}}));
            EXPECT_EQ(Rows(dlg.GetOffLadder()),
                      Describe({{{{1, ""}, {7, "= D0 K5"}, {5, "X1"}, {5, "M203"}, {8, "M103"}, {2, ""}}, {16, 32}}}));
            EXPECT_EQ(Rows(dlg.GetTotalLadder()),
                      Describe({{{{1, ""}, {7, "= D0 K5"}, {5, "X1"}, {10, ""}, {5, "M203"}, {8, "M103"}, {2, ""}},
                                 {16, 32}}}));
            d.Click(IDCANCEL);
        },
        0,
        [](ScriptedDialogs& dialogs) {
            dialogs.Expect(CHOXFounSeq1Dlg::kTemplate, [](DialogDriver& d) {
                d.Type(IDC_FOUNSEQ_UNIT, QStringLiteral("4"));
                d.Type(IDC_FOUNSEQ_DEVICE_X, QStringLiteral("100"));
                d.Click(IDC_FOUNSEQ_NEXT);
            });
            dialogs.Expect(CHOXFounSeq2Dlg::kTemplate, [](DialogDriver& d) {
                d.Type(IDC_FOUNSEQ_DEVICE_X, QStringLiteral("200"));
                d.Click(IDOK);
            });
        });
    // The foundation sequence is stored however this dialog ends.
    EXPECT_EQ(FounSeq().GetUnitNo(), 4);
    EXPECT_EQ(FounSeq().GetMcodeOffDevice(0), 103);
}

TEST_F(McodeKzPlcDlgTest, ApplyAndDeleteSwapAndChangeTheTotalLadder)
{
    Applied(9, 0, "M40");
    Run(5, 0, [this](DialogDriver& d) {
        auto& dlg = Of(d);
        const std::string nine = "@16,32 1'' 7'= D7 K9' 5'M40' 10'' 5'M3' 8'M3' 2''\n";
        d.Type(Dlg::kSaveDevice, QStringLiteral("7"));
        d.Type(Dlg::kAuxDevice, QStringLiteral("8"));
        d.Type(Dlg::kCompletion, QStringLiteral("Y6"));
        EXPECT_EQ(Rows(dlg.GetTotalLadder()), nine);
        EXPECT_TRUE(d.Enabled(Dlg::kCopyTotal));
        EXPECT_EQ(HexOf(Copy(d, Dlg::kCopyTotal)), HexOf(TotalBytes({{9, {'M', 40}}}, 7, 3, 3)));

        d.Click(Dlg::kApply);
        EXPECT_FALSE(d.Enabled(Dlg::kApply));
        EXPECT_TRUE(d.Enabled(Dlg::kDelete));
        EXPECT_TRUE(dlg.IsSequenceSet());
        EXPECT_EQ(Rows(dlg.GetTotalLadder()), nine + "@16,32 3'' 7'= D7 K5' 5'Y6' 4''\n");
        EXPECT_EQ(HexOf(Copy(d, Dlg::kCopyTotal)), HexOf(TotalBytes({{9, {'M', 40}}, {5, {'Y', 6}}}, 7, 3, 3)));
        // Stored at once: the three devices, the sequence and the list.
        EXPECT_TRUE(Settings().IsSequenceSet(5, 0));
        EXPECT_EQ(Settings().GetListEntry(1, 0), 5u);
        EXPECT_EQ(Settings().GetSaveDevice(0), 7);
        EXPECT_EQ(Settings().GetAuxDevice(5, 0), 8u);
        EXPECT_EQ(Settings().GetCompletionDevice(5, 0).GetText(), QStringLiteral("Y6"));

        d.Click(Dlg::kDelete);
        EXPECT_TRUE(d.Enabled(Dlg::kApply));
        EXPECT_FALSE(d.Enabled(Dlg::kDelete));
        EXPECT_FALSE(Settings().IsSequenceSet(5, 0));
        EXPECT_EQ(Settings().GetListEntry(1, 0), 0u);
        EXPECT_EQ(Rows(dlg.GetTotalLadder()), nine);

        // Without applied M codes there is nothing to copy.
        d.Click(Dlg::kApply);
        Settings().ClearSequence(9, 0);
        d.Click(Dlg::kDelete);
        EXPECT_TRUE(dlg.GetTotalLadder().GetBlockList().empty());
        EXPECT_FALSE(d.Enabled(Dlg::kCopyTotal));
        // Nor would the writer take an empty ladder.
        clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
        dlg.OnCopyTotal();
        EXPECT_EQ(clipboard::Take(QStringLiteral("text/plain")), QByteArray("before"));
        d.Click(IDCANCEL);
    });
    // What Apply stored stays after Cancel; the document is not modified.
    EXPECT_EQ(Settings().GetSaveDevice(0), 7);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(McodeKzPlcDlgTest, OkStoresTheThreeDevicesAndCancelNothing)
{
    for (int end : {IDCANCEL, IDOK}) {
        for (int axis : {-1, 0, 1}) {
            SCOPED_TRACE(std::to_string(end) + " axis " + std::to_string(axis));
            UseType(1);
            EXPECT_EQ(Run(5, axis,
                          [end](DialogDriver& d) {
                              d.Type(Dlg::kSaveDevice, QStringLiteral("12"));
                              d.Type(Dlg::kAuxDevice, QStringLiteral("34"));
                              d.Type(Dlg::kCompletion, QStringLiteral("D56"));
                              d.Click(end);
                              EXPECT_TRUE(d.Ended());
                          }),
                      end);
            // No axis stores under X.
            const int stored = axis == 1 ? 1 : 0;
            const bool ok = end == IDOK;
            EXPECT_EQ(Settings().GetSaveDevice(stored), ok ? 12 : 0);
            EXPECT_EQ(Settings().GetAuxDevice(5, stored), ok ? 34u : 0u);
            EXPECT_EQ(Settings().GetCompletionDevice(5, stored).GetText(),
                      ok ? QStringLiteral("D56") : QStringLiteral("X0"));
            EXPECT_EQ(Settings().GetSaveDevice(1 - stored), 0);
            EXPECT_EQ(Settings().GetCompletionDevice(5, 1 - stored).GetText(), QStringLiteral("X0"));
            // OK stores the devices, not the sequence; the file holds none of
            // it.
            EXPECT_FALSE(Settings().IsSequenceSet(5, stored));
            EXPECT_FALSE(doc->IsModified());
        }
    }
}

// The axis buttons offer no other axis, but the dialog answers a change all
// the same: all of the other axis's settings, or a refusal that keeps the
// axis.
TEST_F(McodeKzPlcDlgTest, AnAxisChangeShowsEverythingOfTheOtherAxis)
{
    Foundation(1, 100, 200, 300, 400);
    Settings().SetSaveDevice(11, 0);
    Settings().SetSaveDevice(22, 1);
    Settings().SetAuxDevice(33, 5, 1);
    SetCompletion(5, 1, "M44");
    Applied(5, 1);
    Applied(6, 1, "D7");
    Run(5, 0, [this](DialogDriver& d) {
        auto& dlg = Of(d);
        dlg.EnableDlgItem(Dlg::kAxisY, true);
        // The button of the axis shown does nothing, whatever the input.
        d.Type(Dlg::kCompletion, QStringLiteral("X"));
        d.Click(Dlg::kAxisX);
        EXPECT_EQ(dlg.GetShownAxis(), 0);
        d.Type(Dlg::kCompletion, QStringLiteral("X3"));
        d.Type(Dlg::kSaveDevice, QStringLiteral("15"));

        d.Click(Dlg::kAxisY);
        EXPECT_EQ(dlg.GetShownAxis(), 1);
        EXPECT_EQ(d.Check(Dlg::kAxisY), 1);
        EXPECT_EQ(d.Check(Dlg::kAxisX), 0);
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("22"));
        EXPECT_EQ(d.Text(Dlg::kAuxDevice), QStringLiteral("33"));
        EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("M44"));
        EXPECT_FALSE(d.Enabled(Dlg::kApply));
        EXPECT_TRUE(d.Enabled(Dlg::kDelete));
        EXPECT_EQ(dlg.GetOffList(), (std::vector<std::int32_t>{5, 6}));
        // Y's unit buffer, M code ON and OFF devices.
        EXPECT_NE(Rows(dlg.GetSaveLadder()).find("'K13' 6'D22'"), std::string::npos) << Rows(dlg.GetSaveLadder());
        EXPECT_EQ(Rows(dlg.GetAuxLadder()),
                  Describe({{{{1, ""}, {5, "M403"}, {7, "= D22 K5"}, {9, "M44"}, {8, "M33"}, {2, ""}}, {16, 32}}}));
        EXPECT_EQ(
            Rows(dlg.GetTotalLadder()),
            Describe({{{{1, ""}, {7, "= D22 K5"}, {5, "M44"}, {10, ""}, {5, "M403"}, {8, "M303"}, {2, ""}}, {16, 32}},
                      {{{3, ""}, {7, "= D22 K6"}, {5, "D7"}, {4, ""}}, {16, 32}}}));
        // What was entered for X but not applied is not kept.
        EXPECT_EQ(Settings().GetSaveDevice(0), 11);

        d.Click(Dlg::kAxisX);
        EXPECT_EQ(d.Text(Dlg::kSaveDevice), QStringLiteral("11"));
        EXPECT_EQ(d.Text(Dlg::kCompletion), QStringLiteral("X0"));
        EXPECT_TRUE(d.Enabled(Dlg::kApply));
        EXPECT_NE(Rows(dlg.GetAuxLadder()).find("'M203'"), std::string::npos);
        d.Click(IDCANCEL);
    });
}

TEST_F(McodeKzPlcDlgTest, HelpOpensItsPage)
{
    RecordingHelp help;
    Run(5, 0, [](DialogDriver& d) {
        d.Click(Dlg::kHelpButton);
        d.Click(IDCANCEL);
    });
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/20810.html"));
}

// Symbols may hold M codes above 100 (a rebuilt m101, any stored byte);
// there are no settings for them, and nothing of another M code or axis is
// touched.
TEST_F(McodeKzPlcDlgTest, AnMcodeWithoutSettingsChangesNoOtherSettings)
{
    PlaceMcode(101);
    Run(101, 0, [](DialogDriver& d) {
        // The opener's stored 5 is in the list; 101 is not.
        EXPECT_EQ(Of(d).GetOffList(), (std::vector<std::int32_t>{5}));
        d.Type(Dlg::kAuxDevice, QStringLiteral("9"));
        d.Type(Dlg::kCompletion, QStringLiteral("M1"));
        d.Click(Dlg::kApply);
        EXPECT_FALSE(Of(d).IsSequenceSet());
        d.Click(IDOK);
    });
    // Axis 0's M code 101 would be axis 1's M code 0.
    EXPECT_EQ(Settings().GetAuxDevice(0, 1), 0u);
    EXPECT_EQ(Settings().GetCompletionDevice(0, 1).GetText(), QStringLiteral("X0"));
    EXPECT_FALSE(Settings().IsSequenceSet(0, 1));
    EXPECT_EQ(Settings().GetListEntry(0, 0), 0u);
}

TEST_F(McodeKzPlcDlgTest, TheTotalLaddersScrollRangeFollowsItsRows)
{
    for (int m : {3, 4, 6, 7, 8, 9, 10, 11}) Applied(m, 0);
    Run(5, 0, [this](DialogDriver& d) {
        auto& dlg = Of(d);
        const CHOXLadderCtrl& total = dlg.GetTotalLadder();
        ASSERT_EQ(total.GetBlockList().size(), 8u);
        const int shown = total.GetClientRect().Height() / 6;
        ASSERT_GT(shown, 0);
        EXPECT_EQ(total.GetScrollMax(), 6 * 8 + 3 - shown);
        // Every row can be brought into view: the last line, 16 pixels
        // under the last row's, is no lower than the bottom once scrolled.
        EXPECT_LE(32 * 8 + 16 - 6 * total.GetScrollMax(), total.GetClientRect().Height());
        d.Click(Dlg::kApply);
        EXPECT_EQ(total.GetScrollMax(), 6 * 9 + 3 - shown);
        for (int m : {3, 4, 6, 7, 8, 9, 10, 11}) Settings().ClearSequence(m, 0);
        d.Click(Dlg::kDelete);
        EXPECT_EQ(total.GetScrollMax(), 0);
        d.Click(IDCANCEL);
    });
}

// The bytes of each copy button, hand-written from the cell tables: both
// axes, both controller families, alone and among other M Code symbols,
// and several applied M codes in the total ladder.
TEST_F(McodeKzPlcDlgTest, EachCopyButtonPutsItsLadderOnTheClipboard)
{
    struct Case {
        const char* what;
        int type, axis, mcode, changed;
        std::function<void()> arrange;
        bool apply;
        QByteArray save, aux, off;
        std::optional<QByteArray> total;
    };
    const Case cases[] = {
        {"one axis, alone, not applied", 0, 0, 5, 0,
         [this] {
             Foundation(1, 100, 200, 0, 0);
             Settings().SetSaveDevice(100, 0);
             Settings().SetAuxDevice(20, 5, 0);
             SetCompletion(5, 0, "X17");
         },
         false, SaveBytes(1, 3, 100), AuxBytes(203, 100, 5, {'X', 15}, 20), OffBytes(100, 5, {'X', 15}, 203, 103),
         std::nullopt},
        {"independent Y among other symbols, three applied", 1, 1, 7, 0,
         [this] {
             Foundation(2, 0, 0, 300, 400);
             PlaceMcode(6);
             PlaceMcode(7, subtask);
             Settings().SetSaveDevice(50, 1);
             Settings().SetAuxDevice(3071, 7, 1);
             Applied(3, 1, "M12");
             Applied(9, 1, "D40");
             Applied(7, 1, "Y7");
         },
         false, SaveBytes(2, 13, 50), AuxBytes(403, 50, 7, {'Y', 7}, 3071), CompareBytes(50, 7, {'Y', 7}),
         TotalBytes({{3, {'M', 12}}, {9, {'D', 40}}, {7, {'Y', 7}}}, 50, 403, 303)},
        {"simultaneous axes, M code 0 applied here, the opener's old M code gone", 2, -1, 0, 1,
         [this] {
             opener->SetNumber(8);
             Settings().SetSaveDevice(7999, 0);
             Settings().SetSaveDevice(1, 1);
             Applied(4, 0);
             Applied(100, 0, "M3071");
             Applied(4, 1, "M1");
         },
         true, SaveBytes(0, 3, 7999), AuxBytes(3, 7999, 0, {'X', 0}, 0), CompareBytes(7999, 0, {'X', 0}),
         TotalBytes({{4, {'X', 0}}, {100, {'M', 3071}}, {0, {'X', 0}}}, 7999, 3, 3)},
        {"independent X, one applied M code", 1, 0, 5, 0,
         [this] {
             Foundation(7, 3060, 3062, 0, 0);
             Applied(5, 0, "X10");
             Applied(6, 1);
         },
         false, SaveBytes(7, 3, 0), AuxBytes(3065, 0, 5, {'X', 8}, 0), OffBytes(0, 5, {'X', 8}, 3065, 3063),
         TotalBytes({{5, {'X', 8}}}, 0, 3065, 3063)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseType(c.type);
        c.arrange();
        Run(
            c.mcode, c.axis,
            [&](DialogDriver& d) {
                if (c.apply) d.Click(Dlg::kApply);
                EXPECT_EQ(HexOf(Copy(d, Dlg::kCopySave)), HexOf(c.save));
                EXPECT_EQ(HexOf(Copy(d, Dlg::kCopyAux)), HexOf(c.aux));
                EXPECT_EQ(HexOf(Copy(d, Dlg::kCopyOff)), HexOf(c.off));
                EXPECT_EQ(d.Enabled(Dlg::kCopyTotal), c.total.has_value());
                EXPECT_EQ(HexOf(Copy(d, Dlg::kCopyTotal)), HexOf(c.total));
                d.Click(IDCANCEL);
            },
            c.changed);
    }
}

TEST_F(McodeKzPlcDlgTest, TheDialogWithATotalLadderOfSeveralRows)
{
    Foundation(1, 100, 200, 300, 400);
    PlaceMcode(12);
    for (const auto& [m, device] : {std::pair{3, "X1"}, {4, "X2"}, {12, "M100"}, {20, "D15"}}) Applied(m, 0, device);
    Settings().SetSaveDevice(100, 0);
    SetCompletion(5, 0, "X7");
    Applied(5, 0);
    Run(5, 0, [](DialogDriver& d) {
        QWidget* window = d.Site().Window();
        window->show();
        EXPECT_EQ(Of(d).GetTotalLadder().GetBlockList().size(), 5u);
        kt::test::SaveScreenshot(window, "mcode-kzplc-total.png");
        d.Click(IDCANCEL);
    });
}
