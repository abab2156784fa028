#include "common/convert.h"
#include <QTest>

class TstConvert : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeNumbersRoundHalfToEven();
    void rangesAndBadText();
    void hexadecimal();
    void lenientReading();
    void numberTexts();
    void colours();
};

void TstConvert::wholeNumbersRoundHalfToEven() {
    QCOMPARE(vx::CInt(QStringLiteral("2.5")), std::optional<std::int16_t>(2));
    QCOMPARE(vx::CInt(QStringLiteral("3.5")), std::optional<std::int16_t>(4));
    QCOMPARE(vx::CInt(QStringLiteral("-2.5")), std::optional<std::int16_t>(-2));
    QCOMPARE(vx::CInt(QStringLiteral(" 12 ")), std::optional<std::int16_t>(12));
    QCOMPARE(vx::CByte(QStringLiteral("0.5")), std::optional<std::uint8_t>(0));
    QCOMPARE(vx::CByte(QStringLiteral("1.5")), std::optional<std::uint8_t>(2));
}

void TstConvert::rangesAndBadText() {
    QCOMPARE(vx::CInt(QStringLiteral("32767")), std::optional<std::int16_t>(32767));
    QCOMPARE(vx::CInt(QStringLiteral("32768")), std::nullopt);
    QCOMPARE(vx::CInt(QStringLiteral("-32768.4")), std::optional<std::int16_t>(-32768));
    QCOMPARE(vx::CByte(QStringLiteral("255")), std::optional<std::uint8_t>(255));
    QCOMPARE(vx::CByte(QStringLiteral("256")), std::nullopt);
    QCOMPARE(vx::CByte(QStringLiteral("-1")), std::nullopt);
    QCOMPARE(vx::CLng(QStringLiteral("2147483648")), std::nullopt);
    for (const char* bad : {"", "  ", "abc", "12abc", "1e999", "&h", "&hXYZ"}) {
        QCOMPARE(vx::CInt(QString::fromLatin1(bad)), std::nullopt);
        QCOMPARE(vx::CLng(QString::fromLatin1(bad)), std::nullopt);
        QCOMPARE(vx::CDbl(QString::fromLatin1(bad)), std::nullopt);
    }
}

void TstConvert::hexadecimal() {
    QCOMPARE(vx::CLng(QStringLiteral("&h10ddff")), std::optional<std::int32_t>(1105407));
    QCOMPARE(vx::CLng(QStringLiteral("&hffffff")), std::optional<std::int32_t>(16777215));
    QCOMPARE(vx::CLng(QStringLiteral("&hFFFFFFFF")), std::optional<std::int32_t>(-1));
    QCOMPARE(vx::CLng(QStringLiteral("&h100000000")), std::nullopt);
    QCOMPARE(vx::CLng(QStringLiteral("8425727")), std::optional<std::int32_t>(8425727));
    // Four digits or fewer are a 16-bit pattern.
    QCOMPARE(vx::CInt(QStringLiteral("&hFFFF")), std::optional<std::int16_t>(-1));
    QCOMPARE(vx::CInt(QStringLiteral("&o17")), std::optional<std::int16_t>(15));
}

void TstConvert::lenientReading() {
    QCOMPARE(vx::Val(QStringLiteral("  12abc")), 12.0);
    QCOMPARE(vx::Val(QStringLiteral("abc")), 0.0);
    QCOMPARE(vx::Val(QStringLiteral("-3.5e2x")), -350.0);
    QCOMPARE(vx::Val(QStringLiteral("1e")), 1.0);
    QCOMPARE(vx::Val(QStringLiteral("&h1Fz")), 31.0);
    QCOMPARE(vx::Val(QString::fromUtf8("３")), 0.0);  // full-width digits are no number
    QCOMPARE(vx::Val(QString::fromUtf8("30着       以下")), 30.0);
}

void TstConvert::numberTexts() {
    QCOMPARE(vx::Str(2), QStringLiteral(" 2"));
    QCOMPARE(vx::Str(-2), QStringLiteral("-2"));
    QCOMPARE(vx::Str(0.5), QStringLiteral(" .5"));
    QCOMPARE(vx::Str(-0.5), QStringLiteral("-.5"));
    QCOMPARE(vx::CStr(0.5), QStringLiteral("0.5"));
    QCOMPARE(vx::CStr(-1.5), QStringLiteral("-1.5"));
    QCOMPARE(vx::CStr(185.333333333333333), QStringLiteral("185.333333333333"));
    QCOMPARE(vx::CStr(1e20), QStringLiteral("1E+20"));
    QCOMPARE(vx::PrintForm(12), QStringLiteral(" 12 "));
    QCOMPARE(vx::PrintForm(0.5), QStringLiteral(" .5 "));
}

void TstConvert::colours() {
    QCOMPARE(vx::ColorToHtml(14811135), QStringLiteral("FFFFE1"));
    QCOMPARE(vx::ColorToHtml(255), QStringLiteral("FF0000"));
    QCOMPARE(vx::ColorToHtml(0x123456), QStringLiteral("563412"));
    QCOMPARE(vx::ColorToHtml(-1), QStringLiteral("FFFFFF"));
}

QTEST_GUILESS_MAIN(TstConvert)
#include "tst_convert.moc"
