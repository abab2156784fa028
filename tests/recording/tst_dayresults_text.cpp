// The results text file and the points list as the calculation writes them.
#include "common/module1.h"
#include "recording/dayresults.h"
#include "support/dayfixture.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Module1;

class TstDayResultsText : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() {
        resetAll();
        qputenv("VORLIX_HOME", home_.path().toLocal8Bit());
        MatchId = 41;
        SeasonId = 3;
        MatchNo = 12;
        MatchYear = 2000;
        MatchMonth = 5;
        MatchDay = 6;
    }

    // Shared first place in sheet order, a one-digit score, names of several widths; the second
    // calculation replaces what the first wrote.
    void resultsFileByteForByte() {
        vxtest::setDay({{QStringLiteral("Ａ"), 1, 0, {150}}, {QStringLiteral("Ｂ"), 2, 0, {100}},
                        {QStringLiteral("Ｃ"), 3, 0, {120}}, {QStringLiteral("Ｄ"), 4, 0, {110}},
                        {QStringLiteral("Ｅ"), 5, 0, {130}}, {QStringLiteral("Ｆ"), 6, 0, {140}}});
        QVERIFY(vx::CalculateDay({}).ok);
        vxtest::setDay({{QStringLiteral("山田太郎"), 1, 20, {180, 205}},
                        {QStringLiteral("佐藤"), 2, 0, {5, 0}},
                        {QStringLiteral("鈴木一"), 3, 35, {150, 190}},
                        {QStringLiteral("Tanaka"), 4, 0, {199, 201}},
                        {QStringLiteral("高橋"), 5, 20, {205, 180}}});
        const vx::DayCalcResult r = vx::CalculateDay({});
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(vx::ResultsFileName(), QStringLiteral("SD-3-12.txt"));
        const QByteArray expected = read(QStringLiteral(VX_TEST_DATA "/dayresults/SD-3-12.txt"));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(read(home_.filePath(QStringLiteral("SD-3-12.txt"))), expected);

        QCOMPARE(r.output.pointsList.size(), 5);
        QCOMPARE(r.output.pointsList[0], QStringLiteral("１着    14p   山田太郎          "));
        QCOMPARE(r.output.pointsList[4], QStringLiteral("５着    00p   佐藤            "));
    }
};

QTEST_GUILESS_MAIN(TstDayResultsText)
#include "tst_dayresults_text.moc"
