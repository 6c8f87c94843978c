// Construction of the main window's regions. Behaviour lives in TForm1.cpp.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "LinkDefaults.h"
#include "Props.h"
#include "TForm1.h"
#include "Theme.h"
#include "core/Startup.h"
#include "pages/MainPages.h"
#include "pages/PageBuilder.h"

namespace mz3 {

namespace {

struct TabButtonRow {
    const char* name;
    const char* label;  // fixed text above the button, the same in both languages
    bool shownAtStart;
};

// The page selector, in tab-number order (the tab number is the button's Tag).
constexpr TabButtonRow kTabButtons[] = {
    {"FormMusTabBtn", "MUSIC", true},  {"FormDYNBtn", "DEQ", false},
    {"FormMICATabBtn", "MIC", true},   {"FormMICBTabBtn", "MIC2", false},
    {"FormEFFTabBtn", "EFFECT", true}, {"FormMAINTabBtn", "MAIN", true},
    {"FormSURTabBtn", "SUR", false},   {"FormCENTabBtn", "C/S", true},
    {"FormSUBTabBtn", "SUB", true},    {"FormHintTabBtn", "Hint", false},
    {"FormRECTabBtn", "REC", false},   {"FormAUXTabBtn", "", false},
    {"HintAuxBtn", "AUX", false},
};

struct PageRow {
    const char* name;
    const char* caption;
};

// The nine pages of FormPageItem, in page-index order.
constexpr PageRow kPages[] = {
    {"AdvTabSheet1_mus", "音乐"},    {"AdvTabSheet2_mic", "话筒"},
    {"AdvTabSheet3_Eff", "效果"},    {"AdvTabSheet4_Main", "主输出"},
    {"AdvTabSheet5_Center", "中置"}, {"AdvTabSheet6_REC", "超低音"},
    {"AdvTabSheet7_sur", "后置"},    {"AdvTabSheet8_Sys", "系统"},
    {"AdvTabSheet9_DEQ", ""},
};

QPushButton* titleButton(const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setFixedSize(34, 26);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

void TForm1::buildUi() {
    // The builder lives while the pages are made; the controls belong to their pages.
    PageBuilder builder;
    m_pageBuilder = &builder;
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(buildTitleBar());

    auto* body = new QHBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    body->setSpacing(6);
    body->addWidget(buildLeftColumn());
    body->addWidget(buildPageArea(), 1);
    root->addLayout(body, 1);
    populateMainPages(this, builder);
    m_pageBuilder = nullptr;
}

QWidget* TForm1::buildTitleBar() {
    auto* bar = new QWidget;
    bar->setObjectName("TitleBar");
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(30);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 2, 4, 2);

    auto* logo = new QLabel(QStringLiteral("MZ3"));
    logo->setObjectName("LogImage3");
    auto* title = new QLabel(QString::fromUtf8(kMainTitle));
    title->setObjectName("RzLabel9");
    row->addWidget(logo);
    row->addSpacing(8);
    row->addWidget(title);
    row->addStretch(1);

    // Toolbar: the four menu buttons (their menus come with page navigation).
    auto* toolbar = new QWidget;
    toolbar->setObjectName("AdvGroupBox31");
    auto* tools = new QHBoxLayout(toolbar);
    tools->setContentsMargins(0, 0, 0, 0);
    struct ToolRow {
        const char* name;
        const char* shown;
        const char* other;
        bool visible;
    };
    constexpr ToolRow kTools[] = {{"RzToolButton1", "Language", "语言", true},
                                  {"RzToolButton2", "设备", "Device", true},
                                  {"RzToolButton3", "控制(C)", "Control", false},
                                  {"RzToolButton4", "辅助功能", "Auxiliary", true}};
    for (const ToolRow& t : kTools) {
        auto* b = new QPushButton;
        b->setObjectName(t.name);
        setBilingualText(b, QString::fromUtf8(t.shown), QString::fromUtf8(t.other));
        b->setVisible(t.visible);
        tools->addWidget(b);
    }
    row->addWidget(toolbar);
    row->addSpacing(12);

    auto* minimise = titleButton("RzBmpButton2", QStringLiteral("—"), QStringLiteral("Minimise"));
    auto* maximise = titleButton("RzBmpButton1", QStringLiteral("□"), QStringLiteral("Maximise"));
    auto* restore = titleButton("MaxFormBtn", QStringLiteral("❐"), QStringLiteral("Restore"));
    auto* close = titleButton("RzBmpButton3", QStringLiteral("✕"), QStringLiteral("Close"));
    restore->hide();
    m_maxFormBtn = restore;
    connect(minimise, &QPushButton::clicked, this, &TForm1::RzBmpButton2Click);
    connect(maximise, &QPushButton::clicked, this, &TForm1::RzBmpButton1Click);
    connect(restore, &QPushButton::clicked, this, &TForm1::RzBmpButton1Click);
    connect(close, &QPushButton::clicked, this, &TForm1::RzBmpButton3Click);
    for (QWidget* w : {static_cast<QWidget*>(minimise), static_cast<QWidget*>(maximise),
                       static_cast<QWidget*>(restore), static_cast<QWidget*>(close)}) {
        row->addWidget(w);
    }
    return bar;
}

QWidget* TForm1::buildLeftColumn() {
    auto* column = new QWidget;
    column->setFixedWidth(172);
    auto* col = new QVBoxLayout(column);
    col->setContentsMargins(0, 0, 0, 0);

    // Link indicator.
    auto* linkGroup = new QGroupBox;
    linkGroup->setObjectName("AdvGroupBox1");
    auto* linkRow = new QHBoxLayout(linkGroup);
    auto* unlinkImage = new QLabel(QStringLiteral("●"));
    unlinkImage->setObjectName("Image_Unlink");
    unlinkImage->setStyleSheet("color: rgb(120,120,120);");
    auto* linkImage = new QLabel(QStringLiteral("●"));
    linkImage->setObjectName("Image_PCLink");
    linkImage->setStyleSheet("color: rgb(0,255,0);");
    linkImage->hide();
    auto* linkLabel = new QLabel;
    linkLabel->setObjectName("LinkLabel");
    setBilingualText(linkLabel, QStringLiteral("设备未连接"), QStringLiteral("Off Line"));
    linkLabel->setStyleSheet(linkStatusStyle(false));
    linkRow->addWidget(unlinkImage);
    linkRow->addWidget(linkImage);
    linkRow->addWidget(linkLabel, 1);
    col->addWidget(linkGroup);

    // Page selector: the tab buttons, then the three pane buttons.
    auto* selector = new QGroupBox;
    selector->setObjectName("AdvGroupBox3");
    auto* grid = new QGridLayout(selector);
    int row = 0;
    int tab = 0;
    // Each tab button shows its fixed label text (the same in both languages).
    for (const TabButtonRow& t : kTabButtons) {
        auto* button = new QPushButton(QString::fromLatin1(t.label));
        button->setObjectName(t.name);
        button->setCheckable(true);
        setTag(button, tab++);
        button->setVisible(t.shownAtStart);
        grid->addWidget(button, row++, 0);
    }
    for (const char* pane : {"PaneSysBtn", "PaneSaveBtn", "PaneInputBtn"}) {
        auto* b = new QPushButton(QString::fromLatin1(pane).mid(4).chopped(3).toUpper());
        b->setObjectName(pane);
        b->setCheckable(true);
        grid->addWidget(b, row++, 0);
    }
    auto* focusSink = new QWidget;
    focusSink->setObjectName("Examplexx");
    focusSink->setFixedSize(0, 0);
    grid->addWidget(focusSink, row++, 0);
    col->addWidget(selector);

    // Running volumes (sliders come with the parameter map).
    m_volumeGroup = new QGroupBox;
    m_volumeGroup->setObjectName("AdvGroupBox16");
    m_volumeGroup->setMinimumHeight(140);
    col->addWidget(m_volumeGroup);

    m_logoGroup = new QGroupBox;
    m_logoGroup->setObjectName("AdvGroupBox13");
    auto* logoLayout = new QVBoxLayout(m_logoGroup);
    auto* image2 = new QLabel(QStringLiteral("MZ3 DSP"));
    image2->setObjectName("Image2");
    image2->setAlignment(Qt::AlignCenter);
    logoLayout->addWidget(image2);
    col->addWidget(m_logoGroup);
    col->addStretch(1);

    // Command box of the system panel's access control: hidden until revealed.
    auto* cmdLabel = new QLabel;
    cmdLabel->setObjectName("SysLogoLabel");
    setBilingualText(cmdLabel, QStringLiteral("运行："), QStringLiteral("Cmd:"));
    cmdLabel->hide();
    auto* cmdEdit = new QLineEdit;
    cmdEdit->setObjectName("SysLogoEdit");
    cmdEdit->hide();
    col->addWidget(cmdLabel);
    col->addWidget(cmdEdit);
    return column;
}

QWidget* TForm1::buildPageArea() {
    auto* area = new QGroupBox;
    area->setObjectName("MainGroupBox");
    auto* layout = new QVBoxLayout(area);

    auto* strip = new QStackedWidget;
    strip->setObjectName("TopPageControl");
    strip->setFixedHeight(44);
    for (int i = 0; i < 7; ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TopPage%1").arg(i));
        strip->addWidget(page);
    }
    layout->addWidget(strip);

    auto* pages = new QStackedWidget;
    pages->setObjectName("FormPageItem");
    int index = 0;
    for (const PageRow& p : kPages) {
        QWidget* page = createParameterPage(index++, *m_pageBuilder);
        if (page == nullptr) {
            page = buildSystemPage();
        }
        page->setObjectName(p.name);
        page->setProperty("Caption", QString::fromUtf8(p.caption));
        pages->addWidget(page);
    }
    layout->addWidget(pages, 1);

    // EQ graph panel: the graph keeps its place; it is drawn by the EQ graph.
    auto* eqPanel = new QWidget;
    eqPanel->setObjectName("AdvPanel1");
    eqPanel->setMinimumHeight(120);
    eqPanel->setMaximumHeight(230);
    auto* eqLayout = new QHBoxLayout(eqPanel);
    eqLayout->setContentsMargins(0, 0, 0, 0);
    auto* graph = new QWidget;
    graph->setObjectName("AdvPanel2");
    graph->setAttribute(Qt::WA_StyledBackground);
    eqLayout->addWidget(graph, 1);
    layout->addWidget(eqPanel);
    return area;
}

QWidget* TForm1::buildSystemPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* idCaption = new QLabel;
    setBilingualText(idCaption, QStringLiteral("设备编码："), QStringLiteral("Device code:"));
    auto* deviceId = new QLabel;
    deviceId->setObjectName("DeviceIDLabel");
    deviceId->setMinimumWidth(120);
    grid->addWidget(idCaption, 0, 0);
    grid->addWidget(deviceId, 0, 1);

