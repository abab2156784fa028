#include "common/textfile.h"
#include "common/convert.h"
#include "common/cp932.h"
#include <cmath>

namespace vx {
namespace {

const QString CrLf = QStringLiteral("\r\n");

// A real number as Write # puts it: like Str, without the blank in front.
QString writeNumber(double v) {
    const QString s = Str(v);
    return s.startsWith(QLatin1Char(' ')) ? s.mid(1) : s;
}

// A Write # record without its line end.
QString writeLine(std::initializer_list<WriteValue> values) {
    QString line;
    for (const WriteValue& v : values) {
        if (&v != values.begin()) line += QLatin1Char(',');
        line += v.text();
    }
    return line;
}

}  // namespace

TextFileError::TextFileError(const QString& file, int l, const QString& why)
    : std::runtime_error((file + QLatin1Char(':') + QString::number(l) + QLatin1String(": ") + why).toStdString()),
      fileName(file), line(l), reason(why) {}

QString WriteValue::text() const {
    if (const auto* s = std::get_if<QString>(&v_)) return QLatin1Char('"') + *s + QLatin1Char('"');
    if (const auto* b = std::get_if<bool>(&v_)) return *b ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    if (const auto* n = std::get_if<std::int64_t>(&v_)) return QString::number(*n);
    if (const auto* f = std::get_if<float>(&v_)) {
        // A single-precision value shows the 7 digits it holds, not its binary tail.
        return writeNumber(QString::number(double(*f), 'g', 7).toDouble());
    }
    return writeNumber(std::get<double>(v_));
}

TextWriter::TextWriter(const QString& path, Mode mode) : path_(path), append_(path) {
    if (mode == Mode::Append) {
        if (!append_.open(QIODevice::WriteOnly | QIODevice::Append)) throw TextFileError(path, 0, append_.errorString());
        return;
    }
    whole_ = std::make_unique<AtomicFile>(path);
    if (!whole_->open()) throw TextFileError(path, 0, whole_->errorString());
}

TextWriter::~TextWriter() = default;

void TextWriter::fail(const QString& reason) const { throw TextFileError(path_, line_, reason); }

void TextWriter::put(const QString& text) {
    const QByteArray bytes = toCp932(text);
    if (whole_ ? !whole_->write(bytes) : append_.write(bytes) != bytes.size())
        fail(whole_ ? whole_->errorString() : append_.errorString());
}

void TextWriter::Print(const QString& text) {
    put(text + CrLf);
    ++line_;
}

void TextWriter::PrintPart(const QString& text) { put(text); }

void TextWriter::Write(std::initializer_list<WriteValue> values) { Print(writeLine(values)); }

void TextLines::Print(const QString& text) {
    text_ += text;
    text_ += CrLf;
}

QByteArray TextLines::bytes() const { return toCp932(text_); }

void TextLines::Write(std::initializer_list<WriteValue> values) { Print(writeLine(values)); }

void TextWriter::close() {
    if (whole_) {
        const bool ok = whole_->commit();
        const QString why = whole_->errorString();
        whole_.reset();
        if (!ok) fail(why);
        return;
    }
    if (!append_.isOpen()) return;
    const bool ok = append_.flush();
    append_.close();
    if (!ok || append_.error() != QFileDevice::NoError) fail(append_.errorString());
}

TextReader::TextReader(const QString& path) : path_(path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw TextFileError(path, 0, f.errorString());
    const QByteArray bytes = f.readAll();
    if (auto text = fromCp932(bytes)) {
        text_ = *text;
        return;
    }
    // Name the first line that does not read.
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        if (!fromCp932(bytes.mid(start, end - start))) break;
        start = end + 1;
        ++line;
    }
    throw TextFileError(path, line, QStringLiteral("not a CP932 text"));
}

void TextReader::fail(const QString& reason) const { throw TextFileError(path_, line_, reason); }
void TextReader::failField(const QString& reason) const { throw TextFileError(path_, fieldLine_, reason); }

// The character under the cursor; a null character at the end.
QChar TextReader::current() const { return pos_ < text_.size() ? text_[pos_] : QChar(); }

bool TextReader::atLineEnd() const { return current() == QLatin1Char('\r') || current() == QLatin1Char('\n'); }

void TextReader::skipLineEnd() {
    if (current() == QLatin1Char('\r')) ++pos_;
    if (current() == QLatin1Char('\n')) ++pos_;
    ++line_;
}

// Moves on to the end of the text, a line end, or `stop`.
void TextReader::skipTo(QChar stop) {
    while (!eof() && current() != stop && !atLineEnd()) ++pos_;
}

QString TextReader::LineInput() {
    if (eof()) fail(QStringLiteral("input past end of file"));
    const qsizetype start = pos_;
    while (!eof() && !atLineEnd()) ++pos_;
    const QString line = text_.mid(start, pos_ - start);
    if (!eof()) skipLineEnd();
    return line;
}

QString TextReader::Input() {
    if (eof()) fail(QStringLiteral("input past end of file"));
    while (current() == QLatin1Char(' ') || current() == QLatin1Char('\t')) ++pos_;
    fieldLine_ = line_;
    QString field;
    if (current() == QLatin1Char('"')) {
        const qsizetype start = ++pos_;
        skipTo(QLatin1Char('"'));
        field = text_.mid(start, pos_ - start);
        if (current() == QLatin1Char('"')) ++pos_;
        skipTo(QLatin1Char(','));
    } else {
        const qsizetype start = pos_;
        skipTo(QLatin1Char(','));
        field = text_.mid(start, pos_ - start).trimmed();
    }
    if (current() == QLatin1Char(',')) ++pos_;
    else if (!eof()) skipLineEnd();
    return field;
}

double TextReader::InputNumber() {
    const QString f = Input();
    if (f.isEmpty()) return 0;
    if (f.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) return -1;
    if (f.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) return 0;
    const auto v = CDbl(f);
    if (!v) failField(QStringLiteral("not a number: ") + f);
    return *v;
}

std::int16_t TextReader::InputInt16() {
    const double v = InputNumber();
    const auto r = CInt(QString::number(v, 'g', 17));
    if (!r) failField(QStringLiteral("number out of range"));
    return *r;
}

std::int32_t TextReader::InputInt32() {
    const double v = InputNumber();
    const auto r = CLng(QString::number(v, 'g', 17));
    if (!r) failField(QStringLiteral("number out of range"));
    return *r;
}

std::uint8_t TextReader::InputByte() {
    const double v = InputNumber();
    const auto r = CByte(QString::number(v, 'g', 17));
    if (!r) failField(QStringLiteral("number out of range"));
    return *r;
}

bool TextReader::InputBool() { return InputNumber() != 0; }

}  // namespace vx
