// A fresh temporary directory for one test, removed again at the end.
#pragma once
#include <string>

class LTestDirectory
{
public:
    LTestDirectory();
    ~LTestDirectory();
    LTestDirectory(const LTestDirectory&) = delete;
    LTestDirectory& operator=(const LTestDirectory&) = delete;

    const std::string& Path() const { return mPath; }
    std::string File(const std::string& aName) const { return mPath + "/" + aName; }

    // Writes or reads a whole file below the directory (bytes as they are).
    void Write(const std::string& aName, const std::string& aBytes) const;
    std::string Read(const std::string& aName) const;
    // The bytes of any file by its native path; empty when it cannot be read.
    static std::string ReadFile(const std::string& aPath);

private:
    std::string mPath;
};
