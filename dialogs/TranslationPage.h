#pragma once

#include <array>
#include <string>

namespace platform {
class Platform;
}

// The page through which users send a new translation: the texts to translate in five languages side by side,
// with an input per row, in a form mailed to the maker.
namespace dialogs {

// Texts 0..24, then the texts added since that need translating (the dwell progress switch, 30 and 31).
constexpr int kTranslationRows = 27;
constexpr int kSourceLanguages = 5;

// The language file's entry a row shows; its input is named after it and its number is one more.
constexpr int TranslationEntry(int row) { return row < 25 ? row : row + 5; }

// The rows of one language: each line of its file without the three-character prefix, as raw ANSI bytes.
// A row the file does not give is empty.
using TranslationColumn = std::array<std::string, kTranslationRows>;
using TranslationColumns = std::array<TranslationColumn, kSourceLanguages>;

// The page's bytes: ANSI, every line ended by CR LF. The texts are HTML-escaped; everything else is fixed.
std::string MakeTranslationPage(const TranslationColumns& columns, const std::string& address);

// The five source languages' rows, read from their files in the Lang folder; a missing file gives empty rows.
TranslationColumns ReadTranslationColumns(platform::Platform& os);

// Full path of the page (UTF-8): beside the executable of a portable copy, in the user's cache when installed.
std::string TranslationPagePath(platform::Platform& os);

// Writes the page over any earlier one, making its folder when missing. False when it could not be written whole.
bool WriteTranslationPage(const std::string& path, const std::string& bytes);

} // namespace dialogs
