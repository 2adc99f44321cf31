// MusicPlayer: background music through MCI (see MusicPlayer.h for how it degrades).
#include "audio/win32/MusicPlayer.h"

#include <cstring>
#include <new>

const char* const CdDeviceName = "cdaudio";

MusicPlayer::MusicPlayer(const char* source, uint32_t startTrack, SendCommandFn sendCommand)
    : deviceId(0), timeFormat(0), track(startTrack), resumePosition(0), send(sendCommand)
{
    Open(source, startTrack);
}

MusicPlayer::~MusicPlayer() { Close(); }

MCIERROR MusicPlayer::Send(UINT message, DWORD flags, void* parameters)
{
    if (send == nullptr) return MCIERR_INTERNAL;
    return send(deviceId, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
}

void MusicPlayer::Open(const char* source, uint32_t startTrack)
{
    deviceId = 0;
    track = startTrack;
    resumePosition = 0;
    if (source == nullptr) source = "";
    size_t length = std::strlen(source);
    name.reset(new (std::nothrow) char[length + 1]);
    if (!name) return;  // no memory for the name: no music, and nothing to close
    std::memcpy(name.get(), source, length + 1);

    bool cd = std::strcmp(name.get(), CdDeviceName) == 0;
    MCI_OPEN_PARMSA open;
    std::memset(&open, 0, sizeof(open));
    DWORD flags = MCI_WAIT;
    if (cd) {
        flags |= MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID;
        open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    } else {
        flags |= MCI_OPEN_ELEMENT;
        open.lpstrElementName = name.get();
    }
    if (Send(MCI_OPEN, flags, &open) == 0) deviceId = static_cast<uint16_t>(open.wDeviceID);

    // Tracks need TMSF positions; milliseconds serve a file as they are. A device that will not take
    // TMSF keeps its own format and plays from its start.
    timeFormat = QueryTimeFormat();
    if (timeFormat != MCI_FORMAT_TMSF && timeFormat != MCI_FORMAT_MILLISECONDS) {
        MCI_SET_PARMS set;
        std::memset(&set, 0, sizeof(set));
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        Send(MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, &set);
        timeFormat = QueryTimeFormat();
        if (timeFormat != MCI_FORMAT_TMSF) {
            timeFormat = MCI_FORMAT_MILLISECONDS;
            track = 1;
        }
    }
    if (cd && timeFormat == MCI_FORMAT_TMSF) resumePosition = MCI_MAKE_TMSF(track % 256, 0, 0, 0);
}

uint32_t MusicPlayer::QueryStatus(DWORD item)
{
    MCI_STATUS_PARMS status;
    std::memset(&status, 0, sizeof(status));
    status.dwItem = item;
    if (Send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, &status) != 0) return 0;
    return static_cast<uint32_t>(status.dwReturn);
}

uint32_t MusicPlayer::QueryTimeFormat() { return QueryStatus(MCI_STATUS_TIME_FORMAT); }

MCIERROR MusicPlayer::Play()
{
    MCI_PLAY_PARMS play;
    std::memset(&play, 0, sizeof(play));
    play.dwFrom = resumePosition;
    return Send(MCI_PLAY, MCI_FROM, &play);
}

void MusicPlayer::Pause()
{
    MCI_GENERIC_PARMS pause;
    std::memset(&pause, 0, sizeof(pause));
    Send(MCI_PAUSE, 0, &pause);  // whether or not it paused, the position below is where to go on from
    resumePosition = CurrentPosition();
}

uint32_t MusicPlayer::CurrentPosition() { return QueryStatus(MCI_STATUS_POSITION); }

void MusicPlayer::Stop()
{
    MCI_GENERIC_PARMS stop;
    std::memset(&stop, 0, sizeof(stop));
    Send(MCI_STOP, 0, &stop);  // nothing to do when the device will not stop
}

void MusicPlayer::Close()
{
    if (!name) return;
    Stop();
    MCI_GENERIC_PARMS close;
    std::memset(&close, 0, sizeof(close));
    Send(MCI_CLOSE, 0, &close);  // a device that will not close is gone for us all the same
    deviceId = 0;
    name.reset();
}
