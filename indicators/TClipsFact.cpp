#include "TClipsFact.h"

#include "ClipsEngine.h"
#include "ECLIPSException.h"
#include "TClips.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vesk {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string_view Trim(std::string_view s) {
    std::string_view t = TrimLeft(s);
    std::size_t e = t.size();
    while (e > 0 && IsBlank(t[e - 1])) --e;
    return t.substr(0, e);
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

TClipsFact::TClipsFact(ClipsEngine& engine, void* fact) : engine_(&engine) { SetFact(fact); }

TClipsFact::~TClipsFact() { Forget(true); }

void TClipsFact::SetFact(void* fact) {
    fact_ = fact;
    orderedFields_.clear();
    slots_.clear();
    keptText_.clear();
    if (!fact_ || !engine_) {
        fact_ = nullptr;
        engine_ = nullptr;
        asserted_ = false;
        ordered_ = true;
        return;
    }
    asserted_ = true;
    index_ = engine_->FactIndex(fact_);
    // An ordered fact's template is the implied one, whose one slot
    // holds all fields; a template without slots prints the same way.
    if (!engine_->FactOrdered(fact_)) {
        slots_ = engine_->SlotNames(fact_);
        std::stable_sort(slots_.begin(), slots_.end(), LessNoCase);
    }
    ordered_ = slots_.empty();
    keptText_ = Text();
    if (ordered_) orderedFields_ = SplitOrderedFields(keptText_);
}

// One pass over the text: each field is copied once, whatever the
// fact's length. Fields are parted by blanks; a string (a quote or a
// backslash in it escaped by a backslash) is one field, blanks and all.
std::vector<std::string> TClipsFact::SplitOrderedFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string_view rest = Trim(text);
    if (rest.empty()) return fields;
    const std::size_t open = rest.find('(');
    const std::size_t from = open == std::string_view::npos ? 0 : open + 1;
    rest = from < rest.size() ? rest.substr(from, rest.size() - 1 - from) : std::string_view();
    for (;;) {
        std::size_t end = 0;
        if (!rest.empty() && rest[0] == '"') {
            for (end = 1; end < rest.size() && rest[end] != '"';) end += rest[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, rest.size());
        }
        const std::size_t blank = rest.find(' ', end);
        if (blank == std::string_view::npos) break;
        fields.emplace_back(rest.substr(0, blank));
        rest = TrimLeft(rest.substr(blank + 1));
    }
    fields.emplace_back(rest);
    return fields;
}

ClipsEngine& TClipsFact::Engine() const {
    if (!engine_) throw ECLIPSException("CLIPS fact is not asserted");
    return *engine_;
}

std::string TClipsFact::Text() const { return engine_ ? engine_->FactText(fact_) : keptText_; }

void TClipsFact::Detach() {
    if (!engine_) return;
    if (asserted_) keptText_ = engine_->FactText(fact_);
    Forget(false);
}

void TClipsFact::Forget(bool discard) {
    if (discard && engine_ && fact_ && !asserted_) engine_->DiscardFact(fact_);
    engine_ = nullptr;
    fact_ = nullptr;
    asserted_ = false;
}

std::shared_ptr<TClipsFact> TClipsFact::CreateFromTemplate(TClips& owner, const std::string& templateName) {
    ClipsEngine& engine = *owner.engine_;
    ClipsEngine::Operation operation(engine);
    owner.StartEngine();
    void* fact = engine.CreateFact(templateName);
    if (!fact) throw ECLIPSException("Unknown CLIPS template: " + templateName, operation.Details());
    std::shared_ptr<TClipsFact> wrapper(new TClipsFact(engine, fact));
    wrapper->asserted_ = false;
    std::erase_if(owner.created_, [](const std::weak_ptr<TClipsFact>& w) { return w.expired(); });
    owner.created_.push_back(wrapper);
    operation.Finish();
    return wrapper;
}

void TClipsFact::SetAsserted(bool value) {
    if (value == Asserted()) return;
    if (value)
        Assert();
    else
        Retract();
}

// A fact the engine has retracted cannot be asserted again through its
// old handle (the engine hangs): only created facts are asserted.
bool TClipsFact::Assert() {
    if (asserted_) return false;
    ClipsEngine& engine = Engine();
    auto keep = shared_from_this();
    ClipsEngine::Operation operation(engine);
    engine.adopting = this;
    void* fact = engine.Assert(fact_);
    engine.adopting = nullptr;
    // The component took this wrapper into its list in the assertion
    // notification; otherwise the engine has dropped the created fact.
    if (!fact || !asserted_) Forget(false);
    operation.Finish();
    return asserted_;
}

bool TClipsFact::Retract() {
    if (!asserted_) return false;
    auto keep = shared_from_this();
    ClipsEngine& engine = *engine_;
    ClipsEngine::Operation operation(engine);
    bool retracted = engine.Retract(fact_);
    // The component detaches its wrapper in the retraction notification.
    if (retracted) Detach();
    operation.Finish();
    return retracted;
}

TClipsFact::Value TClipsFact::GetSlotValue(const std::string& name) const {
    return Engine().SlotValue(fact_, name);
}

}  // namespace vesk
