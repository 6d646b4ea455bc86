#include "Program.h"
#include "platform/Backend.h"
#include "platform/Log.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QMessageBox>

#include <cstdio>

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

} // namespace

int main(int argc, char** argv)
{
    // The toolbar is compared with pointer positions in device pixels, so Qt must not scale it.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
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
