#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// One 64-byte channel record. Fields the program does not interpret keep their bytes.
class ChannelInfo {
public:
    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kNameOffset = 38;
    static constexpr std::size_t kNameSize = 26;

    enum Type : std::uint8_t { kSdtv = 0, kRadio = 1, kHdtv = 2 };

    ChannelInfo() = default;
    explicit ChannelInfo(std::span<const std::uint8_t, kSize> bytes);

    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }

    std::uint16_t satelliteId() const; // 0 never occurs in a live record
    void setSatelliteId(std::uint16_t id);
    std::uint16_t transponderId() const;
    void setTransponderId(std::uint16_t id);
    std::uint16_t serviceId() const;
    void setServiceId(std::uint16_t id);
    std::uint16_t pmtPid() const;
    void setPmtPid(std::uint16_t pid);
    std::uint16_t videoPid() const;
    void setVideoPid(std::uint16_t pid);
    std::uint16_t audioPid() const;
    void setAudioPid(std::uint16_t pid);
    std::uint16_t pcrPid() const;
    void setPcrPid(std::uint16_t pid);
    // Words at 14, 16, 18: set by the box; a channel made on the PC gets 0xFFFF, 0xFFFF, 0.
    std::uint16_t word14() const;
    void setWord14(std::uint16_t value);
    std::uint16_t word16() const;
    void setWord16(std::uint16_t value);
    std::uint16_t word18() const;
    void setWord18(std::uint16_t value);
    std::uint32_t casMask() const; // 0 = free to air
    void setCasMask(std::uint32_t mask);
    std::uint8_t type() const;
    void setType(std::uint8_t type);
    std::uint8_t lock() const; // 1 = parental lock
    void setLock(std::uint8_t lock);
    std::uint16_t key() const; // unique in the table; user lists are re-mapped by it
    void setKey(std::uint16_t key);

    // Radio when the type is odd, TV when it is even.
    bool isRadio() const { return (type() & 1) != 0; }
    bool isHd() const { return type() == kHdtv; }

    // The stored name bytes up to the first NUL (at most 26, selector byte included).
    std::string name() const;
    // Writes at most 25 bytes and NUL-fills the rest of the field.
    void setName(std::string_view bytes);
    // The name without its character-table selector byte (0x01..0x1F), still undecoded.
    std::string visibleName() const;
    // The selector byte, or 0 when the name has none.
    std::uint8_t selector() const;

    bool operator==(const ChannelInfo&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

// True for the character-table selector bytes that may open a name.
inline bool IsSelectorByte(std::uint8_t byte) { return byte >= 0x01 && byte <= 0x1F; }
