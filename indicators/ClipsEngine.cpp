// The only file that includes the engine's headers: they lack C linkage
// declarations and define many short macros, so they stay here.
#include "ClipsEngine.h"

#include "ECLIPSException.h"
#include "TClips.h"
#include "ZakazaneFunkcje.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

extern "C" {
#include <clips/clips.h>
}

namespace vesk {

namespace {

// Priority of the engine notifications, as the component always used.
constexpr int kCallbackPriority = 2001;
// Above the engine's own console routes, so nothing reaches stdout.
constexpr int kRouterPriority = 40;
constexpr const char* kRouterName = "VeskLog";
// The logical name a fact's printed form is written to, taken by the
// route into a text of its own (the engine's own string destination
// pads its whole buffer on every write: a long fact would cost its
// length times its fields).
constexpr const char* kFactRoute = "VeskFakt";

ClipsEngine& EngineOf(void* env) {
    return *static_cast<ClipsEngine*>(GetEnvironmentContext(env));
}

// The logical names of the engine's console and message windows.
int QueryRoute(void*, const char* name) noexcept {
    static const char* const kNames[] = {"stdout", "stdin", "t",     WPROMPT,    WDISPLAY,
                                         WERROR,   WWARNING, WTRACE, WDIALOG, kFactRoute};
    for (const char* n : kNames)
        if (std::strcmp(name, n) == 0) return TRUE;
    return FALSE;
}

int PrintRoute(void* env, const char* name, const char* text) noexcept {
    try {
        ClipsEngine& engine = EngineOf(env);
        if (std::strcmp(name, kFactRoute) == 0) {
            engine.PrintFact(text);
            return TRUE;
        }
        const bool error = std::strcmp(name, WERROR) == 0;
        if (error) engine.ErrorPrinted(GetLineCount(env));
        engine.Print(text, error || std::strcmp(name, WWARNING) == 0);
    } catch (...) {
        // Out of memory for the log: the text is lost, the engine goes on.
    }
    return TRUE;
}

// Rules asking for keyboard input get an end of file at once.
int GetcRoute(void*, const char*) noexcept { return EOF; }
int UngetcRoute(void*, int c, const char*) noexcept { return c; }
// The engine ends the program (the exit function, an allocation it cannot
// make, a fatal error): the owner hears of it first.
int ExitRoute(void* env, int) noexcept {
    EngineOf(env).Notify(ClipsEngine::Event::Exit, nullptr);
    return TRUE;
}
int OutOfMemory(void* env, size_t) noexcept {
    EngineOf(env).Notify(ClipsEngine::Event::OutOfMemory, nullptr);
    return FALSE;
}

// The engine's functions that reach files or the system: in their place a
// function of the same name that fails with the engine's own error, so a
// rule calling one (in whatever disguise) stops with a message, and nothing
// is opened, written or run.
constexpr const char* kFileFunctions[] = {
    "system",          "open",           "load",           "load*",            "batch",
    "batch*",          "bload",          "bsave",          "save",             "dribble-on",
    "load-facts",      "save-facts",     "load-instances", "save-instances",   "bload-instances",
    "bsave-instances", "restore-instances", "constructs-to-c", "fetch",        "remove",
    "rename",          "chdir",          "help",           "help-path"};

int RefusedFunction(void* env) noexcept {
    const char* name = "?";
    if (EXPRESSION* e = EvaluationData(env)->CurrentExpression; e && e->type == FCALL)
        name = ValueToString(static_cast<struct FunctionDefinition*>(e->value)->callFunctionName);
    EnvPrintRouter(env, WERROR, "[VESK1] Funkcja ");
    EnvPrintRouter(env, WERROR, name);
    EnvPrintRouter(env, WERROR, ": pliki regu\xB3 nie czytaj\xB9 ani nie zapisuj\xB9 plik\xF3w i nie si\xEAgaj\xB9 do systemu.");
    const std::string dane = PodpowiedzDanych(name);
    EnvPrintRouter(env, WERROR, ((dane.empty() ? "" : " ") + dane + "\n").c_str());
    SetEvaluationError(env, TRUE);
    SetHaltExecution(env, TRUE);
    return FALSE;
}

// The engine's format writes each field into a buffer of the flag's
// length plus 200 bytes: a wider field (a width or precision in the
// hundreds, %f of a number with hundreds of digits) runs past it and
// corrupts the engine's memory. In its place: a check of the fields, then
// the engine's own format on the values the check evaluated (each
// argument is evaluated once).
using FormatFunction = void* (*)(void*);
FormatFunction gEngineFormat = nullptr;  // the engine's code, the same for every environment
constexpr long kFormatField = 64;        // widest width or precision; %f of below 1e64 (or no number)

// Whether the fields of the control string fit the engine's buffers with
// the arguments that follow it.
bool FormatFits(const char* control, const std::vector<DATA_OBJECT>& args) {
    std::size_t next = 2;  // the argument of the next field
    for (const char* p = control; *p; ++p) {
        if (*p != '%') continue;
        long width = 0, precision = 0;
        bool dot = false;
        for (++p; *p == '-' || *p == '.' || (*p >= '0' && *p <= '9'); ++p) {
            if (*p == '.') dot = true;
            else if (*p >= '0' && *p <= '9') {
                long& n = dot ? precision : width;
                n = std::min(n * 10 + (*p - '0'), kFormatField + 1);
            }
        }
        if (width > kFormatField || precision > kFormatField) return false;
        if (!*p) break;
        if (!std::strchr("cdfegosx", *p)) continue;  // %n, %r, %%, or a flag the engine refuses
        if (*p == 'f' && next < args.size()) {
            const DATA_OBJECT& v = args[next];
            const double x = GetType(v) == FLOAT ? ValueToDouble(GetValue(v))
                                                 : GetType(v) == INTEGER ? static_cast<double>(ValueToLong(GetValue(v))) : 0;
            if (std::isfinite(x) && !(std::fabs(x) < 1e64)) return false;  // "inf" and "nan" are short
        }
        ++next;
    }
    return true;
}

void* CheckedFormat(void* env) {
    EXPRESSION* call = EvaluationData(env)->CurrentExpression;
    std::vector<EXPRESSION*> nodes;
    std::vector<DATA_OBJECT> args;
    for (EXPRESSION* a = call ? call->argList : nullptr; a; a = a->nextArg) {
        DATA_OBJECT v;
        EvaluateExpression(env, a, &v);
        if (GetEvaluationError(env)) {
            for (DATA_OBJECT& d : args) ValueDeinstall(env, &d);
            return EnvAddSymbol(env, "");
        }
        ValueInstall(env, &v);
        nodes.push_back(a);
        args.push_back(v);
    }
    void* result = nullptr;
    if (args.size() >= 2 && GetType(args[1]) == STRING && !FormatFits(ValueToString(GetValue(args[1])), args)) {
        const std::string m = "[VESK2] Funkcja format: pole szersze ni\xBF " + std::to_string(kFormatField) +
                              " znak\xF3w (szeroko\x9C\xE6 lub dok\xB3" "adno\x9C\xE6 ponad " +
                              std::to_string(kFormatField) + ", liczba do %f od 1e64 wzwy\xBF).\n";
        EnvPrintRouter(env, WERROR, m.c_str());
        SetEvaluationError(env, TRUE);
        SetHaltExecution(env, TRUE);
        result = EnvAddSymbol(env, "");
    } else {
        // The engine's format reads the values as constants in place of
        // the argument expressions, restored afterwards.
        std::vector<EXPRESSION> saved;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            saved.push_back(*nodes[i]);
            if (GetType(args[i]) == MULTIFIELD) continue;
            nodes[i]->type = static_cast<unsigned short>(GetType(args[i]));
            nodes[i]->value = GetValue(args[i]);
            nodes[i]->argList = nullptr;
        }
        result = gEngineFormat(env);
        for (std::size_t i = 0; i < nodes.size(); ++i) *nodes[i] = saved[i];
    }
    for (DATA_OBJECT& d : args) ValueDeinstall(env, &d);
    return result;
}

void AssertionHandler(void* env, void* fact) noexcept { EngineOf(env).Notify(ClipsEngine::Event::Assertion, fact); }
void RetractionHandler(void* env, void* fact) noexcept { EngineOf(env).Notify(ClipsEngine::Event::Retraction, fact); }
void ClearHandler(void* env) noexcept { EngineOf(env).Notify(ClipsEngine::Event::Clear, nullptr); }
void PeriodicHandler(void* env) noexcept { EngineOf(env).Notify(ClipsEngine::Event::Periodic, nullptr); }
void ResetHandler(void* env) noexcept { EngineOf(env).Notify(ClipsEngine::Event::Reset, nullptr); }

std::string MultifieldText(const DATA_OBJECT& value, long i) {
    void* fields = GetValue(value);
    return ValueToString(GetMFValue(fields, i));
}

}  // namespace

