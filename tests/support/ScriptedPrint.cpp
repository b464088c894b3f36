#include "support/ScriptedPrint.h"

#include "platform/Settings.h"
#include "platform/ui/QtDialogSite.h"
#include "print/HOXPrintDlg.h"
#include "support/ScriptedPreview.h"

namespace kt::test {

namespace {
class StrictPrinting : public PrintService {
public:
    int RunPrintDialog(CPrintDialog&) override
    {
        ADD_FAILURE() << "unexpected print dialog";
        return IDCANCEL;
    }
    std::unique_ptr<PrintTarget> DefaultTarget() override
    {
        ADD_FAILURE() << "unexpected use of the default printer";
        return nullptr;
    }
    std::unique_ptr<PrintTarget> PrinterTarget(const QString& name) override
    {
        ADD_FAILURE() << "unexpected use of the printer \"" << name.toStdString() << "\"";
        return nullptr;
    }
    void RunPageSetup() override { ADD_FAILURE() << "unexpected page setup"; }
};
StrictPrinting g_strict;
} // namespace

void InstallStrictPrinting()
{
    SetPrintService(&g_strict);
    InstallStrictPreview();
}

void ForgetOptions()
{
    auto settings = OpenSettings();
    for (const char* name : CHOXPrintDlg::OptionNames()) settings->remove(QStringLiteral("APP/") + QLatin1String(name));
    settings->sync();
}

ScriptedPrinting::ScriptedPrinting() : m_previous(GetPrintService()) { SetPrintService(this); }

ScriptedPrinting::~ScriptedPrinting()
{
    SetPrintService(m_previous);
    for (std::size_t i = 0; i < m_expected.size(); ++i) ADD_FAILURE() << "expected print dialog never shown";
    if (m_pageSetupsExpected != 0) ADD_FAILURE() << "expected page setup never shown";
}

RecordedPrint& ScriptedPrinting::AddPrinter(const QString& name, const PageMetrics& page)
{
    m_printers.emplace_back(name, std::make_unique<RecordedPrint>(page));
    return *m_printers.back().second;
}

RecordedPrint& ScriptedPrinting::Printer(const QString& name)
{
    for (auto& [n, record] : m_printers)
        if (n == name) return *record;
    ADD_FAILURE() << "no printer \"" << name.toStdString() << "\"";
    return *m_printers.front().second;
}

ScriptedPrinting& ScriptedPrinting::Expect(PrintAnswer answer)
{
    m_expected.push_back(std::move(answer));
    return *this;
}

ScriptedPrinting& ScriptedPrinting::ExpectPageSetup()
{
    ++m_pageSetupsExpected;
    return *this;
}

int ScriptedPrinting::RunPrintDialog(CPrintDialog& dialog)
{
    ++dialogsShown;
    flags.push_back(dialog.m_dwFlags);
    withPage.push_back(dialog.Template() != nullptr);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return IDCANCEL;
    }
    PrintAnswer answer = std::move(m_expected.front());
    m_expected.pop_front();
    if (dialog.Template() != nullptr) {
        QtDialogSite site(dialog, nullptr);
        site.Window()->show();
        if (site.Initialize()) {
            DialogDriver driver(site);
            if (answer.options) answer.options(driver);
            // The system's dialog answers; the page's OK or Cancel follows.
            if (answer.accept) {
                dialog.CommandOK();
            } else {
                dialog.CommandCancel();
            }
        }
    } else if (answer.options) {
        ADD_FAILURE() << "the print dialog has no page of the program's to play";
    }
    if (!answer.accept) return IDCANCEL;
    dialog.m_nCopies = answer.copies;
    if (answer.toFile) {
        dialog.SetTarget(std::make_unique<PdfPrintTarget>(answer.file, DefaultPageLayout()));
    } else {
        dialog.SetTarget(PrinterTarget(answer.printer));
    }
    return IDOK;
}

std::unique_ptr<PrintTarget> ScriptedPrinting::DefaultTarget()
{
    if (noDefault || m_printers.empty()) return std::make_unique<PdfPrintTarget>(QString(), DefaultPageLayout());
    return std::make_unique<RecordingPrintTarget>(m_printers.front().first, *m_printers.front().second);
}

std::unique_ptr<PrintTarget> ScriptedPrinting::PrinterTarget(const QString& name)
{
    for (auto& [n, record] : m_printers)
        if (n == name) return std::make_unique<RecordingPrintTarget>(n, *record);
    return nullptr;
}

void ScriptedPrinting::RunPageSetup()
{
    ++pageSetups;
    if (m_pageSetupsExpected == 0) {
        ADD_FAILURE() << "unexpected page setup";
        return;
    }
    --m_pageSetupsExpected;
}

} // namespace kt::test
