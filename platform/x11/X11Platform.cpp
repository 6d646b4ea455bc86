#include "X11Platform.h"

#include "platform/Backend.h"
#include "platform/Log.h"
#include "platform/posix/Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// Xlib's default handlers end the process on any protocol error; a failed raise must not.
int LogXError(Display* display, XErrorEvent* error)
{
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    Warn(std::string("X request ") + std::to_string(error->request_code) + " failed: " + text);
    return 0;
}

// The X server went away: the session is over and any button state died with it.
int OnXConnectionLost(Display*) { std::_Exit(1); }

// Qt keeps each screen's top-left corner where the X server has it and divides the screen's size by its scale,
// so a device position reaches the windows' coordinates through the screen under it (the primary one in a gap
// between screens).
Point ToWindowCoordinates(const QPoint device)
{
    const QScreen* under = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const QSizeF native = QSizeF(logical.size()) * screen->devicePixelRatio();
        if (QRect(logical.topLeft(), native.toSize()).contains(device)) {
            under = screen;
            break;
        }
    }
    if (under == nullptr)
        return {device.x(), device.y()};
    const QPoint origin = under->geometry().topLeft();
    const QPointF scaled = QPointF(device - origin) / under->devicePixelRatio();
    return {origin.x() + std::lround(std::floor(scaled.x())), origin.y() + std::lround(std::floor(scaled.y()))};
}

// The locale a program's messages follow, in the order the C library reads it.
QString MessagesLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

// The session's base folders, from the environment by the XDG rules.
BaseFolders SessionFolders()
{
    const auto environment = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    std::string home = environment("HOME").value_or("");
    if (home.empty()) {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
    }
    return XdgBaseFolders(environment, home);
}

// Room left under PATH_MAX for the names of the program's own files below its folder (Lang/, Click/, help pages,
// the temporary file of a save).
constexpr std::size_t kRoomForOwnFiles = 64;

// The executable's path as the kernel gives it. Qt's own decodes it as UTF-8, which loses a folder named in another
// encoding, and gives nothing for a path beyond PATH_MAX, from which every file would then resolve under "/". Empty,
// with the reason in whyNot, when the program cannot work from where it is.
std::string ExecutablePath(std::string& whyNot)
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    const int error = errno;
    if (length < 0 && error != ENAMETOOLONG) {
        whyNot = "Dimoro Free cannot tell which folder it was started from (/proc/self/exe: "
            + std::string(std::strerror(error)) + ").";
        return {};
    }
    path.resize(length < 0 ? 0 : static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (length < 0 || length >= PATH_MAX || slash == std::string::npos || slash + kRoomForOwnFiles >= PATH_MAX) {
        whyNot = "Dimoro Free cannot work from its folder: the folder's path is longer than the "
            + std::to_string(PATH_MAX - kRoomForOwnFiles)
            + " bytes that leave room for its files. Move it to a folder with a shorter path.";
        return {};
    }
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    if (access(folder.c_str(), R_OK | X_OK) != 0) {
        whyNot = "Dimoro Free cannot read its folder " + folder + ": " + std::strerror(errno) + ".";
        return {};
    }
    return path;
}

QString AutostartEntryPath()
{
    return QString::fromStdString(SessionFolders().config) + QStringLiteral("/autostart/Dimoro.desktop");
}

} // namespace

std::unique_ptr<X11Platform> X11Platform::Create(std::string& whyNot)
{
    // Under Wayland Qt may still run on XWayland, where the pointer is seen and clicks land only over
    // X11 windows: refuse rather than miss clicks.
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    const QString qpa = wayland ? QStringLiteral("wayland") : QGuiApplication::platformName();
    if (qpa != QLatin1String("xcb")) {
        whyNot = "Dimoro Free needs an X11 session. This session uses \"" + qpa.toStdString()
            + "\", where programs may neither read the pointer anywhere on the screen nor click for the user. "
              "Log in with an X11 (Xorg) session and start Dimoro Free again.";
        return nullptr;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        whyNot = "Dimoro Free cannot connect to the X server of this session (DISPLAY is \""
            + std::string(std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "") + "\").";
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        whyNot = "Dimoro Free cannot click for you: the X server of this session lacks the XTEST extension, "
                 "through which programs send mouse clicks. Enable XTEST in the X server's configuration.";
        return nullptr;
    }
    std::string executable = ExecutablePath(whyNot);
    if (executable.empty()) {
        XCloseDisplay(display);
        return nullptr;
    }
    XSetErrorHandler(LogXError);
    XSetIOErrorHandler(OnXConnectionLost);
    return std::unique_ptr<X11Platform>(new X11Platform(display, std::move(executable)));
}

