#include "CoverageFit.h"

#include "Cie94Index.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

std::uint32_t packed(const unsigned char* kcmy) {
    return std::uint32_t(kcmy[0]) << 24 | std::uint32_t(kcmy[1]) << 16 | std::uint32_t(kcmy[2]) << 8 |
           kcmy[3];
}

} // namespace

CoverageFit::CoverageFit(const std::vector<Candidate>& candidates, const std::vector<CHARTPATCH*>& records,
                         std::size_t keep)
    : keep_(keep), at_(records.size(), -1), holder_(candidates.size(), -1), cover_(records.size()) {
    std::unordered_map<std::uint32_t, int> byInks;
    for (const Candidate& c : candidates) {
        byInks.emplace(packed(c.kcmy), static_cast<int>(samples_.size()));
        samples_.push_back(Point::of(c.lab));
    }
    for (std::size_t j = 0; j < records.size(); ++j) {
        cover_[j] = Point::of(records[j]->labD50);
        const auto found = byInks.find(packed(records[j]->cmyk));
        if (found != byInks.end() && holder_[found->second] < 0) {
            holder_[found->second] = static_cast<int>(j);
            at_[j] = j < keep ? -1 : found->second; // kept patches never move
        }
    }
    sampleIndex_ = std::make_unique<Cie94Index>(samples_);
    near_.resize(samples_.size());
    assignAll();
    for (const auto& t : near_)
        cap_ = std::max(cap_, t.firstDistance);
}

// Moves each free patch to the candidate of its cell that lies nearest
// the middle of the cell (among the few nearest the cell's mean, the one
// with the least sum of distances to the cell). The number moved.
unsigned long CoverageFit::settle() {
    const std::size_t n = cover_.size();
    std::vector<std::array<double, 4>> sum(n, {0, 0, 0, 0});
    for (std::size_t s = 0; s < samples_.size(); ++s) {
        auto& t = sum[near_[s].first];
        for (int i = 0; i < 3; ++i)
            t[i] += samples_[s].lab[i];
        t[3] += 1;
    }
    std::vector<std::vector<std::pair<double, int>>> cell(n);
    for (std::size_t s = 0; s < samples_.size(); ++s) {
        const int j = near_[s].first;
        if (at_[j] < 0)
            continue;
        const double mean[3] = {sum[j][0] / sum[j][3], sum[j][1] / sum[j][3], sum[j][2] / sum[j][3]};
        cell[j].push_back({Cie94Index::estimate(samples_[s], Point::of(mean)), static_cast<int>(s)});
    }
    // A patch moves only while the second-nearest patches of its cell
    // stay put, so that no candidate ends further than the cap.
    std::vector<char> moved(n, 0);
    unsigned long count = 0;
    for (std::size_t j = keep_; j < n; ++j) {
        auto& c = cell[j];
        if (std::any_of(c.begin(), c.end(), [&](const auto& m) {
                const int second = near_[m.second].second;
                return second >= 0 && moved[second];
            }))
            continue;
        const std::size_t tries = std::min(c.size(), medoidTries);
        std::partial_sort(c.begin(), c.begin() + static_cast<std::ptrdiff_t>(tries), c.end());
        int best = at_[j];
        double bestSum = 0;
        for (const auto& member : c)
            bestSum += near_[member.second].firstDistance;
        for (std::size_t t = 0; t < tries; ++t) {
            const int m = c[t].second;
            if (holder_[m] >= 0)
                continue;
            double total = 0;
            bool capped = true;
            for (const auto& member : c) {
                const double d = Cie94Index::estimate(samples_[member.second], samples_[m]);
                total += d;
                capped = capped && std::min(d, near_[member.second].secondDistance) <= cap_;
            }
            if (capped && total < bestSum) {
                bestSum = total;
                best = m;
            }
        }
        if (best != at_[j]) {
            place(static_cast<int>(j), best);
            moved[j] = 1;
            ++count;
        }
    }
    std::vector<int> list;
    for (std::size_t j = 0; j < n; ++j)
        if (moved[j])
            list.push_back(static_cast<int>(j));
    refresh(list);
    return count;
}

