#include "ParameterMap.h"

#include "ParamTypes.h"
#include "ValueScales.h"

namespace mz3 {

namespace {

std::vector<std::string> crossoverItems() {
    return {CrossoverTypeItems.begin(), CrossoverTypeItems.end()};
}

class MapBuilder {
public:
    std::vector<SlotBinding> out;

    // A slider with its value pane beside it.
    void slider(int m, int s, const std::string& name, int max, const std::string& pane, int kind,
                const char* page, const char* section, const char* zh, const char* en) {
        SlotBinding b = base(m, s, page, section, zh, en);
        b.primary = {name, ControlKind::Slider, max, -1, {}, "", ""};
        b.hasDisplay = true;
        b.display = {pane, ControlKind::Pane, 0, kind, {}, "", ""};
        out.push_back(b);
    }
    void combo(int m, int s, const std::string& name, std::vector<std::string> items, int kind,
               const char* page, const char* section, const char* zh, const char* en) {
        SlotBinding b = base(m, s, page, section, zh, en);
        b.primary = {name, ControlKind::Combo, 0, kind, std::move(items), "", ""};
        out.push_back(b);
    }
    void toggle(int m, int s, const std::string& name, const char* page, const char* section,
                const char* zh, const char* en) {
        SlotBinding b = base(m, s, page, section, zh, en);
        b.primary = {name, ControlKind::Toggle, 0, -1, {}, zh, en};
        out.push_back(b);
    }
    void edit(int m, int s, const std::string& name, int kind, const char* page,
              const char* section, const char* zh, const char* en) {
        SlotBinding b = base(m, s, page, section, zh, en);
        b.primary = {name, ControlKind::Edit, 0, kind, {}, "", ""};
        b.hasDisplay = true;
        b.display = b.primary;
        out.push_back(b);
    }

    // The five fields of every band of a module's EQ.
    void eq(int m, const char* page, int bands, int firstSlot, bool qSpinOnShelf) {
        for (int n = 1; n <= bands; ++n) {
            const EqBandNames names = eqBandNames(m, n);
            const int slot0 = m == 2 ? 10 * (n - 1) + 2 : firstSlot + 5 * (n - 1);
            SlotBinding type = base(m, slot0, page, "eq", "类型", "Type");
            type.primary = {names.modeBox,
                            ControlKind::Combo,
                            0,
                            1,
                            {EqTypeItems.begin(), EqTypeItems.end()},
                            "",
                            ""};
            static const char* captions[4] = {"BP", "P", "LS", "HS"};
            for (int k = 0; k < 4; ++k) {
                type.band[size_t(k)] = {names.typeLabels[size_t(k)],
                                        ControlKind::TypeLabel,
                                        0,
                                        k,
                                        {},
                                        captions[k],
                                        captions[k]};
            }
            type.bandCount = 4;
            out.push_back(type);

            SlotBinding freq = base(m, slot0 + 1, page, "eq", "频率", "Freq");
            freq.primary = {names.freqEdit, ControlKind::Edit, 0, 2, {}, "", ""};
            freq.hasDisplay = true;
            freq.display = freq.primary;
            if (!names.freqSpin.empty()) {
                freq.band[0] = {names.freqSpin, ControlKind::SpinButtons, 0, -1, {}, "", ""};
                freq.bandCount = 1;
            }
            out.push_back(freq);

            SlotBinding gain = base(m, slot0 + 2, page, "eq", "增益", "Gain");
            gain.primary = {names.gainEdit, ControlKind::Edit, 0, 3, {}, "", ""};
            gain.hasDisplay = true;
            gain.display = gain.primary;
            gain.band[0] = {names.gainBar, ControlKind::Slider, 180, -1, {}, "", ""};
            gain.bandCount = 1;
            if (m == ModAuxiliary) {
                // The limit sub-page's copy is the value display.
                gain.display = {auxLimitGainEdit(n), ControlKind::Edit, 0, 3, {}, "", ""};
            }
            out.push_back(gain);

            for (int field = 3; field <= 4; ++field) {
                SlotBinding q = base(m, slot0 + field, page, "eq", "Q", "Q");
                q.primary = {names.qEdit, ControlKind::Edit, 0, 4, {}, "", ""};
                q.hasDisplay = true;
                q.display = q.primary;
                if ((field == 4) == qSpinOnShelf && !names.qSpin.empty()) {
                    q.band[0] = {names.qSpin, ControlKind::SpinButtons, 0, -1, {}, "", ""};
                    q.bandCount = 1;
                }
                out.push_back(q);
            }
        }
    }

