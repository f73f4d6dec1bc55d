// The saved questionnaire as the factory and a printer read it: in poppler,
// MuPDF and Ghostscript, on a machine where "Arial" is some other font, and
// through its text layer, whatever invisible or decomposed characters the
// customer typed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "app/tool_test.h"
#include "platform/fonts/restricted_font.h"

namespace {

using lk63::testing::Quote;
using lk63::testing::ReadFile;
using lk63::testing::TResult;
namespace fs = std::filesystem;

struct TShell {
    int status = -1;
    std::string output;  // stdout and stderr
};

TShell Shell(const std::string& command) {
    const fs::path out = fs::temp_directory_path() / ("lk63-shell-" + std::to_string(::getpid()) + ".txt");
    const int raw = std::system((command + " >" + Quote(out) + " 2>&1").c_str());
    TShell result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out)};
    fs::remove(out);
    return result;
}

// A page rendered to a binary PPM.
struct TImage {
    int Width = 0, Height = 0;
    std::string Rgb;

    bool Empty() const { return Width == 0 || Height == 0; }
    // Dark enough to be ink on white paper.
    bool Ink(int x, int y) const {
        const std::size_t at = 3 * (static_cast<std::size_t>(y) * Width + x);
        const int sum = static_cast<unsigned char>(Rgb[at]) + static_cast<unsigned char>(Rgb[at + 1]) +
                        static_cast<unsigned char>(Rgb[at + 2]);
        return sum < 3 * 160;
    }
};

TImage ReadPpm(const fs::path& path) {
    std::istringstream in(ReadFile(path));
    std::string magic;
    in >> magic;
    std::vector<int> numbers;
    while (numbers.size() < 3 && in) {
        in >> std::ws;
        if (in.peek() == '#') {
            std::string comment;
            std::getline(in, comment);
            continue;
        }
        int n = 0;
        in >> n;
        numbers.push_back(n);
    }
    TImage image;
    if (magic != "P6" || numbers.size() != 3 || numbers[2] != 255) return image;
    in.get();  // the one blank before the pixels
    image.Width = numbers[0];
    image.Height = numbers[1];
    image.Rgb.assign(std::istreambuf_iterator<char>(in), {});
    if (image.Rgb.size() != 3u * image.Width * image.Height) return {};
    return image;
}

constexpr int kDpi = 100;

// Page 1 of `pdf` as each reader draws it; `environment` goes before the
// command (a font configuration of the test's own).
struct TRenderer {
    const char* Name;
    std::string (*Command)(const fs::path& pdf, const fs::path& ppm);
};

const TRenderer kRenderers[] = {
    {"poppler",
     [](const fs::path& pdf, const fs::path& ppm) {
         return "pdftoppm -r " + std::to_string(kDpi) + " -f 1 -l 1 -singlefile " + Quote(pdf) + " " +
                Quote(ppm.parent_path() / ppm.stem());
     }},
    {"mupdf",
     [](const fs::path& pdf, const fs::path& ppm) {
         return "mutool draw -q -r " + std::to_string(kDpi) + " -o " + Quote(ppm) + " " + Quote(pdf) + " 1";
     }},
    {"ghostscript",
     [](const fs::path& pdf, const fs::path& ppm) {
         return "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=ppmraw -r" + std::to_string(kDpi) +
                " -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -dFirstPage=1 -dLastPage=1 -sOutputFile=" + Quote(ppm) +
                " " + Quote(pdf);
     }},
};

// A word of the text layer with its box in points from the page's top left.
struct TWord {
    std::string Text;
    double XMin, YMin, XMax, YMax;
};

