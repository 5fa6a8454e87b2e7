#include "platform/text/MeasureCache.h"

#include <list>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace platform {

namespace {

// Enough for every place name of a large project's boards many times over;
// a few megabytes at most.
constexpr size_t kDefaultCapacity = 4096;

struct KeyHash {
    size_t operator()(const MeasureKey& key) const
    {
        size_t h = std::hash<std::string>{}(key.fontFile);
        const auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
        mix(std::hash<double>{}(key.scaleX));
        mix(std::hash<double>{}(key.wrapWidth));
        for (const std::u32string& p : key.paragraphs)
            mix(std::hash<std::u32string>{}(p));
        return h;
    }
};

struct Cache {
    std::mutex mutex;
    size_t capacity = kDefaultCapacity;
    // Most recently used first.
    std::list<std::pair<MeasureKey, MeasuredLines>> entries;
    std::unordered_map<MeasureKey, decltype(entries)::iterator, KeyHash> index;
    TextMeasureCounts counts;

    void trim()
    {
        while (entries.size() > capacity) {
            index.erase(entries.back().first);
            entries.pop_back();
        }
    }
};

Cache& cache()
{
    static Cache c;
    return c;
}

}  // namespace

MeasuredLines measureCached(const MeasureKey& key, const std::function<MeasuredLines()>& measure)
{
    Cache& c = cache();
    {
        std::lock_guard lock(c.mutex);
        if (const auto it = c.index.find(key); it != c.index.end()) {
            c.entries.splice(c.entries.begin(), c.entries, it->second);
            ++c.counts.kept;
            return it->second->second;
        }
        ++c.counts.measured;
    }
    // Measured outside the lock: glyphs are looked up under the font's own.
    MeasuredLines lines = measure();
    std::lock_guard lock(c.mutex);
    if (c.capacity == 0 || c.index.count(key))
        return lines;
    c.entries.emplace_front(key, lines);
    c.index.emplace(key, c.entries.begin());
    c.trim();
    return lines;
}

void setTextMeasureCapacity(size_t entries)
{
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    c.capacity = entries;
    c.trim();
}

TextMeasureCounts textMeasureCounts()
{
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    TextMeasureCounts counts = c.counts;
    counts.size = c.entries.size();
    return counts;
}

void clearTextMeasureCache()
{
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    c.entries.clear();
    c.index.clear();
    c.counts = {};
}

}  // namespace platform
