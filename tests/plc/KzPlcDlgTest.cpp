// The "RA-ZUZ instruction" dialog: the rows each caller gets and the bytes
// its copy puts on the clipboard, the foundation-sequence state, the edit of
// the foundation sequence from the dialog, Help, and the dialog reached from
// the program-number parameter dialog.
#include "plc/HOXKzPlcDlg.h"

#include "LadderTestSupport.h"
#include "app/HOXDoc.h"
#include "params/HOXParam.h"
#include "params/HOXParamProgNoDlg.h"
#include "platform/Clipboard.h"
#include "platform/ui/QtDialogSite.h"
#include "plc/HOXFounSeq.h"
#include "plc/HOXFounSeq1Dlg.h"
#include "plc/HOXLadderClip.h"
#include "res/CommandIds.h"
#include "support/Scripted.h"
#include "symbols/code/HOXDataRegDlg.h"
#include "symbols/operand/HOXDataReg.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <gtest/gtest.h>

using kt::test::Describe;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using Dlg = CHOXKzPlcDlg;

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

const QByteArray kLine = Hex("0C06FFFFFFFFFFFF");
const QByteArray kOneRowHead = Hex("0100010000000C000100");

std::string OneRow(const std::string& instruction, const std::string& unit, const std::string& buffer)
{
    return "@16,32 1'' 5'Blank' 6'" + instruction + "' 6'" + unit + "' 6'" + buffer + "' 6'Blank' 6'K1' 2''\n";
}

std::string BothAxes(const std::string& instruction, const std::string& unit)
{
    return "@16,32 1'' 5'Blank' 10'' 6'" + instruction + "' 6'" + unit + "' 6'K4 ' 6'Blank' 6'K1' 2''\n" +
           "@59,32 3'' 6'" + instruction + "' 6'" + unit + "' 6'K14' 6'Blank' 6'K1' 2''\n";
}

// A 16-bit row: Blank contact, six lines, the box and its four operands.
QByteArray FromToBytes(const char* instruction, const char* unit, const char* buffer)
{
    return kOneRowHead + Hex("0C01FFFF0000FFFF") + kLine.repeated(6) + Hex("0C5030FF") + Hex(instruction) +
           Hex("00FFFF") + Hex("0CF0FF4B") + Hex(unit) + Hex("FFFF") + Hex("0CF0FF4B") + Hex(buffer) + Hex("FFFF") +
           Hex("0CF0FFFF0000FFFF") + Hex("0CF0FF4B0100FFFF");
}

// A 32-bit row: the operands in cell pairs.
QByteArray DFromDToBytes(const char* instruction, const char* unit, const char* buffer)
{
    const QByteArray high = Hex("0CF0FF4B0000FFFF");
    return kOneRowHead + Hex("0C01FFFF0000FFFF") + kLine.repeated(2) + Hex("0C9131FF") + Hex(instruction) +
           Hex("00FFFF") + Hex("0CF0FF4B") + Hex(unit) + Hex("FFFF") + high + Hex("0CF0FF4B") + Hex(buffer) +
           Hex("FFFF") + high + Hex("0CF0FFFF0000FFFF").repeated(2) + Hex("0CF0FF4B0100FFFF") + high;
}

QByteArray BothAxesBytes(const char* instruction, const char* unit)
{
    const QByteArray box = Hex("0C9131FF") + Hex(instruction) + Hex("00FFFF");
    const QByteArray k0 = Hex("0CF0FF4B0000FFFF");
    const QByteArray tail = Hex("0CF0FFFF0000FFFF").repeated(2) + Hex("0CF0FF4B0100FFFF") + k0;
    return Hex("0100010000000C000200") + Hex("0D01FFFF0000FFFF") + Hex("0D06FFFFFFFFFFFF") + kLine + box +
           Hex("0C0FFF4B") + Hex(unit) + Hex("FFFF") + k0 + Hex("0CF0FF4B0400FFFF") + Hex("0C0FFF4B0000FFFF") + tail +
           Hex("06FFFFFFFFFFFFFF") + Hex("0E06FFFFFFFFFFFF") + kLine + box + Hex("0CF0FF4B") + Hex(unit) + Hex("FFFF") +
           k0 + Hex("0CF0FF4B0E00FFFF") + k0 + tail;
}

