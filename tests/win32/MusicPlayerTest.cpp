// The music player's MCI conversation, recorded through its command seam against a scripted device,
// and the real Wine MCI with a MIDI file and the CD device.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio/win32/MusicPlayer.h"

namespace {
// One command as sent: `extra` is the status item, time format or start position it carried.
struct MciCall {
    MCIDEVICEID device;
    UINT message;
    DWORD_PTR flags;
    DWORD extra;
    bool operator==(const MciCall& o) const
    {
        return device == o.device && message == o.message && flags == o.flags && extra == o.extra;
    }
};

// A scripted MCI device: what it answers, and every command it was sent.
struct ScriptedDevice {
    MCIDEVICEID id = 7;
    bool opens = true, takesTmsf = true, statusWorks = true;
    DWORD timeFormat = MCI_FORMAT_MSF, position = 0;
    DWORD_PTR openedType = 0;
    std::string openedElement;
    std::vector<MciCall> calls;
};
ScriptedDevice* scripted = nullptr;

MCIERROR WINAPI SendToScript(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    ScriptedDevice& s = *scripted;
    MciCall call = {device, message, flags, 0};
    bool known = s.opens && device == s.id;
    MCIERROR result = parameters == 0 ? MCIERR_NULL_PARAMETER_BLOCK : known ? 0 : MCIERR_INVALID_DEVICE_ID;
    if (message == MCI_OPEN && parameters != 0) {
        MCI_OPEN_PARMSA* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        s.openedType = reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType);
        s.openedElement = (flags & MCI_OPEN_ELEMENT) != 0 && open->lpstrElementName != nullptr ? open->lpstrElementName : "";
        if (s.opens) open->wDeviceID = s.id;
        result = s.opens ? 0 : MCIERR_DEVICE_NOT_READY;
    } else if (message == MCI_STATUS && parameters != 0) {
        MCI_STATUS_PARMS* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        call.extra = status->dwItem;
        if (!s.statusWorks) result = MCIERR_INVALID_DEVICE_ID;
        if (result == 0) status->dwReturn = status->dwItem == MCI_STATUS_TIME_FORMAT ? s.timeFormat : s.position;
    } else if (message == MCI_SET && parameters != 0) {
        call.extra = reinterpret_cast<MCI_SET_PARMS*>(parameters)->dwTimeFormat;
        if (known && s.takesTmsf)
            s.timeFormat = call.extra;
        else
            result = MCIERR_BAD_TIME_FORMAT;
    } else if (message == MCI_PLAY && parameters != 0) {
        call.extra = reinterpret_cast<MCI_PLAY_PARMS*>(parameters)->dwFrom;
    }
    s.calls.push_back(call);
    return result;
}

class MusicPlayerScripted : public ::testing::Test {
protected:
    void SetUp() override { scripted = &device; }
    void TearDown() override { scripted = nullptr; }
    ScriptedDevice device;
};

const DWORD_PTR OpenCdType = MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID;
const DWORD_PTR OpenElement = MCI_WAIT | MCI_OPEN_ELEMENT;
const DWORD_PTR StatusItem = MCI_WAIT | MCI_STATUS_ITEM;
const MciCall Stop7 = {7, MCI_STOP, 0, 0}, Close7 = {7, MCI_CLOSE, 0, 0};
}  // namespace

TEST_F(MusicPlayerScripted, ACdOpensByTypeSwitchesToTracksAndPlaysFromTheChosenTrack)
{
    {
        MusicPlayer player("cdaudio", 259, SendToScript);  // track numbers wrap at 256: track 3
        EXPECT_EQ(device.openedType, static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_TMSF));
        EXPECT_EQ(player.Play(), 0u);
    }
    EXPECT_EQ(device.calls, (std::vector<MciCall>{{0, MCI_OPEN, OpenCdType, 0},
                                                  {7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT},
                                                  {7, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, MCI_FORMAT_TMSF},
                                                  {7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT},
                                                  {7, MCI_PLAY, MCI_FROM, MCI_MAKE_TMSF(3, 0, 0, 0)},
                                                  Stop7,
                                                  Close7}));
}

