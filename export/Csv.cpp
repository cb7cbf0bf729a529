#include "export/Csv.h"

#include "export/ExportFile.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/Status.h"
#include "session/Session.h"

namespace orvex {

std::string CsvField(const std::string& text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\t', '\r', '\n'}) == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CsvText(const std::string& text) {
    if (!text.empty() && std::string("=+-@").find(text.front()) != std::string::npos)
        return "'" + text;
    return text;
}

std::string CsvRow(std::initializer_list<std::string> fields, char separator) {
    std::string line;
    bool first = true;
    for (const auto& f : fields) {
        if (!first) line += separator;
        line += CsvField(f, separator);
        first = false;
    }
    return line + "\r\n";
}

Status ExportCsv(const std::string& filter,
                 std::string (*csv)(const Session&, const std::string&)) {
    std::string chosen;
    if (!AskExportFile(filter, "csv", chosen)) return Status::cancelled();
    platform().pointer->set(MousePointer::Hourglass);
    Status written = Status::ok();
    if (const auto failure = catchError([&] {
            // Appended, not prepended: GCC 12 at -O3 warns (-Wrestrict) about "..." + text.
            std::string bytes = kUtf8Bom;
            bytes += csv(session(), platform().regional->decimalSeparator());
            written = WriteExportFile(chosen, bytes);
        }))
        written = ExportFailure(chosen, *failure);
    platform().pointer->set(MousePointer::Normal);
    return written;
}

}  // namespace orvex
