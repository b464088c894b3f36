#include "platform/CompoundFile.h"

#include "platform/SafeFile.h"

#include <QFile>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

const char kContentsName[] = "Contents";
const char kSignature[] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};
constexpr qsizetype kHeaderSize = 512;
// No document of this program nests storages anywhere near this deep; a file
// that does is damaged, and following it would only exhaust the stack.
constexpr int kMaxDepth = 100;
// Longest entry name the directory can hold, in UTF-16 code units.
constexpr qsizetype kMaxNameUnits = 31;
// A directory entry holds a stream's size in 32 bits.
constexpr qsizetype kMaxStreamSize = std::numeric_limits<std::uint32_t>::max();
constexpr qsizetype kChunk = qsizetype(1) << 20;

// libgsf gets past some damage with a warning and goes on without the
// entries concerned (a stream larger than the file, a broken directory link):
// a save would then drop them without a word. What it reports while this
// thread reads or writes a file is collected, and counts as a failure.
thread_local QStringList* t_gsfComplaints = nullptr;

void OnGsfLog(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer)
{
    if (t_gsfComplaints && (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING))) {
        t_gsfComplaints->append(QString::fromUtf8(message).trimmed());
        return;
    }
    g_log_default_handler(domain, level, message, nullptr);
}

class GsfComplaints {
public:
    GsfComplaints() : m_outer(t_gsfComplaints) { t_gsfComplaints = &m_list; }
    ~GsfComplaints() { t_gsfComplaints = m_outer; }
    GsfComplaints(const GsfComplaints&) = delete;
    GsfComplaints& operator=(const GsfComplaints&) = delete;
    bool Any() const { return !m_list.isEmpty(); }
    QString First() const { return m_list.value(0); }

private:
    QStringList m_list;
    QStringList* m_outer;
};

void EnsureGsf()
{
    static const bool initialised = [] {
        gsf_init();
        const auto levels = GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
        g_log_set_handler("libgsf:msole", levels, OnGsfLog, nullptr);
        g_log_set_handler("libgsf", levels, OnGsfLog, nullptr);
        // Parts of libgsf log without a domain (a directory entry it cannot
        // open, say); outside this file's reads and writes such messages go
        // on to GLib's default handler as before.
        g_log_set_handler(nullptr, levels, OnGsfLog, nullptr);
        return true;
    }();
    (void)initialised;
}