TEST_F(MusicPlayerScripted, AMidiFileOpensAsAnElementAndKeepsMilliseconds)
{
    device.timeFormat = MCI_FORMAT_MILLISECONDS;
    {
        MusicPlayer player("CDAudio", 1, SendToScript);  // only the exact name cdaudio means the CD
        EXPECT_EQ(device.openedElement, "CDAudio");
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS));
        player.Play();
    }
    EXPECT_EQ(device.calls, (std::vector<MciCall>{{0, MCI_OPEN, OpenElement, 0},
                                                  {7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT},
                                                  {7, MCI_PLAY, MCI_FROM, 0},
                                                  Stop7,
                                                  Close7}));
}

TEST_F(MusicPlayerScripted, PauseRemembersThePositionInTheDevicesFormatAndPlayResumesThere)
{
    for (bool takesTracks : {true, false}) {
        device = ScriptedDevice{};
        device.takesTmsf = takesTracks;
        MusicPlayer player("cdaudio", 2, SendToScript);
        // A device that refuses tracks plays in its own format, from the start.
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(takesTracks ? MCI_FORMAT_TMSF : MCI_FORMAT_MILLISECONDS));
        player.Play();
        device.calls.clear();
        device.position = takesTracks ? MCI_MAKE_TMSF(4, 1, 30, 12) : 4321;
        player.Pause();
        EXPECT_EQ(player.ResumePosition(), device.position);
        player.Play();
        EXPECT_EQ(device.calls, (std::vector<MciCall>{{7, MCI_PAUSE, 0, 0},
                                                      {7, MCI_STATUS, StatusItem, MCI_STATUS_POSITION},
                                                      {7, MCI_PLAY, MCI_FROM, device.position}}));
        // A position query that fails resumes from the start of the medium.
        device.statusWorks = false;
        player.Pause();
        EXPECT_EQ(player.ResumePosition(), 0u);
    }
}

TEST_F(MusicPlayerScripted, AFailedOpenOrNoNameFailsQuietlyAndClosesOnce)
{
    device.opens = false;
    for (const char* name : {"D:\\missing.mid", "", static_cast<const char*>(nullptr)}) {
        MusicPlayer player(name, 1, SendToScript);
        EXPECT_EQ(player.DeviceId(), 0u);
        EXPECT_NE(player.Play(), 0u);
        player.Pause();
        EXPECT_EQ(player.ResumePosition(), 0u);
        device.calls.clear();
        player.Close();
        player.Close();
        EXPECT_EQ(device.calls, (std::vector<MciCall>{{0, MCI_STOP, 0, 0}, {0, MCI_CLOSE, 0, 0}})) << "closed once";
    }
}

// ---- Wine's MCI -------------------------------------------------------------------------------------

namespace {
// A one-track MIDI file: four piano notes of 480 ticks, half a second, each.
std::string WriteTinyMidi()
{
    char dir[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, dir);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string path = std::string(dir) + "fw-music-test.mid";
    const unsigned char file[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,  // one track, 480 ticks a beat
        'M', 'T', 'r', 'k', 0, 0, 0, 40,
        0, 0x90, 60, 0x60, 0x83, 0x60, 0x80, 60, 0x40,  // note on, and off 480 ticks later
        0, 0x90, 64, 0x60, 0x83, 0x60, 0x80, 64, 0x40,
        0, 0x90, 67, 0x60, 0x83, 0x60, 0x80, 67, 0x40,
        0, 0x90, 72, 0x60, 0x83, 0x60, 0x80, 72, 0x40,
        0, 0xFF, 0x2F, 0};  // end of track
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return std::string();
    bool ok = std::fwrite(file, 1, sizeof(file), f) == sizeof(file);
    return std::fclose(f) == 0 && ok ? path : std::string();
}
}  // namespace

TEST(MusicPlayerWine, AMidiFileAndTheCdWithoutADrivePlayOrFailQuietly)
{
    std::string path = WriteTinyMidi();
    ASSERT_FALSE(path.empty());
    for (const char* source : {path.c_str(), "cdaudio"}) {
        MusicPlayer player(source, 3);
        MCIERROR played = player.Play();
        Sleep(300);
        player.Pause();
        uint32_t paused = player.ResumePosition();
        player.Play();
        if (player.DeviceId() == 0) {
            EXPECT_NE(played, 0u) << source;
            EXPECT_EQ(paused, 0u) << source;
        } else if (source == path.c_str()) {
            EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS)) << "a sequencer counts milliseconds";
            EXPECT_LE(paused, 2000u) << "the file lasts two seconds";
        }
        player.Close();
        EXPECT_EQ(player.DeviceId(), 0u);
    }
    DeleteFileA(path.c_str());
}
