// Page preparation of a report, and the run-time parts a report owns.

#include <exception>
#include <string>
#include <vector>

#include "report/draw_text.h"
#include "report/engine.h"
#include "report/memo_view.h"
#include "report/messages.h"
#include "report/prepared_pages.h"
#include "report/report.h"

namespace lk63 {
namespace {

// What a run changes in the template, put back when it ends.
class TTemplateSnapshot {
public:
    explicit TTemplateSnapshot(const TrpReport& report) {
        for (TrpComponent* c : report.AllObjects()) {
            TState s{c, c->Left(), c->Top(), c->Width(), c->Height(), c->Visible(), {}, false, false};
            if (const auto* memo = dynamic_cast<const TrpCustomMemoView*>(c)) {
                s.Text = memo->Memo;
                s.FirstParaBreak = memo->FirstParaBreak;
                s.LastParaBreak = memo->LastParaBreak;
            }
            states_.push_back(std::move(s));
        }
    }
    void Restore() {
        for (TState& s : states_) {
            s.Object->SetBounds(s.Left, s.Top, s.Width, s.Height);
            s.Object->SetVisible(s.Visible);
            if (auto* memo = dynamic_cast<TrpCustomMemoView*>(s.Object)) {
                memo->Memo = std::move(s.Text);
                memo->FirstParaBreak = s.FirstParaBreak;
                memo->LastParaBreak = s.LastParaBreak;
            }
        }
    }

private:
    struct TState {
        TrpComponent* Object;
        double Left, Top, Width, Height;
        bool Visible;
        TWideStrings Text;
        bool FirstParaBreak, LastParaBreak;
    };
    std::vector<TState> states_;
};

// The script of this system's reports is the empty block; anything else
// would need a script language that the engine does not have.
bool IsEmptyScript(const std::vector<std::string>& lines, std::size_t& statementLine) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto b = line.find_first_not_of(" \t");
        if (b == std::string::npos) continue;
        const std::string word = line.substr(b, line.find_last_not_of(" \t") - b + 1);
        const bool keyword = (words.empty() && SameTextAscii(word, "begin")) || SameTextAscii(word, "end.");
        if (!keyword) {
            statementLine = i + 1;
            return false;
        }
        words.push_back(word);
    }
    return true;
}

std::string Format2(std::string_view pattern, const std::string& a, const std::string& b) {
    std::string out(pattern);
    for (const std::string* arg : {&a, &b}) {
        const auto at = out.find("%s");
        if (at == std::string::npos) break;
        out.replace(at, 2, *arg);
    }
    return out;
}

}  // namespace

void TrpRuntimeDeleter::operator()(TrpDrawText* p) const { delete p; }
void TrpRuntimeDeleter::operator()(TrpEngine* p) const { delete p; }
void TrpRuntimeDeleter::operator()(TrpPreviewPages* p) const { delete p; }

TrpDrawText& TrpReport::DrawText() {
    if (!drawText_) drawText_.reset(new TrpDrawText());
    return *drawText_;
}

TrpPreviewPages& TrpReport::PreviewPages() {
    if (!previewPages_) previewPages_.reset(new TrpPreviewPages(*this));
    return *previewPages_;
}

TrpEngine& TrpReport::Engine() {
    if (!engine_) engine_.reset(new TrpEngine(*this));
    return *engine_;
}

bool TrpReport::PreparePages(bool clearLast) {
    if (clearLast) PreviewPages().ResetStore();
    Errors().Clear();
    Terminated = false;
    for (std::size_t i = 0; i < Datasets().Count(); ++i) {
        const TrpDataSetItem& item = Datasets()[i];
        if (!item.DataSet()) Errors().Add("Набор данных не найден: " + item.DataSetName());
    }
    bool done = false;
    if (Errors().Empty()) {
        TTemplateSnapshot snapshot(*this);
        const auto previousSystemVariable = OnSystemVariable;
        TrpEngine& engine = Engine();
        OnSystemVariable = [this, &engine](std::string_view name) -> TVariant {
            TrpPreviewPages& store = PreviewPages();
            if (SameTextAscii(name, "Page")) return store.LogicalPageNumber();
            if (SameTextAscii(name, "Page#")) return store.CurrentPage() + 1;
            if (SameTextAscii(name, "TotalPages")) return store.LogicalPageTotal(engine.TotalPages);
            if (SameTextAscii(name, "TotalPages#")) return engine.TotalPages;
            if (SameTextAscii(name, "Line") || SameTextAscii(name, "Line#")) return engine.LineNo;
            return {};
        };
        try {
            ExpressionCache().Clear();
            CurObject.clear();
            std::size_t line = 0;
            if (!IsEmptyScript(ScriptText, line)) {
                Errors().Add(Format2(RpMessage("ScriptError"), "(" + std::to_string(line) + ")",
                                     "the report script language " + ScriptLanguage + " is not available"));
            } else {
                engine.Run();
                done = Errors().Empty();
            }
        } catch (const std::exception& e) {
            Errors().Add(e.what());
        }
        OnSystemVariable = previousSystemVariable;
        snapshot.Restore();
    }
    if (Errors().Empty()) return done;

    ShowErrors();
    return false;
}

}  // namespace lk63
