#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The few file operations that the standard library cannot do safely on its own: writing a file so that a power
// cut leaves it whole, and telling whether the process that left a temporary file still runs.
namespace platform {

// The id of this process, as it appears in the names of the temporary files it makes.
long CurrentProcessId();

// False only when no process of that id runs, whoever's it would be.
bool ProcessRunning(long pid);

// The permission bits of a file (after symlinks); none on systems without them.
std::optional<unsigned> FileMode(const std::filesystem::path& path);

enum class NewFile { Written, NotCreated, Failed };

// Creates path, which must not exist, with the bytes and the mode when given, and flushes it to the disk.
// NotCreated when the file could not even be made (the folder's rights, a read-only file system); Failed when
// writing it failed, and then it is removed again.
NewFile WriteNewFile(const std::filesystem::path& path, const std::string& bytes, std::optional<unsigned> mode);

// Writes the bytes over the start of an existing file in one write, cuts off what the old file had beyond them and
// flushes it to the disk. Until the cut, the file starts with the new bytes and may go on with the old ones.
bool OverwriteFile(const std::filesystem::path& path, const std::string& bytes);

// Flushes a folder's entries (a rename in it) to the disk; nothing where the system has no such call.
void SyncFolder(const std::filesystem::path& folder);

} // namespace platform
