// The sound that Wine played, as written by ALSA's file sink when tools/wine-run.sh runs a program with
// FW_SOUND_CAPTURE set. Shared by the sound bank's tests and the end-to-end tests of the show.
#pragma once
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

// The capture file's Unix path, or none when this run has no sound device.
inline const char* CapturePath()
{
    const char* path = std::getenv("FW_SOUND_CAPTURE");
    return path != nullptr && *path != '\0' ? path : nullptr;
}

// The raw file that ALSA's file sink writes while the mixer runs: 32-bit float, two channels.
class Capture {
public:
    explicit Capture(const char* unixPath) : path(std::string("Z:") + unixPath) {}

    // Starts afresh: ALSA's file sink rewrites the file from its start whenever a program opens the
    // device, so offsets from an earlier program's capture mean nothing.
    void Remove() const { DeleteFileA(path.c_str()); }

    long long Size() const
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
        return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    // Sums the square of each channel over the frames written since byte `from`.
    bool Energy(long long from, double& left, double& right, size_t& frames, float& peak) const
    {
        left = right = 0.0;
        frames = 0;
        peak = 0.0f;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) return false;
        bool ok = _fseeki64(f, from - from % 8, SEEK_SET) == 0;
        float frame[2];
        while (ok && std::fread(frame, sizeof(frame), 1, f) == 1) {
            if (!std::isfinite(frame[0]) || !std::isfinite(frame[1]) || std::fabs(frame[0]) > 4 || std::fabs(frame[1]) > 4)
                ok = false;
            left += static_cast<double>(frame[0]) * frame[0];
            right += static_cast<double>(frame[1]) * frame[1];
            peak = std::fmax(peak, std::fmax(std::fabs(frame[0]), std::fabs(frame[1])));
            ++frames;
        }
        std::fclose(f);
        return ok;
    }

private:
    std::string path;
};