    auto* ipCaption = new QLabel;
    setBilingualText(ipCaption, QStringLiteral("IP地址/端口："),
                     QStringLiteral("IP Address/Port:"));
    auto* ip = new QLineEdit(m_options.host.isEmpty() ? QString::fromLatin1(kDefaultBridgeHost)
                                                      : m_options.host);
    ip->setObjectName("IPstrEdit");
    auto* port =
        new QLineEdit(m_options.port.isEmpty() ? QString::number(kDefaultTcpPort) : m_options.port);
    port->setObjectName("IPPortStrEdit");
    port->setMaximumWidth(80);
    grid->addWidget(ipCaption, 1, 0);
    grid->addWidget(ip, 1, 1);
    grid->addWidget(port, 1, 2);

    auto* link = new QPushButton;
    link->setObjectName("LinkBtn");
    setBilingualText(link, QStringLiteral("联机"), QStringLiteral("Link"));
    auto* unlink = new QPushButton;
    unlink->setObjectName("UnLinkBtn");
    setBilingualText(unlink, QStringLiteral("断开"), QStringLiteral("Unlink"));
    unlink->hide();
    grid->addWidget(link, 2, 1);
    grid->addWidget(unlink, 2, 2);

    m_comComboBox = new QComboBox;
    m_comComboBox->setObjectName("ComComboBox1");
    m_comComboBox->hide();
    grid->addWidget(m_comComboBox, 3, 0);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

}  // namespace mz3
