#include "platform/fonts/font_program.h"

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <map>
#include <mutex>
#include <stdexcept>

namespace lk63::platform {

namespace {

struct TBlobDeleter {
    void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
};
struct TInputDeleter {
    void operator()(hb_subset_input_t* input) const { hb_subset_input_destroy(input); }
};
struct TFaceDeleter {
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};

}  // namespace

struct TFontProgramData {
    std::unique_ptr<hb_face_t, TFaceDeleter> Face;
    std::string PostScriptName;
    unsigned GlyphCount = 0;
};

namespace {

std::string NameOf(hb_face_t* face, hb_ot_name_id_t id) {
    unsigned length = hb_ot_name_get_utf8(face, id, HB_LANGUAGE_INVALID, nullptr, nullptr);
    if (length == 0) return {};
    std::string text(length + 1, '\0');
    ++length;  // the room given includes the terminating zero
    hb_ot_name_get_utf8(face, id, HB_LANGUAGE_INVALID, &length, text.data());
    text.resize(length);
    return text;
}

// A PostScript name is printable ASCII without blanks or delimiters.
std::string PostScriptNameOf(hb_face_t* face, const std::string& family) {
    std::string name = NameOf(face, HB_OT_NAME_ID_POSTSCRIPT_NAME);
    if (name.empty()) name = family;
    std::string clean;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 32 && byte < 127 && std::string_view("[](){}<>/%").find(c) == std::string_view::npos)
            clean += c;
    }
    return clean.empty() ? "Font" : clean;
}

std::unique_ptr<TFontProgramData> Load(const TFontFile& file) {
    const std::unique_ptr<hb_blob_t, TBlobDeleter> blob(hb_blob_create_from_file_or_fail(file.Path.c_str()));
    if (!blob) return nullptr;
    auto data = std::make_unique<TFontProgramData>();
    data->Face.reset(hb_face_create(blob.get(), static_cast<unsigned>(file.Index)));
    data->GlyphCount = hb_face_get_glyph_count(data->Face.get());
    if (data->GlyphCount == 0) return nullptr;
    data->PostScriptName = PostScriptNameOf(data->Face.get(), file.Family);
    return data;
}

}  // namespace

TFontProgram::TFontProgram(std::unique_ptr<TFontProgramData> data) : FData(std::move(data)) {}
TFontProgram::~TFontProgram() = default;

std::shared_ptr<const TFontProgram> TFontProgram::Open(const TFontFile& file) {
    static std::mutex lock;
    static std::map<std::pair<std::string, int>, std::shared_ptr<const TFontProgram>> programs;
    const std::lock_guard guard(lock);
    auto& program = programs[{file.Path, file.Index}];
    if (!program) {
        auto data = Load(file);
        if (!data) return nullptr;
        program = std::make_shared<const TFontProgram>(std::move(data));
    }
    return program;
}

const std::string& TFontProgram::PostScriptName() const { return FData->PostScriptName; }
unsigned TFontProgram::GlyphCount() const { return FData->GlyphCount; }

std::string TFontProgram::Subset(const std::vector<std::uint16_t>& glyphs) const {
    const std::unique_ptr<hb_subset_input_t, TInputDeleter> input(hb_subset_input_create_or_fail());
    if (!input) throw std::runtime_error("font subset: out of memory");
    hb_set_t* keep = hb_subset_input_glyph_set(input.get());
    hb_set_add(keep, 0);
    for (const std::uint16_t glyph : glyphs)
        if (glyph < FData->GlyphCount) hb_set_add(keep, glyph);
    hb_set_t* drop = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* tag : {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "MATH", "kern", "morx", "mort", "kerx", "feat",
                            "gasp", "hdmx", "VDMX", "LTSH", "DSIG", "meta", "PCLT", "vhea", "vmtx"})
        hb_set_add(drop, hb_tag_from_string(tag, 4));
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING |
                                                   HB_SUBSET_FLAGS_NOTDEF_OUTLINE);

    const std::unique_ptr<hb_face_t, TFaceDeleter> subset(hb_subset_or_fail(FData->Face.get(), input.get()));
    if (!subset) throw std::runtime_error("font subset: the subsetter failed for " + FData->PostScriptName);
    const std::unique_ptr<hb_blob_t, TBlobDeleter> blob(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* bytes = hb_blob_get_data(blob.get(), &length);
    if (bytes == nullptr || length == 0)
        throw std::runtime_error("font subset: the subsetter gave nothing for " + FData->PostScriptName);
    return std::string(bytes, length);
}

}  // namespace lk63::platform
