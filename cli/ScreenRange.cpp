#include "cli/ScreenRange.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/EscapedText.h"
#include "cli/ExitCodes.h"
#include "headless/HeadlessSession.h"

std::optional<SScreenRange> OpenScreenRange(CHeadlessSession& session, const std::string& file,
                                            const SScreenRangeRequest& request, bool oneScreen,
                                            std::ostream& err, int& status) {
    const size_t mark = session.MessageCount();
    if (!OpenAnimation(session.View(), session.Doc(), file)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot open " + file);
        status = kExitFailed;
        return std::nullopt;
    }
    status = kExitUsage;
    const int count = session.Doc().ScreenCount();
    if (count == 0) {
        err << "glowmotion-cli: " << EscapedText(file) << " holds no screens\n";
        return std::nullopt;
    }
    const long long from = request.from.value_or(1);
    const long long to = request.to.value_or(oneScreen ? from : count);
    const auto outside = [count](long long n) { return n < 1 || n > count; };
    if (outside(from) || outside(to)) {
        const std::string& text = outside(from) ? request.fromText : request.toText;
        err << "glowmotion-cli: " << EscapedText(file) << " has no screen " << EscapedText(text)
            << " (its screens are 1 to " << count << ")\n";
        return std::nullopt;
    }
    if (from > to) {
        err << "glowmotion-cli: --from " << from << " comes after --to " << to << '\n';
        return std::nullopt;
    }
    status = kExitOk;
    return SScreenRange{static_cast<int>(from), static_cast<int>(to)};
}