std::vector<TWord> WordsOfFirstPage(const fs::path& pdf) {
    const TShell boxes = Shell("pdftotext -bbox -f 1 -l 1 -enc UTF-8 " + Quote(pdf) + " -");
    std::vector<TWord> words;
    static const std::regex kWord(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (std::sregex_iterator it(boxes.output.begin(), boxes.output.end(), kWord), end; it != end; ++it)
        words.push_back({(*it)[5], std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
    return words;
}

// Ink in the middle of a word's box: its inner half in height and four fifths
// in width, where no frame line of the cell around it runs.
int InkInWord(const TImage& image, const TWord& word) {
    const double scale = kDpi / 72.0;
    const double h = word.YMax - word.YMin, w = word.XMax - word.XMin;
    const int x0 = static_cast<int>((word.XMin + w * 0.1) * scale), x1 = static_cast<int>((word.XMax - w * 0.1) * scale);
    const int y0 = static_cast<int>((word.YMin + h * 0.25) * scale), y1 = static_cast<int>((word.YMax - h * 0.25) * scale);
    int ink = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, image.Height - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, image.Width - 1); ++x) ink += image.Ink(x, y) ? 1 : 0;
    return ink;
}

// The characters of a UTF-8 text in reverse order: a reader may give a
// right-to-left word in the order its glyphs stand on the page.
std::string Reversed(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
        characters.push_back(text.substr(i, n));
        i += n;
    }
    std::string out;
    for (auto it = characters.rbegin(); it != characters.rend(); ++it) out += *it;
    return out;
}

// The frame line closing a word's row on the right, in points: the
// rightmost column of ink along the middle of the word's height.
double RightFrame(const TImage& image, const TWord& word) {
    const int y = static_cast<int>((word.YMin + word.YMax) / 2 * kDpi / 72.0);
    for (int x = image.Width - 1; x >= 0; --x)
        if (image.Ink(x, y)) return x * 72.0 / kDpi;
    return 0;
}

class SavedPdfReaders : public lk63::testing::ToolTest {
protected:
    // Saves an order (the four-pole example unless given) with the tool's
    // options; the path of the PDF.
    fs::path Save(const std::string& name, const std::string& options = "",
                  const std::string& order = "four_pole.json") {
        const fs::path out = dir_ / (name + ".pdf");
        const TResult r = Run("pdf " + Data(order) + " -o " + Quote(out) + options);
        EXPECT_EQ(r.status, 0) << r.err;
        return out;
    }

    fs::path SaveFields(const std::string& name, const nlohmann::json& fields) {
        nlohmann::json order = nlohmann::json::parse(Expected("all_first.json"));
        for (const auto& [key, value] : fields.items()) order[key] = value;
        const fs::path json = Write(name + ".json", order.dump());
        const fs::path out = dir_ / (name + ".pdf");
        const TResult r = Run("pdf " + Quote(json) + " -o " + Quote(out));
        EXPECT_EQ(r.status, 0) << r.err;
        return out;
    }

    TImage Render(const TRenderer& renderer, const fs::path& pdf, const std::string& tag,
                  const std::string& environment = "") {
        const fs::path ppm = dir_ / (pdf.stem().string() + "-" + renderer.Name + tag + ".ppm");
        const TShell run = Shell(environment + renderer.Command(pdf, ppm));
        EXPECT_EQ(run.status, 0) << renderer.Name << ": " << run.output;
        TImage image = ReadPpm(ppm);
        EXPECT_FALSE(image.Empty()) << renderer.Name << " wrote no page image";
        return image;
    }

    // A font configuration in which "Arial" is DejaVu Sans, and nothing else
    // is installed: a reader that took the fonts by name would draw other glyphs.
    std::string OtherArial() {
        const fs::path config = Write("other-arial.conf", R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>)" + (dir_ / "fontconfig-cache").string() + R"(</cachedir>
  <alias binding="strong"><family>Arial</family><prefer><family>DejaVu Sans</family></prefer></alias>
</fontconfig>
)");
        return "FONTCONFIG_FILE=" + Quote(config) + " ";
    }
};

