// SPDX-License-Identifier: MIT
#include "detail/ItemAccess.h"

#include <array>
#include <cstdio>
#include <random>

namespace tarvonel::detail {

std::string NewUniqueID()
{
    std::array<unsigned char, 16> bytes{};
    try {
        static thread_local std::mt19937_64 engine{[] {
            std::random_device device;
            std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
            return std::mt19937_64(seed);
        }()};
        for (std::size_t i = 0; i < bytes.size(); i += 8) {
            std::uint64_t word = engine();
            for (std::size_t j = 0; j < 8; ++j, word >>= 8)
                bytes[i + j] = static_cast<unsigned char>(word & 0xFF);
        }
    } catch (const std::exception&) {
        return {}; // no random source: the item is added with an empty ID
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant

    static constexpr char digits[] = "0123456789ABCDEF";
    std::string id;
    id.reserve(32);
    for (unsigned char b : bytes) {
        id.push_back(digits[b >> 4]);
        id.push_back(digits[b & 0x0F]);
    }
    return id;
}

} // namespace tarvonel::detail
