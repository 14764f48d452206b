// glowmotion-cli send against a real receiver: OLA's daemon with only its
// E1.31 and Art-Net plugins, inside a network namespace this test makes
// (a veth pair, 10.99.0.1 and 10.99.0.2), so nothing leaves the machine.
// ola_recorder records what the daemon's universes receive; every frame
// sent must be there, exactly and in order.

#include "SendRunner.h"
#include "signs/SignReceivers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The plugins of Debian's OLA; all but E1.31 and Art-Net are switched off,
// so that none probes devices of this machine.
const char* const kOtherPlugins[] = {
    "dummy",   "espnet",           "ftdidmx", "gpio",     "karate",    "kinet",     "milinst",
    "opendmx", "openpixelcontrol", "osc",     "pathport", "renard",    "sandnet",   "shownet",
    "spi",     "stageprofi",       "uartdmx", "usbdmx",   "usbserial", "dmx4linux", "nanoleaf",
    "e133"};

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin:/usr/sbin:/sbin");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (::access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    return ::access(("/usr/sbin/" + program).c_str(), X_OK) == 0;
}

// Why this machine cannot run the test, or empty.
std::string MissingPart() {
    if (::geteuid() != 0)
        return "needs root, to make the namespace and start olad as its user";
    for (const char* program :
         {"olad", "ola_patch", "ola_recorder", "ola_dev_info", "ip", "runuser", "unshare"})
        if (!OnPath(program))
            return std::string(program) + " is not installed (Debian: ola, iproute2, util-linux)";
    if (::getpwnam("olad") == nullptr)
        return "there is no user olad (the ola package makes it)";
    std::string why;
    if (!CanUnshareNetwork(why))
        return why;
    return "";
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// The recorded updates of each universe, in order: "OLA Show", then lines
// "<universe> <v1>,<v2>,..." each followed by a line with a delay.
std::map<int, std::vector<TBytes>> ReadShow(const std::string& text) {
    std::map<int, std::vector<TBytes>> updates;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos || line.find(',') == std::string::npos)
            continue;
        const int universe = std::stoi(line.substr(0, space));
        TBytes values;
        std::stringstream list(line.substr(space + 1));
        std::string value;
        while (std::getline(list, value, ','))
            values.push_back(static_cast<std::uint8_t>(std::stoi(value)));
        updates[universe].push_back(std::move(values));
    }
    return updates;
}

