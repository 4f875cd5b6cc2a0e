#include "game/level/BoardOverlay.h"

#include <algorithm>
#include <cmath>

#include "editor/DebugDisplay.h"
#include "game/board/GameMap.h"
#include "game/figures/GameModel.h"
#include "game/level/BoardProjection.h"
#include "game/steering/AStarController.h"

namespace {

constexpr uint32_t kBlockedColour = 0xFF3030;
constexpr uint32_t kItemColour = 0xFFD700;
constexpr uint32_t kFigureColour = 0x40FF40;
constexpr uint32_t kPathColour = 0x40C0FF;
constexpr int kCircleSegments = 20;
constexpr float kCell = 1.0f / GameMap::kSize;

DebugDisplay::Point ToFrame(BoardPoint position)
{
    ScreenPoint screen = Project(position);
    return {static_cast<float>(screen.x), static_cast<float>(screen.y)};
}

void CellQuad(Cell cell, uint32_t colour)
{
    BoardPoint corner = GameMap::CellToPosition(cell);
    DebugDisplay::Point corners[4] = {ToFrame(corner), ToFrame(corner + BoardPoint{kCell, 0.0f}),
                                      ToFrame(corner + BoardPoint{kCell, kCell}),
                                      ToFrame(corner + BoardPoint{0.0f, kCell})};
    DebugDisplay::Instance().FilledQuad(corners, colour);
}

}  // namespace

void BoardOverlay::Submit(const std::vector<GameModel*>& figures)
{
    if (!DebugDisplay::Instance().IsEnabled()) {
        return;
    }
    SubmitWalkGrid();
    SubmitItems();
    for (const GameModel* figure : figures) {
        SubmitFigure(*figure);
        SubmitPath(*figure);
    }
}

void BoardOverlay::SubmitWalkGrid()
{
    const GameMap& map = GameMap::Instance();
    for (int row = 0; row < GameMap::kSize; ++row) {
        for (int column = 0; column < GameMap::kSize; ++column) {
            if (!map.IsWalkable(column, row)) {
                CellQuad({column, row}, kBlockedColour);
            }
        }
    }
}

void BoardOverlay::SubmitItems()
{
    const GameMap& map = GameMap::Instance();
    for (int row = 0; row < GameMap::kSize; ++row) {
        for (int column = 0; column < GameMap::kSize; ++column) {
            if (map.ItemAt(column, row)) {
                CellQuad({column, row}, kItemColour);
            }
        }
    }
}

// A figure fills its cell and the eight around it on the figure grid.
void BoardOverlay::SubmitFigure(const GameModel& figure)
{
    Cell centre = figure.GetCell();
    for (int dRow = -1; dRow <= 1; ++dRow) {
        for (int dColumn = -1; dColumn <= 1; ++dColumn) {
            Cell cell{centre.column + dColumn, centre.row + dRow};
            if (cell.column >= 0 && cell.row >= 0 && cell.column < GameMap::kSize && cell.row < GameMap::kSize) {
                CellQuad(cell, kFigureColour);
            }
        }
    }
    std::vector<DebugDisplay::Point> circle;
    for (int i = 0; i < kCircleSegments; ++i) {
        float angle = 2.0f * 3.14159265f * static_cast<float>(i) / kCircleSegments;
        float radius = figure.GetCollisionRadius();
        circle.push_back(ToFrame(figure.GetPosition() + BoardPoint{radius * std::cos(angle), radius * std::sin(angle)}));
    }
    DebugDisplay::Instance().Polyline(circle, kFigureColour, true);
}

void BoardOverlay::SubmitPath(const GameModel& figure)
{
    const auto* steering = dynamic_cast<const AStarController*>(figure.GetController());
    if (!steering || steering->GetPath().empty()) {
        return;
    }
    std::vector<DebugDisplay::Point> way{ToFrame(figure.GetPosition())};
    const std::vector<Cell>& path = steering->GetPath();
    for (size_t i = static_cast<size_t>(std::max(steering->GetPathIndex(), 0)); i < path.size(); ++i) {
        way.push_back(ToFrame(GameMap::CellToPosition(path[i])));
    }
    DebugDisplay& display = DebugDisplay::Instance();
    display.Polyline(way, kPathColour, false);
    display.Text(way.back(), "Ziel", kPathColour);
}
