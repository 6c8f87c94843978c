// What page and channel selection the edit pipeline and the channel links need: the tab
// buttons, the sub-selectors of the strip above the pages, and the left/right links with their
// copy group and the separation switch.
#pragma once

#include <QObject>

#include "ChannelLinks.h"

class QComboBox;
class QPushButton;
class QWidget;

namespace mz3 {

class ParameterStore;
class ControlBinding;
class EditPipeline;

class Navigation : public QObject {
    Q_OBJECT
public:
    Navigation(ParameterStore& store, ControlBinding& binding, EditPipeline& pipeline,
               QWidget* mainWindow);

    // Connects the tab buttons, sub-selectors, copy group, link lists and two-button choices.
    void connectHandlers();

    // Selects a tab: its page, its strip page, the panel module and channel on show.
    void FormMusTabBtnClick(int tab);
    // The only operation that changes a link state; requested = 0 left, 1 linked, 2 right.
    void SameBtnClick(int requested);
    void MainLRLinkBoxChange(QComboBox* box);
    void MicTFuntionBtn1Click(int selector);
    void MainTFuntionBtn1Click(int selector);
    void CenSurTFuntionBtn1Click(int selector);
    // Two-button choices: start volume, left/right separation, panel lock.
    void SysMusInputLevelClick(QPushButton* pressed);
    // Link states from PanelValues (refresh step 5).
    void deriveLinks();

    ChannelLinks& links() { return m_links; }
    int CurrentTab = 0;
    int CurrentPage = 0;

private:
    // The pair the page on show edits, or -1 (music, DEQ and other pages have none here).
    int pairOnShow() const;
    void markCopyGroup(int state);
    void markSelector(const char* chosen, const char* other);

    ParameterStore& m_store;
    ControlBinding& m_binding;
    EditPipeline& m_pipeline;
    QWidget* m_main;
    ChannelLinks m_links;
    int m_centerSurround = 0;  // 0 center, 1 surround left, 2 surround right
};

}  // namespace mz3
