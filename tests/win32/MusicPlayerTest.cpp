// The music player's MCI conversation against a scripted device, and the real Wine MCI with a MIDI
// file and the CD device.
#include <gtest/gtest.h>

#include <string>

#include "audio/win32/MusicPlayer.h"
#include "tests/TempFiles.h"

namespace {
// The scripted MCI device: what it answers, and what it was asked to open, play and close.
struct ScriptedDevice {
    MCIDEVICEID id = 7;
    bool takesTmsf = true, statusWorks = true;
    DWORD timeFormat = MCI_FORMAT_MSF, position = 0;
    std::string opened;  // the file, or "#N" for device type N
    DWORD playedFrom = 0xFFFFFFFF;
    int closes = 0;  // of any device
};
ScriptedDevice scripted;

MCIERROR WINAPI SendToScript(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    ScriptedDevice& s = scripted;
    if (message == MCI_OPEN) {
        MCI_OPEN_PARMSA* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        if ((flags & MCI_OPEN_TYPE_ID) != 0)
            s.opened = "#" + std::to_string(reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType));
        else if ((flags & MCI_OPEN_ELEMENT) != 0)
            s.opened = open->lpstrElementName;
        open->wDeviceID = s.id;
        return 0;
    }
    s.closes += message == MCI_CLOSE;
    if (device != s.id) return MCIERR_INVALID_DEVICE_ID;
    if (message == MCI_STATUS) {
        MCI_STATUS_PARMS* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        status->dwReturn = status->dwItem == MCI_STATUS_TIME_FORMAT ? s.timeFormat : s.position;
        return s.statusWorks ? 0 : MCIERR_INVALID_DEVICE_ID;
    }
    if (message == MCI_SET) {
        if (!s.takesTmsf) return MCIERR_BAD_TIME_FORMAT;
        s.timeFormat = reinterpret_cast<MCI_SET_PARMS*>(parameters)->dwTimeFormat;
    }
    if (message == MCI_PLAY) s.playedFrom = reinterpret_cast<MCI_PLAY_PARMS*>(parameters)->dwFrom;
    return 0;
}

}  // namespace

TEST(MusicPlayerScripted, OpensTheCdByTypeAndAFileByNameAndResumesWherePaused)
{
    const struct {
        const char* name;
        uint32_t track;
        DWORD format;  // the device's own time format
        bool takesTmsf;
        const char* opened;
        DWORD from;
    } cases[] = {
        // Track numbers wrap at 256: this is track 3, in the tracks format the player switches to.
        {"cdaudio", 259, MCI_FORMAT_MSF, true, "#516", MCI_MAKE_TMSF(3, 0, 0, 0)},
        // A drive that will not take tracks plays in milliseconds, from the start.
        {"cdaudio", 2, MCI_FORMAT_MSF, false, "#516", 0},
        // Only the exact name cdaudio means the CD; a file's milliseconds serve as they are.
        {"CDAudio", 1, MCI_FORMAT_MILLISECONDS, true, "CDAudio", 0},
    };
    for (const auto& c : cases) {
        scripted = ScriptedDevice{};
        scripted.timeFormat = c.format;
        scripted.takesTmsf = c.takesTmsf;
        {
            MusicPlayer player(c.name, c.track, SendToScript);
            EXPECT_EQ(player.Play(), 0u) << c.name;
            EXPECT_EQ(scripted.playedFrom, c.from) << c.name;
            // Paused, it goes on where it stopped; when the device cannot say where, from the start.
            scripted.position = 4321;
            player.Pause();
            player.Play();
            EXPECT_EQ(scripted.playedFrom, 4321u);
            scripted.statusWorks = false;
            player.Pause();
            EXPECT_EQ(player.ResumePosition(), 0u);
            player.Close();  // and once more on destruction
        }
        EXPECT_EQ(scripted.opened, c.opened);
        EXPECT_EQ(scripted.closes, 1) << "closed once, however often asked";
    }
}

// ---- Wine's MCI -------------------------------------------------------------------------------------

TEST(MusicPlayerWine, AMidiFilePlaysAndPausesInMillisecondsAndTheCdWithoutADriveOrNoNameFailsQuietly)
{
    // One track, 480 ticks a beat: one piano note of 1920 ticks, two seconds.
    const unsigned char midi[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 13,
        0, 0x90, 60, 0x60, 0x8F, 0x00, 0x80, 60, 0x40,  // note on, and off 1920 ticks later
        0, 0xFF, 0x2F, 0};                               // end of track
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
    MusicPlayer cd("cdaudio", 3), none(nullptr, 1);
    if (cd.DeviceId() == 0) {
        EXPECT_NE(cd.Play(), 0u);
    }
    EXPECT_NE(none.Play(), 0u);
    DeleteFileA(path.c_str());
}
