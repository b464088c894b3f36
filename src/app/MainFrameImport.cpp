// File > Import Text without a document: the document the text file names
// is opened when it still gives the same program; otherwise, after the user
// has had the chance to choose another one, a new document is built from the
// text for the controller type the user confirms.
#include "app/MainFrame.h"

#include "chart/ControllerType.h"
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "convert/HOXExport.h"
#include "convert/HOXImportDlg.h"
#include "convert/HOXTextImporter.h"
#include "convert/HOXUnitTypeDlg.h"
#include "online/HOXSelFileDlg.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "res/StringIds.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace {

const QString kProgramHeader = QStringLiteral("[Program]");
const QString kFileRegister = QStringLiteral("[File Register]");

QString TrimLeft(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    return text.mid(at);
}

// The file's lines; none (after the message) when it cannot be read.
std::optional<QStringList> ReadLines(const QString& path)
{
    QString why;
    std::optional<QStringList> lines = textfile::Read(path, &why);
    if (!lines) AfxMessageBox(IDS_UNABLE_TO_OPEN_FILE, MB_OK | MB_ICONSTOP, why);
    return lines;
}

// The program lines of the text as the import reads them: after
// "[Program]", without blanks, empty lines and line numbers, up to
// "[File Register]" (which is kept when asked). False without "[Program]".
bool ProgramLines(const QStringList& lines, QStringList& out, bool keepFileRegister)
{
    qsizetype at = 0;
    while (at < lines.size() && TrimLeft(lines[at]) != kProgramHeader) ++at;
    if (at == lines.size()) return false;
    for (++at; at < lines.size(); ++at) {
        const QString trimmed = TrimLeft(lines[at]);
        if (trimmed.isEmpty()) continue;
        const QString line = CMainFrame::StripLineNumber(trimmed);
        if (line == kFileRegister) {
            if (keepFileRegister) out << line;
            break;
        }
        out << line;
    }
    return true;
}

} // namespace

QString CMainFrame::StripLineNumber(const QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    return (colon < 0 ? line : line.mid(colon + 1)).trimmed();
}

void CMainFrame::RemoveSpaces(const QString& text, QString& out)
{
    out = text;
    out.remove(u' ');
}

char CMainFrame::ParseProgramNumber(const QString& line)
{
    QString text = line.toUpper();
    for (const QChar cut : {u';', u','}) {
        const qsizetype at = text.indexOf(cut);
        if (at >= 0) text.truncate(at);
    }
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
    if (text.size() < 2 || text[0] != u'O') return 0;
    if (text[1] == u'X' || text[1] == u'Y')
        return CHOXTextImporter::IsAllDigits(text.mid(2)) ? static_cast<char>(text[1].unicode()) : 0;
    const QString digits = text.mid(1);
    if (digits == QString::number(kSubtaskProgramNumber)) return 'S';
    if (!CHOXTextImporter::IsAllDigits(digits)) return 0;
    const std::optional<std::int32_t> value = CHOXTextImporter::LeadingNumber(digits);
    return value && *value < 100 ? 'P' : 0;
}

bool CMainFrame::ReadHoxFileName(const QString& textPath, QString& name)
{
    name.clear();
    const std::optional<QStringList> lines = ReadLines(textPath);
    if (!lines) return false;
    for (qsizetype i = 0; i + 1 < lines->size(); ++i) {
        if (TrimLeft(lines->at(i)) != QStringLiteral("[HOX File Name]")) continue;
        name = lines->at(i + 1);
        break;
    }
    return !name.isEmpty();
}

bool CMainFrame::ReadProgramSection(const QString& textPath, QString& text)
{
    text.clear();
    const std::optional<QStringList> lines = ReadLines(textPath);
    QStringList program;
    if (!lines || !ProgramLines(*lines, program, false)) return false;
    for (const QString& line : program) text += line + QStringLiteral("\n");
    return !text.isEmpty();
}

bool CMainFrame::CheckProgramAxes(const QString& textPath, int* type, bool allowSwitching, bool* hasProgram)
{
    const std::optional<QStringList> lines = ReadLines(textPath);
    if (!lines) return false;
    QStringList program;
    *hasProgram = false;
    if (!ProgramLines(*lines, program, true)) return true;
    bool x = false;
    bool y = false;
    bool p = false;
    for (const QString& line : program) {
        if (line.trimmed().toUpper() == QStringLiteral("NOP")) continue;
        *hasProgram = true;
        switch (ParseProgramNumber(line)) {
        case 'X': x = true; break;
        case 'Y': y = true; break;
        case 'P': p = true; break;
        default: break;
        }
    }
    if (!*hasProgram) return true;
    switch (*type) {
    case ctype::kOneAxis: return !y && !p;
    case ctype::kTwoAxes:
        if (p && (x || y)) return false;
        if (p) {
            *type = ctype::kInterpolated;
            return allowSwitching;
        }
        return true;
    case ctype::kInterpolated: return !x && !y;
    default: return false;
    }
}

