#pragma once
// The window of a dialog bar: a dock widget at the main window's left edge,
// as large as the bar's template, that cannot be moved, floated or closed.
// Its controls are drawn from the state the bar's logic keeps: buttons run
// their commands through the routing chain, the slider hands its moves to
// the bar, and context help asks the bar at the point.
#include "platform/ControlBar.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QPointer>

#include <map>

class QMainWindow;
class QSlider;
class QTimer;

// A button of a bar: owner-drawn ones show the picture the logic chooses,
// the others a raised face with their picture in the middle.
class QtBarButton : public QAbstractButton {
    Q_OBJECT
public:
    QtBarButton(CButton& button, QWidget* parent);
    void Detach() { m_button = nullptr; }
    // The item state the logic draws with (ODS_ bits).
    UINT ItemState() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CButton* m_button;
};

class QtDialogBar : public QDockWidget {
    Q_OBJECT
public:
    QtDialogBar(QMainWindow& main, CDialogBar& bar);
    ~QtDialogBar() override;

    CDialogBar& Bar() const { return m_bar; }
    // The bar's own area.
    QWidget* Client() const { return m_client; }
    // The widget of a control, or null.
    QWidget* ControlWidget(UINT id) const;
    void ControlChanged(CBarCtrl& control);
    void ControlDestroyed(CBarCtrl& control);
    void DockLeft();
    // Buttons follow the state of their commands.
    void UpdateCommandStates();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeWidget(CBarCtrl& control);
    void SyncSlider(CSliderCtrl& slider, QSlider* widget);
    void SliderAction(CSliderCtrl* slider, int action);
    void SliderReleased(CSliderCtrl* slider);
    // The palette's bars in the order they were last docked, below the
    // bars of other kinds.
    void ArrangeLeftEdge();

    QMainWindow& m_main;
    CDialogBar& m_bar;
    QWidget* m_client = nullptr;
    QTimer* m_idle = nullptr;
    std::map<CBarCtrl*, QPointer<QWidget>> m_widgets;
    // Lower docks higher; a bar docked later gets a lower rank.
    long long m_rank = 0;
};

class QtDialogBarHost : public BarHost {
public:
    explicit QtDialogBarHost(QtDialogBar* bar) : m_bar(bar) {}
    ~QtDialogBarHost() override;
    QtDialogBar* Bar() const { return m_bar; }

    void Show(bool show) override;
    void DockLeft() override;
    CRect GetWindowRect() const override;
    void ControlChanged(CBarCtrl& control) override;
    void ControlDestroyed(CBarCtrl& control) override;

private:
    QPointer<QtDialogBar> m_bar;
};
