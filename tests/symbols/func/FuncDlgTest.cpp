// The nine function-instruction dialogs: kind buttons and the controls each
// kind uses, the device types and widths each operand takes, the composite
// refusals, the Select buttons and the chooser each opens, ABS on the
// one-axis controller, and the double click from dialog to stored symbol.
#include "symbols/func/HOXFuncAbs.h"
#include "symbols/func/HOXFuncAbsDlg.h"
#include "symbols/func/HOXFuncArth.h"
#include "symbols/func/HOXFuncArthDlg.h"
#include "symbols/func/HOXFuncBcdBin.h"
#include "symbols/func/HOXFuncBcdBinDlg.h"
#include "symbols/func/HOXFuncExt.h"
#include "symbols/func/HOXFuncExtDlg.h"
#include "symbols/func/HOXFuncLogical.h"
#include "symbols/func/HOXFuncLogicalDlg.h"
#include "symbols/func/HOXFuncMove.h"
#include "symbols/func/HOXFuncMoveDlg.h"
#include "symbols/func/HOXFuncRepeat.h"
#include "symbols/func/HOXFuncRepeatDlg.h"
#include "symbols/func/HOXFuncSegl.h"
#include "symbols/func/HOXFuncSeglDlg.h"
#include "symbols/func/HOXFuncSetRst.h"
#include "symbols/func/HOXFuncSetRstDlg.h"

#include "chart/HOXUndo.h"
#include "params/HOXParamAbsPosDlg.h"
#include "platform/ui/QtDialogSite.h"
#include "symbols/FlowSymbolTestSupport.h"
#include "symbols/operand/HOXSelWordDevDlg.h"
#include "symbols/operand/HOXSelectBitDeviceDlg.h"

#include <functional>

using kt::test::DialogDriver;
using kt::test::FlowDocTest;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using kt::test::StoredBytes;
using Base = CHOXFuncBaseDlg;
using Script = std::function<void(DialogDriver&)>;

namespace {

constexpr UINT kStop = MB_OK | MB_ICONHAND;

QString S(UINT id) { return LoadStr(id); }

// Which of the nine.
enum class Fn { Repeat, Move, BcdBin, Arth, Logical, Abs, Ext, Segl, SetRst };

class FuncDlgTest : public FlowDocTest {
public:
    using FlowDocTest::chart;
    using FlowDocTest::Place;

protected:
    template <class Sym, class Dlg>
    int Open(CHOXWnd* wnd, int* kind)
    {
        Sym* symbol = Place<Sym>(wnd);
        Dlg dlg(symbol);
        if (kind != nullptr) *kind = dlg.GetDialogKind();
        return dlg.DoModal();
    }

    // Runs the dialog on a new symbol of the chart; the scripts of the
    // dialogs it opens are expected after its own.
    int Run(Fn fn, Script script, std::vector<std::pair<UINT, Script>> nested = {}, int* kind = nullptr)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(TemplateOf(fn), std::move(script));
        for (auto& [id, s] : nested) dialogs.Expect(id, std::move(s));
        switch (fn) {
        case Fn::Repeat: return Open<CHOXFuncRepeat, CHOXFuncRepeatDlg>(chart, kind);
        case Fn::Move: return Open<CHOXFuncMove, CHOXFuncMoveDlg>(chart, kind);
        case Fn::BcdBin: return Open<CHOXFuncBcdBin, CHOXFuncBcdBinDlg>(chart, kind);
        case Fn::Arth: return Open<CHOXFuncArth, CHOXFuncArthDlg>(chart, kind);
        case Fn::Logical: return Open<CHOXFuncLogical, CHOXFuncLogicalDlg>(chart, kind);
        case Fn::Abs: return Open<CHOXFuncAbs, CHOXFuncAbsDlg>(chart, kind);
        case Fn::Ext: return Open<CHOXFuncExt, CHOXFuncExtDlg>(chart, kind);
        case Fn::Segl: return Open<CHOXFuncSegl, CHOXFuncSeglDlg>(chart, kind);
        case Fn::SetRst: return Open<CHOXFuncSetRst, CHOXFuncSetRstDlg>(chart, kind);
        }
        return 0;
    }

