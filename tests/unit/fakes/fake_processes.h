// Program starts and the single-instance answer, for tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kesma::test {

class FakeProcesses : public ProcessPort {
public:
    struct Exec {
        std::string commandLine;
        unsigned show;
        bool operator==(const Exec&) const = default;
    };

    std::vector<Exec> execs;
    unsigned result = 33;          // WinExec's answer; 31 or less is a failed start
    bool anotherInstance = false;  // what AnotherInstanceRunning answers
    std::vector<std::string> instanceChecks;  // program names asked about
    std::function<void(const Exec&)> onExec;  // the started program's effect, if any

    unsigned WinExec(const std::string& commandLine, unsigned show) override {
        execs.push_back(Exec{commandLine, show});
        if (onExec) onExec(execs.back());
        return result;
    }
    bool AnotherInstanceRunning(const std::string& programName) override {
        instanceChecks.push_back(programName);
        return anotherInstance;
    }
};

}  // namespace kesma::test
