// Strings, messages, geometry and help: the small services every part uses.
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "platform/ui/QtPlatform.h"
#include "support/Scripted.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using kt::test::RecordingHelp;
using kt::test::ScriptedMessages;

TEST(StringTableTest, IsSortedWithoutDuplicatesAndKeepsTexts)
{
    for (std::size_t i = 1; i < kStringTableSize; ++i)
        EXPECT_LT(kStringTable[i - 1].id, kStringTable[i].id) << "entry " << i;
    EXPECT_EQ(LoadStr(2), QStringLiteral("RQT4P-VEDID-E"));
    // Double blanks are part of the text.
    EXPECT_EQ(LoadStr(101),
              QStringLiteral("OLE initialization failed.  Make sure that the OLE libraries are the correct version."));
    EXPECT_EQ(LoadStr(13006), QStringLiteral(" - "));
    // The stored bytes themselves, for code that works on 8-bit text.
    EXPECT_EQ(LoadStrLatin1(13006), std::string_view(" - "));
    EXPECT_FALSE(HasStr(1));
}

TEST(StringTableTest, FillsPlaceholders)
{
    const struct {
        const char* pattern;
        QStringList args;
        const char* expected;
    } cases[] = {
        {"Default Error - Error No : %1", {"773"}, "Default Error - Error No : 773"},
        {"%2 and %1", {"a", "b"}, "b and a"},
        {"%1%1", {"x"}, "xx"},
        {"missing %2", {"x"}, "missing ?"},
        {"100% sure, %0 and %a stay", {"x"}, "100% sure, %0 and %a stay"},
        {"trailing %", {}, "trailing %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPlaceholders(QString::fromLatin1(c.pattern), c.args), QString::fromLatin1(c.expected));
}

TEST(MessagesTest, ButtonsAndDefaults)
{
    EXPECT_EQ(MessageButtons(MB_OK), (std::vector<int>{IDOK}));
    EXPECT_EQ(MessageButtons(MB_YESNOCANCEL | MB_ICONQUESTION), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(DefaultMessageResult(MB_YESNO), IDYES);
    EXPECT_EQ(DefaultMessageResult(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultMessageResult(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(DefaultMessageResult(MB_OK | MB_DEFBUTTON3), IDOK);
    EXPECT_EQ(DefaultMessageResult(MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONHAND), IDCANCEL);
}

TEST(MessagesTest, ScriptAnswersByTextOrStringId)
{
    ScriptedMessages messages;
    messages.Expect("Save?", MB_YESNO | MB_ICONQUESTION, IDNO).Expect("RQT4P-VEDID-E", MB_OK, IDOK);
    EXPECT_EQ(AfxMessageBox(QStringLiteral("Save?"), MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox(2), IDOK);
    ASSERT_EQ(messages.seen.size(), 2u);
}

TEST(MessagesTest, AScriptCannotAnswerWithAButtonTheBoxLacks)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.Expect("Save?", MB_YESNO, IDCANCEL);
            AfxMessageBox(QStringLiteral("Save?"), MB_YESNO);
        },
        "none of its buttons");
}

// The real boxes: Esc and the close box answer Cancel, or OK in a box with OK
// alone; a Yes/No or Abort/Retry/Ignore box can only be answered with one of
// its buttons.
TEST(MessagesTest, RealBoxesTakeEscOnlyWhereTheStyleAllowsIt)
{
    const struct {
        UINT style;
        bool viaCloseBox;
        int expected; // after Esc (or close), then the default button if still open
    } cases[] = {
        {MB_OK | MB_ICONINFORMATION, false, IDOK},
        {MB_OKCANCEL, false, IDCANCEL},
        {MB_YESNOCANCEL | MB_ICONQUESTION, false, IDCANCEL},
        {MB_RETRYCANCEL, true, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, false, IDYES},
        {MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, true, IDNO},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, false, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, true, IDIGNORE},
    };
    QtMessageBoxHandler handler;
    for (const auto& c : cases) {
        bool found = false;
        QTimer::singleShot(0, qApp, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box == nullptr || !box->isVisible()) continue;
                found = true;
                if (c.viaCloseBox) {
                    box->close();
                } else {
                    QTest::keyClick(box, Qt::Key_Escape);
                }
                if (box->isVisible()) box->defaultButton()->click();
                return;
            }
        });
        const int result = handler.Show(QStringLiteral("Question?"), c.style, QString());
        ASSERT_TRUE(found) << "style 0x" << std::hex << c.style;
        EXPECT_EQ(result, c.expected) << "style 0x" << std::hex << c.style;
    }
}

