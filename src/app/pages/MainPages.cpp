#include "MainPages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ControlFactory.h"
#include "PageBuilder.h"
#include "Props.h"

namespace mz3 {

namespace {

QPushButton* button(const char* name, const char* zh, const char* en, bool checkable = false) {
    auto* b = new QPushButton;
    b->setObjectName(name);
    setBilingualText(b, QString::fromUtf8(zh), QString::fromUtf8(en));
    b->setCheckable(checkable);
    return b;
}

// A two-state button whose Hint holds its state.
QPushButton* toggle(const char* name, const char* zh, const char* en) {
    auto* b = button(name, zh, en, true);
    b->setProperty("OtherCaption", QString::fromUtf8(en));
    setHint(b, QStringLiteral("0"));
    return b;
}

QGroupBox* group(const char* name, const char* zh, const char* en, QLayout* layout) {
    auto* g = new QGroupBox(QString::fromUtf8(zh));
    g->setObjectName(name);
    setHint(g, QString::fromUtf8(en));
    g->setLayout(layout);
    return g;
}

// EQ band paging buttons under a scroll box.
QWidget* pagingButtons(const char* left, const char* leftText, const char* right,
                       const char* rightText) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(button(left, leftText, leftText, true));
    h->addWidget(button(right, rightText, rightText, true));
    h->addStretch(1);
    return row;
}

QVBoxLayout* pageLayout(QWidget* page) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    return v;
}

}  // namespace

MusicPage::MusicPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    auto* sources = new QHBoxLayout;
    const char* texts[6][2] = {{"自动", "Auto"}, {"VOD", "VOD"},   {"BGM", "BGM"},
                               {"OPT", "OPT"},   {"蓝牙", "Blue"}, {"USB", "USB"}};
    for (int i = 0; i < 6; ++i) {
        auto* s = button(QStringLiteral("InputBtn%1").arg(i + 1).toLatin1().constData(),
                         texts[i][0], texts[i][1], true);
        setTag(s, i);
        sources->addWidget(s);
    }
    v->addWidget(group("InputSourceGroup", "输入源", "Input Source", sources));
    v->addWidget(b.sections(PageMusic));
    v->addWidget(b.eqBands(0, "MusScrollBox"), 1);
    v->addWidget(pagingButtons("LeftAddBtn", "EQ 1-10", "RightAddBtn", "EQ 11-15"));
}

MicPage::MicPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    v->addWidget(b.sections(PageMic));
    v->addWidget(b.eqBands(3, "MicScrollBox"), 1);
    v->addWidget(pagingButtons("LeftAddBtn2", "EQ 1-10", "RightAddBtn2", "EQ 11-20"));
}

EffectPage::EffectPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    auto* inner = new QTabWidget;
    inner->setObjectName("EffPageControl");
    auto* echo = new QWidget;
    auto* ev = pageLayout(echo);
    ev->addWidget(b.sections(PageEcho));
    ev->addWidget(b.eqBands(5, "EchoEQBox"), 1);
    auto* reverb = new QWidget;
    auto* rv = pageLayout(reverb);
    rv->addWidget(b.sections(PageReverb));
    rv->addWidget(b.eqBands(7, "RvbEQBox"), 1);
    inner->addTab(echo, QStringLiteral("回声"));
    inner->addTab(reverb, QStringLiteral("混响"));
    // The sub-selector strip chooses the inner page; the tabs themselves stay out of sight.
    inner->tabBar()->hide();
    v->addWidget(inner);
}

OutputPage::OutputPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    // Two rows: the mix and levels, then the limiter, the crossovers and the link.
    auto* top = new QHBoxLayout;
    top->addWidget(b.sections(PageMain, {"right", "limiter", "filter", "link"}), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(b.sections(PageMain, {"mix", "output", "limiter", "filter", "link"}));
    auto* rightGroup = group("OutRLevelGroupBox", "右声道", "Right Channel", right);
    top->addWidget(rightGroup);
    auto* mute = toggle("OutMuteBtn", "静音", "Mute");
    top->addWidget(mute, 0, Qt::AlignVCenter);
    v->addLayout(top);
    v->addWidget(b.sections(PageMain, {"mix", "output", "right"}));
    v->addWidget(b.eqBands(8, "MainScrollBox"), 1);
    v->addWidget(pagingButtons("LeftAddBtn3", "EQ 1-7", "RightAddBtn3", "EQ 8-10"));
}

