#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorInt.h"
#include "container/LVectorString.h"
#include "container/LVectorUInt.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

const char kSample[] =
    "// main screen\n"
    "title=Main menu\n"
    "groups\n"
    "\tinterface\n"
    "\t\tbuttons=ok|cancel|help\n"
    "\t\tscale=1.5\n"
    "\tsound\n"
    "\t\tvolume=80\n"
    "visible=true\n"
    "note=first part \\\n"
    "\tsecond part\n";

std::string WithCrLf(const std::string& aText)
{
    std::string out;
    for (char c : aText) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

std::vector<std::string> Strings(const LVectorString& aVector)
{
    std::vector<std::string> out;
    for (int i = 0; i < aVector.GetCount(); ++i) {
        out.push_back(ToStd(aVector[i]));
    }
    return out;
}

std::string Get(const LPropertyList& aList, const char* aPath)
{
    bool found = false;
    const LString value = aList.GetString(LString(aPath), found);
    return found ? ToStd(value) : "<missing>";
}

std::vector<std::string> Keys(const LPropertyList& aList)
{
    std::vector<std::string> keys;
    for (int i = 0; i < aList.GetCount(); ++i) {
        keys.push_back(ToStd(aList.GetKeyAt(i)));
    }
    return keys;
}

void ParseStd(LPropertyList& aList, const std::string& aText)
{
    aList.Parse(aText.data(), static_cast<int>(aText.size()));
}

} // namespace

TEST(PropertyListReading, SampleReadsAsATreeInFileOrder)
{
    for (const std::string& text : {std::string(kSample), WithCrLf(kSample)}) {
        LPropertyList list;
        ParseStd(list, text);
        EXPECT_EQ((std::vector<std::string> {"title", "groups", "visible", "note"}), Keys(list));
        EXPECT_EQ("Main menu", Get(list, "title"));
        EXPECT_EQ("first part second part", Get(list, "note"));
        bool found = false;
        EXPECT_EQ((std::vector<std::string> {"ok", "cancel", "help"}),
                  Strings(list.GetVectorString(LString("groups.interface.buttons"), found)));
        EXPECT_TRUE(found);
        EXPECT_FLOAT_EQ(1.5f, list.GetFloat(LString("groups.interface.scale"), found));
        EXPECT_EQ(80, list.GetInt(LString("groups.sound.volume"), found));
        EXPECT_EQ(80u, list.GetUInt(LString("groups..sound.volume."), found));
        EXPECT_TRUE(list.GetBool(LString("visible"), found));
        ASSERT_NE(nullptr, list.GetList(LString("groups")));
        EXPECT_EQ((std::vector<std::string> {"interface", "sound"}), Keys(*list.GetList(LString("groups"))));
        EXPECT_EQ(&list, list.GetList(LString("")));
    }
}

TEST(PropertyListReading, KeysAndValuesAreNotTrimmed)
{
    LPropertyList list;
    ParseStd(list, "key = value\nempty=\n=nokey\nurl=//textures/menu\n\t// indented comment\n");
    EXPECT_EQ("<missing>", Get(list, "key"));
    EXPECT_EQ(" value", Get(list, "key "));
    EXPECT_EQ("", Get(list, "empty"));
    EXPECT_EQ("<missing>", Get(list, "")); // no path leads to the empty key
    ASSERT_NE(nullptr, list.Get(LString("")).GetString());
    EXPECT_EQ("nokey", ToStd(*list.Get(LString("")).GetString()));
    EXPECT_EQ("//textures/menu", Get(list, "url"));
    EXPECT_EQ(4, list.GetCount());
}

TEST(PropertyListReading, DepthContinuationsAndComments)
{
    LPropertyList list;
    ParseStd(list, "a\n \tb=1\nc=one\\\n// note\n  two\nd=end\\");
    EXPECT_EQ("1", Get(list, "b")); // a blank before the TAB: depth 0
    EXPECT_EQ(0, list.GetList(LString("a"))->GetCount());
    EXPECT_EQ("one", Get(list, "c")); // the comment ends the continuation
    EXPECT_EQ((std::vector<std::string> {"a", "b", "c", "two", "d"}), Keys(list));
    EXPECT_EQ("end\\", Get(list, "d"));
}

