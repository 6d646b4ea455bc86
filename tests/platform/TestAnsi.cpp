#include "platform/Platform.h"

#include <QTest>

// Windows-1252 <-> UTF-8, the encoding of the settings and language files.
class TestAnsi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips_data();
    void everyByteRoundTrips();
    void characterOfByte_data();
    void characterOfByte();
    void toAnsi_data();
    void toAnsi();
};

namespace {

QByteArray ToAnsi(const QByteArray& utf8)
{
    return QByteArray::fromStdString(platform::Utf8ToWindows1252(utf8.toStdString()));
}

QByteArray FromAnsi(const QByteArray& ansi)
{
    return QByteArray::fromStdString(platform::Windows1252ToUtf8(ansi.toStdString()));
}

} // namespace

void TestAnsi::everyByteRoundTrips_data()
{
    QTest::addColumn<QByteArray>("ansi");
    for (int byte = 0; byte < 256; ++byte)
        QTest::addRow("byte 0x%02X", byte) << QByteArray(1, static_cast<char>(byte));
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    QTest::newRow("all bytes in one string") << all;
}

void TestAnsi::everyByteRoundTrips()
{
    QFETCH(QByteArray, ansi);
    const QByteArray utf8 = FromAnsi(ansi);
    QCOMPARE(QString::fromUtf8(utf8).toUtf8(), utf8); // well-formed UTF-8
    QCOMPARE(ToAnsi(utf8), ansi);
}

void TestAnsi::characterOfByte_data()
{
    QTest::addColumn<QByteArray>("ansi");
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("NUL") << QByteArray(1, '\0') << QByteArray(1, '\0');
    QTest::newRow("ASCII") << QByteArray("Deutsch.lng") << QByteArray("Deutsch.lng");
    QTest::newRow("Latin-1 part") << QByteArray("Espa\xF1ol.lng") << QByteArray("Español.lng");
    QTest::newRow("0xA0 no-break space") << QByteArray("\xA0") << QByteArray("\u00A0");
    QTest::newRow("0xFF y diaeresis") << QByteArray("\xFF") << QByteArray("ÿ");
    // The 27 characters Windows-1252 puts where Latin-1 has C1 controls.
    const char* const specials[32] = {"€", nullptr, "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š", "‹", "Œ", nullptr, "Ž",
        nullptr, nullptr, "‘", "’", "“", "”", "•", "–", "—", "˜", "™", "š", "›", "œ", nullptr, "ž", "Ÿ"};
    for (int i = 0; i < 32; ++i) {
        const int byte = 0x80 + i;
        if (specials[i] != nullptr) {
            QTest::addRow("0x%02X %s", byte, specials[i])
                << QByteArray(1, static_cast<char>(byte)) << QByteArray(specials[i]);
        } else {
            // Undefined in the code page: the C1 control of the same number, so that the byte survives.
            QTest::addRow("0x%02X undefined", byte)
                << QByteArray(1, static_cast<char>(byte)) << QString(QChar(byte)).toUtf8();
        }
    }
}

void TestAnsi::characterOfByte()
{
    QFETCH(QByteArray, ansi);
    QFETCH(QByteArray, utf8);
    QCOMPARE(FromAnsi(ansi), utf8);
    QCOMPARE(ToAnsi(utf8), ansi);
}

// Each character the code page lacks, and each ill-formed piece of UTF-8 (one '?' per maximal ill-formed
// subsequence), becomes one '?'.
void TestAnsi::toAnsi_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("ansi");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("NUL inside") << QByteArray("a\0b", 3) << QByteArray("a\0b", 3);
    QTest::newRow("Greek omega") << QByteArray("Ω.lng") << QByteArray("?.lng");
    QTest::newRow("CJK character") << QByteArray("中文.lng") << QByteArray("??.lng");
    QTest::newRow("four-byte emoji") << QByteArray("a😀b") << QByteArray("a?b");
    QTest::newRow("U+0080 has no byte") << QByteArray("\xC2\x80") << QByteArray("?");
    QTest::newRow("replacement character") << QByteArray("\xEF\xBF\xBD") << QByteArray("?");
    QTest::newRow("lone continuation byte") << QByteArray("a\x80z") << QByteArray("a?z");
    QTest::newRow("two continuation bytes") << QByteArray("\x80\xBF") << QByteArray("??");
    QTest::newRow("lead byte at end") << QByteArray("a\xC3") << QByteArray("a?");
    QTest::newRow("lead byte before ASCII") << QByteArray("\xC3z") << QByteArray("?z");
    QTest::newRow("three-byte cut after two") << QByteArray("\xE2\x82z") << QByteArray("?z");
    QTest::newRow("four-byte cut after three") << QByteArray("\xF0\x9F\x98z") << QByteArray("?z");
    QTest::newRow("cut euro then euro") << QByteArray("\xE2\x82\xE2\x82\xAC") << QByteArray("?\x80");
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QByteArray("??");
    QTest::newRow("overlong comma") << QByteArray("\xC0\xAC") << QByteArray("??");
    QTest::newRow("overlong quote in three bytes") << QByteArray("\xE0\x80\xA2") << QByteArray("???");
    QTest::newRow("overlong e acute") << QByteArray("\xE0\x83\xA9") << QByteArray("???");
    QTest::newRow("overlong in four bytes") << QByteArray("\xF0\x80\x80\xA2") << QByteArray("????");
    QTest::newRow("UTF-16 surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???");
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QByteArray("????");
    QTest::newRow("lead byte 0xF5") << QByteArray("\xF5\x80\x80\x80") << QByteArray("????");
    QTest::newRow("lead byte 0xFF") << QByteArray("\xFFz") << QByteArray("?z");
    QTest::newRow("last code point U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << QByteArray("?");
}

void TestAnsi::toAnsi()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, ansi);
    QCOMPARE(ToAnsi(utf8), ansi);
}

QTEST_GUILESS_MAIN(TestAnsi)
#include "TestAnsi.moc"
