#pragma once
// The root of the report object tree: name, geometry, font, visibility,
// parent and the ordered children the object owns.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/component_link.h"
#include "report/font.h"
#include "report/property_list.h"

namespace lk63 {

class TrpPage;
class TrpReport;

class TrpComponent {
public:
    TrpComponent();
    virtual ~TrpComponent();
    TrpComponent(const TrpComponent&) = delete;
    TrpComponent& operator=(const TrpComponent&) = delete;

    [[nodiscard]] virtual std::string_view ClassName() const = 0;

    [[nodiscard]] const std::string& Name() const { return name_; }
    virtual void SetName(std::string name) { name_ = std::move(name); }

    // Pixels at 96 dpi; Left and Top relative to the parent.
    [[nodiscard]] double Left() const { return left_; }
    [[nodiscard]] double Top() const { return top_; }
    [[nodiscard]] double Width() const { return width_; }
    [[nodiscard]] double Height() const { return height_; }
    void SetLeft(double v) { left_ = v; }
    void SetTop(double v) { top_ = v; }
    void SetWidth(double v) { width_ = v; }
    void SetHeight(double v) { height_ = v; }
    void SetBounds(double left, double top, double width, double height);

    // Assigning a font turns ParentFont off and passes the font on to every
    // child that follows its parent's font.
    [[nodiscard]] const TrpFont& Font() const { return font_; }
    void SetFont(const TrpFont& font);
    [[nodiscard]] bool ParentFont() const { return parentFont_; }
    // Turning it on takes the parent's font at once.
    void SetParentFont(bool value);

    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    [[nodiscard]] int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }

    [[nodiscard]] TrpComponent* Parent() const { return parent_; }
    [[nodiscard]] const std::vector<std::unique_ptr<TrpComponent>>& Objects() const { return objects_; }

    // Attaches an object that has no parent yet: it is appended to Objects
    // and takes this object's font while its ParentFont is on.
    template <typename T>
    T* Add(std::unique_ptr<T> child) {
        T* raw = child.get();
        Adopt(std::unique_ptr<TrpComponent>(std::move(child)));
        return raw;
    }
    // Moves an attached object to another parent (appended at the end).
    // Throws TrpError when the new parent is the object or lies below it.
    void MoveTo(TrpComponent& newParent);
    // Removes the object from its parent and hands it to the caller.
    std::unique_ptr<TrpComponent> Detach();

    // Left (Top) of the object and of its ancestors up to and including the
    // page; the report above the page does not count.
    [[nodiscard]] double AbsLeft() const;
    [[nodiscard]] double AbsTop() const;
    // All descendants, depth first, each before its own children.
    [[nodiscard]] std::vector<TrpComponent*> AllObjects() const;
    // The first of AllObjects whose Name equals `name`, ignoring ASCII case.
    [[nodiscard]] TrpComponent* FindObject(std::string_view name) const;
    // The nearest page (report) among the object and its ancestors.
    [[nodiscard]] TrpPage* Page() const;
    [[nodiscard]] TrpReport* Report() const;

    // Whether the prepared pages store copies and records this object.
    [[nodiscard]] bool ShownInPreparedPages() const { return shownInPreparedPages_; }
    void SetShownInPreparedPages(bool value) { shownInPreparedPages_ = value; }
    // Name of the object in prepared pages, given by the store.
    [[nodiscard]] const std::string& Alias() const { return alias_; }
    void SetAlias(std::string alias) { alias_ = std::move(alias); }

    // The stored properties, in the order they are written and applied.
    virtual void DefineProperties(TPropertyList& list);
    // Those properties, listed once for the object's life: every accessor
    // works on the object's current state, so the list never goes stale.
    [[nodiscard]] const TPropertyList& Properties() const;

    [[nodiscard]] const TrpLifeToken& LifeToken() const { return lifeToken_; }

private:
    void Adopt(std::unique_ptr<TrpComponent> child);
    void TakeParentFont(const TrpFont& font);
    void PassFontToChildren();

    std::string name_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TrpFont font_;
    bool parentFont_ = true;
    bool visible_ = true;
    int tag_ = 0;
    bool shownInPreparedPages_ = true;
    std::string alias_;
    TrpComponent* parent_ = nullptr;
    std::vector<std::unique_ptr<TrpComponent>> objects_;
    TrpLifeToken lifeToken_;
    mutable std::unique_ptr<TPropertyList> properties_;
};

template <typename T>
void TrpLink<T>::Set(T* target) {
    target_ = target;
    token_ = target ? std::weak_ptr<TrpComponent*>(target->LifeToken()) : std::weak_ptr<TrpComponent*>();
}

// ASCII-only case-insensitive equality, as object and report data set lookups use.
bool SameTextAscii(std::string_view a, std::string_view b);

}  // namespace lk63
