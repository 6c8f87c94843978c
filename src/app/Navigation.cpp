#include "Navigation.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>

#include "ControlBinding.h"
#include "EditPipeline.h"
#include "ParameterStore.h"
#include "Props.h"

namespace mz3 {

namespace {

struct SelectorRow {
    int stripPage;
    const char* name;
    const char* zh;
    const char* en;
    int tag;
};

// The sub-selector strip: which buttons each strip page offers.
constexpr SelectorRow kSelectors[] = {
    {0, "MusicTFuntionBtn1", "音乐", "Music", 0},
    {0, "MusicTFuntionBtn2", "动态均衡", "DEQ", 1},
    {1, "EchoAToolButton", "回声", "Echo", 0},
    {1, "EchoBToolButton", "回声B", "Echo B", 1},
    {1, "RvbToolButton", "混响", "Reverb", 2},
    {2, "MainTFuntionBtn1", "左声道输出", "Main Left", 0},
    {2, "MainTFuntionBtn2", "右声道输出", "Main Right", 1},
    {3, "NullSubBtn1", "超低音", "SUB", 0},
    {4, "CenSurTFuntionBtn1", "中置", "Center", 0},
    {4, "CenSurTFuntionBtn2", "环绕左", "Surround Left", 1},
    {4, "CenSurTFuntionBtn3", "环绕右", "Surround Right", 2},
    {5, "MicTFuntionBtn1", "MICA", "MICA", 0},
    {5, "MicTFuntionBtn2", "MICB", "MICB", 1},
    {5, "LeftBtn", "左", "Left", 0},
    {5, "SameBtn", "同步", "SYNC", 1},
    {5, "RightBtn", "右", "Right", 2},
    {6, "AuxiliaryBtn", "辅助功能", "Auxiliary", 0},
};

}  // namespace

Navigation::Navigation(ParameterStore& store, ControlBinding& binding, EditPipeline& pipeline,
                       QWidget* mainWindow)
    : m_store(store), m_binding(binding), m_pipeline(pipeline), m_main(mainWindow) {
    auto* strip = m_main->findChild<QStackedWidget*>("TopPageControl");
    for (const SelectorRow& r : kSelectors) {
        QWidget* page = strip->widget(r.stripPage);
        if (page->layout() == nullptr) {
            new QHBoxLayout(page);
        }
        auto* b = new QPushButton;
        b->setObjectName(r.name);
        setBilingualText(b, QString::fromUtf8(r.zh), QString::fromUtf8(r.en));
        b->setCheckable(true);
        setTag(b, r.tag);
        if (QString::fromLatin1(r.name) == "EchoBToolButton") {
            b->hide();
        }
        page->layout()->addWidget(b);
    }
    for (int i = 0; i < strip->count(); ++i) {
        if (auto* h = qobject_cast<QHBoxLayout*>(strip->widget(i)->layout())) {
            h->addStretch(1);
        }
    }
    // The link lists are driven here, not by the plain choice handler.
    for (const char* name : {"MicLinkBox", "MainLRLinkBox"}) {
        if (QWidget* w = m_main->findChild<QWidget*>(name)) {
            w->setProperty("LinkSwitch", true);
        }
    }
}

void Navigation::connectHandlers() {
    for (QPushButton* tab : m_main->findChildren<QPushButton*>()) {
        const QString n = tab->objectName();
        if ((n.startsWith("Form") && n.endsWith("Btn")) || n == "HintAuxBtn") {
            connect(tab, &QPushButton::clicked, this,
                    [this, tab] { FormMusTabBtnClick(tag(tab)); });
        }
    }
    auto on = [this](const char* name, auto handler) {
        if (auto* b = m_main->findChild<QPushButton*>(name)) {
            connect(b, &QPushButton::clicked, this, [b, handler] { handler(tag(b)); });
        }
    };
    for (const char* n : {"LeftBtn", "SameBtn", "RightBtn"}) {
        on(n, [this](int t) { SameBtnClick(t); });
    }
    for (const char* n : {"MicTFuntionBtn1", "MicTFuntionBtn2"}) {
        on(n, [this](int t) { MicTFuntionBtn1Click(t); });
    }
    for (const char* n : {"MainTFuntionBtn1", "MainTFuntionBtn2"}) {
        on(n, [this](int t) { MainTFuntionBtn1Click(t); });
    }
    for (const char* n : {"CenSurTFuntionBtn1", "CenSurTFuntionBtn2", "CenSurTFuntionBtn3"}) {
        on(n, [this](int t) { CenSurTFuntionBtn1Click(t); });
    }
    for (const char* name : {"MicLinkBox", "MainLRLinkBox"}) {
        if (auto* box = m_main->findChild<QComboBox*>(name)) {
            connect(box, &QComboBox::activated, this, [this, box] { MainLRLinkBoxChange(box); });
        }
    }
    for (const char* name : {"SysLRBtn1", "SysLRBtn2", "SysVolRunBtn1", "SysVolRunBtn2"}) {
        if (auto* b = m_main->findChild<QPushButton*>(name)) {
            connect(b, &QPushButton::clicked, this, [this, b] { SysMusInputLevelClick(b); });
        }
    }
}

void Navigation::FormMusTabBtnClick(int tab) {
    struct Target {
        int page;
        int strip;
        int module;
    };
    static constexpr Target kTabs[13] = {
        {0, 0, 0}, {8, -1, 2}, {1, 5, 3},   {1, -1, 3},  {2, 1, 5},  {3, 2, 8}, {3, 4, 8},
        {3, 4, 8}, {3, 3, 8},  {4, -1, 22}, {5, -1, 20}, {6, 6, 21}, {6, 6, 21}};
    if (tab < 0 || tab > 12) {
        return;
    }
    CurrentTab = tab;
    const Target t = kTabs[tab];
    ChannelSelection& sel = m_store.selection();
    const int bank = sel.outputBank;
    switch (tab) {
        case 2:
            sel.curMic = m_links.state(MicPair) == SideRight ? ModMicB : ModMicA;
            break;
        case 3:
            sel.curMic = ModMicB;
            break;
        case 5:
            sel.curOutput = (m_links.state(MainPair) == SideRight ? 10 : 8) + bank;
            break;
        case 6:
            sel.curOutput = (m_links.state(SurroundPair) == SideRight ? 14 : 12) + bank;
            break;
        case 7:
            sel.curOutput = m_centerSurround == 0
                                ? 16 + bank
                                : (m_links.state(SurroundPair) == SideRight ? 14 : 12) + bank;
            break;
        case 8:
            sel.curOutput = 18 + bank;
            break;
        default:
            break;
    }
    const int module = tab == 4 && sel.curEffect == ModReverb ? ModReverb : t.module;
    sel.curPageModule = module;
    CurrentPage = module * 256 + t.page;
    m_main->findChild<QStackedWidget*>("FormPageItem")->setCurrentIndex(t.page);
    if (t.strip >= 0) {
        m_main->findChild<QStackedWidget*>("TopPageControl")->setCurrentIndex(t.strip);
    }
    if (tab == 11 || tab == 12) {
        if (auto* inner = m_main->findChild<QTabWidget*>("AuxPageCtrol")) {
            inner->setCurrentIndex(tab == 11 ? 1 : 0);
        }
    }
    m_pipeline.RefreshAll(module);
}

int Navigation::pairOnShow() const {
    const int module = m_store.selection().curPageModule;
    if (module == ModMusic && CurrentTab == 0) {
        return MusicPair;
    }
    if (module == ModMicA) {
        return MicPair;
    }
    if (module == ModMainLeftSing) {
        const int out = m_store.selection().curOutput;
        if (out >= 8 && out <= 11) {
            return MainPair;
        }
        if (out >= 12 && out <= 15) {
            return SurroundPair;
        }
    }
    return -1;  // the DEQ page and the others have no link
}

void Navigation::markCopyGroup(int state) {
    const char* names[3] = {"LeftBtn", "SameBtn", "RightBtn"};
    for (int i = 0; i < 3; ++i) {
        if (auto* b = m_main->findChild<QPushButton*>(names[i])) {
            b->setChecked(i == state);
        }
    }
}

void Navigation::markSelector(const char* chosen, const char* other) {
    if (auto* b = m_main->findChild<QPushButton*>(chosen)) {
        b->setChecked(true);
    }
    if (auto* b = m_main->findChild<QPushButton*>(other)) {
        b->setChecked(false);
    }
}

void Navigation::SameBtnClick(int requested) {
    const int p = pairOnShow();
    if (p < 0) {
        return;
    }
    const auto pair = static_cast<ChannelPair>(p);
    // Released: the left side is copied first, so both sides start alike.
    if (requested != SideLinked && m_links.state(pair) == SideLinked) {
        ChannelLinks::CopyChannel(pair, m_store);
    }
    m_links.setState(pair, requested);
    if (pair == MicPair) {
        requested == SideRight ? markSelector("MicTFuntionBtn2", "MicTFuntionBtn1")
                               : markSelector("MicTFuntionBtn1", "MicTFuntionBtn2");
    } else if (pair == MainPair) {
        requested == SideRight ? markSelector("MainTFuntionBtn2", "MainTFuntionBtn1")
                               : markSelector("MainTFuntionBtn1", "MainTFuntionBtn2");
    }
    markCopyGroup(requested);
    m_store.SendDatatoMCU(ChannelLinks::switchAddress(pair), requested == SideLinked ? 1 : 0);
    if (requested == SideLinked) {
        ChannelLinks::CopyChannel(pair, m_store);
    }
    // The page again, with the channel the new state picks.
    FormMusTabBtnClick(CurrentTab);
}

void Navigation::MainLRLinkBoxChange(QComboBox* box) {
    SameBtnClick(box->currentText() == "ON" ? SideLinked : SideLeft);
}

void Navigation::MicTFuntionBtn1Click(int selector) {
    if (m_links.state(MicPair) == SideLinked) {
        SameBtnClick(SideLinked);
    } else {
        SameBtnClick(selector == 1 ? SideRight : SideLeft);
    }
}

void Navigation::MainTFuntionBtn1Click(int selector) {
    if (m_links.state(MainPair) == SideLinked) {
        SameBtnClick(SideLinked);
        selector == 1 ? markSelector("MainTFuntionBtn2", "MainTFuntionBtn1")
                      : markSelector("MainTFuntionBtn1", "MainTFuntionBtn2");
    } else {
        SameBtnClick(selector == 1 ? SideRight : SideLeft);
    }
    if (QWidget* right = m_main->findChild<QWidget*>("OutRLevelGroupBox")) {
        right->setVisible(selector == 1);
    }
}

void Navigation::CenSurTFuntionBtn1Click(int selector) {
    m_centerSurround = selector;
    if (selector > 0) {
        // The surround side is set directly; no switch is sent.
        const bool linked = m_store.panelValue(ChannelLinks::switchAddress(SurroundPair)) != 0;
        m_links.setState(SurroundPair, linked ? SideLinked : selector == 1 ? SideLeft : SideRight);
    }
    if (QWidget* right = m_main->findChild<QWidget*>("OutRLevelGroupBox")) {
        right->setVisible(selector == 2);
    }
    FormMusTabBtnClick(7);
}

void Navigation::SysMusInputLevelClick(QPushButton* pressed) {
    const QString n = pressed->objectName();
    const bool separation = n.startsWith("SysLRBtn");
    // The pair's values are its order: "启用" 0 and "禁用" 1 for the separation switch, "禁用"
    // 0 and "启用" 1 for the start volume.
    const int value = (n == "SysLRBtn2" || n == "SysVolRunBtn2") ? 1 : 0;
    const char* other = n == "SysLRBtn1"       ? "SysLRBtn2"
                        : n == "SysLRBtn2"     ? "SysLRBtn1"
                        : n == "SysVolRunBtn1" ? "SysVolRunBtn2"
                                               : "SysVolRunBtn1";
    setHint(pressed, QString::number(value));
    markSelector(n.toLatin1().constData(), other);
    if (separation && value == 1 && !m_store.flags().refreshActive) {
        // No separation: every link is switched on first.
        for (ChannelPair pair : {MusicPair, MainPair, SurroundPair}) {
            m_store.SendDatatoMCU(ChannelLinks::switchAddress(pair), 1);
        }
    }
    m_store.SendDatatoMCU(tag(pressed), value);
}

void Navigation::deriveLinks() {
    m_links.derive(m_store);
    const int p = pairOnShow();
    if (p == MicPair || p == MainPair || p == SurroundPair) {
        markCopyGroup(m_links.state(static_cast<ChannelPair>(p)));
    }
}

}  // namespace mz3