bool CMainFrame::MatchesHoxFile(const QString& documentPath, const QString& programText)
{
    CHOXApp* app = CHOXApp::Get();
    CHOXDoc* doc = app != nullptr ? app->OpenDocumentFile(documentPath) : nullptr;
    if (doc == nullptr) return false;
    QString generated;
    {
        CHOXExport exporter(doc);
        QString message;
        int severity = 0;
        CHOXSymbol* symbol = nullptr;
        if (exporter.GenerateProgram(message, false, &severity, &symbol, false)) generated = exporter.GetProgramText();
    }
    QString text;
    QString program;
    RemoveSpaces(programText, text);
    RemoveSpaces(generated, program);
    if (!programText.isEmpty() && text == program) return true;
    app->m_nClosingWanted = 1;
    doc->OnCloseDocument();
    app->m_nClosingWanted = 0;
    return false;
}

void CMainFrame::OnFileImportText()
{
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr || app->GetDocument() != nullptr) return;
    CHOXImportDlg importDialog;
    if (importDialog.DoModal() != IDOK) return;
    const QString textPath = importDialog.GetPathName();
    const QString shownName = importDialog.GetFileName().toUpper();
    // A file that cannot be read leads nowhere: it is said once, and the
    // questions that would follow are not asked.
    if (!ReadLines(textPath)) return;

    // Only the name's file part counts: a name with folders in it must not
    // lead to a document somewhere else.
    QString hoxName;
    ReadHoxFileName(textPath, hoxName);
    hoxName = FileNameOfPath(hoxName);
    int state = 0;
    QString comparedPath;
    if (!hoxName.isEmpty()) {
        ChangeToFileDir();
        const QFileInfo named(QDir::current(), hoxName);
        if (!named.isFile()) {
            state = 1;
        } else {
            comparedPath = named.absoluteFilePath();
            QString program;
            ReadProgramSection(textPath, program);
            if (MatchesHoxFile(comparedPath, program)) return;
            state = 2;
        }
    }

    CHOXSelFileDlg select(this);
    select.SetState(state);
    select.SetFileName(hoxName);
    select.SetFromController(false);
    if (select.DoModal() == IDOK) {
        const QString chosen = select.GetSelectedPath();
        if (chosen.isEmpty()) return;
        if (chosen != comparedPath) {
            QString program;
            ReadProgramSection(textPath, program);
            if (MatchesHoxFile(chosen, program)) return;
        }
        AfxMessageBox(FormatStr(13618, {shownName, chosen}), MB_OK);
    }

    CHOXUnitTypeDlg unitType(this);
    if (unitType.DoModal() != IDOK) return;
    int type = unitType.m_nUnitType;
    bool hasProgram = false;
    if (!CheckProgramAxes(textPath, &type, true, &hasProgram)) {
        AfxMessageBox(IDS_IMPORT_TYPE_MISMATCH, MB_OK | MB_ICONSTOP);
        return;
    }

    FillSymbolPalette();
    RebuildWorkspaceTree();
    ShowFlowChartBars();
    ShowEditBars();
    app->m_nFrameAtOrigin = 1;
    CHOXDoc* doc = app->CreateMonitorDocument();
    if (doc == nullptr) return;
    doc->SetControllerType(type);
    doc->OnNewDocument();
    if (!hasProgram) {
        // A document without a program still has a chart, an empty one.
        CreateFlowChartWindow(LoadStr(13762), QString(), 0);
        if (CHOXFlowWnd* wnd = doc->FindWindowByName(LoadStr(13762))) {
            std::vector<WORD> ids;
            for (const auto& [id, object] : wnd->GetObjectMap()) ids.push_back(id);
            for (WORD id : ids)
                if (std::unique_ptr<CHOXDrawObj> object = wnd->RemoveObject(id)) object->Remove();
        }
    }
    const QString path = doc->GetPathName();
    const QString folder = path.left(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);

    const std::optional<QStringList> lines = ReadLines(textPath);
    if (!lines) return;
    {
        CHOXTextImporter importer(doc, *lines);
        importer.SetParameters();
        importer.GenerateFlowCharts();
    }
    const QString title =
        state == 1 ? hoxName : LoadStr(IDS_UNTITLED) + QStringLiteral(".") + LoadStr(IDS_HOX_EXTENSION);
    doc->SetTitle(title);
    app->SetMainTitle(folder + title);
    doc->UpdateAllViews(nullptr);
    // The parameters and charts read are the document's only copy.
    doc->SetModifiedFlag();
    doc->SetSaveAsNew();
}
