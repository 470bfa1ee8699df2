// The log: every error, warning, assertion failure and note is one entry appended to
// "log.txt" (in the log directory, the current directory by default). Each entry opens
// the file, appends the text and a line end, and closes it again. The file is 8-bit:
// every character is written as its low byte, every line feed as CR LF.
//
// Entries follow one line format: level + source file + ", " + line + ": " + message.
// The L_ERROR, L_WARNING, L_ASSERT_FAILURE and L_NOTE macros build it.
#pragma once
#include "container/LString.h"
#include "stdlib/LSourcePath.h"

void Log(const char16_t* aText);
void Log(const LString& aText);
void SetLogDirectory(const LString& aDirectory);

// One entry in the line format; aLevel is "ERROR: ", "WARNING: ", ...
void LogEntry(const char* aLevel, const char* aFile, int aLine, const LString& aMessage);

// Entries that never allocate, for the memory manager and other low-level paths.
// aWideTail, when given, is appended to the message.
void LogDirect(const char* aText);
void LogDirectEntry(const char* aLevel, const char* aFile, int aLine, const char* aMessage,
                    const char16_t* aWideTail = nullptr);

#define L_ERROR(aMessage) LogEntry("ERROR: ", L_FILE, __LINE__, (aMessage))
#define L_WARNING(aMessage) LogEntry("WARNING: ", L_FILE, __LINE__, (aMessage))
#define L_ASSERT_FAILURE(aMessage) LogEntry("ASSERT FAILURE: ", L_FILE, __LINE__, (aMessage))
#define L_NOTE(aMessage) LogEntry("NOTE: ", L_FILE, __LINE__, (aMessage))
