#pragma once
// The program's settings file: an INI file (organisation "Tarnwick",
// application "Kinetrace") in the user's configuration folder. Tests point it
// at a file of their own.
#include <QSettings>
#include <QString>

#include <memory>

QString SettingsFilePath();
// Uses the given file from now on; an empty path restores the default.
void SetSettingsFilePath(const QString& path);
std::unique_ptr<QSettings> OpenSettings();
