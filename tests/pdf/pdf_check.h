#pragma once
// Reading back a written PDF: its cross-reference table, its objects and
// what independent readers (qpdf, poppler) make of it.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lk63::test {

struct TToolResult {
    int Status = -1;
    std::string Output;  // stdout and stderr
};

// Runs a shell command line.
inline TToolResult RunTool(const std::string& command) {
    TToolResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.Output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string Quote(const std::string& path) { return "'" + path + "'"; }

struct TCrossReference {
    std::vector<std::string> Problems;
    int Objects = 0;                     // entries after the free entry 0
    std::vector<std::size_t> Offsets;   // of objects 1..Objects
    std::size_t TableOffset = 0;
};

// Follows startxref to the table, checks the 20-byte lines and that every
// offset points at "n 0 obj" of its own number.
inline TCrossReference ReadCrossReference(std::string_view pdf) {
    TCrossReference xref;
    const auto problem = [&](std::string text) { xref.Problems.push_back(std::move(text)); };
    const std::size_t start = pdf.rfind("\r\nstartxref\r\n");
    if (start == std::string_view::npos) {
        problem("no startxref");
        return xref;
    }
    const std::size_t number = start + 13;
    const std::size_t numberEnd = pdf.find("\r\n", number);
    xref.TableOffset = std::stoul(std::string(pdf.substr(number, numberEnd - number)));
    if (pdf.substr(numberEnd) != "\r\n%%EOF\r\n") problem("file does not end with %%EOF");
    if (pdf.substr(xref.TableOffset, 6) != "xref\r\n") {
        problem("startxref does not point at xref");
        return xref;
    }
    std::size_t at = xref.TableOffset + 6;
    const std::size_t headEnd = pdf.find("\r\n", at);
    const std::string head(pdf.substr(at, headEnd - at));
    if (head.rfind("0 ", 0) != 0) problem("table does not start with 0: " + head);
    const int size = std::stoi(head.substr(2));
    xref.Objects = size - 1;
    at = headEnd + 2;
    if (pdf.substr(at, 20) != "0000000000 65535 f\r\n") problem("no free entry 0");
    at += 20;
    for (int n = 1; n < size; ++n, at += 20) {
        const std::string_view line = pdf.substr(at, 20);
        if (line.size() != 20 || line.substr(10) != " 00000 n\r\n") {
            problem("entry " + std::to_string(n) + " is not a 20-byte line");
            continue;
        }
        const std::size_t offset = std::stoul(std::string(line.substr(0, 10)));
        xref.Offsets.push_back(offset);
        const std::string header = std::to_string(n) + " 0 obj\r\n";
        if (pdf.substr(offset, header.size()) != header) problem("offset of " + std::to_string(n) + " misses");
    }
    if (pdf.substr(at, 9) != "trailer\r\n") problem("no trailer after the table");
    return xref;
}

// The text of object n ("n 0 obj" to "endobj"), or nothing.
inline std::string ObjectText(std::string_view pdf, const TCrossReference& xref, int n) {
    if (n < 1 || n > static_cast<int>(xref.Offsets.size())) return {};
    const std::size_t start = xref.Offsets[n - 1];
    const std::size_t end = pdf.find("endobj\r\n", start);
    return std::string(pdf.substr(start, end == std::string_view::npos ? 0 : end + 8 - start));
}

// The raw bytes of the stream of object n.
inline std::string StreamOf(std::string_view pdf, const TCrossReference& xref, int n) {
    const std::string object = ObjectText(pdf, xref, n);
    std::smatch length;
    static const std::regex kLength(R"(/Length (\d+))");
    if (!std::regex_search(object, length, kLength)) return {};
    const std::size_t data = object.find("stream\r\n") + 8;
    return object.substr(data, std::stoul(length[1]));
}

// Replaces what changes from run to run: the document ID and the dates.
inline std::string MaskRunFields(std::string pdf) {
    pdf = std::regex_replace(pdf, std::regex(R"(/ID \[<[0-9a-f]{32}><[0-9a-f]{32}>\])"), "/ID [<ID><ID>]");
    pdf = std::regex_replace(pdf, std::regex(R"(\(D:\d{14}\))"), "(D:DATE)");
    return pdf;
}

}  // namespace lk63::test
