#include "desktop/desktop_fixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace lk63::desktop {
namespace {

namespace fs = std::filesystem;

// The shortest beginning of entries[index] that the incremental search takes
// to that entry and no earlier one.
std::string SearchPrefix(const std::vector<std::string>& entries, std::size_t index) {
    const std::string& target = entries[index];
    for (std::size_t length = 1; length <= target.size(); ++length) {
        // Whole UTF-8 characters only.
        if (length < target.size() && (static_cast<unsigned char>(target[length]) & 0xC0) == 0x80) continue;
        const std::string prefix = target.substr(0, length);
        const auto first = std::find_if(entries.begin(), entries.end(),
                                        [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        if (first - entries.begin() == static_cast<std::ptrdiff_t>(index)) return prefix;
    }
    return target;
}

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

}  // namespace

void TDesktopTest::SetUp() {
    fs::create_directories(Home() + "/Documents");
    fs::create_directories(Path("work"));
    fs::create_directories(Path("runtime"));
    fs::permissions(Path("runtime"), fs::perms::owner_all, fs::perm_options::replace);
    x_ = std::make_unique<TXSession>(folder_.Path());
    window_ = std::make_unique<TQuestionnaireWindow>(*x_, LK63_QUESTIONNAIRE, folder_.Path());
    tool_ = std::make_unique<TOrderTool>(LK63_ORDER_TOOL, folder_.Path());
}

void TDesktopTest::TearDown() {
    if (HasFailure()) {
        Shot("at-the-end");
        // The program's own messages, beside the screenshot.
        std::error_code ignored;
        fs::copy_file(Path("lk63-questionnaire.log"), std::string(LK63_DESKTOP_SHOTS) + "/" + TestName() + ".log",
                      fs::copy_options::overwrite_existing, ignored);
    }
    window_.reset();
    x_.reset();
}

void TDesktopTest::Shot(const std::string& label) const {
    fs::create_directories(LK63_DESKTOP_SHOTS);
    const std::string path = std::string(LK63_DESKTOP_SHOTS) + "/" + TestName() + "-" + label + ".png";
    if (x_) x_->Screenshot(path);
    std::printf("screenshot: %s\n", path.c_str());
}

void TDesktopTest::ParkPointer() const {
    window_->MoveTo({400, 8 + 525 + 12});  // on the heading above the note
}

void TDesktopTest::Choose(int grid, int row, TWay way, int index, TArrive arrive) {
    const std::string where = std::to_string(grid) + "." + std::to_string(row + 1);
    SCOPED_TRACE("row " + where);
    const std::vector<std::string> entries = Offered(grid, row);
    ASSERT_FALSE(entries.empty()) << "row " << where << " offers nothing";
    if (index == kWidest) {
        index = static_cast<int>(std::max_element(entries.begin(), entries.end(),
                                                  [](const std::string& a, const std::string& b) {
                                                      return a.size() < b.size();
                                                  }) -
                                 entries.begin());
    }
    ASSERT_LT(index, static_cast<int>(entries.size()));
    const std::string& text = entries[static_cast<std::size_t>(index)];
    std::vector<std::string>& chosen = grid == 1 ? sheet_.Breaker : sheet_.Accessories;
    // The list opens on the value the row has.
    int selected = -1;
    if (static_cast<int>(chosen.size()) > row) {
        const auto at = std::find(entries.begin(), entries.end(), chosen[static_cast<std::size_t>(row)]);
        if (at != entries.end()) selected = static_cast<int>(at - entries.begin());
    }

    if (way == TWay::Mouse) {
        ASSERT_LT(index, 8) << "the mouse chooses among the entries the list shows at once";
        window_->Click(place::ValueCell(grid, row));
        window_->Click(place::ValueButton(grid, row));
        const std::optional<TWindow> list = window_->WaitForPickList();
        ASSERT_TRUE(list) << "the button opens the list";
        window_->ClickScreen(TQuestionnaireWindow::ListEntry(*list, static_cast<int>(entries.size()), index));
    } else {
        if (arrive == TArrive::Click) window_->Click(place::NameCell(grid, row));
        else window_->Keys({"Down"});
        ParkPointer();
        window_->Keys({"alt+Down"});
        ASSERT_TRUE(window_->WaitForPickList()) << "Alt+Down opens the list";
        if (way == TWay::Keys) {
            std::vector<std::string> keys;
            for (int at = selected; at < index; ++at) keys.push_back("Down");
            for (int at = selected; at > index && at > 0; --at) keys.push_back("Up");
            if (!keys.empty()) window_->Keys(keys);
        } else {
            window_->Type(SearchPrefix(entries, static_cast<std::size_t>(index)));
        }
        window_->Keys({"Return"});
    }
    ASSERT_TRUE(window_->WaitForNoPickList()) << "the list closes";
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), text) << "the editor shows the choice";

    chosen.resize(static_cast<std::size_t>(row));
    chosen.push_back(text);
    if (grid == 1) sheet_.Accessories.clear();  // a breaker choice empties the accessories
}

void TDesktopTest::ChooseAll() {
    for (int row = 0; row < 8; ++row) Choose(1, row, TWay::Keys, 0, row == 0 ? TArrive::Click : TArrive::Arrow);
    for (int row = 0; row < 10; ++row) {
        const bool wide = row == 7 || row == 8;
        Choose(2, row, TWay::Keys, wide ? kWidest : 0, row == 0 ? TArrive::Click : TArrive::Arrow);
    }
}

void TDesktopTest::Save(const std::optional<std::string>& typed, bool replaces, const std::string& path) {
    // A new file is a new inode: the writer renames its finished file over the old one.
    const auto identity = [&]() -> std::pair<ino_t, std::int64_t> {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return {0, 0};
        return {st.st_ino, std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
    };
    const auto before = identity();
    window_->Click(place::kSaveButton);
    ASSERT_TRUE(window_->WaitForSaveDialog()) << "the save dialog opens";
    if (typed) {
        window_->Keys({"ctrl+a"});
        window_->Type(*typed);
    }
    window_->Keys({"Return"});
    if (replaces) {
        ASSERT_TRUE(TQuestionnaireWindow::WaitUntil([&] { return window_->SaveDialogs().size() == 2; }))
            << "the question before the file is replaced";
        window_->Keys({"shift+Tab", "Return"});  // "Да"; "Нет" is the default
    }
    ASSERT_TRUE(TQuestionnaireWindow::WaitUntil([&] {
        const auto now = identity();
        return now.first != 0 && now != before;
    })) << path << " is written";
    ASSERT_TRUE(TQuestionnaireWindow::WaitUntil([&] { return window_->OtherWindows().empty(); }))
        << "the dialog and the progress window go";
}

bool TDesktopTest::KeyboardWorks(const std::string& token) {
    window_->Click(place::Edit(1));
    window_->Keys({"ctrl+a"});
    window_->Type(token);
    return window_->CopyFocused() == token;
}

}  // namespace lk63::desktop
