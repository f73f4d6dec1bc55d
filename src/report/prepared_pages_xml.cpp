#include "report/prepared_pages_xml.h"

#include <algorithm>

#include "report/attribute_text.h"
#include "report/component.h"
#include "report/error.h"

namespace lk63 {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindIgnoringCase(std::string_view text, std::string_view what) {
    if (what.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + what.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() && Lower(text[i + k]) == Lower(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

std::string Unescape(std::string_view raw) {
    if (raw.find('&') == std::string_view::npos) return std::string(raw);
    std::string text = " v=\"";
    text += raw;
    text += '"';
    return ParseAttributes(text).front().second;
}

}  // namespace

int TrpXMLItem::IndexOf(const TrpXMLItem& item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == &item) return static_cast<int>(i);
    }
    return -1;
}

TrpXMLItem& TrpXMLItem::Add(std::string name) {
    items_.push_back(std::make_unique<TrpXMLItem>(std::move(name)));
    items_.back()->parent_ = this;
    return *items_.back();
}

std::unique_ptr<TrpXMLItem> TrpXMLItem::Take(TrpXMLItem& item) {
    for (const TrpXMLItem* p = this; p; p = p->parent_) {
        if (p == &item) throw TrpError("A node cannot be moved below itself");
    }
    if (item.parent_) return item.Detach();
    throw TrpError("A node without a parent cannot be moved");
}

void TrpXMLItem::AddItem(TrpXMLItem& item) {
    auto owned = Take(item);
    owned->parent_ = this;
    items_.push_back(std::move(owned));
}

void TrpXMLItem::InsertItem(std::size_t index, TrpXMLItem& item) {
    auto owned = Take(item);
    owned->parent_ = this;
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())), std::move(owned));
}

std::unique_ptr<TrpXMLItem> TrpXMLItem::Detach() {
    if (!parent_) return nullptr;
    auto& siblings = parent_->items_;
    // Records usually leave from the end of a page.
    auto it = siblings.end();
    while (it != siblings.begin()) {
        --it;
        if (it->get() == this) break;
    }
    std::unique_ptr<TrpXMLItem> self = std::move(*it);
    siblings.erase(it);
    parent_ = nullptr;
    return self;
}

int TrpXMLItem::Find(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (SameTextAscii(items_[i]->name_, name)) return static_cast<int>(i);
    }
    return -1;
}

TrpXMLItem& TrpXMLItem::FindOrCreate(std::string_view name) {
    const int i = Find(name);
    return i >= 0 ? *items_[static_cast<std::size_t>(i)] : Add(std::string(name));
}

std::pair<std::size_t, std::size_t> TrpXMLItem::FindValue(std::string_view name) const {
    // The text with a blank in front, searched for blank, name, '=', '"'.
    std::string key = " ";
    key += name;
    key += "=\"";
    const std::string text = " " + text_;
    const std::size_t at = FindIgnoringCase(text, key);
    if (at == std::string::npos) return {std::string::npos, std::string::npos};
    const std::size_t begin = at + key.size();
    const std::size_t end = text.find('"', begin);
    if (end == std::string::npos) return {std::string::npos, std::string::npos};
    return {begin - 1, end - 1};  // offsets in text_
}

std::string TrpXMLItem::Prop(std::string_view name) const {
    const auto [begin, end] = FindValue(name);
    if (begin == std::string::npos) return {};
    return Unescape(std::string_view(text_).substr(begin, end - begin));
}

void TrpXMLItem::SetProp(std::string_view name, std::string_view value) {
    const std::string escaped = EscapeAttributeValue(value);
    const auto [begin, end] = FindValue(name);
    if (begin != std::string::npos) {
        text_.replace(begin, end - begin, escaped);
        return;
    }
    if (text_.empty() || text_.back() != ' ') text_ += ' ';
    text_ += name;
    text_ += "=\"";
    text_ += escaped;
    text_ += '"';
}

}  // namespace lk63
