#include "Program.h"
#include "platform/Backend.h"
#include "platform/Log.h"
#include "settings/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLoggingCategory>
#include <QMessageBox>

#include <cstdio>
#include <optional>

namespace {

Q_LOGGING_CATEGORY(lcProgram, "dimoro")

bool CanShowWindows()
{
    const QString qpa = QGuiApplication::platformName();
    return qpa != QLatin1String("offscreen") && qpa != QLatin1String("minimal");
}

// End-to-end tests read the texts the program shows from standard error; only they set the variable.
bool ReportTexts() { return !qEnvironmentVariableIsEmpty("DIMORO_TEST_REPORT_TEXTS"); }

void Report(const char* what, const QString& text) { std::fprintf(stderr, "%s: %s\n", what, qUtf8Printable(text)); }

void LogWarning(const std::string& message) { qCWarning(lcProgram).noquote() << QString::fromStdString(message); }

// The command line, read before any window so that --help and --version work without a display. The exit code
// when the line asks for no toolbar: 0 after help or the version, 2 for a line the program does not take.
std::optional<int> ReadCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Dimoro Free clicks wherever the mouse pointer rests, for people who can move a pointer\n"
                       "but cannot press its buttons. It needs an X11 session. Without options it starts\n"
                       "the toolbar at the left screen edge."));
    // Our own two rather than Qt's, whose help would also offer Qt's options, which this line does not take.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("dimoro"));
    QString error;
    if (!parser.parse(arguments))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "dimoro: %s\n%s", qUtf8Printable(error), qUtf8Printable(usage));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(usage), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        const platform::Version numbers {DIMORO_VERSION_MAJOR, DIMORO_VERSION_MINOR, DIMORO_VERSION_REVISION};
        std::printf("%s\n", settings::VersionText(numbers).c_str());
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> code = ReadCommandLine(argc, argv))
        return *code;
    if (const std::string missing = platform::MissingBeforeStart(); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }

    QApplication app(argc, argv);
    // The toolbar hides and shows all the time; the program ends only on its own terms.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/dimoro.ico")));
    platform::SetWarningSink(LogWarning);

    std::string whyNot;
    const auto backend = platform::CreateSystemPlatform(whyNot);
    if (!backend) {
        std::fprintf(stderr, "%s\n", whyNot.c_str());
        if (CanShowWindows())
            QMessageBox::critical(nullptr, QStringLiteral("Dimoro Free"), QString::fromStdString(whyNot));
        return 1;
    }

    Program program(*backend);
    // A button held by drag mode is let go on every way out: the user could not free it.
    backend->onTerminationRequest([&program, &os = *backend] {
        program.engine().releaseHeldButton();
        os.endProcess(0);
    });
    if (ReportTexts()) {
        auto& showMessage = program.desktop().showMessage;
        showMessage = [show = showMessage](const QString& text, const QString& title) {
            Report("message title", title);
            Report("message text", text);
            show(text, title);
        };
        auto& showNotice = program.desktop().showNotice;
        showNotice = [show = showNotice](const QString& text, const QString& title) {
            Report("notice title", title);
            Report("notice text", text);
            show(text, title);
        };
    }
    program.start();
    if (ReportTexts()) {
        for (int i = 0; i < toolbar::ToolbarWindow::kButtons; ++i)
            Report(qPrintable(QStringLiteral("tooltip %1").arg(i)),
                program.toolbar().button(static_cast<engine::Mode>(i))->toolTip());
    }
    program.toolbar().show();
    const int code = QApplication::exec();
    program.engine().releaseHeldButton();
    return code;
}
