#include "i18n/msgboxlocalized.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMsgBoxLocalized : public QObject
{
    Q_OBJECT

private slots:
    void buttons_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("English OK/Cancel") << 1 << 305 << "Cancel" << 2 << QStringList {"OK", "Cancel"};
        QTest::newRow("Traditional OK/Cancel") << 2 << 1 << "確定" << 1 << QStringList {"確定", "取消"};
        QTest::newRow("Simplified Yes/No") << 0 << 36 << "否" << 7 << QStringList {"是", "否"};
        QTest::newRow("Simplified Yes/No/Cancel") << 0 << 3 << "是" << 6 << QStringList {"是", "否", "取消"};
        QTest::newRow("Traditional abort") << 2 << 2 << "放棄" << 3 << QStringList {"放棄", "重試", "忽略"};
        QTest::newRow("English retry") << 1 << 5 << "Retry" << 4 << QStringList {"Retry", "Cancel"};
        QTest::newRow("OK only") << 0 << 16 << "确定" << 1 << QStringList {"确定"};
    }
    void buttons()
    {
        QFETCH(int, language);
        QFETCH(int, style);
        QFETCH(QString, click);
        QFETCH(int, result);
        QFETCH(QStringList, buttons);
        QWidget owner;
        owner.show();
        QString title, defaultButton;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            for (QAbstractButton *button : box->buttons())
                shown << button->text();
            defaultButton = box->defaultButton()->text();
            for (QAbstractButton *button : box->buttons())
                if (button->text() == click)
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        QCOMPARE(MsgBoxLocalized(&owner, language, "text", style), result);
        QCOMPARE(title, QString("Lumeo")); // the default title
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
        if (style & MsgBoxStyle::DefaultButton2)
            QCOMPARE(defaultButton, language == 1 ? QString("Cancel") : QString("取消"));
    }

    void titleGiven()
    {
        QString title;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            box->buttons().constFirst()->click();
        });
        MsgBoxLocalized(nullptr, 1, "text", 0, "Attention!");
        QCOMPARE(title, QString("Attention!"));
    }
};

QTEST_MAIN(TestMsgBoxLocalized)
#include "tst_msgboxlocalized.moc"
