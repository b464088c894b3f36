#pragma once
// A pseudo-terminal whose far end (the slave, /dev/pts/N) the program opens
// as a serial device. The simulator keeps the master, and a raw-mode handle
// on the slave so the line stays up while no program has it open. A cut
// closes both: the program's read fails, and the simulator opens a new one.
#include "online/sim/SimChannel.h"

#include <QString>

#include <atomic>

class CSimPtyChannel : public CSimChannel {
public:
    CSimPtyChannel() = default;
    ~CSimPtyChannel() override;
    CSimPtyChannel(const CSimPtyChannel&) = delete;
    CSimPtyChannel& operator=(const CSimPtyChannel&) = delete;

    // False with the reason when no pseudo-terminal can be had.
    bool Open(QString& error);
    QString SlavePath() const { return m_slavePath; }

    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    bool Write(const QByteArray& bytes) override;
    bool SleepUntil(Clock::time_point until) override;
    void Cut() override;

private:
    void CloseAll();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    std::atomic<bool> m_closed{false};
};
