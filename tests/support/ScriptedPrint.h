#pragma once
// The print service of the tests: printers that record what they print, a
// print dialog answered from a script (its page of the program's played like
// any dialog), and the PDF target for files. Nothing reaches a printer of the
// system.
#include "chart/RecordingPainter.h"
#include "platform/PrintDialog.h"
#include "support/Scripted.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace kt::test {

// A page of 600 by 840 pixels at 75 dpi, 200 by 280 mm: at the print
// mapping's plain scale a logical unit is one pixel.
inline PageMetrics TestPage() { return PageMetrics{600, 840, 200, 280, 75, 75}; }

struct PrintAnswer {
    bool accept = true;
    // The printer chosen (one the service has), or Print to File with the
    // file the dialog named (empty: none yet).
    QString printer;
    bool toFile = false;
    QString file;
    int copies = 1;
    // Plays the program's page of the dialog before it is answered.
    std::function<void(DialogDriver&)> options;
};

class ScriptedPrinting : public PrintService {
public:
    ScriptedPrinting();
    ~ScriptedPrinting() override;

    // A printer of the service; the first one added is the default unless
    // noDefault is set (then the default is the PDF target).
    RecordedPrint& AddPrinter(const QString& name, const PageMetrics& page = TestPage());
    RecordedPrint& Printer(const QString& name);
    bool noDefault = false;

    ScriptedPrinting& Expect(PrintAnswer answer);
    ScriptedPrinting& ExpectPageSetup();

    int RunPrintDialog(CPrintDialog& dialog) override;
    std::unique_ptr<PrintTarget> DefaultTarget() override;
    std::unique_ptr<PrintTarget> PrinterTarget(const QString& name) override;
    void RunPageSetup() override;

    int dialogsShown = 0;
    int pageSetups = 0;
    // The flags of each print dialog shown, and whether it had the
    // program's page.
    std::vector<DWORD> flags;
    std::vector<bool> withPage;

private:
    std::deque<PrintAnswer> m_expected;
    int m_pageSetupsExpected = 0;
    std::vector<std::pair<QString, std::unique_ptr<RecordedPrint>>> m_printers;
    PrintService* m_previous;
};

// The print options the dialog keeps in the settings are forgotten: the next
// dialog starts as on first use.
void ForgetOptions();

// Installed for the whole test run: any use of printing that no test set up
// fails the test.
void InstallStrictPrinting();

} // namespace kt::test
