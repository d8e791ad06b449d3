// One fact of the rule engine, as the component reports it. The component
// makes a wrapper when the engine asserts a fact and lets go of it when the
// engine retracts the fact; holders keep the wrapper through shared
// ownership. Only while the fact is asserted does the wrapper reach the
// engine; afterwards it answers Text, Index and the field lists from what it
// kept, and anything needing the engine throws ECLIPSException.
// A wrapper can also be made for a new fact of a template, to be asserted
// later; it stays usable until the engine is cleared or loads a file.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vesk {

class ClipsEngine;
class TClips;

class TClipsFact : public std::enable_shared_from_this<TClipsFact> {
public:
    using Value = std::variant<double, long long, std::string>;

    TClipsFact(const TClipsFact&) = delete;
    TClipsFact& operator=(const TClipsFact&) = delete;
    virtual ~TClipsFact();

    // A new, unasserted fact of the named template (ECLIPSException when
    // the component's engine has no such template), slots at their defaults.
    static std::shared_ptr<TClipsFact> CreateFromTemplate(TClips& owner, const std::string& templateName);

    bool Asserted() const { return asserted_; }
    // True asserts a created fact (a retracted one cannot be asserted
    // again: ECLIPSException), False retracts; nothing when unchanged.
    void SetAsserted(bool value);
    long long Index() const { return index_; }
    bool Ordered() const { return ordered_; }
    // The fields of an ordered fact, the relation name first.
    const std::vector<std::string>& OrderedFields() const { return orderedFields_; }
    // The slot names of a template fact, sorted without regard to case.
    const std::vector<std::string>& Slots() const { return slots_; }
    // The printed form, such as "f-1     (a b c)".
    std::string Text() const;

    // True when the engine asserted the created fact; a duplicate is not
    // asserted, and the engine keeps the created fact either way.
    virtual bool Assert();
    virtual bool Retract();
    // The value of a slot: a float, an integer, or the text of a symbol or
    // string. ECLIPSUnknownSlot for a name the fact lacks,
    // ECLIPSInvalidDataObject for any other kind of value.
    Value GetSlotValue(const std::string& name) const;

    // Splits a fact's printed form into its ordered fields; a string is
    // one field, as printed (in quotes, a quote or backslash in it escaped).
    static std::vector<std::string> SplitOrderedFields(const std::string& text);

protected:
    TClipsFact(ClipsEngine& engine, void* fact);
    virtual void SetFact(void* fact);

private:
    friend class TClips;
    // Keeps the printed form and lets go of the engine.
    void Detach();
    // Lets go of the engine without reading the fact (a created one's
    // template may be about to go); discard frees a created fact.
    void Forget(bool discard);
    ClipsEngine& Engine() const;

    ClipsEngine* engine_ = nullptr;
    bool asserted_ = false;
    void* fact_ = nullptr;
    long long index_ = -1;
    bool ordered_ = true;
    std::vector<std::string> orderedFields_;
    std::vector<std::string> slots_;
    std::string keptText_;
};

}  // namespace vesk
