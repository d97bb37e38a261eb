#pragma once

namespace kf {

// Placement of a photo inside its template: offsets in pixels and a turn in
// degrees, all in steps of 5. A larger x or y moves the person left or up.
struct Placement {
    int x = 0; // -160..160
    int y = 0; // -200..200
    int angle = 0; // -360..360
    friend bool operator==(const Placement&, const Placement&) = default;
};

// The seven placement buttons Image2(0..6).
enum class PlacementButton {
    MoveLeft = 0,
    MoveRight = 1,
    MoveUp = 2,
    MoveDown = 3,
    TurnLeft = 4,
    Reset = 5,
    TurnRight = 6,
};
inline constexpr int kPlacementButtons = 7;

inline constexpr int kPlacementStep = 5;
inline constexpr int kMaxOffsetX = 160;
inline constexpr int kMaxOffsetY = 200;
inline constexpr int kFullTurn = 360;

// One press of a placement button. A move stops at its limit; a turn past
// a full turn wraps (360 + 5 gives 5, -360 - 5 gives -5).
Placement placementStep(Placement p, PlacementButton button);

} // namespace kf