class KzPlcDlgTest : public ::testing::Test {
protected:
    void UseType(std::int32_t type, std::int32_t unit)
    {
        doc.SetControllerType(type);
        doc.GetFounSeq()->SetUnitNo(unit);
        doc.SetModifiedFlag(false);
    }
    // Runs the dialog and copies its ladder: the rows shown and the bytes
    // copied.
    std::pair<std::string, std::optional<QByteArray>> ShowAndCopy(Dlg& dlg)
    {
        clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
        std::string rows;
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            rows = Describe(dlg.GetLadder().GetBlockList());
            d.Click(Dlg::kCopy);
            EXPECT_FALSE(d.Ended());
            d.Click(IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        return {rows, clipboard::Take(CHOXLadderClip::FormatName())};
    }

    CHOXDoc doc;
};

} // namespace

TEST_F(KzPlcDlgTest, EachCallerGetsItsRowsAndItsCopy)
{
    const struct {
        const char* caller;
        std::int32_t type, unit, b32Bit, buffer, from, bothAxes;
        std::string rows;
        QByteArray bytes;
    } cases[] = {
        {"program number", 1, -1, 0, 9000, 0, 0, OneRow("TO", "K0", "K9000"), FromToBytes("4F", "0000", "2823")},
        {"program information X", 0, 2, 0, 9001, 1, 0, OneRow("FROM", "K2", "K9001"),
         FromToBytes("4E", "0200", "2923")},
        {"data register 32-bit", 2, 6, 1, 100, 0, 0, OneRow("DTO", "K6", "K100"), DFromDToBytes("4F", "0600", "6400")},
        {"device status read", 1, 7, 1, 9081, 1, 0, OneRow("DFROM", "K7", "K9081"),
         DFromDToBytes("4E", "0700", "7923")},
        {"current position read, one axis", 0, -1, 1, -1, 1, 1, OneRow("DFROM", "K0", "K4 "),
         DFromDToBytes("4E", "0000", "0400")},
        {"current position read, two axes", 1, 3, 1, -1, 1, 1, BothAxes("DFROM", "K3"), BothAxesBytes("4E", "0300")},
        {"current position write, interpolated", 2, -1, 1, -1, 0, 1, BothAxes("DTO", "K0"),
         BothAxesBytes("4F", "0000")},
        // Any non-zero width is the 32-bit row, shown and copied alike.
        {"width flag 2", 1, 1, 2, 9003, 1, 0, OneRow("DFROM", "K1", "K9003"), DFromDToBytes("4E", "0100", "2B23")},
        {"width flag -1, both axes", 2, 4, -1, -1, 0, 1, BothAxes("DTO", "K4"), BothAxesBytes("4F", "0400")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caller);
        UseType(c.type, c.unit);
        Dlg dlg(c.b32Bit, c.buffer, &doc, c.from, c.bothAxes);
        EXPECT_EQ(dlg.GetForm(), c.b32Bit != 0 ? 1 : 0);
        EXPECT_EQ(dlg.GetUnitNo(), c.unit);
        const auto [rows, copied] = ShowAndCopy(dlg);
        EXPECT_EQ(rows, c.rows);
        ASSERT_TRUE(copied) << "nothing copied";
        EXPECT_EQ(copied->toHex(' ').toStdString(), c.bytes.toHex(' ').toStdString());
        EXPECT_EQ(copied->size(), c.bothAxes == 1 && c.type != 0 ? 202 : 106);
    }
}

TEST_F(KzPlcDlgTest, StateTextSaysWhetherTheSequenceIsSet)
{
    for (std::int32_t unit : {-1, 0, 7}) {
        SCOPED_TRACE(unit);
        UseType(1, unit);
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [unit](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("RA-ZUZ instruction"));
            EXPECT_EQ(d.Text(Dlg::kSequenceState),
                      unit == -1 ? QStringLiteral("Sequence not set") : QStringLiteral("It is set already"));
            EXPECT_EQ(d.Enabled(Dlg::kSequenceState), unit == -1);
            EXPECT_EQ(d.Text(Dlg::kFoundationSequence), QStringLiteral("&Foundation Sequence"));
            EXPECT_EQ(d.Text(Dlg::kCopy), QStringLiteral("Co&py to clipboard"));
            d.Click(IDCANCEL);
        });
        Dlg dlg(0, 9000, &doc, 0, 0);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