    static UINT TemplateOf(Fn fn)
    {
        switch (fn) {
        case Fn::Repeat: return CHOXFuncRepeatDlg::kTemplate;
        case Fn::Move: return CHOXFuncMoveDlg::kTemplate;
        case Fn::BcdBin: return CHOXFuncBcdBinDlg::kTemplate;
        case Fn::Arth: return CHOXFuncArthDlg::kTemplate;
        case Fn::Logical: return CHOXFuncLogicalDlg::kTemplate;
        case Fn::Abs: return CHOXFuncAbsDlg::kTemplate;
        case Fn::Ext: return CHOXFuncExtDlg::kTemplate;
        case Fn::Segl: return CHOXFuncSeglDlg::kTemplate;
        case Fn::SetRst: return CHOXFuncSetRstDlg::kTemplate;
        }
        return 0;
    }
};

// Types the operands' texts (nullptr: leave the edit alone).
void Fill(DialogDriver& d, std::array<const char*, 4> texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] != nullptr) d.Type(Base::kOperands[i], QString::fromLatin1(texts[i]));
}

} // namespace

TEST_F(FuncDlgTest, EachKindShowsItsMnemonicAndTheControlsItUses)
{
    const struct {
        const char* what;
        Fn fn;
        int button; // 0: the kind the symbol starts with
        const char* mnemonic;
        std::array<bool, 4> used;
        bool box;
        std::array<const char*, 4> labels;
        int dialogKind;
    } cases[] = {
        {"RPT",
         Fn::Repeat,
         CHOXFuncRepeatDlg::kRpt,
         "  RPT",
         {true, false, false, false},
         false,
         {" Repeat times", "", "", ""},
         742},
        {"RPE",
         Fn::Repeat,
         CHOXFuncRepeatDlg::kRpe,
         "  RPE",
         {false, false, false, false},
         false,
         {" Repeat times", "", "", ""},
         742},
        {"MOV",
         Fn::Move,
         CHOXFuncMoveDlg::kMov,
         "  MOV",
         {true, true, false, false},
         true,
         {" Source Data", " Destination Data", "", ""},
         743},
        {"MMOV",
         Fn::Move,
         CHOXFuncMoveDlg::kMmov,
         "  MMOV",
         {true, true, false, false},
         false,
         {" Source Data", " Destination Data", "", ""},
         743},
        {"RMOV",
         Fn::Move,
         CHOXFuncMoveDlg::kRmov,
         "  RMOV",
         {true, true, false, false},
         false,
         {" Source Data", " Destination Data", "", ""},
         743},
        {"BIN",
         Fn::BcdBin,
         CHOXFuncBcdBinDlg::kBin,
         "  BIN",
         {true, true, false, false},
         true,
         {" Source Data", " Destination Data", "", ""},
         744},
        {"ADD",
         Fn::Arth,
         CHOXFuncArthDlg::kKindButtons[0],
         "  ADD",
         {true, true, true, false},
         true,
         {" Source Data", " Source Data", " Destination Data", ""},
         745},
        {"DIV",
         Fn::Arth,
         CHOXFuncArthDlg::kKindButtons[3],
         "  DIV",
         {true, true, true, false},
         true,
         {" Source Data", " Source Data", " Destination Data", ""},
         745},
        {"INC",
         Fn::Arth,
         CHOXFuncArthDlg::kKindButtons[4],
         "  INC",
         {true, false, false, false},
         true,
         {" Source Data", "", "", ""},
         745},
        {"NEG",
         Fn::Arth,
         CHOXFuncArthDlg::kKindButtons[6],
         "  NEG",
         {true, false, false, false},
         true,
         {" Source Data", "", "", ""},
         745},
        {"WXOR",
         Fn::Logical,
         CHOXFuncLogicalDlg::kWxor,
         "  WXOR ",
         {true, true, true, false},
         true,
         {" Source Data", " Source Data", " Destination Data", ""},
         746},
        {"YAB", Fn::Abs, CHOXFuncAbsDlg::kYAxis, "  YAB", {false, false, false, false}, false, {"", "", "", ""}, 747},
        {"EXT",
         Fn::Ext,
         0,
         "  EXT",
         {true, true, true, true},
         true,
         {" Source Data", " Destination Data", " Destination Data", " Digits"},
         748},
        {"SEGL",
         Fn::Segl,
         0,
         "  SEGL",
         {true, true, true, true},
         true,
         {" Source Data", " Destination Data", " Digits", " Logic"},
         749},
        {"RST",
         Fn::SetRst,
         CHOXFuncSetRstDlg::kRst,
         "  RST ",
         {true, false, false, false},
         false,
         {" Destination Data", "", "", ""},
         750},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int kind = 0;
        Run(
            c.fn,
            [&](DialogDriver& d) {
                if (c.box) d.Click(Base::k32Bit);
                if (c.button != 0) d.Click(c.button);
                EXPECT_EQ(d.Check(c.button), c.button != 0 ? 1 : 0);
                EXPECT_EQ(d.Text(Base::kMnemonic).toStdString(), c.mnemonic);
                for (std::size_t i = 0; i < 4; ++i) {
                    SCOPED_TRACE(i);
                    EXPECT_EQ(d.Enabled(Base::kOperands[i]), c.used[i]);
                    EXPECT_EQ(d.Enabled(Base::kSelects[i]), c.used[i]);
                    EXPECT_EQ(d.Text(Base::kLabels[i]).toStdString(), c.labels[i]);
                }
                EXPECT_EQ(d.Enabled(Base::k32Bit), c.box);
                EXPECT_EQ(d.Check(Base::k32Bit), c.box ? 1 : 0);
                EXPECT_EQ(d.Limit(Base::kComment), 256);
                d.Click(IDCANCEL);
            },
            {}, &kind);
        EXPECT_EQ(kind, c.dialogKind);
    }
}

