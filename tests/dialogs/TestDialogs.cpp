// The toolbar's buttons and the dialogs on the started program: what a user's steps leave behind, the exit
// question's cut-out picture, and the translation page.
#include "Steps.h"

#include "dialogs/Site.h"

#include <QCheckBox>
#include <QStyleOptionSlider>

#include <algorithm>

using namespace engine;
using support::Ini;
using support::Row;

const QByteArray kNone; // no Dimoro.ini
const char* const kModeNames[] = {"exit", "pause", "double", "left", "drag", "right", "middle", "options", "help"};

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data()
    {
        // The facts are "what=value" apart by "; ", as seen once the steps (see support::Run) are done.
        support::Columns<QByteArray, QString, QString>("ini", "steps", "facts");
        const QByteArray sounded = Ini("2 5 0 English.lng 1 0");
        Row("moves inside one button sound once", sounded, "5 5 5", "mode=right; sounds=1");
        Row("each button entered sounds", sounded, "3 4 6", "mode=middle; sounds=3");
        Row("the background pauses; back on the same button is silent", sounded, "6 b 6 b", "mode=pause; sounds=1");
        Row("sound off", kNone, "0 1 8 7", "mode=options; sounds=0");
        Row("a dialog up: buttons sound and keep the mode", sounded, "options 2 5", "mode=left; sounds=2");
        // The cut-out picture: the question behind gets the moves over its magenta.
        Row("over the face of the question's picture", kNone, "exit b picture:21,20", "mode=pause");
        Row("over the magenta beside the face", kNone, "exit b picture:1,38", "mode=left");
        Row("help: the language's page", kNone, "8 help", "opened=%1/Help.html; mode=left");
        Row("help: no such page", kNone, "table:Test help", "opened=%1/Help Topics.html");
        Row("help: the page is a folder", kNone, "table:Stale help", "opened=%1/Help Topics.html");

        // At start-up the exit question saved Exit and the options dialog left click.
        Row("exit, no: the start-up's mode", kNone, "exit no", "mode=exit; question=unloaded");
        Row("exit, close box", kNone, "exit qclose", "mode=exit; question=unloaded");
        Row("exit, Escape", kNone, "exit qesc", "mode=exit; question=unloaded");
        Row("the question up: buttons keep left click", kNone, "exit 5", "mode=left; question=shown");
        Row("after no, a button loads the question again", kNone, "exit no b 5", "mode=right; question=hidden");
        Row("and the mode it saved comes back", kNone, "exit no b 5 exit no", "mode=pause; question=unloaded");
        Row("exit while unloaded saves left click", kNone, "exit no exit no", "mode=left");
        Row("options loaded again save the mode of then", kNone, "options cancel b 6 options b ok", "mode=pause");
        const QByteArray plain = Ini("3 7 0 English.lng 1 0");
        const QByteArray logon = Ini("3 7 1 English.lng 1 0");
        Row("Cancel: left click back, nothing changed", kNone, "5 options b logon middle down cancel",
            "mode=left; options=; ini=none; logon=older; toolbar=5385 at 2467.5");
        Row("close box", plain, "5 options b middle sound close",
            "mode=left; options=; ini=3 7 0 English.lng 1 0; logon=older; toolbar=5385 at 2467.5");
        Row("Escape", kNone, "5 options b middle tdown esc", "mode=left; options=; ini=none; toolbar=5385 at 2467.5");

        // Bars, numbers and check boxes as loaded.
        Row("dwell 0: 2/5", Ini("7 0 0 English.lng 1 0"), "", "options=2 5 2 5 0 1 0 1");
        Row("out of range: controls as they were, numbers as stored", Ini("25 30 5 x -1 3"), "",
            "options=0 2 25 30 0 1 0 1");
        Row("grey boxes; a seventh field 0", Ini("1 3 2 English.lng 2 2 0"), "", "options=1 3 1 3 2 2 2 0");

        Row("no file: OK saves 2/5", kNone, "options ok",
            "ini=2 5 0 English.lng 0 0 1; logon=removed; toolbar=5415 at 2467.5");
        Row("middle box checked: the button shown", plain, "options middle ok",
            "ini=3 7 0 English.lng 1 1 1; toolbar=6165 at 2467.5");
        Row("middle box cleared: the button hidden", Ini("3 7 0 x 1 1"), "options middle ok",
            "ini=3 7 0 x 1 0 1; toolbar=5415 at 2467.5");
        Row("logon, sound and ring toggled; the down arrow increases", plain,
            "options logon sound ring down down up ok", "ini=3 8 1 English.lng 0 0 0; logon=written");
        Row("logon kept: written again", logon, "options ok", "logon=written");
        Row("logon cleared: removed", logon, "options logon ok", "ini=3 7 0 English.lng 1 0 1; logon=removed");
        Row("grey boxes: a click checks", Ini("3 7 2 x 2 2"), "options logon sound middle ok",
            "ini=3 7 1 x 1 1 1; logon=written");
        Row("the bars stop at 10 and 20", Ini("9 19 0 x 0 0"), "options tdown tdown down down ok",
            "ini=10 20 0 x 0 0 1");
        Row("stored out of range: the bars' values saved", Ini("25 30 0 x 0 0"), "options ok", "ini=0 2 0 x 0 0 1");
        Row("Dimoro.ini cannot be written: OK says so", plain, "noini options down ok", "notice=English 1: English 28");
        Row("logon from a name that is not text: not written, said", plain, "bytes options logon ok",
            "ini=3 7 1 English.lng 1 0 1; logon=older; notice=English 16: English 29");

        // Five ticks of rest in drag mode press the left button.
        Row("yes lets the button held by drag go first", kNone, "4 ticks:5 exit yes", "events=2; ended=0");
        Row("no keeps it held", kNone, "4 ticks:5 exit no", "events=1; ended=-1");

        // The about box takes the options dialog's place until it closes.
        Row("about: the caption, its tooltip without dots", kNone, "options about",
            "shown=about; caption=About Dimoro Free");
        Row("about: the rights once, however often opened", kNone, "options about about", "copyright= - Rights");
        for (const char* close : {"box:background", "box:title", "boxclose", "boxesc"})
            Row(qPrintable(close + QString(" closes the about box")), kNone, "options about " + QString(close),
                "shown=options; opened=");
        Row("about: the rule and picture stay; the home page opens", kNone,
            "options about box:rule box:picture box:home", "shown=about; opened=https://www.dimorofree.org/");
        // The credits' top in twips, the ticks of the pause, the top in pixels.
        Row("about: the end at the bottom, paused", kNone, "options about scroll:413", "credits=-1920 1 -128");
        Row("about: moves on after 120 ticks", kNone, "options about scroll:533", "credits=-1930 121 -129");
        Row("about: out of sight, in again from below", kNone, "options about scroll:756", "credits=2200 0 147");

        // Rows from Stale start with texts no window shows yet, so that a refresh shows.
        Row("language: cancelled, texts applied", kNone, "table:Stale options language: ok",
            "texts=Stale 13... | Stale 19; ini=2 5 0 English.lng 0 0 1");
        Row("language: our Lang folder; the dialog keeps its values", kNone,
            "options down language:%1/Lang/Test.lng ok", "texts=Test 13... | Test 19; ini=2 6 0 Test.lng 0 0 1");
        Row("language: a subfolder", kNone, "options language:%1/Lang/sub/Sub.lng ok",
            "texts=Sub 13... | Sub 19; ini=2 5 0 sub/Sub.lng 0 0 1");
        Row("language: the last of two Lang folders, the name read from ours", kNone,
            "options language:/media/Lang/stick/Lang/Test.lng ok",
            "texts=Test 13... | Test 19; ini=2 5 0 Test.lng 0 0 1");
        Row("language: unreadable, old name and texts kept", kNone, "table:Stale options language:%1/Lang/None.lng ok",
            "texts=Stale 13... | Stale 19; ini=2 5 0 English.lng 0 0 1");
        Row("language: lower-case lang, the current file read again", kNone,
            "table:Stale options language:%1/lang/x ok",
            "texts=English 13... | English 19; ini=2 5 0 English.lng 0 0 1");
        Row("language: a name outside Dimoro.ini's code page, old name and texts kept", kNone,
            "table:Stale options language:%1/Lang/Русский.lng ok",
            "texts=Stale 13... | Stale 19; ini=2 5 0 English.lng 0 0 1");
        Row("language: a folder whose name is not text, said", kNone, "table:Stale options bytes:folder language:x",
            "texts=Stale 13... | Stale 19; notice=Stale 17: Stale 29");
    }
    void steps()
    {
        const auto [ini, steps, facts] = support::Fetch<QByteArray, QString, QString>("ini", "steps", "facts");
        support::StartedProgram p(false);
        support::WriteLanguage(
            p, "English.lng", "English", {{2, "Help"}, {11, "About Dimoro Free..."}, {27, "Rights"}});
        support::WriteLanguage(p, "Stale.lng", "Stale", {{2, "Folder"}, {11, "ab"}});
        support::WriteLanguage(p, "Test.lng", "Test");
        support::WriteLanguage(p, "sub/Sub.lng", "Sub");
        support::WriteLanguage(p, "Русский.lng", "Russian");
        QVERIFY(support::WriteFile(p.folder.file("Help.html"), {}) && QDir(p.folder.path()).mkdir("Folder.html"));
        support::Start(p, ini);
        p.os.runAtLogon = "older";
        support::Run(p, steps);

        dialogs::Dialogs& d = p.program->dialogs();
        const dialogs::AboutBox* about = d.about();
        const auto number = [](auto value) { return QString::number(value); };
        QStringList options;
        if (d.isLoaded(Dialog::Options)) {
            const auto& ui = d.options().controls();
            options << number(ui.toleranceBar->value()) << number(ui.dwellBar->value()) << ui.toleranceValue->text()
                    << ui.dwellValue->text();
            for (const QCheckBox* box : {ui.runAtLogonBox, ui.soundBox, ui.middleClickBox, ui.progressBox})
                options << number(dialogs::OptionsDialog::CheckValue(box));
        }
        QFile file(p.folder.file("Dimoro.ini"));
        const QString folder = QUrl::fromLocalFile(p.folder.path()).toString();
        const std::string logon = p.os.runAtLogon.value_or("removed");
        const bool asked = d.isLoaded(Dialog::ExitQuestion);
        const bool boxShown = about != nullptr && about->isVisible();
        const toolbar::ToolbarWindow& bar = p.program->toolbar();
        // mode: the click mode; sounds: selection sounds played; opened: the first page opened ("%1" the program's
        // folder); question: the exit question unloaded, hidden or shown; shown: the options dialog or the about box
        // on the screen; options: its bars, numbers and check boxes, empty when unloaded; ini: Dimoro.ini's lines;
        // logon: the start at logon entry ("older" as the test left it); toolbar: its height and top in twips;
        // events: button events injected; ended: the exit code, -1 while running; caption, copyright (what follows
        // the designed line) and credits (top in twips, pause ticks, top in pixels) of the about box; texts: the
        // options button's tooltip and the exit question; notice: the messages that need no answer.
        const QMap<QString, QString> seen {
            {"mode", kModeNames[int(p.program->engine().mode())]},
            {"sounds",
                number(std::ranges::count_if(p.os.sounds, [](auto& s) { return s.path.ends_with("Click2.wav"); }))},
            {"opened", p.opened.empty() ? "" : p.opened[0].toString().replace(folder, "%1")},
            {"question", asked ? (d.isVisible(Dialog::ExitQuestion) ? "shown" : "hidden") : "unloaded"},
            {"shown", QString(boxShown ? "about" : "") + (d.isVisible(Dialog::Options) ? "options" : "")},
            {"options", options.join(' ')},
            {"ini", file.open(QIODevice::ReadOnly) ? QString(file.readAll()).replace("\r\n", " ").trimmed() : "none"},
            {"logon", logon == settings::RunAtLogonCommand(p.os) ? "written" : QString::fromStdString(logon)},
            {"toolbar", number(bar.twips().height) + " at " + number(bar.twips().top)},
            {"events", number(p.os.events.size())},
            {"ended", number(p.os.endedWith)},
            {"caption", about != nullptr ? about->windowTitle() : "-"},
            {"copyright", about != nullptr ? about->controls().copyright->text().remove(dialogs::kCopyright) : "-"},
            {"credits",
                about == nullptr ? ""
                                 : QString::asprintf("%g %d %d", about->creditsTop(), about->pauseTicks(),
                                     about->controls().credits->y())},
            {"texts",
                bar.button(Mode::Options)->toolTip() + " | " + (asked ? d.exitQuestion().question()->text() : "")},
            {"notice", p.notices.join(" / ")},
        };
        // However the mode was chosen, a screen reader hears it: its button alone is checked, none for a command.
        for (int i = 0; i < kModes; ++i) {
            const QAccessible::State state = QAccessible::queryAccessibleInterface(bar.button(Mode(i)))->state();
            QCOMPARE(state.checked, state.checkable && Mode(i) == p.program->engine().mode());
        }
        for (const QString& fact : facts.split("; ")) {
            QVERIFY2(seen.contains(fact.section('=', 0, 0)), qPrintable(fact));
            QCOMPARE(fact.section('=', 0, 0) + '=' + seen.value(fact.section('=', 0, 0)), fact);
        }
    }

    void arrows_data()
    {
        // Each bar and the rounded frame painted around it, in pixels.
        support::Columns<bool, QRect>("tolerance", "frame");
        Row("tolerance", true, QRect(126, 66, 345, 45));
        Row("dwell time", false, QRect(10, 116, 461, 45));
    }
    void arrows()
    {
        // Arrows a shaky hand can rest on, inside the frame, one step a click; the down arrow increases.
        const auto [tolerance, frame] = support::Fetch<bool, QRect>("tolerance", "frame");
        support::StartedProgram p;
        const auto& ui = p.program->dialogs().options().controls();
        QScrollBar* bar = tolerance ? ui.toleranceBar : ui.dwellBar;
        struct Open : QScrollBar
        {
            using QScrollBar::initStyleOption;
        };
        QStyleOptionSlider option;
        (bar->*&Open::initStyleOption)(&option);
        for (const auto& [arrow, step] :
            {std::pair {QStyle::SC_ScrollBarSubLine, -1}, {QStyle::SC_ScrollBarAddLine, 1}}) {
            const QRect area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
            QVERIFY(area.width() >= 24 && area.height() >= 20);
            QVERIFY(frame.adjusted(1, 1, -1, -1).contains(area.translated(bar->pos())));
            const int before = bar->value();
            QTest::mouseClick(bar, Qt::LeftButton, {}, area.center());
            QCOMPARE(bar->value(), before + step);
        }
    }

    // The progress switch in every shipped language: inside the check boxes' frame, clear of the controls beside it.
    void progressSwitch()
    {
        support::StartedProgram p;
        const QDir shipped = QFileInfo(QFINDTESTDATA("../../resources/Lang/English.lng")).dir();
        p.os.folder = QFileInfo(shipped.path()).path().toStdString();
        const auto& ui = p.program->dialogs().options().controls();
        QCOMPARE(shipped.entryList({"*.lng"}).size(), 5);
        for (const QString& name : shipped.entryList({"*.lng"})) {
            QVERIFY2(p.program->language().loadFrom(p.os, name.toStdString()), qPrintable(name));
            p.program->applyLanguage();
            const QRect box = ui.progressBox->geometry(), label = ui.progressLabel->geometry();
            QVERIFY2(QRect(11, 167, 459, 55).contains(box | label), qPrintable(name));
            QVERIFY2(!label.intersects(ui.soundLabel->geometry()) && !box.intersects(ui.soundBox->geometry()),
                qPrintable(name));
        }
    }

    void translationPage_data()
    {
        // The folder in data/ holding the language files, the page expected being <files>.html; a page already there.
        support::Columns<QString, QByteArray>("files", "earlier");
        Row("five files: texts escaped, high bytes kept", "full", QByteArray());
        Row("missing and short files: empty cells; a longer page replaced", "gaps", QByteArray(20000, 'x'));
    }
    void translationPage()
    {
        const auto [files, earlier] = support::Fetch<QString, QByteArray>("files", "earlier");
        support::StartedProgram p(false);
        p.os.folder = p.folder.file("my program").toStdString();
        const QDir source(QFINDTESTDATA("data/" + files + "/Lang"));
        QVERIFY(QDir().mkpath(support::Folder(p) + "/Lang"));
        for (const QString& name : source.entryList(QDir::Files))
            QVERIFY(QFile::copy(source.filePath(name), support::Folder(p) + "/Lang/" + name));
        const QString page = support::Folder(p) + "/Invia_Traduzione.html";
        QVERIFY(earlier.isNull() || support::WriteFile(page, earlier));
        p.program->start();

        support::Run(p, "options translate");
        // Hidden, not closed: its values wait for OK or Cancel.
        QVERIFY(!p.program->dialogs().isVisible(Dialog::Options) && p.program->dialogs().isLoaded(Dialog::Options));
        QFile written(page);
        QFile expected(QFINDTESTDATA("data/" + files + ".html"));
        QVERIFY(written.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected.readAll());
        QCOMPARE(p.opened, std::vector {QUrl::fromLocalFile(page)});
    }
};

QTEST_MAIN(TestDialogs)
#include "TestDialogs.moc"
