#pragma once

namespace Core {
namespace Operations {

// The process types of process lists, as their files number them. A class
// that hands out these names (the list entry) derives from it.
struct BatchType
{
    enum Type : int {
        Photolithography = 0,
        SiWetEtching = 1,
        MooreDeposition = 2,
        MooreEtching = 3,
        Cvd = 4,
        IsotropicEtching = 5,
        Planarization = 6,
        Electroplating = 7,
        Doping = 8,
        SpinCoating = 9,
        SaveImage = 10,
        CreateSubstrate = 11,
        Pvd = 12,
        SimpleRie = 13,
        IonImplantation = 14,
        SiOxidation = 15,
        Unknown = 16,
    };
};

// How process lists name one type of entry: the name the list shows, the
// text of its "add" choice and that choice's place among the others
// (counted from 1).
struct BatchEntryKind
{
    // The type of a process that process lists cannot hold.
    static constexpr int NoEntry = -1;

    int type;
    const char *shownName;
    const char *addChoice;
    int addPosition;
};

} // namespace Operations
} // namespace Core
