#include "report/component.h"

#include <algorithm>

#include "report/error.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

TrpComponent::TrpComponent() : lifeToken_(std::make_shared<TrpComponent*>(this)) {}

const TPropertyList& TrpComponent::Properties() const {
    if (!properties_) {
        auto list = std::make_unique<TPropertyList>();
        // Defining only binds accessors to this object; it changes nothing.
        const_cast<TrpComponent*>(this)->DefineProperties(*list);
        list->ShrinkToFit();
        properties_ = std::move(list);
    }
    return *properties_;
}

TrpComponent::~TrpComponent() {
    lifeToken_.reset();  // links read as none from here on
    // Children go first, last attached first, while the parent is still whole.
    while (!objects_.empty()) objects_.pop_back();
}

void TrpComponent::SetBounds(double left, double top, double width, double height) {
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

void TrpComponent::SetFont(const TrpFont& font) {
    font_ = font;
    parentFont_ = false;
    PassFontToChildren();
}

void TrpComponent::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) TakeParentFont(parent_->font_);
}

void TrpComponent::TakeParentFont(const TrpFont& font) {
    font_ = font;
    PassFontToChildren();
}

void TrpComponent::PassFontToChildren() {
    for (const auto& child : objects_) {
        if (child->parentFont_) child->TakeParentFont(font_);
    }
}

void TrpComponent::Adopt(std::unique_ptr<TrpComponent> child) {
    if (!child) return;
    if (child->parent_) throw TrpError("An attached object cannot be added again");
    for (const TrpComponent* p = this; p; p = p->parent_) {
        if (p == child.get()) throw TrpError("An object cannot be attached below itself");
    }
    child->parent_ = this;
    TrpComponent& raw = *child;
    objects_.push_back(std::move(child));
    if (raw.parentFont_) raw.TakeParentFont(font_);
}

void TrpComponent::MoveTo(TrpComponent& newParent) {
    if (!parent_) throw TrpError("Only an attached object can be moved to another parent");
    for (const TrpComponent* p = &newParent; p; p = p->parent_) {
        if (p == this) throw TrpError("An object cannot be attached below itself");
    }
    newParent.Adopt(Detach());
}

std::unique_ptr<TrpComponent> TrpComponent::Detach() {
    if (!parent_) return nullptr;
    auto& siblings = parent_->objects_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const std::unique_ptr<TrpComponent>& c) { return c.get() == this; });
    std::unique_ptr<TrpComponent> self = std::move(*it);
    siblings.erase(it);
    parent_ = nullptr;
    return self;
}

double TrpComponent::AbsLeft() const {
    double sum = 0;
    for (const TrpComponent* c = this; c && !dynamic_cast<const TrpReport*>(c); c = c->parent_) {
        sum += c->left_;
        if (dynamic_cast<const TrpPage*>(c)) break;
    }
    return sum;
}

double TrpComponent::AbsTop() const {
    double sum = 0;
    for (const TrpComponent* c = this; c && !dynamic_cast<const TrpReport*>(c); c = c->parent_) {
        sum += c->top_;
        if (dynamic_cast<const TrpPage*>(c)) break;
    }
    return sum;
}

namespace {

void CollectObjects(const TrpComponent& c, std::vector<TrpComponent*>& out) {
    for (const auto& child : c.Objects()) {
        out.push_back(child.get());
        CollectObjects(*child, out);
    }
}

TrpComponent* FindIn(const TrpComponent& c, std::string_view name) {
    for (const auto& child : c.Objects()) {
        if (SameTextAscii(child->Name(), name)) return child.get();
        if (TrpComponent* found = FindIn(*child, name)) return found;
    }
    return nullptr;
}

}  // namespace

std::vector<TrpComponent*> TrpComponent::AllObjects() const {
    std::vector<TrpComponent*> out;
    CollectObjects(*this, out);
    return out;
}

TrpComponent* TrpComponent::FindObject(std::string_view name) const { return FindIn(*this, name); }

TrpPage* TrpComponent::Page() const {
    for (const TrpComponent* c = this; c; c = c->parent_) {
        if (const auto* page = dynamic_cast<const TrpPage*>(c)) return const_cast<TrpPage*>(page);
    }
    return nullptr;
}

TrpReport* TrpComponent::Report() const {
    for (const TrpComponent* c = this; c; c = c->parent_) {
        if (const auto* report = dynamic_cast<const TrpReport*>(c)) return const_cast<TrpReport*>(report);
    }
    return nullptr;
}

void TrpComponent::DefineProperties(TPropertyList& list) {
    list.Text(
        "Name", [this] { return name_; }, [this](std::string v) { SetName(std::move(v)); });
    list.Float("l", left_);
    list.Float("t", top_);
    list.Float(
        "w", [this] { return width_; }, [this](double v) { SetWidth(v); });
    list.Float(
        "h", [this] { return height_; }, [this](double v) { SetHeight(v); });
    auto font = [this](auto change) {
        return [this, change](auto v) {
            TrpFont f = font_;
            change(f, v);
            SetFont(f);
        };
    };
    list.Text(
        "Font.Name", [this] { return font_.Name(); },
        font([](TrpFont& f, std::string v) { f.SetName(std::move(v)); }));
    list.Integer<int>(
        "Font.Height", [this] { return font_.Height(); }, font([](TrpFont& f, int v) { f.SetHeight(v); }));
    list.Integer<TrpColor>(
        "Font.Color", [this] { return font_.Color(); }, font([](TrpFont& f, TrpColor v) { f.SetColor(v); }));
    list.Bits<std::uint8_t>(
        "Font.Style", 0x0F, [this] { return font_.Style(); },
        font([](TrpFont& f, std::uint8_t v) { f.SetStyle(v); }));
    list.Integer<int>(
        "Font.Charset", [this] { return font_.Charset(); }, font([](TrpFont& f, int v) { f.SetCharset(v); }));
    // After the font, so that an object that follows its parent gets it back.
    list.Boolean(
        "ParentFont", [this] { return parentFont_; }, [this](bool v) { SetParentFont(v); });
    list.Boolean("Visible", visible_);
    list.Integer("Tag", tag_);
}

}  // namespace lk63
