#include "platform/ui/QtDialogBar.h"

#include "platform/FrameWnd.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <vector>

namespace {
// Each docking gets a lower rank than every one before it.
long long g_lastRank = 0;

// How the slider's moves reach the bar.
UINT ScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return TB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return TB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return TB_TOP;
    case QAbstractSlider::SliderToMaximum: return TB_BOTTOM;
    default: return TB_THUMBTRACK;
    }
}

QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
} // namespace

// ---------------------------------------------------------------------------
// Buttons

QtBarButton::QtBarButton(CButton& button, QWidget* parent) : QAbstractButton(parent), m_button(&button)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, button.IsOwnerDrawn());
}

UINT QtBarButton::ItemState() const
{
    UINT state = 0;
    if (isDown() || (m_button != nullptr && (m_button->GetState() & BST_PUSHED) != 0)) state |= ODS_SELECTED;
    if (hasFocus()) state |= ODS_FOCUS;
    if (!isEnabled()) state |= ODS_DISABLED;
    return state;
}

void QtBarButton::paintEvent(QPaintEvent*)
{
    if (m_button == nullptr) return;
    QPainter p(this);
    const UINT state = ItemState();
    if (m_button->IsOwnerDrawn()) {
        // The picture as it is, from its top-left corner.
        if (const QImage* image = m_button->DrawItem(state)) p.drawImage(QPoint(0, 0), *image);
        return;
    }
    // A raised face that sinks while pressed, the picture in its middle;
    // the frame covers the picture's outermost pixels.
    const bool sunken = (state & ODS_SELECTED) != 0;
    p.fillRect(rect(), palette().button());
    if (const QImage* image = m_button->GetBitmap()) {
        QPoint at((width() - image->width()) / 2, (height() - image->height()) / 2);
        if (sunken) at += QPoint(1, 1);
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QPixmap pixmap = QIcon(QPixmap::fromImage(*image)).pixmap(image->size(), mode);
        p.drawPixmap(at, pixmap);
    }
    qDrawWinButton(&p, rect(), palette(), sunken, nullptr);
    if ((state & ODS_FOCUS) != 0) {
        QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

// ---------------------------------------------------------------------------
// The bar

QtDialogBar::QtDialogBar(QMainWindow& main, CDialogBar& bar) : QDockWidget(&main), m_main(main), m_bar(bar)
{
    setObjectName(QStringLiteral("Bar%1").arg(bar.GetDlgCtrlID()));
    // The program places the bar; the user cannot drag, float or close it.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setTitleBarWidget(new QWidget(this));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Bar%1Client").arg(bar.GetDlgCtrlID()));
    const CSize size = bar.GetDefaultSize();
    m_client->setFixedSize(size.cx, size.cy);
    m_client->installEventFilter(this);
    setWidget(m_client);
    setFixedSize(size.cx, size.cy);

    // Buttons follow their commands while the program idles.
    m_idle = new QTimer(this);
    connect(m_idle, &QTimer::timeout, this, [this] {
        if (!isHidden()) UpdateCommandStates();
    });
    m_idle->start(250);

    main.addDockWidget(Qt::LeftDockWidgetArea, this, Qt::Vertical);
    hide();
}

QtDialogBar::~QtDialogBar()
{
    for (auto& [control, widget] : m_widgets)
        if (auto* button = qobject_cast<QtBarButton*>(widget.data())) button->Detach();
}

QWidget* QtDialogBar::ControlWidget(UINT id) const
{
    for (const auto& [control, widget] : m_widgets)
        if (control->GetDlgCtrlID() == id) return widget.data();
    return nullptr;
}

void QtDialogBar::UpdateCommandStates() { m_bar.OnUpdateCmdUI(GetCommandRouter(), true); }

void QtDialogBar::MakeWidget(CBarCtrl& control)
{
    QWidget* widget = nullptr;
    if (control.GetKind() == CBarCtrl::Kind::Slider) {
        auto* slider = new QSlider(Qt::Vertical, m_client);
        // Its least position at the top, as rows scroll down.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        slider->setTickPosition(QSlider::NoTicks);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->setTracking(false);
        slider->setFocusPolicy(Qt::StrongFocus);
        auto* core = static_cast<CSliderCtrl*>(&control);
        connect(slider, &QAbstractSlider::actionTriggered, this,
                [this, core](int action) { SliderAction(core, action); });
        connect(slider, &QAbstractSlider::sliderReleased, this, [this, core] { SliderReleased(core); });
        // The wheel would move the thumb without a notification the bar
        // acts on, leaving it away from the shown rows.
        slider->installEventFilter(this);
        widget = slider;
    } else {
        auto& button = static_cast<CButton&>(control);
        auto* face = new QtBarButton(button, m_client);
        const UINT id = control.GetDlgCtrlID();
        connect(face, &QAbstractButton::clicked, this, [id] { PostCommand(id); });
        widget = face;
    }
    // The frame may give the tip when it is shown.
    widget->installEventFilter(this);
    widget->setObjectName(QStringLiteral("Control%1").arg(control.GetDlgCtrlID()));
    m_widgets[&control] = widget;
}

void QtDialogBar::ControlChanged(CBarCtrl& control)
{
    auto it = m_widgets.find(&control);
    if (it == m_widgets.end() || it->second == nullptr) {
        MakeWidget(control);
        it = m_widgets.find(&control);
    }
    QWidget* widget = it->second.data();
    widget->setGeometry(ToQRect(control.GetClientRectInBar()));
    widget->setEnabled(control.IsWindowEnabled());
    widget->setToolTip(control.GetToolTip());
    if (auto* slider = qobject_cast<QSlider*>(widget)) SyncSlider(static_cast<CSliderCtrl&>(control), slider);
    widget->show();
    widget->update();
}

void QtDialogBar::ControlDestroyed(CBarCtrl& control)
{
    auto it = m_widgets.find(&control);
    if (it == m_widgets.end()) return;
    QWidget* widget = it->second.data();
    m_widgets.erase(it);
    if (widget == nullptr) return;
    if (auto* button = qobject_cast<QtBarButton*>(widget)) button->Detach();
    // The widget may be the one whose click is being handled.
    widget->hide();
    widget->deleteLater();
}

void QtDialogBar::SyncSlider(CSliderCtrl& slider, QSlider* widget)
{
    const QSignalBlocker quiet(widget);
    widget->setRange(slider.GetRangeMin(), std::max(slider.GetRangeMin(), slider.GetRangeMax()));
    widget->setValue(slider.GetPos());
    widget->setSliderPosition(slider.GetPos());
}

void QtDialogBar::SliderAction(CSliderCtrl* slider, int action)
{
    QPointer<QSlider> widget = qobject_cast<QSlider*>(m_widgets[slider].data());
    if (widget == nullptr) return;
    const UINT code = ScrollCode(action);
    m_bar.OnVScroll(code, widget->sliderPosition(), slider);
    // While the thumb is dragged it follows the mouse; otherwise it shows
    // what the bar made of the move.
    if (code != TB_THUMBTRACK && widget != nullptr && slider->IsWindow()) SyncSlider(*slider, widget);
}

void QtDialogBar::SliderReleased(CSliderCtrl* slider)
{
    QPointer<QSlider> widget = qobject_cast<QSlider*>(m_widgets[slider].data());
    if (widget == nullptr) return;
    m_bar.OnVScroll(TB_THUMBPOSITION, widget->sliderPosition(), slider);
    if (widget != nullptr && slider->IsWindow()) m_bar.OnVScroll(TB_ENDTRACK, 0, slider);
    if (widget != nullptr && slider->IsWindow()) SyncSlider(*slider, widget);
}

bool QtDialogBar::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel over a slider steps it by lines, as the arrow keys do.
    if (event->type() == QEvent::Wheel) {
        CSliderCtrl* wheeled = nullptr;
        for (const auto& [control, widget] : m_widgets)
            if (widget != nullptr && widget.data() == watched && qobject_cast<QSlider*>(widget.data()) != nullptr)
                wheeled = static_cast<CSliderCtrl*>(control);
        if (wheeled != nullptr) {
            const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
            const int steps = delta.y() != 0 ? delta.y() : delta.x();
            if (steps != 0)
                SliderAction(wheeled, steps > 0 ? QAbstractSlider::SliderSingleStepSub
                                                : QAbstractSlider::SliderSingleStepAdd);
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        for (const auto& [control, widget] : m_widgets) {
            if (widget == nullptr || widget.data() != watched || m_bar.GetOwner() == nullptr) continue;
            QString tip;
            if (!m_bar.GetOwner()->OnToolTipNeedText(control->GetDlgCtrlID(), tip)) break;
            if (tip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget.data());
            }
            return true;
        }
    }
    // Context help over the bar's area (help events of its controls come
    // here when the controls leave them).
    if (watched == m_client) {
        if (event->type() == QEvent::QueryWhatsThis) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::WhatsThis) {
            event->accept();
            const QPoint at = static_cast<QHelpEvent*>(event)->pos();
            m_bar.OnContextHelp(CPoint(at.x(), at.y()));
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void QtDialogBar::DockLeft()
{
    m_rank = --g_lastRank;
    ArrangeLeftEdge();
}

void QtDialogBar::ArrangeLeftEdge()
{
    if (QLayout* layout = m_main.layout()) layout->activate();
    std::vector<QDockWidget*> others;
    std::vector<QtDialogBar*> bars;
    for (QDockWidget* dock : m_main.findChildren<QDockWidget*>()) {
        if (dock->isFloating() || dock->isHidden() || m_main.dockWidgetArea(dock) != Qt::LeftDockWidgetArea) continue;
        if (auto* bar = qobject_cast<QtDialogBar*>(dock)) {
            bars.push_back(bar);
        } else {
            others.push_back(dock);
        }
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const QDockWidget* a, const QDockWidget* b) { return a->y() < b->y(); });
    std::stable_sort(bars.begin(), bars.end(),
                     [](const QtDialogBar* a, const QtDialogBar* b) { return a->m_rank < b->m_rank; });
    QDockWidget* above = others.empty() ? nullptr : others.back();
    for (QtDialogBar* bar : bars) {
        if (above == nullptr) {
            m_main.removeDockWidget(bar);
            m_main.addDockWidget(Qt::LeftDockWidgetArea, bar, Qt::Vertical);
            bar->show();
        } else {
            m_main.splitDockWidget(above, bar, Qt::Vertical);
        }
        above = bar;
    }
    if (QLayout* layout = m_main.layout()) layout->activate();
}

// ---------------------------------------------------------------------------

QtDialogBarHost::~QtDialogBarHost() { delete m_bar.data(); }

void QtDialogBarHost::Show(bool show)
{
    if (m_bar != nullptr) m_bar->setVisible(show);
}

void QtDialogBarHost::DockLeft()
{
    if (m_bar != nullptr) m_bar->DockLeft();
}

CRect QtDialogBarHost::GetWindowRect() const
{
    if (m_bar == nullptr) return {};
    const QWidget* client = m_bar->Client();
    const QPoint at = client->mapToGlobal(QPoint(0, 0));
    return CRect(at.x(), at.y(), at.x() + client->width(), at.y() + client->height());
}

void QtDialogBarHost::ControlChanged(CBarCtrl& control)
{
    if (m_bar != nullptr) m_bar->ControlChanged(control);
}

void QtDialogBarHost::ControlDestroyed(CBarCtrl& control)
{
    if (m_bar != nullptr) m_bar->ControlDestroyed(control);
}
