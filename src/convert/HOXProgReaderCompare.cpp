// Whether a document on disk holds the program read: its program, made
// again, against the program read, blanks aside.
#include "convert/HOXProgReader.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "convert/HOXExport.h"

bool CHOXProgReader::CompareWithDocument(const QString& path, const QString& program, bool* opened)
{
    if (opened != nullptr) *opened = false;
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return false;
    // The open document goes first, after its save question; a cancel
    // there leaves everything as it was.
    if (!app->CloseOpenDocument()) return false;
    m_pDoc = nullptr;
    m_checker.SetParam(nullptr);
    CHOXDoc* doc = app->OpenDocumentFile(path);
    if (doc == nullptr) return false;
    if (opened != nullptr) *opened = true;

    // A document of another controller type would write another program
    // to this controller, whatever its text says.
    const bool sameType = doc->GetControllerType() == m_controllerType;
    if (sameType && !program.isEmpty() && StripBlanks(program) == StripBlanks(GenerateDocumentProgram(doc))) {
        m_pDoc = doc;
        m_checker.SetParam(&doc->GetParam());
        return true;
    }
    // Closed, the document is gone: the reader keeps no pointer to it.
    const std::int32_t closing = app->m_nClosingWanted;
    app->m_nClosingWanted = 1;
    doc->OnCloseDocument();
    app->m_nClosingWanted = closing;
    return false;
}

QString CHOXProgReader::GenerateDocumentProgram(CHOXDoc* doc)
{
    if (doc == nullptr) return QString();
    CHOXExport exporter(doc);
    QString message;
    int severity = 0;
    CHOXSymbol* symbol = nullptr;
    if (!exporter.GenerateProgram(message, false, &severity, &symbol, false)) return QString();
    return exporter.GetProgramText();
}

QString CHOXProgReader::StripBlanks(const QString& text)
{
    QString stripped = text;
    stripped.remove(u' ');
    return stripped;
}
