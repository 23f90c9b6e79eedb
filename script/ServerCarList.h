// The game's car identifiers in the order the server-car list shows them. The spelling is the
// game's own ("Cop_Inteceptor", "FemmeFatel") and must not be corrected; the last three entries
// are out of alphabetical order on purpose.
#pragma once

#include <array>
#include <string_view>

namespace zarvex {

inline constexpr std::array<std::string_view, 55> ServerCarList = {
    "BumblyBee", "Cainnie",     "Charger",     "Cop_Inteceptor",
    "copcar",    "Corvette",    "Drag_u_lar",  "DubDub",
    "Ducati996", "Eagle4",      "Eleanor",     "electric_blue",
    "f40",       "FemmeFatel",  "Fortress",    "Funnycar",
    "Garbo",     "GolfCart",    "GreenCusher", "Hold-on",
    "Hummer",    "Interceptor", "Jadead",      "Ka",
    "KingMerc",  "Knave",       "Limey",       "machine",
    "McKilem",   "Mighty_Muff", "MineTruck",   "Mustang",
    "PanVan",    "PedBasher",   "Pigs",        "RubberDuckie",
    "Semi",      "Shark",       "Space Host",  "Sparrow",
    "Starsky",   "Suppressor",  "The_Beast",   "The_New_Suppressor",
    "The_tank",  "TheChef",     "TheWheel",    "TNTUte",
    "ToeCutter", "Tow_Meister", "TrobRod",     "WitchDoctor",
    "Vlad",      "Wraith",      "Vulture",
};

}  // namespace zarvex