TEST_F(SavedPdfReaders, EveryFontTravelsAsASubset) {
    const fs::path pdf = Save("four_pole");
    const TShell check = Shell("qpdf --check " + Quote(pdf));
    EXPECT_EQ(check.status, 0) << check.output;
    const TShell fonts = Shell("pdffonts " + Quote(pdf));
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    static const std::regex kFontLine(R"(\n([A-Z]{6})\+(LiberationSans(-Bold)?) +CID TrueType +Identity-H +yes +yes +yes )");
    std::vector<std::string> names;
    for (std::sregex_iterator it(fonts.output.begin(), fonts.output.end(), kFontLine), end; it != end; ++it)
        names.push_back((*it)[2]);
    EXPECT_EQ(names, (std::vector<std::string>{"LiberationSans-Bold", "LiberationSans"})) << fonts.output;
    EXPECT_EQ(std::count(fonts.output.begin(), fonts.output.end(), '\n'), 4) << fonts.output;  // no other font
    // The fonts' share of the file stays small: the subsets hold only the
    // glyphs used, without hinting.
    EXPECT_LE(fs::file_size(pdf), 25u * 1024u);
}

// Where the text layer says a word is, each reader has drawn ink.
TEST_F(SavedPdfReaders, EveryRendererDrawsTheText) {
    const fs::path pdf = Save("four_pole");
    const std::vector<TWord> words = WordsOfFirstPage(pdf);
    ASSERT_GT(words.size(), 200u);
    for (const TRenderer& renderer : kRenderers) {
        SCOPED_TRACE(renderer.Name);
        const TImage image = Render(renderer, pdf, "");
        if (image.Empty()) continue;
        std::string blank;
        for (const TWord& word : words)
            if (InkInWord(image, word) == 0) blank += " " + word.Text;
        EXPECT_EQ(blank, "") << "words drawn without ink";
    }
}

// The embedded programs are what is drawn: with "Arial" another font on the
// reader's machine the pages are the same to the pixel. A file that only
// names its fonts is drawn differently there, which shows the swap works.
TEST_F(SavedPdfReaders, PagesAreTheSameWhateverArialIsOnTheReadersMachine) {
    const std::string otherArial = OtherArial();
    const fs::path embedded = Save("embedded");
    for (const TRenderer& renderer : kRenderers) {
        SCOPED_TRACE(renderer.Name);
        const TImage here = Render(renderer, embedded, "-here");
        const TImage there = Render(renderer, embedded, "-there", otherArial);
        EXPECT_EQ(here.Width, there.Width);
        EXPECT_EQ(here.Height, there.Height);
        EXPECT_TRUE(here.Rgb == there.Rgb) << "the page changes with the reader's Arial";
    }
    const fs::path named = Save("named", " --fonts-by-name");
    const TImage here = Render(kRenderers[0], named, "-here");
    const TImage there = Render(kRenderers[0], named, "-there", otherArial);
    EXPECT_FALSE(here.Rgb == there.Rgb) << "the other Arial was not used";
}

