// PC preset files: mode files (.Nddt, modules 0 to 26) and hint-EQ files (.EQdt, modules 22 to
// 24), stored as scrambled text with header, line-count and checksum lines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ParameterStore.h"

namespace mz3 {

enum ModeFileKind : int { KindModeFile = 0, KindHintFile = 1 };

inline constexpr uint8_t ModelCode = 0xC0;
inline constexpr uint8_t FormatVersion = 1;
inline constexpr uint8_t NddtHeaderMask = 0x3D;
inline constexpr uint8_t EqdtHeaderMask = 0x6A;
inline constexpr uint8_t LineKey[8] = {0x5E, 0x21, 0xC7, 0x0B, 0x98, 0x3A, 0xF4, 0x66};

const char* extensionOf(ModeFileKind kind);
uint8_t headerMaskOf(ModeFileKind kind);
// Modules written to a file of the kind, and modules taken from it on reading.
int firstModuleWritten(ModeFileKind kind);
int lastModuleWritten(ModeFileKind kind);
bool moduleTakenOnReading(ModeFileKind kind, int module);

// One line: low 8 bits of each character XOR the key, as two upper-case hex digits.
std::string scrambleLine(const std::string& plain);
// The reverse; nullopt when a pair of characters is not hexadecimal (a trailing odd character
// is ignored).
std::optional<std::string> unscrambleLine(const std::string& scrambled);

// ((S XOR 0xFFFF) + 1) mod 256 on a signed 32-bit sum, remainder signed like the dividend.
int modeFileChecksum(int32_t sum);

// The plain lines of a file of the kind for the given device table.
std::vector<std::string> plainModeFileLines(ModeFileKind kind, const ValueTable& values);

struct ModeFileValue {
    int module;
    int slot;
    int32_t value;
};

// The result of checking a file's lines. Nothing is stored by the check itself.
struct ModeFileCheck {
    enum class Verdict { Ok, FormatError, Corrupted, Malformed };
    Verdict verdict = Verdict::Malformed;
    std::string detail;                 // what exactly is wrong, in English
    std::vector<ModeFileValue> values;  // every data line, in file order
    int lineCount = 0;
    int checksum = 0;  // computed from the values
};
ModeFileCheck checkModeFileLines(ModeFileKind kind, const std::vector<std::string>& rawLines);

// Reads a file's raw lines (CR LF or LF); nullopt when it cannot be opened.
std::optional<std::vector<std::string>> readRawLines(const std::filesystem::path& file);
// Writes lines with CR LF through a temporary file and a rename, so that a failed write
// never leaves a half-written preset under the real name.
bool writeLinesAtomically(const std::filesystem::path& file, const std::vector<std::string>& lines);

// What the file operations ask of the panel.
class ModeFileHost {
public:
    virtual ~ModeFileHost() = default;
    virtual void ShowBilingualMessage(const std::string& chinese, const std::string& english) = 0;
    // Link action 6 (write everything) or 8 (write the hint modules).
    virtual void DisCheckWindow(int action) = 0;
};

class ModeFiles {
public:
    ModeFiles(ParameterStore& store, std::filesystem::path nddtDir, std::filesystem::path eqdtDir,
              ModeFileHost& host);

    std::filesystem::path pathOf(ModeFileKind kind, const std::string& name) const;
    // Writes DeviceValues to the kind's folder; false (with a message) when it could not be
    // written.
    bool WriteModeFile(ModeFileKind kind, const std::string& name);
    // Checks the whole file first and stores its values only when every check passed; then
    // asks the link to write them to the box. False on any failure (message shown).
    bool ReadModeFile(ModeFileKind kind, const std::string& name);
    std::vector<std::string> ListModeFiles(ModeFileKind kind) const;
    void DeleteModeFile(ModeFileKind kind, const std::string& name);

private:
    ParameterStore& m_store;
    std::filesystem::path m_nddtDir;
    std::filesystem::path m_eqdtDir;
    ModeFileHost& m_host;
};

// Display name of a listed file: a final "." and exactly four more characters are dropped.
std::string displayNameOf(const std::string& fileName);
// The list mask "*.Nddt*" / "*.EQdt*".
bool matchesListMask(ModeFileKind kind, const std::string& fileName);

}  // namespace mz3
