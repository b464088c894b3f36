#pragma once
// The connection through which the document's controller commands (write,
// verify, diagnosis, initialisation) talk to the controller. Each command
// makes one on its stack: the constructor opens the document's port, the
// destructor closes it, and the operation in between leaves its outcome in
// the object: an error text, the program it sent, and whether it already
// told the user itself. It also holds the table that turns a communication
// error code into its message.
#include "online/comm/CommMan.h"

#include <QString>

#include <cstdint>

class CHOXDoc;

class CHOXCommLink {
public:
    // Opens the document's port (CHOXDoc::GetComPortName); a failure is only
    // recorded: the operation then fails at once, and the object still
    // gives its error text.
    explicit CHOXCommLink(CHOXDoc* doc);
    // Closes the port when the constructor opened it.
    ~CHOXCommLink();
    CHOXCommLink(const CHOXCommLink&) = delete;
    CHOXCommLink& operator=(const CHOXCommLink&) = delete;

    // The document's parameters and program to the controller: 1 written, 0
    // failed (the error text, or a message already shown, tells why), 2 the
    // user stopped it (nothing more to show).
    int Write();
    // The controller's program and parameters against the document's: 1
    // identical, 0 different or failed, 2 the user stopped the conversion.
    int Verify();
    // Shows the controller's diagnosis in its dialog: 1, or 0 on failure.
    int Diagnose();
    // Clears the controller's program and parameters: 1, or 0 on failure.
    int Initialize();

    QString GetErrorText() const { return m_strError; }
    // What the message box shows under "details" with the error text: for
    // a failure on the link, the port, where it leads and why, and where
    // that is set; for Verify, the first difference. Empty when there is
    // nothing to add.
    QString GetErrorDetail() const { return m_strDetail; }
    // The program Write sent (empty when only parameters were to go).
    QString GetProgramText() const { return m_strProgram; }
    bool IsMessageShown() const { return m_nMessageShown != 0; }

    // The document's program as the controller takes it, made in checking
    // mode (warnings are put to the user). True: `text` is the program,
    // possibly empty. False: `message` says why, `status` is 1 for an error
    // and 0 when the user declined a warning; the symbol concerned is shown
    // and selected.
    bool GenerateProgramText(QString& text, QString& message, int& status);

    // Sets `text` to the message of a communication error code (256 to 261,
    // 512 to 515, 768 to 772, 774 to 780); for any other code, 773 included,
    // the text is left as it was.
    static void GetCommErrorText(int code, QString& text);
    // The message of a code: the table's, or "Default Error - Error No : %1"
    // with the code for any other, so a failure never goes without words.
    static QString GetCommErrorMessage(int code);
    // The detail of a failure on a port: where the name leads (the
    // simulated controller, a device, nowhere), the system's reason when it
    // gave one, and the settings group and keys that decide it.
    static QString DescribePort(const QString& port, const QString& reason = QString());
    // The first line in which two program texts (as compared) differ, both
    // sides with its number; empty when they do not.
    static QString FirstDifference(const QString& controller, const QString& document);

    // Verify compares the two programs after these steps: every blank out of
    // both, the controller's lines normalised, trailing white space off and
    // both upper-cased, the controller's blanks out again and its text cut
    // after a final end statement.
    static void NormaliseForCompare(QString& document, QString& controller);
    static QString RemoveBlanks(const QString& text);
    // NOP lines between an end statement (or the start) and a label, and at
    // the end, go; a label line keeps only its label.
    static QString NormaliseControllerText(const QString& text);
    // The characters before the first "(", the whole line when it has none.
    static QString GetInstructionWord(const QString& line);
    // "O", "OX" or "OY" with only digits (a line number from the "N" on,
    // with the character before it, aside), or "P" with only digits; at
    // least two characters before any ";".
    static bool IsLabelStatement(const QString& word);
    // M02, M102, JMP, RET, END or SEND, before any ";".
    static bool IsEndStatement(const QString& word);
    // Cuts the text after its last ";" when the statement that ";" ends
    // holds END, M02 or M102.
    static QString CutAfterLastEnd(const QString& text);

private:
    // Sets the error text of a string and answers 0, the failed result.
    int Fail(UINT message);
    // The same for a failure on the link, with the port's detail.
    int FailOnLink(UINT message);
    // The error text of the library's last failure, with the port's detail.
    int FailWithCommError();
    // The question before anything is sent: false when the user said no.
    bool ConfirmWrite(const QString& text);
    bool WriteParameterBlocks();
    bool VerifyParameterBlocks();

    CHOXDoc* m_pDoc;
    CCommMan m_comm;
    std::int32_t m_nOpened = 0;
    QString m_strPort;
    QString m_strError;
    QString m_strDetail;
    QString m_strProgram;
    std::int32_t m_nMessageShown = 0;
};
