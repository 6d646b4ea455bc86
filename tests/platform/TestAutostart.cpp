#include "platform/x11/Autostart.h"

#include <QTest>

#include <algorithm>
#include <optional>

namespace {

// Reads an Exec value back the way a session starting it does: the desktop-entry string escapes first,
// then the one quoted argument, then the '%%' field code. Empty when the value is malformed.
std::optional<std::string> DecodeExec(const std::string& value)
{
    std::string unescaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            unescaped += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\':
            unescaped += '\\';
            break;
        case 'n':
            unescaped += '\n';
            break;
        case 't':
            unescaped += '\t';
            break;
        case 'r':
            unescaped += '\r';
            break;
        case 's':
            unescaped += ' ';
            break;
        default:
            return std::nullopt;
        }
    }
    if (unescaped.size() < 2 || unescaped.front() != '"' || unescaped.back() != '"')
        return std::nullopt;
    std::string argument;
    for (std::size_t i = 1; i + 1 < unescaped.size(); ++i) {
        char c = unescaped[i];
        if (c == '\\') {
            c = unescaped[++i];
            if (i + 1 == unescaped.size() || (c != '"' && c != '`' && c != '$' && c != '\\'))
                return std::nullopt;
        } else if (c == '"' || c == '`' || c == '$') {
            return std::nullopt; // must have been escaped
        } else if (c == '%') {
            if (unescaped[++i] != '%')
                return std::nullopt; // a field code the session would expand
        }
        argument += c;
    }
    return argument;
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void execValue_data();
    void execValue();
};

void TestAutostart::execValue_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("plain") << QByteArray("/opt/dimoro/dimoro");
    QTest::newRow("blanks") << QByteArray("/home/ann/My Programs/Dimoro Free/dimoro");
    QTest::newRow("double quotes") << QByteArray("/home/ann/\"quoted\"/dimoro");
    QTest::newRow("single quote") << QByteArray("/home/ann/Ann's/dimoro");
    QTest::newRow("backslash") << QByteArray("/home/ann/back\\slash\\\\/dimoro");
    QTest::newRow("percent, field code lookalikes") << QByteArray("/home/ann/100%/%f %u %%/dimoro");
    QTest::newRow("dollar and backtick") << QByteArray("/home/ann/$HOME/`id`/$(id)/dimoro");
    QTest::newRow("line ends and tab") << QByteArray("/home/ann/a\nExec=/bin/false\r\n\tb/dimoro");
    QTest::newRow("UTF-8") << QByteArray("/home/jos\xc3\xa9/\xe6\x97\xa5\xe6\x9c\xac/dimoro");
    QTest::newRow("everything at once") << QByteArray("/a b/\"c\"\\d%e$f`g\nh/dimoro");
}

void TestAutostart::execValue()
{
    QFETCH(QByteArray, command);
    const std::string entry = platform::AutostartEntryText(command.toStdString());

    // Nothing in the path may start a line of its own: it could add or replace a key.
    const QList<QByteArray> lines = QByteArray::fromStdString(entry).split('\n');
    QCOMPARE(lines.size(), 8); // seven lines and the empty rest after the last line end
    QCOMPARE(lines.first(), QByteArray("[Desktop Entry]"));
    QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("Exec="); }), 1);
    const QByteArray exec = lines.at(4);
    QVERIFY(exec.startsWith("Exec="));
    QVERIFY(!exec.contains('\r'));

    const std::optional<std::string> decoded = DecodeExec(exec.mid(5).toStdString());
    QVERIFY2(decoded.has_value(), exec.constData());
    QCOMPARE(QByteArray::fromStdString(*decoded), command);
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "TestAutostart.moc"
