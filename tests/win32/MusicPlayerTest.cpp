// The music player's MCI conversation, recorded through its command seam against a scripted device,
// and the real Wine MCI with a MIDI file and the CD device.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio/MusicPlayer.h"

namespace {
struct MciCall {
    MCIDEVICEID device;
    UINT message;
    DWORD_PTR flags;
    DWORD_PTR deviceType;  // MCI_OPEN
    std::string element;   // MCI_OPEN
    DWORD item;            // MCI_STATUS
    DWORD timeFormat;      // MCI_SET
    DWORD from, to;        // MCI_PLAY
    bool hasParameters;
};

// A scripted MCI device: what it answers, and every command it was sent.
struct ScriptedDevice {
    MCIDEVICEID id = 7;
    bool opens = true;
    DWORD timeFormat = MCI_FORMAT_MSF;
    bool takesTmsf = true;
    bool statusWorks = true;
    DWORD position = 0;
    std::vector<MciCall> calls;
};
ScriptedDevice* scripted = nullptr;

MCIERROR WINAPI SendToScript(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    ScriptedDevice& s = *scripted;
    MciCall call = MciCall();
    call.device = device;
    call.message = message;
    call.flags = flags;
    call.hasParameters = parameters != 0;
    MCIERROR result = 0;
    bool known = s.opens && device == s.id;
    switch (message) {
    case MCI_OPEN: {
        MCI_OPEN_PARMSA* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        call.deviceType = reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType);
        if ((flags & MCI_OPEN_ELEMENT) != 0 && open->lpstrElementName != nullptr) call.element = open->lpstrElementName;
        if (open->lpstrAlias != nullptr || open->dwCallback != 0) call.element += "<alias or callback>";
        if (s.opens)
            open->wDeviceID = s.id;
        else
            result = MCIERR_DEVICE_NOT_READY;
        break;
    }
    case MCI_STATUS: {
        MCI_STATUS_PARMS* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        call.item = status->dwItem;
        if (!known || !s.statusWorks)
            result = MCIERR_INVALID_DEVICE_ID;
        else
            status->dwReturn = status->dwItem == MCI_STATUS_TIME_FORMAT ? s.timeFormat : s.position;
        break;
    }
    case MCI_SET: {
        MCI_SET_PARMS* set = reinterpret_cast<MCI_SET_PARMS*>(parameters);
        call.timeFormat = set->dwTimeFormat;
        if (known && s.takesTmsf)
            s.timeFormat = set->dwTimeFormat;
        else
            result = MCIERR_BAD_TIME_FORMAT;
        break;
    }
    case MCI_PLAY: {
        MCI_PLAY_PARMS* play = reinterpret_cast<MCI_PLAY_PARMS*>(parameters);
        call.from = play->dwFrom;
        call.to = play->dwTo;
        result = known ? 0 : MCIERR_INVALID_DEVICE_ID;
        break;
    }
    default:
        result = known ? 0 : MCIERR_INVALID_DEVICE_ID;
    }
    s.calls.push_back(call);
    return result;
}

class MusicPlayerScripted : public ::testing::Test {
protected:
    void SetUp() override { scripted = &device; }
    void TearDown() override { scripted = nullptr; }

    // Checks one recorded command; `extra` is the item, time format or start position it carried.
    void ExpectCall(size_t index, MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD extra = 0)
    {
        ASSERT_LT(index, device.calls.size()) << "command " << index << " was never sent";
        const MciCall& c = device.calls[index];
        EXPECT_EQ(c.device, id) << "command " << index;
        EXPECT_EQ(c.message, message) << "command " << index;
        EXPECT_EQ(c.flags, flags) << "command " << index;
        DWORD carried = message == MCI_STATUS ? c.item : message == MCI_SET ? c.timeFormat : message == MCI_PLAY ? c.from : 0;
        EXPECT_EQ(carried, extra) << "command " << index;
        EXPECT_TRUE(c.hasParameters) << "command " << index;
    }

    ScriptedDevice device;
};

const DWORD_PTR OpenCdType = MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID;
const DWORD_PTR OpenElement = MCI_WAIT | MCI_OPEN_ELEMENT;
const DWORD_PTR StatusItem = MCI_WAIT | MCI_STATUS_ITEM;
const DWORD_PTR SetFormat = MCI_WAIT | MCI_SET_TIME_FORMAT;
}  // namespace

