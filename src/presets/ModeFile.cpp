#include "ModeFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace mz3 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNotFoundZh = "文件不存在";
constexpr const char* kNotFoundEn = "File not find!";
constexpr const char* kFormatZh = "文件格式错误!";
constexpr const char* kFormatEn = "File format error!";
constexpr const char* kCorruptZh = "数据文件损坏!";
constexpr const char* kCorruptEn = "Data file is corrupted!";
constexpr const char* kMalformedZh = "数据文件内容无法识别，未载入任何数据!";
constexpr const char* kMalformedEn = "The file content cannot be read; nothing was loaded!";
constexpr const char* kWriteFailedZh = "文件保存失败!";
constexpr const char* kWriteFailedEn = "The file could not be saved!";

std::vector<std::string> splitBlanks(const std::string& line) {
    std::vector<std::string> fields;
    std::string current;
    for (char ch : line) {
        if (ch == ' ') {
            fields.push_back(current);
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    fields.push_back(current);
    return fields;
}

// A whole decimal integer that fits 32 bits.
std::optional<int32_t> parseInt(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < INT32_MIN || v > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(v);
}

std::optional<int32_t> field(const std::vector<std::string>& plain, size_t line, size_t index) {
    if (line >= plain.size()) {
        return std::nullopt;
    }
    const auto fields = splitBlanks(plain[line]);
    return index < fields.size() ? parseInt(fields[index]) : std::nullopt;
}

}  // namespace

const char* extensionOf(ModeFileKind kind) {
    return kind == KindModeFile ? ".Nddt" : ".EQdt";
}

uint8_t headerMaskOf(ModeFileKind kind) {
    return kind == KindModeFile ? NddtHeaderMask : EqdtHeaderMask;
}

int firstModuleWritten(ModeFileKind kind) {
    return kind == KindModeFile ? 0 : 22;
}
int lastModuleWritten(ModeFileKind kind) {
    return kind == KindModeFile ? 26 : 24;
}

bool moduleTakenOnReading(ModeFileKind kind, int module) {
    return kind == KindModeFile ? (module >= 0 && module <= 21) : (module >= 22 && module <= 24);
}

std::string scrambleLine(const std::string& plain) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(plain.size() * 2);
    for (size_t i = 0; i < plain.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(plain[i]) ^ LineKey[i % 8];
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0x0F]);
    }
    return out;
}

