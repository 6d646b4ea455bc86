// The Windows backend against the real system calls, run under Wine (see wine.sh).
//   win32_tests                      every case
//   win32_tests <prefix>             the cases whose name starts with prefix
//   win32_tests lingua <code>        GetLingua's answer for the locale LANG names must be <code>, and the
//                                    language file chosen from it that code's file
//   win32_tests hold <ready> <quit>  (internal) a second copy that holds the single-copy lock
#include "Harness.h"

#include "engine/Engine.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using harness::Case;
using harness::Check;
using platform::Win32Platform;

namespace {

// ---- helpers -------------------------------------------------------------------------------------------

std::string Utf8(const std::wstring& wide)
{
    std::string out(wide.size() * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
        static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return out;
}

std::wstring Wide(const std::string& utf8)
{
    std::wstring out(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return out;
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::wstring ExeFolder()
{
    Win32Platform system;
    return Wide(system.executableFolder());
}

void Pump(DWORD milliseconds)
{
    const ULONGLONG until = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < until);
}

// ---- clicks: the engine's event sequences, injected for real, reach a window of our own -----------------

struct Received
{
    UINT message;
    POINT at; // screen pixels
    bool operator==(const Received& other) const
    {
        return message == other.message && at.x == other.at.x && at.y == other.at.y;
    }
};

std::ostream& operator<<(std::ostream& out, const std::vector<Received>& list)
{
    for (const Received& r : list)
        out << "0x" << std::hex << r.message << std::dec << "@" << r.at.x << "," << r.at.y << " ";
    return out;
}

std::vector<Received> g_received;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &at);
        g_received.push_back({message, at});
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The toolbar, out of sight at the left edge; the clicks happen well to its right.
class HiddenToolbar : public engine::EngineWindows
{
public:
    double toolbarTop() override { return 0; }
    double toolbarHeight() override { return 100; }
    double toolbarWidth() override { return 40; }
    bool toolbarVisible() override { return false; }
    void showToolbar() override { }
    void hideToolbar() override { }
    bool exitQuestionVisible() override { return false; }
    bool optionsVisible() override { return false; }
    void Image1_Click(std::int16_t) override { }
};

HWND RecorderWindow()
{
    static HWND window = nullptr;
    if (window != nullptr)
        return window;
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS; // so that a double click is seen as one
    windowClass.lpfnWndProc = RecorderProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = L"DimoroTestRecorder";
    RegisterClassExW(&windowClass);
    window = CreateWindowExW(WS_EX_TOPMOST, L"DimoroTestRecorder", L"recorder", WS_POPUP | WS_VISIBLE, 100, 100, 600,
        400, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    // A cold Wine start may still put the pointer in the middle of the screen: let it settle first.
    Pump(500);
    return window;
}

struct ClickRow
{
    const char* name;
    std::int16_t mode;
    POINT rest; // where the pointer rests
    POINT second; // drag: where the second rest is (the release)
    std::vector<Received> want;
};

std::vector<Received> DwellAt(Win32Platform& system, std::int16_t mode, POINT rest, POINT second, Check& check)
{
    static HiddenToolbar toolbar;
    RecorderWindow();
    g_received.clear();
    engine::ResetState();
    engine::Attach(&toolbar);
    settings::Settings.tolerance = 2;
    settings::Settings.dwellTenths = 2;
    settings::Settings.beep = 0;
    engine::ClickMode = mode;
    const auto restThere = [&](POINT at) {
        SetCursorPos(at.x, at.y);
        Pump(50);
        const platform::Point seen = system.cursorPos();
        check.equal(seen.x * 10000 + seen.y, at.x * 10000L + at.y, "pointer at x*10000+y");
        // One tick to see the move, two resting ticks to click.
        for (int tick = 0; tick < 3; ++tick) {
            engine::Timer1_Timer();
            Pump(20);
        }
    };
    restThere(rest);
    if (mode == engine::ModeDrag)
        restThere(second);
    Pump(150);
    engine::Attach(nullptr);
    return g_received;
}

void AddClickCases(std::vector<Case>& cases)
{
    const POINT a {300, 200};
    const POINT b {450, 380};
    const std::vector<ClickRow> rows = {
        {"left click", engine::ModeLeftClick, a, {}, {{WM_LBUTTONDOWN, a}, {WM_LBUTTONUP, a}}},
        {"double click", engine::ModeDoubleClick, {320, 260}, {},
            {{WM_LBUTTONDOWN, {320, 260}}, {WM_LBUTTONUP, {320, 260}}, {WM_LBUTTONDBLCLK, {320, 260}},
                {WM_LBUTTONUP, {320, 260}}}},
        {"right click", engine::ModeRightClick, {500, 150}, {},
            {{WM_RBUTTONDOWN, {500, 150}}, {WM_RBUTTONUP, {500, 150}}}},
        {"middle click", engine::ModeMiddleClick, {200, 450}, {},
            {{WM_MBUTTONDOWN, {200, 450}}, {WM_MBUTTONUP, {200, 450}}}},
        {"drag: press on one rest, release on the next", engine::ModeDrag, a, b,
            {{WM_LBUTTONDOWN, a}, {WM_LBUTTONUP, b}}},
        {"pause injects nothing", engine::ModePause, {610, 420}, {}, {}},
    };
    for (const ClickRow& row : rows) {
        cases.push_back({std::string("clicks/") + row.name, [row](Check& check) {
                             Win32Platform system;
                             platform::Install(&system);
                             const std::vector<Received> got = DwellAt(system, row.mode, row.rest, row.second, check);
                             check.equal(got, row.want, "messages received");
                         }});
    }
}

// ---- start at logon: the Run value ------------------------------------------------------------------------

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The value's type and data, or an error code.
LSTATUS ReadRunValue(DWORD& type, std::wstring& data)
{
    DWORD bytes = 0;
    LSTATUS status
        = RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Dimoro", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    data.assign(bytes / sizeof(wchar_t), L'\0');
    status = RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Dimoro", RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &bytes);
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return status;
}

void AddRunCases(std::vector<Case>& cases)
{
    struct Row
    {
        const char* name;
        std::string command;
    };
    const std::vector<Row> rows = {
        {"path with blanks, unquoted", "C:\\Program Files\\Dimoro Free\\Dimoro.exe"},
        {"drive root's double backslash", "D:\\\\Dimoro.exe"},
        {"characters outside the code page", "C:\\Users\\J\xC3\xBCrgen \xCE\xA9mega\\Dimoro.exe"},
    };
    for (const Row& row : rows) {
        cases.push_back({std::string("run at logon/write: ") + row.name, [row](Check& check) {
                             Win32Platform system;
                             check.that(system.writeRunAtLogon("C:\\old\\Dimoro.exe"), "first write succeeds");
                             check.that(system.writeRunAtLogon(row.command), "overwrite succeeds");
                             DWORD type = 0;
                             std::wstring data;
                             check.equal(ReadRunValue(type, data), ERROR_SUCCESS, "value readable");
                             check.equal(type, static_cast<DWORD>(REG_SZ), "type");
                             check.equal(Utf8(data), row.command, "data");
                         }});
    }
    cases.push_back({"run at logon/the program's own command", [](Check& check) {
                         Win32Platform system;
                         platform::Install(&system);
                         const std::string command = settings::RunAtLogonCommand();
                         platform::Install(nullptr);
                         wchar_t self[MAX_PATH] = {};
                         GetModuleFileNameW(nullptr, self, MAX_PATH);
                         check.equal(command, Utf8(self), "folder, backslash, file name");
                         check.that(system.writeRunAtLogon(command), "written");
                         DWORD type = 0;
                         std::wstring data;
                         check.equal(ReadRunValue(type, data), ERROR_SUCCESS, "value readable");
                         check.equal(Utf8(data), command, "data unquoted");
                         system.deleteRunAtLogon();
                     }});
    cases.push_back({"run at logon/delete, then delete the absent value", [](Check& check) {
                         Win32Platform system;
                         system.writeRunAtLogon("C:\\Dimoro\\Dimoro.exe");
                         check.that(system.deleteRunAtLogon(), "delete succeeds");
                         DWORD type = 0;
                         std::wstring data;
                         check.equal(ReadRunValue(type, data), ERROR_FILE_NOT_FOUND, "value gone");
                         check.that(system.deleteRunAtLogon(), "deleting the absent value succeeds");
                         // Other programs' values under the same key are left alone.
                         HKEY key = nullptr;
                         RegCreateKeyExW(
                             HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
                         const wchar_t other[] = L"other.exe";
                         RegSetValueExW(key, L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other);
                         system.deleteRunAtLogon();
                         check.equal(RegQueryValueExW(key, L"Other", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS,
                             "other value kept");
                         RegDeleteValueW(key, L"Other");
                         RegCloseKey(key);
                     }});
}

// ---- a single copy, across processes ---------------------------------------------------------------------

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

int HoldLock(const std::wstring& ready, const std::wstring& quit)
{
    Win32Platform system;
    const bool other = system.anotherCopyRunning();
    HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready.c_str());
    HANDLE quitEvent = OpenEventW(SYNCHRONIZE, FALSE, quit.c_str());
    SetEvent(readyEvent);
    WaitForSingleObject(quitEvent, 20000);
    return other ? 1 : 0;
}

struct Holder
{
    PROCESS_INFORMATION process {};
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"DimoroTestReady");
    HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, L"DimoroTestQuit");

    bool start()
    {
        std::wstring command = L"\"" + SelfPath() + L"\" hold DimoroTestReady DimoroTestQuit";
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        return WaitForSingleObject(ready, 20000) == WAIT_OBJECT_0;
    }
    // The exit code: 0 when the holder found no other copy.
    DWORD stop(bool kill)
    {
        if (kill)
            TerminateProcess(process.hProcess, 9);
        else
            SetEvent(quit);
        WaitForSingleObject(process.hProcess, 20000);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        CloseHandle(ready);
        CloseHandle(quit);
        return code;
    }
};

void AddSingleCopyCases(std::vector<Case>& cases)
{
    for (const bool kill : {false, true}) {
        cases.push_back({std::string("single copy/another process holds it, then ") + (kill ? "is killed" : "ends"),
            [kill](Check& check) {
                Holder holder;
                check.that(holder.start(), "holder started");
                {
                    Win32Platform second;
                    check.that(second.anotherCopyRunning(), "second copy sees the first");
                    check.that(second.anotherCopyRunning(), "and keeps its answer");
                }
                check.equal(holder.stop(kill), kill ? 9UL : 0UL, "holder's exit code (0: it ran alone)");
                // The lock goes with its process, however it ended: no stale lock.
                Win32Platform next;
                check.that(!next.anotherCopyRunning(), "the next copy runs");
                Win32Platform third;
                check.that(third.anotherCopyRunning(), "and then holds the lock itself");
            }});
    }
    cases.push_back(
        {"single copy/lock name per executable, case-insensitive", [](Check& check) {
             const std::wstring name = Win32Platform::MutexName(L"C:\\Program Files\\Dimoro\\Dimoro.exe");
             check.equal(Utf8(name), Utf8(Win32Platform::MutexName(L"c:\\PROGRAM FILES\\dimoro\\DIMORO.EXE")),
                 "same file, other case");
             check.that(name != Win32Platform::MutexName(L"D:\\Dimoro\\Dimoro.exe"), "other copy, other name");
             check.that(name.rfind(L"Local\\", 0) == 0 && name.find(L'\\', 6) == std::wstring::npos,
                 "one backslash, after the namespace");
         }});
}

// ---- files and code page ---------------------------------------------------------------------------------

void AddCodePageCases(std::vector<Case>& cases)
{
    struct Row
    {
        const char* name;
        std::string utf8;
        std::string ansi;
    };
    const std::vector<Row> rows = {
        {"Spanish file name", "Espa\xC3\xB1ol.lng", "Espa\xF1ol.lng"},
        {"euro sign", "\xE2\x82\xAC", "\x80"},
        {"no best fit: A with macron", "\xC4\x80", "?"},
        {"no best fit: full-width quote is no field quote", "\xEF\xBC\x82", "?"},
    };
    for (const Row& row : rows) {
        cases.push_back({std::string("code page/") + row.name, [row](Check& check) {
                             Win32Platform system;
                             check.equal(system.toAnsi(row.utf8), row.ansi, "toAnsi");
                             if (row.ansi != "?")
                                 check.equal(system.fromAnsi(row.ansi), row.utf8, "fromAnsi");
                         }});
    }
    cases.push_back({"code page/every byte as the Linux table reads it", [](Check& check) {
                         Win32Platform system;
                         for (int byte = 1; byte < 256; ++byte) {
                             const std::string ansi(1, static_cast<char>(byte));
                             const std::string utf8 = system.fromAnsi(ansi);
                             check.equal(utf8, platform::Windows1252ToUtf8(ansi), "byte " + std::to_string(byte));
                             check.equal(system.toAnsi(utf8), ansi, "back, byte " + std::to_string(byte));
                         }
                     }});
}

void AddSettingsFileCases(std::vector<Case>& cases)
{
    // The same bytes the Linux build writes for these values (tests/win32/data/Dimoro.ini).
    cases.push_back({"settings file/written on Linux, read and written again on Windows", [](Check& check) {
                         Win32Platform system;
                         platform::Install(&system);
                         const std::wstring folder = ExeFolder();
                         const std::string sample = ReadBytes(folder + L"\\sample-Dimoro.ini");
                         check.that(sample.size() > 20, "sample present");
                         WriteBytes(folder + L"\\Dimoro.ini", sample);
                         settings::Settings = {};
                         settings::LoadSettings();
                         const settings::SettingsRecord& s = settings::Settings;
                         check.equal(s.tolerance * 10 + s.dwellTenths, 38, "tolerance 3, dwell 8");
                         check.equal(s.runAtStartup * 100 + s.beep * 10 + s.middleClick, 110, "logon, beep, middle");
                         check.equal(s.languageFile, std::string("Espa\xC3\xB1ol.lng"), "language file");
                         DeleteFileW((folder + L"\\Dimoro.ini").c_str());
                         check.that(settings::SaveSettings(), "saved");
                         check.equal(ReadBytes(folder + L"\\Dimoro.ini"), sample, "bytes written");
                         DeleteFileW((folder + L"\\Dimoro.ini").c_str());
                     }});
}

void AddLanguageFileCases(std::vector<Case>& cases)
{
    // The shipped files, copied beside the test into Lang\: each must give on Windows, through the ANSI code
    // page, the texts the Linux build gives through its Windows-1252 table, under its own (UTF-8) name.
    for (const char* name : {"Espa\xC3\xB1ol.lng", "Deutsch.lng", "French.lng", "Italiano.lng", "English.lng"}) {
        cases.push_back({std::string("language files/") + name, [name](Check& check) {
                             Win32Platform system;
                             platform::Install(&system);
                             const std::string raw = ReadBytes(ExeFolder() + L"\\Lang\\" + Wide(name));
                             settings::LanguageTexts expected;
                             check.equal(settings::ParseLanguageLines(raw, expected), 28, "lines in the file");
                             for (std::string& text : expected)
                                 text = platform::Windows1252ToUtf8(text);
                             settings::LanguageTable = {};
                             check.that(settings::LoadLanguageFrom(name), "loaded by its name");
                             for (int k = 0; k < settings::kLanguageEntries; ++k)
                                 check.equal(settings::LanguageTable[k], expected[k], "entry " + std::to_string(k));
                         }});
    }
    cases.push_back({"language files/Spanish text arrives as UTF-8", [](Check& check) {
                         Win32Platform system;
                         platform::Install(&system);
                         check.that(settings::LoadLanguageFrom("Espa\xC3\xB1ol.lng"), "loaded");
                         check.equal(settings::LanguageTable[0].substr(0, 24),
                             std::string("Dimoro Free ya se est\xC3\xA1 "), "entry 0");
                     }});
}

// ---- process, screen, files, sounds, session ----------------------------------------------------------------

void AddProcessCases(std::vector<Case>& cases)
{
    cases.push_back({"process/folder: no trailing backslash except at a drive root", [](Check& check) {
                         check.equal(Utf8(Win32Platform::FolderOf(L"C:\\Dimoro.exe")), std::string("C:\\"), "root");
                         check.equal(Utf8(Win32Platform::FolderOf(L"C:\\Program Files\\Dimoro\\Dimoro.exe")),
                             std::string("C:\\Program Files\\Dimoro"), "folder");
                         check.equal(Utf8(Win32Platform::FolderOf(L"\\\\server\\share\\Dimoro.exe")),
                             std::string("\\\\server\\share"), "network share");
                     }});
    cases.push_back({"process/own folder, name and version", [](Check& check) {
                         Win32Platform system;
                         const std::string self = Utf8(SelfPath());
                         check.equal(system.executableFolder() + "\\" + system.executableName(), self, "path");
                         check.equal(system.executableName(), std::string("win32_tests.exe"), "name");
                         // The test's own version resource says 1.4.0.1.
                         const platform::Version v = system.version();
                         check.equal(v.major * 100 + v.minor * 10 + v.revision, 141, "major, minor, revision");
                     }});
    cases.push_back({"process/screen of 1024x768 at 96 dpi", [](Check& check) {
                         Win32Platform system;
                         check.equal(system.twipsPerPixelX(), 15.0, "twips per pixel x");
                         check.equal(system.twipsPerPixelY(), 15.0, "twips per pixel y");
                         check.equal(system.screenHeightTwips(), 768 * 15.0, "screen height");
                     }});
    cases.push_back({"process/topmost without moving or sizing", [](Check& check) {
                         HWND window = CreateWindowExW(0, L"STATIC", L"t", WS_POPUP | WS_VISIBLE, 40, 60, 120, 90,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
                         Win32Platform system;
                         system.setTopmost(reinterpret_cast<std::uintptr_t>(window), 40, 60);
                         RECT r {};
                         GetWindowRect(window, &r);
                         check.that((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "topmost");
                         check.equal(r.left * 1000 + r.top, 40060L, "place");
                         check.equal((r.right - r.left) * 1000 + r.bottom - r.top, 120090L, "size");
                         DestroyWindow(window);
                     }});
    cases.push_back({"process/session end reaches the handler", [](Check& check) {
                         Win32Platform system;
                         int calls = 0;
                         system.onTerminationRequest([&calls] { ++calls; });
                         // A top-level window: message-only ones never hear of the session's end.
                         HWND window = FindWindowW(L"DimoroSessionEnd", nullptr);
                         check.that(window != nullptr && window == reinterpret_cast<HWND>(system.sessionWindow()),
                             "found as a top-level window");
                         check.equal(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), static_cast<LRESULT>(TRUE),
                             "lets the session end");
                         SendMessageW(window, WM_ENDSESSION, FALSE, 0);
                         check.equal(calls, 0, "cancelled log-off ignored");
                         SendMessageW(window, WM_ENDSESSION, TRUE, 0);
                         check.equal(calls, 1, "handler called");
                     }});

    struct FileRow
    {
        const char* name;
        DWORD attributes; // 0: a folder
        bool normal;
    };
    const std::vector<FileRow> files = {
        {"plain file", FILE_ATTRIBUTE_NORMAL, true},
        {"read-only file", FILE_ATTRIBUTE_READONLY, true},
        {"hidden file", FILE_ATTRIBUTE_HIDDEN, false},
        {"system file", FILE_ATTRIBUTE_SYSTEM, false},
        {"folder", 0, false},
    };
    for (const FileRow& row : files) {
        cases.push_back({std::string("files/normal file: ") + row.name, [row](Check& check) {
                             Win32Platform system;
                             const std::wstring path = ExeFolder() + L"\\Click \xE9t\xE9 " + Wide(row.name);
                             if (row.attributes == 0) {
                                 CreateDirectoryW(path.c_str(), nullptr);
                             } else {
                                 WriteBytes(path, "x");
                                 SetFileAttributesW(path.c_str(), row.attributes);
                             }
                             check.equal(system.isNormalFile(Utf8(path)), row.normal, "isNormalFile");
                             SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                             DeleteFileW(path.c_str());
                             RemoveDirectoryW(path.c_str());
                             check.that(!system.isNormalFile(Utf8(path)), "missing is not one");
                         }});
    }
    // Wine's own sound code takes file names through the ANSI code page, so the folder's name stays inside it
    // here; Windows takes any name through the wide call.
    cases.push_back(
        {"sounds/a WAV file in a folder with blanks and accents plays; a missing one does not", [](Check& check) {
             // 0.05 s of 8-bit silence.
             const std::uint32_t samples = 400;
             std::string wav = "RIFF";
             const auto put32 = [&wav](std::uint32_t v) {
                 for (int i = 0; i < 4; ++i)
                     wav += static_cast<char>((v >> (8 * i)) & 0xFF);
             };
             put32(36 + samples);
             wav += "WAVEfmt ";
             put32(16);
             put32(0x00010001); // PCM, mono
             put32(8000);
             put32(8000);
             put32(0x00080001); // block align 1, 8 bits
             wav += "data";
             put32(samples);
             wav += std::string(samples, static_cast<char>(0x80));
             const std::wstring folder = ExeFolder() + L"\\Click \xE9t\xE9";
             CreateDirectoryW(folder.c_str(), nullptr);
             WriteBytes(folder + L"\\Click1.wav", wav);
             Win32Platform system;
             check.that(system.playSound(Utf8(folder + L"\\Click1.wav")), "played");
             check.that(!system.playSound(Utf8(folder + L"\\Click9.wav")), "missing file not played");
             DeleteFileW((folder + L"\\Click1.wav").c_str());
             RemoveDirectoryW(folder.c_str());
         }});
}

} // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "hold" && argc == 4)
        return HoldLock(Wide(argv[2]), Wide(argv[3]));
    std::vector<Case> cases;
    if (first == "lingua" && argc == 3) {
        const std::string want = argv[2];
        cases.push_back({"lingua/" + want, [want](Check& check) {
                             Win32Platform system;
                             platform::Install(&system);
                             check.equal(settings::GetLingua(platform::LocaleIso639LanguageName), want, "GetLingua");
                             const std::vector<std::pair<std::string, std::string>> files = {{"it", "Italiano.lng"},
                                 {"fr", "French.lng"}, {"es", "Espa\xC3\xB1ol.lng"}, {"de", "Deutsch.lng"}};
                             std::string file = "English.lng";
                             for (const auto& [code, name] : files)
                                 file = code == want ? name : file;
                             settings::DetectLanguage();
                             check.equal(settings::Settings.languageFile, file, "language file");
                         }});
        return harness::Run(cases);
    }
    AddClickCases(cases);
    AddRunCases(cases);
    AddSingleCopyCases(cases);
    AddCodePageCases(cases);
    AddSettingsFileCases(cases);
    AddLanguageFileCases(cases);
    AddProcessCases(cases);
    return harness::Run(cases, first);
}
