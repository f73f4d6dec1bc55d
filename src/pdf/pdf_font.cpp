#include "pdf/pdf_font.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "pdf/format_number.h"
#include "pdf/pdf_output.h"
#include "pdf/text_string.h"
#include "platform/fonts/font_file.h"
#include "platform/fonts/font_program.h"
#include "platform/fonts/shaper.h"
#include "platform/io/deflate.h"
#include "platform/unicode.h"
#include "report/error.h"
#include "report/units.h"

namespace lk63 {
namespace {

constexpr std::size_t kCharsPerBlock = 100;  // the CMap format's limit per bfchar block

platform::TFontKey ShapingKey(const TrpFont& font) {
    // A font with simulated styles is drawn from its regular face.
    if (IsSimulatedStyleFont(font.Name())) return {font.Name(), false, false};
    return {font.Name(), font.Has(TrpFontStyle::fsBold), font.Has(TrpFontStyle::fsItalic)};
}

std::string Decimal(int value) { return std::to_string(value); }

int StemV(int weight) {
    const double stem = weight / 65.0;
    return static_cast<int>(RoundToInt(50 + stem * stem));
}

// The descriptor's flags: glyphs addressed by code rather than by a standard
// Latin encoding make every composite font symbolic.
int DescriptorFlags(const platform::TOutlineMetrics& m) {
    constexpr int kFixedPitch = 1, kSerif = 2, kSymbolic = 4, kScript = 8, kItalic = 64;
    return (m.FixedPitch ? kFixedPitch : 0) | (m.Serif ? kSerif : 0) | kSymbolic | (m.Script ? kScript : 0) |
           (m.Italic ? kItalic : 0);
}

enum class TrpStreamKind { Data, FontProgram };

// A stream object of binary data; a font program says its unpacked length.
void WriteStream(TrpPDFOutput& out, int number, const std::string& data, bool compressed, TrpStreamKind kind) {
    const std::string length1 =
        kind == TrpStreamKind::FontProgram ? " /Length1 " + std::to_string(data.size()) : std::string();
    out.WriteLine(ObjectHeader(number));
    if (compressed) {
        const std::string packed = platform::Deflate(data, 1);
        out.WriteLine("<< /Length " + std::to_string(packed.size()) + " /Filter /FlateDecode" + length1 + " >>");
        out.WriteLine("stream");
        out.Write(packed);
    } else {
        out.WriteLine("<< /Length " + std::to_string(data.size()) + length1 + " >>");
        out.WriteLine("stream");
        out.Write(data);
    }
    out.WriteLine("");
    out.WriteLine("endstream");
    out.WriteLine("endobj");
}

}  // namespace

// Opening a face and building its shaping plans costs more than shaping the
// questionnaire's lines, and the same fonts come back with every save: each
// font file stays open for the process with the lines it shaped last.
struct TrpSharedFace {
    explicit TrpSharedFace(const platform::TFontKey& key)
        : Family(key.Family),
          Metrics(platform::ReadOutlineMetrics(key)),
          File(platform::ResolveFontFile(key)),
          Program(File && File->Embeddable ? platform::TFontProgram::Open(*File) : nullptr),
          Shaper(key) {}

    bool HasFont() {
        std::lock_guard lock(Lock);
        return Shaper.Base().HasFont();
    }

    // In this font alone.
    std::vector<platform::TShapedGlyph> Shape(std::u16string_view line, bool rightToLeft) {
        std::lock_guard lock(Lock);
        return Shaper.Base().Shape(line, rightToLeft);
    }

    // In this font and those that show what it lacks. A copy: the cache may
    // be cleared by the next line.
    std::vector<platform::TShapedRun> ShapeRuns(std::u16string_view line, bool rightToLeft) {
        std::lock_guard lock(Lock);
        // Plain text maps again faster than it is looked up.
        if (std::vector<platform::TShapedRun> plain; Shaper.ShapePlain(line, rightToLeft, plain)) return plain;
        std::u16string key(line);
        key += rightToLeft ? u'\x01' : u'\x00';
        if (const auto it = Lines.find(key); it != Lines.end()) return it->second;
        std::vector<platform::TShapedRun> runs = Shaper.Shape(line, rightToLeft);
        if (Lines.size() >= kMaxLines) Lines.clear();
        Lines.emplace(std::move(key), runs);
        return runs;
    }

