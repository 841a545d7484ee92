// The atlas place nearest to a point, for persons that come with coordinates only (imports).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kyr {

class TDataCollection;

struct TNearPlace {
    std::string StateName;
    std::string PlaceName;
    double DistanceKm = 0;
};

/// Every place of the atlas with its state's name, read once and kept in latitude order.
class TPlaceFinder {
public:
    /// Reads PLACES and STATES; finds nothing when either is closed.
    explicit TPlaceFinder(TDataCollection &data);

    /// The place nearest to the point by great-circle distance, when it lies within maxKm.
    /// Coordinates as the tables hold them: ±(degrees·100 + minutes), north and west positive.
    std::optional<TNearPlace> Nearest(long long latitude, long long longitude,
                                      double maxKm = 25) const;

private:
    struct TEntry {
        double Latitude, Longitude; ///< radians, north and west positive
        int State;                  ///< index into FStates
        std::string PlaceName;
    };
    std::vector<std::string> FStates;
    std::vector<TEntry> FPlaces; ///< by latitude
};

} // namespace kyr
