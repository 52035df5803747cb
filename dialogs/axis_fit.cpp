#include "dialogs/axis_fit.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace qx::fit {
namespace {

int End(const Span& span) {
    return span.start + span.length;
}

// Whether `a` comes before `b` in a row: their places overlap across the axis, `a` is centred
// before `b` begins, and `b` is centred after `a` ends. Controls laid over one another, such as a
// note on the line of a longer text, are not in that order either way.
bool Before(const Span& a, const Span& b) {
    const bool shareRow =
        a.crossStart < b.crossStart + b.crossLength && b.crossStart < a.crossStart + a.crossLength;
    return shareRow && 2 * a.start + a.length < 2 * b.start && 2 * b.start + b.length > 2 * End(a);
}

// The spacing `a` keeps to `b`, which comes after it. A framed control keeps the designed
// distance. A text-only control's rectangle usually reaches beyond its text or under its
// neighbour, so its designed distance says nothing: its text keeps its spacing (at least the
// clearance) to the neighbour. Where the space is elastic, framed controls may come as close
// as a small spacing.
int Gap(const Span& a, const Span& b, bool elastic) {
    if (a.paints == Paints::TextOnly)
        return std::max(kTextClearance, a.textSpacing);
    const int designed = b.start - End(a);
    return elastic ? std::clamp(designed, 0, kFrameSpacing) : designed;
}

struct Extents {
    std::vector<int> grown;   // the control's length: designed, or more for its text
    std::vector<int> painted; // how far its neighbours must keep off: its text or its length
};

Extents Measure(const std::vector<Span>& spans) {
    Extents extents;
    for (const Span& span : spans) {
        const int grown = std::max(span.length, span.least);
        extents.grown.push_back(grown);
        extents.painted.push_back(span.paints == Paints::TextOnly ? span.least : grown);
    }
    return extents;
}

std::vector<std::size_t> Order(const std::vector<Span>& spans, bool byEndDescending) {
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return byEndDescending ? End(spans[a]) > End(spans[b]) : spans[a].start < spans[b].start;
    });
    return order;
}

} // namespace

Fitted FitAxis(const Line& line, const std::vector<Span>& spans) {
    const std::size_t count = spans.size();
    const Extents extents = Measure(spans);
    const auto isFar = [&](std::size_t i) { return spans[i].anchor == Anchor::Far; };

    // Controls held by the near edge, in designed order: each starts where it was drawn or,
    // when a control before it grew or moved, just far enough on.
    std::vector<int> start(count, 0);
    const std::vector<std::size_t> byStart = Order(spans, false);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = byStart[k];
        if (isFar(i))
            continue;
        start[i] = std::max(spans[i].start, line.leading);
        for (std::size_t m = 0; m < k; ++m) {
            const std::size_t j = byStart[m];
            if (!isFar(j) && Before(spans[j], spans[i]))
                start[i] = std::max(start[i],
                                    start[j] + extents.painted[j] + Gap(spans[j], spans[i], false));
        }
    }

    // Controls held by the far edge, from that edge back: the distance of each one's end to
    // the far edge.
    std::vector<int> toFar(count, 0);
    const std::vector<std::size_t> byEnd = Order(spans, true);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = byEnd[k];
        if (!isFar(i))
            continue;
        toFar[i] = line.length - End(spans[i]);
        for (std::size_t m = 0; m < k; ++m) {
            const std::size_t j = byEnd[m];
            if (isFar(j) && Before(spans[i], spans[j]))
                toFar[i] = std::max(toFar[i],
                                    toFar[j] + extents.grown[j] + Gap(spans[i], spans[j], false));
        }
    }
    // A stretching control ends before the far-edge controls that follow it in its row.
    for (std::size_t i = 0; i < count; ++i) {
        if (spans[i].anchor != Anchor::Both)
            continue;
        toFar[i] = line.length - End(spans[i]);
        for (std::size_t j = 0; j < count; ++j)
            if (isFar(j) && Before(spans[i], spans[j]))
                toFar[i] = std::max(toFar[i],
                                    toFar[j] + extents.grown[j] + Gap(spans[i], spans[j], false));
    }

    // The container keeps the smallest margins its design has at either end.
    int nearMargin = INT_MAX;
    int farMargin = INT_MAX;
    for (const Span& span : spans) {
        nearMargin = std::min(nearMargin, std::max(0, span.start));
        farMargin = std::min(farMargin, std::max(0, line.length - End(span)));
    }
    nearMargin = std::max(count == 0 ? 0 : nearMargin, line.leading);
    farMargin = count == 0 ? 0 : farMargin;

    int length = std::max(line.length, line.least);
    for (std::size_t i = 0; i < count; ++i) {
        switch (spans[i].anchor) {
        case Anchor::Near:
            length = std::max(length, start[i] + extents.grown[i] + farMargin);
            for (std::size_t j = 0; j < count; ++j)
                if (isFar(j) && Before(spans[i], spans[j]))
                    length = std::max(length, start[i] + extents.painted[i] +
                                                  Gap(spans[i], spans[j], true) + extents.grown[j] +
                                                  toFar[j]);
            break;
        case Anchor::Both:
            length = std::max(length, start[i] + extents.grown[i] + toFar[i]);
            break;
        case Anchor::Far:
            length = std::max(length, nearMargin + extents.grown[i] + toFar[i]);
            break;
        }
    }

    Fitted fitted{length, {}};
    for (std::size_t i = 0; i < count; ++i) {
        switch (spans[i].anchor) {
        case Anchor::Near:
            fitted.spans.push_back({start[i], extents.grown[i]});
            break;
        case Anchor::Both:
            fitted.spans.push_back({start[i], length - start[i] - toFar[i]});
            break;
        case Anchor::Far:
            fitted.spans.push_back({length - toFar[i] - extents.grown[i], extents.grown[i]});
            break;
        }
    }
    return fitted;
}

} // namespace qx::fit
