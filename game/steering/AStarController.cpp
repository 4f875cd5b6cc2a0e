#include "game/steering/AStarController.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/Debug.h"
#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/figures/DwarfModel.h"
#include "game/level/QMMainLevel.h"
#include "params/Serializer.h"
#include "util/Randomizer.h"

namespace {

// A figure this close (in cells squared) to its waypoint heads for the end of the straight
// stretch beyond it.
constexpr float kWaypointReachedSquared = 4.0f;
constexpr float kStuckPersistanceFactor = 0.5f;
constexpr float kInterceptFraction = 0.5f;
constexpr float kCellsPerUnit = 32.0f;
// Eighths of a half turn: the borders between the eight facings around the compass.
constexpr float kSector = 0.39269906f;

bool IsBusyStriking(int figureState)
{
    return figureState == GameModel::kStrike || figureState == GameModel::kBoardStrike ||
           figureState == GameModel::kRaise;
}

Cell Offset(Cell cell, Cell step, int times)
{
    return {cell.column + step.column * times, cell.row + step.row * times};
}

}  // namespace

AStarController::AStarController() : search(std::make_unique<AStarSearch>(GameMap::Instance()))
{
    path.reserve(AStarSearch::kMaxPathCells);
}

AStarController::~AStarController()
{
    Debug::Instance().Log("AStarController Destructor\n");
    search.reset();
    Debug::Instance().Log("AStarController  Destructor Done\n");
}

void AStarController::Parameters(Serializer& serializer, const std::string& name)
{
    serializer.BeginSection("AStarController", name);
    serializer.Float("Turn Length", turnLength);
    serializer.Float("General Aggressiveness", generalAggressiveness);
    serializer.Float("Player Aggressiveness", playerAggressiveness);
    serializer.Float("Sleepiness", sleepiness);
    serializer.Float("Persistance", persistance);
    serializer.Float("Say Check", sayCheck);
    serializer.Float("Strike Delay", strikeDelay);
    serializer.EndSection();
}

void AStarController::Reset()
{
    strikeCandidate = nullptr;
    overrunLogged = false;
    turnTimer = -1.0f;
    attacksOwnKind = true;
    target = nullptr;
}

void AStarController::Attach(GameModel* steered)
{
    figure = steered;
    target = nullptr;
}

void AStarController::Update(float dtSeconds)
{
    if (!figure) {
        return;
    }
    figures.clear();
    if (const QMMainLevel* level = GameMap::Instance().GetLevel()) {
        figures.assign(level->GetActiveFigures().begin(), level->GetActiveFigures().end());
    }
    turnTimer -= dtSeconds;
    if (target && target->IsDown()) {
        target = nullptr;
        Plan(0.0f);
    }
    if (figure->GetState() == GameModel::kStagger && dtSeconds * sayCheck > Randomizer::Instance().Fraction()) {
        figure->SayCheck();
    }
    const bool legOver = turnTimer < 0.0f || pathIndex == 0 || !figure->HasMoved();
    if (legOver && figure->GetState() != GameModel::kStrike) {
        Plan(figure->HasMoved() ? persistance : persistance * kStuckPersistanceFactor);
    }
    Strike(dtSeconds);
    Walk();
}

// ---------------------------------------------------------------- planning

void AStarController::Plan(float keepChance)
{
    Search(ChooseGoal(keepChance));
    search->GetPath(path);
    turnTimer = turnLength;
    pathIndex = static_cast<int>(path.size()) - 1;
}

Cell AStarController::ChooseGoal(float keepChance)
{
    Randomizer& random = Randomizer::Instance();
    const GameMap& map = GameMap::Instance();
    if (random.Fraction() < keepChance) {
        if (target && target != figure) {
            return TargetCell(*target);
        }
        return map.IsWalkable(search->GetGoal()) ? search->GetGoal() : map.RandomFreeCell();
    }
    const float r1 = random.Fraction();
    const float r2 = random.Fraction();
    if (r1 < generalAggressiveness && (r2 < playerAggressiveness || figures.size() < 3)) {
        target = DwarfModel::Player();
        if (!target || target->IsDown() || target == figure) {
            target = nullptr;
            return map.RandomFreeCell();
        }
        return TargetCell(*target);
    }
    if (r1 < generalAggressiveness) {
        return ChooseNearestTarget();
    }
    if (r2 < sleepiness) {
        target = figure;
        return figure->GetCell();
    }
    target = nullptr;
    return map.RandomFreeCell();
}

Cell AStarController::ChooseNearestTarget()
{
    const BoardPoint here = figure->GetPosition();
    byDistance.assign(figures.begin(), figures.end());
    std::stable_sort(byDistance.begin(), byDistance.end(), [here](const GameModel* a, const GameModel* b) {
        return GameMap::PositionDistanceSquared(here, a->GetPosition()) <
               GameMap::PositionDistanceSquared(here, b->GetPosition());
    });
    target = nullptr;
    for (GameModel* other : byDistance) {
        target = other;
        // The figure itself stands nearest of all; it is never its own quarry.
        if (other != figure && !other->IsPlayer() && !other->IsDown()) {
            break;
        }
    }
    if (!target || target == figure || !MayAttack(*target)) {
        target = nullptr;
        return GameMap::Instance().RandomFreeCell();
    }
    return TargetCell(*target);
}

