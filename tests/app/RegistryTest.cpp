// The settings of the program with their fields, defaults and ranges.
#include "app/HOXRegistry.h"
#include "support/Scripted.h"

#include <QSettings>

#include <gtest/gtest.h>

using kt::test::TempSettings;

TEST(RegistryTest, WritesAndReadsTextAndDwords)
{
    TempSettings settings;
    CHOXRegistry reg;
    EXPECT_STREQ(reg.KeyPath(), "software\\Tarnwick\\Kinetrace\\APP");
    QString text;
    DWORD value = 7;
    EXPECT_FALSE(reg.ReadString("CommPort", text, 5));
    EXPECT_FALSE(reg.ReadDword("SystemResponse", &value));
    EXPECT_EQ(value, 7u);

    EXPECT_TRUE(reg.WriteString("CommPort", QStringLiteral("COM3")));
    EXPECT_TRUE(reg.WriteDword("SystemResponse", 0xFFFFFFFFu));
    EXPECT_TRUE(reg.ReadString("CommPort", text, 5));
    EXPECT_EQ(text, QStringLiteral("COM3"));
    EXPECT_TRUE(reg.ReadDword("SystemResponse", &value));
    EXPECT_EQ(value, 0xFFFFFFFFu);

    // The values sit under the key's group of the settings file.
    QSettings file(settings.Path(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("APP/CommPort")).toString(), QStringLiteral("COM3"));
}

TEST(RegistryTest, ATextThatDoesNotFitItsFieldIsNotRead)
{
    TempSettings settings;
    CHOXRegistry reg;
    reg.WriteString("CommPort", QStringLiteral("COM10"));
    QString text = QStringLiteral("unchanged");
    EXPECT_FALSE(reg.ReadString("CommPort", text, 5)); // five bytes leave no room for the end
    EXPECT_EQ(text, QStringLiteral("unchanged"));
    EXPECT_TRUE(reg.ReadString("CommPort", text, 6));
    EXPECT_EQ(text, QStringLiteral("COM10"));
}

TEST(RegistryTest, TypedValuesFallBackToTheirDefaults)
{
    const struct {
        const char* name;
        const char* stored; // null: missing
        int expected;
    } ports[] = {
        {"CommPort", nullptr, 1}, {"CommPort", "COM4", 4}, {"CommPort", "COM5", 1}, {"CommPort", "COM10", 1},
        {"CommPort", "com2", 1},  {"CommPort", "", 1},
    };
    for (const auto& c : ports) {
        TempSettings settings;
        CHOXRegistry reg;
        if (c.stored) reg.WriteString(c.name, QString::fromLatin1(c.stored));
        EXPECT_EQ(reg.ReadCommPort(), QStringLiteral("COM%1").arg(c.expected)) << (c.stored ? c.stored : "(none)");
    }

    const struct {
        const char* stored;
        int expected;
    } types[] = {{nullptr, -1}, {"0", 0}, {"1", 1}, {"2", 2}, {"3", -1}, {"9", -1}, {"12", -1},
                 {"x", -1},     {"-1", -1}, {"", -1}, {" ", -1}, {"\xd9\xa2", -1} /* a digit of another script */};
    for (const auto& c : types) {
        TempSettings settings;
        CHOXRegistry reg;
        if (c.stored) reg.WriteString("KzqwType", QString::fromUtf8(c.stored));
        EXPECT_EQ(reg.ReadKzqwType(), c.expected) << (c.stored ? c.stored : "(none)");
    }

    TempSettings settings;
    CHOXRegistry reg;
    EXPECT_EQ(reg.ReadSystemResponse(), 0u);
    EXPECT_EQ(reg.ReadPrintSetting("PrintZoom"), 1);
    EXPECT_EQ(reg.ReadPrintSetting("PrintZoomSize"), 100);
    reg.WriteString("PrintZoomSize", QStringLiteral("75"));
    reg.WriteString("PrintComment", QStringLiteral("0"));
    EXPECT_EQ(reg.ReadPrintSetting("PrintZoomSize"), 75);
    EXPECT_EQ(reg.ReadPrintSetting("PrintComment"), 0);
    reg.WriteString("PrintZoomSize", QStringLiteral("1000")); // four digits do not fit
    EXPECT_EQ(reg.ReadPrintSetting("PrintZoomSize"), 100);
    reg.WriteString("SystemResponse", QStringLiteral("many"));
    EXPECT_EQ(reg.ReadSystemResponse(), 0u);
    EXPECT_TRUE(reg.ReadSerializeFileDir().isEmpty());
}

