// Times in microseconds, counted into buckets 0.5% wide, so that a run of a million frames takes
// no more memory than a run of ten: the soak watches the runner's resident memory too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace replay {

class TimeDistribution {
public:
    void Add(double microseconds);
    std::size_t Count() const { return count_; }
    // The value at fraction `p` (0.5 the median, 0.99 the 99th percentile) by nearest rank: the
    // smallest value with at least that share of the values at or below it, to within 0.5% below
    // it. 0 when empty.
    double Percentile(double p) const;

private:
    // From 0.1 us (the clocks' step) up to some 70 s; longer times count as the longest bucket.
    static constexpr std::size_t kBuckets = 4096;
    static std::size_t Bucket(double microseconds);
    static double LowerBound(std::size_t bucket);

    std::array<std::uint64_t, kBuckets> counts_{};
    std::uint64_t zeros_ = 0;
    std::size_t count_ = 0;
};

}  // namespace replay
