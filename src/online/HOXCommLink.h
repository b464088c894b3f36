#pragma once
// The connection through which the document's controller commands talk to
// the controller. For now it holds the table that turns a communication
// error code into its message.
#include <QString>

class CHOXCommLink {
public:
    // Sets `text` to the message of a communication error code (256 to 261,
    // 512 to 515, 768 to 772, 774 to 780); for any other code, 773 included,
    // the text is left as it was.
    static void GetCommErrorText(int code, QString& text);
};
