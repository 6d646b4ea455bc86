#include "Win32Platform.h"

#include "platform/Backend.h"

#include <windows.h>

#include <dwmapi.h>
#include <mmsystem.h>
#include <shellscalingapi.h>
#include <winver.h>

#include <cmath>
#include <cstdio>

namespace platform {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Dimoro";
constexpr wchar_t kSessionClass[] = L"DimoroSessionEnd";
constexpr UINT kConsoleRequest = WM_APP + 1;

// The session window, for the console handler, which runs on a thread of its own.
HWND g_sessionWindow = nullptr;

std::wstring ToWide(const std::string& utf8, UINT codePage = CP_UTF8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(codePage, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(const std::wstring& wide, UINT codePage = CP_UTF8)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    // No best fit: "Ā" must not quietly become "A", nor a full-width quote a real '"' that ends a field.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, fallback, nullptr);
    std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), length, fallback, nullptr);
    return out;
}

// A monitor's place in the windows' coordinates: Qt keeps its top-left corner where Windows has it and divides
// its size by the monitor's scale (its effective dots per inch over 96).
struct MonitorPlace
{
    RECT device {};
    double scale = 1;
};

MonitorPlace PlaceOf(HMONITOR monitor)
{
    MonitorPlace place;
    MONITORINFO info {};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        return {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, 1};
    place.device = info.rcMonitor;
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY) == S_OK && dpiX > 0)
        place.scale = dpiX / 96.0;
    return place;
}

BOOL CALLBACK KeepLeftmost(HMONITOR monitor, HDC, LPRECT area, LPARAM chosen)
{
    // Of the monitors sharing the leftmost edge, the primary one if it is among them, else the first.
    auto* leftmost = reinterpret_cast<HMONITOR*>(chosen);
    RECT best {};
    if (*leftmost != nullptr)
        best = PlaceOf(*leftmost).device;
    const bool primary = area->left == 0 && area->top == 0;
    if (*leftmost == nullptr || area->left < best.left || (area->left == best.left && primary))
        *leftmost = monitor;
    return TRUE;
}

LRESULT CALLBACK SessionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Only when the session really ends; a cancelled log-off sends FALSE.
        if (wParam != FALSE && self != nullptr)
            self->terminationRequested();
        return 0;
    case kConsoleRequest:
        if (self != nullptr)
            self->terminationRequested();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Ctrl+C, a closed console, log-off or shut-down when started from a console. The work is handed to the
// GUI thread, which owns the engine's state; for the last three the system ends the process when this
// returns, so it waits (within the system's five seconds) for the GUI thread to end it first.
BOOL WINAPI ConsoleHandler(DWORD event)
{
    if (g_sessionWindow == nullptr || !PostMessageW(g_sessionWindow, kConsoleRequest, 0, 0))
        return FALSE;
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        Sleep(4000);
    return TRUE;
}

// The user's roaming application-data folder, as the session names it.
std::string AppDataFolder()
{
    const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", value.data(), size);
    value.resize(length < size ? length : 0);
    return FromWide(value);
}

} // namespace

Win32Platform::Win32Platform()
    : m_files(LocateProgramFiles(executableFolder(), separator(), AppDataBaseFolders(AppDataFolder()), PathOnDisk))
{ }

Win32Platform::~Win32Platform()
{
    if (m_sessionWindow != 0) {
        SetConsoleCtrlHandler(ConsoleHandler, FALSE);
        g_sessionWindow = nullptr;
        DestroyWindow(reinterpret_cast<HWND>(m_sessionWindow));
    }
    if (m_mutex != nullptr)
        CloseHandle(m_mutex);
}

Point Win32Platform::pointerPosition()
{
    // Fails while another desktop (the secure desktop of a UAC prompt) has the input: keep the last place.
    POINT at {};
    if (GetCursorPos(&at)) {
        const MonitorPlace place = PlaceOf(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST));
        m_lastPointer = {place.device.left + std::lround(std::floor((at.x - place.device.left) / place.scale)),
            place.device.top + std::lround(std::floor((at.y - place.device.top) / place.scale))};
    }
    return m_lastPointer;
}

namespace {

// SendInput is the current form of mouse_event, with the same flags. No move or absolute flag and
// dx = dy = 0: the event acts where the pointer is.
void SendButton(DWORD flags)
{
    INPUT input {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

} // namespace

void Win32Platform::press(Button button, std::chrono::milliseconds after)
{
    // Windows stamps each input when it is sent; a short sleep is the gap.
    if (after.count() > 0)
        Sleep(static_cast<DWORD>(after.count()));
    SendButton(button == Button::Left ? MOUSEEVENTF_LEFTDOWN
            : button == Button::Right ? MOUSEEVENTF_RIGHTDOWN
                                      : MOUSEEVENTF_MIDDLEDOWN);
}

void Win32Platform::release(Button button)
{
    SendButton(button == Button::Left ? MOUSEEVENTF_LEFTUP
            : button == Button::Right ? MOUSEEVENTF_RIGHTUP
                                      : MOUSEEVENTF_MIDDLEUP);
}

void Win32Platform::setTopmost(std::uintptr_t window, int x, int y)
{
    // cx and cy are ignored because of SWP_NOSIZE.
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

std::wstring Win32Platform::executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        // A full buffer means the path was cut: try again with a larger one.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

std::wstring Win32Platform::FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    std::wstring folder = path.substr(0, slash);
    // "C:" alone would name the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return folder;
}

std::string Win32Platform::executableFolder() { return FromWide(FolderOf(executablePath())); }

Version Win32Platform::version()
{
    // The version resource is what Explorer shows as the file version; the compiled-in numbers serve an
    // executable built without one.
    const std::wstring path = executablePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size > 0) {
        std::string block(size, '\0');
        void* info = nullptr;
        UINT infoSize = 0;
        if (GetFileVersionInfoW(path.c_str(), 0, size, block.data())
            && VerQueryValueW(block.data(), L"\\", &info, &infoSize) && infoSize >= sizeof(VS_FIXEDFILEINFO)) {
            const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(info);
            // The third of the four numbers is skipped: 1.4.0.1 is shown as 1.4.1.
            return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionLS)};
        }
    }
    return {DIMORO_VERSION_MAJOR, DIMORO_VERSION_MINOR, DIMORO_VERSION_REVISION};
}

