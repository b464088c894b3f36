#pragma once
// The print preview of the tests: the preview's window is a record of how
// often it was opened and shown anew; its pages are drawn on a recording
// page of the preview's size, to be read by what they drew.
#include "chart/RecordingPainter.h"
#include "platform/PrintPreview.h"

#include <memory>

namespace kt::test {

class ScriptedPreview : public PreviewService {
public:
    ScriptedPreview();
    ~ScriptedPreview() override;

    std::unique_ptr<PreviewHost> Open(CPrintPreview& preview, CFrameWnd* mainFrame) override;

    // The preview that runs; null when none does.
    CPrintPreview* Preview() const { return CPrintPreview::Active(); }
    // Whether the preview's window is open.
    bool IsOpen() const { return m_open; }
    // Page n of the running preview drawn at its full size on a recording
    // page; the texts of the page in the order drawn.
    std::unique_ptr<RecordingPaintDevice> DrawPage(UINT page) const;
    QStringList PageTexts(UINT page) const;

    int opened = 0;
    int updates = 0;
    // The window cannot be made.
    bool refuse = false;
    CFrameWnd* mainFrame = nullptr;

private:
    class Host;
    bool m_open = false;
    PreviewService* m_previous;
};

// Installed for the whole test run: a preview that no test set up fails the
// test.
void InstallStrictPreview();

} // namespace kt::test
