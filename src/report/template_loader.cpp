#include "report/template_loader.h"

#include <set>

#include "platform/unicode.h"
#include "report/attribute_text.h"
#include "report/band.h"
#include "report/data_set.h"
#include "report/description_reader.h"
#include "report/error.h"
#include "report/page.h"
#include "report/property_list.h"
#include "report/serializer.h"
#include "report/view.h"

namespace lk63 {
namespace {

std::string AttributeOf(const std::vector<TAttribute>& attributes, std::string_view name, bool& present) {
    present = false;
    std::string value;
    for (const auto& [n, v] : attributes) {
        if (n == name) {
            present = true;
            value = v;
        }
    }
    return value;
}

void RefuseOthers(const std::vector<TAttribute>& attributes, std::initializer_list<std::string_view> allowed,
                  const TDescriptionElement& e) {
    for (const auto& [n, v] : attributes) {
        bool known = false;
        for (const auto a : allowed) known = known || a == n;
        if (!known) {
            throw TrpError("Template description: unknown attribute " + n + " of " + e.Name +
                           " at position " + std::to_string(e.Position + 1));
        }
    }
}

TVariant VariableValue(const std::vector<TAttribute>& attributes, const TDescriptionElement& e) {
    bool hasValue = false, hasType = false;
    const std::string value = AttributeOf(attributes, "Value", hasValue);
    const std::string type = AttributeOf(attributes, "Type", hasType);
    const auto fail = [&] {
        throw TrpError("Template description: value \"" + value + "\" is no " +
                       (type.empty() ? "value" : type) + " at position " + std::to_string(e.Position + 1));
    };
    if (!hasValue) {
        if (hasType) fail();
        return {};
    }
    if (type.empty() || type == "String") return value;
    if (type == "WideString") return platform::Utf8ToUtf16(value);
    if (type == "Integer") {
        std::int64_t v = 0;
        if (!property_text::ParseInteger(value, v)) fail();
        return v;
    }
    if (type == "Float" || type == "DateTime") {
        double v = 0;
        if (!property_text::ParseFloat(value, v)) fail();
        return type == "Float" ? TVariant(v) : TVariant(TDateTime{v});
    }
    if (type == "Boolean") {
        bool v = false;
        if (!property_text::ParseBool(value, v)) fail();
        return v;
    }
    fail();
    return {};
}

}  // namespace

void TrpTemplateLoader::RegisterDataSet(std::string name, TrpDataSet& dataSet) {
    external_.emplace_back(std::move(name), &dataSet);
}

TrpComponent* TrpTemplateLoader::FindTarget(const TrpReport& report, std::string_view property,
                                            std::string_view name) const {
    if (property == "DataSet") {
        for (const auto& [n, d] : external_) {
            if (n == name) return d;
        }
    }
    return report.FindObject(name);
}

std::unique_ptr<TrpReport> TrpTemplateLoader::Load(std::string_view description) {
    problems_.clear();
    const auto root = ReadDescription(description);
    if (root->Name != "TrpReport") throw TrpError("Template description: the root element is no TrpReport");
    auto report = std::make_unique<TrpReport>();
    std::vector<TrpPendingReference> references;
    std::vector<TPendingItem> items;

    ApplyProperties(*report, root->Attributes, &references);
    // Depth first, each element attached before its properties are applied,
    // so that an object following its parent's font gets it.
    struct TBuilder {
        TrpTemplateLoader& loader;
        TrpReport& report;
        std::vector<TrpPendingReference>& references;
        std::vector<TPendingItem>& items;

        void Lists(const TDescriptionElement& e) {
            for (const auto& child : e.Children) {
                if (child->Name != "item" || !child->Children.empty()) {
                    throw TrpError("Template description: only items belong in " + e.Name + " at position " +
                                   std::to_string(child->Position + 1));
                }
                const auto attributes = ParseAttributes(child->Attributes);
                bool present = false;
                if (e.Name == "Datasets") {
                    RefuseOthers(attributes, {"DataSet", "DataSetName"}, *child);
                    TrpDataSetItem& item = report.Datasets().Add();
                    item.SetStoredName(AttributeOf(attributes, "DataSetName", present));
                    const std::string target = AttributeOf(attributes, "DataSet", present);
                    if (!target.empty()) items.push_back({&item, target});
                } else {
                    RefuseOthers(attributes, {"Name", "Value", "Type"}, *child);
                    std::string name = AttributeOf(attributes, "Name", present);
                    if (!present) {
                        throw TrpError("Template description: a variable without a name at position " +
                                       std::to_string(child->Position + 1));
                    }
                    report.Variables().Add(std::move(name), VariableValue(attributes, *child));
                }
            }
        }

        void Children(const TDescriptionElement& e, TrpComponent& parent, bool isRoot) {
            for (const auto& child : e.Children) {
                if (isRoot && (child->Name == "Datasets" || child->Name == "Variables")) {
                    Lists(*child);
                    continue;
                }
                auto object = CreateComponent(child->Name);
                if (!object) {
                    loader.problems_.push_back("unknown class " + child->Name + " at position " +
                                               std::to_string(child->Position + 1));
                    continue;
                }
                TrpComponent* attached = parent.Add(std::move(object));
                ApplyProperties(*attached, child->Attributes, &references);
                Children(*child, *attached, false);
            }
        }
    } builder{*this, *report, references, items};
    builder.Children(*root, *report, true);

    // References once every object exists. A data set name is looked up only
    // where no reference to the object itself is stored.
    std::set<const TrpComponent*> boundToObject;
    for (const auto& r : references) {
        TrpComponent* target = FindTarget(*report, r.Property, r.Target);
        if (r.Property == "DataSet") boundToObject.insert(r.Owner);
        if (!ResolveReference(r, target)) {
            problems_.push_back(r.Owner->Name() + "." + r.Property + ": " + r.Target + " does not resolve");
        }
    }
    std::set<const TrpDataSetItem*> itemsBoundToObject;
    for (const auto& i : items) {
        itemsBoundToObject.insert(i.Item);
        auto* dataSet = dynamic_cast<TrpDataSet*>(FindTarget(*report, "DataSet", i.DataSet));
        if (dataSet) {
            i.Item->SetDataSet(dataSet);
        } else {
            problems_.push_back("Datasets: " + i.DataSet + " does not resolve");
        }
    }
    const auto lookUp = [&](TrpComponent& c) {
        if (boundToObject.contains(&c)) return;
        const auto byName = [](auto* object) {
            if (object && !object->DataSetName().empty()) object->SetDataSetName(object->DataSetName());
        };
        byName(dynamic_cast<TrpView*>(&c));
        byName(dynamic_cast<TrpDataBand*>(&c));
        byName(dynamic_cast<TrpReportPage*>(&c));
        byName(dynamic_cast<TrpReport*>(&c));
    };
    lookUp(*report);
    for (TrpComponent* c : report->AllObjects()) lookUp(*c);
    for (std::size_t i = 0; i < report->Datasets().Count(); ++i) {
        TrpDataSetItem& item = report->Datasets()[i];
        if (!itemsBoundToObject.contains(&item) && !item.DataSetName().empty()) {
            item.SetDataSetName(item.DataSetName());
        }
    }
    return report;
}

namespace {

// Variable values: text by default, other kinds named by Type.
std::pair<std::string, std::string_view> VariableText(const TVariant& value) {
    struct Visitor {
        std::pair<std::string, std::string_view> operator()(std::monostate) const { return {}; }
        std::pair<std::string, std::string_view> operator()(const std::string& v) const { return {v, ""}; }
        std::pair<std::string, std::string_view> operator()(const std::u16string& v) const {
            return {platform::Utf16ToUtf8(v), "WideString"};
        }
        std::pair<std::string, std::string_view> operator()(std::int64_t v) const {
            return {property_text::IntegerText(v), "Integer"};
        }
        std::pair<std::string, std::string_view> operator()(double v) const {
            return {property_text::FloatText(v), "Float"};
        }
        std::pair<std::string, std::string_view> operator()(TDateTime v) const {
            return {property_text::FloatText(v.Days), "DateTime"};
        }
        std::pair<std::string, std::string_view> operator()(bool v) const {
            return {property_text::BoolText(v), "Boolean"};
        }
    };
    return std::visit(Visitor{}, value.Data());
}

void WriteElement(std::string& out, const TrpComponent& object, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const auto fresh = CreateComponent(object.ClassName());
    out += indent + "<" + std::string(object.ClassName());
    out += fresh ? DifferenceText(object, *fresh) : PropertyText(object);
    if (object.Objects().empty()) {
        out += "/>\n";
        return;
    }
    out += ">\n";
    for (const auto& child : object.Objects()) WriteElement(out, *child, depth + 1);
    out += indent + "</" + std::string(object.ClassName()) + ">\n";
}

}  // namespace

std::string WriteDescription(const TrpReport& report) {
    const TrpReport fresh;
    std::string out = "<TrpReport" + DifferenceText(report, fresh) + ">\n";
    if (report.Datasets().Count() > 0) {
        out += "  <Datasets>\n";
        for (std::size_t i = 0; i < report.Datasets().Count(); ++i) {
            const TrpDataSetItem& item = report.Datasets()[i];
            out += "    <item";
            if (item.DataSet()) AppendAttribute(out, "DataSet", item.DataSet()->Name());
            AppendAttribute(out, "DataSetName", item.DataSetName());
            out += "/>\n";
        }
        out += "  </Datasets>\n";
    }
    if (report.Variables().Count() > 0) {
        out += "  <Variables>\n";
        for (std::size_t i = 0; i < report.Variables().Count(); ++i) {
            const TrpVariable& v = report.Variables().Items(i);
            out += "    <item";
            AppendAttribute(out, "Name", v.Name);
            if (!v.Value.IsNull()) {
                const auto [value, type] = VariableText(v.Value);
                AppendAttribute(out, "Value", value);
                if (!type.empty()) AppendAttribute(out, "Type", type);
            }
            out += "/>\n";
        }
        out += "  </Variables>\n";
    }
    for (const auto& child : report.Objects()) WriteElement(out, *child, 1);
    out += "</TrpReport>\n";
    return out;
}

}  // namespace lk63
