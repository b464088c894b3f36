#include "platform/ui/QtDragDrop.h"

#include "platform/View.h"

#include <QCoreApplication>
#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include <memory>

DWORD QtDragDrop::DoDragDrop(ViewHost* source, const DataBlocks& blocks, DWORD allowedEffects)
{
    // The drag belongs to the view's widget; without one to the application.
    QObject* owner = dynamic_cast<QWidget*>(source);
    if (owner == nullptr) owner = QCoreApplication::instance();
    if (owner == nullptr) return DROPEFFECT_NONE;
    auto data = std::make_unique<QMimeData>();
    for (const auto& [format, bytes] : blocks) data->setData(format, bytes);
    QPointer<QDrag> drag = new QDrag(owner);
    // The drag owns the data from here on.
    drag->setMimeData(data.release());
    Qt::DropActions actions;
    if ((allowedEffects & DROPEFFECT_COPY) != 0) actions |= Qt::CopyAction;
    if ((allowedEffects & DROPEFFECT_MOVE) != 0) actions |= Qt::MoveAction;
    const Qt::DropAction done = drag->exec(actions, Qt::MoveAction);
    if (drag) drag->deleteLater();
    switch (done) {
    case Qt::MoveAction: return DROPEFFECT_MOVE;
    case Qt::CopyAction: return DROPEFFECT_COPY;
    default: return DROPEFFECT_NONE;
    }
}
