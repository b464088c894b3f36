#pragma once
// The line to the simulated controller inside the program (CSimHost).
#include "online/comm/CommTransport.h"

#include <memory>

class CSimPipe;

class CCommSimTransport : public CCommTransport {
public:
    explicit CCommSimTransport(int speed) : m_speed(speed) {}
    ~CCommSimTransport() override;

    // 256 while another port holds the simulator's line.
    int Open() override;
    void Close() override;
    bool Write(const QByteArray& bytes) override;
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    void Discard() override;

private:
    int m_speed;
    std::shared_ptr<CSimPipe> m_pipe;
};
