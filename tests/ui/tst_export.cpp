#include "core/export.h"
#include "support/controls.h"
#include "support/statusfixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::test;

namespace {

const QByteArray kBank = "Lindenallee 117: Bank (SG: 45%) [Fallgitter]";
const QByteArray kKiosk = "Am Markt 3: Kiosk (SG: 40%) Keine Ausbauten vorhanden";
const QString kCsv = QStringLiteral("CSV-Tabelle (*.csv)");
const QString kHtml = QStringLiteral("HTML-Tabelle (*.html)");
const QString kBB = QStringLiteral("BBCode (*.txt)");

} // namespace

Q_DECLARE_METATYPE(veltrix::ExportFormat)

class TestExportCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_temp;
    FakePlatform m_fakes;
    std::unique_ptr<TfrmMain> m_window;
    QString path(const QString &name) const { return m_temp->filePath(name); }

    // The window with a list opened from a file, so it starts unmodified.
    void openList()
    {
        QVERIFY(putFile(path(QStringLiteral("liste.txt")), kBank + "\r\n\r\n" + kKiosk + "\r\n"));
        m_window = std::make_unique<TfrmMain>(m_fakes.platform());
        m_fakes.fileDialogs.openAnswers.push_back(path(QStringLiteral("liste.txt")));
        trigger(*m_window, "Dateiffnen1");
        QVERIFY(!m_window->list().isModified());
    }

    void verifyListUntouched(const QString &title)
    {
        QCOMPARE(m_window->list().memo().lines(), (QStringList{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}));
        QVERIFY(!m_window->list().isModified());
        QCOMPARE(m_window->windowTitle(), title);
        QCOMPARE(m_window->currentFileName(), path(QStringLiteral("liste.txt")));
        QVERIFY(!control<QAction>(*m_window, "Rckgngig1")->isEnabled());
    }

private slots:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_fakes = {};
        openList();
    }
    void cleanup() { m_window.reset(); }

    void nameAndFilterPickTheFormat_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<ExportFormat>("format");
        QTest::newRow("typed .CSV beats the filter") << "a.CSV" << kHtml << "a.CSV" << ExportFormat::Csv;
        QTest::newRow("typed .Html") << "a.Html" << kBB << "a.Html" << ExportFormat::Html;
        QTest::newRow("typed .txt") << "a.txt" << kCsv << "a.txt" << ExportFormat::BBCode;
        QTest::newRow("no ending, CSV filter") << "a" << kCsv << "a.csv" << ExportFormat::Csv;
        QTest::newRow("no ending, HTML filter") << "a" << kHtml << "a.html" << ExportFormat::Html;
        QTest::newRow("other ending, BBCode filter") << "a.htm" << kBB << "a.htm.txt" << ExportFormat::BBCode;
    }
    void nameAndFilterPickTheFormat()
    {
        QFETCH(QString, answer);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(ExportFormat, format);
        const QString title = m_window->windowTitle();
        m_window->findChild<QLineEdit *>(QStringLiteral("Versteck"))->setText(QStringLiteral("100"));
        m_fakes.fileDialogs.saveAnswers.push_back(path(answer));
        m_fakes.fileDialogs.saveFilterAnswer = filter;
        trigger(*m_window, "Exportieren1");
        QCOMPARE(m_fakes.fileDialogs.saveFilters,
                 QStringList{"CSV-Tabelle (*.csv);;HTML-Tabelle (*.html);;BBCode (*.txt)"});
        QCOMPARE(m_fakes.fileDialogs.saveTitles, QStringList{"Exportieren"});
        QVERIFY(m_fakes.messageBoxes.shown.isEmpty());
        const QStringList lines{QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)};
        QCOMPARE(fileBytes(path(written)), exportDocument(format, lines, 100));
        verifyListUntouched(title);
    }

    void failedExportKeepsTheOlderFile()
    {
        QVERIFY(QDir(m_temp->path()).mkdir(QStringLiteral("ordner.csv")));
        const QString title = m_window->windowTitle();
        m_fakes.fileDialogs.saveAnswers.push_back(path(QStringLiteral("ordner.csv")));
        trigger(*m_window, "Exportieren1");
        QCOMPARE(m_fakes.messageBoxes.shown.size(), 1);
        QVERIFY2(m_fakes.messageBoxes.lastText().startsWith(
                     QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path(QStringLiteral("ordner.csv")))),
                 qPrintable(m_fakes.messageBoxes.lastText()));
        QVERIFY(QFileInfo(path(QStringLiteral("ordner.csv"))).isDir());
        verifyListUntouched(title);
    }

    void copiesTheBBCodeTable()
    {
        trigger(*m_window, "AlsBBCodekopieren1");
        QCOMPARE(m_fakes.clipboard.text(),
                 exportBBCode({QString::fromLatin1(kBank), QString::fromLatin1(kKiosk)}, std::nullopt));
        QVERIFY(!m_window->list().isModified());
    }
};

QTEST_MAIN(TestExportCommands)
#include "tst_export.moc"
