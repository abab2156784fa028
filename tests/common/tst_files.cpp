// Files: sequential CP932 text files, the settings store, and the atomic writer under both.
#include "common/atomicfile.h"
#include "common/textfile.h"
#include "support/exchange_sheet.h"
#include "support/filesizelimit.h"


namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
QString dataFile(const char* name) { return QStringLiteral(VX_TEST_DATA "/textio/") + QLatin1String(name); }
// The line a TextFileError names; -1 when there was none, -2 when it names no file.
int errorLine(const std::function<void()>& action) {
    try {
        action();
    } catch (const TextFileError& e) {
        return e.fileName.isEmpty() ? -2 : e.line;
    }
    return -1;
}
}  // namespace

class TstFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

private Q_SLOTS:
    void init() {
        for (const QString& f : entries()) QFile::remove(dir_.filePath(f));
        QDir(dir_.filePath("Vorlix32")).removeRecursively();
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
        settings::reload();
    }

    // Every kind of value as the other platform wrote it, byte for byte, and read back.
    void writesAndReadsAsTheOtherPlatform() {
        TextWriter w(path("out.txt"));
        w.Write({12, u("山田太郎　　　　　　")});
        w.Write({u("Ｇ")});
        w.Write({std::int16_t(30)});
        w.Write({-1});
        w.Write({true, false});
        w.Write({1.5, 0.5, -0.25});
        w.Write({0.0, -1.0, 0.1f, 1e20, QString(), ""});
        w.Write({});
        w.Write({u("①－é")});  // é has no CP932 form
        w.PrintPart(u("得点"));
        w.PrintPart(u(" 185 "));
        w.Print();
        QVERIFY(!QFile::exists(path("out.txt")));  // nothing replaced before close()
        w.close();
        QCOMPARE(vxtest::fileBytes(path("out.txt")), vxtest::fileBytes(dataFile("write_expected.txt")));

        // What follows a closing quote is skipped; unquoted fields lose their blanks.
        TextReader r(dataFile("written.txt"));
        const QStringList read{QString::number(r.InputInt16()), r.Input(), r.Input(), QString::number(r.InputByte()), QString::number(r.InputInt32()),
                               QString::number(r.InputBool()), QString::number(r.InputNumber()), QString::number(r.InputNumber()),
                               QString::number(r.InputNumber()), QString::number(r.InputNumber()), QString::number(r.line()), r.Input(),
                               QString::number(r.InputInt16()), r.LineInput(), QString::number(r.eof()), r.LineInput(), QString::number(r.eof())};
        QCOMPARE(read.join(u'|'), u("12|山田太郎　　　　　　|Ｇ|30|-1|1|0|1.5|0.5|-0.25|7|a, b|7||0|\"①－\"|1"));
    }

    // Output replaces, Append adds (and creates); any line end reads, the last needs none.
    void replacesAppendsAndReadsLineEnds() {
        const QString sd = path("sd.txt");
        for (const char* text : {"old", "順位"}) {
            TextWriter w(sd);
            w.Print(u(text));
            w.Write({-5, u("ｻﾄｳ ｹﾝ,  ")});
            w.close();
        }
        for (const QString& p : {sd, path("new.txt")}) {
            TextWriter w(p, TextWriter::Mode::Append);
            w.Print(u("☆"));
            w.close();
        }
        QCOMPARE(vxtest::fileBytes(sd), QByteArray("\x8F\x87\x88\xCA\r\n-5,\"\xBB\xC4\xB3 \xB9\xDD,  \"\r\n\x81\x99\r\n"));
        QCOMPARE(vxtest::fileBytes(path("new.txt")), QByteArray("\x81\x99\r\n"));
        TextReader back(sd);  // a comma and trailing blanks survive inside quotes
        QCOMPARE(QStringList({back.LineInput(), QString::number(back.InputInt16()), back.Input()}), QStringList({u("順位"), "-5", u("ｻﾄｳ ｹﾝ,  ")}));

        QVERIFY(writeWhole(path("ends.txt"), "a\rb\nc\r\n1,-2147483648\r\nlast"));
        TextReader r(path("ends.txt"));
        const QStringList read{r.LineInput(), r.Input(), r.LineInput(), QString::number(r.InputInt16()),
                               QString::number(r.InputInt32()), r.LineInput(), QString::number(r.line())};
        QCOMPARE(read.join(u'|'), QString("a|b|c|1|-2147483648|last|5"));
        QVERIFY(r.eof());
        QVERIFY(writeWhole(path("nul.txt"), QByteArray("a\0b\r\nc\0 ,d", 10)));  // a null character is text like any other
        TextReader z(path("nul.txt"));
        QCOMPARE(QStringList({z.LineInput(), z.Input(), z.Input()}), QStringList({QString("a") + QChar() + "b", QString("c") + QChar(), "d"}));

        // A quoted field ends at its closing quote or, unclosed, at the line end, which still ends
        // the field; what follows the quote up to the separator is skipped.
        QVERIFY(writeWhole(path("quoted.txt"), "\"abc\nd,\"\"\r\"x\"yz,\"p\rq\"\r\n  \"q,r\"  ,s\r\n\"open"));
        TextReader q(path("quoted.txt"));
        QStringList fields;
        while (!q.eof()) {
            const QString field = q.Input();
            fields << field + u'@' + QString::number(q.line());
        }
        QCOMPARE(fields.join(u'|'), u("abc@2|d@2|@3|x@3|p@4|q\"@5|q,r@5|s@6|open@6"));

        // Errors name the file and the line.
        QVERIFY(writeWhole(path("bad.dat"), "40000\r\n\"x\"\r\n256\r\nabc\r\n"));
        TextReader bad(path("bad.dat"));
        QVERIFY(writeWhole(path("garbled.txt"), "\nok\r\n\x81\x20\r\n"));
        // Out of range, a text where a number belongs, ..., past the end; a bad byte, no file, no folder.
        const QList<int> lines{errorLine([&] { bad.InputInt16(); }), errorLine([&] { bad.InputNumber(); }), errorLine([&] { bad.InputByte(); }),
                               errorLine([&] { bad.InputInt32(); }), errorLine([&] { bad.Input(); }),       errorLine([&] { bad.LineInput(); }),
                               errorLine([&] { TextReader g(path("garbled.txt")); }), errorLine([&] { TextReader g(path("missing.txt")); }),
                               errorLine([&] { TextWriter w(path("no/such/folder/data.txt")); }),
                               errorLine([&] { TextWriter w(path("no/such/folder/data.txt"), TextWriter::Mode::Append); })};
        QCOMPARE(lines, (QList<int>{1, 2, 3, 4, 5, 5, 3, 0, 0, 0}));
    }

    // A write that fails part way (the disk fills) is reported and leaves the old file and no other.
    void failedWritesKeepTheOldFile() {
        const QString f = path("f.txt");
        QVERIFY(writeWhole(f, "old"));
        QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        {
            test::FileSizeLimit limit(100);
            QString why;
            QVERIFY(!writeWhole(f, QByteArray(200, 'x'), &why) && !why.isEmpty());
            QCOMPARE(errorLine([&] {
                TextWriter w(f);
                for (int i = 0; i < 100; ++i) w.Write({i, u("山田太郎")});
                w.close();
            }), 8);
        }
        { AtomicFile left(f); QVERIFY(left.open() && left.write("not committed")); }
        AtomicFile taken(f);
        QVERIFY(taken.open() && taken.write("new"));
        QVERIFY(!taken.commit(AtomicFile::Target::MustNotExist));
        QCOMPARE(vxtest::fileBytes(f) + entries().join(' ').toUtf8(), "oldf.txt");
        QVERIFY(writeWhole(f, "new"));  // replaced, its permissions kept
        QCOMPARE(vxtest::fileBytes(f) + QByteArray::number(int(QFile::permissions(f) & QFile::Permissions(0x7077)), 16), "new6040");
    }

    // What a write killed part way left beside a file goes at the next write of that file, the
    // settings store's too; another file's, a name this writer never gives and a write still open stay.
    void leftoversGoAtTheNextWrite() {
        const QString f = path("page.htm");
        AtomicFile open(f);
        QVERIFY(open.open() && open.write("pending"));
        const QStringList gone{"page.htm.k3j.tmp", "page.htm.9zldr.tmp", "page.htm.a1.tmp-journal", "page.htm.z0.tmp"};
        const QStringList kept{"other.htm.k3j.tmp", "page.htm.ABC.tmp", "page.htm.abcdef.tmp", "page.htm.k3j.tmpx", "page.htm..tmp"};
        for (const QString& n : gone + kept) vxtest::put(dir_.filePath(n), "x");
        QVERIFY(writeWhole(f, "page"));
        QStringList want = kept + QStringList{"page.htm", QFileInfo(open.tempPath()).fileName()};
        want.sort(Qt::CaseInsensitive);
        QCOMPARE(entries(), want);

        settings::SaveSetting("Setting", "a", "1");
        vxtest::put(settings::storePath() + ".x1.tmp", "[Setting]\na=half");
        settings::SaveSetting("Setting", "a", "2");
        QCOMPARE(QDir(settings::storeFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Vorlix32.ini"});
    }

    // Names in any case are one value; texts of any kind survive a reload; a save that fails
    // keeps the old store, on disk and in memory.
    void settingsStore() {
        using namespace settings;
        QCOMPARE(GetSetting("Setting", "max_game", "3"), QStringLiteral("3"));
        QVERIFY(!QFile::exists(storePath()));  // reading creates nothing
        SaveSetting("form", "start_Left", "25");
        SaveSetting("Form", "start_left", "300");
        const QString odd = u("／a\\b\r\nc=d [x]");
        SaveSetting("Setting", "brw", odd);
        reload();
        QCOMPARE(GetSetting("FORM", "START_LEFT", "25") + GetSetting("setting", "BRW", {}), "300" + odd);
        const QByteArray before = vxtest::fileBytes(storePath());
        QVERIFY(before.count("start_") == 1 && storePath() == dir_.filePath("Vorlix32/Vorlix32.ini"));
        {
            test::FileSizeLimit limit(256);
            SaveSetting("Setting", "brw", QString(4000, QLatin1Char('x')));
        }
        QCOMPARE(vxtest::fileBytes(storePath()), before);
        QCOMPARE(QDir(storeFolder()).entryList(QDir::Files | QDir::Hidden).join(' ') + GetSetting("Setting", "brw", {}), "Vorlix32.ini" + odd);
        // Another settings folder is another store.
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkpath("Vorlix32") && writeWhole(other.filePath("Vorlix32/Vorlix32.ini"), "[Setting]\r\n=nameless\r\nbrw=elsewhere\r\nend=a\\\\b\\\r\n"));
        qputenv("XDG_CONFIG_HOME", other.path().toLocal8Bit());
        QCOMPARE(GetSetting("Setting", "brw", {}) + GetSetting("Setting", "", "|none"), QString("elsewhere|none"));  // a line without a name is none
        QCOMPARE(GetSetting("Setting", "end", {}), QString("a\\b\\"));  // a written line's last lone backslash stays
    }
};

QTEST_GUILESS_MAIN(TstFiles)
#include "tst_files.moc"
