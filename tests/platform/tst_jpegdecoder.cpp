#include "platform/jpegdecoder.h"
#include "ui/resources.h"

#include <QFile>
#include <QtTest>

using namespace veltrix;

namespace {

QByteArray aboutPicture()
{
    initVeltrixResources();
    QFile f(QStringLiteral(":/about.jpg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestJpegDecoder : public QObject {
    Q_OBJECT

private slots:
    void aboutPictureIsColour100x100()
    {
        const QByteArray data = aboutPicture();
        QVERIFY(!data.isEmpty());
        const QImage image = LibJpegDecoder().decodeJpeg(data);
        QCOMPARE(image.size(), QSize(100, 100));
        // A colour picture: somewhere red and blue differ clearly.
        int colourful = 0;
        for (int y = 0; y < 100; y += 5)
            for (int x = 0; x < 100; x += 5) {
                const QColor c = image.pixelColor(x, y);
                colourful += qAbs(c.red() - c.blue()) > 40;
            }
        QVERIFY(colourful > 20);
    }

    void everyTruncationIsEmpty()
    {
        const QByteArray data = aboutPicture();
        LibJpegDecoder decoder;
        for (qsizetype n = 0; n < data.size(); n += (n < 700 ? 1 : 37)) {
            const QImage image = decoder.decodeJpeg(data.left(n));
            QVERIFY2(image.isNull(), qPrintable(QStringLiteral("prefix of %1 bytes").arg(n)));
        }
        QVERIFY(decoder.decodeJpeg(data.left(data.size() - 1)).isNull());
        QVERIFY(decoder.decodeJpeg(data.left(data.size() - 2)).isNull());
    }

    void notJpeg_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Version 1.61");
        QTest::newRow("PNG signature") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("start marker only") << QByteArray("\xff\xd8", 2);
        QTest::newRow("start and end only") << QByteArray("\xff\xd8\xff\xd9", 4);
        QTest::newRow("zeros") << QByteArray(4096, '\0');
        QByteArray hugeHeader = aboutPicture();
        // The frame header's height and width bytes made 65535 each.
        const qsizetype sof = hugeHeader.indexOf("\xff\xc0");
        if (sof >= 0)
            hugeHeader.replace(sof + 5, 4, QByteArray("\xff\xff\xff\xff", 4));
        QTest::newRow("absurd size") << hugeHeader;
    }
    void notJpeg()
    {
        QFETCH(QByteArray, data);
        QVERIFY(LibJpegDecoder().decodeJpeg(data).isNull());
    }

    void damagedScanDataNoCrash()
    {
        // Flipped bytes must never end the process; whatever comes back is
        // either empty or the full size.
        const QByteArray data = aboutPicture();
        LibJpegDecoder decoder;
        for (qsizetype pos = 2; pos < data.size(); pos += 53) {
            QByteArray broken = data;
            broken[pos] = char(broken[pos] ^ 0x5A);
            const QImage image = decoder.decodeJpeg(broken);
            QVERIFY(image.isNull() || image.size() == QSize(100, 100));
        }
    }
};

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
