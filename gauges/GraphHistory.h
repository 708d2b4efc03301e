// The samples of a graph: one per pixel column, the oldest dropped when a
// new one comes to a full history. A sample is a value or a gap (a reading
// that failed). Columns left of the oldest sample hold nothing at all.
#pragma once

#include <optional>
#include <vector>

class GraphHistory {
public:
    // Room for `columns` samples; a history resized keeps its newest samples.
    void Resize(int columns);
    int Capacity() const { return static_cast<int>(samples_.size()); }
    // Samples held: at most the capacity.
    int Count() const { return count_; }
    // Samples pushed since the history was made; it grows past the capacity.
    unsigned long long Pushed() const { return pushed_; }

    void Push(std::optional<float> sample);
    // Sample `age` pushes ago (0: the newest), for age < Count().
    std::optional<float> Newest(int age = 0) const;
    // The largest value held; 0 without any.
    float Largest() const;

private:
    std::vector<std::optional<float>> samples_;
    int next_ = 0;  // where the next sample goes
    int count_ = 0;
    unsigned long long pushed_ = 0;
};

// The top of a graph scaled to its largest value: the next of 1, 2, 5 times
// a power of ten at or above it (1 for 0 and below), so that the grid's
// quarters read as round numbers.
float ReadableCeiling(float largest);
