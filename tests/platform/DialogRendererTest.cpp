// The template renderer: every kind of control reachable by id, radio groups,
// limits, filters, focus, default button, notifications, and a real
// offscreen rendering.
#include "platform/Dialog.h"
#include "platform/ui/QtDialogSite.h"
#include "support/Scripted.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <optional>

using kt::test::DialogDriver;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

const char* const kTemplate = R"({
  "id": 9001, "caption": "Every Control", "size": [220, 120],
  "rows": [
    [{"kind": "static", "text": "&Name"}, {"id": 100, "kind": "edit", "limit": 5}],
    [{"kind": "static", "text": "N&umber"}, {"id": 101, "kind": "edit", "number": true}],
    [{"id": 110, "kind": "radio", "text": "A", "group": true}, {"id": 111, "kind": "radio", "text": "B"}],
    [{"id": 120, "kind": "group", "text": "Options", "group": true, "rows": [
       [{"id": 121, "kind": "radio", "text": "C", "group": true}, {"id": 122, "kind": "radio", "text": "D"}],
       [{"id": 123, "kind": "check", "text": "&Enabled", "group": true}]
    ]}],
    [{"id": 130, "kind": "combo", "items": ["200%", "100%"]}, {"id": 131, "kind": "list", "items": ["x", "y"]}],
    [{"id": 140, "kind": "static", "text": "hidden", "hidden": true},
     {"id": 141, "kind": "button", "text": "Off", "disabled": true}]
  ],
  "buttons": [
    {"id": 1, "kind": "button", "text": "OK", "default": true, "group": true},
    {"id": 2, "kind": "button", "text": "Cancel"}
  ]
})";

class EveryControlDlg : public CDialog {
public:
    EveryControlDlg() : CDialog(Parse())
    {
        OnChange(100, [this] { ++changes; });
        OnSelChange(130, [this] { ++selChanges; });
        OnClicked(123, [this] { EnableDlgItem(141, IsDlgButtonChecked(123) != 0); });
    }
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(kTemplate, &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 100, name);
        DDV_MaxChars(pDX, name, 5);
        DDX_Text(pDX, 101, number);
        DDV_MinMaxInt(pDX, number, 0, 255);
        DDX_Radio(pDX, 110, first);
        DDX_Radio(pDX, 121, second);
        DDX_Check(pDX, 123, enabled);
    }
    QString name = QStringLiteral("ab");
    std::int32_t number = 7;
    std::int32_t first = 1;
    std::int32_t second = -1;
    std::int32_t enabled = 0;
    int changes = 0;
    int selChanges = 0;
};

} // namespace

TEST(DialogRendererTest, ControlsByIdWithGroupsLimitsAndFocus)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9001, [](DialogDriver& d) {
        auto& dlg = static_cast<EveryControlDlg&>(d.Dialog());
        // Fields went into the controls; the edit's change was reported.
        EXPECT_EQ(d.Text(100), QStringLiteral("ab"));
        EXPECT_EQ(d.Text(101), QStringLiteral("7"));
        EXPECT_EQ(d.Check(111), 1);
        EXPECT_EQ(d.Check(121) + d.Check(122), 0);
        EXPECT_EQ(dlg.changes, 1);
        EXPECT_EQ(d.Focus(), 100);
        EXPECT_EQ(d.DefaultButton(), IDOK);
        EXPECT_FALSE(d.Visible(140));
        EXPECT_FALSE(d.Enabled(141));

        // Two radio groups do not clear each other.
        d.Click(122);
        EXPECT_EQ(d.Check(111), 1);
        d.Click(110);
        EXPECT_EQ(d.Check(111), 0);
        EXPECT_EQ(d.Check(122), 1);

        // Limits and filters act on what the user types.
        d.Type(100, QStringLiteral("abcdefgh"));
        EXPECT_EQ(d.Text(100), QStringLiteral("abcde"));
        EXPECT_EQ(d.Limit(100), 5);
        d.Type(101, QStringLiteral("1x2"));
        EXPECT_EQ(d.Text(101), QStringLiteral("12"));
        EXPECT_EQ(d.Focus(), 101);

        // Clicking a check box runs its handler.
        d.Click(123);
        EXPECT_TRUE(d.Enabled(141));

        // Selection changes are reported for the user only.
        d.Site().SetCurSel(130, 1);
        EXPECT_EQ(dlg.selChanges, 0);
        d.Select(130, 0);
        EXPECT_EQ(dlg.selChanges, 1);
        EXPECT_EQ(d.Site().GetItemText(130, 1), QStringLiteral("100%"));
        EXPECT_EQ(d.Site().GetCount(131), 2);

        // A mnemonic label leads to the control after it.
        auto labels = d.Site().Window()->findChildren<QLabel*>();
        auto name = std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == u"&Name"; });
        ASSERT_NE(name, labels.end());
        EXPECT_EQ((*name)->buddy(), d.Widget(100));

        d.Click(IDOK);
    });
    EveryControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.name, QStringLiteral("abcde"));
    EXPECT_EQ(dlg.number, 12);
    EXPECT_EQ(dlg.first, 0);
    EXPECT_EQ(dlg.second, 1);
    EXPECT_EQ(dlg.enabled, 1);
}

