#include "NearestPlace.h"

#include "DataCollection.h"
#include "IndexScope.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>

namespace kyr {

namespace {

constexpr double EarthRadiusKm = 6371.0;

double Radians(long long degreesMinutes) {
    const long long magnitude = std::llabs(degreesMinutes);
    const double degrees = static_cast<double>(magnitude / 100) + (magnitude % 100) / 60.0;
    return (degreesMinutes < 0 ? -degrees : degrees) * std::numbers::pi / 180;
}

// Haversine: well-conditioned for the short distances asked about here.
double DistanceKm(double lat1, double lon1, double lat2, double lon2) {
    const double a = std::pow(std::sin((lat2 - lat1) / 2), 2) +
                     std::cos(lat1) * std::cos(lat2) * std::pow(std::sin((lon2 - lon1) / 2), 2);
    return 2 * EarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

} // namespace

TPlaceFinder::TPlaceFinder(TDataCollection &data) {
    TKyrTable &states = data.StatesTable;
    TKyrTable &places = data.PlacesTable;
    if (!states.Active() || !places.Active())
        return;
    std::map<std::string, int> stateIndex;
    {
        TIndexScope scope(states, "");
        for (states.First(); !states.Eof(); states.Next()) {
            stateIndex.emplace(states.FieldByName("StateID").AsString(),
                               static_cast<int>(FStates.size()));
            FStates.push_back(states.FieldByName("StateName").AsString());
        }
    }
    TIndexScope scope(places, "");
    for (places.First(); !places.Eof(); places.Next()) {
        const auto state = stateIndex.find(places.FieldByName("StateID").AsString());
        if (state == stateIndex.end())
            continue;
        FPlaces.push_back({Radians(places.FieldByName("Latitude").AsInteger()),
                           Radians(places.FieldByName("Longitude").AsInteger()), state->second,
                           places.FieldByName("PlaceName").AsString()});
    }
    std::ranges::sort(FPlaces, {}, &TEntry::Latitude);
}

std::optional<TNearPlace> TPlaceFinder::Nearest(long long latitude, long long longitude,
                                                double maxKm) const {
    const double lat = Radians(latitude), lon = Radians(longitude);
    // Only places within maxKm of latitude can be within maxKm at all.
    const double band = maxKm / EarthRadiusKm;
    const auto first = std::ranges::lower_bound(FPlaces, lat - band, {}, &TEntry::Latitude);
    const auto last = std::ranges::upper_bound(FPlaces, lat + band, {}, &TEntry::Latitude);
    const TEntry *best = nullptr;
    double bestKm = maxKm;
    for (auto it = first; it != last; ++it) {
        const double km = DistanceKm(lat, lon, it->Latitude, it->Longitude);
        if (km <= bestKm) {
            bestKm = km;
            best = &*it;
        }
    }
    if (!best)
        return std::nullopt;
    return TNearPlace{FStates[best->State], best->PlaceName, bestKm};
}

} // namespace kyr
