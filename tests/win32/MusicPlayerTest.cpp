// The music player's MCI conversation, recorded through its command seam against a scripted device,
// and the real Wine MCI with a MIDI file and the CD device.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "audio/win32/MusicPlayer.h"
#include "tests/TempFiles.h"

namespace {
// One command as sent: device, message, flags, and the device type, status item, time format or start
// position it carried.
using MciCall = std::tuple<MCIDEVICEID, UINT, DWORD_PTR, DWORD>;

// A scripted MCI device: what it answers, and every command it was sent.
struct ScriptedDevice {
    MCIDEVICEID id = 7;
    bool opens = true, takesTmsf = true, statusWorks = true;
    DWORD timeFormat = MCI_FORMAT_MSF, position = 0;
    std::string openedElement;
    std::vector<MciCall> calls;
};
ScriptedDevice* scripted = nullptr;

MCIERROR WINAPI SendToScript(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    ScriptedDevice& s = *scripted;
    DWORD extra = 0;
    bool known = s.opens && device == s.id;
    MCIERROR result = parameters == 0 ? MCIERR_NULL_PARAMETER_BLOCK : known ? 0 : MCIERR_INVALID_DEVICE_ID;
    if (message == MCI_OPEN && parameters != 0) {
        MCI_OPEN_PARMSA* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        extra = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType));
        s.openedElement = (flags & MCI_OPEN_ELEMENT) != 0 && open->lpstrElementName != nullptr ? open->lpstrElementName : "";
        if (s.opens) open->wDeviceID = s.id;
        result = s.opens ? 0 : MCIERR_DEVICE_NOT_READY;
    } else if (message == MCI_STATUS && parameters != 0) {
        MCI_STATUS_PARMS* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        extra = status->dwItem;
        if (!s.statusWorks) result = MCIERR_INVALID_DEVICE_ID;
        if (result == 0) status->dwReturn = status->dwItem == MCI_STATUS_TIME_FORMAT ? s.timeFormat : s.position;
    } else if (message == MCI_SET && parameters != 0) {
        extra = reinterpret_cast<MCI_SET_PARMS*>(parameters)->dwTimeFormat;
        if (known && s.takesTmsf)
            s.timeFormat = extra;
        else
            result = MCIERR_BAD_TIME_FORMAT;
    } else if (message == MCI_PLAY && parameters != 0) {
        extra = reinterpret_cast<MCI_PLAY_PARMS*>(parameters)->dwFrom;
    }
    s.calls.push_back(MciCall{device, message, flags, extra});
    return result;
}

class MusicPlayerScripted : public ::testing::Test {
protected:
    void SetUp() override { scripted = &device; }
    void TearDown() override { scripted = nullptr; }
    ScriptedDevice device;
};

const DWORD_PTR StatusItem = MCI_WAIT | MCI_STATUS_ITEM;
const MciCall AskFormat7 = {7, MCI_STATUS, StatusItem, MCI_STATUS_TIME_FORMAT};
const MciCall Stop7 = {7, MCI_STOP, 0, 0}, Close7 = {7, MCI_CLOSE, 0, 0};
}  // namespace

TEST_F(MusicPlayerScripted, OpensTheCdByTypeToPlayFromItsTrackAndAFileByNameToPlayFromItsStart)
{
    const struct {
        const char* name;
        uint32_t track;
        DWORD format;  // the device's own time format
        const char* element;
        std::vector<MciCall> calls;
    } cases[] = {
        // Track numbers wrap at 256: this is track 3, in the tracks format the player switches to.
        {"cdaudio", 259, MCI_FORMAT_MSF, "",
         {{0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID, MCI_DEVTYPE_CD_AUDIO},
          AskFormat7,
          {7, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, MCI_FORMAT_TMSF},
          AskFormat7,
          {7, MCI_PLAY, MCI_FROM, MCI_MAKE_TMSF(3, 0, 0, 0)},
          Stop7,
          Close7}},
        // Only the exact name cdaudio means the CD; a file's milliseconds serve as they are.
        {"CDAudio", 1, MCI_FORMAT_MILLISECONDS, "CDAudio",
         {{0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, 0}, AskFormat7, {7, MCI_PLAY, MCI_FROM, 0}, Stop7, Close7}},
    };
    for (const auto& c : cases) {
        device = ScriptedDevice{};
        device.timeFormat = c.format;
        {
            MusicPlayer player(c.name, c.track, SendToScript);
            EXPECT_EQ(player.Play(), 0u) << c.name;
        }
        EXPECT_EQ(device.openedElement, c.element);
        EXPECT_EQ(device.calls, c.calls) << c.name;
    }
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
        device.calls.clear();
        player.Close();
        player.Close();
        EXPECT_EQ(device.calls, (std::vector<MciCall>{{0, MCI_STOP, 0, 0}, {0, MCI_CLOSE, 0, 0}})) << "closed once";
    }
}

// ---- Wine's MCI -------------------------------------------------------------------------------------

TEST(MusicPlayerWine, AMidiFilePlaysAndPausesInMillisecondsAndTheCdWithoutADriveFailsQuietly)
{
    // One track, 480 ticks a beat: four piano notes of 480 ticks, half a second, each.
    const unsigned char midi[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
        'M', 'T', 'r', 'k', 0, 0, 0, 40,
        0, 0x90, 60, 0x60, 0x83, 0x60, 0x80, 60, 0x40,  // note on, and off 480 ticks later
        0, 0x90, 64, 0x60, 0x83, 0x60, 0x80, 64, 0x40,
        0, 0x90, 67, 0x60, 0x83, 0x60, 0x80, 67, 0x40,
        0, 0x90, 72, 0x60, 0x83, 0x60, 0x80, 72, 0x40,
        0, 0xFF, 0x2F, 0};  // end of track
    std::string path = WriteTemp("music.mid", std::string(reinterpret_cast<const char*>(midi), sizeof(midi)));
    {
        MusicPlayer player(path.c_str(), 3);
        ASSERT_NE(player.DeviceId(), 0u) << "Wine's sequencer opens a file even without a MIDI port";
        EXPECT_EQ(player.TimeFormat(), static_cast<uint32_t>(MCI_FORMAT_MILLISECONDS));
        EXPECT_EQ(player.Play(), 0u);
        Sleep(300);
        player.Pause();
        EXPECT_LE(player.ResumePosition(), 2000u) << "the file lasts two seconds";
        EXPECT_EQ(player.Play(), 0u);
    }
    MusicPlayer cd("cdaudio", 3);
    if (cd.DeviceId() == 0) {
        EXPECT_NE(cd.Play(), 0u);
    }
    DeleteFileA(path.c_str());
}