TEST(DialogRendererTest, FailedValidationKeepsTheDialogAndFocusesTheField)
{
    ScriptedMessages messages;
    messages.Expect("Please enter an integer between 0 and 255.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    ScriptedDialogs dialogs;
    dialogs.Expect(9001, [](DialogDriver& d) {
        d.Type(101, QStringLiteral("300"));
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), 101);
        EXPECT_EQ(static_cast<QLineEdit*>(d.Widget(101))->selectedText(), QStringLiteral("300"));
        d.Type(101, QStringLiteral("30"));
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    });
    EveryControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.number, 30);
}

TEST(DialogRendererTest, ALongerPresetIsKeptAndRefusedByTheLengthCheck)
{
    ScriptedMessages messages;
    messages.Expect("Please enter no more than 5 characters.", MB_OK | MB_ICONEXCLAMATION, IDOK);
    ScriptedDialogs dialogs;
    dialogs.Expect(9001, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(100), QStringLiteral("abcdefgh")); // not cut to the limit
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Type(100, QStringLiteral("xyz"));
        d.Click(IDOK);
    });
    EveryControlDlg dlg;
    dlg.name = QStringLiteral("abcdefgh");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.name, QStringLiteral("xyz"));
}

// A script may do only what a user can: nothing with a control that is
// disabled.
TEST(DialogRendererTest, ScriptsCannotUseDisabledControls)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9001, [](DialogDriver& d) {
        d.Site().Enable(130, false);
        d.Site().Enable(100, false);
        EXPECT_NONFATAL_FAILURE(d.Select(130, 1), "disabled or hidden");
        EXPECT_NONFATAL_FAILURE(d.Type(100, QStringLiteral("x")), "disabled control");
        EXPECT_NONFATAL_FAILURE(d.Click(141), "disabled or hidden");
        EXPECT_EQ(d.Site().GetCurSel(130), -1);
        d.Click(IDCANCEL);
    });
    EveryControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DialogRendererTest, EscapeAndTheCloseBoxCancel)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9001, [](DialogDriver& d) { d.PressKey(Qt::Key_Escape); });
    dialogs.Expect(9001, [](DialogDriver& d) { d.Site().Window()->close(); });
    for (int i = 0; i < 2; ++i) {
        EveryControlDlg dlg;
        dlg.number = 5;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.number, 5);
    }
}

TEST(DialogRendererTest, RendersOffscreen)
{
    EveryControlDlg dlg;
    QtDialogSite site(dlg, nullptr);
    ASSERT_TRUE(site.Initialize());
    site.Window()->adjustSize();
    const QImage image = site.Window()->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 200);
    EXPECT_GE(image.height(), 100);
    // Something was drawn: the picture is not one flat colour.
    const QRgb first = image.pixel(image.width() / 2, image.height() / 3);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3) varied = image.pixel(x, y) != first;
    EXPECT_TRUE(varied);
}

