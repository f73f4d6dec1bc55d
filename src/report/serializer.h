#pragma once
// Every object's stored properties as text in attribute syntax, and back.
// References (Child, DataSet, FlowTo) are written as the Name of the object
// referred to, empty for none.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/component.h"

namespace lk63 {

// A new object of the named class; none for a class this system does not know.
std::unique_ptr<TrpComponent> CreateComponent(std::string_view className);

// All stored properties, each ` Name="value"`, in definition order.
std::string PropertyText(const TrpComponent& object);
// The class name followed by PropertyText.
std::string FullPropertyText(const TrpComponent& object);

// What PropertyText writes, kept apart for an object rebuilt again and again:
// each property's text in definition order and, for each, the position of
// the property that reading its name back sets (the first of that name).
struct TrpStoredProperties {
    std::vector<std::string> Texts;
    std::vector<std::size_t> Targets;
};
TrpStoredProperties StoredProperties(const TrpComponent& object);

// DifferenceText with the texts of `source` taken by StoredProperties, while
// `source` has not changed since.
std::string DifferenceText(const TrpComponent& object, const TrpComponent& source,
                           const TrpStoredProperties& sourceTexts);

// The properties of `object` that differ from those of `source` (an object
// of the same class; otherwise all of them). When the font or ParentFont
// differs, the whole font and ParentFont are written, so that the text
// applied to a copy of `source` rebuilds the font exactly. A band always
// carries its position (l and t): moving prepared bands reads them.
std::string DifferenceText(const TrpComponent& object, const TrpComponent& source);

// A reference read from text, to be resolved once its target exists.
struct TrpPendingReference {
    TrpComponent* Owner = nullptr;
    std::string Property;
    std::string Target;  // Name of the object referred to
};

// Applies attribute text; later attributes override earlier ones. The whole
// text is checked first (syntax, property names, values): on a TrpError
// nothing has changed. With `references`, non-empty references are handed
// back instead of being set; without, they are looked up by Name in the
// object's report and left empty when not found there.
void ApplyProperties(TrpComponent& object, std::string_view attributes,
                     std::vector<TrpPendingReference>* references = nullptr);

// Sets a reference handed back by ApplyProperties; false when the target is
// of the wrong kind or the assignment is refused (a circular Child).
bool ResolveReference(const TrpPendingReference& reference, TrpComponent* target);

// An object built from a full property text (class name and attributes).
// Throws TrpError for an unknown class or bad attributes.
std::unique_ptr<TrpComponent> BuildComponent(std::string_view fullText,
                                             std::vector<TrpPendingReference>* references = nullptr);

// BuildComponent of the class name, the stored properties' text and then
// `attributes`, without writing and reading that text again.
std::unique_ptr<TrpComponent> BuildComponent(std::string_view className, const TrpStoredProperties& stored,
                                             std::string_view attributes);

// Copies every stored property of `source` (same class) to `target`;
// references point to the same objects as in `source`.
void AssignProperties(TrpComponent& target, const TrpComponent& source);

}  // namespace lk63
