#include "pdf/pdf_font.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "pdf/pdf_output.h"
#include "platform/fonts/shaper.h"
#include "platform/io/deflate.h"
#include "report/error.h"
#include "report/units.h"

namespace lk63 {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kCharsPerBlock = 100;  // the CMap format's limit per bfchar block

void AppendHex4(std::string& out, std::uint16_t value) {
    out += kHexDigits[(value >> 12) & 0xF];
    out += kHexDigits[(value >> 8) & 0xF];
    out += kHexDigits[(value >> 4) & 0xF];
    out += kHexDigits[value & 0xF];
}

platform::TFontKey ShapingKey(const TrpFont& font) {
    // A font with simulated styles is drawn from its regular face.
    if (IsSimulatedStyleFont(font.Name())) return {font.Name(), false, false};
    return {font.Name(), font.Has(TrpFontStyle::fsBold), font.Has(TrpFontStyle::fsItalic)};
}

std::string Decimal(int value) { return std::to_string(value); }

}  // namespace

// Opening a face and building its shaping plans costs more than shaping the
// questionnaire's lines, and the same fonts come back with every save: each
// font file stays open for the process with the lines it shaped last.
struct TrpSharedFace {
    explicit TrpSharedFace(const platform::TFontKey& key)
        : Metrics(platform::ReadOutlineMetrics(key)), Shaper(key) {}

    // A copy: the cache may be cleared by the next line.
    std::vector<platform::TShapedGlyph> Shape(std::u16string_view line, bool rightToLeft) {
        std::lock_guard lock(Lock);
        std::u16string key(line);
        key += rightToLeft ? u'\x01' : u'\x00';
        if (const auto it = Lines.find(key); it != Lines.end()) return it->second;
        std::vector<platform::TShapedGlyph> glyphs = Shaper.Shape(line, rightToLeft);
        if (Lines.size() >= kMaxLines) Lines.clear();
        Lines.emplace(std::move(key), glyphs);
        return glyphs;
    }

    static constexpr std::size_t kMaxLines = 4096;
    const std::optional<platform::TOutlineMetrics> Metrics;
    std::mutex Lock;  // the shaper is not safe for concurrent use
    platform::TShaper Shaper;
    std::unordered_map<std::u16string, std::vector<platform::TShapedGlyph>> Lines;
};

namespace {

TrpSharedFace& SharedFace(const platform::TFontKey& key) {
    static std::mutex lock;
    static std::unordered_map<platform::TFontKey, std::unique_ptr<TrpSharedFace>> faces;
    std::lock_guard guard(lock);
    std::unique_ptr<TrpSharedFace>& face = faces[key];
    if (!face) face = std::make_unique<TrpSharedFace>(key);
    return *face;
}

}  // namespace

bool IsSimulatedStyleFont(std::string_view name) {
    return std::find(SimulatedStyleFonts.begin(), SimulatedStyleFonts.end(), name) != SimulatedStyleFonts.end();
}

