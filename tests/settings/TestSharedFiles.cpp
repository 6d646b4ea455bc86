#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTest>

// The files in tests/win32/data are read and written again by the Windows build under Wine; here the Linux
// build must read the same values from them and write the same bytes back, so that a folder moves between
// the two systems unchanged.
class TestSharedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { platform::Install(&m_system); }

    void settingsFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("values"); // tolerance|dwell|logon|language|beep|middle, UTF-8
        QTest::newRow("Windows-1252 name, CR LF") << "Dimoro.ini" << QByteArray("3|8|1|Espa\xC3\xB1ol.lng|1|0");
    }

    void settingsFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, values);
        QFile sample(QStringLiteral(DIMORO_SHARED_DATA "/") + file);
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray bytes = sample.readAll();
        settings::SettingsRecord record;
        settings::ParseSettings(bytes.toStdString(), record);
        const QByteArray read = QByteArray::number(record.tolerance) + '|' + QByteArray::number(record.dwellTenths)
            + '|' + QByteArray::number(record.runAtStartup) + '|' + QByteArray::fromStdString(record.languageFile) + '|'
            + QByteArray::number(record.beep) + '|' + QByteArray::number(record.middleClick);
        QCOMPARE(read, values);
        QCOMPARE(QByteArray::fromStdString(settings::FormatSettings(record)), bytes);
    }

private:
    platform::FakePlatform m_system;
};

QTEST_GUILESS_MAIN(TestSharedFiles)
#include "TestSharedFiles.moc"
