#pragma once
// The printer as the windows use it: text at tab columns, new page, end of document (which sends
// it) and discarding it. Columns are counted from 1 in widths of a half-width character (a
// full-width one takes two). The document is kept as text lines until it is sent; it goes to the
// default printer, or to a PDF file in the program's folder when no printer is set up.
#include <QByteArray>
#include <QList>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <utility>

namespace vx {

struct PrintedDocument {
    QString name;              // names the print job, and the PDF file
    double fontSize = 10;      // points, before the zoom
    int zoom = 100;            // percent
    QList<QStringList> pages;  // the lines of each page as the tabs placed them
};

// The default printer as this layer drives it: what it offers, and one job at a time. Tests
// install one that keeps what was printed and can be told to fail.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // The default printer's name; empty when no printer is set up.
    virtual QString name() = 0;
    virtual QPageSize defaultPageSize() = 0;
    // False while the printer takes no jobs: its queue stopped, or refusing them.
    virtual bool ready() = 0;
    // Begins a job printing the document on paper of this size and gives the surface to draw its
    // pages on; nullptr when no job could be begun.
    virtual QPagedPaintDevice* beginJob(const PrintedDocument& document, const QPageSize& size) = 0;
    // After the painter has ended (which sends the job): whether the printer took it.
    virtual bool jobTaken() = 0;
};
// What CUPS says of the default printer, read as it is read here.
namespace cups {
// "queue/instance" as the queue's name and the instance's (empty when none).
std::pair<QByteArray, QByteArray> queueAndInstance(const QString& printer);
// A queue takes jobs unless it is stopped (state 5) or refuses them; a missing option says nothing.
bool takesJobs(const char* state, const char* accepting);
// Statuses from 0x0100 up are errors.
bool failed(int status);
}  // namespace cups

// nullptr restores the real default printer.
void setPrintDevice(PrintDevice* device);

// Draws the document into a PDF file, replacing the file whole.
bool printToPdf(const PrintedDocument& document, const QString& path);

class Printer {
public:
    // The program's one printer, with its one open document.
    static Printer& instance();

    void setFontSize(double points) { doc_.fontSize = points; }
    void setZoom(int percent) { doc_.zoom = percent; }
    // Moves to column n of the current line; when the line is already past it, to column n of the next.
    void Tab(int column);
    void Print(const QString& text);  // at the print position; the line goes on
    void EndLine();
    // A line of pieces, each at its tab column, then the end of the line.
    template <class Pieces>
    void PrintLine(const Pieces& line) {
        for (const auto& piece : line) {
            Tab(piece.column);
            Print(piece.text);
        }
        EndLine();
    }
    void NewPage();
    // A document is begun by the first text written to it.
    bool hasDocument() const { return begun_; }
    // Sends the document and closes it; false when it could not be printed, and the document
    // stays to be sent again.
    bool EndDoc(const QString& name, QString* where = nullptr);
    void KillDoc();  // discards the document in progress

private:
    PrintedDocument doc_;
    QString line_;
    int column_ = 1;  // where the next character goes
    bool begun_ = false;
};

}  // namespace vx