TEST(DialogTemplateTest, EveryResourceTemplateParses)
{
    const QStringList files = QDir(QStringLiteral(":/res/dialogs")).entryList({QStringLiteral("*.json")});
    EXPECT_GE(files.size(), 3);
    for (const QString& file : files) {
        const UINT id = file.chopped(5).toUInt();
        auto t = DialogTemplate::Load(id);
        ASSERT_TRUE(t) << file.toStdString();
        EXPECT_EQ(t->id, id) << "a template's id must match its file name";
    }
}

// A damaged template is refused with its reason, never half read: a control
// that silently lost its id would leave the dialog's code talking to nothing.
TEST(DialogTemplateTest, DamagedTemplatesFailWithAReason)
{
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"({"rows": [[{"id": 3}]]})", "no kind"},
        {R"({"rows": [[{"id": 3, "kind": "edit"}]] )", "offset"},
        {R"([1, 2])", "not an object"},
        {R"({"rows": [[{"id": "8044", "kind": "radio"}]]})", "not a number"},
        {R"({"rows": [[{"id": 80.5, "kind": "edit"}]]})", "not a number"},
        {R"({"rows": [[{"id": 1e12, "kind": "edit"}]]})", "not a number"},
        {R"({"rows": [[{"kind": "edit"}]]})", "kind edit has no id"},
        {R"({"buttons": [{"kind": "button", "text": "OK"}]})", "kind button has no id"},
        {R"({"rows": [[{"id": 5, "kind": "edit"}]], "buttons": [{"id": 5, "kind": "button"}]})", "5 is used twice"},
        {R"({"rows": [[{"id": 9, "kind": "group", "rows": [[{"id": 9, "kind": "check"}]]}]]})", "9 is used twice"},
        {R"({"rows": {"id": 5, "kind": "edit"}})", "rows are not a list"},
        {R"({"rows": [[{"id": 9, "kind": "group", "rows": 3}]]})", "rows are not a list"},
        {R"({"buttons": {"id": 1, "kind": "button"}})", "buttons are not a list"},
        {R"({"rows": [[5]]})", "not a control"},
        {R"({"rows": [[{"id": 4, "kind": "static", "background": "whitish"}]]})",
         "4 has a background that is no colour"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(DialogTemplate::Parse(c.json, &error)) << c.json;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.json << " -> " << error.toStdString();
        EXPECT_FALSE(DialogTemplate::Parse(c.json, nullptr)) << c.json;
    }
    // Statics and group boxes need no id, and several may go without one.
    QString error;
    auto t = DialogTemplate::Parse(
        R"({"rows": [[{"kind": "static", "text": "a"}, {"kind": "static", "text": "b"}, {"id": 0, "kind": "edit"}],
                     [{"kind": "group", "rows": [[{"id": 65535, "kind": "check"}]]}]]})",
        &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->Controls().size(), 5u);
    EXPECT_TRUE(t->Find(65535));
}

namespace {
class SpinFirstDlg : public CDialog {
public:
    SpinFirstDlg() : CDialog(Parse()) {}
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(R"({"id": 9002, "rows": [
            [{"id": 201, "kind": "spin", "buddy": 200, "range": [0, 9]}, {"id": 200, "kind": "edit", "text": "4"}],
            [{"id": 202, "kind": "edit"}]],
          "buttons": [{"id": 1, "kind": "button", "text": "OK", "default": true}]})",
                                       &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 202, other); }
    QString other;
};
} // namespace

// Arrows step their edit wherever the template lists it, and Enter in an
// edit presses the default button.
TEST(DialogRendererTest, SpinBeforeItsBuddyAndEnterInAnEdit)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9002, [](DialogDriver& d) {
        auto arrows = d.Widget(201)->findChildren<QToolButton*>();
        ASSERT_EQ(arrows.size(), 2);
        arrows[0]->click();
        EXPECT_EQ(d.Text(200), QStringLiteral("5"));
        d.Type(202, QStringLiteral("typed"));
        QTest::keyClick(d.Widget(202), Qt::Key_Return);
        EXPECT_TRUE(d.Ended());
    });
    SpinFirstDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.other, QStringLiteral("typed"));
}