ClipsEngine::ClipsEngine(TClips& owner) : owner_(owner) {}

ClipsEngine::~ClipsEngine() { Stop(); }

ClipsEngine::Operation::Operation(ClipsEngine& engine) : engine_(engine), mark_(engine.log_.size()) {
    if (engine_.busy_) throw ECLIPSException("CLIPS engine busy");
    engine_.busy_ = true;
    engine_.errors_ = false;
    engine_.halted_ = false;
    engine_.pending_ = nullptr;
}

ClipsEngine::Operation::~Operation() {
    engine_.Resume();
    engine_.pending_ = nullptr;
    engine_.busy_ = false;
}

void ClipsEngine::Operation::Finish() {
    engine_.Resume();
    if (engine_.pending_) {
        std::exception_ptr p = engine_.pending_;
        engine_.pending_ = nullptr;
        std::rethrow_exception(p);
    }
}

std::string ClipsEngine::Operation::Details() const {
    return mark_ <= engine_.log_.size() ? engine_.log_.substr(mark_) : engine_.log_;
}

void ClipsEngine::Start() {
    if (env_) return;
    void* env = CreateEnvironment();
    if (!env) throw ECLIPSException("CLIPS engine could not be started");
    SetEnvironmentContext(env, this);
    if (!EnvAddRouter(env, kRouterName, kRouterPriority, QueryRoute, PrintRoute, GetcRoute,
                      UngetcRoute, ExitRoute)) {
        DestroyEnvironment(env);
        throw ECLIPSException("CLIPS engine could not be started");
    }
    env_ = env;
    EnvSetOutOfMemoryFunction(env, OutOfMemory);
    EnvAddAssertFunction(env, "AssertionHandler", AssertionHandler, kCallbackPriority);
    EnvAddRetractFunction(env, "RetractionHandler", RetractionHandler, kCallbackPriority);
    EnvAddClearFunction(env, "ClearHandler", ClearHandler, kCallbackPriority);
    EnvAddPeriodicFunction(env, "PeriodicHandler", PeriodicHandler, kCallbackPriority);
    EnvAddResetFunction(env, "ResetHandler", ResetHandler, kCallbackPriority);
    for (const char* name : kFileFunctions)
        if (FindFunction(env, name)) EnvDefineFunction2(env, name, 'b', PTIEF RefusedFunction, "RefusedFunction", nullptr);
    if (FunctionDefinition* format = FindFunction(env, "format")) {
        // Through void (*)(), the generic function pointer type.
        const auto checked = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(CheckedFormat));
        if (!gEngineFormat && format->functionPointer != checked)
            gEngineFormat = reinterpret_cast<FormatFunction>(reinterpret_cast<void (*)()>(format->functionPointer));
        if (gEngineFormat) format->functionPointer = checked;
    }
}

