#include "widgets/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void buttons_data()
    {
        using enum MessageButtons;
        QTest::addColumn<int>("language");
        QTest::addColumn<MessageStyle>("style");
        QTest::addColumn<QString>("click");
        QTest::addColumn<MessageAnswer>("result");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("English OK/Cancel") << 1 << MessageStyle {OkCancel, MessageIcon::Exclamation, 1} << "Cancel"
                                           << MessageAnswer::Cancel << QStringList {"OK", "Cancel"};
        QTest::newRow("Traditional OK/Cancel") << 2 << MessageStyle {OkCancel} << "確定" << MessageAnswer::Ok
                                               << QStringList {"確定", "取消"};
        QTest::newRow("Simplified Yes/No") << 0 << MessageStyle {YesNo, MessageIcon::Question} << "否"
                                           << MessageAnswer::No << QStringList {"是", "否"};
        QTest::newRow("Simplified Yes/No/Cancel") << 0 << MessageStyle {YesNoCancel} << "是" << MessageAnswer::Yes
                                                  << QStringList {"是", "否", "取消"};
        QTest::newRow("Traditional abort") << 2 << MessageStyle {AbortRetryIgnore} << "放棄" << MessageAnswer::Abort
                                           << QStringList {"放棄", "重試", "忽略"};
        QTest::newRow("English retry") << 1 << MessageStyle {RetryCancel} << "Retry" << MessageAnswer::Retry
                                       << QStringList {"Retry", "Cancel"};
        QTest::newRow("OK only") << 0 << MessageStyle {Ok, MessageIcon::Critical} << "确定" << MessageAnswer::Ok
                                 << QStringList {"确定"};
    }
    void buttons()
    {
        QFETCH(int, language);
        QFETCH(MessageStyle, style);
        QFETCH(QString, click);
        QFETCH(MessageAnswer, result);
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
        QCOMPARE(showMessageBox(&owner, language, "text", style), result);
        QCOMPARE(title, QString("Lumeo")); // the default title
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
        if (style.defaultButton == 1)
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
        showMessageBox(nullptr, 1, "text", {}, "Attention!");
        QCOMPARE(title, QString("Attention!"));
    }

    // A box its caller takes back closes at once and answers Withdrawn.
    void withdrawn()
    {
        MessageBoxWithdrawal withdrawal;
        QTimer::singleShot(0, [&] {
            QVERIFY(QApplication::activeModalWidget());
            withdrawal.withdraw();
        });
        QCOMPARE(showMessageBox(nullptr, 1, "text", {MessageButtons::YesNo}, {}, &withdrawal), MessageAnswer::Withdrawn);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
