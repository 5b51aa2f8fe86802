#pragma once

// The order in which texts are sorted for the user: the platform's locale-aware comparison
// without regard to case. The core sorts through this interface; the window system gives the
// real one (QtTextOrder.h), and NoCaseOrder stands in where there is none.

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ploq {

class TextOrder {
public:
    virtual ~TextOrder() = default;
    // Negative, zero or positive as `a` (Windows-1252) sorts before, with or after `b`.
    virtual int compare(std::string_view a, std::string_view b) const = 0;
    // Each text's rank in that order, texts that compare equal sharing one: sorting many texts
    // by rank costs one comparison key per text instead of one per comparison. This default
    // sorts the distinct texts with `compare`.
    virtual std::vector<int> ranks(const std::vector<std::string>& texts) const;
};

// ASCII letters compared without case, every other byte by its value.
class NoCaseOrder : public TextOrder {
public:
    int compare(std::string_view a, std::string_view b) const override;
};

// The ranks of the texts from one key per distinct text: `keyOf(text)` makes it and
// `compareKeys(a, b)` compares two keys (negative, zero or positive).
template <class KeyOf, class CompareKeys>
std::vector<int> RanksByKeys(const std::vector<std::string>& texts, KeyOf keyOf,
                             CompareKeys compareKeys)
{
    using Key = decltype(keyOf(std::string_view()));
    std::unordered_map<std::string_view, std::size_t> distinctOf;
    std::vector<Key> keys;
    std::vector<std::size_t> textToDistinct(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [it, added] = distinctOf.try_emplace(texts[i], keys.size());
        if (added)
            keys.push_back(keyOf(texts[i]));
        textToDistinct[i] = it->second;
    }
    std::vector<std::size_t> sorted(keys.size());
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    std::sort(sorted.begin(), sorted.end(),
              [&](std::size_t a, std::size_t b) { return compareKeys(keys[a], keys[b]) < 0; });
    std::vector<int> distinctRank(keys.size());
    int rank = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0 && compareKeys(keys[sorted[i - 1]], keys[sorted[i]]) != 0)
            ++rank;
        distinctRank[sorted[i]] = rank;
    }
    std::vector<int> result(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        result[i] = distinctRank[textToDistinct[i]];
    return result;
}

} // namespace ploq
