#include "engine/Engine.h"
#include "platform/Backend.h"
#include "toolbar/Form1.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

bool CanShowWindows()
{
    const QString qpa = QGuiApplication::platformName();
    return qpa != QLatin1String("offscreen") && qpa != QLatin1String("minimal");
}

// End-to-end tests read the texts the program shows from standard error; only they set the variable.
bool ReportTexts() { return !qEnvironmentVariableIsEmpty("DIMORO_TEST_REPORT_TEXTS"); }

void Report(const char* what, const QString& text) { std::fprintf(stderr, "%s: %s\n", what, qUtf8Printable(text)); }

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

    std::string whyNot;
    const auto backend = platform::CreateSystemPlatform(whyNot);
    if (!backend) {
        std::fprintf(stderr, "%s\n", whyNot.c_str());
        if (CanShowWindows())
            QMessageBox::critical(nullptr, QStringLiteral("Dimoro Free"), QString::fromStdString(whyNot));
        return 1;
    }
    platform::Install(backend.get());
    // A button held by drag mode is let go on every way out: the user could not free it.
    backend->onTerminationRequest([] {
        engine::ReleaseHeldButton();
        platform::Current().endProcess(0);
    });

    if (ReportTexts()) {
        toolbar::Form1::showMessage = [show = toolbar::Form1::showMessage](const QString& text, const QString& title) {
            Report("message title", title);
            Report("message text", text);
            show(text, title);
        };
    }
    toolbar::Form1 form;
    form.Form_Initialize();
    form.Form_Load();
    if (ReportTexts()) {
        for (int i = 0; i < toolbar::Form1::kButtons; ++i)
            Report(qPrintable(QStringLiteral("tooltip %1").arg(i)), form.Image1(i)->toolTip());
    }
    form.show();
    const int code = QApplication::exec();
    engine::ReleaseHeldButton();
    return code;
}
