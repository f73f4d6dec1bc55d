#include "report/description_reader.h"

#include "report/error.h"

namespace lk63 {
namespace {

// Deep enough for any template; a hostile text cannot exhaust the stack.
constexpr std::size_t kMaxDepth = 64;

class TReader {
public:
    explicit TReader(std::string_view text) : text_(text) {}

    std::unique_ptr<TDescriptionElement> Root() {
        SkipSpaceAndComments();
        if (AtEnd()) Fail("no element", pos_);
        auto root = Element(0);
        SkipSpaceAndComments();
        if (!AtEnd()) Fail("text after the root element", pos_);
        return root;
    }

private:
    [[noreturn]] static void Fail(std::string_view what, std::size_t position) {
        throw TrpError("Template description: " + std::string(what) + " at position " +
                       std::to_string(position + 1));
    }

    [[nodiscard]] bool AtEnd() const { return pos_ >= text_.size(); }
    [[nodiscard]] bool LooksAt(std::string_view s) const { return text_.substr(pos_).starts_with(s); }

    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsNameChar(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    }

    void SkipSpaceAndComments() {
        while (true) {
            while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
            if (!LooksAt("<!--")) return;
            const std::size_t end = text_.find("-->", pos_ + 4);
            if (end == std::string_view::npos) Fail("unterminated comment", pos_);
            pos_ = end + 3;
        }
    }

    std::string Name() {
        const std::size_t start = pos_;
        while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
        if (pos_ == start) Fail("element name expected", start);
        return std::string(text_.substr(start, pos_ - start));
    }

    std::unique_ptr<TDescriptionElement> Element(std::size_t depth) {
        if (depth >= kMaxDepth) Fail("elements nested too deeply", pos_);
        if (!LooksAt("<") || LooksAt("</")) Fail("'<' expected", pos_);
        auto element = std::make_unique<TDescriptionElement>();
        element->Position = pos_;
        ++pos_;
        element->Name = Name();
        // The attribute text runs to the first '>' outside a quoted value.
        const std::size_t attributesStart = pos_;
        bool quoted = false;
        while (!AtEnd() && (quoted || text_[pos_] != '>')) {
            if (text_[pos_] == '"') quoted = !quoted;
            ++pos_;
        }
        if (AtEnd()) Fail("unterminated element " + element->Name, element->Position);
        const bool empty = pos_ > attributesStart && text_[pos_ - 1] == '/';
        element->Attributes =
            std::string(text_.substr(attributesStart, pos_ - attributesStart - (empty ? 1 : 0)));
        ++pos_;  // '>'
        if (empty) return element;
        while (true) {
            SkipSpaceAndComments();
            if (AtEnd()) Fail("element " + element->Name + " is not closed", element->Position);
            if (LooksAt("</")) break;
            if (!LooksAt("<")) Fail("text inside element " + element->Name, pos_);
            element->Children.push_back(Element(depth + 1));
        }
        const std::size_t closing = pos_;
        pos_ += 2;
        if (Name() != element->Name) Fail("closing tag does not match " + element->Name, closing);
        while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
        if (AtEnd() || text_[pos_] != '>') Fail("'>' expected", pos_);
        ++pos_;
        return element;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::unique_ptr<TDescriptionElement> ReadDescription(std::string_view text) { return TReader(text).Root(); }

}  // namespace lk63
