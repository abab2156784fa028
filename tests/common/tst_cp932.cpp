#include "common/cp932.h"
#include <QTest>

class TstCp932 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encodesAndDecodes();
    void vendorPairs_data();
    void vendorPairs();
    void unmappedCharacters();
    void invalidBytes_data();
    void invalidBytes();
    void width();
};

void TstCp932::encodesAndDecodes() {
    const QString text = QString::fromUtf8("Ｇ１　ｱ山田 1s");
    const QByteArray bytes = vx::toCp932(text);
    QCOMPARE(bytes, QByteArray("\x82\x66\x82\x50\x81\x40\xB1\x8E\x52\x93\x63 1s"));
    QCOMPARE(vx::fromCp932(bytes), std::optional<QString>(text));
    QCOMPARE(vx::fromCp932(QByteArray()), std::optional<QString>(QString()));
    QCOMPARE(vx::toCp932(QString()), QByteArray());
}

void TstCp932::vendorPairs_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    auto row = [](char16_t in, const char* b, char16_t out) {
        QTest::newRow(QByteArray::number(in, 16).constData()) << QString(QChar(in)) << QByteArray(b) << QString(QChar(out));
    };
    // The JIS forms are written to the vendor's codes and come back in the vendor's forms.
    row(0x2212, "\x81\x7C", 0xFF0D);
    row(0x301C, "\x81\x60", 0xFF5E);
    row(0x2014, "\x81\x5C", 0x2015);
    row(0x2016, "\x81\x61", 0x2225);
    row(0x00A2, "\x81\x91", 0xFFE0);
    row(0x00A3, "\x81\x92", 0xFFE1);
    row(0x00AC, "\x81\xCA", 0xFFE2);
    // The vendor forms go round unchanged.
    row(0xFF0D, "\x81\x7C", 0xFF0D);
    row(0xFF5E, "\x81\x60", 0xFF5E);
    row(0xFFE5, "\x81\x8F", 0xFFE5);
}

void TstCp932::vendorPairs() {
    QFETCH(QString, written);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QCOMPARE(vx::toCp932(written), bytes);
    QCOMPARE(vx::fromCp932(bytes), std::optional<QString>(readBack));
}

void TstCp932::unmappedCharacters() {
    const QString text = QString::fromUtf8("aé€b") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("c");
    QCOMPARE(vx::toCp932(text), QByteArray("a??b?c"));
    QCOMPARE(vx::toCp932Html(text), QByteArray("a&#233;&#8364;b&#128512;c"));
    // A lone surrogate is one unmapped character, not the end of the text.
    QCOMPARE(vx::toCp932(QString(QChar(0xD800)) + QStringLiteral("x")), QByteArray("?x"));
}

void TstCp932::invalidBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lead byte at end") << QByteArray("ab\x81");
    QTest::newRow("bad trail byte") << QByteArray("\x81\x20");
    QTest::newRow("undefined single byte") << QByteArray("\xA0");
}

void TstCp932::invalidBytes() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(vx::fromCp932(bytes), std::nullopt);
}

void TstCp932::width() {
    QCOMPARE(vx::cp932Width(QStringLiteral("1s")), 2);
    QCOMPARE(vx::cp932Width(QString::fromUtf8("Ｇ")), 2);
    QCOMPARE(vx::cp932Width(QString::fromUtf8("ｶﾞ")), 2);
    QCOMPARE(vx::cp932Width(QString::fromUtf8("①s")), 3);
    QCOMPARE(vx::cp932Width(QString()), 0);
}

QTEST_GUILESS_MAIN(TstCp932)
#include "tst_cp932.moc"
