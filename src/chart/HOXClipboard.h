#pragma once
// The two ways drawing objects leave and enter chart windows as bytes: the
// "TRNWK_HOX" block that Cut and Copy put on the clipboard and Paste reads,
// and the "HOX_DRAG_FORMAT" stream that a drag between chart windows carries.
// Both hold complete copies of the objects in the archive form of the
// document file; reading makes new objects. Neither knows the views, so the
// monitor view reads and writes the same block.
//
// A block may come from another running copy of the program or from anything
// else that writes the format: reading trusts nothing and throws ArchiveError
// for a damaged one, leaving no object behind.
#include "platform/Object.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CArchive;
class CHOXDoc;
class CHOXDrawObj;
class COleDataObject;
class COleDataSource;

using DrawObjList = std::vector<std::unique_ptr<CHOXDrawObj>>;

class CHOXClipboard : public CObject {
public:
    // The format word at the head of every "TRNWK_HOX" block.
    static constexpr std::uint32_t kFormatWord = 101;

    // The document is attached to every archive the transfer writes or reads
    // (null: none).
    explicit CHOXClipboard(CHOXDoc* doc) : m_pDocument(doc) {}

    // The formats by the names the program gives them.
    static QString ChartFormat();
    static QString DragFormat();

    // Both write only the objects that are transferable (IsTransferable),
    // and reading drops any other.
    //
    // The drag stream: the count of the list (32 bits), then every object
    // with its class. Offered to the data source under the format; false
    // when nothing could be written.
    bool WriteObjects(const std::vector<CHOXDrawObj*>& list, COleDataSource& source, const QString& format);
    // Reads the stream of the format and appends to the list every object
    // that the filter lets into the document's charts; those it keeps out go
    // to `filtered` when given. False when the data offers no such stream;
    // throws ArchiveError when it is damaged (the list is left as it was).
    bool ReadObjects(DrawObjList& list, const COleDataObject& data, const QString& format,
                     DrawObjList* filtered = nullptr);
    static bool IsFormatAvailable(const COleDataObject& data, const QString& format);
    // Whether a dragged object may enter a chart of a document of the
    // controller type: a START only on an axis the type runs (the subtask's
    // always), interpolation symbols only where the type interpolates.
    static bool PassesDragFilter(const CHOXDrawObj* object, std::int32_t controllerType);

    // The "TRNWK_HOX" block: the format word, the running copy that wrote
    // it, the count in the archive's form and the objects in order, written
    // without a document (they are copies for anyone to read). Throws
    // ArchiveError for an object that cannot be written.
    QByteArray WriteBlock(std::uint32_t sourceInstance, const std::vector<CHOXDrawObj*>& objects) const;
    struct Block {
        std::uint32_t formatWord = 0;
        std::uint32_t sourceInstance = 0;
        DrawObjList objects;
    };
    // Reads a block; throws ArchiveError when it is damaged.
    Block ReadBlock(const QByteArray& bytes) const;

private:
    // The objects of an archive: `count` drawing objects, each read whole or
    // not at all.
    DrawObjList ReadList(CArchive& ar, std::uint32_t count) const;

    CHOXDoc* m_pDocument;
};
