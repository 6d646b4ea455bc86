// Which sound the two feedback operations choose, from what the Click folder holds.
#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<QStringList>("made"); // inside the program's folder; a trailing "/" makes a folder
        QTest::addColumn<QString>("click"); // what Suona gives: a file played, or "beep"
        QTest::addColumn<QString>("selection"); // what SuonaSelezione gives

        QTest::newRow("both files") << QStringList {"Click/", "Click/Click1.wav", "Click/Click2.wav"}
                                    << "Click/Click1.wav"
                                    << "Click/Click2.wav";
        QTest::newRow("no Click folder") << QStringList {} << "beep"
                                         << "beep";
        QTest::newRow("empty Click folder") << QStringList {"Click/"} << "beep"
                                            << "beep";
        QTest::newRow("only Click1.wav") << QStringList {"Click/", "Click/Click1.wav"} << "Click/Click1.wav"
                                         << "beep";
        QTest::newRow("a folder named Click2.wav")
            << QStringList {"Click/", "Click/Click1.wav", "Click/Click2.wav/"} << "Click/Click1.wav"
            << "beep";
        QTest::newRow("names differ in case") << QStringList {"click/", "click/click1.wav"} << "beep"
                                              << "beep";
    }

    void choice()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, click);
        QFETCH(QString, selection);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (const QString& path : made) {
            if (path.endsWith(u'/')) {
                QVERIFY(QDir(folder.path()).mkpath(path));
            } else {
                QFile file(folder.filePath(path));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        platform::FakePlatform os;
        os.folder = folder.path().toStdString();
        platform::Install(&os);
        engine::Suona();
        engine::SuonaSelezione();
        platform::Install(nullptr);

        QStringList heard;
        for (const auto& sound : os.sounds)
            heard << (sound.path.empty() ? QStringLiteral("beep") : QString::fromStdString(sound.path));
        QCOMPARE(heard, QStringList({expand(folder, click), expand(folder, selection)}));
    }

private:
    static QString expand(const QTemporaryDir& folder, const QString& sound)
    {
        return sound == QLatin1String("beep") ? sound : folder.filePath(sound);
    }
};

QTEST_GUILESS_MAIN(TestSounds)
#include "TestSounds.moc"
