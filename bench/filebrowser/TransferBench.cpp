// File transfers against the simulated box in the same process: one 256 MiB file each way
// beside a plain TCP copy of the same bytes, 1000 files of 4 KiB in nested folders beside one
// 4 MiB file. Over loopback, and (as root) over a veth pair between two network namespaces
// shaped with tc to 100 Mbit/s and 1 Gbit/s with 1 ms round-trip time; where the kernel has no
// netem, the links are shaped to their rate only (the label says so).
//
// Counters: MB_s (decimal megabytes per second of file contents), link_pct (of the shaped
// rate), progress_calls (per run: what the progress dialog would have to draw).
#include "filebrowser/DownloadWorker.h"
#include "filebrowser/PcFolderExpansion.h"
#include "filebrowser/StbFolderExpansion.h"
#include "filebrowser/StbStorage.h"
#include "filebrowser/UploadWorker.h"
#include "stbsim/StbSimulator.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <thread>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::int64_t kBigSize = 256 << 20;
constexpr std::uint16_t kPlainPort = 7778;

struct Quiet final : MessageService {
    Answer Show(const std::string&, Buttons) override { return Answer::Yes; }
};

struct CountingProgress final : TransferProgress {
    long calls = 0;
    void FileStarted(int, int, std::string_view, std::int64_t) override { ++calls; }
    void FilePercent(int) override { ++calls; }
    void TotalPercent(int, std::int64_t) override { ++calls; }
};

void WriteRandom(const fs::path& path, std::int64_t size, std::mt19937_64& random)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    std::vector<std::uint64_t> block(8192);
    for (std::int64_t left = size; left > 0;) {
        for (auto& word : block)
            word = random();
        const auto take = static_cast<std::streamsize>(std::min<std::int64_t>(left, 65536));
        out.write(reinterpret_cast<const char*>(block.data()), take);
        left -= take;
    }
}

// The same files on the box's partition and in the PC folder, made once, removed at exit:
// big.bin, one4m.bin, and tree/ with 10 x 10 folders of 10 files of 4 KiB.
class Files {
public:
    Files()
    {
        std::string pattern = (fs::temp_directory_path() / "transfer-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        std::ofstream(root_ / "box/disks.conf") << "disk /dev/sda 1000\npart /dev/sda1 1 1000\n";
        std::mt19937_64 random(7);
        for (const fs::path& side : {disk(), pc()}) {
            WriteRandom(side / "big.bin", kBigSize, random);
            WriteRandom(side / "one4m.bin", 4 << 20, random);
            for (int i = 0; i < 1000; ++i) {
                char name[64];
                std::snprintf(name, sizeof name, "tree/%d/%d/file %d.bin", i / 100, i / 10 % 10, i);
                WriteRandom(side / name, 4096, random);
            }
            fs::create_directories(side / "into");
        }
    }
    ~Files() { fs::remove_all(root_); }
    fs::path box() const { return root_ / "box"; }
    fs::path disk() const { return root_ / "box/disks/sda1"; }
    fs::path pc() const { return root_ / "pc"; }

private:
    fs::path root_;
};

Files& TheFiles()
{
    static Files files;
    return files;
}

// Runs `body` on a thread of its own inside the named network namespace ("" for this one).
template <class Body> void InNamespace(const std::string& name, Body body)
{
    std::thread([&] {
        if (!name.empty()) {
            const int fd = ::open(("/var/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 || ::setns(fd, CLONE_NEWNET) != 0)
                std::abort();
            ::close(fd);
        }
        body();
    }).join();
}

// A server that sends big.bin to whoever connects: the plain TCP copy the transfers are
// measured beside.
class PlainSender {
public:
    explicit PlainSender(const std::string& address)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(kPlainPort);
        ::inet_pton(AF_INET, address.c_str(), &at.sin_addr);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(fd_, 4) != 0)
            std::abort();
        thread_ = std::thread([this] { Serve(); });
    }
    ~PlainSender()
    {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }

private:
    void Serve()
    {
        std::vector<char> buffer(65536);
        for (int peer; (peer = ::accept(fd_, nullptr, nullptr)) >= 0; ::close(peer)) {
            const int file = ::open((TheFiles().disk() / "big.bin").c_str(), O_RDONLY | O_CLOEXEC);
            for (ssize_t n; (n = ::read(file, buffer.data(), buffer.size())) > 0;)
                if (::send(peer, buffer.data(), static_cast<std::size_t>(n), MSG_NOSIGNAL) != n)
                    break;
            ::close(file);
        }
    }

    int fd_;
    std::thread thread_;
};

// kVeth: the same pair unshaped, to tell what the machine itself can move between namespaces.
enum Link { kLoopback, k100Mbit, k1Gbit, kVeth };

// The box and the PC ends of one link: the simulated box and the plain sender on the box side.
class Network {
public:
    explicit Network(Link link) : link_(link)
    {
        if (link == kLoopback) {
            Start("", "127.0.0.200", "127.0.0.201");
            return;
        }
        if (::geteuid() != 0) {
            error_ = "needs root (network namespaces, veth, tc)";
            return;
        }
        const std::string id = std::to_string(::getpid()) + char('a' + link);
        boxNs_ = "ctb-box-" + id;
        pcNs_ = "ctb-pc-" + id;
        const std::string rate = link == k100Mbit ? "100mbit" : "1gbit";
        const std::string burst = link == k100Mbit ? "64kb" : "512kb";
        const std::string setup =
            "ip netns add " + boxNs_ + " && ip netns add " + pcNs_ + " && ip link add vb" + id +
            " netns " + boxNs_ + " type veth peer name vp" + id + " netns " + pcNs_ +
            " && ip -n " + boxNs_ + " addr add 10.77.0.1/24 dev vb" + id + " && ip -n " + pcNs_ +
            " addr add 10.77.0.2/24 dev vp" + id + " && ip -n " + boxNs_ + " link set vb" + id +
            " up && ip -n " + pcNs_ + " link set vp" + id + " up && ip -n " + boxNs_ +
            " link set lo up && ip -n " + pcNs_ + " link set lo up";
        if (std::system((setup + " 2>/dev/null").c_str()) != 0) {
            error_ = "cannot make network namespaces with a veth pair";
            return;
        }
        // Half the round trip each way; without netem, the rate alone.
        bool delayed = true;
        for (const auto& [ns, dev] : {std::pair{boxNs_, "vb" + id}, std::pair{pcNs_, "vp" + id}}) {
            if (link == kVeth)
                break;
            const std::string netem = "tc -n " + ns + " qdisc add dev " + dev +
                                      " root netem delay 500us rate " + rate + " limit 100000";
            const std::string tbf = "tc -n " + ns + " qdisc add dev " + dev + " root tbf rate " +
                                    rate + " burst " + burst + " latency 100ms";
            if (std::system((netem + " 2>/dev/null").c_str()) != 0) {
                delayed = false;
                if (std::system((tbf + " 2>/dev/null").c_str()) != 0) {
                    error_ = "tc cannot shape the veth pair";
                    return;
                }
            }
        }
        label_ = link == kVeth ? "veth, unshaped"
                 : rate + (delayed ? " 1 ms RTT" : " (no netem here: rate only, no added delay)");
        Start(boxNs_, "10.77.0.1", "10.77.0.1");
    }

