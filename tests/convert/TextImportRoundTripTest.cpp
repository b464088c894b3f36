// Export, import, export: a document using every kind of symbol, for each
// controller type, comes back as the same text file (parameters to the
// byte, program lines but for blanks and letter case, with the same step
// and line prefixes), without an error or a notice; a second round gives
// the same file again.
#include "convert/EverythingChart.h"
#include "convert/ImportFixture.h"

#include "convert/HOXExport.h"

using kt::test::BuildEverything;
using kt::test::Completed;
using kt::test::ImportFixture;
using kt::test::kResultStyle;
using kt::test::ScriptedMessages;

namespace {

QString ExportText(CHOXDoc& doc)
{
    CHOXExport exporter(&doc);
    QString message;
    int severity = -1;
    CHOXSymbol* symbol = nullptr;
    EXPECT_TRUE(exporter.GenerateProgram(message, true, &severity, &symbol, false));
    // No warning either.
    EXPECT_EQ(message.toStdString(), "");
    exporter.FormatParameters();
    return exporter.GetFileText();
}

// The program lines of a file: the listing prefix, and the statement
// without blanks in capitals.
std::vector<std::pair<QString, QString>> ProgramOf(const QString& text)
{
    std::vector<std::pair<QString, QString>> lines;
    const QStringList all = text.split(u'\n');
    for (qsizetype i = all.indexOf(QStringLiteral("[Program]")) + 1; i > 0 && i < all.size(); ++i) {
        const qsizetype colon = all[i].indexOf(QStringLiteral(": "));
        QString statement = colon < 0 ? all[i] : all[i].mid(colon + 2);
        statement.remove(u' ');
        lines.emplace_back(colon < 0 ? QString() : all[i].left(colon), statement.toUpper());
    }
    return lines;
}

QString ParametersOf(const QString& text)
{
    const qsizetype from = text.indexOf(QStringLiteral("[System Setup Parameter]"));
    return text.mid(from, text.indexOf(QStringLiteral("[Program]")) - from);
}

class TextImportRoundTripTest : public ImportFixture {
protected:
    QString ImportAndExport(const QString& text, int type)
    {
        if (Doc() != nullptr) m_app->DestroyDocument();
        CHOXDoc* doc = NewDoc(type);
        const Run run = [&] {
            ScriptedMessages messages;
            messages.Expect(Completed(), kResultStyle, IDOK);
            return Import(doc, text, true);
        }();
        EXPECT_FALSE(run.parameterError);
        EXPECT_FALSE(run.errorSymbols) << run.details.toStdString();
        EXPECT_EQ(run.jumpsBuilt, run.jumpsRead);
        return ExportText(*doc);
    }
};

} // namespace

TEST_F(TextImportRoundTripTest, EverySymbolKindComesBackAsTheSameText)
{
    for (int type : {0, 1, 2}) {
        SCOPED_TRACE(type);
        CHOXDoc source;
        BuildEverything(source, type);
        const QString first = ExportText(source);
        ASSERT_GT(first.count(u'\n'), 100);
        const QString second = ImportAndExport(first, type);
        EXPECT_EQ(ParametersOf(second).toStdString(), ParametersOf(first).toStdString());
        const auto before = ProgramOf(first);
        const auto after = ProgramOf(second);
        ASSERT_EQ(after.size(), before.size()) << second.toStdString();
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].first.toStdString(), before[i].first.toStdString()) << i;
            EXPECT_EQ(after[i].second.toStdString(), before[i].second.toStdString()) << i;
        }
        // A further round changes nothing at all.
        EXPECT_EQ(ImportAndExport(second, type).toStdString(), second.toStdString());
        m_app->DestroyDocument();
    }
}
