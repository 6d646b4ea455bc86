// Windows-1252, paths in the program's folder, the single-copy lock's name, the autostart entry's Exec value, and
// real plays through ALSA.
#include "platform/posix/Autostart.h"
#include "platform/posix/SoundPlayer.h"
#include "platform/x11/X11Platform.h"
#include "tests/TestSupport.h"

using support::Row;

namespace {

// Undoes one level of escapes, `escape` x standing for to[from.indexOf(x)]; "<malformed>" for any other escape and
// for a character of `bare` that is not escaped.
QByteArray Unescape(
    const QByteArray& text, char escape, const QByteArray& from, const QByteArray& to, const QByteArray& bare)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool escaped = text[i] == escape;
        const qsizetype at = escaped && ++i == text.size() ? -1 : (escaped ? from : bare).indexOf(text[i]);
        if (escaped != (at >= 0))
            return "<malformed>";
        out += escaped ? to[at] : text[i];
    }
    return out;
}

// An Exec value read back as a session starting it does: the string escapes, the one quoted argument, then the
// field codes, of which only '%%' may appear.
QByteArray DecodeExec(const QByteArray& value)
{
    const QByteArray quoted = Unescape(value, '\\', "\\ntrs", "\\\n\t\r ", "");
    if (quoted.size() < 2 || !quoted.startsWith('"') || !quoted.endsWith('"'))
        return "<malformed>";
    return Unescape(Unescape(quoted.mid(1, quoted.size() - 2), '\\', "\"`$\\", "\"`$\\", "\"`$"), '%', "%", "%", "");
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temporary;

private Q_SLOTS:
    // One '?' per character the code page lacks and per maximal ill-formed piece of UTF-8; where none is added,
    // the conversion goes both ways.
    void windows1252_data()
    {
        support::Columns<QByteArray, QByteArray>("utf8", "ansi");
        using B = QByteArray;
        B all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        Row("every byte", QByteArray::fromStdString(platform::Windows1252ToUtf8(all.toStdString())), all);
        Row("the 27 specials", B("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"),
            B::fromHex("8082838485868788898A8B8C8E9192939495969798999A9B9C9E9F"));
        Row("undefined bytes as C1 controls", B("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"), B("\x81\x8D\x8F\x90\x9D"));
        Row("outside the code page", B("Ω中😀\xC2\x80\xF4\x8F\xBF\xBF."), B("?????."));
        Row("cut, stray", B("\x80|\xC3|\xE2\x82|\xF0\x9F\x98|\xFF|\xE2\x82\xE2\x82\xAC|\xC3"), B("?|?|?|?|?|?\x80|?"));
        Row("overlong forms", B("\xC0\xAF|\xC1\xAC|\xE0\x80\xA2|\xF0\x80\x80\xA2"), B("??|??|???|????"));
        Row("surrogate, past U+10FFFF", B("\xED\xA0\x80|\xF4\x90\x80\x80|\xF5\x80\x80\x80"), B("???|????|????"));
    }

    void windows1252()
    {
        const auto [utf8, ansi] = support::Fetch<QByteArray, QByteArray>("utf8", "ansi");
        QCOMPARE(QByteArray::fromStdString(platform::Utf8ToWindows1252(utf8.toStdString())), ansi);
        if (ansi.count('?') == utf8.count('?')) {
            QCOMPARE(QByteArray::fromStdString(platform::Windows1252ToUtf8(ansi.toStdString())), utf8);
            QCOMPARE(QString::fromUtf8(utf8).toUtf8(), utf8); // well-formed
        }
    }

    void programPath()
    {
        platform::FakePlatform windows;
        windows.pathSeparator = '\\';
        windows.folder = "C:\\Dimoro/Free"; // only the relative part is the program's to convert
        QCOMPARE(platform::ProgramPath(windows, "Lang/x.lng"), std::string("C:\\Dimoro/Free\\Lang\\x.lng"));
    }

    // One lock per user and display: the screen number and the local socket's spellings name no other display.
    void singleCopyLock()
    {
        QStringList names;
        for (const char* display : {":0", ":0.1", "unix:0.0", ":1", "host:0.0", "a/b:2"})
            names << QString::fromStdString(platform::SingleCopyLockPath(display, "/run/user/7", "/tmp", 7));
        names << QString::fromStdString(platform::SingleCopyLockPath(":0", "", "/tmp", 7));
        QCOMPARE(names.join(' ').replace("/run/user/7/dimoro-display-", "R:"),
            "R:0.lock R:0.lock R:0.lock R:1.lock R:host-0.lock R:a_b-2.lock /tmp/dimoro-7-display-0.lock");
    }

    void autostartExec_data()
    {
        QTest::addColumn<QByteArray>("command");
        Row("blanks, quotes, backslashes", QByteArray("/home/ann/My \"Programs\"/back\\slash\\\\/dimoro"));
        Row("percent, field code lookalikes", QByteArray("/home/ann/100%/%f %u %%/dimoro"));
        Row("dollar and backtick", QByteArray("/home/ann/$HOME/`id`/$(id)/dimoro"));
        Row("line ends and tab", QByteArray("/home/ann/a\nExec=/bin/false\r\n\tb/dimoro"));
    }

    void autostartExec()
    {
        QFETCH(QByteArray, command);
        const auto lines = QByteArray::fromStdString(platform::AutostartEntryText(command.toStdString())).split('\n');
        // Nothing in the path may start a line of its own: it could add or replace a key.
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines[4].startsWith("Exec=") && !lines[4].contains('\r'));
        QCOMPARE(DecodeExec(lines[4].mid(5)), command);
    }

    // On ALSA's null device, so that it runs anywhere.
    void soundPlayer_data()
    {
        const QString sounds = QFINDTESTDATA("../../resources/Click");
        QFile click(sounds + "/Click1.wav");
        QVERIFY(click.open(QIODevice::ReadOnly) && support::WriteFile(m_temporary.filePath("h.wav"), click.read(44)));
        support::Columns<QString, QString, bool>("device", "file", "played");
        Row("click sound", "null", click.fileName(), true);
        Row("missing file", "null", sounds + "/Click3.wav", false);
        Row("not a sound", "null", QFINDTESTDATA("TestPlatform.cpp"), false);
        Row("header without samples", "null", m_temporary.filePath("h.wav"), false);
        Row("no such device", "dimoro_no_such_device", click.fileName(), false);
    }

    void soundPlayer()
    {
        const auto [device, file, played] = support::Fetch<QString, QString, bool>("device", "file", "played");
        platform::SoundPlayer player(device.toStdString());
        QCOMPARE(player.play(QFile::encodeName(file).toStdString()), played);
        QCOMPARE(player.startLatency() > std::chrono::nanoseconds::zero(), played);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "TestPlatform.moc"
