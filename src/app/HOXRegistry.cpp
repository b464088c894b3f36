#include "app/HOXRegistry.h"

#include "chart/ControllerType.h"
#include "platform/Settings.h"

#include <cstring>

namespace {
constexpr char kKeyPath[] = "software\\Tarnwick\\Kinetrace\\APP";
// The settings file keeps the key's values in a group of the key's last name.
const QString kGroup = QStringLiteral("APP");

const RegistryValue kValues[] = {
    {"CommPort", RegistryValue::Text, 5, "COM1", 0},
    {"KzqwType", RegistryValue::Text, 2, nullptr, 0},
    {"SerializeFileDir", RegistryValue::Text, 260, nullptr, 0},
    {"SystemResponse", RegistryValue::Dword, 4, nullptr, 0},
    {"PrintMonitoring", RegistryValue::Text, 2, "1", 0},
    {"PrintFlowCharts", RegistryValue::Text, 2, "1", 0},
    {"PrintFlowChartsOpenWnds", RegistryValue::Text, 2, "1", 0},
    {"PrintParamInfo", RegistryValue::Text, 2, "1", 0},
    {"PrintParamInfoGrpOrder", RegistryValue::Text, 2, "1", 0},
    {"PrintZoom", RegistryValue::Text, 2, "1", 0},
    {"PrintBaseCol", RegistryValue::Text, 2, "1", 0},
    {"PrintComment", RegistryValue::Text, 2, "1", 0},
    {"PrintContent", RegistryValue::Text, 2, "1", 0},
    {"PrintZoomSize", RegistryValue::Text, 4, "100", 0},
};

QString KeyOf(const char* name) { return kGroup + QLatin1Char('/') + QString::fromLatin1(name); }
} // namespace

int DecimalValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT32_MAX) value = INT32_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

CHOXRegistry::CHOXRegistry() { std::memcpy(m_szKey, kKeyPath, sizeof(kKeyPath)); }

const RegistryValue* CHOXRegistry::FindValue(const char* name)
{
    for (const RegistryValue& v : kValues)
        if (std::strcmp(v.name, name) == 0) return &v;
    return nullptr;
}

bool CHOXRegistry::WriteString(const char* name, const QString& text)
{
    auto settings = OpenSettings();
    settings->setValue(KeyOf(name), text);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool CHOXRegistry::ReadString(const char* name, QString& text, int bufferSize)
{
    auto settings = OpenSettings();
    const QVariant v = settings->value(KeyOf(name));
    if (!v.isValid() || settings->status() != QSettings::NoError) return false;
    const QString value = v.toString();
    // The value and its terminator must fit the reader's field.
    if (value.toLatin1().size() + 1 > bufferSize) return false;
    text = value;
    return true;
}

bool CHOXRegistry::WriteDword(const char* name, DWORD value)
{
    auto settings = OpenSettings();
    settings->setValue(KeyOf(name), static_cast<qulonglong>(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool CHOXRegistry::ReadDword(const char* name, DWORD* value)
{
    auto settings = OpenSettings();
    const QVariant v = settings->value(KeyOf(name));
    if (!v.isValid() || settings->status() != QSettings::NoError) return false;
    bool ok = false;
    const qulonglong n = v.toString().trimmed().toULongLong(&ok, 10);
    if (!ok || n > UINT32_MAX) return false;
    *value = static_cast<DWORD>(n);
    return true;
}

QString CHOXRegistry::ReadCommPort()
{
    QString port;
    if (ReadString("CommPort", port, FindValue("CommPort")->maxBytes) && port.size() == 4 &&
        port.startsWith(QLatin1String("COM")) && port[3] >= u'1' && port[3] <= u'4')
        return port;
    return QStringLiteral("COM1");
}

int CHOXRegistry::ReadKzqwType()
{
    // One digit fits the field; anything but 0, 1 or 2 (a digit of another
    // script included) is no choice at all.
    QString text;
    if (!ReadString("KzqwType", text, FindValue("KzqwType")->maxBytes) || text.size() != 1) return -1;
    const int type = text[0].unicode() - u'0';
    return ctype::IsKnown(type) ? type : -1;
}

QString CHOXRegistry::ReadSerializeFileDir()
{
    QString dir;
    if (!ReadString("SerializeFileDir", dir, FindValue("SerializeFileDir")->maxBytes)) return {};
    return dir;
}

DWORD CHOXRegistry::ReadSystemResponse()
{
    DWORD value = 0;
    return ReadDword("SystemResponse", &value) ? value : 0;
}

int CHOXRegistry::ReadPrintSetting(const char* name)
{
    const RegistryValue* v = FindValue(name);
    if (v == nullptr || v->defaultText == nullptr) return 0;
    QString text;
    if (!ReadString(name, text, v->maxBytes)) return DecimalValue(QString::fromLatin1(v->defaultText));
    return DecimalValue(text);
}
