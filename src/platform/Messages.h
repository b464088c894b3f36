#pragma once
// Message boxes by text or string id, with the styles and results the program
// uses. Who shows them is decided by the installed handler: the application
// shows real boxes, the tests answer from a script.
#include "platform/Types.h"

#include <QString>

#include <vector>

// Buttons.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

// Results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The results of the buttons of a style, left to right.
std::vector<int> MessageButtons(UINT style);
// The result of the style's default button.
int DefaultMessageResult(UINT style);

class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    // Shows the text and returns the result of the button chosen. The
    // detail (empty for most messages) says more than the text: why a file
    // could not be written, which lines were refused.
    virtual int Show(const QString& text, UINT style, const QString& detail) = 0;
};

// The handler every message goes to; null restores the fallback, which writes
// the text to stderr and answers with the default button.
void SetMessageHandler(MessageHandler* handler);
MessageHandler* GetMessageHandler();

int AfxMessageBox(const QString& text, UINT style = MB_OK, const QString& detail = QString());
int AfxMessageBox(UINT stringId, UINT style = MB_OK, const QString& detail = QString());