X11Platform::X11Platform(Display* display, std::string executablePath)
    : m_display(display)
    , m_executablePath(std::move(executablePath))
    , m_root(DefaultRootWindow(display))
    , m_files(LocateProgramFiles(executableFolder(), separator(), SessionFolders(), PathOnDisk))
{ }

X11Platform::~X11Platform() { XCloseDisplay(m_display); }

Point X11Platform::pointerPosition()
{
    Window rootReturn = 0;
    Window childReturn = 0;
    int rootX = 0;
    int rootY = 0;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    // False means the pointer is on another screen of the display: keep the last known place.
    if (XQueryPointer(m_display, m_root, &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY, &mask))
        m_lastPointer = ToWindowCoordinates({rootX, rootY});
    return m_lastPointer;
}

void X11Platform::press(Button button, std::chrono::milliseconds after) { inject(button, true, after); }

void X11Platform::release(Button button) { inject(button, false); }

void X11Platform::inject(Button button, bool press, std::chrono::milliseconds after)
{
    const unsigned int number = button == Button::Left ? 1 : button == Button::Right ? 3 : 2;
    // The server holds the event, and this connection's later requests, for that long; we are not held up.
    XTestFakeButtonEvent(m_display, number, press ? True : False, static_cast<unsigned long>(after.count()));
    XFlush(m_display);
}

void X11Platform::setTopmost(std::uintptr_t window, int, int)
{
    // Qt's stay-on-top hint marks the window for the window manager when it is mapped;
    // here we ask a running window manager for the same state at once and raise the window.
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1; // _NET_WM_STATE_ADD
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(m_display, "_NET_WM_STATE_ABOVE", False));
    event.xclient.data.l[3] = 1; // request from a normal application
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XRaiseWindow(m_display, window);
    XFlush(m_display);
}

std::string X11Platform::executableFolder()
{
    const std::size_t slash = m_executablePath.rfind('/');
    return slash == 0 ? std::string("/") : m_executablePath.substr(0, slash);
}

Version X11Platform::version() { return {DIMORO_VERSION_MAJOR, DIMORO_VERSION_MINOR, DIMORO_VERSION_REVISION}; }

bool X11Platform::compositing()
{
    // A compositing manager owns this selection for as long as it runs (the EWMH rule).
    const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen(m_display));
    return XGetSelectionOwner(m_display, XInternAtom(m_display, selection.c_str(), False)) != None;
}

Area X11Platform::toolbarMonitor()
{
    // Of the monitors sharing the leftmost edge, the primary one if it is among them, else the first.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QScreen* leftmost = nullptr;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int left = screen->geometry().left();
        if (leftmost == nullptr || left < leftmost->geometry().left()
            || (left == leftmost->geometry().left() && screen == primary))
            leftmost = screen;
    }
    if (leftmost == nullptr)
        return {0, 0, DisplayWidth(m_display, 0), DisplayHeight(m_display, 0)};
    const QRect place = leftmost->geometry();
    return {place.left(), place.top(), place.width(), place.height()};
}

bool X11Platform::anotherCopyRunning()
{
    if (m_otherCopy >= 0)
        return m_otherCopy == 1;
    // One lock per user and display, whatever executable this copy was started from: an installed copy and a
    // portable one must never click side by side, while other users, and other displays, run their own.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const bool ownRuntime = runtime != nullptr && runtime[0] == '/' && access(runtime, W_OK | X_OK) == 0;
    const std::string path = SingleCopyLockPath(DisplayString(m_display), ownRuntime ? runtime : "",
        QFile::encodeName(QDir::tempPath()).toStdString(), getuid());
    m_lock = std::make_unique<QLockFile>(QFile::decodeName(QByteArray::fromStdString(path)));
    // No age limit: only a lock whose holder has died is taken over.
    m_lock->setStaleLockTime(0);
    const bool locked = m_lock->tryLock(0);
    // A lock file that cannot be created at all says nothing about other copies: run rather than refuse.
    m_otherCopy = (!locked && m_lock->error() == QLockFile::LockFailedError) ? 1 : 0;
    return m_otherCopy == 1;
}

