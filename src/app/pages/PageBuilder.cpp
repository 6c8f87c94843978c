#include "PageBuilder.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ControlFactory.h"
#include "Props.h"
#include "ValueScales.h"

namespace mz3 {

namespace {

struct SectionCaption {
    const char* key;
    const char* zh;
    const char* en;
};

constexpr SectionCaption kSections[] = {
    {"input", "输入", "Input"},
    {"pitch", "变调", "Pitch"},
    {"filter", "分频", "Crossover"},
    {"limiter", "限幅器", "Limiter"},
    {"link", "联调", "Link"},
    {"levels", "电平", "Levels"},
    {"time", "时间", "Time"},
    {"mix", "混音", "Mix"},
    {"output", "输出", "Output"},
    {"right", "右声道", "Right"},
    {"mute", "静音", "Mute"},
    {"step", "步长", "Step"},
    {"music", "音乐均衡限制", "Music EQ Limits"},
    {"mic", "话筒均衡限制", "Mic EQ Limits"},
    {"max", "最大音量", "Maximum Volume"},
    {"start", "开机音量", "Start Volume"},
    {"lock", "面板锁", "Panel Lock"},
    {"mode", "模式", "Mode"},
    {"dyn", "动态", "Dynamics"},
    {"volume", "运行音量", "Running Volume"},
    {"hint-mode", "提示模式", "Hint Mode"},
    {"band1", "频段 1", "Band 1"},
    {"band2", "频段 2", "Band 2"},
    {"band3", "频段 3", "Band 3"},
};

QString zh(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

QWidget* PageBuilder::once(const ControlSpec& spec) {
    const QString name = zh(spec.name);
    if (auto it = m_created.find(name); it != m_created.end()) {
        return it.value();
    }
    QWidget* w = createControl(spec);
    m_created.insert(name, w);
    return w;
}

QWidget* PageBuilder::control(const QString& name) {
    return m_created.value(name, nullptr);
}

const SlotBinding* PageBuilder::find(int module, int slot) const {
    for (const SlotBinding& b : parameterMap()) {
        if (b.module == module && b.slot == slot) {
            return &b;
        }
    }
    return nullptr;
}

QWidget* PageBuilder::sections(const char* page, const QStringList& skip) {
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    QHash<QString, QHBoxLayout*> groups;
    for (const SlotBinding& b : parameterMap()) {
        if (b.page != page || b.section == "eq" || skip.contains(zh(b.section))) {
            continue;
        }
        if (m_created.contains(zh(b.primary.name))) {
            continue;  // one control bound to two rows
        }
        QHBoxLayout* group = groups.value(zh(b.section), nullptr);
        if (group == nullptr) {
            auto* box = new QGroupBox;
            box->setObjectName(QStringLiteral("%1%2Group").arg(zh(b.page), zh(b.section)));
            for (const SectionCaption& c : kSections) {
                if (b.section == c.key) {
                    box->setTitle(QString::fromUtf8(c.zh));
                    setHint(box, QString::fromUtf8(c.en));
                }
            }
            group = new QHBoxLayout(box);
            group->setSpacing(4);
            groups.insert(zh(b.section), group);
            rowLayout->addWidget(box);
        }
        QWidget* primary = once(b.primary);
        const QString caption = zh(b.label);
        const QString other = zh(b.labelOther);
        if (b.primary.kind == ControlKind::Slider) {
            group->addWidget(strip(caption, other, {primary, once(b.display)}));
        } else if (b.primary.kind == ControlKind::Toggle) {
            group->addWidget(primary, 0, Qt::AlignVCenter);
        } else if (b.primary.kind == ControlKind::Combo && b.bandCount > 0) {
            // DEQ trigger: the buttons drive a hidden combo box.
            primary->hide();
            auto* buttons = new QWidget;
            auto* v = new QVBoxLayout(buttons);
            v->addWidget(primary);
            for (int k = 0; k < b.bandCount; ++k) {
                QWidget* button = once(b.band[size_t(k)]);
                setTag(button, k);
                v->addWidget(button);
            }
            group->addWidget(strip(caption, other, {buttons}));
        } else {
            group->addWidget(strip(caption, other, {primary}));
        }
    }
    rowLayout->addStretch(1);
    return row;
}

QWidget* PageBuilder::bandStrip(int module, int band) {
    const EqBandNames names = eqBandNames(module, band);
    const int slot0 = module == 2 ? 10 * (band - 1) + 2 : EqFirstSlot(module) + 5 * (band - 1);
    const SlotBinding* type = find(module, slot0);
    const SlotBinding* freq = find(module, slot0 + 1);
    const SlotBinding* gain = find(module, slot0 + 2);
    const SlotBinding* q = find(module, slot0 + 3);
    const SlotBinding* shelfQ = find(module, slot0 + 4);

    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("%1Band").arg(zh(names.pointLabel)));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(frame);
    v->setContentsMargins(3, 3, 3, 3);
    v->setSpacing(3);

    auto* number = new QLabel(QString::number(band));
    number->setObjectName(zh(names.pointLabel));
    number->setAlignment(Qt::AlignCenter);
    number->setStyleSheet("color: rgb(243,152,0); font-weight: bold;");
    v->addWidget(number);

    auto* labels = new QHBoxLayout;
    labels->setSpacing(1);
    for (int k = 0; k < type->bandCount; ++k) {
        labels->addWidget(once(type->band[size_t(k)]));
    }
    v->addLayout(labels);
    QWidget* mode = once(type->primary);
    mode->hide();  // the type labels choose the type; the list itself stays hidden
    v->addWidget(mode);

    auto fieldRow = [&](QWidget* editor, const SlotBinding* b) {
        auto* h = new QHBoxLayout;
        h->setSpacing(1);
        h->addWidget(editor);
        if (b != nullptr && b->bandCount > 0 && b->band[0].kind == ControlKind::SpinButtons) {
            h->addWidget(once(b->band[0]));
        }
        v->addLayout(h);
    };
    fieldRow(once(freq->primary), freq);
    QWidget* gainBar = once(gain->band[0]);
    gainBar->setMinimumHeight(80);
    v->addWidget(gainBar, 1, Qt::AlignHCenter);
    v->addWidget(once(gain->primary), 0, Qt::AlignHCenter);
    const SlotBinding* qWithSpin = (q->bandCount > 0) ? q : shelfQ;
    fieldRow(once(q->primary), qWithSpin);
    return frame;
}

QWidget* PageBuilder::eqBands(int module, const QString& scrollName) {
    auto* row = new QWidget;
    row->setObjectName(scrollName.isEmpty() ? QString() : scrollName + "Contents");
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(3);
    for (int n = 1; n <= EqBandCount(module); ++n) {
        h->addWidget(bandStrip(module, n));
    }
    h->addStretch(1);
    if (scrollName.isEmpty()) {
        row->setMinimumHeight(row->sizeHint().height());
        return row;
    }
    auto* scroll = new QScrollArea;
    scroll->setObjectName(scrollName);
    scroll->setWidget(row);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumHeight(row->sizeHint().height() + 18);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return scroll;
}

}  // namespace mz3
