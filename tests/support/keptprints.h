#pragma once
// A default printer that keeps what was sent to it instead of printing, while this object lives.
// It can be told to fail at a step of the job, and remembers the paper each job was given.
#include "platform/printer.h"
#include <QBuffer>
#include <QPdfWriter>
#include <memory>

namespace vxtest {

struct KeptPrints final : vx::PrintDevice {
    enum Failure { None, NotReady, AtBegin, AtNewPage, AtEnd };
    Failure fail = None;  // the step at which the printer fails, for every job until set back
    QString printer = "kept";                    // empty: no printer is set up
    QPageSize paper{QPageSize::Letter};          // the printer's default paper
    QList<vx::PrintedDocument> sent;             // the jobs the printer took
    QList<QPageSize> papers;                     // the paper each begun job was given

    KeptPrints() { vx::setPrintDevice(this); }
    ~KeptPrints() override { vx::setPrintDevice(nullptr); }

    QString name() override { return printer; }
    QPageSize defaultPageSize() override { return paper; }
    bool ready() override { return fail != NotReady; }
    QPagedPaintDevice* beginJob(const vx::PrintedDocument& doc, const QPageSize& size) override {
        papers << size;
        if (fail == AtBegin) return nullptr;
        job_ = doc;
        bytes_.close();
        bytes_.setData({});
        bytes_.open(QIODevice::WriteOnly);
        surface_ = std::make_unique<Surface>(&bytes_, fail == AtNewPage);
        surface_->setPageSize(size);
        return surface_.get();
    }
    bool jobTaken() override {
        if (fail == AtEnd) return false;
        sent << job_;
        return true;
    }

private:
    struct Surface final : QPdfWriter {
        Surface(QIODevice* out, bool failNewPage) : QPdfWriter(out), failNewPage_(failNewPage) {}
        bool newPage() override { return !failNewPage_ && QPdfWriter::newPage(); }
        bool failNewPage_;
    };
    vx::PrintedDocument job_;
    QBuffer bytes_;
    std::unique_ptr<Surface> surface_;
};

}  // namespace vxtest