void ClipsEngine::Stop() {
    if (!env_) return;
    void* env = env_;
    EnvRemoveAssertFunction(env, "AssertionHandler");
    EnvRemoveClearFunction(env, "ClearHandler");
    EnvRemovePeriodicFunction(env, "PeriodicHandler");
    EnvRemoveRetractFunction(env, "RetractionHandler");
    EnvRemoveResetFunction(env, "ResetHandler");
    env_ = nullptr;
    DestroyEnvironment(env);
}

void ClipsEngine::Notify(Event event, void* fact) noexcept {
    try {
        switch (event) {
        case Event::Assertion: owner_.DoAssert(fact); break;
        case Event::Retraction: owner_.DoRetract(fact); break;
        case Event::Clear: owner_.DoClear(); break;
        case Event::Periodic: owner_.DoPeriodic(); break;
        case Event::Reset: owner_.DoReset(); break;
        case Event::Exit: owner_.DoExit(); break;
        case Event::OutOfMemory: owner_.DoOutOfMemory(); break;
        }
    } catch (...) {
        if (!pending_) pending_ = std::current_exception();
        Halt();
    }
}

// The engine's own way to stop a run or a load after a failed action.
void ClipsEngine::Halt() {
    if (!env_) return;
    SetEvaluationError(env_, TRUE);
    SetHaltExecution(env_, TRUE);
    EnvSetHaltRules(env_, TRUE);
}

