#include "session/Variant.h"

#include <charconv>
#include <limits>

#include "platform/RunError.h"

namespace orvex {

namespace {

std::int64_t wide(const Variant& v) {
    struct {
        std::int64_t operator()(std::monostate) const { return 0; }
        std::int64_t operator()(std::int16_t i) const { return i; }
        std::int64_t operator()(std::int32_t i) const { return i; }
        std::int64_t operator()(Boolean b) const { return b.value ? -1 : 0; }
        std::int64_t operator()(const std::string& s) const {
            std::int64_t n = 0;
            const char* end = s.data() + s.size();
            const auto r = std::from_chars(s.data(), end, n);
            if (s.empty() || r.ec != std::errc() || r.ptr != end)
                throw RunError(ErrorNo::TypeMismatch);
            return n;
        }
    } visitor;
    return std::visit(visitor, v);
}

template <class T>
T fitting(std::int64_t n) {
    if (n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max())
        throw RunError(ErrorNo::Overflow);
    return static_cast<T>(n);
}

}  // namespace

std::int16_t toInteger(const Variant& v) { return fitting<std::int16_t>(wide(v)); }

std::int32_t toLong(const Variant& v) { return fitting<std::int32_t>(wide(v)); }

bool toBoolean(const Variant& v) { return wide(v) != 0; }

std::string toText(const Variant& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* b = std::get_if<Boolean>(&v)) return b->value ? "True" : "False";
    if (std::holds_alternative<std::monostate>(v)) return {};
    return std::to_string(wide(v));
}

}  // namespace orvex
