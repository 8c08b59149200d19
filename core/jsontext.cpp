#include "core/jsontext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace tavelo {

const JsonValue* JsonValue::member(std::string_view name) const
{
    const auto* object = as<Object>();
    if (!object)
        return nullptr;
    const auto found = object->find(name);
    return found == object->end() ? nullptr : &found->second;
}

namespace {

// The length of the UTF-8 sequence at `at`, or 0 where it is not one
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        code = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        code = first & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::variant<JsonValue, JsonFault> readWhole()
    {
        skipSpace();
        std::optional<JsonValue> value = readValue(0);
        if (value) {
            skipSpace();
            if (m_at != m_text.size())
                fail(JsonFault::Kind::Syntax);
        }
        if (m_fault)
            return *m_fault;
        return std::move(*value);
    }

private:
    std::optional<JsonValue> readValue(int depth)
    {
        if (m_at >= m_text.size())
            return fail(JsonFault::Kind::Syntax);
        switch (m_text[m_at]) {
        case '{':
            return readObject(depth + 1);
        case '[':
            return readArray(depth + 1);
        case '"': {
            std::optional<std::string> text = readString();
            if (!text)
                return std::nullopt;
            return JsonValue(std::move(*text));
        }
        case 't':
            return readWord("true", JsonValue(true));
        case 'f':
            return readWord("false", JsonValue(false));
        case 'n':
            return readWord("null", JsonValue(nullptr));
        default:
            return readNumber();
        }
    }

    std::optional<JsonValue> readObject(int depth)
    {
        if (depth > kJsonMaxDepth)
            return fail(JsonFault::Kind::TooDeep);
        ++m_at;
        JsonValue::Object object;
        skipSpace();
        if (take('}'))
            return std::optional<JsonValue>(std::in_place, std::move(object));
        while (true) {
            skipSpace();
            if (m_at >= m_text.size() || m_text[m_at] != '"')
                return fail(JsonFault::Kind::Syntax);
            std::optional<std::string> key = readString();
            if (!key)
                return std::nullopt;
            skipSpace();
            if (!take(':'))
                return fail(JsonFault::Kind::Syntax);
            skipSpace();
            std::optional<JsonValue> value = readValue(depth);
            if (!value)
                return std::nullopt;
            object[std::move(*key)] = std::move(*value);
            skipSpace();
            if (take('}'))
                return std::optional<JsonValue>(std::in_place, std::move(object));
            if (!take(','))
                return fail(JsonFault::Kind::Syntax);
        }
    }

    std::optional<JsonValue> readArray(int depth)
    {
        if (depth > kJsonMaxDepth)
            return fail(JsonFault::Kind::TooDeep);
        ++m_at;
        JsonValue::Array array;
        skipSpace();
        if (take(']'))
            return std::optional<JsonValue>(std::in_place, std::move(array));
        while (true) {
            skipSpace();
            std::optional<JsonValue> value = readValue(depth);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
            skipSpace();
            if (take(']'))
                return std::optional<JsonValue>(std::in_place, std::move(array));
            if (!take(','))
                return fail(JsonFault::Kind::Syntax);
        }
    }

