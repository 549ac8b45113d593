#pragma once

// The five lists of the search window's drop-down boxes, in the one order the program and its
// import program keep them.
enum class ListKind
{
    HouseReferences,
    Descriptions,
    CompetitorReferences,
    Families,
    Manufacturers,
};

inline constexpr int kListKinds = 5;
