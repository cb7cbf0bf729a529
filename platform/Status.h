#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Texts.h"

namespace orvex {

// What kind of failure a status reports, for callers that act on it.
enum class StatusCode {
    Ok,
    Cancelled,  // the user stopped it; nothing to report
    NotFound,   // a file or record that is not there
    Invalid,    // input that does not read: a damaged file, a bad entry
    DiskFull,   // the disk or a size limit refused the bytes
    Io,         // any other failure of the file system
    Database,   // the club database refused a statement
    ReadOnly,   // the club database may be read but not written
    Printer,    // no printer, or the print job failed
};

// The one way code beyond the numbered errors of the record files reports a
// failure: a code, an English text for the user with %1, %2... for `args`
// (marked with QT_TRANSLATE_NOOP("Status", ...) so it can be translated), and
// a detail for the curious (a system or database message). Only a command
// handler turns it into a message.
class [[nodiscard]] Status {
public:
    Status() = default;
    static Status ok() { return {}; }
    static Status fail(StatusCode code, std::string text, std::vector<std::string> args = {},
                       std::string detail = {}) {
        Status s;
        s.code_ = code;
        s.text_ = std::move(text);
        s.args_ = std::move(args);
        s.detail_ = std::move(detail);
        return s;
    }
    static Status cancelled() { return fail(StatusCode::Cancelled, {}); }

    bool isOk() const { return code_ == StatusCode::Ok; }
    bool isCancelled() const { return code_ == StatusCode::Cancelled; }
    StatusCode code() const { return code_; }
    const std::string& text() const { return text_; }
    const std::vector<std::string>& args() const { return args_; }
    const std::string& detail() const { return detail_; }

    // The text with its arguments put in, untranslated: for logs and tests.
    std::string english() const {
        std::string out;
        for (std::size_t i = 0; i < text_.size(); ++i) {
            const char c = text_[i];
            if (c == '%' && i + 1 < text_.size() && text_[i + 1] >= '1' && text_[i + 1] <= '9') {
                const std::size_t n = static_cast<std::size_t>(text_[i + 1] - '1');
                if (n < args_.size()) {
                    out += args_[n];
                    ++i;
                    continue;
                }
            }
            out += c;
        }
        return out;
    }

private:
    StatusCode code_ = StatusCode::Ok;
    std::string text_;
    std::vector<std::string> args_;
    std::string detail_;
};

// A value, or the status that says why there is none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status status) : status_(std::move(status)) {}

    bool isOk() const { return value_.has_value(); }
    const Status& status() const { return status_; }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace orvex
