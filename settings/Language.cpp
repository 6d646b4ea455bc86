#include "Language.h"

namespace settings {

std::array<std::string, kLanguageEntries> LanguageTable;

namespace {
TextTargets* g_targets = nullptr;

struct ToolbarTip
{
    int button;
    int entry;
    const char* ending;
};

// Tooltips of Image1(0..8), in the order they are assigned.
constexpr ToolbarTip kToolbarTips[] = {
    {0, 12, ""},
    {1, 22, ""},
    {2, 9, ""},
    {3, 8, ""},
    {4, 10, ""},
    {5, 6, ""},
    {6, 7, ""},
    {7, 13, "..."},
    {8, 2, ""},
};
} // namespace

void AttachTextTargets(TextTargets* targets) { g_targets = targets; }

void ApplyLanguage()
{
    if (g_targets == nullptr)
        return;
    for (const ToolbarTip& tip : kToolbarTips)
        g_targets->setToolbarTip(tip.button, LanguageTable[tip.entry] + tip.ending);
    // The dialogs' own texts come with the dialogs; touching them here loads them, hidden, in this order.
    g_targets->touchOptions();
    g_targets->touchExitQuestion();
}

} // namespace settings
