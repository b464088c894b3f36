#include "platform/PrintDialog.h"

namespace {
// Without a service of the user interface nothing can be asked: dialogs are
// cancelled and the only target is a PDF file.
class FallbackPrintService : public PrintService {
public:
    int RunPrintDialog(CPrintDialog&) override { return IDCANCEL; }
    std::unique_ptr<PrintTarget> DefaultTarget() override
    {
        return std::make_unique<PdfPrintTarget>(QString(), DefaultPageLayout());
    }
    std::unique_ptr<PrintTarget> PrinterTarget(const QString&) override { return nullptr; }
    void RunPageSetup() override {}
};

FallbackPrintService g_fallback;
PrintService* g_service = nullptr;

std::shared_ptr<const DialogTemplate> OptionsTemplate(UINT id) { return id != 0 ? DialogTemplate::Load(id) : nullptr; }
} // namespace

void SetPrintService(PrintService* service) { g_service = service; }
PrintService* GetPrintService() { return g_service != nullptr ? g_service : &g_fallback; }

CPrintDialog::CPrintDialog(UINT optionsTemplate, bool printSetupOnly, DWORD flags)
    : CDialog(OptionsTemplate(optionsTemplate)), m_dwFlags(flags), m_bPrintSetupOnly(printSetupOnly)
{
}

CPrintDialog::~CPrintDialog() = default;

int CPrintDialog::DoModal() { return GetPrintService()->RunPrintDialog(*this); }

bool CPrintDialog::GetDefaults()
{
    m_target = GetPrintService()->DefaultTarget();
    return m_target != nullptr;
}

CPrintInfo::CPrintInfo(std::unique_ptr<CPrintDialog> dialog)
    : m_pPD(dialog ? std::move(dialog)
                   : std::make_unique<CPrintDialog>(0, false, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES))
{
}

CPrintInfo::~CPrintInfo() = default;
