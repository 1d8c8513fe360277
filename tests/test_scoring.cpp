#include "Answers.h"
#include "scoring/ScoringKey.h"

#include <QSet>
#include <QtTest>

using namespace ScoringKey;

class TestScoring : public QObject
{
    Q_OBJECT

private slots:
    void keyIsComplete()
    {
        QSet<int> seen;
        int direct = 0;
        for (const Subscale &s : Subscales()) {
            QCOMPARE(s.lowest(), s.count());
            for (int n : s.statements) {
                QVERIFY2(!seen.contains(n), qPrintable(QString::number(n)));
                seen.insert(n);
                QCOMPARE(SubscaleOf(n), s.field);
                direct += IsDirect(n) ? 1 : 0;
            }
        }
        QCOMPARE(seen.size(), StatementCount);
        QCOMPARE(direct, 22);
        QCOMPARE(Subscales().at(1).windowCaption, QStringLiteral("رفتارهاي     غير اجتماعي"));
        QCOMPARE(Subscales().at(1).listCaption, QStringLiteral("رفتارهاي غير اجتماعي"));
        for (int outside : {0, -3, 57})
            QVERIFY(!IsDirect(outside) && SubscaleOf(outside).isEmpty());
    }

    void storedAndShown_data()
    {
        QTest::addColumn<int>("statement");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("stored");
        QTest::newRow("direct 7, always") << 7 << 5 << "5";
        QTest::newRow("direct 7, never") << 7 << 1 << "1";
        QTest::newRow("reversed 1, always") << 1 << 5 << "1";
        QTest::newRow("reversed 1, never") << 1 << 1 << "5";
        QTest::newRow("reversed 56, rarely") << 56 << 2 << "4";
        QTest::newRow("direct 54, often") << 54 << 4 << "4";
        QTest::newRow("sometimes is 3 both ways") << 22 << 3 << "3";
        QTest::newRow("statement 0 counts reversed") << 0 << 1 << "5";
        QTest::newRow("no such option") << 7 << 6 << "";
    }
    void storedAndShown()
    {
        QFETCH(int, statement);
        QFETCH(int, option);
        QFETCH(QString, stored);
        QCOMPARE(StoredAnswer(option, statement), stored);
        if (!stored.isEmpty())
            QCOMPARE(OptionShowing(stored.toInt(), statement), option);
    }

    void valuesOutsideTheScaleShowNothing()
    {
        for (int v : {0, 6, -1, 42})
            QCOMPARE(OptionShowing(v, 7), 0);
    }

    void scores_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QVector<double>>("expected"); // five subscales, then the total
        QTest::newRow("all stored as 1")
            << Filled(QStringLiteral("1")) << QVector<double>{18, 11, 12, 6, 9, 56};
        QTest::newRow("all stored as 5")
            << Filled(QStringLiteral("5")) << QVector<double>{90, 55, 60, 30, 45, 280};
        QTest::newRow("always for every statement")
            << SameOption(5) << QVector<double>{90, 11, 12, 6, 25, 144};
        QTest::newRow("never for every statement")
            << SameOption(1) << QVector<double>{18, 55, 60, 30, 29, 192};
        QStringList odd = Filled(QStringLiteral("2"));
        odd[0] = QStringLiteral("x");   // not a number: 0
        odd[1] = QStringLiteral(" 4a"); // leading number 4
        odd[2] = QStringLiteral(" ");   // blanks: 0
        QTest::newRow("texts read by their leading number")
            << odd << QVector<double>{36, 22, 22, 12, 18, 110};
    }
    void scores()
    {
        QFETCH(QStringList, answers);
        QFETCH(QVector<double>, expected);
        const Scores s = Compute(answers);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(s.subscale[i], expected.at(i));
        QCOMPARE(s.total, expected.at(5));
        QCOMPARE(ScoreText(s.total), QString::number(expected.at(5)));
    }

    void missingAnswers_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("text");
        QStringList two = Filled(QStringLiteral("3"));
        two[2].clear();
        two[16] = QString(); // a null value is as empty as an empty text
        QTest::newRow("3 and 17") << two << QStringLiteral(" 3   17  ");
        QStringList last = Filled(QStringLiteral("3"));
        last[55].clear();
        QTest::newRow("only 56") << last << QStringLiteral(" 56  ");
        QStringList blanks = Filled(QStringLiteral("3"));
        blanks[0] = QStringLiteral(" ");
        QTest::newRow("blanks are an answer") << blanks << QString();
        QString all;
        for (int n = 1; n <= 56; ++n)
            all += QStringLiteral(" %1  ").arg(n);
        QTest::newRow("nothing answered") << Filled(QString()) << all;
    }
    void missingAnswers()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, text);
        QCOMPARE(MissingAnswersText(Unanswered(answers)), text);
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
