#pragma once

#include "ui/operations/operationtexts.h"

#include <QList>
#include <QObject>

class PictureBox;
class PlotControl;
class QAction;
class QActionGroup;
class QMenu;
class QKeySequence;

namespace tavelo {
enum class Waveform;
}

// The context menus of the two drawing areas, opened by the right mouse
// button, the Menu key or Shift+F10: the spectrum offers the classic
// waveforms and random phases and copies and pastes the terms as a table
// (also Ctrl+Shift+C and Ctrl+V); the plot plays the sum as a sound at a
// chosen pitch (also the space bar, in either area) and plays the plot's
// curve as rising and falling pitch (also H), takes a sound recorded or a
// shape drawn or pasted to compute its terms, does to the sum what a circuit
// does to a wave, sets tasks, and shows the terms and the limit shape on
// request, and keeps the sum as the target or takes the target away; the
// spectrum plays the chosen term alone or the sum without it (S, Shift+S);
// both areas show the series' formula (also F) and copy it in «Вид», and copy
// their picture (also Ctrl+C).
class PictureMenus : public QObject {
    Q_OBJECT

public:
    PictureMenus(PictureBox* plot, PictureBox* spectrum, const PlotControl* control, QObject* parent);

    const QList<QAction*>& waveformActions() const { return m_waveformActions; }
    // «Показать слагаемые» and «Показать предельную форму», both checkable.
    QAction* termsAction() const { return m_termsAction; }
    QAction* limitAction() const { return m_limitAction; }
    QAction* copyTermsAction() const { return m_copyTermsAction; }
    QAction* pasteTermsAction() const { return m_pasteTermsAction; }
    QAction* randomPhasesAction() const { return m_randomPhasesAction; }
    QAction* listenAction() const { return m_listenAction; }
    // «Озвучить график», also the H key on the plot area.
    QAction* traceAction() const { return m_traceAction; }
    // «Нарисовать форму» and «Вставить форму».
    QAction* drawShapeAction() const { return m_drawShapeAction; }
    QAction* pasteShapeAction() const { return m_pasteShapeAction; }
    // «Преобразовать»: the operations on the sum, in their order; they wait
    // for no plot and for no task, whose target they would replace.
    const QList<QAction*>& operationActions() const { return m_operationActions; }
    // «Прослушать гармонику» (S) and «Прослушать сумму без гармоники» (Shift+S).
    QAction* termAloneAction() const { return m_termAloneAction; }
    QAction* sumWithoutTermAction() const { return m_sumWithoutTermAction; }
    // «Задание»: «Уровень 1» … «Уровень 6», then «Проверить», «Показать
    // ответ», «Прослушать цель» and «Закончить задание», which are enabled
    // only while a task is on; all but «Прослушать цель» wait for no plot.
    const QList<QAction*>& taskLevelActions() const { return m_taskLevelActions; }
    QAction* taskCheckAction() const { return m_taskCheckAction; }
    QAction* taskAnswerAction() const { return m_taskAnswerAction; }
    QAction* taskTargetAction() const { return m_taskTargetAction; }
    QAction* taskEndAction() const { return m_taskEndAction; }
    // The pitches of «Частота основного тона», radio items, and after a
    // recording the recorded pitch among them.
    QList<QAction*> pitchActions() const;
    // «Записать звук», which reads «Идёт запись…» while it records.
    QAction* recordAction() const { return m_recordAction; }
    // «Запомнить сумму» and «Убрать цель», which wait for no plot and for no
    // task; «Убрать цель» only while there is a target.
    QAction* keepSumAction() const { return m_keepSumAction; }
    QAction* removeTargetAction() const { return m_removeTargetAction; }
    // In «Вид» of both areas: «Показать формулу» (checkable, also F on either
    // area) and «Копировать формулу».
    QAction* formulaAction() const { return m_formulaAction; }
    QAction* copyFormulaAction() const { return m_copyFormulaAction; }
    // Also in «Вид», anywhere in the window: «Крупнее» (Ctrl+=, Ctrl++),
    // «Мельче» (Ctrl+−), «Как в оригинале» (Ctrl+0) and «Во весь экран» (F11).
    QAction* largerAction() const { return m_largerAction; }
    QAction* smallerAction() const { return m_smallerAction; }
    QAction* originalSizeAction() const { return m_originalSizeAction; }
    QAction* fullScreenAction() const { return m_fullScreenAction; }

