#include "platform/printer.h"
#include "common/appdir.h"
#include "common/atomicfile.h"
#include "common/cp932.h"
#include "common/width.h"
#include <QFontMetricsF>
#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace vx {

namespace {

PrintDevice* g_device = nullptr;

// A fixed-pitch font whose full-width characters are two half-width ones wide.
QFont printFont(double points) {
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    return f;
}

bool render(QPagedPaintDevice& printer, const PrintedDocument& doc) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    const QFont font = printFont(doc.fontSize * doc.zoom / 100.0);
    p.setFont(font);
    const QFontMetricsF fm(font, &printer);
    const double cell = fm.horizontalAdvance(QLatin1Char('0'));
    const double lineHeight = fm.lineSpacing();
    const double pageHeight = printer.height();
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

}  // namespace

namespace cups {

std::pair<QByteArray, QByteArray> queueAndInstance(const QString& printer) {
    const qsizetype slash = printer.indexOf(QLatin1Char('/'));
    return {printer.left(slash).toLocal8Bit(), slash < 0 ? QByteArray() : printer.mid(slash + 1).toLocal8Bit()};
}

bool takesJobs(const char* state, const char* accepting) { return qstrcmp(state, "5") != 0 && qstrcmp(accepting, "false") != 0; }

bool failed(int status) { return status >= 0x0100; }

}  // namespace cups

namespace {

// CUPS, asked what Qt's print support does not say: whether a queue takes jobs, and whether the
// last job sent on this thread was taken (Qt sends it and drops the answer). It is the library
// Qt's CUPS support has loaded; without it there is no CUPS printer to ask about.
class Cups {
public:
    static const Cups& instance() {
        static const Cups cups;
        return cups;
    }
    bool loaded() const { return getNamedDest_ && getOption_ && freeDests_ && lastError_; }

    // False when the queue is stopped, refuses jobs, or is gone.
    bool takesJobs(const QString& printer) const {
        const auto [name, instance] = cups::queueAndInstance(printer);
        Dest* dest = getNamedDest_(nullptr, name.constData(), instance.isEmpty() ? nullptr : instance.constData());
        if (!dest) return false;
        const bool takes = cups::takesJobs(getOption_("printer-state", dest->numOptions, dest->options),
                                           getOption_("printer-is-accepting-jobs", dest->numOptions, dest->options));
        freeDests_(1, dest);
        return takes;
    }
    bool lastRequestFailed() const { return cups::failed(lastError_()); }

private:
    struct Option {
        char* name;
        char* value;
    };
    struct Dest {
        char* name;
        char* instance;
        int isDefault;
        int numOptions;
        Option* options;
    };
    Cups() {
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load()) return;
        getNamedDest_ = reinterpret_cast<decltype(getNamedDest_)>(library.resolve("cupsGetNamedDest"));
        getOption_ = reinterpret_cast<decltype(getOption_)>(library.resolve("cupsGetOption"));
        freeDests_ = reinterpret_cast<decltype(freeDests_)>(library.resolve("cupsFreeDests"));
        lastError_ = reinterpret_cast<decltype(lastError_)>(library.resolve("cupsLastError"));
    }
    Dest* (*getNamedDest_)(void*, const char*, const char*) = nullptr;
    const char* (*getOption_)(const char*, int, Option*) = nullptr;
    void (*freeDests_)(int, Dest*) = nullptr;
    int (*lastError_)() = nullptr;
};

class DefaultPrinter final : public PrintDevice {
public:
    QString name() override { return QPrinterInfo::defaultPrinter().printerName(); }
    QPageSize defaultPageSize() override { return QPrinterInfo::defaultPrinter().defaultPageSize(); }
    bool ready() override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (Cups::instance().loaded()) return Cups::instance().takesJobs(info.printerName());
        return info.state() != QPrinter::Error;
    }
    QPagedPaintDevice* beginJob(const PrintedDocument& doc, const QPageSize& size) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setDocName(doc.name);
        printer_->setPageSize(size);
        // The printer's own margins where it gives them; else Qt's.
        const QPageLayout layout = printer_->pageLayout();
        if (!layout.minimumMargins().isNull()) printer_->setPageMargins(layout.minimumMargins(), layout.units());
        return printer_.get();
    }
    bool jobTaken() override {
        const QPrinter::PrinterState state = printer_->printerState();
        if (state == QPrinter::Error || state == QPrinter::Aborted) return false;
        if (!Cups::instance().loaded()) return true;
        return !Cups::instance().lastRequestFailed() && Cups::instance().takesJobs(printer_->printerName());
    }

private:
    std::unique_ptr<QPrinter> printer_;
};

// To the default printer on its own paper, or to a PDF file in the program's folder when there is
// none.
bool send(const PrintedDocument& doc, QString* where) {
    static DefaultPrinter real;
    PrintDevice& device = g_device ? *g_device : real;
    const QString printer = device.name();
    if (printer.isEmpty()) {
        *where = inProgramFolder(doc.name + QStringLiteral(".pdf"));
        return printToPdf(doc, *where);
    }
    *where = printer;
    if (!device.ready()) return false;
    QPageSize paper = device.defaultPageSize();
    if (!paper.isValid()) paper = QPageSize(QPageSize::A4);
    QPagedPaintDevice* surface = device.beginJob(doc, paper);
    return surface && render(*surface, doc) && device.jobTaken();
}

}  // namespace

void setPrintDevice(PrintDevice* device) { g_device = device; }

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
    doc_.name = name;
    QString to;
    const bool ok = send(doc_, &to);
    if (where) *where = to;
    if (ok) KillDoc();
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