    std::optional<std::string> readString()
    {
        ++m_at; // the opening quote
        std::string out;
        while (m_at < m_text.size()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"') {
                ++m_at;
                return out;
            }
            if (c < 0x20) {
                fail(JsonFault::Kind::Syntax);
                return std::nullopt;
            }
            if (c == '\\') {
                if (!readEscape(out))
                    return std::nullopt;
                continue;
            }
            const std::size_t length = utf8Length(m_text, m_at);
            if (length == 0) {
                fail(JsonFault::Kind::NotUtf8);
                return std::nullopt;
            }
            out.append(m_text.substr(m_at, length));
            m_at += length;
        }
        fail(JsonFault::Kind::Syntax);
        return std::nullopt;
    }

    bool readEscape(std::string& out)
    {
        ++m_at;
        if (m_at >= m_text.size())
            return bool(fail(JsonFault::Kind::Syntax));
        const char c = m_text[m_at++];
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: --m_at; return bool(fail(JsonFault::Kind::Syntax));
        }
        std::optional<std::uint32_t> code = readHex4();
        if (!code)
            return false;
        if (*code >= 0xDC00 && *code <= 0xDFFF)
            return bool(fail(JsonFault::Kind::Syntax)); // a low surrogate alone
        if (*code >= 0xD800 && *code <= 0xDBFF) {
            if (m_text.substr(m_at, 2) != "\\u")
                return bool(fail(JsonFault::Kind::Syntax));
            m_at += 2;
            std::optional<std::uint32_t> low = readHex4();
            if (!low)
                return false;
            if (*low < 0xDC00 || *low > 0xDFFF)
                return bool(fail(JsonFault::Kind::Syntax));
            *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        appendUtf8(out, *code);
        return true;
    }

    std::optional<std::uint32_t> readHex4()
    {
        if (m_at + 4 > m_text.size()) {
            fail(JsonFault::Kind::Syntax);
            return std::nullopt;
        }
        std::uint32_t code = 0;
        const auto [end, error] = std::from_chars(m_text.data() + m_at, m_text.data() + m_at + 4, code, 16);
        if (error != std::errc() || end != m_text.data() + m_at + 4) {
            fail(JsonFault::Kind::Syntax);
            return std::nullopt;
        }
        m_at += 4;
        return code;
    }

    std::optional<JsonValue> readNumber()
    {
        // JSON's grammar: -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
        const std::size_t start = m_at;
        const auto digits = [this] {
            const std::size_t from = m_at;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
                ++m_at;
            return m_at - from;
        };
        take('-');
        if (take('0')) {
            // no more digits may follow a leading zero
        } else if (digits() == 0) {
            return fail(JsonFault::Kind::Syntax);
        }
        if (take('.') && digits() == 0)
            return fail(JsonFault::Kind::Syntax);
        if (take('e') || take('E')) {
            if (!take('+'))
                take('-');
            if (digits() == 0)
                return fail(JsonFault::Kind::Syntax);
        }
        double number = 0;
        const auto [end, error] = std::from_chars(m_text.data() + start, m_text.data() + m_at, number);
        if (end != m_text.data() + m_at)
            return fail(JsonFault::Kind::Syntax, start);
        // Out of range: too large is not finite; too small is a zero.
        if (error == std::errc::result_out_of_range) {
            std::size_t e = start;
            while (e < m_at && m_text[e] != 'e' && m_text[e] != 'E')
                ++e;
            if (e == m_at || m_text[e + 1] != '-')
                return fail(JsonFault::Kind::NotFinite, start);
            number = m_text[start] == '-' ? -0.0 : 0.0;
        }
        if (!std::isfinite(number))
            return fail(JsonFault::Kind::NotFinite, start);
        return JsonValue(number);
    }

    std::optional<JsonValue> readWord(std::string_view word, JsonValue value)
    {
        if (m_text.substr(m_at, word.size()) != word)
            return fail(JsonFault::Kind::Syntax);
        m_at += word.size();
        return value;
    }

    bool take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    void skipSpace()
    {
        while (m_at < m_text.size()
               && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    std::optional<JsonValue> fail(JsonFault::Kind kind) { return fail(kind, m_at); }
    std::optional<JsonValue> fail(JsonFault::Kind kind, std::size_t at)
    {
        if (!m_fault)
            m_fault = JsonFault{at, kind};
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::optional<JsonFault> m_fault;
};

void writeString(std::string& out, const std::string& text)
{
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void writeNumber(std::string& out, double number)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

bool isFlat(const JsonValue::Array& array)
{
    for (const JsonValue& item : array) {
        if (item.as<JsonValue::Array>() || item.as<JsonValue::Object>())
            return false;
    }
    return true;
}

void writeValue(std::string& out, const JsonValue& value, int indent)
{
    const std::string inner(std::size_t(indent + 1) * 2, ' ');
    const std::string outer(std::size_t(indent) * 2, ' ');
    if (value.as<std::nullptr_t>()) {
        out += "null";
    } else if (const bool* b = value.as<bool>()) {
        out += *b ? "true" : "false";
    } else if (const double* d = value.as<double>()) {
        writeNumber(out, *d);
    } else if (const std::string* s = value.as<std::string>()) {
        writeString(out, *s);
    } else if (const auto* array = value.as<JsonValue::Array>()) {
        const bool flat = isFlat(*array);
        out += '[';
        for (std::size_t i = 0; i < array->size(); ++i) {
            out += i == 0 ? "" : ",";
            if (flat) {
                out += i == 0 ? "" : " ";
            } else {
                out += '\n';
                out += inner;
            }
            writeValue(out, (*array)[i], indent + 1);
        }
        if (!flat && !array->empty()) {
            out += '\n';
            out += outer;
        }
        out += ']';
    } else if (const auto* object = value.as<JsonValue::Object>()) {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : *object) {
            out += first ? "\n" : ",\n";
            first = false;
            out += inner;
            writeString(out, key);
            out += ": ";
            writeValue(out, member, indent + 1);
        }
        if (!object->empty()) {
            out += '\n';
            out += outer;
        }
        out += '}';
    }
}

} // namespace

std::variant<JsonValue, JsonFault> readJson(std::string_view text)
{
    // A byte order mark, which some editors put first, is no part of the value.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // The whole text must be UTF-8, not only its strings.
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8Length(text, at);
        if (length == 0)
            return JsonFault{at, JsonFault::Kind::NotUtf8};
        at += length;
    }
    return Reader(text).readWhole();
}

std::string writeJson(const JsonValue& value)
{
    std::string out;
    writeValue(out, value, 0);
    out += '\n';
    return out;
}

} // namespace tavelo
