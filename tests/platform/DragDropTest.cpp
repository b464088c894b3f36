// The drag service and the data a copy or a drag offers: blocks by format,
// the clipboard behind a data object, the effects a drag may end with; and
// the view widget, which takes drags of the formats its view registered and
// hands them to the view with the keys held.
#include "platform/DragDrop.h"
#include "platform/Clipboard.h"
#include "platform/ui/QtViewWidget.h"
#include "support/MemoryViewHost.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

const QString kFormat = QStringLiteral("application/x-kinetrace-test-drag");

// Answers every drag with the effect it is told.
class FixedDrag : public DragService {
public:
    explicit FixedDrag(DWORD effect) : m_effect(effect), m_previous(dragdrop::GetService())
    {
        dragdrop::SetService(this);
    }
    ~FixedDrag() override { dragdrop::SetService(m_previous); }
    FixedDrag(const FixedDrag&) = delete;
    FixedDrag& operator=(const FixedDrag&) = delete;
    DWORD DoDragDrop(ViewHost* source, const DataBlocks& blocks, DWORD allowedEffects) override
    {
        lastSource = source;
        lastBlocks = blocks;
        return m_effect;
    }
    ViewHost* lastSource = nullptr;
    DataBlocks lastBlocks;

private:
    DWORD m_effect;
    DragService* m_previous;
};

// A view that records the drags it is handed and answers as told.
class DropView : public CView {
public:
    DWORD OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override
    {
        calls.push_back(QStringLiteral("enter %1 %2,%3 %4").arg(keyState).arg(point.x).arg(point.y).arg(Block(data)));
        return enterEffect;
    }
    DWORD OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override
    {
        calls.push_back(QStringLiteral("over %1 %2,%3 %4").arg(keyState).arg(point.x).arg(point.y).arg(Block(data)));
        return overEffect;
    }
    void OnDragLeave() override { calls.push_back(QStringLiteral("leave")); }
    bool OnDrop(COleDataObject* data, DWORD effect, CPoint point) override
    {
        calls.push_back(QStringLiteral("drop %1 %2,%3 %4").arg(effect).arg(point.x).arg(point.y).arg(Block(data)));
        return takes;
    }
    static QString Block(const COleDataObject* data)
    {
        return QString::fromLatin1(data->GetData(kFormat).value_or(QByteArray("-")));
    }

    DWORD enterEffect = DROPEFFECT_MOVE;
    DWORD overEffect = DROPEFFECT_MOVE;
    bool takes = true;
    QStringList calls;
};

} // namespace

TEST(DragDrop, ADataSourceHoldsOneBlockPerFormatInOrder)
{
    COleDataSource source;
    EXPECT_TRUE(source.IsEmpty());
    source.CacheData(QStringLiteral("a"), "1");
    source.CacheData(QStringLiteral("b"), "2");
    source.CacheData(QStringLiteral("a"), "3");
    ASSERT_EQ(source.GetBlocks().size(), 2u);
    EXPECT_EQ(source.GetBlocks()[0], (std::pair<QString, QByteArray>(QStringLiteral("a"), "3")));
    EXPECT_EQ(source.GetBlocks()[1], (std::pair<QString, QByteArray>(QStringLiteral("b"), "2")));

    // On the clipboard, and read back through a data object attached to it.
    ASSERT_TRUE(source.SetClipboard());
    COleDataObject clip;
    EXPECT_FALSE(clip.IsDataAvailable(QStringLiteral("a")));
    clip.AttachClipboard();
    EXPECT_TRUE(clip.IsDataAvailable(QStringLiteral("a")));
    EXPECT_EQ(clip.GetData(QStringLiteral("b")), QByteArray("2"));
    EXPECT_FALSE(clip.GetData(QStringLiteral("c")));

    const COleDataObject dragged(source.GetBlocks());
    EXPECT_TRUE(dragged.IsDataAvailable(QStringLiteral("b")));
    EXPECT_EQ(dragged.GetData(QStringLiteral("a")), QByteArray("3"));
    EXPECT_FALSE(dragged.IsDataAvailable(QStringLiteral("c")));
}

