// The real services behind the alarm: the built-in sounds and the modeless
// note box.
#include "platform/qtplatform.h"
#include "platform/wavsound.h"
#include "support/showntext.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtEndian>
#include <QtTest>

using namespace veltrix;

namespace {

struct WaveInfo {
    QString error;
    int format = 0;
    int channels = 0;
    int rate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bits = 0;
    QByteArray data;
};

WaveInfo failed(const QString &error)
{
    WaveInfo info;
    info.error = error;
    return info;
}

// Walks the RIFF chunks the way a strict reader would.
WaveInfo parseWave(const QByteArray &file)
{
    WaveInfo info;
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return failed(QStringLiteral("no RIFF WAVE header"));
    if (u32(4) != quint32(file.size() - 8))
        return failed(QStringLiteral("RIFF size %1 for a file of %2 bytes").arg(u32(4)).arg(file.size()));
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = u32(at + 4);
        if (at + 8 + qsizetype(size) > file.size())
            return failed(QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id)));
        if (id == "fmt ") {
            if (size < 16)
                return failed(QStringLiteral("short fmt chunk"));
            info.format = u16(at + 8);
            info.channels = u16(at + 10);
            info.rate = int(u32(at + 12));
            info.byteRate = int(u32(at + 16));
            info.blockAlign = u16(at + 20);
            info.bits = u16(at + 22);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return failed(QStringLiteral("data before fmt"));
            info.data = file.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || info.data.isNull())
        return failed(QStringLiteral("fmt or data chunk missing"));
    return info;
}

// Sample i scaled to -1..1.
double sampleAt(const WaveInfo &w, qsizetype i)
{
    if (w.bits == 8)
        return (quint8(w.data[i]) - 128) / 128.0;
    return qFromLittleEndian<qint16>(w.data.constData() + 2 * i) / 32768.0;
}

} // namespace

class TestTimerPlatform : public QObject {
    Q_OBJECT

private slots:
    void builtInSounds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bits");
        QTest::addColumn<double>("seconds");
        QTest::newRow("TIMER1") << "TIMER1" << 8 << 1.6;
        QTest::newRow("TIMER2") << "TIMER2" << 16 << 1.25;
        QTest::newRow("TIMER3") << "TIMER3" << 8 << 1.5;
    }
    void builtInSounds()
    {
        QFETCH(QString, name);
        QFETCH(int, bits);
        QFETCH(double, seconds);
        const WaveInfo w = parseWave(builtInSound(name));
        QVERIFY2(w.error.isEmpty(), qPrintable(w.error));
        QCOMPARE(w.format, 1); // PCM
        QCOMPARE(w.channels, 1);
        QCOMPARE(w.rate, 22050);
        QCOMPARE(w.bits, bits);
        QCOMPARE(w.blockAlign, bits / 8);
        QCOMPARE(w.byteRate, 22050 * bits / 8);
        QCOMPARE(w.data.size() % w.blockAlign, 0);
        const qsizetype frames = w.data.size() / w.blockAlign;
        QVERIFY2(qAbs(frames / 22050.0 - seconds) < 0.05, qPrintable(QString::number(frames / 22050.0)));

        // Audible, not clipped, and without a click at either end.
        double peak = 0;
        for (qsizetype i = 0; i < frames; ++i)
            peak = qMax(peak, qAbs(sampleAt(w, i)));
        QVERIFY2(peak > 0.4 && peak < 0.99, qPrintable(QString::number(peak)));
        const double quiet = bits == 8 ? 1.5 / 128 : 0.01;
        QVERIFY(qAbs(sampleAt(w, 0)) <= quiet);
        QVERIFY(qAbs(sampleAt(w, frames - 1)) <= quiet);
    }

    // Texts from servers and reports in a box: markup is shown, not rendered.
    void boxesShowMarkupAsText_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<QString>("text");
        const QString status = QStringLiteral(
            "Error encountered during POST: HTTP/1.1 404 <b><font size=7 color=red>Konto gesperrt</font></b> "
            "<a href=\"http://example.com/\">Hier neu anmelden</a>");
        QTest::newRow("server status line") << true << status;
        QTest::newRow("conversion error") << true << QStringLiteral("'<b>1</b>' ist kein gültiger Integerwert");
        QTest::newRow("note") << false << status;
    }
    void boxesShowMarkupAsText()
    {
        QFETCH(bool, modal);
        QFETCH(QString, text);
        QtMessageBoxes boxes;
        QString shown;
        const auto readAndClose = [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
                    shown = test::shownText(label);
                box->button(QMessageBox::Ok)->click();
            }
        };
        const MessageRequest request{QStringLiteral("Veltrix Professional"), text, MsgButtons::Ok, MsgIcon::None};
        if (modal) {
            QTimer::singleShot(0, readAndClose);
            boxes.show(request);
        } else {
            boxes.showModeless(request, {});
            readAndClose();
        }
        QCOMPARE(shown, text);
    }

    void noteBoxLeavesWindowsUsable()
    {
        QtMessageBoxes boxes;
        int closed = 0;
        boxes.showModeless({QStringLiteral("Time is up!"), QStringLiteral("Tee"), MsgButtons::Ok, MsgIcon::None},
                           [&] { ++closed; });
        QPointer<QMessageBox> box;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                box = b;
        }
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Time is up!"));
        QCOMPARE(box->text(), QStringLiteral("Tee"));
        QVERIFY(!box->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!box->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(closed, 0);
        box->button(QMessageBox::Ok)->click();
        QCOMPARE(closed, 1);
        QTRY_VERIFY(!box);
    }
};

QTEST_MAIN(TestTimerPlatform)
#include "tst_timerplatform.moc"