TEST_F(MusicPlayerScripted, ACdOpensByTypeSwitchesToTracksAndPlaysFromTheChosenTrack)
{
    {
        MusicPlayer player("cdaudio", 3, SendToScript);
        ASSERT_EQ(device.calls.size(), 4u);
        ExpectCall(0, 0, MCI_OPEN, OpenCdType);
        EXPECT_EQ(OpenCdType, 0x3002u);
        EXPECT_EQ(device.calls[0].deviceType, static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
        EXPECT_EQ(device.calls[0].element, "");
        ExpectCall(1, 7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT);
        ExpectCall(2, 7, MCI_SET, SetFormat, MCI_FORMAT_TMSF);
        ExpectCall(3, 7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT);
        EXPECT_EQ(player.DeviceId(), 7u);
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_TMSF));
        EXPECT_EQ(player.ResumePosition(), MCI_MAKE_TMSF(3, 0, 0, 0));

        EXPECT_EQ(player.Play(), 0u);
        ExpectCall(4, 7, MCI_PLAY, MCI_FROM, 3);
        EXPECT_EQ(device.calls[4].to, 0u);
    }
    ASSERT_EQ(device.calls.size(), 7u);
    ExpectCall(5, 7, MCI_STOP, 0);
    ExpectCall(6, 7, MCI_CLOSE, 0);
}

TEST_F(MusicPlayerScripted, TrackNumbersWrapAtTwoHundredAndFiftySix)
{
    MusicPlayer player("cdaudio", 257, SendToScript);
    EXPECT_EQ(player.ResumePosition(), MCI_MAKE_TMSF(1, 0, 0, 0));
    player.Play();
    ExpectCall(4, 7, MCI_PLAY, MCI_FROM, 1);
}

TEST_F(MusicPlayerScripted, AMidiFileOpensAsAnElementAndKeepsMilliseconds)
{
    device.timeFormat = MCI_FORMAT_MILLISECONDS;
    {
        MusicPlayer player("C:\\windows\\Media\\canyon.mid", 1, SendToScript);
        ASSERT_EQ(device.calls.size(), 2u);
        ExpectCall(0, 0, MCI_OPEN, OpenElement);
        EXPECT_EQ(OpenElement, 0x202u);
        EXPECT_EQ(device.calls[0].element, "C:\\windows\\Media\\canyon.mid");
        EXPECT_EQ(device.calls[0].deviceType, 0u);
        ExpectCall(1, 7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT);
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS));
        EXPECT_EQ(player.ResumePosition(), 0u);
        player.Play();
        ExpectCall(2, 7, MCI_PLAY, MCI_FROM, 0);
    }
    ExpectCall(3, 7, MCI_STOP, 0);
    ExpectCall(4, 7, MCI_CLOSE, 0);
}

TEST_F(MusicPlayerScripted, OnlyTheExactNameCdaudioMeansTheCd)
{
    {
        MusicPlayer player("cdaudio", 1, SendToScript);
        EXPECT_EQ(device.calls[0].flags, OpenCdType);
    }
    device.calls.clear();
    {
        MusicPlayer player("CDAudio", 1, SendToScript);
        EXPECT_EQ(device.calls[0].flags, OpenElement);
        EXPECT_EQ(device.calls[0].element, "CDAudio");
    }
}

TEST_F(MusicPlayerScripted, PauseRemembersThePositionAndPlayResumesThere)
{
    MusicPlayer player("cdaudio", 2, SendToScript);
    player.Play();
    device.position = MCI_MAKE_TMSF(4, 1, 30, 12);
    player.Pause();
    ExpectCall(5, 7, MCI_PAUSE, 0);
    ExpectCall(6, 7, MCI_STATUS, StatusItem, MCI_STATUS_POSITION);
    EXPECT_EQ(player.ResumePosition(), MCI_MAKE_TMSF(4, 1, 30, 12));
    player.Play();
    ExpectCall(7, 7, MCI_PLAY, MCI_FROM, MCI_MAKE_TMSF(4, 1, 30, 12));

    // A position query that fails resumes from the start of the medium.
    device.statusWorks = false;
    player.Pause();
    EXPECT_EQ(player.ResumePosition(), 0u);
    EXPECT_EQ(player.CurrentPosition(), 0u);
}

TEST_F(MusicPlayerScripted, ADeviceThatRefusesTracksPlaysInItsOwnFormatFromTheStart)
{
    device.takesTmsf = false;
    MusicPlayer player("cdaudio", 5, SendToScript);
    ASSERT_EQ(device.calls.size(), 4u);
    ExpectCall(2, 7, MCI_SET, SetFormat, MCI_FORMAT_TMSF);
    EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS));
    EXPECT_EQ(player.Track(), 1u);
    EXPECT_EQ(player.ResumePosition(), 0u);
    device.position = 4321;
    player.Pause();
    player.Play();
    ExpectCall(6, 7, MCI_PLAY, MCI_FROM, 4321);
}

