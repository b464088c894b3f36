#include "online/comm/CommPortSettings.h"

#include "platform/Settings.h"

namespace {
const QString kGroup = QStringLiteral("Ports");

int IntOr(const QVariant& value, int fallback)
{
    if (!value.isValid()) return fallback;
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    return ok ? n : -1;
}
} // namespace

bool CCommPortSettings::IsPortName(const QString& name)
{
    return name.size() == 4 && name.startsWith(QLatin1String("COM")) && name[3] >= u'1' && name[3] <= u'4';
}

CCommPortSettings CCommPortSettings::Read(const QString& name)
{
    CCommPortSettings result;
    auto settings = OpenSettings();
    settings->beginGroup(kGroup);
    settings->beginGroup(name);
    const QVariant device = settings->value(QStringLiteral("Device"));
    if (device.isValid())
        result.m_device = device.toString().trimmed();
    else if (name == QLatin1String("COM1"))
        result.m_device = QString::fromLatin1(kSimulator);
    result.m_speed = IntOr(settings->value(QStringLiteral("Speed")), kDefaultSpeed);
    result.m_timeoutMs = IntOr(settings->value(QStringLiteral("Timeout")), kDefaultTimeoutMs);
    return result;
}

void CCommPortSettings::Write(const QString& name, const CCommPortSettings& port)
{
    auto settings = OpenSettings();
    settings->beginGroup(kGroup);
    settings->beginGroup(name);
    settings->setValue(QStringLiteral("Device"), port.m_device);
    settings->setValue(QStringLiteral("Speed"), port.m_speed);
    settings->setValue(QStringLiteral("Timeout"), port.m_timeoutMs);
    settings->endGroup();
    settings->endGroup();
    settings->sync();
}

bool CCommPortSettings::IsLineValid() const
{
    return m_speed >= 50 && m_speed <= 4000000 && m_timeoutMs >= 1 && m_timeoutMs <= 60000;
}
