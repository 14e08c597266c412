// Small JSON helpers: a writer for winprobe's output and a reader for the tests that check
// the output of the console tools.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesma::automation {

// Text as a JSON string literal, quotes included.
std::string JsonQuote(std::string_view text);

// A parsed JSON value. Numbers are kept as double (the tools print integers well inside its
// exact range).
struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<JsonValue> array;
    std::map<std::string, JsonValue> object;

    // Member of an object, or a null value when absent (so lookups can be chained).
    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](std::size_t index) const;
    bool IsNull() const { return type == Type::Null; }
    std::int64_t Int() const { return static_cast<std::int64_t>(number); }
};

// Parses one JSON document; nullopt on any syntax error or trailing text.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace kesma::automation
