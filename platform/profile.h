// Private-profile (INI file) access. Every call goes straight to the file; nothing is cached.
#pragma once

#include <string>

// The file that the profile calls below use (the application's profile name). While it is
// empty, reads give their defaults and writes fail.
void SetProfileFile(const std::string& path);
const std::string& ProfileFile();

// Reads a decimal integer; a missing file, section or key gives def, text that is no number 0.
int ProfileReadInt(const char* section, const char* key, int def);
// Reads a string through a 4096-byte buffer, so at most 4095 bytes come back.
std::string ProfileReadString(const char* section, const char* key, const char* def);
// Write the value ("%d" for integers); false when the file cannot be written.
bool ProfileWriteInt(const char* section, const char* key, int value);
bool ProfileWriteString(const char* section, const char* key, const char* value);
