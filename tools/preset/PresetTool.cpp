#include "PresetTool.h"

#include <fstream>
#include <map>
#include <sstream>

#include "FilterResponse.h"

namespace mz3::preset {

namespace {

const char* kHelp =
    "Usage: mz3-preset COMMAND ...\n"
    "Inspect, check, build and compare MZ3 preset files: mode files (.Nddt, modules 0-26)\n"
    "and hint-EQ files (.EQdt, modules 22-24).\n\n"
    "Commands:\n"
    "  show FILE                   the kind, the result of every check, and every value as\n"
    "                              'module slot value' (with the slot's meaning where known)\n"
    "  check FILE                  the panel's verdict and message; exit status 0 when the\n"
    "                              panel would load the file, 1 when it would refuse it\n"
    "  pack --kind nddt|eqdt TEXT OUT\n"
    "                              build a file from 'module slot value' lines ('#' starts a\n"
    "                              comment); slots not given are 0\n"
    "  diff A B                    the values that differ; exit status 1 when any do\n"
    "  --help                      this text\n\n"
    "The kind of FILE comes from its extension (.Nddt or .EQdt); any other name is tried as\n"
    "both kinds.\n";

const char* moduleName(int m) {
    static const char* names[] = {"Music",
                                  "Music right EQ",
                                  "DEQ",
                                  "Mic A",
                                  "Mic B",
                                  "Echo",
                                  "Echo B",
                                  "Reverb",
                                  "Main L sing",
                                  "Main L dance",
                                  "Main R sing",
                                  "Main R dance",
                                  "Surround L sing",
                                  "Surround L dance",
                                  "Surround R sing",
                                  "Surround R dance",
                                  "Center sing",
                                  "Center dance",
                                  "SUB sing",
                                  "SUB dance",
                                  "REC",
                                  "Auxiliary",
                                  "Hint Music",
                                  "Hint Mic 1",
                                  "Hint Mic 2",
                                  "System Volume",
                                  "Command",
                                  "",
                                  "",
                                  "",
                                  "System"};
    return m >= 0 && m < 31 ? names[m] : "";
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const char* verdictMessage(ModeFileCheck::Verdict v) {
    switch (v) {
        case ModeFileCheck::Verdict::Ok:
            return "ok";
        case ModeFileCheck::Verdict::FormatError:
            return "文件格式错误! / File format error!";
        case ModeFileCheck::Verdict::Corrupted:
            return "数据文件损坏! / Data file is corrupted!";
        case ModeFileCheck::Verdict::Malformed:
            return "数据文件内容无法识别，未载入任何数据! / The file content cannot be read; "
                   "nothing was loaded!";
    }
    return "";
}

struct Loaded {
    bool opened = false;
    ModeFileKind kind = KindModeFile;
    std::vector<std::string> raw;
    ModeFileCheck check;
};

// Opens a file and checks it as the kind its name gives, or as both kinds.
Loaded load(const std::string& path) {
    Loaded l;
    auto raw = readRawLines(path);
    if (!raw) {
        return l;
    }
    l.opened = true;
    l.raw = std::move(*raw);
    std::vector<ModeFileKind> kinds;
    if (endsWith(path, ".Nddt")) {
        kinds = {KindModeFile};
    } else if (endsWith(path, ".EQdt")) {
        kinds = {KindHintFile};
    } else {
        kinds = {KindModeFile, KindHintFile};
    }
    for (ModeFileKind k : kinds) {
        l.kind = k;
        l.check = checkModeFileLines(k, l.raw);
        if (l.check.verdict != ModeFileCheck::Verdict::FormatError) {
            break;
        }
    }
    return l;
}

int commandShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: mz3-preset show FILE\n";
        return 2;
    }
    Loaded l = load(args[1]);
    if (!l.opened) {
        err << "文件不存在 / File not find!: " << args[1] << "\n";
        return 1;
    }
    out << "file: " << args[1] << "\n";
    return showLines(l.kind, l.raw, out) ? 0 : 1;
}

int commandCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: mz3-preset check FILE\n";
        return 2;
    }
    Loaded l = load(args[1]);
    if (!l.opened) {
        out << "refused: 文件不存在 / File not find!\n";
        return 1;
    }
    if (l.check.verdict == ModeFileCheck::Verdict::Ok) {
        out << "ok: " << extensionOf(l.kind) << " file, " << l.check.values.size()
            << " values, checksum " << l.check.checksum << "\n";
        return 0;
    }
    out << "refused: " << verdictMessage(l.check.verdict) << "\n  (" << l.check.detail << ")\n";
    return 1;
}

int commandPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 5 || args[1] != "--kind" || (args[2] != "nddt" && args[2] != "eqdt")) {
        err << "usage: mz3-preset pack --kind nddt|eqdt TEXT OUT\n";
        return 2;
    }
    const ModeFileKind kind = args[2] == "nddt" ? KindModeFile : KindHintFile;
    std::ifstream in(args[3]);
    if (!in) {
        err << "cannot open " << args[3] << "\n";
        return 2;
    }
    ValueTable values{};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const auto hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream fields(line);
        long m = 0;
        long s = 0;
        long v = 0;
        std::string rest;
        if (!(fields >> m)) {
            continue;  // blank or comment
        }
        if (!(fields >> s >> v) || (fields >> rest)) {
            err << args[3] << ":" << number << ": expected 'module slot value'\n";
            return 2;
        }
        if (m < firstModuleWritten(kind) || m > lastModuleWritten(kind) || s < 0 ||
            s > SlotCount[size_t(m)] || v < INT32_MIN || v > INT32_MAX) {
            err << args[3] << ":" << number << ": module " << m << " slot " << s
                << " is not part of a " << extensionOf(kind) << " file\n";
            return 2;
        }
        values[size_t(m)][size_t(s)] = static_cast<int32_t>(v);
    }
    std::vector<std::string> lines = plainModeFileLines(kind, values);
    for (std::string& l : lines) {
        l = scrambleLine(l);
    }
    if (!writeLinesAtomically(args[4], lines)) {
        err << "cannot write " << args[4] << "\n";
        return 2;
    }
    out << "wrote " << args[4] << " (" << lines.size() << " lines)\n";
    return 0;
}

int commandDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        err << "usage: mz3-preset diff A B\n";
        return 2;
    }
    std::map<std::pair<int, int>, int32_t> values[2];
    for (int i = 0; i < 2; ++i) {
        Loaded l = load(args[size_t(1 + i)]);
        if (!l.opened || l.check.verdict != ModeFileCheck::Verdict::Ok) {
            err << args[size_t(1 + i)] << ": "
                << (l.opened ? verdictMessage(l.check.verdict) : "File not find!") << "\n";
            return 2;
        }
        for (const ModeFileValue& v : l.check.values) {
            values[i][{v.module, v.slot}] = v.value;
        }
    }
    int differences = 0;
    std::map<std::pair<int, int>, bool> keys;
    for (const auto& side : values) {
        for (const auto& [k, v] : side) {
            keys[k] = true;
        }
    }
    for (const auto& [k, unused] : keys) {
        const auto a = values[0].find(k);
        const auto b = values[1].find(k);
        const std::string av = a == values[0].end() ? "-" : std::to_string(a->second);
        const std::string bv = b == values[1].end() ? "-" : std::to_string(b->second);
        if (av != bv) {
            ++differences;
            out << k.first << " " << k.second << ": " << av << " -> " << bv;
            const std::string meaning = describeSlot(k.first, k.second);
            out << (meaning.empty() ? "" : "   # " + meaning) << "\n";
        }
    }
    out << differences << (differences == 1 ? " value differs\n" : " values differ\n");
    return differences == 0 ? 0 : 1;
}

}  // namespace

std::string describeSlot(int module, int slot) {
    std::string base = moduleName(module);
    if (base.empty()) {
        return "";
    }
    // EQ bands and crossovers, from the EQ layouts (output modules share module 8's).
    const int layoutModule = module >= 8 && module <= 19 ? 8 : module;
    if (const EqModuleLayout* l = eqLayoutFor(layoutModule)) {
        const int rel = slot - l->firstSlot;
        if (rel >= 0 && rel < l->points * l->stride && rel % l->stride < 5) {
            static const char* fields[] = {"type", "frequency", "gain", "Q", "shelf slope"};
            return base + " EQ band " + std::to_string(rel / l->stride + 1) + " " +
                   fields[rel % l->stride];
        }
        if (l->hpTypeSlot >= 0) {
            if (slot == l->hpTypeSlot)
                return base + " high-pass type";
            if (slot == l->hpTypeSlot + 1)
                return base + " high-pass frequency";
            if (slot == l->lpTypeSlot)
                return base + " low-pass type";
            if (slot == l->lpTypeSlot + 1)
                return base + " low-pass frequency";
        }
    }
    static const std::map<std::pair<int, int>, const char*> known = {
        {{0, 0}, "input gain"},   {{0, 2}, "pitch switch"},     {{0, 3}, "pitch"},
        {{0, 85}, "music mode"},  {{0, 86}, "sing/dance bank"}, {{0, 88}, "input source"},
        {{30, 2}, "device mode"}, {{30, 4}, "panel lock"}};
    if (auto it = known.find({module, slot}); it != known.end()) {
        return base + " " + it->second;
    }
    if (module == 25 && slot >= 0 && slot < 11) {
        return base + " slot " + std::to_string(slot);
    }
    return "";
}

bool showLines(ModeFileKind kind, const std::vector<std::string>& rawLines, std::ostream& out) {
    const ModeFileCheck check = checkModeFileLines(kind, rawLines);
    out << "kind: " << (kind == KindModeFile ? "mode file (.Nddt)" : "hint-EQ file (.EQdt)")
        << "\nlines: " << rawLines.size() << "\nverdict: " << verdictMessage(check.verdict);
    if (!check.detail.empty()) {
        out << " (" << check.detail << ")";
    }
    out << "\n";
    if (check.verdict == ModeFileCheck::Verdict::Ok ||
        check.verdict == ModeFileCheck::Verdict::Corrupted) {
        out << "checksum of the values: " << check.checksum << "\n";
        for (const ModeFileValue& v : check.values) {
            out << v.module << " " << v.slot << " " << v.value;
            const std::string meaning = describeSlot(v.module, v.slot);
            out << (meaning.empty() ? "" : "   # " + meaning) << "\n";
        }
    }
    return check.verdict == ModeFileCheck::Verdict::Ok;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kHelp;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "show")
        return commandShow(args, out, err);
    if (args[0] == "check")
        return commandCheck(args, out, err);
    if (args[0] == "pack")
        return commandPack(args, out, err);
    if (args[0] == "diff")
        return commandDiff(args, out, err);
    err << "mz3-preset: unknown command '" << args[0] << "' (try --help)\n";
    return 2;
}

}  // namespace mz3::preset