    static std::string auxLimitGainEdit(int n) {
        return (n <= 3 ? "AUXMUS2GainEdit" : "AUXMIC2GainEdit") +
               std::to_string(n <= 3 ? n : n - 3);
    }

private:
    static SlotBinding base(int m, int s, const char* page, const char* section, const char* zh,
                            const char* en) {
        SlotBinding b;
        b.module = m;
        b.slot = s;
        b.page = page;
        b.section = section;
        b.label = zh;
        b.labelOther = en;
        return b;
    }
};

std::vector<SlotBinding> build() {
    MapBuilder b;
    const std::vector<std::string> offOn = {"OFF", "ON"};

    // Music (module 0).
    b.slider(0, 0, "MusGain1Bar", 40, "MusGain1Edit", 22, PageMusic, "input", "输入增益",
             "Input Gain");
    b.combo(0, 88, "SysInputBox", {"自动", "VOD", "BGM", "光纤", "蓝牙", "USB"}, -1, PageMusic,
            "input", "输入源", "Input Source");
    b.toggle(0, 2, "MusPitchSW", PageMusic, "pitch", "变调", "Pitch");
    b.slider(0, 3, "MusPitchBar", 14, "MusPitchPane", 21, PageMusic, "pitch", "音调", "Key");
    b.combo(0, 4, "MusHPTypeBox", crossoverItems(), 20, PageMusic, "filter", "高通类型",
            "HPF Type");
    b.slider(0, 5, "MusHPFREBar", 360, "MusHPFREPane", 6, PageMusic, "filter", "高通", "HPF");
    b.combo(0, 6, "MusLPTypeBox", crossoverItems(), 21, PageMusic, "filter", "低通类型",
            "LPF Type");
    b.slider(0, 7, "MusLPFREBar", 360, "MusLPFREPane", 6, PageMusic, "filter", "低通", "LPF");
    b.toggle(0, 9, "MusEQAllpassBtn", "eq-bypass", "bypass", "EQ 直通", "EQ Bypass");
    b.combo(0, 89, "MainLRLinkBox", offOn, -1, PageMain, "link", "左右联调", "L/R Link");
    b.combo(0, 91, "MusHP2TypeBox", crossoverItems(), 20, PageAuxEq, "filter", "高通类型",
            "HPF Type");
    b.slider(0, 92, "MusHP2FREBar", 361, "MusHP2FREPane", 6, PageAuxEq, "filter", "高通", "HPF");
    b.eq(0, PageMusic, 15, 10, false);

    // DEQ (module 2): three bands of ten slots.
    for (int n = 1; n <= 3; ++n) {
        const int base = 10 * (n - 1);
        const std::string k = std::to_string(n);
        SlotBinding type;
        type.module = 2;
        type.slot = base + 1;
        type.page = PageDeq;
        type.section = "band" + k;
        type.label = "触发";
        type.labelOther = "Trigger";
        type.primary = {
            "DEQTypeBox" + k, ControlKind::Combo, 0, -1, {"Off", "Below", "Above"}, "", ""};
        type.band[0] = {"DEQTYpeOffBtn" + k, ControlKind::Toggle, 0, -1, {}, "关闭", "Off"};
        type.band[1] = {"DEQTYpeBelowBtn" + k, ControlKind::Toggle, 0, -1, {}, "低启动", "Below"};
        type.band[2] = {"DEQTYpeAboveBtn" + k, ControlKind::Toggle, 0, -1, {}, "高启动", "Above"};
        type.bandCount = 3;
        b.out.push_back(type);
        const std::string section = "band" + k;
        b.slider(2, base + 7, "DEQRmsLevelBar" + k, 60, "DEQRmsLevelPane" + k, 20, PageDeq, "dyn",
                 "门限", "Threshold");
        b.slider(2, base + 8, "DEQRmsAttackBar" + k, 19, "DEQRmsAttackPane" + k, 17, PageDeq, "dyn",
                 "启动", "Attack");
        b.slider(2, base + 9, "DEQRmsReleaseBar" + k, 7, "DEQRmsReleasePane" + k, 16, PageDeq,
                 "dyn", "释放", "Release");
        b.slider(2, base + 10, "DEQRmsRatioBar" + k, 40, "DEQRmsRatioPane" + k, 15, PageDeq, "dyn",
                 "压缩比", "Ratio");
        for (size_t i = b.out.size() - 4; i < b.out.size(); ++i) {
            b.out[i].section = section;
        }
    }
    b.eq(2, PageDeq, 3, 2, false);

    // Microphones (panel row 3).
    b.slider(3, 0, "MicInputGainBar", 40, "MicInputGainPane", 22, PageMic, "input", "输入增益",
             "Input Gain");
    b.slider(3, 1, "MicFBEBar", 4, "MicFBEPane", 23, PageMic, "input", "反馈抑制", "Anti-Feedback");
    b.slider(3, 2, "MicNoiseLevelBar", 60, "MicNoiseLevelPane", 24, PageMic, "input", "噪声门",
             "Noise Gate");
    b.slider(3, 5, "MicRmsLevelBar", 34, "MicRmsLevelPane", 25, PageMic, "limiter", "限幅电平",
             "Limit Level");
    b.slider(3, 6, "MicRmsAttackBar", 19, "MicRmsAttackPane", 17, PageMic, "limiter", "启动",
             "Attack");
    b.slider(3, 7, "MicRmsReleaseBar", 7, "MicRmsReleasePane", 16, PageMic, "limiter", "释放",
             "Release");
    b.slider(3, 8, "MicRmsRatioBar", 40, "MicRmsRatioPane", 15, PageMic, "limiter", "压缩比",
             "Ratio");
    b.combo(3, 9, "MicHPTypeBox", crossoverItems(), 20, PageMic, "filter", "高通类型", "HPF Type");
    b.slider(3, 10, "MicHPFreBar", 360, "MicHPFrePane", 6, PageMic, "filter", "高通", "HPF");
    b.combo(3, 11, "MicLPTypeBox", crossoverItems(), 21, PageMic, "filter", "低通类型", "LPF Type");
    b.slider(3, 12, "MicLPFreBar", 360, "MicLPFrePane", 6, PageMic, "filter", "低通", "LPF");
    b.combo(3, 13, "MicLinkBox", offOn, -1, PageMic, "link", "话筒联调", "Mic Link");
    b.eq(3, PageMic, 20, 15, false);

    // Echo (panel row 5).
    b.slider(5, 0, "EchoEffLevelBar", 200, "EchoEffLevelPane", 9, PageEcho, "levels", "效果音量",
             "Effect Level");
    b.toggle(5, 1, "EchoEffPhaseBtn", PageEcho, "levels", "效果反相", "Effect Phase");
    b.slider(5, 2, "EchoDirectLevelBar", 200, "EchoDirectLevelPane", 9, PageEcho, "levels",
             "直达音量", "Direct Level");
    b.toggle(5, 3, "EchoDirectPhaseBtn", PageEcho, "levels", "直达反相", "Direct Phase");
    b.slider(5, 4, "EchoPreDelayBar", 250, "EchoPreDelayPane", 26, PageEcho, "time", "预延时",
             "Pre-Delay");
    b.slider(5, 5, "EchoTimeBar", 250, "EchoTimePane", 11, PageEcho, "time", "延时", "Delay");
    b.slider(5, 6, "EchoRepeatBar", 90, "EchoRepeatPane", 8, PageEcho, "time", "重复", "Repeat");
    b.slider(5, 7, "EchoRPreDelayBar", 50, "EchoRPreDelayPane", 8, PageEcho, "time", "右预延时",
             "R Pre-Delay");
    b.slider(5, 8, "EchoRTimeBar", 100, "EchoRTimePane", 10, PageEcho, "time", "右延时", "R Delay");
    b.combo(5, 9, "EchoHPTypeBox", crossoverItems(), 20, PageEcho, "filter", "高通类型",
            "HPF Type");
    b.slider(5, 10, "EchoHPFreBar", 360, "EchoHPFrePane", 6, PageEcho, "filter", "高通", "HPF");
    b.combo(5, 11, "EchoLPTypeBox", crossoverItems(), 21, PageEcho, "filter", "低通类型",
            "LPF Type");
    b.slider(5, 12, "EchoLPFreBar", 360, "EchoLPFrePane", 6, PageEcho, "filter", "低通", "LPF");
    b.eq(5, PageEcho, 7, 14, false);

    // Reverb (module 7).
    b.slider(7, 0, "RvbEffLevelBar", 200, "RvbEffLevelPane", 9, PageReverb, "levels", "效果音量",
             "Effect Level");
    b.toggle(7, 1, "RvbEffPhaseBtn", PageReverb, "levels", "效果反相", "Effect Phase");
    b.slider(7, 2, "RvbDirectLevelBar", 200, "RvbDirectLevelPane", 9, PageReverb, "levels",
             "直达音量", "Direct Level");
    b.toggle(7, 3, "RvbDirectPhaseBtn", PageReverb, "levels", "直达反相", "Direct Phase");
    b.slider(7, 4, "RvbPreDelayBar", 100, "RvbPreDelayPane", 11, PageReverb, "time", "预延时",
             "Pre-Delay");
    b.slider(7, 5, "RvbTimeBar", 80, "RvbTimePane", 12, PageReverb, "time", "混响时间", "Time");
    b.combo(7, 6, "RvbHPTypeBox", crossoverItems(), 20, PageReverb, "filter", "高通类型",
            "HPF Type");
    b.slider(7, 7, "RvbHPFreBar", 360, "RvbHPFrePane", 6, PageReverb, "filter", "高通", "HPF");
    b.combo(7, 8, "RvbLPTypeBox", crossoverItems(), 21, PageReverb, "filter", "低通类型",
            "LPF Type");
    b.slider(7, 9, "RvbLPFreBar", 360, "RvbLPFrePane", 6, PageReverb, "filter", "低通", "LPF");
    b.eq(7, PageReverb, 7, 11, false);

    // Output channels (panel row 8; right delay and level in rows 10 and 14).
    const struct {
        int slot;
        const char* bar;
        const char* pane;
        const char* btn;
        const char* zh;
        const char* en;
    } mix[] = {{0, "MainMusLevelBar", "MainMusLevelPane", "MainMusPhaseBtn", "音乐", "Music"},
               {2, "MainMicLevelBar", "MainMicLevelPane", "MainMicPhaseBtn", "话筒", "Mic"},
               {4, "MainEchoALevelBar", "MainEchoALevelPane", "MainEchoAPhaseBtn", "回声", "Echo"},
               {8, "MainRvbLevelBar", "MainRvbLevelPane", "MainRvbPhaseBtn", "混响", "Reverb"}};
    for (const auto& x : mix) {
        b.slider(8, x.slot, x.bar, 200, x.pane, 8, PageMain, "mix", x.zh, x.en);
        b.toggle(8, x.slot + 1, x.btn, PageMain, "mix", "反相", "Phase");
    }
    b.slider(8, 10, "MainLdelayBar", 500, "MainLdelayPane", 18, PageMain, "output", "延时",
             "Delay");
    b.slider(8, 11, "MainLevelBar", 80, "MainLevelPane", 9, PageMain, "output", "输出音量",
             "Output Level");
    for (int row : {10, 14}) {
        b.slider(row, 10, "MainRdelayBar", 500, "MainRdelayPane", 18, PageMain, "right", "右延时",
                 "R Delay");
        b.slider(row, 11, "MainRLevelBar", 80, "MainRLevelPane", 9, PageMain, "right", "右音量",
                 "R Level");
    }
    b.slider(8, 12, "MainRmsLevelBar", 34, "MainRmsLevelPane", 14, PageMain, "limiter", "限幅电平",
             "Limit Level");
    b.slider(8, 13, "MainRmsAttackBar", 19, "MainRmsAttackPane", 17, PageMain, "limiter", "启动",
             "Attack");
    b.slider(8, 14, "MainRmsReleaseBar", 7, "MainRmsReleasePane", 16, PageMain, "limiter", "释放",
             "Release");
    b.slider(8, 15, "MainRmsRatioBar", 40, "MainRmsRatioPane", 15, PageMain, "limiter", "压缩比",
             "Ratio");
    b.combo(8, 16, "MainHPTypeBox", crossoverItems(), 20, PageMain, "filter", "高通类型",
            "HPF Type");
    b.slider(8, 17, "MainMusHPFreBar", 360, "MainMusHPFrePane", 6, PageMain, "filter", "高通",
             "HPF");
    b.combo(8, 18, "MainLPTypeBox", crossoverItems(), 21, PageMain, "filter", "低通类型",
            "LPF Type");
    b.slider(8, 19, "MainMusLPFreBar", 360, "MainMusLPFrePane", 6, PageMain, "filter", "低通",
             "LPF");
    b.eq(8, PageMain, 10, 21, false);

    // Hint EQ (panel row 22).
    b.eq(22, PageHint, 5, 1, true);

    // REC (module 20).
    const struct {
        int slot;
        const char* bar;
        const char* btn;
        const char* zh;
        const char* en;
    } rec[] = {{0, "RECMusLevelBar", "RECMusPhaseBtn", "音乐", "Music"},
               {2, "RECMicLevelBar", "RECMicPhaseBtn", "话筒", "Mic"},
               {4, "RECEchoALevelBar", "RECEchoAPhaseBtn", "回声", "Echo"},
               {8, "RECRvbLevelBar", "RECRvbPhaseBtn", "混响", "Reverb"}};
    for (const auto& x : rec) {
        std::string pane = x.bar;
        pane.replace(pane.size() - 3, 3, "Pane");
        b.slider(20, x.slot, x.bar, 200, pane, 9, PageRec, "mix", x.zh, x.en);
        b.toggle(20, x.slot + 1, x.btn, PageRec, "mix", "反相", "Phase");
    }
    b.toggle(20, 10, "RECLmuteBtn", PageRec, "mute", "左静音", "L Mute");
    b.toggle(20, 11, "RECRmuteBtn", PageRec, "mute", "右静音", "R Mute");
    b.combo(20, 12, "RECHPTypeBox", crossoverItems(), 20, PageRec, "filter", "高通类型",
            "HPF Type");
    b.slider(20, 13, "RECMusHPFreBar", 360, "RECMusHPFrePane", 6, PageRec, "filter", "高通", "HPF");
    b.combo(20, 14, "RECLPTypeBox", crossoverItems(), 21, PageRec, "filter", "低通类型",
            "LPF Type");
    b.slider(20, 15, "RECMusLPFreBar", 360, "RECMusLPFrePane", 6, PageRec, "filter", "低通", "LPF");
    b.eq(20, PageRec, 3, 17, false);

    // Auxiliary (module 21).
    b.combo(21, 0, "AUXGainBox", {"0.2", "0.4", "0.6", "0.8", "1.0"}, -1, PageAuxLimits, "step",
            "增益步长(dB)", "Gain Step (dB)");
    b.eq(21, PageAuxEq, 6, 1, true);
    const char* groups[2] = {"AUXMUS", "AUXMIC"};
    const char* parts[3] = {"Bass", "Mid", "High"};
    for (int g = 0; g < 2; ++g) {
        for (int p = 0; p < 3; ++p) {
            const int slot = 31 + 6 * g + 2 * p;
            const std::string stem = std::string(groups[g]) + parts[p];
            b.edit(21, slot, stem + "MaxAddEdit", 27, PageAuxLimits, g == 0 ? "music" : "mic",
                   "最大提升", "Max Lift");
            b.edit(21, slot + 1, stem + "MaxDecEdit", 28, PageAuxLimits, g == 0 ? "music" : "mic",
                   "最大衰减", "Max Cut");
        }
    }

    // System volumes (module 25): normal on the main window, maximum and start on the panel.
    const char* who[3] = {"Mic", "Mus", "Eff"};
    const char* whoZh[3] = {"话筒", "音乐", "效果"};
    const char* whoEn[3] = {"Mic", "Music", "Effect"};
    for (int i = 0; i < 3; ++i) {
        b.slider(25, i, std::string("Sys") + who[i] + "NormalVolBar", 80,
                 std::string("Sys") + who[i] + "NormalVolPane", 0, PageRunningVolumes, "volume",
                 whoZh[i], whoEn[i]);
        b.slider(25, 3 + i, std::string("Sys") + who[i] + "MaxVolBar", 80,
                 std::string("Sys") + who[i] + "MaxVolPane", 0, PageSystemPanel, "max", whoZh[i],
                 whoEn[i]);
        b.slider(25, 6 + i, std::string("Sys") + who[i] + "StartVolBar", 80,
                 std::string("Sys") + who[i] + "StartVolPane", 0, PageSystemPanel, "start",
                 whoZh[i], whoEn[i]);
    }

    // System (module 30).
    std::vector<std::string> modes;
    for (int i = 1; i <= 16; ++i) {
        modes.push_back(std::to_string(i) + "-");
    }
    b.combo(30, 2, "SysModeBox", modes, -1, PageSavePanel, "mode", "模式", "Mode");
    b.combo(30, 4, "SysLockBox", offOn, -1, PageSystemPanel, "lock", "面板锁", "Panel Lock");
    b.combo(30, 34, "SysMode2Box", modes, -1, PageHint, "hint-mode", "模式", "Mode");
    return b.out;
}

}  // namespace

EqBandNames eqBandNames(int module, int band) {
    EqBandNames n;
    const std::string k = std::to_string(band);
    std::string prefix;
    std::string spinPrefix;
    std::string labelPrefix;
    bool freqSpin = true;
    switch (module) {
        case 0:
            prefix = "Mus", spinPrefix = "Mus", labelPrefix = "MusEQPointLabel";
            break;
        case 2:
            prefix = "DEQ", spinPrefix = "", labelPrefix = "DEQPointLabel";
            freqSpin = false;
            break;
        case 3:
        case 4:
            prefix = "Mic", spinPrefix = "MIc", labelPrefix = "MicEQPointLabel";
            break;
        case 5:
        case 6:
            prefix = "Echo", spinPrefix = "Echo", labelPrefix = "EffEQPointLabel";
            break;
        case 7:
            prefix = "Rvb", spinPrefix = "Rvb", labelPrefix = "RvbEQPointLabel";
            break;
        case 20:
            prefix = "REC", spinPrefix = "REC", labelPrefix = "RECEQPointLabel";
            freqSpin = false;
            break;
        case 21:
            prefix = "AUX", spinPrefix = "AUX", labelPrefix = "AUXEQPointLabel";
            freqSpin = false;
            break;
        case 22:
        case 23:
        case 24:
            prefix = "Hint", spinPrefix = "Hint", labelPrefix = "HintEQPointLabel";
            freqSpin = false;
            break;
        default:
            prefix = "Main", spinPrefix = "Main", labelPrefix = "MainEQPointLabel";
            break;
    }
    // Auxiliary type boxes and edit boxes are numbered 1..3 per group.
    std::string editPrefix = prefix;
    std::string editK = k;
    if (module == 21) {
        editPrefix = band <= 3 ? "AUXMUS" : "AUXMIC";
        editK = std::to_string(band <= 3 ? band : band - 3);
    }
    n.modeBox = editPrefix + "ModeBox" + editK;
    n.freqEdit = editPrefix + "FreEdit" + editK;
    n.gainEdit = editPrefix + "GainEdit" + editK;
    n.qEdit = editPrefix + "QEdit" + editK;
    n.gainBar = prefix + "EQGainBar" + k;
    if (module == 2) {
        n.gainBar = "DEQGainBar" + k;
        n.typeLabels = {"DEQBYBtn" + k, "DEQPEQBtn" + k, "DEQLEQBtn" + k, "DEQHEQBtn" + k};
    } else {
        n.typeLabels = {prefix + "BYBtn" + k, prefix + "PEQBtn" + k, prefix + "LSQBtn" + k,
                        prefix + "HSQBtn" + k};
    }
    n.freqSpin = freqSpin ? spinPrefix + "FreUpDownBtn" + k : "";
    n.qSpin = spinPrefix.empty() ? "" : spinPrefix + "QUpDownBtn" + k;
    n.pointLabel = labelPrefix + k;
    return n;
}

const std::vector<SlotBinding>& parameterMap() {
    static const std::vector<SlotBinding> map = build();
    return map;
}

}  // namespace mz3
