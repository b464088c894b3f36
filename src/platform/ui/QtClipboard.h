#pragma once
// The clipboard service on Qt's clipboard: the desktop's in the application,
// the offscreen platform's own in the tests.
#include "platform/Clipboard.h"

class QtClipboard : public ClipboardService {
public:
    void Offer(const std::vector<std::pair<QString, QByteArray>>& blocks) override;
    bool IsAvailable(const QString& format) const override;
    std::optional<QByteArray> Take(const QString& format) const override;
};
