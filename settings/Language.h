#pragma once

#include <array>
#include <cstdint>
#include <string>

// The texts of the current language, where they come from, and their application to the windows.
namespace settings {

constexpr int kLanguageEntries = 51;
using LanguageTexts = std::array<std::string, kLanguageEntries>;
// UTF-8 in memory; the files hold the ANSI code page.
extern LanguageTexts LanguageTable;

// The options dialog's texts that the language sets.
enum class OptionsText {
    Caption,
    Label3, // tolerance
    Label4, // dwell time
    Label5, // start at logon
    Label6, // language chooser link
    Label7, // beep
    Label9, // middle click
    Label10, // translation page link
    Label11, // updates link
    Label12Tip, // the "i" label's tooltip
    Command2, // cancel
    Image1Tip, // donations picture's tooltip
    Count
};

// The Yes/No dialog's texts that the language sets.
enum class ExitQuestionText { Caption, Label1, Si, No, Count };

// The windows that take texts. Each setter is one assignment: setting a text of a dialog
// that is not loaded loads it, hidden, first. Implemented by the toolbar window.
class TextTargets
{
public:
    virtual ~TextTargets() = default;
    // Tooltip of toolbar button Image1(index).
    virtual void setToolbarTip(int index, const std::string& text) = 0;
    virtual void setOptionsText(OptionsText id, const std::string& text) = 0;
    virtual void setExitQuestionText(ExitQuestionText id, const std::string& text) = 0;
};

void AttachTextTargets(TextTargets* targets);

// Writes the table's texts into the windows, in a fixed order, with the fixed endings.
void ApplyLanguage();

// One item of the user's locale (a platform locale-information type); empty when the system has none.
std::string GetLingua(std::uint32_t lcType);

// Sets Settings.languageFile from the language of the user's locale; English for any language without a file.
void DetectLanguage();

// The line rule of language files, on the raw bytes of one: line k, less its first three characters,
// becomes table[k] for k up to 50. Lines end at CR LF, a lone CR or a lone LF. Entries past the file's
// last line keep their values. Bytes are copied unchanged. Returns the number of entries set.
int ParseLanguageLines(const std::string& bytes, LanguageTexts& table);

// Full path of a language file: the executable's folder, "Lang", the name (UTF-8).
std::string LanguageFilePath(const std::string& fileName);

// The raw bytes (ANSI code page) of the file of that name in the Lang folder, at most the first MiB; false when it
// is no regular file or cannot be read.
bool ReadLanguageFile(const std::string& fileName, std::string& bytes);

// Fills LanguageTable from the file of that name in the Lang folder, by the line rule, converted from the
// ANSI code page. False, with the table unchanged, when the file cannot be read.
bool LoadLanguageFrom(const std::string& fileName);

// Start-up: fills LanguageTable from Settings.languageFile; when that file cannot be read, from the English
// file instead, so that no window shows empty texts. Settings.languageFile itself is never changed here.
void LoadLanguageFile();

} // namespace settings
