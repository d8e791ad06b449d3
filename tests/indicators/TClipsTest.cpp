#include "TClips.h"

#include "TempDir.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vesk
