#include "platform/Settings.h"

namespace {
QString g_path;
}

QString SettingsFilePath()
{
    if (!g_path.isEmpty()) return g_path;
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarnwick"), QStringLiteral("Kinetrace"))
        .fileName();
}

void SetSettingsFilePath(const QString& path) { g_path = path; }

std::unique_ptr<QSettings> OpenSettings()
{
    return std::make_unique<QSettings>(SettingsFilePath(), QSettings::IniFormat);
}
