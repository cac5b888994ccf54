#include "i18n/captions.h"
#include "i18n/totraditional.h"

#include <QTest>

class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void cellTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // Off, then the option items of columns 5 to 8
        QTest::newRow("Simplified") << Language::Simplified
                                    << QStringList {"关闭", "低", "高", "关闭", "载波", "窄带", "宽带", "无", "有"};
        QTest::newRow("English") << Language::English
                                 << QStringList {"Off", "Low", "Hight", "Off", "Carrow", "Narrow", "Wide", "No", "Have"};
        QTest::newRow("Traditional") << Language::Traditional
                                     << QStringList {"關閉", "低", "高", "關閉", "載波", "窄帶", "寬帶", "無", "有"};
    }
    void cellTexts()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        const CellTexts cells = CellTexts::forLanguage(language);
        QStringList actual {cells.toneOff};
        for (int column = 5; column <= 8; ++column)
            actual << cells.option(column, 0) << cells.option(column, 1);
        QCOMPARE(actual, texts);
    }

    void toTraditional()
    {
        QCOMPARE(::toTraditional("QV-540 对讲机编程软件"), QString("QV-540 對講機編程軟件"));
        QCOMPARE(::toTraditional("Latin 123"), QString("Latin 123"));
        QCOMPARE(::toTraditional(""), QString(""));
    }
};

QTEST_APPLESS_MAIN(TestCaptions)
#include "tst_captions.moc"
