#include "online/comm/CommSimTransport.h"

#include "online/sim/SimHost.h"
#include "online/sim/SimPipe.h"

CCommSimTransport::~CCommSimTransport() { Close(); }

int CCommSimTransport::Open()
{
    m_pipe = CSimHost::Instance().Connect(m_speed);
    return m_pipe ? 0 : 256;
}

void CCommSimTransport::Close()
{
    if (m_pipe) m_pipe->HostClose();
    m_pipe.reset();
}

bool CCommSimTransport::Write(const QByteArray& bytes) { return m_pipe && m_pipe->HostWrite(bytes); }

CCommTransport::ReadResult CCommSimTransport::Read(QByteArray& into, Clock::time_point deadline)
{
    if (!m_pipe) return ReadResult::Lost;
    switch (m_pipe->HostRead(into, deadline)) {
    case CSimChannel::ReadResult::Data: return ReadResult::Data;
    case CSimChannel::ReadResult::Idle: return ReadResult::Timeout;
    case CSimChannel::ReadResult::Closed: break;
    }
    return ReadResult::Lost;
}

void CCommSimTransport::Discard()
{
    if (m_pipe) m_pipe->HostDiscard();
}