TEST(PropertyListReading, DuplicatesKeepTheFirstValueAndMergeLists)
{
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "v=1\nv=2\ng\n\ta=1\nh=0\ng\n\tb=2\n");
    EXPECT_EQ("1", Get(list, "v"));
    EXPECT_EQ("1", Get(list, "g.a"));
    EXPECT_EQ("2", Get(list, "g.b"));
    EXPECT_EQ((std::vector<std::string> {"v", "g", "h"}), Keys(list));
    EXPECT_EQ(2, log.Count("AddAt failure. Duplicate key:"));
}

TEST(PropertyListReading, LinesWithoutAParentAreSkippedWithAWarning)
{
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "\tfirst=1\ng\n\t\tdeep=2\n\tok=3\nv=4\nv\n\tunder=5\n");
    EXPECT_EQ("3", Get(list, "g.ok"));
    EXPECT_EQ("4", Get(list, "v"));
    EXPECT_EQ(3, log.Count("WARNING: "));
    EXPECT_TRUE(log.Contains("Line without a parent list skipped: \tfirst=1"));
    EXPECT_TRUE(log.Contains("Line without a parent list skipped: \t\tdeep=2"));
    EXPECT_TRUE(log.Contains("Line without a parent list skipped: \tunder=5"));
}

TEST(PropertyListReading, LfCrLinesAreLostButWarnedOnce)
{
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "a=1\n\rb=2\n\rc=3\n\r");
    EXPECT_EQ((std::vector<std::string> {"a"}), Keys(list));
    EXPECT_EQ(1, log.Count("Lines starting with a carriage return are skipped"));
}

TEST(PropertyListGetters, NumbersBooleansAndVectors)
{
    LPropertyList list;
    ParseStd(list, "v=1|2||3\nw=1 | 2\nt=TRUE\no=1\ny=yes\nb= true\nf=0.5|x|2\nc=a,b\n");
    bool found = false;
    const auto ints = [&](const char* aPath) {
        std::vector<int> out;
        const LVectorInt values = list.GetVectorInt(LString(aPath), found);
        for (int i = 0; i < values.GetCount(); ++i) {
            out.push_back(values[i]);
        }
        return out;
    };
    EXPECT_EQ((std::vector<int> {1, 2, 3}), ints("v"));
    EXPECT_EQ((std::vector<int> {1, 0}), ints("w"));
    EXPECT_EQ(3, list.GetVectorUInt(LString("v"), found).GetCount());
    EXPECT_EQ(0.0f, list.GetVectorFloat(LString("f"), found)[1]);
    for (const char* key : {"t", "o"}) {
        EXPECT_TRUE(list.GetBool(LString(key), found)) << key;
    }
    for (const char* key : {"y", "b", "missing"}) {
        EXPECT_FALSE(list.GetBool(LString(key), found)) << key;
    }
    EXPECT_FALSE(found);

    LLogCapture log;
    EXPECT_FALSE(list.SetDelimiter(LString("")));
    EXPECT_TRUE(log.Contains("Invalid delimiter."));
    EXPECT_TRUE(list.SetDelimiter(LString(",")));
    EXPECT_EQ((std::vector<std::string> {"a", "b"}), Strings(list.GetVectorString(LString("c"), found)));
}

TEST(PropertyListGetters, PathsThroughStringsOrToListsFindNothing)
{
    LPropertyList list;
    ParseStd(list, "s=1\ng\n\tx=2\n");
    bool found = true;
    EXPECT_EQ("", ToStd(list.GetString(LString("s.x"), found)));
    EXPECT_FALSE(found);
    list.GetString(LString("g"), found);
    EXPECT_FALSE(found);
    EXPECT_EQ(nullptr, list.GetList(LString("s")));
    EXPECT_EQ(nullptr, list.GetList(LString("g.x")));
}

