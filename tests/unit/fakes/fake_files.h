// Files that can be opened for reading, by path (case-insensitive, as on Windows).
#pragma once

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kesma::test {

class FakeFiles : public FilePort {
public:
    void Add(const std::string& path) { files_.insert(Lower(path)); }
    void Remove(const std::string& path) { files_.erase(Lower(path)); }

    std::vector<std::string> opened;  // every path tried, as passed

    bool CanOpenForReading(const std::string& path) override {
        opened.push_back(path);
        return files_.count(Lower(path)) != 0;
    }

private:
    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }
    std::set<std::string> files_;
};

}  // namespace kesma::test
