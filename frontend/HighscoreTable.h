#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One ranked list of results, best first. It always holds exactly its size in entries; free
// places are entries with an empty name and score 0.
class HighscoreTable {
public:
    // The name field takes no more characters than this, and neither does a stored name.
    static constexpr size_t kMaxNameLength = 99;

    explicit HighscoreTable(int size);

    int Size() const { return static_cast<int>(entries.size()); }
    // True when Insert would place the score in the table.
    bool Qualifies(int32_t score) const;
    // The rank index of the new entry, or Size() when the score does not enter. An equal
    // score ranks above the old one; the last entry drops out.
    int Insert(const std::string& name, int32_t score);
    // Indices outside the table are ignored; an over-long name is cut.
    void SetName(int index, const std::string& name);
    // 0 and an empty name outside the table.
    int32_t Score(int index) const;
    const std::string& Name(int index) const;
    void Clear();

private:
    struct Entry {
        std::string name;
        int32_t score = 0;
    };

    // The first index whose score the new score reaches, or Size() if none.
    int RankOf(int32_t score) const;
    bool Contains(int index) const { return index >= 0 && index < Size(); }
    static std::string Limited(const std::string& name);

    std::vector<Entry> entries;
};