TEST(PropertyListWriting, CanonicalTextRoundTripsByteForByte)
{
    const std::string canonical = "title=Main menu\r\ngroups\r\n\tinterface\r\n\t\tbuttons=ok|cancel|help\r\n"
                                  "\tsound\r\n\t\tvolume=80\r\nkey =x\r\nname=caf\xE9\r\n";
    LTestDirectory dir;
    dir.Write("Data.TXT", canonical);
    bool found = false;
    LPropertyList list;
    ASSERT_TRUE(list.Load(FromStd(dir.File("data.txt")), false));
    LString text;
    EXPECT_TRUE(list.ToString(text));
    EXPECT_EQ(canonical, ToStd(text));
    EXPECT_EQ(0xE9, list.GetString(LString("name"), found).At(3)); // bytes widen by zero extension

    LPropertyList sample;
    ParseStd(sample, kSample);
    ASSERT_TRUE(sample.ToString(text));
    EXPECT_EQ(std::string::npos, ToStd(text).find("//"));
    EXPECT_NE(std::string::npos, ToStd(text).find("note=first part second part\r\n"));
}

TEST(PropertyListWriting, EmptyListsAndEmptyValues)
{
    LPropertyList empty;
    LString text("x");
    EXPECT_TRUE(empty.ToString(text));
    EXPECT_EQ("", ToStd(text));
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "k=\n");
    EXPECT_FALSE(list.ToString(text));
    EXPECT_EQ("k=\r\n", ToStd(text));
}

TEST(PropertyListFiles, SaveAndLoadThroughSymbolicPathsAndTheirFailures)
{
    LTestDirectory dir;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//data"), FromStd(dir.Path())));
    dir.Write("Scenes/Hall.txt", "a=1\n");
    LPropertyList list;
    ASSERT_TRUE(list.Load(LString("//data/scenes/hall.txt"), true));
    EXPECT_EQ("1", Get(list, "a"));

    ASSERT_TRUE(list.AddString(LString("b"), LString("2")));
    ASSERT_TRUE(list.Save(LString("//data/scenes/hall.txt"), true));
    EXPECT_EQ("a=1\r\nb=2\r\n", dir.Read("Scenes/Hall.txt"));

    LLogCapture log;
    EXPECT_FALSE(list.Save(LString("//data/none/x.txt"), true));
    EXPECT_FALSE(list.Load(LString("//data/none.txt"), true));
    EXPECT_EQ("1", Get(list, "a")); // kept

    dir.Write("huge.txt", "");
    std::filesystem::resize_file(dir.File("huge.txt"), 0x80000000ull);
    EXPECT_FALSE(list.Load(LString("//data/huge.txt"), true));
    EXPECT_TRUE(log.Contains("File size out of range."));
    EXPECT_TRUE(log.Contains("Load failure. Unknown file size: //data/huge.txt"));
    EXPECT_EQ("1", Get(list, "a"));
}

TEST(PropertyListEditing, AddsRemovesAndCopies)
{
    LPropertyList list;
    ParseStd(list, "g\n\tx=1\n\tsub\n\t\ty=2\n");
    EXPECT_TRUE(list.AddString(LString("g.z"), LString("3")));
    EXPECT_FALSE(list.AddString(LString("g.x"), LString("dup")));
    EXPECT_FALSE(list.AddString(LString("none.x"), LString("v")));
    LPropertyList* extra = new LPropertyList();
    EXPECT_TRUE(list.AddList(LString("g.extra"), extra));
    EXPECT_EQ(extra, list.GetList(LString("g.extra")));

    LPropertyList copy(list);
    EXPECT_EQ("2", Get(copy, "g.sub.y"));
    EXPECT_NE(list.GetList(LString("g.sub")), copy.GetList(LString("g.sub")));

    LLogCapture log;
    LString* removed = nullptr;
    EXPECT_FALSE(list.RemoveProperty(LString("g.sub"), &removed));
    EXPECT_TRUE(log.Contains("RemoveProperty failure."));
    ASSERT_NE(nullptr, list.GetList(LString("g.sub"))); // the nested list stays
    EXPECT_EQ("2", Get(list, "g.sub.y"));
    EXPECT_TRUE(list.RemoveProperty(LString("g.x"), &removed));
    ASSERT_NE(nullptr, removed);
    EXPECT_EQ("1", ToStd(*removed));
    delete removed;

    LPropertyList* sub = nullptr;
    EXPECT_TRUE(list.RemoveList(LString("g.sub"), &sub));
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ("2", Get(*sub, "y"));
    delete sub;
    EXPECT_TRUE(list.RemoveList(LString("g.extra"), nullptr));
    EXPECT_FALSE(list.RemoveList(LString("g.z"), nullptr));

    LPropertyEntry* entry = nullptr;
    EXPECT_TRUE(list.RemoveAt(0, &entry));
    ASSERT_NE(nullptr, entry);
    EXPECT_TRUE(entry->mIsList);
    entry->DeleteValue();
    delete entry;
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ("2", Get(copy, "g.sub.y")); // the copy is independent
}

