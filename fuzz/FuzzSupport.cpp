#include "FuzzSupport.h"

#include "app/HOXDoc.h"
#include "platform/Archive.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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

DefaultAnswers g_answers;
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
    g_argv[0] = const_cast<char*>(program);
    g_app = new QApplication(g_argc, g_argv);
    g_scratch = std::make_unique<QTemporaryDir>(ScratchBase() + QStringLiteral("/kinetrace-fuzz-XXXXXX"));
    if (!g_scratch->isValid()) Fail("cannot make a scratch folder", g_scratch->errorString());
    SetSettingsFilePath(g_scratch->filePath(QStringLiteral("Kinetrace.ini")));
    SetMessageHandler(&g_answers);
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

} // namespace kt::fuzz
