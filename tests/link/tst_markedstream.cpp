#include "link/markedstream.h"

#include <QtTest>

using Pieces = QList<QByteArray>;

class TestMarkedStream : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
};

void TestMarkedStream::decode_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<Pieces>("pieces"); // all reads' pieces, joined where no break falls

    const QByteArray ff(1, char(0xFF));
    const QByteArray nul(1, '\0');
    QTest::newRow("plain") << QList<QByteArray> {"\x06"} << Pieces {"\x06"};
    QTest::newRow("data FF") << QList<QByteArray> {"W" + ff + ff + "A"} << Pieces {"W" + ff + "A"};
    QTest::newRow("break") << QList<QByteArray> {"A" + ff + nul + nul + "QV"}
                           << Pieces {"A", nul + "QV"};
    QTest::newRow("framing error") << QList<QByteArray> {ff + nul + "x" + "y"} << Pieces {"xy"};
    QTest::newRow("FF split between reads")
        << QList<QByteArray> {"A" + ff, ff + "B"} << Pieces {"AFFB"};
    QTest::newRow("break split between reads")
        << QList<QByteArray> {"A" + ff + nul, nul + "B"} << Pieces {"A", nul + "B"};
    QTest::newRow("lone mark") << QList<QByteArray> {ff + "B"} << Pieces {ff + "B"};
}

void TestMarkedStream::decode()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(Pieces, pieces);
    MarkedStream stream;
    Pieces decoded {QByteArray()};
    for (const QByteArray &read : reads) {
        const Pieces got = stream.decode(read);
        decoded.last().append(got.first());
        decoded.append(got.mid(1));
    }
    for (QByteArray &piece : pieces)
        piece.replace("FF", QByteArray(1, char(0xFF)));
    QCOMPARE(decoded, pieces);
}

QTEST_GUILESS_MAIN(TestMarkedStream)
#include "tst_markedstream.moc"
