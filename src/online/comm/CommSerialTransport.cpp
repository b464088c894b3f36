#include "online/comm/CommSerialTransport.h"

#include <QSerialPort>

#include <algorithm>

CCommSerialTransport::CCommSerialTransport(QString device, int speed) : m_device(std::move(device)), m_speed(speed) {}

CCommSerialTransport::~CCommSerialTransport() { Close(); }

int CCommSerialTransport::Open()
{
    m_openFailure.clear();
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(m_device);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openFailure = m_port->errorString();
        m_port.reset();
        return 256;
    }
    if (!m_port->setBaudRate(m_speed) || !m_port->setDataBits(QSerialPort::Data8) ||
        !m_port->setParity(QSerialPort::NoParity) || !m_port->setStopBits(QSerialPort::OneStop) ||
        !m_port->setFlowControl(QSerialPort::NoFlowControl)) {
        m_openFailure = m_port->errorString();
        Close();
        return 257;
    }
    m_port->clear();
    return 0;
}

void CCommSerialTransport::Close()
{
    if (m_port) m_port->close();
    m_port.reset();
}

bool CCommSerialTransport::Write(const QByteArray& bytes)
{
    if (!m_port || m_port->write(bytes) != bytes.size()) return false;
    // A serial line drains at its speed: allow that, and a second more.
    const int ms = static_cast<int>(bytes.size() * 10 * 1000 / std::max(m_speed, 1)) + 1000;
    while (m_port->bytesToWrite() > 0)
        if (!m_port->waitForBytesWritten(ms)) return false;
    return m_port->error() == QSerialPort::NoError;
}

CCommTransport::ReadResult CCommSerialTransport::Read(QByteArray& into, Clock::time_point deadline)
{
    if (!m_port) return ReadResult::Lost;
    for (;;) {
        if (m_port->bytesAvailable() > 0) {
            into.append(m_port->readAll());
            return ReadResult::Data;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return ReadResult::Timeout;
        if (!m_port->waitForReadyRead(static_cast<int>(left))) {
            if (m_port->error() == QSerialPort::TimeoutError || m_port->error() == QSerialPort::NoError) {
                m_port->clearError();
                continue;
            }
            return ReadResult::Lost;
        }
    }
}

void CCommSerialTransport::Discard()
{
    if (!m_port) return;
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
}
