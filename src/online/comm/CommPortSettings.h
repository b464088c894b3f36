#pragma once
// Where the port names COM1 to COM4 lead: the settings group "Ports" of the
// program's settings file, one subgroup per name:
//   [Ports]
//   COM1\Device=sim            the simulated controller inside the program
//   COM2\Device=/dev/ttyUSB0   a serial device, or a pseudo-terminal
//   COM2\Speed=19200           bits per second (50 to 4000000)
//   COM2\Timeout=200           the controller's turnaround allowance, ms (1 to 60000)
// COM1 leads to the simulator when it has no Device entry; the other names
// lead nowhere until one is set. An empty Device leads nowhere.
#include <QString>

class CCommPortSettings {
public:
    static constexpr int kDefaultSpeed = 19200;
    static constexpr int kDefaultTimeoutMs = 200;
    static inline const char* const kSimulator = "sim";

    QString m_device; // "sim", a device path, or empty
    int m_speed = kDefaultSpeed;
    int m_timeoutMs = kDefaultTimeoutMs;

    // "COM1" to "COM4" exactly.
    static bool IsPortName(const QString& name);
    // The settings of a port name (defaults where entries are missing).
    static CCommPortSettings Read(const QString& name);
    static void Write(const QString& name, const CCommPortSettings& settings);

    bool IsMapped() const { return !m_device.isEmpty(); }
    bool IsSimulator() const { return m_device == QLatin1String(kSimulator); }
    // Speed and time-out within their ranges.
    bool IsLineValid() const;
};