std::string PdfFontName(const TrpFont& font) {
    static constexpr std::pair<char, std::string_view> kEscapes[] = {
        {' ', "#20"}, {'(', "#28"}, {')', "#29"}, {'%', "#25"}, {'<', "#3C"}, {'>', "#3E"},
        {'[', "#5B"}, {']', "#5D"}, {'{', "#7B"}, {'}', "#7D"}, {'/', "#2F"},
    };
    std::string name;
    for (const char c : font.Name()) {
        const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                          [c](const auto& e) { return e.first == c; });
        if (escape != std::end(kEscapes)) name += escape->second;
        else name += c;
    }
    if (!IsSimulatedStyleFont(font.Name())) {
        std::string suffix;
        if (font.Has(TrpFontStyle::fsBold)) suffix += "Bold";
        if (font.Has(TrpFontStyle::fsItalic)) suffix += "Italic";
        if (!suffix.empty()) name += "," + suffix;
    }
    // The name is UTF-8 already. Bytes outside printable ASCII are escaped too:
    // a tab or line break would end the name token and break the file.
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 128 || byte < 33 || byte == 127) {
            out += '#';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

TrpPDFFont::TrpPDFFont(const TrpFont& font, int index)
    : font_(font),
      resourceName_("/F" + std::to_string(index)),
      pdfName_(lk63::PdfFontName(font)),
      face_(SharedFace(ShapingKey(font))),
      usedIndex_(65536, -1) {
    LoadMetrics();
    // At 96 pixels per inch a size of 750 points is an em of 1000 pixels: the
    // unit of glyph space in which the platform reports metrics and advances.
    font_.SetSize(750);
}

TrpPDFFont::~TrpPDFFont() = default;

// The metrics of the resolved file at an em of 1000; a file without outlines
// gives Arial's, and no font at all none.
void TrpPDFFont::LoadMetrics() { metrics_ = face_.Metrics; }

bool TrpPDFFont::Matches(const TrpFont& font) const {
    if (font.Name() != font_.Name()) return false;
    return font.Style() == font_.Style() || IsSimulatedStyleFont(font.Name());
}

void TrpPDFFont::Register(std::uint16_t glyph, int advance, std::u16string_view text) {
    std::int32_t& slot = usedIndex_[glyph];
    if (slot < 0) {
        slot = static_cast<std::int32_t>(used_.size());
        used_.push_back({glyph, advance, std::u16string(text)});
    } else if (used_[static_cast<std::size_t>(slot)].Text.empty() && !text.empty()) {
        // First met as the second glyph of a cluster: the first use that
        // stands for characters gives it its text.
        used_[static_cast<std::size_t>(slot)].Text = text;
    }
}

std::u16string TrpPDFFont::MapTextToGlyphs(std::u16string_view line, bool rightToLeft) {
    std::u16string out;
    if (line.empty()) return out;
    // Without a font file there are no glyph ids: the text would vanish from
    // the page while the file looked complete.
    if (!face_.Shaper.HasFont())
        throw TrpError("Font \"" + font_.Name() + "\" cannot be found: no font file on this system provides it");
    const std::vector<platform::TShapedGlyph> glyphs = face_.Shape(line, rightToLeft);
    out.reserve(glyphs.size());
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        const platform::TShapedGlyph& g = glyphs[k];
        // The glyphs of one cluster are adjacent; the first carries its characters.
        const bool firstOfCluster = k == 0 || glyphs[k - 1].Cluster != g.Cluster;
        std::u16string_view text;
        if (firstOfCluster && g.Cluster < line.size())
            text = line.substr(g.Cluster, std::min<std::size_t>(g.ClusterLength, line.size() - g.Cluster));
        Register(g.GlyphId, g.Advance, text);
        out += static_cast<char16_t>(g.GlyphId);
    }
    return out;
}

std::string TrpPDFFont::ToUnicodeText() const {
    std::string cmapName = pdfName_;
    std::replace(cmapName.begin(), cmapName.end(), ',', '+');
    std::string text =
        "/CIDInit /ProcSet findresource begin\r\n"
        "12 dict begin\r\n"
        "begincmap\r\n"
        "/CIDSystemInfo\r\n"
        "<< /Registry (Adobe)\r\n"
        "/Ordering (UCS)\r\n"
        "/Supplement 0\r\n"
        ">> def\r\n";
    text += "/CMapName /" + cmapName + " def\r\n";
    text +=
        "/CMapType 2 def\r\n"
        "1 begincodespacerange\r\n"
        "<0000> <FFFF>\r\n"
        "endcodespacerange\r\n";

    std::vector<const TrpUsedGlyph*> mapped;
    mapped.reserve(used_.size());
    for (const TrpUsedGlyph& g : used_)
        if (!g.Text.empty()) mapped.push_back(&g);
    std::size_t first = 0;
    do {
        const std::size_t count = std::min(kCharsPerBlock, mapped.size() - first);
        text += std::to_string(count) + " beginbfchar\r\n";
        for (std::size_t i = first; i < first + count; ++i) {
            text += '<';
            AppendHex4(text, mapped[i]->GlyphId);
            text += "> <";
            for (const char16_t unit : mapped[i]->Text) AppendHex4(text, unit);
            text += ">\r\n";
        }
        text += "endbfchar\r\n";
        first += count;
    } while (first < mapped.size());
    text +=
        "endcmap\r\n"
        "CMapName currentdict /CMap defineresource pop\r\n"
        "end\r\n"
        "end\r\n";
    return text;
}

