// lk63-order as a demanding integrator and a careless user run it: output to
// the shell's own descriptors, full disks, hostile texts, huge and malformed
// input, shared files. Each case is a real process started by a shell; what
// counts is its exit status, its one line on stderr and the files left.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/tool_test.h"

namespace {

namespace fs = std::filesystem;
using lk63::testing::Quote;
using lk63::testing::ReadFile;

const std::string kOrder = ReadFile(fs::path(LK63_TEST_DATA) / "all_first.json");
constexpr std::size_t kLimit = std::size_t{16} << 20;  // 16 MiB, as the README and --help say

// A complete order with one key replaced by a raw JSON value.
std::string OrderWith(const std::string& key, const std::string& value) {
    return R"({"breaker": [0,0,0,0,0,0,0,0], "accessories": [0,0,0,0,0,0,0,0,0,0], ")" + key + "\": " + value + "}";
}

bool StartsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }
bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
bool IsPdf(const std::string& s) { return StartsWith(s, "%PDF-1.5\r\n") && EndsWith(s, "%%EOF\r\n"); }

// What a terminal would act on: C0 controls but the final line break, DEL, C1.
std::string RawControls(const std::string& err) {
    std::string found;
    for (std::size_t i = 0; i < err.size(); ++i) {
        const auto byte = static_cast<unsigned char>(err[i]);
        const bool finalBreak = i + 1 == err.size() && byte == '\n';
        const bool c1 = byte == 0xC2 && i + 1 < err.size() && static_cast<unsigned char>(err[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(err[i + 1]) <= 0x9F;
        if ((byte < 0x20 && !finalBreak) || byte == 0x7F || c1) found += "byte " + std::to_string(i) + "; ";
    }
    return found;
}

class OrderToolFaults : public lk63::testing::ToolTest {
protected:
    struct TRun {
        int Status = -1;
        std::string Err;
    };

    // Runs a bash script in the test's folder. TOOL in it is the tool: its
    // stderr goes to stderr.txt and its exit status is recorded.
    TRun Script(const std::string& script) {
        const std::string wrapped = "cd " + Quote(dir_) + " || exit 99\n" + "TOOL() { " + Quote(LK63_ORDER_TOOL) +
                                    " \"$@\" 2>stderr.txt; s=$?; echo $s >status.txt; return $s; }\n" + script + "\n";
        const fs::path file = Write("script.sh", wrapped);
        fs::remove(dir_ / "status.txt");
        fs::remove(dir_ / "stderr.txt");
        [[maybe_unused]] const int shell = std::system(("bash " + Quote(file) + " </dev/null >/dev/null 2>&1").c_str());
        fs::remove(file);
        TRun r;
        const std::string status = ReadFile(dir_ / "status.txt");
        r.Status = status.empty() ? -1 : std::stoi(status);
        r.Err = ReadFile(dir_ / "stderr.txt");
        fs::remove(dir_ / "status.txt");
        fs::remove(dir_ / "stderr.txt");
        return r;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Every fault of the tool's promises, one row each: bad input exits 2, a
// failed write 1, with exactly one line on stderr; the files as listed.
TEST_F(OrderToolFaults, EachFaultIsOneLineAndTheFilesAreAsExpected) {
    struct Case {
        const char* Name;
        std::vector<std::pair<std::string, std::string>> Files;  // written before
        std::string Script;
        int Status;
        std::string InError;  // a piece of the one line on stderr; empty: no line at all
        std::function<void(const fs::path&)> Check;  // the folder afterwards
        std::vector<std::string> After;             // its names (besides order.json)
    };
    const std::string big(kLimit + 1, ' ');
    const Case cases[] = {
        // The shell's descriptors are written through, never replaced.
        {"-o /dev/stdout between two lines of a redirected block",
         {{"order.json", kOrder}},
         "{ echo HEADER; TOOL pdf order.json -o /dev/stdout; echo TRAILER; } >bundle.txt", 0, "",
         [](const fs::path& d) {
             const std::string bundle = ReadFile(d / "bundle.txt");
             EXPECT_TRUE(StartsWith(bundle, "HEADER\n%PDF-1.5\r\n")) << bundle.substr(0, 40);
             EXPECT_TRUE(EndsWith(bundle, "%%EOF\r\nTRAILER\n"));
         },
         {"bundle.txt"}},
        {"-o /dev/fd/1 appending to a log",
         {{"order.json", kOrder}, {"log.txt", "earlier entry\n"}},
         "TOOL pdf order.json -o /dev/fd/1 >>log.txt", 0, "",
         [](const fs::path& d) {
             const std::string log = ReadFile(d / "log.txt");
             EXPECT_TRUE(StartsWith(log, "earlier entry\n%PDF-1.5\r\n"));
             EXPECT_TRUE(EndsWith(log, "%%EOF\r\n"));
         },
         {"log.txt"}},
        {"-o /proc/self/fd/1 into a pipe",
         {{"order.json", kOrder}},
         "TOOL pdf order.json -o /proc/self/fd/1 | cat >piped.pdf",
         0, "", [](const fs::path& d) { EXPECT_TRUE(IsPdf(ReadFile(d / "piped.pdf"))); }, {"piped.pdf"}},
        {"-o - writes to standard output",
         {{"order.json", kOrder}},
         "TOOL pdf order.json -o - | cat >piped.pdf",
         0, "", [](const fs::path& d) { EXPECT_TRUE(IsPdf(ReadFile(d / "piped.pdf"))); }, {"piped.pdf"}},
        {"-o /dev/stdout when it is closed", {{"order.json", kOrder}}, "TOOL pdf order.json -o /dev/stdout >&-", 1,
         "Bad file descriptor", nullptr, {}},
        {"-o /dev/stdin, open for reading only", {{"order.json", kOrder}},
         "TOOL pdf order.json -o /dev/stdin <order.json", 1, "Bad file descriptor", nullptr, {}},
        // Standard output that takes nothing is a failure, not a success.
        {"derive to a full disk", {{"order.json", kOrder}}, "TOOL derive order.json >/dev/full", 1,
         "Cannot write file \"standard output\". No space left on device", nullptr, {}},
        {"options to a full disk", {{"order.json", "{}"}}, "TOOL options order.json --row 1.1 >/dev/full", 1,
         "No space left on device", nullptr, {}},
        {"help to a full disk", {}, "TOOL --help >/dev/full", 1, "No space left on device", nullptr, {}},
        {"derive with standard output closed", {{"order.json", kOrder}}, "TOOL derive order.json >&-", 1,
         "Bad file descriptor", nullptr, {}},
        {"pdf -o - to a full disk", {{"order.json", kOrder}}, "TOOL pdf order.json -o - >/dev/full", 1,
         "No space left on device", nullptr, {}},
        // Texts echoed in a message are escaped.
        {"quantity with a line break", {{"order.json", OrderWith("quantity", R"("1\n2")")}},
         "TOOL derive order.json >out.txt", 2, R"("quantity": "1\n2" is not a whole number)", nullptr, {"out.txt"}},
        {"quantity with a NUL", {{"order.json", OrderWith("quantity", R"("12\u0000345")")}},
         "TOOL derive order.json >out.txt", 2, R"("12\u0000345" is not)", nullptr, {"out.txt"}},
        {"quantity with an escape sequence", {{"order.json", OrderWith("quantity", R"("\u001b[31mred\u009b2J")")}},
         "TOOL pdf order.json -o out.pdf", 2, R"("\u001b[31mred\u009b2J" is not)", nullptr, {}},
        {"option text with a line separator", {{"order.json", R"({"breaker": ["200\u2028А"]})"}},
         "TOOL derive order.json", 2, R"(unknown option "200\u2028А")", nullptr, {}},
        {"unknown key with a tab", {{"order.json", R"({"note\t": ""})"}}, "TOOL derive order.json", 2,
         R"(unknown key "note\t")", nullptr, {}},
        {"file name with a line break", {}, "TOOL derive $'no\\nsuch.json'", 2,
         R"(cannot read no\nsuch.json: No such file or directory)", nullptr, {}},
        {"output name with an escape sequence", {{"order.json", kOrder}},
         "TOOL pdf order.json -o $'missing/\\e[2J.pdf'", 1, R"(Cannot create file "missing/\u001b[2J.pdf")", nullptr,
         {}},
        {"argument with an escape sequence", {}, "TOOL $'\\e[31mprint'", 2, R"(unknown command "\u001b[31mprint")",
         nullptr, {}},
        {"row with a line break", {{"order.json", "{}"}}, "TOOL options order.json --row $'1.1\\n'", 2,
         R"(no row "1.1\n")", nullptr, {}},
        {"invalid bytes in a name", {}, "TOOL derive $'\\xff\\xfe.json'", 2, R"(cannot read \xFF\xFE.json)", nullptr,
         {}},
        // Input larger than the limit is refused before it is parsed.
        {"input over 16 MiB", {{"order.json", big}}, "TOOL derive order.json", 2,
         "cannot read order.json: larger than 16 MiB", nullptr, {}},
        {"input over 16 MiB on standard input", {{"order.json", big}}, "TOOL derive - <order.json", 2,
         "cannot read standard input: larger than 16 MiB", nullptr, {}},
        {"a device without end", {}, "TOOL derive /dev/zero", 2, "cannot read /dev/zero: larger than 16 MiB", nullptr,
         {}},
        {"a device without end on standard input", {}, "TOOL pdf - -o out.pdf </dev/zero", 2,
         "cannot read standard input: larger than 16 MiB", nullptr, {}},
        // Lenient input is refused.
        {"a key given twice", {{"order.json", R"({"quantity": "abc", "quantity": 2})"}}, "TOOL derive order.json", 2,
         R"(duplicate key "quantity")", nullptr, {}},
        {"a key given twice in other spelling", {{"order.json", R"({"note": "a", "n\u006fte": "b"})"}},
         "TOOL derive order.json", 2, R"(duplicate key "note")", nullptr, {}},
        {"bytes after a NUL", {{"order.json", kOrder + std::string("\0{\"quantity\": 0}", 16)}},
         "TOOL derive order.json", 2, "invalid JSON: a NUL byte at byte " + std::to_string(kOrder.size() + 1), nullptr,
         {}},
        {"a folder as ORDER.json", {}, "mkdir folder.json; TOOL derive folder.json", 2,
         "cannot read folder.json: Is a directory", nullptr, {"folder.json"}},
        {"an accessory before the breaker is complete",
         {{"order.json", R"({"breaker": [0], "accessories": [0]})"}}, "TOOL derive order.json", 2,
         "row 2.1 (2.1 Моторный привод): option 0 \"Отсутствует\" cannot be chosen while row 1.2 (1.2 Номинальная "
         "предельная наибольшая отключающая способность (Icu), кА (действ.)) is not chosen",
         nullptr, {}},
        {"options of a row below an open row", {{"order.json", "{}"}}, "TOOL options order.json --row 1.5 >out.txt", 2,
         "row 1.5 (1.5 Исполнение) offers nothing while row 1.1 (1.1 Номинальный ток) is not chosen",
         [](const fs::path& d) { EXPECT_EQ(ReadFile(d / "out.txt"), ""); }, {"out.txt"}},
        {"options of an accessory row below an open row", {{"order.json", R"({"breaker": [0,0,0,0,0,0,0,0]})"}},
         "TOOL options order.json --row 2.3", 2, "row 2.3 (2.3 Независимый расцепитель) offers nothing while row 2.1",
         nullptr, {}},
        // A hard-linked target: the name given gets the new file, the other
        // name keeps what it had.
        {"a hard-linked target", {{"order.json", kOrder}, {"out.pdf", "old document"}},
         "ln out.pdf other.pdf && TOOL pdf order.json -o out.pdf", 0, "",
         [](const fs::path& d) {
             EXPECT_TRUE(IsPdf(ReadFile(d / "out.pdf")));
             EXPECT_EQ(ReadFile(d / "other.pdf"), "old document");
         },
         {"other.pdf", "out.pdf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const auto& [name, content] : c.Files) Write(name, content);
        const TRun r = Script(c.Script);
        EXPECT_EQ(r.Status, c.Status) << r.Err;
        if (c.InError.empty()) {
            EXPECT_EQ(r.Err, "");
        } else {
            EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
            EXPECT_TRUE(StartsWith(r.Err, "lk63-order: ")) << r.Err;
            EXPECT_EQ(RawControls(r.Err), "") << r.Err;
            EXPECT_NE(r.Err.find(c.InError), std::string::npos) << r.Err;
        }
        if (c.Check) c.Check(dir_);
        std::vector<std::string> after = c.After;
        if (!c.Files.empty() && c.Files.front().first == "order.json") after.push_back("order.json");
        for (const auto& [name, content] : c.Files)
            if (name != "order.json" && std::find(after.begin(), after.end(), name) == after.end()) after.push_back(name);
        std::sort(after.begin(), after.end());
        EXPECT_EQ(Names(), after) << "nothing else is left in the folder, no temporary file above all";
    }
}

// Input of exactly the limit is read and parsed.
TEST_F(OrderToolFaults, InputOfExactlyTheLimitIsRead) {
    std::string order = kOrder;
    order.resize(kLimit, ' ');
    Write("order.json", order);
    const TRun r = Script("TOOL derive order.json >out.json");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadFile(dir_ / "out.json"), Expected("all_first.expected.json"));
}

// A member of the file's group who saves over it keeps the group, as the
// owner cannot be kept; the permissions stay.
TEST_F(OrderToolFaults, ReplacingAFileOfTheGroupKeepsTheGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can hand the file to another user and group to begin with";
    constexpr gid_t kGroup = 65533;  // a group the saving user is a member of
    Write("order.json", kOrder);
    const fs::path out = dir_ / "out.pdf";
    Write("out.pdf", "old document");
    ASSERT_EQ(::chown(out.c_str(), 0, kGroup), 0);
    ASSERT_EQ(::chmod(out.c_str(), 0664), 0);
    ASSERT_EQ(::chown(dir_.c_str(), 0, kGroup), 0);
    ASSERT_EQ(::chmod(dir_.c_str(), 0775), 0);
    const TRun r = Script("setpriv --reuid=65534 --regid=65534 --groups=" + std::to_string(kGroup) +
                          " bash -c \"$(declare -f TOOL); TOOL pdf order.json -o out.pdf\"");
    EXPECT_EQ(r.Status, 0) << r.Err;
    struct stat status {};
    ASSERT_EQ(::stat(out.c_str(), &status), 0);
    EXPECT_TRUE(IsPdf(ReadFile(out)));
    EXPECT_EQ(status.st_uid, 65534u) << "the saving user owns the new file";
    EXPECT_EQ(status.st_gid, kGroup) << "the group stays";
    EXPECT_EQ(status.st_mode & 07777, 0664u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"order.json", "out.pdf"}));
}

}  // namespace
