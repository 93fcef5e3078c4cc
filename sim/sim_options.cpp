// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_options.h"

#include <charconv>
#include <functional>
#include <map>
#include <optional>

namespace {

std::optional<long> ParseNumber(const std::string& text, long min, long max)
{
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max) return std::nullopt;
    return value;
}

bool ParsePreset(const std::string& text, SimOptions& options)
{
    const auto eq = text.find('=');
    if (eq == std::string::npos) return false;
    const auto reg = ParseNumber(text.substr(0, eq), 0, 29);
    const auto value = ParseNumber(text.substr(eq + 1), 0, 65535);
    if (!reg || !value) return false;
    options.presets.emplace_back(static_cast<int>(*reg), static_cast<std::uint16_t>(*value));
    return true;
}

using Setter = std::function<bool(const std::string&, SimOptions&)>;

Setter IntSetter(long min, long max, std::function<void(SimOptions&, long)> store)
{
    return [=](const std::string& text, SimOptions& options) {
        const auto value = ParseNumber(text, min, max);
        if (!value) return false;
        store(options, *value);
        return true;
    };
}

const std::map<std::string, Setter>& ValueOptions()
{
    constexpr long Big = 1'000'000;
    static const std::map<std::string, Setter> options{
        {"--address", IntSetter(1, 255, [](SimOptions& o, long v) { o.address = static_cast<std::uint8_t>(v); })},
        {"--baud", IntSetter(50, 4'000'000, [](SimOptions& o, long v) { o.baud = static_cast<int>(v); })},
        {"--link", [](const std::string& t, SimOptions& o) { o.linkPath = t; return !t.empty(); }},
        {"--log-requests", [](const std::string& t, SimOptions& o) { o.requestLogPath = t; return !t.empty(); }},
        {"--set", ParsePreset},
        {"--corrupt-crc-every", IntSetter(1, Big, [](SimOptions& o, long v) { o.faults.corruptCrcEvery = static_cast<int>(v); })},
        {"--split-reply", IntSetter(0, Big, [](SimOptions& o, long v) { o.faults.splitPauseMs = static_cast<int>(v); })},
        {"--reply-delay", IntSetter(0, Big, [](SimOptions& o, long v) { o.faults.replyDelayMs = static_cast<int>(v); })},
        {"--noise", IntSetter(1, 4096, [](SimOptions& o, long v) { o.faults.noiseBytes = static_cast<int>(v); })},
        {"--close-after", IntSetter(1, Big, [](SimOptions& o, long v) { o.faults.closeAfterReplies = static_cast<int>(v); })},
        {"--oversize", IntSetter(1, 65536, [](SimOptions& o, long v) { o.faults.oversizeBytes = static_cast<int>(v); })},
        {"--noise-lead", IntSetter(0, Big, [](SimOptions& o, long v) { o.faults.noiseLeadMs = static_cast<int>(v); })},
        {"--split-percent", IntSetter(0, 100, [](SimOptions& o, long v) { o.faults.splitPercent = static_cast<int>(v); })},
        {"--stray-percent", IntSetter(0, 100, [](SimOptions& o, long v) { o.faults.strayPercent = static_cast<int>(v); })},
        {"--crc-percent", IntSetter(0, 100, [](SimOptions& o, long v) { o.faults.crcPercent = static_cast<int>(v); })},
        {"--silence-percent", IntSetter(0, 100, [](SimOptions& o, long v) { o.faults.silencePercent = static_cast<int>(v); })},
        {"--seed", IntSetter(0, 4'294'967'295L, [](SimOptions& o, long v) { o.faults.seed = static_cast<unsigned>(v); })},
        {"--expect-line", [](const std::string& t, SimOptions& o) { return (o.expectLine = ParseExpectedLine(t)).has_value(); }},
        {"--reject-block", IntSetter(0, 2, [](SimOptions& o, long v) { o.rejectBlock = static_cast<int>(v); })},
    };
    return options;
}

} // namespace

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args)
{
    SimOptionsResult result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.options.help = true;
        } else if (arg == "--never-reply") {
            result.options.faults.neverReply = true;
        } else if (arg == "--oversize-garbage") {
            result.options.faults.oversizeGarbage = true;
        } else if (arg == "--queue-replies") {
            result.options.queueReplies = true;
        } else if (const auto it = ValueOptions().find(arg); it != ValueOptions().end()) {
            if (i + 1 >= args.size()) {
                result.error = "missing value for " + arg;
                return result;
            }
            if (!it->second(args[++i], result.options)) {
                result.error = "bad value '" + args[i] + "' for " + arg;
                return result;
            }
        } else {
            result.error = "unknown option '" + arg + "'";
            return result;
        }
    }
    return result;
}

std::string SimUsage()
{
    return "Usage: softstarter-sim [options]\n"
           "A Modbus RTU soft starter on a pseudo-terminal. The first line on stdout is the\n"
           "terminal's device path; open it as a serial port.\n"
           "\n"
           "  --address N             station address, 1..255 (default 1)\n"
           "  --baud N                line speed assumed for the silent interval that ends a\n"
           "                          request (default 19200; never under 4 ms)\n"
           "  --link PATH             also make PATH a symlink to the terminal\n"
           "  --set REG=VALUE         preset a register (0..29), repeatable\n"
           "  --log-requests PATH     log each received request frame as hex, one per line\n"
           "                          (PATH '-' is stderr)\n"
           "  --expect-line BAUD,FMT  answer only while the master has set this baud rate and\n"
           "                          frame format (8_N_2, 8_E_1 or 8_O_1) on the terminal, as a\n"
           "                          device at those settings would; e.g. 9600,8_E_1\n"
           "  --help                  this text\n"
           "\n"
           "Fault injection:\n"
           "  --corrupt-crc-every N   corrupt the CRC of every Nth reply\n"
           "  --split-reply MS        send each reply in two halves MS milliseconds apart\n"
           "  --never-reply           carry out requests but never answer\n"
           "  --reply-delay MS        answer MS milliseconds late\n"
           "  --noise N               send N noise bytes before each reply\n"
           "  --noise-lead MS         with --noise: send them MS milliseconds after the request,\n"
           "                          apart from the reply\n"
           "  --close-after N         close the terminal after N replies (a removed device)\n"
           "  --oversize N            make each reply N bytes long: the reply padded with zeros\n"
           "  --oversize-garbage      with --oversize: N bytes of noise instead\n"
           "  --queue-replies         a queueing gateway: every request answered in order, each\n"
           "                          --reply-delay after it came and never before the previous\n"
           "                          answer is out (none ignored while it is busy)\n"
           "  --reject-block N        reads of block N (0: registers 0-9, 1: 10-19, 2: 20-29)\n"
           "                          get exception 02\n"
           "\n"
           "Random faults, in percent of replies (0..100), reproducible with --seed:\n"
           "  --split-percent P       send the reply in two halves 150 ms apart\n"
           "  --stray-percent P       send a stray 0xFF byte 150 ms after the reply\n"
           "  --crc-percent P         corrupt the reply's CRC\n"
           "  --silence-percent P     carry out the request but send no reply\n"
           "  --seed N                seed of the random faults (default 1)\n"
           "\n"
           "Registers: 0 run state (bit 0), 1 starting voltage (0.1 %), 2 soft start time (s),\n"
           "3 soft stop time (s), 4 output (0.1 %), 5 current (0.1 A), 6 temperature (C),\n"
           "7 alarms (bit 4 over-temperature). Function 03 reads 0..29, function 06 writes 0..3.\n";
}
