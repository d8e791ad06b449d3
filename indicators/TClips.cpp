#include "TClips.h"

#include "ClipsEngine.h"
#include "FileSystem.h"
#include "TextFileLines.h"
#include "ZakazaneFunkcje.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vesk {

namespace {

// The native path of an existing regular file of that core name.
std::optional<std::string> ExistingFile(const std::string& file) {
    std::optional<std::string> native = findExisting(file);
    std::error_code ec;
    if (native && !std::filesystem::is_regular_file(*native, ec)) return std::nullopt;
    return native;
}

}  // namespace

TClips::TClips() : engine_(std::make_unique<ClipsEngine>(*this)) {}

TClips::~TClips() { StopEngine(); }

void TClips::StartEngine() { engine_->Start(); }

void TClips::StopEngine() {
    auto facts = std::move(facts_);
    facts_.clear();
    Changed();
    lastAsserted_.reset();
    for (auto& entry : facts) entry.second->Detach();
    ForgetCreated();
    engine_->Stop();
}

void TClips::ForgetCreated() {
    for (auto& weak : created_)
        if (auto fact = weak.lock(); fact && !fact->Asserted()) fact->Forget(true);
    created_.clear();
}

void TClips::SetFilename(const std::string& name) {
    filename_ = name;
    if (!name.empty()) LoadFromFile(name);
}

bool TClips::Initialized() const { return engine_->Started(); }

void TClips::SetInitialized(bool value) {
    if (value == Initialized()) return;
    ClipsEngine::Operation operation(*engine_);
    try {
        StopEngine();
        if (value) StartEngine();
    } catch (...) {
        StopEngine();
        throw;
    }
    operation.Finish();
}

void TClips::Initialize() {
    ClipsEngine::Operation operation(*engine_);
    try {
        StopEngine();
        StartEngine();
    } catch (...) {
        StopEngine();
        throw;
    }
    operation.Finish();
}

void TClips::Finalize() {
    ClipsEngine::Operation operation(*engine_);
    StopEngine();
}

TClipsStrategy TClips::Strategy() {
    if (!engine_->Started()) {
        ClipsEngine::Operation operation(*engine_);
        StartEngine();
    }
    return static_cast<TClipsStrategy>(engine_->Strategy());
}

void TClips::SetStrategy(TClipsStrategy strategy) {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    engine_->SetStrategy(static_cast<int>(strategy));
    operation.Finish();
}

std::shared_ptr<TClipsFact> TClips::Facts(int i) const {
    if (i < 0 || i >= FactCount())
        throw ECLIPSException("List index out of bounds (" + std::to_string(i) + ")");
    if (order_.size() != facts_.size()) {
        std::vector<std::pair<std::string, const std::shared_ptr<TClipsFact>*>> keys;
        keys.reserve(facts_.size());
        for (const auto& [index, fact] : facts_) keys.emplace_back(std::to_string(index), &fact);
        std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        order_.clear();
        order_.reserve(keys.size());
        for (const auto& k : keys) order_.push_back(*k.second);
    }
    return order_[static_cast<std::size_t>(i)];
}

void TClips::Changed() { order_.clear(); }

std::shared_ptr<TClipsFact> TClips::Assert(const std::string& text) {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    lastAsserted_.reset();
    void* fact = engine_->AssertString(text);
    std::shared_ptr<TClipsFact> made = std::move(lastAsserted_);
    lastAsserted_.reset();
    operation.Finish();
    // A duplicate gives the existing fact back without an assertion.
    if (!fact || !made || made->fact_ != fact) return {};
    return made;
}

void TClips::Clear() {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    ForgetCreated();
    engine_->Clear();
    operation.Finish();
}

void TClips::Reset() {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    engine_->Reset();
    operation.Finish();
}

void TClips::Run() {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    lastFired_ = engine_->Run(-1);
    operation.Finish();
}

void TClips::RunLimit(int limit) {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    lastFired_ = engine_->Run(limit);
    operation.Finish();
}

namespace {

// A rule file's text, nothing where it cannot be read (Load tells that); a
// file read but refused for its text is refused before the engine is
// touched.
std::optional<std::string> RuleFileOrRefusal(const std::string& file) {
    std::string why;
    const std::optional<std::string> bytes = TClips::ReadFile(file, why);
    if (!bytes) return std::nullopt;
    std::optional<std::string> text = TClips::RuleFileText(file, *bytes, why);
    if (!text) throw ECLIPSRefusedException(why);
    return text;
}

}  // namespace