namespace {
// A tab control whose change depends on a check box, spin buttons whose steps
// the dialog chooses, and a grid.
class TabSpinGridDlg : public CDialog {
public:
    TabSpinGridDlg() : CDialog(Parse())
    {
        OnSelChanging(300, [this] {
            ++asked;
            seenDuringAsk = Site()->GetCurSel(300);
            return IsDlgButtonChecked(301) != 0;
        });
        OnSelChange(300, [this] { ++changes; });
        // Steps of ten on the first spin; the second steps plainly.
        OnSpinDelta(311, [this](int pos, int delta) {
            lastPos = pos;
            return delta * 10;
        });
    }
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(R"({"id": 9003, "rows": [
            [{"id": 300, "kind": "tab"}],
            [{"id": 301, "kind": "check", "text": "&Allow"}],
            [{"id": 310, "kind": "edit", "number": true}, {"id": 311, "kind": "spin", "buddy": 310, "range": [0, 35], "wrap": true}],
            [{"id": 312, "kind": "edit", "number": true}, {"id": 313, "kind": "spin", "buddy": 312, "range": [0, 3]}],
            [{"id": 320, "kind": "grid", "cells": [2, 3], "width": 100, "height": 60}]],
          "buttons": [{"id": 1, "kind": "button", "text": "OK", "default": true}]})",
                                       &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    bool OnInitDialog() override
    {
        Site()->AddString(300, QStringLiteral(" X"));
        Site()->AddString(300, QStringLiteral(" Y"));
        SetDlgItemInt(310, 30);
        SetDlgItemInt(312, 3);
        return CDialog::OnInitDialog();
    }
    int asked = 0;
    int seenDuringAsk = -1;
    int changes = 0;
    int lastPos = -1;
};
} // namespace

TEST(DialogRendererTest, ATabChangeTheDialogRefusesKeepsTheTab)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9003, [](DialogDriver& d) {
        auto& dlg = static_cast<TabSpinGridDlg&>(d.Dialog());
        EXPECT_EQ(d.Site().GetCount(300), 2);
        EXPECT_EQ(d.Site().GetItemText(300, 1), QStringLiteral(" Y"));
        EXPECT_EQ(d.Site().GetCurSel(300), 0);
        d.Select(300, 1);
        EXPECT_EQ(dlg.asked, 1);
        EXPECT_EQ(dlg.seenDuringAsk, 0); // asked while the old tab is still the selection
        EXPECT_EQ(d.Site().GetCurSel(300), 0);
        EXPECT_EQ(dlg.changes, 0);
        d.Click(301);
        d.Select(300, 1);
        EXPECT_EQ(d.Site().GetCurSel(300), 1);
        EXPECT_EQ(dlg.changes, 1);
        // The program's own changes ask nobody.
        d.Site().SetCurSel(300, 0);
        EXPECT_EQ(dlg.asked, 2);
        EXPECT_EQ(dlg.changes, 1);
        d.Click(IDOK);
    });
    TabSpinGridDlg dlg;
    dlg.DoModal();
}

TEST(DialogRendererTest, SpinsTakeTheDialogsStepWrapAtTheEndsAndAnswerArrowKeys)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9003, [](DialogDriver& d) {
        auto& dlg = static_cast<TabSpinGridDlg&>(d.Dialog());
        d.Spin(311, -1);
        EXPECT_EQ(dlg.lastPos, 30);
        EXPECT_EQ(d.Text(310), QStringLiteral("20"));
        // Past the top a wrapping spin starts again at the bottom, and the
        // other way round.
        d.Spin(311, 2);
        EXPECT_EQ(d.Text(310), QStringLiteral("0"));
        d.Spin(311, -1);
        EXPECT_EQ(d.Text(310), QStringLiteral("35"));
        // What is typed is where the next step starts.
        d.Type(310, QStringLiteral("7"));
        d.PressArrow(310, true);
        EXPECT_EQ(dlg.lastPos, 7);
        EXPECT_EQ(d.Text(310), QStringLiteral("17"));
        // A spin that does not wrap stops at its ends.
        d.Spin(313, 1);
        EXPECT_EQ(d.Text(312), QStringLiteral("3"));
        d.PressArrow(312, false);
        EXPECT_EQ(d.Text(312), QStringLiteral("2"));
        d.Click(IDOK);
    });
    TabSpinGridDlg dlg;
    dlg.DoModal();
}

