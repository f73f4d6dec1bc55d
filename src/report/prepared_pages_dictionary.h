#pragma once
// Aliases of the objects of source pages: short record names ("b1", "m12")
// and the source object each stands for.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lk63 {

class TrpComponent;

class TrpDictionary {
public:
    // "b" for a band, else the lower-cased first letter of the class name
    // after "Trp": memos "m", lines "l".
    static std::string PrefixOf(const TrpComponent& object);

    // The first free alias of the prefix, counting from 1.
    [[nodiscard]] std::string UniqueAlias(std::string_view prefix) const;
    void Add(std::string alias, std::string sourceName, TrpComponent* source);
    // The source object of an alias, or none.
    [[nodiscard]] TrpComponent* Source(std::string_view alias) const;
    [[nodiscard]] bool Contains(std::string_view alias) const;
    [[nodiscard]] std::size_t Count() const { return sources_.size(); }
    [[nodiscard]] const std::string& SourceName(std::size_t index) const { return sources_[index].first; }
    void Clear();

private:
    std::map<std::string, std::size_t, std::less<>> aliases_;  // alias -> index into sources_
    std::vector<std::pair<std::string, TrpComponent*>> sources_;
};

}  // namespace lk63