// The reason behind a message (why a file could not be written) stays out of
// the message's own text and shows as the box's details.
TEST(MessagesTest, ARealBoxShowsTheDetailApart)
{
    QtMessageBoxHandler handler;
    for (const QString& detail : {QStringLiteral("No space left on device"), QString()}) {
        QString text;
        QString shownDetail;
        QTimer::singleShot(0, qApp, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box == nullptr || !box->isVisible()) continue;
                text = box->text();
                shownDetail = box->detailedText();
                box->defaultButton()->click();
                return;
            }
        });
        EXPECT_EQ(handler.Show(QStringLiteral("Cannot save."), MB_OK | MB_ICONEXCLAMATION, detail), IDOK);
        EXPECT_EQ(text, QStringLiteral("Cannot save."));
        EXPECT_EQ(shownDetail, detail);
    }
}

TEST(FileDialogTest, AllFilesMeansEveryFileNotOnlyNamesWithADot)
{
    EXPECT_EQ(QtFileDialogRunner::NameFilters({QStringLiteral("Hox Files (*.hox)"), QStringLiteral("All Files (*.*)"),
                                               QStringLiteral("Text files(*.txt *.*)"), QStringLiteral("Plain")}),
              (QStringList{QStringLiteral("Hox Files (*.hox)"), QStringLiteral("All Files (*)"),
                           QStringLiteral("Text files(*.txt *)"), QStringLiteral("Plain")}));
}

TEST(GeometryTest, RectanglesExcludeRightAndBottom)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_TRUE(r.PtInRect({29, 39}));
    EXPECT_FALSE(r.PtInRect({30, 39}));
    EXPECT_FALSE(r.PtInRect({29, 40}));
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));

    CRect upside(30, 40, 10, 20);
    EXPECT_TRUE(upside.IsRectEmpty());
    EXPECT_FALSE(upside.PtInRect({20, 30}));
    upside.NormalizeRect();
    EXPECT_EQ(upside, r);
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
}

TEST(GeometryTest, IntersectionAndUnion)
{
    CRect out;
    EXPECT_TRUE(out.IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    // Touching edges do not overlap.
    EXPECT_FALSE(out.IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE(out.UnionRect({0, 0, 10, 10}, {20, 5, 30, 15}));
    EXPECT_EQ(out, CRect(0, 0, 30, 15));
    // An empty operand is left out.
    EXPECT_TRUE(out.UnionRect({0, 0, 0, 0}, {20, 5, 30, 15}));
    EXPECT_EQ(out, CRect(20, 5, 30, 15));
    CRect grown(10, 10, 20, 20);
    grown.InflateRect(3, 2);
    EXPECT_EQ(grown, CRect(7, 8, 23, 22));
    grown.OffsetRect(-7, -8);
    EXPECT_EQ(grown.TopLeft(), CPoint(0, 0));
}

// A context's own page (a file, or an anchor on a page that gathers
// several); without one its window's page, then the contents: never a
// message about a number.
TEST(HelpTest, PagesByContextFallingBackToTheWindowThenTheContents)
{
    RecordingHelp help;
    const struct {
        UINT context;
        UINT window;
        const char* page;
    } cases[] = {
        {0x2080C, 0, ":/res/help/2080c.html"},
        {0x2080C, 0x203EA, ":/res/help/2080c.html"},
        {HID_BASE_COMMAND + 57603, 0, ":/res/help/commands.html#1e103"},
        {0x1006D, 0x203EA, ":/res/help/objects.html#1006d"},
        {0x1FFFF, 0x203EA, ":/res/help/203ea.html"},
        {0x1FFFF, 0x1FFFE, ":/res/help/index.html"},
        {0x1FFFF, 0, ":/res/help/index.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.context);
        AfxWinHelp(c.context, c.window);
        ASSERT_FALSE(help.pages.empty());
        EXPECT_EQ(help.pages.back(), QString::fromLatin1(c.page));
    }
    EXPECT_EQ(help.pages.size(), std::size(cases));
    EXPECT_TRUE(HelpPageFor(0x1FFFF).isEmpty());
    AfxHelpContents();
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/index.html"));
}
