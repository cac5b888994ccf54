#include "i18n/captions.h"
#include "i18n/celltexts.h"
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

    // Character for character: each character's first Traditional form, never a phrase's.
    void toTraditional_data()
    {
        QTest::addColumn<QString>("simplified");
        QTest::addColumn<QString>("traditional");
        QTest::newRow("title") << "QV-540 对讲机编程软件" << "QV-540 對講機編程軟件";
        QTest::newRow("no phrase") << "复制" << "復制";
        QTest::newRow("no phrase either") << "发布" << "發布";
        QTest::newRow("backslash") << R"(宽\窄带)" << R"(寬\窄帶)";
        QTest::newRow("Latin") << "Latin 123 (S)" << "Latin 123 (S)";
        QTest::newRow("empty") << "" << "";
    }
    void toTraditional()
    {
        QFETCH(QString, simplified);
        QFETCH(QString, traditional);
        QCOMPARE(::toTraditional(simplified), traditional);
    }

    void everyCaptionKeepsItsLength()
    {
        for (const QString &key : captionKeys()) {
            const QString simplified = captionText(key, Language::Simplified);
            QCOMPARE(captionText(key, Language::Traditional).size(), simplified.size());
        }
        QCOMPARE(captionText(u"Grid1.header[7]", Language::Simplified), QString("宽\\窄带"));
    }
};

QTEST_APPLESS_MAIN(TestCaptions)
#include "tst_captions.moc"
