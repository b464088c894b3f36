#pragma once
// The print dialog, the print information of one run and the print service
// behind them. The application shows the system's print and page setup
// dialogs and prints to printers or PDF files; the tests answer from a script
// and print to a recording.
#include "platform/Dialog.h"
#include "platform/Geometry.h"
#include "platform/PrintTarget.h"

#include <QString>

#include <memory>

// Print dialog flags.
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;

// The dialog that chooses where a run prints. A dialog with a template of
// its own shows it as a page of the system's dialog; its OK runs when the
// user accepts the dialog, its Cancel when the user cancels it.
class CPrintDialog : public CDialog {
public:
    // optionsTemplate 0: the system's dialog alone.
    CPrintDialog(UINT optionsTemplate, bool printSetupOnly, DWORD flags);
    ~CPrintDialog() override;

    // The print service's dialog: IDOK with the target chosen, IDCANCEL.
    int DoModal() override;
    // The default printer (the PDF file without printers) without asking;
    // false when there is none.
    bool GetDefaults();

    PrintTarget* GetTarget() const { return m_target.get(); }
    void SetTarget(std::unique_ptr<PrintTarget> target) { m_target = std::move(target); }
    bool PrintToFile() const { return m_target && m_target->IsFile(); }
    bool PrintSetupOnly() const { return m_bPrintSetupOnly; }

    // The scale the print mapping takes from the dialog: a fixed percentage
    // (true), or the sheet fitted to the page.
    virtual bool IsFixedScale() const { return true; }
    virtual int FixedScalePercent() const { return 100; }

    DWORD m_dwFlags;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 1;
    UINT m_nToPage = 0xFFFF;
    int m_nCopies = 1;

private:
    bool m_bPrintSetupOnly;
    std::unique_ptr<PrintTarget> m_target;
};

// One print run: its dialog, the page being printed and the area to draw in.
class CPrintInfo {
public:
    // The run's dialog; null: the system's plain print dialog.
    explicit CPrintInfo(std::unique_ptr<CPrintDialog> dialog = nullptr);
    virtual ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT page) { m_pPD->m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_pPD->m_nMaxPage = page; }
    UINT GetMinPage() const { return m_pPD->m_nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_nFromPage; }
    UINT GetToPage() const { return m_pPD->m_nToPage; }

    std::unique_ptr<CPrintDialog> m_pPD;
    bool m_bDocObject = false;
    bool m_bPreview = false;
    bool m_bDirect = false;
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    QString m_strPageDesc;
    void* m_lpUserData = nullptr;
    CRect m_rectDraw;
    UINT m_nOffsetPage = 0;
    DWORD m_dwFlags = 0;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // Runs the print dialog: printer or PDF file, copies, and the dialog's
    // own page. IDOK with the dialog's target set, else IDCANCEL.
    virtual int RunPrintDialog(CPrintDialog& dialog) = 0;
    // The default printer; without printers the PDF target, its file not
    // named yet. Null when there is neither.
    virtual std::unique_ptr<PrintTarget> DefaultTarget() = 0;
    // The printer of the name; null when there is none.
    virtual std::unique_ptr<PrintTarget> PrinterTarget(const QString& name) = 0;
    // Print Setup: the printer and page chosen stay for the runs after it
    // until the program ends.
    virtual void RunPageSetup() = 0;
};

// The service print runs use; null: the fallback, which shows no dialog (a
// dialog counts as cancelled) and knows only the PDF target.
void SetPrintService(PrintService* service);
PrintService* GetPrintService();
