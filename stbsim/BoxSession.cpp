#include "stbsim/BoxSession.h"

#include "stbsim/ChannelReportText.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

constexpr const char* kHandshake = "0xdeadc0ff:0xdeadc011:13:9999";

// Keywords that take no arguments must come bare; the others are split at the first "|".
struct Split {
    std::string keyword;
    std::string args;
    bool hasArgs = false;
};

Split SplitRequest(const std::string& request)
{
    const std::size_t bar = request.find('|');
    if (bar == std::string::npos)
        return {request, {}, false};
    return {request.substr(0, bar), request.substr(bar + 1), true};
}

bool IsBinary(const std::string& request)
{
    return std::any_of(request.begin(), request.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

int FileIndex(ChannelDatabase::File file)
{
    return file == ChannelDatabase::kChData ? 0 : file == ChannelDatabase::kChIdx ? 1 : 2;
}

std::size_t ImageSize(ChannelDatabase::File file)
{
    return file == ChannelDatabase::kChData  ? ChannelDatabase::kChDataSize
           : file == ChannelDatabase::kChIdx ? ChannelDatabase::kChIdxSize
                                             : ChannelDatabase::kMenuDataSize;
}

std::string Describe(const std::string& text)
{
    return text.size() <= 40 ? BoxLog::Printable(text) : std::to_string(text.size()) + " bytes";
}

} // namespace

std::optional<std::uint64_t> ParseCount(std::string_view text, std::uint64_t max)
{
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

BoxSession::Reply BoxSession::Reply::Of(std::string text)
{
    Reply reply;
    reply.text = std::move(text);
    return reply;
}

BoxSession::Reply BoxSession::Reply::WithMarker(std::string body, std::string marker,
                                                bool padWithBlanks)
{
    Reply reply;
    reply.kind = Kind::Marked;
    reply.text = std::move(body);
    reply.marker = std::move(marker);
    reply.padWithBlanks = padWithBlanks;
    return reply;
}

BoxSession::BoxSession(BoxSocket& socket, SessionContext& context)
    : socket_(socket), context_(context)
{
}

void BoxSession::Run()
{
    std::vector<char> buffer(kRequestBuffer);
    for (;;) {
        const long n = socket_.Receive(buffer);
        if (n <= 0)
            break;
        const std::string request(buffer.data(), static_cast<std::size_t>(n));
        if (static_cast<std::size_t>(n) >= kRequestBuffer || IsBinary(request)) {
            // Framing is lost: say so once and end the connection.
            context_.log.Request(request, "refused (over-long or binary), closed");
            socket_.Send("SIG_REQUEST_ERROR");
            break;
        }
        if (Handle(request) == Next::Close)
            break;
    }
    socket_.Close();
}

std::optional<Fault> BoxSession::TakeFault(const std::string& keyword, const std::string& verb,
                                           bool afterData)
{
    if (!verb.empty())
        if (std::optional<Fault> fault = context_.faults.Take(keyword + ":" + verb, afterData))
            return fault;
    return context_.faults.Take(keyword, afterData);
}

bool BoxSession::Refuses(const std::optional<Fault>& fault)
{
    return fault && (fault->kind == Fault::Kind::Close || fault->kind == Fault::Kind::Reply ||
                     fault->kind == Fault::Kind::Stall || fault->kind == Fault::Kind::Hostile);
}

BoxSession::Next BoxSession::Refuse(const Fault& fault, const std::string& request)
{
    context_.log.Request(request, "fault " + fault.Describe());
    switch (fault.kind) {
    case Fault::Kind::Reply:
        return socket_.Send(fault.text) ? Next::Continue : Next::Close;
    case Fault::Kind::Stall:
        socket_.WaitForClose();
        return Next::Close;
    case Fault::Kind::Hostile:
        return socket_.SendWithMarker(kHostileListing, "SIG_DISK_FILE_INFO_END", false)
                   ? Next::Continue
                   : Next::Close;
    default:
        return Next::Close;
    }
}

BoxSession::Next BoxSession::Handle(const std::string& request)
{
    const Split split = SplitRequest(request);
    const std::string& keyword = split.keyword;
    std::string verb;
    if (keyword == "SIG_COMMAND_START")
        verb = split.args.substr(0, split.args.find_first_of(" \t"));
    const std::optional<Fault> fault = TakeFault(keyword, verb, false);
    if (Refuses(fault))
        return Refuse(*fault, request);

    using F = ChannelDatabase::File;
    // Requests that take no arguments.
    if (!split.hasArgs) {
        if (keyword == "SIG_INFO_CHDATA")
            return Deliver(DatabaseSize(F::kChData), fault, request);
        if (keyword == "SIG_INFO_CHINDEX")
            return Deliver(DatabaseSize(F::kChIdx), fault, request);
        if (keyword == "SIG_INFO_MENUDATA")
            return Deliver(DatabaseSize(F::kMenuData), fault, request);
        if (keyword == "SIG_GET_CHDATA")
            return Deliver(DatabaseImage(F::kChData), fault, request);
        if (keyword == "SIG_GET_CHINDEX")
            return Deliver(DatabaseImage(F::kChIdx), fault, request);
        if (keyword == "SIG_GET_MENUDATA")
            return Deliver(DatabaseImage(F::kMenuData), fault, request);
        if (keyword == "SIG_CHN_START")
            return Deliver(ChannelReport(), fault, request);
        if (keyword == "SIG_UPDATE_CHANNEL")
            return Deliver(ApplyUpload(), fault, request);
        if (keyword == "SIG_GET_DISK_INFO")
            return Deliver(DiskInfo(), fault, request);
        if (keyword == "SIG_MOUNT_END")
            return Deliver(Unmount(), fault, request);
    } else {
        const std::string& args = split.args;
        if (keyword == "SIG_BACKUP_DATA_CHECK")
            return Deliver(Handshake(args), fault, request);
        if (keyword == "SIG_SET_CHDATA")
            return UploadImage(F::kChData, args, request, fault);
        if (keyword == "SIG_SET_CHINDEX")
            return UploadImage(F::kChIdx, args, request, fault);
        if (keyword == "SIG_SET_MENUDATA")
            return UploadImage(F::kMenuData, args, request, fault);
        if (keyword == "SIG_STR_START")
            return Deliver(StartStream(args), fault, request);
        if (keyword == "SIG_MOUNT_START")
            return Deliver(Mount(args), fault, request);
        if (keyword == "SIG_GET_DISK_FILE_INFO")
            return Deliver(Listing(args), fault, request);
        if (keyword == "SIG_COMMAND_START")
            return Deliver(Command(args), fault, request);
        if (keyword == "SIG_GET_FILE_INFO")
            return Deliver(FileSize(args), fault, request);
        if (keyword == "SIG_GET_FILE_START")
            return Deliver(FileContent(args), fault, request);
        if (keyword == "SIG_SET_FILE_START")
            return UploadFile(args, request, fault);
    }
    if (keyword == "SIG_BACKUP_DATA_CHECK")
        return Deliver(Handshake(""), fault, request);
    return Deliver(Reply::Of("SIG_REQUEST_ERROR"), fault, request);
}

BoxSession::Next BoxSession::Deliver(Reply reply, const std::optional<Fault>& fault,
                                     const std::string& request)
{
    struct FileCloser {
        int fd;
        ~FileCloser()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } closer{reply.fd};

    std::string outcome =
        !reply.outcome.empty()            ? reply.outcome
        : reply.kind == Reply::Kind::Text ? Describe(reply.text)
        : reply.kind == Reply::Kind::Marked
            ? std::to_string(reply.text.size()) + " bytes + " + BoxLog::Printable(reply.marker)
        : reply.kind == Reply::Kind::File ? std::to_string(reply.size) + " bytes"
                                          : "closed";
    if (fault)
        outcome += " [fault " + fault->Describe() + "]";
    context_.log.Request(request, outcome);

    if (reply.kind == Reply::Kind::Nothing)
        return Next::Close;
    if (reply.kind == Reply::Kind::File) {
        if (fault && fault->kind == Fault::Kind::Short) {
            const std::uint64_t sent =
                reply.size - std::min<std::uint64_t>(reply.size, fault->withheld);
            SendFile(reply.fd, sent, sent);
            return Next::Close;
        }
        const bool split = fault && fault->kind == Fault::Kind::Split;
        if (!SendFile(reply.fd, reply.size, split ? reply.size / 2 : reply.size))
            return Next::Close;
        return reply.close ? Next::Close : Next::Continue;
    }

    if (!fault) {
        const bool sent =
            reply.kind == Reply::Kind::Marked
                ? socket_.SendWithMarker(std::move(reply.text), reply.marker, reply.padWithBlanks)
                : socket_.Send(reply.text);
        return sent && !reply.close ? Next::Continue : Next::Close;
    }
    const std::string bytes = reply.text + reply.marker;
    if (fault->kind == Fault::Kind::Short) {
        socket_.Send(std::string_view(bytes).substr(
            0, bytes.size() - std::min(bytes.size(), fault->withheld)));
        return Next::Close;
    }
    // Split: two writes with a pause, so the reader sees two receives.
    const std::size_t half = bytes.size() / 2;
    if (!socket_.Send(std::string_view(bytes).substr(0, half)))
        return Next::Close;
    socket_.Pause(context_.splitPause);
    if (!socket_.Send(std::string_view(bytes).substr(half)))
        return Next::Close;
    return reply.close ? Next::Close : Next::Continue;
}

bool BoxSession::SendFile(int fd, std::uint64_t size, std::uint64_t splitAt)
{
    std::vector<char> buffer(64 * 1024);
    std::uint64_t sent = 0;
    while (sent < size) {
        std::uint64_t want = std::min<std::uint64_t>(buffer.size(), size - sent);
        if (sent < splitAt)
            want = std::min(want, splitAt - sent);
        const ssize_t n = ::read(fd, buffer.data(), static_cast<std::size_t>(want));
        if (n <= 0)
            return false; // the file shrank: the reader sees a closed connection
        if (!socket_.Send(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
            return false;
        sent += static_cast<std::uint64_t>(n);
        if (sent == splitAt && sent < size)
            socket_.Pause(context_.splitPause);
    }
    return true;
}

BoxSession::Reply BoxSession::Handshake(const std::string& args) const
{
    return Reply::Of(args == kHandshake ? "SIG_BACKUP_DATA_OK" : "SIG_BACKUP_DATA_ERROR");
}

BoxSession::Reply BoxSession::DatabaseSize(ChannelDatabase::File file) const
{
    return Reply::Of(std::to_string(ImageSize(file)));
}

BoxSession::Reply BoxSession::DatabaseImage(ChannelDatabase::File file) const
{
    const std::vector<std::uint8_t> image = context_.state.Image(file);
    Reply reply = Reply::Of(std::string(image.begin(), image.end()));
    reply.outcome = std::to_string(image.size()) + " bytes";
    return reply;
}

BoxSession::Reply BoxSession::ChannelReport() const
{
    // Built from the database as it is now, so an applied upload shows at once.
    return Reply::WithMarker(BuildChannelReportBody(context_.state.Database()), kChannelReportEnd);
}

BoxSession::Next BoxSession::UploadImage(ChannelDatabase::File file, const std::string& args,
                                         const std::string& request,
                                         const std::optional<Fault>& fault)
{
    const std::size_t size = ImageSize(file);
    const std::optional<std::uint64_t> announced = ParseCount(args, size);
    if (!announced || *announced != size)
        return Deliver(Reply::Of("SIG_UPDATE_ERROR"), fault, request);
    if (Deliver(Reply::Of("SIG_UPDATE_OK"), fault, request) == Next::Close)
        return Next::Close;

    std::vector<std::uint8_t> bytes;
    bytes.reserve(size);
    const bool complete = socket_.ReceiveExact(size, [&](std::span<const char> piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    });
    const std::string stored = BoxLog::Printable(request) + " data";
    if (!complete) {
        // A broken upload leaves nothing staged: the connection, and its staging, end here.
        context_.log.Request(stored,
                             "incomplete after " + std::to_string(bytes.size()) + " bytes, closed");
        return Next::Close;
    }
    const std::optional<Fault> after = TakeFault(SplitRequest(request).keyword, "", true);
    if (Refuses(after))
        return Refuse(*after, stored);
    staged_[static_cast<std::size_t>(FileIndex(file))] = std::move(bytes);
    return Deliver(Reply::Of("SIG_UPDATE_OK"), after, stored);
}

BoxSession::Reply BoxSession::ApplyUpload()
{
    const bool any =
        std::any_of(staged_.begin(), staged_.end(), [](const auto& s) { return s.has_value(); });
    if (!any || !context_.state.Apply(staged_))
        return Reply::Of("SIG_UPDATE_ERROR");
    staged_ = {};
    return Reply::Of("SIG_UPDATE_OK");
}

BoxSession::Reply BoxSession::StartStream(const std::string& args) const
{
    const std::optional<std::uint64_t> index = ParseCount(args, ChannelDatabase::kMaxChannels);
    const bool valid = index && *index < static_cast<std::uint64_t>(context_.state.ChannelCount());
    return Reply::Of(valid ? "SIG_STR_SUCCESS" : "SIG_STR_ERROR");
}
