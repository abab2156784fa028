#pragma once
// What was sent to the printer, kept instead of printed, while this object lives.
#include "platform/printer.h"

namespace vxtest {

struct KeptPrints final : vx::PrintOutput {
    QList<vx::PrintedDocument> sent;
    KeptPrints() { vx::setPrintOutput(this); }
    ~KeptPrints() override { vx::setPrintOutput(nullptr); }
    bool print(const vx::PrintedDocument& doc, QString* where) override { return sent << doc, *where = "kept", true; }
};

}  // namespace vxtest
