#include "json.h"

#include <cstdio>
#include <cstdlib>

namespace kesma::automation {

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue null;
    auto it = object.find(key);
    return it == object.end() ? null : it->second;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
    static const JsonValue null;
    return index < array.size() ? array[index] : null;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document() {
        JsonValue value;
        if (!Value(value, 0)) return std::nullopt;
        SkipBlanks();
        if (pos_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    // Deep enough for the tools' output, shallow enough that hostile input cannot exhaust the stack.
    static constexpr int kMaxDepth = 64;

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    bool Value(JsonValue& v, int depth) {
        if (depth > kMaxDepth) return false;
        SkipBlanks();
        if (pos_ >= text_.size()) return false;
        char c = text_[pos_];
        if (c == '{') return Object(v, depth);
        if (c == '[') return Array(v, depth);
        if (c == '"') {
            v.type = JsonValue::Type::String;
            return String(v.string);
        }
        if (Word("null")) return true;
        if (Word("true")) {
            v.type = JsonValue::Type::Bool;
            v.boolean = true;
            return true;
        }
        if (Word("false")) {
            v.type = JsonValue::Type::Bool;
            return true;
        }
        return Number(v);
    }

    bool Number(JsonValue& v) {
        std::size_t start = pos_;
        while (pos_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
        if (pos_ == start) return false;
        std::string digits(text_.substr(start, pos_ - start));
        char* end = nullptr;
        v.number = std::strtod(digits.c_str(), &end);
        v.type = JsonValue::Type::Number;
        return end == digits.c_str() + digits.size();
    }

    bool String(std::string& out) {
        ++pos_;  // opening quote
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) return false;
            char e = text_[pos_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (pos_ + 4 > text_.size()) return false;
                    std::string hex(text_.substr(pos_, 4));
                    char* end = nullptr;
                    unsigned long code = std::strtoul(hex.c_str(), &end, 16);
                    if (end != hex.c_str() + 4) return false;
                    pos_ += 4;
                    // The tools write ANSI text: code units above 0xFF do not occur.
                    out += static_cast<char>(code & 0xFF);
                    break;
                }
                default: return false;
            }
        }
        return false;
    }

    bool Array(JsonValue& v, int depth) {
        ++pos_;
        v.type = JsonValue::Type::Array;
        if (Take(']')) return true;
        do {
            JsonValue item;
            if (!Value(item, depth + 1)) return false;
            v.array.push_back(std::move(item));
        } while (Take(','));
        return Take(']');
    }

    bool Object(JsonValue& v, int depth) {
        ++pos_;
        v.type = JsonValue::Type::Object;
        if (Take('}')) return true;
        do {
            SkipBlanks();
            std::string key;
            if (pos_ >= text_.size() || text_[pos_] != '"' || !String(key)) return false;
            if (!Take(':')) return false;
            JsonValue item;
            if (!Value(item, depth + 1)) return false;
            v.object[key] = std::move(item);
        } while (Take(','));
        return Take('}');
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<JsonValue> ParseJson(std::string_view text) { return Parser(text).Document(); }

}  // namespace kesma::automation
