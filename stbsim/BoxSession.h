#pragma once

#include "stbsim/BoxLog.h"
#include "stbsim/BoxSocket.h"
#include "stbsim/BoxState.h"
#include "stbsim/Fault.h"

#include <chrono>
#include <optional>
#include <string>

// A plain decimal count: digits only, at most `max`.
std::optional<std::uint64_t> ParseCount(std::string_view text, std::uint64_t max);

// What a session needs from its server.
struct SessionContext {
    BoxState& state;
    FaultTable& faults;
    BoxLog& log;
    std::chrono::milliseconds splitPause;
    // Between the two "SIG_SET_FILE_OK" of an empty upload nothing comes from the program, so
    // the box waits this long before the second, lest both arrive in one receive.
    std::chrono::milliseconds emptyUploadPause;
};

// One connection's dialogue: each receive is one request, answered before the next is read.
class BoxSession {
public:
    BoxSession(BoxSocket& socket, SessionContext& context);
    BoxSession(const BoxSession&) = delete;
    BoxSession& operator=(const BoxSession&) = delete;

    void Run();

    // Requests are at most this long; a receive that fills the buffer is refused.
    static constexpr std::size_t kRequestBuffer = 4096;

private:
    enum class Next { Continue, Close };

    // A reply as the box would send it, before faults are applied.
    struct Reply {
        enum class Kind { Text, Marked, File, Nothing };
        Kind kind = Kind::Text;
        std::string text;   // Text: the reply; Marked: the text before the marker
        std::string marker; // Marked: the end marker
        bool padWithBlanks = false;
        int fd = -1; // File: an open file, owned by the reply
        std::uint64_t size = 0;
        bool close = false;  // the connection ends after this reply
        std::string outcome; // for the log, when not the text itself

        static Reply Of(std::string text);
        static Reply WithMarker(std::string body, std::string marker, bool padWithBlanks = false);
    };

    Next Handle(const std::string& request);
    // The fault for a request, and for a command line also the one for its verb.
    std::optional<Fault> TakeFault(const std::string& keyword, const std::string& verb,
                                   bool afterData);
    // close, reply and stall: the request is not carried out.
    static bool Refuses(const std::optional<Fault>& fault);
    Next Refuse(const Fault& fault, const std::string& request);
    // Sends the reply, mangled by a short or split fault; logs the request once.
    Next Deliver(Reply reply, const std::optional<Fault>& fault, const std::string& request);
    bool SendFile(int fd, std::uint64_t size, std::uint64_t splitAt);

    Reply Handshake(const std::string& args) const;
    Reply DatabaseSize(ChannelDatabase::File file) const;
    Reply DatabaseImage(ChannelDatabase::File file) const;
    Reply ChannelReport() const;
    Next UploadImage(ChannelDatabase::File file, const std::string& args,
                     const std::string& request, const std::optional<Fault>& fault);
    Reply ApplyUpload();
    Reply StartStream(const std::string& args) const;

    Reply Mount(const std::string& args);
    Reply Unmount();
    Reply DiskInfo() const;
    Reply Listing(const std::string& args) const;
    Reply Command(const std::string& line);
    Reply FileSize(const std::string& args) const;
    Reply FileContent(const std::string& args) const;
    Next UploadFile(const std::string& args, const std::string& request,
                    const std::optional<Fault>& fault);

    BoxSocket& socket_;
    SessionContext& context_;
    StagedImages staged_;
};
