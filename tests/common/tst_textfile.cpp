#include "common/textfile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/filesizelimit.h"

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
QString dataFile(const char* name) { return QStringLiteral(VX_TEST_DATA "/textio/") + QLatin1String(name); }
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

class TstTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir.isValid()); }
    void writesBytesAsTheOtherPlatform();
    void appendsAndReplaces();
    void readsFilesOfTheOtherPlatform();
    void roundTrip();
    void lineEnds();
    void errorsNameFileAndLine();
    void failedWriteIsReported();

private:
    QTemporaryDir dir;
};

void TstTextFile::writesBytesAsTheOtherPlatform() {
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    {
        vx::TextWriter w(path);
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
        w.close();
    }
    QCOMPARE(readAll(path), readAll(dataFile("write_expected.txt")));
}

void TstTextFile::appendsAndReplaces() {
    const QString path = dir.filePath(QStringLiteral("sd.txt"));
    { vx::TextWriter w(path); w.Print(u("old")); w.Print(u("lines")); w.close(); }
    { vx::TextWriter w(path); w.Print(u("順位")); w.close(); }
    { vx::TextWriter w(path, vx::TextWriter::Mode::Append); w.Print(); w.Print(u("☆")); }
    QCOMPARE(readAll(path), QByteArray("\x8F\x87\x88\xCA\r\n\r\n\x81\x99\r\n"));
    // Append creates a file that is not there yet.
    const QString fresh = dir.filePath(QStringLiteral("new.txt"));
    { vx::TextWriter w(fresh, vx::TextWriter::Mode::Append); w.Print(u("x")); }
    QCOMPARE(readAll(fresh), QByteArray("x\r\n"));
}

void TstTextFile::readsFilesOfTheOtherPlatform() {
    vx::TextReader r(dataFile("written.txt"));
    QCOMPARE(r.InputInt16(), std::int16_t(12));
    QCOMPARE(r.Input(), u("山田太郎　　　　　　"));
    QCOMPARE(r.Input(), u("Ｇ"));
    QCOMPARE(r.InputByte(), std::uint8_t(30));
    QCOMPARE(r.InputInt32(), -1);
    QCOMPARE(r.InputBool(), true);
    QCOMPARE(r.InputNumber(), 0.0);
    QCOMPARE(r.InputNumber(), 1.5);
    QCOMPARE(r.InputNumber(), 0.5);
    QCOMPARE(r.InputNumber(), -0.25);
    QCOMPARE(r.line(), 7);
    // What follows a closing quote is skipped; unquoted fields lose their blanks.
    QCOMPARE(r.Input(), u("a, b"));
    QCOMPARE(r.InputInt16(), std::int16_t(7));
    QCOMPARE(r.LineInput(), QString());
    QVERIFY(!r.eof());
    QCOMPARE(r.LineInput(), u("\"①－\""));
    QVERIFY(r.eof());
}

void TstTextFile::roundTrip() {
    const QString path = dir.filePath(QStringLiteral("B_000012.dat"));
    const QString name = u("ｻﾄｳ ｹﾝ,  ");  // a comma and trailing blanks survive inside quotes
    {
        vx::TextWriter w(path);
        w.Write({3});
        w.Write({-5, name});
        w.Write({u("　")});
        w.Write({1023});
        w.Write({std::int32_t(-2147483647 - 1)});
        w.close();
    }
    vx::TextReader r(path);
    QCOMPARE(r.InputInt16(), std::int16_t(3));
    QCOMPARE(r.InputInt16(), std::int16_t(-5));
    QCOMPARE(r.Input(), name);
    QCOMPARE(r.Input(), u("　"));
    QCOMPARE(r.InputInt16(), std::int16_t(1023));
    QCOMPARE(r.InputInt32(), std::int32_t(-2147483647 - 1));
    QVERIFY(r.eof());
}

void TstTextFile::lineEnds() {
    const QString path = dir.filePath(QStringLiteral("ends.txt"));
    writeBytes(path, QByteArray("a\rb\nc\r\n1,2"));
    vx::TextReader r(path);
    QCOMPARE(r.LineInput(), u("a"));
    QCOMPARE(r.Input(), u("b"));
    QCOMPARE(r.LineInput(), u("c"));
    QCOMPARE(r.InputInt16(), std::int16_t(1));
    QCOMPARE(r.InputInt16(), std::int16_t(2));  // the last line needs no line end
    QVERIFY(r.eof());
}

void TstTextFile::errorsNameFileAndLine() {
    auto expectError = [](auto&& action, int line) {
        try {
            action();
            QFAIL("no error");
        } catch (const vx::TextFileError& e) {
            QCOMPARE(e.line, line);
            QVERIFY(!e.fileName.isEmpty());
        }
    };
    const QString path = dir.filePath(QStringLiteral("bad.dat"));
    writeBytes(path, QByteArray("40000\r\n\"x\"\r\n256\r\nabc\r\n"));
    vx::TextReader r(path);
    expectError([&] { r.InputInt16(); }, 1);       // out of range
    expectError([&] { r.InputNumber(); }, 2);      // a text where a number belongs
    expectError([&] { r.InputByte(); }, 3);
    expectError([&] { r.InputInt32(); }, 4);
    expectError([&] { r.Input(); }, 5);            // past the end
    expectError([&] { r.LineInput(); }, 5);

    const QString garbled = dir.filePath(QStringLiteral("garbled.txt"));
    writeBytes(garbled, QByteArray("ok\r\nok\r\n\x81\x20\r\n"));
    expectError([&] { vx::TextReader g(garbled); }, 3);
    expectError([&] { vx::TextReader g(dir.filePath(QStringLiteral("missing.txt"))); }, 0);

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/data.txt"));
    expectError([&] { vx::TextWriter w(nowhere); }, 0);
    QVERIFY(!QFile::exists(nowhere));
}

void TstTextFile::failedWriteIsReported() {
    vx::test::FileSizeLimit limit(100);
    bool reported = false;
    try {
        vx::TextWriter w(dir.filePath(QStringLiteral("full.txt")));
        for (int i = 0; i < 100; ++i) w.Write({i, u("山田太郎")});
        w.close();
    } catch (const vx::TextFileError&) {
        reported = true;
    }
    QVERIFY(reported);
}

QTEST_GUILESS_MAIN(TstTextFile)
#include "tst_textfile.moc"
