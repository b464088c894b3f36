#pragma once
// Printing on the desktop: the system's printers through Qt's print support,
// Qt's print dialog with a dialog's own template as one of its pages, and
// Qt's page setup. Every PDF, Print to File included, goes through the PDF
// target.
#include "platform/PrintDialog.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <memory>
#include <optional>

// A printer of the system.
class QtPrinterTarget : public PrintTarget {
public:
    explicit QtPrinterTarget(std::unique_ptr<QPrinter> printer);
    ~QtPrinterTarget() override;

    QString Name() const override { return m_printer->printerName(); }
    void SetCopies(int copies) override { m_printer->setCopyCount(copies); }
    PageMetrics Metrics() const override;
    int StartDoc(const QString& title) override;
    QPainter* Painter() override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_pages = 0;
};

class QtPrintService : public PrintService {
public:
    int RunPrintDialog(CPrintDialog& dialog) override;
    std::unique_ptr<PrintTarget> DefaultTarget() override;
    std::unique_ptr<PrintTarget> PrinterTarget(const QString& name) override;
    void RunPageSetup() override;

    // What a printer set up by Qt's dialogs prints to: the PDF target for
    // Print to File (without a file when the dialog named a folder or
    // nothing), else the printer itself.
    static std::unique_ptr<PrintTarget> TargetFor(std::unique_ptr<QPrinter> printer);

private:
    // A printer as the last dialog or Print Setup left it.
    std::unique_ptr<QPrinter> NewPrinter() const;
    void Keep(const QPrinter& printer);

    QString m_printerName;
    std::optional<QPageLayout> m_layout;
};
