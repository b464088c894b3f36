#include "support/ScriptedPreview.h"

#include <gtest/gtest.h>

namespace kt::test {

namespace {
class StrictPreview : public PreviewService {
public:
    std::unique_ptr<PreviewHost> Open(CPrintPreview&, CFrameWnd*) override
    {
        ADD_FAILURE() << "unexpected print preview";
        return nullptr;
    }
};
StrictPreview g_strict;
} // namespace

void InstallStrictPreview() { SetPreviewService(&g_strict); }

class ScriptedPreview::Host : public PreviewHost {
public:
    explicit Host(ScriptedPreview& owner) : m_owner(owner) { m_owner.m_open = true; }
    ~Host() override { m_owner.m_open = false; }
    void Update() override { ++m_owner.updates; }

private:
    ScriptedPreview& m_owner;
};

ScriptedPreview::ScriptedPreview() : m_previous(GetPreviewService()) { SetPreviewService(this); }

ScriptedPreview::~ScriptedPreview()
{
    // A preview a test left open ends before the service goes.
    CPrintPreview::EndActive();
    SetPreviewService(m_previous);
}

std::unique_ptr<PreviewHost> ScriptedPreview::Open(CPrintPreview&, CFrameWnd* frame)
{
    ++opened;
    mainFrame = frame;
    if (refuse) return nullptr;
    return std::make_unique<Host>(*this);
}

std::unique_ptr<RecordingPaintDevice> ScriptedPreview::DrawPage(UINT page) const
{
    CPrintPreview* preview = Preview();
    if (preview == nullptr) {
        ADD_FAILURE() << "no preview runs";
        return std::make_unique<RecordingPaintDevice>();
    }
    auto device = std::make_unique<RecordingPaintDevice>(preview->Page());
    QPainter painter(device.get());
    preview->DrawPage(page, painter, 1.0);
    return device;
}

QStringList ScriptedPreview::PageTexts(UINT page) const
{
    QStringList texts;
    const auto device = DrawPage(page);
    for (const auto& t : device->Record().texts) texts << t.text;
    return texts;
}

} // namespace kt::test
