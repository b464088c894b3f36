// The document's share in the program of its flow charts: the step count,
// the Export Text and Used Memory commands, and saving on behalf of "Save
// Select" before the program leaves the document.
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "convert/HOXExport.h"
#include "convert/HOXImportDlg.h"
#include "convert/HOXProgMemoryDlg.h"
#include "convert/HOXTextImporter.h"
#include "platform/MDI.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"

#include <QDir>

void CHOXDoc::InitProgramCommands()
{
    OnCommand(ID_EXPORT_TEXT, [this] { OnExportText(); });
    OnUpdate(ID_EXPORT_TEXT, [this](CCmdUI* ui) { ui->Enable(IsEditMode() && m_mapWindows.GetCount() > 0); });
    OnCommand(ID_USED_MEMORY, [this] { OnUsedMemory(); });
    OnCommand(ID_IMPORT_TEXT, [this] { OnImportText(); });
}

std::uint32_t CHOXDoc::GetTotalSteps()
{
    std::uint32_t total = 0;
    for (auto& [name, wnd] : m_mapWindows) total += static_cast<std::uint32_t>(wnd->CountProgramSteps());
    return total;
}

void CHOXDoc::OnExportText()
{
    CHOXExport exporter(this);
    QString message;
    int severity = 0;
    CHOXSymbol* symbol = nullptr;
    if (!exporter.GenerateProgram(message, true, &severity, &symbol, true)) {
        // A conversion that stopped leaves nothing to write, whatever it
        // said: a warning declined has shown its symbol already.
        if (severity == 1) {
            AfxMessageBox(message + LoadStr(13890), MB_OK | MB_ICONSTOP);
            exporter.ShowSymbol(symbol);
        }
        return;
    }
    if (exporter.GetProgramText().isEmpty() &&
        AfxMessageBox(message + LoadStr(IDS_CONTINUE_QUESTION), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    exporter.ExportToTextFile();
}

void CHOXDoc::OnImportText()
{
    CHOXImportDlg dialog;
    if (dialog.DoModal() != IDOK) return;
    const QString path = dialog.GetPathName();
    // A file that cannot be read is said to be so, not to be of another type.
    QString why;
    const std::optional<QStringList> lines = textfile::Read(path, &why);
    if (!lines) {
        AfxMessageBox(IDS_UNABLE_TO_OPEN_FILE, MB_OK | MB_ICONSTOP, why);
        return;
    }
    int type = m_nControllerType;
    bool hasProgram = false;
    if (!CMainFrame::CheckProgramAxes(path, &type, false, &hasProgram)) {
        AfxMessageBox(IDS_IMPORT_TYPE_MISMATCH, MB_OK | MB_ICONSTOP);
        return;
    }
    bool holdsSymbols = false;
    for (const auto& [name, wnd] : m_mapWindows) holdsSymbols = holdsSymbols || wnd->GetObjectMap().GetCount() > 0;
    if (holdsSymbols && AfxMessageBox(14000, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) return;
    {
        CHOXTextImporter importer(this, *lines);
        importer.SetParameters();
        importer.GenerateFlowCharts();
    }
    UpdateAllViews(nullptr);
    // The parameters read may differ from the document's own.
    SetModifiedFlag();
}

void CHOXDoc::OnUsedMemory()
{
    CHOXProgMemoryDlg dialog(this, nullptr);
    dialog.DoModal();
}

bool CHOXDoc::SaveBeforeWrite()
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    CMainFrame::ChangeToFileDir();
    const QString caption = main != nullptr ? main->GetWindowText() : QString();
    CMDIChildWnd* firstFrame = app != nullptr && !GetViews().empty() ? app->FrameOfView(GetViews().front()) : nullptr;
    const bool maximized = firstFrame != nullptr && firstFrame->IsZoomed();
    if (GetTitle().isEmpty()) SetTitle(LoadStr(IDS_UNTITLED));
    const QString title = GetTitle();
    const bool untitled = title == LoadStr(IDS_UNTITLED);

    // A named document without changes needs no saving.
    if (untitled || IsModified()) {
        SetTitle(LoadStr(IDS_UNTITLED));
        const QString oldDir = QDir::currentPath();
        CMainFrame::ChangeToFileDir();
        if (!DoFileSave()) {
            SetTitle(title);
            CMainFrame::SetFileDir();
            return false;
        }
        CMainFrame::SetFileDir();
        QDir::setCurrent(oldDir);
        if (untitled) SetModifiedFlag(false);
    }

    // As File > Save leaves it.
    SetCaptionAfterSave(caption, maximized);
    return true;
}
