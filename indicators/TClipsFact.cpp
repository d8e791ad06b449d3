#include "TClipsFact.h"

#include "ClipsEngine.h"
#include "ECLIPSException.h"

#include <algorithm>
#include <cctype>

namespace vesk {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimLeft(const std::string& s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string Trim(const std::string& s) {
    std::string t = TrimLeft(s);
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

void TClipsFact::SetFact(void* fact) {
    fact_ = fact;
    orderedFields_.clear();
    slots_.clear();
    keptText_.clear();
    if (!fact_ || !engine_) {
        fact_ = nullptr;
        engine_ = nullptr;
        ordered_ = true;
        return;
    }
    index_ = engine_->FactIndex(fact_);
    // An ordered fact's template is the implied one, whose one slot
    // holds all fields; a template without slots prints the same way.
    if (!engine_->FactOrdered(fact_)) {
        slots_ = engine_->SlotNames(fact_);
        std::stable_sort(slots_.begin(), slots_.end(), LessNoCase);
    }
    ordered_ = slots_.empty();
    if (ordered_) orderedFields_ = SplitOrderedFields(Text());
}

std::vector<std::string> TClipsFact::SplitOrderedFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string rest = Trim(text);
    if (rest.empty()) return fields;
    std::size_t open = rest.find('(');
    std::size_t from = open == std::string::npos ? 0 : open + 1;
    rest = from < rest.size() ? rest.substr(from, rest.size() - 1 - from) : std::string();
    for (std::size_t blank; (blank = rest.find(' ')) != std::string::npos;) {
        fields.push_back(rest.substr(0, blank));
        rest = TrimLeft(rest.substr(blank + 1));
    }
    fields.push_back(rest);
    return fields;
}

ClipsEngine& TClipsFact::Engine() const {
    if (!engine_) throw ECLIPSException("CLIPS fact is not asserted");
    return *engine_;
}

std::string TClipsFact::Text() const { return engine_ ? engine_->FactText(fact_) : keptText_; }

void TClipsFact::Detach() {
    if (!engine_) return;
    keptText_ = engine_->FactText(fact_);
    engine_ = nullptr;
    fact_ = nullptr;
}

void TClipsFact::SetAsserted(bool value) {
    if (value == Asserted()) return;
    if (value)
        Assert();
    else
        Retract();
}

// A fact the engine has retracted cannot be asserted again through its
// old handle (the engine hangs), so only an asserted wrapper gets here
// without an error, and the engine has nothing new to assert.
bool TClipsFact::Assert() {
    Engine();
    return false;
}

bool TClipsFact::Retract() {
    if (!engine_) return false;
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
