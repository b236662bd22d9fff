// The simulated box's request handling: the input's lines are the messages the program sends
// (requests, and the data of uploads), one receive each, over a socket pair to one session on
// a fresh small state. The box must answer or close, never touch anything outside its state
// folder, and keep no descriptor.
#include "fuzz/support/DatabaseWalk.h"
#include "fuzz/support/FuzzCheck.h"
#include "stbsim/BoxSession.h"
#include "stbsim/DemoState.h"
#include "tests/support/TempDir.h"
#include "util/AtomicFile.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Outside the state: a folder the box must never open, read or change, reachable only
// through the links on the partitions.
struct Sandbox {
    TempDir top;
    fs::path state = top / "state";
    fs::path outside = top / "outside";
    int watch = -1;

    Sandbox()
    {
        fs::create_directories(outside / "folder");
        WriteText(outside / "secret.txt", "not the box's\n");
        fs::create_directories(state / statedir::kDbFolder);
        FUZZ_CHECK(fuzz::DemoDatabase().SaveToFolder(state / statedir::kDbFolder));
        WriteText(state / statedir::kDiskConfig, DiskConfig());
        watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        FUZZ_CHECK(watch >= 0);
        for (const fs::path& path : {top.path(), outside, outside / "folder", outside / "secret.txt"})
            FUZZ_CHECK(::inotify_add_watch(watch, path.c_str(), IN_ALL_EVENTS) >= 0);
    }

    static std::string DiskConfig()
    {
        return "disk /dev/sda 16 255 63\npart /dev/sda1 1 16 c\n"
               "disk /dev/sdb 8 255 63\npart /dev/sdb1 1 4 c boot\npart /dev/sdb2 5 8 83\n";
    }

    static void WriteText(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        FUZZ_CHECK(WriteFileAtomically(path, text.data(), text.size()) == AtomicWriteResult::Ok);
    }

    // The partitions as a box would have them: a few files, odd names, and links that lead
    // out of the state folder.
    void ResetDisks() const
    {
        fs::remove_all(state / statedir::kDisksFolder);
        fs::remove_all(state / statedir::kTempFolder);
        const fs::path sda1 = state / statedir::kDisksFolder / "sda1";
        WriteText(sda1 / "readme.txt", "Files of the fuzzed box.\n");
        WriteText(sda1 / "Movies" / "clip 01.ts", std::string(3000, 'v'));
        WriteText(sda1 / "Odd names" / "it's \"odd\" $HOME.txt", "odd\n");
        WriteText(sda1 / "Odd names" / "empty", "");
        fs::create_directories(sda1 / "Empty folder");
        fs::create_symlink(outside, sda1 / "escape");
        fs::create_symlink("../../..", sda1 / "up");
        fs::create_symlink(outside / "secret.txt", sda1 / "Movies" / "secret.ts");
        WriteText(state / statedir::kDisksFolder / "sdb1" / "data.bin", std::string(1500, 'd'));
        fs::create_directories(state / statedir::kDisksFolder / "sdb2");
        fs::create_symlink("../sda1", state / statedir::kDisksFolder / "sdb2" / "other");
    }

    // The events since the last call, as "path-watch mask" lines.
    std::string Events() const
    {
        std::string events;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(watch, buffer, sizeof buffer);
            if (n <= 0)
                return events;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                events += std::to_string(event->wd) + " " + std::to_string(event->mask) + " " +
                          (event->len ? event->name : "") + "\n";
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
};

std::vector<std::string_view> Messages(std::string_view input)
{
    std::vector<std::string_view> messages;
    while (!input.empty()) {
        const std::size_t feed = input.find('\n');
        if (feed != 0)
            messages.push_back(input.substr(0, feed));
        input = feed == std::string_view::npos ? std::string_view{} : input.substr(feed + 1);
    }
    return messages;
}

std::size_t OpenDescriptors()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// Sends the messages and reads every reply until the box closes the connection.
void Converse(int fd, const std::vector<std::string_view>& messages)
{
    std::size_t next = 0;
    bool writing = true;
    std::vector<char> sink(128 * 1024);
    for (;;) {
        if (writing && next == messages.size()) {
            ::shutdown(fd, SHUT_WR);
            writing = false;
        }
        pollfd p{fd, static_cast<short>(POLLIN | (writing ? POLLOUT : 0)), 0};
        const int ready = ::poll(&p, 1, 60000);
        FUZZ_CHECK(ready > 0); // the box neither answers nor closes: it hangs
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = ::recv(fd, sink.data(), sink.size(), MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN))
                return;
        }
        if (writing && (p.revents & POLLOUT)) {
            const std::string_view m = messages[next];
            if (::send(fd, m.data(), m.size(), MSG_DONTWAIT | MSG_NOSIGNAL) >= 0 || errno != EAGAIN)
                ++next;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Sandbox sandbox;
    sandbox.ResetDisks();
    BoxState state(sandbox.state);
    std::string error;
    FUZZ_CHECK(state.Open(1, DemoSize::Tiny, error));
    FaultTable faults;
    BoxLog log(nullptr, "fuzz");
    SessionContext context{state, faults, log, std::chrono::milliseconds(0),
                           std::chrono::milliseconds(0)};

    const std::size_t descriptors = OpenDescriptors();
    int fds[2];
    FUZZ_CHECK(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) == 0);
    sandbox.Events();
    std::atomic<bool> stopping{false};
    std::thread box([&] {
        BoxSocket socket(fds[1], std::chrono::seconds(60), stopping);
        BoxSession(socket, context).Run();
    });
    Converse(fds[0], Messages(fuzz::Text(data, size)));
    box.join();
    ::close(fds[0]);
    ::close(fds[1]);

    // An applied upload changed the database: the next input starts from the demo again.
    if (!(state.Database() == fuzz::DemoDatabase()))
        FUZZ_CHECK(fuzz::DemoDatabase().SaveToFolder(sandbox.state / statedir::kDbFolder));

    const std::string events = sandbox.Events();
    if (!events.empty())
        std::fprintf(stderr, "touched outside the state:\n%s", events.c_str());
    FUZZ_CHECK(events.empty());
    FUZZ_CHECK(OpenDescriptors() == descriptors);
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(sandbox.top.path()))
        entries += entry.path() == sandbox.state || entry.path() == sandbox.outside ? 1 : 100;
    FUZZ_CHECK(entries == 2);
    std::ifstream config(sandbox.state / statedir::kDiskConfig);
    FUZZ_CHECK(std::string(std::istreambuf_iterator<char>(config), {}) == Sandbox::DiskConfig());
    return 0;
}