TEST(DialogRendererTest, AGridHoldsTextCellsWidthsAndAlignmentsAndIsReadOnly)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9003, [](DialogDriver& d) {
        DialogSite& site = d.Site();
        EXPECT_EQ(site.GetGridRows(320), 2);
        EXPECT_EQ(site.GetGridCols(320), 3);
        site.SetGridCols(320, 4);
        site.SetGridRows(320, site.GetGridRows(320) + 1);
        site.SetGridText(320, 2, 3, QStringLiteral("cell"));
        EXPECT_EQ(d.Cell(320, 2, 3), QStringLiteral("cell"));
        EXPECT_EQ(d.Cell(320, 1, 1), QString());
        // Outside the grid nothing happens.
        site.SetGridText(320, 3, 0, QStringLiteral("lost"));
        EXPECT_EQ(site.GetGridRows(320), 3);
        site.SetGridColWidth(320, 1, 1500);
        EXPECT_EQ(site.GetGridColWidth(320, 1), 1500);
        site.SetGridColAlignment(320, 1, 0);
        EXPECT_EQ(site.GetGridColAlignment(320, 1), 0);
        auto* table = qobject_cast<QTableWidget*>(d.Widget(320));
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        // A size given to the grid is its own; the window grows around it.
        const QSize size = site.GetControlSize(320);
        site.SetControlSize(320, QSize(size.width() + 100, size.height()));
        EXPECT_EQ(site.GetControlSize(320).width(), size.width() + 100);
        d.Click(IDOK);
    });
    TabSpinGridDlg dlg;
    dlg.DoModal();
}

namespace {
class UpperCaseDlg : public CDialog {
public:
    UpperCaseDlg() : CDialog(Parse()) {}
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(R"({"id": 9004, "rows": [
            [{"id": 400, "kind": "edit", "uppercase": true, "limit": 6}],
            [{"id": 401, "kind": "edit"}]],
          "buttons": [{"id": 1, "kind": "button", "text": "OK", "default": true}]})",
                                       &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 400, upper);
        DDX_Text(pDX, 401, plain);
    }
    QString upper = QStringLiteral("dd5");
    QString plain = QStringLiteral("dd5");
};
} // namespace

// An upper-case edit shows and gives capitals whether the user types the
// text or the program puts it in; its limit counts what it shows.
TEST(DialogRendererTest, AnUpperCaseEditShowsAndGivesCapitals)
{
    EXPECT_TRUE(UpperCaseDlg::Parse()->Find(400)->upperCase);
    EXPECT_FALSE(UpperCaseDlg::Parse()->Find(401)->upperCase);
    ScriptedDialogs dialogs;
    dialogs.Expect(9004, [](DialogDriver& d) {
        EXPECT_EQ(d.Text(400), QStringLiteral("DD5"));
        EXPECT_EQ(d.Text(401), QStringLiteral("dd5"));
        d.Type(400, QStringLiteral("d100v3x"));
        EXPECT_EQ(d.Text(400), QStringLiteral("D100V3"));
        EXPECT_EQ(d.Caret(400), 6);
        d.Type(401, QStringLiteral("d1"));
        EXPECT_EQ(d.Text(401), QStringLiteral("d1"));
        d.Site().SetSel(400, 1, 4);
        EXPECT_EQ(d.SelectedText(400), QStringLiteral("100"));
        d.Click(IDOK);
    });
    UpperCaseDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.upper, QStringLiteral("D100V3"));
    EXPECT_EQ(dlg.plain, QStringLiteral("d1"));
}

