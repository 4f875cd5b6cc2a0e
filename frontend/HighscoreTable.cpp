#include "frontend/HighscoreTable.h"

#include <algorithm>

namespace {

const std::string kNoName;

}  // namespace

HighscoreTable::HighscoreTable(int size) : entries(static_cast<size_t>(std::max(size, 0)))
{
}

int HighscoreTable::RankOf(int32_t score) const
{
    auto found = std::find_if(entries.begin(), entries.end(),
                              [score](const Entry& entry) { return entry.score <= score; });
    return static_cast<int>(found - entries.begin());
}

bool HighscoreTable::Qualifies(int32_t score) const
{
    return RankOf(score) < Size();
}

int HighscoreTable::Insert(const std::string& name, int32_t score)
{
    int rank = RankOf(score);
    if (rank == Size()) {
        return rank;
    }
    entries.pop_back();
    entries.insert(entries.begin() + rank, Entry{Limited(name), score});
    return rank;
}

void HighscoreTable::SetName(int index, const std::string& name)
{
    if (Contains(index)) {
        entries[static_cast<size_t>(index)].name = Limited(name);
    }
}

int32_t HighscoreTable::Score(int index) const
{
    return Contains(index) ? entries[static_cast<size_t>(index)].score : 0;
}

const std::string& HighscoreTable::Name(int index) const
{
    return Contains(index) ? entries[static_cast<size_t>(index)].name : kNoName;
}

void HighscoreTable::Clear()
{
    std::fill(entries.begin(), entries.end(), Entry{});
}

std::string HighscoreTable::Limited(const std::string& name)
{
    // A line break would split the entry's line in the saved file.
    size_t end = std::min(name.find_first_of("\r\n"), kMaxNameLength);
    return name.substr(0, end);
}
