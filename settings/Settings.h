#pragma once

#include <cstdint>
#include <string>

// The six user settings, held process-wide while the program runs and kept in Dimoro.ini beside the executable.
namespace settings {

struct SettingsRecord
{
    std::int16_t tolerance = 0; // pixels of movement per tick still counted as rest, less 2
    std::int16_t dwellTenths = 0; // resting ticks (tenths of a second) before a click
    std::int16_t runAtStartup = 0;
    std::string languageFile; // UTF-8 file name inside the Lang folder
    std::int16_t beep = 0;
    std::int16_t middleClick = 0;
};

extern SettingsRecord Settings;

// The timing a start without a dwell time (no settings file) runs with.
constexpr std::int16_t kDefaultTolerance = 2;
constexpr std::int16_t kDefaultDwellTenths = 5;

// Full path of the settings file: the executable's folder, the separator, "Dimoro.ini".
std::string SettingsPath();

// What start at logon registers: the executable's folder, the separator and its file name.
std::string RunAtLogonCommand();

// Fills Settings from the file. A field the file does not give keeps its value; nothing is reported.
void LoadSettings();
// Replaces the file with the six current values. Returns false when nothing could be written
// (the old file, if any, is then untouched); the running program keeps the values either way.
bool SaveSettings();

// The file format on its own, for the two operations above and for tests.
void ParseSettings(const std::string& fileBytes, SettingsRecord& into);
std::string FormatSettings(const SettingsRecord& from);

} // namespace settings
