#include "FuzzSupport.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "platform/Archive.h"
#include "platform/Clipboard.h"
#include "platform/Dialog.h"
#include "platform/FrameWnd.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "platform/ui/QtFrameWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kt::fuzz {

namespace {

// Nobody is there to answer: every box takes its default button, silently
// (the fallback would print each of the many refusals).
class DefaultAnswers : public MessageHandler {
public:
    int Show(const QString&, UINT style, const QString&) override { return DefaultMessageResult(style); }
};

// Nobody is there to fill a dialog in either: every modal one is cancelled
// and no modeless one (a progress window) is shown.
class NoDialogs : public DialogRunner {
public:
    int RunModal(CDialog&) override { return IDCANCEL; }
};

// The clipboard of this process alone: what a target offers, it pastes.
class MemoryClipboard : public ClipboardService {
public:
    void Offer(const std::vector<std::pair<QString, QByteArray>>& blocks) override { m_blocks = blocks; }
    bool IsAvailable(const QString& format) const override { return Take(format).has_value(); }
    std::optional<QByteArray> Take(const QString& format) const override
    {
        for (const auto& [name, bytes] : m_blocks)
            if (name == format) return bytes;
        return std::nullopt;
    }

private:
    std::vector<std::pair<QString, QByteArray>> m_blocks;
};

DefaultAnswers g_answers;
NoDialogs g_dialogs;
MemoryClipboard g_clipboard;
std::unique_ptr<QTemporaryDir> g_scratch;
// Never destroyed: the process ends with it (libFuzzer exits from inside
// its loop, after which tearing Qt down would gain nothing).
QApplication* g_app = nullptr;
int g_argc = 1;
char* g_argv[] = {nullptr, nullptr};

QString ScratchBase()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) return shm.absoluteFilePath();
    return QDir::tempPath();
}

} // namespace

void Initialise(const char* program)
{
    if (g_app) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // GLib (under Qt's event loops) keeps freed blocks in caches of its own
    // per thread; a thread that ends with an input (a port's) leaves them
    // behind, and the leak check of the input counts them.
    qputenv("G_SLICE", "always-malloc");
    g_argv[0] = const_cast<char*>(program);
    g_app = new QApplication(g_argc, g_argv);
    g_scratch = std::make_unique<QTemporaryDir>(ScratchBase() + QStringLiteral("/kinetrace-fuzz-XXXXXX"));
    if (!g_scratch->isValid()) Fail("cannot make a scratch folder", g_scratch->errorString());
    SetSettingsFilePath(g_scratch->filePath(QStringLiteral("Kinetrace.ini")));
    // The program registers its document type with the desktop: here, not
    // in the home folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(g_scratch->filePath(QStringLiteral("data"))));
    SetMessageHandler(&g_answers);
    SetDialogRunner(&g_dialogs);
    clipboard::SetService(&g_clipboard);
}

CHOXApp& StartProgram()
{
    // Never destroyed, as the application above.
    static CHOXApp* app = [] {
        static QtWindowFactory windows;
        SetWindowFactory(&windows);
        auto* started = new CHOXApp;
        started->SetCommandLine({});
        // Every new window's icon is scaled into the pixmap cache under a
        // key of its own, and the cache keeps the key even when it is
        // emptied: with each input the keys grow, and the leak check takes
        // the growth for leaks. Nothing is cached, nothing grows.
        QPixmapCache::setCacheLimit(0);
        if (!started->InitInstance()) Fail("the program does not start");
        return started;
    }();
    return *app;
}

void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QByteArray SeedFile(const char* relativePath)
{
    const QString path = QStringLiteral(KT_FUZZ_SEEDS "/") + QString::fromLatin1(relativePath);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) Fail("a seed file is missing (scripts/fuzz.sh --seeds writes it)", path);
    return file.readAll();
}

QString ScratchPath(const char* name) { return g_scratch->filePath(QString::fromLatin1(name)); }

void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "\n*** %s%s%s\n", what, detail.isEmpty() ? "" : ": ", detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

QByteArray Store(CHOXDoc& doc)
{
    CArchive ar;
    ar.m_pDocument = &doc;
    try {
        doc.Serialize(ar);
    } catch (const ArchiveError& e) {
        Fail("a loaded document cannot be stored", QString::fromStdString(e.what()));
    }
    return ar.Buffer();
}

bool Load(CHOXDoc& doc, const QByteArray& bytes, QString* why)
{
    try {
        CArchive ar(bytes);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        return true;
    } catch (const ArchiveError& e) {
        *why = QString::fromStdString(e.what());
        return false;
    }
}

QString FirstDifference(const QByteArray& a, const QByteArray& b)
{
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype at = 0;
    while (at < common && a[at] == b[at]) ++at;
    const qsizetype from = std::max<qsizetype>(0, at - 8);
    return QStringLiteral("sizes %1 and %2, first difference at %3; from %4: %5 / %6")
        .arg(a.size())
        .arg(b.size())
        .arg(at)
        .arg(from)
        .arg(QString::fromLatin1(a.mid(from, 32).toHex(' ')), QString::fromLatin1(b.mid(from, 32).toHex(' ')));
}

QString FirstLineDifference(const QString& a, const QString& b)
{
    const QStringList first = a.split(u'\n');
    const QStringList second = b.split(u'\n');
    qsizetype at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
    return QStringLiteral("%1 and %2 lines, line %3 reads \"%4\" / \"%5\"")
        .arg(first.size())
        .arg(second.size())
        .arg(at + 1)
        .arg(first.value(at), second.value(at));
}

} // namespace kt::fuzz
