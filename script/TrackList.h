// The game's track identifiers in the order the track list shows them. They are the game's own
// names and go into the script letter for letter.
#pragma once

#include <array>
#include <string_view>

namespace zarvex {

inline constexpr std::array<std::string_view, 36> TrackList = {
    "Arena",
    "CarPark",
    "Bulldogs",
    "HiRise_Multiplayer",
    "Refinery",
    "Warehouse",
    "StuntPark",
    "BombMulti",
    "DirtTrack",
    "Hollowood_Race1",
    "Hollowood_Race2",
    "Hollowood_Race3",
    "Slums_Race1",
    "Slums_Race2",
    "Slums_Race3",
    "DocksMD_Race1",
    "DocksMD_Race2",
    "DocksMD_Race3",
    "HiRise_Race1",
    "HiRise_Race2",
    "HiRise_Race3",
    "MilitaryMD_Race1",
    "MilitaryMD_Race2",
    "MilitaryMD_Race3",
    "BackOfBeyond_Race1",
    "BackOfBeyond_Race2",
    "BackOfBeyond_Race3",
    "Necropolis_Race1",
    "Necropolis_Race2",
    "Necropolis_Race3",
    "PoliceState_Race1",
    "PoliceState_Race2",
    "PoliceState_Race3",
    "Super Speedway",
    "Super Speedway_Race1",
    "Footy",
};

}  // namespace zarvex
