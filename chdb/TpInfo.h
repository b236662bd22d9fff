#pragma once

#include <array>
#include <cstdint>
#include <span>

// One 36-byte transponder record. Bytes 4..27 and 35 are carried along untouched.
class TpInfo {
public:
    static constexpr std::size_t kSize = 36;
    static constexpr std::uint16_t kNoId = 0xFFFF; // created on the PC, no id yet

    TpInfo() = default;
    explicit TpInfo(std::span<const std::uint8_t, kSize> bytes);

    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }

    std::uint16_t id() const;
    void setId(std::uint16_t id);
    std::uint16_t satelliteId() const;
    void setSatelliteId(std::uint16_t id);
    std::uint16_t frequency() const; // MHz
    void setFrequency(std::uint16_t mhz);
    std::uint16_t symbolRate() const; // kS/s
    void setSymbolRate(std::uint16_t rate);
    // FEC choice index; DVB-S2 choices are stored with 6 added.
    std::uint8_t fec() const;
    void setFec(std::uint8_t code);
    std::uint8_t polarization() const; // 0 vertical, 1 horizontal
    void setPolarization(std::uint8_t polarization);
    std::uint8_t pilot() const; // 0 on, 1 off, 2 ignore
    void setPilot(std::uint8_t pilot);

    bool operator==(const TpInfo&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};
