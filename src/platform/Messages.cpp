#include "platform/Messages.h"

#include "platform/Strings.h"

#include <cstdio>

namespace {
MessageHandler* g_handler = nullptr;
}

std::vector<int> MessageButtons(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int DefaultMessageResult(UINT style)
{
    const std::vector<int> buttons = MessageButtons(style);
    const std::size_t index = (style & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

void SetMessageHandler(MessageHandler* handler) { g_handler = handler; }
MessageHandler* GetMessageHandler() { return g_handler; }

int AfxMessageBox(const QString& text, UINT style, const QString& detail)
{
    if (g_handler != nullptr) return g_handler->Show(text, style, detail);
    std::fprintf(stderr, "kinetrace: %s\n", text.toLocal8Bit().constData());
    if (!detail.isEmpty()) std::fprintf(stderr, "kinetrace: %s\n", detail.toLocal8Bit().constData());
    return DefaultMessageResult(style);
}

int AfxMessageBox(UINT stringId, UINT style, const QString& detail)
{
    return AfxMessageBox(LoadStr(stringId), style, detail);
}
