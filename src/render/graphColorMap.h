// Colour by height: a perceptually uniform map from dark violet (lowest) through blue and
// green to yellow (highest), and the height range a scene's surfaces are coloured over.
#pragma once

#include <array>

// The map's colour at f in 0..1 as red, green, blue in 0..1; f outside 0..1 (or NaN) takes
// the nearer end (NaN the low end).
std::array<float, 3> graphViridis(double f);

// Whether surfaces take their colour from their height, and over which heights: z = low
// gets the map's first colour and z = high its last. A range without extent (or not
// finite) colours everything with the middle of the map.
struct graphHeightColoring {
    bool on = false;
    float low = 0.0f, high = 0.0f;

    std::array<float, 3> colorAt(double z) const;
};
