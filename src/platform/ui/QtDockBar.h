#pragma once
// The window of a bar with a tree control: a dock widget that docks at the
// main window's left edge or floats, cannot be closed, and takes the sizes
// the bar's logic gives it for each state (docked, floating, stretched).
#include "platform/DockBar.h"

#include <QDockWidget>
#include <QPointer>

class CTreeCtrl;
class QMainWindow;
class QtTreeCtrl;

class QtDockBar : public QDockWidget {
    Q_OBJECT
public:
    QtDockBar(QMainWindow& main, DockBarClient& client, CTreeCtrl& tree, UINT barId, int treeId,
              const QString& title);
    ~QtDockBar() override;

    QtTreeCtrl* Tree() const { return m_tree; }
    // The bar's own area inside the dock widget's frame and title.
    QWidget* Client() const { return m_client; }
    void DockLeft();
    // Asks the logic for the size of the present state and takes it.
    void ApplySize();
    UINT TrackPopupMenu(const std::vector<PopupMenuItem>& items, CPoint screen);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The bars docked at the left edge, top to bottom.
    std::vector<QDockWidget*> LeftBars() const;
    void PutOnTop();

    QMainWindow& m_main;
    DockBarClient& m_logic;
    QWidget* m_client = nullptr;
    QtTreeCtrl* m_tree = nullptr;
    // Set while the bar sizes itself: those resizes are not the user's.
    bool m_sizing = false;
};

// The host the bar's logic holds; it takes the window down with it.
class QtDockBarHost : public DockBarHost {
public:
    explicit QtDockBarHost(QtDockBar* bar) : m_bar(bar) {}
    ~QtDockBarHost() override;
    QtDockBar* Bar() const { return m_bar; }

    void Show(bool show) override;
    bool IsVisible() const override;
    bool IsFloating() const override;
    void DockLeft() override;
    UINT TrackPopupMenu(const std::vector<PopupMenuItem>& items, CPoint screen) override;

private:
    QPointer<QtDockBar> m_bar;
};
