#include "report/prepared_pages_dictionary.h"

#include "report/band.h"

namespace lk63 {

std::string TrpDictionary::PrefixOf(const TrpComponent& object) {
    if (dynamic_cast<const TrpBand*>(&object)) return "b";
    std::string_view name = object.ClassName();
    if (name.starts_with("Trp")) name.remove_prefix(3);
    if (name.empty()) return "o";
    const char c = name.front();
    return std::string(1, (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
}

std::string TrpDictionary::UniqueAlias(std::string_view prefix) const {
    const auto taken = [&](long n) { return Contains(std::string(prefix) + std::to_string(n)); };
    long n = 10000;
    while (n > 1 && !taken(n)) n /= 2;
    while (taken(n)) ++n;
    return std::string(prefix) + std::to_string(n);
}

void TrpDictionary::Add(std::string alias, std::string sourceName, TrpComponent* source) {
    aliases_[std::move(alias)] = sources_.size();
    sources_.emplace_back(std::move(sourceName), source);
}

TrpComponent* TrpDictionary::Source(std::string_view alias) const {
    const auto it = aliases_.find(alias);
    return it == aliases_.end() ? nullptr : sources_[it->second].second;
}

bool TrpDictionary::Contains(std::string_view alias) const { return aliases_.find(alias) != aliases_.end(); }

void TrpDictionary::Clear() {
    aliases_.clear();
    sources_.clear();
}

}  // namespace lk63
