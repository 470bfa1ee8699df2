#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "container/LPropertyList.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// A ".dat" text with one entry per curve: id, numkeys, times, values (omitted when null).
std::string DatText(const char* aSound, std::initializer_list<std::array<const char*, 4>> aCurves)
{
    std::string text = aSound != nullptr ? std::string("sound=") + aSound + "\n" : "";
    text += "phonemes\n";
    int index = 0;
    for (const auto& curve : aCurves) {
        text += "\tcurve" + std::to_string(index++) + "\n";
        const char* keys[4] = {"id", "numkeys", "times", "values"};
        for (int k = 0; k < 4; ++k) {
            if (curve[k] != nullptr) {
                text += std::string("\t\t") + keys[k] + "=" + curve[k] + "\n";
            }
        }
    }
    return text;
}

bool Parse(LLipSyncData& aData, const std::string& aText)
{
    LPropertyList list;
    EXPECT_TRUE(list.Parse(aText.data(), static_cast<int>(aText.size())));
    return aData.CreateFromPropertyList(&list) == 1;
}

void ExpectKeys(const LLipSyncCurve& aCurve, std::vector<std::pair<float, float>> aKeys)
{
    ASSERT_EQ(static_cast<int>(aKeys.size()), aCurve.mKeyCount);
    for (size_t k = 0; k < aKeys.size(); ++k) {
        EXPECT_FLOAT_EQ(aKeys[k].first, aCurve.mTimes[k]) << k;
        EXPECT_FLOAT_EQ(aKeys[k].second, aCurve.mValues[k]) << k;
    }
}

} // namespace

TEST(LipSyncData, TextKeysBecomeSecondsAndWeightsBehindALeadingKey)
{
    LLipSyncData data;
    ASSERT_TRUE(Parse(data, DatText("line.ogg", {{"Phoneme_Oat", "3", "100|200|300", "0|50|0"},
                                                 {"viseme_blink", "0", nullptr, nullptr}})));
    ASSERT_EQ(2, data.GetCurveCount());
    const LLipSyncCurve& oat = *data.GetCurve(0);
    EXPECT_EQ(8, oat.mType);
    EXPECT_EQ(LString("Phoneme_Oat"), oat.mId);
    ExpectKeys(oat, {{0.0f, 0.0f}, {0.1f, 0.0f}, {0.2f, 0.5f}, {0.3f, 0.0f}});

    unsigned cursor = 0;
    float weight = -1.0f;
    ASSERT_TRUE(oat.WeightAt(0.15f, &cursor, &weight));
    EXPECT_FLOAT_EQ(0.25f, weight);
    EXPECT_EQ(1u, cursor);
    ASSERT_TRUE(oat.WeightAt(0.25f, &cursor, &weight));
    EXPECT_FLOAT_EQ(0.25f, weight);
    EXPECT_FALSE(oat.WeightAt(0.3f, &cursor, &weight));
    EXPECT_FALSE(oat.WeightAt(0.1f, &cursor, &weight));

    // Ids are found in the table whatever their letter case; a curve without keys never
    // takes part.
    const LLipSyncCurve& blink = *data.GetCurve(1);
    EXPECT_EQ(15, blink.mType);
    EXPECT_EQ(0, blink.mKeyCount);
    cursor = 0;
    EXPECT_FALSE(blink.WeightAt(0.0f, &cursor, &weight));
}

TEST(LipSyncData, ShortListsTrimTheKeyCount)
{
    LLogCapture log;
    LLipSyncData data;
    ASSERT_TRUE(Parse(data, DatText("voice/line12.ogg", {{"Phoneme_Wet", "3", "100|200", "10|20|30"},
                                                         {"Phoneme_If", "2", "100|200", "40"}})));
    ASSERT_EQ(2, data.GetCurveCount());
    ExpectKeys(*data.GetCurve(0), {{0.0f, 0.0f}, {0.1f, 0.1f}, {0.2f, 0.2f}});
    ExpectKeys(*data.GetCurve(1), {{0.0f, 0.0f}, {0.1f, 0.4f}});
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: "));
    EXPECT_EQ(1, log.Count("Invalid number of times."));
    // The longer values list of the first curve is only reported.
    EXPECT_EQ(2, log.Count("Invalid number of values."));
    EXPECT_EQ(2, log.Count("**** Lipsync data error ****"));
    EXPECT_TRUE(log.Contains("Invalid number of times in voice/line12.dat key number 1"));
    EXPECT_TRUE(log.Contains("Invalid number of values in voice/line12.dat key number 2"));

    // Without "sound" only the assertion is logged.
    log.Clear();
    ASSERT_TRUE(Parse(data, DatText(nullptr, {{"Phoneme_Wet", "3", "100|200", "10|20"}})));
    ExpectKeys(*data.GetCurve(0), {{0.0f, 0.0f}, {0.1f, 0.1f}, {0.2f, 0.2f}});
    EXPECT_TRUE(log.Contains("Invalid number of times."));
    EXPECT_FALSE(log.Contains("Lipsync data error"));
}

