// Profile (INI) files held in memory, read as GetPrivateProfileStringA reads them:
// section and key names without regard to letter case, the first match wins, blanks
// around names and values dropped, one pair of enclosing quotes removed, and the value
// cut to the buffer size less its NUL. Header-only and free of test libraries, so that
// the fuzz targets use it too.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "platform/setup_ports.h"

namespace kesma::test {

class FakeProfile : public ProfilePort {
public:
    // The file's whole text, by path (case-insensitive).
    void SetFile(const std::string& path, const std::string& text) { files_[Lower(path)] = text; }

    std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                           const std::string& defaultText, char* buffer, std::uint32_t size,
                                           const std::string& file) override {
        if (size == 0) return 0;
        std::string value = defaultText;
        const auto it = files_.find(Lower(file));
        if (it != files_.end()) Find(it->second, section, key, value);
        const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
        std::memcpy(buffer, value.data(), n);
        buffer[n] = '\0';
        return static_cast<std::uint32_t>(n);
    }

private:
    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }
    static std::string Trim(const std::string& s) {
        const auto first = s.find_first_not_of(" \t\r");
        if (first == std::string::npos) return {};
        return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
    }

    static void Find(const std::string& text, const std::string& section, const std::string& key,
                     std::string& value) {
        bool inSection = false;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = Trim(text.substr(start, end - start));
            start = end + 1;
            if (!line.empty() && line.front() == '[') {
                const auto close = line.find(']');
                inSection = Lower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1))) ==
                            Lower(section);
                continue;
            }
            const auto equals = line.find('=');
            if (!inSection || equals == std::string::npos) continue;
            if (Lower(Trim(line.substr(0, equals))) != Lower(key)) continue;
            value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return;
        }
    }

    std::map<std::string, std::string> files_;
};

}  // namespace kesma::test
