// Text and numbers as the other platform wrote them: conversions, pictures, widths, CP932 bytes,
// marks and names compared without regard to case or width.
#include "common/convert.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/picture.h"
#include "common/width.h"
#include <QTest>

using namespace vx;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
template <class T>
QString shown(const std::optional<T>& v) { return v ? QString::number(double(*v), 'g', 17) : QStringLiteral("none"); }

std::array<QString, 11> defaultMarks() {
    std::array<QString, 11> m;
    for (int k = 1; k <= 8; ++k) m[std::size_t(k)] = QString::number(k) + QLatin1Char('s');
    m[9] = u("／");
    m[10] = u("＊");
    return m;
}

// One function of the core by its short name, its result as text.
QString apply(const QString& fn, const QString& arg, const QString& in) {
    const double x = in.toDouble();
    if (fn == "#") return Format(x, arg);
    if (fn == "@") return Format(in, arg);
    if (fn == "CInt") return shown(CInt(in));
    if (fn == "CByte") return shown(CByte(in));
    if (fn == "CLng") return shown(CLng(in));
    if (fn == "CSng") return shown(CSng(in));
    if (fn == "CDbl") return shown(CDbl(in));
    if (fn == "range") return shown(wholeInRange(in, -5, arg.toInt()));
    if (fn == "Val") return QString::number(Val(in), 'g', 17);
    if (fn == "Str") return arg == "int" ? Str(in.toInt()) : Str(x);
    if (fn == "CStr") return CStr(x);
    if (fn == "Print") return PrintForm(x);
    if (fn == "Color") return ColorToHtml(in.toInt());
    if (fn == "Wide") return StrConvWide(in);
    if (fn == "Narrow") return StrConvNarrow(in);
    if (fn == "Fixed") return FixedText(in, arg.toInt());
    if (fn == "Width") return QString::number(cp932Width(in));
    if (fn == "Mark") return normalizeMark(in, defaultMarks());
    return QStringLiteral("unknown function ") + fn;
}
}  // namespace

