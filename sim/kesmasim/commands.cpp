#include "commands.h"

#include <climits>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>

#include "fields.h"
#include "json.h"
#include "sim/core/kesmadrv_private.h"

namespace kesmasim {

namespace {

const char kUsage[] =
    "usage: kesmasim install | uninstall | reset | state | set Name=Value ... | touch X Y | lift\n"
    "       | hold X Y --ms N [--rate HZ] [--jitter R]\n"
    "       | panel [--invert-x] [--invert-y] [--swap] [--raw-min A] [--raw-max B]\n"
    "       | tap PX PY [--ms N] | map RAWX RAWY | smi --window H [--rotation R]\n"
    "       | journal [--clear] | fault on|off | perform-right-click\n";

// A usage fault: unknown command, option or a bad number.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The driver could not be reached or refused a request.
struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::int64_t Number(const std::string& text, std::int64_t min, std::int64_t max, const std::string& what)
{
    auto value = ParseNumber(text);
    if (!value || *value < min || *value > max)
        throw UsageError("bad " + what + ": \"" + text + "\" (" + std::to_string(min) + ".." +
                         std::to_string(max) + ")");
    return *value;
}

// Positional arguments and --options of one command.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // --name value
    std::map<std::string, bool> flags;          // --name

    Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flagOptions)
    {
        auto contains = [](const std::vector<std::string>& list, const std::string& s) {
            for (const auto& item : list)
                if (item == s) return true;
            return false;
        };
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (contains(valueOptions, a)) {
                if (i + 1 == args.size()) throw UsageError(a + " needs a value");
                values[a] = args[++i];
            } else if (contains(flagOptions, a)) {
                flags[a] = true;
            } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
                throw UsageError("unknown option " + a);
            } else {
                positional.push_back(a);
            }
        }
    }

    void ExpectPositional(std::size_t count) const
    {
        if (positional.size() != count)
            throw UsageError("expected " + std::to_string(count) + " argument(s), got " +
                             std::to_string(positional.size()));
    }

    std::int64_t Value(const std::string& name, std::int64_t fallback, std::int64_t min, std::int64_t max) const
    {
        auto it = values.find(name);
        return it == values.end() ? fallback : Number(it->second, min, max, name);
    }

    bool Flag(const std::string& name) const { return flags.count(name) != 0; }
};

class Driver {
public:
    explicit Driver(Host& host) : host_(host)
    {
        std::string error;
        if (!host_.Open(error)) throw DriverError("driver not reachable: " + error);
    }

    std::uint32_t Call(std::uint32_t code, void* buffer, std::uint32_t inSize, std::uint32_t outSize)
    {
        std::uint32_t bytes = 0;
        if (!host_.Request(code, buffer, inSize, outSize, bytes))
            throw DriverError("the driver refused the request");
        return bytes;
    }

    KesmaSimState ReadState()
    {
        KesmaSimState state{};
        Call(KESMA_SIM_READ_STATE, &state, 0, sizeof state);
        return state;
    }

    void WriteState(KesmaSimState state) { Call(KESMA_SIM_WRITE_STATE, &state, sizeof state, 0); }

    void Post(std::int64_t x, std::int64_t y, bool down)
    {
        TouchPoint report{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::uint8_t>(down ? KESMA_PEN_DOWN : 0), 0, 0};
        Call(KESMA_SIM_POST_TOUCH, &report, sizeof report, 0);
    }

    Host& host() { return host_; }

private:
    Host& host_;
};

// Deterministic jitter, the same for every run.
class Jitter {
public:
    explicit Jitter(std::int64_t radius) : radius_(radius) {}
    std::int64_t Next()
    {
        if (radius_ == 0) return 0;
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<std::int64_t>((seed_ >> 16) % static_cast<std::uint32_t>(2 * radius_ + 1)) - radius_;
    }

private:
    std::int64_t radius_;
    std::uint32_t seed_ = 20240611u;
};

std::int64_t ClampRaw(std::int64_t v) { return v < 0 ? 0 : (v > 1023 ? 1023 : v); }

// Steady pen-down reports at `rate` for `ms` milliseconds, then the lift.
void Hold(Driver& driver, std::int64_t x, std::int64_t y, std::int64_t ms, std::int64_t rate, std::int64_t jitter)
{
    Jitter noise(jitter);
    std::uint64_t start = driver.host().NowMs();
    for (std::int64_t k = 0;; ++k) {
        std::int64_t at = k * 1000 / rate;
        if (at >= ms && k > 0) break;
        driver.host().SleepUntilMs(start + static_cast<std::uint64_t>(at));
        std::int64_t dx = noise.Next(), dy = noise.Next();
        driver.Post(jitter ? ClampRaw(x + dx) : x, jitter ? ClampRaw(y + dy) : y, true);
    }
    driver.host().SleepUntilMs(start + static_cast<std::uint64_t>(ms));
    driver.Post(x, y, false);
}

