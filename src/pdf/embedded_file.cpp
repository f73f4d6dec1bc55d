#include "pdf/embedded_file.h"

#include <algorithm>
#include <numeric>

#include "pdf/pdf_output.h"
#include "pdf/text_string.h"
#include "platform/io/deflate.h"
#include "platform/io/md5.h"
#include "platform/unicode.h"

namespace lk63 {
namespace {

// A name object: bytes outside the regular printable characters as #XX.
std::string NameObject(std::string_view text) {
    std::string out = "/";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 33 || byte > 126 || std::string_view("#()<>[]{}/%").find(c) != std::string_view::npos) {
            out += '#';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

TrpPackedAttachment PackAttachment(const TrpAttachment& attachment, bool compressed) {
    TrpPackedAttachment packed;
    packed.Data = compressed ? platform::Deflate(attachment.Data, 1) : attachment.Data;
    packed.Md5 = platform::Md5Hex(attachment.Data);
    std::transform(packed.Md5.begin(), packed.Md5.end(), packed.Md5.begin(),
                   [](char c) { return c >= 'a' ? c - 'a' + 'A' : c; });
    return packed;
}

int WriteAttachment(TrpPDFOutput& out, const TrpAttachment& attachment, bool compressed,
                    const TrpPackedAttachment& packed) {
    const int stream = out.NewObjectNumber();
    const std::string& data = packed.Data;
    const std::string& md5 = packed.Md5;
    out.WriteLine(ObjectHeader(stream));
    out.WriteLine("<< /Type /EmbeddedFile /Subtype " + NameObject(attachment.MimeType) + " /Params << /Size " +
                  std::to_string(attachment.Data.size()) + " /CheckSum <" + md5 + "> >> /Length " +
                  std::to_string(data.size()) + (compressed ? " /Filter /FlateDecode" : "") + " >>");
    out.WriteLine("stream");
    out.Write(data);
    out.WriteLine("");
    out.WriteLine("endstream");
    out.WriteLine("endobj");

    const int entry = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(entry));
    out.WriteLine("<<");
    out.WriteLine("/Type /Filespec");
    out.WriteLine("/F " + HexTextString(attachment.Name));
    out.WriteLine("/UF " + HexTextString(attachment.Name));
    out.WriteLine("/EF << /F " + ObjectReference(stream) + " /UF " + ObjectReference(stream) + " >>");
    if (!attachment.Description.empty()) out.WriteLine("/Desc " + HexTextString(attachment.Description));
    out.WriteLine("/AFRelationship " + NameObject(attachment.Relationship));
    out.WriteLine(">>");
    out.WriteLine("endobj");
    return entry;
}

std::vector<std::string> AttachmentCatalogEntries(const std::vector<TrpAttachment>& attachments,
                                                  const std::vector<int>& entries) {
    if (attachments.empty()) return {};
    // A name tree's keys are sorted by their bytes (UTF-16 with its mark here).
    std::vector<std::size_t> order(attachments.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return platform::Utf8ToUtf16(attachments[a].Name) < platform::Utf8ToUtf16(attachments[b].Name);
    });
    std::string names = "/Names << /EmbeddedFiles << /Names [";
    for (const std::size_t i : order) names += HexTextString(attachments[i].Name) + " " + ObjectReference(entries[i]) + " ";
    names += "] >> >>";
    std::string af = "/AF [";
    for (const int entry : entries) af += ObjectReference(entry) + " ";
    af += "]";
    return {names, af};
}

}  // namespace lk63
