#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Platform;
}

// The user settings and Dimoro.ini, the file that keeps them: beside the executable of a portable copy, in
// the user's settings folder for an installed one (see platform/ProgramFiles.h).
namespace settings {

struct Settings
{
    std::int16_t tolerance = 0; // pixels of movement per tick still counted as rest, less 2
    std::int16_t dwellTenths = 0; // resting ticks (tenths of a second) before a click
    std::int16_t runAtLogon = 0; // check box values: 0 clear, 1 checked, 2 grey
    std::string languageFile; // UTF-8 file name inside the Lang folder
    std::int16_t sound = 0;
    std::int16_t middleClick = 0;
    // Added after the first six: only a seventh field of exactly 0 turns the dwell progress ring off, so that a
    // six-line file (from before it existed) shows it.
    std::int16_t showProgress = 1;
};

// The timing a start without a dwell time (no settings file) runs with.
constexpr std::int16_t kDefaultTolerance = 2;
constexpr std::int16_t kDefaultDwellTenths = 5;

// The settings with the default timing where no dwell time was ever saved.
Settings WithDefaultTiming(Settings settings);

// Full path of the settings file that is written.
std::string SettingsPath(platform::Platform& os);

// What start at logon registers: the executable's own path.
std::string RunAtLogonCommand(platform::Platform& os);

// Fills settings from the file (for an installed copy without one of the user's own, the administrator's default).
// A field the file does not give keeps its value; nothing is reported.
void LoadSettings(platform::Platform& os, Settings& settings);
// Replaces the file with the values: through a temporary file, or in place where the folder takes no new file
// but the file may be written; a symlink stays and leads to the new bytes, and the file keeps its mode. False,
// with a warning logged, when nothing could be written (the old file, if any, is then untouched); the running
// program keeps the values either way.
bool SaveSettings(platform::Platform& os, const Settings& settings);

// The file format on its own; the language name goes through the system's code page. A byte-order mark is skipped;
// a language name is quoted where it must be.
void ParseSettings(platform::Platform& os, const std::string& fileBytes, Settings& into);
std::string FormatSettings(platform::Platform& os, const Settings& from);

// True when a language file name, once written, reads back the same: it fits the code page, and holds no quote
// where it must be quoted, nor a line end.
bool CanStoreLanguageName(platform::Platform& os, const std::string& name);

} // namespace settings
