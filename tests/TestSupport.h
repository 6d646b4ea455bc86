// Set-up the tests share: the engine's windows as a recording stand-in, a temporary program folder, and the
// whole program started on the fake platform.
#pragma once

#include "app/Program.h"
#include "engine/DwellEngine.h"
#include "platform/fake/FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

namespace support {

// One data row on one line: Row("name", a, b, c).
template<typename... T>
void Row(const char* name, const T&... values)
{
    (QTest::newRow(name) << ... << values);
}

// Columns<QString, int>("steps", "mode") in a _data function; then const auto [steps, mode] = Fetch<QString,
// int>("steps", "mode") in the test, or Fetched<QString>("steps") for one column.
template<typename... T, typename... Name>
void Columns(Name... names)
{
    (QTest::addColumn<T>(names), ...);
}
template<typename T = int>
T Fetched(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}
template<typename... T, typename... Name>
std::tuple<T...> Fetch(Name... names)
{
    return {Fetched<T>(names)...};
}

// The toolbar as the engine sees it (the start-up geometry of a 768-pixel screen), recording what the engine
// asks of the windows.
class StandInWindows : public engine::EngineWindows
{
public:
    double toolbarTop() override { return 164.5; }
    double toolbarHeight() override { return 359; }
    double toolbarWidth() override { return 45; }
    bool toolbarVisible() override { return visible; }
    void showToolbar() override { visible = true; }
    void hideToolbar() override { visible = false; }
    void loadDialog(engine::Dialog dialog) override { loads.push_back(dialog); }
    bool dialogVisible(engine::Dialog) override { return false; }
    void runCommand(engine::Mode command) override { commands.push_back(command); }
    // "L3/5 " for each tick that shows a rest's progress (the kind's letter in LDPRrMC order), "- " for a hide.
    void showProgress(platform::Point, engine::Countdown countdown, int done, int total) override
    {
        progress += QStringLiteral("%1%2/%3 ").arg(QChar(u"LDPRrMC"[int(countdown)])).arg(done).arg(total);
    }
    void hideProgress() override { progress += QStringLiteral("- "); }

    bool visible = false;
    std::vector<engine::Dialog> loads;
    std::vector<engine::Mode> commands;
    QString progress;
};

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A program folder of its own with the shipped English texts, which the fake platform reports as the
// executable's folder.
class ProgramFolder
{
public:
    explicit ProgramFolder(platform::FakePlatform& os)
    {
        QDir().mkpath(path() + QStringLiteral("/Lang"));
        QFile::copy(QFINDTESTDATA("../resources/Lang/English.lng"), path() + QStringLiteral("/Lang/English.lng"));
        os.folder = path().toStdString();
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
};

// The whole program on the fake platform, started as main() starts it; every window is gone with it.
struct StartedProgram
{
    explicit StartedProgram(bool start = true)
    {
        program = std::make_unique<Program>(os);
        program->desktop().openUrl = [this](const QUrl& url) { opened.push_back(url); };
        program->desktop().showMessage = [this](const QString& text, const QString&) { messages.push_back(text); };
        program->desktop().showNotice
            = [this](const QString& text, const QString& title) { notices << title + ": " + text; };
        if (start)
            program->start();
    }
    ~StartedProgram()
    {
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    platform::FakePlatform os;
    ProgramFolder folder {os};
    std::unique_ptr<Program> program;
    std::vector<QUrl> opened;
    QStringList messages;
    QStringList notices; // "title: text"
};

} // namespace support
