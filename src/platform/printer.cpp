#include "platform/printer.h"
#include "common/appdir.h"
#include "common/atomicfile.h"
#include "common/cp932.h"
#include "common/width.h"
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vx {

namespace {

PrintOutput* g_output = nullptr;

// A fixed-pitch font whose full-width characters are two half-width ones wide.
QFont printFont(double points) {
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    return f;
}

bool render(QPrinter& printer, const PrintedDocument& doc) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    const QFont font = printFont(doc.fontSize * doc.zoom / 100.0);
    p.setFont(font);
    const QFontMetricsF fm(font, &printer);
    const double cell = fm.horizontalAdvance(QLatin1Char('0'));
    const double lineHeight = fm.lineSpacing();
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    bool first = true;
    for (const QStringList& page : doc.pages) {
        if (!first && !printer.newPage()) return false;
        first = false;
        double y = fm.ascent();
        for (const QString& line : page) {
            if (y + fm.descent() > pageHeight) {
                if (!printer.newPage()) return false;
                y = fm.ascent();
            }
            // Character by character at its cell, so that the columns hold whatever the font's widths.
            // A surrogate pair is one character, drawn whole.
            int column = 0;
            for (qsizetype i = 0; i < line.size();) {
                const QString c = leftChars(line.mid(i, 2), 1);
                i += c.size();
                if (c != QLatin1String(" ")) p.drawText(QPointF(column * cell, y), c);
                column += cp932Width(c);
            }
            y += lineHeight;
        }
    }
    return p.end();
}

class RealOutput final : public PrintOutput {
public:
    bool print(const PrintedDocument& doc, QString* where) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QString path = inProgramFolder(doc.name + QStringLiteral(".pdf"));
            *where = path;
            return printToPdf(doc, path);
        }
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(doc.name);
        *where = info.printerName();
        return render(printer, doc);
    }
};

}  // namespace

void setPrintOutput(PrintOutput* output) { g_output = output; }

bool printToPdf(const PrintedDocument& document, const QString& path) {
    AtomicFile file(path);
    if (!file.open()) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.tempPath());
    printer.setDocName(document.name);
    return render(printer, document) && file.commit();
}

Printer& Printer::instance() {
    static Printer printer;
    return printer;
}

void Printer::Tab(int column) {
    if (column_ > column) EndLine();
    Print(QString(column - column_, QLatin1Char(' ')));
}

void Printer::Print(const QString& text) {
    begun_ = true;
    if (doc_.pages.isEmpty()) doc_.pages.append(QStringList());
    line_ += text;
    column_ += cp932Width(text);
}

void Printer::EndLine() {
    Print(QString());
    doc_.pages.last().append(line_);
    line_.clear();
    column_ = 1;
}

void Printer::NewPage() {
    if (!line_.isEmpty()) EndLine();
    Print(QString());
    doc_.pages.append(QStringList());
}

bool Printer::EndDoc(const QString& name, QString* where) {
    if (!begun_) return false;
    if (!line_.isEmpty()) EndLine();
    PrintedDocument doc = doc_;
    doc.name = name;
    KillDoc();
    QString to;
    static RealOutput real;
    const bool ok = (g_output ? g_output : &real)->print(doc, &to);
    if (where) *where = to;
    return ok;
}

void Printer::KillDoc() {
    const PrintedDocument settings{{}, doc_.fontSize, doc_.zoom, {}};
    doc_ = settings;
    line_.clear();
    column_ = 1;
    begun_ = false;
}

}  // namespace vx
