// Text and numbers as the other platform wrote them: conversions, pictures, widths, CP932 bytes,
// marks and names compared without regard to case or width.
#include "common/convert.h"
#include "common/names.h"
#include "common/picture.h"
#include "common/vbtypes.h"
#include "common/width.h"
#include <iconv.h>


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
    if (fn == "range") return shown(wholeInRange(in, -5, 100));
    if (fn == "Val") return QString::number(Val(in), 'g', 17);
    if (fn == "StrInt") return Str(in.toInt());
    if (fn == "Str") return Str(x);
    if (fn == "CStr") return CStr(x);
    if (fn == "Print") return PrintForm(x);
    if (fn == "Color") return ColorToHtml(in.toInt());
    if (fn == "Wide") return StrConvWide(in);
    if (fn == "Narrow") return StrConvNarrow(in);
    if (fn == "Fixed4") return FixedText(in, 4);
    if (fn == "Width") return QString::number(cp932Width(in));
    if (fn == "Mark") return normalizeMark(in, defaultMarks());
    if (fn == "CP932") return QString::fromLatin1(toCp932(in).toHex()) + ' ' + fromCp932(toCp932(in)).value_or("?");
    if (fn == "Decode") return fromCp932(QByteArray::fromHex(in.toLatin1())).value_or("none");
    return QStringLiteral("unknown function ") + fn;
}
}  // namespace

