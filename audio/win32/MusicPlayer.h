// MusicPlayer: background music through the Media Control Interface.
// Provides: an audio CD played from a chosen track to the end of the disc, or a MIDI file (any file
// MCI can open by its extension), paused and resumed where it stopped. Degrades: when the device cannot
// be opened the player keeps device 0, every later command fails quietly and the show has no music.
// Every command goes through one function pointer, mciSendCommandA (loaded from the system folder)
// unless a test supplies another.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>

#include "engine/win32/SystemLibrary.h"

// The name MusicPlayer opens as the audio CD device.
extern const char* const CdDeviceName;

class MusicPlayer {
public:
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;
    typedef MCIERROR(WINAPI* SendCommandFn)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

    // Opens "cdaudio" (exactly that name) as the CD device starting at `track`, any other name as a file
    // whose extension picks the device. Never fails as an object.
    MusicPlayer(const char* name, uint32_t track, SendCommandFn send = SystemMciSendCommand);
    ~MusicPlayer();

    // Plays from the remembered position to the end of the medium without waiting. Returns the MCI error
    // code, 0 on success.
    MCIERROR Play();
    // Pauses and remembers where, so that the next Play continues from there.
    void Pause();
    void Stop();
    // The device's position in its time format, 0 when the query fails.
    uint32_t CurrentPosition();
    // Stops and closes the device; then the player is closed and a second call does nothing.
    void Close();

    MCIDEVICEID DeviceId() const { return deviceId; }
    uint32_t TimeFormat() const { return timeFormat; }
    const char* Name() const { return name.get(); }
    uint32_t Track() const { return track; }
    uint32_t ResumePosition() const { return resumePosition; }

private:
    void Open(const char* source, uint32_t startTrack);
    // An MCI_STATUS item of the device, or 0 when the query fails.
    uint32_t QueryStatus(DWORD item);
    uint32_t QueryTimeFormat();
    MCIERROR Send(UINT message, DWORD flags, void* parameters);

    uint16_t deviceId;
    uint32_t timeFormat;
    std::unique_ptr<char[]> name;
    uint32_t track;
    uint32_t resumePosition;
    SendCommandFn send;
};
