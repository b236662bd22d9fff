#include "chdb/ChannelReport.h"

#include "util/Decimal.h"
#include "util/ParseHex.h"
#include "util/SplitFields.h"

#include <fstream>
#include <sstream>

namespace {

constexpr std::size_t kPieceLength = 1022;

std::string Cut(std::string text, std::size_t fieldSize)
{
    if (text.size() > fieldSize - 1)
        text.resize(fieldSize - 1);
    return text;
}

// The fields before the last `tail` ones, joined again: a name may itself contain ':'.
std::string JoinHead(const std::vector<std::string>& fields, std::size_t tail)
{
    std::string head;
    for (std::size_t i = 0; i + tail < fields.size(); ++i) {
        if (i > 0)
            head += ':';
        head += fields[i];
    }
    return head;
}

class ReportParser {
public:
    // Returns false once the end marker is met.
    bool Line(std::string_view line)
    {
        if (line == "SIG_CHN_END") {
            report_.valid = true;
            return false;
        }
        const std::size_t bar = line.find('|');
        if (bar != std::string_view::npos && bar >= 1) {
            const std::vector<std::string> fields = SplitFields(line, "|");
            const int count = ParseDecimal(fields.size() > 1 ? fields[1] : std::string());
            remaining_ = count > 0 ? count : 0;
            section_ = fields[0] == "SIG_SAT_LIST_START"   ? Section::Satellites
                       : fields[0] == "SIG_CAS_LIST_START" ? Section::Cas
                                                           : Section::None;
            return true;
        }
        if (section_ == Section::None || remaining_ == 0)
            return true;
        const std::vector<std::string> fields = SplitFields(line, ":");
        if (section_ == Section::Satellites && fields.size() >= 3) {
            report_.satellites.push_back({Cut(JoinHead(fields, 2), SatListEntry::kNameSize),
                                          ParseHex16(fields[fields.size() - 2]),
                                          ParseDecimal(fields.back())});
            --remaining_;
        } else if (section_ == Section::Cas && fields.size() >= 2) {
            report_.cas.push_back({Cut(JoinHead(fields, 1), CasEntry::kNameSize), ParseHex(fields.back())});
            --remaining_;
        }
        return true;
    }

    ChannelReport Take() { return std::move(report_); }

private:
    enum class Section { None, Satellites, Cas };
    Section section_ = Section::None;
    int remaining_ = 0;
    ChannelReport report_;
};

} // namespace

ChannelReport ParseChannelReport(std::istream& in)
{
    // Mirrors reading through a 1023-byte line buffer: pieces of at most 1022 bytes, the line
    // feed removed; the rest of a longer line comes as the next piece.
    ReportParser parser;
    char piece[kPieceLength + 1];
    while (in.getline(piece, sizeof piece) || (in.fail() && !in.eof() && in.gcount() > 0)) {
        in.clear(in.rdstate() & ~std::ios::failbit);
        // The line ends at a NUL, as a C string would.
        if (!parser.Line(std::string_view(piece)))
            break;
    }
    return parser.Take();
}

ChannelReport ParseChannelReport(std::string_view text)
{
    std::istringstream in{std::string(text)};
    return ParseChannelReport(in);
}

ChannelReport ParseChannelReportFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return ParseChannelReport(in);
}
