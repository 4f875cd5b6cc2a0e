#pragma once

// A board cell (column, row), 0 to 31 each.
struct Cell {
    int column = 0;
    int row = 0;

    friend bool operator==(const Cell&, const Cell&) = default;
};

// A board position or a movement on the board, in board units: 1.0 spans the 32 cells.
struct BoardPoint {
    float column = 0.0f;
    float row = 0.0f;

    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
    BoardPoint operator+(const BoardPoint& other) const { return {column + other.column, row + other.row}; }
    BoardPoint operator-(const BoardPoint& other) const { return {column - other.column, row - other.row}; }
    BoardPoint operator*(float factor) const { return {column * factor, row * factor}; }
    bool IsZero() const { return column == 0.0f && row == 0.0f; }
};