// Without a font that may travel, nothing is written by name behind the
// user's back: the save fails and says why.
TEST_F(SavedPdfReaders, FontsThatMayNotTravelGiveAnErrorAndNoFile) {
    for (const char* style : {"Regular", "Bold"}) {
        const std::string name = std::string("LiberationSans-") + style + ".ttf";
        lk63::platform::test::WriteFontWithPermission("/usr/share/fonts/truetype/liberation2/" + name,
                                                      dir_ / "fonts" / name,
                                                      lk63::platform::test::kRestrictedLicence);
    }
    const fs::path config = Write("restricted.conf", R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>)" + (dir_ / "fonts").string() + R"(</dir>
  <cachedir>)" + (dir_ / "fontconfig-cache").string() + R"(</cachedir>
  <include>/usr/share/fontconfig/conf.avail/30-metric-aliases.conf</include>
</fontconfig>
)");
    const fs::path out = dir_ / "restricted.pdf";
    const TResult r = Run("pdf " + Data("all_first.json") + " -o " + Quote(out), "",
                          "FONTCONFIG_FILE=" + Quote(config) + " ");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("Font \"Arial\" cannot be embedded"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
    // By name the restricted font is only referred to, which its licence allows.
    const TResult named = Run("pdf " + Data("all_first.json") + " -o " + Quote(out) + " --fonts-by-name", "",
                              "FONTCONFIG_FILE=" + Quote(config) + " ");
    EXPECT_EQ(named.status, 0) << named.err;
}

// Characters a reader adds around right-to-left runs, and whitespace runs
// folded to one blank, as a wrapped line reads back with a line break.
std::string ReaderText(const std::string& text) {
    std::string out = std::regex_replace(text, std::regex("\u202A|\u202B|\u202C|\u202D|\u202E|\u200E|\u200F"), "");
    return std::regex_replace(out, std::regex(R"(\s+)"), " ");
}

// The words of a text, split at whitespace and at the marks a reader puts
// around right-to-left runs.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(std::regex_replace(text, std::regex("\u202A|\u202B|\u202C|\u202D|\u202E|\u200E|\u200F"), " "));
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool ContainsWords(const std::string& text, const std::string& wanted) {
    const std::vector<std::string> words = Words(text);
    const std::vector<std::string> sequence = Words(wanted);
    return std::search(words.begin(), words.end(), sequence.begin(), sequence.end()) != words.end();
}

struct TTyped {
    const char* Name;
    const char* Field;
    std::string Typed;
    std::string Read;  // what the text layer gives back: composed, invisible characters left out
    // Right-to-left words: the reader puts them back into logical order, but
    // where the blanks at their ends go is its own guess; compare the words.
    bool WordsOnly = false;
};

// Each invisible character, decomposed letters, marks that do not compose, a
// tab, right-to-left text and text mixing directions: the text layer gives
// back what was typed with every space in place, and the widths the file
// gives its glyphs are the advances of the embedded font program.
TEST_F(SavedPdfReaders, TextLayerGivesBackWhatWasTyped) {
    const TTyped cases[] = {
        {"SoftHyphen", "organisation", "ООО Рома\u00ADшка и сыновья", "ООО Ромашка и сыновья"},
        {"ZeroWidthSpace", "organisation", "ООО Рома\u200Bшка и сыновья", "ООО Ромашка и сыновья"},
        {"LeftToRightMark", "address", "тел.\u200E +7 495 000-00-00 доб. 5", "тел. +7 495 000-00-00 доб. 5"},
        {"RightToLeftMark", "address", "тел. +7 495 000-00-00\u200F доб. 5", "тел. +7 495 000-00-00 доб. 5"},
        {"LeftToRightEmbedding", "address", "тел. \u202A+7 495 000-00-00\u202C доб. 5", "тел. +7 495 000-00-00 доб. 5"},
        {"LeftToRightOverride", "address", "тел. \u202D+7 495 000-00-00\u202C доб. 5", "тел. +7 495 000-00-00 доб. 5"},
        {"RightToLeftEmbedding", "address", "адрес \u202Bשלום\u202C дом 5", "адрес שלום дом 5", true},
        {"RightToLeftOverride", "address", "адрес \u202Eשלום\u202C дом 5", "адрес שלום дом 5", true},
        {"ByteOrderMark", "contact", "\uFEFFИванов И. И. тел. 5", "Иванов И. И. тел. 5"},
        {"ZeroWidthJoiner", "contact", "Ива\u200Dнов И. И. тел. 5", "Иванов И. И. тел. 5"},
        {"VariationSelectors", "contact", "Ива\uFE0Fнов И.\U000E0100 И. тел. 5", "Иванов И. И. тел. 5"},
        {"DecomposedShortI", "organisation", "Нови\u0306 дом и\u0306од", "Новй дом йод"},
        {"DecomposedYo", "organisation", "Е\u0308лка и е\u0308ж", "Ёлка и ёж"},
        {"MarksThatDoNotCompose", "organisation", "за\u0301мок и замо\u0301к", "за\u0301мок и замо\u0301к"},
        {"Tab", "note", "первая\tвторая и\tтретья", "первая вторая и третья"},
        {"RightToLeft", "organisation", "שלום עולם", "שלום עולם", true},
        {"MixedDirections", "organisation", "ООО שלום עולם Ромашка", "ООО שלום עולם Ромашка", true},
    };
    for (const TTyped& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path pdf = SaveFields(c.Name, {{c.Field, c.Typed}});
        const TShell text = Shell("pdftotext -enc UTF-8 " + Quote(pdf) + " -");
        ASSERT_EQ(text.status, 0) << text.output;
        if (c.WordsOnly)
            EXPECT_TRUE(ContainsWords(text.output, c.Read)) << "typed \"" << c.Typed << "\"\n" << text.output;
        else
            EXPECT_NE(ReaderText(text.output).find(" " + c.Read + " "), std::string::npos)
                << "typed \"" << c.Typed << "\"\n" << text.output;
        // The words of the rest of the page keep their blanks too.
        EXPECT_NE(ReaderText(text.output).find(" Количество выключателей, шт. "), std::string::npos);
    }
}

// The fonts' width arrays against the advances of the programs they embed,
// read back with qpdf and fontTools.
TEST_F(SavedPdfReaders, WidthsAreTheAdvancesOfTheEmbeddedPrograms) {
    const fs::path pdf = SaveFields("widths", {{"organisation", "ООО Рома\u00ADшка \u202A+7\u202C Нови\u0306 е\u0301 中 文"},
                                               {"note", "таб\tтаб fi ﬁ שלום"}});
    const fs::path streams = dir_ / "streams";
    fs::create_directories(streams);
    const TShell json = Shell("qpdf --json=2 --json-key=qpdf --json-stream-data=file --decode-level=generalized "
                              "--json-stream-prefix=" + Quote(streams / "s") + " " + Quote(pdf));
    ASSERT_EQ(json.status, 0) << json.output;
    const nlohmann::json objects = nlohmann::json::parse(json.output)["qpdf"][1];
    const auto object = [&](const nlohmann::json& reference) -> const nlohmann::json& {
        return objects.at("obj:" + reference.get<std::string>());
    };

    int fonts = 0;
    for (const auto& [key, entry] : objects.items()) {
        if (!entry.contains("value") || !entry["value"].is_object()) continue;
        const nlohmann::json& font = entry["value"];
        if (font.value("/Subtype", "") != "/CIDFontType2") continue;
        ++fonts;
        SCOPED_TRACE(font["/BaseFont"].get<std::string>());
        const nlohmann::json& descriptor = object(font["/FontDescriptor"])["value"];
        const std::string program = object(descriptor["/FontFile2"])["stream"]["datafile"];

        // Code to glyph: the identity, or two bytes per code.
        std::map<int, int> glyphOf;
        std::string map;
        if (font["/CIDToGIDMap"] != "/Identity") map = ReadFile(object(font["/CIDToGIDMap"])["stream"]["datafile"].get<std::string>());
        const nlohmann::json& widths = font["/W"];
        ASSERT_EQ(widths.size() % 2, 0u);
        std::string glyphs;
        for (std::size_t i = 0; i < widths.size(); i += 2) {
            const int code = widths[i];
            ASSERT_EQ(widths[i + 1].size(), 1u);
            int glyph = code;
            if (!map.empty()) {
                ASSERT_LT(2u * code + 1, map.size());
                glyph = static_cast<unsigned char>(map[2 * code]) << 8 | static_cast<unsigned char>(map[2 * code + 1]);
            }
            glyphOf[code] = glyph;
            glyphs += " " + std::to_string(glyph);
        }
        const TShell advances = Shell(
            "/usr/bin/python3 -c \"import sys; from fontTools.ttLib import TTFont; f = TTFont(sys.argv[1]); "
            "o = f.getGlyphOrder(); print(f['head'].unitsPerEm, *[f['hmtx'][o[int(g)]][0] for g in sys.argv[2:]])\" " +
            Quote(program) + glyphs);
        ASSERT_EQ(advances.status, 0) << advances.output;
        std::istringstream in(advances.output);
        double unitsPerEm = 0;
        in >> unitsPerEm;
        ASSERT_GT(unitsPerEm, 0);
        for (std::size_t i = 0; i < widths.size(); i += 2) {
            double advance = -1;
            in >> advance;
            const int code = widths[i];
            EXPECT_EQ(widths[i + 1][0].get<int>(), std::lround(advance * 1000 / unitsPerEm))
                << "code " << code << " glyph " << glyphOf[code];
        }
    }
    EXPECT_EQ(fonts, 3);  // Arial, bold Arial and the font of the Chinese
}

// Names in the scripts customers write, six times over so that they wrap:
// every reader shows them, from fonts of their own that travel in the file,
// the text layer gives them back, and the lines end inside the memo's frame
// (they are measured in the fonts they are printed in).
TEST_F(SavedPdfReaders, EveryScriptIsPrintedInAFontThatShowsIt) {
    struct Case {
        const char* name;
        std::string text;
        bool otherFont;  // Arial's substitute lacks the script
    } const cases[] = {
        {"Chinese", "北京电气设备有限公司", true},
        {"Japanese", "株式会社トウキョウ電機", true},
        {"Korean", "서울전기주식회사", true},
        {"Arabic", "شركة القاهرة للكهرباء", true},
        {"Hebrew", "חברת החשמל לישראל", false},
        {"Georgian", "საქართველოს ელექტრო", true},
        {"Armenian", "Հայաստանի էլեկտրական", true},
        {"Greek", "Ελληνική Ηλεκτρική", false},
        {"Devanagari", "भारत विद्युत कंपनी", true},
        {"Signs", "₽ 1000, ⌀ 50 мм, ≤ 10, ≥ 5, ± 1 → 2", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string name = c.text;
        for (int i = 0; i < 5; ++i) name += " " + c.text;
        const fs::path pdf = SaveFields(c.name, {{"organisation", name}});

        const TShell fonts = Shell("pdffonts " + Quote(pdf));
        static const std::regex kFont(R"(
[A-Z]{6}\+(\S+) +CID TrueType +Identity-H +yes +yes +yes )");
        std::vector<std::string> embedded;
        for (std::sregex_iterator it(fonts.output.begin(), fonts.output.end(), kFont), end; it != end; ++it)
            embedded.push_back((*it)[1]);
        EXPECT_EQ(std::count(fonts.output.begin(), fonts.output.end(), '\n'), 2 + embedded.size()) << fonts.output;
        // Arial and bold Arial, and for a script Arial lacks at least one more.
        if (c.otherFont) EXPECT_GE(embedded.size(), 3u) << fonts.output;
        else EXPECT_EQ(embedded.size(), 2u) << fonts.output;

        const TShell text = Shell("pdftotext -enc UTF-8 " + Quote(pdf) + " -");
        EXPECT_TRUE(ContainsWords(text.output, name)) << text.output;

        // The words of the name: inked by every reader, ending left of the
        // frame that closes the row on the right.
        std::vector<TWord> words;
        for (const TWord& word : WordsOfFirstPage(pdf)) {
            const std::string letters = std::regex_replace(word.Text, std::regex("\u202A|\u202B|\u202C"), "");
            const bool ofName = name.find(letters) != std::string::npos || name.find(Reversed(letters)) != std::string::npos;
            if (letters.size() > 1 && ofName && word.YMin < 200) words.push_back(word);
        }
        ASSERT_GE(words.size(), 4u);
        double top = words.front().YMax, bottom = top;
        for (const TWord& word : words) {
            top = std::min(top, word.YMax);
            bottom = std::max(bottom, word.YMax);
        }
        ASSERT_GT(bottom, top + 5) << "the name wraps";
        for (const TRenderer& renderer : kRenderers) {
            SCOPED_TRACE(renderer.Name);
            const TImage image = Render(renderer, pdf, "");
            if (image.Empty()) continue;
            std::string blank;
            for (const TWord& word : words)
                if (InkInWord(image, word) == 0) blank += " " + word.Text;
            EXPECT_EQ(blank, "") << "words drawn without ink";
        }
        const TImage page = Render(kRenderers[0], pdf, "-frame");
        const double frame = RightFrame(page, words.front());
        ASSERT_GT(frame, 0);
        double widest = 0, longestWord = 0;
        for (const TWord& word : words) {
            EXPECT_LT(word.XMax, frame) << word.Text << " runs past the frame";
            widest = std::max(widest, word.XMax);
            longestWord = std::max(longestWord, word.XMax - word.XMin);
        }
        // A line breaks only where the next word would not have fitted.
        EXPECT_GT(widest + longestWord + 10, frame) << "the lines break too early";
    }
}

}  // namespace
