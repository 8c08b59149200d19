#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavelo {

// A JSON value as a lesson file holds it. Numbers are doubles, read and
// written to the bit; an object keeps its keys sorted.
struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue, std::less<>>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

    JsonValue() = default;
    JsonValue(std::nullptr_t) {}
    JsonValue(bool b) : value(b) {}
    JsonValue(double d) : value(d) {}
    JsonValue(int i) : value(double(i)) {}
    JsonValue(std::string s) : value(std::move(s)) {}
    JsonValue(const char* s) : value(std::string(s)) {}
    JsonValue(Array a) : value(std::move(a)) {}
    JsonValue(Object o) : value(std::move(o)) {}

    template <typename T> const T* as() const { return std::get_if<T>(&value); }
    // The member of this name of an object; nothing for another value.
    const JsonValue* member(std::string_view name) const;
};

// Where a text is not JSON: the byte it fails at, and what is wrong.
struct JsonFault {
    std::size_t offset = 0;
    enum class Kind { NotUtf8, Syntax, TooDeep, NotFinite } kind = Kind::Syntax;
};

// Reads a whole text as one JSON value (RFC 8259), strictly: UTF-8 only,
// nothing but white space around the value, arrays and objects nested at
// most kJsonMaxDepth deep, numbers that are finite doubles. A key that
// comes twice keeps its last value.
inline constexpr int kJsonMaxDepth = 16;
std::variant<JsonValue, JsonFault> readJson(std::string_view text);

// The value as UTF-8 JSON, an object's members on lines of their own
// indented by two spaces per level, arrays of numbers on one line. Numbers
// in the shortest form that reads back as the same double.
std::string writeJson(const JsonValue& value);

} // namespace tavelo
