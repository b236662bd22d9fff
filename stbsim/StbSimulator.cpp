#include "stbsim/StbSimulator.h"

#include "stbsim/BoxLog.h"
#include "stbsim/BoxSession.h"
#include "stbsim/BoxSocket.h"
#include "stbsim/BoxState.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <list>
#include <mutex>
#include <thread>

class StbSimulator::Server {
public:
    Server(const Options& options, FaultTable& faults)
        : options(options), state(options.stateDir), log(options.log, options.address),
          faults(faults)
    {
    }

    ~Server() { Stop(); }

    bool Start(std::string& error)
    {
        if (!state.Open(options.seed, options.size, error))
            return false;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(options.port);
        if (::inet_pton(AF_INET, options.address.c_str(), &address.sin_addr) != 1) {
            error = "not an IPv4 address: " + options.address;
            return false;
        }
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        // Tests start a box on the same address one after another.
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (listener < 0 ||
            ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 64) != 0) {
            error = "cannot listen on " + options.address + ":" + std::to_string(options.port) +
                    ": " + std::strerror(errno);
            if (listener >= 0)
                ::close(listener);
            listener = -1;
            return false;
        }
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        boundPort = ntohs(address.sin_port);
        log.Note("serving " + options.stateDir.string() + " on port " + std::to_string(boundPort));
        acceptor = std::thread([this] { AcceptLoop(); });
        return true;
    }

    void Stop()
    {
        if (listener < 0)
            return;
        stopping = true;
        ::shutdown(listener, SHUT_RDWR);
        if (acceptor.joinable())
            acceptor.join();
        ::close(listener);
        listener = -1;
        {
            std::lock_guard lock(mutex);
            for (auto& connection : connections)
                if (connection->fd >= 0)
                    ::shutdown(connection->fd, SHUT_RDWR);
        }
        for (auto& connection : connections)
            connection->thread.join();
        connections.clear();
    }

    struct Connection {
        int fd;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop()
    {
        while (!stopping) {
            const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                if (stopping || (errno != EINTR && errno != ECONNABORTED && errno != EMFILE &&
                                 errno != ENFILE && errno != ENOBUFS && errno != ENOMEM))
                    break;
                if (errno != EINTR && errno != ECONNABORTED)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            Reap();
            std::lock_guard lock(mutex);
            if (static_cast<int>(connections.size()) >= options.maxConnections) {
                log.Note("too many connections, one refused");
                ::close(fd);
                continue;
            }
            const int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            auto connection = std::make_unique<Connection>();
            connection->fd = fd;
            Connection* raw = connection.get();
            connection->thread = std::thread([this, raw] { Serve(*raw); });
            connections.push_back(std::move(connection));
        }
    }

    void Serve(Connection& connection)
    {
        {
            BoxSocket socket(connection.fd, options.idleTimeout, stopping);
            SessionContext context{state, faults, log, options.splitPause,
                                   options.emptyUploadPause};
            BoxSession session(socket, context);
            session.Run();
        }
        std::lock_guard lock(mutex);
        ::close(connection.fd);
        connection.fd = -1;
        connection.done = true;
    }

    // Joins the threads of connections that have ended.
    void Reap()
    {
        std::list<std::unique_ptr<Connection>> ended;
        {
            std::lock_guard lock(mutex);
            for (auto it = connections.begin(); it != connections.end();) {
                if ((*it)->done) {
                    ended.push_back(std::move(*it));
                    it = connections.erase(it);
                } else {
                    ++it;
                }
            }
        }
        for (auto& connection : ended)
            connection->thread.join();
    }

    const Options options;
    BoxState state;
    BoxLog log;
    FaultTable& faults;
    std::atomic<bool> stopping{false};
    int listener = -1;
    std::uint16_t boundPort = 0;
    std::thread acceptor;
    std::mutex mutex;
    std::list<std::unique_ptr<Connection>> connections;
};

StbSimulator::StbSimulator(Options options) : options_(std::move(options)) {}

StbSimulator::~StbSimulator()
{
    Stop();
}

bool StbSimulator::Start()
{
    if (server_)
        return true;
    auto server = std::make_unique<Server>(options_, faults_);
    std::string why;
    if (!server->Start(why)) {
        error_ = why;
        if (options_.log)
            *options_.log << "stbsim " << options_.address << ": " << why << std::endl;
        return false;
    }
    error_.clear();
    server_ = std::move(server);
    return true;
}

void StbSimulator::Stop()
{
    if (server_) {
        server_->Stop();
        server_.reset();
    }
}

bool StbSimulator::running() const
{
    return server_ != nullptr;
}
std::string StbSimulator::error() const
{
    return error_;
}
const std::string& StbSimulator::address() const
{
    return options_.address;
}
std::uint16_t StbSimulator::port() const
{
    return server_ ? server_->boundPort : 0;
}

void StbSimulator::SetFault(const std::string& key, Fault fault)
{
    faults_.Set(key, std::move(fault));
}
void StbSimulator::ClearFault(const std::string& key)
{
    faults_.Clear(key);
}
void StbSimulator::ClearFaults()
{
    faults_.ClearAll();
}

ChannelDatabase StbSimulator::Database() const
{
    return server_ ? server_->state.Database() : ChannelDatabase();
}

bool StbSimulator::SetDatabase(const ChannelDatabase& db)
{
    return server_ && server_->state.SetDatabase(db);
}

std::optional<std::string> StbSimulator::MountedDevice() const
{
    if (!server_)
        return std::nullopt;
    const std::optional<Volume> volume = server_->state.Mounted();
    return volume ? std::optional<std::string>(volume->device) : std::nullopt;
}

std::filesystem::path StbSimulator::PartitionFolder(const std::string& device) const
{
    if (!server_)
        return {};
    const std::optional<Volume> volume = server_->state.disks().FindVolume(device);
    return volume ? server_->state.FolderOf(*volume) : std::filesystem::path();
}

std::vector<std::string> StbSimulator::Requests() const
{
    return server_ ? server_->log.Requests() : std::vector<std::string>();
}
