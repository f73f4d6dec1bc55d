#include "desktop/order_sheet.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "desktop/child_process.h"

namespace lk63::desktop {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string Array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + Quoted(items[i]);
    return out + "]";
}

}  // namespace

std::string TOrderSheet::Json() const {
    return "{ \"organisation\": " + Quoted(Organisation) + ", \"address\": " + Quoted(Address) +
           ", \"contact\": " + Quoted(Contact) + ", \"quantity\": " + Quoted(Quantity) +
           ", \"note\": " + Quoted(Note) + ",\n  \"breaker\": " + Array(Breaker) +
           ",\n  \"accessories\": " + Array(Accessories) + " }\n";
}

TOrderTool::TOrderTool(std::string program, std::string folder)
    : program_(std::move(program)), folder_(std::move(folder)) {}

std::string TOrderTool::WriteSheet(const TOrderSheet& sheet) const {
    const std::string path = folder_ + "/ORDER.json";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    const std::string json = sheet.Json();
    std::fwrite(json.data(), 1, json.size(), f);
    std::fclose(f);
    return path;
}

std::vector<std::string> TOrderTool::Offered(const TOrderSheet& sheet, int grid, int row) const {
    const std::string name = std::to_string(grid) + "." + std::to_string(row + 1);
    const TRunResult r = Run({program_, "options", WriteSheet(sheet), "--row", name});
    if (r.Status != 0) throw std::runtime_error("lk63-order options --row " + name + ": " + r.Output);
    std::vector<std::string> entries;
    std::istringstream lines(r.Output);
    for (std::string line; std::getline(lines, line);) entries.push_back(line);
    return entries;
}

void TOrderTool::Pdf(const TOrderSheet& sheet, const std::string& path) const {
    const TRunResult r = Run({program_, "pdf", WriteSheet(sheet), "-o", path});
    if (r.Status != 0) throw std::runtime_error("lk63-order pdf: " + r.Output);
}

std::string PdfText(const std::string& path) {
    const TRunResult r = Run({"pdftotext", "-enc", "UTF-8", path, "-"});
    if (r.Status != 0) throw std::runtime_error("pdftotext " + path + ": " + r.Output);
    return r.Output;
}

}  // namespace lk63::desktop
