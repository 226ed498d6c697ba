// Private-profile (INI file) access. Every call goes straight to the file; nothing is cached,
// except inside a ProfileBatch.
#pragma once

#include <string>

// The file that the profile calls below use (the application's profile name). While it is
// empty, reads give their defaults and writes fail.
void SetProfileFile(const std::string& path);
const std::string& ProfileFile();

// Reads an integer as the platform does (decimal, or "0x" hexadecimal); a missing file, section or
// key gives def, text that is no number 0. A decimal number beyond the 32-bit range gives INT_MIN
// or INT_MAX, never a wrapped value.
int ProfileReadInt(const char* section, const char* key, int def);
// Reads a string through a 4096-byte buffer, so at most 4095 bytes come back.
std::string ProfileReadString(const char* section, const char* key, const char* def);
// Write the value ("%d" for integers); false when the file cannot be written.
bool ProfileWriteInt(const char* section, const char* key, int value);
bool ProfileWriteString(const char* section, const char* key, const char* value);
// How many times the file began to refuse writes: the first refused write, and the first one after
// a write that went through, each count one. A write left out (see ProfileBatch) counts neither way.
unsigned ProfileRefusals();

// While one lives, the profile calls above take what they can from whole sections read once: the
// start-up reads and writes back some fifty keys, and every single call opens the file anew.
// A value is taken from a section only where the single-key call would read the same (a plain
// number, an unquoted string); anything else, a missing key included, is read the ordinary way.
// A write of the text a key already has is left out; other writes go to the file as always.
class ProfileBatch {
public:
    ProfileBatch();
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;
};