void ClipsEngine::Resume() {
    if (!env_) return;
    SetEvaluationError(env_, FALSE);
    SetHaltExecution(env_, FALSE);
    EnvSetHaltRules(env_, FALSE);
}

// The engine leaves execution halted after an error stopped it (until
// the operation's end resumes it).
void ClipsEngine::Clear() {
    EnvClear(env_);
    halted_ = GetHaltExecution(env_) != 0;
}
void ClipsEngine::Reset() {
    EnvReset(env_);
    halted_ = GetHaltExecution(env_) != 0;
}
long long ClipsEngine::Run(long long limit) {
    const long long fired = EnvRun(env_, limit);
    halted_ = GetHaltExecution(env_) != 0;
    return fired;
}
// As the engine's own load does with a file, from a stream over the text.
bool ClipsEngine::Load(const std::string& name, const std::string& text) {
    errorLine_ = 0;
    SetLineCount(env_, 1);
    static char blank[] = " ";  // a stream over no bytes at all is refused
    FILE* stream = text.empty() ? fmemopen(blank, 1, "r") : fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (!stream) throw std::bad_alloc();
    SetFastLoad(env_, stream);
    char* oldName = CopyString(env_, EnvGetParsingFileName(env_));
    EnvSetParsingFileName(env_, name.c_str());
    const int ok = LoadConstructsFromLogicalName(env_, reinterpret_cast<const char*>(stream));
    EnvSetParsingFileName(env_, oldName);
    DeleteString(env_, oldName);
    EnvSetWarningFileName(env_, nullptr);
    EnvSetErrorFileName(env_, nullptr);
    SetFastLoad(env_, nullptr);
    std::fclose(stream);
    return ok != 0;
}
bool ClipsEngine::Bload(const std::string& nativePath) {
    return (EnvBload(env_, nativePath.c_str()) & 0xFF) != 0;
}
bool ClipsEngine::Save(const std::string& nativePath) { return EnvSave(env_, nativePath.c_str()) != 0; }
bool ClipsEngine::Bsave(const std::string& nativePath) {
    return (EnvBsave(env_, nativePath.c_str()) & 0xFF) != 0;
}
// What the engine's save writes, kept in memory: the constructs of every
// module through the save functions of the construct kinds.
std::string ClipsEngine::SaveText() {
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream) throw std::bad_alloc();
    SetFastSave(env_, stream);
    for (void* module = EnvGetNextDefmodule(env_, nullptr); module; module = EnvGetNextDefmodule(env_, module))
        for (callFunctionItem* f = ConstructData(env_)->ListOfSaveFunctions; f; f = f->next)
            // Registered as (environment, module, logical name): the file
            // itself stands for the name while a save bypasses the routers.
            reinterpret_cast<void (*)(void*, void*, const char*)>(reinterpret_cast<void (*)()>(f->func))(
                env_, module, reinterpret_cast<const char*>(stream));
    SetFastSave(env_, nullptr);
    const bool failed = std::fclose(stream) != 0;
    std::string text = buffer ? std::string(buffer, size) : std::string();
    std::free(buffer);
    if (failed) throw std::bad_alloc();
    return text;
}

