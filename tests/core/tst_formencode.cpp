#include "core/formencode.h"

#include <QtTest>

using namespace veltrix;

class TestFormEncode : public QObject {
    Q_OBJECT

private slots:
    void value_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << "" << QByteArray("");
        QTest::newRow("plain") << "Message" << QByteArray("Message");
        QTest::newRow("blank") << "a b" << QByteArray("a%20b");
        QTest::newRow("line break") << "a&b\r\nc" << QByteArray("a%26b%0D%0Ac");
        QTest::newRow("control bytes") << QString::fromLatin1("\x01\t\x1f") << QByteArray("%01%09%1F");
        QTest::newRow("first raw byte") << "!" << QByteArray("!");
        QTest::newRow("reserved set") << "#%&*+<=>[]" << QByteArray("%23%25%26%2A%2B%3C%3D%3E%5B%5D");
        QTest::newRow("left raw") << "-._~!$'(),;/?:@\"^`{|}\\" << QByteArray("-._~!$'(),;/?:@\"^`{|}\\");
        QTest::newRow("last ASCII raw") << "~" << QByteArray("~");
        QTest::newRow("DEL") << QString(QChar(0x7F)) << QByteArray("%7F");
        QTest::newRow("euro is 128") << QStringLiteral("5 €") << QByteArray("5%20%80");
        QTest::newRow("umlauts") << QStringLiteral("Grüße") << QByteArray("Gr%FC%DFe");
        QTest::newRow("upper half") << QStringLiteral("ÿ\u00A0") << QByteArray("%FF%A0");
        QTest::newRow("code page high row") << QStringLiteral("„Ž…“") << QByteArray("%84%8E%85%93");
        QTest::newRow("undefined position kept") << QString(QChar(0x81)) << QByteArray("%81");
        QTest::newRow("outside code page") << QStringLiteral("a\u0159b") << QByteArray("a?b");
        QTest::newRow("surrogate pair one ?") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
        QTest::newRow("mail address") << "name@example.com" << QByteArray("name@example.com");
    }
    void value()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, encoded);
        QCOMPARE(formEncodeValue(value), encoded);
    }

    void everyByteIsAsciiAndDecodesBack()
    {
        // Every code page character survives a percent-decode, and the body stays ASCII.
        QString all;
        for (int u = 1; u < 0x100; ++u)
            all += QChar(u);
        all += QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
        const QByteArray encoded = formEncodeValue(all);
        for (char c : encoded)
            QVERIFY2(static_cast<unsigned char>(c) > 32 && static_cast<unsigned char>(c) < 127, encoded.constData());
        QCOMPARE(QByteArray::fromPercentEncoding(encoded), formBytes(all));
    }

    void fields_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("none") << QStringList{} << QByteArray();
        QTest::newRow("one") << QStringList{"subject", "Message"} << QByteArray("subject=Message");
        QTest::newRow("empty values keep their place")
            << QStringList{"a", "", "b", "", "c", "x"} << QByteArray("a=&b=&c=x");
        QTest::newRow("contact order")
            << QStringList{"recipient", "m@x.de", "subject", "Message", "text", "a&b\r\nc", "Gangster", "Vito",
                           "E-Mail", ""}
            << QByteArray("recipient=m@x.de&subject=Message&text=a%26b%0D%0Ac&Gangster=Vito&E-Mail=");
    }
    void fields()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QByteArray, body);
        FormFields f;
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            f.append({pairs[i], pairs[i + 1]});
        QCOMPARE(formEncode(f), body);
    }
};

QTEST_GUILESS_MAIN(TestFormEncode)
#include "tst_formencode.moc"