    ~Network()
    {
        InNamespace(boxNs_, [this] {
            box_.reset();
            sender_.reset();
        });
        if (!boxNs_.empty())
            std::system(("ip netns del " + boxNs_ + " 2>/dev/null; ip netns del " + pcNs_ + " 2>/dev/null").c_str());
    }

    const std::string& error() const { return error_; }
    const std::string& label() const { return label_; }
    const std::string& boxAddress() const { return boxAddress_; }
    const std::string& plainAddress() const { return plainAddress_; }
    double linkBytesPerSecond() const { return link_ == k100Mbit ? 12.5e6 : link_ == k1Gbit ? 125e6 : 0; }
    // Runs `body` where the PC is.
    template <class Body> void OnPc(Body body) { InNamespace(pcNs_, body); }

private:
    void Start(const std::string& ns, const std::string& box, const std::string& plain)
    {
        boxAddress_ = box;
        plainAddress_ = plain;
        label_ = label_.empty() ? "loopback" : label_;
        InNamespace(ns, [&] {
            StbSimulator::Options options;
            options.stateDir = TheFiles().box();
            options.address = box;
            options.log = nullptr;
            options.size = DemoSize::Tiny;
            box_ = std::make_unique<StbSimulator>(options);
            if (!box_->Start())
                error_ = box_->error();
            // As the browser has it before any transfer: the partition mounted.
            Quiet quiet;
            LinkOptions link;
            link.isReachable = [](const std::string&) { return true; };
            if (error_.empty() && !StbStorage(box, quiet, link).Mount("/dev/sda1"))
                error_ = "the simulated box does not mount its disk";
            sender_ = std::make_unique<PlainSender>(plain);
        });
    }