class TstText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void functions_data() {
        QTest::addColumn<QStringList>("c");  // function, picture, input, result
        auto add = [](const char* fn, const char* arg, const char* in, const char* want) {
            QTest::addRow("%s %s [%s]", fn, arg, in) << QStringList{u(fn), u(arg), u(in), u(want)};
        };
        auto pictures = [&](const char* fn, std::initializer_list<std::array<const char*, 3>> cases) {
            for (const auto& c : cases) add(fn, c[0], c[1], c[2]);
        };
        auto each = [&](const char* fn, std::initializer_list<std::pair<const char*, const char*>> cases) {
            for (const auto& [in, want] : cases) add(fn, "", in, want);
        };
        // Number pictures: "#" writes nothing for a missing digit, "0" a zero; digits are never cut;
        // decimals round half away from zero on the decimal value. A text picture takes the number's text.
        pictures("#", {{"####", "0", ""}, {"####", "185", "185"}, {"0000", "1", "0001"}, {"0000", "12345", "12345"}, {"#######0", "123456789", "123456789"},
                       {"00\\ >> ", "5", "05 >> "}, {"00\\点  ", "17", "17点  "}, {"00\\p   ", "0", "00p   "}, {"0\\", "4", "4"}, {"第###試合 ", "12", "第12試合 "}, {"0\"#0\"", "7", "7#0"},
                       {"###.0", "0.5", ".5"}, {"###.0", "185.25", "185.3"}, {"#0.00", "0", "0.00"}, {"#0.00", "2.675", "2.68"}, {"###00.0", "5", "05.0"},
                       {" ##0.0", "6.3", " 6.3"}, {" 0.00", "1.5", " 1.50"}, {" 000.0", "95", " 095.0"}, {"0", "-2.5", "-3"}, {"###0", "-5", "-5"},
                       {"0.0", "-0.04", "0.0"}, {"#.##", "1.5", "1.5"}, {"#.##", "2", "2."}, {"###0.0%", "0.253", "25.3%"}, {"##0.0%", "0.4567", "45.7%"},
                       {"##0.0%", "1", "100.0%"}, {"#,##0", "1234567", "1,234,567"}, {"Fixed", "176.666666", "176.67"}, {"Fixed", "0.5", "0.50"},
                       {"Percent", "0.7", "70.00%"}, {"General Number", "1234567", "1234567"}, {"", "3", "3"}, {"@@@", "5", "  5"}, {"@@@@", "0.5", " 0.5"},
                       {"0", "1e20", "100000000000000000000"}, {"0.0.", "1.5", "1.5."}, {"0.00,", "1234.5", "1234.50,"}});
        // The 15 significant digits round half up on the exact binary value: a tie, a carry to the
        // next power of ten, the smallest and largest values reckoned in whole numbers.
        pictures("#", {{"0.00000000000000", "1.000030517578125", "1.00003051757813"}, {"0", "999999999999999.5", "1000000000000000"},
                       {"0.000000000", "0.00000012345678901234", "0.000000123"}, {"#0.000", "12.0625", "12.063"}, {"0.0", "-0.05", "-0.1"}});
        // Text pictures: @ right-aligns, ! left-aligns, & adds nothing; a longer text stays whole.
        // A numeric text under a number picture is the number.
        pictures("@", {{"@@@", "95", " 95"}, {"@@@", "1850", "1850"}, {"!@@@@@@@@@@", "山田", "山田        "}, {"!@@@@@@", "abcdefgh", "abcdefgh"}, {" !@@@", "１着", " １着 "},
                       {"&&&&&&&&", "山田", "山田"}, {"&&&&&&&& ", "春季", "春季 "}, {"&&", "", ""}, {" === 素点@@@", "185", " === 素点185"},
                       {"@@@@@@@@", "山田太郎　　　　　　", "山田太郎　　　　　　"}, {"\\@@@", "x", "@ x"}, {"000000", "12", "000012"}, {"0000", "abc", "abc"}, {"Percent", "0.25", "25.00%"},
                       {"Fixed", "abc", "abc"}});
        // A character outside the basic plane fills one place.
        pictures("@", {{"!@@@@@@", "𠮷田", "𠮷田    "}, {"@@@", "𠮷", "  𠮷"}, {"@@@@", "a𠮷", "  a𠮷"}, {"!@@@@@@@@@@", "山田太郎右衛門𠮷田", "山田太郎右衛門𠮷田 "},
                       {"!@@", "𠮷田太", "𠮷田太"}, {"@@", "𠮷田太", "𠮷田太"}, {"&&&&&&&&", "𠮷", "𠮷"}});
        // Strict conversions round halves to even and refuse what is out of range.
        each("CInt", {{"2.5", "2"}, {"3.5", "4"}, {"-2.5", "-2"}, {" 12 ", "12"}, {"32767", "32767"}, {"32768", "none"}, {"-32768.4", "-32768"}, {"&hFFFF", "-1"},
                      {"&o17", "15"}});
        each("CByte", {{"0.5", "0"}, {"1.5", "2"}, {"255", "255"}, {"256", "none"}, {"-1", "none"}});
        each("CLng", {{"2147483648", "none"}, {"&h10ddff", "1105407"}, {"&hFFFFFFFF", "-1"}, {"&h100000000", "none"}, {"8425727", "8425727"}});
        each("CSng", {{"1e39", "none"}, {"-1.5", "-1.5"}});
        each("range", {{"100", "100"}, {" -0 ", "0"}, {"-5", "-5"}, {"-6", "none"}, {"101", "none"}, {"1.5", "none"}});
        for (const char* fn : {"CInt", "CLng", "CDbl"})
            each(fn, {{"", "none"}, {"  ", "none"}, {"abc", "none"}, {"12abc", "none"}, {"1e999", "none"}, {"&h", "none"}, {"&hXYZ", "none"}});
        // The lenient reading takes what can belong to a number.
        each("Val", {{"  12abc", "12"}, {"abc", "0"}, {"-3.5e2x", "-350"}, {"1e", "1"}, {"&h1Fz", "31"}, {"&h1F!", "31"}, {"&hFFFFFFFF", "-1"}, {"&o17a", "15"}, {"&o18", "1"}, {"３", "0"}, {"30着  以下", "30"}});
        each("StrInt", {{"0", " 0"}, {"-2", "-2"}});
        each("Str", {{"0.5", " .5"}, {"-0.5", "-.5"}, {"0", " 0"}});
        each("CStr", {{"0.5", "0.5"}, {"-1.5", "-1.5"}, {"185.333333333333333", "185.333333333333"}, {"1e20", "1E+20"}, {"1e15", "1E+15"}});
        each("Print", {{"12", " 12 "}, {"0.5", " .5 "}});
        each("Color", {{"14811135", "FFFFE1"}, {"255", "FF0000"}, {"1193046", "563412"}, {"-1", "FFFFFF"}});
        // Widths as the code page pairs them; a mark that cannot combine stays a mark of its own.
        each("Wide", {{"1s Ab~/*-", "１ｓ　Ａｂ～／＊－"}, {"\\\"'", "￥”’"}, {"山田が①", "山田が①"}, {"ｹﾞｰﾑ ﾊﾟﾋﾟ ｳﾞ ﾂﾞ ﾎﾟ", "ゲーム　パピ　ヴ　ヅ　ポ"}, {"ｶﾟﾞｱﾞﾍﾞ", "カ゜゛ア゛ベ"}});
        each("Narrow", {{"　Ｇ－／＊１ｓ", " G-/*1s"}, {"ガパヴヅーッ", "ｶﾞﾊﾟｳﾞﾂﾞｰｯ"}, {"￥＼”’", "\\\\\"'"}, {"がヵ漢①", "がヵ漢①"}});
        each("Fixed4", {{"山田", "山田  "}, {"山田太郎花子", "山田太郎"}, {"𠮷田", "𠮷田  "}, {"山田太𠮷田", "山田太𠮷"}});
        each("Width", {{"1s", "2"}, {"Ｇ", "2"}, {"ｶﾞ", "2"}, {"①s", "3"}, {"", "0"}});
        // Stored marks in their two-character form.
        each("Mark", {{"Ｇ", " G"}, {"７", " 7"}, {"－", " -"}, {"　", "  "}, {"3s", "s3"}, {"8s", "s8"}, {"／", " /"}, {"＊", " *"}, {"  ", "  "}, {"", "  "}, {"3S", " 3"},
                      {"ABC", " A"}, {"ｶﾞ", " ｶ"}, {"𠮷", " 𠮷"}, {"1𠮷", " 1"}});
        // The JIS forms are written to the vendor's codes and come back in the vendor's forms, which go round unchanged.
        each("CP932", {{"Ｇ１　ｱ山田 1s", "826682508140b18e529363203173 Ｇ１　ｱ山田 1s"}, {"", " "}, {"−", "817c －"}, {"〜", "8160 ～"}, {"—", "815c ―"}, {"‖", "8161 ∥"},
                       {"¢", "8191 ￠"}, {"£", "8192 ￡"}, {"¬", "81ca ￢"}, {"－", "817c －"}, {"～", "8160 ～"}, {"￥", "818f ￥"}});
        each("Decode", {{"616281", "none"}, {"8120", "none"}, {"a0", "none"}});
    }
    void functions() {
        QFETCH(QStringList, c);
        QCOMPARE(apply(c[0], c[1], c[2]), c[3]);
    }

    // Random number pictures against a model that works on the decimal value as whole numbers:
    // rounded half away from zero, "0" places padded, "#" places at the fraction's end dropping
    // their zeros, digits grouped, the sign in front, "%" a hundred times the value.
    void numberPicturesAsAModel() {
        QRandomGenerator rng(4711);
        const std::pair<const char*, const char*> fixes[] = {{"", ""}, {" ", " "}, {"第", "第"}, {"\\#", "#"}, {"\"0,\"", "0,"}};
        for (int round = 0; round < 4000; ++round) {
            const bool longFraction = rng.bounded(4) == 0;  // up to 15 significant digits in all
            const int k = int(rng.bounded(longFraction ? 14 : 10));  // the value is n / 10^k
            const qint64 n = qint64(rng.bounded(quint64(longFraction || k > 6 ? 1000000 : 1000000000000ull))) * (rng.bounded(3) == 0 ? -1 : 1) /
                             qint64(rng.bounded(4) ? 1 : 1000);
            const bool percent = !longFraction && rng.bounded(5) == 0, grouping = rng.bounded(4) == 0;
            QString intPlaces, fracPlaces;
            for (int i = int(rng.bounded(6)); i > 0; --i) intPlaces += rng.bounded(2) ? '#' : '0';
            const bool point = rng.bounded(3) > 0;
            if (point)
                for (int i = int(longFraction ? rng.bounded(5, 13) : rng.bounded(5)); i > 0; --i) fracPlaces += rng.bounded(2) ? '#' : '0';
            const auto& [pre, preOut] = fixes[rng.bounded(5)];
            const auto& [post, postOut] = fixes[rng.bounded(3)];
            QString picture = QString::fromUtf8(pre) + (grouping && intPlaces.size() >= 2 ? intPlaces.left(1) + ',' + intPlaces.mid(1) : intPlaces) +
                              (point ? "." + fracPlaces : QString()) + (percent ? "%" : "") + QString::fromUtf8(post);
            if (intPlaces.isEmpty() && !point) continue;  // no place for a digit
            // The model: |n| scaled to the picture's decimals, rounded on the remainder.
            const int scale = k - (percent ? 2 : 0), d = int(fracPlaces.size());
            quint64 q = quint64(n < 0 ? -n : n);
            if (d >= scale) {
                for (int i = scale; i < d; ++i) q *= 10;
            } else {
                quint64 div = 1;
                for (int i = d; i < scale; ++i) div *= 10;
                const bool up = (q % div) * 2 >= div;
                q = q / div + up;
            }
            std::string all;
            for (quint64 t = q; t > 0; t /= 10) all.insert(all.begin(), char('0' + int(t % 10)));
            if (int(all.size()) < d) all.insert(0, std::size_t(d) - all.size(), '0');
            QString whole = QString::fromStdString(all.substr(0, all.size() - std::size_t(d)));
            QString frac = QString::fromStdString(all.substr(all.size() - std::size_t(d)));
            const qsizetype firstZero = intPlaces.indexOf('0');
            const qsizetype minInt = firstZero < 0 ? 0 : intPlaces.size() - firstZero;
            if (whole.size() < minInt) whole = QString(minInt - whole.size(), '0') + whole;
            if (grouping && intPlaces.size() >= 2)
                for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, ',');
            while (!frac.isEmpty() && fracPlaces[frac.size() - 1] == '#' && frac.endsWith('0')) frac.chop(1);
            const QString want = QString(n < 0 && q > 0 ? "-" : "") + QString::fromUtf8(preOut) + whole + (point ? "." + frac : QString()) +
                                 (percent ? "%" : "") + QString::fromUtf8(postOut);
            QString text = QString::number(n);
            if (k > 0) {
                text = QString::number(n < 0 ? -n : n).rightJustified(k + 1, '0');
                text = (n < 0 ? "-" : "") + text.insert(text.size() - k, '.');
            }
            const double value = text.toDouble();
            QCOMPARE(Format(value, picture) + " " + text + " " + picture, want + " " + text + " " + picture);
            QCOMPARE(Format(text, picture), want);
        }
    }

    // Random text pictures against a model: "@" and "&" places, literals, "!" anywhere. Right-
    // aligned, the characters take the last places and the first place any surplus; left-aligned,
    // the first places and the last place the surplus; a place without one shows "@" as a blank.
    void textPicturesAsAModel() {
        QRandomGenerator rng(99);
        const QStringList kinds{"a", u("山"), u("𠮷"), u("ｱ"), " "};
        for (int round = 0; round < 3000; ++round) {
            QString picture;
            QStringList places;  // "@" or "&" for each place, "-" or "x" for a literal
            for (int i = int(rng.bounded(1, 9)); i > 0; --i) places << QStringList{"@", "@", "&", "&", "-", "x"}[int(rng.bounded(6))];
            if (!places.contains("@") && !places.contains("&")) places << "@";
            const bool left = rng.bounded(3) == 0;
            const int bang = int(rng.bounded(places.size() + 1));
            QStringList chars;
            for (int i = int(rng.bounded(11)); i > 0; --i) chars << kinds[int(rng.bounded(kinds.size()))];
            const int p = int(places.count("@") + places.count("&")), n = int(chars.size());
            QString want;
            for (int i = 0, k = 0; i < places.size(); ++i) {
                if (left && i == bang) picture += '!';
                picture += places[i];
                if (places[i] != "@" && places[i] != "&") {
                    want += places[i];
                    continue;
                }
                // The characters of place k: one each, the surplus at the first (last) place.
                QStringList held;
                if (left) held = k < n ? (k == p - 1 ? chars.mid(k) : chars.mid(k, 1)) : QStringList();
                else if (n >= p) held = k == 0 ? chars.mid(0, n - p + 1) : chars.mid(n - p + k, 1);
                else held = k >= p - n ? chars.mid(k - (p - n), 1) : QStringList();
                want += held.isEmpty() && places[i] == "@" ? " " : held.join("");
                ++k;
            }
            if (left && bang == places.size()) picture += '!';
            QCOMPARE(Format(chars.join(""), picture) + "|" + picture, want + "|" + picture);
        }
        QCOMPARE(Format(-1.5, "@@@@@@") + Format(0.25, "!&&&&&&&") + Format(12, "@"), "  -1.50.2512");
    }

    // Cuts, widths and paddings count characters: a surrogate pair is one and never cut in two, a
    // lone half counts as one; the fixed-length name keeps ten characters.
    void charactersNotHalves() {
        const QString name = u("山田太郎右衛門𠮷田");
        QCOMPARE(QString::number(charCount(name)) + QString::number(charCount(QString(QChar(0xD842)) + u("a"))), u("92"));
        QCOMPARE(QStringList({leftChars(name, 8), rightChars(name, 2), midChars(name, 7, 1), midChars(name, 6), padLeft(u("𠮷"), 3),
                              padRight(u("𠮷"), 3, QLatin1Char('*')), padRight(name, 3), leftChars(name, 0), rightChars(name, 20)}).join('|'),
                 u("山田太郎右衛門𠮷|𠮷田|𠮷|門𠮷田|  𠮷|𠮷**|山田太郎右衛門𠮷田||山田太郎右衛門𠮷田"));
        QCOMPARE(QStringList({leftChars(name, 1), midChars(name, 2, 0), midChars(name, 7, 2), FixedText(name, 1), rightChars(name, 1)}).join('|'), u("山||𠮷田|山|田"));
        QCOMPARE(FixedString<10>(name + u("一郎")).str() + '|' + FixedString<4>(u("𠮷")).str(), u("山田太郎右衛門𠮷田一|𠮷   "));
        // Cut to eight, the page writes the whole character as one reference.
        QCOMPARE(toCp932Html(FixedText(name, 8)), toCp932(u("山田太郎右衛門")) + "&#134071;");
    }

    // Every character of the basic plane, a pair and lone halves, as glibc converts the text whole:
    // a character CP932 lacks as "?" or, in pages, as its numeric reference.
    void cp932AsIconvConvertsIt() {
        QString all;
        for (char16_t c = 1; c != 0; ++c)
            if (!QChar::isSurrogate(c)) all += QChar(c);
        all += QString::fromUcs4(U"\U0001F600") + QChar(0xDC00) + u("x") + QChar(0xD800);
        for (bool refs : {false, true}) {
            iconv_t cd = iconv_open("CP932", "UTF-16LE");
            QVERIFY(cd != iconv_t(-1));
            QByteArray want, in(reinterpret_cast<const char*>(all.utf16()), all.size() * 2), buf(in.size(), Qt::Uninitialized);
            char* inPtr = in.data();
            size_t inLeft = size_t(in.size());
            while (inLeft > 0) {
                char* outPtr = buf.data();
                size_t outLeft = size_t(buf.size());
                const bool done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
                want.append(buf.constData(), buf.size() - qsizetype(outLeft));
                if (done) break;
                const qsizetype at = (inPtr - in.data()) / 2;
                const bool pair = all[at].isHighSurrogate() && at + 1 < all.size() && all[at + 1].isLowSurrogate();
                const uint cp = pair ? QChar::surrogateToUcs4(all[at], all[at + 1]) : all[at].unicode();
                want += refs ? "&#" + QByteArray::number(cp) + ';' : QByteArray("?");
                inPtr += pair ? 4 : 2, inLeft -= pair ? 4 : 2;
            }
            iconv_close(cd);
            QCOMPARE(refs ? toCp932Html(all) : toCp932(all), want);
        }
    }

    // Half-width katakana alone and with each sound mark widen as Unicode composes them where CP932
    // has the result, else each on its own, and narrow back; every other character that narrows
    // is one of the ASCII partners, and widens back.
    void katakanaAsUnicodeComposesThem() {
        const auto alone = [](QChar c) {
            const QString n = QString(c).normalized(QString::NormalizationForm_KC);
            return n == QChar(0x3099) ? QString(QChar(0x309B)) : n == QChar(0x309A) ? QString(QChar(0x309C)) : n;
        };
        QSet<char16_t> widened;
        for (char16_t h = 0xFF61; h <= 0xFF9F; ++h)
            for (const QString& mark : {QString(), QString(QChar(0xFF9E)), QString(QChar(0xFF9F))}) {
                const QString half = QChar(h) + mark, composed = half.normalized(QString::NormalizationForm_KC);
                const QString want = composed.size() == 1 && toCp932(composed) != "?" ? composed : alone(QChar(h)) + (mark.isEmpty() ? QString() : alone(mark[0]));
                QCOMPARE(StrConvWide(half), want);
                QCOMPARE(StrConvNarrow(want), half);
                if (want.size() == 1) widened.insert(want[0].unicode());
            }
        for (char16_t c = 1; c != 0; ++c) {
            if (QChar::isSurrogate(c)) continue;
            const QString one(QChar{c}), narrow = StrConvNarrow(one);
            const bool partner = widened.contains(c) || (c >= 0xFF01 && c <= 0xFF5E) || c == 0x3000 || c == u'”' || c == u'’' || c == u'￥';
            QVERIFY2((narrow != one) == partner, qPrintable(one));
            if (partner && c != 0xFF02 && c != 0xFF07 && c != 0xFF3C) QCOMPARE(StrConvWide(narrow), one);
        }
    }

    void widthRoundTripAndConfiguredMarks() {
        for (char16_t c = 0x20; c <= 0xFF9F; c = c == 0x7E ? 0xFF61 : c + 1) {
            const QString one(QChar{c});
            QCOMPARE(StrConvNarrow(StrConvWide(one)), one);
        }
        // The same first two full-width characters: the lower k wins; width does not separate them.
        // A blank configured text takes every empty mark.
        auto marks = defaultMarks();
        marks[1] = u("①"), marks[4] = u("ＸＸ"), marks[9] = u("XX"), marks[10] = QString();
        QCOMPARE(normalizeMark(u("①"), marks) + normalizeMark(u("XX"), marks) + normalizeMark(u("　"), marks) + normalizeMark({}, marks), u("s1s4 * *"));
        // A lone surrogate is one unmapped character, not the end of the text.
        const QString odd = u("aé€b") + QString::fromUcs4(U"\U0001F600") + u("c");
        QCOMPARE(toCp932(odd) + toCp932Html(odd) + toCp932(QString(QChar(0xD800)) + u("x")), QByteArray("a??b?ca&#233;&#8364;b&#128512;c?x"));
        // Names fold case and width alike; a list finds the exact spelling before a folded one.
        for (const auto& [a, b] : {std::pair{"優p", "優Ｐ"}, {"s10", "S10"}, {"ｹﾞｰﾑ", "ゲーム"}, {"スペアミス", "ｽﾍﾟｱﾐｽ"}})
            QVERIFY2(sameName(u(a), u(b)), a);
        QVERIFY(!sameName(u("ST"), u("SP")) && !sameName(u("ゲーム"), u("げーむ")));
        const NameList list({u("ｹﾞｰﾑ"), u("ゲーム"), u("優Ｐ計")});
        QCOMPARE(QString::number(list.indexOf(u("ゲーム"))) + QString::number(list.indexOf(u("げーむ"))) + list.find(u("優p計")) + list.find(u("x")), u("1-1優Ｐ計"));
    }
};

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
