#pragma once
// Saves a picture of a shown window when the tests run on a real display
// with KT_SCREENSHOT_DIR set (under Xvfb, say); does nothing offscreen.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kt::test {

inline void SaveScreenshot(QWidget* window, const char* name)
{
    const QString dir = qEnvironmentVariable("KT_SCREENSHOT_DIR");
    if (dir.isEmpty() || QGuiApplication::platformName() == u"offscreen") return;
    window->raise();
    QTest::qWait(200);
    const QRect frame = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    EXPECT_TRUE(shot.save(QDir(dir).filePath(QString::fromLatin1(name))));
}

} // namespace kt::test
