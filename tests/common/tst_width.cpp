#include "common/names.h"
#include "common/width.h"
#include <QTest>

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }

std::array<QString, 11> defaultMarks() {
    std::array<QString, 11> m;
    for (int k = 1; k <= 8; ++k) m[std::size_t(k)] = QString::number(k) + QLatin1Char('s');
    m[9] = u("／");
    m[10] = u("＊");
    return m;
}
}  // namespace

class TstWidth : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wide();
    void narrow();
    void katakanaRoundTrip();
    void fixedText();
    void normalizeDefaults_data();
    void normalizeDefaults();
    void normalizeConfigured();
    void foldNames();
};

void TstWidth::wide() {
    QCOMPARE(vx::StrConvWide(u("1s Ab~/*-")), u("１ｓ　Ａｂ～／＊－"));
    QCOMPARE(vx::StrConvWide(u("\\\"'")), u("￥”’"));
    QCOMPARE(vx::StrConvWide(u("ｹﾞｰﾑ ﾊﾟﾋﾟ ｳﾞ ﾂﾞ")), u("ゲーム　パピ　ヴ　ヅ"));
    // A mark that cannot combine stays a mark of its own.
    QCOMPARE(vx::StrConvWide(u("ｶﾟﾞｱﾞ")), u("カ゜゛ア゛"));
    QCOMPARE(vx::StrConvWide(u("山田が①")), u("山田が①"));
}

void TstWidth::narrow() {
    QCOMPARE(vx::StrConvNarrow(u("　Ｇ－／＊１ｓ")), u(" G-/*1s"));
    QCOMPARE(vx::StrConvNarrow(u("ガパヴヅーッ")), u("ｶﾞﾊﾟｳﾞﾂﾞｰｯ"));
    QCOMPARE(vx::StrConvNarrow(u("￥＼”’")), u("\\\\\"'"));
    QCOMPARE(vx::StrConvNarrow(u("がヵ漢①")), u("がヵ漢①"));
}

void TstWidth::katakanaRoundTrip() {
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        const QString half(QChar{c});
        QCOMPARE(vx::StrConvNarrow(vx::StrConvWide(half)), half);
    }
    for (char16_t c = 0x20; c <= 0x7E; ++c) {
        const QString ascii(QChar{c});
        QCOMPARE(vx::StrConvNarrow(vx::StrConvWide(ascii)), ascii);
    }
}

void TstWidth::fixedText() {
    QCOMPARE(vx::FixedText(u("山田"), 4), u("山田  "));
    QCOMPARE(vx::FixedText(u("山田太郎花子"), 4), u("山田太郎"));
}

void TstWidth::normalizeDefaults_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("written");
    const char* rows[][2] = {{"Ｇ", " G"}, {"７", " 7"}, {"－", " -"}, {"Ｆ", " F"}, {"　", "  "},
                             {"3s", "s3"}, {"8s", "s8"}, {"／", " /"}, {"＊", " *"}, {"  ", "  "},
                             {"", "  "}, {"3S", " 3"}, {"ABC", " A"}, {" 5", " 5"}, {"ｶﾞ", " ｶ"}};
    for (const auto& r : rows) QTest::newRow(r[0]) << u(r[0]) << u(r[1]);
}

void TstWidth::normalizeDefaults() {
    QFETCH(QString, stored);
    QFETCH(QString, written);
    QCOMPARE(vx::normalizeMark(stored, defaultMarks()), written);
}

void TstWidth::normalizeConfigured() {
    auto marks = defaultMarks();
    marks[1] = u("①");
    QCOMPARE(vx::normalizeMark(u("①"), marks), u("s1"));
    // The same first two full-width characters: the lower k wins; width does not separate them.
    marks[4] = u("ＸＸ");
    marks[9] = u("XX");
    QCOMPARE(vx::normalizeMark(u("XX"), marks), u("s4"));
    // A blank configured text takes every empty mark.
    marks[10] = QString();
    QCOMPARE(vx::normalizeMark(u("　"), marks), u(" *"));
    QCOMPARE(vx::normalizeMark(QString(), marks), u(" *"));
}

void TstWidth::foldNames() {
    QVERIFY(vx::sameName(u("優p"), u("優Ｐ")));
    QVERIFY(vx::sameName(u("s10"), u("S10")));
    QVERIFY(vx::sameName(u("ｹﾞｰﾑ"), u("ゲーム")));
    QVERIFY(vx::sameName(u("スペアミス"), u("ｽﾍﾟｱﾐｽ")));
    QVERIFY(vx::sameName(u("優P計"), u("優Ｐ計")));
    QVERIFY(!vx::sameName(u("ST"), u("SP")));
    QVERIFY(!vx::sameName(u("ゲーム"), u("げーむ")));
}

QTEST_GUILESS_MAIN(TstWidth)
#include "tst_width.moc"
