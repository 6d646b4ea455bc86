#pragma once

#include <array>
#include <string>

namespace platform {
class Platform;
}

// The texts of the current language and the files they come from.
namespace settings {

constexpr int kLanguageEntries = 51;
using LanguageTexts = std::array<std::string, kLanguageEntries>;

// The entries of a language file by what they hold; the number is the file's line.
enum class TextId {
    AlreadyRunning = 0,
    MessageTitle = 1,
    HelpPage = 2, // also the help button's tooltip
    DonationsTip = 3,
    Cancel = 5,
    RightClick = 6,
    MiddleClick = 7,
    LeftClick = 8,
    DoubleClick = 9,
    Drag = 10,
    About = 11, // ends in "..."
    Exit = 12,
    Options = 13,
    Tolerance = 14,
    DwellTime = 15,
    RunAtLogon = 16,
    ChooseLanguage = 17,
    Sound = 18,
    ExitQuestion = 19,
    Yes = 20,
    No = 21,
    Pause = 22,
    MiddleClickButton = 23,
    AddLanguage = 24,
    CheckForUpdates = 25,
    AboutDescription = 26,
    AboutRights = 27,
    SettingsNotSaved = 28, // after OK, when Dimoro.ini could not be written
    FolderNameNotText = 29, // a feature that needs the folder's name as text, where it is not valid UTF-8
    ShowProgress = 30, // the options' switch for the dwell progress ring
    ShowProgressTip = 31,
};

// The entries from here on came after the first translations: a file that ends before one of them gets it from
// English.lng.
constexpr int kFirstAddedEntry = 28;
constexpr int kLastEntry = 31;

// A text of the table with the ending its window puts after it.
struct TextWithEnding
{
    TextId id;
    const char* ending;
};

// The texts in use, UTF-8; empty until a file is loaded.
class LanguageTable
{
public:
    const std::string& text(TextId id) const { return m_texts[static_cast<int>(id)]; }
    std::string text(TextWithEnding t) const { return text(t.id) + t.ending; }

    // From the file of that name in the Lang folder, by the line rule, converted from the system's code page;
    // an added entry the file lacks comes from English.lng. False, with the table unchanged, when the file cannot
    // be read.
    bool loadFrom(platform::Platform& os, const std::string& fileName);
    // Start-up: from the named file, or from the English one when that cannot be read, so that no window shows
    // empty texts. The name in the settings stays as it is.
    void loadForStart(platform::Platform& os, const std::string& fileName);

private:
    LanguageTexts m_texts;
};

// The language file for the user's locale: "Italiano.lng" and so on, "English.lng" for a language without a file.
std::string LanguageFileForUser(platform::Platform& os);

// The line rule of language files, on the raw bytes of one: line k, less its first three characters,
// becomes table[k] for k up to 50. Lines end at CR LF, a lone CR or a lone LF. Entries past the file's
// last line keep their values. Bytes are copied unchanged. Returns the number of entries set.
int ParseLanguageLines(const std::string& bytes, LanguageTexts& table);

// Full path of a language file (name in UTF-8): the user's own of that name when an installed copy has one,
// else the shipped one in the Lang folder.
std::string LanguageFilePath(platform::Platform& os, const std::string& fileName);

// The raw bytes of that file, at most the first MiB; false when it is no regular file or cannot be read.
bool ReadLanguageFile(platform::Platform& os, const std::string& fileName, std::string& bytes);

} // namespace settings