namespace {
// A spin whose steps the dialog refuses while a check box is off, and two
// pages of one place that give it up while hidden.
class RefusingSpinDlg : public CDialog {
public:
    RefusingSpinDlg() : CDialog(Parse())
    {
        OnSpinDelta(331, [this](int, int delta) { return IsDlgButtonChecked(332) != 0 ? delta : 0; });
        On(331, Notify::Scroll, [this] { ++steps; });
    }
    static std::shared_ptr<const DialogTemplate> Parse()
    {
        QString error;
        auto t = DialogTemplate::Parse(R"({"id": 9005, "rows": [
            [{"id": 330, "kind": "edit"}, {"id": 331, "kind": "spin", "buddy": 330, "range": [0, 50]}],
            [{"id": 332, "kind": "check", "text": "&Allow"}],
            [{"id": 340, "kind": "edit", "collapse": true}],
            [{"id": 341, "kind": "edit", "collapse": true, "hidden": true}],
            [{"id": 342, "kind": "edit"}]],
          "buttons": [{"id": 1, "kind": "button", "text": "OK", "default": true}]})",
                                       &error);
        EXPECT_TRUE(t) << error.toStdString();
        return t;
    }
    int steps = 0;
};
} // namespace

TEST(DialogRendererTest, ARefusedSpinStepLeavesTheBuddyAsTyped)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9005, [](DialogDriver& d) {
        auto& dlg = static_cast<RefusingSpinDlg&>(d.Dialog());
        d.Type(330, QStringLiteral("99"));
        d.Spin(331, 1);
        d.PressArrow(330, false);
        EXPECT_EQ(d.Text(330), QStringLiteral("99"));
        EXPECT_EQ(dlg.steps, 0);
        d.Click(332);
        d.Spin(331, -1);
        EXPECT_EQ(d.Text(330), QStringLiteral("49"));
        EXPECT_EQ(dlg.steps, 1);
        d.Click(IDOK);
    });
    RefusingSpinDlg dlg;
    dlg.DoModal();
}

TEST(DialogRendererTest, CollapsingControlsShareOnePlace)
{
    ScriptedDialogs dialogs;
    dialogs.Expect(9005, [](DialogDriver& d) {
        QWidget* window = d.Site().Window();
        window->layout()->activate();
        const QRect first = d.Widget(340)->geometry();
        const QRect below = d.Widget(342)->geometry();
        d.Site().Show(340, false);
        d.Site().Show(341, true);
        window->layout()->activate();
        EXPECT_EQ(d.Widget(341)->geometry().top(), first.top());
        EXPECT_EQ(d.Widget(342)->geometry(), below);
        d.Click(IDOK);
    });
    RefusingSpinDlg dlg;
    dlg.DoModal();
}

// A static given a background is painted on that colour; others stand on the
// dialog's.
TEST(DialogRendererTest, AStaticGivenABackgroundIsPaintedOnIt)
{
    QString error;
    auto t = DialogTemplate::Parse(R"({"id": 9006, "rows": [
        [{"id": 350, "kind": "static", "text": "X", "background": "white"},
         {"id": 351, "kind": "static", "text": "Y", "background": "#00ffff"},
         {"id": 352, "kind": "static", "text": "Z"}]],
      "buttons": [{"id": 1, "kind": "button", "text": "OK"}]})",
                                   &error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->Find(350)->background, QStringLiteral("white"));
    CDialog dlg(t);
    ScriptedDialogs dialogs;
    dialogs.Expect(9006, [](DialogDriver& d) {
        const struct {
            int id;
            std::optional<QColor> colour;
        } cases[] = {{350, QColor(Qt::white)}, {351, QColor(0, 255, 255)}, {352, std::nullopt}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.id);
            auto* label = qobject_cast<QLabel*>(d.Widget(c.id));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->autoFillBackground(), c.colour.has_value());
            if (c.colour) {
                EXPECT_EQ(label->palette().color(QPalette::Window), *c.colour);
            }
        }
        d.Click(IDOK);
    });
    dlg.DoModal();
}
