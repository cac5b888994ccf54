#include "app/form1.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTitleAndEmptyGrid()
    {
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString("QV-540 对讲机编程软件 V1.20"));
        QCOMPARE(window.Grid1->rowCount(), 16);
        QCOMPARE(window.Grid1->columnCount(), 8);
        QCOMPARE(window.Grid1->horizontalHeaderItem(0)->text(), QString("接收频率"));
        QCOMPARE(window.Grid1->verticalHeaderItem(15)->text(), QString("16"));
        for (int row = 0; row < 16; ++row)
            for (int column = 0; column < 8; ++column)
                QVERIFY(!window.Grid1->item(row, column) || window.Grid1->item(row, column)->text().isEmpty());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
