#include "report/serializer.h"

#include "report/attribute_text.h"
#include "report/band.h"
#include "report/error.h"
#include "report/report.h"

namespace lk63 {
namespace {

// Writing only reads through the getters of the list.
const TPropertyList& PropertiesOf(const TrpComponent& object) { return object.Properties(); }

std::string TextOf(const TProperty& p) {
    if (!p.IsReference()) return p.Get();
    const TrpComponent* target = p.GetRef();
    return target ? target->Name() : std::string();
}

bool IsFontProperty(std::string_view name) { return name.starts_with("Font.") || name == "ParentFont"; }

}  // namespace

std::string PropertyText(const TrpComponent& object) {
    const TPropertyList& list = PropertiesOf(object);
    std::string out;
    for (const TProperty& p : list.Items()) AppendAttribute(out, p.Name, TextOf(p));
    return out;
}

std::string FullPropertyText(const TrpComponent& object) {
    return std::string(object.ClassName()) + PropertyText(object);
}

TrpStoredProperties StoredProperties(const TrpComponent& object) {
    const TPropertyList& list = PropertiesOf(object);
    const auto& items = list.Items();
    TrpStoredProperties stored;
    stored.Texts.reserve(items.size());
    stored.Targets.reserve(items.size());
    for (const TProperty& p : items) {
        stored.Texts.push_back(TextOf(p));
        stored.Targets.push_back(static_cast<std::size_t>(list.Find(p.Name) - items.data()));
    }
    return stored;
}

namespace {

// The attributes of `mine` that differ; `theirs(i)` is the text of the
// source's property i, `sameRef(i)` whether reference i points alike.
template <typename TheirText, typename SameRef>
std::string Differences(const TrpComponent& object, const TPropertyList& mine, TheirText theirs, SameRef sameRef) {
    const auto& a = mine.Items();
    std::vector<std::string> texts(a.size());
    std::vector<bool> differs(a.size(), false);
    bool fontDiffers = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].IsReference()) {
            differs[i] = !sameRef(i);
        } else {
            texts[i] = a[i].Get();
            differs[i] = texts[i] != theirs(i);
        }
        if (differs[i] && IsFontProperty(a[i].Name)) fontDiffers = true;
    }
    const bool band = dynamic_cast<const TrpBand*>(&object) != nullptr;
    std::string out;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool position = band && (a[i].Name == "l" || a[i].Name == "t");
        if (differs[i] || position || (fontDiffers && IsFontProperty(a[i].Name))) {
            AppendAttribute(out, a[i].Name, a[i].IsReference() ? TextOf(a[i]) : texts[i]);
        }
    }
    return out;
}

}  // namespace

namespace {

// The differences from a source of the same class, whose property texts
// `theirs(property, index)` gives.
template <typename TheirText>
std::string DifferencesFromSource(const TrpComponent& object, const TrpComponent& source, TheirText theirs) {
    if (object.ClassName() != source.ClassName()) return PropertyText(object);
    const TPropertyList& mine = PropertiesOf(object);
    const auto& a = mine.Items();
    const auto& b = PropertiesOf(source).Items();
    return Differences(
        object, mine, [&](std::size_t i) -> decltype(auto) { return theirs(b[i], i); },
        [&a, &b](std::size_t i) { return a[i].GetRef() == b[i].GetRef(); });
}

}  // namespace

std::string DifferenceText(const TrpComponent& object, const TrpComponent& source) {
    return DifferencesFromSource(object, source, [](const TProperty& p, std::size_t) { return p.Get(); });
}

std::string DifferenceText(const TrpComponent& object, const TrpComponent& source,
                           const TrpStoredProperties& sourceTexts) {
    return DifferencesFromSource(object, source, [&sourceTexts](const TProperty&, std::size_t i) -> const std::string& {
        return sourceTexts.Texts[i];
    });
}

