#pragma once
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace orvex {

// Has `draw` write a PDF file of the given name in a temporary folder and
// returns its bytes, so the caller puts them in the target's place in one step
// and a failure half way leaves no broken file; nullopt when `draw` wrote no
// file. Throws RunError when the folder or the drawn file cannot be used.
std::optional<std::string> DrawPdf(const std::function<void(const QString& file)>& draw);

}  // namespace orvex