TEST(LipSyncData, EntriesWithoutAPoseAreLeftOut)
{
    LLogCapture log;
    LLipSyncData data;
    ASSERT_TRUE(Parse(data, DatText("a.ogg", {{"Phoneme_Hum", "1", "100", "50"},
                                              {nullptr, "1", "100", "50"},
                                              {"Viseme_Tightlipped", nullptr, nullptr, nullptr},
                                              {"Phoneme_Bump", "-4", "100", "50"}})));
    EXPECT_TRUE(log.Contains("Invalid type."));
    EXPECT_TRUE(log.Contains("'id' not found."));
    EXPECT_TRUE(log.Contains("'numkeys' not found."));
    ASSERT_EQ(2, data.GetCurveCount());
    EXPECT_EQ(26, data.GetCurve(0)->mType);
    EXPECT_EQ(0, data.GetCurve(0)->mKeyCount);
    EXPECT_EQ(0, data.GetCurve(1)->mType);
    EXPECT_EQ(0, data.GetCurve(1)->mKeyCount);

    log.Clear();
    ASSERT_TRUE(Parse(data, "sound=a.ogg\n"));
    EXPECT_TRUE(log.Contains("'phonemes' not found."));
    EXPECT_EQ(0, data.GetCurveCount());
    EXPECT_EQ(0, data.CreateFromPropertyList(nullptr));
    EXPECT_TRUE(log.Contains("NULL arg."));
}

TEST(LipSyncData, BinaryFormRoundTripsAndRefusesDamage)
{
    LLipSyncData data;
    ASSERT_TRUE(Parse(data, DatText("a.ogg", {{"Phoneme_Oat", "3", "100|200|300", "0|50|0"},
                                              {"Viseme_Smile", "0", nullptr, nullptr}})));
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(data.Write(&out));
    const std::string bytes = WrittenBytes(out);

    LLipSyncData copy;
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, bytes);
    ASSERT_TRUE(copy.Read(&in));
    ASSERT_EQ(2, copy.GetCurveCount());
    EXPECT_EQ(data.GetCurve(0)->mIdHash, copy.GetCurve(0)->mIdHash);
    EXPECT_EQ(8, copy.GetCurve(0)->mType);
    ExpectKeys(*copy.GetCurve(0), {{0.0f, 0.0f}, {0.1f, 0.0f}, {0.2f, 0.5f}, {0.3f, 0.0f}});
    EXPECT_EQ(LString("Viseme_Smile"), copy.GetCurve(1)->mId);
    EXPECT_EQ(0, copy.GetCurve(1)->mKeyCount);

    // Every cut is refused and leaves the curves held.
    LLogCapture log;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        Load(in, bytes.substr(0, cut));
        EXPECT_FALSE(copy.Read(&in)) << cut;
    }
    EXPECT_EQ(2, copy.GetCurveCount());

    // Counts beyond the data, a negative key count, a type outside the table.
    auto curve = [](int aType, int aKeys) {
        LMemoryStream s(16, LMemoryStream::GROW_DOUBLE);
        Write(&s, LString("x"));
        Write(&s, 0u);
        Write(&s, aType);
        Write(&s, aKeys);
        return WrittenBytes(s);
    };
    auto count = [](int aCount) {
        LMemoryStream s(4, LMemoryStream::GROW_DOUBLE);
        Write(&s, aCount);
        return WrittenBytes(s);
    };
    const struct
    {
        std::string bytes;
        bool result;
        int curves;
        const char* message;
    } files[] = {
        {count(0x40000000) + curve(1, 0), false, 2, "Curve count exceeds the data left: 1073741824"},
        {count(1) + curve(1, 0x20000000), false, 2, "Key count exceeds the data left: 536870912"},
        {count(2) + curve(27, 0) + curve(3, -5), true, 1, "Invalid type: 27"},
        {count(1) + curve(-1, 0), true, 0, "Invalid type: -1"},
    };
    for (const auto& file : files) {
        log.Clear();
        Load(in, file.bytes);
        EXPECT_EQ(file.result, copy.Read(&in)) << file.message;
        EXPECT_TRUE(log.Contains(file.message)) << file.message;
        EXPECT_EQ(file.curves, copy.GetCurveCount()) << file.message;
    }
}

TEST(LipSyncData, LoadReadsEitherForm)
{
    LTestDirectory directory;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//lipsync"), FromStd(directory.Path())));
    directory.Write("line.dat", DatText("line.ogg", {{"Phoneme_Eat", "1", "500", "100"}}));
    LLipSyncData data;
    ASSERT_EQ(1, data.Load(false, LString("//lipsync/line.dat"), true));
    ASSERT_EQ(1, data.GetCurveCount());
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(data.Write(&out));
    directory.Write("line.bin", WrittenBytes(out));

    LLipSyncData binary;
    ASSERT_EQ(1, binary.Load(true, LString("//lipsync/line.bin"), true));
    ExpectKeys(*binary.GetCurve(0), {{0.0f, 0.0f}, {0.5f, 1.0f}});
    EXPECT_EQ(0, binary.Load(true, LString("//lipsync/none.bin"), true));
    EXPECT_EQ(0, binary.Load(false, LString("//lipsync/none.dat"), true));
    EXPECT_EQ(1, binary.GetCurveCount());
}

TEST(LipSyncData, KeysAtOneTimeGiveAFiniteWeight)
{
    LLipSyncCurve curve;
    ASSERT_TRUE(curve.SetId(LString("Phoneme_Eat")));
    curve.SetKeys(4, new float[4] {0.0f, 0.2f, 0.2f, 0.5f}, new float[4] {0.0f, 1.0f, 0.5f, 0.25f});
    unsigned cursor = 0;
    float weight = -1.0f;
    ASSERT_TRUE(curve.WeightAt(0.1f, &cursor, &weight));
    EXPECT_FLOAT_EQ(0.5f, weight);
    // Of two keys at one time the later one holds.
    ASSERT_TRUE(curve.WeightAt(0.2f, &cursor, &weight));
    EXPECT_EQ(2u, cursor);
    EXPECT_FLOAT_EQ(0.5f, weight);
    // A time before a cursor's key (a clock set back) gives that key's value, not a
    // division by the empty span.
    cursor = 1;
    ASSERT_TRUE(curve.WeightAt(0.15f, &cursor, &weight));
    EXPECT_FLOAT_EQ(1.0f, weight);
}