TEST_F(MusicPlayerScripted, AFailedOpenLeavesDeviceZeroAndFailsQuietly)
{
    device.opens = false;
    {
        MusicPlayer player("D:\\missing.mid", 1, SendToScript);
        EXPECT_EQ(player.DeviceId(), 0u);
        EXPECT_EQ(player.TimeFormat(), 0u);
        ASSERT_EQ(device.calls.size(), 2u);
        ExpectCall(1, 0, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT);
        EXPECT_NE(player.Play(), 0u);
        player.Pause();
        EXPECT_EQ(player.ResumePosition(), 0u);
        device.calls.clear();
    }
    ASSERT_EQ(device.calls.size(), 2u);
    ExpectCall(0, 0, MCI_STOP, 0);
    ExpectCall(1, 0, MCI_CLOSE, 0);
}

TEST_F(MusicPlayerScripted, ClosingTwiceSendsNothingMoreAndEmptyNamesAreHarmless)
{
    device.opens = false;
    {
        MusicPlayer player("", 1, SendToScript);
        EXPECT_EQ(device.calls[0].flags, OpenElement);
        player.Close();
        EXPECT_EQ(player.DeviceId(), 0u);
        EXPECT_EQ(player.Name(), nullptr);
    }
    ASSERT_EQ(device.calls.size(), 4u);
    EXPECT_EQ(device.calls[2].message, static_cast<UINT>(MCI_STOP));
    EXPECT_EQ(device.calls[3].message, static_cast<UINT>(MCI_CLOSE));
    device.calls.clear();
    { MusicPlayer player(nullptr, 1, SendToScript); }
    EXPECT_EQ(device.calls.size(), 4u);
}

// ---- Wine's MCI -------------------------------------------------------------------------------------

namespace {
// A one-track MIDI file: a few notes on a piano, half a second each.
std::string WriteTinyMidi()
{
    char dir[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, dir);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string path = std::string(dir) + "fw-music-test.mid";
    std::vector<unsigned char> track;
    const unsigned char notes[] = {60, 64, 67, 72};
    for (unsigned char note : notes) {
        const unsigned char on[] = {0x00, 0x90, note, 0x60, 0x83, 0x60, 0x80, note, 0x40};  // delta 480 ticks
        track.insert(track.end(), on, on + sizeof(on));
    }
    const unsigned char end[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), end, end + sizeof(end));
    std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    size_t size = track.size();
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<unsigned char>(size >> shift));
    file.insert(file.end(), track.begin(), track.end());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return std::string();
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok ? path : std::string();
}
}  // namespace

TEST(MusicPlayerWine, AMidiFilePlaysOrFailsQuietly)
{
    std::string path = WriteTinyMidi();
    ASSERT_FALSE(path.empty());
    {
        MusicPlayer player(path.c_str(), 1);
        MCIERROR played = player.Play();
        Sleep(300);
        player.Pause();
        uint32_t paused = player.ResumePosition();
        MCIERROR resumed = player.Play();
        std::printf("  MIDI: device %u, time format %u, play %lu, paused at %u, resume %lu\n", player.DeviceId(),
                    player.TimeFormat(), static_cast<unsigned long>(played), paused, static_cast<unsigned long>(resumed));
        if (player.DeviceId() != 0) {
            EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS)) << "a sequencer counts milliseconds";
            EXPECT_LE(paused, 2000u) << "the file lasts two seconds";
        } else {
            EXPECT_NE(played, 0u);
        }
        player.Close();
        EXPECT_EQ(player.DeviceId(), 0u);
    }
    DeleteFileA(path.c_str());
}

TEST(MusicPlayerWine, TheCdDeviceWithoutADriveFailsQuietly)
{
    MusicPlayer player("cdaudio", 3);
    MCIERROR played = player.Play();
    std::printf("  CD: device %u, time format %u, play %lu\n", player.DeviceId(), player.TimeFormat(),
                static_cast<unsigned long>(played));
    if (player.DeviceId() == 0) {
        EXPECT_NE(played, 0u);
        EXPECT_EQ(player.ResumePosition(), 0u);
    }
    player.Pause();
    player.Close();
    EXPECT_EQ(player.DeviceId(), 0u);
}
