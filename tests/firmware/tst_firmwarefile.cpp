// Reading firmware files: any bytes pass, what the keyboard cannot take
// is refused.

#include "firmware/firmwarefile.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(FirmwareFile::Status)

class TestFirmwareFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &bytes) { return writeTestFile(dir, name, bytes); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void everyByteValueIsReadUnchanged()
    {
        QByteArray bytes;
        for (int i = 0; i < 1000; ++i)
            bytes.append(char(i % 256));
        std::string image;
        QCOMPARE(FirmwareFile::read(write("all.bin", bytes), &image), FirmwareFile::Status::Ok);
        QCOMPARE(image.size(), std::size_t(1000));
        QCOMPARE(QByteArray::fromStdString(image), bytes);
    }

    void theLargestImageIsTakenAndOneByteMoreIsNot()
    {
        std::string image;
        QCOMPARE(FirmwareFile::read(write("largest.bin", QByteArray(1048064, '\x5A')), &image),
                 FirmwareFile::Status::Ok);
        QCOMPARE(image.size(), std::size_t(1048064));

        std::string untouched = "before";
        QCOMPARE(FirmwareFile::read(write("larger.bin", QByteArray(1048065, '\x5A')), &untouched),
                 FirmwareFile::Status::TooLarge);
        QCOMPARE(untouched, std::string("before"));
    }

    void filesWithoutAnImageAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<FirmwareFile::Status>("status");
        QTest::newRow("empty file") << write("empty.bin", QByteArray()) << FirmwareFile::Status::Empty;
        QTest::newRow("missing file") << dir.filePath("missing.bin") << FirmwareFile::Status::Unreadable;
        QTest::newRow("directory") << dir.path() << FirmwareFile::Status::Unreadable;
    }

    void filesWithoutAnImageAreRefused()
    {
        QFETCH(QString, path);
        QFETCH(FirmwareFile::Status, status);
        std::string image = "before";
        QCOMPARE(FirmwareFile::read(path, &image), status);
        QCOMPARE(image, std::string("before"));
    }

    void aNamedPipeIsRefusedWithoutWaitingForAWriter()
    {
#ifdef Q_OS_UNIX
        const QString pipe = dir.filePath("pipe.bin");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        std::string image = "before";
        QCOMPARE(FirmwareFile::read(pipe, &image), FirmwareFile::Status::Unreadable);
        QCOMPARE(image, std::string("before"));
#else
        QSKIP("needs named pipes");
#endif
    }

    void aDeviceThatNeverEndsIsNotReadWhole()
    {
#ifdef Q_OS_UNIX
        std::string image;
        QCOMPARE(FirmwareFile::read("/dev/zero", &image), FirmwareFile::Status::TooLarge);
        QVERIFY(image.empty());
#else
        QSKIP("needs /dev/zero");
#endif
    }
};

QTEST_GUILESS_MAIN(TestFirmwareFile)
#include "tst_firmwarefile.moc"
