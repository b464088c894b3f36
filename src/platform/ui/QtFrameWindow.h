#pragma once
// The main window of the program: hosts a frame's title, menu bar, toolbars
// and status bar, and forwards closing to the frame's logic.
#include "platform/MDI.h"

#include <QMainWindow>

#include <vector>

class QLabel;
class QMdiArea;
class QTimer;

class QtFrameWindow : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    explicit QtFrameWindow(CFrameWnd& frame);
    ~QtFrameWindow() override;

    void SetTitle(const QString& title) override;
    QString Title() const override;
    void Show(int showCommand) override;
    bool IsVisible() const override;
    bool IsMaximized() const override;
    void SetMenu(UINT menuId) override;
    void SetAcceptDrops(bool accept) override;
    void SetStatusText(int pane, const QString& text) override;
    QString StatusText(int pane) const override;
    void UpdateCommandStates() override;
    void Close() override;
    std::unique_ptr<ChildFrameHost> CreateChildHost(CMDIChildWnd& child) override;
    void CascadeChildren() override;
    void TileChildren() override;
    QMdiArea* MdiArea() const { return m_mdiArea; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CFrameWnd& m_frame;
    std::vector<QLabel*> m_panes;
    QTimer* m_idle = nullptr;
    QMdiArea* m_mdiArea = nullptr;
};

class QtWindowFactory : public WindowFactory {
public:
    std::unique_ptr<FrameHost> CreateMainFrameHost(CFrameWnd& frame) override;
};
