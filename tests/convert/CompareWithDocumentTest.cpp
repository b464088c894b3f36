// Whether a ".hox" file holds the program read: the file becomes the
// reader's document when its program, made again, equals the program read
// but for blanks; otherwise it is closed again and the reader has none.
#include "convert/RebuildFixture.h"

#include "support/Scripted.h"

#include <QFile>

using kt::test::RebuildFixture;
using kt::test::ScriptedMessages;

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

class CompareWithDocumentTest : public RebuildFixture {
protected:
    // A file whose program is "Ox1;\nm10;\nm02(END);\n".
    QString SaveProgramFile()
    {
        CHOXProgReader& r = Rebuild(L("OX1; m10; m02;"), 1);
        MonitorFrame()->MoveWindow(CRect(5, 6, 405, 306));
        const QString path = Path(L("press.hox"));
        EXPECT_TRUE(r.GetDocument()->OnSaveDocument(path));
        CloseDocument();
        return path;
    }

    // A reader on a new read document, as the read makes it.
    CHOXProgReader& NewReader()
    {
        reader = std::make_unique<CHOXProgReader>(ReadDocument(1));
        return *reader;
    }
};

} // namespace

TEST_F(CompareWithDocumentTest, AFileWithTheSameProgramButForBlanksBecomesTheDocument)
{
    const QString path = SaveProgramFile();
    for (const char* program : {"Ox1;\nm10;\nm02(END);\n", "Ox1 ;\nm10;\nm02(END) ;\n", "O x1;\n m10;\nm02 (END);\n"}) {
        SCOPED_TRACE(program);
        CHOXProgReader& r = NewReader();
        ASSERT_TRUE(r.CompareWithDocument(path, L(program)));
        CHOXDoc* doc = r.GetDocument();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc, Doc());
        EXPECT_EQ(doc->GetPathName(), path);
        EXPECT_NE(doc->FindWindowByName(L("Flow Chart2")), nullptr);
        CloseDocument();
    }
}

// A document that did not match used to stay the reader's after it was
// closed: the reader pointed at a document that no longer existed.
TEST_F(CompareWithDocumentTest, AMismatchAnEmptyProgramOrAnUnreadableFileLeavesNoDocument)
{
    const QString path = SaveProgramFile();
    QFile notes(Path(L("notes.hox")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("plain text, not a document");
    notes.close();
    const struct {
        const char* file;
        const char* program;
        // The controller type read.
        int type;
        const char* message;
        bool opened;
    } rows[] = {
        {"press.hox", "Ox1;\nm11;\nm02(END);\n", 1, nullptr, true},
        {"press.hox", "ox1;\nm10;\nm02(END);\n", 1, nullptr, true},
        {"press.hox", "", 1, nullptr, true},
        // The same program in a document of another type would not be the
        // controller's.
        {"press.hox", "Ox1;\nm10;\nm02(END);\n", 2, nullptr, true},
        {"notes.hox", "Ox1;\nm10;\nm02(END);\n", 1, "Unexpected file format.", false},
        {"missing.hox", "Ox1;\nm10;\nm02(END);\n", 1,
         "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + " " + row.program);
        CHOXProgReader& r = NewReader();
        r.SetControllerType(row.type);
        ScriptedMessages messages;
        if (row.message != nullptr)
            messages.Expect(L(row.message).replace(L("%1"), Path(L(row.file))), MB_OK | MB_ICONEXCLAMATION, IDOK);
        bool opened = !row.opened;
        EXPECT_FALSE(r.CompareWithDocument(Path(L(row.file)), L(row.program), &opened));
        EXPECT_EQ(opened, row.opened);
        EXPECT_EQ(r.GetDocument(), nullptr);
        EXPECT_EQ(Doc(), nullptr);
        EXPECT_TRUE(Frames().empty());
        // A reader without a document builds nothing.
        r.SetStatements({L("OX1;"), L("m02;")});
        r.GenerateFlowCharts();
        EXPECT_EQ(Doc(), nullptr);
    }
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(CompareWithDocumentTest, CancellingTheSaveQuestionChangesNothing)
{
    const QString path = SaveProgramFile();
    CHOXProgReader& r = NewReader();
    CHOXDoc* open = r.GetDocument();
    ASSERT_NE(open, nullptr);
    open->SetModifiedFlag(true);
    const QStringList titles = Titles();
    {
        ScriptedMessages messages;
        messages.Expect(L("Save changes to Untitled.hox?"), MB_YESNOCANCEL, IDCANCEL);
        EXPECT_FALSE(r.CompareWithDocument(path, L("Ox1;\nm10;\nm02(END);\n")));
    }
    EXPECT_EQ(r.GetDocument(), open);
    EXPECT_EQ(Doc(), open);
    EXPECT_TRUE(open->IsModified());
    EXPECT_EQ(Titles(), titles);
}
