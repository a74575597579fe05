// Timing in rounds, for a machine that other work shares. Each round times every contender in
// turn, in an order that rotates from round to round, and each contender's time is compared
// with a reference's within the same round. The load on the machine changes from second to
// second, but hardly within a round of a few milliseconds, so the ratios hold where the times
// alone do not. Within its turn a contender takes a few short samples and keeps the fastest: a
// sample that another process interrupted is slower, never faster. Figures are the median over
// the rounds, with the middle half of the rounds as the spread.
#pragma once
#include <stddef.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct Contender {
    std::string Name;
    std::function<void()> Call; // one call of the work measured
};

struct Spread {
    double Median;
    double Low;  // a quarter of the rounds are below
    double High; // a quarter of the rounds are above
};

inline Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double share) { return values[size_t(share * double(values.size() - 1))]; };
    return Spread{at(0.5), at(0.25), at(0.75)};
}

inline double NowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Times contenders over rounds; returns, for each contender, its time per call in microseconds
// in every round: the fastest of samples samples, each as many calls as take about
// sampleSeconds (one call when sampleSeconds is 0), counted once beforehand.
inline std::vector<std::vector<double>> TimeRounds(const std::vector<Contender>& contenders,
                                                   int rounds, int samples, double sampleSeconds) {
    const size_t count = contenders.size();
    std::vector<int> calls(count, 1);
    for (size_t c = 0; c < count && sampleSeconds > 0; ++c) {
        const double start = NowSeconds();
        contenders[c].Call();
        const double once = NowSeconds() - start;
        calls[c] = std::max(1, int(sampleSeconds / std::max(once, 1e-9)));
    }
    std::vector<std::vector<double>> times(count, std::vector<double>(size_t(rounds)));
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < count; ++k) {
            const size_t c = (size_t(round) + k) % count;
            double fastest = 0;
            for (int sample = 0; sample < samples; ++sample) {
                const double start = NowSeconds();
                for (int call = 0; call < calls[c]; ++call)
                    contenders[c].Call();
                const double time = (NowSeconds() - start) * 1e6 / calls[c];
                fastest = sample == 0 || time < fastest ? time : fastest;
            }
            times[c][size_t(round)] = fastest;
        }
    }
    return times;
}

// The ratio of one contender's time to another's, round by round.
inline std::vector<double> RatiosByRound(const std::vector<double>& times,
                                         const std::vector<double>& reference) {
    std::vector<double> ratios(times.size());
    for (size_t round = 0; round < times.size(); ++round)
        ratios[round] = times[round] / reference[round];
    return ratios;
}