std::string PointJson(std::int64_t x, std::int64_t y)
{
    return "{\"X\": " + std::to_string(x) + ", \"Y\": " + std::to_string(y) + "}";
}

int Dispatch(const std::vector<std::string>& args, Host& host, std::ostream& out, std::ostream& err)
{
    if (args.empty()) throw UsageError("no command");
    const std::string& command = args[0];
    constexpr std::int64_t kI16Min = -32768, kI16Max = 32767;
    constexpr std::int64_t kMaxMs = 600000;

    if (command == "install" || command == "uninstall") {
        Arguments(args, {}, {}).ExpectPositional(0);
        std::string error;
        bool ok = command == "install" ? host.Install(error) : host.Uninstall(error);
        if (!ok) throw DriverError(command + " failed: " + error);
        return kExitOk;
    }
    if (command == "reset" || command == "perform-right-click" || command == "state" || command == "lift") {
        Arguments(args, {}, {}).ExpectPositional(0);
        Driver driver(host);
        if (command == "reset") driver.Call(KESMA_SIM_RESET, nullptr, 0, 0);
        if (command == "perform-right-click") driver.Call(KESMA_SIM_PERFORM_RIGHT_CLICK, nullptr, 0, 0);
        if (command == "state") out << StateJson(driver.ReadState()) << "\n";
        if (command == "lift") {
            TouchPoint last = driver.ReadState().Touch;
            driver.Post(last.X, last.Y, false);
        }
        return kExitOk;
    }
    if (command == "set") {
        Arguments a(args, {}, {});
        if (a.positional.empty()) throw UsageError("set needs Name=Value");
        std::vector<std::pair<Field, std::int64_t>> changes;
        for (const std::string& assignment : a.positional) {
            std::size_t eq = assignment.find('=');
            if (eq == std::string::npos) throw UsageError("expected Name=Value: \"" + assignment + "\"");
            auto field = FindField(assignment.substr(0, eq));
            if (!field) throw UsageError("unknown field \"" + assignment.substr(0, eq) + "\"");
            auto value = ParseNumber(assignment.substr(eq + 1));
            if (!value) throw UsageError("bad number in \"" + assignment + "\"");
            changes.emplace_back(*field, *value);
        }
        Driver driver(host);
        KesmaSimState state = driver.ReadState();
        for (const auto& [field, value] : changes)
            if (!WriteField(state, field, value))
                throw UsageError("value out of range for " + field.name + ": " + std::to_string(value));
        driver.WriteState(state);
        return kExitOk;
    }
    if (command == "touch") {
        Arguments a(args, {}, {});
        a.ExpectPositional(2);
        std::int64_t x = Number(a.positional[0], kI16Min, kI16Max, "X");
        std::int64_t y = Number(a.positional[1], kI16Min, kI16Max, "Y");
        Driver(host).Post(x, y, true);
        return kExitOk;
    }
    if (command == "hold") {
        Arguments a(args, {"--ms", "--rate", "--jitter"}, {});
        a.ExpectPositional(2);
        std::int64_t x = Number(a.positional[0], kI16Min, kI16Max, "X");
        std::int64_t y = Number(a.positional[1], kI16Min, kI16Max, "Y");
        if (!a.values.count("--ms")) throw UsageError("hold needs --ms N");
        std::int64_t ms = a.Value("--ms", 0, 0, kMaxMs);
        std::int64_t rate = a.Value("--rate", kDefaultRateHz, 1, 1000);
        std::int64_t jitter = a.Value("--jitter", 0, 0, 1023);
        Driver driver(host);
        Hold(driver, x, y, ms, rate, jitter);
        return kExitOk;
    }
    if (command == "panel") {
        Arguments a(args, {"--raw-min", "--raw-max"}, {"--invert-x", "--invert-y", "--swap"});
        a.ExpectPositional(0);
        KesmaPanelModel panel{};
        panel.Direction = static_cast<std::uint8_t>((a.Flag("--invert-x") ? KESMA_INVERT_X : 0) |
                                                    (a.Flag("--invert-y") ? KESMA_INVERT_Y : 0) |
                                                    (a.Flag("--swap") ? KESMA_SWAP_XY : 0));
        panel.RawMin = static_cast<std::int16_t>(a.Value("--raw-min", 0, 0, 1023));
        panel.RawMax = static_cast<std::int16_t>(a.Value("--raw-max", 1023, 0, 1023));
        if (panel.RawMin >= panel.RawMax) throw UsageError("--raw-min must be below --raw-max");
        Driver driver(host);
        KesmaSimState state = driver.ReadState();
        state.Panel = panel;
        driver.WriteState(state);
        return kExitOk;
    }
    if (command == "tap") {
        Arguments a(args, {"--ms"}, {});
        a.ExpectPositional(2);
        std::int64_t px = Number(a.positional[0], kI16Min, kI16Max, "PX");
        std::int64_t py = Number(a.positional[1], kI16Min, kI16Max, "PY");
        std::int64_t ms = a.Value("--ms", kDefaultTapMs, 0, kMaxMs);
        Driver driver(host);
        KesmaSimState state = driver.ReadState();
        KesmaPixel raw = KesmaPanelPixelToRaw(&state.Panel, state.Settings.ScreenWidth,
                                              state.Settings.ScreenHeight, static_cast<std::int32_t>(px),
                                              static_cast<std::int32_t>(py));
        out << PointJson(raw.X, raw.Y) << "\n";
        out.flush();
        Hold(driver, raw.X, raw.Y, ms, kDefaultRateHz, 0);
        return kExitOk;
    }
    if (command == "map") {
        Arguments a(args, {}, {});
        a.ExpectPositional(2);
        std::int64_t x = Number(a.positional[0], kI16Min, kI16Max, "RAWX");
        std::int64_t y = Number(a.positional[1], kI16Min, kI16Max, "RAWY");
        KesmaSimState state = Driver(host).ReadState();
        KesmaPixel p = KesmaMapRawToPixel(&state.Settings, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
        out << PointJson(p.X, p.Y) << "\n";
        return kExitOk;
    }
    if (command == "smi") {
        Arguments a(args, {"--window", "--rotation"}, {});
        a.ExpectPositional(0);
        if (!a.values.count("--window")) throw UsageError("smi needs --window H");
        WindowSlot slot{};
        slot.Window = static_cast<std::int32_t>(a.Value("--window", 0, INT32_MIN, UINT32_MAX));
        slot.Word = static_cast<std::uint16_t>(a.Value("--rotation", 0, 0, 65535));
        Driver(host).Call(KESMA_SIM_SET_SMI_SLOT, &slot, sizeof slot, 0);
        return kExitOk;
    }
    if (command == "journal") {
        Arguments a(args, {}, {"--clear"});
        a.ExpectPositional(0);
        Driver driver(host);
        constexpr std::uint32_t kChunk = 32;
        std::vector<std::uint8_t> buffer(sizeof(KesmaJournalHeader) + kChunk * sizeof(KesmaJournalEntry));
        for (std::uint32_t next = 0;;) {
            std::memcpy(buffer.data(), &next, sizeof next);
            driver.Call(KESMA_SIM_READ_JOURNAL, buffer.data(), sizeof next, static_cast<std::uint32_t>(buffer.size()));
            KesmaJournalHeader header;
            std::memcpy(&header, buffer.data(), sizeof header);
            if (header.First > next)
                err << "kesmasim: " << (header.First - next) << " older request(s) were overwritten\n";
            for (std::uint32_t i = 0; i < header.Count; ++i) {
                KesmaJournalEntry entry;
                std::memcpy(&entry, buffer.data() + sizeof header + i * sizeof entry, sizeof entry);
                out << JournalEntryJson(entry) << "\n";
            }
            next = header.First + header.Count;
            if (header.Count == 0 || next >= header.Total) break;
        }
        if (a.Flag("--clear")) driver.Call(KESMA_SIM_CLEAR_JOURNAL, nullptr, 0, 0);
        return kExitOk;
    }
    if (command == "fault") {
        Arguments a(args, {}, {});
        a.ExpectPositional(1);
        const std::string& mode = a.positional[0];
        if (mode != "on" && mode != "off") throw UsageError("fault takes on or off");
        std::int32_t on = mode == "on";
        Driver(host).Call(KESMA_SIM_SET_FAULT, &on, sizeof on, 0);
        return kExitOk;
    }
    throw UsageError("unknown command \"" + command + "\"");
}

}  // namespace

int Run(const std::vector<std::string>& args, Host& host, std::ostream& out, std::ostream& err)
{
    try {
        return Dispatch(args, host, out, err);
    } catch (const UsageError& e) {
        err << "kesmasim: " << e.what() << "\n" << kUsage;
        return kExitUsage;
    } catch (const DriverError& e) {
        err << "kesmasim: " << e.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace kesmasim
