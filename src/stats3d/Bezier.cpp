#include "stats3d/Bezier.h"

#include "model/UtilGlob.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace ploq {

namespace {

using Key = std::uint64_t;

Key keyOf(Point p)
{
    return static_cast<Key>(static_cast<std::uint32_t>(p.x)) << 32
           | static_cast<std::uint32_t>(p.y);
}

// The segments, each once, with a sorted table of (end point, segment) to find the segments
// that meet at a point without comparing every pair.
class EndMap {
public:
    explicit EndMap(std::span<const Segment10> input)
    {
        std::vector<std::pair<Key, Key>> seen;
        seen.reserve(input.size());
        for (const Segment10& s : input) {
            const Key a = keyOf(s.a);
            const Key b = keyOf(s.b);
            if (a != b)
                seen.emplace_back(std::min(a, b), std::max(a, b));
        }
        // The first of equal segments is kept, in the order they came.
        std::vector<std::size_t> order(seen.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t x, std::size_t y) { return seen[x] < seen[y]; });
        std::vector<bool> keep(seen.size(), false);
        for (std::size_t i = 0; i < order.size(); ++i)
            keep[order[i]] = i == 0 || seen[order[i]] != seen[order[i - 1]];
        std::size_t next = 0;
        for (const Segment10& s : input) {
            if (keyOf(s.a) == keyOf(s.b))
                continue;
            if (keep[next++])
                segments_.push_back(s);
        }
        ends_.reserve(2 * segments_.size());
        for (std::size_t i = 0; i < segments_.size(); ++i) {
            ends_.emplace_back(keyOf(segments_[i].a), i);
            ends_.emplace_back(keyOf(segments_[i].b), i);
        }
        std::sort(ends_.begin(), ends_.end());
        used_.assign(segments_.size(), false);
    }

    std::size_t size() const { return segments_.size(); }
    bool used(std::size_t i) const { return used_[i]; }
    const Segment10& segment(std::size_t i) const { return segments_[i]; }

    std::size_t degree(Point p) const
    {
        const auto [first, last] = range(keyOf(p));
        return static_cast<std::size_t>(last - first);
    }

    // Marks and returns an unused segment that ends at p, if any, and its other end.
    bool take(Point p, Point& other)
    {
        const auto [first, last] = range(keyOf(p));
        for (auto it = first; it != last; ++it) {
            const std::size_t i = it->second;
            if (used_[i])
                continue;
            used_[i] = true;
            other = keyOf(segments_[i].a) == it->first ? segments_[i].b : segments_[i].a;
            return true;
        }
        return false;
    }

    void markUsed(std::size_t i) { used_[i] = true; }

    // Appends to the chain the segments that follow from its last point.
    void follow(std::vector<Point>& chain)
    {
        Point other;
        while (take(chain.back(), other))
            chain.push_back(other);
    }

private:
    using Ends = std::vector<std::pair<Key, std::size_t>>;
    std::pair<Ends::const_iterator, Ends::const_iterator> range(Key k) const
    {
        const auto first =
            std::lower_bound(ends_.begin(), ends_.end(), std::make_pair(k, std::size_t{0}));
        auto last = first;
        while (last != ends_.end() && last->first == k)
            ++last;
        return {first, last};
    }

    std::vector<Segment10> segments_;
    Ends ends_;
    std::vector<bool> used_;
};

bool apart(Point a, Point b, int tenths)
{
    return std::abs(a.x - b.x) > tenths || std::abs(a.y - b.y) > tenths;
}

std::vector<Point> thinned(std::span<const Point> chain, int tenths)
{
    std::vector<Point> kept;
    if (chain.empty())
        return kept;
    kept.push_back(chain.front());
    for (std::size_t i = 1; i < chain.size(); ++i)
        if (apart(chain[i], kept.back(), tenths))
            kept.push_back(chain[i]);
    return kept;
}

void padTo3kPlus1(std::vector<Point>& points, Point with)
{
    while (points.size() % 3 != 1)
        points.push_back(with);
}

std::vector<Point> inPixels(std::vector<Point> tenths)
{
    for (Point& p : tenths)
        p = {RoundHalfEven(p.x / 10.0), RoundHalfEven(p.y / 10.0)};
    return tenths;
}

} // namespace

std::vector<Chain> ChainSegments(std::span<const Segment10> segments)
{
    EndMap map(segments);
    std::vector<Chain> chains;
    for (std::size_t i = 0; i < map.size(); ++i)
        for (const Point end : {map.segment(i).a, map.segment(i).b}) {
            if (map.used(i) || map.degree(end) != 1)
                continue;
            Chain chain{{end}, false};
            map.follow(chain.points);
            chains.push_back(std::move(chain));
        }
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (map.used(i))
            continue;
        map.markUsed(i);
        Chain chain{{map.segment(i).a, map.segment(i).b}, false};
        map.follow(chain.points);
        chain.closed = true;
        chains.push_back(std::move(chain));
    }
    return chains;
}

std::vector<Point> OpenChainPoints(std::span<const Point> chain)
{
    std::vector<Point> points = thinned(chain, 2);
    if (points.empty())
        return points;
    points.push_back(points.back());
    padTo3kPlus1(points, chain.back());
    return inPixels(std::move(points));
}

std::vector<Point> ClosedChainPoints(std::span<const Point> chain)
{
    std::vector<Point> points = thinned(chain, 4);
    if (points.empty())
        return points;
    const Point closing = chain.back();
    if (points.size() > 1 && points.back() != closing)
        points.back() = closing; // the last kept point lies within 4 tenths of the closing one
    padTo3kPlus1(points, points.back());
    return inPixels(std::move(points));
}

} // namespace ploq