TEST(RegistryTest, DecimalConversionTakesLeadingDigits)
{
    EXPECT_EQ(DecimalValue(QStringLiteral("42abc")), 42);
    EXPECT_EQ(DecimalValue(QStringLiteral(" -7")), -7);
    EXPECT_EQ(DecimalValue(QStringLiteral("abc")), 0);
    EXPECT_EQ(DecimalValue(QString()), 0);
    EXPECT_EQ(DecimalValue(QStringLiteral("99999999999")), 2147483647);
}

TEST(RegistryTest, TheValueTableNamesEveryValue)
{
    for (const char* name : {"CommPort", "KzqwType", "SerializeFileDir", "SystemResponse", "PrintMonitoring",
                             "PrintFlowCharts", "PrintFlowChartsOpenWnds", "PrintParamInfo", "PrintParamInfoGrpOrder",
                             "PrintZoom", "PrintBaseCol", "PrintComment", "PrintContent", "PrintZoomSize"})
        EXPECT_NE(CHOXRegistry::FindValue(name), nullptr) << name;
    EXPECT_EQ(CHOXRegistry::FindValue("SystemResponse")->type, RegistryValue::Dword);
    EXPECT_EQ(CHOXRegistry::FindValue("Nothing"), nullptr);
}

// The remembered document directory.
#include "app/MainFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

// Documents go to the user's documents folder, or the home folder without
// one, until a confirmed dialog remembers another; never beside the program.
TEST(DocumentDirTest, TheDocumentsFolderUntilADirectoryIsRemembered)
{
    TempSettings settings;
    QTemporaryDir root;
    const QString before = QDir::currentPath();
    const QString documents = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QString home = QDir::homePath();
    ASSERT_FALSE(documents.isEmpty());
    // The tests' own home: a folder of this run, not the user's.
    ASSERT_TRUE(home.startsWith(QDir::tempPath())) << home.toStdString();

    // Without a documents folder, the home folder; with one, that.
    QDir(documents).removeRecursively();
    CMainFrame::ChangeToFileDir();
    EXPECT_EQ(QDir::currentPath(), QDir(home).canonicalPath());
    EXPECT_FALSE(QDir(documents).exists()) << "the folder is the user's to make";
    ASSERT_TRUE(QDir().mkpath(documents));
    CMainFrame::ChangeToFileDir();
    EXPECT_EQ(QDir::currentPath(), QDir(documents).canonicalPath());
    EXPECT_FALSE(QDir::currentPath().startsWith(QCoreApplication::applicationDirPath() + u'/'));

    // A confirmed directory is remembered and entered next time.
    const QString work = root.filePath(QStringLiteral("work"));
    QDir().mkpath(work);
    QDir::setCurrent(work);
    EXPECT_TRUE(CMainFrame::SetFileDir());
    const QString remembered = CHOXRegistry().ReadSerializeFileDir();
    EXPECT_EQ(QDir(remembered).canonicalPath(), QDir(work).canonicalPath());
    QDir::setCurrent(before);
    CMainFrame::ChangeToFileDir();
    EXPECT_EQ(QDir::currentPath(), QDir(work).canonicalPath());

    // Once it is gone, the documents folder again; the remembered value stays.
    QDir::setCurrent(before);
    QDir(work).removeRecursively();
    CMainFrame::ChangeToFileDir();
    EXPECT_EQ(QDir::currentPath(), QDir(documents).canonicalPath());
    EXPECT_EQ(CHOXRegistry().ReadSerializeFileDir(), remembered);
    QDir::setCurrent(before);
}