bool Win32Platform::compositing()
{
    // Always on since Windows 8; on Windows 7 the user may switch it off.
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

Area Win32Platform::toolbarMonitor()
{
    HMONITOR leftmost = nullptr;
    EnumDisplayMonitors(nullptr, nullptr, KeepLeftmost, reinterpret_cast<LPARAM>(&leftmost));
    const MonitorPlace place = PlaceOf(leftmost);
    const RECT& area = place.device;
    return {area.left, area.top, std::lround((area.right - area.left) / place.scale),
        std::lround((area.bottom - area.top) / place.scale)};
}

std::wstring Win32Platform::MutexName()
{
    // One name whatever executable a copy was started from, so that an installed copy and a portable one never
    // click side by side. Local: one copy per log-on session; users switched to in the background keep their own.
    return L"Local\\DimoroFree-single-copy";
}

bool Win32Platform::anotherCopyRunning()
{
    if (m_otherCopy >= 0)
        return m_otherCopy == 1;
    // A mutex rather than a lock file: the system frees it with the process, so a crashed copy never
    // leaves a stale lock behind. The handle stays open until the process ends.
    m_mutex = CreateMutexW(nullptr, FALSE, MutexName().c_str());
    const DWORD error = GetLastError();
    if (m_mutex == nullptr) {
        // A name held by an object we may not open still means a copy of ours runs (under another
        // account's rights in this session); any other failure says nothing: run rather than refuse.
        m_otherCopy = error == ERROR_ACCESS_DENIED ? 1 : 0;
    } else {
        m_otherCopy = error == ERROR_ALREADY_EXISTS ? 1 : 0;
    }
    return m_otherCopy == 1;
}

void Win32Platform::onTerminationRequest(std::function<void()> handler)
{
    m_terminationHandler = std::move(handler);
    if (m_sessionWindow != 0)
        return;
    // A GUI process learns of a log-off from WM_ENDSESSION, which only top-level windows receive (not
    // message-only ones): a hidden window of our own, on the calling (GUI) thread, whose message loop
    // (Qt's, in the program) dispatches it.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SessionWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kSessionClass;
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(
        WS_EX_TOOLWINDOW, kSessionClass, L"Dimoro Free", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_sessionWindow = reinterpret_cast<std::uintptr_t>(window);
    g_sessionWindow = window;
    SetConsoleCtrlHandler(ConsoleHandler, TRUE);
}

void Win32Platform::terminationRequested()
{
    if (m_terminationHandler)
        m_terminationHandler();
    else
        endProcess(0);
}

void Win32Platform::endProcess(int exitCode)
{
    // Injected input is queued by the system at once; only our own buffered output needs flushing.
    std::fflush(nullptr);
    if (m_mutex != nullptr)
        CloseHandle(m_mutex);
    m_mutex = nullptr;
    ExitProcess(static_cast<UINT>(exitCode));
}

std::string Win32Platform::toAnsi(const std::string& utf8) { return FromWide(ToWide(utf8), CP_ACP); }

std::string Win32Platform::fromAnsi(const std::string& ansi) { return FromWide(ToWide(ansi, CP_ACP)); }

bool Win32Platform::isNormalFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool Win32Platform::playSound(const std::string& path)
{
    // The wide path rather than the ANSI one: a folder named outside the code page (a Greek user name on
    // a Western system) would otherwise reach the call with '?' in it and play the default sound instead.
    // SND_FILENAME alone: synchronous, and the system's default sound when the file cannot be played.
    return PlaySoundW(ToWide(path).c_str(), nullptr, SND_FILENAME) != FALSE;
}

void Win32Platform::beep() { MessageBeep(MB_OK); }

std::string Win32Platform::userLanguageCode()
{
    // The count includes the terminating zero; 0 is a failure.
    char code[256] = {};
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, code, sizeof code);
    return written > 1 ? std::string(code, static_cast<std::size_t>(written - 1)) : std::string();
}

std::string Win32Platform::executableName()
{
    const std::wstring path = executablePath();
    return FromWide(path.substr(path.find_last_of(L"\\/") + 1));
}

bool Win32Platform::writeRunAtLogon(const std::string& command)
{
    // The W calls keep a path outside the ANSI code page intact; the data is stored without quotes, as the
    // session's start-up reads the whole value as one path when it has no quotes and names an existing file.
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    const std::wstring data = ToWide(command);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS status
        = RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool Win32Platform::deleteRunAtLogon()
{
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegDeleteValueW(key, kRunValue);
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::string MissingBeforeStart() { return {}; }

std::unique_ptr<Platform> CreateSystemPlatform(std::string&) { return std::make_unique<Win32Platform>(); }

} // namespace platform
