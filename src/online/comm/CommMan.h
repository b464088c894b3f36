#pragma once
// The communication library: every exchange with the controller passes
// through a CCommMan object. Each user owns one, opens it first and closes it
// last. The link is our own framed protocol (CommProtocol.h) over a serial
// device or pseudo-terminal, or to the simulated controller inside the
// program (the default of COM1); port names lead where CommPortSettings.h
// says.
//
// Contract of every operation
// - 0 is success. A failure returns its code (error table of CHOXCommLink)
//   and records it for mfi_GetCommError until mfi_ClearCommError or the next
//   failure; after every non-zero result mfi_GetCommError holds a code of the
//   table. A failed call writes nothing into the caller's buffers or records.
// - 774: the object is not open. 775: the calling thread already waits in a
//   call (of any object), or the object is open in another thread: an object
//   belongs to the thread that opened it until it is closed. Both come at
//   once and never block.
// - Link failures: 768 no reply, 776 link lost, 777 incomplete reply, 778 bad
//   frame, 780 checksum; 769 to 772 only as the controller (or an injected
//   fault) reports them. 779: the controller refused (block, axis, address,
//   code, read-only device, writing prohibited or auto mode).
// - The calling thread waits for the reply; the user-interface thread waits
//   in a local event loop that leaves user input aside. How long a call can
//   take is written down in CommPort.h.
//
// Operations that differ
// - mfi_Open: 259 not COM1..COM4; 260 this object is open already (another
//   object on the same port is no error); 261 too many objects open; 256 the
//   name leads nowhere or the device cannot be opened; 257 line set-up.
// - mfi_Close: 512 when not open; nothing else happens.
// - mfi_ReadParams / mfi_WriteParams: -1 for every failure, the cause's code
//   recorded. Blocks: 112 = parameters 100-111 (12 values, axis 0), 113 =
//   0-26 of the axis, 114 = 30-56 of the axis (27 values each).
// - mfi_WriteProgram: -1 when the controller refuses the text (more steps
//   than the memory less P101, or a statement it refuses), 0x601 when the
//   memory argument differs from the controller's, 779 while writing is
//   prohibited or in auto mode, a link failure's code otherwise (779 is
//   recorded for -1 and 0x601). The old program stays until the whole new
//   text arrived intact.
// - mfi_ReadProgram: 0x600 while the controller's parameters are undefined
//   (779 recorded); 780 when the whole text fails its check.
// - mfi_GetKZQWType: 0 one-axis, 1 two-axis.
// - Devices (ControllerDevices.h): buffers hold little-endian values, 2 or
//   4 bytes each; count 1 to 64 (779 otherwise, nothing sent).
#include "platform/Types.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

class CCommDiag;
class CCommKZQWStatus;
class CCommManInputStat;
class CCommMonitor;
class CCommPayload;
class CCommPort;
class CCommProgInfo;
class CCommStatusInfo;

class CCommMan {
public:
    CCommMan();
    // Closes the port when the object is still open.
    ~CCommMan();
    CCommMan(const CCommMan&) = delete;
    CCommMan& operator=(const CCommMan&) = delete;

    int mfi_Open(const QString& port);
    int mfi_Close();
    int mfi_GetCommError() const;
    void mfi_ClearCommError();
    // The system's own words for why the last mfi_Open of this thread's own
    // failed (a serial device that would not open, say); empty when it gave
    // none or the open succeeded.
    QString mfi_GetCommErrorReason() const { return m_reason; }

    int mfi_GetKZQWType(int& type);
    int mfi_Status(CCommStatusInfo* info);
    int mfi_Diagnosis(CCommDiag* diag);
    int mfi_InitiateKZQW();
    int mfi_SetFileName(QString name);
    int mfi_GetFileName(QString& name);

    int mfi_WriteParams(int block, int axis, const std::int32_t values[]);
    int mfi_ReadParams(int block, int axis, std::int32_t values[]);
    int mfi_WriteProgram(const QString& text, int memory, int fileRegisters);
    int mfi_ReadProgram(QString& text);
    int mfi_CreateSum(int& sum);

    int mfi_ReadMonitoringInfo(CCommMonitor* info);
    // Mode 0 command units, 1 pulses.
    int mfi_ReadCurrentPos(std::int32_t& x, std::int32_t& y, int mode);
    int mfi_GetKZQWStatus(int axis, CCommKZQWStatus* status);
    int mfi_GetManInputStatus(int axis, CCommManInputStat* status);
    int mfi_GetProgInfo(int axis, CCommProgInfo* info);

    int mfi_ReadDevice(int type, int address, int index, int count, BYTE* buffer);
    int mfi_WriteDevice(int type, int address, int index, int count, const BYTE* buffer);
    int mfi_SetOperation(int type, int address);
    int mfi_ResetOperation(int type, int address);
    int mfi_WriteCurrentPos(int axis, std::int32_t value, int mode);
    int mfi_WriteManualOprn(int code, std::int32_t value);

private:
    using Parse = std::function<bool(CCommPayload&)>;
    // A controller's result other than 0: what the call returns and what it
    // records.
    using ResultMap = std::pair<int, int> (*)(int result);

    // 0, or 774 / 775 when this thread may not call now.
    int Guard() const;
    int Fail(int code) { return Fail(code, code); }
    int Fail(int returned, int recorded);
    // Runs a job on the port's I/O thread and waits for it.
    void RunOnPort(const std::function<void(CCommPort&)>& job);
    // One request: guard, exchange, result, and the reply's data parsed
    // (all of it) by `parse`.
    int Request(int command, const QByteArray& args, const Parse& parse = {}, ResultMap map = nullptr);
    int Finish(int code, int result, const QByteArray& data, const Parse& parse, ResultMap map);
    QByteArray WithClient(const QByteArray& args) const;
    int ReadWords(int command, const QByteArray& args, int* words, int count);

    std::atomic<std::thread::id> m_owner{};
    std::atomic<int> m_error{0};
    // Written by mfi_Open once the calling thread owns the object.
    QString m_reason;
    std::shared_ptr<CCommPort> m_port;
    int m_client = 0;
};
