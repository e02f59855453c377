// Our runs and a peer's, alternated (ours, peer, ours, peer, ...) so that a change in the
// machine's load falls on both runs of a pair alike. The figure is the median of the per-pair
// ratios, which a few disturbed pairs cannot move.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace veltrix::bench {

struct PairedTimes {
  double ratio = 0;        // median of ours / peer over the pairs
  double oursSeconds = 0;  // median of our runs alone, for the record
  double peerSeconds = 0;
};

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline double secondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each run reports its own figure, such as the CPU time a child process used; the fields of
// PairedTimes then hold that figure. One unmeasured run of each comes first, so neither pays
// for a cold cache.
inline PairedTimes alternateFigures(int pairs, const std::function<double()>& ours,
                                    const std::function<double()>& peer) {
  ours();
  peer();
  std::vector<double> ratios, oursFigures, peerFigures;
  for (int i = 0; i < pairs; ++i) {
    oursFigures.push_back(ours());
    peerFigures.push_back(peer());
    ratios.push_back(oursFigures.back() / peerFigures.back());
  }
  return {median(ratios), median(oursFigures), median(peerFigures)};
}

// Wall time.
inline PairedTimes alternate(int pairs, const std::function<void()>& ours,
                             const std::function<void()>& peer) {
  return alternateFigures(
      pairs, [&] { return secondsOf(ours); }, [&] { return secondsOf(peer); });
}

}  // namespace veltrix::bench