    // «Прослушать» reads «Остановить звук» while a sound plays.
    void setSoundPlaying(bool playing);

    // Ticks or unticks «Показать предельную форму» without a new plot.
    void setLimitShown(bool shown);
    // A task on; a teacher's has no answer to show.
    void setTaskOn(bool on, bool answerKnown = true);
    void setHasTarget(bool hasTarget);
    void setRecording(bool recording);
    // Adds «Как записано: … Гц» to the pitches, or sets it to the new pitch, chosen.
    void setRecordedPitch(double hertz);
    // Chooses the pitch of that many hertz: its item, or «Как записано».
    void setPitch(double hertz);

signals:
    void waveformChosen(tavelo::Waveform waveform);
    void termsToggled(bool shown);
    void limitToggled(bool shown);
    void copyTermsRequested();
    void pasteTermsRequested();
    void randomPhasesRequested();
    void listenRequested();
    void traceRequested();
    void pitchChosen(double hertz);
    void recordRequested();
    void drawShapeRequested();
    void pasteShapeRequested();
    void operationChosen(SumOperation operation);
    void termAloneRequested();
    void sumWithoutTermRequested();
    void taskLevelChosen(int level);
    void taskCheckRequested();
    void taskAnswerRequested();
    void taskTargetRequested();
    void taskEndRequested();
    void keepSumRequested();
    void removeTargetRequested();
    void formulaToggled(bool shown);
    void copyFormulaRequested();
    void largerRequested();
    void smallerRequested();
    void originalSizeRequested();
    void fullScreenRequested();

private:
    static void addCopyAction(PictureBox* box);
    static QAction* addAction(PictureBox* box, const QString& text, const QKeySequence& shortcut);

    void addTaskMenu(PictureBox* plot);
    void addOperationMenu(PictureBox* plot);
    void addViewMenus(PictureBox* plot, PictureBox* spectrum);
    void updatePlotItems();
    void updateTaskItems();
    void updateRecordItem();
    static void addSeparator(PictureBox* box);
    static QAction* addCheckAction(PictureBox* box, const QString& text);

    QList<QAction*> m_waveformActions;
    QAction* m_termsAction = nullptr;
    QAction* m_limitAction = nullptr;
    QAction* m_copyTermsAction = nullptr;
    QAction* m_pasteTermsAction = nullptr;
    QAction* m_randomPhasesAction = nullptr;
    QAction* m_listenAction = nullptr;
    QAction* m_traceAction = nullptr;
    QAction* m_drawShapeAction = nullptr;
    QAction* m_pasteShapeAction = nullptr;
    QList<QAction*> m_operationActions;
    QAction* m_termAloneAction = nullptr;
    QAction* m_sumWithoutTermAction = nullptr;
    QList<QAction*> m_taskLevelActions;
    bool m_taskOn = false;
    bool m_answerKnown = true;
    const PlotControl* m_control;
    QAction* m_taskCheckAction = nullptr;
    QAction* m_taskAnswerAction = nullptr;
    QAction* m_taskTargetAction = nullptr;
    QAction* m_taskEndAction = nullptr;
    QMenu* m_pitchMenu = nullptr;
    QActionGroup* m_pitchGroup = nullptr;
    QAction* m_recordedPitchAction = nullptr;
    double m_recordedPitch = 0;
    QAction* m_recordAction = nullptr;
    bool m_recording = false;
    QAction* m_keepSumAction = nullptr;
    QAction* m_removeTargetAction = nullptr;
    bool m_hasTarget = false;
    QAction* m_formulaAction = nullptr;
    QAction* m_copyFormulaAction = nullptr;
    QAction* m_largerAction = nullptr;
    QAction* m_smallerAction = nullptr;
    QAction* m_originalSizeAction = nullptr;
    QAction* m_fullScreenAction = nullptr;
};