void AStarController::Search(Cell goal)
{
    search->SetStart(figure->GetCell());
    search->SetGoal(goal);
    for (int step = 0; step < kMaxSearchSteps; ++step) {
        if (search->Step()) {
            return;
        }
    }
    // Crowded boards overrun often; once per reset keeps the log readable.
    if (!overrunLogged) {
        Debug::Instance().Log("Algorithm Overrun\n");
        overrunLogged = true;
    }
}

Cell AStarController::TargetCell(const GameModel& other) const
{
    const Cell theirs = other.GetCell();
    const Cell step = direction::CellStep(other.GetFacing());
    if (other.GetRequestedDirection() == direction::kStand) {
        return Offset(theirs, step, -1);
    }
    // A moving figure is met halfway along its way.
    const float distance = std::sqrt(GameMap::CellDistanceSquared(figure->GetCell(), theirs));
    int ahead = static_cast<int>(std::trunc(distance * kInterceptFraction));
    Cell cell = Offset(theirs, step, ahead);
    while (!GameMap::Instance().IsWalkable(cell) && ahead > -1) {
        --ahead;
        cell = Offset(theirs, step, ahead);
    }
    return cell;
}

// ---------------------------------------------------------------- striking

bool AStarController::MayAttack(const GameModel& other) const
{
    return attacksOwnKind || other.GetKind() != figure->GetKind();
}

void AStarController::Strike(float dtSeconds)
{
    if (strikeCandidate) {
        strikeTimer -= dtSeconds;
        if (strikeTimer < 0.0f) {
            StrikeAt(strikeCandidate);
        }
        return;
    }
    strikeCandidate = FindStrikeTarget();
    if (!strikeCandidate) {
        return;
    }
    if (strikeCandidate == target) {
        StrikeAt(strikeCandidate);
    } else {
        strikeTimer = strikeDelay;
    }
}

GameModel* AStarController::FindStrikeTarget() const
{
    if (IsBusyStriking(figure->GetState())) {
        return nullptr;
    }
    const float reachUnits = figure->GetReach() / kCellsPerUnit;
    for (GameModel* other : figures) {
        if (other == figure || other->IsDown() || !MayAttack(*other)) {
            continue;
        }
        if (reachUnits * reachUnits > GameMap::PositionDistanceSquared(figure->GetPosition(), other->GetPosition())) {
            return other;
        }
    }
    return nullptr;
}

void AStarController::StrikeAt(GameModel* other)
{
    strikeCandidate = nullptr;
    if (figure->IsDown() || !MayAttack(*other) || other->IsDown()) {
        return;
    }
    const float reachUnits = figure->GetReach() / kCellsPerUnit;
    if (reachUnits * reachUnits <= GameMap::PositionDistanceSquared(figure->GetPosition(), other->GetPosition())) {
        return;
    }
    const int towards = DirectionTo(other->GetPosition());
    figure->SetFacing(towards);
    figure->SetDirection(towards);
    figure->Strike();
}

int AStarController::DirectionTo(BoardPoint point) const
{
    // Angle 0 is south; no normalising, so a zero distance gives south rather than NaN.
    const BoardPoint delta = point - figure->GetPosition();
    const float angle = std::atan2(delta.column, delta.row);
    constexpr std::array<std::pair<float, int>, 8> kBorders = {{{-7 * kSector, 0},
                                                                {-5 * kSector, 7},
                                                                {-3 * kSector, 6},
                                                                {-kSector, 5},
                                                                {kSector, 4},
                                                                {3 * kSector, 3},
                                                                {5 * kSector, 2},
                                                                {7 * kSector, 1}}};
    for (const auto& [border, dir] : kBorders) {
        if (angle < border) {
            return dir;
        }
    }
    return direction::kNorth;
}

// ---------------------------------------------------------------- walking

int AStarController::StraightRun(int index) const
{
    if (index < 2) {
        return 0;
    }
    const auto stepBetween = [this](int from) {
        const Cell a = path[static_cast<size_t>(from)];
        const Cell b = path[static_cast<size_t>(from - 1)];
        return Cell{b.column - a.column, b.row - a.row};
    };
    const Cell first = stepBetween(index);
    int end = index - 1;
    while (end > 1 && stepBetween(end) == first) {
        --end;
    }
    return end;
}

void AStarController::Walk()
{
    if (IsBusyStriking(figure->GetState())) {
        return;
    }
    if (path.empty() || pathIndex < 0) {
        figure->SetDirection(direction::kStand);
        return;
    }
    const Cell here = figure->GetCell();
    if (GameMap::CellDistanceSquared(here, path[static_cast<size_t>(pathIndex)]) < kWaypointReachedSquared) {
        pathIndex = StraightRun(pathIndex);
    }
    const Cell waypoint = path[static_cast<size_t>(pathIndex)];
    const int bits = (waypoint.row < here.row ? 1 : 0) | (waypoint.row > here.row ? 2 : 0) |
                     (waypoint.column < here.column ? 4 : 0) | (waypoint.column > here.column ? 8 : 0);
    figure->SetDirection(direction::FromKeyBits(bits));
}
