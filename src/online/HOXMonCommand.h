#pragma once
// What the user-interface thread writes to the controller while monitoring
// runs: presetting a current position, writing a device, setting and
// resetting a bit device and the manual operations. A sender is made for one
// operation with the document and talks through a connection of its own,
// beside the monitoring worker's; it is opened only while the document
// monitors. It refuses what the controller's status forbids in a
// self-closing message and reports a failed call once; kinds and operations
// outside its tables send nothing.
//
// While a call of a sender waits for its reply (and through a pulse's pause)
// the user-interface thread runs a local event loop. Nothing that would call
// the link again or stop monitoring may run in it: the views' timers are held
// meanwhile (ViewTimerHold), and other such work asks AfterWaiting to run it
// once the wait is over.
#include "online/comm/CommMan.h"

#include <cstdint>
#include <functional>

class CHOXDoc;

class CHOXMonCommand {
public:
    // Not opened: every operation answers 0 at once.
    CHOXMonCommand();
    // Opens the document's port while the document monitors; a failure is
    // reported and leaves the sender not opened.
    explicit CHOXMonCommand(CHOXDoc* doc);
    // Closes the port when opened.
    virtual ~CHOXMonCommand();
    CHOXMonCommand(const CHOXMonCommand&) = delete;
    CHOXMonCommand& operator=(const CHOXMonCommand&) = delete;

    bool IsOpened() const { return m_nOpened != 0; }

    // Each answers 1 when done, 0 when refused, failed or not opened.
    // Presets the position of axis 0 or 1 (mode 0 command units, 1 pulses)
    // when that axis is ready.
    int WriteCurrentPos(int axis, std::int32_t value, int mode);
    // One device of an operand kind (CHOXSelectVal's device types D, DD, V,
    // Z, X, Y, M) and number, indexed by an index kind as the device status
    // object keeps it (0 none, 1 V, 2 Z) and number 0 to 7. A 16-bit
    // register takes only a value from -32768 to 32767.
    int WriteDevice(int kind, int number, int indexKind, int indexNumber, std::int32_t value);
    // A bit device of an operand kind: reset with flag 1, set otherwise.
    int SetDevice(int kind, int number, int reset);
    // A manual operation 0 to 13 (the manual-operation buttons' indexes)
    // with its press flag and value: the starts and stops pulse their
    // special relays; the others send their code.
    int ManualOperation(int operation, int flag, std::int32_t value);
    // Shows the last failure's message and clears it.
    void ReportCommError();

    // The link's device code of an operand kind and number; -1 for a kind
    // outside the table.
    static int GetDeviceType(int kind, int number);
    // The link's address of device `number` of a device code; set and reset
    // of Y address their count.
    static int GetDeviceAddress(int code, int number, bool setOrReset = false);
    // The decimal digits read as an octal number: 17 gives 15.
    static int OctalToNumber(int number);
    // The link's index argument of an index kind (0 none, 1 V, 2 Z) and
    // number: -1 none, V n n, Z n n + 8; false for any other kind or number.
    static bool GetIndexArgument(int indexKind, int indexNumber, int& index);
    // The link's manual-operation code of an operation and flag; -1 for an
    // operation outside the table (the pulses among them).
    static int GetManualCode(int operation, int flag);

    // Whether the user-interface thread now waits inside a sender's call.
    static bool IsWaiting();
    // Runs the action from the event loop once no sender waits, in the
    // order asked; an owner's actions that have not run yet are forgotten
    // with ForgetWaiting.
    static void AfterWaiting(const void* owner, std::function<void()> action);
    static void ForgetWaiting(const void* owner);

private:
    // The user-interface thread waits in the link or in a pause while one
    // lives.
    class WaitScope;

    // The axis's ready field of the controller's status, after a refusal
    // text of that axis when it is busy; false on a refusal or a failure.
    bool CheckAxisReady(int axis, UINT busyText);
    // Resets the relay, pauses and sets it again.
    int Pulse(int relay);
    // A library result: true for 0, else the failure is reported.
    bool Succeeded(int result);

    CCommMan m_comm;
    std::int32_t m_nOpened = 0;
    CHOXDoc* m_pDocument = nullptr;
};
