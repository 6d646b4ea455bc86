// Set-up the widget tests share: a fresh fake platform and program state, files in a temporary program
// folder, the toolbar started from it, and every window gone again before the next test.
#pragma once

#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "dialogs/frmAbout.h"
#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "tests/TestRow.h"
#include "toolbar/Form1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace support {

inline void Reset(platform::FakePlatform& os)
{
    os = platform::FakePlatform();
    platform::Install(&os);
    engine::ResetState();
    settings::Settings = {};
    settings::LanguageTable.fill({});
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Gives the folder a Lang folder with the shipped English texts.
inline bool CopyEnglish(const QString& folder)
{
    return QDir().mkpath(folder + QStringLiteral("/Lang"))
        && QFile::copy(QFINDTESTDATA("../resources/Lang/English.lng"), folder + QStringLiteral("/Lang/English.lng"));
}

inline std::unique_ptr<toolbar::Form1> Start()
{
    auto form = std::make_unique<toolbar::Form1>();
    form->Form_Initialize();
    form->Form_Load();
    return form;
}

inline void Unload(std::unique_ptr<toolbar::Form1>& form)
{
    form.reset();
    dialogs::UnloadAbout();
    dialogs::UnloadOptions();
    dialogs::UnloadExitQuestion();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace support