// Takes patches from where they cover least and puts them where the
// candidates are worst covered, as long as each move lowers the total
// distance. The number moved.
unsigned long CoverageFit::exchange() {
    const std::size_t n = cover_.size();
    std::vector<double> removal(n, 0.0), distortion(n, 0.0);
    std::vector<int> farthest(n, -1);
    for (std::size_t s = 0; s < samples_.size(); ++s) {
        const auto& t = near_[s];
        removal[t.first] += t.secondDistance - t.firstDistance;
        distortion[t.first] += t.firstDistance;
        if (farthest[t.first] < 0 || t.firstDistance > near_[farthest[t.first]].firstDistance)
            farthest[t.first] = static_cast<int>(s);
    }
    std::vector<int> cheap, rich;
    for (std::size_t j = 0; j < n; ++j) {
        if (at_[j] >= 0)
            cheap.push_back(static_cast<int>(j));
        if (farthest[j] >= 0 && holder_[farthest[j]] < 0)
            rich.push_back(static_cast<int>(j));
    }
    std::stable_sort(cheap.begin(), cheap.end(), [&](int x, int y) { return removal[x] < removal[y]; });
    std::stable_sort(rich.begin(), rich.end(), [&](int x, int y) { return distortion[x] > distortion[y]; });
    std::vector<char> touched(n, 0);
    unsigned long moved = 0;
    std::size_t next = 0;
    for (int r : rich) {
        // What a patch added in cell r gains comes mostly from that cell:
        // past the point where that is far below the cheapest removal,
        // no exchange pays.
        if (next >= cheap.size() || 2.0 * distortion[r] < removal[cheap[next]])
            break;
        if (touched[r])
            continue;
        const int c = farthest[r];
        for (std::size_t k = next; k < std::min(cheap.size(), next + exchangeTries); ++k) {
            const int j = cheap[k];
            if (touched[j] || j == r || holder_[c] >= 0 || change(j, c) >= -1e-9)
                continue;
            touched[j] = touched[r] = 1;
            std::swap(cheap[k], cheap[next]);
            ++next;
            move(j, c);
            ++moved;
            break;
        }
    }
    return moved;
}

double CoverageFit::total() const {
    double t = 0;
    for (const auto& n : near_)
        t += n.firstDistance;
    return t;
}

int CoverageFit::at(std::size_t j) const {
    return at_[j];
}

void CoverageFit::place(int j, int sample) {
    if (at_[j] >= 0)
        holder_[at_[j]] = -1;
    at_[j] = sample;
    holder_[sample] = j;
    cover_[j] = samples_[sample];
}

void CoverageFit::assignAll() {
    coverIndex_ = std::make_unique<Cie94Index>(cover_);
    members_.assign(cover_.size(), {});
    runnersUp_.assign(cover_.size(), {});
    for (std::size_t s = 0; s < samples_.size(); ++s) {
        near_[s] = coverIndex_->nearestTwo(samples_[s], near_[s].first);
        enter(static_cast<int>(s));
    }
}

void CoverageFit::enter(int s) {
    members_[near_[s].first].push_back(s);
    if (near_[s].second >= 0)
        runnersUp_[near_[s].second].push_back(s);
}

void CoverageFit::leave(int s) {
    const auto drop = [s](std::vector<int>& list) { list.erase(std::find(list.begin(), list.end(), s)); };
    drop(members_[near_[s].first]);
    if (near_[s].second >= 0)
        drop(runnersUp_[near_[s].second]);
}

// The change of the total distance if patch j moved to candidate c; HUGE_VAL
// when the move would leave a candidate further than the cap from its nearest patch.
double CoverageFit::change(int j, int c) const {
    double delta = 0;
    for (int s : members_[j]) {
        double d = near_[s].secondDistance;
        if (Cie94Index::lowerBoundSquared(samples_[s], samples_[c]) < d * d)
            d = std::min(d, Cie94Index::distance(samples_[s], samples_[c]));
        if (d > cap_)
            return HUGE_VAL;
        delta += d - near_[s].firstDistance;
    }
    // No candidate lies further than the cap from its nearest patch, so
    // only those within the cap of c can come nearer.
    sampleIndex_->within(
        samples_[c], cap_, [&](int s) { return near_[s].first == j ? 0.0 : near_[s].firstDistance; },
        [&](int s, double d) { delta += d - near_[s].firstDistance; });
    return delta;
}

