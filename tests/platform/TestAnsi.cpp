#include "platform/Platform.h"

#include <QTest>

// Windows-1252 <-> UTF-8, the encoding of the settings and language files.
class TestAnsi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips();
    void convert_data();
    void convert();
};

static QByteArray Apply(std::string (*convert)(const std::string&), const QByteArray& text)
{
    return QByteArray::fromStdString(convert(text.toStdString()));
}

void TestAnsi::everyByteRoundTrips()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const QByteArray utf8 = Apply(platform::Windows1252ToUtf8, all);
    QCOMPARE(QString::fromUtf8(utf8).toUtf8(), utf8); // well-formed UTF-8
    QCOMPARE(Apply(platform::Utf8ToWindows1252, utf8), all);
}

// One '?' per character the code page lacks and per maximal ill-formed piece of UTF-8.
void TestAnsi::convert_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("ansi");
    QTest::addColumn<bool>("bothWays");
    QTest::newRow("ASCII and NUL") << QByteArray("a\0b.lng", 7) << QByteArray("a\0b.lng", 7) << true;
    QTest::newRow("Latin-1 part") << QByteArray("Español \u00A0ÿ") << QByteArray("Espa\xF1ol \xA0\xFF") << true;
    QTest::newRow("the 27 code-page specials")
        << QByteArray("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")
        << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A"
                      "\x9B\x9C\x9E\x9F")
        << true;
    QTest::newRow("undefined bytes as C1 controls")
        << QByteArray("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D") << QByteArray("\x81\x8D\x8F\x90\x9D") << true;
    QTest::newRow("outside the code page")
        << QByteArray("Ω中😀\xC2\x80\xF4\x8F\xBF\xBF.") << QByteArray("?????.") << false;
    QTest::newRow("cut and stray bytes") << QByteArray("\x80|\xC3|\xE2\x82|\xF0\x9F\x98|\xFF|\xE2\x82\xE2\x82\xAC|\xC3")
                                         << QByteArray("?|?|?|?|?|?\x80|?") << false;
    QTest::newRow("overlong forms") << QByteArray("\xC0\xAF|\xC1\xAC|\xE0\x80\xA2|\xF0\x80\x80\xA2")
                                    << QByteArray("??|??|???|????") << false;
    QTest::newRow("surrogate, past U+10FFFF")
        << QByteArray("\xED\xA0\x80|\xF4\x90\x80\x80|\xF5\x80\x80\x80") << QByteArray("???|????|????") << false;
}

void TestAnsi::convert()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, ansi);
    QFETCH(bool, bothWays);
    QCOMPARE(Apply(platform::Utf8ToWindows1252, utf8), ansi);
    if (bothWays)
        QCOMPARE(Apply(platform::Windows1252ToUtf8, ansi), utf8);
}

QTEST_GUILESS_MAIN(TestAnsi)
#include "TestAnsi.moc"