TEST(PropertyListEditing, OneLevelAccessAndTheirMessages)
{
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "a=1\nb\n");
    EXPECT_FALSE(list.Get(LString("a")).mIsList);
    EXPECT_EQ("1", ToStd(*list.Get(LString("a")).GetString()));
    EXPECT_EQ(nullptr, list.Get(LString("zz")).mPointer);
    EXPECT_TRUE(log.Contains("Get failure."));
    EXPECT_EQ(nullptr, list.GetAt(5).mPointer);
    EXPECT_TRUE(log.Contains("GetAt failure."));
    EXPECT_NE(nullptr, list.GetListAt(1));
    EXPECT_EQ(nullptr, list.GetListAt(0));
    EXPECT_TRUE(list.Add(LString("c"), LPropertyEntry(false, new LString("3"))));
    EXPECT_FALSE(list.Add(LString("c"), LPropertyEntry(false, new LString("dup"))));
    EXPECT_TRUE(log.Contains("Add failure."));
    EXPECT_TRUE(list.AddAt(0, LString("first"), LPropertyEntry(false, new LString("0"))));
    EXPECT_EQ("first", ToStd(list.GetKeyAt(0)));
    EXPECT_EQ("3", Get(list, "c"));
    LPropertyEntry* out = nullptr;
    EXPECT_FALSE(list.Remove(LString("zz"), &out));
    EXPECT_TRUE(log.Contains("Remove failure."));
    LPropertyEntry placeholder;
    LPropertyEntry* used = &placeholder;
    EXPECT_FALSE(list.Remove(LString("a"), &used));
    EXPECT_TRUE(log.Contains("Invalid args."));
}

// The reader keeps a value and its record in one block; what Remove and RemoveProperty
// hand out is still a record and a string the caller deletes one after the other.
TEST(PropertyListEditing, ParsedValuesHandedOutAreDeletedApart)
{
    LLogCapture log;
    LPropertyList list;
    ParseStd(list, "a=1\nb=2\ng\n\tc=3\n");
    LPropertyEntry* entry = nullptr;
    ASSERT_TRUE(list.Remove(LString("a"), &entry));
    ASSERT_NE(nullptr, entry);
    LString* text = entry->GetString();
    delete entry; // the record first: its string lives on
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("1", ToStd(*text));
    delete text;
    LString* value = nullptr;
    ASSERT_TRUE(list.RemoveProperty(LString("g.c"), &value));
    ASSERT_NE(nullptr, value);
    EXPECT_EQ("3", ToStd(*value));
    delete value;
    // A copy of a parsed record points at the list's string and owns nothing.
    const LPropertyEntry copy = list.Get(LString("b"));
    EXPECT_EQ("2", ToStd(*copy.GetString()));
    EXPECT_EQ("2", Get(list, "b"));
    EXPECT_EQ(2, list.GetCount()); // "b" and "g" are left
    EXPECT_FALSE(log.Contains("Invalid header."));
}
