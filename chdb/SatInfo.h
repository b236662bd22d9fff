#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// One 42-byte satellite record, copied out of or into the satellite table. Bytes without a
// field here (29, 35, 41) are carried along untouched.
class SatInfo {
public:
    static constexpr std::size_t kSize = 42;
    static constexpr std::size_t kNameSize = 24;
    static constexpr std::uint8_t kNoPositioner = 255;

    SatInfo() = default;
    explicit SatInfo(std::span<const std::uint8_t, kSize> bytes);

    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }

    std::uint16_t id() const;
    void setId(std::uint16_t id);
    // Name bytes up to the first NUL (at most 23 are written, the field always keeps a NUL).
    std::string name() const;
    void setName(std::string_view name);
    // Tenths of a degree; West is stored as 3600 - value.
    std::uint16_t position() const;
    void setPosition(std::uint16_t position);
    std::uint8_t lnbType() const;
    void setLnbType(std::uint8_t type);
    std::uint16_t lnbLow() const;
    void setLnbLow(std::uint16_t mhz);
    std::uint16_t lnbHigh() const;
    void setLnbHigh(std::uint16_t mhz);
    std::uint8_t tone22k() const;
    void setTone22k(std::uint8_t mode);
    std::uint8_t diseqc() const;
    void setDiseqc(std::uint8_t mode);
    std::uint8_t diseqc11Port() const;
    void setDiseqc11Port(std::uint8_t port);
    std::uint8_t lnbPower() const;
    void setLnbPower(std::uint8_t mode);
    std::uint8_t transponderCount() const;
    void setTransponderCount(std::uint8_t count);
    std::uint8_t positioner() const;
    void setPositioner(std::uint8_t position);

    bool operator==(const SatInfo&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};
