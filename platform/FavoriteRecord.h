// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentravolix::platform {

/** One favourite virtual machine. DisplayName is its identity (exact, case-sensitive). */
struct FavoriteRecord {
    std::string DisplayName;
    std::string VmxPath;            ///< full path of the .vmx file
    std::int16_t ConfigVersion = 0; ///< below 8 is the older configuration format
    bool OpenInTab = false;         ///< never stored; false after loading

    bool operator==(const FavoriteRecord&) const = default;
};

/** UpdateFavorite when a record of that DisplayName exists, otherwise appends the record. */
void AddFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record);
/** Overwrites all fields of the first record with the same DisplayName; false when there is none. */
bool UpdateFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record);
/** Removes the first record with the same DisplayName, keeping the others' order; false when none. */
bool RemoveFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record);

} // namespace zentravolix::platform
