#pragma once
// The document file on disk: a compound file (structured storage) whose root
// stream "Contents" holds the document's archive. Whatever else a file holds
// (storages of embedded items with their own streams) is read into memory and
// written back unchanged, so a save never loses what this program does not
// understand, even when it replaces the very file it was opened from.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class CompoundFile {
public:
    using ClassId = std::array<std::uint8_t, 16>;

    // A storage or stream carried from an opened file.
    struct Entry {
        QString name;
        bool isStorage = false;
        QByteArray data;              // a stream's bytes
        ClassId classId{};            // a storage's class id
        std::vector<Entry> children;  // a storage's entries, in the order read
        bool operator==(const Entry&) const = default;
    };

    // Reads the whole file. Null with *error set (if given) when the file
    // cannot be read, is not a compound file, is damaged, or has no "Contents"
    // stream.
    static std::optional<CompoundFile> Open(const QString& path, QString* error);

    // An empty file, for a new document.
    CompoundFile() = default;

    const QByteArray& Contents() const { return m_contents; }
    void SetContents(QByteArray bytes) { m_contents = std::move(bytes); }

    // The root storage's class id (all zero for a new document).
    const ClassId& RootClassId() const { return m_rootClassId; }
    void SetRootClassId(const ClassId& id) { m_rootClassId = id; }

    // The root's entries other than "Contents", in the order they were read.
    const std::vector<Entry>& Carried() const { return m_carried; }
    QStringList CarriedNames() const;
    // The root's entry of that name (names compare without regard to case,
    // as the file's directory does), or null.
    const Entry* FindCarried(const QString& name) const;
    // Adds the entry at the end, or puts it in place of the one of its name;
    // false for the name "Contents", which only SetContents fills.
    bool Carry(Entry entry);
    // Leaves the entry of that name out of every later save; false when
    // there is none.
    bool DropCarried(const QString& name);

    // Writes the complete file to a temporary file beside `path` and renames
    // it into place, so the file at `path` is either the old one or the new
    // one, whatever fails. False with *error set (if given) on failure.
    bool Save(const QString& path, QString* error) const;

private:
    QByteArray m_contents;
    ClassId m_rootClassId{};
    std::vector<Entry> m_carried;
};
