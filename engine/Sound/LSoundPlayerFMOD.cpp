#include "Sound/LSoundPlayerFMOD.h"

#include "Sound/LISoundListener.h"
#include "sound/FSound.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LNativeText.h"

#include <algorithm>

LSoundPlayerFMOD::LSoundPlayerFMOD(const LString& aId)
    : mId(aId)
{
}

LSoundPlayerFMOD::~LSoundPlayerFMOD()
{
    LeaveFrameManager();
    Unload();
}

LString LSoundPlayerFMOD::Dump() const
{
    return DumpHead("LSoundPlayerFMOD") + "]";
}

char* LSoundPlayerFMOD::NativeName(const LString& aFileName)
{
    LString native;
    if (LIFileSystem* fileSystem = LIFileSystem::Get()) {
        fileSystem->GetNativePath(aFileName, native);
    }
    return NewNativeText(native);
}

void LSoundPlayerFMOD::LeaveFrameManager()
{
    if (!mInFrames) {
        return;
    }
    mInFrames = false;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
}

bool LSoundPlayerFMOD::OpenStream(const LString& aFileName)
{
    if (mStream) {
        Unload();
    }
    char* name = NativeName(aFileName);
    if (name) {
        mStream = FSOUND_Stream_Open(name, FSOUND_LOOP_NORMAL, 0, 0);
        delete[] name;
    }
    if (mStream) {
        FSOUND_Stream_SetLoopCount(mStream, 0);
    }
    mPausedTime = 0;
    return mStream != nullptr;
}

bool LSoundPlayerFMOD::LoadSample(const LString& aFileName)
{
    if (mSample) {
        Unload();
    }
    char* name = NativeName(aFileName);
    if (name) {
        mSample = FSOUND_Sample_Load(FSOUND_FREE, name, FSOUND_LOOP_OFF, 0, 0);
        delete[] name;
    }
    mChannel = -1;
    return mSample != nullptr;
}

void LSoundPlayerFMOD::Unload()
{
    if (mStream) {
        LeaveFrameManager();
        FSOUND_Stream_Close(mStream);
        mStream = nullptr;
    }
    if (mSample) {
        FSOUND_Sample_Free(mSample);
        mSample = nullptr;
    }
    mChannel = -1;
}

void LSoundPlayerFMOD::Pause()
{
    if (!mStream) {
        return;
    }
    LeaveFrameManager();
    mPausedTime = FSOUND_Stream_GetTime(mStream);
    FSOUND_Stream_Stop(mStream);
    mChannel = -1;
}

void LSoundPlayerFMOD::Play()
{
    if (mStream) {
        FSOUND_Stream_SetTime(mStream, mPausedTime);
        // The callback and the cleared flag are in place before the stream can run, so
        // that an end coming at once is neither missed nor wiped out.
        FSOUND_Stream_SetEndCallback(mStream, &OnStreamEnded, this);
        mEnded.store(0);
        mChannel = FSOUND_Stream_Play(FSOUND_FREE, mStream);
        FSOUND_SetVolume(mChannel, mVolume);
        LFrameManager* frames = LFrameManager::Get();
        if (!mInFrames && frames != nullptr) {
            mInFrames = frames->AddListener(this, 0.0f) != 0;
        }
    } else if (mSample) {
        if (mChannel >= 0) {
            Stop();
        }
        mChannel = FSOUND_PlaySound(FSOUND_FREE, mSample);
        FSOUND_SetVolume(mChannel, mVolume);
    }
}

void LSoundPlayerFMOD::Stop()
{
    if (mStream) {
        LeaveFrameManager();
        mPausedTime = 0;
        FSOUND_Stream_Stop(mStream);
        mChannel = -1;
    } else if (mSample && mChannel >= 0) {
        FSOUND_StopSound(mChannel);
        mChannel = -1;
    }
}

LString LSoundPlayerFMOD::GetId() const
{
    return mId;
}

float LSoundPlayerFMOD::GetLength()
{
    if (mStream) {
        return static_cast<float>(FSOUND_Stream_GetLengthMs(mStream) / 1000.0);
    }
    if (mSample) {
        int frequency = 0;
        FSOUND_Sample_GetDefaults(mSample, &frequency, nullptr, nullptr, nullptr);
        return frequency > 0 ? static_cast<float>(FSOUND_Sample_GetLength(mSample)) / frequency : 0.0f;
    }
    return 0.0f;
}

float LSoundPlayerFMOD::GetCurrentLevels()
{
    if (!mStream && !mSample) {
        return 0.0f;
    }
    float left = 0.0f;
    float right = 0.0f;
    FSOUND_GetCurrentLevels(mChannel, &left, &right);
    return left > right ? left : right;
}

float LSoundPlayerFMOD::GetPosition()
{
    if (mStream) {
        return static_cast<float>(FSOUND_Stream_GetTime(mStream) / 1000.0);
    }
    if (mSample && mChannel >= 0) {
        int frequency = 0;
        FSOUND_Sample_GetDefaults(mSample, &frequency, nullptr, nullptr, nullptr);
        return frequency > 0 ? static_cast<float>(FSOUND_GetCurrentPosition(mChannel)) / frequency : 0.0f;
    }
    return 0.0f;
}

bool LSoundPlayerFMOD::IsFinished()
{
    if (mStream) {
        return FSOUND_Stream_GetTime(mStream) == FSOUND_Stream_GetLengthMs(mStream);
    }
    if (mSample && mChannel >= 0) {
        return !FSOUND_IsPlaying(mChannel);
    }
    return false;
}

void LSoundPlayerFMOD::Reserved(int)
{
}

void LSoundPlayerFMOD::SetListener(LISoundListener* apListener)
{
    mListener = apListener;
}

void LSoundPlayerFMOD::SetLoop(bool aLoop)
{
    if (mStream) {
        FSOUND_Stream_SetLoopCount(mStream, aLoop ? -1 : 0);
    }
}

void LSoundPlayerFMOD::SetPosition(float aSeconds)
{
    if (mStream) {
        // A time outside what an int holds (or not a number) goes to the nearest end.
        const double milliseconds = aSeconds > 0.0f ? std::min(aSeconds * 1000.0, 2.0e9) : 0.0;
        FSOUND_Stream_SetTime(mStream, static_cast<int>(milliseconds));
    }
}

void LSoundPlayerFMOD::SetVolume(float aVolume)
{
    if (!(aVolume > 0.0f)) {
        aVolume = 0.0f; // NaN included
    } else if (aVolume > 1.0f) {
        aVolume = 1.0f;
    }
    mVolume = static_cast<int>(255.0f * aVolume);
    if (mChannel >= 0) {
        FSOUND_SetVolume(mChannel, mVolume);
    }
}

void LSoundPlayerFMOD::OnFrame()
{
    if (!mEnded.load()) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    LFrameManager* frames = LFrameManager::Get();
    LeaveFrameManager();
    if (LISoundListener* listener = mListener) {
        const LString id = mId;
        listener->OnSoundEnded(id);
    }
    if (frames) {
        frames->Interrupt();
    }
}

signed char LSoundPlayerFMOD::OnStreamEnded(FSOUND_STREAM*, void*, int, void* aUser)
{
    static_cast<LSoundPlayerFMOD*>(aUser)->mEnded.store(1);
    return 0;
}
