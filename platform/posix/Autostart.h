#pragma once

#include <string>

// The XDG autostart entry that starts the program at logon. Apart from the backend so that it can be
// written and tested without an X connection.
namespace platform {

// The Exec value that runs command (an executable's path, UTF-8) with no arguments, quoted and escaped
// so that blanks, quotes, backslashes, '%', '$' and line ends reach the program unchanged.
std::string AutostartExecValue(const std::string& command);

// The whole desktop entry.
std::string AutostartEntryText(const std::string& command);

// Writes the entry at path (both UTF-8), creating its folder; the file is replaced whole or not at all.
bool WriteAutostartEntry(const std::string& path, const std::string& command);

} // namespace platform
