#include "ui/window/additions.h"

#include "ui/plot/partsplotter.h"
#include "ui/plot/plotcursor.h"
#include "ui/plot/plottexts.h"
#include "ui/plot/shapedrawing.h"
#include "ui/sound/graphtrace.h"
#include "ui/sound/plotsound.h"
#include "ui/sound/sounddevices.h"
#include "ui/sound/soundplayer.h"
#include "ui/sound/soundrecording.h"
#include "ui/sound/soundtexts.h"
#include "ui/tasks/tasksession.h"
#include "ui/terms/amplitudebarcontrol.h"
#include "ui/terms/termclipboard.h"
#include "ui/terms/termwriter.h"
#include "ui/widgets/picturebox.h"
#include "ui/window/picturemenus.h"
#include "ui/window/plotcontrol.h"
#include "ui/window/seriesfields.h"

#include <QPushButton>

namespace {

// A shape of the user's or a task's target is shown with the plot it starts.
void showTarget(const Additions& additions, std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source)
{
    additions.partsPlotter->setShape(std::move(shape), source);
    additions.partsPlotter->setShowsLimit(true);
    additions.menus->setLimitShown(true);
}

void connectTasks(const Additions& additions, PlotCursor* cursor, GraphTrace* trace)
{
    PictureMenus* menus = additions.menus;
    TaskSession* tasks = additions.tasks;
    QObject::connect(menus, &PictureMenus::taskLevelChosen, tasks, qOverload<int>(&TaskSession::start));
    QObject::connect(menus, &PictureMenus::taskCheckRequested, tasks, &TaskSession::check);
    QObject::connect(menus, &PictureMenus::taskAnswerRequested, tasks, &TaskSession::showAnswer);
    QObject::connect(menus, &PictureMenus::taskTargetRequested, tasks, &TaskSession::playTarget);
    QObject::connect(menus, &PictureMenus::taskEndRequested, tasks, &TaskSession::end);
    QObject::connect(tasks, &TaskSession::onChanged, menus, &PictureMenus::setTaskOn);
    QObject::connect(tasks, &TaskSession::targetSet, menus,
                     [additions](std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source) {
                         showTarget(additions, std::move(shape), source);
                     });
    QObject::connect(tasks, &TaskSession::targetRemoved, menus, [additions] {
        additions.partsPlotter->setShape(nullptr, {});
        additions.partsPlotter->setShowsLimit(false);
        additions.menus->setLimitShown(false);
    });
    // A waveform or a shape of the user's takes the target's place.
    QObject::connect(menus, &PictureMenus::waveformChosen, tasks, &TaskSession::leave);
    QObject::connect(menus, &PictureMenus::drawShapeRequested, tasks, &TaskSession::leave);
    QObject::connect(menus, &PictureMenus::pasteShapeRequested, tasks, &TaskSession::leave);
    // The cursor reads the target beside the sum, and the trace plays it after the sum.
    cursor->setTarget([tasks, cursor](int x) {
        const tavelo::PlotReadout& readout = cursor->readout();
        return tasks->targetAt(x, readout.W(), readout.P());
    });
    trace->setTarget([tasks, cursor] {
        const tavelo::PlotReadout& readout = cursor->readout();
        std::vector<double> columns;
        for (int x = 0; tasks->isOn() && x <= readout.lastColumn(); ++x)
            columns.push_back(tasks->targetAt(x, readout.W(), readout.P()).value_or(0));
        return columns;
    });
}

} // namespace