TEST_F(FuncDlgTest, OkRefusesWithTheHeadingAndTheOperandsReason)
{
    QString unreadable;
    CHOXSelectVal probe;
    ASSERT_FALSE(probe.Parse(QStringLiteral("Q1"), unreadable));
    const struct {
        const char* what;
        int controllerType;
        Fn fn;
        int button;
        bool is32Bit;
        std::array<const char*, 4> texts;
        QString message;
        int operand;
    } cases[] = {
        {"RPT count Z", 1, Fn::Repeat, 0, false, {"Z0"}, S(13222) + S(13316), 0},
        {"RPT count empty", 1, Fn::Repeat, 0, false, {""}, S(13222) + S(13296), 0},
        {"MOV source empty", 1, Fn::Move, 0, false, {"", "D0"}, S(13203) + S(13296), 0},
        {"MOV destination K", 1, Fn::Move, 0, false, {"K1", "K2"}, S(13204) + S(13299), 1},
        {"MOV destination KnX", 1, Fn::Move, 0, false, {"K1", "K1X0"}, S(13204) + S(13299), 1},
        {"MOV destination empty", 1, Fn::Move, 0, false, {"K1", ""}, S(13204) + S(13297), 1},
        {"BCD source constant", 1, Fn::BcdBin, 0, false, {"H1", "D0"}, S(13203) + S(13298), 0},
        {"ADD source group", 1, Fn::Arth, 0, false, {"K1M0", "K1", "D0"}, S(13203) + S(13298), 0},
        {"ADD destination constant", 1, Fn::Arth, 0, false, {"D0", "K1", "K2"}, S(13204) + S(13299), 2},
        {"INC source K", 1, Fn::Arth, CHOXFuncArthDlg::kKindButtons[4], false, {"K1"}, S(13203) + S(13298), 0},
        {"WAND source unreadable", 1, Fn::Logical, 0, false, {"Q1", "D0", "D1"}, S(13203) + unreadable, 0},
        {"WAND destination K alone", 1, Fn::Logical, 0, false, {"D0", "D1", "K1"}, S(13204), 2},
        {"EXT source Y", 1, Fn::Ext, 0, false, {"Y0", "Y0", "D0", "K4"}, S(13203) + S(13215), 0},
        {"EXT source X4 one-axis", 0, Fn::Ext, 0, false, {"X4", "Y0", "D0", "K4"}, S(13203) + S(13282), 0},
        {"EXT source X70 two-axis", 1, Fn::Ext, 0, false, {"X70", "Y0", "D0", "K4"}, S(13203) + S(13285), 0},
        {"EXT destination X", 1, Fn::Ext, 0, false, {"X0", "X1", "D0", "K4"}, S(13204) + S(13216), 1},
        {"EXT destination Y6 one-axis", 0, Fn::Ext, 0, false, {"X0", "Y6", "D0", "K4"}, S(13204) + S(13283), 1},
        {"EXT register K", 1, Fn::Ext, 0, false, {"X0", "Y0", "K1", "K4"}, S(13204) + S(13553), 2},
        {"EXT digits two-axis 16-bit", 1, Fn::Ext, 0, false, {"X0", "Y0", "D0", "K5"}, S(13221) + S(13630), 3},
        {"EXT digits two-axis 32-bit", 1, Fn::Ext, 0, true, {"X0", "Y0", "DD0", "K4"}, S(13221) + S(13631), 3},
        {"EXT digits one-axis 16-bit", 0, Fn::Ext, 0, false, {"X0", "Y0", "D0", "K17"}, S(13221) + S(13628), 3},
        {"EXT digits one-axis 32-bit", 0, Fn::Ext, 0, true, {"X0", "Y0", "DD0", "K7"}, S(13221) + S(13629), 3},
        {"EXT digits register", 1, Fn::Ext, 0, false, {"X0", "Y0", "D0", "D1"}, S(13221) + S(13217), 3},
        {"SEGL source K", 1, Fn::Segl, 0, false, {"K1", "Y0", "K1", "K0"}, S(13203) + S(13553), 0},
        {"SEGL destination Y70", 1, Fn::Segl, 0, false, {"D0", "Y70", "K1", "K0"}, S(13128) + S(13286), 1},
        {"SEGL destination M", 0, Fn::Segl, 0, false, {"D0", "M0", "K1", "K0"}, S(13128) + S(13216), 1},
        {"SEGL digits one-axis", 0, Fn::Segl, 0, false, {"D0", "Y0", "K3", "K0"}, S(13221) + S(13676), 2},
        {"SEGL logic K4", 1, Fn::Segl, 0, false, {"D0", "Y0", "K1", "K4"}, S(13129) + S(13279), 3},
        {"SEGL logic H4", 1, Fn::Segl, 0, false, {"D0", "Y0", "K1", "H4"}, S(13129) + S(13633), 3},
        {"SET X0", 1, Fn::SetRst, 0, false, {"X0"}, S(13277), 0},
        {"SET Y6 one-axis", 0, Fn::SetRst, 0, false, {"Y6"}, S(13204), 0},
        {"SET empty", 1, Fn::SetRst, 0, false, {""}, S(13204) + S(13297), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        ScriptedMessages messages;
        messages.Expect(c.message, kStop, IDOK);
        Run(c.fn, [&](DialogDriver& d) {
            if (c.button != 0) d.Click(c.button);
            if (c.is32Bit) d.Click(Base::k32Bit);
            Fill(d, c.texts);
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            const int edit = Base::kOperands[static_cast<std::size_t>(c.operand)];
            EXPECT_EQ(d.Focus(), edit);
            EXPECT_EQ(d.SelectedText(edit), d.Text(edit));
            d.Click(IDCANCEL);
        });
        EXPECT_EQ(messages.seen.size(), 1u);
    }
}

TEST_F(FuncDlgTest, OkTakesOperandsInTheirWidths)
{
    const struct {
        const char* what;
        int controllerType;
        Fn fn;
        int button;
        bool is32Bit;
        std::array<const char*, 4> texts;
    } cases[] = {
        {"MMOV: a 16-bit source, a 32-bit destination", 1, Fn::Move, CHOXFuncMoveDlg::kMmov, false, {"K100", "DD0"}},
        {"RMOV: a 32-bit source", 1, Fn::Move, CHOXFuncMoveDlg::kRmov, false, {"K100000", "D0"}},
        {"DMOV", 1, Fn::Move, 0, true, {"K100000", "DD2"}},
        {"INC with the other places left", 1, Fn::Arth, CHOXFuncArthDlg::kKindButtons[4], false, {"K1M0"}},
        {"RPE with nothing", 1, Fn::Repeat, CHOXFuncRepeatDlg::kRpe, false, {}},
        {"SET M10 one-axis", 0, Fn::SetRst, 0, false, {"M10"}},
        {"SET M9100 two-axis", 1, Fn::SetRst, 0, false, {"M9100"}},
        {"EXT two-axis", 1, Fn::Ext, 0, false, {"X372", "Y10", "D0", "K17"}},
        {"SEGL one-axis", 0, Fn::Segl, 0, false, {"D0", "Y5", "K17", "H3"}},
        {"WOR", 1, Fn::Logical, CHOXFuncLogicalDlg::kWor, false, {"D0", "HF", "K4Y0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeDocument(c.controllerType);
        const int result = Run(c.fn, [&](DialogDriver& d) {
            if (c.button != 0) d.Click(c.button);
            if (c.is32Bit) d.Click(Base::k32Bit);
            Fill(d, c.texts);
            d.Click(IDOK);
            EXPECT_TRUE(d.Ended());
            if (!d.Ended()) d.Click(IDCANCEL);
        });
        EXPECT_EQ(result, IDOK);
    }
}

TEST_F(FuncDlgTest, SelectButtonsOpenTheChooserOfTheOperand)
{
    const struct {
        const char* what;
        Fn fn;
        int button;
        bool is32Bit;
        int operand;
        UINT chooser;
        const char* entries;
    } cases[] = {
        {"MOV source, 32-bit", Fn::Move, 0, true, 0, CHOXSelWordDevDlg::kTemplate, "DD,K,H,KnX,KnY,KnM,V,Z"},
        {"MMOV destination is 32-bit", Fn::Move, CHOXFuncMoveDlg::kMmov, false, 1, CHOXSelWordDevDlg::kTemplate,
         "DD,KnY,KnM,V,Z"},
        {"RMOV source is 32-bit", Fn::Move, CHOXFuncMoveDlg::kRmov, false, 0, CHOXSelWordDevDlg::kTemplate,
         "DD,K,H,KnX,KnY,KnM,V,Z"},
        {"RMOV destination is 16-bit", Fn::Move, CHOXFuncMoveDlg::kRmov, false, 1, CHOXSelWordDevDlg::kTemplate,
         "D,KnY,KnM,V,Z"},
        {"RPT count", Fn::Repeat, 0, false, 0, CHOXSelWordDevDlg::kTemplate, "D,K,H,KnX,KnY,KnM,V"},
        {"BCD source", Fn::BcdBin, 0, false, 0, CHOXSelWordDevDlg::kTemplate, "D,KnX,KnY,KnM,V,Z"},
        {"ADD source", Fn::Arth, 0, false, 1, CHOXSelWordDevDlg::kTemplate, "D,K,H,V,Z"},
        {"ADD destination", Fn::Arth, 0, true, 2, CHOXSelWordDevDlg::kTemplate, "DD,V,Z"},
        {"INC operand", Fn::Arth, CHOXFuncArthDlg::kKindButtons[4], false, 0, CHOXSelWordDevDlg::kTemplate,
         "D,KnY,KnM,V,Z"},
        {"WAND source", Fn::Logical, 0, false, 1, CHOXSelWordDevDlg::kTemplate, "D,K,H,KnX,KnY,KnM,V,Z"},
        {"WAND destination", Fn::Logical, 0, false, 2, CHOXSelWordDevDlg::kTemplate, "D,KnY,KnM,V,Z"},
        {"EXT source", Fn::Ext, 0, false, 0, CHOXSelectBitDeviceDlg::kTemplate, "X"},
        {"EXT destination", Fn::Ext, 0, false, 1, CHOXSelectBitDeviceDlg::kTemplate, "Y"},
        {"EXT register", Fn::Ext, 0, false, 2, CHOXSelWordDevDlg::kTemplate, "D,V,Z"},
        {"EXT digits", Fn::Ext, 0, false, 3, CHOXSelWordDevDlg::kTemplate, "K"},
        {"SEGL source", Fn::Segl, 0, false, 0, CHOXSelWordDevDlg::kTemplate, "D,V,Z"},
        {"SEGL destination", Fn::Segl, 0, false, 1, CHOXSelectBitDeviceDlg::kTemplate, "Y"},
        {"SEGL digits", Fn::Segl, 0, false, 2, CHOXSelWordDevDlg::kTemplate, "K"},
        {"SEGL logic", Fn::Segl, 0, false, 3, CHOXSelWordDevDlg::kTemplate, "K"},
        {"SET operand", Fn::SetRst, 0, false, 0, CHOXSelectBitDeviceDlg::kTemplate, "Y,M"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int combo =
            c.chooser == CHOXSelWordDevDlg::kTemplate ? CHOXSelWordDevDlg::kDevice : CHOXSelectBitDeviceDlg::kDevice;
        Run(c.fn,
            [&](DialogDriver& d) {
                if (c.button != 0) d.Click(c.button);
                if (c.is32Bit) d.Click(Base::k32Bit);
                d.Click(Base::kSelects[static_cast<std::size_t>(c.operand)]);
                d.Click(IDCANCEL);
            },
            {{c.chooser, [&](DialogDriver& w) {
                  QStringList entries;
                  for (int i = 0; i < w.Site().GetCount(combo); ++i) entries << w.Site().GetItemText(combo, i);
                  EXPECT_EQ(entries.join(u',').toStdString(), c.entries);
                  w.Click(IDCANCEL);
              }}});
    }
}

TEST_F(FuncDlgTest, ChosenDevicesComeBackAsText)
{
    // A word: the chooser starts from the typed operand and its OK writes
    // the built one back.
    Run(Fn::Arth,
        [](DialogDriver& d) {
            d.Type(Base::kOperands[2], QStringLiteral("D7Z1"));
            d.Click(Base::kSelects[2]);
            EXPECT_EQ(d.Text(Base::kOperands[2]), QStringLiteral("D100"));
            // A text the rule refuses starts the chooser empty.
            d.Type(Base::kOperands[1], QStringLiteral("K1M0"));
            d.Click(Base::kSelects[1]);
            EXPECT_EQ(d.Text(Base::kOperands[1]), QStringLiteral("K1M0"));
            d.Click(IDCANCEL);
        },
        {{CHOXSelWordDevDlg::kTemplate,
          [](DialogDriver& w) {
              EXPECT_EQ(w.Text(CHOXSelWordDevDlg::kNumber), QStringLiteral("7"));
              EXPECT_EQ(w.Check(CHOXSelWordDevDlg::kIndexZ), 1);
              w.Click(CHOXSelWordDevDlg::kNoIndex);
              w.Type(CHOXSelWordDevDlg::kNumber, QStringLiteral("100"));
              w.Click(IDOK);
          }},
         {CHOXSelWordDevDlg::kTemplate, [](DialogDriver& w) {
              EXPECT_EQ(w.Site().GetCurSel(CHOXSelWordDevDlg::kDevice), 0);
              EXPECT_EQ(w.Text(CHOXSelWordDevDlg::kNumber), QStringLiteral("0"));
              w.Click(IDCANCEL);
          }}});
    // A bit: preset from the text, the choice written back.
    Run(Fn::SetRst,
        [](DialogDriver& d) {
            d.Type(Base::kOperands[0], QStringLiteral("M9"));
            d.Click(Base::kSelects[0]);
            EXPECT_EQ(d.Text(Base::kOperands[0]), QStringLiteral("Y5"));
            d.Click(IDCANCEL);
        },
        {{CHOXSelectBitDeviceDlg::kTemplate, [](DialogDriver& w) {
              EXPECT_EQ(w.Text(CHOXSelectBitDeviceDlg::kNumber), QStringLiteral("9"));
              w.Select(CHOXSelectBitDeviceDlg::kDevice, 0);
              w.Type(CHOXSelectBitDeviceDlg::kNumber, QStringLiteral("5"));
              w.Click(IDOK);
          }}});
}

TEST_F(FuncDlgTest, AbsOnTheOneAxisControllerReadsX)
{
    MakeDocument(0);
    CHOXFuncAbs* symbol = Place<CHOXFuncAbs>(chart);
    symbol->SetFromInstruction(QStringLiteral("YAB"));
    ASSERT_EQ(symbol->GetAbsAxis(), CHOXFuncAbs::kYAxis);
    CHOXFuncAbsDlg dlg(symbol);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXFuncAbsDlg::kTemplate, [](DialogDriver& d) {
        EXPECT_FALSE(d.Enabled(CHOXFuncAbsDlg::kYAxis));
        EXPECT_EQ(d.Check(CHOXFuncAbsDlg::kXAxis), 1);
        EXPECT_EQ(d.Text(Base::kMnemonic), QStringLiteral("  XAB"));
        d.Click(CHOXFuncAbsDlg::kParameter);
        d.Click(IDOK);
    });
    dialogs.Expect(CHOXParamAbsPosDlg::kTemplate, [](DialogDriver& p) { p.Click(IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetAxis(), CHOXFuncAbs::kXAxis);
}

// The double click of each symbol: OK stores what the dialog took, with its
// text, steps and label; Cancel leaves the stored bytes alone.
TEST_F(FuncDlgTest, DoubleClickStoresTheDialogsValues)
{
    const struct {
        Fn fn;
        std::function<CHOXSymbol*(FuncDlgTest&)> place;
        Script edit;
        const char* code;
        int steps;
        const char* label;
    } cases[] = {
        {Fn::Repeat, [](FuncDlgTest& t) { return t.Place<CHOXFuncRepeat>(t.chart); },
         [](DialogDriver& d) { Fill(d, {"K10"}); }, "RPT(FNC08)  K10;", 5, "K10"},
        {Fn::Move, [](FuncDlgTest& t) { return t.Place<CHOXFuncMove>(t.chart); },
         [](DialogDriver& d) {
             Fill(d, {"K100", "D10"});
         },
         "MOV(FNC12)  K100 D10;", 7, "K100\nD10"},
        {Fn::BcdBin, [](FuncDlgTest& t) { return t.Place<CHOXFuncBcdBin>(t.chart); },
         [](DialogDriver& d) {
             d.Click(CHOXFuncBcdBinDlg::kBcd);
             Fill(d, {"D0", "D1"});
         },
         "BCD(FNC18)  D0 D1;", 6, "D0\nD1"},
        {Fn::Arth, [](FuncDlgTest& t) { return t.Place<CHOXFuncArth>(t.chart); },
         [](DialogDriver& d) {
             d.Click(CHOXFuncArthDlg::kKindButtons[0]);
             Fill(d, {"D0", "K5", "D2"});
         },
         "ADD(FNC20)  D0 K5 D2;", 9, "D2=D0+K5"},
        {Fn::Logical, [](FuncDlgTest& t) { return t.Place<CHOXFuncLogical>(t.chart); },
         [](DialogDriver& d) {
             d.Click(CHOXFuncLogicalDlg::kWand);
             Fill(d, {"D0", "H0", "D1"});
         },
         "WAND(FNC26)  D0 H0 D1;", 9, "D1=D0 WAND H0"},
        {Fn::Abs, [](FuncDlgTest& t) { return t.Place<CHOXFuncAbs>(t.chart); },
         [](DialogDriver& d) { d.Click(CHOXFuncAbsDlg::kXAxis); }, "XAB(FNC92)  ;", 2, "XAB"},
        {Fn::Ext, [](FuncDlgTest& t) { return t.Place<CHOXFuncExt>(t.chart); },
         [](DialogDriver& d) {
             Fill(d, {"X0", "Y0", "D0", "K4"});
         },
         "EXT(FNC72)  X0 Y0 D0 K4;", 10, "X0\nY0\nD0\nK4"},
        {Fn::Segl, [](FuncDlgTest& t) { return t.Place<CHOXFuncSegl>(t.chart); },
         [](DialogDriver& d) {
             Fill(d, {"D0", "Y0", "K1", "K0"});
         },
         "SEGL(FNC74)  D0 Y0 K1 K0;", 10, "D0\nY0\nK1\nK0"},
        {Fn::SetRst, [](FuncDlgTest& t) { return t.Place<CHOXFuncSetRst>(t.chart); },
         [](DialogDriver& d) {
             d.Click(CHOXFuncSetRstDlg::kSet);
             Fill(d, {"M10"});
         },
         "SET  M10;", 2, "M10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TemplateOf(c.fn));
        MakeDocument(1);
        CHOXSymbol* symbol = c.place(*this);
        CHOXUndo* undo = chart->GetUndo();
        undo->RecordAdd(symbol);
        doc->SetModifiedFlag(false);
        const QByteArray before = StoredBytes(symbol);
        for (bool ok : {false, true}) {
            ScriptedDialogs dialogs;
            dialogs.Expect(TemplateOf(c.fn), [&](DialogDriver& d) {
                d.Type(Base::kComment, QStringLiteral("go"));
                c.edit(d);
                d.Click(ok ? IDOK : IDCANCEL);
                EXPECT_TRUE(d.Ended());
            });
            symbol->OnOpen(MK_LBUTTON, CPoint(110, 60));
            if (ok) break;
            EXPECT_EQ(StoredBytes(symbol), before);
            EXPECT_FALSE(doc->IsModified());
            EXPECT_TRUE(undo->CanUndo());
        }
        EXPECT_EQ(symbol->GetCode().toStdString(), c.code);
        EXPECT_EQ(symbol->GetSteps(), c.steps);
        EXPECT_EQ(symbol->GetLabel().toStdString(), c.label);
        EXPECT_EQ(symbol->GetComment(), QStringLiteral("go"));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(undo->CanUndo());
    }
}

TEST_F(FuncDlgTest, MmovKeepsNoWidthFlagAndCountsItsOwnWidths)
{
    auto* symbol = Place<CHOXFuncMove>(chart);
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXFuncMoveDlg::kTemplate, [](DialogDriver& d) {
        d.Click(Base::k32Bit);
        d.Click(CHOXFuncMoveDlg::kMmov);
        Fill(d, {"K1", "DD0"});
        d.Click(IDOK);
    });
    symbol->OnOpen(MK_LBUTTON, CPoint(110, 60));
    EXPECT_EQ(symbol->GetKind(), CHOXFuncMove::kMmov);
    EXPECT_EQ(symbol->Get32Bit(), 0);
    EXPECT_EQ(symbol->GetSource().GetText(), QStringLiteral("K1"));
    EXPECT_EQ(symbol->GetDestination().GetText(), QStringLiteral("DD0"));
}

TEST_F(FuncDlgTest, DoubleClickOutsideAFlowChartOpensNothing)
{
    for (CHOXSymbol* symbol : std::initializer_list<CHOXSymbol*>{
             Place<CHOXFuncRepeat>(monitor), Place<CHOXFuncMove>(monitor), Place<CHOXFuncBcdBin>(monitor),
             Place<CHOXFuncArth>(monitor), Place<CHOXFuncLogical>(monitor), Place<CHOXFuncAbs>(monitor),
             Place<CHOXFuncExt>(monitor), Place<CHOXFuncSegl>(monitor), Place<CHOXFuncSetRst>(monitor)}) {
        const QByteArray before = StoredBytes(symbol);
        symbol->OnOpen(MK_LBUTTON, CPoint(110, 60));
        EXPECT_EQ(StoredBytes(symbol), before);
    }
}

TEST_F(FuncDlgTest, HelpOpensTheDialogsPage)
{
    for (Fn fn : {Fn::Repeat, Fn::Move, Fn::BcdBin, Fn::Arth, Fn::Logical, Fn::Abs, Fn::Ext, Fn::Segl, Fn::SetRst}) {
        SCOPED_TRACE(TemplateOf(fn));
        kt::test::RecordingHelp help;
        Run(fn, [](DialogDriver& d) {
            d.Click(Base::kHelp);
            d.Click(IDCANCEL);
        });
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_TRUE(help.pages[0].endsWith(QString::number(0x20000 + TemplateOf(fn), 16) + QStringLiteral(".html")))
            << help.pages[0].toStdString();
    }
}
