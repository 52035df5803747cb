// The input-result area `res`: the last 172 bytes of the state record, filled by the host
// after a request. Fields are packed. The table is the 32-bit layout; on 64-bit targets an
// address takes 8 bytes, which moves the fields that follow the text address of
// callDGetstr255 and widens the address of menuGetMode to offsets 82..89.
//
// Every offset of `res` is spelled here and nowhere else; both sides use these accessors.
#pragma once

#include "host/host_types.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qx::host {

inline constexpr std::size_t kResSize = 172;
inline constexpr std::size_t kAddrSize = sizeof(void*);

namespace res_ofs {
// getesc
inline constexpr std::size_t kEscKey = 1;
// getpointp
inline constexpr std::size_t kPointKind = 0;
inline constexpr std::size_t kPointX = 1;
inline constexpr std::size_t kPointY = 9;
inline constexpr std::size_t kPointKey = 25;
// callDGetstr255
inline constexpr std::size_t kStrAddr = 0;
inline constexpr std::size_t kStrSize = kAddrSize;
inline constexpr std::size_t kStrKind = kAddrSize + 4;
inline constexpr std::size_t kStrKey = kAddrSize + 5;
// menuGetMode
inline constexpr std::size_t kModeInfoAddr = 82;
inline constexpr std::size_t kModeKind = 90;
inline constexpr std::size_t kModeKey = 91;
static_assert(kModeInfoAddr + kAddrSize <= kModeKind);
} // namespace res_ofs

// Result kinds.
inline constexpr std::uint8_t kResultPoint = 0;     // getpointp: a point was picked
inline constexpr std::uint8_t kResultSelection = 0; // menuGetMode: a selection was completed
inline constexpr std::uint8_t kResultAccepted = 0;  // callDGetstr255: the text was accepted
inline constexpr std::uint8_t kResultKey = 2;       // a key was pressed

// Typed, unaligned access to `res`.
class Res {
public:
    explicit Res(void* area) : p_(static_cast<std::uint8_t*>(area)) {}

    // After getesc.
    std::int32_t escKey() const { return i32At(res_ofs::kEscKey); }
    void setEscKey(std::int32_t key) { setI32(res_ofs::kEscKey, key); }

    // After getpointp.
    std::uint8_t pointKind() const { return p_[res_ofs::kPointKind]; }
    point pickedPoint() const { return {f64At(res_ofs::kPointX), f64At(res_ofs::kPointY), 0}; }
    std::int32_t pointKey() const { return i32At(res_ofs::kPointKey); }
    void setPoint(double x, double y) {
        p_[res_ofs::kPointKind] = kResultPoint;
        setF64(res_ofs::kPointX, x);
        setF64(res_ofs::kPointY, y);
    }
    void setPointKey(std::int32_t key) {
        p_[res_ofs::kPointKind] = kResultKey;
        setI32(res_ofs::kPointKey, key);
    }

    // After callDGetstr255.
    std::uint8_t strKind() const { return p_[res_ofs::kStrKind]; }
    std::int32_t strKey() const { return i32At(res_ofs::kStrKey); }
    const str255* strAddr() const { return static_cast<const str255*>(ptrAt(res_ofs::kStrAddr)); }
    std::int32_t strSize() const { return i32At(res_ofs::kStrSize); }
    void setStrAccepted(const str255* text, std::int32_t size) {
        setPtr(res_ofs::kStrAddr, text);
        setI32(res_ofs::kStrSize, size);
        p_[res_ofs::kStrKind] = kResultAccepted;
    }
    void setStrKey(std::int32_t key) {
        p_[res_ofs::kStrKind] = kResultKey;
        setI32(res_ofs::kStrKey, key);
    }

    // After menuGetMode.
    std::uint8_t modeKind() const { return p_[res_ofs::kModeKind]; }
    std::int32_t modeKey() const { return i32At(res_ofs::kModeKey); }
    const void* modeInfoAddr() const { return ptrAt(res_ofs::kModeInfoAddr); }
    void setModeSelection(const void* infoRecord) {
        setPtr(res_ofs::kModeInfoAddr, infoRecord);
        p_[res_ofs::kModeKind] = kResultSelection;
    }
    void setModeKey(std::int32_t key) {
        p_[res_ofs::kModeKind] = kResultKey;
        setI32(res_ofs::kModeKey, key);
    }

    void clear() { std::memset(p_, 0, kResSize); }

private:
    std::int32_t i32At(std::size_t o) const { return load<std::int32_t>(o); }
    double f64At(std::size_t o) const { return load<double>(o); }
    const void* ptrAt(std::size_t o) const { return load<const void*>(o); }
    void setI32(std::size_t o, std::int32_t v) { store(o, v); }
    void setF64(std::size_t o, double v) { store(o, v); }
    void setPtr(std::size_t o, const void* v) { store(o, v); }

    template <class T> T load(std::size_t o) const {
        T v;
        std::memcpy(&v, p_ + o, sizeof v);
        return v;
    }
    template <class T> void store(std::size_t o, T v) { std::memcpy(p_ + o, &v, sizeof v); }

    std::uint8_t* p_;
};

} // namespace qx::host