Additions createAdditions(const DesignedControls& controls, SeriesFields* series, PlotControl* plot, QWidget* window)
{
    PictureBox* plotArea = controls.plotArea;
    Additions additions;
    additions.menus = new PictureMenus(plotArea, controls.spectrumArea, window);
    additions.partsPlotter = new PartsPlotter(plotArea, controls.font, window);
    PictureMenus* menus = additions.menus;
    PartsPlotter* partsPlotter = additions.partsPlotter;
    auto* termWriter = new TermWriter(series, plot, window);
    auto* termClipboard = new TermClipboard(series, termWriter, controls.spectrumArea);
    auto* cursor = new PlotCursor(plotArea, window);
    auto* sound = new PlotSound(series, plotArea, SoundDevices::platform(), window);
    auto* drawing = new ShapeDrawing(plotArea, series, plot, window);
    additions.barControl = new AmplitudeBarControl(controls.spectrumArea, series, plot, window);
    auto* trace = new GraphTrace(plotArea, cursor, sound->player(), window);
    additions.tasks = new TaskSession(series, plot, sound, window);
    TaskSession* tasks = additions.tasks;
    auto* recording = new SoundRecording(series, plot, plotArea, sound->player(), SoundDevices::platform(), window);

    // The plot that a waveform starts takes its fields for that waveform.
    QObject::connect(menus, &PictureMenus::waveformChosen, partsPlotter, &PartsPlotter::setLastWaveform);
    QObject::connect(menus, &PictureMenus::waveformChosen, termWriter, &TermWriter::writeWaveform);
    QObject::connect(menus, &PictureMenus::randomPhasesRequested, termWriter, &TermWriter::writeRandomPhases);
    QObject::connect(menus, &PictureMenus::listenRequested, sound, &PlotSound::toggle);
    QObject::connect(menus, &PictureMenus::pitchChosen, sound, &PlotSound::setPitch);
    QObject::connect(menus, &PictureMenus::traceRequested, trace, &GraphTrace::toggle);
    QObject::connect(cursor, &PlotCursor::movedByKey, trace, &GraphTrace::playColumn);
    // Esc presses «Отмена», which silences the trace as well.
    QObject::connect(controls.cancel, &QPushButton::clicked, trace, &GraphTrace::stop);
    QObject::connect(sound->player(), &SoundPlayer::playingChanged, menus, &PictureMenus::setSoundPlaying);
    QObject::connect(menus, &PictureMenus::drawShapeRequested, drawing, &ShapeDrawing::start);
    QObject::connect(drawing, &ShapeDrawing::shapeDrawn, termWriter, [termWriter](const tavelo::Shape& shape) {
        termWriter->writeShape(shape, ShapeSource::Kind::Drawn);
    });
    QObject::connect(menus, &PictureMenus::pasteShapeRequested, termClipboard, &TermClipboard::pasteShape);
    QObject::connect(menus, &PictureMenus::recordRequested, recording, &SoundRecording::start);
    QObject::connect(recording, &SoundRecording::recordingChanged, menus, &PictureMenus::setRecording);
    // A recorded sound's terms take the task's place; the series plays at the recorded pitch.
    QObject::connect(recording, &SoundRecording::soundAnalysed, termWriter,
                     [tasks, menus, termWriter, sound](const tavelo::RecordedSound& recorded, int samples) {
                         tasks->leave();
                         menus->setRecordedPitch(recorded.fundamental);
                         sound->setPitch(recorded.fundamental);
                         termWriter->writeShape(recorded.period, recorded.terms,
                                                {ShapeSource::Kind::Recorded, samples, std::nullopt,
                                                 {recordedText(recorded.fundamental, recorded.signalToNoise)}});
                     });
    // The shape whose terms were written is shown with the plot they start.
    QObject::connect(termWriter, &TermWriter::shapeWritten, menus,
                     [additions](std::shared_ptr<const tavelo::Shape> shape, const ShapeSource& source) {
                         showTarget(additions, std::move(shape), source);
                     });
    connectTasks(additions, cursor, trace);
    QObject::connect(menus, &PictureMenus::copyTermsRequested, termClipboard, &TermClipboard::copyTerms);
    QObject::connect(menus, &PictureMenus::pasteTermsRequested, termClipboard, &TermClipboard::pasteTerms);
    // Ticking a part plots again; during a plot it waits for the next one.
    QObject::connect(menus, &PictureMenus::termsToggled, partsPlotter, &PartsPlotter::setShowsTerms);
    QObject::connect(menus, &PictureMenus::limitToggled, partsPlotter, &PartsPlotter::setShowsLimit);
    QObject::connect(menus, &PictureMenus::termsToggled, plot, &PlotControl::request);
    QObject::connect(menus, &PictureMenus::limitToggled, plot, &PlotControl::request);
    QObject::connect(plot, &PlotControl::runningChanged, menus, &PictureMenus::setPlotRunning);
    QObject::connect(plot, &PlotControl::runningChanged, cursor, &PlotCursor::setPlotRunning);
    QObject::connect(plot, &PlotControl::runningChanged, trace, &GraphTrace::setPlotRunning);
    QObject::connect(plot, &PlotControl::finished, cursor,
                     [cursor](const tavelo::PlotResult& result) { cursor->setReadout(result.readout); });
    return additions;
}
