// The edit pipeline: user actions on bound controls become stored and sent values, and stored
// values become control positions and texts. Every handler finds its parameter in the
// sender's Tag; one handler serves every control of its kind.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QWidget;
class QSlider;
class QLineEdit;
class QComboBox;
class QLabel;

namespace mz3 {

class ParameterStore;
class ControlBinding;

// Steps of a refresh that belong to other parts of the panel.
struct RefreshHooks {
    std::function<void(int module)> redrawEq;  // EQ curves of the page on show
    std::function<void()> systemPanelStates;   // music mode, lock, separation, start volume
    std::function<void()> modeLists;           // device and hint-mode lists
    std::function<void()> lockPrompt;          // first link to a locked box
    std::function<void(int, const QString&)> inputPanelGain;  // mirror of MusGain1Bar
    std::function<void()> channelLinks;                       // link states from PanelValues
    std::function<void()> reselectPage;                       // the page on show again (EQ reset)
};

class EditPipeline : public QObject {
    Q_OBJECT
public:
    EditPipeline(ParameterStore& store, ControlBinding& binding, QWidget* mainWindow);

    // Connects the shared handlers to every bound control of their kind.
    void connectHandlers();

    void ApplyControlValue(QWidget* control, int stepMode, int noSend, double value);
    void CommitEdit(int stepMode);
    void RefreshAll(int module);
    void ResetEq(int module);

    RefreshHooks& hooks() { return m_hooks; }
    QWidget* lastFocusedEdit() const { return m_lastFocusedEdit; }
    std::pair<int, int> LastEqEdit() const { return m_lastEqEdit; }
    int currentBand(int group) const { return m_lastBandOfPage[size_t(group)]; }
    int eqBypassState(int module) const { return m_eqBypass[size_t(module)]; }

    // Handlers (public so that tests and other parts can drive them).
    void MicHPFreBarChange(QSlider* slider);
    void MusEQGainBar1Change(QSlider* slider);
    void MainLevelBarChange(QSlider* slider);
    void OutMuteBtnClick();
    void SysMusNormalVolBarChange(QSlider* slider);
    void MusFreEdit1Click(QLineEdit* edit);
    void MusFreEdit1Exit(QLineEdit* edit);
    void MusModeBox1Change(QComboBox* box);
    void MusPEQtn1Click(QLabel* label);
    void MainHPTypeBoxChange(QComboBox* box);
    void SysInputBoxChange(QComboBox* box);
    void EchoEffPhaseBtnClick(QWidget* button);
    void MusEQAllpassBtnClick();
    void spin(QWidget* spinButtons, bool up);  // MusFreUpDownBtn1UpRightClick / DownLeftClick
    void InputBtn1Click(int source);           // the six input source buttons
    void EQResetBtnClick();
    void LeftAddBtnClick(int module);  // band paging of the Music, Mic, output boxes
    void RightAddBtnClick(int module);
    // Output page lock: the output page's controls follow the music mode (manual enables).
    void setOutputPageLock(bool automatic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void highlightBand(int address);
    void moveSlider(QSlider* slider, int position);
    bool onAuxiliaryPage() const;
    bool onDeqPage() const;
    void markTypeLabels(int address, int type);

    ParameterStore& m_store;
    ControlBinding& m_binding;
    QWidget* m_main;
    RefreshHooks m_hooks;
    QPointer<QWidget> m_lastFocusedEdit;
    QPointer<QWidget> m_lastHighlighted;
    QString m_lastGoodText;
    bool m_dirty = false;
    bool m_wheelArmed = false;
    std::pair<int, int> m_lastEqEdit{-1, 0};
    std::array<int, 9> m_lastBandOfPage{};
    std::array<int, 31> m_eqBypass{};
    std::vector<QPointer<QWidget>> m_outputLockControls;  // gathered on first use
};

}  // namespace mz3