// The frames of `universes` consecutive OLA universes from `first`: the
// k-th update of each, joined.
std::vector<TBytes> JoinedFrames(const std::map<int, std::vector<TBytes>>& updates, int first,
                                 int universes, std::string& why) {
    std::vector<TBytes> frames;
    size_t count = 0;
    for (int u = first; u < first + universes; ++u) {
        const auto found = updates.find(u);
        const size_t got = found == updates.end() ? 0 : found->second.size();
        if (u != first && got != count)
            why = "universe " + std::to_string(u) + " got " + std::to_string(got) +
                  " updates, universe " + std::to_string(first) + " " + std::to_string(count);
        count = u == first ? got : std::min(count, got);
    }
    for (size_t k = 0; k < count; ++k) {
        TBytes frame;
        for (int u = first; u < first + universes; ++u) {
            const TBytes& part = updates.at(u)[k];
            frame.insert(frame.end(), part.begin(), part.end());
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

TEST(CliSendOla, OlaReceivesEveryFrameOverE131AndArtNet) {
    const std::string missing = MissingPart();
    if (!missing.empty())
        GTEST_SKIP() << "no OLA receiver: " << missing;

    CCliFolder dir;
    // olad runs as its own user: it must reach its folder.
    std::filesystem::permissions(
        dir.Dir(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                       std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                       std::filesystem::perms::others_exec);
    const std::string conf = dir.Path("olad-conf");
    std::filesystem::create_directory(conf);
    for (const char* plugin : kOtherPlugins)
        WriteText(conf + "/ola-" + plugin + ".conf", "enabled = false\n");
    WriteText(conf + "/ola-e131.conf", "enabled = true\nip = 10.99.0.2\ninput_ports = 16\n"
                                       "output_ports = 0\nignore_preview = true\n");
    WriteText(conf + "/ola-artnet.conf",
              "enabled = true\nip = 10.99.0.2\nnet = 0\nsubnet = 0\noutput_ports = 0\n"
              "always_broadcast = false\nuse_limited_broadcast = false\nuse_loopback = false\n");
    const passwd* olad = ::getpwnam("olad");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(conf))
        ::chown(entry.path().c_str(), olad->pw_uid, olad->pw_gid);
    ::chown(conf.c_str(), olad->pw_uid, olad->pw_gid);

    const std::string qvl = PatternQvl(6);
    const std::string file = dir.Write("anim.qvl", qvl);
    const std::string cli = CliPath();
    const std::string show = dir.Path("show.txt");
    // E1.31 single channel: OLA universes 1..3 on E1.31 universes 1..3.
    // E1.31 RGB: 21..30. Art-Net: OLA universes 11..13 on port addresses
    // 11..13 (net 0, sub-net 0).
    const std::string script = R"(set -eu
DEVICES=')" + dir.Path("devices.txt") +
                               R"('
ip link set lo up
ip link add gm-veth0 type veth peer name gm-veth1
ip addr add 10.99.0.1/24 dev gm-veth0
ip addr add 10.99.0.2/24 dev gm-veth1
ip link set gm-veth0 up
ip link set gm-veth1 up
runuser -u olad -- olad -c ')" +
                               conf + R"(' --no-http --no-register-with-dns-sd -l 2 \
    > ')" + dir.Path("olad.log") +
                               R"(' 2>&1 &
OLAD=$!
trap 'kill $OLAD 2>/dev/null; wait $OLAD 2>/dev/null || true' EXIT
ready=
for i in $(seq 100); do
    if ola_dev_info > "$DEVICES" 2>/dev/null && grep -q 'E1.31' "$DEVICES" &&
       grep -q ArtNet "$DEVICES"; then
        ready=1; break
    fi
    sleep 0.1
done
[ -n "$ready" ] || { echo "olad did not start" >&2; exit 3; }
E=$(grep -m1 'E1.31' "$DEVICES" | sed 's/Device \([0-9]*\):.*/\1/')
A=$(grep -m1 'ArtNet' "$DEVICES" | sed 's/Device \([0-9]*\):.*/\1/')
for p in 0 1 2; do ola_patch --device "$E" --port $p --universe $((p + 1)) --input; done
for p in $(seq 0 9); do ola_patch --device "$E" --port $((p + 3)) --universe $((p + 21)) --input; done
for p in 0 1 2; do ola_patch --device "$A" --port $p --universe $((p + 11)) --input; done
ola_recorder --record ')" + show +
                               R"(' --universes 1,2,3,11,12,13,21,22,23,24,25,26,27,28,29,30 &
REC=$!
sleep 1
')" + cli + "' send '" + file + R"(' e131://10.99.0.2/1 --delay 40
')" + cli + "' send '" + file + R"(' e131://10.99.0.2/21 --delay 40 --color 102030 --off 010203
')" + cli + "' send '" + file + R"(' artnet://10.99.0.2/11 --delay 40
sleep 0.5
kill -INT $REC
wait $REC || true
)";
    const std::string scriptPath = dir.Write("receiver.sh", script);
    const SCliResult result = RunProgram(dir, {"unshare", "-n", "bash", scriptPath}, 120);
    ASSERT_EQ(0, result.exitCode) << result.err << "\n" << ReadBytes(dir.Path("olad.log"));

    const std::map<int, std::vector<TBytes>> updates = ReadShow(ReadBytes(show));
    struct SCase {
        const char* what;
        int first;
        int universes;
        bool single;
    };
    for (const SCase& c : {SCase{"E1.31", 1, 3, true}, SCase{"E1.31 RGB", 21, 10, false},
                           SCase{"Art-Net", 11, 3, true}}) {
        std::string why;
        const std::vector<TBytes> frames = JoinedFrames(updates, c.first, c.universes, why);
        EXPECT_TRUE(why.empty()) << c.what << ": " << why;
        ASSERT_EQ(6u, frames.size()) << c.what;
        for (int n = 0; n < 6; ++n) {
            const TBytes expected = RowOrderFrame(ScreenWords(qvl, n), c.single, {0x10, 0x20, 0x30},
                                                  {0x01, 0x02, 0x03});
            EXPECT_EQ(expected, frames[static_cast<size_t>(n)]) << c.what << " frame " << n;
        }
    }
}

} // namespace