    static constexpr std::size_t kMaxLines = 4096;
    const std::string Family;
    const std::optional<platform::TOutlineMetrics> Metrics;
    const std::optional<platform::TFontFile> File;
    // The program that shaping used, when it may be embedded.
    const std::shared_ptr<const platform::TFontProgram> Program;
    std::mutex Lock;  // the shaper is not safe for concurrent use
    platform::TFallbackShaper Shaper;
    std::unordered_map<std::u16string, std::vector<platform::TShapedRun>> Lines;
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

TrpPDFFont::TrpPDFFont(const TrpFont& font, int index, bool embedded)
    : font_(font),
      resourceName_("/F" + std::to_string(index)),
      pdfName_(lk63::PdfFontName(font)),
      embedded_(embedded),
      face_(SharedFace(ShapingKey(font))) {
    LoadMetrics();
    // Further codes of a glyph lie beyond the font's own glyph ids.
    if (face_.Program) nextCode_ = face_.Program->GlyphCount();
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

std::uint16_t TrpPDFFont::Register(std::uint16_t glyph, int advance, std::u16string_view text) {
    std::int32_t& slot = usedIndex_.At(glyph);
    if (!embedded_) {
        if (slot < 0) {
            slot = static_cast<std::int32_t>(used_.size());
            used_.push_back({glyph, glyph, advance, std::u16string(text)});
        } else if (used_[static_cast<std::size_t>(slot)].Text.empty() && !text.empty()) {
            // First met as the second glyph of a cluster: the first use that
            // stands for characters gives it its text.
            used_[static_cast<std::size_t>(slot)].Text = text;
        }
        return glyph;
    }
    // Embedded, a code is exactly one glyph with one width and one text.
    const auto same = [&](std::size_t index) {
        const TrpUsedGlyph& used = used_[index];
        return used.GlyphId == glyph && used.Advance == advance && used.Text == text;
    };
    if (slot < 0) {
        slot = static_cast<std::int32_t>(used_.size());
        used_.push_back({glyph, glyph, advance, std::u16string(text)});
        return glyph;
    }
    if (same(static_cast<std::size_t>(slot))) return glyph;
    const auto [first, last] = moreCodes_.equal_range(glyph);
    for (auto it = first; it != last; ++it)
        if (same(it->second)) return used_[it->second].Cid;
    return NewCode(glyph, advance, text);
}

std::uint16_t TrpPDFFont::NewCode(std::uint16_t glyph, int advance, std::u16string_view text) {
    const std::uint16_t code = FreeCode();
    usedIndex_.At(code) = static_cast<std::int32_t>(used_.size());
    moreCodes_.emplace(glyph, used_.size());
    used_.push_back({code, glyph, advance, std::u16string(text)});
    return code;
}

// Above the glyph ids first; a font of nearly 65,536 glyphs takes what its
// own ids left free.
std::uint16_t TrpPDFFont::FreeCode() {
    while (nextCode_ <= 0xFFFF && usedIndex_.Get(nextCode_) >= 0) ++nextCode_;
    if (nextCode_ <= 0xFFFF) return static_cast<std::uint16_t>(nextCode_++);
    while (nextLowCode_ <= 0xFFFF && usedIndex_.Get(nextLowCode_) >= 0) ++nextLowCode_;
    if (nextLowCode_ <= 0xFFFF) return static_cast<std::uint16_t>(nextLowCode_++);
    throw TrpError("Font \"" + font_.Name() + "\": more than 65,536 different glyphs in one document");
}

void TrpPDFFont::RequireEmbeddable() const {
    if (!face_.Program)
        throw TrpError("Font \"" + font_.Name() +
                       "\" cannot be embedded: no font file on this system provides it and allows embedding");
}

void TrpPDFFont::RequireFont() {
    // Without a font file there are no glyph ids: the text would vanish from
    // the page while the file looked complete.
    if (!face_.HasFont())
        throw TrpError("Font \"" + font_.Name() + "\" cannot be found: no font file on this system provides it");
    if (embedded_) RequireEmbeddable();
}

std::u16string TrpPDFFont::MapTextToGlyphs(std::u16string_view line, bool rightToLeft) {
    if (line.empty()) return {};
    RequireFont();
    return MapGlyphs(face_.Shape(line, rightToLeft), line);
}

std::vector<platform::TShapedRun> TrpPDFFont::ShapeRuns(std::u16string_view line, bool rightToLeft) {
    if (line.empty()) return {};
    RequireFont();
    return face_.ShapeRuns(line, rightToLeft);
}

std::u16string TrpPDFFont::MapGlyphs(const std::vector<platform::TShapedGlyph>& glyphs, std::u16string_view line,
                                     std::vector<TrpActualText>* spans) {
    std::u16string out;
    if (glyphs.empty()) return out;
    RequireFont();
    out.reserve(glyphs.size());
    std::u16string text;
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
        const platform::TShapedGlyph& g = glyphs[k];
        // The glyphs of one cluster are adjacent; the first carries its
        // characters, less those that have no appearance and were dropped.
        const bool firstOfCluster = k == 0 || glyphs[k - 1].Cluster != g.Cluster;
        text.clear();
        if (firstOfCluster && g.Cluster < line.size()) {
            const std::u16string_view cluster =
                line.substr(g.Cluster, std::min<std::size_t>(g.ClusterLength, line.size() - g.Cluster));
            for (std::size_t i = 0; i < cluster.size(); ++i) {
                const bool pair = i + 1 < cluster.size() && cluster[i] >= 0xD800 && cluster[i] <= 0xDBFF &&
                                  cluster[i + 1] >= 0xDC00 && cluster[i + 1] <= 0xDFFF;
                const char32_t c =
                    pair ? 0x10000 + ((char32_t(cluster[i]) - 0xD800) << 10) + (cluster[i + 1] - 0xDC00) : cluster[i];
                if (!platform::IsDefaultIgnorable(c)) text.append(cluster.substr(i, pair ? 2 : 1));
                if (pair) ++i;
            }
        }
        // Embedded, a further glyph of a cluster reads as U+034F, which has
        // no appearance: a reader that does not take the cluster's actual
        // text would give a replacement character for a code without text.
        if (!firstOfCluster && embedded_) text = u"\u034F";
        out += static_cast<char16_t>(Register(g.GlyphId, g.Advance, text));
        if (spans && firstOfCluster) {
            std::size_t count = 1;
            while (k + count < glyphs.size() && glyphs[k + count].Cluster == g.Cluster) ++count;
            if (count > 1 && !text.empty()) spans->push_back({k, count, text});
        }
    }
    return out;
}

platform::TFontKey TrpPDFFont::Key() const { return ShapingKey(font_); }

std::string TrpPDFFont::ToUnicodeText() const {
    std::string cmapName = embedded_ ? SubsetName() : pdfName_;
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
            AppendHex4(text, mapped[i]->Cid);
            text += "> <";
            AppendHex4(text, mapped[i]->Text);
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
    if (embedded_) WriteEmbeddedObjects(out, compressed);
    else WriteNamedObjects(out, compressed);
}

int TrpPDFFont::WriteDescendant(TrpPDFOutput& out, const std::string& baseFont, int systemInfo, int descriptor,
                                std::string_view cidToGid) const {
    const int descendant = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(descendant));
    out.WriteLine("<<");
    out.WriteLine("/Type /Font");
    out.WriteLine("/Subtype /CIDFontType2");
    out.WriteLine("/BaseFont /" + baseFont);
    out.WriteLine("/CIDSystemInfo " + ObjectReference(systemInfo));
    out.WriteLine("/FontDescriptor " + ObjectReference(descriptor));
    out.WriteLine(WidthArray());
    if (!cidToGid.empty()) out.WriteLine("/CIDToGIDMap " + std::string(cidToGid));
    out.WriteLine(">>");
    out.WriteLine("endobj");
    return descendant;
}

void TrpPDFFont::WriteNamedObjects(TrpPDFOutput& out, bool compressed) const {
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
    out.WriteLine("/StemV " + Decimal(StemV(m.Weight)));
    out.WriteLine("/AvgWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine("/MaxWidth " + Decimal(m.MaxCharWidth));
    out.WriteLine("/MissingWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const int toUnicode = WriteToUnicode(out, compressed);
    const int systemInfo = WriteSystemInfo(out);

    const int descendant = WriteDescendant(out, pdfName_, systemInfo, descriptor, {});
    WriteType0(out, pdfName_, descendant, toUnicode);
}

void TrpPDFFont::WriteEmbeddedObjects(TrpPDFOutput& out, bool compressed) const {
    RequireEmbeddable();
    const platform::TOutlineMetrics m = metrics_.value_or(platform::TOutlineMetrics{});
    const std::string name = SubsetName();

    const int program = out.NewObjectNumber();
    const std::string subset = face_.Program->Subset(GlyphIds());
    WriteStream(out, program, subset, compressed, TrpStreamKind::FontProgram);

    const int descriptor = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(descriptor));
    out.WriteLine("<<");
    out.WriteLine("/Type /FontDescriptor");
    out.WriteLine("/FontName /" + name);
    out.WriteLine("/Flags " + Decimal(DescriptorFlags(m)));
    out.WriteLine("/FontBBox [" + Decimal(m.Left) + " " + Decimal(m.Bottom) + " " + Decimal(m.Right) + " " +
                  Decimal(m.Top) + " ]");
    // Degrees, where the metrics keep tenths.
    out.WriteLine("/ItalicAngle " + (m.ItalicAngle % 10 == 0 ? Decimal(m.ItalicAngle / 10)
                                                               : FormatNumber(m.ItalicAngle / 10.0)));
    out.WriteLine("/Ascent " + Decimal(m.Ascent));
    out.WriteLine("/Descent " + Decimal(m.Descent));
    out.WriteLine("/Leading " + Decimal(m.LineGap));
    out.WriteLine("/CapHeight " + Decimal(m.CapHeight));
    out.WriteLine("/StemV " + Decimal(StemV(m.Weight)));
    out.WriteLine("/AvgWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine("/MaxWidth " + Decimal(m.MaxCharWidth));
    out.WriteLine("/MissingWidth " + Decimal(m.AvgCharWidth));
    out.WriteLine("/FontFile2 " + ObjectReference(program));
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const int toUnicode = WriteToUnicode(out, compressed);
    const int systemInfo = WriteSystemInfo(out);
    // Identity unless a glyph was given further codes.
    std::string cidToGid = "/Identity";
    if (!moreCodes_.empty()) {
        const int map = out.NewObjectNumber();
        WriteStream(out, map, CidToGidMap(), compressed, TrpStreamKind::Data);
        cidToGid = ObjectReference(map);
    }

    const int descendant = WriteDescendant(out, name, systemInfo, descriptor, cidToGid);

    WriteType0(out, name, descendant, toUnicode);
}

int TrpPDFFont::WriteToUnicode(TrpPDFOutput& out, bool compressed) const {
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
    return toUnicode;
}

int TrpPDFFont::WriteSystemInfo(TrpPDFOutput& out) const {
    const int systemInfo = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(systemInfo));
    out.WriteLine("<<");
    out.WriteLine("/Registry (Adobe) /Ordering (Identity) /Supplement 0");
    out.WriteLine(">>");
    out.WriteLine("endobj");
    return systemInfo;
}

void TrpPDFFont::WriteType0(TrpPDFOutput& out, const std::string& name, int descendant, int toUnicode) const {
    out.SetObjectOffset(objectNumber_);
    out.WriteLine(ObjectHeader(objectNumber_));
    out.WriteLine("<<");
    out.WriteLine("/Type /Font");
    out.WriteLine("/Subtype /Type0");
    out.WriteLine("/BaseFont /" + name);
    out.WriteLine("/Encoding /Identity-H");
    out.WriteLine("/DescendantFonts [" + ObjectReference(descendant) + "]");
    out.WriteLine("/ToUnicode " + ObjectReference(toUnicode));
    out.WriteLine(">>");
    out.WriteLine("endobj");
}

std::string TrpPDFFont::WidthArray() const {
    std::string widths = "/W [ ";
    for (const TrpUsedGlyph& g : used_) widths += std::to_string(g.Cid) + " [" + std::to_string(g.Advance) + "] ";
    widths += "]";
    return widths;
}

std::vector<std::uint16_t> TrpPDFFont::GlyphIds() const {
    std::vector<std::uint16_t> glyphs;
    glyphs.reserve(used_.size());
    for (const TrpUsedGlyph& g : used_) glyphs.push_back(g.GlyphId);
    std::sort(glyphs.begin(), glyphs.end());
    glyphs.erase(std::unique(glyphs.begin(), glyphs.end()), glyphs.end());
    return glyphs;
}

// Six capitals that follow from the glyphs and the font, so that saving the
// same questionnaire twice gives the same name.
std::string TrpPDFFont::SubsetName() const {
    const std::string& postScript = face_.Program ? face_.Program->PostScriptName() : pdfName_;
    std::uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
    const auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 0x100000001B3ull;
    };
    for (const char c : postScript) mix(static_cast<unsigned char>(c));
    for (const std::uint16_t glyph : GlyphIds()) {
        mix(static_cast<unsigned char>(glyph >> 8));
        mix(static_cast<unsigned char>(glyph & 0xFF));
    }
    std::string tag(6, 'A');
    for (char& letter : tag) {
        letter = static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag + "+" + postScript;
}

// Two bytes per code from 0 to the highest, the glyph it draws; 0 for codes
// not used.
std::string TrpPDFFont::CidToGidMap() const {
    std::uint16_t highest = 0;
    for (const TrpUsedGlyph& g : used_) highest = std::max(highest, g.Cid);
    std::string map(2 * (static_cast<std::size_t>(highest) + 1), '\0');
    for (const TrpUsedGlyph& g : used_) {
        map[2 * g.Cid] = static_cast<char>(g.GlyphId >> 8);
        map[2 * g.Cid + 1] = static_cast<char>(g.GlyphId & 0xFF);
    }
    return map;
}

}  // namespace lk63