void TClips::LoadFromFile(const std::string& file) { Load(file, RuleFileOrRefusal(file), true); }

void TClips::LoadAppend(const std::string& file) { Load(file, RuleFileOrRefusal(file), false); }

void TClips::LoadFromText(const std::string& file, const std::string& text) { Load(file, text, true); }

void TClips::LoadAppendText(const std::string& file, const std::string& text) { Load(file, text, false); }

std::optional<std::string> TClips::ReadFile(const std::string& file, std::string& why) {
    why = "Nie mo\xBFna otworzy\xE6 pliku regu\xB3 " + file;
    BinaryFile f;
    if (!ExistingFile(file) || !f.open(file, BinaryFile::Mode::Read)) return std::nullopt;
    // Read up to its bound, whatever its size says (a link to a file
    // that never ends).
    std::optional<std::string> text = f.readRest(kMaxFileBytes);
    why = text ? std::string() : "Plik regu\xB3 " + file + ": " + lastFileError() + "; pliku nie wczytano";
    return text;
}

std::optional<std::string> TClips::ReadRuleFile(const std::string& file, std::string& why) {
    const std::optional<std::string> bytes = ReadFile(file, why);
    return bytes ? RuleFileText(file, *bytes, why) : std::nullopt;
}

std::optional<std::string> TClips::RuleFileText(const std::string& file, std::string_view bytes, std::string& why) {
    // A ";" starts a comment outside a string; a string may go on over
    // several lines, and holds a quote after a backslash.
    bool inString = false;
    const TextFileLines t = textFileLines(bytes, LoneCr::InLine, [&inString](const std::string& line) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (inString && line[i] == '\\') ++i;
            else if (line[i] == '"') inString = !inString;
            else if (!inString && line[i] == ';') return i;
        }
        return std::string::npos;
    });
    if (t.refusal != TextFileLines::Refusal::None) {
        why = textFileRefusal(t, "Plik regu\xB3 " + file, "po ;") + "; pliku nie wczytano";
        return std::nullopt;
    }
    why.clear();
    std::string text;
    for (const std::string& line : t.lines) text += line + '\n';
    return text;
}

namespace {

// A sentence of its own below a message.
std::string Dopisek(const std::string& zdanie) { return zdanie.empty() ? zdanie : "\n" + zdanie; }

}  // namespace

// A rule file may come from anyone: one calling a function that reaches
// the system, files or the program is refused before the engine sees it,
// and the engine stays as it was.
void TClips::Check(const std::string& file, const std::string& text) {
    if (std::optional<ZakazaneWywolanie> z = ZnajdzZakazaneWywolanie(text))
        throw ECLIPSRefusedException("Plik regu\xB3 " + file + ", wiersz " + std::to_string(z->Wiersz) +
                                     ": funkcja \"" + z->Funkcja +
                                     "\" si\xEAga poza system ekspertowy (do systemu, plik\xF3w lub programu); "
                                     "pliku nie wczytano." + Dopisek(PodpowiedzDanych(z->Funkcja)));
}

namespace {

// The engine counts a CR and an LF each as a line end; an editor ends a
// line at an LF (a CR LF once, a CR inside a line or a string not at
// all): the line of the text where the engine's count reaches the given
// one.
long LineOfText(const std::string& text, long engineLine) {
    long engine = 1, line = 1;
    for (std::size_t i = 0; i < text.size() && engine < engineLine; ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ++engine;
        if (text[i] == '\n') ++line;
    }
    return line;
}

}  // namespace

void TClips::Load(const std::string& file, const std::optional<std::string>& text, bool clearFirst) {
    if (text) Check(file, *text);
    errorLine_ = 0;
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    ForgetCreated();
    if (clearFirst) engine_->Clear();
    const bool loaded = text && engine_->Load(file, *text);
    operation.Finish();
    const long engineLine = engine_->ErrorLine();
    errorLine_ = engineLine > 0 && text ? LineOfText(*text, engineLine) : engineLine;
    if (!text) throw ECLIPSOpenException("Error opening CLIPS file: " + file, operation.Details());
    if (!loaded) throw ECLIPSReadException("Error reading from CLIPS file: " + file, operation.Details());
}

