#include "TClips.h"

#include "CodePage.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vesk {
namespace {

using test::TempDir;

// Records every event of a component as a line of text.
struct Events {
    std::vector<std::string> lines;
    std::vector<std::shared_ptr<TClipsFact>> asserted;
    void Wire(TClips& clips) {
        clips.OnAssertion = [this](TClips&, const std::shared_ptr<TClipsFact>& f) {
            asserted.push_back(f);
            lines.push_back("assert " + f->Text());
        };
        clips.OnRetraction = [this](TClips&, const std::shared_ptr<TClipsFact>& f) {
            lines.push_back("retract " + f->Text());
        };
        clips.OnClear = [this](TClips&) { lines.push_back("clear"); };
        clips.OnReset = [this](TClips&) { lines.push_back("reset"); };
    }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : lines) n += l.rfind(prefix, 0) == 0;
        return n;
    }
};

TEST(TClipsFacts, AssertReturnsTheWrapperOfTheEvent) {
    TClips clips;
    Events events;
    events.Wire(clips);
    int before = clips.FactCount();
    auto fact = clips.Assert("(a b c)");
    ASSERT_TRUE(fact);
    ASSERT_EQ(events.asserted.size(), 1u);
    EXPECT_EQ(fact, events.asserted[0]);
    EXPECT_EQ(clips.FactCount(), before + 1);
    EXPECT_EQ(fact->Text(), "f-1     (a b c)");
    EXPECT_TRUE(fact->Ordered());
    EXPECT_TRUE(fact->Asserted());
    EXPECT_EQ(fact->OrderedFields(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(TClipsFacts, OrderedFieldsSplitThePrintedForm) {
    struct Case {
        std::string text;
        std::vector<std::string> fields;
    } cases[] = {
        {"f-3     (years   rok1   2004)", {"years", "rok1", "2004"}},
        {"f-1     (a b c)", {"a", "b", "c"}},
        {"  f-0     (initial-fact)  ", {"initial-fact"}},
        {"f-2 (x)", {"x"}},
        {R"(f-4     (d 2014 "a \"b\"  (c)\\" x))", {"d", "2014", R"("a \"b\"  (c)\\")", "x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(TClipsFact::SplitOrderedFields(c.text), c.fields) << c.text;
    TClips clips;
    auto fact = clips.Assert("(years   rok1   2004)");
    ASSERT_TRUE(fact);
    EXPECT_EQ(fact->OrderedFields(), (std::vector<std::string>{"years", "rok1", "2004"}));
}

TEST(TClipsFacts, TemplateSlotsAndValues) {
    TempDir dir;
    dir.write("t.clp", "(deftemplate rec (slot b) (slot a) (slot s) (slot y) (multislot m))\n");
    TClips clips;
    clips.LoadFromFile(dir.file("t.clp"));
    auto fact = clips.Assert("(rec (b 7) (a 1.5) (s \"dwa slowa\") (y sym) (m 1 2))");
    ASSERT_TRUE(fact);
    EXPECT_FALSE(fact->Ordered());
    EXPECT_EQ(fact->Slots(), (std::vector<std::string>{"a", "b", "m", "s", "y"}));
    EXPECT_EQ(std::get<long long>(fact->GetSlotValue("b")), 7);
    EXPECT_EQ(std::get<double>(fact->GetSlotValue("a")), 1.5);
    EXPECT_EQ(std::get<std::string>(fact->GetSlotValue("y")), "sym");
    EXPECT_EQ(std::get<std::string>(fact->GetSlotValue("s")), "dwa slowa");
    try {
        fact->GetSlotValue("zz");
        FAIL() << "no error";
    } catch (const ECLIPSUnknownSlot& e) {
        EXPECT_STREQ(e.what(), "Unknown Slot name for Fact: zz");
    }
    try {
        fact->GetSlotValue("m");
        FAIL() << "no error";
    } catch (const ECLIPSInvalidDataObject& e) {
        EXPECT_STREQ(e.what(), "Unsupported type in CLIPS slot");
    }
}

TEST(TClipsFacts, LongTextComesBackWhole) {
    TClips clips;
    std::string text = "(long";
    for (int i = 0; i < 700; ++i) text += " x" + std::to_string(i);
    text += " last)";
    auto fact = clips.Assert(text);
    ASSERT_TRUE(fact);
    EXPECT_GT(fact->Text().size(), 2048u);
    EXPECT_EQ(fact->OrderedFields().back(), "last");
    EXPECT_EQ(fact->OrderedFields().size(), 702u);
}

TEST(TClipsFiles, MissingFileAndSyntaxError) {
    TempDir dir;
    dir.write("bad.clp", "(defrule r (a) => (assert (b))\n(defrule\n");
    TClips clips;
    testing::internal::CaptureStdout();
    try {
        clips.LoadFromFile(dir.file("none.clp"));
        ADD_FAILURE() << "no error";
    } catch (const ECLIPSOpenException& e) {
        EXPECT_EQ(std::string(e.what()), "Error opening CLIPS file: " + dir.file("none.clp"));
    }
    try {
        clips.LoadFromFile(dir.file("bad.clp"));
        ADD_FAILURE() << "no error";
    } catch (const ECLIPSReadException& e) {
        EXPECT_EQ(std::string(e.what()), "Error reading from CLIPS file: " + dir.file("bad.clp"));
        EXPECT_NE(e.details().find("ERROR"), std::string::npos) << e.details();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    // Still usable.
    EXPECT_TRUE(clips.Assert("(still here)"));
}

const char* const kRules =
    "(defrule dwa (a ?x) => (assert (b ?x)))\n"
    "(deffacts start (a 1))\n";

TEST(TClipsFiles, LoadAppendKeepsEarlierRules) {
    TempDir dir;
    dir.write("r.clp", kRules);
    dir.write("f.clp", "(defrule trzy (b ?x) => (assert (c ?x)))\n");
    TClips clips;
    clips.LoadFromFile(dir.file("r.clp"));
    clips.LoadAppend(dir.file("f.clp"));
    clips.Reset();
    clips.Run();
    std::vector<std::string> texts;
    for (int i = 0; i < clips.FactCount(); ++i) texts.push_back(clips.Facts(i)->OrderedFields()[0]);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "c"), texts.end());
}

TEST(TClipsFiles, SaveBSaveBLoadFireTheSameRule) {
    TempDir dir;
    dir.write("r.clp", kRules);
    for (bool binary : {false, true}) {
        TClips clips;
        clips.LoadFromFile(dir.file("r.clp"));
        if (binary) {
            clips.BSave(dir.file("r.bin"));
            TClips other;
            other.BLoad(dir.file("r.bin"));
            other.Reset();
            other.Assert("(a 5)");
            other.Run();
            EXPECT_EQ(other.FactCount(), 5) << "initial-fact, a 1, a 5, b 1, b 5";
        } else {
            clips.Save(dir.file("s.clp"));
            EXPECT_FALSE(dir.exists("s.clp.tmp~"));
            TClips other;
            other.LoadFromFile(dir.file("s.clp"));
            other.Reset();
            other.Assert("(a 5)");
            other.Run();
            EXPECT_EQ(other.FactCount(), 5);
        }
    }
    TClips clips;
    EXPECT_THROW(clips.BLoad(dir.file("r.clp")), ECLIPSReadException);
    EXPECT_THROW(clips.Save(dir.file("no/folder/x.clp")), ECLIPSWriteException);
    EXPECT_THROW(clips.BSave(dir.file("no/folder/x.bin")), ECLIPSWriteException);
}

TEST(TClipsFiles, ResetReportsRetractionOfClearedFacts) {
    TClips clips;
    Events events;
    events.Wire(clips);
    clips.Assert("(x 1)");
    clips.Reset();
    EXPECT_EQ(events.Count("retract f-1     (x 1)"), 1);
    EXPECT_EQ(events.Count("reset"), 1);
}

// Code page 1250 bytes pass through strings and file names; the engine's
// reader refuses them in bare symbols ("unprintable character").
TEST(TClipsFiles, CodePageNamesAndTexts) {
    TempDir dir;
    const std::string word = "\xB3\xF3\x64\xBC";  // "łódź" in code page 1250
    dir.write("regu\xC5\x82y-x.clp", "(deffacts d (miasto \"" + word + "\"))\n");
    dir.write("symbol.clp", "(deffacts d (miasto " + word + "))\n");
    TClips clips;
    std::string name = dir.folder() + "REGU\xA3Y-x.clp";  // core text, other case
    clips.LoadFromFile(name);
    clips.Save(dir.folder() + "zapis-\xB3.clp");
    EXPECT_NE(dir.read("zapis-\xC5\x82.clp").find(word), std::string::npos);
    TClips other;
    other.LoadFromFile(dir.folder() + "zapis-\xB3.clp");
    other.Reset();
    bool found = false;
    for (int i = 0; i < other.FactCount(); ++i)
        found |= other.Facts(i)->OrderedFields() == std::vector<std::string>{"miasto", "\"" + word + "\""};
    EXPECT_TRUE(found);
    EXPECT_THROW(other.LoadFromFile(dir.file("symbol.clp")), ECLIPSReadException);
}

// A line that reads both ways ("ZADAŃ…" in code page 1250, U+044F in
// UTF-8) is read as the rule file's other lines are.
TEST(TClipsFiles, ALineReadingBothWaysFollowsTheFile) {
    std::string why;
    for (const std::string t : {"(a \"ZADA\xD1\x85\")", "(a \"\xBF\xF3\xB3w\")\n(b \"si\xEA\x85\x94\")"})
        EXPECT_EQ(TClips::RuleFileText("r.clp", t, why), t + "\n") << why;
    EXPECT_EQ(TClips::RuleFileText("r.clp", "(a \"\xC5\xBC\xC3\xB3\xC5\x82w\")\n(b \"\xD1\x8F\")", why), std::nullopt);
    EXPECT_NE(why.find("r.clp, wiersz 2 ((b \"\\u044F\")) ma znak \\u044F"), std::string::npos) << why;
}

TEST(TClipsLifetimes, RetractThroughTheWrapper) {
    TClips clips;
    Events events;
    events.Wire(clips);
    auto fact = clips.Assert("(a b c)");
    ASSERT_TRUE(fact);
    int count = clips.FactCount();
    EXPECT_TRUE(fact->Retract());
    EXPECT_EQ(events.Count("retract f-1     (a b c)"), 1);
    EXPECT_EQ(clips.FactCount(), count - 1);
    EXPECT_FALSE(fact->Asserted());
    EXPECT_EQ(fact->Text(), "f-1     (a b c)");
    EXPECT_EQ(fact->Index(), 1);
    EXPECT_EQ(fact->OrderedFields(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(fact->Retract());
    EXPECT_THROW(fact->GetSlotValue("implied"), ECLIPSException);
    EXPECT_THROW(fact->Assert(), ECLIPSException);
    EXPECT_THROW(fact->SetAsserted(true), ECLIPSException);
    EXPECT_EQ(events.Count("retract"), 1);
    EXPECT_EQ(events.Count("assert"), 1);
}

TEST(TClipsLifetimes, WrappersOutliveClearReinitialisationAndComponent) {
    std::shared_ptr<TClipsFact> cleared, reinitialised, orphan;
    {
        TClips clips;
        cleared = clips.Assert("(x 1)");
        clips.Clear();  // asserts (initial-fact) again
        EXPECT_EQ(clips.FactCount(), 1);
        reinitialised = clips.Assert("(x 2)");
        clips.SetInitialized(false);
        EXPECT_FALSE(clips.Initialized());
        clips.SetInitialized(true);
        EXPECT_EQ(clips.FactCount(), 0);
        orphan = clips.Assert("(x 3)");
    }
    for (const auto& fact : {cleared, reinitialised, orphan}) {
        ASSERT_TRUE(fact);
        EXPECT_FALSE(fact->Asserted());
        EXPECT_EQ(fact->OrderedFields()[0], "x");
        EXPECT_NE(fact->Text().find("(x "), std::string::npos) << fact->Text();
        EXPECT_THROW(fact->Assert(), ECLIPSException);
        EXPECT_FALSE(fact->Retract());
    }
}

TEST(TClipsLifetimes, FactsCreatedFromATemplate) {
    TempDir dir;
    dir.write("t.clp", "(deftemplate rec (slot b (default 5)) (slot a (default x)))\n");
    // The engine reports facts it was never given back on stdout.
    testing::internal::CaptureStdout();
    std::shared_ptr<TClipsFact> outliving;
    {
    TClips clips;
    Events events;
    events.Wire(clips);
    clips.LoadFromFile(dir.file("t.clp"));
    EXPECT_THROW(TClipsFact::CreateFromTemplate(clips, "none"), ECLIPSException);
    auto fact = TClipsFact::CreateFromTemplate(clips, "rec");
    EXPECT_FALSE(fact->Asserted());
    EXPECT_FALSE(fact->Ordered());
    EXPECT_EQ(fact->Slots(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(std::get<long long>(fact->GetSlotValue("b")), 5);
    int count = clips.FactCount();
    EXPECT_TRUE(fact->Assert());
    EXPECT_TRUE(fact->Asserted());
    EXPECT_EQ(clips.FactCount(), count + 1);
    ASSERT_FALSE(events.asserted.empty());
    EXPECT_EQ(events.asserted.back(), fact);
    EXPECT_FALSE(fact->Assert());  // already asserted
    auto twin = TClipsFact::CreateFromTemplate(clips, "rec");
    EXPECT_FALSE(twin->Assert());  // a duplicate: the engine drops it
    EXPECT_FALSE(twin->Asserted());
    EXPECT_THROW(twin->Assert(), ECLIPSException);
    auto kept = TClipsFact::CreateFromTemplate(clips, "rec");
    EXPECT_FALSE(kept->Retract());
    kept->SetAsserted(false);
    EXPECT_EQ(events.Count("retract"), 0);
    fact->SetAsserted(false);
    EXPECT_EQ(events.Count("retract"), 1);
    clips.Clear();
    EXPECT_THROW(kept->Assert(), ECLIPSException);
    EXPECT_THROW(kept->GetSlotValue("a"), ECLIPSException);
    EXPECT_EQ(kept->Slots(), (std::vector<std::string>{"a", "b"}));
    clips.LoadFromFile(dir.file("t.clp"));
    TClipsFact::CreateFromTemplate(clips, "rec");  // dropped at once
    outliving = TClipsFact::CreateFromTemplate(clips, "rec");
    }
    EXPECT_THROW(outliving->Assert(), ECLIPSException);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(TClipsLifetimes, DuplicatesAndBadTextGiveNoWrapper) {
    TClips clips;
    Events events;
    events.Wire(clips);
    EXPECT_TRUE(clips.Assert("(a 1)"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(clips.Assert("(a 1)"));
    EXPECT_FALSE(clips.Assert("(a"));
    EXPECT_FALSE(clips.Assert(""));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(events.Count("assert"), 1);
    EXPECT_EQ(clips.FactCount(), 1);
}

TEST(TClipsLifetimes, ComponentsSeeOnlyTheirOwnEvents) {
    auto first = std::make_unique<TClips>();
    TClips second;
    Events one, two;
    one.Wire(*first);
    two.Wire(second);
    first->Assert("(one)");
    second.Assert("(two)");
    first.reset();
    second.Assert("(three)");
    second.Reset();
    EXPECT_EQ(one.lines, (std::vector<std::string>{"assert f-1     (one)"}));
    EXPECT_EQ(two.Count("assert"), 3);  // two, three, initial-fact
    EXPECT_EQ(two.Count("retract"), 2);
}

TEST(TClipsLifetimes, FactsAreListedByTheTextOfTheirIndex) {
    TClips clips;
    for (int i = 1; i <= 10; ++i) clips.Assert("(n " + std::to_string(i) + ")");
    std::vector<long long> order;
    for (int i = 0; i < clips.FactCount(); ++i) order.push_back(clips.Facts(i)->Index());
    EXPECT_EQ(order, (std::vector<long long>{1, 10, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_THROW(clips.Facts(10), ECLIPSException);
    EXPECT_THROW(clips.Facts(-1), ECLIPSException);
}

void ExpectBusy(const std::function<void()>& call) {
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const ECLIPSException& e) {
        EXPECT_STREQ(e.what(), "CLIPS engine busy");
    }
}

TEST(TClipsBusy, OperationsFromAnAssertionDuringReset) {
    TempDir dir;
    dir.write("r.clp", kRules);
    TClips clips;
    clips.LoadFromFile(dir.file("r.clp"));
    int checked = 0;
    clips.OnAssertion = [&](TClips& sender, const std::shared_ptr<TClipsFact>& fact) {
        if (checked++) return;
        ExpectBusy([&] { sender.Run(); });
        ExpectBusy([&] { sender.Clear(); });
        ExpectBusy([&] { sender.Reset(); });
        ExpectBusy([&] { sender.RunLimit(1); });
        ExpectBusy([&] { sender.Assert("(z)"); });
        ExpectBusy([&] { sender.LoadAppend(dir.file("r.clp")); });
        ExpectBusy([&] { sender.Save(dir.file("s.clp")); });
        ExpectBusy([&] { sender.SetStrategy(TClipsStrategy::csLexStrategy); });
        ExpectBusy([&] { sender.SetInitialized(false); });
        ExpectBusy([&] { sender.Initialize(); });
        ExpectBusy([&] { fact->Retract(); });
        EXPECT_EQ(sender.Strategy(), TClipsStrategy::csDepthStrategy);
        EXPECT_FALSE(fact->Text().empty());
        EXPECT_GE(sender.FactCount(), 1);
    };
    clips.Reset();
    EXPECT_EQ(checked, 2);
    EXPECT_EQ(clips.FactCount(), 2);
    clips.Run();
    EXPECT_EQ(clips.FactCount(), 3);
}

TEST(TClipsBusy, RunFromThePeriodicEventDuringALongRun) {
    TempDir dir;
    dir.write("loop.clp",
              "(defrule count ?f <- (n ?x&:(< ?x 2000)) => (retract ?f) (assert (n (+ ?x 1))))\n"
              "(deffacts start (n 0))\n");
    TClips clips;
    clips.LoadFromFile(dir.file("loop.clp"));
    clips.Reset();
    int ticks = 0;
    clips.OnPeriodic = [&](TClips& sender) {
        if (ticks++ == 0) ExpectBusy([&] { sender.Run(); });
    };
    clips.Run();
    EXPECT_GT(ticks, 0);
    ASSERT_EQ(clips.FactCount(), 2);
    EXPECT_EQ(clips.Facts(1)->Text(), "f-2001  (n 2000)");
}

TEST(TClipsBusy, HandlerErrorsStopTheEngineAndComeOut) {
    TempDir dir;
    dir.write("loop.clp",
              "(defrule count ?f <- (n ?x&:(< ?x 100)) => (retract ?f) (assert (n (+ ?x 1))))\n"
              "(deffacts start (n 0))\n");
    TClips clips;
    clips.LoadFromFile(dir.file("loop.clp"));
    clips.Reset();
    clips.OnAssertion = [](TClips&, const std::shared_ptr<TClipsFact>& fact) {
        if (fact->OrderedFields() == std::vector<std::string>{"n", "10"}) throw std::runtime_error("stop at 10");
    };
    EXPECT_THROW(clips.Run(), std::runtime_error);
    clips.OnAssertion = nullptr;
    clips.Run();
    bool done = false;
    for (int i = 0; i < clips.FactCount(); ++i)
        done |= clips.Facts(i)->OrderedFields() == std::vector<std::string>{"n", "100"};
    EXPECT_TRUE(done);
    clips.OnReset = [](TClips&) { throw std::logic_error("reset refused"); };
    EXPECT_THROW(clips.Reset(), std::logic_error);
    clips.OnReset = nullptr;
    clips.Reset();
    EXPECT_EQ(clips.FactCount(), 2);
}

TEST(TClipsLifecycle, StrategyAndReinitialisation) {
    TClips clips;
    EXPECT_FALSE(clips.Initialized());
    clips.SetStrategy(TClipsStrategy::csLexStrategy);
    EXPECT_EQ(static_cast<int>(clips.Strategy()), 2);
    Events events;
    events.Wire(clips);
    clips.Initialize();
    clips.Initialize();
    clips.SetInitialized(false);
    clips.SetInitialized(true);
    clips.Assert("(once)");
    clips.Clear();
    EXPECT_EQ(events.Count("assert f-1     (once)"), 1);
    EXPECT_EQ(events.Count("retract f-1     (once)"), 1);
    EXPECT_EQ(events.Count("clear"), 1);
}

TEST(TClipsLifecycle, FilenameLoadsTheFile) {
    TempDir dir;
    dir.write("r.clp", kRules);
    TClips clips;
    clips.SetFilename("");
    EXPECT_FALSE(clips.Initialized());
    clips.SetFilename(dir.file("R.CLP"));
    EXPECT_EQ(clips.Filename(), dir.file("R.CLP"));
    clips.Reset();
    clips.Run();
    EXPECT_EQ(clips.FactCount(), 3);
    EXPECT_THROW(clips.SetFilename(dir.file("none.clp")), ECLIPSOpenException);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// Rule files calling what reaches the system, files or the program: each
// refused before loading, naming the file, the line and the function; the
// engine keeps what it held.
TEST(TClipsRefused, ShellExitAndFileRemovalAndTheirDisguises) {
    struct Przypadek {
        const char* tekst;
        int wiersz;
        const char* funkcja;
        const char* dalej = "";  // the rest of the refusal
    };
    const Przypadek przypadki[] = {
        {"(defrule r => (system \"touch /tmp/x\"))", 1, "system"},
        {"; (system)\n(defrule r (a) =>\n   (exit))", 3, "exit"},
        {"(defrule r => (remove \"a.txt\"))", 1, "remove"},
        {"(defglobal ?*x* = (\n ; comment\n\tsystem\"ls\"))", 3, "system"},
        {"(defrule r => (printout t \"(exit) \\\" (system\" crlf) (rename \"a\" \"b\"))", 1, "rename"},
        {"(defrule r => (eval \"(system ls)\"))", 1, "eval"},
        {"(defrule r => (funcall (sym-cat sys tem) \"ls\"))", 1, "funcall"},
        {"(deffacts f (a))\n(defrule r => (build \"(defrule q => (exit))\"))", 2, "build"},
        {"(defrule r => (load* \"x.clp\") (open \"f\" f \"w\"))", 1, "load*"},
        // A rule file's data of its own: they belong in the file.
        {"(defrule r => (open \"dane.txt\" d \"r\"))", 1, "open", "w konstrukcji deffacts."},
    };
    TempDir dir;
    dir.write("dobry.clp", "(deffacts f (a))\n");
    for (const Przypadek& p : przypadki) {
        dir.write("r.clp", p.tekst);
        TClips clips;
        clips.LoadFromFile(dir.file("dobry.clp"));
        try {
            clips.LoadAppend(dir.file("r.clp"));
            ADD_FAILURE() << "loaded: " << p.tekst;
        } catch (const ECLIPSRefusedException& e) {
            const std::string w = e.what();
            EXPECT_NE(w.find(dir.file("r.clp") + ", wiersz " + std::to_string(p.wiersz) + ": funkcja \"" + p.funkcja +
                             "\""),
                      std::string::npos)
                << w;
            EXPECT_NE(w.find(std::string(p.dalej) + (*p.dalej ? "" : "pliku nie wczytano.")), std::string::npos) << w;
        }
        clips.Reset();
        EXPECT_EQ(clips.FactCount(), 2) << p.tekst;  // initial-fact and (a)
    }
    // Names inside longer symbols, strings and comments are no calls.
    dir.write("r.clp", "(defrule r (systemy ?x) => (printout t \"(system)\" crlf)) ; (exit)\n");
    TClips clips;
    EXPECT_NO_THROW(clips.LoadFromFile(dir.file("r.clp")));
}

TEST(TClipsRefused, ShippedRuleFilesLoad) {
    int pliki = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::string(VESK_DATA_DIR) + "PROGRAM/")) {
        if (e.path().extension() != ".clp") continue;
        ++pliki;
        TClips clips;
        EXPECT_NO_THROW(clips.LoadFromFile(utf8ToCp1250(e.path().string()))) << e.path();
    }
    EXPECT_GE(pliki, 7);
}

}  // namespace
}  // namespace vesk
