#include "common/picture.h"
#include <QTest>

class TstPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numbers_data();
    void numbers();
    void texts_data();
    void texts();
    void mixedKinds();
};

void TstPicture::numbers_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const char* pic, double v, const char* exp) {
        QTest::newRow(name) << QString::fromUtf8(pic) << v << QString::fromUtf8(exp);
    };
    // Whole numbers: "#" writes nothing for a missing digit, "0" a zero; digits are never cut.
    row("#### zero is empty", "####", 0, "");
    row("#### score", "####", 185, "185");
    row("0000 pads", "0000", 1, "0001");
    row("0000 five digits", "0000", 12345, "12345");
    row("000000 data number", "000000", 12, "000012");
    row("#######0", "#######0", 123456789, "123456789");
    // Literals, escaped or not.
    row("score arrows", "00\\ >> ", 5, "05 >> ");
    row("points", "00\\点  ", 17, "17点  ");
    row("winning points zero", "00\\p   ", 0, "00p   ");
    row("match number", "第###試合 ", 12, "第12試合 ");
    row("quoted literal", "0\"#0\"", 7, "7#0");
    // Decimals round half away from zero on the decimal value.
    row("###.0 below one", "###.0", 0.5, ".5");
    row("###.0 half up", "###.0", 185.25, "185.3");
    row("#0.00 zero", "#0.00", 0, "0.00");
    row("#0.00 binary half", "#0.00", 2.675, "2.68");
    row("###00.0", "###00.0", 5, "05.0");
    row("leading blank kept", " ##0.0", 6.3, " 6.3");
    row(" 0.00 strikes", " 0.00", 1.5, " 1.50");
    row(" 000.0 average", " 000.0", 95, " 095.0");
    row("0 negative half", "0", -2.5, "-3");
    row("negative", "###0", -5, "-5");
    row("negative rounds to zero", "0.0", -0.04, "0.0");
    row("#.## trailing zeros", "#.##", 1.5, "1.5");
    // Percent multiplies by 100 and stands where written.
    row("top share", "###0.0%", 0.253, "25.3%");
    row("spare share", "##0.0%", 0.4567, "45.7%");
    row("share whole", "##0.0%", 1, "100.0%");
    row("grouping", "#,##0", 1234567, "1,234,567");
    // Named formats of the grids.
    row("Fixed", "Fixed", 530.0 / 3.0, "176.67");
    row("Fixed below one", "Fixed", 0.5, "0.50");
    row("Percent", "Percent", 2.0 / 3.0, "66.67%");
    row("Percent whole", "Percent", 0.7, "70.00%");
    row("General Number", "General Number", 1234567, "1234567");
}

void TstPicture::numbers() {
    QFETCH(QString, picture);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(vx::Format(value, picture), expected);
}

void TstPicture::texts_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const char* pic, const char* text, const char* exp) {
        QTest::newRow(name) << QString::fromUtf8(pic) << QString::fromUtf8(text) << QString::fromUtf8(exp);
    };
    row("@@@ right-aligns", "@@@", "95", " 95");
    row("@@@ longer kept whole", "@@@", "1850", "1850");
    row("! left-aligns", "!@@@@@@@@@@", "山田", "山田        ");
    row("! longer kept whole", "!@@@@@@", "abcdefgh", "abcdefgh");
    row("placing", " !@@@", "１着", " １着 ");
    row("& adds nothing", "&&&&&&&&", "山田", "山田");
    row("& then literal", "&&&&&&&& ", "春季", "春季 ");
    row("&& empty", "&&", "", "");
    row("literal before", " === 素点@@@", "185", " === 素点185");
    row("competition points", "競技点@@@", "17", "競技点 17");
    row("name of ten, eight places", "@@@@@@@@", "山田太郎　　　　　　", "山田太郎　　　　　　");
    row("escaped at", "\\@@@", "x", "@ x");
}

void TstPicture::texts() {
    QFETCH(QString, picture);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(vx::Format(text, picture), expected);
}

void TstPicture::mixedKinds() {
    // A number under a text picture is its plain text; a numeric text under a number picture is the number.
    QCOMPARE(vx::Format(5.0, QStringLiteral("@@@")), QStringLiteral("  5"));
    QCOMPARE(vx::Format(0.5, QStringLiteral("@@@@")), QStringLiteral(" 0.5"));
    QCOMPARE(vx::Format(QStringLiteral("12"), QStringLiteral("000000")), QStringLiteral("000012"));
    QCOMPARE(vx::Format(QStringLiteral("abc"), QStringLiteral("0000")), QStringLiteral("abc"));
    QCOMPARE(vx::Format(QStringLiteral("0.25"), QStringLiteral("Percent")), QStringLiteral("25.00%"));
    QCOMPARE(vx::Format(QStringLiteral("abc"), QStringLiteral("Fixed")), QStringLiteral("abc"));
    // Number picture, then text picture, as the printed lists do.
    QCOMPARE(vx::Format(vx::Format(7, QStringLiteral("###0")), QStringLiteral("@@@@")), QStringLiteral("   7"));
    QCOMPARE(vx::Format(3.0, QString()), QStringLiteral("3"));
}

QTEST_GUILESS_MAIN(TstPicture)
#include "tst_picture.moc"
