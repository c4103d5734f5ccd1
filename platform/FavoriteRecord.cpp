// SPDX-License-Identifier: MIT
#include "platform/FavoriteRecord.h"

#include <algorithm>

namespace zentravolix::platform {

namespace {
auto findByName(std::vector<FavoriteRecord>& favorites, const std::string& name)
{
    return std::find_if(favorites.begin(), favorites.end(),
                        [&](const FavoriteRecord& r) { return r.DisplayName == name; });
}
} // namespace

void AddFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record)
{
    if (!UpdateFavorite(favorites, record))
        favorites.push_back(record);
}

bool UpdateFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record)
{
    const auto it = findByName(favorites, record.DisplayName);
    if (it == favorites.end())
        return false;
    *it = record;
    return true;
}

bool RemoveFavorite(std::vector<FavoriteRecord>& favorites, const FavoriteRecord& record)
{
    const auto it = findByName(favorites, record.DisplayName);
    if (it == favorites.end())
        return false;
    favorites.erase(it);
    return true;
}

} // namespace zentravolix::platform
