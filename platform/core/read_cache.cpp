#include "platform/core/read_cache.h"

#include <atomic>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace platform::read_cache {
namespace {

namespace fs = std::filesystem;

// Every file call of the browser's worker waits for the page's thread.
#if defined(__EMSCRIPTEN__)
constexpr bool kOnByDefault = true;
#else
constexpr bool kOnByDefault = false;
#endif

// Moves at every change, so that a read begun before it is not kept.
std::atomic<std::uint64_t> g_ticket{1};
// Moves at every change made elsewhere: the cache forgets everything when it sees it move.
std::atomic<std::uint64_t> g_elsewhere{0};

struct Cache {
    std::mutex mutex;
    bool enabled = kOnByDefault;
    bool started = false;  // the working directory has been taken
    std::string workingDirectory;
    std::uint64_t elsewhereSeen = 0;
    std::unordered_map<std::string, bool> exists;
    std::unordered_map<std::string, std::shared_ptr<const std::vector<std::string>>> listings;
    std::unordered_map<std::string, Contents> files;

    void Clear() {
        exists.clear();
        listings.clear();
        files.clear();
    }
};

Cache& State() {
    static Cache cache;
    return cache;
}

// The cache, locked and up to date, when it is on.
class Locked {
public:
    Locked() : cache_(State()), lock_(cache_.mutex) {
        if (!cache_.enabled) return;
        if (!cache_.started) {
            std::error_code error;
            cache_.workingDirectory = fs::current_path(error).string();
            cache_.started = true;
        }
        const std::uint64_t elsewhere = g_elsewhere.load();
        if (elsewhere != cache_.elsewhereSeen) {
            cache_.Clear();
            cache_.elsewhereSeen = elsewhere;
        }
    }
    bool On() const { return cache_.enabled; }
    Cache* operator->() { return &cache_; }

    // Absolute, without "." and "..", without a separator at the end: one name for one file.
    std::string Key(const std::string& path) const {
        const fs::path given(path);
        std::string key =
            (given.is_absolute() ? given : fs::path(cache_.workingDirectory) / given).lexically_normal().string();
        while (key.size() > 1 && key.back() == '/') key.pop_back();
        return key;
    }

private:
    Cache& cache_;
    std::lock_guard<std::mutex> lock_;
};

// What lies at `key` or below it, when `key` names a folder.
template <class Map>
void ForgetBelow(Map& map, const std::string& key) {
    for (auto it = map.begin(); it != map.end();) {
        const std::string& name = it->first;
        const bool below = name.size() > key.size() && name.compare(0, key.size(), key) == 0 && name[key.size()] == '/';
        it = name == key || below ? map.erase(it) : std::next(it);
    }
}

template <class Map>
auto Find(Locked& cache, Map& map, const std::string& path) -> std::optional<typename Map::mapped_type> {
    if (!cache.On() || path.empty()) return std::nullopt;
    const auto it = map.find(cache.Key(path));
    if (it == map.end()) return std::nullopt;
    return it->second;
}

template <class Map, class Value>
void Keep(Locked& cache, Map& map, const std::string& path, Value value, std::uint64_t ticket) {
    if (cache.On() && !path.empty() && ticket == g_ticket.load()) map[cache.Key(path)] = std::move(value);
}

}  // namespace

void Enable(bool on) {
    Cache& cache = State();
    std::lock_guard lock(cache.mutex);
    cache.enabled = on;
    cache.started = false;
    cache.Clear();
    g_ticket.fetch_add(1);
}

bool Enabled() {
    Cache& cache = State();
    std::lock_guard lock(cache.mutex);
    return cache.enabled;
}

std::uint64_t Ticket() { return g_ticket.load(); }

std::optional<bool> Exists(const std::string& path) {
    Locked cache;
    if (const auto file = Find(cache, cache->files, path)) return !file->missing;
    return Find(cache, cache->exists, path);
}

void KeepExists(const std::string& path, bool exists, std::uint64_t ticket) {
    Locked cache;
    Keep(cache, cache->exists, path, exists, ticket);
}

std::shared_ptr<const std::vector<std::string>> Listing(const std::string& folder) {
    Locked cache;
    return Find(cache, cache->listings, folder).value_or(nullptr);
}

void KeepListing(const std::string& folder, std::vector<std::string> names, std::uint64_t ticket) {
    Locked cache;
    Keep(cache, cache->listings, folder, std::make_shared<const std::vector<std::string>>(std::move(names)), ticket);
}

std::optional<Contents> File(const std::string& path) {
    Locked cache;
    return Find(cache, cache->files, path);
}

void KeepFile(const std::string& path, std::shared_ptr<const std::string> bytes, std::uint64_t ticket) {
    Locked cache;
    Keep(cache, cache->files, path, Contents{false, std::move(bytes)}, ticket);
}

void KeepMissing(const std::string& path, std::uint64_t ticket) {
    Locked cache;
    Keep(cache, cache->files, path, Contents{true, nullptr}, ticket);
}

void Changed(const std::string& path) {
    Locked cache;
    g_ticket.fetch_add(1);
    if (!cache.On() || path.empty()) return;
    const std::string key = cache.Key(path);
    // A folder made, moved or deleted takes whatever lay below it along.
    ForgetBelow(cache->exists, key);
    ForgetBelow(cache->listings, key);
    ForgetBelow(cache->files, key);
    cache->listings.erase(fs::path(key).parent_path().string());
}

void ChangedElsewhere() {
    g_elsewhere.fetch_add(1);
    g_ticket.fetch_add(1);
}

}  // namespace platform::read_cache
