#pragma once
// What the fuzz targets share: a Qt application on the offscreen platform,
// settings in a scratch folder, message boxes answered with their default
// button at once, and failures that end the run so libFuzzer keeps the input.
#include "platform/View.h"

#include <QByteArray>
#include <QString>

class CHOXApp;
class CHOXDoc;

namespace kt::fuzz {

// Once per process, from LLVMFuzzerInitialize (or a tool's main).
void Initialise(const char* program);

// A folder of this process for the files a target writes (on a RAM disk when
// there is one, since every input is written and read several times).
QString ScratchPath(const char* name);

// Prints what broke and aborts: libFuzzer reports it and saves the input.
[[noreturn]] void Fail(const char* what, const QString& detail = QString());

// The document's archive, as a save writes it.
QByteArray Store(CHOXDoc& doc);
// Reads the archive into the document; false with *why set when the archive
// is refused.
bool Load(CHOXDoc& doc, const QByteArray& bytes, QString* why);

// Where two byte strings part, with some bytes of each from there, in hex.
QString FirstDifference(const QByteArray& a, const QByteArray& b);
// Where two texts part: the first line that differs, of each.
QString FirstLineDifference(const QString& a, const QString& b);

// The program started with its main window (offscreen), for the readers that
// make chart windows through it; once per process, after Initialise.
CHOXApp& StartProgram();

// Runs what the program left for its event loop, which a target never
// enters: windows closed during an input are deleted at its end, as the
// program deletes them once it is back in its loop, and do not pile up.
void Settle();

// A file the seed maker wrote under tests/data/fuzz (the documents the
// clipboard target pastes into); fails when it is not there.
QByteArray SeedFile(const char* relativePath);

// A chart view's window, in memory: a client area of 800 by 600 pixels that
// scrolls where it is told and draws nothing.
class MemoryViewHost : public ViewHost {
public:
    void Invalidate(bool) override {}
    void InvalidateRect(const CRect&, bool) override {}
    void SetCapture() override { m_capture = true; }
    void ReleaseCapture() override { m_capture = false; }
    bool HasCapture() const override { return m_capture; }
    void SetCursor(Cursor) override {}
    CPoint GetScrollPosition() const override { return m_scroll; }
    void ScrollToPosition(CPoint position) override { m_scroll = position; }
    void SetScrollSizes(CSize total) override { m_total = total; }
    CSize GetTotalSize() const override { return m_total; }
    CRect GetClientRect() const override { return CRect(0, 0, 800, 600); }

private:
    bool m_capture = false;
    CPoint m_scroll;
    CSize m_total;
};

} // namespace kt::fuzz
