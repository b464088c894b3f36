#pragma once
// The window of a child frame: a subwindow of the main window's client area
// holding the widget of the frame's view. Closing asks the frame's logic.
#include "platform/MDI.h"

#include <QMdiSubWindow>
#include <QPointer>

class QMdiArea;
class QtViewWidget;

class QtChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    QtChildFrame(CMDIChildWnd& frame, QWidget* parent = nullptr);
    ~QtChildFrame() override;

    CMDIChildWnd* Frame() const { return m_frame; }
    QtViewWidget* ViewWidget() const { return m_viewWidget; }
    CRect GetRestoredRect() const;
    // The frame's logic is going away.
    void Detach();
    // Puts the window, made inside the area's viewport, into the area's
    // list of subwindows and on top of the others.
    void JoinArea(QMdiArea* area);

    // The frame's caption. A hidden window takes it into its title bar once
    // the events of its making are handled, before it is first painted: the
    // subwindow works out the title bar's elided text each time it lays its
    // frame out (the regions that move and size it, its smallest size),
    // some thirty times while a window is made and shown, and none of that
    // needs the text.
    void SetCaption(const QString& caption);
    QString Caption() const { return m_caption; }
    // A caption that waits goes into the title bar now.
    void ShowCaption();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Context help over the view asks the frame.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void RememberNormalGeometry();

    CMDIChildWnd* m_frame;
    QtViewWidget* m_viewWidget = nullptr;
    QRect m_normal;
    QString m_caption;
    bool m_captionWaits = false;
};

// The host the frame's logic holds: it can outlive neither the frame nor
// the window, and takes the window down with it.
class QtChildFrameHost : public ChildFrameHost {
public:
    explicit QtChildFrameHost(QtChildFrame* window) : m_window(window) {}
    ~QtChildFrameHost() override;
    QtChildFrame* Window() const { return m_window; }

    void SetTitle(const QString& title) override;
    QString Title() const override;
    void Show(int showCommand) override;
    bool IsVisible() const override;
    bool IsIconic() const override;
    bool IsZoomed() const override;
    CRect GetWindowRect() const override;
    CRect GetRestoredRect() const override;
    CRect GetScreenRect() const override;
    void MoveWindow(const CRect& rect) override;
    void Activate() override;
    void Raise() override;

    // The window of a frame whose host is one of these; null for any other.
    static QtChildFrame* WindowOf(const CMDIChildWnd* frame);

    // While a batch of frames is made, a hidden frame asked to show waits
    // until another frame shows, the batch ends or a message or dialog
    // opens: its view, filled meanwhile, then lays its scroll bars out once,
    // on top, rather than after all the frames made after it, beneath them.
    // It counts as shown throughout. The client area is told of the moves
    // and resizes of its windows once, at the same times.
    static void BeginShowBatch();
    static void EndShowBatch();
    static void ShowWaitingFrame();

private:
    static void ShowWaiting();
    static void TellAreaOfKeptMoves();

    QPointer<QtChildFrame> m_window;
};