void CoverageFit::move(int j, int c) {
    place(j, c);
    refresh({j});
}

// After patches moved, brings up to date every candidate whose nearest
// patch may have changed: those the moved patches were nearest or
// second-nearest to, and those within the cap of where they now stand.
// A candidate further than the cap keeps the second-nearest it had,
// which is then further than need be: that only ever makes a later move
// look dearer than it is.
void CoverageFit::refresh(const std::vector<int>& moved) {
    if (moved.empty())
        return;
    coverIndex_ = std::make_unique<Cie94Index>(cover_);
    std::vector<int> stale;
    for (int j : moved) {
        stale.insert(stale.end(), members_[j].begin(), members_[j].end());
        stale.insert(stale.end(), runnersUp_[j].begin(), runnersUp_[j].end());
        sampleIndex_->within(
            cover_[j], cap_, [&](int s) { return near_[s].secondDistance; },
            [&](int s, double) { stale.push_back(s); });
    }
    std::sort(stale.begin(), stale.end());
    stale.erase(std::unique(stale.begin(), stale.end()), stale.end());
    for (int s : stale) {
        leave(s);
        near_[s] = coverIndex_->nearestTwo(samples_[s], near_[s].first);
        enter(s);
    }
}

std::vector<CoverageFit::Candidate> CoverageFit::candidatesOf(const CHARTPATCH* patches, unsigned long skip) {
    std::vector<Candidate> out;
    for (const CHARTPATCH* p = patches; p != nullptr; p = KvNext(p)) {
        if (skip > 0) {
            --skip;
            continue;
        }
        const Candidate c{{p->labD50[0], p->labD50[1], p->labD50[2]},
                          {p->cmyk[0], p->cmyk[1], p->cmyk[2], p->cmyk[3]}};
        if (std::isfinite(c.lab[0]) && std::isfinite(c.lab[1]) && std::isfinite(c.lab[2]))
            out.push_back(c);
    }
    return out;
}

void CoverageFit::fit(CHARTPATCH** patches, const std::vector<Candidate>& candidates, unsigned long keep,
                      std::FILE* out) {
    std::vector<CHARTPATCH*> records;
    for (CHARTPATCH* p = *patches; p != nullptr; p = KvNext(p))
        records.push_back(p);
    const auto finite = [](const CHARTPATCH* p) {
        return std::isfinite(p->labD50[0]) && std::isfinite(p->labD50[1]) && std::isfinite(p->labD50[2]);
    };
    if (records.size() <= keep || candidates.empty() || std::none_of(records.begin(), records.end(), finite))
        return;
    CoverageFit fit(candidates, records, keep);
    const double before = fit.total();
    double last = before;
    unsigned long moves = 0;
    int rounds = 0;
    while (rounds < maxRounds) {
        ++rounds;
        unsigned long moved = 0;
        for (unsigned long exchanged = 1; exchanged > 0;) {
            exchanged = fit.exchange();
            moved += exchanged;
        }
        moved += fit.settle();
        moves += moved;
        const double now = fit.total();
        if (now > last * (1.0 - minGain))
            break;
        last = now;
        if (moved == 0)
            break;
    }

    for (std::size_t j = keep; j < records.size(); ++j)
        if (fit.at(j) >= 0) {
            const Candidate& c = candidates[static_cast<std::size_t>(fit.at(j))];
            std::copy(c.kcmy, c.kcmy + 4, records[j]->cmyk);
            std::copy(c.lab, c.lab + 3, records[j]->labD50);
        }
    std::stable_sort(
        records.begin() + static_cast<std::ptrdiff_t>(keep), records.end(),
        [](const CHARTPATCH* x, const CHARTPATCH* y) { return chartPatchCMYK(*x) < chartPatchCMYK(*y); });
    // AddList rewrites every link of a record it appends, so the old links can simply be dropped.
    *patches = nullptr;
    for (CHARTPATCH* p : records)
        AddList(patches, p);
    const auto count = static_cast<double>(candidates.size());
    std::fprintf(out,
                 "coverage fit: %lu moves in %d rounds, mean distance to the candidates %.2f from %.2f\n",
                 moves, rounds, fit.total() / count, before / count);
}