void ApplyProperties(TrpComponent& object, std::string_view attributes,
                     std::vector<TrpPendingReference>* references) {
    const std::vector<TAttribute> pairs = ParseAttributes(attributes);
    const TPropertyList& list = object.Properties();
    std::vector<const TProperty*> targets;
    targets.reserve(pairs.size());
    for (const auto& [name, value] : pairs) {
        const TProperty* p = list.Find(name);
        if (!p) throw TrpError("Unknown property " + name + " of " + std::string(object.ClassName()));
        if (!p->IsReference() && !p->Check(value)) {
            throw TrpError("Invalid value \"" + value + "\" of property " + name + " of " +
                           std::string(object.ClassName()));
        }
        targets.push_back(p);
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const TProperty& p = *targets[i];
        const std::string& value = pairs[i].second;
        if (!p.IsReference()) {
            p.Set(value);
        } else if (value.empty()) {
            p.SetRef(nullptr);
        } else if (references) {
            references->push_back({&object, std::string(p.Name), value});
        } else {
            const TrpReport* report = object.Report();
            if (!ResolveReference({&object, std::string(p.Name), value}, report ? report->FindObject(value) : nullptr)) {
                p.SetRef(nullptr);
            }
        }
    }
}

bool ResolveReference(const TrpPendingReference& reference, TrpComponent* target) {
    if (!reference.Owner) return false;
    const TPropertyList& list = reference.Owner->Properties();
    const TProperty* p = list.Find(reference.Property);
    if (!p || !p->IsReference()) return false;
    try {
        return p->SetRef(target) && target != nullptr;
    } catch (const TrpError&) {
        return false;  // a circular Child: the reference keeps its value
    }
}

std::unique_ptr<TrpComponent> BuildComponent(std::string_view fullText,
                                             std::vector<TrpPendingReference>* references) {
    std::size_t end = 0;
    while (end < fullText.size() && fullText[end] != ' ' && fullText[end] != '\t' && fullText[end] != '\r' &&
           fullText[end] != '\n') {
        ++end;
    }
    const std::string_view className = fullText.substr(0, end);
    auto object = CreateComponent(className);
    if (!object) throw TrpError("Unknown class " + std::string(className));
    ApplyProperties(*object, fullText.substr(end), references);
    return object;
}

std::unique_ptr<TrpComponent> BuildComponent(std::string_view className, const TrpStoredProperties& stored,
                                             std::string_view attributes) {
    auto object = CreateComponent(className);
    if (!object) throw TrpError("Unknown class " + std::string(className));
    {
        const auto& items = object->Properties().Items();
        if (items.size() != stored.Texts.size()) throw TrpError("Stored properties of another class");
        for (std::size_t i = 0; i < items.size(); ++i) {
            const TProperty& p = items[stored.Targets[i]];
            if (!p.IsReference() && !p.Check(stored.Texts[i])) {
                throw TrpError("Invalid value \"" + stored.Texts[i] + "\" of property " + std::string(items[i].Name) +
                               " of " + std::string(className));
            }
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            // A new object has no report to look a referred object up in.
            const TProperty& p = items[stored.Targets[i]];
            if (p.IsReference()) {
                p.SetRef(nullptr);
            } else {
                p.Set(stored.Texts[i]);
            }
        }
    }
    ApplyProperties(*object, attributes);
    return object;
}

void AssignProperties(TrpComponent& target, const TrpComponent& source) {
    if (target.ClassName() != source.ClassName()) {
        throw TrpError("Cannot assign " + std::string(source.ClassName()) + " to " +
                       std::string(target.ClassName()));
    }
    const TPropertyList& from = PropertiesOf(source);
    const TPropertyList& to = target.Properties();
    for (std::size_t i = 0; i < from.Items().size(); ++i) {
        const TProperty& s = from.Items()[i];
        const TProperty& t = to.Items()[i];
        if (s.IsReference()) {
            try {
                t.SetRef(s.GetRef());
            } catch (const TrpError&) {
                t.SetRef(nullptr);
            }
        } else if (const std::string value = s.Get(); t.Check(value)) {
            t.Set(value);
        }
    }
}

}  // namespace lk63