class TstText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void functions_data() {
        QTest::addColumn<QString>("fn");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("want");
        auto row = [](const char* fn, const char* arg, const char* in, const char* want) {
            QTest::addRow("%s %s [%s]", fn, arg, in) << u(fn) << u(arg) << u(in) << u(want);
        };
        // Number pictures: "#" writes nothing for a missing digit, "0" a zero; digits are never cut.
        row("#", "####", "0", ""), row("#", "####", "185", "185"), row("#", "0000", "1", "0001");
        row("#", "0000", "12345", "12345"), row("#", "#######0", "123456789", "123456789");
        row("#", "00\\ >> ", "5", "05 >> "), row("#", "00\\点  ", "17", "17点  "), row("#", "00\\p   ", "0", "00p   ");
        row("#", "第###試合 ", "12", "第12試合 "), row("#", "0\"#0\"", "7", "7#0");
        // Decimals round half away from zero on the decimal value.
        row("#", "###.0", "0.5", ".5"), row("#", "###.0", "185.25", "185.3"), row("#", "#0.00", "0", "0.00");
        row("#", "#0.00", "2.675", "2.68"), row("#", "###00.0", "5", "05.0"), row("#", " ##0.0", "6.3", " 6.3");
        row("#", " 0.00", "1.5", " 1.50"), row("#", " 000.0", "95", " 095.0"), row("#", "0", "-2.5", "-3");
        row("#", "###0", "-5", "-5"), row("#", "0.0", "-0.04", "0.0"), row("#", "#.##", "1.5", "1.5");
        row("#", "###0.0%", "0.253", "25.3%"), row("#", "##0.0%", "0.4567", "45.7%"), row("#", "##0.0%", "1", "100.0%");
        row("#", "#,##0", "1234567", "1,234,567"), row("#", "Fixed", "176.666666", "176.67");
        row("#", "Fixed", "0.5", "0.50"), row("#", "Percent", "0.7", "70.00%"), row("#", "General Number", "1234567", "1234567");
        row("#", "", "3", "3");
        // Text pictures: @ right-aligns, ! left-aligns, & adds nothing; a longer text stays whole.
        row("@", "@@@", "95", " 95"), row("@", "@@@", "1850", "1850"), row("@", "!@@@@@@@@@@", "山田", "山田        ");
        row("@", "!@@@@@@", "abcdefgh", "abcdefgh"), row("@", " !@@@", "１着", " １着 "), row("@", "&&&&&&&&", "山田", "山田");
        row("@", "&&&&&&&& ", "春季", "春季 "), row("@", "&&", "", ""), row("@", " === 素点@@@", "185", " === 素点185");
        row("@", "@@@@@@@@", "山田太郎　　　　　　", "山田太郎　　　　　　"), row("@", "\\@@@", "x", "@ x");
        // A number under a text picture is its plain text; a numeric text under a number picture is the number.
        row("#", "@@@", "5", "  5"), row("#", "@@@@", "0.5", " 0.5"), row("@", "000000", "12", "000012");
        row("@", "0000", "abc", "abc"), row("@", "Percent", "0.25", "25.00%"), row("@", "Fixed", "abc", "abc");
        // Strict conversions round halves to even and refuse what is out of range.
        row("CInt", "", "2.5", "2"), row("CInt", "", "3.5", "4"), row("CInt", "", "-2.5", "-2"), row("CInt", "", " 12 ", "12");
        row("CInt", "", "32767", "32767"), row("CInt", "", "32768", "none"), row("CInt", "", "-32768.4", "-32768");
        row("CInt", "", "&hFFFF", "-1"), row("CInt", "", "&o17", "15"), row("CByte", "", "0.5", "0");
        row("CByte", "", "1.5", "2"), row("CByte", "", "255", "255"), row("CByte", "", "256", "none"), row("CByte", "", "-1", "none");
        row("CLng", "", "2147483648", "none"), row("CLng", "", "&h10ddff", "1105407"), row("CLng", "", "&hFFFFFFFF", "-1");
        row("CLng", "", "&h100000000", "none"), row("CLng", "", "8425727", "8425727"), row("CSng", "", "1e39", "none");
        row("CSng", "", "-1.5", "-1.5"), row("range", "100", "100", "100"), row("range", "100", " -0 ", "0");
        row("range", "100", "-5", "-5"), row("range", "100", "-6", "none"), row("range", "100", "101", "none");
        row("range", "100", "1.5", "none");
        for (const char* bad : {"", "  ", "abc", "12abc", "1e999", "&h", "&hXYZ"})
            for (const char* fn : {"CInt", "CLng", "CDbl"}) row(fn, "", bad, "none");
        // The lenient reading takes what can belong to a number.
        row("Val", "", "  12abc", "12"), row("Val", "", "abc", "0"), row("Val", "", "-3.5e2x", "-350"), row("Val", "", "1e", "1");
        row("Val", "", "&h1Fz", "31"), row("Val", "", "&o7a", "7"), row("Val", "", "３", "0"), row("Val", "", "30着  以下", "30");
        row("Str", "int", "0", " 0"), row("Str", "int", "-2", "-2"), row("Str", "", "0.5", " .5"), row("Str", "", "-0.5", "-.5");
        row("CStr", "", "0.5", "0.5"), row("CStr", "", "-1.5", "-1.5"), row("CStr", "", "185.333333333333333", "185.333333333333");
        row("CStr", "", "1e20", "1E+20"), row("Print", "", "12", " 12 "), row("Print", "", "0.5", " .5 ");
        row("Color", "", "14811135", "FFFFE1"), row("Color", "", "255", "FF0000"), row("Color", "", "1193046", "563412");
        row("Color", "", "-1", "FFFFFF");
        // Widths as the code page pairs them; a mark that cannot combine stays a mark of its own.
        row("Wide", "", "1s Ab~/*-", "１ｓ　Ａｂ～／＊－"), row("Wide", "", "\\\"'", "￥”’");
        row("Wide", "", "ｹﾞｰﾑ ﾊﾟﾋﾟ ｳﾞ ﾂﾞ ﾎﾟ", "ゲーム　パピ　ヴ　ヅ　ポ"), row("Wide", "", "ｶﾟﾞｱﾞﾍﾞ", "カ゜゛ア゛ベ");
        row("Wide", "", "山田が①", "山田が①"), row("Narrow", "", "　Ｇ－／＊１ｓ", " G-/*1s");
        row("Narrow", "", "ガパヴヅーッ", "ｶﾞﾊﾟｳﾞﾂﾞｰｯ"), row("Narrow", "", "￥＼”’", "\\\\\"'"), row("Narrow", "", "がヵ漢①", "がヵ漢①");
        row("Fixed", "4", "山田", "山田  "), row("Fixed", "4", "山田太郎花子", "山田太郎");
        row("Width", "", "1s", "2"), row("Width", "", "Ｇ", "2"), row("Width", "", "ｶﾞ", "2"), row("Width", "", "①s", "3");
        row("Width", "", "", "0");
        // Stored marks in their two-character form.
        for (const auto& m : {std::pair{"Ｇ", " G"}, {"７", " 7"}, {"－", " -"}, {"　", "  "}, {"3s", "s3"}, {"8s", "s8"},
                              {"／", " /"}, {"＊", " *"}, {"  ", "  "}, {"", "  "}, {"3S", " 3"}, {"ABC", " A"}, {"ｶﾞ", " ｶ"}})
            row("Mark", "", m.first, m.second);
    }
    void functions() {
        QFETCH(QString, fn);
        QFETCH(QString, arg);
        QFETCH(QString, in);
        QFETCH(QString, want);
        QCOMPARE(apply(fn, arg, in), want);
    }

    void widthRoundTripAndConfiguredMarks() {
        for (char16_t c = 0x20; c <= 0xFF9F; c = c == 0x7E ? 0xFF61 : c + 1) {
            const QString one(QChar{c});
            QCOMPARE(StrConvNarrow(StrConvWide(one)), one);
        }
        auto marks = defaultMarks();
        marks[1] = u("①");
        QCOMPARE(normalizeMark(u("①"), marks), u("s1"));
        // The same first two full-width characters: the lower k wins; width does not separate them.
        marks[4] = u("ＸＸ");
        marks[9] = u("XX");
        QCOMPARE(normalizeMark(u("XX"), marks), u("s4"));
        // A blank configured text takes every empty mark.
        marks[10] = QString();
        QCOMPARE(normalizeMark(u("　"), marks), u(" *"));
        QCOMPARE(normalizeMark(QString(), marks), u(" *"));
    }

    // Names fold case and width alike; a list finds the exact spelling before a folded one.
    void names() {
        for (const auto& [a, b] : {std::pair{"優p", "優Ｐ"}, {"s10", "S10"}, {"ｹﾞｰﾑ", "ゲーム"}, {"スペアミス", "ｽﾍﾟｱﾐｽ"}})
            QVERIFY2(sameName(u(a), u(b)), a);
        QVERIFY(!sameName(u("ST"), u("SP")) && !sameName(u("ゲーム"), u("げーむ")));
        const NameList list({u("ｹﾞｰﾑ"), u("ゲーム"), u("優Ｐ計")});
        QCOMPARE(list.indexOf(u("ゲーム")), 1);
        QCOMPARE(list.indexOf(u("げーむ")), -1);
        QCOMPARE(list.find(u("優p計")), u("優Ｐ計"));
        QCOMPARE(list.find(u("x")), QString());
    }

    void cp932() {
        const QString text = u("Ｇ１　ｱ山田 1s");
        const QByteArray bytes = toCp932(text);
        QCOMPARE(bytes, QByteArray("\x82\x66\x82\x50\x81\x40\xB1\x8E\x52\x93\x63 1s"));
        QCOMPARE(fromCp932(bytes), std::optional<QString>(text));
        QCOMPARE(fromCp932(QByteArray()), std::optional<QString>(QString()));
        // The JIS forms are written to the vendor's codes and come back in the vendor's forms,
        // which go round unchanged.
        const struct { char16_t in; const char* bytes; char16_t out; } pairs[] = {
            {0x2212, "\x81\x7C", 0xFF0D}, {0x301C, "\x81\x60", 0xFF5E}, {0x2014, "\x81\x5C", 0x2015},
            {0x2016, "\x81\x61", 0x2225}, {0x00A2, "\x81\x91", 0xFFE0}, {0x00A3, "\x81\x92", 0xFFE1},
            {0x00AC, "\x81\xCA", 0xFFE2}, {0xFF0D, "\x81\x7C", 0xFF0D}, {0xFF5E, "\x81\x60", 0xFF5E},
            {0xFFE5, "\x81\x8F", 0xFFE5}};
        for (const auto& p : pairs) {
            QCOMPARE(toCp932(QString(QChar(p.in))), QByteArray(p.bytes));
            QCOMPARE(fromCp932(p.bytes), std::optional<QString>(QString(QChar(p.out))));
        }
        const QString odd = u("aé€b") + QString::fromUcs4(U"\U0001F600") + u("c");
        QCOMPARE(toCp932(odd), QByteArray("a??b?c"));
        QCOMPARE(toCp932Html(odd), QByteArray("a&#233;&#8364;b&#128512;c"));
        // A lone surrogate is one unmapped character, not the end of the text.
        QCOMPARE(toCp932(QString(QChar(0xD800)) + u("x")), QByteArray("?x"));
        for (const char* bad : {"ab\x81", "\x81\x20", "\xA0"}) QCOMPARE(fromCp932(bad), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
