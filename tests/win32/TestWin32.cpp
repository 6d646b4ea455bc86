// The Windows backend against the real system calls, run under Wine by wine.sh. A failed check prints "FAIL!"
// and what it found; the last line counts the checks and failures.
//   win32_tests C          every check but the language's (in the C locale)
//   win32_tests <locale>   the language and language file chosen in that locale (LANG under Wine)
//   win32_tests hold <ms>  a copy holding the single-copy lock for a while, which the test starts itself
#include "engine/DwellEngine.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/Version.h"

#include <process.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

int g_checks = 0, g_failures = 0;

void Equal(const std::string& got, const std::string& want, const std::string& what)
{
    ++g_checks;
    g_failures += got == want ? 0 : 1;
    if (got != want)
        std::printf("FAIL! %s: got \"%s\", want \"%s\"\n", what.c_str(), got.c_str(), want.c_str());
}

void Expect(bool ok, const std::string& what) { Equal(ok ? "yes" : "no", "yes", what); }

std::string Utf8(std::wstring w) { return reinterpret_cast<const char*>(std::filesystem::path(w).u8string().data()); }

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(platform::Utf8Path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Handles the waiting messages, noting the button messages that reach a window: "Ldown@300,200 ".
void Pump(std::string& received)
{
    const char* names[] = {"Ldown", "Lup", "Ldouble", "Rdown", "Rup", "Rdouble", "Mdown", "Mup", "Mdouble"};
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&m))
        if (m.message >= WM_LBUTTONDOWN && m.message <= WM_MBUTTONDBLCLK)
            received += std::string(names[m.message - WM_LBUTTONDOWN]) + "@" + std::to_string(LOWORD(m.lParam)) + ","
                + std::to_string(HIWORD(m.lParam)) + " ";
}

// The toolbar out of sight at the left edge; the clicks happen well to its right.
struct HiddenToolbar : engine::EngineWindows
{
    double toolbarTop() override { return 0; }
    double toolbarHeight() override { return 100; }
    double toolbarWidth() override { return 40; }
    bool toolbarVisible() override { return false; }
    void showToolbar() override { }
    void hideToolbar() override { }
    void loadDialog(engine::Dialog) override { }
    bool dialogVisible(engine::Dialog) override { return false; }
    void runCommand(engine::Mode) override { }
} g_hiddenToolbar;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A start-at-logon value, or "absent".
std::string RunValue(const wchar_t* name)
{
    wchar_t data[1024] = {};
    DWORD bytes = sizeof data;
    return RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, data, &bytes) ? "absent" : Utf8(data);
}

// The locales whose language has a file, and one Wine does not know.
const char* kLanguages[][3] = {{"it_IT", "it", "Italiano.lng"}, {"fr_FR", "fr", "French.lng"},
    {"es_ES", "es", "Espa\xC3\xB1ol.lng"}, {"de_DE", "de", "Deutsch.lng"}, {"xx_YY", "en", "English.lng"}};

