// Real plays through ALSA, on a null device so that it runs anywhere.
#include "platform/x11/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // ALSA reads ~/.asoundrc when it first opens a device.
        QVERIFY(m_home.isValid());
        QFile config(m_home.filePath(QStringLiteral(".asoundrc")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("pcm.!default { type null }\n");
        config.close();
        qputenv("HOME", QFile::encodeName(m_home.path()));

        QFile text(m_home.filePath(QStringLiteral("text.wav")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("RIFF not really a sound\r\n");
        QFile header(m_home.filePath(QStringLiteral("header-only.wav")));
        QVERIFY(header.open(QIODevice::WriteOnly));
        QFile click(QFINDTESTDATA("../../resources/Click/Click1.wav"));
        QVERIFY(click.open(QIODevice::ReadOnly));
        header.write(click.read(44));
    }

    void play_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("played");

        const QString sounds = QFINDTESTDATA("../../resources/Click");
        QTest::newRow("click sound") << "default" << sounds + "/Click1.wav" << true;
        QTest::newRow("selection sound") << "default" << sounds + "/Click2.wav" << true;
        QTest::newRow("missing file") << "default" << sounds + "/Click3.wav" << false;
        QTest::newRow("a folder") << "default" << sounds << false;
        QTest::newRow("not a sound") << "default" << m_home.filePath("text.wav") << false;
        QTest::newRow("header without samples") << "default" << m_home.filePath("header-only.wav") << false;
        QTest::newRow("no such device") << "dimoro_no_such_device" << sounds + "/Click1.wav" << false;
    }

    void play()
    {
        QFETCH(QString, device);
        QFETCH(QString, file);
        QFETCH(bool, played);

        platform::SoundPlayer player(device.toStdString());
        QCOMPARE(player.play(QFile::encodeName(file).toStdString()), played);
        QCOMPARE(player.startLatency() > std::chrono::nanoseconds::zero(), played);
    }

private:
    QTemporaryDir m_home;
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "TestSoundPlayer.moc"
