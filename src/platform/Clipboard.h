#pragma once
// The clipboard as byte blocks by format name. A copy offers one block per
// format and replaces whatever the clipboard held; a paste takes the block of
// a format it knows. The application installs the desktop's clipboard; the
// tests install the same one on their offscreen platform.
//
// Format names are MIME types of our own, made from the name the program
// gives its format by clipboard::FormatName: "application/x-kinetrace-"
// followed by the name in lower case with every "_" written "-". So "Ladder"
// is "application/x-kinetrace-ladder", "TRNWK_HOX"
// "application/x-kinetrace-trnwk-hox" and "HOX_DRAG_FORMAT"
// "application/x-kinetrace-hox-drag-format". Nothing is registered: the name
// is the format, the same in every running copy of the program.
//
// Plain text is the one format shared with other programs: TextFormat(),
// bytes in UTF-8. A service answers for it whatever form of text the
// clipboard holds.
#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // Puts the blocks on the clipboard in place of all it held. Formats are
    // MIME types; each appears once.
    virtual void Offer(const std::vector<std::pair<QString, QByteArray>>& blocks) = 0;
    virtual bool IsAvailable(const QString& format) const = 0;
    // The block of the format, or nothing when the clipboard has none.
    virtual std::optional<QByteArray> Take(const QString& format) const = 0;
};

namespace clipboard {

// The service every call below goes to; null leaves the program without a
// clipboard (offers are dropped, nothing is available).
void SetService(ClipboardService* service);
ClipboardService* GetService();

// The MIME type of a format the program names (see above).
QString FormatName(std::string_view name);
// Plain text: "text/plain".
QString TextFormat();

// Replaces the clipboard's content by one block; false when there is no
// clipboard.
bool Offer(const QString& format, const QByteArray& bytes);
bool Offer(const std::vector<std::pair<QString, QByteArray>>& blocks);
bool IsAvailable(const QString& format);
std::optional<QByteArray> Take(const QString& format);

} // namespace clipboard
