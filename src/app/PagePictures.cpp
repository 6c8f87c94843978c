#include "PagePictures.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QStackedWidget>
#include <QTabWidget>

#include "PanelApp.h"
#include "SmallWindows.h"
#include "TForm1.h"
#include "TForm5.h"

namespace mz3 {

int savePagePictures(PanelApp& panel, const QString& dir) {
    QDir().mkpath(dir);
    int saved = 0;
    auto save = [&](QWidget* w, const QString& name) {
        QApplication::processEvents();
        if (w->grab().save(QDir(dir).filePath(name))) {
            ++saved;
        }
    };
    TForm1* main = panel.form1();
    auto* pages = main->findChild<QStackedWidget*>("FormPageItem");
    const char* names[9] = {"music", "mic", "effect", "main", "hint",
                            "rec",   "aux", "system", "deq"};
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        if (i == 2 || i == 6) {
            auto* inner = pages->widget(i)->findChild<QTabWidget*>(i == 2 ? "EffPageControl"
                                                                          : "AuxPageCtrol");
            for (int t = 0; t < inner->count(); ++t) {
                inner->setCurrentIndex(t);
                save(main, QStringLiteral("page-%1-%2-%3.png").arg(i).arg(names[i]).arg(t));
            }
            inner->setCurrentIndex(0);
            continue;
        }
        save(main, QStringLiteral("page-%1-%2.png").arg(i).arg(names[i]));
    }
    pages->setCurrentIndex(0);
    panel.form4()->show();
    save(panel.form4(), QStringLiteral("system-panel.png"));
    panel.form4()->hide();
    panel.form5()->show();
    save(panel.form5(), QStringLiteral("save-panel.png"));
    panel.form5()->hide();
    return saved;
}

}  // namespace mz3
