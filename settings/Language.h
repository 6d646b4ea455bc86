#pragma once

#include <array>
#include <string>

// The texts of the current language and their application to the windows.
namespace settings {

constexpr int kLanguageEntries = 51;
extern std::array<std::string, kLanguageEntries> LanguageTable;

// The windows that take texts. Each setter is one assignment: setting a text of a dialog
// that is not loaded loads it, hidden, first. Implemented by the toolbar window.
class TextTargets
{
public:
    virtual ~TextTargets() = default;
    // Tooltip of toolbar button Image1(index).
    virtual void setToolbarTip(int index, const std::string& text) = 0;
    // Options dialog: touches it (loading it when needed); its texts come with the dialog itself.
    virtual void touchOptions() = 0;
    // Yes/No dialog: the same.
    virtual void touchExitQuestion() = 0;
};

void AttachTextTargets(TextTargets* targets);

// Writes the table's texts into the windows, in a fixed order.
void ApplyLanguage();

} // namespace settings
