// The last stage of a chart with controls. The rough cull leaves patches
// spaced evenly in CIE94, but a press makes its colours unevenly: most ink
// combinations print dark, few print light or clean. Taking the candidates
// the chart was culled from as what the press prints, this stage moves free
// patches from candidate to candidate, round after round, so that the mean
// distance of the candidates to their nearest patch falls:
//   - exchange: a patch whose removal costs least goes to the worst covered
//     candidate, whenever that lowers the total;
//   - settle: a patch goes to the middle of the candidates it is nearest to.
// No move may leave a candidate further from its nearest patch than the
// furthest was after the cull, so the worst case never gets worse.
#pragma once

#include "ChartPatch.h"
#include "Cie94Index.h"

#include <cstdio>
#include <memory>
#include <vector>

class CoverageFit {
public:
    struct Candidate {
        double lab[3];         // D50
        unsigned char kcmy[4]; // K, C, M, Y
    };
    static constexpr int maxRounds = 24;
    static constexpr double minGain = 0.002; // a round that gains less than this share is the last
    static constexpr std::size_t medoidTries = 8;
    static constexpr std::size_t exchangeTries = 4;

    // Moves the patches of *patches after the first `keep` to candidates;
    // the kept ones stay where they are and still count as cover. The moved
    // patches come back in grid order (C, M, Y, K, K fastest) after the kept
    // ones. Writes one line to `out`. Only the inks and the D50 Lab of a
    // patch change.
    static void fit(CHARTPATCH** patches, const std::vector<Candidate>& candidates, unsigned long keep,
                    std::FILE* out);

    // The candidates of a list, in list order, after its first `skip` patches.
    static std::vector<Candidate> candidatesOf(const CHARTPATCH* patches, unsigned long skip);

private:
    using Point = Cie94Index::Point;

    CoverageFit(const std::vector<Candidate>& candidates, const std::vector<CHARTPATCH*>& records,
                std::size_t keep);
    unsigned long settle();
    unsigned long exchange();
    double total() const;
    // The candidate free patch j stands on, or -1 when it stays put.
    int at(std::size_t j) const;

    void place(int j, int sample);
    void assignAll();
    void enter(int s);
    void leave(int s);
    double change(int j, int c) const;
    void move(int j, int c);
    void refresh(const std::vector<int>& moved);

    // Every candidate knows its nearest patch and the nearest after that,
    // so that what a patch's removal would cost is known exactly.
    std::size_t keep_;
    std::vector<Point> samples_;
    std::vector<int> at_;     // the candidate each free patch stands on; -1 for one that never moves
    std::vector<int> holder_; // the patch on each candidate, or -1
    std::vector<Point> cover_;
    std::vector<Cie94Index::Two> near_;
    std::vector<std::vector<int>> members_;   // the candidates nearest each patch
    std::vector<std::vector<int>> runnersUp_; // the candidates each patch is second-nearest to
    std::unique_ptr<Cie94Index> sampleIndex_, coverIndex_;
    double cap_ = 0; // no move may leave a candidate further from the chart than the cull did
};