void X11Platform::onTerminationRequest(std::function<void()> handler) { m_signals.onTermination(std::move(handler)); }

void X11Platform::endProcess(int exitCode)
{
    if (m_lock)
        m_lock->unlock();
    // Whatever was injected last must reach the server before the connection goes.
    XSync(m_display, False);
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

std::string X11Platform::toAnsi(const std::string& utf8) { return Utf8ToWindows1252(utf8); }

std::string X11Platform::fromAnsi(const std::string& ansi) { return Windows1252ToUtf8(ansi); }

bool X11Platform::isNormalFile(const std::string& path) { return IsVisibleRegularFile(path); }

bool X11Platform::playSound(const std::string& path)
{
    // A file that cannot be played gets the system's default sound, the beep.
    if (m_sounds.play(path))
        return true;
    beep();
    return false;
}

void X11Platform::beep()
{
    XBell(m_display, 0);
    XFlush(m_display);
}

std::string X11Platform::userLanguageCode()
{
    // "it_IT.UTF-8@euro" names the language by its first letters; "C" and "POSIX" name none.
    const QString name = MessagesLocale().section(u'.', 0, 0).section(u'@', 0, 0);
    const QLocale::Language language = QLocale(name).language();
    if (name.isEmpty() || language == QLocale::C || language == QLocale::AnyLanguage)
        return {};
    return QLocale::languageToCode(language, QLocale::ISO639Part1).toStdString();
}

std::string X11Platform::executableName() { return m_executablePath.substr(m_executablePath.rfind('/') + 1); }

bool X11Platform::writeRunAtLogon(const std::string& command)
{
    const std::string path = AutostartEntryPath().toStdString();
    if (WriteAutostartEntry(path, command))
        return true;
    Warn("could not write the autostart entry " + path);
    return false;
}

bool X11Platform::deleteRunAtLogon()
{
    const QString path = AutostartEntryPath();
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return true;
    Warn("could not remove the autostart entry " + path.toStdString());
    return false;
}

std::string DisplayKey(const std::string& display)
{
    const std::size_t colon = display.rfind(':');
    std::string host = colon == std::string::npos ? std::string() : display.substr(0, colon);
    std::string number = colon == std::string::npos ? display : display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (host == "unix")
        host.clear();
    std::string key = host.empty() ? number : host + "-" + number;
    // Whatever else the value holds must not reach the file name as a separator.
    for (char& c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != '_')
            c = '_';
    }
    return key;
}

std::string SingleCopyLockPath(const std::string& display, const std::string& runtimeFolder,
    const std::string& temporaryFolder, unsigned long userId)
{
    const std::string name = "display-" + DisplayKey(display) + ".lock";
    if (!runtimeFolder.empty())
        return runtimeFolder + "/dimoro-" + name;
    return temporaryFolder + "/dimoro-" + std::to_string(userId) + "-" + name;
}

std::string MissingBeforeStart()
{
    // Qt would abort on its own without a display; say what is missing instead.
    const QString qpa = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qpa.isEmpty())
        return "Dimoro Free needs a graphical X11 session: DISPLAY is not set.";
    // Where Qt is to use X11, an X server that does not answer would abort it just the same.
    const bool onX11 = qpa.isEmpty() ? qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") : qpa.startsWith(u"xcb");
    if (onX11 && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr)
            return "Dimoro Free cannot connect to the X server of this session (DISPLAY is \""
                + qEnvironmentVariable("DISPLAY").toStdString() + "\").";
        XCloseDisplay(display);
    }
    return {};
}

std::unique_ptr<Platform> CreateSystemPlatform(std::string& whyNot) { return X11Platform::Create(whyNot); }

} // namespace platform
