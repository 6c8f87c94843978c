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
    void sliderChanged(QSlider* slider);
    void gainBarChanged(QSlider* slider);
    void levelBarChanged(QSlider* slider);
    void OutMuteBtnClick();
    void volumeBarChanged(QSlider* slider);
    void editClicked(QLineEdit* edit);
    void editExit(QLineEdit* edit);
    void typeBoxChanged(QComboBox* box);
    void typeLabelClicked(QLabel* label);
    void crossoverChanged(QComboBox* box);
    void choiceChanged(QComboBox* box);
    void toggleClicked(QWidget* button);
    void eqBypassClicked();
    void spin(QWidget* spinButtons, bool up);

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
};

}  // namespace mz3