HintPage::HintPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    auto* tools = new QHBoxLayout;
    const char* t[4][3] = {{"HintMusBtn", "音乐", "MUSIC"},
                           {"HintMicABtn", "话筒1", "MIC1"},
                           {"HintMicBBtn", "话筒2", "MIC2"},
                           {"HintSysBtn", "系统设定", "System"}};
    for (int i = 0; i < 4; ++i) {
        auto* tb = button(t[i][0], t[i][1], t[i][2], true);
        setTag(tb, i);
        tools->addWidget(tb);
    }
    tools->addStretch(1);
    v->addLayout(tools);
    v->addWidget(b.eqBands(22, "HintEQBox"), 1);
    auto* modes = new QHBoxLayout;
    modes->addWidget(b.sections(PageHint));
    auto* name = new QLineEdit;
    name->setObjectName("PresetMode2Edit");
    name->setMaxLength(20);
    modes->addWidget(name);
    modes->addWidget(button("SysLoad2ModeBtn", "调用设备模式", "Load Mode"));
    modes->addWidget(button("SysSave2ModeBtn", "保存设备模式", "Save Mode"));
    modes->addStretch(1);
    auto* modeGroup = group("HintModePage", "提示模式", "Hint Mode", modes);
    modeGroup->hide();  // shown by the system tool button
    v->addWidget(modeGroup);
}

RecPage::RecPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    v->addWidget(b.sections(PageRec));
    v->addWidget(b.eqBands(20, "RECEQBox"), 1);
}

AuxiliaryPage::AuxiliaryPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    auto* inner = new QTabWidget;
    inner->setObjectName("AuxPageCtrol");
    // Page 0: the gain step and the lift and cut limits, with the band gains beside them.
    auto* limits = new QWidget;
    auto* lv = pageLayout(limits);
    lv->addWidget(b.sections(PageAuxLimits));
    auto* gains = new QHBoxLayout;
    for (int n = 1; n <= 6; ++n) {
        const std::string name =
            (n <= 3 ? "AUXMUS2GainEdit" : "AUXMIC2GainEdit") + std::to_string(n <= 3 ? n : n - 3);
        QWidget* edit = b.once({name, ControlKind::Edit, 0, 3, {}, "", ""});
        gains->addWidget(
            strip(QStringLiteral("增益 %1").arg(n), QStringLiteral("Gain %1").arg(n), {edit}));
    }
    gains->addStretch(1);
    lv->addWidget(group("AuxGainGroup", "均衡增益", "EQ Gains", gains));
    lv->addStretch(1);
    // Page 1: the user EQ of six bands, the second high-pass and the hint-load group.
    auto* eq = new QWidget;
    auto* ev = pageLayout(eq);
    ev->addWidget(b.eqBands(21, "AUXEQBox"), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(b.sections(PageAuxEq));
    auto* load = new QHBoxLayout;
    auto* list = new QComboBox;
    list->setObjectName("SysMode3Box");
    auto* name = new QLineEdit;
    name->setObjectName("PresetMode3Edit");
    load->addWidget(list);
    load->addWidget(name);
    load->addWidget(button("SysLoad3ModeBtn", "调用设备模式", "Load Mode"));
    auto* loadGroup = group("SysHintLoadGrop", "提示模式", "Hint Mode", load);
    loadGroup->hide();  // hidden while the box reports its capability flag
    bottom->addWidget(loadGroup);
    ev->addLayout(bottom);
    inner->addTab(limits, QStringLiteral("起始音量设置"));
    inner->addTab(eq, QStringLiteral("用户均衡限制"));
    v->addWidget(inner);
}

namespace {

void systemPage(QWidget* page) {
    auto* grid = qobject_cast<QGridLayout*>(page->layout());
    if (grid == nullptr) {
        return;
    }
    // Infrared remote: the box keeps no slot for it, so the switch is shown but inert.
    auto* ir = new QHBoxLayout;
    for (auto [name, zh, en] :
         {std::tuple{"SysIRBtn1", "启用", "Enable"}, std::tuple{"SysIRBtn2", "禁用", "Disable"}}) {
        auto* b = button(name, zh, en, true);
        b->setEnabled(false);
        b->setToolTip(
            QStringLiteral("此设备不支持该设置 / This setting is not available on "
                           "this box"));
        ir->addWidget(b);
    }
    grid->addWidget(group("SysIRGroup", "红外遥控管理", "IR Remote", ir), 5, 0, 1, 3);
    auto* run = new QHBoxLayout;
    for (auto [name, zh, en] : {std::tuple{"SysVolRunBtn2", "启用", "Enable"},
                                std::tuple{"SysVolRunBtn1", "禁用", "Disable"}}) {
        run->addWidget(toggle(name, zh, en));
    }
    grid->addWidget(group("SysVolRunGroup", "开机音量", "Start Volume", run), 6, 0, 1, 3);
    auto* lr = new QHBoxLayout;
    for (auto [name, zh, en] :
         {std::tuple{"SysLRBtn1", "启用", "Enable"}, std::tuple{"SysLRBtn2", "禁用", "Disable"}}) {
        lr->addWidget(toggle(name, zh, en));
    }
    grid->addWidget(group("SysLRGroup", "左右分离", "L/R Separation", lr), 7, 0, 1, 3);
    auto* warn = new QLabel;
    warn->setObjectName("SysWarnLabel");
    setBilingualText(warn, QStringLiteral("注意：修改系统设置前请先连接设备。"),
                     QStringLiteral("Note: link the box before changing system settings."));
    grid->addWidget(warn, 8, 0, 1, 3);
}

}  // namespace

