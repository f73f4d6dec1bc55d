#include "pdf_completeness.h"

#include <zlib.h>

#include <charconv>
#include <vector>

namespace lk63::fuzz {
namespace {

bool ReadNumber(std::string_view text, std::size_t at, long long& value) {
    if (at >= text.size()) return false;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    return error == std::errc() && end != text.data() + at;
}

// The number after `key` in `object`, or -1.
long long NumberAfter(std::string_view object, std::string_view key) {
    const std::size_t at = object.find(key);
    long long value = -1;
    if (at == std::string_view::npos || !ReadNumber(object, at + key.size(), value)) return -1;
    return value;
}

bool Inflate(std::string_view packed, std::size_t& length) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    char chunk[16384];
    int status = Z_OK;
    length = 0;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        length += sizeof chunk - z.avail_out;
    }
    inflateEnd(&z);
    return status == Z_STREAM_END && z.avail_in == 0;
}

std::string StreamProblem(std::string_view object, int number) {
    const std::size_t data = object.find(">>\r\nstream\r\n");
    if (data == std::string_view::npos) return {};
    const std::string_view dictionary = object.substr(0, data);
    const long long length = NumberAfter(dictionary, "/Length ");
    const std::size_t begin = data + 12;
    const std::string name = "stream of object " + std::to_string(number);
    if (length < 0 || begin + static_cast<std::size_t>(length) > object.size()) return name + " overruns";
    const std::string_view bytes = object.substr(begin, static_cast<std::size_t>(length));
    const std::string_view after = object.substr(begin + bytes.size());
    if (!after.starts_with("\r\nendstream\r\n") && !after.starts_with("endstream\r\n"))
        return name + " is not followed by endstream";
    if (dictionary.find("/FlateDecode") == std::string_view::npos) return {};
    std::size_t inflated = 0;
    if (!Inflate(bytes, inflated)) return name + " does not inflate";
    const long long declared = NumberAfter(dictionary, "/Length1 ");
    if (declared >= 0 && static_cast<std::size_t>(declared) != inflated) return name + " inflates to another length";
    return {};
}

}  // namespace

std::string PdfProblem(std::string_view pdf, int expectedPages) {
    if (!pdf.starts_with("%PDF-1.5\r\n")) return "no PDF header";
    if (!pdf.ends_with("\r\n%%EOF\r\n")) return "no %%EOF at the end";
    const std::size_t startxref = pdf.rfind("\r\nstartxref\r\n");
    long long table = -1;
    if (startxref == std::string_view::npos || !ReadNumber(pdf, startxref + 13, table)) return "no startxref";
    if (table < 0 || static_cast<std::size_t>(table) >= pdf.size() ||
        !pdf.substr(static_cast<std::size_t>(table)).starts_with("xref\r\n0 "))
        return "startxref does not point at the table";
    std::size_t at = static_cast<std::size_t>(table) + 8;
    long long size = 0;
    if (!ReadNumber(pdf, at, size) || size < 2) return "table without entries";
    at = pdf.find("\r\n", at) + 2;
    if (pdf.substr(at, 20) != "0000000000 65535 f\r\n") return "no free entry 0";
    at += 20;
    std::vector<std::size_t> offsets;
    for (long long n = 1; n < size; ++n, at += 20) {
        const std::string_view entry = pdf.substr(std::min(at, pdf.size()), 20);
        long long offset = -1;
        if (entry.size() != 20 || entry.substr(10) != " 00000 n\r\n" || !ReadNumber(entry, 0, offset))
            return "entry " + std::to_string(n) + " is broken";
        const std::string header = std::to_string(n) + " 0 obj\r\n";
        if (static_cast<std::size_t>(offset) >= pdf.size() || !pdf.substr(static_cast<std::size_t>(offset)).starts_with(header))
            return "object " + std::to_string(n) + " is not where the table says";
        offsets.push_back(static_cast<std::size_t>(offset));
    }
    if (!pdf.substr(at).starts_with("trailer\r\n")) return "no trailer after the table";
    if (NumberAfter(pdf.substr(at), "/Size ") != size) return "trailer size differs from the table";

    int pages = 0;
    long long counted = -1;
    for (std::size_t n = 0; n < offsets.size(); ++n) {
        const std::size_t end = pdf.find("\r\nendobj\r\n", offsets[n]);
        if (end == std::string_view::npos) return "object " + std::to_string(n + 1) + " has no endobj";
        const std::string_view object = pdf.substr(offsets[n], end - offsets[n] + 10);
        if (std::string problem = StreamProblem(object, static_cast<int>(n + 1)); !problem.empty()) return problem;
        if (object.find("/Type /Page\r\n") != std::string_view::npos) ++pages;
        if (object.find("/Type /Pages\r\n") != std::string_view::npos) counted = NumberAfter(object, "/Count ");
    }
    if (pages != expectedPages) return std::to_string(pages) + " page objects, expected " + std::to_string(expectedPages);
    if (counted != expectedPages) return "page tree counts " + std::to_string(counted) + " pages";
    return {};
}

}  // namespace lk63::fuzz