    Link link_;
    std::string boxNs_, pcNs_;
    std::string error_, label_;
    std::string boxAddress_, plainAddress_;
    std::unique_ptr<StbSimulator> box_;
    std::unique_ptr<PlainSender> sender_;
};

Network& TheNetwork(Link link)
{
    static std::map<Link, std::unique_ptr<Network>> networks;
    std::unique_ptr<Network>& network = networks[link];
    if (!network)
        network = std::make_unique<Network>(link);
    return *network;
}

enum Work { kBigFile, kOneFile4MiB, kTree };

// One transfer as the browser runs it: expansion of the selected folder, then the worker;
// whatever is there already is replaced.
bool Transfer(Network& network, bool download, Work work, long& progressCalls)
{
    Quiet messages;
    CountingProgress progress;
    std::atomic<bool> cancel{false};
    LinkOptions link;
    link.isReachable = [](const std::string&) { return true; };
    const fs::path pc = download ? TheFiles().pc() / "into" : TheFiles().pc();
    const std::string stbPath = download ? "/" : "/into";
    TransferList list;
    if (work == kTree) {
        if (download) {
            StbFolderExpansion expansion(network.boxAddress(), stbPath, {"tree"}, messages, cancel, link);
            if (expansion.Run() != WorkerResult::Success)
                return false;
            list = expansion.result();
        } else {
            PcFolderExpansion expansion(pc.string(), {"tree"}, messages, cancel);
            expansion.Run();
            list = expansion.result();
        }
    } else {
        const char* name = work == kBigFile ? "big.bin" : "one4m.bin";
        list.AddFile(name, static_cast<std::int64_t>(fs::file_size(TheFiles().pc() / name)));
    }
    TransferJob job{network.boxAddress(), "/dev/sda1", pc.string(), stbPath, std::move(list)};
    TransferHooks hooks{messages, progress,
                        [](const std::string&) { return std::optional(OverwriteMode::All); },
                        cancel, std::chrono::milliseconds(0), link};
    const WorkerResult result = download ? DownloadWorker(std::move(job), hooks).Run()
                                         : UploadWorker(std::move(job), hooks).Run();
    progressCalls = progress.calls;
    return result == WorkerResult::Success;
}

// big.bin from the plain sender into a file, 64 KiB at a time.
bool PlainCopy(Network& network)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(kPlainPort);
    ::inet_pton(AF_INET, network.plainAddress().c_str(), &at.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
        ::close(fd);
        return false;
    }
    const int file = ::open((TheFiles().pc() / "into/plain.bin").c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::vector<char> buffer(65536);
    std::int64_t total = 0;
    for (ssize_t n; (n = ::recv(fd, buffer.data(), buffer.size(), 0)) > 0; total += n)
        if (::write(file, buffer.data(), static_cast<std::size_t>(n)) != n)
            break;
    ::close(file);
    ::close(fd);
    return total == kBigSize;
}

void Run(benchmark::State& state, bool plain, bool download, Work work)
{
    Network& network = TheNetwork(static_cast<Link>(state.range(0)));
    if (!network.error().empty()) {
        state.SkipWithError(network.error().c_str());
        return;
    }
    const std::int64_t bytes = work == kBigFile ? kBigSize : 4 << 20;
    double seconds = 0;
    long progressCalls = 0;
    for (auto _ : state) {
        bool ok = false;
        double taken = 0;
        network.OnPc([&] {
            const auto start = Clock::now();
            ok = plain ? PlainCopy(network) : Transfer(network, download, work, progressCalls);
            taken = std::chrono::duration<double>(Clock::now() - start).count();
        });
        seconds += taken;
        state.SetIterationTime(taken);
        if (!ok) {
            state.SkipWithError("transfer failed");
            return;
        }
    }
    const double rate = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / seconds;
    state.counters["MB_s"] = rate / 1e6;
    if (network.linkBytesPerSecond() > 0)
        state.counters["link_pct"] = 100 * rate / network.linkBytesPerSecond();
    if (!plain)
        state.counters["progress_calls"] = static_cast<double>(progressCalls);
    state.SetLabel(network.label());
}

void BM_PlainTcpCopy256MiB(benchmark::State& s) { Run(s, true, true, kBigFile); }
void BM_Download256MiB(benchmark::State& s) { Run(s, false, true, kBigFile); }
void BM_Upload256MiB(benchmark::State& s) { Run(s, false, false, kBigFile); }
void BM_Download1000Files4KiB(benchmark::State& s) { Run(s, false, true, kTree); }
void BM_Upload1000Files4KiB(benchmark::State& s) { Run(s, false, false, kTree); }
void BM_Download4MiB(benchmark::State& s) { Run(s, false, true, kOneFile4MiB); }
void BM_Upload4MiB(benchmark::State& s) { Run(s, false, false, kOneFile4MiB); }

// Loopback a few times; a shaped link once (256 MiB at 100 Mbit/s take over 20 s).
#define TRANSFER_BENCHMARK(name)                                                                   \
    BENCHMARK(name)->Arg(kLoopback)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond); \
    BENCHMARK(name)->Arg(k100Mbit)->Arg(k1Gbit)->Arg(kVeth)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond)

TRANSFER_BENCHMARK(BM_PlainTcpCopy256MiB);
TRANSFER_BENCHMARK(BM_Download256MiB);
TRANSFER_BENCHMARK(BM_Upload256MiB);
TRANSFER_BENCHMARK(BM_Download1000Files4KiB);
TRANSFER_BENCHMARK(BM_Upload1000Files4KiB);
TRANSFER_BENCHMARK(BM_Download4MiB);
TRANSFER_BENCHMARK(BM_Upload4MiB);

} // namespace

BENCHMARK_MAIN();