struct GObjectUnref {
    void operator()(gpointer object) const
    {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const
    {
        if (error) g_error_free(error);
    }
};

void SetError(QString* error, const QString& text)
{
    if (error) *error = text;
}

// Entry names such as "\001Ole" start with control characters; show those as
// codes so a message stays readable.
QString Printable(const QString& name)
{
    QString out;
    for (QChar c : name) {
        if (c.unicode() < 0x20)
            out += QStringLiteral("\\%1").arg(c.unicode(), 3, 8, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString Join(const QString& parent, const QString& name)
{
    return parent.isEmpty() ? Printable(name) : parent + QLatin1Char('/') + Printable(name);
}

// A document's directory holds a handful of entries; libgsf walks a
// storage's entries with one stack frame each and slows down with their
// square, so a file with many thousands would exhaust the stack or hang.
constexpr qint64 kMaxDirectoryEntries = 4096;
constexpr quint32 kMaxRegularSector = 0xFFFFFFFA;
constexpr quint32 kNoEntry = 0xFFFFFFFF;
constexpr qsizetype kDirectoryEntrySize = 128;
constexpr qsizetype kEntryTypeOffset = 66;

// The compound file's own structures, read without trusting them: a value
// that leads outside the file ends the reading.
class RawLayout {
public:
    explicit RawLayout(const QByteArray& bytes) : m_bytes(bytes) {}

    // The directory entries in use, counted until the count passes the
    // limit; -1 when the header or the directory's chain cannot be
    // followed (libgsf then says what is wrong).
    qint64 CountDirectoryEntries(qint64 limit)
    {
        const std::optional<quint32> shift = U16(0x1E);
        if (!shift || (*shift != 9 && *shift != 12)) return -1;
        m_sector = qsizetype(1) << *shift;
        if (!ReadFatLocations()) return -1;
        qint64 used = 0;
        std::optional<quint32> sector = U32(0x30);
        for (qsizetype steps = 0; sector && *sector <= kMaxRegularSector; ++steps) {
            const qsizetype at = Offset(*sector);
            // More steps than the file has sectors: the chain runs in a loop.
            if (steps > m_bytes.size() / m_sector || at + m_sector > m_bytes.size()) return -1;
            for (qsizetype e = 0; e < m_sector; e += kDirectoryEntrySize)
                if (m_bytes[at + e + kEntryTypeOffset] != 0) ++used;
            if (used > limit) return used;
            sector = Next(*sector);
        }
        return sector ? used : -1;
    }

    // A root entry stands alone: a sibling of it is damage that libgsf reads
    // into entries it never frees.
    bool RootHasSiblings() const
    {
        const std::optional<quint32> shift = U16(0x1E);
        const std::optional<quint32> first = U32(0x30);
        if (!shift || !first || (*shift != 9 && *shift != 12) || *first > kMaxRegularSector) return false;
        const qsizetype root = (qsizetype(*first) + 1) << *shift;
        const std::optional<quint32> left = U32(root + 68);
        const std::optional<quint32> right = U32(root + 72);
        return (left && *left != kNoEntry) || (right && *right != kNoEntry);
    }

private:
    bool ReadFatLocations()
    {
        const std::optional<quint32> count = U32(0x2C);
        if (!count) return false;
        for (qsizetype i = 0; i < 109 && qsizetype(m_fat.size()) < *count; ++i) m_fat.push_back(*U32(0x4C + 4 * i));
        std::optional<quint32> difat = U32(0x44);
        for (qsizetype steps = 0; qsizetype(m_fat.size()) < *count && difat && *difat <= kMaxRegularSector; ++steps) {
            const qsizetype at = Offset(*difat);
            if (steps > m_bytes.size() / m_sector || at + m_sector > m_bytes.size()) return false;
            for (qsizetype j = 0; j + 4 < m_sector && qsizetype(m_fat.size()) < *count; j += 4)
                m_fat.push_back(*U32(at + j));
            difat = U32(at + m_sector - 4);
        }
        return true;
    }

    std::optional<quint32> Next(quint32 sector) const
    {
        const qsizetype perSector = m_sector / 4;
        const qsizetype index = qsizetype(sector) / perSector;
        if (index >= qsizetype(m_fat.size())) return std::nullopt;
        return U32(Offset(m_fat[std::size_t(index)]) + (qsizetype(sector) % perSector) * 4);
    }

    // The header fills the first sector; sector n follows it.
    qsizetype Offset(quint32 sector) const { return (qsizetype(sector) + 1) * m_sector; }

    std::optional<quint32> U16(qsizetype at) const
    {
        if (at < 0 || at + 2 > m_bytes.size()) return std::nullopt;
        return quint32(quint8(m_bytes[at])) | quint32(quint8(m_bytes[at + 1])) << 8;
    }
    std::optional<quint32> U32(qsizetype at) const
    {
        if (at < 0 || at + 4 > m_bytes.size()) return std::nullopt;
        return *U16(at) | *U16(at + 2) << 16;
    }

    const QByteArray& m_bytes;
    qsizetype m_sector = 512;
    std::vector<quint32> m_fat;
};

class Reader {
public:
    explicit Reader(qsizetype fileSize) : m_fileSize(fileSize) {}

    // Reads every entry of the storage into *out. False with *why set when an
    // entry cannot be read.
    bool ReadStorage(GsfInfile* storage, const QString& where, int depth, std::vector<CompoundFile::Entry>* out,
                     QString* why)
    {
        if (depth > kMaxDepth) {
            *why = QStringLiteral("storages nested more than %1 deep at \"%2\"").arg(kMaxDepth).arg(where);
            return false;
        }
        const int count = gsf_infile_num_children(storage);
        for (int i = 0; i < count; ++i) {
            GPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
            const char* rawName = child ? gsf_input_name(child.get()) : gsf_infile_name_by_index(storage, i);
            CompoundFile::Entry entry;
            entry.name = QString::fromUtf8(rawName ? rawName : "");
            const QString path = Join(where, entry.name);
            if (!child) {
                *why = QStringLiteral("cannot read \"%1\"").arg(path);
                return false;
            }
            // libgsf gives an empty name for one it cannot decode, and cuts a
            // longer one when writing: either way a save would change it.
            const qsizetype units = entry.name.size();
            if (units == 0 || units > kMaxNameUnits) {
                *why = QStringLiteral("an entry of \"%1\" has an unreadable name")
                           .arg(where.isEmpty() ? QStringLiteral("/") : where);
                return false;
            }
            GsfInfile* asStorage = GSF_IS_INFILE(child.get()) ? GSF_INFILE(child.get()) : nullptr;
            if (asStorage && gsf_infile_num_children(asStorage) >= 0) {
                entry.isStorage = true;
                if (GSF_IS_INFILE_MSOLE(child.get()) &&
                    !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(child.get()), entry.classId.data())) {
                    *why = QStringLiteral("cannot read the class id of \"%1\"").arg(path);
                    return false;
                }
                if (!ReadStorage(asStorage, path, depth + 1, &entry.children, why)) return false;
            } else if (!ReadStream(child.get(), path, &entry.data, why)) {
                return false;
            }
            out->push_back(std::move(entry));
        }
        return true;
    }

private:
    bool ReadStream(GsfInput* stream, const QString& path, QByteArray* data, QString* why)
    {
        const gsf_off_t size = gsf_input_size(stream);
        // Streams never share space, so all of them together fit in the file;
        // a directory that says otherwise is damaged.
        if (size < 0 || size > m_fileSize - m_streamBytes) {
            *why = QStringLiteral("\"%1\" (%2 bytes) and the streams before it claim more than the file "
                                  "holds (%3 bytes)")
                       .arg(path)
                       .arg(size)
                       .arg(m_fileSize);
            return false;
        }
        m_streamBytes += size;
        data->resize(static_cast<qsizetype>(size));
        for (qsizetype done = 0; done < size;) {
            const qsizetype n = std::min<qsizetype>(kChunk, size - done);
            if (!gsf_input_read(stream, static_cast<size_t>(n), reinterpret_cast<guint8*>(data->data() + done))) {
                *why = QStringLiteral("cannot read \"%1\" at offset %2").arg(path).arg(done);
                return false;
            }
            done += n;
        }
        return true;
    }

    qsizetype m_fileSize;
    qsizetype m_streamBytes = 0;
};

bool WriteStream(GsfOutfile* parent, const QString& name, const QByteArray& data)
{
    const QByteArray utf8 = name.toUtf8();
    GPtr<GsfOutput> out(gsf_outfile_new_child(parent, utf8.constData(), FALSE));
    if (!out) return false;
    bool ok = true;
    for (qsizetype done = 0; ok && done < data.size(); done += kChunk) {
        const qsizetype n = std::min(kChunk, data.size() - done);
        ok = gsf_output_write(out.get(), static_cast<size_t>(n),
                              reinterpret_cast<const guint8*>(data.constData() + done));
    }
    // Closed even after a failed write: libgsf needs every child closed.
    return gsf_output_close(out.get()) && ok;
}

bool WriteEntries(GsfOutfile* parent, const std::vector<CompoundFile::Entry>& entries)
{
    for (const CompoundFile::Entry& entry : entries) {
        if (!entry.isStorage) {
            if (!WriteStream(parent, entry.name, entry.data)) return false;
            continue;
        }
        const QByteArray utf8 = entry.name.toUtf8();
        GPtr<GsfOutput> child(gsf_outfile_new_child(parent, utf8.constData(), TRUE));
        if (!child) return false;
        bool ok = gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(child.get()), entry.classId.data()) &&
                  WriteEntries(GSF_OUTFILE(child.get()), entry.children);
        ok = gsf_output_close(child.get()) && ok;
        if (!ok) return false;
    }
    return true;
}

} // namespace

QStringList CompoundFile::CarriedNames() const
{
    QStringList names;
    for (const Entry& entry : m_carried) names.append(entry.name);
    return names;
}

namespace {
bool SameName(const CompoundFile::Entry& entry, const QString& name)
{
    return entry.name.compare(name, Qt::CaseInsensitive) == 0;
}
} // namespace

const CompoundFile::Entry* CompoundFile::FindCarried(const QString& name) const
{
    const auto it = std::find_if(m_carried.begin(), m_carried.end(), [&](const Entry& e) { return SameName(e, name); });
    return it != m_carried.end() ? &*it : nullptr;
}

bool CompoundFile::Carry(Entry entry)
{
    if (SameName(entry, QLatin1String(kContentsName))) return false;
    const auto it =
        std::find_if(m_carried.begin(), m_carried.end(), [&](const Entry& e) { return SameName(e, entry.name); });
    if (it != m_carried.end()) {
        *it = std::move(entry);
    } else {
        m_carried.push_back(std::move(entry));
    }
    return true;
}

bool CompoundFile::DropCarried(const QString& name)
{
    return std::erase_if(m_carried, [&](const Entry& e) { return SameName(e, name); }) != 0;
}

std::optional<CompoundFile> CompoundFile::Open(const QString& path, QString* error)
{
    EnsureGsf();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    // A device or pipe might never end; a document is always a plain file.
    if (file.isSequential()) {
        SetError(error, QStringLiteral("cannot open %1: not a regular file").arg(path));
        return std::nullopt;
    }
    // Read whole: the entries are kept in memory anyway, and the file may be
    // replaced by a save while this document is open.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        SetError(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    file.close();
    // Told apart here rather than from libgsf's message, which may be
    // translated: anything that does not start like a compound file is some
    // other kind of file, not a damaged document.
    if (!bytes.startsWith(QByteArray::fromRawData(kSignature, sizeof kSignature)) || bytes.size() < kHeaderSize) {
        SetError(error, QStringLiteral("%1 is not a document file (not a compound file)").arg(path));
        return std::nullopt;
    }

    if (RawLayout(bytes).RootHasSiblings()) {
        SetError(error, QStringLiteral("%1 is damaged (its root entry has siblings)").arg(path));
        return std::nullopt;
    }
    if (RawLayout(bytes).CountDirectoryEntries(kMaxDirectoryEntries) > kMaxDirectoryEntries) {
        SetError(error, QStringLiteral("%1 is not a document file (its directory holds more than %2 entries)")
                            .arg(path)
                            .arg(kMaxDirectoryEntries));
        return std::nullopt;
    }

    CompoundFile result;
    std::vector<Entry> entries;
    {
        GsfComplaints complaints;
        GPtr<GsfInput> input(
            gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.constData()), bytes.size(), FALSE));
        GError* rawError = nullptr;
        GPtr<GsfInfile> root(input ? gsf_infile_msole_new(input.get(), &rawError) : nullptr);
        std::unique_ptr<GError, GErrorFree> gsfError(rawError);
        if (!root) {
            const QString reason = gsfError ? QString::fromUtf8(gsfError->message) : QStringLiteral("unknown error");
            SetError(error, QStringLiteral("%1 is damaged (%2)").arg(path, reason));
            return std::nullopt;
        }
        if (!gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(root.get()), result.m_rootClassId.data())) {
            SetError(error, QStringLiteral("%1 is damaged (cannot read its class id)").arg(path));
            return std::nullopt;
        }
        QString why;
        Reader reader(bytes.size());
        if (!reader.ReadStorage(root.get(), QString(), 0, &entries, &why)) {
            SetError(error, QStringLiteral("%1 is damaged (%2)").arg(path, why));
            return std::nullopt;
        }
        if (complaints.Any()) {
            SetError(error, QStringLiteral("%1 is damaged (%2)").arg(path, complaints.First()));
            return std::nullopt;
        }
    }

    // Names in a compound file compare without regard to case.
    auto isContents = [](const Entry& e) {
        return e.name.compare(QLatin1String(kContentsName), Qt::CaseInsensitive) == 0;
    };
    const auto contents = std::find_if(entries.begin(), entries.end(), isContents);
    if (contents == entries.end()) {
        SetError(error, QStringLiteral("%1 has no \"Contents\" stream").arg(path));
        return std::nullopt;
    }
    if (std::count_if(entries.begin(), entries.end(), isContents) > 1) {
        SetError(error, QStringLiteral("%1 is damaged (it has more than one \"Contents\")").arg(path));
        return std::nullopt;
    }
    if (contents->isStorage) {
        SetError(error, QStringLiteral("%1 is damaged (its \"Contents\" is a storage, not a stream)").arg(path));
        return std::nullopt;
    }
    result.m_contents = std::move(contents->data);
    entries.erase(contents);
    result.m_carried = std::move(entries);
    return result;
}

