// The clipboard service: format names, and blocks offered and taken on the
// offscreen platform's clipboard.
#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(Clipboard, FormatNamesAreOurOwnMimeTypes)
{
    EXPECT_EQ(clipboard::FormatName("Ladder"), QStringLiteral("application/x-kinetrace-ladder"));
    EXPECT_EQ(clipboard::FormatName("TRNWK_HOX"), QStringLiteral("application/x-kinetrace-trnwk-hox"));
    EXPECT_EQ(clipboard::FormatName("HOX_DRAG_FORMAT"), QStringLiteral("application/x-kinetrace-hox-drag-format"));
}

TEST(Clipboard, AnOfferReplacesWhatTheClipboardHeld)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    const QString a = clipboard::FormatName("A_BLOCK");
    const QString b = clipboard::FormatName("B");
    const QByteArray bytes("\x00\x01\xFF\x80zero inside", 15);
    ASSERT_TRUE(clipboard::Offer({{a, bytes}, {b, QByteArray()}}));

    EXPECT_TRUE(clipboard::IsAvailable(a));
    EXPECT_TRUE(clipboard::IsAvailable(b));
    EXPECT_EQ(clipboard::Take(a), bytes);
    EXPECT_EQ(clipboard::Take(b), QByteArray());
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
    EXPECT_FALSE(clipboard::IsAvailable(QStringLiteral("text/plain")));

    // What another program put there is seen too.
    auto* data = new QMimeData;
    data->setData(b, "from elsewhere");
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_FALSE(clipboard::IsAvailable(a));
    EXPECT_FALSE(clipboard::Take(a));
    EXPECT_EQ(clipboard::Take(b), QByteArray("from elsewhere"));
}
