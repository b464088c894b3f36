#pragma once
// The print preview on the desktop: a window over the main window's client
// area with a bar of the preview's commands (Print, Next Page, Prev Page,
// one or two pages, Zoom In, Zoom Out, Close) and the pages shown in a
// scroll area. Esc closes it, Page Up and Page Down turn the pages.
#include "platform/PrintPreview.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

class QtPreviewWindow : public QWidget {
    Q_OBJECT
public:
    // Covers the widget `over` (a child of the parent) and follows its size.
    QtPreviewWindow(CPrintPreview& preview, QWidget* parent, QWidget* over);
    ~QtPreviewWindow() override;

    // Draws the pages shown again and sets the commands' states.
    void Refresh();

    QAction* PrintAction() const { return m_print; }
    QAction* NextAction() const { return m_next; }
    QAction* PrevAction() const { return m_prev; }
    QAction* PagesAction() const { return m_pages; }
    QAction* ZoomInAction() const { return m_zoomIn; }
    QAction* ZoomOutAction() const { return m_zoomOut; }
    QAction* CloseAction() const { return m_close; }
    QString DescriptionText() const;
    // The images of the pages shown.
    const std::vector<QImage>& PageImages() const { return m_images; }

    // The preview goes; the window only hides until it is deleted.
    void Detach();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class PagesWidget;
    QAction* AddCommand(const QString& text, const char* name, std::function<void(CPrintPreview&)> command);
    void FollowCovered();

    CPrintPreview* m_preview;
    QPointer<QWidget> m_over;
    QToolBar* m_bar = nullptr;
    QAction* m_print = nullptr;
    QAction* m_next = nullptr;
    QAction* m_prev = nullptr;
    QAction* m_pages = nullptr;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomOut = nullptr;
    QAction* m_close = nullptr;
    QLabel* m_description = nullptr;
    QScrollArea* m_scroll = nullptr;
    PagesWidget* m_pagesWidget = nullptr;
    std::vector<QImage> m_images;
    bool m_refreshing = false;
};

class QtPreviewHost : public PreviewHost {
public:
    explicit QtPreviewHost(QtPreviewWindow* window) : m_window(window) {}
    ~QtPreviewHost() override;
    void Update() override;
    QtPreviewWindow* Window() const { return m_window; }

private:
    QPointer<QtPreviewWindow> m_window;
};

class QtPreviewService : public PreviewService {
public:
    // Over the client area of the main frame's window; without one, a window
    // of its own.
    std::unique_ptr<PreviewHost> Open(CPrintPreview& preview, CFrameWnd* mainFrame) override;
    // The window of the preview that runs; null when none does.
    static QtPreviewWindow* ActiveWindow();
};