TEST_F(KzPlcDlgTest, FoundationSequenceButtonChangesStateAndLadderAtOnce)
{
    for (int end : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(end);
        UseType(1, -1);
        clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
        ScriptedDialogs dialogs;
        dialogs.Expect(Dlg::kTemplate, [&](DialogDriver& d) {
            auto& dlg = static_cast<Dlg&>(d.Dialog());
            EXPECT_EQ(Describe(dlg.GetLadder().GetBlockList()), BothAxes("DFROM", "K0"));
            d.Click(Dlg::kFoundationSequence);
            EXPECT_EQ(d.Text(Dlg::kSequenceState), QStringLiteral("It is set already"));
            EXPECT_FALSE(d.Enabled(Dlg::kSequenceState));
            EXPECT_EQ(dlg.GetUnitNo(), 4);
            EXPECT_EQ(Describe(dlg.GetLadder().GetBlockList()), BothAxes("DFROM", "K4"));
            d.Click(Dlg::kCopy);
            d.Click(end);
        });
        dialogs.Expect(CHOXFounSeq1Dlg::kTemplate, [](DialogDriver& d) {
            d.Type(IDC_FOUNSEQ_UNIT, QStringLiteral("4"));
            d.Click(IDOK);
        });
        Dlg dlg(1, -1, &doc, 1, 1);
        dlg.DoModal();
        EXPECT_EQ(clipboard::Take(CHOXLadderClip::FormatName()), BothAxesBytes("4E", "0400"));
        // The settings stay stored however the dialog ends.
        EXPECT_EQ(doc.GetFounSeq()->GetUnitNo(), 4);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(KzPlcDlgTest, BothAxesShowTwoRowsInTheLadderArea)
{
    UseType(2, 1);
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        // The branch row stands 32 pixels below the first, inside the area.
        auto* area = qobject_cast<QAbstractScrollArea*>(d.Widget(Dlg::kLadder));
        ASSERT_NE(area, nullptr);
        const QImage image = area->viewport()->grab().toImage();
        ASSERT_GT(image.height(), 72);
        bool ink = false;
        for (int y = 60; y < 70 && !ink; ++y)
            for (int x = 0; x < image.width() && !ink; ++x) ink = image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_TRUE(ink);
        kt::test::SaveScreenshot(d.Site().Window(), "kzplc-both-axes.png");
        d.Click(IDOK);
    });
    Dlg dlg(1, -1, &doc, 1, 1);
    dlg.DoModal();
}

TEST_F(KzPlcDlgTest, HelpOpensItsContext)
{
    UseType(0, -1);
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        d.Click(Dlg::kHelpButton);
        d.Click(IDOK);
    });
    Dlg dlg(0, 9000, &doc, 0, 0);
    dlg.DoModal();
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/207f4.html"));
}

TEST_F(KzPlcDlgTest, ProgramNumberParameterDialogOpensTheInstructionDialog)
{
    UseType(2, 5);
    doc.GetParam().SetDefaults();
    clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXParamProgNoDlg::kTemplate, [](DialogDriver& d) {
        d.Click(CHOXParamProgNoDlg::kDesigRegister);
        d.Click(CHOXParamProgNoDlg::kKzPlc);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        auto& dlg = static_cast<Dlg&>(d.Dialog());
        EXPECT_EQ(Describe(dlg.GetLadder().GetBlockList()), OneRow("TO", "K5", "K9000"));
        EXPECT_EQ(d.Text(Dlg::kSequenceState), QStringLiteral("It is set already"));
        d.Click(Dlg::kCopy);
        d.Click(IDOK);
    });
    doc.GetParam().EditProgramNumber();
    EXPECT_EQ(clipboard::Take(CHOXLadderClip::FormatName()), FromToBytes("4F", "0500", "2823"));
}

TEST_F(KzPlcDlgTest, DataRegisterDialogOpensTheInstructionDialog)
{
    UseType(1, 2);
    doc.GetParam().SetDefaults();
    clipboard::Offer(QStringLiteral("text/plain"), QByteArray("before"));
    CHOXDataReg reg;
    ASSERT_TRUE(reg.Parse(QStringLiteral("DD150"), true));
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXDataRegDlg::kTemplate, [](DialogDriver& d) {
        d.Click(CHOXDataRegDlg::kKzPlc);
        d.Click(IDCANCEL);
    });
    dialogs.Expect(Dlg::kTemplate, [](DialogDriver& d) {
        auto& dlg = static_cast<Dlg&>(d.Dialog());
        EXPECT_EQ(Describe(dlg.GetLadder().GetBlockList()), OneRow("DTO", "K2", "K150"));
        d.Click(Dlg::kCopy);
        d.Click(IDOK);
    });
    CHOXDataRegDlg chooser(reg, &doc);
    chooser.DoModal();
    EXPECT_EQ(clipboard::Take(CHOXLadderClip::FormatName()), DFromDToBytes("4F", "0200", "9600"));
}
