#include "support/GMTestInterview.h"

#include "container/LPropertyList.h"
#include "interview/GMInterview.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "writers/LImageBytes.h"

#include <initializer_list>
#include <sstream>

namespace {

std::string TopicButton(char aLetter, int aTop)
{
    const std::string top = std::to_string(aTop);
    const std::string bottom = std::to_string(aTop + 23);
    auto sprite = [&](const char* aId, const char* aLeft, const char* aRight, const char* aX) {
        return std::string("\t\t") + aId + "\n\t\t\tid=" + aId + "\n\t\t\ttexture=topicbutton.tga\n\t\t\ttexturecoords=" +
               aLeft + "|" + top + "|" + aRight + "|" + bottom + "\n\t\t\tposition=" + aX + "|0\n";
    };
    const std::string mark = std::string("mark_") + aLetter;
    return std::string("\ttopicbutton") + aLetter + "\n" + sprite("left_cap", "0", "7", "0") +
           sprite("middle", "8", "18", "8") + sprite("right_cap", "24", "31", "5") + sprite(mark.c_str(), "0", "3", "0");
}

} // namespace

void GMTestInterview::Write(const GMTestRoots& aRoots)
{
    RegisterGameTestFonts(aRoots);
    aRoots.Write("data/assets/tooltips.txt", "mode_conf=Confront\nmode_decp=Deceive\nmode_flat=Flatter\n"
                                             "mode_stra=Straight\nmode_empa=Empathize\n");
    aRoots.Write("data/textures/interview/topicbutton.tga",
                 LImageBytes::Tga(32, 96, 32, 8, std::string(32 * 96 * 4, '\x60')));
    aRoots.Write("data/textures/subtitleBG.tga", LImageBytes::Tga(16, 16, 32, 8, std::string(16 * 16 * 4, '\x20')));
    aRoots.Write("data/textures/interview/interview_layout.txt",
                 "misc\n" + TopicButton('n', 0) + TopicButton('o', 24) + TopicButton('h', 48) + TopicButton('x', 72));
    aRoots.Write("data/interviews/test_subtitles.txt",
                 "s1=one\ns2=two\ns3=three\ns4=four\nt_alibi=Alibi\nt_car=Car\n");
    aRoots.Write("data/interviews/pocketobjects.txt",
                 "line1\n\tanim=show_badge\n\tobject=badge\nline2\n\tanim=show_photo\n\tobject=photo\n");
    aRoots.Write("data/lipsync/line1.dat",
                 "phonemes\n\tp01\n\t\tid=Phoneme_Oat\n\t\tnumkeys=2\n\t\ttimes=100|300\n\t\tvalues=0|80\n");
    aRoots.Write("data/gestures/line1.gk", "keys\n\tkey01\n\t\ttime=100\n\t\tcharacter=primary\n"
                                           "\t\ttype=nod.lia1\n\t\tcurve=0|0|1|1\n");
    for (const char* sound : {"line1", "line2", "temp"}) {
        aRoots.Write(std::string("data/sounds/") + sound + ".ogg", "sound");
    }
}

std::string GMTestInterview::Data(const std::string& aRest)
{
    return "fonts\n\tmain=Friz_Quad_TT_8\ncharacters\n\ta=witness\n\tb=player\n" + aRest;
}

std::string GMTestInterview::Indent(const std::string& aLines, int aDepth)
{
    std::istringstream in(aLines);
    std::string out;
    std::string line;
    while (std::getline(in, line)) {
        out += std::string(static_cast<size_t>(aDepth), '\t') + line + "\n";
    }
    return out;
}

std::string GMTestInterview::Subtitles(std::initializer_list<const char*> aKeys, const char* aType)
{
    std::string out = "subtitles\n";
    int index = 0;
    for (const char* key : aKeys) {
        out += "\te" + std::to_string(index++) + "\n\t\tfont=main\n\t\tsubtitle=" + key + "\n\t\ttype=" + aType + "\n";
    }
    return out;
}

std::unique_ptr<GMInterview> GMTestInterview::Make(const std::string& aData, bool* aCreated)
{
    auto interview = std::make_unique<GMInterview>();
    auto* list = new LPropertyList();
    list->Parse(aData.c_str(), static_cast<int>(aData.size()));
    const bool created = interview->Create(LString("test.txt"), list, LString("test_subtitles.txt"));
    if (aCreated != nullptr) {
        *aCreated = created;
    }
    return interview;
}

void GMTestInterview::PlayOut(GMInterview* aInterview, bool aUntilEnded, int aFrames)
{
    size_t line = 0;
    int frames = 0;
    for (int i = 0; i < aFrames && (aUntilEnded ? aInterview->IsRunning() : aInterview->IsBusy()); ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
        LFakeSoundPlayer* player = LFakeSoundPlayer::Find(LString("sequenceSound"));
        if (player == nullptr || !player->mPlaying) {
            continue;
        }
        if (line != LFakeSoundManager::sMade.size()) {
            line = LFakeSoundManager::sMade.size();
            frames = 0;
        }
        if (++frames > 5) {
            player->End();
        }
    }
}