bool CompoundFile::Save(const QString& path, QString* error) const
{
    EnsureGsf();
    if (m_contents.size() > kMaxStreamSize) {
        SetError(error, QStringLiteral("cannot save %1: the document is too large (%2 bytes)")
                            .arg(path)
                            .arg(m_contents.size()));
        return false;
    }

    // The whole file is made in memory first, so nothing touches the disk
    // until it is complete.
    GsfComplaints complaints;
    GPtr<GsfOutput> sink(gsf_output_memory_new());
    bool built = false;
    if (sink) {
        GPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
        if (root) {
            built = gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), m_rootClassId.data()) &&
                    WriteStream(root.get(), QString::fromLatin1(kContentsName), m_contents) &&
                    WriteEntries(root.get(), m_carried);
            built = gsf_output_close(GSF_OUTPUT(root.get())) && built;
        }
    }
    built = built && !complaints.Any();
    const guint8* image = built ? gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get())) : nullptr;
    const gsf_off_t imageSize = built ? gsf_output_size(sink.get()) : -1;
    if (!image || imageSize <= 0) {
        SetError(error, QStringLiteral("cannot save %1: the compound file could not be built%2")
                            .arg(path, complaints.Any() ? QStringLiteral(" (") + complaints.First() + QLatin1Char(')')
                                                        : QString()));
        return false;
    }

    QString why;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(image), imageSize);
    if (!safefile::Write(path, bytes, &why)) {
        SetError(error, QStringLiteral("cannot write %1: %2").arg(path, why));
        return false;
    }
    return true;
}