void TrpPDFFont::WriteObjects(TrpPDFOutput& out, bool compressed) const {
    if (!HasObjectNumber()) throw std::logic_error("font " + resourceName_ + " has no reserved object number");
    const platform::TOutlineMetrics m = metrics_.value_or(platform::TOutlineMetrics{});

    const int descriptor = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(descriptor));
    out.WriteLine("<<");
    out.WriteLine("/Type /FontDescriptor");
    out.WriteLine("/FontName /" + pdfName_);
    out.WriteLine("/FontFamily /" + pdfName_);
    out.WriteLine("/Flags 32");
    out.WriteLine("/FontBBox [" + Decimal(m.Left) + " " + Decimal(m.Bottom) + " " + Decimal(m.Right) + " " +
                  Decimal(m.Top) + " ]");
    out.WriteLine("/ItalicAngle " + Decimal(m.ItalicAngle));
    out.WriteLine("/Ascent " + Decimal(m.Ascent));
    out.WriteLine("/Descent " + Decimal(m.Descent));
    out.WriteLine("/Leading " + Decimal(m.InternalLeading));
    out.WriteLine("/CapHeight " + Decimal(m.CellHeight));
    const double stem = m.Weight / 65.0;
    out.WriteLine("/StemV " + Decimal(static_cast<int>(RoundToInt(50 + stem * stem))));
    out.WriteLine("/AvgWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine("/MaxWidth " + Decimal(m.MaxCharWidth));
    out.WriteLine("/MissingWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const int toUnicode = out.NewObjectNumber();
    const std::string text = ToUnicodeText();
    const std::string length = std::to_string(text.size());
    out.WriteLine(ObjectHeader(toUnicode));
    if (compressed) {
        const std::string packed = platform::Deflate(text, 1);
        out.WriteLine("<< /Length " + std::to_string(packed.size()) + "  /Filter /FlateDecode /Length1 " + length +
                      " >>");
        out.WriteLine("stream");
        out.Write(packed);
    } else {
        out.WriteLine("<< /Length " + length + " /Length1 " + length + " >>");
        out.WriteLine("stream");
        out.Write(text);
    }
    out.WriteLine("endstream");
    out.WriteLine("endobj");

    const int systemInfo = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(systemInfo));
    out.WriteLine("<<");
    out.WriteLine("/Registry (Adobe) /Ordering (Identity) /Supplement 0");
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const int descendant = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(descendant));
    out.WriteLine("<<");
    out.WriteLine("/Type /Font");
    out.WriteLine("/Subtype /CIDFontType2");
    out.WriteLine("/BaseFont /" + pdfName_);
    out.WriteLine("/CIDSystemInfo " + ObjectReference(systemInfo));
    out.WriteLine("/FontDescriptor " + ObjectReference(descriptor));
    std::string widths = "/W [ ";
    for (const TrpUsedGlyph& g : used_)
        widths += std::to_string(g.GlyphId) + " [" + std::to_string(g.Advance) + "] ";
    widths += "]";
    out.WriteLine(widths);
    out.WriteLine(">>");
    out.WriteLine("endobj");

    out.SetObjectOffset(objectNumber_);
    out.WriteLine(ObjectHeader(objectNumber_));
    out.WriteLine("<<");
    out.WriteLine("/Type /Font");
    out.WriteLine("/Subtype /Type0");
    out.WriteLine("/BaseFont /" + pdfName_);
    out.WriteLine("/Encoding /Identity-H");
    out.WriteLine("/DescendantFonts [" + ObjectReference(descendant) + "]");
    out.WriteLine("/ToUnicode " + ObjectReference(toUnicode));
    out.WriteLine(">>");
    out.WriteLine("endobj");
}

}  // namespace lk63