int ClipsEngine::Strategy() { return EnvGetStrategy(env_); }
void ClipsEngine::SetStrategy(int strategy) { EnvSetStrategy(env_, strategy); }
void* ClipsEngine::AssertString(const std::string& text) { return EnvAssertString(env_, text.c_str()); }
void* ClipsEngine::CreateFact(const std::string& templateName) {
    void* tmpl = EnvFindDeftemplate(env_, templateName.c_str());
    if (!tmpl) return nullptr;
    void* fact = EnvCreateFact(env_, tmpl);
    if (fact) EnvAssignFactSlotDefaults(env_, fact);
    return fact;
}
void* ClipsEngine::Assert(void* fact) { return EnvAssert(env_, fact); }
void ClipsEngine::DiscardFact(void* fact) { ReturnFact(env_, static_cast<struct fact*>(fact)); }
bool ClipsEngine::Retract(void* fact) { return EnvRetract(env_, fact) != 0; }

long long ClipsEngine::FactIndex(void* fact) { return EnvFactIndex(env_, fact); }

// The fact's printed form, as the engine's EnvGetFactPPForm makes it.
// A string in the fact is printed as a rule file writes it, a quote or a
// backslash in it escaped, so that it reads back as one field.
std::string ClipsEngine::FactText(void* fact) {
    factText_.clear();
    const int escaped = PrintUtilityData(env_)->PreserveEscapedCharacters;
    PrintUtilityData(env_)->PreserveEscapedCharacters = TRUE;
    PrintFactWithIdentifier(env_, kFactRoute, static_cast<struct fact*>(fact));
    PrintUtilityData(env_)->PreserveEscapedCharacters = escaped;
    return std::move(factText_);
}

bool ClipsEngine::FactOrdered(void* fact) {
    auto* tmpl = static_cast<struct deftemplate*>(EnvFactDeftemplate(env_, fact));
    return tmpl == nullptr || tmpl->implied;
}

std::vector<std::string> ClipsEngine::SlotNames(void* fact) {
    std::vector<std::string> names;
    void* tmpl = EnvFactDeftemplate(env_, fact);
    if (!tmpl) return names;
    DATA_OBJECT list;
    EnvDeftemplateSlotNames(env_, tmpl, &list);
    if (GetType(list) != MULTIFIELD) return names;
    for (long i = GetDOBegin(list); i <= GetDOEnd(list); ++i) names.push_back(MultifieldText(list, i));
    return names;
}

TClipsSlotValue ClipsEngine::SlotValue(void* fact, const std::string& name) {
    DATA_OBJECT value;
    if (!EnvGetFactSlot(env_, fact, name.c_str(), &value))
        throw ECLIPSUnknownSlot("Unknown Slot name for Fact: " + name);
    switch (GetType(value)) {
    case FLOAT:
        return static_cast<double>(ValueToDouble(GetValue(value)));
    case INTEGER:
        return static_cast<long long>(ValueToLong(GetValue(value)));
    case SYMBOL:
    case STRING:
        return std::string(ValueToString(GetValue(value)));
    default:
        throw ECLIPSInvalidDataObject("Unsupported type in CLIPS slot");
    }
}

}  // namespace vesk