std::optional<std::string> unscrambleLine(const std::string& scrambled) {
    auto nibble = [](char ch) -> int {
        if (ch >= '0' && ch <= '9')
            return ch - '0';
        if (ch >= 'A' && ch <= 'F')
            return ch - 'A' + 10;
        if (ch >= 'a' && ch <= 'f')
            return ch - 'a' + 10;
        return -1;
    };
    std::string out;
    out.reserve(scrambled.size() / 2);
    for (size_t k = 0; k + 1 < scrambled.size(); k += 2) {
        const int hi = nibble(scrambled[k]);
        const int lo = nibble(scrambled[k + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>((hi << 4 | lo) ^ LineKey[(k / 2) % 8]));
    }
    return out;
}

int modeFileChecksum(int32_t sum) {
    const auto x = static_cast<int32_t>((static_cast<uint32_t>(sum) ^ 0xFFFFu) + 1u);
    return x % 256;
}

std::vector<std::string> plainModeFileLines(ModeFileKind kind, const ValueTable& values) {
    const int mask = headerMaskOf(kind);
    std::vector<std::string> lines;
    lines.push_back((kind == KindModeFile ? "T4 " : "T4EQ ") + std::to_string(ModelCode ^ mask));
    lines.push_back("Zelak " + std::to_string(FormatVersion ^ mask));
    int n = 1;
    uint32_t sum = 0;
    for (int m = firstModuleWritten(kind); m <= lastModuleWritten(kind); ++m) {
        for (int s = 0; s <= SlotCount[size_t(m)]; ++s) {
            ++n;
            const int32_t v = values[size_t(m)][size_t(s)];
            lines.push_back(std::to_string((m * 256 + s) ^ n) + " " + std::to_string(v ^ n));
            sum += static_cast<uint32_t>(v);
        }
    }
    ++n;
    lines.push_back("Intoal: " + std::to_string(n));
    lines.push_back("CCCCK: " + std::to_string(modeFileChecksum(static_cast<int32_t>(sum))));
    return lines;
}

ModeFileCheck checkModeFileLines(ModeFileKind kind, const std::vector<std::string>& rawLines) {
    ModeFileCheck check;
    std::vector<std::string> plain;
    plain.reserve(rawLines.size());
    for (size_t i = 0; i < rawLines.size(); ++i) {
        auto line = unscrambleLine(rawLines[i]);
        if (!line) {
            check.detail = "line " + std::to_string(i) + " is not hexadecimal text";
            return check;
        }
        plain.push_back(std::move(*line));
    }
    check.lineCount = int(plain.size());
    if (plain.size() < 4) {
        check.detail = "the file has " + std::to_string(plain.size()) + " lines, fewer than 4";
        return check;
    }
    const int mask = headerMaskOf(kind);
    const auto model = field(plain, 0, 1);
    const auto version = field(plain, 1, 1);
    if (!model || !version || (*model ^ mask) != ModelCode || (*version ^ mask) != FormatVersion) {
        check.verdict = ModeFileCheck::Verdict::FormatError;
        check.detail = "the header is not that of a " + std::string(extensionOf(kind)) + " file";
        return check;
    }
    const int last = check.lineCount - 1;
    const auto count = field(plain, size_t(last - 1), 1);
    if (!count) {
        check.detail = "the line-count line has no number";
        return check;
    }
    if (*count != last - 1) {
        check.verdict = ModeFileCheck::Verdict::Corrupted;
        check.detail = "the line count says " + std::to_string(*count) + ", the file has " +
                       std::to_string(last - 1);
        return check;
    }
    uint32_t sum = 0;
    for (int d = 2; d <= last - 2; ++d) {
        const auto fields = splitBlanks(plain[size_t(d)]);
        const auto a = fields.size() >= 2 ? parseInt(fields[0]) : std::nullopt;
        const auto v = fields.size() >= 2 ? parseInt(fields[1]) : std::nullopt;
        if (!a || !v) {
            check.detail = "data line " + std::to_string(d) + " does not hold two numbers";
            return check;
        }
        const int32_t address = *a ^ d;
        const int32_t value = *v ^ d;
        sum += static_cast<uint32_t>(value);
        check.values.push_back(
            {address < 0 ? -1 : address / 256, address < 0 ? -1 : address % 256, value});
    }
    check.checksum = modeFileChecksum(static_cast<int32_t>(sum));
    const auto stored = field(plain, size_t(last), 1);
    if (!stored) {
        check.detail = "the checksum line has no number";
        check.values.clear();
        return check;
    }
    if (*stored != check.checksum) {
        check.verdict = ModeFileCheck::Verdict::Corrupted;
        check.detail = "the checksum is " + std::to_string(*stored) + ", the values give " +
                       std::to_string(check.checksum);
        return check;
    }
    check.verdict = ModeFileCheck::Verdict::Ok;
    return check;
}

std::optional<std::vector<std::string>> readRawLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool writeLinesAtomically(const fs::path& file, const std::vector<std::string>& lines) {
    // The temporary name starts with a dot, so no list mask ever shows it.
    std::random_device rd;
    const fs::path temp =
        file.parent_path() / (".mz3-" + std::to_string(rd()) + "-" + std::to_string(::getpid()));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        for (const std::string& l : lines) {
            out << l << "\r\n";
        }
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

std::string displayNameOf(const std::string& fileName) {
    if (fileName.size() >= 5 && fileName[fileName.size() - 5] == '.') {
        return fileName.substr(0, fileName.size() - 5);
    }
    return fileName;
}

bool matchesListMask(ModeFileKind kind, const std::string& fileName) {
    return fileName.find(extensionOf(kind)) != std::string::npos;
}

ModeFiles::ModeFiles(ParameterStore& store, fs::path nddtDir, fs::path eqdtDir, ModeFileHost& host)
    : m_store(store), m_nddtDir(std::move(nddtDir)), m_eqdtDir(std::move(eqdtDir)), m_host(host) {}

fs::path ModeFiles::pathOf(ModeFileKind kind, const std::string& name) const {
    return (kind == KindModeFile ? m_nddtDir : m_eqdtDir) / (name + extensionOf(kind));
}

bool ModeFiles::WriteModeFile(ModeFileKind kind, const std::string& name) {
    std::vector<std::string> lines = plainModeFileLines(kind, m_store.DeviceValues());
    for (std::string& l : lines) {
        l = scrambleLine(l);
    }
    if (!writeLinesAtomically(pathOf(kind, name), lines)) {
        m_host.ShowBilingualMessage(kWriteFailedZh, kWriteFailedEn);
        return false;
    }
    return true;
}

bool ModeFiles::ReadModeFile(ModeFileKind kind, const std::string& name) {
    const auto raw = readRawLines(pathOf(kind, name));
    if (!raw) {
        m_host.ShowBilingualMessage(kNotFoundZh, kNotFoundEn);
        return false;
    }
    const ModeFileCheck check = checkModeFileLines(kind, *raw);
    switch (check.verdict) {
        case ModeFileCheck::Verdict::Ok:
            break;
        case ModeFileCheck::Verdict::FormatError:
            m_host.ShowBilingualMessage(kFormatZh, kFormatEn);
            return false;
        case ModeFileCheck::Verdict::Corrupted:
            m_host.ShowBilingualMessage(kCorruptZh, kCorruptEn);
            return false;
        case ModeFileCheck::Verdict::Malformed:
            m_host.ShowBilingualMessage(kMalformedZh, kMalformedEn);
            return false;
    }
    // Every check passed: only now do the values replace the panel's image.
    for (const ModeFileValue& v : check.values) {
        if (moduleTakenOnReading(kind, v.module) && v.slot >= 0 && v.slot < kSlotCapacity) {
            m_store.setDeviceValue(v.module, v.slot, v.value);
        }
    }
    m_host.DisCheckWindow(kind == KindModeFile ? 6 : 8);
    return true;
}

std::vector<std::string> ModeFiles::ListModeFiles(ModeFileKind kind) const {
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path& dir = kind == KindModeFile ? m_nddtDir : m_eqdtDir;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string fileName = it->path().filename().string();
        if (it->is_regular_file(ec) && matchesListMask(kind, fileName)) {
            names.push_back(fileName);
        }
    }
    std::sort(names.begin(), names.end());
    for (std::string& n : names) {
        n = displayNameOf(n);
    }
    return names;
}

void ModeFiles::DeleteModeFile(ModeFileKind kind, const std::string& name) {
    if (name.empty()) {
        return;
    }
    const std::string path = pathOf(kind, name).string();
    m_host.ShowBilingualMessage(path, path);
    std::error_code ec;
    fs::remove(path, ec);
}

}  // namespace mz3
