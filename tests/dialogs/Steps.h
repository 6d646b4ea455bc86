// What a user does to the started program, one word a step, so that a test row reads as what was done.
#pragma once

#include "dialogs/AboutBox.h"
#include "dialogs/ExitQuestion.h"
#include "dialogs/MaskedPicture.h"
#include "dialogs/OptionsDialog.h"
#include "tests/TestSupport.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <map>

namespace support {

// The six lines of a settings file, written as words: Ini("2 5 0 English.lng 0 0").
inline QByteArray Ini(const QString& words) { return words.toUtf8().replace(' ', "\r\n") + "\r\n"; }

inline QString Folder(const StartedProgram& p) { return QString::fromStdString(p.os.folder); }

// Starts the program from its folder with this Dimoro.ini (none when null) and the selection sound.
inline void Start(StartedProgram& p, const QByteArray& ini)
{
    QVERIFY(ini.isNull() || WriteFile(p.folder.file("Dimoro.ini"), ini));
    QVERIFY(QDir().mkpath(p.folder.file("Click")) && WriteFile(p.folder.file("Click/Click2.wav"), "RIFF"));
    p.program->start();
}

// A language file in the program's Lang folder whose line k reads "<word> <k>", but for the lines given.
inline void WriteLanguage(
    const StartedProgram& p, const QString& name, const QByteArray& word, std::map<int, QByteArray> lines = {})
{
    QByteArray bytes;
    for (int k = 0; k < settings::kLanguageEntries; ++k)
        bytes += "00 " + (lines.count(k) != 0 ? lines[k] : word + ' ' + QByteArray::number(k)) + "\r\n";
    QDir().mkpath(QFileInfo(Folder(p) + "/Lang/" + name).path());
    QVERIFY(WriteFile(Folder(p) + "/Lang/" + name, bytes));
}

// Steps apart by blanks. A digit moves the pointer over that toolbar button, "b" over its background; "exit",
// "options" and "help" click the toolbar's buttons; "ticks:<n>" runs n ticks of the dwell timer. "no", "yes", "qclose"
// and "qesc" answer the exit question, "picture:<x>,<y>" moves the pointer over that point of its picture. "ok",
// "cancel", "close" and "esc" end the options dialog; "logon", "sound", "middle" and "ring" click a check box's label,
// "up" and "down" the dwell time's arrows, "tup" and "tdown" the tolerance's; "language:<path>" chooses that file ("%1"
// the program's folder, nothing cancels), "translate" and "about" click the other links. "boxclose" and "boxesc" close
// the about box or press Escape in it, "box:<part>" clicks its background, title, rule, picture (of the credits) or
// home (page); "scroll:<n>" runs n steps of its credits. "table:<language>" loads texts no window shows yet. "noini"
// puts a folder where Dimoro.ini goes; "bytes" names the executable, or "bytes:folder" its folder, with bytes that are
// not UTF-8. A dialog is touched only by its own steps, as a touch loads it.
inline void Run(StartedProgram& p, const QString& steps)
{
    using engine::Mode;
    toolbar::ToolbarWindow& bar = p.program->toolbar();
    dialogs::Dialogs& d = p.program->dialogs();
    QString argument;
    const auto move = [](QWidget* control) {
        QMouseEvent event(
            QEvent::MouseMove, QPointF(), control->mapToGlobal(QPointF()), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &event);
    };
    const auto click = [](QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); };
    const auto arrow = [](QScrollBar* b, bool down) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, down ? b->height() - 2 : 1));
    };
    const auto repeat = [&argument](const std::function<void()>& what) {
        for (int i = argument.toInt(); i > 0; --i)
            what();
    };
    const auto ui = [&d] { return d.options().controls(); };
    const auto box = [&] {
        QVERIFY2(d.about() != nullptr, "the about box is not open");
        const auto& c = d.about()->controls();
        const std::map<QString, QWidget*> parts {{"background", d.about()}, {"title", c.title}, {"rule", c.rule},
            {"picture", c.creditsPicture}, {"home", c.homePage}};
        click(parts.at(argument));
    };
    const auto language = [&] {
        p.program->desktop().runFileDialog
            = [path = argument.replace("%1", p.folder.path())](QFileDialog&) { return path; };
        click(ui().chooseLanguageLink);
    };
    std::map<QString, std::function<void()>> actions {
        {"b", [&] { move(bar.background()); }},
        {"exit", [&] { click(bar.button(Mode::Exit)); }},
        {"options", [&] { click(bar.button(Mode::Options)); }},
        {"help", [&] { click(bar.button(Mode::Help)); }},
        {"ticks", [&] { repeat([&] { p.program->engine().tick(); }); }},
        {"no", [&] { click(d.exitQuestion().noButton()); }},
        {"yes", [&] { click(d.exitQuestion().yesButton()); }},
        {"qclose", [&] { d.exitQuestion().close(); }},
        {"qesc", [&] { QTest::keyClick(&d.exitQuestion(), Qt::Key_Escape); }},
        {"ok", [&] { click(ui().okButton); }},
        {"cancel", [&] { click(ui().cancelButton); }},
        {"close", [&] { d.options().close(); }},
        {"esc", [&] { QTest::keyClick(&d.options(), Qt::Key_Escape); }},
        {"logon", [&] { click(ui().runAtLogonLabel); }},
        {"sound", [&] { click(ui().soundLabel); }},
        {"middle", [&] { click(ui().middleClickLabel); }},
        {"ring", [&] { click(ui().progressLabel); }},
        {"up", [&] { arrow(ui().dwellBar, false); }},
        {"down", [&] { arrow(ui().dwellBar, true); }},
        {"tup", [&] { arrow(ui().toleranceBar, false); }},
        {"tdown", [&] { arrow(ui().toleranceBar, true); }},
        {"language", language},
        {"translate", [&] { click(ui().addLanguageLink); }},
        {"about", [&] { click(ui().aboutLink); }},
        {"box", box},
        {"boxclose", [&] { d.about()->close(); }},
        {"boxesc", [&] { QTest::keyClick(d.about(), Qt::Key_Escape); }},
        {"scroll", [&] { repeat([&] { d.about()->scrollCredits(); }); }},
        {"picture",
            [&] {
                const QPoint at(argument.section(',', 0, 0).toInt(), argument.section(',', 1).toInt());
                QTest::mouseMove(d.exitQuestion().windowHandle(), d.exitQuestion().picture()->pos() + at);
            }},
        {"table", [&] { QVERIFY(p.program->language().loadFrom(p.os, argument.toStdString() + ".lng")); }},
        {"noini",
            [&] { QVERIFY(QFile::remove(p.folder.file("Dimoro.ini")) && QDir().mkdir(p.folder.file("Dimoro.ini"))); }},
        {"bytes", [&] { (argument.isEmpty() ? p.os.name : p.os.folder) += "\xFF"; }},
    };
    for (int button = 0; button < engine::kModes; ++button)
        actions[QString::number(button)] = [&, button] { move(bar.button(Mode(button))); };
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        argument = step.section(':', 1);
        QVERIFY2(actions.count(step.section(':', 0, 0)) == 1, qPrintable(step));
        actions.at(step.section(':', 0, 0))();
    }
}

} // namespace support
