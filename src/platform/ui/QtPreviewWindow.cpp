#include "platform/ui/QtPreviewWindow.h"

#include "platform/FrameWnd.h"
#include "platform/ui/QtFrameWindow.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kGap = 8;
QPointer<QtPreviewWindow> g_window;

bool IsPreviewKey(int key) { return key == Qt::Key_Escape || key == Qt::Key_PageUp || key == Qt::Key_PageDown; }
} // namespace

// The pages shown side by side on the grey of the window.
class QtPreviewWindow::PagesWidget : public QWidget {
public:
    explicit PagesWidget(QtPreviewWindow& owner) : m_owner(owner) { setAutoFillBackground(false); }
    void Fit(const QSize& viewport)
    {
        int width = kGap;
        int height = 0;
        for (const QImage& image : m_owner.m_images) {
            width += image.width() + kGap;
            height = std::max(height, image.height());
        }
        resize(std::max(width, viewport.width()), std::max(height + 2 * kGap, viewport.height()));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        int total = kGap;
        for (const QImage& image : m_owner.m_images) total += image.width() + kGap;
        int x = std::max(kGap, (width() - total) / 2 + kGap);
        for (const QImage& image : m_owner.m_images) {
            const int y = std::max(kGap, (height() - image.height()) / 2);
            painter.fillRect(QRect(x + 3, y + 3, image.width(), image.height()), QColor(64, 64, 64));
            painter.drawImage(x, y, image);
            painter.setPen(Qt::black);
            painter.drawRect(QRect(x, y, image.width() - 1, image.height() - 1));
            x += image.width() + kGap;
        }
    }

private:
    QtPreviewWindow& m_owner;
};

QtPreviewWindow::QtPreviewWindow(CPrintPreview& preview, QWidget* parent, QWidget* over)
    : QWidget(parent), m_preview(&preview), m_over(over)
{
    setObjectName(QStringLiteral("printPreview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_bar = new QToolBar(this);
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_print = AddCommand(QStringLiteral("&Print..."), "previewPrint", [](CPrintPreview& p) { p.Print(); });
    m_next = AddCommand(QStringLiteral("&Next Page"), "previewNext", [](CPrintPreview& p) { p.NextPage(); });
    m_prev = AddCommand(QStringLiteral("Pre&v Page"), "previewPrev", [](CPrintPreview& p) { p.PrevPage(); });
    m_pages = AddCommand(QStringLiteral("&Two Pages"), "previewPages", [](CPrintPreview& p) { p.TogglePages(); });
    m_zoomIn = AddCommand(QStringLiteral("Zoom &In"), "previewZoomIn", [](CPrintPreview& p) { p.ZoomIn(); });
    m_zoomOut = AddCommand(QStringLiteral("Zoom &Out"), "previewZoomOut", [](CPrintPreview& p) { p.ZoomOut(); });
    m_close = AddCommand(QStringLiteral("&Close"), "previewClose", [](CPrintPreview& p) { p.Close(); });
    m_bar->addSeparator();
    m_description = new QLabel(m_bar);
    m_description->setObjectName(QStringLiteral("previewDescription"));
    m_description->setContentsMargins(8, 0, 8, 0);
    m_bar->addWidget(m_description);
    layout->addWidget(m_bar);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_pagesWidget = new PagesWidget(*this);
    m_scroll->setWidget(m_pagesWidget);
    m_scroll->viewport()->installEventFilter(this);
    layout->addWidget(m_scroll, 1);

    if (m_over) m_over->installEventFilter(this);
    FollowCovered();
}

QtPreviewWindow::~QtPreviewWindow()
{
    if (g_window == this) g_window = nullptr;
}

QAction* QtPreviewWindow::AddCommand(const QString& text, const char* name, std::function<void(CPrintPreview&)> command)
{
    QAction* action = m_bar->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        // Print and Close end the preview, and with it this window's use.
        if (m_preview != nullptr) command(*m_preview);
    });
    return action;
}

void QtPreviewWindow::Detach()
{
    m_preview = nullptr;
    if (m_over) m_over->removeEventFilter(this);
    hide();
}

QString QtPreviewWindow::DescriptionText() const { return m_description->text(); }

void QtPreviewWindow::FollowCovered()
{
    if (!m_over) return;
    if (m_over->parentWidget() == parentWidget()) {
        setGeometry(m_over->geometry());
    } else {
        setGeometry(QRect(m_over->mapTo(window(), QPoint(0, 0)), m_over->size()));
    }
    raise();
}

void QtPreviewWindow::Refresh()
{
    if (m_preview == nullptr || m_refreshing) return;
    m_refreshing = true;
    const QSize area = m_scroll->viewport()->size();
    const double scale = m_preview->Scale(area.width(), area.height(), logicalDpiX());
    m_images.clear();
    for (UINT page = m_preview->CurrentPage(); page <= m_preview->LastPageShown(); ++page)
        m_images.push_back(m_preview->RenderPage(page, scale));
    m_pagesWidget->Fit(area);
    m_pagesWidget->update();

    m_next->setEnabled(m_preview->CanNextPage());
    m_prev->setEnabled(m_preview->CanPrevPage());
    m_pages->setEnabled(m_preview->CanShowTwoPages());
    m_pages->setText(m_preview->PagesShown() == 2 ? QStringLiteral("&One Page") : QStringLiteral("&Two Pages"));
    m_zoomIn->setEnabled(m_preview->CanZoomIn());
    m_zoomOut->setEnabled(m_preview->CanZoomOut());
    m_description->setText(m_preview->Description());
    m_refreshing = false;
}

bool QtPreviewWindow::event(QEvent* event)
{
    // The preview's keys are its own, not the main window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride && IsPreviewKey(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool QtPreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_over && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) FollowCovered();
    // Fitted pages follow the size of the window.
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_preview != nullptr &&
        m_preview->ZoomLevel() == 0)
        Refresh();
    return QWidget::eventFilter(watched, event);
}

void QtPreviewWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_preview == nullptr) return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape: m_preview->Close(); return;
    case Qt::Key_PageDown: m_preview->NextPage(); return;
    case Qt::Key_PageUp: m_preview->PrevPage(); return;
    default: QWidget::keyPressEvent(event);
    }
}

// ---------------------------------------------------------------------------

QtPreviewHost::~QtPreviewHost()
{
    if (!m_window) return;
    // The window may be the one whose button ended the preview.
    m_window->Detach();
    m_window->deleteLater();
}

void QtPreviewHost::Update()
{
    if (m_window) m_window->Refresh();
}

std::unique_ptr<PreviewHost> QtPreviewService::Open(CPrintPreview& preview, CFrameWnd* mainFrame)
{
    auto* frame = mainFrame != nullptr ? dynamic_cast<QtFrameWindow*>(mainFrame->Host()) : nullptr;
    QtPreviewWindow* window = nullptr;
    if (frame != nullptr) {
        window = new QtPreviewWindow(preview, frame, frame->MdiArea());
    } else {
        window = new QtPreviewWindow(preview, nullptr, nullptr);
        window->resize(800, 600);
    }
    window->show();
    window->raise();
    window->setFocus();
    window->Refresh();
    g_window = window;
    return std::make_unique<QtPreviewHost>(window);
}

QtPreviewWindow* QtPreviewService::ActiveWindow() { return g_window; }
