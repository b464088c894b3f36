#pragma once
// Drag and drop of byte blocks by format name, beside the clipboard
// (Clipboard.h), whose format names it shares. The side that starts a drag
// fills a data source and hands it to the drag service with the effects it
// allows; the service answers the effect the drop target took. A view that
// takes drops registers the formats it reads (CView::RegisterDropTarget) and
// gets the data as a data object. The application runs a drag of the desktop;
// the tests install a service that delivers the blocks to the view they name.
#include "platform/Types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class ViewHost;

// The effects of a drag: what the target does with the data.
constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;

using DataBlocks = std::vector<std::pair<QString, QByteArray>>;

class DragService {
public:
    virtual ~DragService() = default;
    // Runs a drag of the blocks that starts in the view's window and returns
    // when it ends: the effect the target took (one of the allowed ones), or
    // DROPEFFECT_NONE when nothing took the drop or the target refused it.
    virtual DWORD DoDragDrop(ViewHost* source, const DataBlocks& blocks, DWORD allowedEffects) = 0;
};

namespace dragdrop {

// The service every drag goes to; null leaves the program without drags
// (every drag ends with no effect).
void SetService(DragService* service);
DragService* GetService();

} // namespace dragdrop

// Blocks offered by a copy or a drag; a block of a format replaces the one
// cached before.
class COleDataSource {
public:
    void CacheData(const QString& format, const QByteArray& bytes);
    const DataBlocks& GetBlocks() const { return m_blocks; }
    bool IsEmpty() const { return m_blocks.empty(); }
    // Puts the blocks on the clipboard in place of all it held; false when
    // there is no clipboard.
    bool SetClipboard() const;
    // Drags the blocks from the view's window (see DragService).
    DWORD DoDragDrop(ViewHost* source, DWORD allowedEffects) const;

private:
    DataBlocks m_blocks;
};

// Blocks offered to a paste or a drop: the clipboard's, or those a drag
// carries.
class COleDataObject {
public:
    // Attached to nothing: nothing is available.
    COleDataObject() = default;
    // The blocks of a drag.
    explicit COleDataObject(DataBlocks blocks) : m_blocks(std::move(blocks)) {}
    // From now on the clipboard's blocks.
    void AttachClipboard() { m_bClipboard = true; }
    bool IsDataAvailable(const QString& format) const;
    // The block of the format, or nothing when none is offered.
    std::optional<QByteArray> GetData(const QString& format) const;

private:
    DataBlocks m_blocks;
    bool m_bClipboard = false;
};
