// Strings, messages, geometry and help: the small services every part uses.
#include "platform/Geometry.h"
#include "platform/Help.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringTable.h"
#include "support/Scripted.h"

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

TEST(HelpTest, PagesByContextAndAMessageWhereThereIsNone)
{
    RecordingHelp help;
    AfxWinHelp(0x2080C);
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/2080c.html"));
    AfxHelpContents();
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/index.html"));

    ScriptedMessages messages;
    messages.Expect("There is no help for this item (help context 0x1FFFF).", MB_OK | MB_ICONINFORMATION, IDOK);
    AfxWinHelp(0x1FFFF);
    EXPECT_EQ(help.pages.size(), 2u);
}
