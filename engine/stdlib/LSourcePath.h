// The source position of log entries: ".\" + the path of the calling file below the
// engine's (or the game's) source root, with "\" separators, as in
// ".\memory\LMemoryManager.cpp". Built at compile time from __FILE__.
#pragma once
#include <cstddef>

template <std::size_t N>
class LSourcePath
{
public:
    consteval LSourcePath(const char (&aFile)[N])
    {
        std::size_t start = 0;
        // The last "/engine/" or "/game/" component names the source root.
        for (std::size_t i = 0; i + 1 < N; ++i) {
            if (Matches(aFile, i, "/engine/")) {
                start = i + 8;
            } else if (Matches(aFile, i, "/game/")) {
                start = i + 6;
            }
        }
        if (start == 0) {
            // Outside both roots (tests, tools): the file name alone.
            for (std::size_t i = 0; i + 1 < N; ++i) {
                if (aFile[i] == '/' || aFile[i] == '\\') {
                    start = i + 1;
                }
            }
        }
        std::size_t out = 0;
        mText[out++] = '.';
        mText[out++] = '\\';
        for (std::size_t i = start; i + 1 < N && aFile[i] != 0; ++i) {
            mText[out++] = aFile[i] == '/' ? '\\' : aFile[i];
        }
        mText[out] = 0;
    }

    constexpr const char* Text() const { return mText; }

private:
    static consteval bool Matches(const char (&aFile)[N], std::size_t aAt, const char* aWhat)
    {
        for (std::size_t j = 0; aWhat[j] != 0; ++j) {
            if (aAt + j + 1 >= N || aFile[aAt + j] != aWhat[j]) {
                return false;
            }
        }
        return true;
    }

    char mText[N + 2] {};
};

#define L_FILE                                                                  \
    ([]() -> const char* {                                                      \
        static constexpr LSourcePath<sizeof(__FILE__)> sPath(__FILE__);        \
        return sPath.Text();                                                    \
    }())
