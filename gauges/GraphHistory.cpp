#include "gauges/GraphHistory.h"

#include <algorithm>
#include <cfloat>

void GraphHistory::Resize(int columns)
{
    const int capacity = std::max(columns, 0);
    if (capacity == Capacity())
        return;
    const int kept = std::min(count_, capacity);
    std::vector<std::optional<float>> samples(static_cast<size_t>(capacity));
    // Oldest first, so that the newest ends at the last slot written.
    for (int age = kept - 1; age >= 0; --age)
        samples[static_cast<size_t>(kept - 1 - age)] = Newest(age);
    samples_ = std::move(samples);
    count_ = kept;
    next_ = capacity == 0 ? 0 : kept % capacity;
}

void GraphHistory::Push(std::optional<float> sample)
{
    ++pushed_;
    if (samples_.empty())
        return;
    samples_[static_cast<size_t>(next_)] = sample;
    next_ = (next_ + 1) % Capacity();
    count_ = std::min(count_ + 1, Capacity());
}

std::optional<float> GraphHistory::Newest(int age) const
{
    const int capacity = Capacity();
    return samples_[static_cast<size_t>(((next_ - 1 - age) % capacity + capacity) % capacity)];
}

float GraphHistory::Largest() const
{
    float largest = 0;
    for (int age = 0; age < count_; ++age) {
        if (const auto sample = Newest(age))
            largest = std::max(largest, *sample);
    }
    return largest;
}

float ReadableCeiling(float largest)
{
    if (!(largest > 0))
        return 1;
    float power = 1;
    while (power * 10 < largest && power < FLT_MAX / 100)
        power *= 10;
    while (power > largest && power > FLT_MIN * 10)
        power /= 10;
    for (const float step : {1.0f, 2.0f, 5.0f, 10.0f}) {
        if (step * power >= largest)
            return step * power;
    }
    return largest;
}
