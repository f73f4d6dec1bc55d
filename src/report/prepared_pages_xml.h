#pragma once
// The record tree of prepared pages: named nodes with attribute text and
// ordered children, owned by their parent.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lk63 {

class TrpXMLItem {
public:
    explicit TrpXMLItem(std::string name = {}) : name_(std::move(name)) {}
    TrpXMLItem(const TrpXMLItem&) = delete;
    TrpXMLItem& operator=(const TrpXMLItem&) = delete;

    [[nodiscard]] const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // Attributes in XML syntax, each pair preceded by one blank, values escaped.
    [[nodiscard]] const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] TrpXMLItem& Items(std::size_t index) { return *items_[index]; }
    [[nodiscard]] const TrpXMLItem& Items(std::size_t index) const { return *items_[index]; }
    [[nodiscard]] TrpXMLItem* Parent() const { return parent_; }
    [[nodiscard]] int IndexOf(const TrpXMLItem& item) const;

    TrpXMLItem& Add(std::string name = {});
    // Moves a node from wherever it is to the end of (or to `index` in) this
    // node's children.
    void AddItem(TrpXMLItem& item);
    void InsertItem(std::size_t index, TrpXMLItem& item);
    // Removes the node from its parent and hands it over.
    std::unique_ptr<TrpXMLItem> Detach();
    void Clear() { items_.clear(); }

    // First child of that name ignoring ASCII case, or -1.
    [[nodiscard]] int Find(std::string_view name) const;
    TrpXMLItem& FindOrCreate(std::string_view name);

    // The unescaped value, empty when the attribute is missing.
    [[nodiscard]] std::string Prop(std::string_view name) const;
    // Replaces the value in place or appends the attribute.
    void SetProp(std::string_view name, std::string_view value);

    bool Loaded = true;
    bool Unloadable = false;
    long long FilePosition = -1;

private:
    std::unique_ptr<TrpXMLItem> Take(TrpXMLItem& item);
    // Offset of the opening quote's successor and the closing quote, or npos.
    [[nodiscard]] std::pair<std::size_t, std::size_t> FindValue(std::string_view name) const;

    std::string name_;
    std::string text_;
    TrpXMLItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TrpXMLItem>> items_;
};

class TrpXMLDocument {
public:
    TrpXMLDocument() : root_("preparedreport") {}
    [[nodiscard]] TrpXMLItem& Root() { return root_; }
    [[nodiscard]] const TrpXMLItem& Root() const { return root_; }

private:
    TrpXMLItem root_;
};

}  // namespace lk63
