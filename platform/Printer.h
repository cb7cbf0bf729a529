#pragma once
#include <memory>

#include "platform/PrintJob.h"

namespace orvex {

// The system's default printer.
class Printer {
public:
    virtual ~Printer() = default;
    // A fresh job on the printer; throws RunError when there is no printer.
    virtual std::unique_ptr<PrintJob> startJob() = 0;
};

}  // namespace orvex
