#include "tools/replay/time_distribution.h"

#include <algorithm>
#include <cmath>

namespace replay {
namespace {

constexpr double kSmallest = 0.1;
constexpr double kGrowth = 1.005;

}  // namespace

std::size_t TimeDistribution::Bucket(double microseconds) {
    const double steps = std::log(microseconds / kSmallest) / std::log(kGrowth);
    // The small margin keeps a value that is exactly a bound in its own bucket despite rounding.
    return static_cast<std::size_t>(std::clamp(std::floor(steps + 1e-9), 0.0, double{kBuckets - 1}));
}

double TimeDistribution::LowerBound(std::size_t bucket) {
    return kSmallest * std::pow(kGrowth, static_cast<double>(bucket));
}

void TimeDistribution::Add(double microseconds) {
    ++count_;
    if (microseconds <= 0.0) ++zeros_;
    else ++counts_[Bucket(microseconds)];
}

double TimeDistribution::Percentile(double p) const {
    if (count_ == 0) return 0.0;
    const auto rank = std::clamp<std::uint64_t>(static_cast<std::uint64_t>(std::ceil(p * static_cast<double>(count_))),
                                                1, count_);
    std::uint64_t seen = zeros_;
    if (seen >= rank) return 0.0;
    for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
        seen += counts_[bucket];
        if (seen >= rank) return LowerBound(bucket);
    }
    return LowerBound(kBuckets - 1);
}

}  // namespace replay
