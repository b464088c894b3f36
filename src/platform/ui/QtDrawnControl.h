#pragma once
// The widget that hosts a control the program draws itself (see
// platform/DrawnControl.h) in a rendered dialog: a bordered area on white
// with a vertical scroll bar while the control's range has room. It paints
// the control through a CDC at every paint and tells it of focus changes and
// of the left mouse button; it takes no other part in mouse input, opens no
// context menu and shows no caret. Register it for a template kind with
// QtDialogSite::RegisterKind(kind, QtDrawnControl::Create).
#include "platform/DrawnControl.h"

#include <QAbstractScrollArea>

struct ControlTemplate;

class QtDrawnControl : public QAbstractScrollArea, public DrawnControlHost {
    Q_OBJECT
public:
    explicit QtDrawnControl(QWidget* parent);
    ~QtDrawnControl() override;
    // The factory for QtDialogSite::RegisterKind.
    static QWidget* Create(const ControlTemplate& c, QWidget* parent);

    void Attach(CDrawnControl* control);
    CDrawnControl* Control() const { return m_control; }

    // DrawnControlHost
    void Invalidate() override;
    CRect GetClientRect() const override;
    bool HasFocus() const override;
    void ScrollChanged() override;
    void Release(CDrawnControl* control) override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CDrawnControl* m_control = nullptr;
    int m_syncing = 0; // set while the scroll bar follows the control
};