DeqPage::DeqPage(PageBuilder& b) {
    QWidget* page = this;
    auto* v = pageLayout(page);
    v->addWidget(b.sections(PageDeq));
    v->addWidget(b.eqBands(2, "DEQEQBox"), 1);
}

namespace {

void eqPanel(QWidget* main, PageBuilder& b) {
    QWidget* panel = main->findChild<QWidget*>("AdvPanel1");
    auto* layout = qobject_cast<QHBoxLayout*>(panel->layout());
    auto* side = new QVBoxLayout;
    auto* pass = new QVBoxLayout;
    pass->addWidget(button("EQResetBtn", "EQ重置", "EQ Reset"));
    pass->addWidget(
        b.control("MusEQAllpassBtn") != nullptr
            ? b.control("MusEQAllpassBtn")
            : b.once({"MusEQAllpassBtn", ControlKind::Toggle, 0, -1, {}, "EQ 直通", "EQ Bypass"}));
    side->addWidget(group("EQPassGrop", "EQ", "EQ", pass));
    auto* spectrum = new QVBoxLayout;
    spectrum->addWidget(toggle("PinPPBtn", "频谱", "Spectrum"));
    spectrum->addWidget(toggle("PinDCFBtn", "低触发", "Normal"));
    auto* spectrumGroup = group("PinPuGroupBox", "频谱", "Spectrum", spectrum);
    spectrumGroup->hide();  // shown on the Auxiliary EQ page only
    side->addWidget(spectrumGroup);
    side->addStretch(1);
    layout->addLayout(side);
}

}  // namespace

QWidget* createParameterPage(int index, PageBuilder& b) {
    switch (index) {
        case 0:
            return new MusicPage(b);
        case 1:
            return new MicPage(b);
        case 2:
            return new EffectPage(b);
        case 3:
            return new OutputPage(b);
        case 4:
            return new HintPage(b);
        case 5:
            return new RecPage(b);
        case 6:
            return new AuxiliaryPage(b);
        case 8:
            return new DeqPage(b);
        default:
            return nullptr;  // the system page belongs to the main window itself
    }
}

void populateMainPages(QWidget* mainWindow, PageBuilder& b) {
    auto* pages = mainWindow->findChild<QStackedWidget*>("FormPageItem");
    systemPage(pages->widget(7));

    auto* volumes = mainWindow->findChild<QWidget*>("AdvGroupBox16");
    auto* vl = new QVBoxLayout(volumes);
    vl->setContentsMargins(2, 2, 2, 2);
    vl->addWidget(b.sections(PageRunningVolumes));
    eqPanel(mainWindow, b);

    // "No control": the hidden placeholder that fills the entries of slots without one.
    auto* example = new QLineEdit(mainWindow);
    example->setObjectName("Example");
    example->hide();
}

void populateSystemPanel(QWidget* panel) {
    PageBuilder b;
    auto* v = new QVBoxLayout(panel);
    v->addWidget(b.sections(PageSystemPanel));
    auto* buttons = new QHBoxLayout;
    for (auto [name, zh, en] :
         {std::tuple{"SysPanelBtn1", "禁用", "Disable"},
          std::tuple{"SysPanelBtn2", "启用", "Enable"}, std::tuple{"AutoModeBtn", "自动", "Auto"},
          std::tuple{"ManulModeBtn", "手动", "Manual"}, std::tuple{"SingModeBtn", "唱歌", "Sing"},
          std::tuple{"DiscoModeBtn", "迪斯科", "Disco"}}) {
        buttons->addWidget(toggle(name, zh, en));
    }
    v->addLayout(buttons);
}

void populateSavePanel(QWidget* panel) {
    PageBuilder b;
    auto* v = new QVBoxLayout(panel);
    auto* row = new QHBoxLayout;
    row->addWidget(b.sections(PageSavePanel), 1);
    auto* drop = new QPushButton(QStringLiteral("▾"));
    drop->setObjectName("MusHPTypeBoxBtn");
    drop->setFixedWidth(24);
    row->addWidget(drop);
    v->addLayout(row);
    auto* name = new QLineEdit;
    name->setObjectName("PresetModeEdit");
    name->setMaxLength(20);
    v->addWidget(name);
    v->addStretch(1);
}

}  // namespace mz3
