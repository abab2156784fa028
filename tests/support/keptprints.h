#pragma once
// What was sent to the printer, kept instead of printed, while this object lives.
#include "platform/printer.h"

namespace vxtest {

struct KeptPrints final : vx::PrintOutput {
    QList<vx::PrintedDocument> sent;
    bool refuse = false;  // a printer that fails: nothing is kept
    KeptPrints() { vx::setPrintOutput(this); }
    ~KeptPrints() override { vx::setPrintOutput(nullptr); }
    bool print(const vx::PrintedDocument& doc, QString* where) override {
        if (!refuse) sent << doc;
        *where = "kept";
        return !refuse;
    }
};

}  // namespace vxtest
