#pragma once

#include <optional>
#include <ostream>
#include <string>

class CHeadlessSession;

// The screens a command works on, as the user asked for them: the numbers
// `--from` and `--to` gave (nullopt when left out) and their texts, which
// stand in messages as typed.
struct SScreenRangeRequest {
    std::optional<long long> from;
    std::optional<long long> to;
    std::string fromText;
    std::string toText;
};

// The first and last screen (1-based, both included) of a checked range.
struct SScreenRange {
    int from = 1;
    int to = 1;
};

// Opens the animation `file` into the session's bank on display and checks
// `request` against it: `from` defaults to 1 and `to` to the last screen, or
// to `from` when `oneScreen`. On failure writes one message to `err`, sets
// `status` (kExitFailed for a file that cannot be opened, kExitUsage for a
// file without screens or a range outside it or running backwards) and
// returns nullopt.
std::optional<SScreenRange> OpenScreenRange(CHeadlessSession& session, const std::string& file,
                                            const SScreenRangeRequest& request, bool oneScreen,
                                            std::ostream& err, int& status);