TEST(DragDrop, ADragEndsWithAnAllowedEffectOrNone)
{
    COleDataSource source;
    source.CacheData(kFormat, "x");
    kt::test::MemoryViewHost host;
    // Without a service nothing takes a drag.
    EXPECT_EQ(source.DoDragDrop(&host, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_NONE);
    {
        FixedDrag service(DROPEFFECT_MOVE);
        EXPECT_EQ(source.DoDragDrop(&host, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
        EXPECT_EQ(service.lastSource, &host);
        EXPECT_EQ(service.lastBlocks, source.GetBlocks());
        // A target may not move what the source only lets it copy.
        EXPECT_EQ(source.DoDragDrop(&host, DROPEFFECT_COPY), DROPEFFECT_NONE);
    }
    EXPECT_EQ(dragdrop::GetService(), nullptr);
}

TEST(DragDrop, AViewTellsItsHostTheFormatsItTakes)
{
    CView view;
    struct Host : kt::test::MemoryViewHost {
        void SetDropFormats(const QStringList& formats) override { told = formats; }
        QStringList told;
    } first, later;
    view.SetHost(&first);
    view.RegisterDropTarget({kFormat});
    EXPECT_EQ(first.told, QStringList{kFormat});
    EXPECT_EQ(view.GetDropFormats(), QStringList{kFormat});
    view.SetHost(&later);
    EXPECT_EQ(later.told, QStringList{kFormat});
    // The base view takes nothing.
    COleDataObject data({{kFormat, "x"}});
    EXPECT_EQ(view.OnDragOver(&data, 0, CPoint()), DROPEFFECT_NONE);
    EXPECT_FALSE(view.OnDrop(&data, DROPEFFECT_MOVE, CPoint()));
}

TEST(DragDrop, TheViewWidgetHandsDragsOfItsFormatsToTheView)
{
    DropView view;
    QtViewWidget widget(&view);
    widget.resize(300, 200);
    QWidget* area = widget.viewport();
    EXPECT_FALSE(area->acceptDrops());
    view.RegisterDropTarget({kFormat});
    EXPECT_TRUE(area->acceptDrops());

    QMimeData ours;
    ours.setData(kFormat, "block");
    ours.setData(QStringLiteral("text/plain"), "other");
    QMimeData foreign;
    foreign.setText(QStringLiteral("text only"));

    // Enter and move with Ctrl held: the view answers a copy.
    view.enterEffect = DROPEFFECT_COPY;
    view.overEffect = DROPEFFECT_COPY;
    QDragEnterEvent enter(QPoint(10, 20), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(area, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent move(QPoint(30, 40), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(area, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);

    // Where the view answers no effect the drag may not fall.
    view.overEffect = DROPEFFECT_NONE;
    QDragMoveEvent nowhere(QPoint(31, 41), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &nowhere);
    EXPECT_FALSE(nowhere.isAccepted());

    // A drop the view takes, and one it refuses.
    QDropEvent drop(QPointF(50, 60), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(area, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
    // Each drag enters anew: a drop the view refuses, then one that leaves.
    view.takes = false;
    QDragEnterEvent again(QPoint(5, 6), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &again);
    QDropEvent refused(QPointF(5, 6), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
    refused.setDropAction(Qt::CopyAction);
    QCoreApplication::sendEvent(area, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDragEnterEvent last(QPoint(7, 8), Qt::CopyAction | Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &last);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(area, &leave);

    // Drags of other formats never reach the view.
    QDragEnterEvent other(QPoint(1, 1), Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &other);
    EXPECT_FALSE(other.isAccepted());

    const QStringList expected = {
        QStringLiteral("enter 9 10,20 block"), QStringLiteral("over 9 30,40 block"),
        QStringLiteral("over 1 31,41 block"),  QStringLiteral("drop 2 50,60 block"),
        QStringLiteral("enter 1 5,6 block"),   QStringLiteral("drop 1 5,6 block"),
        QStringLiteral("enter 1 7,8 block"),   QStringLiteral("leave"),
    };
    EXPECT_EQ(view.calls, expected);
    view.SetHost(nullptr);
}
