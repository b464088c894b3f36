#pragma once
// A serial device (or a pseudo-terminal) through QSerialPort: 8 data bits,
// no parity, one stop bit, no flow control. Created, used and destroyed in
// the port's I/O thread (a QThread, which QSerialPort's notifiers need).
#include "online/comm/CommTransport.h"

#include <QString>

#include <memory>

class QSerialPort;

class CCommSerialTransport : public CCommTransport {
public:
    CCommSerialTransport(QString device, int speed);
    ~CCommSerialTransport() override;

    int Open() override;
    QString OpenFailure() const override { return m_openFailure; }
    void Close() override;
    bool Write(const QByteArray& bytes) override;
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override;
    void Discard() override;

private:
    QString m_device;
    int m_speed;
    std::unique_ptr<QSerialPort> m_port;
    QString m_openFailure;
};
