#include "placement.h"

namespace kf {

Placement placementStep(Placement p, PlacementButton button)
{
    switch (button) {
    case PlacementButton::MoveLeft:
        if (p.x < kMaxOffsetX)
            p.x += kPlacementStep;
        break;
    case PlacementButton::MoveRight:
        if (p.x > -kMaxOffsetX)
            p.x -= kPlacementStep;
        break;
    case PlacementButton::MoveUp:
        if (p.y < kMaxOffsetY)
            p.y += kPlacementStep;
        break;
    case PlacementButton::MoveDown:
        if (p.y > -kMaxOffsetY)
            p.y -= kPlacementStep;
        break;
    case PlacementButton::TurnLeft:
        p.angle += kPlacementStep;
        if (p.angle > kFullTurn)
            p.angle -= kFullTurn;
        break;
    case PlacementButton::Reset:
        p = Placement {};
        break;
    case PlacementButton::TurnRight:
        p.angle -= kPlacementStep;
        if (p.angle < -kFullTurn)
            p.angle += kFullTurn;
        break;
    }
    return p;
}

} // namespace kf
