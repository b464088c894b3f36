#include "platform/ui/QtPrintService.h"

#include "platform/ui/QtDialogSite.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace {
QWidget* DialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

// Enter and Esc on the program's page answer the print dialog around it, as
// they do on its other pages, instead of closing the page alone.
class PageKeys : public QObject {
public:
    PageKeys(QDialog& box) : QObject(&box), m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            m_box.reject();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_box.accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog& m_box;
};
} // namespace

QtPrinterTarget::QtPrinterTarget(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

QtPrinterTarget::~QtPrinterTarget()
{
    if (m_painter.isActive()) AbortDoc();
}

PageMetrics QtPrinterTarget::Metrics() const
{
    PageMetrics m;
    m.widthPx = m_printer->width();
    m.heightPx = m_printer->height();
    m.widthMm = m_printer->widthMM();
    m.heightMm = m_printer->heightMM();
    m.dpiX = m_printer->logicalDpiX();
    m.dpiY = m_printer->logicalDpiY();
    return m;
}

int QtPrinterTarget::StartDoc(const QString& title)
{
    m_error.clear();
    m_printer->setDocName(title);
    if (!m_painter.begin(m_printer.get())) {
        m_error = QStringLiteral("The printer %1 does not take the job.").arg(m_printer->printerName());
        return 0;
    }
    m_pages = 0;
    return 1;
}

QPainter* QtPrinterTarget::Painter() { return m_painter.isActive() ? &m_painter : nullptr; }

int QtPrinterTarget::StartPage()
{
    if (!m_painter.isActive()) return -1;
    if (m_pages++ == 0) return 1;
    return m_printer->newPage() ? 1 : -1;
}

int QtPrinterTarget::EndPage() { return m_painter.isActive() && m_printer->printerState() != QPrinter::Error ? 1 : -1; }

int QtPrinterTarget::EndDoc()
{
    if (!m_painter.isActive()) return -1;
    if (!m_painter.end() || m_printer->printerState() == QPrinter::Error) {
        m_error = QStringLiteral("The printer %1 reported an error.").arg(m_printer->printerName());
        return -1;
    }
    return 1;
}

int QtPrinterTarget::AbortDoc()
{
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
    return 1;
}

// ---------------------------------------------------------------------------

std::unique_ptr<QPrinter> QtPrintService::NewPrinter() const
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_printerName.isEmpty() && !QPrinterInfo::printerInfo(m_printerName).isNull())
        printer->setPrinterName(m_printerName);
    if (m_layout) printer->setPageLayout(*m_layout);
    return printer;
}

void QtPrintService::Keep(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat) m_printerName = printer.printerName();
    m_layout = printer.pageLayout();
}

std::unique_ptr<PrintTarget> QtPrintService::TargetFor(std::unique_ptr<QPrinter> printer)
{
    if (printer->outputFormat() == QPrinter::PdfFormat || !printer->outputFileName().isEmpty()) {
        QString path = printer->outputFileName();
        if (QFileInfo(path).isDir()) path.clear();
        return std::make_unique<PdfPrintTarget>(path, printer->pageLayout(), printer->resolution());
    }
    return std::make_unique<QtPrinterTarget>(std::move(printer));
}

int QtPrintService::RunPrintDialog(CPrintDialog& dialog)
{
    std::unique_ptr<QPrinter> printer = NewPrinter();
    printer->setCopyCount(std::max(1, dialog.m_nCopies));
    QPrintDialog box(printer.get(), DialogParent());
    box.setOption(QAbstractPrintDialog::PrintToFile, true);
    box.setOption(QAbstractPrintDialog::PrintSelection, (dialog.m_dwFlags & PD_NOSELECTION) == 0);
    box.setOption(QAbstractPrintDialog::PrintPageRange, (dialog.m_dwFlags & PD_NOPAGENUMS) == 0);
    box.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    box.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    box.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    // Qt leaves "Pages from" open without a page range; a run that prints
    // every page shows the range as it is, all pages, and fixed.
    if ((dialog.m_dwFlags & PD_NOPAGENUMS) != 0 && (dialog.m_dwFlags & PD_NOSELECTION) != 0)
        if (auto* range = box.findChild<QGroupBox*>(QStringLiteral("gbPrintRange"))) range->setEnabled(false);

    std::unique_ptr<QtDialogSite> page;
    if (dialog.Template() != nullptr) {
        page = std::make_unique<QtDialogSite>(dialog, &box);
        page->Window()->setWindowFlags(Qt::Widget);
        page->Window()->installEventFilter(new PageKeys(box));
        box.setOptionTabs({page->Window()});
        if (!page->Initialize()) return IDCANCEL;
    }
    const bool accepted = box.exec() == QDialog::Accepted;
    // The page's own OK keeps its choices; its Cancel keeps nothing.
    if (page) {
        if (accepted) {
            dialog.CommandOK();
        } else {
            dialog.CommandCancel();
        }
    }
    if (!accepted) return IDCANCEL;
    dialog.m_nCopies = printer->copyCount();
    Keep(*printer);
    dialog.SetTarget(TargetFor(std::move(printer)));
    return IDOK;
}

std::unique_ptr<PrintTarget> QtPrintService::DefaultTarget()
{
    QPrinterInfo info =
        m_printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(m_printerName);
    if (info.isNull()) {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (!names.isEmpty()) info = QPrinterInfo::printerInfo(names.front());
    }
    if (info.isNull()) return std::make_unique<PdfPrintTarget>(QString(), m_layout.value_or(DefaultPageLayout()));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (m_layout) printer->setPageLayout(*m_layout);
    return std::make_unique<QtPrinterTarget>(std::move(printer));
}

std::unique_ptr<PrintTarget> QtPrintService::PrinterTarget(const QString& name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (m_layout) printer->setPageLayout(*m_layout);
    return std::make_unique<QtPrinterTarget>(std::move(printer));
}

void QtPrintService::RunPageSetup()
{
    std::unique_ptr<QPrinter> printer = NewPrinter();
    QPageSetupDialog box(printer.get(), DialogParent());
    if (box.exec() == QDialog::Accepted) Keep(*printer);
}