void TClips::BLoad(const std::string& file) {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    ForgetCreated();
    engine_->Clear();
    std::optional<std::string> native = ExistingFile(file);
    bool loaded = native && engine_->Bload(*native);
    operation.Finish();
    if (!loaded)
        throw ECLIPSReadException("Error loading binary from CLIPS file: " + file, operation.Details());
}

void TClips::Save(const std::string& file) { WriteFile(file, false); }

void TClips::BSave(const std::string& file) { WriteFile(file, true); }

namespace {

// The bytes the engine's binary save writes, through a file of this
// program's own: made new and nameless at once, reached by the engine
// through its descriptor; nothing when the save fails.
std::optional<std::string> BinaryImage(ClipsEngine& engine, const std::string& target) {
    std::string temporary;
    const int fd = createTemporaryFile(target, temporary);
    if (fd < 0) return std::nullopt;
    ::unlink(temporary.c_str());
    std::optional<std::string> image;
    if (engine.Bsave("/proc/self/fd/" + std::to_string(fd))) {
        image.emplace();
        char buffer[65536];
        ssize_t n;
        for (off_t at = 0; (n = ::pread(fd, buffer, sizeof buffer, at)) > 0; at += n) image->append(buffer, n);
        if (n < 0) image.reset();
    }
    ::close(fd);
    return image;
}

}  // namespace

// The saved constructs replace the old file whole (replaceFile); a failed
// save leaves it as it was.
void TClips::WriteFile(const std::string& file, bool binary) {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    const std::optional<std::string> bytes =
        binary ? BinaryImage(*engine_, nativePathForCreate(file)) : std::optional<std::string>(engine_->SaveText());
    const bool written = bytes && replaceFile(file, *bytes);
    operation.Finish();
    if (!written)
        throw ECLIPSWriteException(
            (binary ? "Error saving binary to CLIPS file: " : "Error saving to CLIPS file: ") + file,
            operation.Details());
}

std::string TClips::ConstructsText() {
    ClipsEngine::Operation operation(*engine_);
    StartEngine();
    std::string text = engine_->SaveText();
    operation.Finish();
    return text;
}

long TClips::LastErrorLine() const { return errorLine_; }

bool TClips::EngineHalted() const { return engine_->Halted(); }

const std::string& TClips::Messages() const { return engine_->Messages(); }
const std::string& TClips::Printed() const { return engine_->Printed(); }

const std::string& TClips::Log() const { return engine_->Log(); }

void TClips::ClearLog() { engine_->ClearLog(); }

void TClips::DoAssert(void* fact) {
    std::shared_ptr<TClipsFact> wrapper;
    if (TClipsFact* created = engine_->adopting; created && created->fact_ == fact) {
        wrapper = created->shared_from_this();
        wrapper->SetFact(fact);
    } else {
        wrapper.reset(new TClipsFact(*engine_, fact));
    }
    auto [at, added] = facts_.try_emplace(wrapper->Index(), wrapper);
    if (!added) {
        at->second->Detach();
        at->second = wrapper;
    }
    Changed();
    lastAsserted_ = wrapper;
    if (OnAssertion) OnAssertion(*this, wrapper);
}

void TClips::DoRetract(void* fact) {
    auto at = facts_.find(engine_->FactIndex(fact));
    if (at == facts_.end() || at->second->fact_ != fact) return;
    std::shared_ptr<TClipsFact> wrapper = std::move(at->second);
    facts_.erase(at);
    Changed();
    wrapper->Detach();
    if (OnRetraction) OnRetraction(*this, wrapper);
}

void TClips::DoClear() {
    if (OnClear) OnClear(*this);
}

void TClips::DoPeriodic() {
    if (OnPeriodic) OnPeriodic(*this);
}

void TClips::DoReset() {
    if (OnReset) OnReset(*this);
}

void TClips::DoExit() {
    if (OnExit) OnExit(*this);
}

void TClips::DoOutOfMemory() {
    if (OnOutOfMemory) OnOutOfMemory(*this);
}

}  // namespace vesk