void EveryOtherCheck(platform::Win32Platform& os)
{
    // Each mode's clicks, injected by the engine, reach the window under the pointer. The window covers the
    // screen, so that its pixels are the screen's; its class, the button's, takes double clicks.
    const std::tuple<engine::Mode, std::vector<POINT>, const char*> clicks[] = {
        {engine::Mode::LeftClick, {{300, 200}}, "Ldown@300,200 Lup@300,200 "},
        {engine::Mode::DoubleClick, {{320, 260}}, "Ldown@320,260 Lup@320,260 Ldouble@320,260 Lup@320,260 "},
        {engine::Mode::RightClick, {{500, 150}}, "Rdown@500,150 Rup@500,150 "},
        {engine::Mode::MiddleClick, {{200, 450}}, "Mdown@200,450 Mup@200,450 "},
        {engine::Mode::Drag, {{300, 200}, {450, 380}}, "Ldown@300,200 Lup@450,380 "},
        {engine::Mode::Pause, {{610, 420}}, ""},
    };
    CreateWindowExW(WS_EX_TOPMOST, L"BUTTON", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, {}, {}, {}, {});
    const settings::Settings timing {2, 2, 0, "", 0, 0}; // tolerance, dwell tenths, ..., no sound
    engine::DwellEngine dwell(os, timing);
    dwell.attach(&g_hiddenToolbar);
    for (const auto& [mode, rests, want] : clicks) {
        dwell.setMode(mode);
        std::string received;
        for (const POINT rest : rests) {
            SetCursorPos(rest.x, rest.y);
            for (int tick = 0; tick < 3; ++tick, Sleep(50), Pump(received))
                dwell.tick(); // the first sees the move, the next two rest and click
        }
        Equal(received, want, "clicks of mode " + std::to_string(static_cast<int>(mode)));
    }

    // Start at logon: the program's own path, unquoted; written over, deleted twice, others' values kept.
    Equal(settings::RunAtLogonCommand(os), Utf8(SelfPath()), "the program's command");
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Other", REG_SZ, L"other.exe", sizeof L"other.exe");
    for (const std::string& data : {Utf8(SelfPath()), std::string("C:\\Program Files\\J\xC3\xBCrgen \xCE\xA9\\D.exe")})
        Equal(os.writeRunAtLogon(data) ? RunValue(L"Dimoro") : "refused", data, "written over the last");
    Equal(os.deleteRunAtLogon() && os.deleteRunAtLogon() ? RunValue(L"Dimoro") + ", " + RunValue(L"Other") : "refused",
        "absent, other.exe", "deleted, and deleted again");

    // A single copy: refused beside another process's copy, also one started from another file, and free again when
    // that copy ends or is killed.
    const std::wstring otherFile = SelfPath() + L" (other copy).exe";
    CopyFileW(SelfPath().c_str(), otherFile.c_str(), FALSE);
    for (const bool kill : {false, true}) {
        const auto copy = reinterpret_cast<HANDLE>(_wspawnl(
            _P_NOWAIT, (kill ? otherFile : SelfPath()).c_str(), L"copy", L"hold", kill ? L"60000" : L"1000", nullptr));
        bool refused = false;
        for (int wait = 0; wait < 200 && !refused; ++wait, Sleep(50))
            refused = platform::Win32Platform().anotherCopyRunning();
        Expect(refused, "refused while another copy runs");
        if (kill && refused)
            TerminateProcess(copy, 9);
        WaitForSingleObject(copy, 30000);
        Expect(!platform::Win32Platform().anotherCopyRunning(), "runs once the other copy has ended");
    }
    // Per session: the lock another session's copy would take if the lock were shared by all sessions.
    const std::wstring lock = platform::Win32Platform::MutexName();
    CreateMutexW(nullptr, FALSE, (L"Global\\" + lock.substr(lock.find(L'\\') + 1)).c_str());
    Expect(!platform::Win32Platform().anotherCopyRunning(), "runs beside other sessions' copies");

    // The settings file the Linux build writes reads the same, and is written back byte for byte over an old one.
    const std::string sample = ReadBytes(os.executableFolder() + "\\sample-Dimoro.ini");
    settings::Settings read;
    settings::ParseSettings(os, sample, read);
    Equal(read.languageFile, "Espa\xC3\xB1ol.lng", "settings read"); // the numbers show in the bytes written
    std::ofstream(platform::Utf8Path(settings::SettingsPath(os))) << "old";
    Expect(settings::SaveSettings(os, read) && ReadBytes(settings::SettingsPath(os)) == sample, "settings written");
    // Each shipped language file gives the texts it gives on Linux.
    for (const auto& e : std::filesystem::directory_iterator(platform::Utf8Path(os.executableFolder() + "\\Lang"))) {
        const std::string file = Utf8(e.path().filename().wstring());
        settings::LanguageTexts raw;
        settings::LanguageTable table;
        settings::ParseLanguageLines(ReadBytes(os.executableFolder() + "\\Lang\\" + file), raw);
        Expect(table.loadFrom(os, file), file + " loaded");
        for (int k = 0; k < settings::kLanguageEntries; ++k)
            Equal(table.text(settings::TextId(k)), platform::Windows1252ToUtf8(raw[k]), file + std::to_string(k));
    }
    // The code page agrees with the Linux table both ways, without best fit: "Ā" must not become "A", nor a
    // full-width quote end a field.
    for (std::string ansi(1, 1); ansi[0] != 0; ++ansi[0]) {
        Equal(os.fromAnsi(ansi), platform::Windows1252ToUtf8(ansi), "byte " + std::to_string(ansi[0] & 0xFF));
        Equal(os.toAnsi(os.fromAnsi(ansi)), ansi, "back to byte " + std::to_string(ansi[0] & 0xFF));
    }
    Equal(os.toAnsi("\xC4\x80\xEF\xBC\x82"), "??", "outside the code page");

    // The folder rule, the version resource, and the session's end (a top-level window hears of it).
    for (const auto& [path, folder] : {std::pair {L"C:\\D.exe", "C:\\"}, {L"C:\\D F\\D.exe", "C:\\D F"}})
        Equal(Utf8(platform::Win32Platform::FolderOf(path)), folder, "folder of " + Utf8(path));
    Equal(settings::VersionText(os.version()), "Dimoro Free 1.4.1", "version from version.rc");
    int calls = 0;
    os.onTerminationRequest([&calls] { ++calls; });
    HWND window = FindWindowW(L"DimoroSessionEnd", nullptr);
    Expect(SendMessageW(window, WM_QUERYENDSESSION, 0, 0) && !SendMessageW(window, WM_ENDSESSION, FALSE, 0)
            && calls == 0 && !SendMessageW(window, WM_ENDSESSION, TRUE, 0) && calls == 1,
        "the session's end, not a cancelled one, reaches the handler");
}

int main(int argc, char** argv)
{
    platform::Win32Platform os;
    const std::string arg = argc > 1 ? argv[1] : "";
    if (arg == "hold" && !os.anotherCopyRunning())
        Sleep(std::stoul(argv[2]));
    for (const auto& [locale, code, file] : kLanguages)
        if (arg == locale)
            Equal(os.userLanguageCode() + " " + settings::LanguageFileForUser(os), std::string(code) + " " + file,
                locale);
    if (arg == "C")
        EveryOtherCheck(os);
    std::printf("%d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
