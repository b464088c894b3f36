#pragma once
// The program's own settings, the values of the key
// "software\Tarnwick\Kinetrace\APP", kept in the settings file. Every reader
// has a default for a value that is missing, too long for its field or out
// of its range; the typed readers below apply them.
#include "platform/Types.h"

#include <QString>

struct RegistryValue {
    enum Type { Text, Dword };
    const char* name;
    Type type;
    int maxBytes;            // the reader's field, terminator included
    const char* defaultText; // Text values; null when the caller decides
    DWORD defaultDword;
};

class CHOXRegistry {
public:
    CHOXRegistry();

    // The table of values the program keeps, with their types and defaults;
    // null for a name that is not in it.
    static const RegistryValue* FindValue(const char* name);

    bool WriteString(const char* name, const QString& text);
    // Reads a text value into at most bufferSize bytes, terminator included:
    // FALSE when the value is missing or does not fit.
    bool ReadString(const char* name, QString& text, int bufferSize);
    bool WriteDword(const char* name, DWORD value);
    bool ReadDword(const char* name, DWORD* value);

    // "CommPort": "COM1" to "COM4"; "COM1" otherwise.
    QString ReadCommPort();
    // "KzqwType": the controller type 0 to 2 last chosen at File New; -1 when
    // there is none (the caller's default applies).
    int ReadKzqwType();
    // "SerializeFileDir": the remembered document directory; empty when none.
    QString ReadSerializeFileDir();
    // "SystemResponse": polling cycles the monitor skips; 0 when missing.
    DWORD ReadSystemResponse();
    // A decimal print setting ("PrintZoom", "PrintZoomSize", ...) with its
    // default.
    int ReadPrintSetting(const char* name);

    const char* KeyPath() const { return m_szKey; }

private:
    char m_szKey[64];
};

// The usual decimal conversion of a settings text: leading blanks, a sign and
// the leading digits; 0 when there are none.
int DecimalValue(const QString& text);
